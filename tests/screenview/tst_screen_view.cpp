#include <QtTest>

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/WindowMessages.h"
#include "common/Zlib.h"
#include "gateway/GatewaySession.h"
#include "main/QuorvAdmin.h"
#include "screen/BmpWriter.h"
#include "screen/FullScreenHeader.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenModeBoxes.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "screen/ScreenView.h"
#include "settings/uIniFiles.h"
#include "ui/QVMessage.h"
#include "ui/uTips.h"

#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

using namespace WindowMessages;

namespace {
// Every pixel different from its neighbours, so a shift or a scale shows.
QImage pattern(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x & 255, y & 255, (x * 7 + y * 13) & 255));
    return img;
}

QImage checkerboard(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return img;
}

// Receives the window messages the full-screen toolbar posts to its window.
struct MessageSink : QWidget {
    QList<int> received;
    bool event(QEvent *e) override {
        if (const int m = messageOf(e)) {
            received.append(m);
            return true;
        }
        return QWidget::event(e);
    }
};

// A full picture arriving through the screen pipeline as the host would send it.
void deliverFullPicture(ScreenPipeline *pipeline, const QImage &picture) {
    pipeline->ScreenFetch = ScreenPipeline::Full;
    pipeline->ScreenClientRequestDone(0, 200, Zlib::deflate(BmpWriter::encode(picture, 24)));
}
} // namespace

class TestScreenView : public QObject {
    Q_OBJECT
    QImage source;
    std::unique_ptr<ScreenView> view;

    void makeView(const QImage &image, int scaling, QSize size) {
        source = image;
        view = std::make_unique<ScreenView>();
        view->setPictureSource([this]() -> const QImage & { return source; });
        view->setScaling(scaling);
        view->resize(size);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        view->pictureChanged(QRegion(source.rect()));
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetMessageWindowHook([](int, const QString &, int) { return int(mrNo); });
    }

    void init() {
        adminVars() = AdminVars();
        settings() = Settings();
        const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        QFile::remove(ComputeAppFolders(exe).SettingsFile);
    }

    void cleanup() { view.reset(); }

    void proportionalScalingInTheView() {
        makeView(pattern(1024, 768), 1, {806, 606});
        QVERIFY(view->hasPicture());
        QCOMPARE(view->ScaleX(), 0.78125f);
        QCOMPARE(view->ScaleY(), 0.78125f);
        QCOMPARE(view->imageRect(), QRect(2, 2, 800, 600));
        QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(view->toRemote({2 + 400, 2 + 300}), QPoint(512, 384));
        QCOMPARE(view->toRemote({2, 2}), QPoint(0, 0));
    }

    void fullScalingFollowsTheViewSize() {
        makeView(pattern(1024, 768), 2, {902, 502});
        QCOMPARE(view->ScaleX(), 900.0f / 1024.0f);
        QCOMPARE(view->ScaleY(), 500.0f / 768.0f);
        view->resize(602, 402);
        QCOMPARE(view->ScaleX(), 600.0f / 1024.0f);
        QCOMPARE(view->imageRect(), QRect(0, 0, 600, 400));
    }

