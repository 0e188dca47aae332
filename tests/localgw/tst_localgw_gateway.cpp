// The gateway service in its test mode over HTTPS, as a console reaches it: logon with its
// faults, polls and commands, pictures, clipboard, logoff, the request log and the admin API;
// the simulated host joins over the host channel.
#include "GatewayClient.h"
#include "LocalGateway.h"
#include "ScreenReplay.h"
#include "common/Zlib.h"
#include "gateway/GatewayRequests.h"
#include "gateway/Url_Utils.h"
#include "settings/ServiceConfig.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace localgw;

namespace {
QByteArray field(const QByteArray &text, const char *name) {
    QByteArray v;
    GetUrlParam(text, name, v);
    return v;
}

GatewayConfig testConfig() {
    GatewayConfig c;
    c.hostDelayMs = -1;
    c.clockRunning = false;
    c.nschIntervalMs = 60000;
    c.pollHoldMs = 5000;
    c.screenSize = {640, 480};
    return c;
}
} // namespace

class TestLocalGwGateway : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void logonFallsBackAndRedirects();
    void logonErrorsAndStatuses_data();
    void logonErrorsAndStatuses();
    void hostJoinsAndPollsCarryItsMessages();
    void pollIsHeldThenAnsweredNeverEmpty();
    void commandsReachTheHostInOrder();
    void picturesInEveryFormatAndDepth();
    void clipboardAnnouncementAndFiles();
    void logoffEndsTheSession();
    void abandonedSessionIsDropped();
    void hostLeavesAndVanishes();
    void requestLogHoldsDecodedQueries();
    void hostileBodiesOnDemand();
    void adminApi();
    void settingsAndAddressing();
    void processForm();

private:
    // Logs on to gateway `number` and returns the key.
    QByteArray logon(int number = 1);
    QByteArray url(int number) const { return m_gw->gatewayUrl(number).toLatin1(); }
    // Polls until a message other than the alive signal and the keep-alive comes.
    QByteArray nextMessage(const QByteArray &key, int number = 1);
    GatewayAnswer command(const QByteArray &key, const QByteArray &text, int number = 1) {
        return m_client->get(GatewayRequests::command(url(number), key, text));
    }

    std::unique_ptr<LocalGateway> m_gw;
    std::unique_ptr<GatewayClient> m_client;
};

void TestLocalGwGateway::init() {
    m_gw = std::make_unique<LocalGateway>(testConfig());
    QString error;
    QVERIFY2(m_gw->start(&error), qPrintable(error));
    m_client = std::make_unique<GatewayClient>(m_gw->caCertificates());
}

void TestLocalGwGateway::cleanup() {
    m_client.reset();
    m_gw.reset();
}

QByteArray TestLocalGwGateway::logon(int number) {
    const GatewayAnswer a =
        m_client->get(GatewayRequests::logon(url(number), "demo", "demo", "TESTPC", "A100"));
    if (a.status != 200)
        return {};
    return field(a.body, "key");
}

QByteArray TestLocalGwGateway::nextMessage(const QByteArray &key, int number) {
    for (int i = 0; i < 50; ++i) {
        const GatewayAnswer a = m_client->get(GatewayRequests::poll(url(number), key));
        if (a.status != 200 || a.body.isEmpty())
            return "<status " + QByteArray::number(a.status) + " body " + a.body + ">";
        if (a.body != "nSCh" && !a.body.startsWith("QAD"))
            return a.body;
    }
    return "<no message>";
}

