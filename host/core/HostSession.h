#pragma once
#include "ScreenEncoder.h"
#include "core/HostFeature.h"
#include "desktop/DesktopBackend.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QRegion>
#include <QTimer>

namespace qhost {

// One support session on this computer, from the user's consent to its end: it hands the
// console's commands to the desktop (screen, input, modes, wallpaper, lock, task manager) and
// to the features, and tells the console what happens here. The session, not a window,
// guards the desktop: once ended it passes nothing on, whatever still arrives.
class HostSession : public QObject {
    Q_OBJECT
public:
    HostSession(DesktopBackend &desktop, ConsoleLink &link, QObject *parent = nullptr);
    ~HostSession() override;

    // Features are asked in the order they were added; the session owns none of them.
    void addFeature(HostFeature *feature);

    // The user accepted: the screen starts being shared.
    void start();
    // Ends the session at once: held keys and buttons go, the desktop is given back, the
    // features stop. Safe to call more than once.
    void end();
    bool isRunning() const { return m_running; }

    void setViewOnly(bool viewOnly);
    bool isViewOnly() const { return m_viewOnly; }

    // How often "nSCh" tells the console that the screen program lives.
    void setAliveInterval(int ms) { m_aliveTimer.setInterval(ms); }
    // The console's update format, for tests and benchmarks.
    hostside::ScreenEncoder &encoder() { return m_encoder; }

    void command(const QByteArray &text);
    void control(const QByteArray &code, const QByteArray &parameters);
    void clipboard(const QByteArray &format, const QByteArray &body);
    void upload(const QByteArray &folder, const QByteArray &name, const QByteArray &body);

    // The user's answer to the operator's reboot request.
    void answerReboot(bool agreed, bool restarting);

signals:
    // The operator asks to restart the computer; answerReboot() follows.
    void rebootRequested();
    // The operator left the session ("QUIT") or asked the host to close ("QtRb").
    void operatorQuit();
    void viewOnlyChanged(bool viewOnly);
    // The desktop went away under the session, which ended with it.
    void desktopLost();
    void ended();

private:
    void sendFullPicture();
    void tryUpdate();
    void sendModeList();
    void switchMode(const QByteArray &parameter);
    void input(const QByteArray &code, const QByteArray &parameter);
    void withModifiers(int modifiers, const std::function<void()> &action);

    DesktopBackend &m_desktop;
    ConsoleLink &m_link;
    QList<HostFeature *> m_features;
    hostside::ScreenEncoder m_encoder;
    QImage m_frame;
    QRegion m_unsent; // grabbed but not yet in a picture
    bool m_running = false;
    bool m_ended = false;
    bool m_viewOnly = false;
    bool m_updateWanted = false;
    bool m_rebootAsked = false;
    QTimer m_aliveTimer;
};

} // namespace qhost
