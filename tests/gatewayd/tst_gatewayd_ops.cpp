#include <QtTest>

#include "AccountStore.h"
#include "GatewaydProcess.h"
#include "LocalPki.h"
#include "SessionTestSupport.h"
#include "SmtpSink.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "gateway/Url_Utils.h"
#include "ui/ErrorReportSend.h"
#include "ui/Invitation.h"
#include "ui/SetupDownload.h"

#include <sys/stat.h>

using namespace gatewayd;

namespace {
bool writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() &&
           f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
}

// The answer the console's poll brings for one invitation mail.
bool mailAnswer(Invitation &invitation, const QString &key, const QString &address, int language) {
    QSignalSpy answered(&invitation, &Invitation::mailAnswered);
    invitation.SendGatewayMail(key, address, language);
    if (!answered.wait(60000))
        return false;
    return answered.first().first().toBool();
}
} // namespace

// What the gateway service does beside the sessions: the invitation mail through a relay, the
// update server's files and the error report page.
class TestGatewaydOps : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    LocalPki relayCa{QStringLiteral("Relay Test CA")};
    SmtpSink sink;
    GatewaydProcess gw;
    RecordingUi ui;
    const QString operatorName = QString::fromUtf8("Zoë Operator");
    const QByteArray setupProgram = QByteArray(3 << 20, 'z') + "end";

    QString path(const QString &name) const { return dir.filePath(name); }

    QByteArray config(quint16 relayPort) const {
        return "poll_hold_ms = 400\nsmtp_url = smtp://127.0.0.1:" + QByteArray::number(relayPort) +
               "\nsmtp_from = support@quorvia.example\nsmtp_user = relay-user\n"
               "smtp_password_file = " +
               path("relay-password").toUtf8() +
               "\nsmtp_ca_file = " + path("relay-ca.pem").toUtf8() +
               "\nmax_mails_per_session = 2\nsetup_host = setup.test\nweb_site = https://www.test\n"
               "site_dir = " +
               path("site").toUtf8() + "\nmax_error_reports = 3\nmax_report_bytes = 40000\n";
    }

    std::unique_ptr<GatewaySession> logOn() {
        resetProcessState();
        ui = RecordingUi();
        useLocalGateway(gw.gatewayAddress(), gw.caPemPath());
        auto session = makeTestSession(ui);
        session->WANconnect(false);
        if (!QTest::qWaitFor([] { return adminVars().LoggedOn; }, 20000))
            return nullptr;
        return session;
    }

