#include "screen/PictureInflater.h"

#include <zlib.h>

#include <algorithm>

#ifdef QUORVIA_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace {
constexpr qsizetype kFirstBuffer = 64 * 1024;

std::optional<QByteArray> failWith(Zlib::InflateError *error, Zlib::InflateError e) {
    if (error)
        *error = e;
    return std::nullopt;
}
} // namespace

PictureInflater::PictureInflater() {
#ifdef QUORVIA_HAVE_LIBDEFLATE
    m_decompressor = libdeflate_alloc_decompressor();
#endif
}

PictureInflater::~PictureInflater() {
#ifdef QUORVIA_HAVE_LIBDEFLATE
    if (m_decompressor)
        libdeflate_free_decompressor(m_decompressor);
#endif
}

std::optional<QByteArray> PictureInflater::inflate(QByteArrayView body, qsizetype maxOut,
                                                   qsizetype expected, Zlib::InflateError *error) {
    if (error)
        *error = Zlib::InflateError::None;
    maxOut = std::max<qsizetype>(maxOut, 0);
#ifdef QUORVIA_HAVE_LIBDEFLATE
    if (m_decompressor) {
        // Large buffers are mapped lazily by the allocator, so a generous first guess costs
        // only the pages the picture really fills.
        qsizetype capacity =
            std::clamp<qsizetype>(expected, std::min(kFirstBuffer, maxOut), maxOut);
        for (;;) {
            QByteArray out(capacity, Qt::Uninitialized);
            if (out.size() != capacity)
                return failWith(error, Zlib::InflateError::TooLarge);
            size_t produced = 0;
            const libdeflate_result rc =
                libdeflate_zlib_decompress(m_decompressor, body.data(), size_t(body.size()),
                                           out.data(), size_t(capacity), &produced);
            if (rc == LIBDEFLATE_SUCCESS) {
                out.truncate(qsizetype(produced));
                return out;
            }
            if (rc != LIBDEFLATE_INSUFFICIENT_SPACE)
                return failWith(error, Zlib::InflateError::Corrupt);
            if (capacity >= maxOut)
                return failWith(error, Zlib::InflateError::TooLarge);
            capacity = std::min(maxOut, std::max(capacity * 4, kFirstBuffer));
        }
    }
#else
    Q_UNUSED(expected);
#endif
    return Zlib::inflateBounded(body, maxOut, error);
}

QByteArray PictureInflater::inflateHead(QByteArrayView body, qsizetype n) {
    n = std::clamp<qsizetype>(n, 0, 1 << 20);
    QByteArray out(n, Qt::Uninitialized);
    z_stream zs{};
    if (n == 0 || inflateInit(&zs) != Z_OK)
        return {};
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(body.data()));
    zs.avail_in = uInt(std::min<qsizetype>(body.size(), qsizetype(1) << 30));
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(n);
    int rc = Z_OK;
    while (rc == Z_OK && zs.avail_out > 0) {
        const uInt before = zs.avail_out;
        const uInt inBefore = zs.avail_in;
        rc = ::inflate(&zs, Z_SYNC_FLUSH);
        if (zs.avail_out == before && zs.avail_in == inBefore)
            break;
    }
    const qsizetype produced = n - qsizetype(zs.avail_out);
    inflateEnd(&zs);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        return {};
    out.truncate(produced);
    return out;
}
