#include <QtTest>

#include "SessionTestSupport.h"
#include "TestHttpServer.h"
#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/Zlib.h"
#include "gateway/GatewaySession.h"
#include "gateway/HttpChannel.h"

// The queue and the dispatcher against a plain loopback server that records what arrives.
class TestCommandQueue : public QObject {
    Q_OBJECT
    TestHttpServer server;
    QList<QByteArray> seen; // path + "?" + query, in order
    bool hold = false;      // leave requests unanswered: the channel stays busy
    QList<quint64> held;
    QByteArray listBody;
    std::unique_ptr<GatewaySession> session;
    RecordingUi ui;

    QByteArray lastSeen() const { return seen.isEmpty() ? QByteArray() : seen.last(); }

private slots:
    void initTestCase() {
        server.setHandler([this](const TestHttpServer::Request &r) {
            seen.append(r.path + "?" + r.rawQuery);
            if (hold) {
                held.append(r.id);
                return;
            }
            if (r.path == "/09")
                server.respond(r.id, 200, listBody, "application/octet-stream");
            else if (r.path == "/23")
                server.respond(r.id, 200, "title=News&cont=Hello+there");
            else
                server.respond(r.id, 200, QByteArray());
        });
        QVERIFY(server.listen());
    }

    void init() {
        resetProcessState();
        seen.clear();
        held.clear();
        hold = false;
        ui = RecordingUi();
        session = std::make_unique<GatewaySession>();
        session->setUi(&ui);
        session->GatewayUrl = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
        adminVars().LoggedOn = true;
        adminVars().HostLoggedOn = true;
        adminVars().CurrentKey = QStringLiteral("K 1");
    }

    void cleanup() {
        for (quint64 id : held)
            server.respond(id, 200, QByteArray());
        session.reset();
    }

    void longRunsOfMouseMovesCollapseToTheNewest() {
        session->CommandQueue = {"MoMo?1,1", "MoMo?2,2", "MoMo?3,3", "MoMo?4,4", "MoMo?5,5"};
        session->WMPumpQueue();
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(seen[0].startsWith("/01?key=K%201&string=MoMo%3F5%2C5&dy="));
        QVERIFY(session->CommandQueue.isEmpty());
    }

    void fourMovesAreSentInOrder() {
        session->CommandQueue = {"MoMo?1,1", "MoMo?2,2", "MoMo?3,3", "MoMo?4,4"};
        session->WMPumpQueue();
        QTRY_COMPARE(seen.size(), 4); // each completion pumps the next
        QVERIFY(seen[0].contains("string=MoMo%3F1%2C1"));
        QVERIFY(seen[3].contains("string=MoMo%3F4%2C4"));
    }

    void movesBehindAClickWait() {
        session->CommandQueue = {"MoMo?1,1", "MsCl?L", "MoMo?2,2", "MoMo?3,3", "MoMo?4,4"};
        hold = true;
        session->WMPumpQueue();
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(seen[0].contains("string=MsCl%3FL"));
        QCOMPARE(session->CommandQueue.size(), 3);
    }

    void controlRequestGoesOutAtOnceWithoutCounter() {
        session->SendCtrlCmd("22?skey=A&addr=b");
        QTRY_COMPARE(seen.size(), 1);
        QCOMPARE(seen[0], QByteArray("/22?key=K%201&skey=A&addr=b"));
    }

    void nothingIsQueuedWithoutAHostOrWhileDisabled() {
        adminVars().HostLoggedOn = false;
        session->SendCmd("GScM");
        QVERIFY(session->CommandQueue.isEmpty());
        adminVars().HostLoggedOn = true;
        session->DisableCommands();
        session->SendCmd("GScM");
        QVERIFY(session->CommandQueue.isEmpty());
        session->EnableCommands();
        session->SendCmd("GScM");
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(seen[0].contains("string=GScM"));
    }

