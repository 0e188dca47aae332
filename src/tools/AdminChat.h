#pragma once
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class RemoteChat;

// The chat window: the conversation, the input, "Send", "Close", "Minimize", "Log chat" and the
// notice that the remote user is typing. The conversation is shown as plain text: whatever the
// remote user writes, markup and links included, is only ever text here.
class TAdminChatForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int FormWidth = 600;
    static constexpr int FormHeight = 385;

    explicit TAdminChatForm(RemoteChat *chat, QWidget *mainWindow = nullptr);

    QTextEdit *display() const { return DisplayMemo; }
    QPlainTextEdit *input() const { return LocalMemo; }
    QLabel *head() const { return LblChat; }
    QLabel *typingNotice() const { return LblTyping; }
    QCheckBox *logCheck() const { return ChkLogChat; }
    QPushButton *sendButton() const { return BttnSend; }
    bool typingTimerActive() const { return Timer1.isActive(); }

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void FormShow(bool hostRequested);
    void ApplyTexts();
    void BttnSendClick();
    void UpdateDisplay(bool remote, const QString &line);
    void ShowTyping(bool typing);
    void Timer1Timer();

    RemoteChat *Chat;
    QWidget *MainWindow;
    QLabel *LblChat;
    QTextEdit *DisplayMemo;
    QPlainTextEdit *LocalMemo;
    QPushButton *BttnSend, *BttnClose, *BttnMinimize;
    QCheckBox *ChkLogChat;
    QLabel *LblTyping, *ImgTyping;
    QTimer Timer1;
    int BlinkCount = 0;
    bool HostRequested = false;
};
