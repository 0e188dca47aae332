#include "common/AppFolders.h"
#include "transfer/uFileUtils.h"

#include <QDir>
#include <QStandardPaths>

namespace {
QString withSlash(QString p) {
    if (!p.endsWith(QLatin1Char('/')))
        p.append(QLatin1Char('/'));
    return p;
}
} // namespace

AppFolders ComputeAppFolders(const QString &executableName) {
    AppFolders f;
    f.Home = withSlash(SpecialFolderPath(26) + QStringLiteral("/Quorvia"));
    f.SettingsFile = f.Home + executableName + QStringLiteral(".ini");
    f.Sounds = f.Home + QStringLiteral("Sounds/");
    const QString documents = withSlash(SpecialFolderPath(5) + QStringLiteral("/Quorvia"));
    f.SnapShots = documents + QStringLiteral("SnapShots/");
    f.Recorded = documents + QStringLiteral("Recorded/");
    f.SessionLogs = f.Home + QStringLiteral("SessionLogs/");
    f.MailAddresses = f.Home + QStringLiteral("MailAdresses/");
    f.MailAddressFile = f.MailAddresses + QStringLiteral("mAddr.dat");
    f.Cache = withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                        QStringLiteral("/Quorvia"));
    return f;
}

FolderCreation CreateAppFolders(const AppFolders &f) {
    FolderCreation result;
    QDir dir;
    dir.mkpath(f.Home);
    dir.mkpath(f.Sounds);
    result.snapShotsCreated = dir.mkpath(f.SnapShots);
    dir.mkpath(f.Recorded);
    dir.mkpath(f.SessionLogs);
    dir.mkpath(f.MailAddresses);
    dir.mkpath(f.Cache);
    return result;
}

AppFolders &appFolders() {
    static AppFolders folders;
    return folders;
}
