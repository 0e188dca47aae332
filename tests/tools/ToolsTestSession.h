#pragma once
// A console session against the in-process local gateway with its host joined, for the
// clipboard, chat and system information tests.
#include "LocalGateway.h"
#include "LocalSession.h"
#include "SessionTestSupport.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"

#include <QtTest>

struct ToolsTestSession {
    std::unique_ptr<localgw::LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    RecordingUi ui;

    bool start() {
        resetProcessState();
        localgw::GatewayConfig c;
        c.hostDelayMs = 50;
        c.pollHoldMs = 300;
        c.clockRunning = false;
        c.nschIntervalMs = 60000;
        c.screenSize = {640, 480};
        gw = std::make_unique<localgw::LocalGateway>(c);
        QString error;
        if (!gw->start(&error)) {
            qWarning() << error;
            return false;
        }
        useLocalGateway(gw->gatewayAddress(), gw->caPemPath());
        session = makeTestSession(ui);
        session->WANconnect(false);
        return QTest::qWaitFor([] { return adminVars().HostLoggedOn; }, 15000);
    }

    void stop() {
        session.reset();
        gw.reset();
    }

    localgw::SimulatedHost &host() { return gw->latestSession()->host(); }
    localgw::HostTools &tools() { return host().tools(); }
    QString lastFlash() const { return ui.lastFlash(); }
};
