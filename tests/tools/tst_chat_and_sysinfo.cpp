// Chat and remote system information end to end against the local gateway: the remote user
// who answers and types, the chat log, and a report whose services and processes change when
// the operator acts on them; and view-only mode, which keeps every tool off the host.
#include "ToolsTestSession.h"
#include "common/AppFolders.h"
#include "common/SessionLog.h"
#include "common/uLanguageMsg.h"
#include "screen/RemoteActions.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "settings/uIniFiles.h"
#include "tools/ClipboardContent.h"
#include "tools/ClipboardTransfer.h"
#include "tools/HostInfoReport.h"
#include "tools/RemoteChat.h"
#include "tools/RemoteSystemInfo.h"
#include "transfer/FileTransfer.h"
#include "transfer/QVexplorerProtocol.h"

#include <QClipboard>
#include <QTemporaryDir>

using namespace HostInfoReport;

namespace {
QStringList fileLines(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

class TestChatAndSysInfo : public QObject {
    Q_OBJECT
    ToolsTestSession t;
    QTemporaryDir home;
    RemoteChat *chat = nullptr;
    RemoteSystemInfo *info = nullptr;
    QStringList shown; // the chat display, line by line

    // The chat and system information commands the host received since `from` (the screen's
    // own commands left out).
    QByteArrayList commandsSince(qsizetype from) {
        QByteArrayList out;
        const QList<QByteArray> all = t.host().receivedCommands();
        for (qsizetype i = from; i < all.size(); ++i) {
            if (localgw::HostTools::handles(all[i].left(4)))
                out << all[i];
        }
        return out;
    }
    qsizetype commandCount() { return t.host().receivedCommands().size(); }
    bool hostGot(const QByteArray &command) {
        return QTest::qWaitFor([&] { return t.host().receivedCommands().contains(command); },
                               10000);
    }

    int rowOf(const QString &key) { return info->model()->rowOfKey(key); }
    QString selectedName() { return info->model()->cell(info->selectedRow(), 0); }

private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        QVERIFY(t.start());
        appFolders().Home = home.path() + QLatin1Char('/');
        appFolders().SessionLogs = home.filePath(QStringLiteral("SessionLogs/"));
        QDir().mkpath(appFolders().SessionLogs);
        SetSessionLogFile(SessionLogPathForKey(adminVars().CurrentKey));
        settings().SessionLog = true;
        chat = new RemoteChat(t.session.get(), this);
        connect(chat, &RemoteChat::lineAdded, this,
                [this](bool, const QString &line) { shown << line; });
        info = new RemoteSystemInfo(t.session.get(), this);
    }
    void cleanupTestCase() { t.stop(); }

    // Both sides open, type, write and close; the log holds each chat with its header, and
    // the session log the starts and ends.
    void conversation() {
        QSignalSpy opened(chat, &RemoteChat::opened);
        QSignalSpy typing(chat, &RemoteChat::remoteTypingChanged);
        const qsizetype from = commandCount();
        chat->BttnChatClick();
        QVERIFY(opened.wait());
        QCOMPARE(opened.last().at(0).toBool(), false);
        QVERIFY(chat->isOpen());
        chat->BttnChatClick(); // open already: nothing more
        // Typing, emptying, typing again: one notice for each change.
        chat->inputChanged(false);
        chat->inputChanged(false);
        chat->inputChanged(true);
        chat->inputChanged(false);
        QVERIFY(chat->send(QStringLiteral("Grüße, hi")));
        chat->inputChanged(true);
        QVERIFY(!chat->send(QString()));
        QVERIFY(QTest::qWaitFor([&] { return commandsSince(from).size() >= 6; }, 10000));
        QCOMPARE(commandsSince(from), QByteArrayList({"RqCh", "RTpg", "RsTp", "RTpg",
                                                      "ChSt?Gr\xfc\xdf"
                                                      "e, hi",
                                                      "RsTp"}));
        QCOMPARE(t.tools().chatReceived().last(), QStringLiteral("Grüße, hi"));

        // The remote user types, then answers: the notice shows and goes with the message.
        QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 2, 10000);
        QCOMPARE(typing.size(), 2);
        QCOMPARE(typing.at(0).at(0).toBool(), true);
        QCOMPARE(typing.at(1).at(0).toBool(), false);
        QCOMPARE(shown.at(0), QStringLiteral("<Demo Operator> :  Grüße, hi"));
        QCOMPARE(shown.at(1), QStringLiteral("<DEMO-PC> :  The remote user read: Grüße, hi"));

        // Markup from the remote side is text like any other.
        const QString hostile =
            QStringLiteral("<a href=\"file:///etc/passwd\">click</a><img src=x>&amp;<script>");
        t.tools().remoteTypesAndSends(hostile);
        QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 3, 10000);
        QCOMPARE(shown.at(2), QStringLiteral("<DEMO-PC> :  ") + hostile);

