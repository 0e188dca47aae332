// The output of gsettings and the kioslaverc file are read as they come: any bytes must give
// a configuration or nothing, without fault.
#include "platform/ProxySources.h"
#include "settings/ProxyInfo.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ProxySources none;
    for (const DesktopProxySettings &settings :
         {ParseGsettingsProxy(input), ParseKioslaverc(input, none)}) {
        if (settings.mode == DesktopProxySettings::ScriptUrl)
            continue; // applying it would fetch the script
        TProxyInfo info;
        info.Apply(settings, none);
        TServerSpecList list;
        info.FindProxy(QStringLiteral("https://www.quorvia.example/"), list);
        if (list.size() != 1)
            abort();
    }
    return 0;
}
