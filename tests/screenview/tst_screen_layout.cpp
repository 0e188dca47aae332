#include <QtTest>

#include "screen/ScreenLayout.h"

namespace {
ViewGeometry normal(QSize picture, QSize outer, int scaling) {
    ViewGeometry g;
    g.picture = picture;
    g.scrollOuter = outer;
    g.scrollClient = outer - QSize(2, 2); // the one-pixel frame
    g.scaling = scaling;
    return g;
}

ViewGeometry fullScreen(QSize picture, QSize monitor, int scaling = 0) {
    ViewGeometry g;
    g.picture = picture;
    g.monitor = monitor;
    g.scrollOuter = monitor;
    g.scrollClient = monitor;
    g.scaling = scaling;
    g.fullScreen = true;
    return g;
}
} // namespace

// Where the picture goes and the factors by which mouse positions are translated.
class TestScreenLayout : public QObject {
    Q_OBJECT
private slots:
    void proportionalScalingFramesWithMarginOne() {
        const ImageLayout l = ComputeImageLayout(normal({1024, 768}, {806, 606}, 1));
        QCOMPARE(l.ScaleX, 0.78125f);
        QCOMPARE(l.ScaleY, 0.78125f);
        QCOMPARE(l.parent, ImageLayout::InPanel);
        QVERIFY(l.stretch);
        QVERIFY(!l.scrollBars);
        QCOMPARE(l.margin, 1);
        QCOMPARE(l.panel, QRect(1, 1, 804, 604));
        QCOMPARE(l.image, QRect(2, 2, 800, 600));
    }

    void proportionalScaleIsTheSmallerSideInSinglePrecision() {
        const ImageLayout l = ComputeImageLayout(normal({1280, 1024}, {1006, 606}, 1));
        const float s = std::min(1000.0f / 1280.0f, 600.0f / 1024.0f);
        QCOMPARE(l.ScaleX, s);
        QCOMPARE(l.ScaleY, s);
        QCOMPARE(l.image.size(), QSize(int(1280 * s), int(1024 * s)));
        // Centred horizontally in the client area.
        QCOMPARE(l.image.left(), (1004 - l.image.width()) / 2);
    }

    void fullScalingFillsTheClientAreaWithTwoFactors() {
        const ImageLayout l = ComputeImageLayout(normal({1024, 768}, {902, 502}, 2));
        QCOMPARE(l.parent, ImageLayout::InScrollBox);
        QCOMPARE(l.image, QRect(0, 0, 900, 500));
        QCOMPARE(l.ScaleX, 900.0f / 1024.0f);
        QCOMPARE(l.ScaleY, 500.0f / 768.0f);
        QVERIFY(l.ScaleX != l.ScaleY);
        QCOMPARE(l.content, QSize(900, 500));
    }

    void largerPictureWithoutScalingScrolls() {
        const ImageLayout l = ComputeImageLayout(normal({1024, 768}, {806, 606}, 0));
        QCOMPARE(l.parent, ImageLayout::InScrollBox);
        QCOMPARE(l.image, QRect(0, 0, 1024, 768));
        QCOMPARE(l.content, QSize(1024, 768));
        QVERIFY(l.scrollBars);
        QCOMPARE(l.ScaleX, 1.0f);
    }

    void fittingPictureIsNeverScaledAndCentred_data() {
        QTest::addColumn<int>("scaling");
        QTest::newRow("none") << 0;
        QTest::newRow("proportional") << 1;
        QTest::newRow("full") << 2;
    }
    void fittingPictureIsNeverScaledAndCentred() {
        QFETCH(int, scaling);
        const ImageLayout l = ComputeImageLayout(normal({800, 600}, {1002, 702}, scaling));
        QCOMPARE(l.ScaleX, 1.0f);
        QCOMPARE(l.ScaleY, 1.0f);
        QVERIFY(!l.stretch);
        QCOMPARE(l.parent, ImageLayout::InPanel);
        QCOMPARE(l.margin, 5); // capped
        QCOMPARE(l.image, QRect(100, 50, 800, 600));
        QCOMPARE(l.panel, QRect(95, 45, 812, 612));
    }

    void marginFollowsTheSmallerGap() {
        // dx 200, dy 10: m = (10 - 4) / 2 = 3.
        ImageLayout l = ComputeImageLayout(normal({800, 600}, {1002, 612}, 0));
        QCOMPARE(l.margin, 3);
        QCOMPARE(l.image.topLeft(), QPoint(100, 5));
        // A gap of 4 pixels or less on either axis: no margin, top left corner.
        l = ComputeImageLayout(normal({800, 600}, {805, 702}, 0));
        QCOMPARE(l.margin, 0);
        QCOMPARE(l.image.topLeft(), QPoint(0, 0));
        // An exact fit leaves nothing to scroll.
        l = ComputeImageLayout(normal({800, 600}, {802, 602}, 1));
        QCOMPARE(l.content, QSize(800, 600));
    }

