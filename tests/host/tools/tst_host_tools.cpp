// The host program's support tools against a recording console link, read back with the
// console's own parsers: files on a drive table (hostile names and links out refused, uploads
// atomic), the clipboard both ways (cross-checked with xclip on a virtual display), the chat
// with its typing notices and window, and the system report with its actions.
#include "ChatFeature.h"
#include "ChatView.h"
#include "ChatWindow.h"
#include "ClipboardFeature.h"
#include "FilesFeature.h"
#include "MountTable.h"
#include "ProcessTable.h"
#include "RecordingLink.h"
#include "ServiceControl.h"
#include "SystemInfoFeature.h"
#include "SystemdServices.h"
#include "common/Cp1252.h"
#include "common/Zlib.h"
#include "tools/ClipboardContent.h"
#include "tools/ClipboardStream.h"
#include "tools/HostInfoReport.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <unistd.h>

using namespace qhost;

namespace {

QByteArrayList listLines(const QByteArray &zlibBody) {
    const auto text = Zlib::inflateBounded(zlibBody, 64 << 20);
    if (!text)
        return {};
    QByteArrayList lines = text->split('\n');
    for (QByteArray &l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           !QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty();
}

QByteArray xclip(const QStringList &args, const QByteArray &input = {}) {
    QProcess p;
    p.start(QStringLiteral("xclip"),
            QStringList{QStringLiteral("-selection"), QStringLiteral("clipboard")} + args);
    if (!input.isNull()) {
        p.write(input);
        p.closeWriteChannel();
    }
    // xclip may talk to this process's clipboard owner: the event loop keeps running.
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 10000))
        p.kill();
    return p.readAllStandardOutput();
}

// The user's chat window without widgets: what it showed and a hand to act as the user.
struct RecordingView : ChatView {
    bool shown = false;
    bool askedByOperator = false;
    QStringList lines;
    bool typing = false;
    void open(bool operatorAsked) override {
        shown = true;
        askedByOperator = operatorAsked;
    }
    void close() override { shown = false; }
    bool isOpen() const override { return shown; }
    void showOperatorLine(const QString &text) override { lines.append(text); }
    void showOperatorTyping(bool t) override { typing = t; }
};

struct FakeServices : ServiceControl {
    QList<Service> services{
        {QStringLiteral("cups"), QStringLiteral("CUPS Scheduler"), QStringLiteral("Running")},
        {QStringLiteral("ssh"), QStringLiteral("OpenBSD Secure Shell"), QStringLiteral("Stopped")}};
    bool refuse = false;
    std::optional<QList<Service>> list() override { return services; }
    void setRunning(const QString &name, bool run,
                    std::function<void(const QString &)> done) override {
        for (Service &s : services)
            if (s.name == name) {
                if (!refuse)
                    s.state = run ? QStringLiteral("Running") : QStringLiteral("Stopped");
                done(s.state);
                return;
            }
        done(QStringLiteral("Stopped"));
    }
};

} // namespace

class TestHostTools : public QObject {
    Q_OBJECT

private slots:
    // systemd's manager mocked on a private bus (python3-dbusmock): the services listed,
    // started and stopped, and an unknown one answered as stopped. Runs first: the process's
    // system bus connection is made once, to the address set here.
    void systemdServicesOverDBus() {
        const QString python =
            QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")});
        if (python.isEmpty() || daemon.isEmpty() || !probe.waitForFinished() ||
            probe.exitCode() != 0)
            QSKIP("dbus-daemon or python3-dbusmock missing (scripts/deps.sh)");
        QTemporaryDir dir;
        QProcess bus;
        bus.start(daemon,
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--nopidfile"), QStringLiteral("--print-address"),
                   QStringLiteral("--address=unix:path=") + dir.path() + QStringLiteral("/bus")});
        QTRY_VERIFY(bus.canReadLine());
        const QByteArray address = bus.readLine().trimmed();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        QProcess mock;
        mock.start(python, {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                            QStringLiteral("--template"), QStringLiteral("systemd")});
        const QString manager = QStringLiteral("org.freedesktop.systemd1");
        QDBusConnection system = QDBusConnection::systemBus();
        QVERIFY(system.isConnected());
        QTRY_VERIFY(system.interface()->isServiceRegistered(manager));
        auto mockCall = [&](const QString &method, const QVariantList &args) {
            QDBusMessage m =
                QDBusMessage::createMethodCall(manager, QStringLiteral("/org/freedesktop/systemd1"),
                                               QStringLiteral("org.freedesktop.DBus.Mock"), method);
            m.setArguments(args);
            const QDBusMessage r = system.call(m);
            QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
        };
        // The template has no ListUnits: it lists its units with their active state.
        mockCall(QStringLiteral("AddMethod"),
                 {QStringLiteral("org.freedesktop.systemd1.Manager"), QStringLiteral("ListUnits"),
                  QString(), QStringLiteral("a(ssssssouso)"),
                  QStringLiteral("ret = [(n, 'Mock ' + n, 'loaded', "
                                 "objects[p].Get('org.freedesktop.systemd1.Unit', "
                                 "'ActiveState'), 'running', '', dbus.ObjectPath(p), "
                                 "dbus.UInt32(0), '', dbus.ObjectPath('/')) "
                                 "for n, p in self.units.items()]")});
        mockCall(QStringLiteral("AddMockUnit"), {QStringLiteral("cups.service")});
        mockCall(QStringLiteral("AddMockUnit"), {QStringLiteral("cups.socket")});

