#include "screen/ScreenModes.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "screen/ScreenPipeline.h"
#include "settings/uIniFiles.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <iterator>

namespace {
// The message window's kinds, buttons and answers, as SessionUi passes them.
enum : int { mkWarning = 0 };
enum : int { btnYes = 1, btnNo = 2 };
enum : int { mrYes = 0 };

constexpr int MaxModeSide = 32767;
const char *const BuiltInResolutions[] = {" 800 x 600", "1024 x 768"};

// A whole number, blanks around it allowed, as the boxes and the host write them.
bool readNumber(QStringView text, int &value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        value = v;
    return ok;
}

int modeSide(const QByteArray &token, int fallback) {
    bool ok = false;
    const int v = token.toInt(&ok);
    return ok && v >= 1 && v <= MaxModeSide ? v : fallback;
}
} // namespace

ScreenModeList ParseScreenModeList(const QList<QByteArray> &lines) {
    ScreenModeList list;
    if (lines.isEmpty())
        return list;
    const qsizetype modeLines = std::min<qsizetype>(lines.size() - 1, MaxScreenModes);
    list.modes.reserve(modeLines);
    for (qsizetype i = 0; i < modeLines; ++i) {
        const QList<QByteArray> tokens = lines[i].split(' ');
        QList<QByteArray> words;
        for (const QByteArray &t : tokens) {
            if (!t.isEmpty())
                words.append(t);
            if (words.size() == 2)
                break;
        }
        list.modes.append(QSize(modeSide(words.value(0), 800), modeSide(words.value(1), 600)));
    }
    bool ok = false;
    const int current = lines.last().trimmed().toInt(&ok);
    list.current = ok ? current : 0;
    return list;
}

QString FormatScreenMode(int width, int height) {
    return QStringLiteral("%1 x%2").arg(width, 5).arg(height, 5);
}

bool ParseScreenModeEntry(const QString &entry, int &width, int &height) {
    int w = 0, h = 0;
    if (!readNumber(QStringView(entry).mid(0, 5), w) ||
        !readNumber(QStringView(entry).mid(7, 5), h))
        return false;
    width = w;
    height = h;
    return true;
}

QSize PreferredResolution(int iscrMode) {
    const int last = int(std::size(BuiltInResolutions)) - 1;
    const QString entry = QString::fromLatin1(BuiltInResolutions[std::clamp(iscrMode, 0, last)]);
    int w = 0, h = 0;
    if (!readNumber(QStringView(entry).mid(0, 4), w) ||
        !readNumber(QStringView(entry).mid(6, 4), h))
        return QSize(0, 0);
    return QSize(w, h);
}

int ColorDepthOf(int colorIndex) {
    switch (colorIndex) {
    case 0:
        return 4;
    case 1:
        return 8;
    default:
        return 15;
    }
}

QStringList ColorBoxEntries() {
    const QString word = Msg("colors");
    QStringList entries;
    for (int n : {16, 256, 65536})
        entries.append(QStringLiteral("%1 ").arg(n, 5) + word);
    return entries;
}

ScreenModes::ScreenModes(GatewaySession *session, ScreenPipeline *pipeline, QObject *parent)
    : QObject(parent), Session(session) {
    H.stopScreenUpdates = [pipeline] { pipeline->StopScreenUpdates(); };
    H.restartScreenUpdates = [pipeline](bool full) { pipeline->RestartScreenUpdates(full); };
    H.requestFullPicture = [pipeline] { pipeline->RequestFullPicture(); };
    H.fullPicturePending = [pipeline] { return pipeline->FullPicturePending; };
    H.fullControl = [] { return true; };
    H.recording = [] { return false; };
    H.stopRecording = [] {};
    H.sendKeyboardLayout = [] {};
    H.monitorSize = [] {
        const QScreen *s = QGuiApplication::primaryScreen();
        return s ? s->size() : QSize();
    };
    session->claimHostMessage("SScM", this,
                              [this](const QByteArray &p) { ScreenModeBoxSelectDone(p == "OK"); });
    session->claimHostMessage("DiWP", this, [this](const QByteArray &p) {
        if (p == "OK")
            setWallpaperHidden(true);
    });
    session->claimHostMessage("EnWP", this, [this](const QByteArray &p) {
        if (p == "OK")
            setWallpaperHidden(false);
    });
    connect(session, &GatewaySession::hostJoined, this,
            [this] { HostJoined(Session->HostOS == QLatin1String("W32")); });
    connect(session, &GatewaySession::logoffStarting, this, &ScreenModes::LogoffStarted);
    // The pipeline reduces every picture to the depth chosen here.
    connect(this, &ScreenModes::colorDepthChanged, pipeline, &ScreenPipeline::setColorDepth);
    connect(session, &GatewaySession::stringListReceived, this,
            [this](int kind, const QList<QByteArray> &lines) {
                if (kind == 1)
                    GetScreenModesRequestDone(lines);
            });
}

