#include <QtTest>

#include "LocalGateway.h"
#include "LocalSession.h"
#include "SessionTestSupport.h"
#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "gateway/GatewaySession.h"
#include "hook/QVBlockHook.h"
#include "main/QuorvAdmin.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenView.h"
#include "settings/ServiceConfig.h"
#include "ui/QVMessage.h"
#include "ui/uSounds.h"

#include <QProcess>
#include <QStandardPaths>

using namespace localgw;

// The console on a real X server (Xvfb, started by the test's command) with real X input from
// xdotool: what the operator types under a German and a French keyboard layout, AltGr
// characters and dead keys included, arrives as text on the host; Alt+Tab and Alt+F4 go to the
// host while the keyboard is captured; dragging and the wheel act on the host's windows.
class TestInputX11 : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    std::unique_ptr<TQuorvAdminForm> form;

    SimulatedHost &host() { return gw->latestSession()->host(); }

    static bool run(const QString &program, const QStringList &args) {
        QProcess p;
        p.start(program, args);
        return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    }
    static bool xdotool(const QStringList &args) { return run(QStringLiteral("xdotool"), args); }

    QList<QByteArray> keyCommands() {
        QList<QByteArray> out;
        for (const QByteArray &c : host().receivedCommands())
            if (c.startsWith("KbdP"))
                out.append(c);
        return out;
    }

    // The host's point `remote` on the local screen (the picture is shown unscaled).
    QPoint onScreen(QPoint remote) {
        ScreenView *view = form->screenArea()->view();
        return view->viewport()->mapToGlobal(view->imageRect().topLeft() + remote);
    }

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server");
        for (const char *tool : {"xdotool", "setxkbmap"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP("xdotool and setxkbmap are needed");
        QStandardPaths::setTestModeEnabled(true);
        SetMessageWindowHook([](int, const QString &, int) { return int(mrOK); });
        SetSoundHook([](int, const QUrl &) {});
        const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        QFile::remove(ComputeAppFolders(exe).SettingsFile);

        GatewayConfig c;
        c.hostDelayMs = 50;
        c.pollHoldMs = 300;
        c.clockRunning = false;
        c.screenSize = {800, 600};
        gw = std::make_unique<LocalGateway>(c);
        QString error;
        QVERIFY2(gw->start(&error), qPrintable(error));
        form = std::make_unique<TQuorvAdminForm>();
        form->setClosingDelay(0);
        useLocalGateway(gw->gatewayAddress(), gw->caPemPath());
        settings().Scaling = 0;
        settings().ResTip = false;
        form->session()->GatewayUrl = serviceConfig().Domain;
        form->session()->setSettingsSaver([] {});
        form->setGeometry(0, 0, 1000, 800);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->session()->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(form->screenArea()->view()->hasPicture(), 10000);
        QTRY_VERIFY(form->keyboardHook()->captured());
    }

    void cleanupTestCase() {
        if (form)
            form->session()->WANconnect(true);
        form.reset();
        gw.reset();
        run(QStringLiteral("setxkbmap"), {QStringLiteral("us")});
    }

    void typedTextArrives_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("deadKeys");
        QTest::addColumn<QString>("composed");
        QTest::newRow("de") << "de" << QStringLiteral("Grüße aus Köln: 5 € @ {x} ~ \\ | µ")
                            << QStringList{"dead_circumflex", "e", "dead_acute", "a",
                                           "dead_grave",      "o"}
                            << QStringLiteral("êáò");
        QTest::newRow("fr") << "fr" << QStringLiteral("Voilà: çà é è ù € @ # { } [ ]")
                            << QStringList{"dead_circumflex", "o", "dead_diaeresis", "i"}
                            << QStringLiteral("ôï");
    }
    void typedTextArrives() {
        QFETCH(QString, layout);
        QFETCH(QString, text);
        QFETCH(QStringList, deadKeys);
        QFETCH(QString, composed);
        QVERIFY(run(QStringLiteral("setxkbmap"), {layout}));
        QTest::qWait(300); // the toolkit reads the new keymap from its X events
        const QString before = host().desktop().typedText();
        QVERIFY(xdotool(
            {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text}));
        QVERIFY(xdotool(
            QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")} +
            deadKeys));
        QTRY_COMPARE_WITH_TIMEOUT(host().desktop().typedText().mid(before.size()), text + composed,
                                  10000);
    }

    void dragAndWheelActOnTheHost() {
        const HostInput &in = host().input();
        const QRect frame = in.controlsFrame();
        const QPoint grab = onScreen(frame.topLeft() + QPoint(60, 10));
        const QPoint to = grab + QPoint(-150, 80);
        auto xy = [](QPoint p) {
            return QStringList{QString::number(p.x()), QString::number(p.y())};
        };
        QVERIFY(xdotool(QStringList{QStringLiteral("mousemove")} + xy(grab)));
        QVERIFY(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
        QVERIFY(xdotool(QStringList{QStringLiteral("mousemove")} + xy(grab + QPoint(-5, 3))));
        QVERIFY(xdotool(QStringList{QStringLiteral("mousemove")} + xy(to)));
        QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
        QTRY_COMPARE_WITH_TIMEOUT(host().input().controlsFrame().topLeft(),
                                  frame.topLeft() + QPoint(-150, 80), 10000);

        const QPoint list = onScreen(host().input().listRect().center());
        QVERIFY(xdotool(QStringList{QStringLiteral("mousemove")} + xy(list)));
        QVERIFY(xdotool({QStringLiteral("click"), QStringLiteral("5")})); // wheel toward the user
        QTRY_COMPARE_WITH_TIMEOUT(host().input().firstListLine(), 3, 10000);
        QVERIFY(host().receivedCommands().contains("MWhl?-120/0"));
    }

    void systemKeysGoToTheHost() {
        QVERIFY(run(QStringLiteral("setxkbmap"), {QStringLiteral("us")}));
        QTest::qWait(300);
        const qsizetype before = keyCommands().size();
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("alt+Tab"), QStringLiteral("alt+F4"),
                         QStringLiteral("ctrl+Escape"), QStringLiteral("F5")}));
        QTRY_COMPARE_WITH_TIMEOUT(
            keyCommands().mid(before),
            (QList<QByteArray>{"KbdP?#9-0-4", "KbdP?#115-0-4", "KbdP?#27-0-2", "KbdP?#116-0-0"}),
            10000);
        QVERIFY(form->isVisible());
        // The host key gives the keyboard back and takes it again.
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Control_R")}));
        QTRY_VERIFY(!form->keyboardHook()->captured());
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Control_R")}));
        QTRY_VERIFY(form->keyboardHook()->captured());
        // A press outside the console releases it, a press inside takes it again.
        QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("1200"), QStringLiteral("950"),
                         QStringLiteral("mousedown"), QStringLiteral("1")}));
        QTRY_VERIFY(!form->keyboardHook()->captured());
        QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
        QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("500"), QStringLiteral("790"),
                         QStringLiteral("click"), QStringLiteral("1")}));
        QTRY_VERIFY(form->keyboardHook()->captured());
    }
};

QTEST_MAIN(TestInputX11)
#include "tst_input_x11.moc"
