// Clipboard transfer end to end: the operator's real clipboard (QClipboard; under Xvfb the X
// CLIPBOARD selection, cross-checked with xclip), the console's transfer over the local
// gateway, and the simulated host's clipboard.
#include "ToolsTestSession.h"
#include "common/Zlib.h"
#include "tools/ClipboardContent.h"
#include "tools/ClipboardStream.h"
#include "tools/ClipboardTransfer.h"

#include "X11Tools.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

using namespace ClipboardContent;
using ClipboardStream::Entry;
using x11tools::xclipIn;
using x11tools::xclipOut;

namespace {
QImage pattern(int w, int h, int seed) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 37 + seed) & 255, (y * 71 + seed) & 255, (x + y) & 255));
    return img;
}

QImage rgb(const QImage &img) {
    return img.convertToFormat(QImage::Format_RGB32);
}

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           !QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty();
}

} // namespace

class TestClipboardTransfer : public QObject {
    Q_OBJECT
    ToolsTestSession t;
    ClipboardTransfer *clip = nullptr;
    int nextOption = None;
    int asked = 0;
    QString hostText;

    QClipboard *cb() { return QGuiApplication::clipboard(); }

    // One transfer as the operator runs it: the button, the option, then its end.
    bool transfer(bool upload, int option, int timeoutMs = 15000) {
        nextOption = option;
        QSignalSpy finished(clip, &ClipboardTransfer::finished);
        if (upload)
            clip->BttnUploadClipboardClick();
        else
            clip->BttnDownloadClipboardClick();
        if (!finished.wait(timeoutMs) && finished.isEmpty())
            return false;
        // An upload ends when the host confirmed it and the progress window closed.
        if (!QTest::qWaitFor([this] { return !clip->progressVisible(); }, timeoutMs))
            return false;
        return finished.last().at(1).toBool() && !clip->busy() && !clip->progressVisible();
    }

    void setLocalText(const QString &text) {
        if (onX11())
            xclipIn(QStringLiteral("UTF8_STRING"), text.toUtf8());
        else
            cb()->setText(text);
    }

    void setLocalImage(const QImage &image) {
        if (onX11()) {
            QByteArray png;
            QBuffer buf(&png);
            buf.open(QIODevice::WriteOnly);
            image.save(&buf, "PNG");
            xclipIn(QStringLiteral("image/png"), png);
        } else {
            cb()->setImage(image);
        }
    }

    QString localText() {
        if (onX11())
            return QString::fromUtf8(xclipOut(QStringLiteral("UTF8_STRING")));
        return cb()->text();
    }

    QImage localImage() {
        if (onX11())
            return QImage::fromData(xclipOut(QStringLiteral("image/png")), "PNG");
        return cb()->image();
    }

private slots:
    void initTestCase() {
        QVERIFY(t.start());
        hostText = t.tools().clipboardText();
        clip = new ClipboardTransfer(t.session.get(), this);
        clip->hooks().askOption = [this](bool) {
            ++asked;
            return nextOption;
        };
        qInfo() << "platform" << QGuiApplication::platformName() << "xclip checks" << onX11();
    }
    void cleanupTestCase() { t.stop(); }
    void init() {
        t.ui.flashes.clear();
        t.gw->faults().clear();
        t.tools().setClipboardEmpty(false);
        t.tools().setClipboard(hostText, pattern(64, 48, 0));
        clip->setAnswerTimeout(60000);
    }

