#pragma once
#include "ChatView.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace qhost {

// The remote user's chat window: the conversation (texts shown as plain text only), the
// operator's typing notice, an input where Enter sends and Shift+Enter starts a new line, and
// Send and Close. It stays on top so the user sees the operator's lines while working.
class ChatWindow : public QWidget, public ChatView {
    Q_OBJECT
public:
    explicit ChatWindow(QWidget *parent = nullptr);

    void open(bool operatorAsked) override;
    void close() override;
    bool isOpen() const override { return isVisible(); }
    void showOperatorLine(const QString &text) override;
    void showOperatorTyping(bool typing) override;

    QString conversation() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void send();
    void addLine(const QString &who, const QString &text, const QColor &colour);

    QLabel *m_head;
    QTextEdit *m_display;
    QLabel *m_typing;
    QPlainTextEdit *m_input;
    QPushButton *m_send;
    QPushButton *m_close;
    bool m_hadText = false;
    bool m_closingHere = false;
};

// The window as the tools' options take it.
std::unique_ptr<ChatView> MakeChatWindow();

} // namespace qhost
