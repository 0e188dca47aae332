#include <QtTest>

#include "common/uLanguageMsg.h"
#include "gateway/UrlsAdmin.h"
#include "settings/uIniFiles.h"
#include "ui/About.h"
#include "ui/GettingStartedUnit.h"
#include "ui/GlobeAnimation.h"
#include "ui/WebLinks.h"
#include "ui/uUserGuide.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

// The about window, the two guides and the web links.
class TestHelpWindows : public QObject {
    Q_OBJECT
    QList<QUrl> opened;

public slots:
    void openUrl(const QUrl &url) { opened.append(url); }

private slots:
    void initTestCase() {
        settings() = Settings();
        settings().Sound = false;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
        FillServiceUrls();
    }

    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        SelectLanguage(0);
    }

    // Every link reaches the browser with its address; the links site carries the language.
    void webLinksOpenTheirAddressesInTheOperatorsLanguage() {
        SelectLanguage(5); // Spanish
        for (WebLink link :
             {WebLink::ProductInformation, WebLink::Faq, WebLink::SupportForum,
              WebLink::SupportRequest, WebLink::KnowledgeBase, WebLink::AskQuestion}) {
            QVERIFY(WebLinkUrl(link).endsWith(QLatin1String("&L=6")));
            QVERIFY(OpenWebLink(link));
        }
        QCOMPARE(opened.size(), 6);
        QVERIFY(opened[3].toString().contains(QLatin1String("?ID=50&P=A&V=")));
        QCOMPARE(QUrlQuery(opened[5]).queryItemValue(QStringLiteral("ID")), QStringLiteral("52"));
        QVERIFY(OpenWebLink(WebLink::ProductHistory));
        QVERIFY(opened.last().path().endsWith(QLatin1String("/qvaccess-producthistory.html")));
        QVERIFY(OpenWebLink(WebLink::Account));
        QCOMPARE(opened.last().scheme(), QStringLiteral("https"));
        SelectLanguage(0);
        QVERIFY(WebLinkUrl(WebLink::Faq).endsWith(QLatin1String("&L=1")));
    }

    void aboutShowsTheVersionTheLicencesAndTurnsTheGlobe() {
        TAboutForm about;
        about.SetVersion(QStringLiteral("A410"));
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("LblVersion"))->text(),
                 QStringLiteral("Quorvia Access v 4.1.0"));
        const QString licence =
            about.findChild<QPlainTextEdit *>(QStringLiteral("MemoLicence"))->toPlainText();
        QVERIFY(licence.startsWith(QLatin1String("QUORVIA ACCESS - END USER LICENSE AGREEMENT")));
        for (const char *notice : {"OpenSSL", "Qt", "zlib", "FFmpeg"})
            QVERIFY2(licence.contains(QLatin1String(notice)), notice);
        QCOMPARE(about.size(), QSize(550, 370));
        auto *globe = about.findChild<GlobeAnimation *>();
        QCOMPARE(globe->geometry(), QRect(465, 7, 75, 65));
        about.ShowAbout();
        QVERIFY(globe->running());
        QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!about.isVisible());
        QVERIFY(!globe->running());
    }

    // Each row is 30 pixels, 40 after a description that wraps; pictures 8 and texts 12 pixels
    // below the row's top.
    void userGuideRowsGrowAfterAWrappedDescription() {
        // A large font, so that some descriptions wrap whatever fonts the machine has.
        const QFont normal = QApplication::font();
        QFont large = normal;
        large.setPointSize(15);
        QApplication::setFont(large);
        TUserGuideForm guide;
        QApplication::setFont(normal);
        const QList<QLabel *> rows = guide.rowTexts();
        QCOMPARE(rows.size(), 22); // the Ctrl-Alt-Del row is not shown
        int wrapped = 0;
        for (int i = 0; i + 1 < rows.size(); ++i) {
            const bool wraps = rows[i]->height() > 20;
            wrapped += wraps;
            QCOMPARE(rows[i + 1]->y() - rows[i]->y(), wraps ? 40 : 30);
        }
        QVERIFY(wrapped > 0);
        const auto *picture = guide.findChild<QLabel *>(QStringLiteral("rcConnect_bmp"));
        QCOMPARE(picture->y() + 4, rows[0]->y());
        QCOMPARE(picture->size(), QSize(30, 30));
        QCOMPARE(rows[0]->text(), Msg("Start new support session"));
        QVERIFY(!rows[11]->text().contains(QLatin1String("&&")));
    }

    // Both guides come back at the top and scroll 20 pixels a wheel step.
    void guidesReturnToTheTopAndScrollByTwentyPixels() {
        TGettingStartedForm started;
        TUserGuideForm guide;
        for (TGuideWindow *w : std::initializer_list<TGuideWindow *>{&started, &guide}) {
            QCOMPARE(w->height(), 500);
            w->ShowGuide();
            QScrollBar *bar = w->verticalScrollBar();
            QVERIFY(bar->maximum() > 100);
            QWheelEvent down(QPointF(50, 50), w->mapToGlobal(QPointF(50, 50)), QPoint(),
                             QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                             false);
            QApplication::sendEvent(w->viewport(), &down);
            QCOMPARE(bar->value(), 20);
            bar->setValue(100);
            w->hide();
            w->ShowGuide();
            QCOMPARE(bar->value(), 0);
            w->hide();
        }
        // The setup address follows the closing sentence on its line.
        settings().SetupUrl = QStringLiteral("setup.example.test");
        started.ApplyTexts();
        QVERIFY(started.findChild<QLabel *>(QStringLiteral("LblClosing1"))
                    ->text()
                    .contains(QLatin1String("surf to: <b>https://setup.example.test</b>")));
    }

    // Open guides never keep the program running: closing the console ends it. (Last: the
    // program's loop runs here once.)
    void closingTheConsoleEndsTheProgramWithGuidesOpen() {
        QWidget console;
        TGettingStartedForm started(&console);
        TUserGuideForm guide(&console);
        console.show();
        started.ShowGuide();
        guide.ShowGuide();
        QTimer::singleShot(0, &console, &QWidget::close);
        // Only a guard: the loop ends at once when the program quits as it should.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(20000);
        QCOMPARE(QApplication::exec(), 0);
    }
};

QTEST_MAIN(TestHelpWindows)
#include "tst_help_windows.moc"
