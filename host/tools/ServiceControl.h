#pragma once
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace qhost {

// The computer's services: listed for the report, started and stopped for the console. The
// system decides who may start or stop what; a refusal leaves the state as it was.
class ServiceControl {
public:
    struct Service {
        QString name; // as the console sends it back
        QString description;
        QString state; // "Running", "Stopped" or another word for the console to show
    };

    virtual ~ServiceControl() = default;
    // Every service; nothing when the service manager cannot be asked. May run on a worker.
    virtual std::optional<QList<Service>> list() = 0;
    // Starts (`run`) or stops the service `name`; `done` gets the state after it, from the
    // thread that asked.
    virtual void setRunning(const QString &name, bool run,
                            std::function<void(const QString &state)> done) = 0;
};

} // namespace qhost
