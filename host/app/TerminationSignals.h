#pragma once
#include <QObject>

class QSocketNotifier;

namespace qhost {

// SIGTERM, SIGINT and SIGHUP as a Qt signal. A restart or a logout of the desktop ends the
// session's programs with SIGTERM; answered, the program leaves the channel with its Bye, so
// that the console hears the host log off (and waits for it after a restart) instead of
// losing it. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void requested();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace qhost
