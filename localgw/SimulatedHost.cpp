#include "SimulatedHost.h"
#include "common/Zlib.h"
#include "screen/FixedPalettes.h"
#include "screen/ScreenTimeline.h"

#include <QDir>
#include <QPainter>
#include <QPointer>

#include <cmath>
#include <time.h>

namespace localgw {

namespace {
constexpr qsizetype kCostsKept = 4096;

qint64 threadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// What the host's input windows show, to tell whether a command changed them.
struct InputLook {
    QRect controls;
    bool open;
    int active;
    int clicks;
    int firstLine;
    bool startMenu;
    QString last;
    explicit InputLook(const HostInput &i)
        : controls(i.controlsFrame()), open(i.controlsOpen()), active(i.activeWindow()),
          clicks(i.buttonClicks()), firstLine(i.firstListLine()), startMenu(i.startMenuOpen()),
          last(i.lastInput()) {}
};

// The parts of the screen where the input windows look different now than they did.
QRegion changedParts(const InputLook &was, const QRegion &footprintWas, const HostInput &in) {
    const InputLook now(in);
    if (now.controls != was.controls || now.open != was.open)
        return footprintWas + in.footprint();
    QRegion r;
    if (now.open) {
        if (now.active != was.active)
            r += in.titleBar();
        if (now.clicks != was.clicks)
            r += in.clicksLabelRect();
        if (now.firstLine != was.firstLine)
            r += in.listRect();
        if (now.last != was.last)
            r += in.lastInputLine();
    }
    if (now.startMenu != was.startMenu)
        r += in.startMenuRect();
    return r;
}
} // namespace

SimulatedHost::SimulatedHost(const GatewayConfig &config, QObject *parent)
    : QObject(parent), m_config(config), m_identity(config.host), m_desktop(config.screenSize),
      m_clockRunning(config.clockRunning),
      m_tools(config.host.hostName,
              {[this](const QByteArray &m) { emit message(m); },
               [this](const QByteArray &b) { emit deposit(DepositKind::Clipboard, b); },
               [this](const QByteArray &b) { emit deposit(DepositKind::StringList, b); },
               [this](int ms, std::function<void()> a) { later(ms, std::move(a)); },
               [this](const QString &note) {
                   m_desktop.setNote(note);
                   desktopChanged();
               }}),
      m_files(config.fileSandbox) {
    connect(&m_files, &HostFiles::message, this, &SimulatedHost::message);
    connect(&m_files, &HostFiles::listDeposit, this,
            [this](const QByteArray &body) { emit deposit(DepositKind::StringList, body); });
    m_modes = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    if (!m_modes.contains(config.screenSize))
        m_modes.append(config.screenSize);
    m_desktop.setHostName(QString::fromLatin1(m_identity.hostName));
    resetScreenState();

    m_joinTimer.setSingleShot(true);
    connect(&m_joinTimer, &QTimer::timeout, this, &SimulatedHost::join);
    m_clockTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, [this] {
        if (!m_clockRunning)
            return;
        m_desktop.setClock(QTime::currentTime());
        desktopChanged();
    });
    m_aliveTimer.setInterval(qMax(100, config.nschIntervalMs));
    connect(&m_aliveTimer, &QTimer::timeout, this, [this] {
        if (m_joined && !m_silent)
            emit message("nSCh");
    });
    m_desktop.setOverlay([this](QPainter &p) { m_input.draw(p); },
                         [this] { return m_input.footprint(); });
    // The remote user's pointer goes round an ellipse and clicks at each lap.
    m_wanderTimer.setInterval(250);
    connect(&m_wanderTimer, &QTimer::timeout, this, [this] {
        const QSize s = m_desktop.size();
        const double a = (m_wanderStep++ % 48) * 2 * M_PI / 48;
        const QPoint p(int(s.width() / 2 + s.width() / 3 * std::cos(a)),
                       int(s.height() / 2 + s.height() / 3 * std::sin(a)));
        reportUserPointer(p, m_wanderStep % 48 == 0);
    });
}

