// The windows of the clipboard transfer, the chat and the system information: what they show,
// what their controls do, and that every language fits.
#include "HostTools.h"
#include "common/AdminVars.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "settings/uIniFiles.h"
#include "tools/AdminChat.h"
#include "tools/HostInfoReport.h"
#include "tools/RemoteChat.h"
#include "tools/RemoteSystemInfo.h"
#include "tools/uClipBrdOptions.h"
#include "tools/uClipProgress.h"
#include "tools/uShowInfoHost.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

using namespace HostInfoReport;

namespace {
// Every button's and label's text fits its place in the current language.
QStringList overflowing(QWidget *window) {
    QStringList out;
    for (QPushButton *b : window->findChildren<QPushButton *>()) {
        if (b->fontMetrics().horizontalAdvance(b->text()) + 12 > b->width())
            out << b->objectName() + QStringLiteral(": ") + b->text();
    }
    for (QLabel *l : window->findChildren<QLabel *>()) {
        if (l->text().isEmpty() || l->wordWrap() || l->width() <= 0)
            continue;
        if (l->fontMetrics().horizontalAdvance(l->text()) > l->width())
            out << l->objectName() + QStringLiteral(": ") + l->text();
    }
    return out;
}
} // namespace

class TestToolsWindows : public QObject {
    Q_OBJECT
    GatewaySession session;

private slots:
    void initTestCase() {
        settings().Sound = false;
        session.CustomerName = QStringLiteral("Ann");
        adminVars().HostName = QStringLiteral("DEMO-PC");
    }
    void cleanup() { SelectLanguage(0); }

    void clipboardOptionsAndProgress() {
        for (int side = 0; side < 4; ++side) {
            const QPoint at = TClipBrdOptionsForm::placement({500, 400}, {240, 150}, side);
            const QPoint expected[4] = {{500, 430}, {500, 220}, {530, 400}, {230, 400}};
            QCOMPARE(at, expected[side]);
        }
        for (int language = 0; language < LanguageCount; ++language) {
            SelectLanguage(quint8(language));
            TClipBrdOptionsForm form(true, {100, 100}, 0);
            QVERIFY(form.width() >= 230);
            for (int option = 1; option <= 3; ++option)
                QVERIFY(form.optionLabel(option)->geometry().right() + 10 <= form.width());
            QVERIFY2(overflowing(&form).isEmpty(), qPrintable(overflowing(&form).join(", ")));
        }
        SelectLanguage(0);
        {
            TClipBrdOptionsForm form(false, {100, 100}, 0);
            QTimer::singleShot(0, &form,
                               [&] { QTest::mouseClick(form.optionLabel(2), Qt::LeftButton); });
            form.exec();
            QCOMPARE(form.Option(), 2);
        }
        {
            TClipBrdOptionsForm form(false, {100, 100}, 0);
            QTimer::singleShot(0, &form, [&] { form.cancelButton()->click(); });
            form.exec();
            QCOMPARE(form.Option(), 0);
        }

        TClipProgressForm progress;
        progress.ShowClipProgress(true);
        QCOMPARE(progress.text(), QStringLiteral("Sending clipboard..."));
        QList<int> lefts;
        for (int i = 0; i < 5; ++i, progress.step())
            lefts << progress.ballLeft();
        QCOMPARE(lefts, QList<int>({62, 93, 123, 154, 62}));
        progress.ShowClipProgress(false);
        lefts.clear();
        for (int i = 0; i < 5; ++i, progress.step())
            lefts << progress.ballLeft();
        QCOMPARE(lefts, QList<int>({154, 123, 93, 62, 154}));
        QSignalSpy clicked(&progress, &TClipProgressForm::closedByClick);
        QTest::mouseClick(&progress, Qt::LeftButton, {}, {10, 10});
        QVERIFY(progress.isHidden());
        QCOMPARE(clicked.size(), 1);
    }

