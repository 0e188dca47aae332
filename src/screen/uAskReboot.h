#pragma once
#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The reboot question: borderless, on top, in the look of the warning question. Two forms,
// chosen before it is shown: the operator's own reboot ("WARNING", no countdown) and the
// reconnection question when the remote computer is shutting down, which counts down from
// 30 seconds on its bar and answers No when nobody answers.
class TAskRebootForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int CountdownSeconds = 30;

    explicit TAskRebootForm(QWidget *mainWindow = nullptr);

    // 0: the operator's question; anything else: the reconnection question.
    void Prepare(int variant);
    // True only when "Yes" was pressed.
    bool Answer() const { return Yes; }
    int countdown() const { return Count; }

    // One second of the countdown; the timer calls it, tests call it directly.
    void Timer1Timer();
    QTimer Timer1;

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    QLabel *LblHead;
    QLabel *LblInfo;
    QProgressBar *ProgressBar;
    QPushButton *BttnYes;
    QPushButton *BttnNo;
    bool Yes = false;
    int Count = 0;
};

// Asks modally, centred on `mainWindow` (or the screen); true for "Yes". The message loop
// runs while it is open.
bool AskReboot(int variant, QWidget *mainWindow = nullptr);
// Closes the open question, which then answers No.
void CloseAskReboot();
