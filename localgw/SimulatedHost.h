#pragma once
#include "GatewayConfig.h"
#include "HostFiles.h"
#include "HostInput.h"
#include "HostTools.h"
#include "HostileBodies.h"
#include "ScreenEncoder.h"
#include "SyntheticDesktop.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <functional>

namespace localgw {

// The encoder and the file side are the ones the host program uses too.
using hostside::HostFiles;
using hostside::ScreenEncoder;

// What the host leaves on the gateway for the console to fetch.
enum class DepositKind { FullPicture, Update, StringList, Clipboard };

// The host program on the remote computer, simulated: it joins and leaves the session, carries
// out the console's commands on a synthetic desktop and answers with messages and deposits, as
// a real host would. Pictures come only when asked for ("GScr", "UScr").
class SimulatedHost : public QObject {
    Q_OBJECT
public:
    explicit SimulatedHost(const GatewayConfig &config, QObject *parent = nullptr);

    // Presence. Joining and leaving raise joined(), left() and vanished(); the gateway turns
    // them into its events.
    bool isJoined() const { return m_joined; }
    void scheduleJoin(int delayMs); // < 0: never by itself
    void join();
    void leave();
    void vanish();
    const HostIdentity &identity() const { return m_identity; }
    void setIdentity(const HostIdentity &identity);

    // From the console, through the gateway.
    void command(const QByteArray &text);
    void control(const QByteArray &code, const QByteArray &params);
    void clipboardFromConsole(const QByteArray &formatWord, const QByteArray &zlibBody);

    // Behaviour switches for tests.
    void setScreenSilent(bool silent); // no pictures and no "nSCh" until "RsPr"
    bool screenSilent() const { return m_silent; }
    void setScreenError(const QByteArray &code); // next picture request gets "SErr?" + code
    void setRefuseReboot(bool refuse) { m_refuseReboot = refuse; }
    // How long a reboot keeps the host away; < 0: it never comes back.
    void setRebootDelay(int ms) { m_config.rebootMs = ms; }
    // The remote user grants view only ("VwOy", input is ignored but the wheel) or full control
    // ("GrCt"); a view-only host says so again whenever it joins.
    void setViewOnly(bool viewOnly);
    bool viewOnly() const { return m_viewOnly; }
    void setRefuseModeSwitch(bool refuse) { m_refuseModes = refuse; }
    void setClipboardEmpty(bool empty) { m_tools.setClipboardEmpty(empty); }
    void setChatDenied(bool denied) { m_tools.setChatDenied(denied); }
    void setClockRunning(bool running);
    void advanceClock(int seconds = 1);
    void setUpdateFormat(ScreenEncoder::UpdateFormat format) { m_encoder.setUpdateFormat(format); }
    // Leaves a hostile body where it belongs and announces it as a real picture or list would be.
    void sendHostile(HostileKind kind);
    // A message of the host, sent as it stands.
    void say(const QByteArray &message);
    // The host's own user moves (or clicks) the pointer: reported as "MoMo" / "MsCl" with the
    // numbers as given, negative ones included. Wandering moves it on its own every 250 ms.
    void reportUserPointer(QPoint remote, bool click);
    void setUserPointerWandering(bool on);

    // Observations.
    SyntheticDesktop &desktop() { return m_desktop; }
    // Clipboard, chat partner and system report.
    HostTools &tools() { return m_tools; }
    const HostInput &input() const { return m_input; }
    HostFiles &files() { return m_files; }
    const HostFiles &files() const { return m_files; }
    const ScreenEncoder &encoder() const { return m_encoder; }
    QList<QByteArray> receivedCommands() const { return m_received; }
    QList<QSize> screenModes() const { return m_modes; }
    // The picture the console shows once it applied everything the host sent.
    QImage shownPicture() const { return m_encoder.shown(); }
    // The desktop now, in the colour depth the console asked for.
    QImage reducedDesktop() const;
    bool updateWanted() const { return m_updateWanted; }
    // What the last pictures cost the host (the latest 4096), for the benchmarks: its CPU time
    // to draw, compare, encode and compress each, and when the change that caused it was made
    // (or found by "UScr") and its notice went out, on the monotonic clock of
    // ScreenTimeline::now(), which the console's stamps share.
    struct PictureCost {
        qint64 cpuNs = 0;
        qint64 changedAtNs = 0;
        qint64 sentAtNs = 0;
        qsizetype bodyBytes = 0;
        int rects = 0; // records of a rectangle list; 0 for a whole screen
        bool full = false;
    };
    QList<PictureCost> pictureCosts() const { return m_costs; }
    // Writes desktop.png (full colour, now), reduced.png (now, at the current depth) and
    // shown.png (what the console should show) into `dir`.
    bool dumpPictures(const QString &dir, QString *error = nullptr) const;

signals:
    void joined();
    void left();
    void vanished();
    void message(const QByteArray &text);
    void deposit(DepositKind kind, const QByteArray &body);

private:
    void resetScreenState();
    void stopActivity();
    void desktopChanged();
    void sendFullPicture();
    void tryUpdate();
    bool screenRequestBlocked();
    void sendModeList();
    void switchMode(const QByteArray &param);
    void handleInput(const QByteArray &cmd, const QByteArray &param);
    void reboot();
    void later(int ms, std::function<void()> action);
    void noteCost(qint64 cpuStartNs, const ScreenEncoder::Picture &p);

    GatewayConfig m_config;
    HostIdentity m_identity;
    SyntheticDesktop m_desktop;
    HostInput m_input{m_desktop};
    ScreenEncoder m_encoder;
    QList<QSize> m_modes;
    int m_modeIndex = 0;

    bool m_joined = false;
    bool m_silent = false;
    bool m_updateWanted = false;
    bool m_refuseReboot = false;
    bool m_viewOnly = false;
    bool m_refuseModes = false;
    bool m_clockRunning = true;
    QByteArray m_screenError;
    QByteArray m_keyboardLayout;
    QList<QByteArray> m_received;
    quint64 m_generation = 0; // bumped when the host leaves: stale delayed actions do nothing
    QRegion m_unsent;         // drawn again since the last picture, not compared yet
    qint64 m_changedAtNs = 0; // a change waits for its picture since then (0: none)
    QList<PictureCost> m_costs;
    HostTools m_tools;

    QTimer m_joinTimer;
    QTimer m_clockTimer;
    QTimer m_aliveTimer;
    QTimer m_wanderTimer;
    int m_wanderStep = 0;
    HostFiles m_files;
};

} // namespace localgw
