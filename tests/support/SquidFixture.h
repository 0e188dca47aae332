#pragma once
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A private squid for one test: Basic authentication against a generated password file,
// listening on a free 127.0.0.1 port, with its configuration, pid file and logs in a temporary
// directory. Started as root it runs as the "proxy" user (squid refuses to keep root), so the
// directory is handed to that user.
class SquidFixture {
public:
    SquidFixture();
    ~SquidFixture();

    // Path of the squid binary, or empty when squid is not installed.
    static QString squidBinary();
    // Path of the Basic-auth helper, or empty.
    static QString basicAuthHelper();
    // Apache "$apr1$" password hash, as htpasswd writes it (basic_ncsa_auth accepts it).
    static QByteArray apr1Hash(const QByteArray &password, const QByteArray &salt);

    // Starts squid accepting exactly this user and password. False with `error` on failure
    // (the cache log is appended to it).
    bool start(const QByteArray &user, const QByteArray &password, QString *error);
    void stop();
    quint16 port() const { return m_port; }
    // squid's own log, for failure messages.
    QString cacheLog() const;
    QString accessLog() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
};