void TestLocalGwGateway::logonFallsBackAndRedirects() {
    m_gw->faults().add({1, "16", 1, Fault::withStatus(403)});
    // Qt sends a request up to twice more when a connection closes without an answer, so
    // gateway 2 drops every logon until the rule is cleared.
    m_gw->faults().add({2, "16", -1, Fault::drop()});

    const QByteArray query = "demo";
    GatewayAnswer a = m_client->get(GatewayRequests::logon(url(1), query, "demo", "PC", "A100"));
    QCOMPARE(a.status, 403);
    a = m_client->get(GatewayRequests::logon(url(2), "demo", "demo", "PC", "A100"));
    QCOMPARE(a.status, 0);
    QVERIFY(a.error != QNetworkReply::NoError);
    m_gw->faults().clear();
    a = m_client->get(GatewayRequests::logon(url(3), "demo", "demo", "PC", "A100"));
    QCOMPARE(a.status, 200);
    QCOMPARE(field(a.body, "key").size(), 14); // 69 bits, in the alphabet the console takes
    QCOMPARE(field(a.body, "gw"), QByteArray("3"));
    QCOMPARE(field(a.body, "name"), QByteArray("Demo Operator"));
    QCOMPARE(field(a.body, "vers"), QByteArray("A1000")); // the console's digits: no update
    QCOMPARE(field(a.body, "info"), QByteArray("X0"));
    QCOMPARE(m_gw->latestSession()->gateway(), 3);

    // Each fault was for one request: gateway 1 accepts now.
    QVERIFY(!logon(1).isEmpty());

    m_gw->faults().add({1, "16", 1, Fault::redirect(2)});
    a = m_client->get(GatewayRequests::logon(url(1), "demo", "demo", "PC", "A100"));
    QCOMPARE(a.body, QByteArray("GW:2"));
    QVERIFY(!logon(2).isEmpty());

    a = m_client->get(GatewayRequests::logon(url(1), "demo", "wrong", "PC", "A100"));
    QCOMPARE(a.status, 200);
    QVERIFY(a.body.startsWith("Err:1 "));
    QCOMPARE(m_gw->sessions().size(), 3);
}

void TestLocalGwGateway::logonErrorsAndStatuses_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("update required")
        << Fault::logonError('7', "Update required") << 200 << QByteArray("Err:7 Update required");
    QTest::newRow("try elsewhere")
        << Fault::logonError('8', "Busy") << 200 << QByteArray("Err:8 Busy");
    QTest::newRow("internal") << Fault::logonError('9', "Database") << 200
                              << QByteArray("Err:9 Database");
    QTest::newRow("shown text") << Fault::logonError('A', "Account locked") << 200
                                << QByteArray("Err:A Account locked");
    QTest::newRow("proxy") << Fault::proxyAuth() << 407 << QByteArray();
    QTest::newRow("server error") << Fault::withStatus(500, "oops") << 500 << QByteArray("oops");
}

void TestLocalGwGateway::logonErrorsAndStatuses() {
    QFETCH(Fault, fault);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    m_gw->faults().add({0, "16", 1, fault});
    const GatewayAnswer a =
        m_client->get(GatewayRequests::logon(url(2), "demo", "demo", "PC", "A100"));
    QCOMPARE(a.status, status);
    if (status == 407)
        QVERIFY(a.header("Proxy-Authenticate").startsWith("Basic"));
    else
        QCOMPARE(a.body, body);
    QVERIFY(m_gw->sessions().isEmpty());
}

void TestLocalGwGateway::hostJoinsAndPollsCarryItsMessages() {
    HostIdentity id;
    id.hostName = "B\xfcro PC&Co=1";
    id.windowsFamily = "W32";
    const QByteArray key = logon(1);
    QVERIFY(!key.isEmpty());
    m_gw->latestSession()->host().setIdentity(id);
    m_gw->latestSession()->host().join();

    const QByteArray event = nextMessage(key);
    QVERIFY(event.startsWith("HostLogon"));
    QCOMPARE(field(event, "IP"), id.ip);
    QCOMPARE(field(event, "HN"), id.hostName);
    QCOMPARE(field(event, "WV"), QByteArray("W32"));
    QCOMPARE(field(event, "LA"), id.keyboardLayout);

    QCOMPARE(command(key, "GScM").status, 200);
    QCOMPARE(nextMessage(key), QByteArray("StrlGScM"));
    const GatewayAnswer list = m_client->get(GatewayRequests::stringList(url(1), key));
    const auto lines = Zlib::inflateBounded(list.body, 1 << 20);
    QVERIFY(lines.has_value());
    QVERIFY(lines->startsWith("640 480 32\r\n800 600 32\r\n"));
    QVERIFY(lines->endsWith("\r\n0\r\n"));

    QCOMPARE(m_client->get(GatewayRequests::control(url(1), key, "15", {})).status, 200);
    QCOMPARE(nextMessage(key), QByteArray("SDum"));
    m_client->get(
        GatewayRequests::control(url(1), key, "22", "skey=ABC1&addr=a%40b.example&lang=EN"));
    QCOMPARE(nextMessage(key), QByteArray("Mail?OK"));
    m_client->get(GatewayRequests::control(url(1), key, "22", "skey=ABC1&addr=nobody&lang=EN"));
    QCOMPARE(nextMessage(key), QByteArray("Mail?Error"));
    m_client->get(
        GatewayRequests::control(url(1), key, "22", "skey=ABC1%2B4&addr=a%40b.example&lang=EN"));
    QCOMPARE(nextMessage(key), QByteArray("Mail?Error"));
}