void ScreenModes::send(const QByteArray &command) {
    Session->SendCmd(command);
}

void ScreenModes::clickSound() {
    Session->ui().playSound(0);
}

bool ScreenModes::hostConnected() const {
    return adminVars().HostLoggedOn;
}

void ScreenModes::selectMode(int index) {
    ModeIndex = index >= 0 && index < ModeEntries.size() ? index : -1;
    emit modesChanged();
}

void ScreenModes::selectColor(int index) {
    const int previous = colorDepth();
    const bool had = ColorIndex >= 0;
    ColorIndex = index >= 0 && index < ColorEntries.size() ? index : -1;
    emit colorsChanged();
    if (!had || previous != colorDepth())
        emit colorDepthChanged(colorDepth());
}

void ScreenModes::setWallpaperHidden(bool hidden) {
    WallpaperHidden = hidden;
    emit wallpaperChanged(hidden);
}

void ScreenModes::GetScreenModesRequestDone(const QList<QByteArray> &lines) {
    AddTrace(21);
    const Settings &s = settings();
    const QSize preferred = PreferredResolution(s.IscrMode);
    int preferredIndex = -1;
    int current = 0;
    if (!lines.isEmpty()) {
        const ScreenModeList list = ParseScreenModeList(lines);
        ModeEntries.clear();
        for (int i = 0; i < list.modes.size(); ++i) {
            const QSize m = list.modes[i];
            ModeEntries.append(FormatScreenMode(m.width(), m.height()));
            if (m == preferred)
                preferredIndex = i;
        }
        current = list.current;
    }
    emit modesChanged();
    ConfirmedModeIndex = current;
    // The current mode stays selected when fitting to the monitor finds no match.
    RequestedModeIndex = current;
    if (s.AutoFS && s.FitScr) {
        FitToFullScreen();
    } else if (s.SetRes && preferredIndex != current) {
        SetNewScreenMode(preferred.width(), preferred.height(), preferredIndex, colorDepth());
    }
    selectMode(RequestedModeIndex);
    SetScreenColors();
    if (s.DisWP)
        send("DiWP");
    H.sendKeyboardLayout();
    H.restartScreenUpdates(true);
}

int ScreenModes::FindScreenMode(int width, int height) {
    AddTrace(22, QStringLiteral("X:%1 - Y:%2").arg(width).arg(height));
    for (int i = 0; i < ModeEntries.size(); ++i) {
        int w = 0, h = 0;
        if (!ParseScreenModeEntry(ModeEntries[i], w, h)) {
            selectMode(ModeIndex);
            return -2;
        }
        if (w == width && h == height)
            return i;
    }
    return -1;
}

void ScreenModes::SetNewScreenMode(int width, int height, int index, int depth) {
    if (!H.fullControl())
        return;
    AddTrace(23,
             QStringLiteral("X:%1-Y:%2-Pix:%3NI:%4").arg(width).arg(height).arg(depth).arg(index));
    if (H.recording())
        H.stopRecording();
    RequestedModeIndex = index;
    send("SScM?" + QByteArray::number(width) + '&' + QByteArray::number(height) + '&' +
         QByteArray::number(depth));
}

void ScreenModes::ScreenModeBoxSelect(int index) {
    if (index < 0 || index >= ModeEntries.size())
        return;
    ModeIndex = index;
    emit modesChanged();
    H.stopScreenUpdates();
    int w = 0, h = 0;
    if (ParseScreenModeEntry(ModeEntries[index], w, h))
        SetNewScreenMode(w, h, index, colorDepth());
    else
        selectMode(index);
}

