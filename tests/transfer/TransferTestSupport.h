#pragma once
// A session against the local gateway with the file transfer attached, headless: the host has
// joined and its screen has been shown, so "Transfer file" may run.
#include "LocalGateway.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "screen/ScreenPipeline.h"
#include "transfer/FileTransfer.h"
#include "transfer/QVexplorerProtocol.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

struct TransferFixture {
    std::unique_ptr<QTemporaryDir> sandbox = std::make_unique<QTemporaryDir>();
    std::unique_ptr<QTemporaryDir> local = std::make_unique<QTemporaryDir>();
    std::unique_ptr<localgw::LocalGateway> gw;
    RecordingUi ui;
    std::unique_ptr<GatewaySession> session;
    ScreenPipeline *pipeline = nullptr;
    FileTransfer *transfer = nullptr;
    QPointer<TQVexplorerProtocol> x;
    QStringList notices;
    int questions = 0;
    bool answerYes = true;
    bool autoAnswer = true; // false: the window's question dialog answers

    localgw::SimulatedHost &host() { return gw->latestSession()->host(); }
    localgw::HostFiles &hostFiles() { return host().files(); }
    QString remoteFile(const QString &relative) const {
        return sandbox->path() + QStringLiteral("/") + relative;
    }
    QString localFile(const QString &relative) const {
        return local->path() + QStringLiteral("/") + relative;
    }

    // Logs on, lets the host join and waits for the first picture.
    void start(std::function<void(TQVexplorerProtocol *)> configure = {}) {
        resetProcessState();
        localgw::GatewayConfig c;
        c.hostDelayMs = -1;
        c.pollHoldMs = 300;
        c.clockRunning = false;
        c.screenSize = {320, 240};
        c.fileSandbox = sandbox->path();
        gw = std::make_unique<localgw::LocalGateway>(c);
        QString error;
        QVERIFY2(gw->start(&error), qPrintable(error));
        useLocalGateway(gw->gatewayAddress(), gw->caPemPath());
        session = makeTestSession(ui);
        pipeline = new ScreenPipeline(session.get());
        // Stands in for the screen-mode handling, which starts the cycle once the list is in.
        QObject::connect(session.get(), &GatewaySession::stringListReceived, pipeline,
                         [this](int kind) {
                             if (kind == 1)
                                 pipeline->RestartScreenUpdates(true);
                         });
        transfer = new FileTransfer(session.get(), pipeline);
        transfer->configure = [this, configure](TQVexplorerProtocol *p) {
            p->StopTimeoutMs = 3000;
            if (configure)
                configure(p);
            QObject::connect(p, &TQVexplorerProtocol::notification,
                             [this](const QString &, const QString &text) { notices << text; });
            QObject::connect(p, &TQVexplorerProtocol::overwriteQuestion, p, [this, p] {
                ++questions;
                if (autoAnswer)
                    QTimer::singleShot(0, p, [this, p] { p->AnswerOverwrite(answerYes); });
            });
        };
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 10000);
        host().join();
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(pipeline->FirstPictureShown, 10000);
    }

    // "Transfer file": the queue stops, the host acknowledges, the protocol takes over and
    // the drive list arrives.
    void open() {
        QSignalSpy opened(transfer, &FileTransfer::explorerOpened);
        QVERIFY(transfer->BttnCopyFileClick());
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 10000);
        x = transfer->explorer();
        QVERIFY(x);
        QSignalSpy drives(x.data(), &TQVexplorerProtocol::drivesArrived);
        x->Activate();
        QTRY_COMPARE_WITH_TIMEOUT(drives.count(), 1, 10000);
    }

    void close() {
        QSignalSpy closed(transfer, &FileTransfer::explorerClosed);
        x->Close();
        QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 10000);
    }

    // One transfer to its end; its result. False too when the window closed on the way (its
    // watchdog, a lost host): the protocol object is gone then.
    bool run(const TQVexplorerProtocol::Transfer &t, int timeoutMs = 30000) {
        if (!x)
            return false;
        QSignalSpy ended(x.data(), &TQVexplorerProtocol::transferEnded);
        if (!x->CopyFile(t))
            return false;
        if (!QTest::qWaitFor([&] { return ended.count() > 0 || !x; }, timeoutMs))
            return false;
        return x && ended.count() > 0 && ended.first().first().toBool();
    }
    bool upload(const QString &name, const QString &remoteFolder) {
        return run({true, name, local->path(), remoteFolder});
    }
    bool download(const QString &remoteFolder, const QString &name, const QString &localDir) {
        return run({false, name, remoteFolder, localDir});
    }
};

inline QByteArray randomBytes(qsizetype size, quint32 seed) {
    QByteArray b(size, Qt::Uninitialized);
    QRandomGenerator g(seed);
    g.fillRange(reinterpret_cast<quint32 *>(b.data()), size / 4);
    for (qsizetype i = size / 4 * 4; i < size; ++i)
        b[i] = char(g.generate());
    return b;
}

inline bool writeFile(const QString &path, const QByteArray &content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

inline QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every entry of a folder, hidden ones too: nothing may be left behind by a transfer.
inline QStringList entriesOf(const QString &folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
