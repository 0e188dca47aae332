#pragma once
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A private PostgreSQL server for one test: a cluster made by initdb in a temporary directory,
// listening on a Unix socket in that directory only (no TCP), trusting local connections.
// PostgreSQL refuses to run as root, so started as root the cluster belongs to the "postgres"
// user, and the directory can be entered by others (the gateway under test may run as nobody).
class PostgresFixture {
public:
    PostgresFixture();
    ~PostgresFixture();

    // The folder of initdb and postgres, or empty when PostgreSQL's server is not installed.
    static QString binDir();

    bool start(QString *error);
    void stop();
    // A libpq connection string for the cluster's "postgres" database.
    QByteArray connectionString() const;

private:
    QString run(const QString &program, const QStringList &args, int timeoutMs);
    QStringList asOwner(const QString &program, const QStringList &args) const;

    QTemporaryDir m_dir;
    QProcess m_server;
};
