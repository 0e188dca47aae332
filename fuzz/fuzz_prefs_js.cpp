// A browser's prefs.js and profiles.ini are files anyone may have edited by hand: any bytes
// must read without fault, and yield at most a proxy configuration.
#include "settings/uProxy_Net.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto prefs = ParseMozillaPrefs(input);
    for (auto it = prefs.cbegin(); it != prefs.cend(); ++it) {
        if (!it.key().startsWith(QLatin1String("network.proxy.")))
            abort();
    }
    const DesktopProxySettings settings = ProxySettingsFromPrefs(prefs);
    if (settings.mode == DesktopProxySettings::ScriptUrl && settings.scriptUrl.isEmpty())
        abort();
    (void)ProfileFromProfilesIni(input);
    return 0;
}
