// The host program's session against a desktop in memory: what the console's commands do to
// the desktop, what the console is told, and that nothing passes after the end.
#include "FakeDesktop.h"
#include "RecordingLink.h"
#include "common/Zlib.h"
#include "core/GatewayAddress.h"
#include "core/HostSession.h"
#include "core/JoinKey.h"
#include "core/RebootResume.h"
#include "screen/FixedPalettes.h"
#include "screen/InputCommands.h"
#include "screen/ScreenDecoder.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace qhost;

namespace {
// A feature that takes the commands starting with its prefix.
class PrefixFeature : public HostFeature {
public:
    PrefixFeature(ConsoleLink &link, QByteArray prefix) : HostFeature(link), m_prefix(prefix) {}
    QList<QByteArray> taken;
    bool ended = false;
    bool command(const QByteArray &code, const QByteArray &parameter) override {
        if (!code.startsWith(m_prefix))
            return false;
        taken.append(code + '|' + parameter);
        return true;
    }
    bool upload(const QByteArray &, const QByteArray &name, const QByteArray &) override {
        taken.append("upload|" + name);
        return true;
    }
    void sessionEnded() override { ended = true; }

private:
    QByteArray m_prefix;
};

// The console's side: applies the latest announced picture as its decoder does.
struct ConsoleView {
    ScreenDecoder decoder;
    QImage shown;
    int depth = 15;
    bool apply(const RecordingLink &link) {
        const QByteArray notice = link.last();
        PictureJob job;
        job.ColorDepth = depth;
        job.frame = shown;
        if (notice == "GScr") {
            job.DecodeMode = PictureJob::FullPicture;
            job.ReceivedData = link.deposits.value("picture");
        } else if (notice == "UScr") {
            job.DecodeMode = PictureJob::WholeScreenUpdate;
            job.ReceivedData = link.deposits.value("update");
        } else if (notice == "UScr?md1") {
            job.DecodeMode = PictureJob::RectangleList;
            job.ReceivedData = link.deposits.value("update");
        } else {
            return false;
        }
        const PictureResult r = decoder.run(job);
        if (!r.ok)
            return false;
        if (!r.replacement.isNull())
            shown = r.replacement;
        QPainter p(&shown);
        for (const ScreenPatch &patch : r.patches)
            p.drawImage(patch.at, patch.pixels);
        return true;
    }
};
} // namespace

class TestHostSession : public QObject {
    Q_OBJECT

private slots:
    void screenPicturesModesAndWallpaper() {
        FakeDesktop desktop;
        RecordingLink link;
        HostSession session(desktop, link);
        session.setAliveInterval(20);
        session.start();
        ConsoleView console;

        session.command("GScr");
        QVERIFY(console.apply(link));
        QCOMPARE(console.shown, FixedPalettes::reduceToDepth(desktop.screen(), 15));

        // The next update only when asked, and only once something changed.
        const qsizetype before = link.said.size();
        desktop.paint({10, 10, 20, 20}, Qt::red);
        QCOMPARE(link.said.size(), before);
        session.command("UScr");
        QCOMPARE(link.last(), QByteArray("UScr?md1"));
        QVERIFY(console.apply(link));
        QCOMPARE(console.shown, FixedPalettes::reduceToDepth(desktop.screen(), 15));
        session.command("UScr");
        QCOMPARE(link.last(), QByteArray("UScr?md1")); // waits: nothing changed
        const qsizetype waiting = link.said.size();
        desktop.paint({0, 0, 320, 200}, Qt::yellow);
        QCOMPARE(link.said.size(), waiting + 1);
        QVERIFY(console.apply(link));
        QCOMPARE(console.shown, FixedPalettes::reduceToDepth(desktop.screen(), 15));

        // 256 colours: every pixel within the palette. The new depth comes as a whole picture
        // at once, then the updates follow in it.
        session.command("SCol?8");
        console.depth = 8;
        session.command("UScr");
        QCOMPARE(link.last(), QByteArray("GScr"));
        QVERIFY(console.apply(link));
        session.command("UScr");
        desktop.paint({100, 50, 40, 30}, QColor(12, 200, 77));
        QCOMPARE(link.last(), QByteArray("UScr?md1"));
        QVERIFY(console.apply(link));
        QCOMPARE(console.shown.convertToFormat(QImage::Format_RGB32),
                 FixedPalettes::reduceToDepth(desktop.screen(), 8)
                     .convertToFormat(QImage::Format_RGB32));

        session.command("GScM");
        QCOMPARE(link.last(), QByteArray("StrlGScM"));
        QCOMPARE(Zlib::inflateBounded(link.deposits.value("list"), 4096).value_or(QByteArray()),
                 QByteArray("320 200 32\r\n640 480 32\r\n0\r\n"));
        session.command("SScM?640&480&15");
        QCOMPARE(link.last(), QByteArray("SScM?OK"));
        QVERIFY(desktop.calls.contains("mode 640x480"));
        session.command("SScM?1&1");
        QCOMPARE(link.last(), QByteArray("SScM?NOK"));
        session.command("SScM?640&480&99999999999");
        QCOMPARE(link.last(), QByteArray("SScM?NOK"));
        console.depth = 15;
        session.command("UScr");
        QVERIFY(console.apply(link)); // the new size comes whole
        QCOMPARE(console.shown, FixedPalettes::reduceToDepth(desktop.screen(), 15));

        session.command("DiWP");
        QCOMPARE(link.last(), QByteArray("DiWP?OK"));
        desktop.wallpaperAllowed = false;
        session.command("EnWP");
        QVERIFY(link.last().startsWith("EnWP?") && link.last() != "EnWP?OK");

        session.control("15", {});
        QCOMPARE(link.last(), QByteArray("SDum"));
        QTRY_VERIFY(link.said.contains("nSCh"));
    }

