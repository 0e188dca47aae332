// What the host's support tools read from the console's commands: the service and process
// actions' parameters, remote paths mapped onto the drives, and (from the kernel, but read the
// same careful way) the mount table. Every answer stays inside its bounds and its drive.
#include "HostFiles.h"
#include "MountTable.h"
#include "ToolCommands.h"
#include "common/Cp1252.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace qhost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 64 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    if (const auto s = ToolCommands::parseServiceRequest(bytes)) {
        if (s->name.isEmpty() || s->name.size() > ToolCommands::kMaxNameBytes)
            __builtin_trap();
        if (const auto unit = ToolCommands::serviceUnitName(s->name)) {
            if (!unit->endsWith(QLatin1String(".service")) || unit->contains(QLatin1Char('/')) ||
                unit->startsWith(QLatin1Char('-')))
                __builtin_trap();
        }
    }
    if (const auto p = ToolCommands::parseProcessRequest(bytes)) {
        if (p->pid <= 0 || p->pid > (qint64(1) << 22) ||
            p->program.size() > ToolCommands::kMaxNameBytes)
            __builtin_trap();
    }

    for (const QString &v : MountTable::userVolumes(bytes)) {
        if (!(v.startsWith(QLatin1String("/media/")) ||
              v.startsWith(QLatin1String("/run/media/")) || v.startsWith(QLatin1String("/mnt"))) ||
            v.contains(QLatin1String("/../")))
            __builtin_trap();
    }

    // A remote path as the console sends it: it maps into its drive or to nothing.
    static QTemporaryDir root;
    static hostside::HostFiles files(QList<hostside::HostFiles::Drive>{
        {QStringLiteral("C"), root.path() + QStringLiteral("/c"), 3},
        {QStringLiteral("D"), root.path() + QStringLiteral("/d"), 2}});
    static const bool made = QDir().mkpath(root.path() + QStringLiteral("/c")) &&
                             QDir().mkpath(root.path() + QStringLiteral("/d"));
    (void)made;
    const QString local = files.localPath(fromCp1252(bytes));
    if (!local.isEmpty()) {
        if (!local.startsWith(root.path() + QStringLiteral("/c")) &&
            !local.startsWith(root.path() + QStringLiteral("/d")))
            __builtin_trap();
        if (local.contains(QLatin1String("/../")) || local.endsWith(QLatin1String("/..")) ||
            local.contains(QChar(0)))
            __builtin_trap();
    }
    return 0;
}