    // The conversation is plain text whatever the remote side sends; Enter sends; the typing
    // notice blinks and stays; the window fits every language.
    void chatWindow() {
        RemoteChat chat(&session);
        TAdminChatForm form(&chat);
        chat.StartChat(true);
        QVERIFY(form.isVisible());
        QCOMPARE(form.head()->text(), QStringLiteral("CLIENT CHAT REQUEST"));
        QVERIFY(form.logCheck()->isChecked());

        const QByteArray hostile =
            "<a href=\"file:///bin/sh\">run</a><img src=\"http://x/y.png\"><b>bold</b>&lt;";
        session.dispatchHostMessage("ChSt", hostile);
        const QString line = QStringLiteral("<DEMO-PC> :  ") + QString::fromLatin1(hostile);
        QCOMPARE(form.display()->toPlainText(), line);
        const QString html = form.display()->toHtml();
        QVERIFY(!html.contains(QLatin1String("<a ")) && !html.contains(QLatin1String("<img")));
        QVERIFY(!html.contains(QLatin1String("<b>")));
        QVERIFY(form.display()->document()->allFormats().size() > 0);
        for (QTextBlock b = form.display()->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                QVERIFY(!it.fragment().charFormat().isAnchor());

        QTest::keyClicks(form.input(), QStringLiteral("hi"));
        QTest::keyClick(form.input(), Qt::Key_Return);
        QVERIFY(form.input()->toPlainText().isEmpty());
        QCOMPARE(form.display()->toPlainText(), line + QStringLiteral("\n<Ann> :  hi"));
        QTest::keyClick(form.input(), Qt::Key_Return); // empty: nothing
        QCOMPARE(form.display()->document()->blockCount(), 2);

        session.dispatchHostMessage("RTpg", {});
        QVERIFY(form.typingNotice()->isVisible() && form.typingTimerActive());
        QTRY_VERIFY_WITH_TIMEOUT(!form.typingTimerActive(), 5000);
        QVERIFY(form.typingNotice()->isVisible());
        session.dispatchHostMessage("RsTp", {});
        QVERIFY(form.typingNotice()->isHidden());

        for (int language = 0; language < LanguageCount; ++language) {
            SelectLanguage(quint8(language));
            BroadcastLanguageChange();
            QCoreApplication::sendPostedEvents();
            QCOMPARE(form.sendButton()->text(), Msg("Send"));
            QVERIFY2(overflowing(&form).isEmpty(), qPrintable(overflowing(&form).join(", ")));
            QVERIFY(form.logCheck()->fontMetrics().horizontalAdvance(form.logCheck()->text()) +
                        24 <=
                    form.logCheck()->width());
        }
        chat.closeByOperator();
        QVERIFY(form.isHidden());
    }

    void infoWindow() {
        RemoteSystemInfo info(&session);
        TInfoHostForm form(&info);
        localgw::HostTools host("DEMO-PC", {});
        info.OsHostInfoDone(linesOf(host.reportLines(true)), true);
        QVERIFY(form.isVisible());
        QCOMPARE(form.tree()->topLevelItemCount(), 4);
        int nodes = 0;
        for (QTreeWidgetItemIterator it(form.tree()); *it; ++it) {
            ++nodes;
            QVERIFY(!(*it)->childCount() || (*it)->isExpanded());
            QVERIFY(!(*it)->icon(0).isNull());
        }
        QCOMPARE(nodes, 17);
        QVERIFY(form.refreshButton()->isHidden());

        form.tree()->setCurrentItem(form.categoryItem(Services));
        QCOMPARE(info.category(), int(Services));
        QVERIFY(form.servicePanel()->isVisible() && form.refreshButton()->isVisible());
        QVERIFY(form.terminateButton()->isHidden());
        QCOMPARE(form.table()->horizontalHeader()->sectionSize(1), 240);
        const int spooler = info.model()->rowOfKey(QStringLiteral("Spooler"));
        form.table()->selectRow(spooler);
        QCOMPARE(info.selectedRow(), spooler);
        QVERIFY(form.stopButton()->isEnabled() && !form.startButton()->isEnabled());
        // Header clicks sort; the selection stays on the service.
        QTest::mouseClick(form.table()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          {form.table()->horizontalHeader()->sectionViewportPosition(0) + 5, 5});
        QTest::mouseClick(form.table()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          {form.table()->horizontalHeader()->sectionViewportPosition(0) + 5, 5});
        QCOMPARE(info.model()->sortOrder(), Qt::DescendingOrder);
        QCOMPARE(form.table()->currentIndex().row(),
                 info.model()->rowOfKey(QStringLiteral("Spooler")));
        QCOMPARE(info.model()->cell(form.table()->currentIndex().row(), 0),
                 QStringLiteral("Spooler"));

        form.tree()->setCurrentItem(form.categoryItem(Hardware));
        QCOMPARE(info.model()->rowCount(), 0);
        QVERIFY(form.servicePanel()->isHidden());

        form.tree()->setCurrentItem(form.categoryItem(RunningProcesses));
        for (int language = 0; language < LanguageCount; ++language) {
            SelectLanguage(quint8(language));
            BroadcastLanguageChange();
            QCoreApplication::sendPostedEvents();
            QCOMPARE(form.windowTitle(), Msg("REMOTE SYSTEM INFORMATION"));
            QCOMPARE(form.categoryItem(Services)->text(0), Msg("Services"));
            QVERIFY2(overflowing(&form).isEmpty(), qPrintable(overflowing(&form).join(", ")));
        }
        info.closeWindow();
        QVERIFY(form.isHidden());
    }
};

QTEST_MAIN(TestToolsWindows)
#include "tst_tools_windows.moc"
