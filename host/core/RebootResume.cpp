#include "RebootResume.h"
#include "JoinKey.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace qhost {
namespace {
constexpr qint64 kMaxEntryBytes = 16 * 1024;

// A value of a desktop entry: one line, no characters the Exec field's quoting would need.
QString entryValue(QString text) {
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    return text;
}
} // namespace

QString ResumeEntryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/quorvia-host-resume.desktop");
}

bool WriteResumeEntry(const ResumeEntry &entry, const QString &program, QString *error) {
    // Only a key that parses goes into a command line, so it cannot carry anything else.
    const auto key = ParseJoinKey(entry.key);
    if (!key || program.contains(QLatin1Char('"')) || program.contains(QLatin1Char('\n'))) {
        *error = QStringLiteral("not a key or program that can be started again");
        return false;
    }
    const QString path = ResumeEntryPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Remote support (continues after the restart)\n"
                                        "Exec=\"%1\" --resume %2\n"
                                        "NoDisplay=true\n"
                                        "X-GNOME-Autostart-enabled=true\n"
                                        "X-Quorvia-Key=%2\n"
                                        "X-Quorvia-Operator=%3\n")
                             .arg(program, key->text, entryValue(entry.operatorName));
    file.write(text.toUtf8());
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

std::optional<ResumeEntry> ReadResumeEntry() {
    QFile file(ResumeEntryPath());
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxEntryBytes)
        return std::nullopt;
    ResumeEntry entry;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("X-Quorvia-Key="))
            entry.key = QString::fromUtf8(line.mid(14)).trimmed();
        else if (line.startsWith("X-Quorvia-Operator="))
            entry.operatorName = QString::fromUtf8(line.mid(19)).trimmed();
    }
    if (!ParseJoinKey(entry.key))
        return std::nullopt;
    return entry;
}

void RemoveResumeEntry() {
    QFile::remove(ResumeEntryPath());
}

void LogindReboot::request() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Reboot"));
    call << true; // interactive: polkit may ask the user
    // polkit may wait for a password; the user interface goes on meanwhile.
    auto *watcher =
        new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call, 120000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        const QDBusPendingReply<> reply = *watcher;
        watcher->deleteLater();
        emit finished(!reply.isError(), reply.isError() ? reply.error().message() : QString());
    });
}

} // namespace qhost