void TestLocalGwGateway::pollIsHeldThenAnsweredNeverEmpty() {
    m_gw->config().pollHoldMs = 200;
    const QByteArray key = logon(1);
    // The session was made before the change: a new one takes the short hold.
    const QByteArray key2 = logon(1);
    GatewayAnswer a = m_client->get(GatewayRequests::poll(url(1), key2));
    QCOMPARE(a.status, 200);
    QCOMPARE(a.body, QByteArray("QAD"));

    // A held poll is answered by the first message that comes.
    QNetworkReply *held = m_client->start(GatewayRequests::poll(url(1), key));
    QTRY_VERIFY(m_gw->session(key)->hasHeldPoll());
    m_gw->session(key)->post("QVif");
    a = GatewayClient::wait(held);
    QCOMPARE(a.body, QByteArray("QVif"));

    // A newer poll releases the older one with the keep-alive.
    QNetworkReply *first = m_client->start(GatewayRequests::poll(url(1), key));
    QTRY_VERIFY(m_gw->session(key)->hasHeldPoll());
    QNetworkReply *second = m_client->start(GatewayRequests::poll(url(1), key));
    QCOMPARE(GatewayClient::wait(first).body, QByteArray("QAD"));
    m_gw->session(key)->post("RqCh");
    QCOMPARE(GatewayClient::wait(second).body, QByteArray("RqCh"));

    m_gw->faults().add({1, "03", 1, Fault::emptyBody()});
    a = m_client->get(GatewayRequests::poll(url(1), key));
    QCOMPARE(a.status, 200);
    QVERIFY(a.body.isEmpty());
}

void TestLocalGwGateway::commandsReachTheHostInOrder() {
    const QByteArray key = logon(1);
    SimulatedHost &host = m_gw->latestSession()->host();
    // Before the host joins, commands go nowhere.
    command(key, "MoMo?1-1");
    QVERIFY(host.receivedCommands().isEmpty());
    host.join();
    const QList<QByteArray> sent = {"MoMo?10-20", "MsCl?1-10-20-1-0", "KbdP?#65-97-0", "Info?StRc",
                                    "MWhl?-120/2"};
    // The answer comes once the host has the command, though it travels over the channel.
    for (qsizetype i = 0; i < sent.size(); ++i) {
        QCOMPARE(command(key, sent[i]).status, 200);
        QCOMPARE(host.receivedCommands(), sent.first(i + 1));
    }

    // A delayed reply: the host has the command while the console still waits.
    m_gw->faults().add({1, "01", 1, Fault::delay(2000)});
    QNetworkReply *slow = m_client->start(GatewayRequests::command(url(1), key, "MoMo?30-40"));
    QTRY_COMPARE(host.receivedCommands().size(), sent.size() + 1);
    QVERIFY(!slow->isFinished());
    const GatewayAnswer a = GatewayClient::wait(slow);
    QCOMPARE(a.status, 200);
}

