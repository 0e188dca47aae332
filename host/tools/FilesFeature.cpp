#include "FilesFeature.h"

#include "MountTable.h"
#include "common/Cp1252.h"

#include <QDir>

namespace qhost {

namespace {
// The kinds the console gives a drive icon of its own: 2 a removable one, 3 a fixed one.
constexpr int kRemovable = 2;
constexpr int kFixed = 3;

// "P42" -> 42; -1 for anything else.
int percentOf(const QByteArray &status) {
    if (!status.startsWith('P') || status.size() > 4)
        return -1;
    bool ok = false;
    const int n = status.mid(1).toInt(&ok);
    return ok && n >= 0 && n <= 100 ? n : -1;
}

// The file name of "folder&name" for the panel only: the folder may hold "&" itself.
QString shownName(const QByteArray &parameter) {
    const qsizetype at = parameter.indexOf("\\&");
    QByteArray name = at >= 0 ? parameter.mid(at + 2) : parameter.mid(parameter.indexOf('&') + 1);
    if (name.startsWith('/'))
        name.remove(0, 1);
    return fromCp1252(name.left(255));
}
} // namespace

FilesFeature::FilesFeature(ConsoleLink &link, const QList<hostside::HostFiles::Drive> &drives,
                           QObject *parent)
    : HostFeature(link, parent), m_drives(drives) {
    start();
}

FilesFeature::~FilesFeature() = default;

QList<hostside::HostFiles::Drive> FilesFeature::userDrives() {
    QList<hostside::HostFiles::Drive> drives{{QStringLiteral("C"), QDir::homePath(), kFixed}};
    char letter = 'D';
    for (const QString &volume : MountTable::userVolumes())
        drives.append({QString(QLatin1Char(letter++)), volume, kRemovable});
    return drives;
}

void FilesFeature::start() {
    m_files = std::make_unique<hostside::HostFiles>(m_drives.isEmpty() ? userDrives() : m_drives);
    // The gateway keeps what the console fetches; the host need not.
    m_files->setKeepStored(false);
    connect(m_files.get(), &hostside::HostFiles::message, this, &FilesFeature::relay);
    connect(m_files.get(), &hostside::HostFiles::listDeposit, this,
            [this](const QByteArray &body) { link().deposit("list", body); });
    connect(m_files.get(), &hostside::HostFiles::fileStored, this,
            [this](const QByteArray &name, const QByteArray &body) { link().file(name, body); });
}

void FilesFeature::relay(const QByteArray &message) {
    link().say(message);
    const QByteArray status = message.mid(5);
    if (message.startsWith("SfSt?") && !m_sending.isEmpty()) {
        const int percent = percentOf(status);
        if (percent >= 0)
            emit activity(m_sending, percent);
        else if (status.startsWith("NOK"))
            emit activity(std::exchange(m_sending, {}), -1);
    } else if (message.startsWith("Sfil?") && !m_sending.isEmpty()) {
        emit activity(std::exchange(m_sending, {}), -1);
    } else if (message.startsWith("RfSt?") && !m_receiving.isEmpty()) {
        const int percent = percentOf(status);
        if (percent >= 0)
            emit activity(m_receiving, percent);
        else
            emit activity(std::exchange(m_receiving, {}), -1);
    }
}

bool FilesFeature::command(const QByteArray &code, const QByteArray &parameter) {
    // The file window asks for the drives when it opens: a stick plugged in since shows.
    if (code == "Drvs" && m_drives.isEmpty())
        m_files->setDrives(userDrives());
    if (code == "Sfil") {
        if (!m_sending.isEmpty())
            emit activity(m_sending, -1);
        m_sending = tr("Sending %1 to the operator").arg(shownName(parameter));
    }
    return m_files->command(code, parameter);
}

bool FilesFeature::upload(const QByteArray &folder, const QByteArray &name,
                          const QByteArray &body) {
    if (!m_receiving.isEmpty())
        emit activity(m_receiving, -1);
    m_receiving = tr("Receiving %1 from the operator").arg(shownName("&" + name));
    m_files->uploaded(folder, name, body);
    return true;
}

void FilesFeature::sessionEnded() {
    // Work under way is cancelled and waited for; the next session starts afresh.
    m_files.reset();
    for (QString *what : {&m_sending, &m_receiving})
        if (!what->isEmpty())
            emit activity(std::exchange(*what, {}), -1);
    start();
}

} // namespace qhost