    void fullScreenExactFitSitsInTheWindow() {
        const ImageLayout l = ComputeImageLayout(fullScreen({1280, 1024}, {1280, 1024}, 1));
        QCOMPARE(l.parent, ImageLayout::InWindow);
        QCOMPARE(l.image, QRect(0, 0, 1280, 1024));
        QCOMPARE(l.ScaleX, 1.0f);
    }

    void fullScreenNeverScales() {
        ImageLayout l = ComputeImageLayout(fullScreen({1600, 1200}, {1280, 1024}, 2));
        QCOMPARE(l.parent, ImageLayout::InScrollBox);
        QCOMPARE(l.ScaleX, 1.0f);
        QCOMPARE(l.ScaleY, 1.0f);
        QCOMPARE(l.content, QSize(1600, 1200));
        // Wider only: still scrolls.
        l = ComputeImageLayout(fullScreen({1300, 600}, {1280, 1024}, 1));
        QCOMPARE(l.parent, ImageLayout::InScrollBox);
        // Smaller: centred in the frame, unscaled.
        l = ComputeImageLayout(fullScreen({800, 600}, {1280, 1024}, 1));
        QCOMPARE(l.parent, ImageLayout::InPanel);
        QCOMPARE(l.ScaleX, 1.0f);
        QCOMPARE(l.image, QRect(240, 212, 800, 600));
    }

    void degenerateSizesKeepFactorsPositive() {
        ImageLayout l = ComputeImageLayout(normal({}, {806, 606}, 1));
        QCOMPARE(l.ScaleX, 1.0f);
        QCOMPARE(l.content, QSize(0, 0));
        // A view smaller than its frame allowance.
        l = ComputeImageLayout(normal({1024, 768}, {4, 4}, 1));
        QVERIFY(l.ScaleX > 0.0f && l.ScaleY > 0.0f);
        QVERIFY(l.image.width() >= 1 && l.image.height() >= 1);
        l = ComputeImageLayout(normal({1024, 768}, {0, 0}, 2));
        QVERIFY(l.ScaleX > 0.0f && l.ScaleY > 0.0f);
        QCOMPARE(l.image.size(), QSize(1, 1));
    }

    void revealZone() {
        // 1280 wide, toolbar 780: w = 250, so 250 < x < 1030.
        QVERIFY(!InRevealZone({250, 0}, 1280, 780, 3));
        QVERIFY(InRevealZone({251, 0}, 1280, 780, 3));
        QVERIFY(InRevealZone({1029, 2}, 1280, 780, 3));
        QVERIFY(!InRevealZone({1030, 0}, 1280, 780, 3));
        QVERIFY(!InRevealZone({640, 3}, 1280, 780, 3));
        QVERIFY(InRevealZone({640, 4}, 1280, 780, 5));
        QVERIFY(!InRevealZone({640, -1}, 1280, 780, 5));
    }

    void slideRunsFastThenSlowAndStops() {
        // Down from almost hidden to the top edge.
        int top = 1 - 30, steps = 0;
        QList<int> tops;
        for (;;) {
            const SlideStep s = HeaderSlideStep(top, 30, true);
            if (s.finished)
                break;
            QVERIFY(s.top > top);
            top = s.top;
            tops.append(top);
            QVERIFY(++steps < 100);
        }
        QCOMPARE(top, 0);
        QCOMPARE(tops.first(), -26);                      // fast below a quarter of the height
        QCOMPARE(tops.last() - tops[tops.size() - 2], 1); // slow near the edge
        // Up from the top edge until fully hidden.
        steps = 0;
        for (;;) {
            const SlideStep s = HeaderSlideStep(top, 30, false);
            if (s.finished)
                break;
            QVERIFY(s.top < top);
            top = s.top;
            QVERIFY(++steps < 100);
        }
        QCOMPARE(top, -30);
    }

    void fitToScreenTolerance() {
        QVERIFY(RemoteFitsMonitor({1280, 1024}, {1280, 1024}));
        QVERIFY(RemoteFitsMonitor({1270, 1034}, {1280, 1024}));
        QVERIFY(!RemoteFitsMonitor({1269, 1024}, {1280, 1024}));
        QVERIFY(!RemoteFitsMonitor({1280, 1035}, {1280, 1024}));
    }
};

QTEST_GUILESS_MAIN(TestScreenLayout)
#include "tst_screen_layout.moc"
