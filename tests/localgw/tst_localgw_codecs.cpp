// The shared encoders and the bounded inflate the console's decoders rely on.
#include "HostileBodies.h"
#include "SyntheticDesktop.h"
#include "common/Zlib.h"
#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"
#include "screen/RectListWriter.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>

#include <cstring>

using namespace localgw;

namespace {
QImage gradient(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(
                x, y,
                qRgb((x * 255) / qMax(1, w - 1), (y * 255) / qMax(1, h - 1), ((x + y) * 37) & 255));
    return img;
}

quint32 le32(const QByteArray &b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray &b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
} // namespace

class TestLocalGwCodecs : public QObject {
    Q_OBJECT
private slots:
    void inflateRoundTrip_data();
    void inflateRoundTrip();
    void inflateBoundIsExact();
    void inflateRejectsDamagedStreams();
    void inflateStopsBombAtBound();
    void palettesAreFixedAndReductionIdempotent();
    void bmpReadsBackAsReducedPicture_data();
    void bmpReadsBackAsReducedPicture();
    void bmpHeaderFields();
    void rectListLayout();
    void desktopDrawsWithoutGuiApplication();
};

void TestLocalGwCodecs::inflateRoundTrip_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("800 600\r\n1024 768\r\n1\r\n");
    QByteArray random(300000, '\0');
    QRandomGenerator gen(3);
    for (char &c : random)
        c = char(gen.bounded(256));
    QTest::newRow("incompressible") << random;
    QTest::newRow("zeros") << QByteArray(5000000, '\0');
}

void TestLocalGwCodecs::inflateRoundTrip() {
    QFETCH(QByteArray, data);
    const QByteArray packed = Zlib::deflate(data);
    QVERIFY(packed.size() >= 8);
    QCOMPARE(quint8(packed[0]) & 0x0f, 8); // a zlib header: deflate method
    const auto out = Zlib::inflateBounded(packed, data.size() + 10);
    QVERIFY(out.has_value());
    QCOMPARE(*out, data);
}

void TestLocalGwCodecs::inflateBoundIsExact() {
    const QByteArray data(10000, 'x');
    const QByteArray packed = Zlib::deflate(data);
    Zlib::InflateError error;
    QVERIFY(Zlib::inflateBounded(packed, 10000, &error).has_value());
    QCOMPARE(error, Zlib::InflateError::None);
    QVERIFY(!Zlib::inflateBounded(packed, 9999, &error).has_value());
    QCOMPARE(error, Zlib::InflateError::TooLarge);
    QVERIFY(!Zlib::inflateBounded(Zlib::deflate("a"), 0, &error).has_value());
    QCOMPARE(error, Zlib::InflateError::TooLarge);
    QVERIFY(Zlib::inflateBounded(Zlib::deflate({}), 0, &error).has_value());
}

void TestLocalGwCodecs::inflateRejectsDamagedStreams() {
    const QByteArray packed = Zlib::deflate(QByteArray(4000, 'q') + "tail");
    Zlib::InflateError error;

    QVERIFY(!Zlib::inflateBounded(packed.left(packed.size() / 2), 1 << 20, &error));
    QCOMPARE(error, Zlib::InflateError::Truncated);
    QVERIFY(!Zlib::inflateBounded(packed.left(packed.size() - 1), 1 << 20, &error));
    QCOMPARE(error, Zlib::InflateError::Truncated);
    QVERIFY(!Zlib::inflateBounded({}, 1 << 20, &error));
    QCOMPARE(error, Zlib::InflateError::Truncated);

    QByteArray badSum = packed;
    badSum[badSum.size() - 1] = char(badSum[badSum.size() - 1] ^ 0x55);
    QVERIFY(!Zlib::inflateBounded(badSum, 1 << 20, &error));
    QCOMPARE(error, Zlib::InflateError::Corrupt);

    QVERIFY(!Zlib::inflateBounded("BM not compressed at all", 1 << 20, &error));
    QCOMPARE(error, Zlib::InflateError::Corrupt);

    // Whatever follows the end of the stream is not part of it.
    const auto withTrailer = Zlib::inflateBounded(packed + "garbage", 1 << 20, &error);
    QVERIFY(withTrailer.has_value());
    QCOMPARE(withTrailer->size(), 4004);
}