    void unscaledPictureIsPixelExactAndCentred() {
        makeView(pattern(800, 600), 1, {1002, 702});
        QCOMPARE(view->imageRect(), QRect(100, 50, 800, 600));
        const QImage shown =
            view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.copy(100, 50, 800, 600), source);
        QVERIFY(shown.pixel(99, 50) != source.pixel(0, 0));
    }

    void largerPictureScrollsPixelExact() {
        makeView(pattern(1024, 768), 0, {602, 402});
        QVERIFY(view->horizontalScrollBar()->maximum() > 0);
        view->horizontalScrollBar()->setValue(100);
        view->verticalScrollBar()->setValue(50);
        QCOMPARE(view->imageRect().topLeft(), QPoint(-100, -50));
        QCOMPARE(view->toRemote({0, 0}), QPoint(100, 50));
        const QImage shown =
            view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(0, 0), source.pixel(100, 50));
        QCOMPARE(shown.pixel(10, 20), source.pixel(110, 70));
    }

    void scaledPictureIsSmoothed() {
        makeView(checkerboard(1024, 768), 1, {806, 606});
        const QImage shown =
            view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int greys = 0;
        for (int y = 100; y < 110; ++y)
            for (int x = 100; x < 200; ++x) {
                const int g = qGray(shown.pixel(x, y));
                if (g > 40 && g < 215)
                    ++greys;
            }
        // Sampling without smoothing shows only black and white.
        QVERIFY2(greys > 500, qPrintable(QString::number(greys)));
    }

    void emptiedViewShowsNoPicture() {
        makeView(pattern(640, 480), 0, {700, 500});
        view->screenSizeChanged(QSize());
        QVERIFY(!view->hasPicture());
        QCOMPARE(view->ScaleX(), 1.0f);
        view->pictureChanged(QRegion(0, 0, 10, 10));
        QVERIFY(view->hasPicture());
        view->setGreyed(true);
        const QImage shown = view->viewport()->grab().toImage();
        QCOMPARE(QColor(shown.pixel(view->imageRect().center())), QColor(128, 128, 128));
        view->pictureChanged(QRegion(0, 0, 10, 10)); // the next picture ends the grey
        QVERIFY(!view->greyed());
    }

    void boxesMirrorOneModel() {
        adminVars().LoggedOn = adminVars().HostLoggedOn = true;
        adminVars().CurrentKey = QStringLiteral("K");
        GatewaySession session;
        auto *pipeline = new ScreenPipeline(&session);
        ScreenModes modes(&session, pipeline);
        modes.ResetBoxes();
        ScreenModeBox main(&modes), mirror(&modes);
        ColorBox colours(&modes), colourMirror(&modes);
        QCOMPARE(main.currentIndex(), -1);
        QCOMPARE(main.placeholderText(), QStringLiteral("Screen modes"));
        emit session.stringListReceived(1, {"640 480 32", "800 600 32", "1"});
        QCOMPARE(mirror.count(), 2);
        QCOMPARE(mirror.currentText(), QStringLiteral("  800 x  600"));
        session.CommandQueue.clear();
        pipeline->FullPicturePending = false;
        emit mirror.activated(0);
        QCOMPARE(main.currentIndex(), 0);
        QCOMPARE(session.CommandQueue.last(), QByteArray("SScM?640&480&8"));
        emit colourMirror.activated(2);
        QCOMPARE(colours.currentIndex(), 2);
        QCOMPARE(session.CommandQueue.mid(session.CommandQueue.size() - 2),
                 (QList<QByteArray>{"SCol?15", "GScr"}));
        modes.HostJoined(true);
        QVERIFY(!colours.isEnabled());
        QCOMPARE(colourMirror.currentIndex(), 0);
    }

    void headerSlidesDownAndAway() {
        adminVars().HostLoggedOn = true;
        GatewaySession session;
        auto *pipeline = new ScreenPipeline(&session);
        ScreenModes modes(&session, pipeline);
        MessageSink window;
        window.resize(1280, 1024);
        THeaderForm header(&modes, &window);
        window.show();
        header.Start();
        QCOMPARE(header.x(), 250);
        QCOMPARE(header.y(), -3);
        QVERIFY(!header.Lowered);
        QTRY_VERIFY(header.Lowered);
        QCOMPARE(header.y(), 0);
        header.ArmAutoHide();
        QVERIFY(header.AutoUpTimer.isActive());
        header.AutoHide();
        QVERIFY(!header.Lowered);
        QTRY_VERIFY(!header.Timer1.isActive());
        QCOMPARE(header.y(), -THeaderForm::HeaderHeight);

        header.BttnNailUpClick();
        QCOMPARE(header.y(), 0);
        QVERIFY(header.Lowered && header.Nailed);
        QVERIFY(!header.button(THeaderForm::BttnNailDown)->isHidden());
        QVERIFY(header.button(THeaderForm::BttnNailUp)->isHidden());
        header.AutoHide(); // pinned: stays
        QCOMPARE(header.y(), 0);
        adminVars().HostLoggedOn = false;
        header.BttnNailDownClick(); // only while the host is connected
        QVERIFY(header.Nailed);
        adminVars().HostLoggedOn = true;
        header.BttnNailDownClick();
        QVERIFY(!header.Nailed);
        QVERIFY(!header.button(THeaderForm::BttnNailUp)->isHidden());

        header.CloseHeader();
        QVERIFY(!header.isVisible());
        QVERIFY(!header.Lowered);
        QVERIFY(!header.AutoUpTimer.isActive() && !header.Timer1.isActive());

        // A pinned start shows the toolbar at once.
        header.Nailed = true;
        header.Start();
        QCOMPARE(header.y(), 0);
        QVERIFY(header.isVisible());
    }

    void headerButtonsAndKeys() {
        GatewaySession session;
        auto *pipeline = new ScreenPipeline(&session);
        ScreenModes modes(&session, pipeline);
        MessageSink window;
        window.resize(1280, 1024);
        THeaderForm header(&modes, &window);
        window.show();
        header.Start();
        auto *taskMgr = header.button(THeaderForm::BttnTaskMgr);
        QVERIFY(header.button(THeaderForm::BttnCtrlAltDel)->isHidden());
        QCOMPARE(header.button(THeaderForm::BttnReboot)->x(), taskMgr->x() + 32);
        // Shown only during a session, when the window's shortcuts belong to the remote
        // computer: the hint names the host-key combination, the name leaves it out.
        QCOMPARE(header.button(THeaderForm::BttnOsHostInfo)->toolTip(),
                 QStringLiteral("Get info client PC (Right Ctrl+I)"));
        QCOMPARE(header.button(THeaderForm::BttnOsHostInfo)->accessibleName(),
                 QStringLiteral("Get info client PC"));
        header.setWallpaperHidden(true);
        QVERIFY(header.button(THeaderForm::BttnHideWallpaper)->isHidden());
        QVERIFY(!header.button(THeaderForm::BttnShowWallpaper)->isHidden());

        QList<THeaderForm::Button> clicked;
        connect(&header, &THeaderForm::buttonClicked, this,
                [&](THeaderForm::Button b) { clicked.append(b); });
        header.button(THeaderForm::BttnChat)->click();
        QCOMPARE(clicked, QList<THeaderForm::Button>{THeaderForm::BttnChat});

        QTest::keyPress(&header, Qt::Key_A);
        QTest::keyRelease(&header, Qt::Key_Return, Qt::AltModifier);
        QTRY_COMPARE(window.received, QList<int>{NormalScreen});
        header.button(THeaderForm::BttnNormalScreen)->click();
        QTRY_COMPARE(window.received.size(), 2);
    }

    void mainWindowShowsThePictureOnceItArrives() {
        TQuorvAdminForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ScreenArea *area = form.screenArea();
        QTRY_VERIFY(!area->view()->isVisible());
        adminVars().LoggedOn = adminVars().HostLoggedOn = true;
        form.session()->CommandsDisabled = true; // nothing leaves for a gateway
        deliverFullPicture(form.pipeline(), pattern(320, 200));
        QTRY_VERIFY(area->view()->isVisible());
        QVERIFY(area->view()->hasPicture());
        form.InitVars();
        QVERIFY(!area->view()->isVisible());
    }

    void fullScreenHidesTheBarsAndRestoresTheBounds() {
        TQuorvAdminForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect bounds(40, 50, 900, 700);
        form.setGeometry(bounds);
        QTRY_COMPARE(form.geometry(), bounds);
        ScreenArea *area = form.screenArea();

        PostMessage(&form, FullScreen); // no host: refused
        QTest::qWait(0);
        QCoreApplication::processEvents();
        QVERIFY(!area->FullScreen);

        adminVars().LoggedOn = adminVars().HostLoggedOn = true;
        form.session()->CommandsDisabled = true;
        deliverFullPicture(form.pipeline(), pattern(800, 600));
        QTRY_VERIFY(area->view()->hasPicture());
        PostMessage(&form, FullScreen);
        QTRY_VERIFY(area->FullScreen);
        QVERIFY(form.isFullScreen());
        QVERIFY(form.menuBar()->isHidden());
        QVERIFY(form.statusBar()->isHidden());
        QVERIFY(area->header()->isVisible());
        QVERIFY(form.formEventsConnected());
        QTRY_COMPARE(area->size(), form.screen()->size());
        QCOMPARE(area->view()->ScaleX(), 1.0f);

        area->header()->BttnNailUpClick();
        PostMessage(&form, NormalScreen);
        QTRY_VERIFY(!area->FullScreen);
        QVERIFY(!area->header()->isVisible());
        QVERIFY(!form.menuBar()->isHidden());
        QVERIFY(!form.statusBar()->isHidden());
        QTRY_COMPARE(form.geometry(), bounds);
        QVERIFY(area->HeaderNailed);

        // The session reset forgets the pinned toolbar.
        form.InitVars();
        QVERIFY(!area->HeaderNailed);
    }

    void resolutionAdviceSetsResTipFromItsBox() {
        QStringList shown;
        bool neverAgain = true;
        SetTipsWindowHook([&](const QString &title, const QString &text, bool offerNeverAsk) {
            shown << title << text.left(40);
            return offerNeverAsk && neverAgain;
        });
        QVERIFY(!ScreenArea::OfferResolutionTip(nullptr, true));
        QCOMPARE(shown.value(0), QStringLiteral("SCREEN RESOLUTION SETTINGS"));
        QVERIFY(shown.value(1).startsWith(QStringLiteral("It is highly recommended")));
        neverAgain = false;
        QVERIFY(ScreenArea::OfferResolutionTip(nullptr, true));
        SetTipsWindowHook({});
    }

    void scalingIsRefusedWhileRecording() {
        TQuorvAdminForm form;
        ScreenArea *area = form.screenArea();
        bool recording = true;
        area->recording = [&] { return recording; };
        area->BttnScalePropOn->trigger();
        QCOMPARE(settings().Scaling, quint8(0));
        QVERIFY(area->BttnScalePropOn->isVisible());
        recording = false;
        area->BttnScalePropOn->trigger();
        QCOMPARE(settings().Scaling, quint8(1));
        QVERIFY(!area->BttnScalePropOn->isVisible());
        QVERIFY(area->BttnScalePropOff->isVisible());
        QVERIFY(area->BttnScaleMaxOn->isVisible());
        QVERIFY(!area->BttnScaleMaxOff->isVisible());
        QCOMPARE(area->view()->scaling(), 1);
        area->BttnScaleMaxOn->trigger();
        QVERIFY(area->BttnScalePropOn->isVisible() && area->BttnScaleMaxOff->isVisible());
        area->BttnScaleMaxOff->trigger();
        QCOMPARE(settings().Scaling, quint8(0));
    }
};

QTEST_MAIN(TestScreenView)
#include "tst_screen_view.moc"
