#include "common/VersionText.h"
#include "common/BuildInfo.h"

QString GetVersionText(int layout) {
    using namespace BuildInfo;
    switch (layout) {
    case 0:
        return QStringLiteral("%1.%2.%3.%4")
            .arg(VersionMajor)
            .arg(VersionMinor)
            .arg(VersionRelease)
            .arg(VersionBuild);
    case 1:
        return QStringLiteral("%1%2%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRelease);
    case 2:
        return QStringLiteral("%1.%2%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRelease);
    default:
        return QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRelease);
    }
}
