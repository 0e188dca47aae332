#include "ClipboardFeature.h"

#include "common/Zlib.h"
#include "tools/ClipboardContent.h"
#include "tools/ClipboardStream.h"

#include <QClipboard>
#include <QMimeData>
#include <QTimer>

namespace qhost {

namespace {
using namespace ClipboardContent;
constexpr qsizetype kMax = ClipboardStream::kMaxContentBytes;
// How long the panel shows that the clipboard crossed.
constexpr int kNoticeMs = 3000;

QByteArray tooLarge(qsizetype bytes) {
    return "ClEr?>" + QByteArray::number((bytes + 1023) / 1024);
}
} // namespace

ClipboardFeature::ClipboardFeature(ConsoleLink &link, QClipboard *clipboard, QObject *parent)
    : HostFeature(link, parent), m_clipboard(clipboard) {}

void ClipboardFeature::announce(const QString &what) {
    // The user sees that the clipboard crossed, for a moment after it did.
    emit activity(what, 100);
    QTimer::singleShot(kNoticeMs, this, [this, what] { emit activity(what, -1); });
}

bool ClipboardFeature::command(const QByteArray &code, const QByteArray &parameter) {
    if (code != "DlCl")
        return false;
    // Any code but the two single forms means the whole clipboard, as the console reads it;
    // the answer names the form the console will read, never an echo of what came.
    const int option = downloadOptionOf(parameter);
    const QByteArray content = contentOf(m_clipboard->mimeData(QClipboard::Clipboard), option);
    if (content.isEmpty()) {
        link().say("ClEr?Empty");
        return true;
    }
    if (content.size() > kMax) {
        link().say(tooLarge(content.size()));
        return true;
    }
    link().deposit("clipboard", Zlib::deflate(content));
    link().say("DlCl?" + codeOf(option));
    announce(tr("Clipboard sent to the operator"));
    return true;
}

bool ClipboardFeature::clipboard(const QByteArray &formatWord, const QByteArray &zlibBody) {
    Zlib::InflateError error = Zlib::InflateError::None;
    const auto content = Zlib::inflateBounded(zlibBody, kMax, &error);
    if (!content) {
        link().say(error == Zlib::InflateError::TooLarge ? tooLarge(kMax) : "ClEr?Error");
        return true;
    }
    if (content->isEmpty()) {
        link().say("ClEr?Empty");
        return true;
    }
    const int option = uploadOptionOf(formatWord);
    // Read whole before the selection changes: a bad upload leaves the user's clipboard as it
    // was.
    std::unique_ptr<QMimeData> data = option == None ? nullptr : mimeDataOf(*content, option);
    if (!data) {
        link().say("ClEr?Error");
        return true;
    }
    m_clipboard->setMimeData(data.release(), QClipboard::Clipboard);
    link().say("ClSt");
    announce(tr("Clipboard received from the operator"));
    return true;
}

} // namespace qhost
