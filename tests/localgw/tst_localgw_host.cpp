// The simulated host without any network: its answers, its pictures and its hostile bodies.
#include "HostileBodies.h"
#include "ScreenEncoder.h"
#include "ScreenReplay.h"
#include "SimulatedHost.h"
#include "SyntheticDesktop.h"
#include "gateway/Url_Utils.h"
#include "screen/FixedPalettes.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>

using namespace localgw;

namespace {
// Records what a host says and leaves, as the gateway would keep it.
struct HostProbe {
    explicit HostProbe(SimulatedHost &host) {
        QObject::connect(&host, &SimulatedHost::message,
                         [this](const QByteArray &m) { messages.append(m); });
        QObject::connect(&host, &SimulatedHost::deposit,
                         [this](DepositKind k, const QByteArray &b) { deposits[int(k)] = b; });
    }
    QByteArray take() { return messages.isEmpty() ? QByteArray() : messages.takeFirst(); }
    // The next message that is not the alive signal.
    QByteArray next() {
        while (!messages.isEmpty()) {
            const QByteArray m = messages.takeFirst();
            if (m != "nSCh")
                return m;
        }
        return {};
    }
    QByteArray inflated(DepositKind k) const {
        return Zlib::inflateBounded(deposits.value(int(k)), 64 << 20).value_or(QByteArray());
    }
    QList<QByteArray> messages;
    QHash<int, QByteArray> deposits;
};

GatewayConfig quietConfig() {
    GatewayConfig c;
    c.hostDelayMs = -1;
    c.clockRunning = false;
    c.nschIntervalMs = 60000;
    c.screenSize = {800, 600};
    return c;
}
} // namespace

class TestLocalGwHost : public QObject {
    Q_OBJECT
private slots:
    void joinsAfterDelayAndLeaves();
    void modeListAndModeSwitch();
    void picturesFollowTheAskedDepth();
    void updatesReplayToTheShownPicture();
    void updateWaitsForAChange();
    void changedRectsCoverExactlyTheChangedTiles();
    void desktopKeptDrawnIsTheFreshDrawing();
    void screenProgramFaults();
    void clipboardBothWays();
    void inputReachesTheDesktop();
    void everyHostileBodyIsAsAdvertised();
};

void TestLocalGwHost::joinsAfterDelayAndLeaves() {
    GatewayConfig c = quietConfig();
    c.hostDelayMs = 10;
    SimulatedHost host(c);
    QSignalSpy joined(&host, &SimulatedHost::joined);
    QSignalSpy left(&host, &SimulatedHost::left);
    QSignalSpy vanished(&host, &SimulatedHost::vanished);
    host.scheduleJoin(c.hostDelayMs);
    QVERIFY(!host.isJoined());
    QVERIFY(joined.wait());
    QVERIFY(host.isJoined());

    // Commands before the join or after the leave are not carried out.
    host.leave();
    QCOMPARE(left.size(), 1);
    HostProbe probe(host);
    host.command("GScM");
    QVERIFY(probe.messages.isEmpty());
    host.join();
    host.vanish();
    QCOMPARE(vanished.size(), 1);
    QCOMPARE(joined.size(), 2);
}

void TestLocalGwHost::modeListAndModeSwitch() {
    SimulatedHost host(quietConfig());
    HostProbe probe(host);
    host.join();
    host.command("GScM");
    QCOMPARE(probe.next(), QByteArray("StrlGScM"));
    const QList<QByteArray> lines = probe.inflated(DepositKind::StringList).split('\n');
    // Modes as "W H bits", the current index last.
    QCOMPARE(lines.value(0), QByteArray("640 480 32\r"));
    QCOMPARE(lines.value(1), QByteArray("800 600 32\r"));
    QCOMPARE(lines.value(4), QByteArray("1\r"));

    host.command("SScM?1024&768&8");
    QCOMPARE(probe.next(), QByteArray("SScM?OK"));
    QCOMPARE(host.desktop().size(), QSize(1024, 768));
    QCOMPARE(host.encoder().depth(), 8);
    host.command("GScM");
    probe.next();
    QVERIFY(probe.inflated(DepositKind::StringList).endsWith("\r\n2\r\n"));

    host.command("SScM?1000&700&8"); // not a listed mode
    QCOMPARE(probe.next(), QByteArray("SScM?NOK"));
    host.setRefuseModeSwitch(true);
    host.command("SScM?640&480&4");
    QCOMPARE(probe.next(), QByteArray("SScM?NOK"));
    QCOMPARE(host.desktop().size(), QSize(1024, 768));
}

