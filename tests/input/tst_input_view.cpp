#include <QtTest>

#include "LocalGateway.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/WindowMessages.h"
#include "gateway/GatewaySession.h"
#include "hook/QVBlockHook.h"
#include "main/QuorvAdmin.h"
#include "screen/RemoteInput.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenView.h"
#include "screen/TMouseForm.h"
#include "settings/ServiceConfig.h"
#include "ui/MainChrome.h"
#include "ui/MainMenus.h"
#include "ui/QVMessage.h"
#include "ui/uSounds.h"

#include <QAction>
#include <QKeyEvent>

using namespace localgw;

namespace {
// A key as the xcb platform delivers it: X keysym and key code with the produced text.
QString keys(KeyComposer &composer, std::initializer_list<QKeyEvent> events) {
    QString out;
    quint32 repeat = 0;
    for (const QKeyEvent &e : events) {
        const auto k = TranslateKeyEvent(e, composer, true, repeat);
        if (!k) {
            out += QStringLiteral("[-]");
            continue;
        }
        out += QStringLiteral("[%1,%2,%3%4%5]")
                   .arg(k->info.virtualKey)
                   .arg(k->character)
                   .arg(InputCommands::ModifierCode(k->info.shift, k->info.ctrl, k->info.alt) +
                        (k->info.extended ? 64 : 0))
                   .arg(k->suppressed ? QStringLiteral(",s") : QString())
                   .arg(k->info.down ? QString() : QStringLiteral(",up"));
    }
    return out;
}

QKeyEvent x11(quint32 keysym, quint32 keycode, const QString &text = {},
              Qt::KeyboardModifiers m = {}, QEvent::Type t = QEvent::KeyPress) {
    return QKeyEvent(t, 0, m, keycode, keysym, 0, text);
}
} // namespace

