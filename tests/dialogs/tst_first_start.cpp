#include <QtTest>

#include "ConsoleSettingsFile.h"

#include "LocalGateway.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "main/QuorvAdmin.h"
#include "settings/PrivateProfile.h"
#include "settings/uApplicationSettings.h"
#include "settings/uConnectionSettings.h"
#include "settings/uIniFiles.h"
#include "ui/ChooseMail.h"
#include "ui/FlashInfo.h"
#include "ui/QVMessage.h"
#include "ui/uAskWarning.h"
#include "ui/uTips.h"
#include "ui/uWaitForHost.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace localgw;

namespace {

QString settingsFile() {
    return ComputeAppFolders(exeName()).SettingsFile;
}

void triggerShortcut(QWidget *window, const QKeySequence &keys) {
    for (QAction *a : window->findChildren<QAction *>())
        if (a->shortcut() == keys) {
            a->trigger();
            return;
        }
    QFAIL("no such shortcut");
}
} // namespace

// A new operator's first session, through the main window against the local gateway: the
// settings dialog at first start, the account saved, the logon, the invitation, the waiting
// window and the remote user joining; the dialog after a 407; a failed gateway mail.
class TestFirstStart : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    QStringList shown;
    int tips = 0;

    QByteArray serviceSection() const {
        return "[Service]\nDomain=quorvia.local\nGatewayAddress=" + gw->gatewayAddress().toUtf8() +
               "\nTrustedCertificates=" + gw->caPemPath().toUtf8() + "\n";
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // Discovery must find no proxy of the machine the tests run on.
        for (const char *name :
             {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
            qunsetenv(name);
        SetMessageWindowHook([this](int, const QString &text, int) {
            shown.append(text);
            return int(mrOK);
        });
        SetAskWarningHook([](const QString &) { return true; });
        SetTipsWindowHook([this](const QString &, const QString &, bool) {
            ++tips;
            return false;
        });
        GatewayConfig config;
        config.hostDelayMs = -1;
        config.pollHoldMs = 300;
        gw = std::make_unique<LocalGateway>(config);
        QString error;
        QVERIFY2(gw->start(&error), qPrintable(error));
    }

    void init() {
        shown.clear();
        tips = 0;
        adminVars() = AdminVars();
        settings() = Settings();
        QFile::remove(settingsFile());
        QFile::remove(ComputeAppFolders(exeName()).MailAddressFile);
        gw->config().mailFails = false;
        gw->faults().clear();
        gw->requestLog().clear();
    }

    void cleanupTestCase() { QFile::remove(settingsFile()); }

    void newOperatorInvitesTheRemoteUser() {
        writeSettings(serviceSection());
        TQuorvAdminForm form;
        form.setClosingDelay(0);
        form.show();

        // First start: the warning, then straight to the connection settings.
        QTRY_VERIFY(form.settingsDialog() && form.settingsDialog()->isVisible());
        QCOMPARE(shown, QStringList{Msg("Connection settings incomplete")});
        QDialog *dialog = form.settingsDialog();
        auto *user = dialog->findChild<QLineEdit *>(QStringLiteral("EditUserCode"));
        QTest::keyClicks(user, QStringLiteral("demo"));
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("EditPassword")),
                         QStringLiteral("demo"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("BtnSave")),
                          Qt::LeftButton);
        QTRY_VERIFY(!form.settingsDialog());
        QCOMPARE(settings().UserCode, QStringLiteral("demo"));
        PrivateProfile stored;
        QVERIFY(stored.load(settingsFile()));
        QCOMPARE(stored.readString(QStringLiteral("Data"), QStringLiteral("UserCode")),
                 QStringLiteral("demo"));
        const QString cipher =
            stored.readString(QStringLiteral("Data"), QStringLiteral("Password"));
        QVERIFY(!cipher.isEmpty() && cipher != QLatin1String("demo"));

        // Connect: logged on, the invitation opens with the key.
        triggerShortcut(&form, QKeySequence(Qt::CTRL | Qt::Key_N));
        QTRY_VERIFY_WITH_TIMEOUT(form.chooseMailForm()->isVisible(), 20000);
        const QString key = form.session()->displayKey() + QStringLiteral("-1");
        QCOMPARE(form.chooseMailForm()->invitationKey(), key);
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("SessionPanel"))->text(),
                 Msg("Session Key: ") + key);
        // One connect: the resolution advice once, one logon.
        QCOMPARE(tips, 1);
        QCOMPARE(gw->requestLog().withCode("16").size(), 1);

        // The clipboard way; the waiting window shows the key.
        QTest::mouseClick(
            form.chooseMailForm()->findChild<QPushButton *>(QStringLiteral("BttnClipboard")),
            Qt::LeftButton);
        QVERIFY(!form.chooseMailForm()->isVisible());
        const QString clip = QGuiApplication::clipboard()->text();
        QVERIFY(clip.contains(key));
        QVERIFY(clip.contains(QStringLiteral("/logon.aspx?key=") + key));
        TWaitForHostForm *waiting = form.waitForHostForm();
        QVERIFY(waiting->isVisible());
        QCOMPARE(waiting->findChild<QLabel *>(QStringLiteral("LblKey"))->text().trimmed(), key);

        // The remote user joins: the waiting window goes and the remote screen comes.
        gw->latestSession()->host().join();
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QVERIFY(!waiting->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!gw->requestLog().withCode("05").isEmpty() ||
                                     !gw->requestLog().withCode("07").isEmpty(),
                                 10000);
        QCOMPARE(shown, QStringList{Msg("Connection settings incomplete")});
    }

    void proxyRequiredOpensTheSettings() {
        writeSettings(serviceSection() + "[Data]\nUserCode=demo\nResTip=0\n");
        TQuorvAdminForm form;
        form.setClosingDelay(0);
        form.show();
        QTRY_VERIFY(form.settingsDialog()); // no password yet
        // No proxy port stored: the field is empty, not a "0" that cannot be saved.
        QCOMPARE(
            form.settingsDialog()->findChild<QLineEdit *>(QStringLiteral("EditProxyPort"))->text(),
            QString());
        form.settingsDialog()->close();
        QTRY_VERIFY(!form.settingsDialog());
        // Connect with the settings still incomplete: the dialog opens again.
        triggerShortcut(&form, QKeySequence(Qt::CTRL | Qt::Key_N));
        QTRY_VERIFY_WITH_TIMEOUT(form.settingsDialog() && form.settingsDialog()->isVisible(),
                                 20000);
        form.settingsDialog()->close();
        QTRY_VERIFY(!form.settingsDialog());
        settings().Password = QStringLiteral("demo");
        shown.clear();
        for (int g = 1; g <= 3; ++g)
            gw->faults().add({g, "16", -1, Fault::proxyAuth()});
        triggerShortcut(&form, QKeySequence(Qt::CTRL | Qt::Key_N));
        // The operator opens the application settings while the logon runs: the proxy's
        // demand replaces them with the connection settings.
        form.MenuApplSettingsClick();
        QVERIFY(qobject_cast<TApplicationSettingsForm *>(form.settingsDialog()));
        QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<TConnectionSettingsForm *>(form.settingsDialog()) &&
                                     form.settingsDialog()->isVisible(),
                                 20000);
        QCOMPARE(shown, QStringList{Msg("Proxy settings required")});
        QVERIFY(!adminVars().LoggedOn);
    }

    void failedGatewayMailOpensTheInvitationAgain() {
        writeSettings(serviceSection() + "[Data]\nUserCode=demo\nResTip=0\n");
        TQuorvAdminForm form;
        form.setClosingDelay(0);
        settings().Password = QStringLiteral("demo");
        form.show();
        triggerShortcut(&form, QKeySequence(Qt::CTRL | Qt::Key_N));
        TChooseMailForm *invitation = form.chooseMailForm();
        QTRY_VERIFY_WITH_TIMEOUT(invitation->isVisible(), 20000);
        gw->config().mailFails = true;
        invitation->findChild<QComboBox *>(QStringLiteral("AddressBox"))
            ->setEditText(QStringLiteral("remote@example.org"));
        QTest::mouseClick(invitation->findChild<QPushButton *>(QStringLiteral("BttnSendMail")),
                          Qt::LeftButton);
        QVERIFY(!invitation->isVisible());
        QVERIFY(form.waitForHostForm()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(FlashInfoText(), Msg("Mail delivery error"), 10000);
        QCOMPARE(FlashInfoTitle(), Msg("Mail error"));
        QVERIFY(!form.waitForHostForm()->isVisible());
        // Shown again after its pause, with the address kept.
        QTRY_VERIFY_WITH_TIMEOUT(invitation->isVisible(), 10000);
        QCOMPARE(invitation->findChild<QComboBox *>(QStringLiteral("AddressBox"))->currentText(),
                 QStringLiteral("remote@example.org"));
    }
};

QTEST_MAIN(TestFirstStart)
#include "tst_first_start.moc"
