#pragma once
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class GlobeAnimation;

// The about window: the picture "rcAbout_bmp" filling a 550 x 370 black window without title
// bar, on top, centred on the main window; the product and its version, the licence agreement
// followed by the notices of the libraries the console uses, and the turning globe while it
// is open. A click on the picture closes it.
class TAboutForm : public QWidget {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *mainWindow = nullptr);

    // The version as the session knows it ("A410") and the operator's account.
    void SetVersion(const QString &versionTag);
    void SetUserCode(const QString &userCode) { UserCode = userCode; }
    // Shown centred on the main window, the licence text scrolled to its top.
    void ShowAbout();

    // "Quorvia Access v 4.1.0" for "A410": the characters after the first, joined by dots.
    static QString VersionLine(const QString &versionTag);
    // The licence agreement and the notices as the window shows them.
    static QString LicenceText();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    QWidget *MainWindow;
    QLabel *LblVersion;
    QLabel *LblLicence;
    QPlainTextEdit *MemoLicence;
    GlobeAnimation *Globe;
    QString UserCode;
};
