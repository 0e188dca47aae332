#pragma once
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>

class MoviePlayback;
class QComboBox;
class QLabel;
class QSlider;
class QToolButton;

// The recorded-session player: lists the movies of a folder and plays the chosen one fitted
// into the window, with play, pause, stop, rewind, a position slider and the elapsed and total
// time. It plays pictures only (MoviePlayback): no sound device is opened, so a computer
// without one plays the movies the same.
class TAviPlayerForm : public QWidget {
    Q_OBJECT
public:
    explicit TAviPlayerForm(QWidget *parent = nullptr);
    ~TAviPlayerForm() override;

    QString Folder;
    bool Opened = false;

    QWidget *BttnPanel;
    QToolButton *BttnPlay, *BttnPause, *BttnStop, *BttnRewind, *BttnMinimize, *BttnClose;
    QComboBox *FilesCombo;
    QSlider *TrackBar;
    QLabel *LblTime, *LblSlash, *LblTotal, *LblCaption;
    QWidget *Image1;
    QWidget *DrawPanel; // the movie, stretched to the panel
    QTimer Timer1;
    MoviePlayback *MediaPlayer;

    void BttnPlayClick();
    void BttnPauseClick();
    void BttnStopClick();
    void BttnRewindClick();
    // The movie's natural size while one is open; empty otherwise.
    QSize movieSize() const { return MovieSize; }

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void FormShow();
    void ListFolder();
    void applyTexts();
    void takeWorkArea();
    bool FitPanel(QSize movie);
    void Timer1Timer();
    void TrackBarChange(int position);
    void FilesComboChange();
    void movieEnded();
    void setSlider(qint64 position);

    QSize MovieSize;
};
