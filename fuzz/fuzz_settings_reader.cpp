// Settings files are edited by hand and carried between computers: any bytes must load, and
// what the store writes must read back to the very same file.
#include "settings/PasswordCipher.h"
#include "settings/PrivateProfile.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <cstdint>
#include <cstdlib>

namespace {
const ScreenGeometry Screen{QRect(0, 0, 1920, 1040), QSize(1920, 1080)};

QByteArray loadAndStore(const QByteArray &file) {
    static const PasswordCipher cipher(QStringLiteral("FUZZPC"));
    PrivateProfile profile;
    profile.parse(file);
    Settings settings;
    ServiceConfig service;
    SettingsStore store(settings, service, cipher);
    store.load(profile, Screen);
    PrivateProfile written;
    store.store(written);
    return written.serialize();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // The whole file kept and updated, as SaveSettings does it.
    PrivateProfile kept;
    kept.parse(input);
    kept.setValue(QStringLiteral("Data"), QStringLiteral("UserCode"), QStringLiteral("x\ny"));
    (void)kept.serialize();

    const QByteArray once = loadAndStore(input);
    if (loadAndStore(once) != once)
        abort();
    return 0;
}
