// The invitation's address check and the saved-address list: any bytes, typed or read from
// "mAddr.dat".
#include "ui/Invitation.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 64 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool valid = IsValidEmailBytes(bytes);
    // Anything valid has "@" and a dot after it, and no line break outside a quoted string.
    if (valid && (!bytes.contains('@') || bytes.lastIndexOf('.') < bytes.lastIndexOf('@')))
        __builtin_trap();
    (void)IsValidEmail(QString::fromUtf8(bytes));
    const QStringList list = ParseMailList(bytes);
    if (list.size() > MaxMailListEntries)
        __builtin_trap();
    for (const QString &a : list)
        if (a.size() > MaxMailAddressLength || a.contains(QLatin1Char('\n')))
            __builtin_trap();
    return 0;
}