        chat->closeByOperator();
        QVERIFY(!chat->isOpen());
        QVERIFY(hostGot("StCh"));
        QVERIFY(!t.tools().chatOpen());

        // The remote user opens a second chat; the operator stops logging in it, which is
        // remembered; the remote user closes it.
        t.tools().remoteOpensChat();
        QVERIFY(opened.wait());
        QCOMPARE(opened.last().at(0).toBool(), true);
        QVERIFY(chat->send(QStringLiteral("second")));
        chat->setLogChat(false);
        QVERIFY(chat->send(QStringLiteral("not logged")));
        // A message of several lines travels with Windows line ends and shows as lines.
        QVERIFY(chat->send(QStringLiteral("first line\nsecond line")));
        QVERIFY(hostGot("ChSt?first line\r\nsecond line"));
        QCOMPARE(t.tools().chatReceived().last(), QStringLiteral("first line\r\nsecond line"));
        QTRY_VERIFY_WITH_TIMEOUT(
            shown.contains(QStringLiteral("<DEMO-PC> :  The remote user read: first line\nsecond "
                                          "line")),
            10000);
        t.tools().remoteClosesChat();
        QTRY_VERIFY_WITH_TIMEOUT(!chat->isOpen(), 10000);
        QCOMPARE(settings().LogChat, false);
        settings().LogChat = true;

        const QString key = adminVars().CurrentKey;
        QCOMPARE(chat->logFilePath(), home.filePath(QStringLiteral("ChatLogs/Log%1.txt").arg(key)));
        const QStringList log = fileLines(chat->logFilePath());
        QCOMPARE(log.size(), 6);
        for (int i : {0, 4}) {
            QVERIFY2(log[i].startsWith(QStringLiteral("Chat session started ")),
                     qPrintable(log[i]));
            QVERIFY(log[i].endsWith(QStringLiteral(" - Client IP:192.168.10.20")));
        }
        QCOMPARE(log.mid(1, 3), shown.mid(0, 3));
        QCOMPARE(log[5], QStringLiteral("<Demo Operator> :  second"));

        const QStringList sessionLog = fileLines(SessionLogFile()).filter(QStringLiteral("Chat"));
        QCOMPARE(sessionLog.size(), 4);
        QVERIFY(sessionLog[0].startsWith(QStringLiteral("Chat session started - ")));
        QVERIFY(sessionLog[1].startsWith(QStringLiteral("Chat session ended  - Time: ")));
        QVERIFY(sessionLog[2].startsWith(
            QStringLiteral("Chat session started (requested by client) - Time: ")));
        QVERIFY(sessionLog[3].startsWith(
            QStringLiteral("Chat session ended (requested by client) - Time: ")));

