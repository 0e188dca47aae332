#include <QtTest>

#include "X11Tools.h"

#include "desktop/DesktopBackend.h"
#include "platform/CursorNumbers.h"
#include "platform/WinKeyTable.h"
#include "x11/Wallpaper.h"
#include "x11/X11Desktop.h"

#include <QDBusConnection>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <xcb/xcb.h>

using namespace qhost;

// The X11 desktop backend on a real X server (Xvfb, started by host_x11.sh) with real X
// programs: what it grabs equals the display's own screenshot, drawing shows up as damage of
// just that part, clicks press an X program's button, typed text (Shift, AltGr, characters no
// key has) reaches a terminal's program, and the modes, wallpaper, cursor, the user's pointer
// and the session manager behave on that server as they do on a desktop.
using namespace x11tools;

class TestHostX11 : public QObject {
    Q_OBJECT
    std::unique_ptr<DesktopBackend> desktop;
    QImage frame;
    QTemporaryDir dir;
    QList<QProcess *> programs;

    QProcess *start(const QString &program, const QStringList &args,
                    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                    const QString &output = QString()) {
        auto *p = new QProcess(this);
        p->setProcessEnvironment(env);
        if (!output.isEmpty())
            p->setStandardOutputFile(output);
        p->start(program, args);
        programs.append(p);
        return p;
    }
    // The window's id once it is mapped.
    // The display's pixels as ImageMagick reads them, independent of the backend.
    static qint64 differences(const QImage &a, const QImage &b) {
        if (a.size() != b.size())
            return -1;
        qint64 n = 0;
        for (int y = 0; y < a.height(); ++y) {
            const auto *ra = reinterpret_cast<const quint32 *>(a.constScanLine(y));
            const auto *rb = reinterpret_cast<const quint32 *>(b.constScanLine(y));
            for (int x = 0; x < a.width(); ++x)
                n += ra[x] != rb[x];
        }
        return n;
    }
    // Grabs until the frame equals the screenshot (a program may still be drawing); the
    // regions grabbed on the way are added to `changed`.
    bool grabMatchesScreen(DesktopBackend &d, QImage &f, QRegion *changed = nullptr) {
        for (int i = 0; i < 50; ++i) {
            QCoreApplication::processEvents();
            const QRegion r = d.grab(f);
            if (changed)
                *changed += r;
            if (differences(f, screenshot()) == 0)
                return true;
        }
        return false;
    }
    // Grabs until nothing changes between two grabs.
    void settle() {
        QTRY_VERIFY_WITH_TIMEOUT(desktop->grab(frame).isEmpty() && desktop->grab(frame).isEmpty(),
                                 20000);
    }

private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display (host_x11.sh starts one)");
        QVERIFY(dir.isValid());
        desktop = CreateDesktopBackend();
        QVERIFY(desktop);
        QString error;
        QVERIFY2(desktop->open(&error), qPrintable(error));
        QCOMPARE(desktop->screenSize(), QSize(1280, 1024));
    }

    void cleanupTestCase() {
        if (desktop)
            desktop->close();
        for (QProcess *p : std::as_const(programs)) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    // The first grab is whole and equals the screenshot; drawing a window gives damage of just
    // that window; a new root colour gives the whole background; without drawing nothing.
    // The same without shared memory; a 16-bit display is refused.
    void capture() {
        run(QStringLiteral("xsetroot"), {QStringLiteral("-solid"), QStringLiteral("#204080")});
        start(QStringLiteral("xlogo"),
              {QStringLiteral("-geometry"), QStringLiteral("220x160+700+420")});
        window(QStringLiteral("xlogo"));
        QCOMPARE(desktop->grab(frame), QRegion(0, 0, 1280, 1024));
        QVERIFY(static_cast<x11::X11Desktop *>(desktop.get())->usesSharedMemory());
        QVERIFY(grabMatchesScreen(*desktop, frame));
        settle();

        QSignalSpy damaged(desktop.get(), &DesktopBackend::damaged);
        start(QStringLiteral("xlogo"), {QStringLiteral("-geometry"), QStringLiteral("100x80+50+60"),
                                        QStringLiteral("-name"), QStringLiteral("small")});
        const QRect small = geometry(window(QStringLiteral("small")));
        QTRY_VERIFY(damaged.count() > 0);
        QRegion changed;
        QVERIFY(grabMatchesScreen(*desktop, frame, &changed));
        QVERIFY(!changed.isEmpty());
        // The window with its border, nothing else.
        QVERIFY2(small.adjusted(-2, -2, 2, 2).contains(changed.boundingRect()),
                 qPrintable(QStringLiteral("changed %1,%2 %3x%4")
                                .arg(changed.boundingRect().x())
                                .arg(changed.boundingRect().y())
                                .arg(changed.boundingRect().width())
                                .arg(changed.boundingRect().height())));
        settle();

        damaged.clear();
        run(QStringLiteral("xsetroot"), {QStringLiteral("-solid"), QStringLiteral("#a03020")});
        QTRY_VERIFY(damaged.count() > 0);
        // Several notices of one burst of drawing come as one until the next grab.
        QCOMPARE(damaged.count(), 1);
        changed = QRegion();
        QVERIFY(grabMatchesScreen(*desktop, frame, &changed));
        QVERIFY(changed.contains(QPoint(0, 0)) && changed.contains(QPoint(1279, 1023)));
        QCOMPARE(QColor(frame.pixel(5, 5)), QColor(0xa0, 0x30, 0x20));
        QVERIFY(desktop->grab(frame).isEmpty());

        // A display of another pixel format is refused with a reason, not shown wrong.
        if (const QByteArray sixteenBits = qgetenv("QUORVIA_TEST_DEPTH16_DISPLAY");
            !sixteenBits.isEmpty()) {
            const QByteArray display = qgetenv("DISPLAY");
            qputenv("DISPLAY", sixteenBits);
            x11::X11Desktop sixteen;
            QString refusal;
            const bool opened = sixteen.open(&refusal);
            qputenv("DISPLAY", display);
            QVERIFY(!opened);
            QVERIFY2(refusal.contains(QLatin1String("16-bit")), qPrintable(refusal));
        }

        x11::X11Desktop plain;
        plain.setSharedMemoryAllowed(false);
        QString error;
        QVERIFY2(plain.open(&error), qPrintable(error));
        QVERIFY(!plain.usesSharedMemory());
        QImage plainFrame;
        QVERIFY(grabMatchesScreen(plain, plainFrame));
        plain.close();
    }

    // A click presses a real button; text typed under the US and the German layout, with
    // Shift, AltGr and characters that no key of the layout has, reaches a program reading a
    // terminal; the pointer's shape follows the window under it.
    void input() {
        QProcess *message = start(QStringLiteral("xmessage"),
                                  {QStringLiteral("-buttons"), QStringLiteral("Finish:7"),
                                   QStringLiteral("-geometry"), QStringLiteral("+300+200"),
                                   QStringLiteral("Press Finish")});
        const QString box = window(QStringLiteral("xmessage"));
        const QRect button = x11tools::xmessageButton(box);
        QVERIFY(!button.isNull());
        desktop->movePointer(button.center());
        desktop->pressButton(1, true);
        desktop->pressButton(1, false);
        QVERIFY(message->waitForFinished(20000));
        QCOMPARE(message->exitCode(), 7);

        QProcessEnvironment utf8 = QProcessEnvironment::systemEnvironment();
        utf8.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        const QString typed = dir.filePath(QStringLiteral("typed.txt"));
        QProcess *terminal =
            start(QStringLiteral("xterm"),
                  {QStringLiteral("-u8"), QStringLiteral("-T"), QStringLiteral("typing"),
                   QStringLiteral("-geometry"), QStringLiteral("60x8+100+600"),
                   QStringLiteral("-e"), QStringLiteral("sh"), QStringLiteral("-c"),
                   QStringLiteral("stty -echo; cat > '%1'").arg(typed)},
                  utf8);
        const QRect term = geometry(window(QStringLiteral("typing")));
        QSignalSpy cursor(desktop.get(), &DesktopBackend::cursorChanged);
        // Without a window manager the keyboard follows the pointer.
        desktop->movePointer(term.center());
        if (QDir(QStringLiteral("/usr/share/icons/Adwaita/cursors")).exists())
            QTRY_COMPARE(desktop->cursorNumber(), CursorNumber::IBeam);
        QVERIFY(cursor.isEmpty() || cursor.last().at(0).toInt() == desktop->cursorNumber());

        run(QStringLiteral("setxkbmap"), {QStringLiteral("us")});
        const QString first = QStringLiteral("Hello, World! (1+2=3) ~ \"quoted\"");
        for (QChar ch : first)
            desktop->typeCharacter(ch);
        desktop->typeCharacter(QLatin1Char('\r'));
        // A program reads its keys with the layout of the moment it gets to them: the line
        // must have arrived before the layout changes.
        auto content = [&] {
            QFile f(typed);
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(content(), first + QLatin1Char('\n'), 20000);
        run(QStringLiteral("setxkbmap"), {QStringLiteral("de")});
        // AltGr (@, €, {), Shift (Ä, ?), plain (ß), then characters the German map lacks: more
        // than there are spare keys at once.
        const QString second = QStringLiteral("@€{Ä?ß") + QString::fromUtf8("ñžőŵĉłŧđħĸ˝ŋ");
        for (QChar ch : second)
            desktop->typeCharacter(ch);
        desktop->typeCharacter(QLatin1Char('\r'));
        // Ctrl+D ends the program's input: virtual keys pressed and released as the console
        // sends them.
        desktop->key(17, false, true);
        desktop->key('D', false, true);
        desktop->key('D', false, false);
        desktop->key(17, false, false);
        QVERIFY(terminal->waitForFinished(30000));
        QCOMPARE(content(), first + QLatin1Char('\n') + second + QLatin1Char('\n'));
        // The spare keys get their empty mapping back once typing pauses.
        auto mapped = [](const char *keysym) {
            return QString::fromLatin1(run(QStringLiteral("xmodmap"), {QStringLiteral("-pke")}))
                .contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(keysym)));
        };
        QVERIFY(mapped("ntilde"));
        QTRY_VERIFY(!mapped("ntilde"));
        // A layout switch drops them too; the next missing character borrows again.
        desktop->typeCharacter(QChar(0xf1));
        run(QStringLiteral("setxkbmap"), {QStringLiteral("de")});
        QTRY_VERIFY(!mapped("ntilde"));
        desktop->typeCharacter(QChar(0xf1));
        QVERIFY(mapped("ntilde"));
        run(QStringLiteral("setxkbmap"), {QStringLiteral("us")});

        // Over the root window the server's own cursor, which has no name.
        desktop->movePointer(QPoint(5, 5));
        QTRY_COMPARE(desktop->cursorNumber(), CursorNumber::Default);
    }

    // Buttons, the wheel with notches made of smaller turns, and keys that are not characters
    // (function keys, the Windows key, Alt+Tab) as an X program sees them.
    void keysAndButtons() {
        const QString log = dir.filePath(QStringLiteral("xev.txt"));
        QProcess *xev = start(QStringLiteral("xev"),
                              {QStringLiteral("-geometry"), QStringLiteral("300x200+400+300"),
                               QStringLiteral("-event"), QStringLiteral("button"),
                               QStringLiteral("-event"), QStringLiteral("keyboard")},
                              QProcessEnvironment::systemEnvironment(), log);
        window(QStringLiteral("Event Tester"));
        desktop->movePointer(QPoint(500, 400));
        auto seen = [&](const QString &pattern) {
            QFile f(log);
            return f.open(QIODevice::ReadOnly) &&
                   QRegularExpression(pattern).match(QString::fromLatin1(f.readAll())).hasMatch();
        };
        desktop->pressButton(2, true); // right
        desktop->pressButton(2, false);
        QTRY_VERIFY(seen(QStringLiteral("ButtonRelease event[^\\n]*\\n[^\\n]*\\n[^\\n]*button 3")));
        desktop->pressButton(3, true); // middle
        desktop->pressButton(3, false);
        QTRY_VERIFY(seen(QStringLiteral("ButtonRelease event[^\\n]*\\n[^\\n]*\\n[^\\n]*button 2")));
        desktop->wheel(60);
        desktop->wheel(60); // a notch made of two halves
        QTRY_VERIFY(seen(QStringLiteral("button 4")));
        desktop->wheel(-240);
        QTRY_VERIFY(
            seen(QStringLiteral("button 5(.|\\n)*button 5(.|\\n)*button 5(.|\\n)*button 5")));
        desktop->key(116, false, true); // F5
        desktop->key(116, false, false);
        QTRY_VERIFY(seen(QStringLiteral("KeyRelease(.|\\n)*keysym 0xffc2, F5")));
        desktop->key(91, true, true); // the left Windows key
        desktop->key(91, true, false);
        QTRY_VERIFY(seen(QStringLiteral("KeyRelease(.|\\n)*Super_L")));
        desktop->key(18, false, true); // Alt+Tab
        desktop->key(9, false, true);
        desktop->key(9, false, false);
        desktop->key(18, false, false);
        QTRY_VERIFY(seen(QStringLiteral("state 0x8, keycode \\d+ \\(keysym 0xff09, Tab\\)")));
        desktop->key(46, true, true); // Delete, an extended key
        desktop->key(46, true, false);
        QTRY_VERIFY(seen(QStringLiteral("KeyRelease(.|\\n)*keysym 0xffff, Delete")));
        // Held keys and buttons go up with releaseAll.
        desktop->key(160, false, true);
        desktop->pressButton(1, true);
        desktop->releaseAll();
        QTRY_VERIFY(seen(QStringLiteral("KeyRelease(.|\\n)*Shift_L")));
        QTRY_VERIFY(
            seen(QStringLiteral("ButtonRelease event[^\\n]*\\n[^\\n]*\\n[^\\n]*button 1,")));
        xev->kill();
    }

    // The key table read backwards: the key the host presses for a virtual key is one the
    // console reads as that same virtual key, so a key crosses twice unchanged.
    void keyTableRoundTrip() {
        for (int vk = 1; vk < 256; ++vk) {
            for (bool extended : {false, true}) {
                const QList<quint32> keysyms = winkeys::KeysymsForVirtualKey(quint8(vk), extended);
                const bool listed =
                    std::any_of(std::begin(winkeys::keysymTable), std::end(winkeys::keysymTable),
                                [&](const winkeys::KeysymEntry &e) {
                                    return e.vk == vk && e.extended == extended;
                                });
                if (!listed)
                    continue;
                const winkeys::VirtualKey back = winkeys::VirtualKeyFromKeysym(keysyms.first());
                QVERIFY2(back.vk == vk && back.extended == extended,
                         qPrintable(QStringLiteral("virtual key %1%2 comes back as %3%4")
                                        .arg(vk)
                                        .arg(extended ? "e" : "")
                                        .arg(back.vk)
                                        .arg(back.extended ? "e" : "")));
            }
        }
        // Digits and punctuation keys go by place.
        QCOMPARE(winkeys::PlaceKeycodeForVirtualKey('1'), 10u);
        QCOMPARE(winkeys::PlaceKeycodeForVirtualKey(186), 47u);
    }

    // The desktop's own user: xdotool's moves and clicks are reported, ours are not.
    void userPointer() {
        QSignalSpy spy(desktop.get(), &DesktopBackend::userPointer);
        desktop->movePointer(QPoint(20, 30));
        desktop->pressButton(1, true);
        desktop->pressButton(1, false);
        run(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("640"), QStringLiteral("480")});
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.first().at(0).toPoint(), QPoint(640, 480));
        QCOMPARE(spy.first().at(1).toBool(), false);
        run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
        QTRY_VERIFY(std::any_of(spy.cbegin(), spy.cend(),
                                [](const QList<QVariant> &s) { return s.at(1).toBool(); }));
        for (const QList<QVariant> &s : std::as_const(spy)) {
            QCOMPARE(s.at(0).toPoint(), QPoint(640, 480));
        }
        QCOMPARE(std::count_if(spy.cbegin(), spy.cend(),
                               [](const QList<QVariant> &s) { return s.at(1).toBool(); }),
                 1);
    }

    // Xvfb lists its one mode, keeps it when asked for it and refuses any other. On a server
    // with modes (Xephyr): a switch resizes the screen and the next grab is whole, a change
    // made by another program is followed, close() gives the first mode back, and the
    // server's end is reported.
    void modes() {
        QCOMPARE(desktop->modes(), (QList<DesktopMode>{{QSize(1280, 1024), 24}}));
        QCOMPARE(desktop->currentMode(), (DesktopMode{QSize(1280, 1024), 24}));
        QVERIFY(desktop->setMode({QSize(1280, 1024), 24}));
        QVERIFY(!desktop->setMode({QSize(800, 600), 24}));
        QCOMPARE(desktop->currentMode().size, QSize(1280, 1024));

        const QByteArray modesDisplay = qgetenv("QUORVIA_TEST_MODES_DISPLAY");
        if (modesDisplay.isEmpty())
            QSKIP("no X server with screen modes (Xephyr)");
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DISPLAY", modesDisplay);
        auto size = [] {
            const QList<QByteArray> wh =
                run(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")})
                    .trimmed()
                    .split(' ');
            return QSize(wh.value(0).toInt(), wh.value(1).toInt());
        };
        x11::X11Desktop other;
        QString error;
        const bool opened = other.open(&error);
        qputenv("DISPLAY", display);
        QVERIFY2(opened, qPrintable(error));
        const QList<DesktopMode> list = other.modes();
        QVERIFY(list.contains(DesktopMode{QSize(800, 600), 24}));
        QVERIFY(list.contains(DesktopMode{QSize(1024, 768), 24}));
        QCOMPARE(list.count(DesktopMode{QSize(1280, 1024), 24}), 1);
        QCOMPARE(other.currentMode().size, QSize(1280, 1024));
        QImage f;
        QCOMPARE(other.grab(f), QRegion(0, 0, 1280, 1024));

        QSignalSpy resized(&other, &DesktopBackend::screenSizeChanged);
        QVERIFY(other.setMode({QSize(800, 600), 24}));
        QTRY_COMPARE(resized.count(), 1);
        QCOMPARE(resized.last().at(0).toSize(), QSize(800, 600));
        QCOMPARE(other.screenSize(), QSize(800, 600));
        QCOMPARE(other.currentMode().size, QSize(800, 600));
        QCOMPARE(other.grab(f), QRegion(0, 0, 800, 600));
        QCOMPARE(f.size(), QSize(800, 600));
        QVERIFY(!other.setMode({QSize(1234, 567), 24}));

        // Another program's switch is followed too.
        qputenv("DISPLAY", modesDisplay);
        run(QStringLiteral("xrandr"), {QStringLiteral("-s"), QStringLiteral("1024x768")});
        QTRY_COMPARE(other.screenSize(), QSize(1024, 768));
        QCOMPARE(other.grab(f), QRegion(0, 0, 1024, 768));

        other.close();
        QCOMPARE(size(), QSize(1280, 1024));

        // The server goes away under an open backend: it says so and closes.
        x11::X11Desktop doomed;
        QVERIFY(doomed.open(&error));
        qputenv("DISPLAY", display);
        QSignalSpy lost(&doomed, &DesktopBackend::desktopLost);
        QVERIFY(::kill(qEnvironmentVariableIntValue("QUORVIA_TEST_MODES_PID"), SIGTERM) == 0);
        QTRY_COMPARE(lost.count(), 1);
        QCOMPARE(doomed.screenSize(), QSize());
        doomed.movePointer(QPoint(1, 1)); // nothing to send it to, and no harm
        QVERIFY(doomed.grab(f).isEmpty());
    }

    // A root without a wallpaper picture has nothing to hide; with one (published as
    // _XROOTPMAP_ID, as wallpaper setters do) it gives way to a plain colour and comes back.
    void wallpaper() {
        settle();
        QVERIFY(!desktop->setWallpaperVisible(false));

        xcb_connection_t *c = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(c));
        xcb_screen_t *s = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const xcb_pixmap_t picture = xcb_generate_id(c);
        xcb_create_pixmap(c, s->root_depth, picture, s->root, 64, 64);
        const xcb_gcontext_t gc = xcb_generate_id(c);
        uint32_t colour = 0x30a050;
        xcb_create_gc(c, gc, picture, XCB_GC_FOREGROUND, &colour);
        const xcb_rectangle_t whole{0, 0, 64, 64};
        xcb_poly_fill_rectangle(c, picture, gc, 1, &whole);
        colour = 0xf0e020;
        xcb_change_gc(c, gc, XCB_GC_FOREGROUND, &colour);
        const xcb_rectangle_t corner{0, 0, 32, 32};
        xcb_poly_fill_rectangle(c, picture, gc, 1, &corner);
        xcb_change_window_attributes(c, s->root, XCB_CW_BACK_PIXMAP, &picture);
        xcb_clear_area(c, 0, s->root, 0, 0, 0, 0);
        const char name[] = "_XROOTPMAP_ID";
        auto *atom =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
        QVERIFY(atom);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, s->root, atom->atom, XCB_ATOM_PIXMAP, 32, 1,
                            &picture);
        free(atom);
        // A round trip: the server has done all of it before the backend looks.
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        QTRY_COMPARE((desktop->grab(frame), frame.pixel(10, 10)), QColor(0xf0, 0xe0, 0x20).rgb());

        QVERIFY(desktop->setWallpaperVisible(false));
        QVERIFY(desktop->setWallpaperVisible(false)); // already hidden
        QTRY_COMPARE((desktop->grab(frame), frame.pixel(10, 10)),
                     0xff000000u | x11::Wallpaper::plainColour);
        QVERIFY(grabMatchesScreen(*desktop, frame));
        QVERIFY(desktop->setWallpaperVisible(true));
        QTRY_COMPARE((desktop->grab(frame), frame.pixel(10, 10)), QColor(0xf0, 0xe0, 0x20).rgb());
        QCOMPARE(frame.pixel(40, 40), QColor(0x30, 0xa0, 0x50).rgb());

        // Hidden when the session ends: close() puts it back.
        x11::X11Desktop other;
        QString error;
        QVERIFY(other.open(&error));
        QVERIFY(other.setWallpaperVisible(false));
        QTRY_COMPARE((desktop->grab(frame), frame.pixel(10, 10)),
                     0xff000000u | x11::Wallpaper::plainColour);
        other.close();
        QTRY_COMPARE((desktop->grab(frame), frame.pixel(10, 10)), QColor(0xf0, 0xe0, 0x20).rgb());
        xcb_disconnect(c);

        // A desktop that draws its own wallpaper is told through its settings, and its own
        // choice comes back; one that draws it in a window of its own is left alone.
        const QString bin = dir.filePath(QStringLiteral("settings-bin"));
        const QString stored = dir.filePath(QStringLiteral("picture-options"));
        QVERIFY(QDir().mkpath(bin));
        QFile gsettings(bin + QStringLiteral("/gsettings"));
        QVERIFY(gsettings.open(QIODevice::WriteOnly));
        gsettings.write(
            QStringLiteral("#!/bin/sh\n"
                           "[ \"$2 $3\" = \"org.gnome.desktop.background picture-options\" ] "
                           "|| exit 1\n"
                           "case $1 in get) echo \"'$(cat '%1')'\";; set) echo \"$4\" > "
                           "'%1';; *) exit 1;; esac\n")
                .arg(stored)
                .toUtf8());
        gsettings.close();
        gsettings.setPermissions(gsettings.permissions() | QFile::ExeOwner);
        QFile option(stored);
        QVERIFY(option.open(QIODevice::WriteOnly));
        option.write("zoom\n");
        option.close();
        auto storedOption = [&] {
            QFile f(stored);
            return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
        };
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toUtf8() + ':' + path);
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        QVERIFY(desktop->setWallpaperVisible(false));
        QCOMPARE(storedOption(), QByteArray("none"));
        QVERIFY(desktop->setWallpaperVisible(true));
        QCOMPARE(storedOption(), QByteArray("zoom"));
        qputenv("XDG_CURRENT_DESKTOP", "XFCE");
        QVERIFY(!desktop->setWallpaperVisible(false));
        qputenv("XDG_CURRENT_DESKTOP", "");
        qputenv("PATH", path);
    }

    // Ctrl-Alt-Del locks the session through logind; the task manager is the first installed
    // system monitor.
    void sessionManager() {
        const QString bin = dir.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(bin));
        const QString marker = dir.filePath(QStringLiteral("started"));
        for (const char *name : {"xfce4-taskmanager", "lxtask"}) {
            QFile script(bin + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\necho %1 >> '%2'\n")
                             .arg(QLatin1String(name), marker)
                             .toUtf8());
            script.close();
            script.setPermissions(script.permissions() | QFile::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toUtf8() + ':' + path);
        // Only where none of the real ones is installed is the choice ours to see.
        const bool realOne =
            !QStandardPaths::findExecutable(QStringLiteral("gnome-system-monitor")).isEmpty() ||
            !QStandardPaths::findExecutable(QStringLiteral("ksysguard")).isEmpty() ||
            !QStandardPaths::findExecutable(QStringLiteral("plasma-systemmonitor")).isEmpty();
        QVERIFY(desktop->openTaskManager());
        qputenv("PATH", path);
        if (!realOne) {
            // The script creates the file before it writes its line.
            QTRY_COMPARE(
                [&] {
                    QFile m(marker);
                    return m.open(QIODevice::ReadOnly) ? m.readAll() : QByteArray();
                }(),
                QByteArray("xfce4-taskmanager\n"));
        }

        if (qEnvironmentVariableIsEmpty("QUORVIA_TEST_LOGIND"))
            QSKIP("no logind stand-in (python3-dbusmock)");
        QDBusConnection bus = QDBusConnection::systemBus();
        QVERIFY(bus.isConnected());
        QSignalSpy locked(this, SIGNAL(lockSeen()));
        QVERIFY(bus.connect(QString(), QStringLiteral("/org/freedesktop/login1/session/c1"),
                            QStringLiteral("org.freedesktop.login1.Session"),
                            QStringLiteral("Lock"), this, SIGNAL(lockSeen())));
        QVERIFY(desktop->lockScreen());
        QTRY_COMPARE(locked.count(), 1);
    }

signals:
    void lockSeen();
};

QTEST_GUILESS_MAIN(TestHostX11)
#include "tst_host_x11.moc"
