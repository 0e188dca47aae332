#include <QtTest>

#include "../session/SessionTestSupport.h"
#include "LocalGateway.h"
#include "common/uLanguageMsg.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"
#include "ui/ChooseMail.h"
#include "ui/Invitation.h"
#include "ui/QVMessage.h"
#include "ui/uWaitForHost.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace localgw;

// The setup invitation: addresses, key, link and texts, the saved addresses, and the invitation
// window sending through the local gateway's mail service.
class TestInvitation : public QObject {
    Q_OBJECT
    QStringList shown;

private slots:
    void initTestCase() {
        SetMessageWindowHook([this](int, const QString &text, int) {
            shown.append(text);
            return int(mrOK);
        });
    }

    void emailAddresses_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "jane@example.org" << true;
        QTest::newRow("two words") << "jane.doe@example.org" << true;
        QTest::newRow("two dots in a row") << "jane..doe@example.org" << false;
        QTest::newRow("leading dot") << ".jane@example.org" << false;
        QTest::newRow("dot before @") << "jane.@example.org" << false;
        QTest::newRow("single-label domain") << "jane@localhost" << false;
        QTest::newRow("label starts with a digit") << "jane@1example.org" << false;
        QTest::newRow("label ends with a hyphen") << "jane@example-.org" << false;
        QTest::newRow("address ends with a hyphen") << "jane@example.org-" << false;
        QTest::newRow("hyphen inside a label") << "jane@my-example.org" << true;
        QTest::newRow("ends with a dot") << "jane@example.org." << false;
        QTest::newRow("quoted with a blank") << "\"jane doe\"@example.org" << true;
        QTest::newRow("quoted, escaped quote") << "\"jane\\\"d\"@example.org" << true;
        QTest::newRow("quoted, unclosed") << "\"jane@example.org" << false;
        QTest::newRow("quoted, line break") << "\"jane\r\nBcc: x\"@example.org" << false;
        QTest::newRow("blank in an atom") << "jane doe@example.org" << false;
        QTest::newRow("special in an atom") << "ja(ne@example.org" << false;
        QTest::newRow("accented letter") << QString::fromUtf8("jöhn@example.org") << true;
        QTest::newRow("no Windows-1252 byte") << QString::fromUtf8("j✓@example.org") << false;
        QTest::newRow("two @") << "jane@doe@example.org" << false;
        QTest::newRow("no local part") << "@example.org" << false;
        QTest::newRow("empty") << "" << false;
    }
    void emailAddresses() {
        QFETCH(QString, address);
        QFETCH(bool, valid);
        QCOMPARE(IsValidEmail(address), valid);
    }

    void keyLinkAndTexts() {
        settings() = Settings();
        QCOMPARE(InvitationKeyFor(QStringLiteral("K"), 2, 3), QStringLiteral("K2-4"));
        QCOMPARE(InstructionLanguageFrom(9), 0);
        QCOMPARE(InstructionLanguageFrom(-3), 0);
        QCOMPARE(SetupLinkFor(QStringLiteral("setup.example"), QStringLiteral("K2-4")),
                 QStringLiteral("https://setup.example/logon.aspx?key=K2-4"));

        // A name that holds a marker stays as it is; "@@" goes.
        const QString name = QStringLiteral("A&B ## Support");
        const QString text = InvitationTextFor(3, name, QStringLiteral("K2-4"),
                                               QStringLiteral("https://s/logon.aspx?key=K2-4"),
                                               QStringLiteral("https://www.example"));
        QVERIFY(text.contains(QStringLiteral("K2-4\r\n\r\n")));
        QVERIFY(text.contains(QStringLiteral("\r\n\r\nhttps://s/logon.aspx?key=K2-4\r\n\r\n")));
        QVERIFY(text.contains(name));
        QVERIFY(!text.contains(QStringLiteral("@@")) && !text.contains(QStringLiteral("**")));
        QVERIFY(text.endsWith(QStringLiteral("\r\n\r\nhttps://www.example")));
        QVERIFY(text.contains(QStringLiteral("SITZUNGSSCHLÜSSEL")));

        // The own mail program gets every character: the subject starts with one blank, the
        // body keeps its line breaks as %0D%0A, and "&" cannot end the body early.
        const QUrl mailto = MailtoAddress(0, name, text);
        const QByteArray encoded = mailto.toEncoded();
        QVERIFY2(
            encoded.startsWith("mailto:?subject=%20Remote%20Support%20invitation%20from%20A%26B"),
            encoded.constData());
        QVERIFY(encoded.contains("&body="));
        QVERIFY(encoded.contains("%0D%0A%0D%0Ahttps%3A%2F%2Fs%2Flogon.aspx%3Fkey%3DK2-4"));
        QCOMPARE(encoded.count('&'), 1);
        const QUrlQuery query(mailto);
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), text);

        QCOMPARE(GatewayMailRequest(QStringLiteral("K2-4"), QStringLiteral("a&b@x.org"), 4),
                 QByteArray("22?skey=K2-4&addr=a%26b%40x%2Eorg&lang=4"));
    }

    void savedAddresses() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mAddr.dat"));
        QVERIFY(LoadMailList(path).isEmpty());
        QStringList list;
        QVERIFY(AddMailAddress(list, QStringLiteral("zed@example.org")));
        QVERIFY(AddMailAddress(list, QStringLiteral("Amy@example.org")));
        QVERIFY(!AddMailAddress(list, QStringLiteral("amy@EXAMPLE.org")));
        QVERIFY(!AddMailAddress(list, QStringLiteral("ab")));
        QVERIFY(SaveMailList(path, list));
        QCOMPARE(LoadMailList(path), QStringList({QStringLiteral("Amy@example.org"),
                                                  QStringLiteral("zed@example.org")}));

        // A file far beyond the bound gives what the bound holds, in whole lines.
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        const QByteArray line = "someone@example.org\n";
        for (qint64 written = 0; written < 4 * MaxMailListBytes; written += line.size())
            big.write(line);
        big.write(QByteArray(1000, 'x') + "\nlast@example.org\n");
        big.close();
        QCOMPARE(LoadMailList(path), QStringList{QStringLiteral("someone@example.org")});
    }

    // The invitation window on a session logged on to the local gateway: the language, the key
    // and the link, the address check, the gateway's mail and its answer, the saved addresses.
    void invitationWindowSendsThroughTheGateway() {
        resetProcessState();
        GatewayConfig config;
        config.hostDelayMs = -1;
        config.pollHoldMs = 300;
        LocalGateway gw(config);
        QString error;
        QVERIFY2(gw.start(&error), qPrintable(error));
        useLocalGateway(gw.gatewayAddress(), gw.caPemPath());
        settings().MILang = 9;
        settings().Sound = false;
        RecordingUi ui;
        auto session = makeTestSession(ui);
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 15000);

        QTemporaryDir dir;
        Invitation invite(session.get());
        QList<bool> answers;
        connect(&invite, &Invitation::mailAnswered, this,
                [&answers](bool ok) { answers.append(ok); });
        TChooseMailForm form(&invite);
        form.setMailListPath(dir.filePath(QStringLiteral("mAddr.dat")));
        QUrl mailed;
        form.setMailOpener([&mailed](const QUrl &url) {
            mailed = url;
            return true;
        });
        QString statusKey;
        connect(&form, &TChooseMailForm::invitationKeyChanged, this,
                [&statusKey](const QString &key) { statusKey = key; });
        QList<QStringList> finished;
        connect(&form, &TChooseMailForm::finished, this,
                [&finished](TChooseMailForm::Choice c, const QString &key, const QString &a) {
                    finished.append({QString::number(c), key, a});
                });

        const QString key = session->displayKey();
        form.Open(key, session->CustomerName, settings().MILang);
        QVERIFY(form.isVisible());
        QCOMPARE(form.language(), 0); // MILang 9 counts as English
        QCOMPARE(form.invitationKey(), key + QStringLiteral("-1"));
        auto *languages = form.findChild<QComboBox *>(QStringLiteral("LanguageBox"));
        languages->setCurrentIndex(3);
        QCOMPARE(form.invitationKey(), key + QStringLiteral("-4"));
        QCOMPARE(statusKey, key + QStringLiteral("-4"));
        QVERIFY(form.setupLink().endsWith(QStringLiteral("?key=") + key + QStringLiteral("-4")));
        QVERIFY(form.findChild<QLabel *>(QStringLiteral("LblKey"))->text().endsWith(key + "-4"));

        auto *address = form.findChild<QComboBox *>(QStringLiteral("AddressBox"));
        auto *send = form.findChild<QPushButton *>(QStringLiteral("BttnSendMail"));
        address->setEditText(QStringLiteral("remote@localhost"));
        send->click();
        QCOMPARE(shown, QStringList{Msg("Invalid email address")});
        QVERIFY(form.isVisible());
        address->setEditText(QStringLiteral("Remote.User@example.org"));
        send->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0], QStringList({QString::number(TChooseMailForm::GatewayMail),
                                           key + QStringLiteral("-4"),
                                           QStringLiteral("Remote.User@example.org")}));
        QCOMPARE(settings().MILang, 3);
        QTRY_COMPARE_WITH_TIMEOUT(answers, QList<bool>{true}, 10000);
        const LoggedRequest mail = gw.requestLog().withCode("22").value(0);
        QCOMPARE(mail.value("skey"), (key + QStringLiteral("-4")).toLatin1());
        QCOMPARE(mail.value("addr"), QByteArray("Remote.User@example.org"));
        QCOMPARE(mail.value("lang"), QByteArray("4"));

        // Opened again: the language kept, the address remembered and saved once.
        form.Open(key, session->CustomerName, settings().MILang);
        QCOMPARE(form.language(), 3);
        QCOMPARE(address->currentText(), QStringLiteral("Remote.User@example.org"));
        address->setEditText(QStringLiteral("remote.user@EXAMPLE.org"));
        gw.config().mailFails = true;
        send->click();
        QTRY_COMPARE_WITH_TIMEOUT(answers, QList<bool>({true, false}), 10000);
        QCOMPARE(LoadMailList(dir.filePath(QStringLiteral("mAddr.dat"))),
                 QStringList{QStringLiteral("Remote.User@example.org")});

        // The clipboard and the own mail program get the whole invitation.
        form.Open(key, session->CustomerName, 0);
        form.findChild<QPushButton *>(QStringLiteral("BttnClipboard"))->click();
        const QString clip = QGuiApplication::clipboard()->text();
        QVERIFY(clip.contains(key + QStringLiteral("-1")));
        QVERIFY(clip.contains(QStringLiteral("https://setup.quorvia.example/logon.aspx?key=") +
                              key + QStringLiteral("-1")));
        QCOMPARE(finished.last().value(2), QString()); // the waiting window names no client
        form.Open(key, session->CustomerName, 0);
        form.findChild<QPushButton *>(QStringLiteral("BttnOwnMail"))->click();
        QCOMPARE(QUrlQuery(mailed).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 clip);

        // Closed because the remote user joined: the operator's choices are kept all the same.
        form.Open(key, session->CustomerName, 0);
        languages->setCurrentIndex(5);
        address->setEditText(QStringLiteral("next@example.org"));
        const int before = finished.size();
        form.hide();
        QCOMPARE(settings().MILang, 5);
        QCOMPARE(invite.LastMailAddress, QStringLiteral("next@example.org"));
        QCOMPARE(finished.size(), before);
        session.reset();
    }

    // The waiting window holds the key and the link until the session takes it away: neither
    // Escape nor the window manager's close dismisses it.
    void waitingWindowStaysUntilTheSessionClosesIt() {
        TWaitForHostForm waiting;
        waiting.ShowWaiting(QStringLiteral("K2-4"), QStringLiteral("https://s"), QString());
        QVERIFY(QTest::qWaitForWindowExposed(&waiting));
        QTest::keyClick(&waiting, Qt::Key_Escape);
        QVERIFY(waiting.isVisible());
        QVERIFY(!waiting.close());
        QVERIFY(waiting.isVisible());
        waiting.CloseWaiting();
        QVERIFY(!waiting.isVisible());
        waiting.ShowAgain();
        QVERIFY(waiting.isVisible());
        QCOMPARE(waiting.shownKey(), QStringLiteral("K2-4"));
    }
};

QTEST_MAIN(TestInvitation)
#include "tst_invitation.moc"