void TestLocalGwCodecs::inflateStopsBombAtBound() {
    const QByteArray bomb = HostileBodies::zlibBomb(qint64(256) << 20);
    QVERIFY(bomb.size() < (1 << 20));
    Zlib::InflateError error;
    QVERIFY(!Zlib::inflateBounded(bomb, 8 << 20, &error));
    QCOMPARE(error, Zlib::InflateError::TooLarge);
    // The bomb is a sound stream: with room for it, it inflates to its zeros.
    const QByteArray small = HostileBodies::zlibBomb(qint64(4) << 20);
    const auto out = Zlib::inflateBounded(small, 4 << 20, &error);
    QVERIFY(out.has_value());
    QCOMPARE(out->size(), 4 << 20);
    QCOMPARE(out->count('\0'), out->size());
}

void TestLocalGwCodecs::palettesAreFixedAndReductionIdempotent() {
    QCOMPARE(FixedPalettes::palette16().size(), 16);
    QCOMPARE(FixedPalettes::palette256().size(), 256);
    QCOMPARE(FixedPalettes::palette256().mid(0, 16), FixedPalettes::palette16());

    // Every colour a 5-5-5 pixel can hold, once, each channel widened with its top bits
    // repeated below (31 is 255), as the console reads such a pixel.
    const auto wide = [](int v) { return v << 3 | v >> 2; };
    QImage all(256, 128, QImage::Format_RGB32);
    for (int i = 0; i < 32768; ++i)
        all.setPixel(i % 256, i / 256,
                     qRgb(wide((i >> 10) & 31), wide((i >> 5) & 31), wide(i & 31)));
    for (int depth : {4, 8, 15}) {
        const QImage once = FixedPalettes::reduceToDepth(all, depth);
        QCOMPARE(FixedPalettes::reduceToDepth(once, depth), once);
        if (depth == 15)
            QCOMPARE(once, all);
    }
    for (int depth : {4, 8}) {
        const QList<QRgb> &palette = FixedPalettes::paletteForDepth(depth);
        QImage swatch(int(palette.size()), 1, QImage::Format_RGB32);
        for (int i = 0; i < palette.size(); ++i)
            swatch.setPixel(i, 0, palette[i]);
        QCOMPARE(FixedPalettes::reduceToDepth(swatch, depth), swatch);
    }
    // Nearest colour: a dark red goes to maroon in 16 colours.
    QImage dark(1, 1, QImage::Format_RGB32);
    dark.setPixel(0, 0, qRgb(140, 10, 5));
    QCOMPARE(FixedPalettes::reduceToDepth(dark, 4).pixel(0, 0), qRgb(128, 0, 0));
}

void TestLocalGwCodecs::bmpReadsBackAsReducedPicture_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("width");
    for (int depth : {4, 8, 15, 24})
        for (int width : {1, 3, 5, 7, 64}) // every row padding
            QTest::addRow("depth %d width %d", depth, width) << depth << width;
}

