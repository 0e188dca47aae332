#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// zlib streams (RFC 1950) as the gateway stores them: lists, clipboard data, files and screen
// pictures. zlib is called directly because qCompress/qUncompress add a length prefix the
// peers do not expect.
namespace Zlib {

enum class InflateError {
    None,
    Corrupt,   // not a zlib stream, or a damaged one (bad header, data or checksum)
    Truncated, // the input ended before the stream did
    TooLarge,  // the stream would inflate to more than the caller's bound
};

// One zlib stream at the given level (-1: zlib's default level).
QByteArray deflate(QByteArrayView data, int level = -1);

// Inflates the zlib stream at the start of `data` into at most `maxOut` bytes. Memory grows
// with what the stream really produces, never with what it claims, so a small body that
// expands without end costs no more than `maxOut`. Bytes after the end of the stream are
// ignored. Returns nothing on any error, which `error` (if given) names.
std::optional<QByteArray> inflateBounded(QByteArrayView data, qsizetype maxOut,
                                         InflateError *error = nullptr);

} // namespace Zlib
