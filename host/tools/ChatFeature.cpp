#include "ChatFeature.h"

#include "ChatView.h"
#include "common/Cp1252.h"

namespace qhost {

ChatFeature::ChatFeature(ConsoleLink &link, std::function<std::unique_ptr<ChatView>()> makeView,
                         QObject *parent)
    : HostFeature(link, parent), m_makeView(std::move(makeView)) {}

ChatFeature::~ChatFeature() = default;

ChatView *ChatFeature::view() {
    if (!m_view && m_makeView) {
        m_view = m_makeView();
        if (!m_view)
            return nullptr;
        m_view->inputChanged = [this](bool hasText) { userTyping(hasText); };
        m_view->sent = [this](const QString &text) {
            if (!text.isEmpty())
                link().say("ChSt?" + toCp1252(text.left(kMaxLineChars)));
        };
        m_view->closedByUser = [this] {
            m_typing = false;
            link().say("StCh");
            emit activity(tr("Chat with the operator"), -1);
        };
    }
    return m_view.get();
}

bool ChatFeature::isOpen() const {
    return m_view && m_view->isOpen();
}

void ChatFeature::userTyping(bool hasText) {
    // One "RTpg" per run of typing and one "RsTp" when the input is emptied, as the console
    // does it the other way.
    if (hasText == m_typing)
        return;
    m_typing = hasText;
    link().say(hasText ? "RTpg" : "RsTp");
}

bool ChatFeature::command(const QByteArray &code, const QByteArray &parameter) {
    if (code == "RqCh") {
        ChatView *v = view();
        if (!v) {
            link().say("ChDn");
        } else if (!v->isOpen()) {
            m_typing = false;
            v->open(true);
            emit activity(tr("Chat with the operator"), 0);
        }
        return true;
    }
    if (code == "ChSt") {
        // A line may come before the window (the console's "RqCh" was lost): it opens it.
        if (ChatView *v = view()) {
            if (!v->isOpen()) {
                m_typing = false;
                v->open(true);
                emit activity(tr("Chat with the operator"), 0);
            }
            v->showOperatorTyping(false);
            QString text = fromCp1252(parameter);
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            v->showOperatorLine(text);
        }
        return true;
    }
    if (code == "StCh") {
        if (isOpen()) {
            m_view->close();
            emit activity(tr("Chat with the operator"), -1);
        }
        m_typing = false;
        return true;
    }
    if (code == "RTpg" || code == "RsTp") {
        if (isOpen())
            m_view->showOperatorTyping(code == "RTpg");
        return true;
    }
    return false;
}

void ChatFeature::openByUser() {
    ChatView *v = view();
    if (!v || v->isOpen())
        return;
    m_typing = false;
    v->open(false);
    link().say("RqCh");
    emit activity(tr("Chat with the operator"), 0);
}

void ChatFeature::sessionEnded() {
    if (isOpen()) {
        m_view->close();
        emit activity(tr("Chat with the operator"), -1);
    }
    m_typing = false;
}

} // namespace qhost
