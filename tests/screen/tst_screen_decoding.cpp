#include <QtTest>

#include "HostileBodies.h"
#include "ScreenTestImages.h"
#include "common/Zlib.h"
#include "screen/BmpDecoder.h"
#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"
#include "screen/RectListWriter.h"
#include "screen/ScreenDecoder.h"
#include "screen/TMultiStream.h"

#include <climits>

using namespace ScreenTestImages;

namespace {
// A channel cut to 5 or 6 bits and widened back with its top bits repeated below.
int widened(int c, int bits) {
    const int v = c >> (8 - bits);
    return bits == 5 ? (v << 3 | v >> 2) : (v << 2 | v >> 4);
}

QImage keep(const QImage &img, int redBits, int greenBits, int blueBits) {
    QImage out = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            out.setPixel(x, y,
                         qRgb(widened(qRed(c), redBits), widened(qGreen(c), greenBits),
                              widened(qBlue(c), blueBits)));
        }
    return out;
}

QByteArray setField32(QByteArray file, int offset, quint32 value) {
    qToLittleEndian(value, reinterpret_cast<uchar *>(file.data()) + offset);
    return file;
}

QByteArray setField16(QByteArray file, int offset, quint16 value) {
    qToLittleEndian(value, reinterpret_cast<uchar *>(file.data()) + offset);
    return file;
}

PictureJob job(quint8 mode, const QByteArray &inflated, int depth, const QImage &frame = {}) {
    PictureJob j;
    j.DecodeMode = mode;
    j.ReceivedData = Zlib::deflate(inflated);
    j.ColorDepth = depth;
    j.frame = frame;
    return j;
}

// What the main thread would show after applying a result to `frame`.
QImage applied(QImage frame, const PictureResult &r) {
    if (!r.replacement.isNull())
        frame = r.replacement;
    for (const ScreenPatch &p : r.patches)
        for (int y = 0; y < p.pixels.height(); ++y)
            for (int x = 0; x < p.pixels.width(); ++x)
                frame.setPixel(p.at.x() + x, p.at.y() + y, p.pixels.pixel(x, y));
    return frame;
}

QImage drawn(QImage frame, const QImage &part, QPoint at) {
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            if (frame.rect().contains(at.x() + x, at.y() + y))
                frame.setPixel(at.x() + x, at.y() + y, part.pixel(x, y));
    return frame;
}
} // namespace

