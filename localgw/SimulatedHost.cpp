#include "SimulatedHost.h"
#include "common/Zlib.h"
#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"
#include "screen/ScreenTimeline.h"

#include <QDir>
#include <QPointer>
#include <QtEndian>

#include <time.h>

namespace localgw {

namespace {
constexpr qsizetype kCostsKept = 4096;
constexpr qsizetype kClipboardLimit = 5000000;

// The numbers of a parameter such as "1-120--40-1-0": fields separated by "-", a negative
// number with its own leading "-".
QList<int> numbersOf(const QByteArray &param) {
    QList<int> out;
    qsizetype i = 0;
    while (i < param.size()) {
        bool negative = false;
        if (param[i] == '-') {
            negative = true;
            ++i;
        }
        qsizetype start = i;
        while (i < param.size() && param[i] >= '0' && param[i] <= '9')
            ++i;
        if (i == start)
            break;
        const int v = param.mid(start, i - start).left(9).toInt();
        out.append(negative ? -v : v);
        if (i < param.size() && param[i] != '-')
            break;
        ++i;
    }
    return out;
}

void putStreamInt(QByteArray &out, qint32 v) {
    if (v >= -128 && v <= 127) {
        out.append('\x02');
        out.append(char(qint8(v)));
    } else if (v >= -32768 && v <= 32767) {
        out.append('\x03');
        const qint16 le = qToLittleEndian(qint16(v));
        out.append(reinterpret_cast<const char *>(&le), 2);
    } else {
        out.append('\x04');
        const qint32 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 4);
    }
}

qint64 threadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

QImage clipboardPicture() {
    QImage img(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 4, y * 5, 160));
    return img;
}
} // namespace

SimulatedHost::SimulatedHost(const GatewayConfig &config, QObject *parent)
    : QObject(parent), m_config(config), m_identity(config.host), m_desktop(config.screenSize),
      m_clockRunning(config.clockRunning) {
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
}

void SimulatedHost::resetScreenState() {
    m_modeIndex = int(m_modes.indexOf(m_config.screenSize));
    m_desktop.resize(m_config.screenSize);
    m_desktop.setWallpaperVisible(true);
    m_desktop.setTaskManagerVisible(false);
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
    m_clockTimer.start();
    m_aliveTimer.start();
}

