#include <QtTest>

#include "AccountStore.h"
#include "GatewayDirectory.h"
#include "GatewaydProcess.h"
#include "HostChannelClient.h"
#include "PostgresFixture.h"
#include "SessionTestSupport.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"

#include "HostFrames.h"

using namespace gatewayd;

namespace {
QByteArray keyOf(const QByteArray &logonBody) {
    QByteArray key = logonBody.mid(4);
    return key.left(key.indexOf('&'));
}
} // namespace

// Gateway 1 and gateway 2 as two processes sharing their operators and records through one
// PostgreSQL: a logon at the full gateway 1 is sent to gateway 2, where the host joins.
class TestGatewaydGateways : public QObject {
    Q_OBJECT
    PostgresFixture postgres;
    GatewaydProcess gw1, gw2;
    std::unique_ptr<AccountStore> db;
    RecordingUi ui;

private slots:
    void initTestCase() {
        if (PostgresFixture::binDir().isEmpty())
            QSKIP("PostgreSQL's server is not installed (scripts/deps.sh installs it)");
        QString error;
        QVERIFY2(postgres.start(&error), qPrintable(error));
        const QByteArray common =
            "database = postgresql\ndatabase_url = " + postgres.connectionString() +
            "\ngateway_count = 2\nmax_sessions = 1\nheartbeat_ms = 200\n"
            "poll_hold_ms = 400\nmax_error_reports = 2\n"
            "max_error_report_bytes = 256\n";
        QVERIFY2(gw1.start(common + "gateways = 1\n", &error), qPrintable(error));
        // The console reaches gateway n at 127.0.0.n, on one port.
        gw2.setAddress(QStringLiteral("127.0.0.2"));
        QVERIFY2(gw2.start(common + "gateways = 2\nport = " + QByteArray::number(gw1.port()) + "\n",
                           &error),
                 qPrintable(error));
        QVERIFY(gw1.cli({"add", "demo"}, "demo\n"));
        QVERIFY(gw2.cli({"add", "carol"}, "carol\n"));
        std::string dbError;
        db = openPostgresAccountStore(postgres.connectionString().toStdString(), &dbError);
        QVERIFY2(db, dbError.c_str());
    }

    void fullGatewaySendsTheLogonOn() {
        // Gateway 1 is full with carol's session (accounts are shared: she was added at 2).
        const QByteArray carol = gw1.get("/gw001/16?user=carol&pass=carol&vers=A100").body;
        QVERIFY2(carol.startsWith("key="), carol);
        QTRY_COMPARE_WITH_TIMEOUT(gw1.get("/gw001/16?user=demo&pass=demo").body, QByteArray("GW:2"),
                                  20000);

        resetProcessState();
        QTemporaryDir dir;
        QFile cas(dir.filePath("cas.pem"));
        QFile ca1(gw1.caPemPath()), ca2(gw2.caPemPath());
        QVERIFY(cas.open(QIODevice::WriteOnly) && ca1.open(QIODevice::ReadOnly) &&
                ca2.open(QIODevice::ReadOnly));
        cas.write(ca1.readAll() + ca2.readAll());
        cas.close();
        useLocalGateway(QStringLiteral("https://127.0.0.{n}:%1/gw{n}/").arg(gw1.port()),
                        cas.fileName());
        settings().GCount = 1; // the console's first try goes to gateway 1
        auto session = makeTestSession(ui);
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 20000);
        QCOMPARE(session->GatewayNumber, 2);
        QCOMPARE(settings().GCount, 2);

        HostChannelClient host;
        std::string error;
        QVERIFY2(host.open({"127.0.0.2", gw2.port(), 2, gw2.caPemPath().toStdString(), {}},
                           session->displayKey().toStdString(), {"10.0.0.9", "FAR-PC", "WNT", ""},
                           &error),
                 error.c_str());
        QCOMPARE(int(nextFrame(host).type), int(FrameType::Welcome));
        host.send(FrameType::Accept, {});
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 20000);
        QCOMPARE(adminVars().HostName, QStringLiteral("FAR-PC"));

        // Both full: nowhere to send a logon.
        QTRY_VERIFY_WITH_TIMEOUT(gw1.get("/gw001/16?user=demo&pass=demo").body.startsWith("Err:8"),
                                 20000);

        // Records of both gateways in the one database; reports bounded there too, and the
        // console's Windows-1252 text kept readable.
        session->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(db->sessionRecords(1)[0].endReason == "logoff", 20000);
        const SessionRecord r = db->sessionRecords(2)[0];
        QCOMPARE(r.gateway, 2);
        QCOMPARE(r.userCode, std::string("demo"));
        QCOMPARE(r.hostName, std::string("FAR-PC"));
        QCOMPARE(db->sessionRecords(2)[1].gateway, 1);
        QCOMPARE(db->sessionRecords(2)[1].endReason, std::string("open"));
        for (const QByteArray report : {"one", "two", "caf%E9%00"})
            QCOMPARE(gw2.get("/errorrep.aspx?report=" + report).body, QByteArray("OK"));
        QTRY_VERIFY_WITH_TIMEOUT(!db->errorReports(1).empty() &&
                                     db->errorReports(1)[0].text.rfind("caf", 0) == 0,
                                 20000);
        QCOMPARE(db->errorReports(5).size(), size_t(2));
        QCOMPARE(db->errorReports(1)[0].text, std::string("caf\xC3\xA9?"));

        // A gateway that stops closes its records and leaves the others' view at once.
        gw1.stop();
        QCOMPARE(db->sessionRecords(2)[1].endReason, std::string("shutdown"));
        const QByteArray carolAt2 = gw2.get("/gw002/16?user=carol&pass=carol&vers=A100").body;
        QVERIFY2(carolAt2.startsWith("key="), carolAt2);
        QTRY_VERIFY_WITH_TIMEOUT(gw2.get("/gw002/16?user=demo&pass=demo").body.startsWith("Err:8"),
                                 20000);
        QCOMPARE(gw2.get("/gw002/17?key=" + keyOf(carolAt2)).status, 200);

        // Without its database a gateway says so ("retry"), instead of calling the password
        // wrong and holding it against the operator.
        postgres.stop();
        QVERIFY(gw2.get("/gw002/16?user=demo&pass=demo&vers=A100").body.startsWith("Err:9"));
        QVERIFY(gw2.get("/gw002/16?user=demo&pass=demo&vers=A100").body.startsWith("Err:9"));
    }

    // Where the directory sends a logon, from the loads it read.
    void placementRules() {
        using namespace std::chrono;
        GatewayDirectory directory("me", milliseconds(1000), 3);
        directory.update({{1, "me", 9, 10, 0},
                          {2, "other", 2, 4, 100},
                          {3, "other", 1, 10, 100},
                          {4, "gone", 0, 10, 3000},
                          {5, "full", 10, 10, 0}});
        QCOMPARE(directory.place(3, 10).here, true); // within the margin of gateway 3
        QCOMPARE(directory.place(4, 10).gateway, 3); // by share: 1 of 10 before 2 of 4
        QCOMPARE(directory.place(10, 10).gateway, 3);
        directory.update({{4, "gone", 0, 10, 3000}});
        QCOMPARE(directory.place(10, 10).here, false);
        QCOMPARE(directory.place(10, 10).gateway, 0);
    }
};

QTEST_GUILESS_MAIN(TestGatewaydGateways)
#include "tst_gatewayd_gateways.moc"