void SimulatedHost::resetScreenState() {
    m_modeIndex = int(m_modes.indexOf(m_config.screenSize));
    m_desktop.resize(m_config.screenSize);
    m_input.reset();
    m_desktop.setWallpaperVisible(true);
    m_desktop.setTaskManagerVisible(false);
    m_desktop.setSecurityScreenVisible(false);
    m_encoder.setDepth(15);
    m_desktop.setDepthLabel(15);
    m_encoder.forget();
    m_unsent = QRegion();
    m_updateWanted = false;
    m_silent = false;
    if (m_clockRunning)
        m_desktop.setClock(QTime::currentTime());
}

void SimulatedHost::setIdentity(const HostIdentity &identity) {
    m_identity = identity;
    m_desktop.setHostName(QString::fromLatin1(identity.hostName));
}

void SimulatedHost::later(int ms, std::function<void()> action) {
    const quint64 generation = m_generation;
    QPointer<SimulatedHost> self(this);
    QTimer::singleShot(ms, this, [self, generation, action = std::move(action)] {
        if (self && self->m_generation == generation)
            action();
    });
}

void SimulatedHost::scheduleJoin(int delayMs) {
    if (delayMs >= 0)
        m_joinTimer.start(delayMs);
}

void SimulatedHost::join() {
    m_joinTimer.stop();
    if (m_joined)
        return;
    m_joined = true;
    ++m_generation;
    emit joined();
    if (m_viewOnly)
        emit message("VwOy");
    m_clockTimer.start();
    m_aliveTimer.start();
}

void SimulatedHost::setViewOnly(bool viewOnly) {
    m_viewOnly = viewOnly;
    if (m_joined)
        emit message(viewOnly ? QByteArray("VwOy") : QByteArray("GrCt"));
}

void SimulatedHost::stopActivity() {
    m_joined = false;
    m_tools.hostLeft();
    ++m_generation;
    m_joinTimer.stop();
    m_clockTimer.stop();
    m_aliveTimer.stop();
    m_wanderTimer.stop();
    m_updateWanted = false;
}

void SimulatedHost::leave() {
    if (!m_joined)
        return;
    stopActivity();
    emit left();
}

void SimulatedHost::vanish() {
    if (!m_joined)
        return;
    stopActivity();
    emit vanished();
}

void SimulatedHost::setScreenSilent(bool silent) {
    m_silent = silent;
    if (silent)
        m_updateWanted = false;
}

void SimulatedHost::setScreenError(const QByteArray &code) {
    m_screenError = code;
}

void SimulatedHost::setClockRunning(bool running) {
    m_clockRunning = running;
}

void SimulatedHost::advanceClock(int seconds) {
    m_desktop.setClock(m_desktop.clock().addSecs(seconds));
    desktopChanged();
}

void SimulatedHost::say(const QByteArray &text) {
    emit message(text);
}

QImage SimulatedHost::reducedDesktop() const {
    return FixedPalettes::reduceToDepth(m_desktop.render(), m_encoder.depth());
}

