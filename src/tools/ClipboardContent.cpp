#include "tools/ClipboardContent.h"

#include "common/Cp1252.h"
#include "screen/BmpDecoder.h"
#include "screen/BmpWriter.h"
#include "tools/ClipboardStream.h"

#include <QMimeData>
#include <QPainter>
#include <QtEndian>

namespace ClipboardContent {

namespace {
using ClipboardStream::Entry;
using ClipboardStream::kMaxContentBytes;

// Qt's name for a Windows clipboard format it has no MIME type for.
const QString WindowsMimePrefix = QStringLiteral("application/x-qt-windows-mime;value=\"");

QString toCrLf(const QString &text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

QString fromCrLf(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// A name that can stand inside the quotes of a MIME parameter.
bool isPlainName(const QString &name) {
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\') ||
            c.unicode() == 0x7f)
            return false;
    }
    return true;
}

qint64 headerNumber(QByteArrayView header, const char *key) {
    const QByteArray k = QByteArray(key) + ':';
    const qsizetype at = header.indexOf(k);
    if (at < 0)
        return -1;
    qsizetype i = at + k.size();
    qint64 v = 0;
    int digits = 0;
    while (i < header.size() && header[i] >= '0' && header[i] <= '9' && digits < 12) {
        v = v * 10 + (header[i] - '0');
        ++i;
        ++digits;
    }
    return digits ? v : -1;
}
} // namespace

QByteArray codeOf(int option) {
    switch (option) {
    case Text:
        return "Txt";
    case Bitmap:
        return "BM";
    case All:
        return "All";
    default:
        return {};
    }
}

int uploadOptionOf(const QByteArray &code) {
    if (code == "Txt")
        return Text;
    if (code == "BM")
        return Bitmap;
    if (code == "All")
        return All;
    return None;
}

int downloadOptionOf(const QByteArray &code) {
    if (code == "Txt")
        return Text;
    if (code == "BM")
        return Bitmap;
    return All;
}

QByteArray ansiTextBlock(const QString &text) {
    QByteArray block = toCp1252(toCrLf(text));
    block.append('\0');
    return block;
}

QByteArray unicodeTextBlock(const QString &text) {
    const QString t = toCrLf(text);
    QByteArray block;
    block.reserve((t.size() + 1) * 2);
    for (const QChar c : t) {
        const quint16 le = qToLittleEndian(quint16(c.unicode()));
        block.append(reinterpret_cast<const char *>(&le), 2);
    }
    block.append(2, '\0');
    return block;
}

QString textOfAnsiBlock(QByteArrayView block) {
    const qsizetype nul = block.indexOf('\0');
    return fromCrLf(fromCp1252(block.first(nul < 0 ? block.size() : nul).toByteArray()));
}

QString textOfUnicodeBlock(QByteArrayView block) {
    const qsizetype units = block.size() / 2;
    QString text;
    text.reserve(units);
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t u = qFromLittleEndian<quint16>(block.data() + 2 * i);
        if (u == 0)
            break;
        text.append(QChar(u));
    }
    return fromCrLf(text);
}

QByteArray dibOf(const QImage &image) {
    if (image.isNull())
        return {};
    QImage rgb(image.size(), QImage::Format_RGB32);
    if (image.hasAlphaChannel()) {
        // The DIB has no alpha: transparent parts show as the white they sit on.
        rgb.fill(Qt::white);
        QPainter p(&rgb);
        p.drawImage(0, 0, image);
    } else {
        rgb = image.convertToFormat(QImage::Format_RGB32);
    }
    return BmpWriter::encodeDib(rgb, 24);
}

std::optional<QImage> imageOfDib(QByteArrayView dib, QString *why) {
    auto refuse = [why](const QString &text) -> std::optional<QImage> {
        if (why)
            *why = text;
        return std::nullopt;
    };
    if (dib.size() < 40)
        return refuse(QStringLiteral("bitmap shorter than its header"));
    const auto *p = reinterpret_cast<const uchar *>(dib.data());
    const qint64 infoSize = qFromLittleEndian<quint32>(p);
    const int bitCount = qFromLittleEndian<quint16>(p + 14);
    const quint32 compression = qFromLittleEndian<quint32>(p + 16);
    const qint64 colorsUsed = qFromLittleEndian<quint32>(p + 32);
    // The file header the reader expects: where the pixel rows start follows from the info
    // header, the masks after a 40-byte header, and the colour table.
    qint64 offBits = 14 + infoSize;
    if (compression == 3 && infoSize == 40)
        offBits += 12;
    if (bitCount >= 1 && bitCount <= 8)
        offBits += 4 * (colorsUsed ? std::min<qint64>(colorsUsed, 1 << bitCount) : 1 << bitCount);
    else
        offBits += 4 * std::min<qint64>(colorsUsed, 256);
    if (offBits > BmpDecoder::kMaxPixelOffset)
        return refuse(QStringLiteral("bitmap headers out of range"));
    QByteArray file;
    file.reserve(14 + dib.size());
    file.append("BM", 2);
    BmpWriter::appendLe32(file, quint32(std::min<qint64>(14 + dib.size(), 0xffffffffLL)));
    BmpWriter::appendLe32(file, 0);
    BmpWriter::appendLe32(file, quint32(offBits));
    file.append(dib.data(), dib.size());
    BmpDecoder decoder;
    QString reason;
    // Any depth but 4 and 8 keeps the colours as the bitmap holds them.
    QImage image = decoder.decode(file, 32, &reason);
    if (image.isNull())
        return refuse(reason);
    return image;
}

