#include <QtTest>

#include "AccountStore.h"
#include "Config.h"
#include "FailureThrottle.h"
#include "GatewaydProcess.h"
#include "HostChannelBridge.h"
#include "HostChannelClient.h"
#include "LocalGatewaySession.h"
#include "SessionTestSupport.h"
#include "common/AdminVars.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"

#include <csignal>

#include "HostFrames.h"

using namespace gatewayd;

namespace {
// Commands until `last`, skipping frames of other types.
QList<QByteArray> commandsUntil(HostChannelClient &host, const QByteArray &last) {
    QList<QByteArray> out;
    while (out.isEmpty() || out.last() != last) {
        const HostFrame f = nextFrame(host);
        if (f.type == FrameType(0))
            break;
        if (f.type == FrameType::Command)
            out.append(QByteArray::fromStdString(f.fields[0]));
    }
    return out;
}

HostChannelClient::Endpoint endpoint(const GatewaydProcess &gw, int gateway) {
    HostChannelClient::Endpoint e;
    e.port = gw.port();
    e.gateway = gateway;
    e.caFile = gw.caPemPath().toStdString();
    return e;
}

QByteArray keyOf(const QByteArray &logonBody) {
    QByteArray key = logonBody.mid(4);
    return key.left(key.indexOf('&'));
}
} // namespace