    // The stream forms the host reads: integers in their smallest form, names cut at 128
    // characters, text in both code pages.
    void streamForms() {
        QByteArray ints;
        ClipboardStream::appendInt(ints, 13);
        ClipboardStream::appendInt(ints, 200);
        ClipboardStream::appendInt(ints, 49161);
        QCOMPARE(ints, QByteArray::fromHex("020d"
                                           "03c800"
                                           "0409c00000"));
        const QString longName(140, QLatin1Char('N'));
        const QList<Entry> in = {{49161, longName, "x"}, {13, {}, unicodeTextBlock("€\n")}};
        const auto out = ClipboardStream::decode(ClipboardStream::encode(in));
        QVERIFY(out);
        QCOMPARE(out->at(0).name, longName.left(128));
        QCOMPARE(out->at(1).data, QByteArray::fromHex("ac200d000a000000"));
        QCOMPARE(ansiTextBlock(QStringLiteral("Größe 20 €\n")), QByteArray("Gr\xf6\xdf"
                                                                           "e 20 \x80\r\n",
                                                                           12) +
                                                                    '\0');
        QCOMPARE(textOfUnicodeBlock(QByteArray::fromHex("4100d8003d00")), QStringLiteral("AØ="));
        // The reader accepts the UTF-16 and UTF-8 string forms the host may write.
        QByteArray wide = QByteArray::fromHex("01"
                                              "0409c00000"
                                              "1202000000"
                                              "a9004200"
                                              "0201"
                                              "2a"
                                              "00");
        const auto named = ClipboardStream::decode(wide);
        QVERIFY(named);
        QCOMPARE(named->at(0).name, QStringLiteral("©B"));
        // Anything malformed is refused whole.
        for (const char *bad : {"", "01", "0102", "01020d0600", "0102010600020a41", "01020d09"})
            QVERIFY2(!ClipboardStream::decode(QByteArray::fromHex(bad)), bad);
    }

    // Text and picture both ways, the complete clipboard, non-ASCII text intact, and the
    // clipboard working on through one transfer after another.
    void everyKindBothWays() {
        QVERIFY(hostText.contains(QStringLiteral("Grüße, déjà vu, 20 €")));
        QVERIFY(transfer(false, Text));
        QCOMPARE(localText(), hostText);
        QVERIFY(transfer(false, Bitmap));
        QCOMPARE(rgb(localImage()), pattern(64, 48, 0));

        const QString mine = QStringLiteral("Größe: 10 € – À bientôt\nzweite Zeile");
        setLocalText(mine);
        QVERIFY(transfer(true, Text));
        QCOMPARE(t.tools().clipboardText(), mine);
        QVERIFY(t.tools().clipboardImage().isNull());

        const QImage picture = pattern(97, 41, 3);
        setLocalImage(picture);
        QVERIFY(transfer(true, Bitmap));
        QCOMPARE(rgb(t.tools().clipboardImage()), picture);
        QVERIFY(t.tools().clipboardText().isEmpty());

        // The complete clipboard: text beyond Windows-1252 travels in its UTF-16 form, the
        // picture and the HTML with it; back again it arrives whole.
        auto *all = new QMimeData;
        const QString wide = QStringLiteral("Ωmega 日本 – 20 €");
        all->setText(wide);
        all->setHtml(QStringLiteral("<b>Ωmega</b> 日本"));
        all->setImageData(pattern(30, 20, 9));
        cb()->setMimeData(all);
        QVERIFY(transfer(true, All));
        QCOMPARE(t.tools().clipboardText(), wide);
        QCOMPARE(rgb(t.tools().clipboardImage()), pattern(30, 20, 9));
        QCOMPARE(t.tools().clipboardOthers().size(), 1);
        QCOMPARE(t.tools().clipboardOthers().first().name, QStringLiteral("HTML Format"));

        cb()->setText(QStringLiteral("replaced locally"));
        QVERIFY(transfer(false, All));
        QCOMPARE(localText(), wide);
        QCOMPARE(rgb(localImage()), pattern(30, 20, 9));
        if (!onX11())
            QCOMPARE(cb()->mimeData()->html(), QStringLiteral("<b>Ωmega</b> 日本"));

        // "BM" leaves only the picture on the local clipboard.
        QVERIFY(transfer(false, Bitmap));
        QVERIFY(!cb()->mimeData()->hasText());
        QVERIFY(cb()->mimeData()->hasImage());
        QVERIFY(t.ui.flashes.isEmpty());
    }

