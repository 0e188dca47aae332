#include "PostgresFixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <csignal>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The socket's name carries the port, even without TCP.
constexpr int kPort = 5432;
} // namespace

PostgresFixture::PostgresFixture() = default;

PostgresFixture::~PostgresFixture() {
    stop();
}

QString PostgresFixture::binDir() {
    // Debian keeps the server's programs out of PATH, one folder per major version.
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(found.begin(), found.end(),
              [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &v : found) {
        const QString bin = versions.filePath(v + QStringLiteral("/bin"));
        if (QFileInfo(bin + QStringLiteral("/initdb")).isExecutable() &&
            QFileInfo(bin + QStringLiteral("/postgres")).isExecutable())
            return bin;
    }
    return {};
}

QStringList PostgresFixture::asOwner(const QString &program, const QStringList &args) const {
    if (::geteuid() != 0)
        return QStringList{program} + args;
    // setpriv replaces itself with the program: the process the test holds is the server.
    return QStringList{QStringLiteral("setpriv"),          QStringLiteral("--reuid=postgres"),
                       QStringLiteral("--regid=postgres"), QStringLiteral("--clear-groups"),
                       QStringLiteral("--reset-env"),      program} +
           args;
}

QString PostgresFixture::run(const QString &program, const QStringList &args, int timeoutMs) {
    const QStringList command = asOwner(program, args);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(m_dir.path());
    p.start(command.first(), command.mid(1));
    if (!p.waitForFinished(timeoutMs))
        return QStringLiteral("%1 did not finish").arg(program);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromLocal8Bit(p.readAll());
    return {};
}

bool PostgresFixture::start(QString *error) {
    const QString bin = binDir();
    if (bin.isEmpty())
        return *error = QStringLiteral("PostgreSQL's server is not installed"), false;
    if (!m_dir.isValid())
        return *error = QStringLiteral("no temporary directory"), false;
    const QByteArray dir = QFile::encodeName(m_dir.path());
    ::chmod(dir.constData(), 0755);
    if (::geteuid() == 0) {
        const passwd *pw = ::getpwnam("postgres");
        if (!pw || ::chown(dir.constData(), pw->pw_uid, pw->pw_gid) != 0)
            return *error = QStringLiteral("running as root without a postgres user"), false;
    }
    const QString data = m_dir.filePath(QStringLiteral("data"));
    const QString failed =
        run(bin + QStringLiteral("/initdb"),
            {QStringLiteral("-D"), data, QStringLiteral("-U"), QStringLiteral("postgres"),
             QStringLiteral("--auth=trust"), QStringLiteral("--encoding=UTF8"),
             QStringLiteral("--locale=C"), QStringLiteral("--no-sync")},
            120000);
    if (!failed.isEmpty())
        return *error = QStringLiteral("initdb: ") + failed, false;

    const QStringList command = asOwner(bin + QStringLiteral("/postgres"),
                                        {QStringLiteral("-D"), data, QStringLiteral("-k"),
                                         m_dir.path(), QStringLiteral("-p"), QString::number(kPort),
                                         QStringLiteral("-c"), QStringLiteral("listen_addresses="),
                                         QStringLiteral("-c"), QStringLiteral("fsync=off")});
    m_server.setProcessChannelMode(QProcess::ForwardedChannels);
    m_server.setWorkingDirectory(m_dir.path());
    m_server.start(command.first(), command.mid(1));
    if (!m_server.waitForStarted(10000))
        return *error = QStringLiteral("postgres did not start"), false;
    // Ready when the server has written its pid file's last line ("ready" status).
    const QString pidFile = data + QStringLiteral("/postmaster.pid");
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired() && m_server.state() == QProcess::Running) {
        QFile f(pidFile);
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains("ready"))
            return true;
        QThread::msleep(50);
    }
    stop();
    return *error = QStringLiteral("postgres did not become ready"), false;
}

void PostgresFixture::stop() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    // SIGINT: the fast shutdown, which ends the gateways' connections without waiting.
    ::kill(pid_t(m_server.processId()), SIGINT);
    if (!m_server.waitForFinished(30000))
        m_server.kill();
}

QByteArray PostgresFixture::connectionString() const {
    return "host=" + QFile::encodeName(m_dir.path()) + " port=" + QByteArray::number(kPort) +
           " dbname=postgres user=postgres";
}
