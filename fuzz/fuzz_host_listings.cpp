// The file transfer's readers of the host's texts and bodies: drive list, folder and file
// listings (raw and zlib), transfer status, stored-file announcement, and the streamed inflate
// of a received file. Every result stays within its bounds, and feeding a body in pieces gives
// what feeding it whole gives.
#include "common/RemoteNames.h"
#include "transfer/FileStreams.h"
#include "transfer/HostListings.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

using namespace HostListings;

namespace {
struct Expanded {
    FileStreams::Inflater::State state;
    bool finished;
    QByteArray out;
};

Expanded expand(QByteArrayView body, qsizetype piece, qint64 maxOut) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    FileStreams::Inflater inflater(buffer, maxOut);
    for (qsizetype at = 0; at < body.size(); at += piece)
        if (!inflater.feed(body.sliced(at, qMin(piece, body.size() - at))))
            break;
    const bool finished = inflater.finish();
    return {inflater.state(), finished, out};
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));

    const DriveList drives = ParseDriveList(input);
    if (drives.drives.size() > kMaxDrives)
        __builtin_trap();
    for (const Drive &d : drives.drives)
        if (d.name.isEmpty() || d.kind < -1 || d.kind > 9)
            __builtin_trap();

    const QList<QByteArray> lines = SplitLines(input);
    if (lines.size() > kMaxListLines)
        __builtin_trap();
    for (const QByteArray &l : lines)
        if (l.size() > kMaxLineBytes || l.contains('\n'))
            __builtin_trap();
    for (const FolderEntry &e : ParseFolderList(lines))
        if (e.name.isEmpty())
            __builtin_trap();
    for (const FileEntry &e : ParseFileList(lines)) {
        if (e.name.isEmpty() || e.size < 0 || e.size > kMaxFileSize)
            __builtin_trap();
        FileSizeText(e.size);
        AttributeText(e.attributes);
        IsArchiveFile(e.name);
        IsSafeRemoteFileName(e.name);
    }
    if (const auto inflated = InflateList(input))
        ParseFileList(*inflated);

    const TransferStatus status = ParseTransferStatus(input);
    if (status.kind == TransferStatus::Percent && (status.percent < 0 || status.percent > 100))
        __builtin_trap();
    const StoredFile stored = ParseStoredFile(input);
    if (stored.size < 0 || stored.size > kMaxFileSize)
        __builtin_trap();

    // A received body, whole and in small pieces, expanded within a bound.
    constexpr qint64 maxOut = 1 << 20;
    const Expanded whole = expand(input, qMax<qsizetype>(1, input.size()), maxOut);
    const Expanded pieces = expand(input, 7, maxOut);
    if (whole.out.size() > maxOut || whole.finished != pieces.finished ||
        (whole.finished && whole.out != pieces.out))
        __builtin_trap();
    return 0;
}
