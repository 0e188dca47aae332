#pragma once
#include <QString>

// The session log: one readable line per landmark of a support session, written only when the
// operator switched it on. Every failure is swallowed: the log must never stop a session.
void SetSessionLogFile(const QString &path); // chosen at each logon
// The log of a session key: the session log folder + key + ".txt", or "session.txt" there for
// a key that is not fit for a file name (see SessionKeyFilePath).
QString SessionLogPathForKey(const QString &key);
QString SessionLogFile();
void WriteSessionLog(const QString &line);