void TestLocalGwGateway::picturesInEveryFormatAndDepth() {
    const QByteArray key = logon(1);
    SimulatedHost &host = m_gw->latestSession()->host();
    host.join();
    QVERIFY(nextMessage(key).startsWith("HostLogon"));

    for (int depth : {4, 8, 15}) {
        command(key, "SCol?" + QByteArray::number(depth));
        command(key, "GScr");
        QImage shown;
        QByteArray notice = nextMessage(key);
        QCOMPARE(notice, QByteArray("GScr"));
        GatewayAnswer a = m_client->get(GatewayRequests::fullPicture(url(1), key));
        QCOMPARE(a.status, 200);
        QCOMPARE(ScreenReplay::bitCount(*Zlib::inflateBounded(a.body, 8 << 20)),
                 depth == 15 ? 16 : depth);
        QVERIFY(ScreenReplay::apply(shown, notice, a.body));
        QCOMPARE(shown.size(), QSize(640, 480));

        const struct {
            ScreenEncoder::UpdateFormat format;
            QByteArray change;
            QByteArray notice;
        } steps[] = {
            {ScreenEncoder::UpdateFormat::Auto, "MoMo?" + QByteArray::number(depth * 20) + "-50",
             "UScr?md1"},
            {ScreenEncoder::UpdateFormat::WholeScreen, "KbdP?#65-65-1", "UScr"},
        };
        for (const auto &step : steps) {
            host.setUpdateFormat(step.format);
            command(key, step.change);
            command(key, "UScr");
            notice = nextMessage(key);
            QCOMPARE(notice, step.notice);
            a = m_client->get(GatewayRequests::pictureUpdate(url(1), key));
            QVERIFY(ScreenReplay::apply(shown, notice, a.body));
        }
        QCOMPARE(shown, host.shownPicture());
        QCOMPARE(shown, host.reducedDesktop());
    }
}

void TestLocalGwGateway::clipboardAnnouncementAndFiles() {
    const QByteArray key = logon(1);
    TestSession *s = m_gw->latestSession();
    s->host().join();
    nextMessage(key);

    command(key, "DlCl?Txt");
    QCOMPARE(nextMessage(key), QByteArray("DlCl?Txt"));
    GatewayAnswer a = m_client->get(GatewayRequests::clipboardDownload(url(1), key));
    QVERIFY(Zlib::inflateBounded(a.body, 1 << 20)->startsWith("Text from the remote clipboard"));

    const QByteArray upload = Zlib::deflate(QByteArray("from the operator\0", 18));
    a = m_client->post(GatewayRequests::clipboardUpload(url(1), key, "Txt"), upload);
    QCOMPARE(a.status, 200);
    QCOMPARE(nextMessage(key), QByteArray("ClSt"));
    QCOMPARE(s->consoleClipboard(), upload);

    a = m_client->get(GatewayRequests::announcement(url(1), key, "C", 12));
    QCOMPARE(field(a.body, "title"), m_gw->config().announcementTitle);
    QCOMPARE(field(a.body, "cont"), m_gw->config().announcementText);

    a = m_client->post(url(1) + "13?key=" + EncodeQueryValue(key) +
                           "&filename=a%20b.txt&Path=C%3A%5C",
                       "file body");
    QCOMPARE(a.status, 200);
    QCOMPARE(s->uploadedFiles().value("C:\\a b.txt"), QByteArray("file body"));
    s->storeHostFile("report.txt", "host file");
    QCOMPARE(m_client->get(url(1) + "Files/" + key + "/report.txt").body, QByteArray("host file"));
    QCOMPARE(m_client->get(url(1) + "Files/" + key + "/missing.txt").status, 404);
}

void TestLocalGwGateway::logoffEndsTheSession() {
    const QByteArray key = logon(1);
    QNetworkReply *held = m_client->start(GatewayRequests::poll(url(1), key));
    QTRY_VERIFY(m_gw->session(key)->hasHeldPoll());

    const GatewayAnswer a = m_client->get(GatewayRequests::logoff(url(1), key));
    QCOMPARE(a.status, 200);
    QVERIFY2(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(QString::fromLatin1(a.body)).hasMatch(),
        a.body.constData());
    // The held poll ends without a message: the session is over.
    const GatewayAnswer released = GatewayClient::wait(held);
    QCOMPARE(released.status, 200);
    QVERIFY(released.body.isEmpty());
    QCOMPARE(m_client->get(GatewayRequests::poll(url(1), key)).status, 403);
    QVERIFY(m_gw->session(key) == nullptr);
}

