#include <QtTest>

#include "ConsoleSettingsFile.h"

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "main/QuorvAdmin.h"
#include "settings/uIniFiles.h"
#include "ui/ApplicationException.h"
#include "ui/FlashInfo.h"
#include "ui/QVMessage.h"
#include "ui/uAskWarning.h"
#include "ui/uErrorReport.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>

using namespace WindowMessages;

namespace {
struct Shown {
    int kind;
    QString text;
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    QList<Shown> shown;
    int answer = mrNo;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetMessageWindowHook([this](int kind, const QString &text, int) {
            shown.append({kind, text});
            return answer;
        });
        SetAskWarningHook([this](const QString &text) {
            shown.append({mkWarning, text});
            return answer == mrYes;
        });
        SetErrorReportHook([this] { shown.append({mkError, QStringLiteral("error report")}); });
    }

    void init() {
        shown.clear();
        answer = mrNo;
        adminVars() = AdminVars();
        settings() = Settings();
        QFile::remove(ComputeAppFolders(exeName()).SettingsFile);
    }

    void maximizedWindowComesBackNormalOnTheFirstMonitor() {
        const QRect monitor = QGuiApplication::primaryScreen()->geometry();
        writeSettings(QByteArray("[Window]\nTop=-8\nLeft=-8\nWidth=") +
                      QByteArray::number(monitor.width() + 16) +
                      "\nHeight=" + QByteArray::number(monitor.height() + 16) +
                      "\n[Data]\nUserCode=op\nPassword=\n");
        TQuorvAdminForm form;
        QCOMPARE(form.geometry(), QRect(monitor.topLeft(), monitor.size()));
        QVERIFY(!(form.windowState() & Qt::WindowMaximized));
    }

    void storedGeometryIsRestored() {
        writeSettings("[Window]\nTop=20\nLeft=30\nWidth=400\nHeight=300\n");
        TQuorvAdminForm form;
        QCOMPARE(form.geometry(), QRect(30, 20, 400, 300));
    }

    void firstShowResetsAndAsksForIncompleteSettings() {
        TQuorvAdminForm form;
        adminVars().CurrentKey = QStringLiteral("stale");
        form.show();
        QTRY_COMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Connection settings incomplete"));
        QCOMPARE(shown[0].kind, int(mkWarning));
        QVERIFY(adminVars().CurrentKey.isEmpty());
        QVERIFY(form.windowTitle().endsWith(QStringLiteral("Disconnected")));
    }

    void closingWhileLoggedOnAsksAndNoKeepsTheSession() {
        TQuorvAdminForm form;
        form.setClosingDelay(0);
        form.show();
        QTRY_COMPARE(shown.size(), 1); // incomplete settings
        adminVars().LoggedOn = true;
        answer = mrNo;
        QVERIFY(!form.close());
        QCOMPARE(shown.last().text, Msg("Connected to gateway") + "\r" + Msg("Disconnect ?"));
        QVERIFY(form.isVisible());
        QVERIFY(adminVars().LoggedOn);
    }

    void closeSavesGeometryAndGoesAfterTheNotice() {
        writeSettings("[Window]\nShowST=0\n[Data]\nUserCode=op\nPassword=\n");
        TQuorvAdminForm form;
        form.setClosingDelay(50);
        form.show();
        form.setGeometry(40, 50, 700, 450);
        QVERIFY(!form.close()); // the notice shows first
        QVERIFY(form.isVisible());
        QTRY_VERIFY(!form.isVisible());
        QFile f(ComputeAppFolders(exeName()).SettingsFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray ini = f.readAll();
        QVERIFY2(ini.contains("Width=700"), ini.constData());
        QVERIFY(ini.contains("Left=40"));
        QVERIFY(ini.contains("ShowST=0")); // a stored "hidden" status bar stays hidden
    }

    void sessionResetKeepsTheFlashNotice() {
        TQuorvAdminForm form;
        form.show();
        QTRY_COMPARE(shown.size(), 1);
        ShowFlashInfo(QString(), Msg("Logged off"), 3);
        form.InitVars(); // what follows "Logged off" at the end of a logoff
        QVERIFY(FlashInfoVisible());
        QCOMPARE(FlashInfoText(), Msg("Logged off"));
        CloseFlashInfo();
    }

    void escapedExceptionsAreRecordedExceptWhileLoggingOff() {
        ClearTrace();
        adminVars().LoggingOff = true;
        const std::runtime_error failure("disk on fire");
        ApplicationException(this, &failure);
        QVERIFY(TraceLines().isEmpty());
        QVERIFY(shown.isEmpty());

        adminVars().LoggingOff = false;
        adminVars().HostName = QStringLiteral("DESK");
        ApplicationException(this, &failure);
        const QStringList lines = TraceLines();
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(QStringLiteral("0;Class name: ")));
        QVERIFY(
            lines[0].contains(QStringLiteral("Err msg: disk on fire - Sender: TestMainWindow")));
        QVERIFY(lines[1].contains(QStringLiteral(" - Remote:DESK/")));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("error report"));
    }

    void languageChangeReappliesTheTexts() {
        TQuorvAdminForm form;
        const QString english = form.menuBar()->actions().first()->text();
        SelectLanguage(3);
        BroadcastLanguageChange();
        QTRY_COMPARE(form.menuBar()->actions().first()->text(),
                     QLatin1Char('&') + CatalogText(3, "Connection"));
        QVERIFY(form.menuBar()->actions().first()->text() != english);
        SelectLanguage(0);
        BroadcastLanguageChange();
        QTRY_COMPARE(form.menuBar()->actions().first()->text(), english);
    }

    void releasedEventsSkipTheWindowLogic() {
        TQuorvAdminForm form;
        form.ReleaseFormEvents();
        ClearTrace();
        adminVars().LoggedOn = true;
        form.show(); // hidden and shown again by full screen or tray: no first-show logic
        QVERIFY(form.close());
        QVERIFY(!traced(3));
        QVERIFY(!traced(6));
        QVERIFY(shown.isEmpty());
        form.ConnectFormEvents();
        QVERIFY(traced(16));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
