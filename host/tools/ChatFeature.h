#pragma once
#include "HostFeature.h"

#include <functional>
#include <memory>

namespace qhost {

class ChatView;

// The chat between the operator and the remote user: "RqCh" opens the user's window (or
// "ChDn" when there is none to open), the operator's lines ("ChSt?t") and typing notices show
// in it, and the user's typing, lines and closing go back as "RTpg"/"RsTp", "ChSt?t" and
// "StCh". Texts cross in Windows-1252, as the console reads them.
class ChatFeature : public HostFeature {
    Q_OBJECT
public:
    // Longest line the user sends, in characters (the console shows it whole).
    static constexpr qsizetype kMaxLineChars = 16000;

    ChatFeature(ConsoleLink &link, std::function<std::unique_ptr<ChatView>()> makeView,
                QObject *parent = nullptr);
    ~ChatFeature() override;

    bool command(const QByteArray &code, const QByteArray &parameter) override;
    void sessionEnded() override;

    // The user opens the chat from the panel.
    void openByUser();
    bool isOpen() const;

private:
    ChatView *view();
    void userTyping(bool hasText);

    std::function<std::unique_ptr<ChatView>()> m_makeView;
    std::unique_ptr<ChatView> m_view;
    bool m_typing = false;
};

} // namespace qhost
