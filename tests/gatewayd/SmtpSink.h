#pragma once
// A mail relay for the tests (tests/support/smtp_sink.py, python3-aiosmtpd) on a free port of
// 127.0.0.1: STARTTLS with a throwaway certificate and, when asked, a user and password. The
// mails it accepts are read back as JSON objects.
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>

class SmtpSink {
public:
    struct Options {
        QString certFile, keyFile; // empty: a relay that offers no TLS at all
        QString user, password;
    };
    ~SmtpSink();
    // Starts it writing into `mailDir`; false with the reason in `error`.
    bool start(const Options &options, const QString &mailDir, QString *error);
    void stop();
    quint16 port() const { return m_port; }
    // Every mail accepted so far, oldest first.
    QList<QJsonObject> mails() const;

private:
    QProcess m_process;
    QString m_dir;
    quint16 m_port = 0;
};
