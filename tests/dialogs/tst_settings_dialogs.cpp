#include <QtTest>

#include "LocalGateway.h"
#include "NtlmTestProxy.h"
#include "SquidFixture.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/UrlsAdmin.h"
#include "platform/OwnerDomain.h"
#include "screen/ScreenModes.h"
#include "settings/ServiceConfig.h"
#include "settings/uApplicationSettings.h"
#include "settings/uConnectionSettings.h"
#include "settings/uFindProxyForUrl.h"
#include "settings/uIniFiles.h"
#include "settings/uProxyPACAuth.h"
#include "ui/FlashInfo.h"
#include "ui/QVMessage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>

namespace {
struct Shown {
    int kind;
    QString text;
};

template <typename T> T *child(QWidget *w, const char *name) {
    T *c = w->findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

// Counts the language broadcasts a window would re-apply its texts on.
class LanguageListener : public QObject {
public:
    int updates = 0;
    bool event(QEvent *e) override {
        if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm)
            ++updates;
        return QObject::event(e);
    }
};
} // namespace

// The connection and application settings dialogs, their rules, the proxy test against a real
// squid, the proxy script's credentials and the user's domain.
class TestSettingsDialogs : public QObject {
    Q_OBJECT
    QList<Shown> shown;
    int answer = mrOK;

    TConnectionSettingsForm::Services services(const QString &domain = {}) {
        auto s = TConnectionSettingsForm::DefaultServices();
        s.ownerDomain = [domain] { return domain; };
        s.openUrl = [](const QUrl &) {};
        return s;
    }

private slots:
    void initTestCase() {
        SetMessageWindowHook([this](int kind, const QString &text, int) {
            shown.append({kind, text});
            return answer;
        });
    }

    void init() {
        shown.clear();
        answer = mrOK;
        settings() = Settings();
        settings().Sound = false;
        SelectLanguage(0);
        FillServiceUrls();
    }

    // ---- Rules -------------------------------------------------------------------------------