    void commandsArriveInOrder() {
        const QList<QByteArray> cmds = {"GScM", "SCol?8", "DiWP", "KbdP?#65", "UScr"};
        for (const QByteArray &c : cmds)
            session->SendCmd(c);
        QTRY_COMPARE(seen.size(), cmds.size());
        for (int i = 0; i < cmds.size(); ++i) {
            QByteArray query;
            QVERIFY(seen[i].startsWith("/01?"));
            QCOMPARE(QUrlQuery(QString::fromLatin1(seen[i].mid(4)))
                         .queryItemValue(QStringLiteral("string"), QUrl::FullyDecoded)
                         .toLatin1(),
                     cmds[i]);
        }
    }

    void keystrokesNeverReachTheTraceInClear() {
        ClearTrace();
        session->SendCmd("KbdP?#83");
        session->SendCmd("ChSt?my secret password");
        QTRY_COMPARE(seen.size(), 2);
        session->WMHostMessage("ChSt?the remote reply");
        const QString trace = TraceLines().join(QLatin1Char('\n'));
        QVERIFY(trace.contains(QStringLiteral("KbdP")));
        QVERIFY(!trace.contains(QStringLiteral("#83")));
        QVERIFY(!trace.contains(QStringLiteral("secret")));
        QVERIFY(!trace.contains(QStringLiteral("remote reply")));
    }

    void busyChannelKeepsTheHeadOfTheQueue() {
        hold = true;
        session->SendCmd("GScM");
        QTRY_COMPARE(seen.size(), 1);
        session->CommandQueue.append("SCol?8");
        // A pump that meets the busy channel leaves the entry where it is.
        session->WMPumpQueue();
        QCOMPARE(session->CommandQueue, QList<QByteArray>{"SCol?8"});
        QCOMPARE(seen.size(), 1);
        hold = false;
        server.respond(held.takeFirst(), 200, QByteArray());
        QTRY_COMPARE(seen.size(), 2);
        QVERIFY(seen[1].contains("string=SCol%3F8"));
    }

    void unknownListKindLeavesTheChannelIdle() {
        session->CommandQueue = {"@RStrlXXXX", "GScM"};
        session->WMPumpQueue();
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(seen[0].contains("string=GScM"));
    }

    void stringListIsFetchedInflatedAndHandedOn() {
        listBody = Zlib::deflate(QByteArray("1024x768\r\n800x600\n640x480\r"));
        QList<QByteArray> got;
        int kind = 0;
        connect(session.get(), &GatewaySession::stringListReceived,
                [&](int k, const QList<QByteArray> &lines) {
                    kind = k;
                    got = lines;
                });
        session->CommandQueue = {"@RStrlGScM"};
        session->WMPumpQueue();
        QTRY_COMPARE(kind, 1);
        QCOMPARE(got, (QList<QByteArray>{"1024x768", "800x600", "640x480"}));
        QCOMPARE(seen[0], QByteArray("/09?key=K%201"));

        // A list that does not inflate is dropped and the queue goes on.
        kind = 0;
        listBody = "not zlib at all";
        session->CommandQueue = {"@RStrlGScM", "DiWP"};
        session->WMPumpQueue();
        QTRY_COMPARE(seen.size(), 3);
        QCOMPARE(kind, 0);
    }

    void announcementIsRequestedWithoutAHostAndShown() {
        adminVars().HostLoggedOn = false;
        session->AnnouncementIsProduct = true;
        session->WMRequestInfoMessage(12, true);
        QVERIFY(!adminVars().HostLoggedOn);
        session->WMPumpQueue();
        QTRY_COMPARE(ui.announcements.size(), 1);
        QCOMPARE(seen[0], QByteArray("/23?key=K%201&type=C&ID=12"));
        QCOMPARE(ui.announcements[0], QStringLiteral("C:News|Hello there"));
    }

    void announcementDoesNotDropAConnectedHost() {
        session->WMRequestInfoMessage(3, false);
        QVERIFY(adminVars().HostLoggedOn);
    }

