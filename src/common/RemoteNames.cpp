#include "common/RemoteNames.h"
#include "common/TraceRing.h"

bool IsSessionKeyText(const QString &key) {
    if (key.isEmpty() || key.size() > 64)
        return false;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        const bool letterOrDigit =
            (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9');
        if (!letterOrDigit)
            return false;
    }
    return true;
}

QString SessionKeyFilePath(const QString &folder, const QString &prefix, const QString &key,
                           const QString &suffix) {
    if (IsSessionKeyText(key))
        return folder + prefix + key + suffix;
    AddTrace(kTraceUnfitSessionKey,
             QStringLiteral("Key unfit for a file name, length %1").arg(key.size()));
    return folder + prefix + QStringLiteral("session") + suffix;
}

bool IsSafeRemoteFileName(const QString &name) {
    if (name.isEmpty() || name.size() > kMaxRemoteFileNameLength ||
        name.toUtf8().size() > kMaxRemoteFileNameLength)
        return false;
    bool onlyDotsAndBlanks = true;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == '/' || u == '\\' || u == ':')
            return false;
        if (u != '.' && u != ' ')
            onlyDotsAndBlanks = false;
    }
    if (onlyDotsAndBlanks)
        return false;
    // Windows takes the part before the first dot, with trailing blanks dropped, as the device.
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const char *const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char *d : devices)
        if (stem == QLatin1String(d))
            return false;
    if (stem.size() == 4 &&
        (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT")))) {
        const QChar digit = stem[3];
        // Windows also treats the superscript digits as port numbers.
        if ((digit >= QLatin1Char('1') && digit <= QLatin1Char('9')) || digit == QChar(0xb9) ||
            digit == QChar(0xb2) || digit == QChar(0xb3))
            return false;
    }
    return true;
}
