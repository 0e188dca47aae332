#include "ProcessTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qhost::ProcessTable {

namespace {
// A system runs a few thousand processes; the report keeps within the console's bounds.
constexpr int kMaxProcesses = 8000;

QString userName(uint uid, QHash<uint, QString> &names) {
    const auto it = names.constFind(uid);
    if (it != names.constEnd())
        return *it;
    struct passwd pw {};
    struct passwd *found = nullptr;
    char buffer[4096];
    QString name = QString::number(uid);
    if (getpwuid_r(uid, &pw, buffer, sizeof buffer, &found) == 0 && found)
        name = QString::fromLocal8Bit(found->pw_name);
    names.insert(uid, name);
    return name;
}

QByteArray readSmall(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(4096) : QByteArray();
}
} // namespace

QString programOf(qint64 pid) {
    const QString dir = QStringLiteral("/proc/%1").arg(pid);
    const QString exe = QFile::symLinkTarget(dir + QStringLiteral("/exe"));
    if (!exe.isEmpty())
        return exe;
    // Another user's process, or a kernel thread: the kernel's short name.
    const QByteArray comm = readSmall(dir + QStringLiteral("/comm")).trimmed();
    return comm.isEmpty() ? QString() : QStringLiteral("[%1]").arg(QString::fromLocal8Bit(comm));
}

QList<Process> list() {
    QList<Process> processes;
    QHash<uint, QString> names;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || pid <= 0)
            continue;
        Process p;
        p.pid = pid;
        p.program = programOf(pid);
        if (p.program.isEmpty())
            continue; // ended meanwhile
        const QList<QByteArray> statm =
            readSmall(QStringLiteral("/proc/%1/statm").arg(pid)).split(' ');
        if (statm.size() > 1)
            p.memoryKb = statm[1].toLongLong() * (sysconf(_SC_PAGESIZE) / 1024);
        struct stat st {};
        if (::stat(QFile::encodeName(QStringLiteral("/proc/%1").arg(pid)).constData(), &st) == 0)
            p.user = userName(st.st_uid, names);
        processes.append(p);
        if (processes.size() >= kMaxProcesses)
            break;
    }
    std::sort(processes.begin(), processes.end(),
              [](const Process &a, const Process &b) { return a.pid < b.pid; });
    return processes;
}

QByteArray end(const ToolCommands::ProcessRequest &request) {
    // The host program itself is not the console's to end: the user's Stop ends a session.
    if (request.pid == qint64(::getpid()))
        return "Access denied";
    const QString program = programOf(request.pid);
    // The identifier may have been reused since the report: only the program the operator saw.
    if (program.isEmpty() || program != request.program)
        return "Process not found";
    if (::kill(pid_t(request.pid), SIGTERM) == 0)
        return "OK";
    return errno == EPERM ? QByteArray("Access denied") : QByteArray("Process not found");
}

} // namespace qhost::ProcessTable
