// The whole system on one machine: the console's session core logs on to quorvia-gateway,
// quorvia-host joins from a virtual X display with real X programs on it, and everything the
// operator does lands on that display. Run by host_e2e.sh, which provides the display and the
// logind stand-in.
#include "GatewaydProcess.h"
#include "SessionTestSupport.h"
#include "common/AdminVars.h"
#include "common/Zlib.h"
#include "gateway/GatewaySession.h"
#include "screen/FixedPalettes.h"
#include "screen/InputCommands.h"
#include "screen/RemoteActions.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "tools/ClipboardContent.h"
#include "tools/ClipboardTransfer.h"
#include "tools/RemoteChat.h"
#include "transfer/FileTransfer.h"
#include "transfer/QVexplorerProtocol.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "X11Tools.h"

using namespace x11tools;

namespace {

// Without waiting: the console's session needs this thread's event loop to send anything.
bool shown(const QString &name) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), name});
    return p.waitForFinished(10000) && p.exitCode() == 0 && !p.readAllStandardOutput().isEmpty();
}

// The remote user answers a window of the host program with its keyboard shortcut, again
// while the window stays: a key that comes before the window took the focus is lost.
void answer(const QString &windowName, const QString &keys) {
    const QString id = window(windowName);
    for (int attempt = 0; attempt < 20; ++attempt) {
        run(QStringLiteral("xdotool"),
            {QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
        run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
        for (int i = 0; i < 10 && shown(windowName); ++i)
            QTest::qWait(100);
        if (!shown(windowName))
            return;
    }
}

// For failure messages: what the host's display shows.
QByteArray windowNames() {
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                QStringLiteral("."), QStringLiteral("getwindowname"), QStringLiteral("%@")});
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &content) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

