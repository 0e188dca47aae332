#include <QtTest>

#include "ScreenTestImages.h"
#include "SessionTestSupport.h"
#include "TestHttpServer.h"
#include "common/AdminVars.h"
#include "common/WindowMessages.h"
#include "common/Zlib.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/HttpChannel.h"
#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"
#include "screen/RectListWriter.h"
#include "screen/ScreenPipeline.h"
#include "screen/TPictureThread.h"

using namespace ScreenTestImages;

namespace {
QByteArray fullBody(const QImage &img, int depth = 24) {
    return Zlib::deflate(BmpWriter::encode(img, depth));
}

QImage drawn(QImage frame, const QImage &part, QPoint at) {
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            if (frame.rect().contains(at.x() + x, at.y() + y))
                frame.setPixel(at.x() + x, at.y() + y, part.pixel(x, y));
    return frame;
}

QByteArray rectBody(const QList<std::pair<QPoint, QImage>> &rects, int depth = 24) {
    RectListWriter w;
    for (const auto &[at, img] : rects)
        w.append(at.x(), at.y(), BmpWriter::encode(img, depth));
    return Zlib::deflate(w.data());
}
} // namespace

// The screen cycle against a loopback server that holds every picture request until the test
// answers it, so each step of the cycle can be looked at.
class TestScreenPipeline : public QObject {
    Q_OBJECT
    TestHttpServer server;
    struct Held {
        quint64 id;
        QByteArray path;
    };
    QList<Held> held;       // picture requests not answered yet
    QList<QByteArray> sent; // commands that reached the gateway, decoded
    std::unique_ptr<GatewaySession> session;
    ScreenPipeline *screen = nullptr;
    RecordingUi ui;
    int run = 0;
    QByteArray key; // per test, so late requests of an earlier test are told apart
    const QImage first = pattern(64, 48, 1);

    // Answers the oldest held picture request, which must be for `path`.
    void answer(const QByteArray &path, const QByteArray &body, int status = 200) {
        QTRY_VERIFY(!held.isEmpty());
        const Held h = held.takeFirst();
        QCOMPARE(h.path, path);
        QVERIFY(server.respond(h.id, status, body, "application/octet-stream"));
    }
    bool idle() const {
        return screen->ScreenFetch == ScreenPipeline::None && !screen->workerBusy() &&
               !session->ScreenClient->busy();
    }
    int sentCount(const QByteArray &command) const { return int(sent.count(command)); }
    // A full picture on screen and the cycle running, as after the start of a session.
    void showFirstPicture() {
        screen->RestartScreenUpdates(true);
        screen->HandleScreenNotice("GScr", "");
        answer("/05", fullBody(first));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), first);
        QTRY_COMPARE(sentCount("UScr"), 1);
    }

