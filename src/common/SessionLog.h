#pragma once
#include <QString>

// The session log: one readable line per landmark of a support session, written only when the
// operator switched it on. Every failure is swallowed: the log must never stop a session.
void SetSessionLogFile(const QString &path); // chosen at each logon
QString SessionLogFile();
void WriteSessionLog(const QString &line);