void TestLocalGwHost::picturesFollowTheAskedDepth() {
    SimulatedHost host(quietConfig());
    HostProbe probe(host);
    host.join();
    for (int depth : {4, 8, 15}) {
        host.command("SCol?" + QByteArray::number(depth));
        host.command("GScr");
        QCOMPARE(probe.next(), QByteArray("GScr"));
        const QByteArray bmp = probe.inflated(DepositKind::FullPicture);
        QCOMPARE(ScreenReplay::bitCount(bmp), depth == 15 ? 16 : depth);
        const auto img = ScreenReplay::bmp(bmp);
        QVERIFY(img.has_value());
        QCOMPARE(*img, host.shownPicture());
        QCOMPARE(*img, host.reducedDesktop());
    }
    host.command("SCol?24"); // not a depth the console offers: ignored
    QCOMPARE(host.encoder().depth(), 15);

    host.command("DiWP");
    QCOMPARE(probe.next(), QByteArray("DiWP?OK"));
    QVERIFY(!host.desktop().wallpaperVisible());
    host.command("EnWP");
    QCOMPARE(probe.next(), QByteArray("EnWP?OK"));
    QVERIFY(host.desktop().wallpaperVisible());
}

void TestLocalGwHost::updatesReplayToTheShownPicture() {
    SimulatedHost host(quietConfig());
    HostProbe probe(host);
    host.join();
    for (int depth : {4, 8, 15}) {
        host.command("SCol?" + QByteArray::number(depth));
        host.command("GScr");
        QImage shown;
        QByteArray notice = probe.next();
        QVERIFY(ScreenReplay::apply(shown, notice, probe.deposits.value(0)));

        // A small change comes as a rectangle list, a big one (or a forced format) as the
        // whole screen; replaying them gives what the host thinks the console shows.
        const struct {
            ScreenEncoder::UpdateFormat format;
            std::function<void()> change;
            QByteArray expected;
        } steps[] = {
            {ScreenEncoder::UpdateFormat::Auto,
             [&] { host.command("MoMo?" + QByteArray::number(300 + depth * 10) + "-300"); },
             "UScr?md1"},
            {ScreenEncoder::UpdateFormat::Auto, [&] { host.command("DiWP"); }, "UScr"},
            {ScreenEncoder::UpdateFormat::WholeScreen, [&] { host.advanceClock(); }, "UScr"},
            {ScreenEncoder::UpdateFormat::RectList, [&] { host.command("EnWP"); }, "UScr?md1"},
        };
        for (const auto &step : steps) {
            host.setUpdateFormat(step.format);
            step.change();
            probe.messages.removeAll("DiWP?OK");
            probe.messages.removeAll("EnWP?OK");
            host.command("UScr");
            QTRY_VERIFY(!probe.messages.isEmpty());
            notice = probe.next();
            QCOMPARE(notice, step.expected);
            const DepositKind slot = DepositKind::Update;
            QVERIFY(ScreenReplay::apply(shown, notice, probe.deposits.value(int(slot))));
            QCOMPARE(shown, host.shownPicture());
        }
        QCOMPARE(shown, host.reducedDesktop());
    }
}

void TestLocalGwHost::updateWaitsForAChange() {
    SimulatedHost host(quietConfig());
    HostProbe probe(host);
    host.join();
    host.command("GScr");
    probe.next();
    host.command("UScr");
    QVERIFY(host.updateWanted());
    QTest::qWait(150);
    QVERIFY(probe.messages.isEmpty()); // nothing changed, nothing sent

    host.command("SSup"); // stop: a change now sends nothing
    host.advanceClock();
    QTest::qWait(150);
    QVERIFY(probe.messages.isEmpty());

    host.command("UScr");
    QCOMPARE(probe.next(), QByteArray("UScr?md1"));
    QVERIFY(!host.updateWanted());
}