bool SimulatedHost::dumpPictures(const QString &dir, QString *error) const {
    QDir d(dir);
    if (!d.mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    const QImage desktop = m_desktop.render();
    bool ok = desktop.save(d.filePath(QStringLiteral("desktop.png")), "PNG");
    ok = FixedPalettes::reduceToDepth(desktop, m_encoder.depth())
             .save(d.filePath(QStringLiteral("reduced.png")), "PNG") &&
         ok;
    const QImage shown = m_encoder.shown();
    if (!shown.isNull())
        ok = shown.save(d.filePath(QStringLiteral("shown.png")), "PNG") && ok;
    if (!ok && error)
        *error = QStringLiteral("cannot write the pictures into %1").arg(dir);
    return ok;
}

// The picture goes out at once when the console is waiting for one; otherwise the changes add
// up until it asks, so a burst of input while it is busy becomes one picture.
void SimulatedHost::desktopChanged() {
    if (!m_updateWanted)
        return;
    if (m_changedAtNs == 0)
        m_changedAtNs = ScreenTimeline::now();
    tryUpdate();
}

void SimulatedHost::noteCost(qint64 cpuStartNs, const ScreenEncoder::Picture &p) {
    PictureCost c;
    c.cpuNs = threadCpuNs() - cpuStartNs;
    c.sentAtNs = ScreenTimeline::now();
    c.changedAtNs = m_changedAtNs ? m_changedAtNs : c.sentAtNs;
    c.bodyBytes = p.body.size();
    c.rects = p.rectCount;
    c.full = p.full;
    m_changedAtNs = 0;
    if (m_costs.size() >= kCostsKept)
        m_costs.remove(0, kCostsKept / 2);
    m_costs.append(c);
}

bool SimulatedHost::screenRequestBlocked() {
    if (!m_joined || m_silent)
        return true;
    if (!m_screenError.isEmpty()) {
        emit message("SErr?" + m_screenError);
        m_screenError.clear();
        return true;
    }
    return false;
}

void SimulatedHost::sendFullPicture() {
    m_updateWanted = false;
    const qint64 cpu = threadCpuNs();
    m_desktop.redraw();
    m_unsent = QRegion();
    const ScreenEncoder::Picture p = m_encoder.full(m_desktop.frame());
    noteCost(cpu, p);
    emit deposit(DepositKind::FullPicture, p.body);
    emit message(p.notice);
}

void SimulatedHost::tryUpdate() {
    if (!m_updateWanted || !m_joined || m_silent)
        return;
    const qint64 cpu = threadCpuNs();
    // Only what was drawn again since the last picture can differ from it.
    m_unsent += m_desktop.redraw();
    const auto p = m_encoder.update(m_desktop.frame(), m_unsent);
    m_unsent = QRegion();
    if (!p) {
        m_changedAtNs = 0;
        return; // nothing changed: the picture goes out with the next change
    }
    m_updateWanted = false;
    noteCost(cpu, *p);
    emit deposit(p->full ? DepositKind::FullPicture : DepositKind::Update, p->body);
    emit message(p->notice);
}

void SimulatedHost::sendModeList() {
    QByteArray lines;
    for (const QSize &m : m_modes)
        lines += QByteArray::number(m.width()) + ' ' + QByteArray::number(m.height()) + " 32\r\n";
    lines += QByteArray::number(qMax(0, m_modeIndex)) + "\r\n";
    emit deposit(DepositKind::StringList, Zlib::deflate(lines));
    emit message("StrlGScM");
}

void SimulatedHost::switchMode(const QByteArray &param) {
    const QList<QByteArray> parts = param.split('&');
    bool okW = false;
    bool okH = false;
    const int w = parts.value(0).toInt(&okW);
    const int h = parts.value(1).toInt(&okH);
    const qsizetype index = m_modes.indexOf(QSize(w, h));
    if (m_refuseModes || !okW || !okH || index < 0) {
        emit message("SScM?NOK");
        return;
    }
    m_modeIndex = int(index);
    m_desktop.resize(QSize(w, h));
    if (parts.size() > 2) {
        m_encoder.setDepth(parts[2].toInt());
        m_desktop.setDepthLabel(m_encoder.depth());
    }
    emit message("SScM?OK");
}

void SimulatedHost::clipboardFromConsole(const QByteArray &formatWord, const QByteArray &zlibBody) {
    if (m_joined)
        m_tools.clipboardFromConsole(formatWord, zlibBody);
}

void SimulatedHost::handleInput(const QByteArray &cmd, const QByteArray &param) {
    if (m_viewOnly && cmd != "MWhl")
        return;
    const InputLook before(m_input);
    const QRegion beforeFootprint = m_input.footprint();
    if (!m_input.handle(cmd, param))
        return;
    // The input windows are drawn over the desktop: the parts of them that changed are drawn
    // again (the pointer and the typed text mark their own parts).
    m_desktop.invalidate(changedParts(before, beforeFootprint, m_input));
    desktopChanged();
}

void SimulatedHost::reportUserPointer(QPoint remote, bool click) {
    if (!m_joined)
        return;
    m_desktop.setPointer(remote);
    desktopChanged();
    emit message((click ? "MsCl?" : "MoMo?") + QByteArray::number(remote.x()) + '-' +
                 QByteArray::number(remote.y()));
}

void SimulatedHost::setUserPointerWandering(bool on) {
    if (on)
        m_wanderTimer.start();
    else
        m_wanderTimer.stop();
}

void SimulatedHost::reboot() {
    if (m_refuseReboot) {
        emit message("ReBt?NOK");
        return;
    }
    emit message("ReBt?OK");
    later(1000, [this] {
        leave();
        resetScreenState();
        scheduleJoin(m_config.rebootMs);
    });
}

void SimulatedHost::command(const QByteArray &text) {
    if (!m_joined)
        return;
    m_received.append(text);
    const qsizetype q = text.indexOf('?');
    const QByteArray cmd = q < 0 ? text : text.left(q);
    const QByteArray param = q < 0 ? QByteArray() : text.mid(q + 1);
    if (m_files.command(cmd, param))
        return;

    if (cmd == "GScr") {
        if (!screenRequestBlocked())
            sendFullPicture();
    } else if (cmd == "UScr") {
        if (!screenRequestBlocked()) {
            m_updateWanted = true;
            m_changedAtNs = ScreenTimeline::now();
            tryUpdate();
        }
    } else if (cmd == "SSup") {
        m_updateWanted = false;
    } else if (cmd == "RsPr") {
        m_silent = false;
        m_updateWanted = false;
        m_encoder.forget();
        m_aliveTimer.start();
    } else if (cmd == "GScM") {
        sendModeList();
    } else if (cmd == "SScM") {
        switchMode(param);
    } else if (cmd == "SCol") {
        m_encoder.setDepth(param.toInt());
        m_desktop.setDepthLabel(m_encoder.depth());
    } else if (cmd == "DiWP" || cmd == "EnWP") {
        m_desktop.setWallpaperVisible(cmd == "EnWP");
        emit message(cmd + "?OK");
    } else if (cmd == "AdLa") {
        m_keyboardLayout = param;
    } else if (cmd == "QUIT" || cmd == "QtRb") {
        later(200, [this] { leave(); });
    } else if (cmd == "ReBt") {
        reboot();
    } else if (cmd == "sCAD") {
        m_desktop.setSecurityScreenVisible(true);
        desktopChanged();
    } else if (cmd == "TMgr") {
        m_desktop.setSecurityScreenVisible(false);
        m_desktop.setTaskManagerVisible(true);
        desktopChanged();
    } else if (HostTools::handles(cmd)) {
        m_tools.command(cmd, param);
    } else {
        handleInput(cmd, param);
    }
}

void SimulatedHost::control(const QByteArray &code, const QByteArray &params) {
    Q_UNUSED(params);
    if (m_joined && code == "15") {
        m_updateWanted = false;
        emit message("SDum");
    }
}

void SimulatedHost::sendHostile(HostileKind kind) {
    const QByteArray body = HostileBodies::body(kind, m_desktop.size());
    switch (HostileBodies::slotOf(kind)) {
    case HostileBodies::Slot::FullPicture:
        emit deposit(DepositKind::FullPicture, body);
        break;
    case HostileBodies::Slot::Update:
        emit deposit(DepositKind::Update, body);
        break;
    case HostileBodies::Slot::StringList:
        emit deposit(DepositKind::StringList, body);
        break;
    case HostileBodies::Slot::PollMessage:
        emit message(body);
        return;
    }
    m_updateWanted = false;
    emit message(HostileBodies::noticeOf(kind));
}

} // namespace localgw
