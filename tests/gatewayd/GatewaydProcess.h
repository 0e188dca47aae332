#pragma once
// quorvia-gateway started as a process for a test: a throwaway certificate authority, a
// configuration in a temporary folder, accounts added with its own command line, and plain
// HTTPS requests to it beside the console's.
#include "LocalPki.h"

#include <QByteArray>
#include <QProcess>
#include <QSslCertificate>
#include <QTemporaryDir>

#include <memory>

class GatewaydProcess {
public:
    struct Answer {
        int status = 0; // 0: no HTTP answer at all
        QByteArray body;
    };

    GatewaydProcess();
    ~GatewaydProcess();

    // The loopback address it listens on (and its certificate names); set before start().
    void setAddress(const QString &address) { m_address = address; }
    QString address() const { return m_address; }
    // Writes the files and the configuration (`extraConfig` lines are appended) and starts
    // serving; false with the reason in `error`. Started again, it keeps its port and state.
    bool start(const QByteArray &extraConfig, QString *error);
    // SIGKILL: nothing is ended or written.
    void kill();
    // `user add|passwd|disable ...`, the password on standard input.
    bool cli(const QStringList &args, const QByteArray &stdinText = {});
    void stop();

    quint16 port() const { return m_port; }
    QString caPemPath() const;
    QString statePath() const;
    QString gatewayAddress() const; // for the console's GatewayAddress setting
    qint64 pid() const { return m_process.processId(); }

    Answer get(const QByteArray &pathAndQuery);
    Answer post(const QByteArray &pathAndQuery, const QByteArray &body);
    // Sends `bytes` over TLS as they are (from the address `source` when given) and returns
    // the status line of the answer.
    QByteArray raw(const QByteArray &bytes, const QString &source = {});
    // The certificate a new connection is shown.
    QSslCertificate presentedCertificate();
    // Issues a new server certificate from the same authority into the configured files.
    bool replaceCertificate();
    bool writeKeyFile(const QByteArray &pem);

private:
    Answer request(const QByteArray &pathAndQuery, const QByteArray *body);
    QString binary() const;

    QTemporaryDir m_dir;
    LocalPki m_ca;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_address = QStringLiteral("127.0.0.1");
};
