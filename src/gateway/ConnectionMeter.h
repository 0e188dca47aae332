#pragma once
#include <QObject>
#include <QTimer>
#include <functional>

// The connection-quality gauge: how long the command in flight has been waiting. The gauge
// shows 100 for the first 200 ms of a round trip, loses a point every 40 ms, is at 30 after
// 3 s and at 0 after 4.2 s, when the bad-connection warning opens; the next command answered
// with more than 30 left closes it. A timer on the main thread drives it, and only while a
// command is out, so an idle session costs nothing.
class ConnectionMeter : public QObject {
    Q_OBJECT
public:
    explicit ConnectionMeter(QObject *parent = nullptr);

    // Milliseconds of a monotonic clock; tests replace it.
    void setClock(std::function<qint64()> now) { Now = std::move(now); }

    void RequestStarted();
    void RequestFinished();
    // One step of the measurement; the timer calls it, tests call it after moving the clock.
    void tick();
    void reset();

    int position() const { return Position; }
    bool warningShown() const { return WarningShown; }
    bool measuring() const { return Active; }

signals:
    void positionChanged(int position);
    // The bad-connection window: true opens it, false closes it.
    void badConnection(bool show);

private:
    int valueNow() const;
    void update(int value);

    std::function<qint64()> Now;
    QTimer Ticker;
    qint64 ReferenceTick = 0;
    int ShownValue = 100;
    int Position = 100;
    bool Active = false;
    bool WarningShown = false;
};
