#pragma once
#include <QString>

// The local computer's name as Windows would report it: the host name without its domain,
// upper-cased and cut to 15 characters like a NetBIOS name. It keys the password cipher and
// is sent at logon, so it must not change while the program runs: it is read once.
QString ComputerName();

// The rule itself, for any host name. An empty name gives "LOCALHOST".
QString ComputerNameFromHostName(const QString &hostName);