void TestLocalGwGateway::abandonedSessionIsDropped() {
    GatewayConfig c = testConfig();
    c.sessionIdleMs = 200;
    c.pollHoldMs = 3000;
    LocalGateway gw(c);
    QVERIFY(gw.start());
    GatewayClient client(gw.caCertificates());
    const QByteArray body =
        client.get(GatewayRequests::logon(gw.gatewayUrl(1).toLatin1(), "demo", "demo", "P", "A1"))
            .body;
    const QByteArray key = field(body, "key");
    QVERIFY(gw.session(key));
    // A held poll keeps the session; once the console stops asking, it goes.
    QNetworkReply *held = client.start(GatewayRequests::poll(gw.gatewayUrl(1).toLatin1(), key));
    QTRY_VERIFY(gw.session(key)->hasHeldPoll());
    QTest::qWait(400);
    QVERIFY(gw.session(key));
    QCOMPARE(GatewayClient::wait(held).body, QByteArray("QAD"));
    QTRY_VERIFY(gw.session(key) == nullptr);
}

void TestLocalGwGateway::hostLeavesAndVanishes() {
    m_gw->config().rebootMs = 10;
    const QByteArray key = logon(1);
    SimulatedHost &host = m_gw->latestSession()->host();
    host.join();
    QVERIFY(field(nextMessage(key), "LA") == host.identity().keyboardLayout);
    host.leave();
    QCOMPARE(nextMessage(key), QByteArray("HostLogoff"));
    host.join();
    const QByteArray again = nextMessage(key);
    QVERIFY(again.startsWith("HostLogon?SID=2&"));
    host.vanish();
    QCOMPARE(nextMessage(key), QByteArray("HostDisappeared"));

    // QUIT makes the host leave by itself; a reboot is a leave and a join.
    TestSession *s = m_gw->latestSession();
    s->host().join();
    nextMessage(key);
    command(key, "ReBt");
    QCOMPARE(nextMessage(key), QByteArray("ReBt?OK"));
    QCOMPARE(nextMessage(key), QByteArray("HostLogoff"));
    QVERIFY(nextMessage(key).startsWith("HostLogon"));
    s->host().setRefuseReboot(true);
    command(key, "ReBt");
    QCOMPARE(nextMessage(key), QByteArray("ReBt?NOK"));
    command(key, "QUIT");
    QCOMPARE(nextMessage(key), QByteArray("HostLogoff"));
}

void TestLocalGwGateway::requestLogHoldsDecodedQueries() {
    const QByteArray odd = "K+y&=%/ \xfc";
    m_gw->config().pollHoldMs = 100;
    m_gw->setNextKey(odd);
    const QByteArray key = logon(2);
    QCOMPARE(key, odd);
    QCOMPARE(m_client->get(GatewayRequests::poll(url(2), key)).status, 200);
    command(key, "MoMo?5-6", 2);
    m_client->get(GatewayRequests::control(url(2), key, "15", "x=1"));

    const QList<LoggedRequest> log = m_gw->requestLog().entries();
    QCOMPARE(log.size(), 4);
    QStringList codes;
    for (const LoggedRequest &e : log)
        codes << QString::fromLatin1(e.code);
    QCOMPARE(codes, QStringList({"16", "03", "01", "15"}));
    QCOMPARE(log[0].value("user"), QByteArray("demo"));
    QCOMPARE(log[0].value("vers"), QByteArray("A100"));
    QCOMPARE(log[1].value("key"), odd);
    QCOMPARE(log[1].gateway, 2);
    QCOMPARE(log[2].value("string"), QByteArray("MoMo?5-6"));
    QCOMPARE(log[3].rawQuery, "key=" + EncodeQueryValue(odd) + "&x=1");
    QVERIFY(log[1].seq < log[2].seq);

    QFile file(m_gw->requestLogPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 4);
    const QJsonObject third = QJsonDocument::fromJson(lines[2]).object();
    QCOMPARE(third.value("code").toString(), QStringLiteral("01"));
    QCOMPARE(third.value("query").toArray().at(1).toArray().at(1).toString(),
             QStringLiteral("MoMo?5-6"));
    QCOMPARE(third.value("bodySize").toInt(), 0);
}

