#pragma once
// A console session against the in-process local gateway with its host joined, for the
// clipboard, chat and system information tests.
#include "LocalGateway.h"
#include "LocalGatewaySession.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"

#include <QtTest>

struct ToolsTestSession {
    std::unique_ptr<localgw::LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    RecordingUi ui;

    bool start() {
        resetProcessState();
        localgw::GatewayConfig c = steadyHostConfig({640, 480});
        c.nschIntervalMs = 60000;
        gw = startLocalGateway(c);
        if (!gw)
            return false;
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
