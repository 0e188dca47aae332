#include "SystemdServices.h"

#include "ToolCommands.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QTimer>

namespace qhost {

namespace {
const QString kService = QStringLiteral("org.freedesktop.systemd1");
const QString kPath = QStringLiteral("/org/freedesktop/systemd1");
const QString kManager = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString kUnit = QStringLiteral("org.freedesktop.systemd1.Unit");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int kListTimeoutMs = 5000;
// A polkit question may wait for the user; the console's own wait is 30 seconds.
constexpr int kActionTimeoutMs = 25000;
constexpr int kSettleStepMs = 250;
constexpr int kSettleTries = 16;
constexpr int kMaxServices = 4000;

// One entry of ListUnits: (ssssssouso).
struct UnitEntry {
    QString name, description, load, active, sub, following;
    QDBusObjectPath path;
    uint jobId = 0;
    QString jobType;
    QDBusObjectPath jobPath;
};

const QDBusArgument &operator>>(const QDBusArgument &arg, UnitEntry &u) {
    arg.beginStructure();
    arg >> u.name >> u.description >> u.load >> u.active >> u.sub >> u.following >> u.path >>
        u.jobId >> u.jobType >> u.jobPath;
    arg.endStructure();
    return arg;
}
} // namespace

SystemdServices::SystemdServices(QObject *parent) : QObject(parent) {}

QString SystemdServices::stateText(const QString &activeState, const QString &subState) {
    if (activeState == QLatin1String("active") || activeState == QLatin1String("reloading"))
        return subState == QLatin1String("exited") ? QStringLiteral("Finished")
                                                   : QStringLiteral("Running");
    if (activeState == QLatin1String("inactive"))
        return QStringLiteral("Stopped");
    if (activeState == QLatin1String("failed"))
        return QStringLiteral("Failed");
    if (activeState == QLatin1String("activating"))
        return QStringLiteral("Starting");
    if (activeState == QLatin1String("deactivating"))
        return QStringLiteral("Stopping");
    return QStringLiteral("Unknown");
}

std::optional<QList<ServiceControl::Service>> SystemdServices::list() {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kManager, QStringLiteral("ListUnits"));
    const QDBusMessage reply =
        QDBusConnection::systemBus().call(call, QDBus::Block, kListTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const QDBusArgument arg = reply.arguments().constFirst().value<QDBusArgument>();
    if (arg.currentType() != QDBusArgument::ArrayType)
        return std::nullopt;
    QList<Service> services;
    arg.beginArray();
    while (!arg.atEnd()) {
        UnitEntry u;
        arg >> u;
        if (!u.name.endsWith(QLatin1String(".service")) || services.size() >= kMaxServices)
            continue;
        services.append({u.name.chopped(8), u.description, stateText(u.active, u.sub)});
    }
    arg.endArray();
    std::sort(services.begin(), services.end(), [](const Service &a, const Service &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return services;
}

void SystemdServices::queryState(const QString &unit, std::function<void(const QString &)> done) {
    QDBusMessage get =
        QDBusMessage::createMethodCall(kService, kPath, kManager, QStringLiteral("GetUnit"));
    get << unit;
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::systemBus().asyncCall(get, kListTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, done = std::move(done)](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> path = *w;
                if (path.isError()) {
                    done(QStringLiteral("Stopped")); // not loaded: not running
                    return;
                }
                QDBusMessage all = QDBusMessage::createMethodCall(
                    kService, path.value().path(), kProperties, QStringLiteral("GetAll"));
                all << kUnit;
                auto *props = new QDBusPendingCallWatcher(
                    QDBusConnection::systemBus().asyncCall(all, kListTimeoutMs), this);
                connect(props, &QDBusPendingCallWatcher::finished, this,
                        [done](QDBusPendingCallWatcher *p) {
                            p->deleteLater();
                            const QDBusPendingReply<QVariantMap> reply = *p;
                            const QVariantMap map = reply.isError() ? QVariantMap() : reply.value();
                            auto text = [&](const char *key) {
                                QVariant v = map.value(QString::fromLatin1(key));
                                if (v.canConvert<QDBusVariant>())
                                    v = v.value<QDBusVariant>().variant();
                                return v.toString();
                            };
                            done(stateText(text("ActiveState"), text("SubState")));
                        });
            });
}

void SystemdServices::setRunning(const QString &name, bool run,
                                 std::function<void(const QString &)> done) {
    const auto unit = ToolCommands::serviceUnitName(name);
    if (!unit) {
        done(QStringLiteral("Stopped"));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, kManager, run ? QStringLiteral("StartUnit") : QStringLiteral("StopUnit"));
    call << *unit << QStringLiteral("replace");
    // polkit may ask the user at the desktop rather than refuse at once.
    call.setInteractiveAuthorizationAllowed(true);
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::systemBus().asyncCall(call, kActionTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, unit = *unit, done = std::move(done)](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                // Refused or failed: the state as it is, which the console shows unchanged.
                answerWhenSettled(unit, done, w->isError() ? 0 : kSettleTries);
            });
}

void SystemdServices::answerWhenSettled(const QString &unit,
                                        std::function<void(const QString &)> done, int triesLeft) {
    queryState(unit, [this, unit, done, triesLeft](const QString &state) {
        const bool moving =
            state == QLatin1String("Starting") || state == QLatin1String("Stopping");
        if (!moving || triesLeft <= 0) {
            done(state);
            return;
        }
        QTimer::singleShot(kSettleStepMs, this, [this, unit, done, triesLeft] {
            answerWhenSettled(unit, done, triesLeft - 1);
        });
    });
}

} // namespace qhost
