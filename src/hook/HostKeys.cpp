#include "hook/HostKeys.h"

#include "common/uLanguageMsg.h"

namespace HostKeys {
namespace {
// Letters on the base level of every Latin layout, away from Right Ctrl's neighbours that
// the remote computer needs more often (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z, Ctrl+A).
constexpr char Letters[CommandCount] = {'D', 'Q', 'F', 'E', 'I', 'H', 'S', 'R'};
constexpr const char *Captions[CommandCount] = {"End support session",        "Exit",
                                                "Switch to full screen mode", "Transfer file",
                                                "Get info client PC",         "Start chat session",
                                                "Save screenshot to desktop", "Refresh screen"};
} // namespace

char letter(Command command) {
    return Letters[command];
}

std::optional<Command> commandForVirtualKey(quint32 virtualKey) {
    for (int c = 0; c < CommandCount; ++c)
        if (virtualKey == quint32(Letters[c]))
            return Command(c);
    return std::nullopt;
}

const char *caption(Command command) {
    return Captions[command];
}

QString text(Command command) {
    return Msg("Right Ctrl") + QLatin1Char('+') + QLatin1Char(Letters[command]);
}

} // namespace HostKeys