void TestLocalGwCodecs::bmpReadsBackAsReducedPicture() {
    QFETCH(int, depth);
    QFETCH(int, width);
    const QImage source = gradient(width, 9);
    const QByteArray bmp = BmpWriter::encode(source, depth);
    QImage read;
    QVERIFY(read.loadFromData(bmp, "BMP"));
    QCOMPARE(read.size(), source.size());
    read = read.convertToFormat(QImage::Format_RGB32);
    if (depth == 15) {
        // Qt's reader fills the low bits of 5-bit channels with zeros; the console repeats the
        // top bits there (31 is 255).
        for (int y = 0; y < read.height(); ++y)
            for (int x = 0; x < read.width(); ++x) {
                const QRgb c = read.pixel(x, y);
                const auto wide = [](int v) { return v | v >> 5; };
                read.setPixel(x, y, qRgb(wide(qRed(c)), wide(qGreen(c)), wide(qBlue(c))));
            }
    }
    QCOMPARE(read, FixedPalettes::reduceToDepth(source, depth));
    if (depth == 24)
        return;

    // The simulated host's wire pixels of the same picture give the same file, whole and for a
    // part that starts at an odd column.
    const int bpp = depth == 15 ? 2 : 1;
    QByteArray wire(qsizetype(width) * bpp * 9, '\0');
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < width; ++x) {
            const quint32 cell = FixedPalettes::cellOf(source.pixel(x, y));
            char *at = wire.data() + (qsizetype(y) * width + x) * bpp;
            if (depth == 15) {
                const quint16 v = quint16(cell);
                std::memcpy(at, &v, 2);
            } else {
                *at = char(FixedPalettes::cellLookup(depth)[cell]);
            }
        }
    const BmpWriter::WirePixels pixels{reinterpret_cast<const uchar *>(wire.constData()),
                                       qsizetype(width) * bpp, depth};
    QCOMPARE(BmpWriter::encodeWire(pixels, source.rect()), bmp);
    const QRect part(width / 2, 1, width - width / 2, 7);
    QCOMPARE(BmpWriter::encodeWire(pixels, part), BmpWriter::encode(source.copy(part), depth));
}

void TestLocalGwCodecs::bmpHeaderFields() {
    const QImage source = gradient(5, 3);
    for (int depth : {4, 8, 15}) {
        const QByteArray bmp = BmpWriter::encode(source, depth);
        const int paletteBytes = depth == 4 ? 64 : depth == 8 ? 1024 : 0;
        const int bits = depth == 15 ? 16 : depth;
        const int stride = ((5 * bits + 31) / 32) * 4;
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(le32(bmp, 2), quint32(bmp.size()));
        QCOMPARE(le32(bmp, 10), quint32(54 + paletteBytes));
        QCOMPARE(le32(bmp, 14), 40u);
        QCOMPARE(qint32(le32(bmp, 18)), 5);
        QCOMPARE(qint32(le32(bmp, 22)), 3); // bottom-up
        QCOMPARE(le16(bmp, 28), quint16(bits));
        QCOMPARE(le32(bmp, 30), 0u); // BI_RGB
        QCOMPARE(le32(bmp, 46), quint32(paletteBytes / 4));
        QCOMPARE(bmp.size(), 54 + paletteBytes + stride * 3);
        QCOMPARE(BmpWriter::encodeDib(source, depth), bmp.mid(14));
    }
    QVERIFY(BmpWriter::encode(source, 32).isEmpty());
    QVERIFY(BmpWriter::encode(QImage(), 8).isEmpty());
}

void TestLocalGwCodecs::rectListLayout() {
    RectListWriter w;
    w.append(-3, 70000, "BMxyz");
    w.appendRaw(1, 2, -5, "BM");
    QCOMPARE(w.count(), 2);
    const QByteArray d = w.data();
    QCOMPARE(d.size(), 12 + 5 + 12 + 2);
    QCOMPARE(qint32(le32(d, 0)), -3);
    QCOMPARE(qint32(le32(d, 4)), 70000);
    QCOMPARE(qint32(le32(d, 8)), 5);
    QCOMPARE(d.mid(12, 5), QByteArray("BMxyz"));
    QCOMPARE(qint32(le32(d, 25)), -5);
}

void TestLocalGwCodecs::desktopDrawsWithoutGuiApplication() {
    // This test program has no GUI application: the desktop leaves its texts out but still
    // shows the passing seconds, so pictures keep changing for console-only tests.
    SyntheticDesktop desktop({640, 480});
    desktop.setClock(QTime(10, 0, 5));
    const QImage before = desktop.render();
    QCOMPARE(before.size(), QSize(640, 480));
    desktop.setClock(QTime(10, 0, 6));
    QVERIFY(desktop.render() != before);
}

QTEST_GUILESS_MAIN(TestLocalGwCodecs)
#include "tst_localgw_codecs.moc"
