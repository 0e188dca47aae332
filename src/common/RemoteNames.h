#pragma once
#include <QString>

// Texts that come from the gateway or the host become parts of local paths only through here,
// so that no such text can lead a file out of the console's folders or name a device.

// Trace event written when a session key was not fit to be part of a file name.
inline constexpr int kTraceUnfitSessionKey = 70;

// True for a key as the gateway hands them out: 1 to 64 ASCII letters and digits.
bool IsSessionKeyText(const QString &key);

// folder + prefix + key + suffix when IsSessionKeyText(key); otherwise folder + prefix +
// "session" + suffix, and trace event 70 records that the key was refused (its length only:
// the text itself may be anything).
QString SessionKeyFilePath(const QString &folder, const QString &prefix, const QString &key,
                           const QString &suffix);
