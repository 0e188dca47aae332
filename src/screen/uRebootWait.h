#pragma once
#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The waiting window while the remote computer restarts: a panel laid over the greyed picture,
// centred in the main window, with a running bar and a way to give up and end the session. It
// is a child of the main window, so it needs nothing from the window manager and cannot hide
// behind the console.
class TRebootWaitForm : public QWidget {
    Q_OBJECT
public:
    explicit TRebootWaitForm(QWidget *mainWindow);

    // What "End support session" does.
    void setEndSession(std::function<void()> endSession) { EndSession = std::move(endSession); }
    void ShowWait();
    void CloseWait();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void applyTexts();
    void placeOnParent();

    QLabel *LblInfo;
    QProgressBar *Bar;
    QPushButton *BttnEnd;
    std::function<void()> EndSession;
};
