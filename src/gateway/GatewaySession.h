#pragma once
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class HttpChannel;

// The gateway session: the three channels to the gateway and the session fields that go with
// them. The main window owns one; it runs on the main thread and reports through signals, so
// it is driven and tested without any window.
class GatewaySession : public QObject {
    Q_OBJECT
public:
    explicit GatewaySession(QObject *parent = nullptr);
    ~GatewaySession() override;

    // Poll channel activity.
    enum QStateValue : quint8 { QIdle = 0, QLogon = 1, QPoll = 3 };
    // Command channel activity.
    enum ExecStateValue : quint8 {
        ExecIdle = 0,
        ExecLogoff = 2,
        ExecCommand = 4,
        ExecStringList = 10,
        ExecClipUpload = 11,
        ExecClipDownload = 12,
        ExecAnnouncement = 13,
    };

    HttpChannel *QClient = nullptr;
    HttpChannel *ExecClient = nullptr;
    HttpChannel *ScreenClient = nullptr;

    QString GatewayUrl;
    QString GatewayScheme;
    int GatewayNumber = 0;
    QStringList TriedGateways;
    QString VersionTag;
    QString CustomerName;
    QString HostIP, HostOS = QStringLiteral("WNT");
    quint8 QState = QIdle;
    quint8 ExecState = ExecIdle;
    quint8 ScreenFetch = 0;
    QList<QByteArray> CommandQueue;
    bool CommandsDisabled = false;
    quint8 StopQueueReason = 0;
    bool QueueStopped = false;
    quint8 RebootPending = 0;
    bool CertChecked = false;

    // The session-state part of the reset; the main window resets its own controls around it.
    void InitVars();

signals:
    // A TLS handshake or certificate failure on any channel: the text is the message to show;
    // the session must then end without a further question.
    void tlsFailure(const QString &text);

private:
    void onQClientDone(int error, int status, const QByteArray &body);
    void onExecClientDone(int error, int status, const QByteArray &body);
    void onScreenClientDone(int error, int status, const QByteArray &body);
    bool tlsFailureReported = false;
};