QPoint pointer() {
    const QString where =
        QString::fromLatin1(run(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")}));
    const QRegularExpression re(QStringLiteral("x:(\\d+) y:(\\d+)"));
    const auto m = re.match(where);
    return QPoint(m.captured(1).toInt(), m.captured(2).toInt());
}
} // namespace

class TestHostEndToEnd : public QObject {
    Q_OBJECT
    GatewaydProcess gw;
    RecordingUi ui;
    QTemporaryDir dir;
    std::unique_ptr<GatewaySession> console;
    ScreenPipeline *pipeline = nullptr;
    ScreenModes *modes = nullptr;
    RemoteActions *actions = nullptr;
    QList<QProcess *> programs;
    QList<QByteArray> hostSaid;
    QByteArray consoleDisplay, hostDisplay;

    QProcess *start(const QString &program, const QStringList &args,
                    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) {
        auto *p = new QProcess(this);
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(program, args);
        programs.append(p);
        return p;
    }
    QProcess *startHost(const QStringList &args,
                        QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return start(QStringLiteral(QUORVIA_BINARY_DIR "/host/app/quorvia-host"),
                     args + QStringList{QStringLiteral("--gateway"),
                                        QStringLiteral("https://127.0.0.1:%1/").arg(gw.port()),
                                        QStringLiteral("--ca"), gw.caPemPath()},
                     env);
    }
    // The console's picture is the display's, reduced to the console's colours.
    bool pictureMatches(int depth) {
        const QImage expected =
            FixedPalettes::reduceToDepth(screenshot(), depth).convertToFormat(QImage::Format_RGB32);
        const QImage shown = pipeline->picture().convertToFormat(QImage::Format_RGB32);
        if (shown.size() != expected.size())
            return false;
        for (int y = 0; y < shown.height(); ++y) {
            const auto *a = reinterpret_cast<const quint32 *>(shown.constScanLine(y));
            const auto *b = reinterpret_cast<const quint32 *>(expected.constScanLine(y));
            for (int x = 0; x < shown.width(); ++x)
                if ((a[x] ^ b[x]) & 0xffffff) {
                    return false;
                }
        }
        return true;
    }

private slots:
    void initTestCase() {
        // This process shows the console on its own display; everything it starts runs on the
        // host's.
        consoleDisplay = qgetenv("DISPLAY");
        hostDisplay = qgetenv("HOST_DISPLAY");
        QVERIFY2(!hostDisplay.isEmpty(), "run by host_e2e.sh");
        qputenv("DISPLAY", hostDisplay);
        QString error;
        QVERIFY2(gw.start("gateway_count = 3\npoll_hold_ms = 400\n", &error), qPrintable(error));
        QVERIFY(gw.cli({"add", "demo", "--name", "Demo Operator"}, "demo\n"));
        resetProcessState();
        useLocalGateway(gw.gatewayAddress(), gw.caPemPath());
        console = makeTestSession(ui);
        pipeline = new ScreenPipeline(console.get());
        modes = new ScreenModes(console.get(), pipeline, console.get());
        // The operator's reboot: without it the host's departure would end the session.
        actions = new RemoteActions(console.get(), pipeline, modes, console.get());
        actions->hooks().askReboot = [](RemoteActions::RebootQuestion) { return true; };
        for (const char *code : {"ReBt", "SCur"})
            console->claimHostMessage(code, this, [this, code](const QByteArray &p) {
                hostSaid.append(QByteArray(code) + '?' + p);
            });
        console->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 20000);
    }

    void cleanupTestCase() {
        for (QProcess *p : std::as_const(programs)) {
            p->kill();
            p->waitForFinished(5000);
        }
        if (console && adminVars().LoggedOn) {
            console->WMWANdisconnect(0, 1);
            QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 20000);
        }
    }

    // The support tools between the two desktops: the clipboard both ways (read back with
    // xclip on each display), files both ways with the user's home as drive C: and targets
    // outside it refused, and a chat line each way.
    void toolsCross() {
        QTemporaryDir home, outside, local, back;
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Documents")));
        QVERIFY(QFile::link(outside.path(), home.filePath(QStringLiteral("escape"))));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        QProcess *host = startHost({console->displayKey()}, env);
        answer(QStringLiteral("Remote support: share your screen?"), QStringLiteral("alt+a"));
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(pipeline->FirstPictureShown, 30000);

        auto *clip = new ClipboardTransfer(console.get(), this);
        int option = ClipboardContent::Text;
        clip->hooks().askOption = [&option](bool) { return option; };
        const auto clipboardTransfer = [clip](bool upload) {
            QSignalSpy finished(clip, &ClipboardTransfer::finished);
            upload ? clip->BttnUploadClipboardClick() : clip->BttnDownloadClipboardClick();
            return QTest::qWaitFor([&] { return !finished.isEmpty(); }, 30000) &&
                   finished.last().at(1).toBool();
        };
        const QByteArray mine = QStringLiteral("Grüße from your operator").toUtf8();
        xclipIn(QStringLiteral("UTF8_STRING"), mine, consoleDisplay);
        QVERIFY(clipboardTransfer(true));
        QTRY_COMPARE_WITH_TIMEOUT(xclipOut(QStringLiteral("UTF8_STRING"), hostDisplay), mine,
                                  10000);
        const QByteArray theirs = QStringLiteral("déjà vu, 20 €").toUtf8();
        xclipIn(QStringLiteral("UTF8_STRING"), theirs, hostDisplay);
        QVERIFY(clipboardTransfer(false));
        QCOMPARE(xclipOut(QStringLiteral("UTF8_STRING"), consoleDisplay), theirs);
        QImage picture(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) & 255));
        QByteArray png;
        QBuffer pngBuffer(&png);
        pngBuffer.open(QIODevice::WriteOnly);
        picture.save(&pngBuffer, "PNG");
        xclipIn(QStringLiteral("image/png"), png, hostDisplay);
        option = ClipboardContent::Bitmap;
        QVERIFY(clipboardTransfer(false));
        QCOMPARE(QImage::fromData(xclipOut(QStringLiteral("image/png"), consoleDisplay), "PNG")
                     .convertToFormat(QImage::Format_RGB32),
                 picture);

        // Files: the explorer takes the queue over; each copy ends with the host's word.
        auto *files = new FileTransfer(console.get(), pipeline);
        files->configure = [](TQVexplorerProtocol *p) {
            QObject::connect(p, &TQVexplorerProtocol::overwriteQuestion, p,
                             [p] { QTimer::singleShot(0, p, [p] { p->AnswerOverwrite(true); }); });
        };
        QSignalSpy opened(files, &FileTransfer::explorerOpened);
        QVERIFY(files->BttnCopyFileClick());
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 30000);
        QPointer<TQVexplorerProtocol> x = files->explorer();
        QVERIFY(x);
        QSignalSpy drives(x.data(), &TQVexplorerProtocol::drivesArrived);
        x->Activate();
        QTRY_COMPARE_WITH_TIMEOUT(drives.count(), 1, 30000);
        const auto copy = [&x](const TQVexplorerProtocol::Transfer &t) {
            if (!x)
                return false;
            QSignalSpy ended(x.data(), &TQVexplorerProtocol::transferEnded);
            return x->CopyFile(t) &&
                   QTest::qWaitFor([&] { return !ended.isEmpty() || !x; }, 30000) && x &&
                   ended.first().first().toBool();
        };
        const QByteArray report = QByteArray("A line of the report.\r\n").repeated(5000);
        QByteArray binary(300 * 1024, Qt::Uninitialized);
        for (qsizetype i = 0; i < binary.size(); ++i)
            binary[i] = char((i * 7919) >> 5);
        QVERIFY(writeFile(local.filePath(QStringLiteral("report.txt")), report));
        QVERIFY(writeFile(home.filePath(QStringLiteral("Documents/scan.bin")), binary));
        QVERIFY(copy(
            {true, QStringLiteral("report.txt"), local.path(), QStringLiteral("C:\\Documents")}));
        QCOMPARE(readFile(home.filePath(QStringLiteral("Documents/report.txt"))), report);
        QVERIFY(copy(
            {false, QStringLiteral("scan.bin"), QStringLiteral("C:\\Documents"), back.path()}));
        QCOMPARE(readFile(back.filePath(QStringLiteral("scan.bin"))), binary);
        // Through a link that leads out of the home, and up out of it: refused, nothing lands.
        QVERIFY(!copy(
            {true, QStringLiteral("report.txt"), local.path(), QStringLiteral("C:\\escape")}));
        QVERIFY(!copy({true, QStringLiteral("report.txt"), local.path(),
                       QStringLiteral("C:\\Documents\\..\\..")}));
        QVERIFY(QDir(outside.path()).isEmpty());
        QVERIFY(
            !QFile::exists(QFileInfo(home.path()).dir().filePath(QStringLiteral("report.txt"))));
        QSignalSpy closed(files, &FileTransfer::explorerClosed);
        x->Close();
        QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 30000);

        // Chat: the operator's line is in the user's window (copied from it with the
        // keyboard), the user's line reaches the console.
        auto *chat = new RemoteChat(console.get(), this);
        QStringList lines;
        connect(chat, &RemoteChat::lineAdded, this, [&lines](bool remote, const QString &line) {
            if (remote)
                lines << line;
        });
        chat->BttnChatClick();
        QTRY_VERIFY2_WITH_TIMEOUT(shown(QStringLiteral("Chat with your support operator")),
                                  windowNames().constData(), 30000);
        const QString chatWindow = window(QStringLiteral("Chat with your support operator"));
        QVERIFY(chat->send(QStringLiteral("Can you see the report?")));
        run(QStringLiteral("xdotool"),
            {QStringLiteral("windowfocus"), QStringLiteral("--sync"), chatWindow});
        run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("Yes, thanks")});
        run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
        QTRY_VERIFY2_WITH_TIMEOUT(
            lines.join(QLatin1Char('\n')).contains(QLatin1String("Yes, thanks")),
            qPrintable(lines.join(QLatin1Char('\n'))), 30000);
        // The operator's line, copied from the user's window with the keyboard: from the input
        // past Send and Close to the conversation.
        QByteArray copied;
        for (int attempt = 0; attempt < 5 && !copied.contains("Can you see the report?");
             ++attempt) {
            run(QStringLiteral("xdotool"),
                {QStringLiteral("windowfocus"), QStringLiteral("--sync"), chatWindow});
            run(QStringLiteral("xdotool"),
                {QStringLiteral("key"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                 QStringLiteral("Tab"), QStringLiteral("ctrl+a"), QStringLiteral("ctrl+c"),
                 QStringLiteral("shift+Tab"), QStringLiteral("shift+Tab"),
                 QStringLiteral("shift+Tab")});
            copied = xclipOut(QStringLiteral("UTF8_STRING"), hostDisplay);
        }
        QVERIFY2(copied.contains("Can you see the report?"), copied.constData());
        chat->closeByOperator();
        QTRY_VERIFY_WITH_TIMEOUT(!shown(QStringLiteral("Chat with your support operator")), 30000);

        QVERIFY2(shown(QStringLiteral("Remote support: screen shared")), windowNames().constData());
        answer(QStringLiteral("Remote support: screen shared"), QStringLiteral("alt+s"));
        QTRY_COMPARE_WITH_TIMEOUT(host->state(), QProcess::NotRunning, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().HostLoggedOn, 30000);
    }

    // The user accepts; the console sees the display as it is, clicks a real button and types
    // into a real terminal; Stop ends it all at once.
    void shareControlAndStop() {
        QProcess *message = start(QStringLiteral("xmessage"),
                                  {QStringLiteral("-buttons"), QStringLiteral("Finish:7"),
                                   QStringLiteral("-geometry"), QStringLiteral("+300+200"),
                                   QStringLiteral("Press Finish")});
        const QString box = window(QStringLiteral("xmessage"));
        const QString typed = dir.filePath(QStringLiteral("typed.txt"));
        start(QStringLiteral("xterm"),
              {QStringLiteral("-T"), QStringLiteral("typing"), QStringLiteral("-geometry"),
               QStringLiteral("50x6+60+420"), QStringLiteral("-e"), QStringLiteral("sh"),
               QStringLiteral("-c"), QStringLiteral("stty -echo; cat > '%1'").arg(typed)});
        const QRect term = geometry(window(QStringLiteral("typing")));

        QProcess *host = startHost({console->displayKey()});
        answer(QStringLiteral("Remote support: share your screen?"), QStringLiteral("alt+a"));
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 30000);
        QCOMPARE(console->HostOS, QStringLiteral("WNT")); // "LNX": no 9x family
        window(QStringLiteral("Remote support: screen shared"));

        // Full colour (the console's finest depth), then 256 colours.
        QTRY_VERIFY_WITH_TIMEOUT(pictureMatches(15), 60000);
        modes->SetColorBox(); // the window would have filled the box
        modes->ColorBoxSelect(1);
        QCOMPARE(modes->colorDepth(), 8);
        QTRY_VERIFY_WITH_TIMEOUT(pictureMatches(8), 60000);
        pipeline->picture().save(dir.filePath(QStringLiteral("console-8.png")));
        modes->ColorBoxSelect(2);
        QTRY_VERIFY_WITH_TIMEOUT(pictureMatches(15), 60000);

        const QRect button = x11tools::xmessageButton(box);
        QVERIFY(!button.isNull());
        console->SendCmd(InputCommands::MouseMove(button.center()));
        console->SendCmd(InputCommands::Click(1, button.center(), 1, 0));
        QTRY_COMPARE_WITH_TIMEOUT(message->state(), QProcess::NotRunning, 30000);
        QCOMPARE(message->exitCode(), 7);

        // Without a window manager the keyboard follows the pointer.
        console->SendCmd(InputCommands::MouseMove(term.center()));
        QTRY_COMPARE_WITH_TIMEOUT(pointer(), term.center(), 30000);
        for (char c : QByteArray("Hello, World!"))
            console->SendCmd(InputCommands::Key(0, quint8(c), 0));
        console->SendCmd(InputCommands::Key(13, 0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(
            [&] {
                QFile f(typed);
                return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            }(),
            QByteArray("Hello, World!\n"), 30000);

        // Stop: the console hears the host leave, the program ends, and a command sent later
        // moves nothing.
        answer(QStringLiteral("Remote support: screen shared"), QStringLiteral("alt+s"));
        QTRY_COMPARE_WITH_TIMEOUT(host->state(), QProcess::NotRunning, 30000);
        QCOMPARE(host->exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().HostLoggedOn, 30000);
        const QPoint before = pointer();
        console->SendCmd(InputCommands::MouseMove(before + QPoint(100, 100)));
        QTest::qWait(1000);
        QCOMPARE(pointer(), before);
        // The host's departure ends the operator's session as well; the next test needs one.
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 30000);
        console->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 20000);
    }

    // The operator restarts the computer: the user agrees, logind is asked, and the host comes
    // back by itself with the same key, without asking the user again.
    void rebootAndRejoin() {
        QProcess *host = startHost({console->displayKey()});
        answer(QStringLiteral("Remote support: share your screen?"), QStringLiteral("alt+a"));
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 30000);
        actions->BttnRebootClick();
        QTRY_VERIFY_WITH_TIMEOUT(shown(QStringLiteral("Remote support: restart")), 30000);
        answer(QStringLiteral("Remote support: restart?"), QStringLiteral("alt+r"));
        QTRY_VERIFY2_WITH_TIMEOUT(hostSaid.contains("ReBt?OK"), hostSaid.join(' ').constData(),
                                  30000);
        const QByteArray calls =
            run(QStringLiteral("dbus-send"),
                {QStringLiteral("--bus=") + qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS"),
                 QStringLiteral("--print-reply"), QStringLiteral("--dest=org.freedesktop.login1"),
                 QStringLiteral("/org/freedesktop/login1"),
                 QStringLiteral("org.freedesktop.DBus.Mock.GetCalls")});
        QVERIFY2(calls.contains("Reboot"), calls.constData());

        // The computer goes down with the program; at the next start the autostart entry runs.
        const QString entryPath =
            qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/quorvia-host-resume.desktop";
        QFile entry(entryPath);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        entry.close();
        const QRegularExpression exec(QStringLiteral("\nExec=\"([^\"]+)\" (--resume [A-Z0-9]+)\n"));
        const auto m = exec.match(QString::fromUtf8(text));
        QVERIFY2(m.hasMatch(), text.constData());
        QCOMPARE(m.captured(1), QStringLiteral(QUORVIA_BINARY_DIR "/host/app/quorvia-host"));
        // The restart ends the desktop's programs with SIGTERM: the host leaves the channel as it
        // goes, and the console waits for it.
        host->terminate();
        QTRY_COMPARE_WITH_TIMEOUT(host->state(), QProcess::NotRunning, 10000);
        QCOMPARE(host->exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().HostLoggedOn, 30000);
        QVERIFY(actions->waitingForHost()); // the session stays for the host's return

        QProcess *again = startHost(m.captured(2).split(QLatin1Char(' ')));
        QTRY_VERIFY2_WITH_TIMEOUT(adminVars().HostLoggedOn, windowNames().constData(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(entryPath), 10000);
        // The console shows the returned host's picture, not what it had before.
        QVERIFY(!actions->waitingForHost());
        QTRY_VERIFY_WITH_TIMEOUT(pictureMatches(15), 60000);
        answer(QStringLiteral("Remote support: screen shared"), QStringLiteral("alt+s"));
        QTRY_COMPARE_WITH_TIMEOUT(again->state(), QProcess::NotRunning, 30000);
    }
};

QTEST_MAIN(TestHostEndToEnd)
#include "tst_host_e2e.moc"
