#pragma once
#include "tools/ClipboardStream.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace localgw {

// The host program's support tools, simulated: its clipboard (text, a picture and any other
// formats the console sent), a remote user who chats back and types, and a system report whose
// processes and services change when the console stops or starts them.
class HostTools {
public:
    // How the tools reach the gateway and the rest of the host.
    struct Outlet {
        std::function<void(const QByteArray &message)> say;
        std::function<void(const QByteArray &zlibBody)> depositClipboard;
        std::function<void(const QByteArray &zlibBody)> depositList;
        // Runs `action` after `ms` unless the host left meanwhile.
        std::function<void(int ms, std::function<void()> action)> later;
        // A line on the host's desktop, so the change can be seen on the remote screen.
        std::function<void(const QString &note)> note;
    };

    struct Process {
        QString program; // full path, or a bare name for system processes
        int pid = 0;
        int memoryMb = 0;
        QString window; // title of its task window, empty for none
    };
    struct Service {
        QString name;
        QString displayName;
        QString state;         // "Running", "Stopped", "Paused"
        bool startable = true; // false: a start leaves it stopped
    };

    HostTools(const QByteArray &hostName, Outlet outlet);

    // The commands these tools answer: "DlCl", "PcFo", "PcUp", "SvcS", "StPr", "RqCh", "ChSt",
    // "StCh", "RTpg", "RsTp".
    static bool handles(const QByteArray &command);
    void command(const QByteArray &command, const QByteArray &param);
    void clipboardFromConsole(const QByteArray &formatWord, const QByteArray &zlibBody);
    // The host left: its chat window is gone.
    void hostLeft();

    // Clipboard.
    void setClipboard(const QString &text, const QImage &image);
    QString clipboardText() const { return m_text; }
    QImage clipboardImage() const { return m_image; }
    QList<ClipboardStream::Entry> clipboardOthers() const { return m_others; }
    void setClipboardEmpty(bool empty) { m_clipboardEmpty = empty; }
    // While held, the answers to the console's uploads ("ClSt", "ClEr") wait; they go out, in
    // order, when released.
    void holdUploadAnswers(bool hold);

    // Chat: the remote user's side.
    void setChatDenied(bool denied) { m_chatDenied = denied; }
    bool chatOpen() const { return m_chatOpen; }
    QStringList chatReceived() const { return m_chatReceived; }
    QList<QByteArray> typingNotices() const { return m_typing; }
    void remoteOpensChat();
    void remoteTypesAndSends(const QString &text);
    void remoteClosesChat();

    // System report.
    QList<Process> processes() const { return m_processes; }
    QList<Service> services() const { return m_services; }
    QByteArrayList reportLines(bool full) const;

private:
    void sendClipboard(const QByteArray &code);
    void answerUpload(const QByteArray &answer);
    void sendReport(const QByteArray &kind);
    void setService(const QByteArray &param);
    void stopProcess(const QByteArray &param);
    void chatMessage(const QByteArray &param);

    QByteArray m_hostName;
    Outlet m_out;

    QString m_text;
    QImage m_image;
    QList<ClipboardStream::Entry> m_others; // registered formats, as they came
    bool m_clipboardEmpty = false;
    bool m_holdUploadAnswers = false;
    QByteArrayList m_heldAnswers;

    bool m_chatDenied = false;
    bool m_chatOpen = false;
    QStringList m_chatReceived;
    QList<QByteArray> m_typing;

    QList<Process> m_processes;
    QList<Service> m_services;
};

} // namespace localgw