    void inputReachesTheDesktop_data() {
        using namespace InputCommands;
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("move") << MouseMove({10, 20}) << QStringList{"move 10,20"};
        QTest::newRow("shift click")
            << Click(1, {5, 6}, 1, ModifierCode(true, false, false))
            << QStringList{"move 5,6", "key 16 down", "button 1 down", "button 1 up", "key 16 up"};
        QTest::newRow("double right") << Click(2, {1, 1}, 2, 0)
                                      << QStringList{"move 1,1", "button 2 down", "button 2 up",
                                                     "button 2 down", "button 2 up"};
        QTest::newRow("drag") << DragStart({1, 2}, {30, 40}, 1, 0)
                              << QStringList{"move 1,2", "button 1 down", "move 30,40"};
        QTest::newRow("release") << MouseUp({7, 8}, 1) << QStringList{"move 7,8", "button 1 up"};
        QTest::newRow("ctrl wheel")
            << Wheel(-240, 2) << QStringList{"key 17 down", "wheel -240", "key 17 up"};
        QTest::newRow("euro") << Key(0, 0x80, 0) << QStringList{QStringLiteral("type €")};
        QTest::newRow("shifted letter") << Key(0, 'A', 1) << QStringList{"type A"};
        KeyInfo altTab;
        altTab.alt = true;
        altTab.virtualKey = 9;
        QTest::newRow("alt tab") << KeyCommands(altTab, 0, true).value(0)
                                 << QStringList{"key 18 down", "key 9 down", "key 9 up",
                                                "key 18 up"};
        QTest::newRow("super") << Key(91, 0, ExtendedFlag)
                               << QStringList{"key 91e down", "key 91e up"};
        QTest::newRow("short move") << QByteArray("MoMo?1") << QStringList{};
        QTest::newRow("odd button") << QByteArray("MsCl?1-1-1-9-0") << QStringList{};
        QTest::newRow("long number") << QByteArray("MoMo?1234567890-1") << QStringList{};
        QTest::newRow("nothing to type") << QByteArray("KbdP?#0-0-0") << QStringList{};
        QTest::newRow("key beyond a byte") << QByteArray("KbdP?#300-0-0") << QStringList{};
        QTest::newRow("lock") << QByteArray("sCAD") << QStringList{"lock"};
        QTest::newRow("task manager") << QByteArray("TMgr") << QStringList{"task manager"};
    }
    void inputReachesTheDesktop() {
        QFETCH(QByteArray, command);
        QFETCH(QStringList, calls);
        FakeDesktop desktop;
        RecordingLink link;
        HostSession session(desktop, link);
        session.start();
        session.command(command);
        QCOMPARE(desktop.calls, calls);
    }

