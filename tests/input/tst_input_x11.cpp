#include <QtTest>

#include "LocalGateway.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "gateway/GatewaySession.h"
#include "hook/QVBlockHook.h"
#include "main/QuorvAdmin.h"
#include "screen/RemoteInput.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenView.h"
#include "settings/ServiceConfig.h"
#include "tools/AdminChat.h"
#include "tools/RemoteChat.h"
#include "tools/RemoteTools.h"
#include "tools/uShowInfoHost.h"
#include "transfer/FileTransfer.h"
#include "transfer/QVexplorer.h"
#include "transfer/QVexplorerProtocol.h"
#include "ui/QVMessage.h"
#include "ui/uAskWarning.h"
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
        QTest::addColumn<QByteArray>("layoutId");
        QTest::newRow("de") << "de" << QStringLiteral("Grüße aus Köln: 5 € @ {x} ~ \\ | µ")
                            << QStringList{"dead_circumflex", "e", "dead_acute", "a",
                                           "dead_grave",      "o"}
                            << QStringLiteral("êáò") << QByteArray("00000407");
        QTest::newRow("fr") << "fr" << QStringLiteral("Voilà: çà é è ù € @ # { } [ ]")
                            << QStringList{"dead_circumflex", "o", "dead_diaeresis", "i"}
                            << QStringLiteral("ôï") << QByteArray("0000040C");
    }
    void typedTextArrives() {
        QFETCH(QString, layout);
        QFETCH(QString, text);
        QFETCH(QStringList, deadKeys);
        QFETCH(QString, composed);
        QFETCH(QByteArray, layoutId);
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
        // The layout the operator types with, whatever the desktop's language.
        form->screenArea()->input()->SendKeyboardLayout();
        QTRY_VERIFY_WITH_TIMEOUT(host().receivedCommands().contains("AdLa?" + layoutId), 10000);
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
        // Shift then Alt is Meta on this layout: a modifier, not the Windows key.
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("alt+Tab"), QStringLiteral("alt+F4"),
                         QStringLiteral("ctrl+Escape"), QStringLiteral("shift+alt"),
                         QStringLiteral("F5")}));
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

    // Right Ctrl held with a letter runs the console's command, and none of it reaches the
    // host; Right Ctrl held for a click is a modifier and leaves the capture as it is.
    void hostKeysRunCommands() {
        QVERIFY(run(QStringLiteral("setxkbmap"), {QStringLiteral("us")}));
        QTRY_VERIFY(form->keyboardHook()->captured());
        const auto marker = [this](const char *key, const QByteArray &command) {
            QVERIFY(xdotool({QStringLiteral("key"), QLatin1String(key)}));
            QTRY_VERIFY_WITH_TIMEOUT(keyCommands().contains(command), 10000);
        };
        const auto backToConsole = [this] {
            // No window manager: the focus is given by hand.
            xdotool({QStringLiteral("windowfocus"), QString::number(form->winId())});
            form->activateWindow();
            QTRY_VERIFY(form->isActiveWindow());
            QTRY_VERIFY(form->keyboardHook()->captured());
        };
        const QPoint at = onScreen({300, 300});
        QVERIFY(xdotool({QStringLiteral("keydown"), QStringLiteral("Control_R"),
                         QStringLiteral("mousemove"), QString::number(at.x()),
                         QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1"),
                         QStringLiteral("keyup"), QStringLiteral("Control_R")}));
        marker("F7", "KbdP?#118-0-0");
        const QList<QByteArray> all = host().receivedCommands();
        QVERIFY(std::any_of(all.begin(), all.end(), [](const QByteArray &c) {
            return c.startsWith("MsCl?1-") && c.endsWith("-1-2"); // a left click with Ctrl
        }));
        QVERIFY(form->keyboardHook()->captured());

        const qsizetype sent = keyCommands().size();
        const auto hostKey = [this](const char *letter) {
            QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Control_R+") + letter}));
        };
        ScreenArea *area = form->screenArea();
        QSignalSpy refresh(area->BttnRefreshScreen, &QAction::triggered);
        hostKey("r");
        QTRY_COMPARE(refresh.size(), 1);
        hostKey("f");
        QTRY_VERIFY(area->FullScreen);
        marker("F9", "KbdP?#120-0-0"); // keys still go to the host in full-screen mode
        hostKey("f");
        QTRY_VERIFY(!area->FullScreen);
        const auto pictures = [] {
            return QDir(appFolders().SnapShots, QStringLiteral("*.jpg")).entryList().size();
        };
        const qsizetype before = pictures();
        hostKey("s");
        QTRY_COMPARE(pictures(), before + 1);
        RemoteTools *tools = form->tools();
        hostKey("h");
        QTRY_VERIFY(tools->chat()->isOpen());
        tools->chatForm()->close();
        QTRY_VERIFY(!tools->chat()->isOpen());
        backToConsole();
        hostKey("i");
        QTRY_VERIFY_WITH_TIMEOUT(tools->infoForm()->isVisible(), 10000);
        tools->infoForm()->close();
        backToConsole();
        marker("F8", "KbdP?#119-0-0");
        QCOMPARE(keyCommands().mid(sent), (QList<QByteArray>{"KbdP?#120-0-0", "KbdP?#119-0-0"}));

        // End session and exit ask first; both are declined here.
        int asked = 0;
        SetAskWarningHook([&asked](const QString &) {
            ++asked;
            return false;
        });
        hostKey("d");
        QTRY_COMPARE(asked, 1);
        backToConsole();
        hostKey("q");
        QTRY_COMPARE(asked, 2);
        SetAskWarningHook({});
        QVERIFY(adminVars().LoggedOn && form->isVisible());
        backToConsole();
        // Last, as the transfer window then keeps the session to itself.
        QSignalSpy explorer(form->fileTransfer(), &FileTransfer::explorerOpened);
        hostKey("e");
        QTRY_COMPARE_WITH_TIMEOUT(explorer.size(), 1, 10000);
        QCOMPARE(keyCommands().mid(sent), (QList<QByteArray>{"KbdP?#120-0-0", "KbdP?#119-0-0"}));
        // Closed at once, before it polls, the transfer window goes and the session goes on.
        QPointer<TQVexplorerForm> window;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *x = qobject_cast<TQVexplorerForm *>(w); x && x->isVisible())
                window = x;
        QVERIFY(window);
        window->BttnClose->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window || !window->isVisible(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!form->fileTransfer()->pending(), 10000);
    }
};

QTEST_MAIN(TestInputX11)
#include "tst_input_x11.moc"