private slots:
    void initTestCase() {
        // Started as root, the service reads the relay's authority as "nobody".
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        const LocalPki::Identity relay = relayCa.issueServer({"127.0.0.1"});
        QVERIFY(!relay.isNull());
        QVERIFY(writeFile(path("relay-cert.pem"), relay.certificate.toPem()));
        QVERIFY(writeFile(path("relay-key.pem"), relay.key.toPem()));
        QVERIFY(writeFile(path("relay-ca.pem"), relayCa.caPem()));
        QVERIFY(writeFile(path("relay-password"), "relay secret\n"));
        QVERIFY(writeFile(path("site/updateversion.txt"), "A1001\r\n"));
        QVERIFY(writeFile(path("site/upgrade/QvAccessSetup.zip"), setupProgram));
        ::chmod(QFile::encodeName(path("site/upgrade")).constData(), 0755);
        ::chmod(QFile::encodeName(path("site")).constData(), 0755);

        QString error;
        QVERIFY2(sink.start(
                     {path("relay-cert.pem"), path("relay-key.pem"), "relay-user", "relay secret"},
                     path("mail"), &error),
                 qPrintable(error));
        QVERIFY2(gw.start(config(sink.port()), &error), qPrintable(error));
        QVERIFY(gw.cli({"add", "demo", "--name", operatorName}, "demo\n"));
    }

    // The console asks for the mail; the relay receives it over TLS, signed in, in the language
    // asked, with the very text the console would have written itself. Requests for another
    // key, another kind of address, or beyond the session's allowance send nothing.
    void invitationMail() {
        auto session = logOn();
        QVERIFY(session);
        Invitation invitation(session.get());
        const QString key = InvitationKeyFor(adminVars().CurrentKey, session->GatewayNumber, 3);
        QVERIFY(mailAnswer(invitation, key, "remote.user@example.org", 4));

        QTRY_COMPARE_WITH_TIMEOUT(sink.mails().size(), 1, 20000);
        const QJsonObject mail = sink.mails().first();
        QCOMPARE(mail["mail_from"].toString(), QStringLiteral("support@quorvia.example"));
        QCOMPARE(mail["rcpt_tos"].toArray(), QJsonArray({"remote.user@example.org"}));
        QVERIFY(mail["encrypted"].toBool());
        QVERIFY(mail["authenticated"].toBool());
        QVERIFY(!mail["date"].toString().isEmpty());
        QCOMPARE(mail["subject"].toString(),
                 QString::fromUtf8("Einladung zum Remote-Support von Zoë Operator"));
        const QString expected = InvitationTextFor(
            3, operatorName, key, SetupLinkFor("setup.test", key), "https://www.test");
        QCOMPARE(mail["text"].toString(), expected + "\r\n");

        const QString stranger = "ABCDEFGHJKLMNP" + QString::number(session->GatewayNumber) + "-4";
        QVERIFY(!mailAnswer(invitation, stranger, "remote.user@example.org", 4));
        QVERIFY(!mailAnswer(invitation, key, "a@example.org\r\nBcc: b@example.org", 4));
        QVERIFY(!mailAnswer(invitation, key, "a@b@example.org", 4));
        QVERIFY(!mailAnswer(invitation, key.left(key.size() - 1) + "9", "a@example.org", 9));
        QVERIFY(mailAnswer(invitation, key.left(key.size() - 1) + "1", "second@example.org", 1));
        QVERIFY(!mailAnswer(invitation, key, "third@example.org", 4)); // two per session
        QCOMPARE(sink.mails().size(), 2);
        QCOMPARE(sink.mails().last()["subject"].toString(),
                 QString::fromUtf8("Remote Support invitation from Zoë Operator"));
        session->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 20000);
    }

    // The update server's files come from the configured folder as they are on disk, whole to
    // the console's own download; reports as long as the console sends them are kept, only the
    // newest few.
    void siteFilesAndErrorReports() {
        // The console's own download: https, a length that frames the whole body.
        resetProcessState();
        useLocalGateway(gw.gatewayAddress(), gw.caPemPath());
        SetupDownload download;
        QSignalSpy finished(&download, &SetupDownload::finished);
        QVERIFY(download.start("https://127.0.0.1:" + QString::number(gw.port()) +
                                   "/upgrade/QvAccessSetup.zip",
                               path("downloaded.exe"), EffectiveProxyState()));
        QVERIFY(finished.wait(60000));
        QVERIFY2(finished.first().first().toBool(), qPrintable(finished.first().last().toString()));
        QFile downloaded(path("downloaded.exe"));
        QVERIFY(downloaded.open(QIODevice::ReadOnly));
        QCOMPARE(downloaded.readAll(), setupProgram);

        QCOMPARE(gw.get("/updateversion.txt").body, QByteArray("A1001\r\n"));
        QVERIFY(writeFile(path("site/updateversion.txt"), "A1002\r\n"));
        QCOMPARE(gw.get("/updateversion.txt").body, QByteArray("A1002\r\n"));
        QCOMPARE(gw.post("/updateversion.txt", "x").status, 404);
        QCOMPARE(gw.get("/upgrade/").status, 404);
        QFile::rename(path("site/upgrade/QvAccessSetup.zip"), path("site/upgrade/gone"));
        QCOMPARE(gw.get("/upgrade/QvAccessSetup.zip").status, 404);

        // The console's own sender, at the longest report it sends.
        QStringList trace;
        for (int i = 0; i < 100; ++i)
            trace << QStringLiteral("%1 event line with \"quotes\" & more: %2")
                         .arg(i)
                         .arg(QString(400, 'x'));
        const QByteArray prefix =
            "https://127.0.0.1:" + QByteArray::number(gw.port()) + "/errorrep.aspx?report=";
        const QByteArray address =
            ErrorReportAddress(prefix, trace, QString::fromUtf8("It broke, ça"), true, "KEY");
        QVERIFY(address.size() > 30000);
        ErrorReportSender sender;
        QSignalSpy done(&sender, &ErrorReportSender::done);
        QVERIFY(sender.send(address, EffectiveProxyState()));
        QVERIFY(done.wait(30000));
        QVERIFY(done.first().first().toBool());

        std::string error;
        auto store =
            openSqliteAccountStore((gw.statePath() + "/accounts.sqlite").toStdString(), &error);
        QVERIFY2(store, error.c_str());
        const QByteArray sent = QByteArray::fromPercentEncoding(address.mid(prefix.size()));
        QTRY_VERIFY_WITH_TIMEOUT(!store->errorReports(1).empty(), 20000);
        QCOMPARE(QByteArray::fromStdString(store->errorReports(1)[0].text), sent);
        QCOMPARE(store->errorReports(1)[0].peer, std::string("127.0.0.1"));

        for (int i = 1; i <= 4; ++i)
            QCOMPARE(gw.get("/errorrep.aspx?report=r" + QByteArray::number(i)).body,
                     QByteArray("OK"));
        QTRY_VERIFY_WITH_TIMEOUT(
            store->errorReports(10).size() == 3 && store->errorReports(1)[0].text == "r4", 20000);
        QCOMPARE(store->errorReports(10).back().text, std::string("r2"));
        QCOMPARE(gw.raw("GET /errorrep.aspx?report=" + QByteArray(41000, 'a') +
                        " HTTP/1.1\r\nHost: x\r\n\r\n"),
                 QByteArray("HTTP/1.1 414 URI Too Long"));
    }

    // Mail never goes in clear: a relay that offers no TLS gets nothing, and the console hears
    // that the mail failed.
    void relayWithoutTls() {
        sink.stop();
        gw.stop();
        SmtpSink plain;
        QString error;
        QVERIFY2(plain.start({}, path("plain-mail"), &error), qPrintable(error));
        QVERIFY2(gw.start(config(plain.port()), &error), qPrintable(error));
        auto session = logOn();
        QVERIFY(session);
        Invitation invitation(session.get());
        const QString key = InvitationKeyFor(adminVars().CurrentKey, session->GatewayNumber, 0);
        QVERIFY(!mailAnswer(invitation, key, "remote.user@example.org", 1));
        QCOMPARE(plain.mails().size(), 0);
        session->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 20000);
    }
};

QTEST_GUILESS_MAIN(TestGatewaydOps)
#include "tst_gatewayd_ops.moc"
