#pragma once

namespace qhost::x11 {

// The session manager's part of the remote actions. Locking goes to logind for the session this
// program runs in (the session's screen locker follows its Lock signal), else to the desktop's
// own commands.
bool LockSession();
// The desktop's system monitor, the first installed of the usual ones, else top in a terminal.
bool OpenTaskManager();

} // namespace qhost::x11