        // A host without a logged-on user refuses.
        t.tools().setChatDenied(true);
        QSignalSpy closed(chat, &RemoteChat::closed);
        chat->BttnChatClick();
        QVERIFY(closed.wait());
        QCOMPARE(t.ui.lastFlash(), QStringLiteral("Chat denied - no user logged"));
        t.tools().setChatDenied(false);
    }

    // The report's own format: columns, rows, a second head, the merge of a refresh.
    void reportFormat() {
        const QList<Column> cols = parseColumns(u"Name|\\Size:80|Bad:x|Wide:99999");
        QCOMPARE(cols, (QList<Column>{{QStringLiteral("Name"), 150, false},
                                      {QStringLiteral("Size"), 80, true},
                                      {QStringLiteral("Bad"), 150, false},
                                      {QStringLiteral("Wide"), kMaxWidth, false}}));
        QCOMPARE(parseRow(u"a||c|"), QStringList({"a", "", "c"}));
        const QStringList report = {"[PROC][HEAD]A", "[PROC]old", "[PROC][HEAD]B|C",
                                    "[PROC]x|y",     "[MEMM]m",   "[INSD]hidden"};
        const Table t1 = tableFor(report, Processor);
        QCOMPARE(t1.columns.size(), 2);
        QCOMPARE(t1.rows, QList<QStringList>({{"x", "y"}}));
        QCOMPARE(mergeRefresh(report, {}), report);
        const QStringList refreshed = {"[PROC][HEAD]A", "[PROC]old",    "[PROC][HEAD]B|C",
                                       "[PROC]x|y",     "[INSD]hidden", "[MEMM]n"};
        QCOMPARE(mergeRefresh(report, {"[MEMM]n"}), refreshed);
        // A host that answers every refresh with all its lines: only the refreshed categories'
        // are taken, so the stored report stays as it is however often it answers.
        QStringList stored = refreshed;
        for (int i = 0; i < 50; ++i)
            stored = mergeRefresh(stored, {"[PROC]again", "[MEMM]n", "[INSD]more"});
        QCOMPARE(stored, refreshed);
        // However large the answer, the whole stays bounded.
        const QStringList flood(kMaxReportLines + 5, QStringLiteral("[RUNP]p|1"));
        QCOMPARE(mergeRefresh(report, flood).size(), kMaxReportLines);
        QList<QByteArray> wide(kMaxReportLines, QByteArray(kMaxLineChars, 'w'));
        qsizetype chars = 0;
        for (const QString &line : linesOf(wide))
            chars += line.size();
        QVERIFY(chars <= kMaxReportChars);
    }

    void reportWindow() {
        QSignalSpy show(info, &RemoteSystemInfo::showRequested);
        info->BttnOsHostInfoClick();
        QVERIFY(info->waiting());
        QVERIFY(show.wait(10000));
        QVERIFY(info->isVisible() && !info->waiting());

        // Every category: the heads draw nothing, each item its columns and rows; the
        // refreshed five offer "Refresh"; no category shows the install-date lines.
        for (int c = 0; c < CategoryCount; ++c) {
            info->selectCategory(c);
            const int rows = info->model()->rowCount();
            QCOMPARE(rows == 0, isHead(c));
            QCOMPARE(info->refreshVisible(), node(c).refreshed);
            QCOMPARE(info->panelVisible(), c == Services || c == RunningProcesses);
            for (int r = 0; r < rows; ++r)
                QVERIFY(info->model()->cell(r, 0) != QLatin1String("Install date"));
        }
        info->selectCategory(Processor);
        QCOMPARE(info->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Cores"));
        QCOMPARE(info->model()->headerData(1, Qt::Horizontal, Qt::SizeHintRole).toSize().width(),
                 80);
        QCOMPARE(info->model()->data(info->model()->index(0, 1), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        info->selectCategory(InstalledSoftware);
        QVERIFY(rowOf(QStringLiteral("Éditeur de texte")) >= 0);

        // Services: states in the operator's language, coloured rows, sorting both ways with
        // the selection following the service, not the row number.
        SelectLanguage(3);
        info->selectCategory(Services);
        HostInfoModel *m = info->model();
        const auto state = [&](const char *name) {
            return m->data(m->index(rowOf(QString::fromLatin1(name)), 2)).toString();
        };
        const auto colour = [&](const char *name) {
            return m->data(m->index(rowOf(QString::fromLatin1(name)), 0), Qt::BackgroundRole);
        };
        QCOMPARE(state("Spooler"), Msg("Running"));
        QCOMPARE(state("wuauserv"), QStringLiteral("Paused"));
        QVERIFY(!colour("Spooler").isValid());
        QCOMPARE(colour("W32Time").value<QBrush>().color(), QColor(191, 217, 255));
        QCOMPARE(colour("wuauserv").value<QBrush>().color(), QColor(255, 255, 183));
        info->selectRow(rowOf(QStringLiteral("wuauserv")));
        QVERIFY(info->startEnabled() && !info->stopEnabled());
        info->selectRow(rowOf(QStringLiteral("Spooler")));
        QVERIFY(!info->startEnabled() && info->stopEnabled());
        info->sortByColumn(0);
        QCOMPARE(m->cell(0, 0), QStringLiteral("AudioSrv"));
        QCOMPARE(m->cell(m->rowCount() - 1, 0), QStringLiteral("wuauserv"));
        info->sortByColumn(0);
        QCOMPARE(m->cell(0, 0), QStringLiteral("wuauserv"));
        QCOMPARE(selectedName(), QStringLiteral("Spooler"));
        SelectLanguage(0);

        // Stop and start a service: the host's state changes, the row shows it, the buttons
        // follow, and a category change keeps it.
        const qsizetype from = commandCount();
        info->BttnStopServiceClick();
        QCOMPARE(info->progressText(), QStringLiteral("Querying service status ..."));
        QTRY_VERIFY_WITH_TIMEOUT(!info->waiting(), 10000);
        QCOMPARE(m->cell(rowOf(QStringLiteral("Spooler")), 2), QStringLiteral("Stopped"));
        QVERIFY(info->startEnabled() && !info->stopEnabled());
        QVERIFY(info->progressText().isEmpty());
        info->selectCategory(Memory);
        info->selectCategory(Services);
        QCOMPARE(m->cell(rowOf(QStringLiteral("Spooler")), 2), QStringLiteral("Stopped"));
        info->selectRow(rowOf(QStringLiteral("Spooler")));
        info->BttnStartServiceClick();
        // Another row selected before the answer: the answer still belongs to Spooler.
        info->selectRow(rowOf(QStringLiteral("W32Time")));
        QTRY_VERIFY_WITH_TIMEOUT(!info->waiting(), 10000);
        QCOMPARE(m->cell(rowOf(QStringLiteral("Spooler")), 2), QStringLiteral("Running"));
        QCOMPARE(m->cell(rowOf(QStringLiteral("W32Time")), 2), QStringLiteral("Stopped"));
        QCOMPARE(selectedName(), QStringLiteral("Spooler"));
        QCOMPARE(commandsSince(from), QByteArrayList({"SvcS?Spooler&0", "SvcS?Spooler&1"}));
        // The host program's own service is never stopped.
        info->selectRow(rowOf(QStringLiteral("QuorviaHost")));
        info->BttnStopServiceClick();
        QCOMPARE(t.ui.lastFlash(), QStringLiteral("Can't be deleted"));
        QVERIFY(!info->waiting());

        // Processes: sorted by identifier, explorer selected; a refresh keeps it by name.
        info->selectCategory(RunningProcesses);
        info->sortByColumn(2);
        const QString explorer = QStringLiteral("C:\\Windows\\explorer.exe");
        info->selectRow(m->rowOfKey(explorer + QStringLiteral("|1204")));
        const int explorerRow = info->selectedRow();
        info->BttnRefreshClick();
        QVERIFY(hostGot("PcUp"));
        QTRY_VERIFY_WITH_TIMEOUT(!info->waiting(), 10000);
        QCOMPARE(selectedName(), explorer);

        // Only ".exe" programs, never the host's own, and only after "Yes".
        t.ui.questions.clear();
        info->selectRow(m->rowOfKey(QStringLiteral("System|4")));
        info->BttnTerminateClick();
        QVERIFY(t.ui.questions.isEmpty());
        info->selectRow(
            m->rowOfKey(QStringLiteral("C:\\Program Files\\Quorvia\\QuorviaHost.exe|3310")));
        info->BttnTerminateClick();
        QVERIFY(t.ui.questions.isEmpty());
        QCOMPARE(t.ui.lastFlash(), QStringLiteral("Can't be deleted"));
        const QString notepad = QStringLiteral("C:\\Windows\\System32\\notepad.exe");
        info->selectRow(m->rowOfKey(notepad + QStringLiteral("|2210")));
        t.ui.answerYes = false;
        info->BttnTerminateClick();
        QCOMPARE(t.ui.questions.size(), 1);
        QVERIFY(!info->waiting());
        t.ui.answerYes = true;
        info->BttnTerminateClick();
        QCOMPARE(info->progressText(),
                 QStringLiteral("Stopping process <%1> - PID: 2210 ...").arg(notepad));
        // The answer refreshes the report: the process and its task are gone on both sides.
        QVERIFY(hostGot("StPr?" + notepad.toLatin1() + "&2210"));
        QTRY_VERIFY_WITH_TIMEOUT(m->rowOfKey(notepad + QStringLiteral("|2210")) < 0, 10000);
        QVERIFY(m->rowOfKey(explorer + QStringLiteral("|1204")) >= 0);
        QVERIFY(explorerRow >= 0);
        for (const auto &p : t.tools().processes())
            QVERIFY(p.pid != 2210);
        info->selectCategory(RunningTasks);
        QCOMPARE(rowOf(QStringLiteral("typed.txt - Notepad")), -1);

        // A refusal from the host is said; an answer while the window is closed changes
        // nothing.
        t.host().say("StPr?Access denied");
        QTRY_COMPARE_WITH_TIMEOUT(t.ui.lastFlash(), QStringLiteral("Unable to stop process"),
                                  10000);
        QCOMPARE(t.ui.flashes.last().title, QStringLiteral("Error"));
        // A host that is not Windows names its processes without ".exe": they may be ended.
        t.session->HostOS = QStringLiteral("LNX");
        t.ui.questions.clear();
        t.ui.answerYes = false;
        info->selectCategory(RunningProcesses);
        info->selectRow(m->rowOfKey(QStringLiteral("System|4")));
        info->BttnTerminateClick();
        QCOMPARE(t.ui.questions.size(), 1);
        t.session->HostOS = QStringLiteral("WNT");

        info->closeWindow();
        t.ui.flashes.clear();
        t.host().say("StPr?Access denied");
        QTest::qWait(1000);
        QVERIFY(t.ui.flashes.isEmpty());
    }

    // The host comes back after a reboot: the chat and the report of the host before are
    // closed, so keys go to the new host and no old process number can be acted on.
    void aReturningHostFindsChatAndReportClosed() {
        QSignalSpy show(info, &RemoteSystemInfo::showRequested);
        QSignalSpy opened(chat, &RemoteChat::opened);
        QSignalSpy closed(info, &RemoteSystemInfo::closeRequested);
        info->BttnOsHostInfoClick();
        QVERIFY(show.wait(10000));
        info->selectCategory(RunningProcesses);
        info->selectRow(0);
        chat->BttnChatClick();
        QVERIFY(opened.wait());

        t.host().setRebootDelay(300);
        t.session->RebootPending = 1;
        t.session->SendCmd("ReBt");
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().HostLoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QVERIFY(!chat->isOpen());
        QVERIFY(!info->isVisible());
        QCOMPARE(closed.size(), 1);
        QCOMPARE(info->model()->rowCount(), 0);
        QCOMPARE(info->selectedRow(), -1);
        t.ui.questions.clear();
        info->BttnTerminateClick();
        QVERIFY(t.ui.questions.isEmpty());
        // A late refresh answer opens nothing; the next full report does.
        QSignalSpy lists(t.session.get(), &GatewaySession::stringListReceived);
        t.session->SendCmd("PcUp");
        // (The mode list the console asks for at every join may come before or after it.)
        const auto reportCame = [&lists] {
            return std::any_of(lists.begin(), lists.end(),
                               [](const QList<QVariant> &l) { return l.first().toInt() == 5; });
        };
        QTRY_VERIFY_WITH_TIMEOUT(reportCame(), 10000);
        QVERIFY(!info->isVisible());
        QCOMPARE(show.size(), 1);
        info->BttnOsHostInfoClick();
        QVERIFY(show.wait(10000));
        QVERIFY(info->model()->rowCount() > 0);
    }

    // View-only mode is a security boundary: no tool acts on the remote computer then, not even
    // on an answer the operator gave in a question that was open when the host took control
    // away. The mode's announcement is what tells the operator; no tool asks first. With control
    // back the tools act again.
    void viewOnlyKeepsEveryToolOffTheHost() {
        // The console as the main window puts it together.
        auto *pipeline = new ScreenPipeline(t.session.get());
        auto *modes = new ScreenModes(t.session.get(), pipeline, pipeline);
        auto *actions = new RemoteActions(t.session.get(), pipeline, modes, pipeline);
        // Its hooks see this function's variables: it goes with them.
        const auto clip = std::make_unique<ClipboardTransfer>(t.session.get());
        auto *transfer = new FileTransfer(t.session.get(), pipeline);
        const auto control = [a = QPointer<RemoteActions>(actions)] {
            return a && a->fullControl();
        };
        info->hooks().fullControl = control;
        clip->hooks().fullControl = control;
        transfer->fullControl = control;
        int optionsAsked = 0;
        clip->hooks().askOption = [&](bool) {
            ++optionsAsked;
            return int(ClipboardContent::Text);
        };
        QSignalSpy announced(actions, &RemoteActions::controlModeAnnounced);
        QSignalSpy opened(transfer, &FileTransfer::explorerOpened);
        const auto setViewOnly = [&](bool on) {
            t.host().setViewOnly(on);
            return QTest::qWaitFor([&] { return actions->fullControl() != on; }, 10000);
        };

        pipeline->RestartScreenUpdates(true);
        QTRY_VERIFY_WITH_TIMEOUT(pipeline->FirstPictureShown, 10000);
        QGuiApplication::clipboard()->setText(QStringLiteral("operator's secret"));
        const QString hostClipboard = t.tools().clipboardText();
        QSignalSpy show(info, &RemoteSystemInfo::showRequested);
        info->BttnOsHostInfoClick();
        QTRY_VERIFY_WITH_TIMEOUT(!show.isEmpty(), 10000);
        info->selectCategory(RunningProcesses);
        info->selectRow(rowOf(QStringLiteral("C:\\Windows\\explorer.exe|1204")));
        QVERIFY(info->selectedRow() >= 0);
        const qsizetype from = commandCount();
        t.ui.questions.clear();
        t.ui.flashes.clear();

        // Control is taken away while the operator is asked whether to end the process.
        bool known = false;
        t.ui.whileAsking = [&] { known = setViewOnly(true); };
        info->BttnTerminateClick();
        t.ui.whileAsking = nullptr;
        QVERIFY(known);
        QCOMPARE(t.ui.questions.size(), 1);

        // Every tool, with all it needs but control.
        info->BttnTerminateClick();
        info->BttnRefreshClick();
        info->selectCategory(Services);
        info->selectRow(rowOf(QStringLiteral("Spooler")));
        QVERIFY(info->selectedRow() >= 0);
        info->BttnStartServiceClick();
        info->BttnStopServiceClick();
        show.clear();
        info->BttnOsHostInfoClick();
        clip->BttnUploadClipboardClick();
        clip->BttnDownloadClipboardClick();
        QVERIFY(!transfer->BttnCopyFileClick());
        QVERIFY(!transfer->pending() && !clip->busy() && !info->waiting());
        QVERIFY(show.isEmpty());
        QCOMPARE(optionsAsked, 0);
        QCOMPARE(t.ui.questions.size(), 1);

        // Control is taken away while the operator chooses what to download.
        QVERIFY(setViewOnly(false));
        clip->hooks().askOption = [&](bool) {
            ++optionsAsked;
            known = setViewOnly(true);
            return int(ClipboardContent::Text);
        };
        known = false;
        clip->BttnDownloadClipboardClick();
        QCOMPARE(optionsAsked, 1);
        QVERIFY(known);
        QVERIFY(!clip->busy());

        // Control back: the service stops. The queue keeps its order, so nothing asked for
        // before is still on its way.
        QVERIFY(setViewOnly(false));
        info->BttnStopServiceClick();
        QVERIFY(hostGot("SvcS?Spooler&0"));
        QTRY_COMPARE_WITH_TIMEOUT(info->model()->cell(rowOf(QStringLiteral("Spooler")), 2),
                                  QStringLiteral("Stopped"), 10000);
        QCOMPARE(commandsSince(from), QByteArrayList({"SvcS?Spooler&0"}));
        QCOMPARE(t.tools().clipboardText(), hostClipboard);
        QVERIFY(opened.isEmpty());
        QVERIFY(t.ui.flashes.isEmpty());
        QList<bool> told;
        for (const QList<QVariant> &a : std::as_const(announced))
            told << a.first().toBool();
        QCOMPARE(told, QList<bool>({false, true, false, true}));
    }
};

QTEST_MAIN(TestChatAndSysInfo)
#include "tst_chat_and_sysinfo.moc"
