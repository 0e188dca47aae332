#pragma once
#include "HostFeature.h"
#include "ToolFeatures.h"

#include <functional>
#include <memory>

namespace qhost {

class ServiceControl;

// The report on this computer ("PcFo" whole, "PcUp" its changing categories) and the actions
// on it: "SvcS?name&1|0" starts or stops a service through the service manager, "StPr?
// program&pid" ends a process with the user's own rights. The report is gathered on a worker
// (the package database alone takes a moment) and goes out as a list deposit and "Strl" +
// the command.
class SystemInfoFeature : public HostFeature {
    Q_OBJECT
public:
    SystemInfoFeature(ConsoleLink &link, std::shared_ptr<ServiceControl> services,
                      std::function<QList<DesktopTask>()> tasks, QObject *parent = nullptr);
    ~SystemInfoFeature() override;

    bool command(const QByteArray &code, const QByteArray &parameter) override;
    void sessionEnded() override;

private:
    void report(const QByteArray &kind);
    void service(const QByteArray &parameter);

    std::shared_ptr<ServiceControl> m_services;
    std::function<QList<DesktopTask>()> m_tasks;
    // Answers of an ended session are dropped: each session has its number.
    std::shared_ptr<int> m_session = std::make_shared<int>(0);
};

} // namespace qhost