    // Received content that is malformed or too large leaves the clipboard as it was and says
    // so; so does a download the gateway fails.
    void badDownloadsChangeNothing_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("flash");
        const QString error = QStringLiteral("Clipboard transfer error");
        const QString large = QStringLiteral("Clipboard content to large\r(>5 MB)");
        QTest::newRow("block beyond the list")
            << int(All) << Zlib::deflate(QByteArray::fromHex("01020106000400000001414100")) << 200
            << error;
        QTest::newRow("unknown value type")
            << int(All) << Zlib::deflate(QByteArray::fromHex("01070106000203414243")) << 200
            << error;
        QTest::newRow("list without its end")
            << int(All) << Zlib::deflate(QByteArray::fromHex("010201060002024142")) << 200 << error;
        QByteArray badDib = dibOf(pattern(8, 8, 1));
        qToLittleEndian<qint32>(100000, badDib.data() + 4); // wider than its pixels
        QTest::newRow("bitmap cut short") << int(Bitmap) << Zlib::deflate(badDib) << 200 << error;
        QTest::newRow("bitmap inside the list")
            << int(All) << Zlib::deflate(ClipboardStream::encode({{CF_DIB, {}, badDib}})) << 200
            << error;
        QTest::newRow("not zlib") << int(Text) << QByteArray("garbage!") << 200 << error;
        QTest::newRow("one byte beyond the limit")
            << int(Text) << Zlib::deflate(QByteArray(ClipboardStream::kMaxContentBytes + 1, 'a'))
            << 200 << large;
        QTest::newRow("zlib bomb")
            << int(All) << localgw::HostileBodies::zlibBomb(64 << 20) << 200 << large;
        QTest::newRow("empty body") << int(Text) << QByteArray() << 200 << error;
        QTest::newRow("gateway failure") << int(Text) << QByteArray("x") << 500 << error;
    }
    void badDownloadsChangeNothing() {
        QFETCH(int, option);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, flash);
        const QString before = QStringLiteral("kept: %1").arg(QTest::currentDataTag());
        setLocalText(before);
        t.gw->faults().add({0, "11", 1,
                            status == 200 ? localgw::Fault::body(body)
                                          : localgw::Fault::withStatus(status, body)});
        QVERIFY(!transfer(false, option));
        QCOMPARE(localText(), before);
        QCOMPARE(t.lastFlash(), flash);
        QVERIFY(!clip->busy() && !clip->progressVisible());
        // ... and the next transfer works.
        QVERIFY(transfer(false, Text));
        QCOMPARE(localText(), t.tools().clipboardText());
    }

    // The limit counts the content before compression: exactly 5 000 000 bytes go, one more
    // is refused before anything is sent.
    void uploadLimit() {
        const qsizetype posts = t.gw->requestLog().withCode("11").size();
        setLocalText(QString(ClipboardStream::kMaxContentBytes - 1, QLatin1Char('x')));
        QVERIFY(transfer(true, Text, 60000));
        QCOMPARE(t.tools().clipboardText().size(), ClipboardStream::kMaxContentBytes - 1);
        setLocalText(QString(ClipboardStream::kMaxContentBytes, QLatin1Char('y')));
        QVERIFY(!transfer(true, Text));
        QCOMPARE(t.lastFlash(), QStringLiteral("Clipboard content to large\r(>5 MB)"));
        QCOMPARE(t.gw->requestLog().withCode("11").size(), posts + 1);
        // "Txt" with only a picture on the clipboard sends nothing and says nothing.
        t.ui.flashes.clear();
        setLocalImage(pattern(4, 4, 0));
        QVERIFY(!transfer(true, Text));
        QVERIFY(t.ui.flashes.isEmpty());
        QCOMPARE(t.gw->requestLog().withCode("11").size(), posts + 1);
    }

    // The host's refusals, a host that never answers, and a second click while busy.
    void hostFailuresAndSilence() {
        t.tools().setClipboardEmpty(true);
        QVERIFY(!transfer(false, Text));
        QCOMPARE(t.lastFlash(), QStringLiteral("No clipboard content"));
        t.tools().setClipboardEmpty(false);

        t.tools().setClipboard(hostText, pattern(1600, 1200, 5)); // 5.76 MB as a bitmap
        QVERIFY(!transfer(false, Bitmap));
        QCOMPARE(t.lastFlash(), QStringLiteral("Clipboard content to large\r>5626KB"));
        t.tools().setClipboard(hostText, pattern(64, 48, 0));

        // The command never reaches the host: the busy state ends after the timeout.
        clip->setAnswerTimeout(800);
        t.gw->faults().add({0, "01", -1, localgw::Fault::emptyBody()});
        asked = 0;
        nextOption = Text;
        QSignalSpy finished(clip, &ClipboardTransfer::finished);
        clip->BttnDownloadClipboardClick();
        QVERIFY(clip->busy() && clip->progressVisible());
        clip->BttnDownloadClipboardClick();
        clip->BttnUploadClipboardClick();
        QCOMPARE(asked, 1);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.last().at(1).toBool(), false);
        QVERIFY(!clip->busy() && !clip->progressVisible());
        QCOMPARE(t.lastFlash(), QStringLiteral("Clipboard transfer error"));
        t.gw->faults().clear();
        clip->setAnswerTimeout(60000);
        QVERIFY(transfer(false, Text));
        QCOMPARE(localText(), hostText);
    }

    // The host's answers do not say whose they are: each is matched to its own transfer. An
    // upload that timed out in the queue never runs later; a confirmation that comes after a
    // download started does not end the download; a confirmation that never comes is said.
    void answersFindTheirTransfer() {
        QSignalSpy finished(clip, &ClipboardTransfer::finished);
        nextOption = Text;
        clip->setAnswerTimeout(200);
        const qsizetype posts = t.gw->requestLog().withCode("11").size();
        t.gw->faults().add({0, "01", 1, localgw::Fault::delay(2000)});
        t.session->SendCmd("SSup"); // holds the queue in front of the upload
        setLocalText(QStringLiteral("chosen"));
        clip->BttnUploadClipboardClick();
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.last().at(1).toBool(), false);
        setLocalText(QStringLiteral("copied after giving up"));
        QTRY_VERIFY_WITH_TIMEOUT(t.session->CommandQueue.isEmpty() &&
                                     t.session->ExecState == GatewaySession::ExecIdle,
                                 10000);
        QCOMPARE(t.gw->requestLog().withCode("11").size(), posts);
        QCOMPARE(t.tools().clipboardText(), hostText);

        clip->setAnswerTimeout(60000);
        t.tools().holdUploadAnswers(true);
        setLocalText(QStringLiteral("sent first"));
        clip->BttnUploadClipboardClick();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 10000);
        QVERIFY(clip->progressVisible() && !clip->busy());
        setLocalText(QStringLiteral("replaced meanwhile"));
        clip->BttnDownloadClipboardClick();
        QVERIFY(clip->busy());
        t.tools().holdUploadAnswers(false); // "ClSt" comes before the host's "DlCl"
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 10000);
        QCOMPARE(finished.last(), QVariantList({false, true}));
        QCOMPARE(localText(), QStringLiteral("sent first"));
        QVERIFY(!clip->busy() && !clip->progressVisible());

        t.ui.flashes.clear();
        clip->setAnswerTimeout(300);
        t.tools().holdUploadAnswers(true);
        clip->BttnUploadClipboardClick();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 4, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!clip->progressVisible(), 10000);
        QCOMPARE(t.lastFlash(), QStringLiteral("Clipboard transfer error"));
        t.tools().holdUploadAnswers(false);
    }
};

QTEST_MAIN(TestClipboardTransfer)
#include "tst_clipboard_transfer.moc"
