#include "SmtpSink.h"
#include "ReadyLine.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>

SmtpSink::~SmtpSink() {
    stop();
}

bool SmtpSink::start(const Options &options, const QString &mailDir, QString *error) {
    m_dir = mailDir;
    QDir().mkpath(mailDir);
    QStringList args{QStringLiteral(QUORVIA_SOURCE_DIR "/tests/support/smtp_sink.py"), "--out",
                     mailDir};
    if (!options.certFile.isEmpty())
        args << "--cert" << options.certFile << "--key" << options.keyFile;
    if (!options.user.isEmpty())
        args << "--user" << options.user << "--password" << options.password;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's interpreter, which has the aiosmtpd package, whatever else is first on PATH.
    m_process.start(QStringLiteral("/usr/bin/python3"), args);
    QByteArray line;
    m_port = waitForReadyPort(m_process, &line);
    if (!m_port) {
        *error = QStringLiteral("the SMTP sink did not start: ") + QString::fromUtf8(line);
        return false;
    }
    return true;
}

void SmtpSink::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(10000))
        m_process.kill();
    m_process.waitForFinished(10000);
}

QList<QJsonObject> SmtpSink::mails() const {
    QList<QJsonObject> out;
    const QDir dir(m_dir);
    for (const QString &name : dir.entryList({"mail-*.json"}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            out.append(QJsonDocument::fromJson(f.readAll()).object());
    }
    return out;
}
