#include "SystemInfoFeature.h"

#include "ProcessTable.h"
#include "ServiceControl.h"
#include "SystemReport.h"
#include "ToolCommands.h"
#include "common/Zlib.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

namespace qhost {

SystemInfoFeature::SystemInfoFeature(ConsoleLink &link, std::shared_ptr<ServiceControl> services,
                                     std::function<QList<DesktopTask>()> tasks, QObject *parent)
    : HostFeature(link, parent), m_services(std::move(services)), m_tasks(std::move(tasks)) {}

SystemInfoFeature::~SystemInfoFeature() = default;

bool SystemInfoFeature::command(const QByteArray &code, const QByteArray &parameter) {
    if (code == "PcFo" || code == "PcUp") {
        report(code);
        return true;
    }
    if (code == "SvcS") {
        service(parameter);
        return true;
    }
    if (code == "StPr") {
        const auto request = ToolCommands::parseProcessRequest(parameter);
        link().say("StPr?" +
                   (request ? ProcessTable::end(*request) : QByteArray("Process not found")));
        return true;
    }
    return false;
}

void SystemInfoFeature::report(const QByteArray &kind) {
    SystemReport::Inputs inputs;
    // The desktop's windows are asked here, on the host's thread; the rest runs on a worker.
    if (m_tasks)
        inputs.tasks = m_tasks();
    const bool full = kind == "PcFo";
    const int session = *m_session;
    QPointer<SystemInfoFeature> self(this);
    auto services = m_services;
    QThreadPool::globalInstance()->start(
        [self, kind, full, inputs, services, session, current = m_session]() mutable {
            if (services)
                inputs.services = services->list();
            const QByteArray body =
                Zlib::deflate(SystemReport::lines(full, inputs).join("\r\n") + "\r\n");
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, kind, body, session, current] {
                    if (!self || *current != session)
                        return;
                    self->link().deposit("list", body);
                    self->link().say("Strl" + kind);
                },
                Qt::QueuedConnection);
        });
}

void SystemInfoFeature::service(const QByteArray &parameter) {
    const auto request = ToolCommands::parseServiceRequest(parameter);
    if (!request || !m_services) {
        link().say("SvcS?Stopped");
        return;
    }
    const int session = *m_session;
    QPointer<SystemInfoFeature> self(this);
    m_services->setRunning(request->name, request->start,
                           [self, session, current = m_session](const QString &state) {
                               if (self && *current == session)
                                   self->link().say("SvcS?" + state.toLatin1().left(64));
                           });
}

void SystemInfoFeature::sessionEnded() {
    ++*m_session;
}

} // namespace qhost
