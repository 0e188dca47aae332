#include <QtTest>

#include "LocalGateway.h"
#include "ServiceSite.h"
#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/Cp1252.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/HttpChannel.h"
#include "gateway/UrlsAdmin.h"
#include "main/QuorvAdmin.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"
#include "ui/ErrorReportSend.h"
#include "ui/QVMessage.h"
#include "ui/SetupDownload.h"
#include "ui/uDownloadUpdate.h"
#include "ui/uErrorReport.h"
#include "ui/uUpgrade.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace localgw;
using WindowMessages::PostMessage;

// The update offer, the setup download and the error report against the local gateway, which
// serves the update server and the error report page beside its gateways.
class TestUpdateReport : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    QStringList messages;
    QStringList started;
    QList<bool> offers; // the variants AskUpgrade was asked in
    bool acceptUpdate = false;

    QString site() const { return QStringLiteral("127.0.0.1:%1").arg(gw->port()); }

    void trustGateway(bool trusted) {
        serviceConfig().TrustedCertificates = trusted ? gw->caPemPath() : QString();
    }

    int setupRequests() const {
        int n = 0;
        for (const LoggedRequest &r : gw->requestLog().entries())
            n += r.path == "/upgrade/QvAccessSetup.zip";
        return n;
    }

    static QStringList filesIn(const QString &folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    // The console's settings pointed at the local gateway; the main window reads its own
    // settings file when it is created, so this runs after that too.
    void pointAtGateway() {
        serviceConfig().GatewayAddress = gw->gatewayAddress();
        serviceConfig().UpdateHost = site();
        trustGateway(true);
        settings().SetupUrl = site();
        settings().UserCode = QStringLiteral("demo");
        settings().Password = QStringLiteral("demo");
        settings().Sound = false;
        settings().ResTip = false;
        FillServiceUrls();
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetMessageWindowHook([this](int, const QString &text, int) {
            messages.append(text);
            return int(mrOK);
        });
        SetSetupStarter([this](const QString &path, const QString &) {
            started.append(path);
            return true;
        });
        SetAskUpgradeHook([this](bool required) {
            offers.append(required);
            return acceptUpdate;
        });
    }

    void init() {
        adminVars() = AdminVars();
        settings() = Settings();
        settings().Sound = false;
        serviceConfig() = ServiceConfig();
        messages.clear();
        started.clear();
        offers.clear();
        acceptUpdate = false;
        GatewayConfig config;
        config.hostDelayMs = -1;
        config.pollHoldMs = 300;
        gw = std::make_unique<LocalGateway>(config);
        QString error;
        QVERIFY2(gw->start(&error), qPrintable(error));
        pointAtGateway();
    }

    void cleanup() { gw.reset(); }

    // The download keeps a file only when it came whole from a verified server over https.
    void setupDownloadKeepsOnlyWholeFilesFromAVerifiedServer() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("QvAccessSetup.exe"));
        const QString url = serviceUrls().UpgradeArchive;
        QVERIFY(url.startsWith(QLatin1String("https://")));

        SetupDownload download;
        QList<int> percents;
        connect(&download, &SetupDownload::progress, this, [&](int p) { percents.append(p); });
        QSignalSpy finished(&download, &SetupDownload::finished);

        QVERIFY(download.start(url, target, {}));
        QVERIFY(finished.wait(10000));
        QVERIFY2(finished.last().at(0).toBool(), qPrintable(finished.last().at(1).toString()));
        QFile whole(target);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QCOMPARE(whole.readAll(), ServiceSite::setupBody());
        QCOMPARE(percents.last(), 100);
        QVERIFY(std::is_sorted(percents.begin(), percents.end()));
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("QvAccessSetup.exe")});

        // Cut off half way: the earlier file stays as it was, nothing partial is left.
        QVERIFY(QFile::remove(target));
        QFile earlier(target);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier setup");
        earlier.close();
        gw->site().setSetupMode(ServiceSite::SetupMode::CutHalfWay);
        percents.clear();
        QVERIFY(download.start(url, target, {}));
        QVERIFY(finished.wait(10000));
        QVERIFY(!finished.last().at(0).toBool());
        QVERIFY(!percents.isEmpty());
        QVERIFY(percents.last() < 100);
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("QvAccessSetup.exe")});
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier setup"));
        earlier.close();

        // A certificate that does not verify: no file, and the channel says why.
        QVERIFY(QFile::remove(target));
        gw->site().setSetupMode(ServiceSite::SetupMode::Whole);
        trustGateway(false);
        QSignalSpy tls(download.channel(), &HttpChannel::tlsFailure);
        QVERIFY(download.start(url, target, {}));
        QVERIFY(finished.wait(10000));
        QVERIFY(!finished.last().at(0).toBool());
        QCOMPARE(tls.size(), 1);
        QVERIFY(filesIn(dir.path()).isEmpty());

        // Plain http is refused before anything goes out.
        trustGateway(true);
        const int requests = setupRequests();
        QVERIFY(!download.start(
            QString(url).replace(QLatin1String("https:"), QLatin1String("http:")), target, {}));
        QCOMPARE(setupRequests(), requests);

        // Chunks are a framing the channel checks to the end: the setup is kept. An empty body
        // is no setup.
        const auto fetch = [&] {
            QFile::remove(target);
            return download.start(url, target, {}) && finished.wait(10000) &&
                   finished.last().at(0).toBool() && QFileInfo::exists(target);
        };
        gw->site().setSetupMode(ServiceSite::SetupMode::Chunked);
        QVERIFY(fetch());
        QFile chunked(target);
        QVERIFY(chunked.open(QIODevice::ReadOnly));
        QCOMPARE(chunked.readAll(), ServiceSite::setupBody());
        chunked.close();
        gw->site().setSetupMode(ServiceSite::SetupMode::Empty);
        QVERIFY(!fetch());
        QVERIFY(filesIn(dir.path()).isEmpty());

        // Up to five redirections are followed, over https only.
        gw->site().setSetupMode(ServiceSite::SetupMode::Whole);
        const QByteArray https = "https://" + site().toLatin1();
        gw->site().redirectSetup(SetupDownload::kMaxRedirects, https);
        QVERIFY(fetch());
        gw->site().redirectSetup(SetupDownload::kMaxRedirects + 1, https);
        QVERIFY(!fetch());
        QVERIFY(filesIn(dir.path()).isEmpty());
        gw->site().redirectSetup(1, "http://" + site().toLatin1());
        const int beforeDowngrade = setupRequests();
        QVERIFY(!fetch());
        QCOMPARE(setupRequests(), beforeDowngrade + 1);
        QVERIFY(filesIn(dir.path()).isEmpty());
    }

    // At close: an unwritable program folder sends the setup to the application data folder
    // and the operator learns where; only a whole download is started.
    void updateAtCloseStartsOnlyAWholeDownload() {
        QTemporaryFile notAFolder;
        QVERIFY(notAFolder.open());
        bool fallback = false;
        QVERIFY(ChooseSetupFolder(notAFolder.fileName(), QStringLiteral("/proc/nowhere"), &fallback)
                    .isEmpty());

        appFolders() = ComputeAppFolders(QStringLiteral("tst_update_report"));
        const QString expected = appFolders().Home + QStringLiteral("Update/QvAccessSetup.exe");
        QFile::remove(expected);
        RunUpdateAtClose(nullptr, notAFolder.fileName());
        QCOMPARE(started, QStringList{expected});
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].endsWith(QDir::toNativeSeparators(expected)));

        QVERIFY(QFile::remove(expected));
        started.clear();
        messages.clear();
        gw->site().setSetupMode(ServiceSite::SetupMode::CutHalfWay);
        RunUpdateAtClose(nullptr, notAFolder.fileName());
        QVERIFY(started.isEmpty());
        QCOMPARE(messages, QStringList{Msg("File Access error")});
        QVERIFY(filesIn(appFolders().Home + QStringLiteral("Update")).isEmpty());
    }

    // The logon reply decides: the console's own version offers nothing, another one offers
    // the optional update; a required update declined closes the console without a download,
    // accepted it downloads at close and starts the setup.
    void updateOfferFollowsTheLogonReply() {
        TQuorvAdminForm form;
        form.setClosingDelay(0);
        pointAtGateway();
        GatewaySession *session = form.session();
        form.show();

        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 10000);
        QVERIFY(offers.isEmpty());
        PostMessage(session, WindowMessages::WANdisconnect, 0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn && !adminVars().LoggingOff, 10000);

        gw->config().versionDigits = "101";
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 10000);
        QCOMPARE(offers, QList<bool>{false});
        QVERIFY(form.isVisible()); // declined: the session goes on
        PostMessage(session, WindowMessages::WANdisconnect, 0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn && !adminVars().LoggingOff, 10000);

        gw->faults().add({0, "16", 1, Fault::logonError('7', "update")});
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 10000);
        QCOMPARE(offers, (QList<bool>{false, true}));
        QCOMPARE(setupRequests(), 0);
        QVERIFY(started.isEmpty());

        // Accepted: the download runs at close into the program's folder and the setup starts.
        TQuorvAdminForm again;
        again.setClosingDelay(0);
        pointAtGateway();
        again.show();
        acceptUpdate = true;
        gw->faults().add({0, "16", 1, Fault::logonError('7', "update")});
        again.session()->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(!again.isVisible(), 10000);
        const QString setup =
            QDir(QCoreApplication::applicationDirPath()).filePath(serviceUrls().SetupProgramName);
        QCOMPARE(started, QStringList{setup});
        QVERIFY(QFile::remove(setup));
    }

    // The report carries the trace and the comment, the session key only with consent, and
    // goes nowhere over a connection that does not verify.
    void errorReportCarriesTheKeyOnlyWithConsent() {
        ClearTrace();
        AddTrace(12, QStringLiteral("before the error"));
        TErrorReportForm form({}, QStringLiteral("KEY123456A"));
        form.show();
        QVERIFY(TraceSuspended);
        AddTrace(13, QStringLiteral("while the window is open"));
        auto *comment = form.findChild<QPlainTextEdit *>(QStringLiteral("MemoComment"));
        auto *contact = form.findChild<QCheckBox *>(QStringLiteral("ChkContact"));
        QVERIFY(contact->isChecked());
        comment->setPlainText(QStringLiteral("first line\nsecond line"));
        form.SendErrorReport();
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(!TraceSuspended);
        QCOMPARE(messages, QStringList{Msg("Thank you for sending this error report")});
        const QList<QByteArray> &reports = gw->site().reports();
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports[0].contains("12;") && reports[0].contains("before the error\r\n"));
        QVERIFY(!reports[0].contains("while the window is open"));
        QVERIFY(reports[0].contains("first line\r\nsecond line\r\n"));
        QVERIFY(reports[0].endsWith(toCp1252(Msg("Session Key: ")) + "KEY123456A\r\n"));

        messages.clear();
        form.show();
        QVERIFY(comment->toPlainText().isEmpty());
        contact->setChecked(false);
        form.SendErrorReport();
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(reports.size(), 2);
        QVERIFY(!reports[1].contains("KEY123456A"));

        messages.clear();
        trustGateway(false);
        form.show();
        form.SendErrorReport();
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(messages, QStringList{Msg("SSL certificate not valid")});
        QCOMPARE(reports.size(), 2);

        // A long trace is cut from its oldest end so the request stays within bounds.
        QStringList trace;
        for (int i = 0; i < 400; ++i)
            trace.append(QStringLiteral("%1;%2").arg(i).arg(QString(80, QLatin1Char('x'))));
        const QByteArray address = ErrorReportAddress(serviceUrls().ErrorReport, trace, QString(),
                                                      true, QStringLiteral("K"));
        QVERIFY(address.size() <= serviceUrls().ErrorReport.size() + kMaxEncodedReportBytes);
        const QByteArray text = address.mid(serviceUrls().ErrorReport.size());
        QVERIFY(text.contains("399%3B"));
        QVERIFY(!text.startsWith("0%3B"));
    }
};

QTEST_MAIN(TestUpdateReport)
#include "tst_update_report.moc"