void TestLocalGwGateway::hostileBodiesOnDemand() {
    const QByteArray key = logon(1);
    TestSession *s = m_gw->latestSession();
    s->host().join();
    nextMessage(key);
    for (HostileKind kind : HostileBodies::all()) {
        const QByteArray name = HostileBodies::name(kind);
        const QByteArray expected = HostileBodies::body(kind, s->host().desktop().size());
        // As a reply to any request the test names...
        m_gw->faults().add({1, "07", 1, Fault::hostileBody(kind)});
        GatewayAnswer a = m_client->get(GatewayRequests::pictureUpdate(url(1), key));
        QVERIFY2(a.body == expected, name.constData());

        // ...or left by the host and announced like the real thing.
        s->host().sendHostile(kind);
        const QByteArray notice = nextMessage(key);
        switch (HostileBodies::slotOf(kind)) {
        case HostileBodies::Slot::FullPicture:
            QCOMPARE(notice, QByteArray("GScr"));
            a = m_client->get(GatewayRequests::fullPicture(url(1), key));
            break;
        case HostileBodies::Slot::Update:
            QCOMPARE(notice, QByteArray("UScr?md1"));
            a = m_client->get(GatewayRequests::pictureUpdate(url(1), key));
            break;
        case HostileBodies::Slot::StringList:
            QCOMPARE(notice, QByteArray("StrlGScM"));
            a = m_client->get(GatewayRequests::stringList(url(1), key));
            break;
        case HostileBodies::Slot::PollMessage:
            // The host channel bounds a message to what a console's poll can take: a host
            // that sends more is sent away, and no part of it reaches the console.
            if (expected.size() > 64 * 1024) {
                QCOMPARE(notice, QByteArray("HostDisappeared"));
                QTRY_VERIFY(!s->host().isJoined());
                s->host().join();
                QVERIFY(nextMessage(key).startsWith("HostLogon"));
                continue;
            }
            a.body = notice;
            break;
        }
        QVERIFY2(a.body == expected, name.constData());
    }
}

void TestLocalGwGateway::adminApi() {
    auto admin = [&](const QString &op) { return m_client->get(m_gw->adminUrl(op).toLatin1()); };
    QCOMPARE(admin("fault?gw=2&code=16&kind=status&status=403&count=2").status, 200);
    QCOMPARE(admin("fault?kind=nonsense").status, 400);
    QCOMPARE(admin("fault?kind=hostile&hostile=nothing").status, 400);
    QCOMPARE(m_client->get(GatewayRequests::logon(url(2), "demo", "demo", "P", "A1")).status, 403);
    QCOMPARE(m_client->get(GatewayRequests::logon(url(2), "demo", "demo", "P", "A1")).status, 403);
    QCOMPARE(admin("host/join").status, 409); // no session yet
    const QByteArray key = logon(2);
    QVERIFY(!key.isEmpty());

    QCOMPARE(admin("host/join").status, 200);
    QVERIFY(nextMessage(key, 2).startsWith("HostLogon"));
    QCOMPARE(admin("host/say?text=RqCh").status, 200);
    QCOMPARE(nextMessage(key, 2), QByteArray("RqCh"));
    QCOMPARE(admin("host/hostile?kind=rect-far-outside").status, 200);
    QCOMPARE(nextMessage(key, 2), QByteArray("UScr?md1"));
    QCOMPARE(admin("host/serr?code=BLCKERR").status, 200);
    command(key, "GScr", 2);
    QCOMPARE(nextMessage(key, 2), QByteArray("SErr?BLCKERR"));
    QCOMPARE(admin("fault?gw=2&code=03&kind=err&err=8&text=Busy").status, 200);
    QCOMPARE(m_client->get(GatewayRequests::poll(url(2), key)).body, QByteArray("Err:8 Busy"));

    const GatewayAnswer state = admin("state");
    const QJsonObject o = QJsonDocument::fromJson(state.body).object();
    QCOMPARE(o.value("gateways").toInt(), 3);
    QCOMPARE(o.value("sessions").toArray().at(0).toObject().value("key").toString(),
             QString::fromLatin1(key));
    QVERIFY(o.value("sessions")
                .toArray()
                .at(0)
                .toObject()
                .value("host")
                .toObject()
                .value("joined")
                .toBool());

    command(key, "GScr", 2);
    QCOMPARE(nextMessage(key, 2), QByteArray("GScr"));
    const GatewayAnswer png = admin("host/shown.png");
    QImage shown;
    QVERIFY(shown.loadFromData(png.body, "PNG"));
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             m_gw->latestSession()->host().shownPicture());
    QTemporaryDir dumps;
    QCOMPARE(
        admin("host/dump?dir=" + QString::fromLatin1(EncodeQueryValue(dumps.path().toLocal8Bit())))
            .status,
        200);
    QVERIFY(QFile::exists(dumps.filePath("shown.png")));
    QVERIFY(QFile::exists(dumps.filePath("reduced.png")));

    // The admin requests are not part of what the console sent.
    for (const LoggedRequest &e : m_gw->requestLog().entries())
        QVERIFY(!e.path.startsWith("/_admin"));
    QVERIFY(admin("log").body.count('\n') == m_gw->requestLog().entries().size());
    QCOMPARE(admin("nothing").status, 404);
}

