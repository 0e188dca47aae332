#include "ToolCommands.h"

#include "common/Cp1252.h"

namespace qhost::ToolCommands {

std::optional<ServiceRequest> parseServiceRequest(const QByteArray &parameter) {
    const qsizetype amp = parameter.lastIndexOf('&');
    if (amp <= 0 || amp > kMaxNameBytes)
        return std::nullopt;
    const QByteArray action = parameter.mid(amp + 1);
    if (action != "1" && action != "0")
        return std::nullopt;
    return ServiceRequest{fromCp1252(parameter.left(amp)), action == "1"};
}

std::optional<ProcessRequest> parseProcessRequest(const QByteArray &parameter) {
    const qsizetype amp = parameter.lastIndexOf('&');
    if (amp <= 0 || amp > kMaxNameBytes)
        return std::nullopt;
    const QByteArray digits = parameter.mid(amp + 1);
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return std::nullopt;
    const qint64 pid = digits.toLongLong();
    // Zero and the values above the kernel's limit would address process groups or nothing.
    if (pid <= 0 || pid > (qint64(1) << 22))
        return std::nullopt;
    return ProcessRequest{fromCp1252(parameter.left(amp)), pid};
}

std::optional<QString> serviceUnitName(const QString &name) {
    // systemd's own rule for unit names: at most 255 bytes of ASCII letters, digits and
    // ":-_.\@"; the template and instance forms keep their "@".
    if (name.isEmpty() || name.size() > 240)
        return std::nullopt;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                        (u >= '0' && u <= '9') || u == ':' || u == '-' || u == '_' || u == '.' ||
                        u == '\\' || u == '@';
        if (!ok)
            return std::nullopt;
    }
    if (name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char('-')))
        return std::nullopt;
    return name.endsWith(QLatin1String(".service")) ? name : name + QLatin1String(".service");
}

} // namespace qhost::ToolCommands