QByteArray htmlBlock(const QString &html) {
    const QByteArray prefix = "<html><body>\r\n<!--StartFragment-->";
    const QByteArray suffix = "<!--EndFragment-->\r\n</body></html>";
    const QByteArray body = html.toUtf8();
    const auto header = [](qint64 a, qint64 b, qint64 c, qint64 d) {
        return QStringLiteral("Version:0.9\r\nStartHTML:%1\r\nEndHTML:%2\r\nStartFragment:%3\r\n"
                              "EndFragment:%4\r\n")
            .arg(a, 10, 10, QLatin1Char('0'))
            .arg(b, 10, 10, QLatin1Char('0'))
            .arg(c, 10, 10, QLatin1Char('0'))
            .arg(d, 10, 10, QLatin1Char('0'))
            .toLatin1();
    };
    const qint64 startHtml = header(0, 0, 0, 0).size();
    const qint64 startFragment = startHtml + prefix.size();
    const qint64 endFragment = startFragment + body.size();
    const qint64 endHtml = endFragment + suffix.size();
    QByteArray block = header(startHtml, endHtml, startFragment, endFragment);
    block += prefix + body + suffix;
    block.append('\0');
    return block;
}

std::optional<QString> htmlOfBlock(QByteArrayView block) {
    const qsizetype nul = block.indexOf('\0');
    const QByteArrayView doc = block.first(nul < 0 ? block.size() : nul);
    // The header is a few short lines; looking further would only read the document.
    const QByteArrayView header = doc.first(std::min<qsizetype>(doc.size(), 1024));
    const auto part = [&](const char *startKey, const char *endKey) -> std::optional<QString> {
        const qint64 start = headerNumber(header, startKey);
        const qint64 end = headerNumber(header, endKey);
        if (start < 0 || end < start || end > doc.size())
            return std::nullopt;
        return QString::fromUtf8(doc.sliced(qsizetype(start), qsizetype(end - start)));
    };
    if (auto fragment = part("StartFragment", "EndFragment"))
        return fragment;
    return part("StartHTML", "EndHTML");
}

QByteArray contentOf(const QMimeData *data, int option) {
    if (!data)
        return {};
    const QString text = data->hasText() ? data->text() : QString();
    const QImage image = data->hasImage() ? qvariant_cast<QImage>(data->imageData()) : QImage();
    switch (option) {
    case Text:
        return text.isEmpty() ? QByteArray() : ansiTextBlock(text);
    case Bitmap:
        return dibOf(image);
    case All:
        break;
    default:
        return {};
    }
    QList<Entry> entries;
    if (!text.isEmpty()) {
        entries.append({CF_TEXT, {}, ansiTextBlock(text)});
        entries.append({CF_UNICODETEXT, {}, unicodeTextBlock(text)});
    }
    if (!image.isNull())
        entries.append({CF_DIB, {}, dibOf(image)});
    qint32 registered = FirstRegistered;
    if (data->hasHtml())
        entries.append(
            {registered++, QString::fromLatin1(HtmlFormatName), htmlBlock(data->html())});
    for (const QString &type : data->formats()) {
        if (type == QLatin1String("text/rtf") || type == QLatin1String("application/rtf")) {
            entries.append({registered++, QString::fromLatin1(RtfFormatName), data->data(type)});
        } else if (type.startsWith(WindowsMimePrefix) && type.endsWith(QLatin1Char('"'))) {
            const QString name = type.mid(WindowsMimePrefix.size()).chopped(1);
            if (isPlainName(name))
                entries.append({registered++, name, data->data(type)});
        }
    }
    if (entries.isEmpty())
        return {};
    return ClipboardStream::encode(entries);
}

std::unique_ptr<QMimeData> mimeDataOf(QByteArrayView content, int option, QString *why) {
    auto mime = std::make_unique<QMimeData>();
    auto refuse = [why](const QString &text) -> std::unique_ptr<QMimeData> {
        if (why)
            *why = text;
        return nullptr;
    };
    if (content.size() > kMaxContentBytes)
        return refuse(QStringLiteral("content beyond the clipboard limit"));
    if (option == Text) {
        mime->setText(textOfAnsiBlock(content));
        return mime;
    }
    if (option == Bitmap) {
        QString reason;
        const auto image = imageOfDib(content, &reason);
        if (!image)
            return refuse(reason);
        mime->setImageData(*image);
        return mime;
    }
    QString reason;
    const auto entries = ClipboardStream::decode(content, &reason);
    if (!entries)
        return refuse(reason);
    std::optional<QString> ansi, unicode;
    std::optional<QImage> image;
    for (const Entry &e : *entries) {
        if (e.name.isEmpty()) {
            switch (e.format) {
            case CF_TEXT:
                ansi = textOfAnsiBlock(e.data);
                break;
            case CF_UNICODETEXT:
                unicode = textOfUnicodeBlock(e.data);
                break;
            case CF_DIB:
            case CF_DIBV5:
                // One picture is enough; the plain DIB wins when both come.
                if (image && e.format == CF_DIBV5)
                    break;
                image = imageOfDib(e.data, &reason);
                if (!image)
                    return refuse(QStringLiteral("bitmap in the list: ") + reason);
                break;
            default:
                break; // a Windows format without a meaning here
            }
        } else if (e.name == QLatin1String(HtmlFormatName)) {
            if (const auto html = htmlOfBlock(e.data))
                mime->setHtml(*html);
        } else if (e.name == QLatin1String(RtfFormatName)) {
            mime->setData(QStringLiteral("text/rtf"), e.data);
        } else if (isPlainName(e.name)) {
            mime->setData(WindowsMimePrefix + e.name + QLatin1Char('"'), e.data);
        }
    }
    if (unicode)
        mime->setText(*unicode);
    else if (ansi)
        mime->setText(*ansi);
    if (image)
        mime->setImageData(*image);
    return mime;
}

} // namespace ClipboardContent