void ScreenModes::ScreenModeBoxSelectDone(bool ok) {
    AddTrace(24);
    if (ok) {
        selectMode(RequestedModeIndex);
        ConfirmedModeIndex = RequestedModeIndex;
    } else {
        Session->ui().flash(QString(), Msg("Unable to set selected screen mode"), 3);
        selectMode(ConfirmedModeIndex);
    }
    emit focusViewRequested();
    if (!H.fullPicturePending()) {
        H.stopScreenUpdates();
        H.requestFullPicture();
    }
}

void ScreenModes::SetScreenColors() {
    AddTrace(25);
    send("SCol?" + QByteArray::number(colorDepth()));
}

void ScreenModes::ColorBoxSelect(int index) {
    if (index < 0 || index >= ColorEntries.size())
        return;
    selectColor(index);
    settings().Icol = index;
    if (hostConnected()) {
        H.stopScreenUpdates();
        SetScreenColors();
        H.requestFullPicture();
    }
}

void ScreenModes::FitToFullScreen() {
    AddTrace(26);
    const QSize monitor = H.monitorSize();
    const int index = FindScreenMode(monitor.width(), monitor.height());
    if (index < 0) {
        Session->ui().flash(QString(), Msg("Screen mode not available"), 3);
        return;
    }
    H.stopScreenUpdates();
    if (ColorIndex >= 0 && ColorIndex <= 2)
        SetNewScreenMode(monitor.width(), monitor.height(), index, colorDepth());
}

void ScreenModes::BttnHideWallpaperClick() {
    if (!hostConnected() || !H.fullControl())
        return;
    clickSound();
    H.stopScreenUpdates();
    send("DiWP");
    H.requestFullPicture();
}

void ScreenModes::WMHideWallpaper() {
    AddTrace(72);
    BttnHideWallpaperClick();
}

void ScreenModes::BttnShowWallpaperClick() {
    if (!hostConnected() || !H.fullControl())
        return;
    clickSound();
    const int answer = Session->ui().message(
        mkWarning,
        Msg("Enabling the remote wallpaper will significantly decrease the application "
            "performance!\rThe remote wallpaper automatically re-enables when a support session "
            "ends.\rDo you really want to enable the remote wallpaper?"),
        btnYes | btnNo);
    // The question may outlast the session.
    if (answer != mrYes || !hostConnected())
        return;
    H.stopScreenUpdates();
    send("EnWP");
    H.requestFullPicture();
}

void ScreenModes::ModeBoxDropDown() {
    if (hostConnected() && ModeEntries.isEmpty())
        send("GScM");
}

void ScreenModes::SetColorBox() {
    AddTrace(14);
    ColorEntries = ColorBoxEntries();
    Settings &s = settings();
    const int last = int(ColorEntries.size()) - 1;
    // A stored index outside the box is taken as the nearest entry and stored that way, so a
    // hand-edited settings file never leaves the console without a colour choice.
    int index;
    if (s.SetCol) {
        if (s.IAutoCol < 0 || s.IAutoCol > last)
            s.IAutoCol = last;
        index = s.IAutoCol;
    } else {
        s.Icol = std::clamp(s.Icol, 0, last);
        index = s.Icol;
    }
    selectColor(index);
}

void ScreenModes::RelabelColorBox() {
    ColorEntries = ColorBoxEntries();
    emit colorsChanged();
}

void ScreenModes::ResetBoxes() {
    ModeBoxEnabled = true;
    ColorBoxEnabled = true;
    ModeEntries.clear();
    RequestedModeIndex = ConfirmedModeIndex = -1;
    selectMode(-1);
    SetColorBox();
    setWallpaperHidden(false);
}

void ScreenModes::LogoffStarted() {
    setWallpaperHidden(false);
    ModeEntries.clear();
    selectMode(-1);
}

void ScreenModes::HostJoined(bool w32) {
    ColorBoxEnabled = !w32;
    if (w32)
        selectColor(0);
    else
        emit colorsChanged();
}

void ScreenModes::setModeBoxEnabled(bool enabled) {
    ModeBoxEnabled = enabled;
    emit modesChanged();
}