        SystemdServices services;
        const auto listed = services.list();
        QVERIFY(listed);
        QCOMPARE(listed->size(), 1);
        QCOMPARE(listed->value(0).name, QStringLiteral("cups"));
        QCOMPARE(listed->value(0).state, QStringLiteral("Stopped"));

        RecordingLink link;
        SystemInfoFeature info(link, std::shared_ptr<ServiceControl>(&services, [](auto *) {}),
                               nullptr);
        info.command("SvcS", "cups&1");
        QTRY_COMPARE(link.said.value(0), QByteArray("SvcS?Running"));
        QCOMPARE(services.list()->value(0).state, QStringLiteral("Running"));
        info.command("SvcS", "cups&0");
        QTRY_COMPARE(link.said.value(1), QByteArray("SvcS?Stopped"));
        info.command("SvcS", "nosuch&1");
        QTRY_COMPARE(link.said.value(2), QByteArray("SvcS?Stopped"));
        info.command("SvcS", "../../etc&1");
        QCOMPARE(link.said.value(3), QByteArray("SvcS?Stopped"));

        mock.kill();
        mock.waitForFinished();
        bus.kill();
        bus.waitForFinished();
    }

    // The home and a volume as drives: listing, both transfers with the panel's activity, and
    // every way out of the drives refused.
    void filesStayInTheirDrives() {
        QTemporaryDir home, volume, outside;
        QDir(home.path()).mkpath(QStringLiteral("Docs"));
        writeFile(home.path() + QStringLiteral("/Docs/report.txt"), QByteArray(70000, 'r'));
        writeFile(outside.path() + QStringLiteral("/secret.txt"), "secret");
        QVERIFY(QFile::link(outside.path(), home.path() + QStringLiteral("/out")));
        QVERIFY(QFile::link(outside.path() + QStringLiteral("/secret.txt"),
                            home.path() + QStringLiteral("/Docs/secret.txt")));
        QVERIFY(QFile::link(outside.path() + QStringLiteral("/planted.txt"),
                            home.path() + QStringLiteral("/Docs/planted.txt")));

        RecordingLink link;
        FilesFeature files(
            link, {{QStringLiteral("C"), home.path(), 3}, {QStringLiteral("E"), volume.path(), 2}});
        QList<std::pair<QString, int>> activity;
        connect(&files, &HostFeature::activity, this, [&](const QString &what, int percent) {
            activity.append({what, percent});
        });

        QVERIFY(files.command("Drvs", {}));
        QCOMPARE(link.said.last(), QByteArray("Drvs?C:-C:3-E:2-"));
        QVERIFY(files.command("Gdir", "C%3A"));
        QCOMPARE(link.said.last(), QByteArray("StrlGdir"));
        QVERIFY(listLines(link.deposits["list"]).contains("Docs"));

        // Hostile paths and names: nothing listed, created, sent or written.
        for (const QByteArray &path : {QByteArray("C%3A%5C..%5C.."), QByteArray("C%3A%5Cout"),
                                       QByteArray("%2Fetc"), QByteArray("Q%3A")}) {
            files.command("Gfil", path);
            QCOMPARE(listLines(link.deposits["list"]), QByteArrayList{"%Empty%"});
        }
        files.command("Cdir", "C:\\out\\made");
        QCOMPARE(link.said.last(), QByteArray("Cdir?Invalid path"));
        QVERIFY(!QFileInfo::exists(outside.path() + QStringLiteral("/made")));
        files.command("Cdir", QByteArray("C:\\Docs\\a\0b", 11));
        QCOMPARE(link.said.last(), QByteArray("Cdir?Invalid path"));
        files.command("Rdir", "C:\\out&C:\\moved");
        QCOMPARE(link.said.last(), QByteArray("Rdir?Folder could not be renamed"));
        for (const QByteArray &param :
             {QByteArray("C:\\Docs\\&secret.txt"), QByteArray("C:\\Docs\\&..\\..\\etc\\passwd"),
              QByteArray("C:\\Docs\\&CON")}) {
            files.command("Sfil", param);
            QCOMPARE(link.said.last(), QByteArray("SfSt?NOK:Invalid file name"));
        }
        files.upload("C:\\Docs\\", "/planted.txt", "planted");
        QCOMPARE(link.said.last(), QByteArray("RfSt?NOK:Invalid target"));
        files.upload("C:\\out\\", "/x.txt", "x");
        QCOMPARE(link.said.last(), QByteArray("RfSt?NOK:Invalid target"));
        QVERIFY(!QFileInfo::exists(outside.path() + QStringLiteral("/planted.txt")));
        QVERIFY(link.files.isEmpty());

        // A file to the console: the body goes out before the "Sfil" that names it.
        files.command("Sfil", "C:\\Docs\\&report.txt");
        QTRY_VERIFY(link.saidStarting("Sfil?"));
        QCOMPARE(link.files.size(), 1);
        QCOMPARE(link.files[0].first, QByteArray("report.txt"));
        QCOMPARE(Zlib::inflateBounded(link.files[0].second, 1 << 20).value_or(QByteArray()),
                 QByteArray(70000, 'r'));
        QVERIFY(link.fileAt < link.said.indexOf("Sfil?report.txt&" +
                                                QByteArray::number(link.files[0].second.size())));

        // A file from the console onto the volume, in place only once whole.
        const QByteArray body(300000, 'u');
        files.upload("E:\\", "notes.txt", Zlib::deflate(body));
        QTRY_VERIFY(link.said.last() == "RfSt?OK");
        QFile written(volume.path() + QStringLiteral("/notes.txt"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), body);
        QCOMPARE(QDir(volume.path()).entryList(QDir::Files), QStringList{"notes.txt"});
        // A damaged upload leaves the file that was there.
        files.upload("E:\\", "notes.txt", "not zlib");
        QTRY_VERIFY(link.said.last().startsWith("RfSt?NOK"));
        written.seek(0);
        QCOMPARE(written.readAll(), body);

        // Both transfers were shown while they ran and ended.
        auto shown = [&](const QString &start) {
            bool during = false, ended = false;
            for (const auto &[what, percent] : activity) {
                during = during || (what.startsWith(start) && percent >= 0);
                ended = ended || (what.startsWith(start) && percent == -1);
            }
            return during && ended;
        };
        QVERIFY(shown(QStringLiteral("Sending report.txt")));
        QVERIFY(shown(QStringLiteral("Receiving notes.txt")));

        // Without a table: the home as C:, then the volumes of the mount table.
        FilesFeature user(link, {});
        user.command("Drvs", {});
        QVERIFY(link.said.last().startsWith("Drvs?C:-C:3-"));
        QCOMPARE(user.files().drives().value(0).root, QDir::homePath());
        QCOMPARE(user.files().drives().size(), 1 + MountTable::userVolumes().size());
    }

    void userVolumesFromTheMountTable() {
        const QByteArray table =
            "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
            "30 22 0:5 / /home rw - ext4 /dev/sda2 rw\n"
            "31 22 8:17 / /media/ann/USB\\040STICK rw,nosuid - vfat /dev/sdb1 rw\n"
            "32 22 0:40 / /run/media/ann rw - tmpfs tmpfs rw\n"
            "33 32 8:33 / /run/media/ann/Disc rw shared:5 - iso9660 /dev/sr0 ro\n"
            "34 22 8:49 / /mnt/data rw - ext4 /dev/sdc1 rw\n"
            "35 22 8:49 / /mnt/data rw - ext4 /dev/sdc1 rw\n"
            "36 22 8:50 / /media/../etc rw - ext4 /dev/sdc2 rw\n"
            "37 22 8:51 / /media/bad\\08 rw - ext4 /dev/sdc3 rw\n"
            "garbage line\n";
        QCOMPARE(MountTable::userVolumes(table),
                 (QStringList{"/media/ann/USB STICK", "/mnt/data", "/run/media/ann/Disc"}));
    }

    // The console's three forms both ways through the application's clipboard; on X the
    // CLIPBOARD selection, read and written by another program too.
    void clipboardBothWays() {
        QClipboard *cb = QGuiApplication::clipboard();
        RecordingLink link;
        ClipboardFeature clip(link, cb);
        using namespace ClipboardContent;

        cb->clear();
        QTRY_VERIFY(!cb->mimeData() || cb->mimeData()->formats().isEmpty() || !onX11());
        clip.command("DlCl", "Txt");
        QCOMPARE(link.said.last(), QByteArray("ClEr?Empty"));

        const QString text = QStringLiteral("Grüße, 20 € <b>not bold</b>\nline two");
        if (onX11()) {
            xclip({QStringLiteral("-i"), QStringLiteral("-t"), QStringLiteral("UTF8_STRING")},
                  text.toUtf8());
        } else {
            auto *data = new QMimeData;
            data->setText(text);
            data->setHtml(QStringLiteral("<p>Grüße</p>"));
            cb->setMimeData(data);
        }
        QTRY_COMPARE(cb->text(), text);
        QVERIFY(clip.command("DlCl", "All"));
        QCOMPARE(link.said.last(), QByteArray("DlCl?All"));
        QCOMPARE(link.depositedAt["clipboard"], link.said.size() - 1);
        const auto content = Zlib::inflateBounded(link.deposits["clipboard"], 5000000);
        QVERIFY(content);
        const std::unique_ptr<QMimeData> back = mimeDataOf(*content, All);
        QVERIFY(back);
        QCOMPARE(back->text(), text);
        if (!onX11())
            QVERIFY(back->html().contains(QStringLiteral("Grüße")));
        // An unknown code is read as the whole clipboard, and answered as such.
        clip.command("DlCl", "X&y");
        QCOMPARE(link.said.last(), QByteArray("DlCl?All"));

        // The console's upload, made by its own encoder.
        QMimeData upload;
        upload.setText(QStringLiteral("from the operator: déjà vu"));
        clip.clipboard("Txt", Zlib::deflate(contentOf(&upload, Text)));
        QCOMPARE(link.said.last(), QByteArray("ClSt"));
        QTRY_COMPARE(cb->text(), upload.text());
        if (onX11())
            QCOMPARE(QString::fromUtf8(xclip({QStringLiteral("-o"), QStringLiteral("-t"),
                                              QStringLiteral("UTF8_STRING")})),
                     upload.text());
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(qRgb(10, 200, 30));
        clip.clipboard("BM", Zlib::deflate(dibOf(picture)));
        QCOMPARE(link.said.last(), QByteArray("ClSt"));
        QTRY_VERIFY(!cb->image().isNull());
        QCOMPARE(cb->image().convertToFormat(QImage::Format_RGB32), picture);
        clip.command("DlCl", "BM");
        QCOMPARE(imageOfDib(Zlib::inflateBounded(link.deposits["clipboard"], 5000000).value())
                     .value_or(QImage())
                     .convertToFormat(QImage::Format_RGB32),
                 picture);

        // Bad uploads change nothing.
        clip.clipboard("All", Zlib::deflate("\x01\x02"));
        QCOMPARE(link.said.last(), QByteArray("ClEr?Error"));
        clip.clipboard("Txt", Zlib::deflate(QByteArray(5000001, 'x')));
        QCOMPARE(link.said.last(), QByteArray("ClEr?>4883"));
        clip.clipboard("Nope", Zlib::deflate("abc"));
        QCOMPARE(link.said.last(), QByteArray("ClEr?Error"));
        clip.clipboard("Txt", Zlib::deflate(""));
        QCOMPARE(link.said.last(), QByteArray("ClEr?Empty"));
        QVERIFY(!cb->image().isNull());
    }

    void chatTypingAndLines() {
        RecordingLink link;
        {
            ChatFeature refused(link, nullptr);
            refused.command("RqCh", {});
            QCOMPARE(link.said.last(), QByteArray("ChDn"));
        }
        RecordingView *view = nullptr;
        ChatFeature chat(link, [&] {
            auto v = std::make_unique<RecordingView>();
            view = v.get();
            return v;
        });
        link.said.clear();
        chat.command("RqCh", {});
        QVERIFY(view && view->shown && view->askedByOperator);
        chat.command("RTpg", {});
        QVERIFY(view->typing);
        chat.command("ChSt", toCp1252(QStringLiteral("Grüße <i>x</i>")));
        QCOMPARE(view->lines, QStringList{QStringLiteral("Grüße <i>x</i>")});
        QVERIFY(!view->typing);
        // The user types a character, deletes it, types again and sends.
        view->inputChanged(true);
        view->inputChanged(true);
        view->inputChanged(false);
        view->inputChanged(true);
        view->sent(QStringLiteral("Merci, ça marche"));
        view->inputChanged(false);
        view->shown = false;
        view->closedByUser();
        QCOMPARE(link.said, (QByteArrayList{"RTpg", "RsTp", "RTpg",
                                            "ChSt?" + toCp1252(QStringLiteral("Merci, ça marche")),
                                            "RsTp", "StCh"}));
        chat.openByUser();
        QCOMPARE(link.said.last(), QByteArray("RqCh"));
        QVERIFY(view->shown && !view->askedByOperator);
        chat.command("StCh", {});
        QVERIFY(!view->shown);
        QCOMPARE(link.said.last(), QByteArray("RqCh"));
    }

    // The window itself, as the user works it with the keyboard.
    void chatWindowByKeyboard() {
        RecordingLink link;
        ChatWindow *window = nullptr;
        ChatFeature chat(link, [&] {
            auto w = std::make_unique<ChatWindow>();
            window = w.get();
            return w;
        });
        chat.command("RqCh", {});
        QVERIFY(window && window->isVisible());
        chat.command("ChSt", "<b>bold?</b>");
        QVERIFY(window->conversation().contains(QStringLiteral("<b>bold?</b>")));
        for (QWidget *w : window->findChildren<QWidget *>())
            if (qobject_cast<QPushButton *>(w) || qobject_cast<QPlainTextEdit *>(w) ||
                qobject_cast<QTextEdit *>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        auto *input = window->findChild<QPlainTextEdit *>();
        QTest::keyClicks(input, QStringLiteral("hi"));
        QTest::keyClick(input, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(input, QStringLiteral("there"));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(link.said, (QByteArrayList{"RTpg", "ChSt?hi\nthere", "RsTp"}));
        QVERIFY(input->toPlainText().isEmpty());
        QTest::keyClick(input, Qt::Key_Return); // nothing to send
        QCOMPARE(link.said.size(), 3);
        QPushButton *close = nullptr;
        for (QPushButton *b : window->findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("&Close"))
                close = b;
        QVERIFY(close);
        QTest::keyClick(close, Qt::Key_Space);
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(link.said.last(), QByteArray("StCh"));
    }

    // The report read by the console's parser: every category with its columns, this
    // process among the processes, the services; a refresh with its categories only; and the
    // actions' answers.
    void systemReportAndActions() {
        RecordingLink link;
        auto services = std::make_shared<FakeServices>();
        SystemInfoFeature info(link, services, [] {
            return QList<DesktopTask>{{QStringLiteral("Notes — Text Editor"), 4242}};
        });
        QVERIFY(info.command("PcFo", {}));
        QTRY_VERIFY_WITH_TIMEOUT(link.saidStarting("StrlPcFo"), 120000);
        QCOMPARE(link.depositedAt["list"], link.said.indexOf("StrlPcFo"));
        const QStringList report = HostInfoReport::linesOf(listLines(link.deposits["list"]));
        for (int c = 0; c < HostInfoReport::CategoryCount; ++c) {
            if (HostInfoReport::isHead(c))
                continue;
            QVERIFY2(!HostInfoReport::tableFor(report, c).columns.isEmpty(),
                     HostInfoReport::node(c).tag);
        }
        using HostInfoReport::tableFor;
        const auto processes = tableFor(report, HostInfoReport::RunningProcesses);
        const QString self = QString::number(::getpid());
        const auto me = std::find_if(processes.rows.cbegin(), processes.rows.cend(),
                                     [&](const QStringList &r) { return r.value(2) == self; });
        QVERIFY(me != processes.rows.cend());
        QCOMPARE(me->value(0), ProcessTable::programOf(::getpid()));
        QCOMPARE(tableFor(report, HostInfoReport::Services).rows.value(0),
                 (QStringList{"cups", "CUPS Scheduler", "Running"}));
        QCOMPARE(tableFor(report, HostInfoReport::RunningTasks).rows.value(0),
                 (QStringList{QStringLiteral("Notes — Text Editor"), "4242"}));
        QVERIFY(!tableFor(report, HostInfoReport::Memory).rows.isEmpty());
        QVERIFY(!tableFor(report, HostInfoReport::Processor).rows.isEmpty());
        if (!QStandardPaths::findExecutable(QStringLiteral("dpkg-query")).isEmpty())
            QVERIFY(tableFor(report, HostInfoReport::InstalledSoftware).rows.size() > 10);
        for (const QString &line : report)
            QVERIFY(line.size() <= HostInfoReport::kMaxLineChars);

        link.said.clear();
        info.command("PcUp", {});
        QTRY_VERIFY_WITH_TIMEOUT(link.saidStarting("StrlPcUp"), 120000);
        for (const QByteArray &line : listLines(link.deposits["list"])) {
            const QByteArray tag = line.left(6);
            QVERIFY2(tag == "[MEMM]" || tag == "[STOR]" || tag == "[RUNT]" || tag == "[RUNP]" ||
                         tag == "[RUNS]",
                     line.constData());
        }

        info.command("SvcS", "ssh&1");
        QCOMPARE(link.said.last(), QByteArray("SvcS?Running"));
        services->refuse = true;
        info.command("SvcS", "cups&0");
        QCOMPARE(link.said.last(), QByteArray("SvcS?Running"));
        info.command("SvcS", "cups&stop");
        QCOMPARE(link.said.last(), QByteArray("SvcS?Stopped"));

        QProcess child;
        child.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(child.waitForStarted());
        const QByteArray pid = QByteArray::number(child.processId());
        const QByteArray program = toCp1252(ProcessTable::programOf(child.processId()));
        info.command("StPr", "/usr/bin/other&" + pid);
        QCOMPARE(link.said.last(), QByteArray("StPr?Process not found"));
        info.command("StPr", toCp1252(ProcessTable::programOf(::getpid())) + "&" +
                                 QByteArray::number(::getpid()));
        QCOMPARE(link.said.last(), QByteArray("StPr?Access denied"));
        info.command("StPr", program + "&0");
        QCOMPARE(link.said.last(), QByteArray("StPr?Process not found"));
        // Another user may not end it: the system's refusal is the answer.
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (::getuid() == 0 && !setpriv.isEmpty()) {
            QProcess other;
            other.start(setpriv,
                        {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                         QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                         QStringLiteral("--end"), QString::fromLatin1(pid)});
            QVERIFY(other.waitForFinished(60000));
            QCOMPARE(other.readAllStandardOutput(), QByteArray("Access denied"));
            QCOMPARE(child.state(), QProcess::Running);
        }
        info.command("StPr", program + "&" + pid);
        QCOMPARE(link.said.last(), QByteArray("StPr?OK"));
        QTRY_VERIFY(child.state() == QProcess::NotRunning);

        // An answer still being gathered when the session ends is dropped.
        link.said.clear();
        info.command("PcUp", {});
        info.sessionEnded();
        QTest::qWait(0);
        QTRY_VERIFY_WITH_TIMEOUT(QThreadPool::globalInstance()->activeThreadCount() == 0, 120000);
        QCoreApplication::processEvents();
        QVERIFY(!link.saidStarting("Strl"));
    }
};

int main(int argc, char **argv) {
    // "--end PID": ends the process as the user running this and prints the answer; the test
    // runs it as another user.
    if (argc == 3 && qstrcmp(argv[1], "--end") == 0) {
        QCoreApplication app(argc, argv);
        const qint64 pid = QByteArray(argv[2]).toLongLong();
        fputs(ProcessTable::end({ProcessTable::programOf(pid), pid}).constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    TestHostTools test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_host_tools.moc"