void TestLocalGwHost::changedRectsCoverExactlyTheChangedTiles() {
    QRandomGenerator gen(42);
    for (int round = 0; round < 40; ++round) {
        const QSize size(50 + int(gen.bounded(300)), 40 + int(gen.bounded(200)));
        QImage a(size, QImage::Format_RGB32);
        a.fill(Qt::white);
        QImage b = a;
        const int spots = int(gen.bounded(12));
        for (int i = 0; i < spots; ++i)
            b.setPixel(int(gen.bounded(size.width())), int(gen.bounded(size.height())), 0xff000000);
        const QList<QRect> rects = ScreenEncoder::changedRects(a, b, 16);
        // Painting the rectangles of b over a gives b, and each rectangle holds a change of its
        // own tiles only (no rectangle overlaps another).
        QImage patched = a;
        QPainter p(&patched);
        for (const QRect &r : rects) {
            QVERIFY(QRect(QPoint(0, 0), size).contains(r));
            p.drawImage(r.topLeft(), b.copy(r));
            for (const QRect &other : rects)
                QVERIFY(&r == &other || !r.intersects(other));
        }
        p.end();
        QCOMPARE(patched, b);
        if (spots == 0)
            QVERIFY(rects.isEmpty());
    }
}

void TestLocalGwHost::desktopKeptDrawnIsTheFreshDrawing() {
    // Every change redraws only what it touches: the desktop's own, the input windows drawn
    // over it, the Ctrl-Alt-Del screen. After any mix of them the kept drawing is the drawing
    // made from scratch, and a moved pointer redraws a small part of the screen.
    SimulatedHost host(quietConfig());
    host.join();
    SyntheticDesktop &d = host.desktop();
    QRandomGenerator gen(7);
    auto at = [&](int w, int h) {
        return QByteArray::number(int(gen.bounded(w))) + "-" +
               QByteArray::number(int(gen.bounded(h)));
    };
    const QPoint button = host.input().buttonRect().center();
    const QByteArray onButton =
        QByteArray::number(button.x()) + "-" + QByteArray::number(button.y());
    const std::function<void()> changes[] = {
        [&] { host.command("MoMo?" + at(840, 640)); },
        [&] { host.command("MsCl?1-" + at(800, 600) + "-1-0"); },
        [&] { host.command("MsCl?1-" + onButton + "-1-2"); },
        [&] { host.command("MsCl?1-539-220-1-0"); }, // the task manager's close box
        [&] {
            const QPoint title = host.input().titleBar().center();
            host.command("StDr?" + QByteArray::number(title.x()) + "-" +
                         QByteArray::number(title.y()) + "-" + at(800, 600) + "-1-0");
            host.command("MoUp?" + at(800, 600) + "-1");
        },
        [&] { host.command(gen.bounded(2) ? "MWhl?-240" : "MWhl?120"); },
        [&] { host.command("KbdP?#0-" + QByteArray::number(97 + int(gen.bounded(26))) + "-0"); },
        [&] { host.command("KbdP?#8-0-0"); },
        [&] { host.command("KbdP?#91-0-0"); },  // start menu
        [&] { host.command("KbdP?#9-0-4"); },   // Alt+Tab
        [&] { host.command("KbdP?#115-0-4"); }, // Alt+F4
        [&] { host.command(gen.bounded(2) ? "sCAD" : "TMgr"); },
        [&] { host.command(gen.bounded(2) ? "DiWP" : "EnWP"); },
        [&] { host.advanceClock(int(gen.bounded(100))); },
        [&] {
            d.setNote(QStringLiteral("Clipboard: a rather long note that runs past the window"));
        },
        [&] { d.setHostName(QStringLiteral("PC-%1").arg(gen.bounded(100))); },
        [&] { d.setDepthLabel(gen.bounded(2) ? 8 : 15); },
    };
    for (int round = 0; round < 150; ++round) {
        const int steps = 1 + int(gen.bounded(3));
        for (int i = 0; i < steps; ++i)
            changes[gen.bounded(int(std::size(changes)))]();
        d.redraw();
        QVERIFY2(d.frame() == d.render(), qPrintable(QStringLiteral("round %1").arg(round)));
    }
    host.command("MoMo?100-500");
    d.redraw();
    host.command("MoMo?110-505");
    const QRegion redrawn = d.redraw();
    QVERIFY(!redrawn.isEmpty());
    qint64 area = 0;
    for (const QRect &r : redrawn)
        area += qint64(r.width()) * r.height();
    QVERIFY2(area < 2000, qPrintable(QString::number(area)));
    QVERIFY(d.redraw().isEmpty());
}

