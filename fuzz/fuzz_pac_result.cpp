// A proxy script's answer and the proxy texts of environment variables and desktop settings
// come from outside: any text must parse without fault, and within the bounds.
#include "platform/ProxySources.h"
#include "settings/ProxyInfo.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QStringList skipped;
    const TServerSpecList list = ParsePacAnswer(text, &skipped);
    if (list.size() > MaxPacAnswerItems)
        abort();
    for (const TServerSpec &server : list) {
        if (server.Kind == 1 && server.Host.isEmpty())
            abort();
    }

    bool socks = false;
    const QString server = ProxyServerFromUrlText(text, &socks);
    // What the environment reader makes of a value must read back as a server.
    if (!server.isEmpty() && ParseServerSpec(server).Kind != 1)
        abort();
    (void)ParseServerSpec(text);

    const QStringList bypass = BypassStringFromList(text).split(QLatin1Char(';'));
    (void)HostBypassed(QStringLiteral("www.quorvia.example"), bypass, true);
    (void)HostBypassed(text.left(300), {QStringLiteral("*.example"), QStringLiteral("10.0.0.0/8")},
                       false);
    return 0;
}
