#pragma once
#include "common/Zlib.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

struct libdeflate_decompressor;

// Whole-buffer inflating of screen pictures. A picture body is fetched whole, so it is
// inflated in one call (libdeflate, several times faster than zlib's streaming inflate on
// these bodies) into a buffer bounded like Zlib::inflateBounded: never more than the caller's
// bound, whatever the stream claims or would produce. Without libdeflate it falls back on zlib.
//
// One inflater keeps a decompressor, so it belongs to one thread.
class PictureInflater {
public:
    PictureInflater();
    ~PictureInflater();
    PictureInflater(const PictureInflater &) = delete;
    PictureInflater &operator=(const PictureInflater &) = delete;

    // Inflates the zlib stream at the start of `body` into at most `maxOut` bytes. `expected`
    // is the size the caller expects (the first buffer tried; it grows up to `maxOut`). Bytes
    // after the end of the stream are ignored. Nothing on any error, which `error` names.
    std::optional<QByteArray> inflate(QByteArrayView body, qsizetype maxOut, qsizetype expected,
                                      Zlib::InflateError *error = nullptr);

    // The first `n` bytes the stream inflates to (fewer when it is shorter), for reading a
    // header before deciding how much the rest may take. Empty when the stream is damaged
    // before that; a cut-off stream gives what it produced.
    static QByteArray inflateHead(QByteArrayView body, qsizetype n);

private:
    libdeflate_decompressor *m_decompressor = nullptr;
};
