#pragma once
#include <QString>

#include <functional>

namespace qhost {

// The remote user's chat window as the chat feature sees it, so that the feature runs without
// widgets. The feature sets the three callbacks; the window calls them from the user's actions.
class ChatView {
public:
    virtual ~ChatView() = default;

    // Shows the window; `operatorAsked`: the operator opened the chat, not the user.
    virtual void open(bool operatorAsked) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // A line of the operator's, shown as plain text.
    virtual void showOperatorLine(const QString &text) = 0;
    virtual void showOperatorTyping(bool typing) = 0;

    // The user's input became empty (false) or not (true).
    std::function<void(bool hasText)> inputChanged;
    // The user sent a line (never empty).
    std::function<void(const QString &text)> sent;
    // The user closed the window.
    std::function<void()> closedByUser;
};

} // namespace qhost
