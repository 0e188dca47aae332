#pragma once
#include "settings/uFindProxyForUrl.h"

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class SetupDownload;

// The download of the update's setup program, with a text line and a progress bar, centred on
// the main window. It runs modally; the event loop keeps running, which moves the bar.
// WM_USER+201 starts the fetch once the window shows, WM_USER+200 carries the percentage and
// WM_USER+202 closes the window.
class TDownloadUpdateForm : public QDialog {
    Q_OBJECT
public:
    explicit TDownloadUpdateForm(QWidget *mainWindow = nullptr);

    // Fetches `url` into `target` (see SetupDownload for what counts as a good download) and
    // returns `target`, or "Error" after the message "File Access error".
    QString Run(const QString &url, const QString &target, const EffectiveProxyState &proxy);
    QString Result() const { return DownloadResult; }
    int Percent() const;

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void reject() override;

private:
    void WMDownloadStart();

    QLabel *LblText;
    QProgressBar *ProgressBar;
    SetupDownload *Download;
    QString Url;
    QString Target;
    EffectiveProxyState Proxy;
    QString DownloadResult;
};

// What the console does at close when the operator agreed to update (CloseMode 2): the setup
// is fetched into the program's folder or, where that cannot be written (an installed
// package), into the application data folder, and the operator is told where it is; only a
// whole download is started, without waiting for it. Where no folder can be written, the
// operator is told and nothing is fetched.
void RunUpdateAtClose(QWidget *mainWindow);
// The same with the program's folder given (tests).
void RunUpdateAtClose(QWidget *mainWindow, const QString &programFolder);
