#include "HostSession.h"
#include "InputParser.h"
#include "common/Cp1252.h"
#include "common/Zlib.h"

namespace qhost {
namespace {
constexpr int kShift = 16, kControl = 17, kMenu = 18; // the modifier keys' virtual keys
constexpr int kAliveMs = 4000;

QByteArray number(int n) {
    return QByteArray::number(n);
}
} // namespace

HostSession::HostSession(DesktopBackend &desktop, ConsoleLink &link, QObject *parent)
    : QObject(parent), m_desktop(desktop), m_link(link) {
    m_aliveTimer.setInterval(kAliveMs);
    connect(&m_aliveTimer, &QTimer::timeout, this, [this] {
        if (m_running)
            m_link.say("nSCh");
    });
    connect(&m_desktop, &DesktopBackend::damaged, this, [this] {
        if (m_running && m_updateWanted)
            tryUpdate();
    });
    connect(&m_desktop, &DesktopBackend::cursorChanged, this, [this](int cursor) {
        if (m_running)
            m_link.say("SCur?" + number(cursor));
    });
    connect(&m_desktop, &DesktopBackend::desktopLost, this, [this] {
        if (!m_running)
            return;
        end();
        emit desktopLost();
    });
    // The console shows where the user points only while it cannot point itself.
    connect(&m_desktop, &DesktopBackend::userPointer, this, [this](QPoint p, bool click) {
        if (m_running && m_viewOnly)
            m_link.say((click ? "MsCl?" : "MoMo?") + number(p.x()) + '-' + number(p.y()));
    });
}

HostSession::~HostSession() {
    end();
}

void HostSession::addFeature(HostFeature *feature) {
    m_features.append(feature);
}

void HostSession::start() {
    if (m_running || m_ended)
        return;
    m_running = true;
    m_aliveTimer.start();
    m_link.say("SCur?" + number(m_desktop.cursorNumber()));
    if (m_viewOnly)
        m_link.say("VwOy");
}

void HostSession::end() {
    if (m_ended)
        return;
    m_ended = true;
    m_running = false;
    m_updateWanted = false;
    m_aliveTimer.stop();
    m_desktop.releaseAll();
    m_desktop.close();
    for (HostFeature *f : std::as_const(m_features))
        f->sessionEnded();
    emit ended();
}

void HostSession::setViewOnly(bool viewOnly) {
    if (viewOnly == m_viewOnly || m_ended)
        return;
    m_viewOnly = viewOnly;
    if (viewOnly)
        m_desktop.releaseAll(); // a button held by the operator would stay down otherwise
    if (m_running)
        m_link.say(viewOnly ? "VwOy" : "GrCt");
    emit viewOnlyChanged(viewOnly);
}

void HostSession::command(const QByteArray &text) {
    if (!m_running)
        return;
    const qsizetype q = text.indexOf('?');
    const QByteArray code = q < 0 ? text : text.left(q);
    const QByteArray parameter = q < 0 ? QByteArray() : text.mid(q + 1);

    if (code == "GScr") {
        sendFullPicture();
    } else if (code == "UScr") {
        m_updateWanted = true;
        tryUpdate();
    } else if (code == "SSup") {
        m_updateWanted = false;
    } else if (code == "RsPr") {
        // The console restarts the screen program: the next picture starts afresh.
        m_updateWanted = false;
        m_encoder.forget();
        m_aliveTimer.start();
    } else if (code == "SCol") {
        m_encoder.setDepth(parameter.toInt());
    } else if (code == "GScM") {
        sendModeList();
    } else if (code == "SScM") {
        switchMode(parameter);
    } else if (code == "DiWP" || code == "EnWP") {
        const bool done = !m_viewOnly && m_desktop.setWallpaperVisible(code == "EnWP");
        m_link.say(code + (done ? "?OK" : "?Not possible on this desktop"));
    } else if (code == "AdLa") {
        // The operator's keyboard layout: keys arrive as virtual keys and characters, which
        // this desktop's own map types, so nothing depends on it.
    } else if (code == "QUIT" || code == "QtRb") {
        emit operatorQuit();
    } else if (code == "ReBt") {
        if (m_viewOnly || m_rebootAsked) {
            m_link.say("ReBt?NOK");
        } else {
            m_rebootAsked = true;
            emit rebootRequested();
        }
    } else if (code == "sCAD") {
        if (!m_viewOnly)
            m_desktop.lockScreen();
    } else if (code == "TMgr") {
        if (!m_viewOnly)
            m_desktop.openTaskManager();
    } else if (IsInputCommand(code)) {
        input(code, parameter);
    } else {
        for (HostFeature *f : std::as_const(m_features))
            if (f->command(code, parameter))
                return;
    }
}

void HostSession::control(const QByteArray &code, const QByteArray &parameters) {
    if (!m_running)
        return;
    if (code == "15") {
        // The console stops its queue: no picture goes out until it asks again.
        m_updateWanted = false;
        m_link.say("SDum");
        return;
    }
    for (HostFeature *f : std::as_const(m_features))
        if (f->control(code, parameters))
            return;
}

void HostSession::clipboard(const QByteArray &format, const QByteArray &body) {
    if (!m_running)
        return;
    for (HostFeature *f : std::as_const(m_features))
        if (f->clipboard(format, body))
            return;
}

void HostSession::upload(const QByteArray &folder, const QByteArray &name, const QByteArray &body) {
    if (!m_running)
        return;
    for (HostFeature *f : std::as_const(m_features))
        if (f->upload(folder, name, body))
            return;
}

void HostSession::answerReboot(bool agreed, bool restarting) {
    m_rebootAsked = false;
    if (!m_running)
        return;
    m_link.say(agreed && restarting ? "ReBt?OK" : "ReBt?NOK");
}

void HostSession::sendFullPicture() {
    m_updateWanted = false;
    m_desktop.grab(m_frame);
    m_unsent = QRegion();
    if (m_frame.isNull())
        return;
    const auto p = m_encoder.full(m_frame);
    m_link.deposit("picture", p.body);
    m_link.say(p.notice);
}

// The picture goes out at once when the console waits for one; otherwise changes add up
// until it asks, so a burst of changes while it is busy becomes one picture.
void HostSession::tryUpdate() {
    if (!m_updateWanted)
        return;
    m_unsent += m_desktop.grab(m_frame);
    if (m_frame.isNull())
        return;
    const auto p = m_encoder.update(m_frame, m_unsent);
    m_unsent = QRegion();
    if (!p)
        return; // the next change sends it
    m_updateWanted = false;
    m_link.deposit(p->full ? "picture" : "update", p->body);
    m_link.say(p->notice);
}

void HostSession::sendModeList() {
    const QList<DesktopMode> modes = m_desktop.modes();
    const DesktopMode current = m_desktop.currentMode();
    QByteArray lines;
    int index = 0;
    for (int i = 0; i < modes.size(); ++i) {
        // The console's list shows 32 bits for every true-colour mode of this desktop.
        lines += number(modes[i].size.width()) + ' ' + number(modes[i].size.height()) + " 32\r\n";
        if (modes[i].size == current.size)
            index = i;
    }
    lines += number(index) + "\r\n";
    m_link.deposit("list", Zlib::deflate(lines));
    m_link.say("StrlGScM");
}

void HostSession::switchMode(const QByteArray &parameter) {
    const auto request = ParseModeRequest(parameter);
    bool done = false;
    if (request && !m_viewOnly) {
        for (const DesktopMode &m : m_desktop.modes()) {
            if (m.size == QSize(request->width, request->height)) {
                done = m_desktop.setMode(m);
                break;
            }
        }
    }
    if (done && request->depth)
        m_encoder.setDepth(request->depth);
    m_link.say(done ? "SScM?OK" : "SScM?NOK");
}

void HostSession::withModifiers(int modifiers, const std::function<void()> &action) {
    const int keys[] = {kShift, kControl, kMenu};
    for (int i = 0; i < 3; ++i)
        if (modifiers & (1 << i))
            m_desktop.key(keys[i], false, true);
    action();
    for (int i = 2; i >= 0; --i)
        if (modifiers & (1 << i))
            m_desktop.key(keys[i], false, false);
}

void HostSession::input(const QByteArray &code, const QByteArray &parameter) {
    // The console forwards the wheel in view-only mode too, to scroll what the user shows.
    if (m_viewOnly && code != "MWhl")
        return;
    const auto e = ParseInput(code, parameter);
    if (!e)
        return;
    switch (e->kind) {
    case InputEvent::Move:
        m_desktop.movePointer(e->at);
        break;
    case InputEvent::Click:
        m_desktop.movePointer(e->at);
        withModifiers(e->modifiers, [&] {
            for (int i = 0; i < e->clicks; ++i) {
                m_desktop.pressButton(e->button, true);
                m_desktop.pressButton(e->button, false);
            }
        });
        break;
    case InputEvent::DragStart:
        m_desktop.movePointer(e->at);
        withModifiers(e->modifiers, [&] { m_desktop.pressButton(e->button, true); });
        m_desktop.movePointer(e->to);
        break;
    case InputEvent::ButtonUp:
        m_desktop.movePointer(e->at);
        m_desktop.pressButton(e->button, false);
        break;
    case InputEvent::Wheel:
        withModifiers(e->modifiers, [&] { m_desktop.wheel(e->wheel); });
        break;
    case InputEvent::Key:
        if (e->character >= 32) {
            // The character carries its shift already; Ctrl and Alt go round it.
            const QString c = fromCp1252(QByteArray(1, char(e->character)));
            withModifiers(e->modifiers & ~1, [&] {
                if (!c.isEmpty())
                    m_desktop.typeCharacter(c.at(0));
            });
        } else {
            withModifiers(e->modifiers, [&] {
                m_desktop.key(e->virtualKey, e->extended, true);
                m_desktop.key(e->virtualKey, e->extended, false);
            });
        }
        break;
    }
}

} // namespace qhost