class TestInputView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetMessageWindowHook([](int, const QString &, int) { return int(mrOK); });
        SetSoundHook([](int, const QUrl &) {});
    }

    // The X key data of a German keyboard becomes the host's keys: AltGr characters, a dead
    // key composed with the next one, Delete (whose text is DEL), Ctrl+C, the keypad without
    // Num Lock, the Super key, a character Windows-1252 lacks.
    void x11KeysBecomeHostKeys() {
        KeyComposer composer;
        QCOMPARE(keys(composer,
                      {x11(0x40, 24, QStringLiteral("@")),        // AltGr+Q
                       x11(0x20ac, 26, QStringLiteral("\u20ac")), // AltGr+E
                       x11(0xffff, 119, QStringLiteral("\x7f")),  // Delete
                       x11('c', 54, QStringLiteral("\x03"), Qt::ControlModifier),
                       x11(0xff95, 79),                        // KP_Home
                       x11(0xffeb, 133, {}, Qt::MetaModifier), // Super_L
                       x11(0xff09, 23, QStringLiteral("\t"), Qt::AltModifier),
                       x11(0xff09, 23, QStringLiteral("\t"), Qt::AltModifier, QEvent::KeyRelease),
                       x11(0x1b3, 46, QStringLiteral("\u0142")),                 // l-stroke
                       x11(0xffbf, 68),                                          // F2
                       x11(0xffe7, 64, {}, Qt::ShiftModifier | Qt::AltModifier), // Shift+Alt
                       x11(0xff0a, 36, QStringLiteral("\n")),                    // Linefeed
                       x11(0xff8d, 104, QStringLiteral("\r"))}),                 // KP_Enter
                 QStringLiteral("[81,64,0][69,128,0][46,0,64][67,0,2][36,0,0][91,0,64,s]"
                                "[9,0,4,s][9,0,4,s,up][76,0,0][113,0,0][164,0,5][13,0,0]"
                                "[13,0,64]"));
        if (!composer.available())
            QSKIP("no compose table on this machine");
        // Dead circumflex then e, dead diaeresis then u: one character each, the dead keys
        // themselves send nothing.
        QCOMPARE(keys(composer, {x11(0xfe52, 49), x11('e', 26, QStringLiteral("e")),
                                 x11(0xfe57, 21), x11('u', 30, QStringLiteral("u"))}),
                 QStringLiteral("[-][69,234,0][-][85,252,0]"));
    }

    // The console against the local gateway, on the offscreen desktop: keys pressed in the main
    // window during a session reach the host, F5 included, which no longer refreshes locally;
    // a click on the picture is a click on the host; in view-only mode the remote user's
    // pointer shows.
    void keysAndClicksFromTheMainWindow() {
        adminVars() = AdminVars();
        const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        QFile::remove(ComputeAppFolders(exe).SettingsFile);
        GatewayConfig c;
        c.hostDelayMs = 50;
        c.pollHoldMs = 300;
        c.clockRunning = false;
        c.screenSize = {800, 600};
        LocalGateway gw(c);
        QString error;
        QVERIFY2(gw.start(&error), qPrintable(error));

        TQuorvAdminForm form;
        form.setClosingDelay(0);
        useLocalGateway(gw.gatewayAddress(), gw.caPemPath());
        settings().Scaling = 0;
        settings().ResTip = false;
        form.session()->GatewayUrl = serviceConfig().Domain;
        form.session()->setSettingsSaver([] {});
        form.resize(1000, 760);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ScreenArea *area = form.screenArea();
        RemoteInput *input = area->input();
        form.session()->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(area->view()->hasPicture(), 10000);
        SimulatedHost &host = gw.latestSession()->host();
        QVERIFY(form.keyboardHook()->sessionActive());

        QSignalSpy refresh(area->BttnRefreshScreen, &QAction::triggered);
        QTest::keyClick(form.windowHandle(), Qt::Key_A);
        QTest::keyClick(form.windowHandle(), Qt::Key_F5);
        QTest::keyClick(form.windowHandle(), Qt::Key_N, Qt::ControlModifier); // not "Connect"
        QTRY_VERIFY_WITH_TIMEOUT(host.receivedCommands().contains("KbdP?#78-0-2"), 10000);
        QCOMPARE(refresh.size(), 0);
        QStringList keys;
        for (const QByteArray &cmd : host.receivedCommands())
            if (cmd.startsWith("KbdP"))
                keys << QString::fromLatin1(cmd);
        QCOMPARE(keys, (QStringList{"KbdP?#0-97-0", "KbdP?#116-0-0", "KbdP?#78-0-2"}));
        QCOMPARE(host.desktop().typedText(), QStringLiteral("a"));

        // The picture sits unscaled in its frame; a click at its point (30, 40).
        ScreenView *view = area->view();
        const QPoint at = view->imageRect().topLeft() + QPoint(30, 40);
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTRY_VERIFY_WITH_TIMEOUT(host.receivedCommands().contains("MsCl?1-30-40-1-0"), 10000);

        // View only: the remote user's pointer appears and follows the host's reports.
        input->SetFullControl(false);
        TMouseForm *arrow = area->mouseForm();
        QTRY_VERIFY(arrow->isVisible());
        host.reportUserPointer({200, 100}, false);
        QTRY_COMPARE(arrow->pos(),
                     view->viewport()->mapToGlobal(view->imageRect().topLeft() + QPoint(200, 100)));
        // A reboot of the remote computer takes its user's pointer away until it is back.
        host.setRebootDelay(300);
        form.session()->RebootPending = 1; // as after the operator confirmed it
        form.session()->SendCmd("ReBt");
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().HostLoggedOn, 10000);
        QVERIFY(!arrow->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QTRY_COMPARE(arrow->isVisible(), !input->fullControl());
        QTRY_VERIFY_WITH_TIMEOUT(area->view()->hasPicture(), 10000);
        input->SetFullControl(true);
        QVERIFY(!arrow->isVisible());

        // The View menu's switch is the setting.
        area->MenuShowMouseMoves->trigger();
        QVERIFY(!settings().ShowMM);
        area->MenuShowMouseMoves->trigger();
        QVERIFY(settings().ShowMM);

        // Right Ctrl with a letter runs the console's command and nothing reaches the host:
        // refresh, full screen on and off. The menu names the combinations meanwhile.
        const auto sendKey = [&form](quint32 keysym, quint32 keycode, int qtKey,
                                     Qt::KeyboardModifiers m, bool down) {
            QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, m, keycode, keysym, 0);
            QWidget *to = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
            QApplication::sendEvent(to, &e);
        };
        const auto hostKey = [&](char letter) {
            const quint32 sym = quint32(letter - 'A' + 'a');
            const quint32 code = letter == 'R' ? 27 : 41; // R, F
            sendKey(sym, code, letter, Qt::ControlModifier, true);
            sendKey(sym, code, letter, Qt::ControlModifier, false);
        };
        form.activateWindow(); // the remote user's pointer may have taken the activation
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const qsizetype sent = keyCommands(host).size();
        refresh.clear();
        sendKey(0xffe4, 105, Qt::Key_Control, Qt::NoModifier, true); // Right Ctrl
        hostKey('R');
        hostKey('F');
        QTRY_VERIFY(area->FullScreen);
        hostKey('F');
        QTRY_VERIFY(!area->FullScreen);
        sendKey(0xffe4, 105, Qt::Key_Control, Qt::ControlModifier, false);
        QTRY_COMPARE(refresh.size(), 1);
        QAction *end = form.chrome()->menus()->item(TMainMenus::MenuEndSession);
        QVERIFY(end->shortcut().isEmpty());
        QVERIFY2(end->text().endsWith(QStringLiteral("\tRight Ctrl+D")), qPrintable(end->text()));
        QTest::keyClick(form.windowHandle(), Qt::Key_Z);
        QTRY_VERIFY(keyCommands(host).contains("KbdP?#0-122-0"));
        QCOMPARE(keyCommands(host).mid(sent), QList<QByteArray>{"KbdP?#0-122-0"});

        // Shift+Return switches to full screen and back; on the full-screen toolbar its own
        // Alt+Return leaves it, and stays from the host.
        sendKey(0xff0d, 36, Qt::Key_Return, Qt::ShiftModifier, true);
        sendKey(0xff0d, 36, Qt::Key_Return, Qt::ShiftModifier, false);
        QTRY_VERIFY(area->FullScreen);
        sendKey(0xff0d, 36, Qt::Key_Return, Qt::ShiftModifier, true);
        sendKey(0xff0d, 36, Qt::Key_Return, Qt::ShiftModifier, false);
        QTRY_VERIFY(!area->FullScreen);
        PostMessage(&form, WindowMessages::FullScreen);
        QTRY_VERIFY(area->header()->isVisible());
        area->header()->setFocus();
        QTRY_VERIFY(area->header()->hasFocus()); // the window is active again after the switch
        const qsizetype beforeHeader = keyCommands(host).size();
        QTest::keyClick(area->header(), Qt::Key_Return, Qt::AltModifier);
        QTRY_VERIFY(!area->FullScreen);
        QVERIFY2(keyCommands(host).size() == beforeHeader,
                 keyCommands(host).mid(beforeHeader - 2).join(' ').constData());

        // Outside a session the menu has its shortcuts again.
        PostMessage(form.session(), WindowMessages::WANdisconnect, 0, 1);
        QTRY_COMPARE(end->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
        form.session()->WANconnect(true);
        adminVars() = AdminVars();
    }

private:
    static QList<QByteArray> keyCommands(SimulatedHost &host) {
        QList<QByteArray> out;
        for (const QByteArray &c : host.receivedCommands())
            if (c.startsWith("KbdP"))
                out.append(c);
        return out;
    }
};

QTEST_MAIN(TestInputView)
#include "tst_input_view.moc"
