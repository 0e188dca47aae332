#include "SquidFixture.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray md5(const QByteArray &data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Md5);
}

quint16 freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

QString readFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(f.readAll().right(8000));
}

bool writeFile(const QString &path, const QByteArray &data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

} // namespace

SquidFixture::SquidFixture() = default;

SquidFixture::~SquidFixture() {
    stop();
}

QString SquidFixture::squidBinary() {
    if (QFileInfo(QStringLiteral("/usr/sbin/squid")).isExecutable())
        return QStringLiteral("/usr/sbin/squid");
    return QStandardPaths::findExecutable(QStringLiteral("squid"));
}

QString SquidFixture::basicAuthHelper() {
    for (const char *p : {"/usr/lib/squid/basic_ncsa_auth", "/usr/lib64/squid/basic_ncsa_auth",
                          "/usr/libexec/squid/basic_ncsa_auth"}) {
        if (QFileInfo(QString::fromLatin1(p)).isExecutable())
            return QString::fromLatin1(p);
    }
    return {};
}

QByteArray SquidFixture::apr1Hash(const QByteArray &password, const QByteArray &saltIn) {
    static const char itoa64[] = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const QByteArray magic = "$apr1$";
    const QByteArray salt = saltIn.left(8);

    QByteArray ctx = password + magic + salt;
    const QByteArray alt = md5(password + salt + password);
    for (qsizetype left = password.size(); left > 0; left -= 16)
        ctx += alt.left(std::min<qsizetype>(16, left));
    for (qsizetype i = password.size(); i; i >>= 1)
        ctx += (i & 1) ? QByteArray(1, '\0') : password.left(1);
    QByteArray final = md5(ctx);

    for (int i = 0; i < 1000; ++i) {
        QByteArray c;
        c += (i & 1) ? password : final;
        if (i % 3)
            c += salt;
        if (i % 7)
            c += password;
        c += (i & 1) ? final : password;
        final = md5(c);
    }

    auto b = [&](int i) { return quint32(quint8(final[i])); };
    QByteArray out = magic + salt + '$';
    auto to64 = [&](quint32 v, int n) {
        while (n-- > 0) {
            out += itoa64[v & 0x3f];
            v >>= 6;
        }
    };
    to64((b(0) << 16) | (b(6) << 8) | b(12), 4);
    to64((b(1) << 16) | (b(7) << 8) | b(13), 4);
    to64((b(2) << 16) | (b(8) << 8) | b(14), 4);
    to64((b(3) << 16) | (b(9) << 8) | b(15), 4);
    to64((b(4) << 16) | (b(10) << 8) | b(5), 4);
    to64(b(11), 2);
    return out;
}

bool SquidFixture::start(const QByteArray &user, const QByteArray &password, QString *error) {
    auto fail = [&](const QString &text) {
        if (error)
            *error = text + QStringLiteral("\n--- cache.log ---\n") + cacheLog();
        stop();
        return false;
    };
    const QString squid = squidBinary();
    const QString helper = basicAuthHelper();
    if (squid.isEmpty() || helper.isEmpty())
        return fail(QStringLiteral("squid or basic_ncsa_auth is not installed"));
    if (!m_dir.isValid())
        return fail(QStringLiteral("no temporary directory"));

    m_port = freePort();
    if (m_port == 0)
        return fail(QStringLiteral("no free port"));

    const QString dir = m_dir.path();
    const QByteArray d = QFile::encodeName(dir);
    if (!writeFile(dir + QStringLiteral("/hosts"), "127.0.0.1 localhost\n"))
        return fail(QStringLiteral("cannot write the hosts file"));
    if (!writeFile(dir + QStringLiteral("/htpasswd"),
                   user + ':' + apr1Hash(password, "q7Zx9kLp") + '\n'))
        return fail(QStringLiteral("cannot write htpasswd"));

    QByteArray conf;
    conf += "http_port 127.0.0.1:" + QByteArray::number(m_port) + "\n";
    conf += "pid_filename " + d + "/squid.pid\n";
    conf += "cache_log " + d + "/cache.log\n";
    conf += "access_log stdio:" + d + "/access.log\n";
    conf += "cache_store_log none\n";
    conf += "netdb_filename none\n";
    conf += "coredump_dir " + d + "\n";
    conf += "cache deny all\n";
    conf += "cache_mem 8 MB\n";
    conf += "pinger_enable off\n";
    conf += "shutdown_lifetime 0 seconds\n";
    conf += "visible_hostname quorvia-test-proxy\n";
    // The test servers listen on 127.0.0.1 only; where the system's hosts file also gives ::1
    // for localhost (a stock Debian one does), squid would try that first and may answer 503.
    conf += "hosts_file " + d + "/hosts\n";
    conf += "max_filedescriptors 1024\n";
    conf += "auth_param basic program " + QFile::encodeName(helper) + " " + d + "/htpasswd\n";
    conf += "auth_param basic children 2 startup=1 idle=1\n";
    conf += "auth_param basic realm quorvia-test\n";
    conf += "acl authenticated proxy_auth REQUIRED\n";
    conf += "http_access allow authenticated\n";
    conf += "http_access deny all\n";

    if (::geteuid() == 0) {
        // squid drops root for this user; it must be able to read the password file and
        // write its logs and pid file.
        struct passwd *pw = ::getpwnam("proxy");
        if (!pw)
            pw = ::getpwnam("nobody");
        if (!pw)
            return fail(QStringLiteral("running as root but there is no proxy/nobody user"));
        conf += "cache_effective_user " + QByteArray(pw->pw_name) + "\n";
        if (::chown(d.constData(), pw->pw_uid, pw->pw_gid) != 0 ||
            ::chown((d + "/htpasswd").constData(), pw->pw_uid, pw->pw_gid) != 0)
            return fail(QStringLiteral("cannot hand the directory to %1")
                            .arg(QString::fromLocal8Bit(pw->pw_name)));
        ::chmod(d.constData(), 0755);
    }
    if (!writeFile(dir + QStringLiteral("/squid.conf"), conf))
        return fail(QStringLiteral("cannot write squid.conf"));

    m_process.setProgram(squid);
    m_process.setArguments(
        {QStringLiteral("-N"), QStringLiteral("-f"), dir + QStringLiteral("/squid.conf")});
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return fail(QStringLiteral("squid did not start: ") + m_process.errorString());

    // Ready when the port accepts connections.
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running)
            return fail(QStringLiteral("squid exited: ") +
                        QString::fromLocal8Bit(m_process.readAll()));
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(500))
            return true;
        QThread::msleep(100);
    }
    return fail(QStringLiteral("squid did not open its port"));
}

void SquidFixture::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString SquidFixture::cacheLog() const {
    return readFile(m_dir.path() + "/cache.log");
}

QString SquidFixture::accessLog() const {
    return readFile(m_dir.path() + "/access.log");
}