void TestLocalGwHost::screenProgramFaults() {
    GatewayConfig c = quietConfig();
    c.nschIntervalMs = 20;
    SimulatedHost host(c);
    HostProbe probe(host);
    host.join();
    QTRY_VERIFY(probe.messages.contains("nSCh"));

    host.setScreenError("SCRNERR 12 no desktop");
    host.command("GScr");
    QCOMPARE(probe.next(), QByteArray("SErr?SCRNERR 12 no desktop"));
    host.command("GScr"); // the error was for one request
    QCOMPARE(probe.next(), QByteArray("GScr"));

    host.setScreenSilent(true);
    probe.messages.clear();
    host.command("GScr");
    host.command("UScr");
    QTest::qWait(120);
    QVERIFY(probe.messages.isEmpty()); // no picture and no "nSCh"
    host.command("RsPr");
    host.command("GScr");
    QCOMPARE(probe.take(), QByteArray("GScr"));
    QTRY_VERIFY(probe.messages.contains("nSCh"));

    host.control("15", {});
    QVERIFY(probe.messages.contains("SDum"));
}

void TestLocalGwHost::clipboardBothWays() {
    SimulatedHost host(quietConfig());
    HostProbe probe(host);
    host.join();

    host.command("DlCl?Txt");
    QCOMPARE(probe.next(), QByteArray("DlCl?Txt"));
    QVERIFY(probe.inflated(DepositKind::Clipboard).startsWith("Text from the remote clipboard"));
    QVERIFY(probe.inflated(DepositKind::Clipboard).endsWith('\0'));

    host.command("DlCl?BM");
    probe.next();
    const QByteArray dib = probe.inflated(DepositKind::Clipboard);
    QCOMPARE(qFromLittleEndian<quint32>(dib.constData()), 40u); // BITMAPINFOHEADER, no "BM"

    host.command("DlCl?All");
    probe.next();
    const QByteArray all = probe.inflated(DepositKind::Clipboard);
    QCOMPARE(all.left(5), QByteArray("\x01\x02\x01\x06\x00", 5)); // start, format 1, no name
    QCOMPARE(all.back(), '\0');

    host.setClipboardEmpty(true);
    host.command("DlCl?Txt");
    QCOMPARE(probe.next(), QByteArray("ClEr?Empty"));

    host.clipboardFromConsole("Txt", Zlib::deflate("pasted\0"));
    QCOMPARE(probe.next(), QByteArray("ClSt"));
    host.clipboardFromConsole("Txt", "not zlib");
    QCOMPARE(probe.next(), QByteArray("ClEr?Error"));
    host.clipboardFromConsole("All", HostileBodies::zlibBomb(16 << 20));
    QVERIFY(probe.next().startsWith("ClEr?>"));
}

void TestLocalGwHost::inputReachesTheDesktop() {
    SimulatedHost host(quietConfig());
    HostProbe probe(host);
    host.join();
    host.command("MoMo?120-80");
    QCOMPARE(host.desktop().pointer(), QPoint(120, 80));
    host.command("MsCl?1-300-200-1-0");
    QCOMPARE(host.desktop().pointer(), QPoint(300, 200));
    host.command("StDr?1-2-50-60-1-0");
    QCOMPARE(host.desktop().pointer(), QPoint(50, 60));
    host.command("MoMo?-40-99999"); // clamped into the screen
    QCOMPARE(host.desktop().pointer(), QPoint(0, 599));
    for (const char *key : {"KbdP?#72-72-1", "KbdP?#73-105-0", "KbdP?#8-8-0", "KbdP?#73-105-0"})
        host.command(key);
    QCOMPARE(host.desktop().typedText(), QStringLiteral("Hi"));
    QCOMPARE(host.receivedCommands().size(), 8);

    host.command("PcFo");
    QCOMPARE(probe.next(), QByteArray("StrlPcFo"));
    QVERIFY(probe.inflated(DepositKind::StringList).contains("[RUNP][HEAD]"));
    host.command("SvcS?Spooler&0");
    QCOMPARE(probe.next(), QByteArray("SvcS?Stopped"));
}