// The gateway service as a process: the console's session core and a host on the host channel
// through a whole session, and every refusal an outsider meets.
class TestGatewaydService : public QObject {
    Q_OBJECT
    GatewaydProcess gw;
    RecordingUi ui;
    const int failureDelayMs = 300;

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(gw.start("gateway_count = 3\npoll_hold_ms = 400\nfailure_delay_ms = 300\n"
                          "max_failure_delay_ms = 600\nmax_sessions_per_operator = 2\n"
                          "max_body_bytes = 1048576\nmax_host_frame_bytes = 2097152\n"
                          "max_header_bytes = 4096\nmax_session_bytes = 4194304\n"
                          "announcement_title = News\nannouncement_text = Hello there\n",
                          &error),
                 qPrintable(error));
        // Accounts are added while it runs, as an administrator would.
        QVERIFY(gw.cli({"add", "demo", "--name", "Demo Operator"}, "demo\n"));
        QVERIFY(gw.cli({"add", "carol"}, "carol\n"));
        QVERIFY(gw.cli({"add", "bob"}, "right\n"));
        QVERIFY(gw.cli({"disable", "bob"}));
        QVERIFY(!gw.cli({"add", "demo"}, "again\n")); // taken
        QVERIFY(!gw.cli({"add", "dave"}, ""));        // no password
    }

    void init() {
        resetProcessState();
        ui = RecordingUi();
        useLocalGateway(gw.gatewayAddress(), gw.caPemPath());
    }

    void wholeSession() {
        auto session = makeTestSession(ui);
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 20000);
        const QByteArray key = adminVars().CurrentKey.toLatin1();
        QVERIFY2(QRegularExpression("^[A-HJ-NP-Z2-9]{13}[A-HJ-NP-Z]$").match(key).hasMatch(), key);
        const QByteArray base = "/gw00" + QByteArray::number(session->GatewayNumber) + "/";

        HostChannelClient host;
        HostChannelClient::Identity identity{"10.1.2.3", "TEST-PC", "WNT", "00000407"};
        std::string error;
        QVERIFY2(host.open(endpoint(gw, session->GatewayNumber),
                           session->displayKey().toStdString(), identity, &error),
                 error.c_str());
        const HostFrame welcome = nextFrame(host);
        QCOMPARE(int(welcome.type), int(FrameType::Welcome));
        QCOMPARE(welcome.fields[0], std::to_string(session->GatewayNumber));
        QCOMPARE(welcome.fields[1], std::string("Demo Operator")); // shown for the user's consent
        host.send(FrameType::Accept, {});
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 20000);
        QCOMPARE(adminVars().HostName, QStringLiteral("TEST-PC"));
        QCOMPARE(session->HostIP, QStringLiteral("10.1.2.3"));

        // The console's commands reach the host in its order (after those it sends itself).
        const QList<QByteArray> sent = {"MsCl?L", "KbdP?#65", "DiWP", "EnWP", "MoMo?10,10"};
        for (const QByteArray &cmd : sent)
            session->SendCmd(cmd);
        QList<QByteArray> got = commandsUntil(host, sent.last());
        QVERIFY2(got.size() >= sent.size(), got.join(' '));
        QCOMPARE(got.mid(got.size() - sent.size()), sent);

        // Deposits: a picture and a file, announced by a message that comes after them.
        QByteArray announced;
        session->claimHostMessage("Test", session.get(),
                                  [&](const QByteArray &p) { announced = p; });
        const std::string picture(300000, 'p');
        host.send(FrameType::Deposit, {"picture", picture});
        host.send(FrameType::File, {"r e.bin", "file body"});
        host.send(FrameType::Message, {"Test?ready"});
        QTRY_COMPARE_WITH_TIMEOUT(announced, QByteArray("ready"), 20000);
        QCOMPARE(gw.get(base + "05?key=" + key).body.toStdString(), picture);
        QCOMPARE(gw.get(base + "Files/" + key + "/r%20e.bin").body, QByteArray("file body"));
        QCOMPARE(gw.get(base + "Files/" + key + "/other").status, 404);
        QCOMPARE(gw.get(base + "07?key=" + key).status, 404); // nothing deposited

        // What the console leaves for the host, and a control code.
        QCOMPARE(gw.post(base + "11?key=" + key + "&par=Txt", "clip").body, QByteArray("OK"));
        HostFrame clip = nextFrame(host);
        QCOMPARE(int(clip.type), int(FrameType::Clipboard));
        QCOMPARE(clip.fields, (std::vector<std::string>{"Txt", "clip"}));
        QCOMPARE(
            gw.post(base + "13?key=" + key + "&filename=a.txt&Path=C%3A%5Cx%5C", "data").status,
            200);
        HostFrame upload = nextFrame(host);
        QCOMPARE(upload.fields, (std::vector<std::string>{"C:\\x\\", "a.txt", "data"}));
        QCOMPARE(gw.get(base + "15?key=" + key + "&a=1").status, 200);
        HostFrame control = nextFrame(host);
        QCOMPARE(control.fields, (std::vector<std::string>{"15", "a=1"}));
        QCOMPARE(gw.get(base + "23?key=" + key + "&ID=1").body,
                 QByteArray("title=News&cont=Hello%20there"));

        // Logoff: the host is told, the key dies and the record is written.
        session->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 20000);
        const QString prefix = Msg("Logged off") + "\r" + Msg("Session time : ");
        QVERIFY2(ui.lastFlash().startsWith(prefix), qPrintable(ui.lastFlash()));
        QVERIFY(commandsUntil(host, "QUIT").endsWith("QUIT"));
        HostFrame end = nextFrame(host);
        QCOMPARE(int(end.type), int(FrameType::End));
        QTRY_VERIFY_WITH_TIMEOUT(host.isClosed(), 20000);
        QCOMPARE(gw.get(base + "03?key=" + key).status, 403);
        HostChannelClient late;
        QVERIFY(late.open(endpoint(gw, session->GatewayNumber), session->displayKey().toStdString(),
                          identity, &error));
        QCOMPARE(int(nextFrame(late).type), int(FrameType::End));

        std::string dbError;
        auto store =
            openSqliteAccountStore((gw.statePath() + "/accounts.sqlite").toStdString(), &dbError);
        QVERIFY2(store, dbError.c_str());
        QTRY_VERIFY_WITH_TIMEOUT(!store->sessionRecords(1).empty() &&
                                     store->sessionRecords(1)[0].endReason == "logoff",
                                 20000);
        const SessionRecord r = store->sessionRecords(1)[0];
        QCOMPARE(r.userCode, std::string("demo"));
        QCOMPARE(r.hostName, std::string("TEST-PC"));
        QCOMPARE(r.hostAddress, std::string("127.0.0.1"));
        QVERIFY(r.endedAt >= r.startedAt);
        QVERIFY(ui.lastFlash().endsWith(QString::fromStdString(r.sessionTime)));
    }

    // The simulated host, a client of the channel like the real host: the console sees its
    // desktop through the service exactly as it is.
    void simulatedHostOverTheChannel() {
        auto session = makeTestSession(ui);
        auto *pipeline = new ScreenPipeline(session.get());
        new ScreenModes(session.get(), pipeline, session.get());
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 20000);

        localgw::GatewayConfig config = steadyHostConfig(QSize(640, 480));
        config.hostDelayMs = -1;
        localgw::SimulatedHost host(config);
        localgw::HostChannelBridge bridge(host, endpoint(gw, session->GatewayNumber),
                                          session->displayKey().toLatin1());
        host.join();
        QVERIFY2(bridge.lastError().isEmpty(), qPrintable(bridge.lastError()));
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 20000);
        QCOMPARE(adminVars().HostName, QString::fromLatin1(host.identity().hostName));
        QTRY_VERIFY_WITH_TIMEOUT(screenSettled(host, *pipeline, *session) &&
                                     pipeline->picture() == host.shownPicture(),
                                 30000);

        session->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!host.isJoined(), 20000);
    }

    void refusals() {
        // Logon: a wrong password and a disabled account look alike, and both are slowed.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(gw.get("/gw001/16?user=demo&pass=nope&vers=A100").body.startsWith("Err:1"));
        QVERIFY(clock.elapsed() >= failureDelayMs);
        QVERIFY(gw.get("/gw001/16?user=bob&pass=right&vers=A100").body.startsWith("Err:1"));
        QCOMPARE(gw.get("/gw004/16?user=carol&pass=carol").status, 404); // not served here
        QCOMPARE(gw.get("/healthz").body, QByteArray("ok"));
        // Nothing of the test mode is there in production.
        for (const QByteArray path : {"/_admin/state", "/_admin/host/join", "/updateversion.txt"})
            QCOMPARE(gw.get(path).status, 404);

        // Two sessions per operator, not three.
        const QByteArray first = gw.get("/gw001/16?user=carol&pass=carol&vers=A100").body;
        const QByteArray second = gw.get("/gw002/16?user=CAROL&pass=carol&vers=A100").body;
        QVERIFY2(first.startsWith("key=") && second.startsWith("key="), first + second);
        QVERIFY(gw.get("/gw001/16?user=carol&pass=carol").body.startsWith("Err:6"));
        const QByteArray key = keyOf(first);

        // Hosts: an unknown key is slowed down; a known key joins only its own gateway, once.
        HostChannelClient stranger;
        std::string error;
        clock.restart();
        QVERIFY(stranger.open(endpoint(gw, 1), "ABCDEFGHJKLMNP1", {}, &error));
        QCOMPARE(int(nextFrame(stranger).type), int(FrameType::End));
        QVERIFY(clock.elapsed() >= failureDelayMs);
        QTRY_VERIFY_WITH_TIMEOUT(stranger.isClosed(), 20000);
        HostChannelClient elsewhere;
        QVERIFY(elsewhere.open(endpoint(gw, 2), key.toStdString() + "2", {}, &error));
        QCOMPARE(int(nextFrame(elsewhere).type), int(FrameType::End));
        // Until its user accepted, a host may say nothing, and the console never hears of it.
        HostChannelClient early;
        QVERIFY(early.open(endpoint(gw, 1), key.toStdString() + "1", {}, &error));
        QCOMPARE(int(nextFrame(early).type), int(FrameType::Welcome));
        early.send(FrameType::Message, {"Test?too early"});
        QCOMPARE(int(nextFrame(early).type), int(FrameType::End));
        QCOMPARE(gw.get("/gw001/03?key=" + key).body, QByteArray("QAD"));
        HostChannelClient host, second_host;
        QVERIFY(host.open(endpoint(gw, 1), key.toStdString() + "1", {}, &error));
        QCOMPARE(int(nextFrame(host).type), int(FrameType::Welcome));
        host.send(FrameType::Accept, {});
        QVERIFY(second_host.open(endpoint(gw, 1), key.toStdString() + "1", {}, &error));
        QCOMPARE(int(nextFrame(second_host).type), int(FrameType::End));

        // A malformed frame ends the host's channel, and the console hears that it vanished.
        host.sendRaw(std::string("\x01\x02\x00\x00\x10\x00short", 11));
        QCOMPARE(int(nextFrame(host).type), int(FrameType::End));
        QVERIFY(gw.get("/gw001/03?key=" + key).body.startsWith("HostLogon?SID=1&IP="));
        QCOMPARE(gw.get("/gw001/03?key=" + key).body, QByteArray("HostDisappeared"));
        QCOMPARE(gw.get("/gw001/03?key=" + key).body, QByteArray("QAD"));
        QCOMPARE(gw.get("/gw002/03?key=" + key).status, 403); // another gateway's session

        // Request bounds: headers, an upload beyond the limit, a body where none belongs.
        QCOMPARE(gw.raw("GET /gw001/03?key=" + key +
                        " HTTP/1.1\r\nHost: x\r\nX-Pad: " + QByteArray(5000, 'a') + "\r\n\r\n"),
                 QByteArray("HTTP/1.1 431 Request Header Fields Too Large"));
        QCOMPARE(gw.raw("POST /gw001/13?key=" + key +
                        " HTTP/1.1\r\nHost: x\r\nContent-Length: 1048577\r\n\r\n"),
                 QByteArray("HTTP/1.1 413 Payload Too Large"));
        QCOMPARE(gw.raw("POST /gw001/01?key=" + key +
                        " HTTP/1.1\r\nHost: x\r\nContent-Length: 70000\r\n\r\n"),
                 QByteArray("HTTP/1.1 413 Payload Too Large"));
        QCOMPARE(
            gw.post("/gw001/13?key=" + key + "&filename=a&Path=b", QByteArray(1048576, 'u')).status,
            200);

        QCOMPARE(gw.get("/gw001/17?key=" + key).status, 200);
        QCOMPARE(gw.get("/gw002/17?key=" + keyOf(second)).status, 200);

        // The refusals are counted, for the service's own addresses only.
        const QByteArray metrics = gw.get("/metrics").body;
        for (const char *counter : {"quorvia_gateway_logons_total{result=\"refused\"}",
                                    "quorvia_gateway_host_joins_total{result=\"refused\"}",
                                    "quorvia_gateway_unknown_key_requests_total"})
            QVERIFY2(metrics.contains(counter) && !metrics.contains(counter + QByteArray(" 0\n")),
                     counter);
        QCOMPARE(gw.raw("GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n", "127.0.0.2"),
                 QByteArray("HTTP/1.1 404 Not Found"));
    }

    // A typo in the configuration stops the start instead of leaving a limit nobody chose.
    void configurationAndThrottleRules() {
        std::string error;
        const auto c = parseConfig("# comment\nport = 8443\ngateways = 2, 3\n", &error);
        QVERIFY2(c, error.c_str());
        QCOMPARE(c->port, 8443);
        QCOMPARE(c->servedNumbers(), (std::vector<int>{2, 3}));
        for (const char *bad :
             {"prot = 1", "port = 70000", "port = 8x", "gateways = 4", "poll_hold_ms = 60000",
              "max_body_bytes = 68157440", "port", "database = mysql", "database = postgresql"})
            QVERIFY2(!parseConfig(bad, &error) && !error.empty(), bad);
        QVERIFY(!parseConfig(std::string(kMaxConfigBytes + 1, '#'), &error));

        // Failures double the wait up to the ceiling, per party, and are forgotten in time.
        using namespace std::chrono;
        FailureThrottle throttle(milliseconds(100), milliseconds(350), 4);
        const auto t = FailureThrottle::Clock::now();
        QCOMPARE(throttle.delayFor("a", t).count(), 0);
        const int expected[] = {100, 200, 350, 350};
        for (int ms : expected) {
            throttle.failed("a", t);
            QCOMPARE(throttle.delayFor("a", t).count(), ms);
        }
        QCOMPARE(throttle.delayFor("b", t).count(), 0);
        QCOMPARE(throttle.delayFor("a", t + minutes(16)).count(), 0);
        for (const char *party : {"b", "c", "d", "e", "f"}) // beyond the table's size
            throttle.failed(party, t + seconds(1));
        QCOMPARE(throttle.delayFor("f", t + seconds(1)).count(), 100);

        // Attempts of a failing party are examined one delay apart, however many come at
        // once; one that would wait beyond the limit takes no place.
        const auto u = t + seconds(2);
        throttle.failed("g", u);
        QCOMPARE(throttle.reserve("g", u, milliseconds(250))->count(), 0);
        QCOMPARE(throttle.reserve("g", u, milliseconds(250))->count(), 100);
        QCOMPARE(throttle.reserve("g", u, milliseconds(250))->count(), 200);
        QVERIFY(!throttle.reserve("g", u, milliseconds(250)));
        QCOMPARE(throttle.reserve("g", u + milliseconds(150), milliseconds(250))->count(), 150);
        QCOMPARE(throttle.reserve("h", u, milliseconds(0))->count(), 0); // never failed
    }

    void certificateReloadKeepsSessions() {
        const QByteArray key = keyOf(gw.get("/gw001/16?user=carol&pass=carol&vers=A100").body);
        HostChannelClient host;
        std::string error;
        QVERIFY(host.open(endpoint(gw, 1), key.toStdString() + "1", {}, &error));
        QCOMPARE(int(nextFrame(host).type), int(FrameType::Welcome));
        host.send(FrameType::Accept, {});

        const QSslCertificate before = gw.presentedCertificate();
        QVERIFY(gw.replaceCertificate());
        ::kill(pid_t(gw.pid()), SIGHUP);
        QTRY_VERIFY_WITH_TIMEOUT(gw.presentedCertificate().serialNumber() != before.serialNumber(),
                                 20000);
        // A broken key file on the next reload leaves the certificate in use.
        const QSslCertificate current = gw.presentedCertificate();
        QVERIFY(gw.writeKeyFile("not a key"));
        ::kill(pid_t(gw.pid()), SIGHUP);
        QCOMPARE(gw.presentedCertificate().serialNumber(), current.serialNumber());

        // The session and its host channel lived through both.
        host.send(FrameType::Message, {"Test?after"});
        QVERIFY(gw.get("/gw001/03?key=" + key).body.startsWith("HostLogon"));
        QCOMPARE(gw.get("/gw001/03?key=" + key).body, QByteArray("Test?after"));
        QCOMPARE(gw.get("/gw001/17?key=" + key).status, 200);
    }
};

QTEST_GUILESS_MAIN(TestGatewaydService)
#include "tst_gatewayd_service.moc"