void SimulatedHost::stopActivity() {
    m_joined = false;
    ++m_generation;
    m_joinTimer.stop();
    m_clockTimer.stop();
    m_aliveTimer.stop();
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
    const qint64 cpu = threadCpuNs();
    m_updateWanted = false;
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

void SimulatedHost::sendClipboard(const QByteArray &code) {
    if (m_clipboardEmpty) {
        emit message("ClEr?Empty");
        return;
    }
    const QByteArray text = "Text from the remote clipboard of " + m_identity.hostName + "\r\n";
    const QByteArray textBlock = text + '\0';
    const QByteArray dib = BmpWriter::encodeDib(clipboardPicture(), 24);
    QByteArray content;
    if (code == "Txt") {
        content = textBlock;
    } else if (code == "BM") {
        content = dib;
    } else {
        content.append('\x01');
        for (const auto &[format, block] : {std::pair{1, textBlock}, std::pair{8, dib}}) {
            putStreamInt(content, format);
            content.append('\x06');
            content.append('\0'); // predefined formats have no name
            putStreamInt(content, qint32(block.size()));
            content.append(block);
        }
        content.append('\0');
    }
    emit deposit(DepositKind::Clipboard, Zlib::deflate(content));
    emit message("DlCl?" + code);
}

void SimulatedHost::clipboardFromConsole(const QByteArray &formatWord, const QByteArray &zlibBody) {
    if (!m_joined)
        return;
    Zlib::InflateError error = Zlib::InflateError::None;
    const auto content = Zlib::inflateBounded(zlibBody, kClipboardLimit, &error);
    if (!content) {
        emit message(error == Zlib::InflateError::TooLarge ? QByteArray("ClEr?>4883")
                                                           : QByteArray("ClEr?Error"));
        return;
    }
    if (content->isEmpty()) {
        emit message("ClEr?Empty");
        return;
    }
    if (formatWord == "Txt") {
        QByteArray text = *content;
        const qsizetype nul = text.indexOf('\0');
        if (nul >= 0)
            text.truncate(nul);
        m_desktop.setNote(QStringLiteral("Clipboard: ") + QString::fromLatin1(text.left(60)));
    } else {
        m_desktop.setNote(QStringLiteral("Clipboard: %1 bytes (%2)")
                              .arg(content->size())
                              .arg(QString::fromLatin1(formatWord)));
    }
    desktopChanged();
    emit message("ClSt");
}

void SimulatedHost::sendReport(const QByteArray &kind) {
    QByteArrayList lines;
    const bool full = kind == "PcFo";
    if (full) {
        lines << "[PROC][HEAD]Processor:260|\\Cores:80|\\MHz:80"
              << "[PROC]Simulated processor|4|2400"
              << "[OPSY][HEAD]Property:200|Value:300"
              << "[OPSY]Operating system|Simulated Windows"
              << "[OPSY]Computer name|" + m_identity.hostName << "[KEYB][HEAD]Layout:200"
              << "[KEYB]" + m_identity.keyboardLayout;
    }
    lines << "[MEMM][HEAD]Memory:200|\\Size:120"
          << "[MEMM]Physical memory|8192 MB"
          << "[STOR][HEAD]Drive:100|\\Free:120|\\Size:120"
          << "[STOR]C:\\|51200 MB|256000 MB"
          << "[RUNT][HEAD]Task:300"
          << "[RUNT]Notepad - typed.txt"
          << "[RUNP][HEAD]Program:300|\\Memory:100|\\PID:80"
          << "[RUNP]C:\\Windows\\explorer.exe|40 MB|1204"
          << "[RUNP]C:\\Windows\\notepad.exe|8 MB|2210"
          << "[RUNS][HEAD]Service:160|Display name:240|State:100"
          << "[RUNS]Spooler|Print Spooler|Running"
          << "[RUNS]W32Time|Windows Time|Stopped";
    emit deposit(DepositKind::StringList, Zlib::deflate(lines.join("\r\n") + "\r\n"));
    emit message("Strl" + kind);
}

void SimulatedHost::handleInput(const QByteArray &cmd, const QByteArray &param) {
    const QList<int> n = numbersOf(param.startsWith('#') ? param.mid(1) : param);
    if (cmd == "MoMo" && n.size() >= 2) {
        m_desktop.setPointer({n[0], n[1]});
    } else if (cmd == "MsCl" && n.size() >= 3) {
        m_desktop.click({n[1], n[2]});
    } else if (cmd == "StDr" && n.size() >= 4) {
        m_desktop.setPointer({n[2], n[3]});
    } else if (cmd == "MoUp" && n.size() >= 2) {
        m_desktop.setPointer({n[0], n[1]});
    } else if (cmd == "KbdP" && n.size() >= 2) {
        const int vk = n[0];
        const int ch = n[1];
        if (vk == 8)
            m_desktop.backspace();
        else if (vk == 13)
            m_desktop.typeCharacter(QLatin1Char('\n'));
        else if (ch >= 32 && ch < 256)
            m_desktop.typeCharacter(QChar::fromLatin1(char(ch)));
    } else {
        return;
    }
    desktopChanged();
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
    } else if (cmd == "sCAD" || cmd == "TMgr") {
        m_desktop.setTaskManagerVisible(true);
        desktopChanged();
    } else if (cmd == "DlCl") {
        sendClipboard(param);
    } else if (cmd == "PcFo" || cmd == "PcUp") {
        sendReport(cmd);
    } else if (cmd == "SvcS") {
        emit message(param.endsWith("&1") ? QByteArray("SvcS?Running")
                                          : QByteArray("SvcS?Stopped"));
    } else if (cmd == "StPr") {
        emit message("StPr?OK");
    } else if (cmd == "RqCh") {
        if (m_chatDenied)
            emit message("ChDn");
    } else if (cmd == "ChSt") {
        later(300, [this] { emit message("RTpg"); });
        later(900, [this, param] {
            emit message("RsTp");
            emit message("ChSt?The remote user read: " + param.left(200));
        });
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
