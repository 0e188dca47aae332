#include <QtTest>

#include "common/Zlib.h"
#include "screen/RemoteActionButtons.h"
#include "screen/uAskReboot.h"

#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>

namespace {
QImage samplePicture(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), 96));
    return img;
}

// The one page of a PDF written by the printer: its size in points, the embedded picture and
// the scale it was drawn with (printer pixels per picture pixel).
struct PdfPage {
    int pages = 0;
    QSizeF media;
    QImage image;
    double scaleX = 0, scaleY = 0;
};

PdfPage readPdf(const QString &path) {
    PdfPage page;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return page;
    const QByteArray pdf = f.readAll();
    page.pages = int(pdf.count("/Type /Page\n"));
    const QString text = QString::fromLatin1(pdf);
    const auto media =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]")).match(text);
    if (media.hasMatch())
        page.media = QSizeF(media.captured(1).toDouble(), media.captured(2).toDouble());
    // Every stream: the picture (JPEG or deflated RGB) and the page's drawing commands.
    const QRegularExpression streams(QStringLiteral("<<([^<>]*)>>\\s*stream\\r?\\n"));
    for (auto it = streams.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString dict = m.captured(1);
        const qsizetype start = m.capturedEnd();
        const QByteArray body = pdf.mid(start, pdf.indexOf("endstream", start) - start);
        if (dict.contains(QStringLiteral("/Subtype /Image"))) {
            const int w =
                QRegularExpression(QStringLiteral("/Width (\\d+)")).match(dict).captured(1).toInt();
            const int h = QRegularExpression(QStringLiteral("/Height (\\d+)"))
                              .match(dict)
                              .captured(1)
                              .toInt();
            if (dict.contains(QStringLiteral("DCTDecode"))) {
                page.image = QImage::fromData(body, "JPEG");
            } else if (const auto raw = Zlib::inflateBounded(body, qsizetype(w) * h * 3);
                       raw && raw->size() == qsizetype(w) * h * 3) {
                page.image = QImage(reinterpret_cast<const uchar *>(raw->constData()), w, h, w * 3,
                                    QImage::Format_RGB888)
                                 .copy();
            }
            page.image = page.image.convertToFormat(QImage::Format_RGB32);
        } else if (dict.contains(QStringLiteral("FlateDecode"))) {
            const auto drawing = Zlib::inflateBounded(body, 1 << 20);
            if (!drawing)
                continue;
            const auto cm = QRegularExpression(
                                QStringLiteral("([\\d.]+) 0 0 ([\\d.]+) 0 0 cm\\s+\\d+ 0 0 -\\d+ "
                                               "0 \\d+ cm /Im"))
                                .match(QString::fromLatin1(*drawing));
            if (cm.hasMatch()) {
                page.scaleX = cm.captured(1).toDouble();
                page.scaleY = cm.captured(2).toDouble();
            }
        }
    }
    return page;
}

double meanError(const QImage &a, const QImage &b) {
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum +=
                qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return double(sum) / (3.0 * a.width() * a.height());
}
} // namespace

// The windows of the remote actions: the reboot question and printing.
class TestRemoteActionsUi : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void rebootQuestions() {
        TAskRebootForm form;
        auto *bar = form.findChild<QProgressBar *>(QStringLiteral("ProgressBar"));
        auto *info = form.findChild<QLabel *>(QStringLiteral("LblInfo"));
        auto *head = form.findChild<QLabel *>(QStringLiteral("LblHead"));
        QVERIFY(bar && info && head);

        // The operator's question: no countdown.
        form.Prepare(0);
        form.open();
        QCOMPARE(head->text(), QStringLiteral("WARNING"));
        QVERIFY(head->font().bold());
        QVERIFY(bar->isHidden() && !form.Timer1.isActive());
        QVERIFY(form.width() >= 240 && form.width() >= info->width() + 20);
        QCOMPARE(info->geometry().center().x(), form.rect().center().x());
        form.findChild<QPushButton *>(QStringLiteral("BttnYes"))->click();
        QVERIFY(form.Answer());

        // The reconnection question counts down on its bar and answers No at zero.
        form.Prepare(1);
        form.open();
        QVERIFY(!head->font().bold());
        QVERIFY(bar->isVisible() && form.Timer1.isActive());
        QCOMPARE(bar->maximum(), 30);
        QCOMPARE(bar->value(), 30);
        QCOMPARE(form.focusWidget(), form.findChild<QPushButton *>(QStringLiteral("BttnNo")));
        for (int i = 0; i < 29; ++i)
            form.Timer1Timer();
        QVERIFY(form.isVisible());
        QCOMPARE(bar->value(), 1);
        form.Timer1Timer();
        QVERIFY(!form.isVisible() && !form.Timer1.isActive());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.Answer());
    }

    void printFillsThePageWithTheAspectKept_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<bool>("fillsWidth");
        QTest::newRow("wider than the page") << QSize(1000, 500) << true << true;
        QTest::newRow("landscape, taller than the page") << QSize(640, 600) << true << false;
        QTest::newRow("portrait") << QSize(480, 800) << false << false;
    }
    void printFillsThePageWithTheAspectKept() {
        QFETCH(QSize, size);
        QFETCH(bool, landscape);
        QFETCH(bool, fillsWidth);
        const QImage picture = samplePicture(size);
        const QString out = dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(out);
        // On a worker, as the print button does it.
        QVERIFY(PrintPictureAsync(picture, printer).result());

        const PdfPage page = readPdf(out);
        QCOMPARE(page.pages, 1);
        QCOMPARE(page.media.width() > page.media.height(), landscape);
        QCOMPARE(page.image.size(), size);
        QVERIFY2(meanError(page.image, picture) < 3.0, "the printed picture differs");
        // The same scale both ways, reaching the printable area's width or its height.
        QVERIFY(page.scaleX > 0);
        QVERIFY(qAbs(page.scaleX - page.scaleY) < 0.002 * page.scaleX);
        const QRect area = printer->pageLayout().paintRectPixels(printer->resolution());
        const double drawnW = size.width() * page.scaleX;
        const double drawnH = size.height() * page.scaleY;
        QVERIFY(drawnW <= area.width() + 1 && drawnH <= area.height() + 1);
        if (fillsWidth)
            QVERIFY(qAbs(drawnW - area.width()) <= 2);
        else
            QVERIFY(qAbs(drawnH - area.height()) <= 2);
    }
};

QTEST_MAIN(TestRemoteActionsUi)
#include "tst_remote_actions_ui.moc"