// The BMP decoder, the rectangle-list container and one decoding job without threads.
class TestScreenDecoding : public QObject {
    Q_OBJECT

private slots:
    void readsWhatTheHostWrites_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QSize>("size");
        for (int depth : {4, 8, 15, 24})
            for (QSize s : {QSize(1, 1), QSize(13, 7), QSize(64, 3), QSize(3, 64)})
                QTest::addRow("depth %d, %dx%d", depth, s.width(), s.height()) << depth << s;
    }
    void readsWhatTheHostWrites() {
        QFETCH(int, depth);
        QFETCH(QSize, size);
        const QImage img = pattern(size.width(), size.height(), depth);
        const QByteArray file = BmpWriter::encode(img, depth);
        BmpDecoder d;
        QString why;
        const QImage out = d.decode(file, depth == 24 ? 15 : depth, &why);
        QVERIFY2(!out.isNull(), qPrintable(why));
        QCOMPARE(out.format(), QImage::Format_RGB32);
        QCOMPARE(out, depth == 24 ? img : FixedPalettes::reduceToDepth(img, depth));
    }

    void readsGeneralForms_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QImage>("expected");
        const QImage img = pattern(13, 5);
        const QList<QRgb> two = {qRgb(10, 20, 30), qRgb(250, 128, 3)};
        const auto idx2 = indexPattern(21, 4, 2);
        QTest::newRow("1 bit") << build(Form::of(1).colours(two), {}, idx2)
                               << fromIndexes(idx2, two);
        // A palette shorter than the bits allow: the rest reads as black.
        QList<QRgb> six;
        for (int i = 0; i < 6; ++i)
            six.append(qRgb(i * 40, 255 - i * 30, i * 7));
        const auto idx16 = indexPattern(9, 3, 16);
        QTest::newRow("4 bit, 6 colours")
            << build(Form::of(4).colours(six, 6), {}, idx16) << fromIndexes(idx16, six);
        QList<QRgb> many;
        for (int i = 0; i < 256; ++i)
            many.append(qRgb(i, (i * 7) & 255, 255 - i));
        const auto idx256 = indexPattern(10, 6, 256);
        QTest::newRow("8 bit top-down")
            << build(Form::of(8).colours(many).down(), {}, idx256) << fromIndexes(idx256, many);
        const QList<quint32> m565 = {0xf800, 0x07e0, 0x001f};
        QTest::newRow("16 bit 5-6-5")
            << build(Form::of(16).fields(m565), img) << keep(img, 5, 6, 5);
        QTest::newRow("16 bit 5-6-5, V4 header")
            << build(Form::of(16).fields(m565).info(108), img) << keep(img, 5, 6, 5);
        QTest::newRow("16 bit 5-5-5 top-down")
            << build(Form::of(16).down(), img) << keep(img, 5, 5, 5);
        const QImage white = filled(3, 2, qRgb(255, 255, 255));
        QTest::newRow("16 bit 5-5-5 white") << build(Form::of(16), white) << white;
        QTest::newRow("16 bit 5-6-5 white") << build(Form::of(16).fields(m565), white) << white;
        QTest::newRow("24 bit") << build(Form::of(24), img) << img;
        QTest::newRow("24 bit top-down") << build(Form::of(24).down(), img) << img;
        QTest::newRow("32 bit") << build(Form::of(32).pad(0x5a), img) << img;
        QTest::newRow("32 bit bit fields, R G B X")
            << build(Form::of(32).fields({0xff, 0xff00, 0xff0000}), img) << img;
        QTest::newRow("32 bit bit fields, V5 header top-down")
            << build(Form::of(32).fields({0xff0000, 0xff00, 0xff}).info(124).down(), img) << img;
    }
    void readsGeneralForms() {
        QFETCH(QByteArray, file);
        QFETCH(QImage, expected);
        BmpDecoder d;
        QString why;
        const QImage out = d.decode(file, 15, &why);
        QVERIFY2(!out.isNull(), qPrintable(why));
        QCOMPARE(out, expected.convertToFormat(QImage::Format_RGB32));
    }

    void reducesLikeTheFixedPalettes_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("depth");
        for (int bits : {16, 24, 32})
            for (int depth : {4, 8})
                QTest::addRow("%d bit at depth %d", bits, depth) << bits << depth;
    }
    void reducesLikeTheFixedPalettes() {
        QFETCH(int, bits);
        QFETCH(int, depth);
        const QImage img = pattern(40, 30, bits);
        const QByteArray file = build(Form::of(bits), img);
        BmpDecoder d;
        const QImage asFile = d.decode(file, 15);
        QCOMPARE(d.decode(file, depth), FixedPalettes::reduceToDepth(asFile, depth));
        // A palette that is not the fixed one is reduced as well.
        const QList<QRgb> odd = {qRgb(1, 2, 3), qRgb(90, 200, 17), qRgb(255, 255, 254)};
        const auto idx = indexPattern(7, 7, 3);
        const QByteArray indexed = build(Form::of(8).colours(odd), {}, idx);
        QCOMPARE(d.decode(indexed, depth),
                 FixedPalettes::reduceToDepth(fromIndexes(idx, odd), depth));
    }

    void refusesBadFiles_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = BmpWriter::encode(pattern(16, 8), 8);
        const QByteArray good24 = BmpWriter::encode(pattern(16, 8), 24);
        QByteArray notBm = good;
        notBm[0] = 'X';
        QTest::newRow("not BM") << notBm;
        QTest::newRow("header only half there") << good.left(30);
        QTest::newRow("pixel data cut short") << good.left(good.size() - 1);
        QTest::newRow("width 0") << setField32(good, 18, 0);
        QTest::newRow("width negative") << setField32(good, 18, quint32(-16));
        QTest::newRow("height 0") << setField32(good, 22, 0);
        QTest::newRow("height INT_MIN") << setField32(good, 22, 0x80000000u);
        QTest::newRow("1,000,000 wide") << setField32(good24, 18, 1000000);
        QTest::newRow("65536 high") << setField32(good24, 22, 65536);
        QTest::newRow("palette of 2^31-1") << setField32(good, 46, 0x7fffffff);
        QTest::newRow("257 colours for 8 bits") << setField32(good, 46, 257);
        QTest::newRow("pixel offset inside the headers") << setField32(good, 10, 20);
        QTest::newRow("pixel offset past the end") << setField32(good, 10, 0xfffffff0u);
        QTest::newRow("RLE8") << setField32(good, 30, 1);
        QTest::newRow("bit fields on 24 bits") << setField32(good24, 30, 3);
        QTest::newRow("2 planes") << setField16(good, 26, 2);
        QTest::newRow("7 bits per pixel") << setField16(good, 28, 7);
        QTest::newRow("unknown info header") << setField32(good, 14, 64);
        const QImage img = pattern(4, 4);
        QTest::newRow("mask with a gap")
            << build(Form::of(16).fields({0xf801, 0x07e0, 0x001e}), img);
        QTest::newRow("16-bit mask beyond 16 bits")
            << setField32(build(Form::of(16).fields({0xf800, 0x07e0, 0x1f}), img), 54, 0x1f0000);
        QTest::newRow("palette cut short") << good.left(14 + 40 + 100);
    }
    void refusesBadFiles() {
        QFETCH(QByteArray, file);
        BmpDecoder d;
        QString why;
        QVERIFY(d.decode(file, 15, &why).isNull());
        QVERIFY(!why.isEmpty());
        // Drawing a refused file leaves the target as it was.
        QImage target = filled(20, 20, qRgb(1, 2, 3));
        const QImage before = target.copy();
        QVERIFY(!d.decodeInto(file, target, 0, 0, 15));
        QCOMPARE(target, before);
    }

    void sizeIsBoundByMemoryNotBySide() {
        // Three 4K monitors side by side.
        ScreenDecoder d;
        const QImage wide = pattern(11520, 3);
        PictureResult r = d.run(job(PictureJob::FullPicture, BmpWriter::encode(wide, 24), 15));
        QVERIFY2(r.ok, qPrintable(r.failure));
        QCOMPARE(r.replacement, wide);

        // Headers alone: exactly 512 MiB is accepted, one row more is not, in either order of
        // rows; a side beyond 65535 is refused whatever the area.
        const QByteArray file = BmpWriter::encode(pattern(4, 4), 24);
        const auto sized = [&](quint32 w, quint32 h) {
            return setField32(setField32(file, 18, w), 22, h);
        };
        QVERIFY(BmpDecoder::parseHeader(sized(16384, 8192)));
        QVERIFY(BmpDecoder::parseHeader(sized(8192, quint32(-16384))));
        QString why;
        QVERIFY(!BmpDecoder::parseHeader(sized(16384, 8193), &why));
        QCOMPARE(why, QStringLiteral("remote picture of 16384 x 8193 pixels is too large: it "
                                     "would take 513 MiB, more than the 512 MiB allowed"));
        QVERIFY(!BmpDecoder::parseHeader(sized(8193, quint32(-16384)), &why));
        QVERIFY(!BmpDecoder::parseHeader(sized(65536, 1), &why));
        QCOMPARE(why, QStringLiteral("remote picture of 65536 x 1 pixels is wider or taller than "
                                     "65535 pixels"));
        QVERIFY(!BmpDecoder::parseHeader(sized(0x7fffffffu, 0x80000000u), &why));
        QVERIFY(!BmpDecoder::parseHeader(sized(5, 0), &why));
        QCOMPARE(why, QStringLiteral("remote picture of 5 x 0 pixels has no pixels"));
    }

    void everyPrefixIsSafe() {
        // A file cut anywhere is refused, never read past its end (the sanitizer build checks
        // the reads); only the whole file decodes.
        for (int bits : {1, 4, 8, 16, 24, 32}) {
            const QImage img = pattern(11, 6);
            const QByteArray file =
                bits <= 8 ? build(Form::of(bits).colours({qRgb(1, 1, 1), qRgb(2, 2, 2)}), {},
                                  indexPattern(11, 6, 2))
                          : build(Form::of(bits), img);
            BmpDecoder d;
            for (qsizetype n = 0; n < file.size(); ++n)
                QVERIFY2(d.decode(QByteArrayView(file.constData(), n), 15).isNull(),
                         qPrintable(QStringLiteral("%1 bits, %2 bytes").arg(bits).arg(n)));
            QVERIFY(!d.decode(file, 15).isNull());
        }
    }

    void clipsToTheScreen() {
        const QImage img = pattern(10, 8);
        const QByteArray file = BmpWriter::encode(img, 24);
        BmpDecoder d;
        QImage part;
        QRect where;
        QVERIFY(d.decodeClipped(file, -3, -2, QRect(0, 0, 20, 20), 15, &part, &where));
        QCOMPARE(where, QRect(0, 0, 7, 6));
        QCOMPARE(part, img.copy(3, 2, 7, 6));
        QVERIFY(d.decodeClipped(file, 15, 17, QRect(0, 0, 20, 20), 15, &part, &where));
        QCOMPARE(where, QRect(15, 17, 5, 3));
        QCOMPARE(part, img.copy(0, 0, 5, 3));
        for (auto [x, y] : {std::pair<qint64, qint64>{INT_MAX, INT_MAX},
                            {INT_MIN, 0},
                            {2000000000, -2000000000},
                            {-10, 0},
                            {20, 0}}) {
            QVERIFY(d.decodeClipped(file, x, y, QRect(0, 0, 20, 20), 15, &part, &where));
            QVERIFY(part.isNull());
            QVERIFY(where.isEmpty());
        }
        QImage target = filled(12, 12, qRgb(9, 9, 9));
        QRect done;
        QVERIFY(d.decodeInto(file, target, 6, 7, 15, &done));
        QCOMPARE(done, QRect(6, 7, 6, 5));
        QCOMPARE(target, drawn(filled(12, 12, qRgb(9, 9, 9)), img, {6, 7}));
    }

    void containerReadsRecordsUntilTheyStop() {
        RectListWriter w;
        w.append(1, 2, "abc");
        w.append(-7, INT_MAX, "d");
        w.appendRaw(5, 5, 10, "short"); // says 10, has 5
        TMultiStream c;
        c.Data() = w.data();
        qint32 x = 0, y = 0;
        QByteArrayView image;
        QVERIFY(c.ReadNext(x, y, image));
        QCOMPARE(QList<qint32>({x, y}), QList<qint32>({1, 2}));
        QCOMPARE(image.toByteArray(), QByteArray("abc"));
        QVERIFY(c.ReadNext(x, y, image));
        QCOMPARE(QList<qint32>({x, y}), QList<qint32>({-7, INT_MAX}));
        QCOMPARE(image.toByteArray(), QByteArray("d"));
        QVERIFY(!c.ReadNext(x, y, image));
        QVERIFY(!c.ReadNext(x, y, image));

        c.SeekTo(0);
        QVERIFY(c.ReadNext(x, y, image));
        c.SeekTo(-1); // ignored
        c.SeekTo(c.Size() + 1);
        QVERIFY(c.ReadNext(x, y, image));
        QCOMPARE(image.toByteArray(), QByteArray("d"));

        for (qint32 bad : {0, -5, INT_MIN, INT_MAX}) {
            RectListWriter b;
            b.appendRaw(0, 0, bad, "xyz");
            TMultiStream s;
            s.Data() = b.data();
            QVERIFY(!s.ReadNext(x, y, image));
        }
        TMultiStream empty;
        QVERIFY(!empty.ReadNext(x, y, image));
        TMultiStream headerOnly;
        headerOnly.Data() = QByteArray(11, '\1');
        QVERIFY(!headerOnly.ReadNext(x, y, image));
    }

    void fullPictureJob() {
        ScreenDecoder d;
        const QImage img = pattern(50, 40);
        for (int depth : {4, 8, 15}) {
            PictureResult r =
                d.run(job(PictureJob::FullPicture, BmpWriter::encode(img, 24), depth));
            QVERIFY2(r.ok, qPrintable(r.failure));
            QCOMPARE(r.depth, depth);
            QCOMPARE(r.replacement, depth == 15 ? img : FixedPalettes::reduceToDepth(img, depth));
        }
    }

    void wholeScreenUpdateGoesToTheTopLeftCorner() {
        ScreenDecoder d;
        const QImage frame = filled(30, 20, qRgb(0, 0, 255));
        const QImage small = pattern(10, 5);
        PictureResult r =
            d.run(job(PictureJob::WholeScreenUpdate, BmpWriter::encode(small, 24), 15, frame));
        QVERIFY(r.ok);
        QVERIFY(r.replacement.isNull());
        QCOMPARE(applied(frame, r), drawn(frame, small, {0, 0}));
        // Larger than the screen: clipped.
        const QImage large = pattern(40, 25);
        r = d.run(job(PictureJob::WholeScreenUpdate, BmpWriter::encode(large, 24), 15, frame));
        QVERIFY(r.ok);
        QCOMPARE(applied(frame, r), large.copy(0, 0, 30, 20));
        // Nothing shown yet: nothing to update.
        r = d.run(job(PictureJob::WholeScreenUpdate, BmpWriter::encode(small, 24), 15));
        QVERIFY(!r.ok);
    }

    void rectangleLists() {
        ScreenDecoder d;
        const QImage frame = pattern(64, 48, 3);
        const QImage a = pattern(8, 8, 1), b = pattern(16, 4, 2);
        RectListWriter w;
        w.append(4, 4, BmpWriter::encode(a, 15));
        w.append(60, 46, BmpWriter::encode(b, 8));     // partly outside
        w.append(-100000, 5, BmpWriter::encode(b, 8)); // wholly outside
        w.append(10, 10, "BM not a picture");          // a bad record is skipped
        w.append(20, 30, BmpWriter::encode(b, 4));
        PictureResult r = d.run(job(PictureJob::RectangleList, w.data(), 15, frame));
        QVERIFY(r.ok);
        QCOMPARE(r.records, 5);
        QCOMPARE(r.recordsDropped, 1);
        QImage expected = drawn(frame, FixedPalettes::reduceToDepth(a, 15), {4, 4});
        expected = drawn(expected, FixedPalettes::reduceToDepth(b, 8), {60, 46});
        expected = drawn(expected, FixedPalettes::reduceToDepth(b, 4), {20, 30});
        QCOMPARE(applied(frame, r), expected);

        // Cut short after two records: both are drawn.
        RectListWriter cut;
        cut.append(0, 0, BmpWriter::encode(a, 24));
        cut.append(8, 0, BmpWriter::encode(a, 24));
        const QByteArray third = BmpWriter::encode(a, 24);
        cut.appendRaw(16, 0, qint32(third.size()), third.left(third.size() / 2));
        r = d.run(job(PictureJob::RectangleList, cut.data(), 15, frame));
        QVERIFY(r.ok);
        QCOMPARE(r.records, 2);
        QCOMPARE(applied(frame, r), drawn(drawn(frame, a, {0, 0}), a, {8, 0}));

        // A list that inflates to nothing draws nothing.
        r = d.run(job(PictureJob::RectangleList, QByteArray(), 15, frame));
        QVERIFY(r.ok);
        QCOMPARE(r.records, 0);
        QVERIFY(r.patches.isEmpty() && r.replacement.isNull());
    }

    void overlappingRectanglesStayWithinOneCopy() {
        // More rectangle area than the screen: drawn into one copy of the picture, in order.
        ScreenDecoder d;
        const QImage frame = pattern(32, 32, 9);
        RectListWriter w;
        QImage expected = frame;
        for (int i = 0; i < 12; ++i) {
            const QImage part = pattern(20, 20, i);
            w.append(i % 3 * 6, i % 4 * 4, BmpWriter::encode(part, 24));
            expected = drawn(expected, part, {i % 3 * 6, i % 4 * 4});
        }
        const PictureResult r = d.run(job(PictureJob::RectangleList, w.data(), 15, frame));
        QVERIFY(r.ok);
        QVERIFY(!r.replacement.isNull());
        QVERIFY(r.patches.isEmpty());
        QCOMPARE(applied(frame, r), expected);
    }

    void updatesBringTheWholePictureToTheNewDepth() {
        ScreenDecoder d;
        const QImage frame = pattern(40, 30, 5);
        const QImage part = pattern(8, 8, 6);
        RectListWriter w;
        w.append(3, 3, BmpWriter::encode(part, 24));
        PictureJob j = job(PictureJob::RectangleList, w.data(), 4, frame);
        j.convertFrame = true;
        PictureResult r = d.run(std::move(j));
        QVERIFY(r.ok);
        QCOMPARE(applied(frame, r), FixedPalettes::reduceToDepth(drawn(frame, part, {3, 3}), 4));

        j = job(PictureJob::WholeScreenUpdate, BmpWriter::encode(part, 24), 8, frame);
        j.convertFrame = true;
        r = d.run(std::move(j));
        QVERIFY(r.ok);
        QCOMPARE(applied(frame, r), FixedPalettes::reduceToDepth(drawn(frame, part, {0, 0}), 8));
    }

    void hostileBodiesAreDropped_data() {
        QTest::addColumn<int>("kind");
        for (localgw::HostileKind k : localgw::HostileBodies::all()) {
            const auto slot = localgw::HostileBodies::slotOf(k);
            if (slot == localgw::HostileBodies::Slot::FullPicture ||
                slot == localgw::HostileBodies::Slot::Update)
                QTest::newRow(localgw::HostileBodies::name(k).constData()) << int(k);
        }
    }
    void hostileBodiesAreDropped() {
        QFETCH(int, kind);
        const auto k = localgw::HostileKind(kind);
        const QSize screen(320, 200);
        const QImage frame = pattern(screen.width(), screen.height());
        ScreenDecoder d;
        PictureJob j;
        j.ReceivedData = localgw::HostileBodies::body(k, screen);
        j.frame = frame;
        const bool update =
            localgw::HostileBodies::slotOf(k) == localgw::HostileBodies::Slot::Update;
        j.DecodeMode = update ? PictureJob::RectangleList : PictureJob::FullPicture;
        const PictureResult r = d.run(std::move(j));
        if (!update) {
            QVERIFY(!r.ok);
            QVERIFY(!r.failure.isEmpty());
            return;
        }
        // Records before a bad one are drawn; nothing lands outside the screen.
        QVERIFY(r.ok);
        const QImage after = applied(frame, r);
        QCOMPARE(after.size(), screen);
        if (k == localgw::HostileKind::RectFarOutside)
            QCOMPARE(after, frame);
        if (k == localgw::HostileKind::RectTruncatedLast)
            QCOMPARE(r.records, 2);
    }

    void inflatingStopsAtWhatTheScreenHolds() {
        ScreenDecoder d;
        // A valid picture followed by far more than a picture's worth of data.
        QByteArray picture = BmpWriter::encode(pattern(16, 16), 24);
        picture.append(QByteArray(4 << 20, '\0'));
        PictureResult r = d.run(job(PictureJob::FullPicture, picture, 15));
        QVERIFY(!r.ok);
        QCOMPARE(r.failure, QStringLiteral("inflates beyond what the screen can hold"));
        // A header whose pixel offset would make the picture claim gigabytes.
        r = d.run(job(PictureJob::FullPicture,
                      setField32(BmpWriter::encode(pattern(4, 4), 24), 10, 0xffffffffu), 15));
        QVERIFY(!r.ok);
        QCOMPARE(r.failure, QStringLiteral("BMP pixel data offset out of range"));
        // A rectangle list larger than the screen could ever need.
        const QImage frame = pattern(64, 64);
        const qsizetype bound = ScreenDecoder::rectListBound(frame.size());
        r = d.run(job(PictureJob::RectangleList, QByteArray(bound + 1, '\0'), 15, frame));
        QVERIFY(!r.ok);
        QCOMPARE(r.failure, QStringLiteral("inflates beyond what the screen can hold"));
        // The same amount of data that fits is read (and holds no record).
        r = d.run(job(PictureJob::RectangleList, QByteArray(bound, '\0'), 15, frame));
        QVERIFY(r.ok);
        QCOMPARE(r.records, 0);
    }
};

QTEST_GUILESS_MAIN(TestScreenDecoding)
#include "tst_screen_decoding.moc"
