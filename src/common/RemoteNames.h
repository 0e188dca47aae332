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

// Longest remote file name accepted, in characters and in UTF-8 bytes (what the local file
// systems take for one name).
inline constexpr int kMaxRemoteFileNameLength = 255;

// True for a file name that may come from the remote side and be written here, or go from
// here into a folder on the remote computer: exactly one path component, so nothing can lead
// it out of its folder on either system. Refused: empty or overlong names; "/" and "\";
// ":" (a drive letter or a Windows stream); control characters; names of only dots and
// blanks ("." and ".." among them); and the Windows device names (CON, PRN, AUX, NUL,
// COM1-9, LPT1-9, CONIN$, CONOUT$), also with an extension, which open a device there.
bool IsSafeRemoteFileName(const QString &name);