    void portRules_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("proxyName");
        QTest::addColumn<int>("saved"); // -1000: refused
        QTest::newRow("empty is 8080") << ""
                                       << "proxy" << 8080;
        QTest::newRow("empty without a proxy is none") << ""
                                                       << "" << 0;
        QTest::newRow("79 with a proxy name") << "79"
                                              << "proxy" << -1000;
        QTest::newRow("79 without a proxy name") << "79"
                                                 << "" << 79;
        QTest::newRow("79 with a blank name") << "79"
                                              << "  " << 79;
        QTest::newRow("80") << "80"
                            << "proxy" << 80;
        QTest::newRow("65535") << "65535"
                               << "proxy" << 65535;
        QTest::newRow("65536 with a proxy name") << "65536"
                                                 << "proxy" << -1000;
        QTest::newRow("not a number") << "80a"
                                      << "" << -1000;
        QTest::newRow("blanks around") << " 3128 "
                                       << "proxy" << 3128;
    }
    void portRules() {
        QFETCH(QString, port);
        QFETCH(QString, proxyName);
        QFETCH(int, saved);
        const std::optional<int> result = ProxyPortToSave(port, proxyName);
        QCOMPARE(result.value_or(-1000), saved);
    }

    void userNameForms_data() {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("forms");
        QTest::newRow("no domain") << ""
                                   << "jdoe" << QStringList{"jdoe"};
        QTest::newRow("no user") << "CORP"
                                 << "" << QStringList{""};
        QTest::newRow("plain name") << "CORP"
                                    << "jdoe" << QStringList{"jdoe", "CORP\\jdoe", "jdoe@CORP"};
        QTest::newRow("domain first, other case")
            << "CORP"
            << "corp\\JDoe" << QStringList{"corp\\JDoe", "JDoe", "JDoe@CORP"};
        QTest::newRow("domain last, other case")
            << "CORP"
            << "jdoe@Corp" << QStringList{"jdoe@Corp", "jdoe", "CORP\\jdoe"};
        QTest::newRow("name holding the domain's letters")
            << "CORP"
            << "corporate" << QStringList{"corporate", "CORP\\corporate", "corporate@CORP"};
    }
    void userNameForms() {
        QFETCH(QString, domain);
        QFETCH(QString, typed);
        QFETCH(QStringList, forms);
        QCOMPARE(UserNameForms(domain, typed), forms);
    }

    void ownerDomainFromSampleFiles_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("files"); // path=content|path=content
        QTest::addColumn<QString>("domain");
        const QString krb5 = "/etc/krb5.conf=[libdefaults]\n  default_realm = CORP.EXAMPLE.COM\n"
                             "[realms]\n CORP.EXAMPLE.COM = {\n  kdc = dc1\n }\n";
        const QString sssd = "/etc/sssd/sssd.conf=[sssd]\ndomains = corp.example.com, other\n"
                             "[domain/corp.example.com]\nid_provider = ad\n"
                             "ad_domain = corp.example.com\n";
        const QString smb =
            "/etc/samba/smb.conf=[global]\n   workgroup = CORP\n   security = ADS\n";
        const QString passwd =
            "/etc/passwd=root:x:0:0::/root:/bin/sh\nlocal:x:1000:1000::/h:/bin/sh\n";
        QTest::newRow("no configuration") << "jdoe" << passwd << "";
        QTest::newRow("local account") << "local" << passwd + "|" + krb5 << "";
        QTest::newRow("kerberos realm")
            << "jdoe" << passwd + "|" + krb5 + "|" + smb << "CORP.EXAMPLE.COM";
        QTest::newRow("sssd") << "jdoe" << sssd << "corp.example.com";
        QTest::newRow("samba domain member") << "jdoe" << smb << "CORP";
        QTest::newRow("samba standalone") << "jdoe"
                                          << "/etc/samba/smb.conf=[global]\nworkgroup = WORKGROUP\n"
                                          << "";
        QTest::newRow("winbind name") << "CORP\\jdoe" << QString() << "CORP";
        QTest::newRow("qualified name") << "jdoe@corp.example.com" << passwd << "corp.example.com";
        QTest::newRow("domain is the computer") << "PC1\\jdoe" << QString() << "";
        QTest::newRow("realm with a blank") << "jdoe"
                                            << "/etc/krb5.conf=[libdefaults]\ndefault_realm = A B\n"
                                            << "";
    }
    void ownerDomainFromSampleFiles() {
        QFETCH(QString, user);
        QFETCH(QString, files);
        QFETCH(QString, domain);
        QHash<QString, QByteArray> contents;
        for (const QString &f : files.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            const qsizetype eq = f.indexOf(QLatin1Char('='));
            contents.insert(f.left(eq), f.mid(eq + 1).toUtf8());
        }
        OwnerDomainSources sources;
        sources.computerName = QStringLiteral("PC1");
        sources.userName = [user] { return user; };
        sources.readFile = [contents](const QString &path,
                                      qint64 max) -> std::optional<QByteArray> {
            if (!contents.contains(path) || contents.value(path).size() > max)
                return std::nullopt;
            return contents.value(path);
        };
        QCOMPARE(OwnerDomain(sources), domain);
    }

    // ---- The connection settings dialog ------------------------------------------------------

    void connectionDialogKeepsDisabledValuesAndRefusesBadPorts() {
        ConnectionValues v;
        v.UserCode = QStringLiteral("op");
        v.Password = QStringLiteral("pw");
        v.ManProxy = false;
        v.ProxyName = QStringLiteral("proxy.local");
        v.ProxyPort = 79;
        v.ProxyUserCode = QStringLiteral("pu");
        v.ProxyPassword = QStringLiteral("pp");
        TConnectionSettingsForm form(nullptr, services(QStringLiteral("CORP")));
        form.Prepare(v, QStringLiteral("https"));
        QCOMPARE(child<QLabel>(&form, "LblDomain")->text(), QStringLiteral("CORP"));
        // Discovery mode: the proxy fields are off but keep their values.
        QVERIFY(!child<QGroupBox>(&form, "BoxManSet")->isEnabled());
        QVERIFY(!child<QLineEdit>(&form, "EditProxyUserCode")->isEnabled());
        QCOMPARE(child<QLineEdit>(&form, "EditProxyName")->text(), v.ProxyName);
        form.open();

        // Port 79 with a proxy name is refused and the dialog stays open with the values.
        child<QPushButton>(&form, "BtnSave")->click();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, Msg("Proxy port out of range"));
        QCOMPARE(shown[0].kind, int(mkError));
        QVERIFY(form.isVisible());
        QCOMPARE(child<QLineEdit>(&form, "EditProxyPort")->text(), QStringLiteral("79"));

        child<QRadioButton>(&form, "RBManualSet")->setChecked(true);
        QVERIFY(child<QGroupBox>(&form, "BoxManSet")->isEnabled());
        QVERIFY(child<QLineEdit>(&form, "EditProxyPassWord")->isEnabled());
        child<QRadioButton>(&form, "RBAutoDetect")->setChecked(true);
        child<QLineEdit>(&form, "EditProxyPort")->setText(QString());
        child<QPushButton>(&form, "BtnSave")->click();
        QVERIFY(!form.isVisible());
        QVERIFY(!form.cancelled());
        ConnectionValues expected = v;
        expected.ProxyPort = 8080;
        QCOMPARE(form.values(), expected);

        // What "Save" stores: an empty password really clears the stored one.
        settings().Password = QStringLiteral("old");
        expected.Password.clear();
        StoreConnectionValues(expected);
        QCOMPARE(ConnectionValuesFrom(settings()), expected);

        // Escape cancels.
        TConnectionSettingsForm other(nullptr, services());
        other.Prepare(v, QString());
        other.open();
        QTest::keyClick(&other, Qt::Key_Escape);
        QVERIFY(other.cancelled());
        QVERIFY(!other.isVisible());
    }

    void autoDetectAndResetPassword() {
        QString opened;
        auto s = services();
        QString found;
        s.detectProxy = [&found](const ProxyRequest &request) {
            EffectiveProxyState state;
            // Discovery is asked for the gateways' scheme and the service's web host.
            if (request.Scheme == QLatin1String("https") && !request.ManProxy &&
                request.TargetHost == QLatin1String("www.quorvia.example") && !found.isEmpty()) {
                state.EffectiveProxyHost = found;
                state.EffectiveProxyPort = 3128;
            }
            return state;
        };
        s.openUrl = [&opened](const QUrl &url) { opened = url.toString(); };
        TConnectionSettingsForm form(nullptr, s);
        ConnectionValues v;
        v.ManProxy = true;
        v.ProxyName = QStringLiteral("typed");
        form.Prepare(v, QString());
        form.open();
        found = QStringLiteral("p1.corp");
        child<QPushButton>(&form, "BttnAutoDetect")->click();
        QTRY_VERIFY(!form.detecting());
        QCOMPARE(child<QLineEdit>(&form, "EditProxyName")->text(), QStringLiteral("p1.corp"));
        QCOMPARE(child<QLineEdit>(&form, "EditProxyPort")->text(), QStringLiteral("3128"));
        QVERIFY(!FlashInfoVisible());

        found.clear();
        child<QPushButton>(&form, "BttnAutoDetect")->click();
        QTRY_VERIFY(!form.detecting());
        QCOMPARE(FlashInfoText(), Msg("No proxy detected"));
        QCOMPARE(child<QLineEdit>(&form, "EditProxyName")->text(), QString());
        QCOMPARE(child<QLineEdit>(&form, "EditProxyPort")->text(), QStringLiteral("8080"));
        QVERIFY(!QApplication::overrideCursor());
        CloseFlashInfo();

        child<QPushButton>(&form, "BttnResetPassword")->click();
        QCOMPARE(opened, QStringLiteral("https://my.quorvia.example/reset.aspx"));

        // A test without a proxy name, or with a port that is not one, does not start.
        child<QLineEdit>(&form, "EditProxyPort")->setText(QStringLiteral("70000"));
        child<QLineEdit>(&form, "EditProxyName")->setText(QStringLiteral("p1"));
        child<QPushButton>(&form, "BttnTestProxy")->click();
        QCOMPARE(shown.value(0).text, Msg("No or incorrect proxy settings entered"));
        QVERIFY(!form.testRunning());
    }

    // "Auto detect proxy" only shows what discovery finds: the proxy the update and the error
    // report go through is what the logon resolves from the saved settings, so a detection
    // followed by "Cancel" leaves it as it was.
    void autoDetectChangesNothingUntilSaved() {
        const EffectiveProxyState before = effectiveProxy();
        ProxyRequest request;
        request.Scheme = QStringLiteral("https");
        request.ManProxy = true; // a discovery that surely finds something
        request.ProxyName = QStringLiteral("found.example");
        request.ProxyPort = 3128;
        const EffectiveProxyState found =
            TConnectionSettingsForm::DefaultServices().detectProxy(request);
        QCOMPARE(found.EffectiveProxyHost, QStringLiteral("found.example"));
        QVERIFY(effectiveProxy() == before);
        InvalidateProxyCache();
    }

    // A failed test names the step that failed: nobody listening, no answer in time, the
    // password refused.
    void proxyTestSaysWhyItFailed() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 closedPort = closed.serverPort();
        closed.close();
        QTcpServer silent; // takes the connection and never says a word
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        NtlmTestProxy ntlm("jdoe", "s3cret");
        QVERIFY(ntlm.start());
        localgw::LocalGateway gw;
        QString error;
        QVERIFY2(gw.start(&error), qPrintable(error));
        serviceConfig().TrustedCertificates = gw.caPemPath();
        serviceConfig().UpdateHost = QStringLiteral("127.0.0.1:%1").arg(gw.port());
        FillServiceUrls();

        struct Case {
            quint16 port;
            int timeoutMs; // short only where nothing will ever answer
            ProxyCheck::Failure failure;
            const char *why;
        };
        const QList<Case> cases = {
            {closedPort, 20000, ProxyCheck::Failure::ProxyRefused,
             "The proxy could not be reached or refused the connection."},
            {silent.serverPort(), 300, ProxyCheck::Failure::NoAnswer,
             "No answer through the proxy in time."},
            {ntlm.port(), 20000, ProxyCheck::Failure::WrongPassword,
             "The proxy refused the user name or the password."},
        };
        for (const Case &c : cases) {
            shown.clear();
            TConnectionSettingsForm form(nullptr, services());
            ConnectionValues v;
            v.ManProxy = true;
            v.ProxyName = QStringLiteral("127.0.0.1");
            v.ProxyPort = c.port;
            v.ProxyUserCode = QStringLiteral("jdoe");
            v.ProxyPassword = QStringLiteral("wrong");
            form.Prepare(v, QStringLiteral("https"));
            form.proxyCheck()->setAttemptTimeout(c.timeoutMs);
            form.open();
            child<QPushButton>(&form, "BttnTestProxy")->click();
            QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, 30000);
            QCOMPARE(int(form.proxyCheck()->failure()), int(c.failure));
            QCOMPARE(shown[0].text, Msg("Proxy settings failed") + QLatin1Char('\r') + Msg(c.why));
        }
    }

    // "Test proxy" against squid with Basic authentication, which knows one account written
    // the domain way: the test has to find that form. (squid compares user names in lower
    // case, and logs each name it was offered.)
    void testProxyThroughSquid() {
        if (SquidFixture::squidBinary().isEmpty())
            QSKIP("squid is not installed (scripts/deps.sh installs it)");
        SquidFixture squid;
        QString error;
        QVERIFY2(squid.start("jdoe@corp", "s3cret", &error), qPrintable(error));
        localgw::LocalGateway gw;
        QVERIFY2(gw.start(&error), qPrintable(error));
        serviceConfig().TrustedCertificates = gw.caPemPath();
        serviceConfig().UpdateHost = QStringLiteral("127.0.0.1:%1").arg(gw.port());
        FillServiceUrls();
        QVERIFY(serviceUrls().VersionFile.startsWith(QLatin1String("https://")));

        struct Case {
            QString domain, typed, password;
            QStringList tried;
            bool ok;
        };
        const QList<Case> cases = {
            {"CORP", "jdoe", "s3cret", {"jdoe", "CORP\\jdoe", "jdoe@CORP"}, true},
            {"CORP", "corp\\jdoe", "s3cret", {"corp\\jdoe", "jdoe", "jdoe@CORP"}, true},
            {"", "jdoe@CORP", "s3cret", {"jdoe@CORP"}, true},
            {"CORP", "jdoe", "wrong", {"jdoe", "CORP\\jdoe", "jdoe@CORP"}, false},
            {"", "jdoe", "s3cret", {"jdoe"}, false},
        };
        for (const Case &c : cases) {
            shown.clear();
            TConnectionSettingsForm form(nullptr, services(c.domain));
            ConnectionValues v;
            v.ManProxy = true;
            v.ProxyName = QStringLiteral("127.0.0.1");
            v.ProxyPort = squid.port();
            v.ProxyUserCode = c.typed;
            v.ProxyPassword = c.password;
            form.Prepare(v, QStringLiteral("https"));
            form.open();
            QStringList tried;
            connect(form.proxyCheck(), &ProxyCheck::attemptStarted, this,
                    [&tried](const QString &user) { tried.append(user); });
            child<QPushButton>(&form, "BttnTestProxy")->click();
            // The window stays responsive while the test runs, under the busy cursor.
            QVERIFY(form.testRunning());
            QVERIFY(QApplication::overrideCursor());
            QVERIFY(!child<QPushButton>(&form, "BttnTestProxy")->isEnabled());
            QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, 60000);
            QCOMPARE(tried, c.tried);
            QVERIFY(shown[0].text.startsWith(c.ok ? Msg("Proxy settings OK")
                                                  : Msg("Proxy settings failed")));
            QCOMPARE(shown[0].kind, c.ok ? int(mkInformation) : int(mkError));
            QCOMPARE(child<QLineEdit>(&form, "EditProxyUserCode")->text(),
                     c.ok ? QStringLiteral("jdoe@CORP") : c.typed);
            QVERIFY(!QApplication::overrideCursor());
        }
        // The version file went over https: squid only saw tunnels.
        const QString log = squid.accessLog();
        QVERIFY(log.contains(QLatin1String(" corp\\\\jdoe ")));
        QVERIFY(log.contains(QLatin1String(" jdoe@corp ")));
        QVERIFY(log.contains(QLatin1String("CONNECT 127.0.0.1")));
        QVERIFY(!log.contains(QLatin1String("GET http")));

        // Cancel while a test runs: the dialog closes and no result follows.
        shown.clear();
        TConnectionSettingsForm form(nullptr, services(QStringLiteral("CORP")));
        ConnectionValues v;
        v.ManProxy = true;
        v.ProxyName = QStringLiteral("127.0.0.1");
        v.ProxyPort = squid.port();
        v.ProxyUserCode = QStringLiteral("jdoe");
        v.ProxyPassword = QStringLiteral("s3cret");
        form.Prepare(v, QString());
        form.open();
        child<QPushButton>(&form, "BttnTestProxy")->click();
        child<QPushButton>(&form, "BtnClose")->click();
        QVERIFY(form.cancelled());
        QVERIFY(!form.testRunning());
        QTest::qWait(1500);
        QVERIFY(shown.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    // ---- The proxy script server's credentials ----------------------------------------------

    void scriptCredentialsAskedOncePerRun() {
        ForgetProxyScriptCredentials();
        int asked = 0;
        SetProxyPACAuthHook([&asked](const QUrl &, QString &user, QString &password) {
            ++asked;
            user = QStringLiteral("pac");
            password = QStringLiteral("word");
            return true;
        });
        const QUrl url(QStringLiteral("http://wpad.corp.example/wpad.dat"));
        QString user, password;
        QVERIFY(ProxyInfoAuthentication(url, user, password));
        QCOMPARE(asked, 1);
        // The next discovery of the run gets the same answer without a question...
        QString again, againPassword;
        QVERIFY(ProxyInfoAuthentication(url, again, againPassword));
        QCOMPARE(asked, 1);
        QCOMPARE(again, QStringLiteral("pac"));
        QCOMPARE(againPassword, QStringLiteral("word"));
        // ...until the server refuses it.
        QVERIFY(ProxyInfoAuthentication(url, again, againPassword));
        QCOMPARE(asked, 2);
        SetProxyPACAuthHook([](const QUrl &, QString &, QString &) { return false; });
        ForgetProxyScriptCredentials();
        QString none, nonePassword;
        QVERIFY(!ProxyInfoAuthentication(url, none, nonePassword));
        QVERIFY(none.isEmpty());
        SetProxyPACAuthHook({});

        // The dialog empties its fields every time it is shown.
        TProxyPACAuthForm form;
        form.Prepare(url);
        child<QLineEdit>(&form, "EditUserCode")->setText(QStringLiteral("x"));
        child<QLineEdit>(&form, "EditPassword")->setText(QStringLiteral("y"));
        form.Prepare(url);
        QVERIFY(form.userName().isEmpty() && form.password().isEmpty());
        QCOMPARE(child<QLineEdit>(&form, "EditPassword")->echoMode(), QLineEdit::Password);
    }

    // ---- The application settings dialog -----------------------------------------------------

    void applicationDialogRulesAndLanguage() {
        LanguageListener otherWindow;
        registerLanguageListener(&otherWindow);
        ApplicationValues v = ApplicationValuesFrom(settings());
        v.IAutoCol = 2;
        TApplicationSettingsForm form;
        form.Prepare(v, ColorBoxEntries());
        form.open();
        auto *setRes = child<QCheckBox>(&form, "ChkSetRes");
        auto *modeBox = child<QComboBox>(&form, "ScreenModeBox");
        auto *colorBox = child<QComboBox>(&form, "ColorBox");
        QCOMPARE(modeBox->itemText(0), QStringLiteral(" 800 x 600"));
        QCOMPARE(colorBox->itemText(2), QStringLiteral("65536 colors"));

        // Both automatic screen choices leave no resolution to pick.
        child<QCheckBox>(&form, "ChkAutoFS")->setChecked(true);
        QVERIFY(setRes->isEnabled());
        child<QCheckBox>(&form, "ChkAutoRes")->setChecked(true);
        QVERIFY(!setRes->isEnabled() && !modeBox->isEnabled());
        child<QCheckBox>(&form, "ChkAutoFS")->setChecked(false);
        QVERIFY(setRes->isEnabled() && modeBox->isEnabled());

        // The wallpaper question: "No" keeps the box checked, "Yes" clears it.
        auto *wallpaper = child<QCheckBox>(&form, "ChkAutoDesk");
        answer = mrNo;
        wallpaper->click();
        QVERIFY(wallpaper->isChecked());
        QVERIFY(shown.value(0).text.startsWith(Msg("Enabling the remote wallpaper will "
                                                   "significantly decrease the application "
                                                   "performance!\rThe remote wallpaper "
                                                   "automatically re-enables when a support "
                                                   "session ends.\rDo you really want to enable "
                                                   "the remote wallpaper?")));
        answer = mrYes;
        wallpaper->click();
        QVERIFY(!wallpaper->isChecked());

        // Dutch at once, with the colour box relabelled and its choice kept.
        child<QComboBox>(&form, "LanguageBox")->setCurrentIndex(1);
        QCOMPARE(CurrentLanguage(), 1);
        QTRY_VERIFY(otherWindow.updates > 0);
        QTRY_COMPARE(colorBox->itemText(0), QStringLiteral("   16 kleuren"));
        QCOMPARE(colorBox->currentIndex(), 2);
        QCOMPARE(child<QPushButton>(&form, "BtnSave")->text(), CatalogText(1, "Save"));

        // Cancel returns every window to the language the dialog opened with.
        const int before = otherWindow.updates;
        child<QPushButton>(&form, "BtnClose")->click();
        QVERIFY(form.cancelled());
        QCOMPARE(CurrentLanguage(), 0);
        QCOMPARE(int(settings().AppLang), 0);
        QTRY_VERIFY(otherWindow.updates > before);

        // French and "Save" keep French.
        TApplicationSettingsForm saved;
        saved.Prepare(ApplicationValuesFrom(settings()), ColorBoxEntries());
        saved.open();
        child<QComboBox>(&saved, "LanguageBox")->setCurrentIndex(2);
        child<QPushButton>(&saved, "BtnSave")->click();
        QVERIFY(!saved.cancelled());
        QCOMPARE(int(saved.values().AppLang), 2);
        QCOMPARE(CurrentLanguage(), 2);
        SelectLanguage(0);
        unregisterLanguageListener(&otherWindow);

        QCOMPARE(RelabelColorEntry(QStringLiteral("ab"), QStringLiteral("x")),
                 QStringLiteral("abx"));
        QCOMPARE(RelabelColorEntry(QStringLiteral("abcd"), QStringLiteral("x")),
                 QStringLiteral("abx"));
    }
};

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settings_dialogs.moc"
