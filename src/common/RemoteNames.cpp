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