void TestLocalGwGateway::settingsAndAddressing() {
    QFile file(m_gw->settingsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains("[Service]\n"));
    QVERIFY(text.contains("GatewayAddress=" + m_gw->gatewayAddress() + "\n"));
    QVERIFY(text.contains("TrustedCertificates=" + m_gw->caPemPath() + "\n"));
    QVERIFY(text.contains("[DemoAccount]\nUserCode=demo\nPassword=demo\n"));
    QCOMPARE(QSslCertificate::fromPath(m_gw->caPemPath()), m_gw->caCertificates());

    // The console's own composition of a gateway address reaches the right gateway.
    ServiceConfig config;
    config.GatewayAddress = m_gw->gatewayAddress();
    QCOMPARE(config.gatewayUrl(2), m_gw->gatewayUrl(2));

    // localhost is in the certificate too.
    const QByteArray viaName = "https://localhost:" + QByteArray::number(m_gw->port()) + "/gw001/";
    QCOMPARE(m_client->get(GatewayRequests::logon(viaName, "demo", "demo", "P", "A1")).status, 200);

    const QByteArray key = logon(1);
    QCOMPARE(m_client->get(GatewayRequests::poll(url(2), key)).status, 403); // other gateway
    QCOMPARE(m_client->get(GatewayRequests::poll(url(4), key)).status, 404); // beyond G#
    QCOMPARE(m_client->get(GatewayRequests::poll(url(1), "nokey")).status, 403);
}

void TestLocalGwGateway::processForm() {
    const QString exe = QStringLiteral(QUORVIA_BINARY_DIR "/gateway/quorvia-gateway");
    QVERIFY(QFile::exists(exe));
    QTemporaryDir dir;
    QProcess proc;
    proc.start(exe,
               {"test", "--port", "0", "--dir", dir.path(), "--gateways", "2", "--host-delay-ms",
                "-1", "--user", "op", "--password", "pw 1", "--frozen-clock"});
    QVERIFY(proc.waitForStarted());
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += proc.readAllStandardOutput()).contains("READY port="), 30000);
    const QRegularExpressionMatch m =
        QRegularExpression("READY port=(\\d+)").match(QString::fromLatin1(out));
    QVERIFY(m.hasMatch());
    const QByteArray base = "https://127.0.0.1:" + m.captured(1).toLatin1();
    QVERIFY(out.contains("GatewayAddress=" + base + "/gw{n}/"));

    GatewayClient client(QSslCertificate::fromPath(dir.filePath("ca.pem")));
    GatewayAnswer a = client.get(GatewayRequests::logon(base + "/gw002/", "op", "pw 1", "P", "A1"));
    QCOMPARE(field(a.body, "gw"), QByteArray("2"));
    const QByteArray key = field(a.body, "key");
    QCOMPARE(client.get(base + "/_admin/host/join").status, 200);
    a = client.get(GatewayRequests::poll(base + "/gw002/", key));
    QVERIFY(a.body.startsWith("HostLogon"));
    QVERIFY(QFile(dir.filePath("requests.jsonl")).size() > 0);
    QVERIFY(QFile::exists(dir.filePath("console-settings.ini")));

    proc.kill();
    proc.waitForFinished();
}

QTEST_MAIN(TestLocalGwGateway)
#include "tst_localgw_gateway.moc"
