#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>

class QMimeData;

// What a clipboard transfer carries, in the Windows forms the host program reads and writes,
// and how those forms map to the local clipboard's MIME types. The wire holds the memory
// blocks of the Windows clipboard formats; the local side holds text, images and HTML.
namespace ClipboardContent {

// The options of the options window; the code travels in commands and request parameters.
enum Option : int { None = 0, Text = 1, Bitmap = 2, All = 3 };
QByteArray codeOf(int option); // "Txt", "BM", "All"; empty for None and anything else
// An upload takes only the three codes (anything else reads nothing); a download reads
// "Txt" and "BM" as themselves and any other code as the complete clipboard.
int uploadOptionOf(const QByteArray &code);
int downloadOptionOf(const QByteArray &code);

// Windows clipboard format numbers the console knows.
enum Format : qint32 {
    CF_TEXT = 1, // ANSI (Windows-1252) text, CR LF line ends, NUL-terminated
    CF_OEMTEXT = 7,
    CF_DIB = 8,               // BITMAPINFOHEADER, colour table or masks, pixel rows
    CF_UNICODETEXT = 13,      // UTF-16 little-endian text, CR LF, NUL-terminated
    CF_DIBV5 = 17,            // as CF_DIB with a BITMAPV5HEADER
    FirstRegistered = 0xC000, // registered formats: the host maps them by name
};
inline const char *const HtmlFormatName = "HTML Format";
inline const char *const RtfFormatName = "Rich Text Format";

// The text forms: local text (LF line ends) to and from the memory blocks. Reading stops at
// the first NUL, as the host's readers do.
QByteArray ansiTextBlock(const QString &text);
QByteArray unicodeTextBlock(const QString &text);
QString textOfAnsiBlock(QByteArrayView block);
QString textOfUnicodeBlock(QByteArrayView block);

// The bitmap form: a 24-bit device-independent bitmap, and back through the console's strict
// BMP reader (nothing for a header or size it refuses).
QByteArray dibOf(const QImage &image);
std::optional<QImage> imageOfDib(QByteArrayView dib, QString *why = nullptr);

// The HTML clipboard format (a small header of byte offsets, then the document); reading
// takes the fragment, or the whole document when the header names none.
QByteArray htmlBlock(const QString &html);
std::optional<QString> htmlOfBlock(QByteArrayView block);

// The content an upload of `option` sends from the local clipboard's data: empty when the
// clipboard has nothing of that kind. It may exceed the limit; the caller checks.
QByteArray contentOf(const QMimeData *data, int option);

// The local clipboard data for received content of `option`; nothing, with a reason, when the
// content is malformed in any part, so a bad transfer never leaves half a clipboard behind.
std::unique_ptr<QMimeData> mimeDataOf(QByteArrayView content, int option, QString *why = nullptr);

} // namespace ClipboardContent
