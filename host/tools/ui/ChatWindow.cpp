#include "ChatWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace qhost {

ChatWindow::ChatWindow(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setWindowTitle(tr("Chat with your support operator"));
    setAccessibleName(windowTitle());
    resize(480, 360);

    m_head = new QLabel(this);
    m_display = new QTextEdit(this);
    m_display->setReadOnly(true);
    m_display->setAcceptRichText(false);
    m_display->setAccessibleName(tr("Conversation"));
    // Read and copied from the keyboard too (Tab reaches it after Close).
    m_display->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_display->setTabChangesFocus(true);
    m_typing = new QLabel(tr("The operator is typing a message"), this);
    m_typing->setAccessibleName(m_typing->text());
    m_typing->hide();
    m_input = new QPlainTextEdit(this);
    m_input->setAccessibleName(tr("Your message"));
    m_input->setAccessibleDescription(tr("Enter sends the message, Shift+Enter starts a new line"));
    m_input->setTabChangesFocus(true);
    m_input->setMaximumHeight(90);
    m_input->installEventFilter(this);
    m_send = new QPushButton(tr("&Send"), this);
    m_send->setAccessibleName(tr("Send"));
    m_close = new QPushButton(tr("&Close"), this);
    m_close->setAccessibleName(tr("Close the chat"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_typing);
    buttons->addStretch();
    buttons->addWidget(m_send);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_head);
    layout->addWidget(m_display, 1);
    layout->addWidget(m_input);
    layout->addLayout(buttons);
    setTabOrder(m_input, m_send);
    setTabOrder(m_send, m_close);
    setTabOrder(m_close, m_display);

    connect(m_send, &QPushButton::clicked, this, &ChatWindow::send);
    connect(m_close, &QPushButton::clicked, this, [this] { QWidget::close(); });
    connect(m_input, &QPlainTextEdit::textChanged, this, [this] {
        const bool hasText = !m_input->toPlainText().isEmpty();
        if (hasText != m_hadText) {
            m_hadText = hasText;
            if (inputChanged)
                inputChanged(hasText);
        }
    });
}

void ChatWindow::open(bool operatorAsked) {
    m_head->setText(operatorAsked ? tr("Your support operator would like to chat with you.")
                                  : tr("Write to your support operator."));
    m_display->clear();
    m_input->clear();
    m_typing->hide();
    show();
    raise();
    activateWindow();
    m_input->setFocus();
}

void ChatWindow::close() {
    m_closingHere = true;
    QWidget::close();
    m_closingHere = false;
}

void ChatWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    m_typing->hide();
    if (!m_closingHere && closedByUser)
        closedByUser();
}

bool ChatWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & Qt::ShiftModifier)) {
            send();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChatWindow::send() {
    const QString text = m_input->toPlainText();
    if (!text.trimmed().isEmpty()) {
        if (sent)
            sent(text);
        addLine(tr("You"), text, QColor(0, 0, 128));
        m_input->clear(); // the emptied input tells the operator the typing stopped
    }
    m_input->setFocus();
}

void ChatWindow::addLine(const QString &who, const QString &text, const QColor &colour) {
    // Inserted as text, never parsed: what the operator writes cannot become markup here.
    QTextCursor cursor(m_display->document());
    cursor.movePosition(QTextCursor::End);
    if (!m_display->document()->isEmpty())
        cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(colour);
    cursor.insertText(who + QStringLiteral(": ") + text, format);
    m_display->setTextCursor(cursor);
    m_display->ensureCursorVisible();
}

void ChatWindow::showOperatorLine(const QString &text) {
    m_typing->hide();
    addLine(tr("Operator"), text, QColor(160, 0, 0));
}

void ChatWindow::showOperatorTyping(bool typing) {
    m_typing->setVisible(typing);
}

QString ChatWindow::conversation() const {
    return m_display->toPlainText();
}

std::unique_ptr<ChatView> MakeChatWindow() {
    return std::make_unique<ChatWindow>();
}

} // namespace qhost
