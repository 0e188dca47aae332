#pragma once
#include <QString>

#include <optional>

namespace qhost {

// The key the operator passed on: the session key (ending with a letter) followed directly by
// the number of the gateway that runs the session.
struct JoinKey {
    QString text;       // the whole key, as the gateway takes it
    QString sessionKey; // without the number
    int gateway = 0;
};

// What the user typed or pasted, passed on the command line or found in the invitation's
// setup link ("…/logon.aspx?key=KEY"). Spaces around it are forgiven; anything else that is
// not a key gives nothing.
std::optional<JoinKey> ParseJoinKey(const QString &typed);

} // namespace qhost
