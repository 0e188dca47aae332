#include "ui/SetupDownload.h"

#include "common/TraceRing.h"
#include "gateway/HttpChannel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QUrl>

namespace {
SetupStarter &starter() {
    static SetupStarter s;
    return s;
}
} // namespace

SetupDownload::SetupDownload(QObject *parent)
    : QObject(parent), Channel(new HttpChannel(QStringLiteral("SetupDownload"), this)) {
    Channel->setMaxReplySize(kMaxSetupBytes);
    connect(Channel, &HttpChannel::requestDone, this, &SetupDownload::onDone);
    connect(Channel, &HttpChannel::downloadProgress, this, [this](qint64 received, qint64 total) {
        Announced = total;
        if (total <= 0)
            return;
        const int percent = int(qBound(qint64(0), received * 100 / total, qint64(100)));
        if (percent != Percent) {
            Percent = percent;
            emit progress(percent);
        }
    });
}

SetupDownload::~SetupDownload() = default;

namespace {
bool isHttps(const QUrl &address) {
    return address.isValid() &&
           address.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

QByteArray headerValue(const HttpWire::HeaderList &headers, QByteArrayView name) {
    for (const auto &[key, value] : headers)
        if (QByteArrayView(key).compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}
} // namespace

bool SetupDownload::start(const QString &url, const QString &target,
                          const EffectiveProxyState &proxy) {
    if (Running)
        return false;
    const QUrl address(url);
    if (!isHttps(address))
        return false;
    Target = target;
    Redirects = 0;
    QDir().mkpath(QFileInfo(Target).absolutePath());
    File = std::make_unique<QSaveFile>(Target);
    if (!File->open(QIODevice::WriteOnly)) {
        AddTrace(0, QStringLiteral("Setup download failed: ") + File->errorString());
        File.reset();
        return false;
    }
    const bool proxied = !proxy.EffectiveProxyHost.isEmpty() && proxy.EffectiveProxyPort > 0;
    Channel->setProxy(proxied ? proxy.EffectiveProxyHost : QString(),
                      proxied ? quint16(qBound(1, proxy.EffectiveProxyPort, 65535)) : 0,
                      proxy.EffectiveProxyUser, proxy.EffectiveProxyPassword);
    if (!request(address)) {
        File.reset();
        return false;
    }
    Running = true;
    return true;
}

bool SetupDownload::request(const QUrl &address) {
    Address = address;
    Announced = -2;
    Percent = -1;
    Received = 0;
    return Channel->getInto(address.toEncoded(), [this](QByteArrayView piece) {
        if (File->write(piece.data(), piece.size()) != piece.size())
            return false;
        Received += piece.size();
        return true;
    });
}

void SetupDownload::abort() {
    if (Running)
        Channel->abort();
}

void SetupDownload::onDone(int error, int status, const QByteArray &) {
    // A redirection carries no body into the file (only 2xx bodies reach the sink), so the
    // same file takes the next hop's.
    if (error == 0 &&
        (status == 301 || status == 302 || status == 303 || status == 307 || status == 308)) {
        const QUrl next = Address.resolved(
            QUrl::fromEncoded(headerValue(Channel->finishedHeaders(), "Location")));
        QString refusal;
        if (++Redirects > kMaxRedirects)
            refusal = QStringLiteral("too many redirections");
        else if (!isHttps(next))
            refusal = QStringLiteral("redirection to a non-https address refused");
        else if (!request(next))
            refusal = QStringLiteral("redirection to an unusable address");
        if (refusal.isEmpty())
            return;
        File.reset();
        return finish(false, refusal);
    }
    // Whatever fails below, the uncommitted file goes with it and the target stays as it was.
    const std::unique_ptr<QSaveFile> file = std::move(File);
    if (error != 0)
        return finish(false, error == HttpChannel::LocalFileError && file
                                 ? file->errorString()
                                 : HttpChannel::errorText(error));
    if (status != 200)
        return finish(false, QStringLiteral("HTTP status %1").arg(status));
    // A body that runs until the connection closes cannot be told from one cut short; a
    // length or chunks the channel has checked to the end.
    if (Channel->finishedEndedByClose())
        return finish(false, QStringLiteral("reply without Content-Length"));
    if (Announced >= 0 && Received != Announced)
        return finish(false, QStringLiteral("length mismatch"));
    if (Received == 0)
        return finish(false, QStringLiteral("empty setup file"));
    if (!file->flush() || !file->commit())
        return finish(false, file->errorString());
    if (Percent != 100)
        emit progress(100);
    finish(true, QString());
}

void SetupDownload::finish(bool ok, const QString &error) {
    Running = false;
    if (!ok)
        AddTrace(0, QStringLiteral("Setup download failed: ") + error);
    emit finished(ok, error);
}

bool CanWriteFolder(const QString &folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QFile f(QDir(folder).filePath(QStringLiteral("TestFile.dat")));
    if (!f.open(QIODevice::Append | QIODevice::Text))
        return false;
    const bool written = f.write("Testmessage\n") == 12 && f.flush();
    f.close();
    return f.remove() && written;
}

QString ChooseSetupFolder(const QString &programFolder, const QString &fallback,
                          bool *usedFallback) {
    if (usedFallback)
        *usedFallback = false;
    if (CanWriteFolder(programFolder))
        return programFolder;
    QDir().mkpath(fallback);
    if (!CanWriteFolder(fallback))
        return QString();
    if (usedFallback)
        *usedFallback = true;
    return fallback;
}

bool StartSetupProgram(const QString &path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (starter())
        return starter()(path, folder);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return QProcess::startDetached(path, {}, folder);
}

void SetSetupStarter(SetupStarter s) {
    starter() = std::move(s);
}