    void viewOnlyFeaturesAndStop() {
        FakeDesktop desktop;
        RecordingLink link;
        HostSession session(desktop, link);
        PrefixFeature files(link, "G"), chat(link, "Ch");
        session.addFeature(&files);
        session.addFeature(&chat);
        QSignalSpy reboot(&session, &HostSession::rebootRequested);
        QSignalSpy quit(&session, &HostSession::operatorQuit);
        session.start();

        // Commands nobody else knows go to the features, in turn, split at the first "?".
        session.command("Gdir?C%3A%5C?x");
        session.command("ChSt?hello");
        session.upload("C:\\", "a.txt", "body");
        QCOMPARE(files.taken, (QList<QByteArray>{"Gdir|C%3A%5C?x", "upload|a.txt"}));
        QCOMPARE(chat.taken, QList<QByteArray>{"ChSt|hello"});

        desktop.userMoves({3, 4}, false);
        QVERIFY(!link.said.contains("MoMo?3-4")); // the operator points himself
        session.setViewOnly(true);
        QCOMPARE(link.last(), QByteArray("VwOy"));
        QVERIFY(desktop.releases >= 1);
        session.command(InputCommands::Click(1, {1, 1}, 1, 0));
        session.command(InputCommands::Key(0, 'x', 0));
        session.command("TMgr");
        session.command(InputCommands::Wheel(120, 0)); // the console scrolls in view only
        QCOMPARE(desktop.calls, QStringList{"wheel 120"});
        session.command("SScM?640&480");
        QCOMPARE(link.last(), QByteArray("SScM?NOK"));
        session.command("DiWP");
        QVERIFY(link.last() != "DiWP?OK");
        session.command("ReBt");
        QCOMPARE(link.last(), QByteArray("ReBt?NOK"));
        desktop.userMoves({3, 4}, false);
        desktop.userMoves({5, 6}, true);
        QCOMPARE(link.said.mid(link.said.size() - 2), (QList<QByteArray>{"MoMo?3-4", "MsCl?5-6"}));
        session.setViewOnly(false);
        QCOMPARE(link.last(), QByteArray("GrCt"));

        session.command("ReBt");
        QCOMPARE(reboot.size(), 1);
        session.answerReboot(false, false);
        QCOMPARE(link.last(), QByteArray("ReBt?NOK"));
        session.command("QUIT");
        QCOMPARE(quit.size(), 1);

        // Stop: the desktop is given back, the features stop, and nothing passes afterwards.
        session.end();
        QVERIFY(desktop.closed);
        QVERIFY(files.ended && chat.ended);
        const QStringList calls = desktop.calls;
        const QList<QByteArray> said = link.said;
        for (const QByteArray &c :
             {InputCommands::MouseMove({9, 9}), QByteArray("GScr"), QByteArray("UScr"),
              QByteArray("sCAD"), QByteArray("Gdir?x"), QByteArray("SScM?640&480")})
            session.command(c);
        session.control("15", {});
        session.upload("C:\\", "b.txt", "body");
        desktop.paint({0, 0, 5, 5}, Qt::black);
        desktop.userMoves({1, 1}, true);
        session.setViewOnly(true);
        QCOMPARE(desktop.calls, calls);
        QCOMPARE(link.said, said);
        QCOMPARE(files.taken.size(), 2);
    }

    void keysAndAddresses() {
        const auto key = ParseJoinKey(QStringLiteral(" abcdefghjkmnpq12 "));
        QVERIFY(key);
        QCOMPARE(key->text, QStringLiteral("ABCDEFGHJKMNPQ12"));
        QCOMPARE(key->sessionKey, QStringLiteral("ABCDEFGHJKMNPQ"));
        QCOMPARE(key->gateway, 12);
        const auto link = ParseJoinKey(
            QStringLiteral("https://setup.example.net/logon.aspx?key=ABCDEFGHJKMNPQ3"));
        QVERIFY(link && link->gateway == 3);
        for (const char *bad : {"", "12345", "ABCDEF", "ABC-DEF1", "ABCDEF1;rm", "ABCDEF00000",
                                "ABCDEF0", "https://x/logon.aspx?key=%0A1"})
            QVERIFY2(!ParseJoinKey(QString::fromLatin1(bad)), bad);
        QVERIFY(!ParseJoinKey(QString(70, QLatin1Char('A')) + QLatin1Char('1')));

        QString error;
        const auto a =
            ResolveGatewayAddress({QStringLiteral("https://gw{n}.example.net/"), {}}, 7, &error);
        QVERIFY(a && a->host == QStringLiteral("gw007.example.net") && a->port == 443);
        const auto b =
            ResolveGatewayAddress({QStringLiteral("https://127.0.0.1:8443/"), {}}, 2, &error);
        QVERIFY(b && b->port == 8443);
        QVERIFY(
            !ResolveGatewayAddress({QStringLiteral("http://gw{n}.example.net/"), {}}, 1, &error));
        QVERIFY(!ResolveGatewayAddress({}, 1, &error));
    }

    void resumeEntry() {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QString error;
        QVERIFY(
            !WriteResumeEntry({QStringLiteral("not a key"), {}}, "/usr/bin/quorvia-host", &error));
        QVERIFY(!QFile::exists(ResumeEntryPath()));
        QVERIFY2(
            WriteResumeEntry({QStringLiteral("abcdefghjkmnpq2"), QStringLiteral("Ann\nExec=evil")},
                             "/usr/bin/quorvia-host", &error),
            qPrintable(error));
        QFile file(ResumeEntryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QCOMPARE(text.count("\nExec="), 1);
        QVERIFY(text.contains("Exec=\"/usr/bin/quorvia-host\" --resume ABCDEFGHJKMNPQ2\n"));
        const auto entry = ReadResumeEntry();
        QVERIFY(entry);
        QCOMPARE(entry->key, QStringLiteral("ABCDEFGHJKMNPQ2"));
        QCOMPARE(entry->operatorName, QStringLiteral("AnnExec=evil"));
        RemoveResumeEntry();
        QVERIFY(!ReadResumeEntry());
    }
};

QTEST_MAIN(TestHostSession)
#include "tst_host_session.moc"
