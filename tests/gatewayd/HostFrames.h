#pragma once
#include "HostChannelClient.h"

#include <QDeadlineTimer>
#include <QTest>

// The next frame a host end received; type 0 when none came in time.
inline gatewayd::HostFrame nextFrame(gatewayd::HostChannelClient &host, int timeoutMs = 20000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (auto frame = host.takeFrame())
            return *frame;
        QTest::qWait(5);
    }
    return gatewayd::HostFrame{gatewayd::FrameType(0), {}};
}
