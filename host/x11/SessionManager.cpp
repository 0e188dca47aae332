#include "x11/SessionManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

namespace qhost::x11 {

namespace {
const QString login1 = QStringLiteral("org.freedesktop.login1");
constexpr int busTimeoutMs = 5000;

QDBusMessage callManager(QDBusConnection &bus, const QString &method, const QVariant &arg) {
    QDBusMessage m =
        QDBusMessage::createMethodCall(login1, QStringLiteral("/org/freedesktop/login1"),
                                       QStringLiteral("org.freedesktop.login1.Manager"), method);
    m << arg;
    return bus.call(m, QDBus::Block, busTimeoutMs);
}

QString sessionPath(QDBusConnection &bus) {
    // The session the desktop was started in; a program started outside it (a user service)
    // has no session of its own, and logind's "auto" finds the user's display session.
    const QString id = qEnvironmentVariable("XDG_SESSION_ID");
    const QList<QPair<QString, QVariant>> tries = {
        {QStringLiteral("GetSession"), id},
        {QStringLiteral("GetSessionByPID"), uint(getpid())},
        {QStringLiteral("GetSession"), QStringLiteral("auto")},
    };
    for (const auto &[method, arg] : tries) {
        if (arg.typeId() == QMetaType::QString && arg.toString().isEmpty())
            continue;
        const QDBusMessage r = callManager(bus, method, arg);
        if (r.type() == QDBusMessage::ReplyMessage && !r.arguments().isEmpty())
            return r.arguments().constFirst().value<QDBusObjectPath>().path();
    }
    return {};
}

bool runQuietly(const QString &program, const QStringList &args) {
    if (QStandardPaths::findExecutable(program).isEmpty())
        return false;
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(busTimeoutMs) && p.exitStatus() == QProcess::NormalExit &&
           p.exitCode() == 0;
}
} // namespace

bool LockSession() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected()) {
        const QString path = sessionPath(bus);
        if (!path.isEmpty()) {
            const QDBusMessage r =
                bus.call(QDBusMessage::createMethodCall(
                             login1, path, QStringLiteral("org.freedesktop.login1.Session"),
                             QStringLiteral("Lock")),
                         QDBus::Block, busTimeoutMs);
            if (r.type() == QDBusMessage::ReplyMessage)
                return true;
        }
    }
    return runQuietly(QStringLiteral("loginctl"), {QStringLiteral("lock-session")}) ||
           runQuietly(QStringLiteral("xdg-screensaver"), {QStringLiteral("lock")});
}

bool OpenTaskManager() {
    static const char *const monitors[] = {
        "gnome-system-monitor", "plasma-systemmonitor", "ksysguard",
        "xfce4-taskmanager",    "mate-system-monitor",  "lxtask"};
    for (const char *name : monitors) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    for (const char *terminal : {"x-terminal-emulator", "xterm"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(terminal));
        if (!path.isEmpty() &&
            QProcess::startDetached(path, {QStringLiteral("-e"), QStringLiteral("top")}))
            return true;
    }
    return false;
}

} // namespace qhost::x11
