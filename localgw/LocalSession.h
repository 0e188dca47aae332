#pragma once
#include "GatewayConfig.h"
#include "PendingReply.h"
#include "SimulatedHost.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QQueue>
#include <QTimer>

namespace localgw {

// One support session on one gateway, from the logon to the logoff: the messages waiting for
// the console, the held poll, the deposits of both sides and the simulated host.
class LocalSession : public QObject {
    Q_OBJECT
public:
    LocalSession(const QByteArray &key, int gateway, const GatewayAccount &account,
                 const GatewayConfig &config, QObject *parent = nullptr);
    ~LocalSession() override;

    QByteArray key() const { return m_key; }
    int gateway() const { return m_gateway; }
    const GatewayAccount &account() const { return m_account; }
    bool isEnded() const { return m_ended; }
    SimulatedHost &host() { return m_host; }

    // A message for the console, delivered by the next poll (oldest first).
    void post(const QByteArray &message);
    QList<QByteArray> waitingMessages() const { return m_outbox; }

    // A poll: answered at once with the oldest message, or held until one comes or the hold
    // time ends ("QAD", which the console skips). A newer poll releases a held one.
    void poll(const ReplyPtr &reply);
    bool hasHeldPoll() const { return m_heldPoll && m_heldPoll->isOpen(); }

    // The latest deposit of each kind; a new one replaces the old.
    void store(DepositKind kind, const QByteArray &body) { m_deposits[int(kind)] = body; }
    std::optional<QByteArray> deposit(DepositKind kind) const;

    // What the console left for the host.
    void storeConsoleClipboard(const QByteArray &formatWord, const QByteArray &body);
    QByteArray consoleClipboard() const { return m_consoleClipboard; }
    void storeUploadedFile(const QByteArray &path, const QByteArray &name, const QByteArray &body);
    QMap<QByteArray, QByteArray> uploadedFiles() const { return m_uploads; }
    // Files the host stored for the console ("Files/" + key + "/" + name).
    void storeHostFile(const QByteArray &name, const QByteArray &body) { m_hostFiles[name] = body; }
    std::optional<QByteArray> hostFile(const QByteArray &name) const;

    // "hh:mm:ss" since the logon.
    QByteArray sessionTimeText() const;
    // Milliseconds since the console's last request in this session.
    qint64 idleMs() const { return m_lastRequest.elapsed(); }
    void touch() { m_lastRequest.restart(); }
    // Ends the session: the host goes without a word, a held poll gets an empty answer.
    void end();

private:
    void answerHeldPoll(const QByteArray &body);
    QByteArray hostLogonText() const;

    QByteArray m_key;
    int m_gateway;
    GatewayAccount m_account;
    GatewayConfig m_config;
    QElapsedTimer m_age;
    QElapsedTimer m_lastRequest;
    bool m_ended = false;
    int m_hostJoins = 0;

    QQueue<QByteArray> m_outbox;
    ReplyPtr m_heldPoll;
    QTimer m_pollTimer;

    QHash<int, QByteArray> m_deposits;
    QByteArray m_consoleClipboard;
    QMap<QByteArray, QByteArray> m_uploads;
    QMap<QByteArray, QByteArray> m_hostFiles;
    SimulatedHost m_host;
};

} // namespace localgw
