#pragma once
#include "settings/uFindProxyForUrl.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class HttpChannel;
class QSaveFile;

// The update's setup program, fetched from the service's update server when the console closes
// to update itself. What is downloaded is going to be run, so it is kept only when it is known
// to be whole and to come from the service:
// - https only, through a gateway channel (its TLS policy verifies the certificate and the host
//   name on every handshake, and it goes through the effective proxy); a plain http address is
//   refused before anything is sent;
// - up to kMaxRedirects redirections are followed, each to an https address only, verified
//   like the first; one to plain http ends the download;
// - the reply must be status 200 with a body framed by a Content-Length (and of exactly that
//   length) or by chunks, never one that just runs until the connection closes (it cannot be
//   told from a cut one); an empty body is no setup;
// - the file is written beside its target under a temporary name and renamed into place only
//   then; a failure at any point leaves no file behind (an earlier setup of the same name is
//   left as it was, and is never started by this download).
class SetupDownload : public QObject {
    Q_OBJECT
public:
    // Bodies above this are refused.
    static constexpr qint64 kMaxSetupBytes = 256LL * 1024 * 1024;
    static constexpr int kMaxRedirects = 5;

    explicit SetupDownload(QObject *parent = nullptr);
    ~SetupDownload() override;

    // Starts fetching `url` into the file `target`. False when nothing was started (not an
    // https address, or a download already runs); finished() follows only a true.
    bool start(const QString &url, const QString &target, const EffectiveProxyState &proxy);
    void abort();
    bool running() const { return Running; }
    HttpChannel *channel() const { return Channel; }

signals:
    // Received bytes as a percentage of the announced length, each time it changes.
    void progress(int percent);
    // `ok`: the file is in place, whole. Otherwise `error` says why (for the trace).
    void finished(bool ok, const QString &error);

private:
    void onDone(int error, int status, const QByteArray &body);
    bool request(const QUrl &address);
    void finish(bool ok, const QString &error);

    HttpChannel *Channel;
    QString Target;
    // The body goes straight into the file as it arrives; the file replaces the target only
    // when committed.
    std::unique_ptr<QSaveFile> File;
    QUrl Address; // of the request in flight: a relative redirection is resolved against it
    int Redirects = 0;
    qint64 Received = 0;
    qint64 Announced = -2; // -2 no report yet, -1 the reply announced no length
    int Percent = -1;
    bool Running = false;
};

// Whether a new file can be made in `folder`: "TestFile.dat" is opened for appending (created
// when missing), the line "Testmessage" written, the file closed and deleted.
bool CanWriteFolder(const QString &folder);

// Where the setup goes: `programFolder` when it can be written, otherwise `fallback` (the
// application data folder of an installed package), with `*usedFallback` set; empty when
// neither can be written.
QString ChooseSetupFolder(const QString &programFolder, const QString &fallback,
                          bool *usedFallback);

// Starts the setup program without waiting, with its folder as the current folder; it is made
// executable for its owner first. Tests replace the starter to see what would run.
bool StartSetupProgram(const QString &path);
using SetupStarter = std::function<bool(const QString &path, const QString &folder)>;
void SetSetupStarter(SetupStarter starter);
