#pragma once
#include <QString>
#include <QtGlobal>

#include <optional>

// The console's own commands during a session. Every key then belongs to the remote computer,
// so the window's shortcuts cannot fire; Right Ctrl (the host key) held with one of these
// letters runs the command instead and nothing reaches the remote computer. The letters are
// fixed, not taken from the captions, so they are the same in every language.
namespace HostKeys {

enum Command : int {
    EndSession,
    Exit,
    FullScreen,
    TransferFile,
    HostInfo,
    Chat,
    Screenshot,
    Refresh,
    CommandCount
};

// The letter of a command, an upper-case ASCII letter (also its virtual key).
char letter(Command command);
// The command whose letter is this virtual key, if any.
std::optional<Command> commandForVirtualKey(quint32 virtualKey);
// "Right Ctrl+D" in the current language.
QString text(Command command);
// What the command does, as a catalog text ("End support session").
const char *caption(Command command);

} // namespace HostKeys
