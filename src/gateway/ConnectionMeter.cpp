#include "gateway/ConnectionMeter.h"

#include <QElapsedTimer>

namespace {
qint64 monotonicMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}
} // namespace

ConnectionMeter::ConnectionMeter(QObject *parent) : QObject(parent), Now(monotonicMs) {
    // A point is worth 40 ms, so a finer tick would show nothing new.
    Ticker.setInterval(40);
    connect(&Ticker, &QTimer::timeout, this, &ConnectionMeter::tick);
}

int ConnectionMeter::valueNow() const {
    return 105 - static_cast<int>((Now() - ReferenceTick) / 40);
}

void ConnectionMeter::RequestStarted() {
    ReferenceTick = Now();
    Active = true;
    Ticker.start();
}

void ConnectionMeter::RequestFinished() {
    if (!Active && !Ticker.isActive() && ReferenceTick == 0)
        return;
    Active = false;
    Ticker.stop();
    update(valueNow());
}

void ConnectionMeter::tick() {
    if (!Active)
        return;
    int value = valueNow();
    if (value <= 0) {
        value = 0;
        Active = false;
        Ticker.stop();
    }
    if (value < ShownValue)
        update(value);
}

void ConnectionMeter::update(int value) {
    ShownValue = value;
    if (ShownValue <= 0 && Position > 0) {
        WarningShown = true;
        emit badConnection(true);
    }
    if (WarningShown && ShownValue > 30) {
        WarningShown = false;
        emit badConnection(false);
    }
    const int position = qBound(0, ShownValue, 100);
    if (position != Position) {
        Position = position;
        emit positionChanged(Position);
    }
}

void ConnectionMeter::reset() {
    Ticker.stop();
    Active = false;
    ReferenceTick = 0;
    ShownValue = 100;
    if (WarningShown) {
        WarningShown = false;
        emit badConnection(false);
    }
    if (Position != 100) {
        Position = 100;
        emit positionChanged(Position);
    }
}
