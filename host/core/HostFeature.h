#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

namespace qhost {

// What a feature of the host program may send to the console, over the host channel. Deposits
// go before the message that announces them.
class ConsoleLink {
public:
    virtual ~ConsoleLink() = default;
    // One message for the console's poll ("ClSt", "StrlGdir", "RTpg", …).
    virtual void say(const QByteArray &message) = 0;
    // The latest deposit of a kind: "picture", "update", "list" or "clipboard".
    virtual void deposit(const QByteArray &kind, const QByteArray &body) = 0;
    // A file for the console's download "Files/KEY/NAME".
    virtual void file(const QByteArray &name, const QByteArray &body) = 0;
};

// One feature of the host program (screen, input, files, clipboard, chat, system report, …).
// The session hands every command to its features in turn until one takes it; a feature never
// knows the others.
class HostFeature : public QObject {
    Q_OBJECT
public:
    explicit HostFeature(ConsoleLink &link, QObject *parent = nullptr)
        : QObject(parent), m_link(link) {}

    // A console command, split at its first '?' ("Gdir", "C%3A%5C"); true when it was this
    // feature's.
    virtual bool command(const QByteArray &code, const QByteArray &parameter) = 0;
    // A control request ("15" and the like) with its parameters; true when taken.
    virtual bool control(const QByteArray &, const QByteArray &) { return false; }
    // The console's clipboard upload; true when taken.
    virtual bool clipboard(const QByteArray &, const QByteArray &) { return false; }
    // The console's file upload; true when taken.
    virtual bool upload(const QByteArray &, const QByteArray &, const QByteArray &) {
        return false;
    }
    // The session ended (Stop, the operator left, the gateway went away): stop at once and give
    // back anything held.
    virtual void sessionEnded() {}

signals:
    // Something the remote user should see in the panel while it lasts (a transfer, a
    // clipboard copy): `percent` 0..100, or -1 when it is over.
    void activity(const QString &what, int percent);

protected:
    ConsoleLink &link() { return m_link; }

private:
    ConsoleLink &m_link;
};

} // namespace qhost
