#include "platform/ComputerName.h"

#include <QSysInfo>

QString ComputerNameFromHostName(const QString &hostName) {
    QString name = hostName.section(QLatin1Char('.'), 0, 0).trimmed();
    if (name.isEmpty())
        name = QStringLiteral("localhost");
    return name.left(15).toUpper();
}

QString ComputerName() {
    static const QString name = ComputerNameFromHostName(QSysInfo::machineHostName());
    return name;
}
