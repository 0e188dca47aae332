#pragma once
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QVariant>

// The window messages of the console. Each keeps its WM_USER+n number so traces and reports
// stay comparable; it travels as a posted QEvent whose type is QEvent::User + the number.
namespace WindowMessages {

inline constexpr int WM_USER = 0x0400;

enum Message : int {
    PollGateway = WM_USER + 2,
    HostMessage = WM_USER + 4,
    GatewayEvent = WM_USER + 7, // the one message delivered synchronously (a direct call)
    PumpQueue = WM_USER + 8,
    HostStartedChat = WM_USER + 9,
    StartExplorer = WM_USER + 11,
    FullScreen = WM_USER + 12,
    NormalScreen = WM_USER + 13,
    FlashMessage = WM_USER + 14,
    Reboot = WM_USER + 15,
    About = WM_USER + 16,
    UserGuide = WM_USER + 17,
    GettingStarted = WM_USER + 18,
    Logon = WM_USER + 20,
    FormPresent = WM_USER + 21,
    WANdisconnect = WM_USER + 22,
    StartWebPage = WM_USER + 23,
    HideWallpaper = WM_USER + 25,
    SetColors = WM_USER + 26,
    ScreenRefresh = WM_USER + 27,
    RestoreFromTray = WM_USER + 28,
    BringToFront = WM_USER + 29,
    StartChat = WM_USER + 30,
    SendMail = WM_USER + 31,
    ShowInfoMessage = WM_USER + 32,
    RequestInfoMessage = WM_USER + 33,
    CloseClipProgress = WM_USER + 34,
    ProcessNextScreenNotice = WM_USER + 35,
    BadConnection = WM_USER + 37,
    WanConnect = WM_USER + 38,
    // File transfer window
    QCheckQueue = WM_USER + 60,
    UpdateFileView = WM_USER + 62,
    UpdateFileViewDone = WM_USER + 63,
    ExplorerFlashMessage = WM_USER + 64,
    ExplorerStop = WM_USER + 66,
    // Update download window
    DownloadProgress = WM_USER + 200,
    DownloadStart = WM_USER + 201,
    DownloadDone = WM_USER + 202,
    UpdateForm = WM_USER + 250,
    TrayIcon = WM_USER + 300,
};

inline QEvent::Type eventType(int message) {
    return static_cast<QEvent::Type>(QEvent::User + message);
}

// A window message with its two parameters. WParam and LParam carry numbers; `text` carries
// the body a message owns (a host message, an event text).
class MessageEvent : public QEvent {
public:
    MessageEvent(int message, qint64 wParam = 0, qint64 lParam = 0, QByteArray text = {})
        : QEvent(eventType(message)), message(message), wParam(wParam), lParam(lParam),
          text(std::move(text)) {}
    const int message;
    const qint64 wParam;
    const qint64 lParam;
    const QByteArray text;
};

// Returns the message number of an event, or 0 when it is not a window message.
inline int messageOf(const QEvent *e) {
    const int t = static_cast<int>(e->type()) - QEvent::User;
    return (t >= WM_USER && t <= WM_USER + 0x7fff) ? t : 0;
}

inline void PostMessage(QObject *receiver, int message, qint64 wParam = 0, qint64 lParam = 0,
                        QByteArray text = {}) {
    QCoreApplication::postEvent(receiver,
                                new MessageEvent(message, wParam, lParam, std::move(text)));
}

// Low and high words of a WParam, as the senders pack them.
inline int loWord(qint64 v) {
    return static_cast<int>(v & 0xffff);
}
inline int hiWord(qint64 v) {
    return static_cast<int>((v >> 16) & 0xffff);
}
inline qint64 makeWParam(int lo, int hi) {
    return (qint64(hi & 0xffff) << 16) | (lo & 0xffff);
}

} // namespace WindowMessages
