#pragma once
#include "ServiceControl.h"

#include <QObject>

namespace qhost {

// The system's services as systemd keeps them, over the system bus: the service units it has
// loaded, and start and stop as the user's own requests, which polkit grants or refuses (it
// may ask the user for a password first).
class SystemdServices : public QObject, public ServiceControl {
    Q_OBJECT
public:
    explicit SystemdServices(QObject *parent = nullptr);

    std::optional<QList<Service>> list() override;
    void setRunning(const QString &name, bool run,
                    std::function<void(const QString &state)> done) override;

    // systemd's active and sub state in the console's words.
    static QString stateText(const QString &activeState, const QString &subState);

private:
    void answerWhenSettled(const QString &unit, std::function<void(const QString &)> done,
                           int triesLeft);
    // The unit's state in the console's words, asked without waiting on the host's thread.
    void queryState(const QString &unit, std::function<void(const QString &)> done);
};

} // namespace qhost
