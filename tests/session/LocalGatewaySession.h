#pragma once
// Session tests against the in-process local gateway: starting it, and telling when the screen
// cycle has nothing in flight.
#include "LocalGateway.h"
#include "SessionTestSupport.h"
#include "gateway/HttpChannel.h"
#include "screen/ScreenPipeline.h"

#include <QDebug>
#include <QSize>
#include <memory>

// A host that joins 50 ms after the logon, polls held 300 ms and a desktop clock that stands
// still: the picture changes only when a test changes it.
inline localgw::GatewayConfig steadyHostConfig(QSize screen) {
    localgw::GatewayConfig c;
    c.hostDelayMs = 50;
    c.pollHoldMs = 300;
    c.clockRunning = false;
    c.screenSize = screen;
    return c;
}

// Starts a gateway and points the console's settings at it; null, with the reason in the test
// log, when it cannot start.
inline std::unique_ptr<localgw::LocalGateway> startLocalGateway(const localgw::GatewayConfig &c) {
    auto gw = std::make_unique<localgw::LocalGateway>(c);
    QString error;
    if (!gw->start(&error)) {
        qWarning() << "local gateway:" << error;
        return nullptr;
    }
    useLocalGateway(gw->gatewayAddress(), gw->caPemPath());
    return gw;
}

// Nothing in flight anywhere: the host waits for its desktop to change and the console has
// applied all it fetched.
inline bool screenSettled(const localgw::SimulatedHost &host, const ScreenPipeline &screen,
                          const GatewaySession &session) {
    return host.updateWanted() && screen.ScreenFetch == ScreenPipeline::None &&
           !screen.workerBusy() && screen.PendingScreenNotices.isEmpty() &&
           !session.ScreenClient->busy();
}