private slots:
    void initTestCase() {
        server.setHandler([this](const TestHttpServer::Request &r) {
            if (!r.rawQuery.startsWith("key=" + key + "&")) {
                server.respond(r.id, 403, QByteArray());
                return;
            }
            if (r.path == "/05" || r.path == "/07") {
                held.append({r.id, r.path});
                return;
            }
            if (r.path == "/01") {
                for (const QByteArray &pair : r.rawQuery.split('&'))
                    if (pair.startsWith("string="))
                        sent.append(QByteArray::fromPercentEncoding(pair.mid(7)));
            }
            server.respond(r.id, 200, QByteArray());
        });
        QVERIFY(server.listen());
    }

    void init() {
        resetProcessState();
        held.clear();
        sent.clear();
        ui = RecordingUi();
        session = std::make_unique<GatewaySession>();
        session->setUi(&ui);
        session->setSettingsSaver([] {});
        session->GatewayUrl = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
        screen = new ScreenPipeline(session.get());
        adminVars().LoggedOn = true;
        adminVars().SocketsStarted = true;
        adminVars().HostLoggedOn = true;
        key = "KEY" + QByteArray::number(++run);
        adminVars().CurrentKey = QString::fromLatin1(key);
    }

    void cleanup() {
        for (const Held &h : held)
            server.respond(h.id, 404, QByteArray());
        held.clear();
        session.reset();
    }

    void eachFormatReachesThePicture() {
        QSignalSpy sizes(screen, &ScreenPipeline::screenSizeChanged);
        QSignalSpy changes(screen, &ScreenPipeline::pictureChanged);
        QSignalSpy fulls(screen, &ScreenPipeline::fullPictureShown);
        showFirstPicture();
        QVERIFY(screen->FirstPictureShown);
        QCOMPARE(sizes.size(), 1);
        QCOMPARE(sizes[0][0].toSize(), first.size());
        QCOMPARE(fulls.size(), 1);
        QCOMPARE(changes.last()[0].value<QRegion>(), QRegion(first.rect()));

        const QImage a = pattern(8, 8, 2), b = pattern(5, 9, 3);
        screen->HandleScreenNotice("UScr", "md1");
        answer("/07", rectBody({{{4, 4}, a}, {{40, 30}, b}}));
        QTRY_VERIFY(idle());
        QImage expected = drawn(drawn(first, a, {4, 4}), b, {40, 30});
        QCOMPARE(screen->picture(), expected);
        QCOMPARE(changes.last()[0].value<QRegion>(),
                 QRegion(QRect(4, 4, 8, 8)) + QRegion(QRect(40, 30, 5, 9)));
        QTRY_COMPARE(sentCount("UScr"), 2);

        const QImage whole = pattern(64, 48, 4);
        screen->HandleScreenNotice("UScr", "");
        answer("/07", fullBody(whole));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), whole);
        QCOMPARE(sizes.size(), 1); // the size never changed
        QCOMPARE(fulls.size(), 1);

        // A full picture of another size.
        const QImage larger = pattern(80, 60, 5);
        screen->HandleScreenNotice("GScr", "");
        answer("/05", fullBody(larger, 8));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), FixedPalettes::reduceToDepth(larger, 8));
        QCOMPARE(sizes.size(), 2);
        QCOMPARE(fulls.size(), 2);
    }

    void aFullPictureSupersedesWaitingUpdates() {
        showFirstPicture();
        screen->HandleScreenNotice("UScr", "");
        QTRY_COMPARE(held.size(), 1);
        screen->HandleScreenNotice("UScr", "");
        screen->HandleScreenNotice("UScr", "md1");
        QCOMPARE(screen->PendingScreenNotices, (QList<QByteArray>{"UScr", "UScrmd1"}));
        screen->HandleScreenNotice("GScr", "x");
        QCOMPARE(screen->PendingScreenNotices, QList<QByteArray>{"GScrx"});

        const QImage update = pattern(64, 48, 7);
        answer("/07", fullBody(update));
        // The full picture is fetched next, and nothing more is asked of the host meanwhile.
        QTRY_COMPARE(held.size(), 1);
        QCOMPARE(held[0].path, QByteArray("/05"));
        QVERIFY(screen->PendingScreenNotices.isEmpty());
        const QImage full = pattern(64, 48, 8);
        answer("/05", fullBody(full));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), full);
        QTRY_COMPARE(sentCount("UScr"), 2);
    }

    void waitingNoticesKeepTheirFormat() {
        showFirstPicture();
        screen->HandleScreenNotice("UScr", "");
        QTRY_COMPARE(held.size(), 1);
        screen->HandleScreenNotice("UScr", "md1");
        screen->HandleScreenNotice("UScr", "other");
        const QImage whole = pattern(64, 48, 2);
        answer("/07", fullBody(whole));
        const QImage part = pattern(6, 6, 3);
        answer("/07", rectBody({{{10, 10}, part}})); // fetched as a rectangle list
        const QImage whole2 = pattern(64, 48, 4);
        answer("/07", fullBody(whole2)); // "UScr" with another parameter: whole screen
        QTRY_VERIFY(idle());
        QCOMPARE(screen->droppedBodies(), 0);
        QCOMPARE(screen->picture(), whole2);
    }

    void rectangleListsThatDrawNothingOrStopEarly() {
        showFirstPicture();
        QSignalSpy changes(screen, &ScreenPipeline::pictureChanged);
        screen->HandleScreenNotice("UScr", "md1");
        answer("/07", Zlib::deflate(QByteArray()));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), first);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(screen->droppedBodies(), 0);
        QTRY_COMPARE(sentCount("UScr"), 2); // the cycle goes on

        const QImage a = pattern(8, 8, 5);
        RectListWriter w;
        w.append(0, 0, BmpWriter::encode(a, 24));
        w.append(20, 0, BmpWriter::encode(a, 24));
        const QByteArray last = BmpWriter::encode(a, 24);
        w.appendRaw(40, 0, qint32(last.size()), last.left(last.size() - 3));
        screen->HandleScreenNotice("UScr", "md1");
        answer("/07", Zlib::deflate(w.data()));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), drawn(drawn(first, a, {0, 0}), a, {20, 0}));
    }

    void handOverWhileStoppingOrRunning() {
        showFirstPicture();
        // An update while stopping: shown, state Stopped, the host is not asked for more.
        screen->StopScreenUpdates();
        screen->HandleScreenNotice("UScr", "");
        const QImage update = pattern(64, 48, 9);
        answer("/07", fullBody(update));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), update);
        QCOMPARE(int(screen->ScreenUpdateState), int(ScreenPipeline::Stopped));
        QTRY_COMPARE(sentCount("SSup"), 1);
        QCOMPARE(sentCount("UScr"), 1);

        // A full picture while stopping: running again, next update asked for.
        screen->StopScreenUpdates();
        screen->HandleScreenNotice("GScr", "");
        answer("/05", fullBody(first));
        QTRY_VERIFY(idle());
        QCOMPARE(int(screen->ScreenUpdateState), int(ScreenPipeline::Running));
        QVERIFY(!screen->FullPicturePending);
        QTRY_COMPARE(sentCount("UScr"), 2);
    }

    void aBusyWorkerTakesTheNextBodyWhenItIsDone() {
        // The worker counts as busy until its result is applied, which needs the event loop:
        // a completion arriving before that waits, with its fetch still counting as in flight.
        screen->ScreenUpdateState = ScreenPipeline::Running;
        screen->ScreenFetch = ScreenPipeline::Full;
        screen->ScreenClientRequestDone(0, 200, fullBody(first));
        QVERIFY(screen->workerBusy());
        QCOMPARE(screen->ScreenFetch, quint8(ScreenPipeline::None));
        const QImage part = pattern(10, 10, 6);
        screen->ScreenFetch = ScreenPipeline::UpdateMirror;
        screen->ScreenClientRequestDone(0, 200, rectBody({{{30, 20}, part}}));
        QCOMPARE(screen->ScreenFetch, quint8(ScreenPipeline::UpdateMirror));
        screen->HandleScreenNotice("UScr", "");
        QCOMPARE(screen->PendingScreenNotices, QList<QByteArray>{"UScr"});
        QTRY_COMPARE(screen->picture(), drawn(first, part, {30, 20}));
        QTRY_VERIFY(!screen->workerBusy());
        // The waiting notice is fetched next.
        QTRY_COMPARE(held.size(), 1);
    }

    void aHandOverWhileTheHostIsAwayDoesNotFreezeTheCycle() {
        screen->ScreenUpdateState = ScreenPipeline::Running;
        screen->ScreenFetch = ScreenPipeline::Full;
        screen->ScreenClientRequestDone(0, 200, fullBody(first));
        screen->ScreenFetch = ScreenPipeline::UpdatePoll;
        screen->ScreenClientRequestDone(0, 200, fullBody(pattern(64, 48, 2)));
        adminVars().HostLoggedOn = false; // gone before the worker was free
        QTRY_VERIFY(!screen->workerBusy());
        QCOMPARE(screen->ScreenFetch, quint8(ScreenPipeline::None));
        adminVars().HostLoggedOn = true;
        screen->HandleScreenNotice("GScr", "");
        QTRY_COMPARE(held.size(), 1);
        QCOMPARE(held[0].path, QByteArray("/05"));
    }

    void aHostLogonStartsTheCycleAfresh() {
        showFirstPicture();
        screen->HandleScreenNotice("UScr", "");
        QTRY_COMPARE(held.size(), 1);
        screen->HandleScreenNotice("UScr", "md1");
        // The host reboots: the reboot is accepted, the host leaves and logs on again.
        session->dispatchHostMessage("ReBt", "OK");
        QCOMPARE(screen->ScreenFetch, quint8(ScreenPipeline::None));
        session->WMGatewayEvent(0, "HostLogon?SID=1&IP=10.0.0.5&HN=PC&WV=WNT&LA=00000409");
        QVERIFY(screen->PendingScreenNotices.isEmpty());
        QTRY_VERIFY(!session->ScreenClient->busy()); // the old fetch was given up
        held.clear();
        screen->HandleScreenNotice("GScr", "");
        QTRY_COMPARE(held.size(), 1);
        answer("/05", fullBody(pattern(64, 48, 3)));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), pattern(64, 48, 3));
    }

    void noticesWhileARebootIsPendingAreIgnored() {
        session->RebootPending = 1;
        screen->HandleScreenNotice("GScr", "");
        QCOMPARE(screen->ScreenFetch, quint8(ScreenPipeline::None));
        QVERIFY(screen->PendingScreenNotices.isEmpty());
    }

    void failedFetchesAndBadBodiesKeepThePicture() {
        showFirstPicture();
        QSignalSpy dropped(screen, &ScreenPipeline::pictureDropped);
        screen->HandleScreenNotice("UScr", "");
        answer("/07", "gone", 404);
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), first);
        QCOMPARE(sentCount("UScr"), 1); // no new request after a failure
        QCOMPARE(dropped.size(), 0);

        for (const QByteArray &body :
             {QByteArray("not zlib"), Zlib::deflate("BM but nothing else"), QByteArray()}) {
            screen->HandleScreenNotice("GScr", "");
            answer("/05", body);
            QTRY_VERIFY(idle());
            QCOMPARE(screen->picture(), first);
        }
        QCOMPARE(dropped.size(), 3);
        QCOMPARE(screen->droppedBodies(), 3);
        // The operator hears of it once a session, not never and not three times.
        const auto screenErrors = std::count_if(ui.flashes.begin(), ui.flashes.end(), [](auto &f) {
            return f.text.startsWith(QStringLiteral("Remote screen error"));
        });
        QCOMPARE(screenErrors, 1);
        QTRY_COMPARE(sentCount("UScr"), 4); // each hand-over still asked for the next update
    }

    void rectangleListsAndDepthChangesKeepOneFrame() {
        showFirstPicture();
        // A rectangle list outside the corner a later whole-screen update covers.
        const QImage part = pattern(8, 8, 7);
        screen->HandleScreenNotice("UScr", "md1");
        answer("/07", rectBody({{{40, 30}, part}}));
        QTRY_VERIFY(idle());
        const QImage corner = pattern(20, 20, 8);
        screen->HandleScreenNotice("UScr", "");
        answer("/07", fullBody(corner));
        QTRY_VERIFY(idle());
        const QImage both = drawn(drawn(first, part, {40, 30}), corner, {0, 0});
        QCOMPARE(screen->picture(), both);

        // The 16-colour choice: the next update brings the whole frame to 16 colours.
        screen->setColorDepth(4);
        const QImage part2 = pattern(4, 4, 9);
        screen->HandleScreenNotice("UScr", "md1");
        answer("/07", rectBody({{{0, 40}, part2}}));
        QTRY_VERIFY(idle());
        QCOMPARE(screen->picture(), FixedPalettes::reduceToDepth(drawn(both, part2, {0, 40}), 4));
    }

    void refreshCommand() {
        adminVars().HostLoggedOn = false;
        screen->BttnRefreshScreenClick(false);
        QVERIFY(session->CommandQueue.isEmpty());
        adminVars().HostLoggedOn = true;

        screen->BttnRefreshScreenClick(false);
        QCOMPARE(session->CommandQueue, (QList<QByteArray>{"SSup", "GScr"}));
        QVERIFY(screen->FullPicturePending);
        QCOMPARE(int(screen->ScreenUpdateState), int(ScreenPipeline::Stopping));
        // A full picture is pending: plain refreshes wait, Ctrl restarts the screen program.
        screen->BttnRefreshScreenClick(false);
        QCOMPARE(session->CommandQueue.size(), 2);
        screen->BttnRefreshScreenClick(true);
        QCOMPARE(session->CommandQueue,
                 (QList<QByteArray>{"SSup", "GScr", "SSup", "RsPr", "GScr"}));
        QVERIFY(!session->ScreenProgCheckTimer.isActive() ||
                session->ScreenProgCheckTimer.interval() == 10000);

        session->CommandQueue.clear();
        WindowMessages::PostMessage(screen, WindowMessages::ScreenRefresh);
        QTRY_COMPARE(int(screen->ScreenUpdateState), int(ScreenPipeline::Running));
        QTRY_VERIFY(sent.contains("GScr"));
    }

    void screenErrors_data() {
        QTest::addColumn<QByteArray>("parameter");
        QTest::addColumn<QString>("text");
        QTest::newRow("blocked") << QByteArray("BLCKERR")
                                 << QStringLiteral("Reading remote screen is not allowed !");
        QTest::newRow("processing")
            << QByteArray("PROCERR") << QStringLiteral("Remote screen processing failure");
        QTest::newRow("screen") << QByteArray("SCRNERR:driver 7")
                                << QStringLiteral("Remote screen error - driver 7");
        QTest::newRow("other") << QByteArray("WHATEVER") << QString();
    }
    void screenErrors() {
        QFETCH(QByteArray, parameter);
        QFETCH(QString, text);
        ui.messageAnswer = 1; // No: the session goes on
        session->dispatchHostMessage("SErr", parameter);
        QCOMPARE(ui.messages, QStringList{text + "\r" + Msg("Cancel session")});
        QTest::qWait(20);
        QVERIFY(ui.questions.isEmpty());

        ui.messageAnswer = 0; // Yes: the logoff starts, with its own question
        ui.answerYes = false;
        session->dispatchHostMessage("SErr", parameter);
        QTRY_COMPARE(ui.questions, QStringList{Msg("End this session ?")});
    }

    void theWorkerEndsWhenTold() {
        {
            TPictureThread sleeping;
            sleeping.start();
            QTest::qWait(10);
            sleeping.End();
            QVERIFY(sleeping.wait(5000));
        }
        TPictureThread busy;
        QSignalSpy done(&busy, &TPictureThread::jobDone);
        busy.start();
        PictureJob job;
        job.ReceivedData = fullBody(first);
        QVERIFY(busy.Start(std::move(job)));
        busy.End(); // the job in hand is finished first
        QVERIFY(busy.wait(5000));
        QCOMPARE(done.size(), 1);
        QVERIFY(!busy.Start(PictureJob()));
        const auto result = busy.TakeResult();
        QVERIFY(result && result->ok);
        QCOMPARE(result->replacement, first);
    }

    void sessionResetAndLogoff() {
        showFirstPicture();
        QVERIFY(screen->workerRunning());
        screen->HandleScreenNotice("UScr", "");
        QTRY_COMPARE(held.size(), 1);
        screen->HandleScreenNotice("UScr", "md1");
        session->WMWANdisconnect(0, 1);
        QVERIFY(screen->PendingScreenNotices.isEmpty());
        QCOMPARE(int(screen->ScreenUpdateState), int(ScreenPipeline::Stopping));
        QCOMPARE(session->CommandQueue.mid(session->CommandQueue.size() - 2),
                 (QList<QByteArray>{"SSup", "QUIT"}));

        QSignalSpy sizes(screen, &ScreenPipeline::screenSizeChanged);
        session->InitVars();
        QVERIFY(!screen->workerRunning());
        QVERIFY(screen->picture().isNull());
        QCOMPARE(sizes.size(), 1);
        QCOMPARE(sizes[0][0].toSize(), QSize());
        QCOMPARE(int(screen->ScreenUpdateState), int(ScreenPipeline::Stopped));
        QVERIFY(!screen->FirstPictureShown && !screen->FullPicturePending);
    }
};

QTEST_GUILESS_MAIN(TestScreenPipeline)
#include "tst_screen_pipeline.moc"