    void dispatcherRows() {
        QList<QPair<QByteArray, QByteArray>> forwarded;
        QObject owner;
        for (const QByteArray c : {"DiWP", "QADsomething"})
            session->claimHostMessage(c, &owner, [&forwarded, c](const QByteArray &p) {
                forwarded.append({c, p});
            });
        hold = true; // polls stay out; only their arrival matters

        session->WMHostMessage("nSCh");
        QVERIFY(session->ScreenProgCheckTimer.isActive());
        QCOMPARE(session->ScreenProgCheckTimer.interval(), 10000);
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(seen[0].startsWith("/03?key=K%201&dy="));
        QVERIFY(session->GatewayCheckTimer.isActive());

        server.respond(held.takeFirst(), 200, QByteArray()); // empty poll: nothing follows
        QTRY_COMPARE(session->QState, quint8(GatewaySession::QIdle));

        session->WMHostMessage("QADsomething");
        QTRY_COMPARE(seen.size(), 2);
        QVERIFY(forwarded.isEmpty());

        server.respond(held.takeFirst(), 200, QByteArray());
        QTRY_COMPARE(session->QState, quint8(GatewaySession::QIdle));
        session->WMHostMessage("DiWP?NOK");
        QCOMPARE(forwarded.last(), (QPair<QByteArray, QByteArray>{"DiWP", "NOK"}));

        session->WMHostMessage("StrlPcUp");
        QCOMPARE(session->CommandQueue.last(), QByteArray("@RStrlPcUp"));
        // A message nobody claims is dropped, and a handler that throws is reported while
        // polling goes on.
        int reported = 0;
        session->setExceptionReporter([&](QObject *, const std::exception *) { ++reported; });
        session->claimHostMessage("Boom", &owner,
                                  [](const QByteArray &) { throw std::runtime_error("x"); });
        QTRY_VERIFY(!held.isEmpty());
        server.respond(held.takeFirst(), 200, QByteArray());
        QTRY_COMPARE(session->QState, quint8(GatewaySession::QIdle));
        const qsizetype before = seen.size();
        session->WMHostMessage("Boom?1");
        QCOMPARE(reported, 1);
        QTRY_COMPARE(seen.size(), before + 1);
        QVERIFY(seen.last().startsWith("/03?"));
    }

    void stopQueueAcknowledgementHandsOverOnlyForItsOwnReason() {
        hold = true;
        QObject transfer;
        int opened = 0;
        session->claimQueueStop(0, &transfer, [&] { return ++opened, true; });
        // Another reason: the window that would accept is not opened and polling goes on.
        session->SendStopQueue(1);
        QTRY_COMPARE(seen.size(), 1);
        session->WMHostMessage("SDum");
        QVERIFY(session->QueueStopped);
        QCOMPARE(opened, 0);
        QTRY_COMPARE(seen.size(), 2);
        QVERIFY(seen[1].startsWith("/03?"));
        QTRY_COMPARE(held.size(), 2);
        server.respond(held.takeLast(), 200, QByteArray());  // the poll: empty, nothing follows
        server.respond(held.takeFirst(), 200, QByteArray()); // the first stop request
        QTRY_COMPARE(session->QState, quint8(GatewaySession::QIdle));
        QTRY_VERIFY(!session->ExecClient->busy());

        // The transfer's own reason: the window takes over and the session stops polling.
        session->CommandQueue = {"MoMo?1,1"};
        session->SendStopQueue(0);
        QVERIFY(session->CommandQueue.isEmpty());
        QTRY_COMPARE(seen.size(), 3);
        QVERIFY(seen[2].startsWith("/15?key=K%201"));
        session->WMHostMessage("SDum");
        QCOMPARE(opened, 1);
        QTest::qWait(50);
        QCOMPARE(seen.size(), 3);
        session->resumePolling();
        QTRY_COMPARE(seen.size(), 4);
        QVERIFY(seen[3].startsWith("/03?"));
    }
};

QTEST_GUILESS_MAIN(TestCommandQueue)
#include "tst_command_queue.moc"
