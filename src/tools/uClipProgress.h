#pragma once
#include <QTimer>
#include <QWidget>

// The progress window of a clipboard transfer: a ball moving between the two computers, to the
// right while sending and to the left while receiving, and one line of text. It stays on top
// without taking the focus; a click anywhere closes it.
class TClipProgressForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int FormWidth = 240;
    static constexpr int FormHeight = 120;
    static constexpr int BallLefts[4] = {62, 93, 123, 154};
    static constexpr int BallTop = 22;

    explicit TClipProgressForm(QWidget *mainWindow = nullptr);

    // Shows the window centred on the main window for the direction.
    void ShowClipProgress(bool sending);
    void CloseClipProgress();
    bool sending() const { return Sending; }
    int ballLeft() const { return BallLefts[Position]; }
    QString text() const;
    void step(); // one tick of the animation

signals:
    void closedByClick();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    QWidget *MainWindow;
    QTimer BallTimer;
    bool Sending = true;
    int Position = 0;
};