void TestLocalGwHost::everyHostileBodyIsAsAdvertised() {
    const QList<HostileKind> kinds = HostileBodies::all();
    QCOMPARE(kinds.size(), 13);
    const qsizetype bound = 32 << 20;
    for (HostileKind kind : kinds) {
        const QByteArray name = HostileBodies::name(kind);
        QCOMPARE(HostileBodies::fromName(name), std::optional<HostileKind>(kind));
        const QByteArray body = HostileBodies::body(kind, {320, 240});
        QVERIFY2(!body.isEmpty(), name.constData());
        Zlib::InflateError error;
        const auto inflated = Zlib::inflateBounded(body, bound, &error);
        switch (kind) {
        case HostileKind::ZlibBomb:
            QCOMPARE(error, Zlib::InflateError::TooLarge);
            break;
        case HostileKind::ZlibTruncated:
            QCOMPARE(error, Zlib::InflateError::Truncated);
            break;
        case HostileKind::RandomBytes:
            QVERIFY(!inflated);
            break;
        case HostileKind::ZlibOfGarbage:
            QVERIFY(inflated && !ScreenReplay::bmp(*inflated));
            break;
        case HostileKind::BmpHugeDimensions:
            QVERIFY(inflated);
            QCOMPARE(qFromLittleEndian<qint32>(inflated->constData() + 18), 1000000);
            QVERIFY(inflated->size() < 10000);
            break;
        case HostileKind::BmpHugePalette:
            QVERIFY(inflated);
            QCOMPARE(qFromLittleEndian<quint32>(inflated->constData() + 46), 0x7fffffffu);
            break;
        case HostileKind::BmpCutShort: {
            QVERIFY(inflated);
            const qint64 w = qFromLittleEndian<qint32>(inflated->constData() + 18);
            const qint64 h = qFromLittleEndian<qint32>(inflated->constData() + 22);
            QVERIFY(inflated->size() - 54 < w * h * 2);
            break;
        }
        case HostileKind::RectNegativeLength:
        case HostileKind::RectOverlongLength:
        case HostileKind::RectTruncatedLast: {
            QVERIFY(inflated);
            // Records up to the bad one are sound; then the list stops short of its end.
            const QList<ScreenReplay::Record> good = ScreenReplay::records(*inflated);
            qsizetype used = 0;
            for (const auto &r : good)
                used += 12 + r.image.size();
            QVERIFY(used < inflated->size());
            QCOMPARE(good.size(), kind == HostileKind::RectTruncatedLast    ? 2
                                  : kind == HostileKind::RectNegativeLength ? 1
                                                                            : 0);
            break;
        }
        case HostileKind::RectFarOutside: {
            QVERIFY(inflated);
            const QList<ScreenReplay::Record> recs = ScreenReplay::records(*inflated);
            QCOMPARE(recs.size(), 3);
            QCOMPARE(recs[0].x, 2000000000);
            QCOMPARE(recs[1].y, INT_MAX);
            break;
        }
        case HostileKind::HugeMessage:
            QCOMPARE(body.size(), 10 * 1024 * 1024);
            QVERIFY(body.startsWith("ChSt?"));
            break;
        case HostileKind::MillionLines:
            QVERIFY(inflated);
            QCOMPARE(inflated->count('\n'), 1000001);
            break;
        }
    }

    // Announced as a real deposit would be.
    SimulatedHost host(quietConfig());
    HostProbe probe(host);
    host.join();
    host.sendHostile(HostileKind::RectNegativeLength);
    QCOMPARE(probe.next(), QByteArray("UScr?md1"));
    host.sendHostile(HostileKind::BmpCutShort);
    QCOMPARE(probe.next(), QByteArray("GScr"));
    host.sendHostile(HostileKind::MillionLines);
    QCOMPARE(probe.next(), QByteArray("StrlGScM"));
    host.sendHostile(HostileKind::HugeMessage);
    QCOMPARE(probe.next().size(), 10 * 1024 * 1024);
}

QTEST_MAIN(TestLocalGwHost)
#include "tst_localgw_host.moc"
