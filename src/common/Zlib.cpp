#include "common/Zlib.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace Zlib {
namespace {
// zlib counts in uInt; larger buffers are fed in slices.
constexpr qsizetype kMaxSlice = qsizetype(1) << 30;

uInt sliceOf(qsizetype remaining) {
    return static_cast<uInt>(std::min(remaining, kMaxSlice));
}
} // namespace

QByteArray deflate(QByteArrayView data, int level) {
    z_stream zs{};
    if (deflateInit(&zs, level) != Z_OK)
        return {};
    QByteArray out;
    out.resize(qsizetype(deflateBound(&zs, static_cast<uLong>(data.size()))) + 64);
    auto *in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    qsizetype inLeft = data.size();
    qsizetype produced = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (zs.avail_in == 0 && inLeft > 0) {
            zs.next_in = in;
            zs.avail_in = sliceOf(inLeft);
            in += zs.avail_in;
            inLeft -= zs.avail_in;
        }
        if (produced == out.size())
            out.resize(out.size() * 2);
        zs.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        zs.avail_out = sliceOf(out.size() - produced);
        const uInt before = zs.avail_out;
        rc = ::deflate(&zs, inLeft > 0 ? Z_NO_FLUSH : Z_FINISH);
        produced += before - zs.avail_out;
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
            deflateEnd(&zs);
            return {};
        }
    }
    deflateEnd(&zs);
    out.resize(produced);
    return out;
}

std::optional<QByteArray> inflateBounded(QByteArrayView data, qsizetype maxOut,
                                         InflateError *error) {
    auto fail = [error](InflateError e) -> std::optional<QByteArray> {
        if (error)
            *error = e;
        return std::nullopt;
    };
    if (error)
        *error = InflateError::None;
    if (maxOut < 0)
        maxOut = 0;

    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return fail(InflateError::Corrupt);

    // One byte beyond the bound is room to notice that the stream wants more.
    const qsizetype limit = maxOut < std::numeric_limits<qsizetype>::max() ? maxOut + 1 : maxOut;
    QByteArray out;
    out.resize(std::min<qsizetype>(limit, std::max<qsizetype>(4096, data.size() * 4)));
    auto *in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    qsizetype inLeft = data.size();
    qsizetype produced = 0;
    for (;;) {
        if (zs.avail_in == 0 && inLeft > 0) {
            zs.next_in = in;
            zs.avail_in = sliceOf(inLeft);
            in += zs.avail_in;
            inLeft -= zs.avail_in;
        }
        if (produced == out.size()) {
            if (out.size() >= limit) {
                inflateEnd(&zs);
                return fail(InflateError::TooLarge);
            }
            out.resize(std::min(limit, out.size() * 2));
        }
        zs.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        zs.avail_out = sliceOf(out.size() - produced);
        const uInt availIn = zs.avail_in;
        const uInt availOut = zs.avail_out;
        const int rc = ::inflate(&zs, Z_NO_FLUSH);
        produced += availOut - zs.avail_out;
        if (rc == Z_STREAM_END)
            break;
        if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_MEM_ERROR || rc == Z_STREAM_ERROR) {
            inflateEnd(&zs);
            return fail(InflateError::Corrupt);
        }
        const bool noProgress = availIn == zs.avail_in && availOut == zs.avail_out;
        if ((rc == Z_BUF_ERROR || noProgress) && zs.avail_in == 0 && inLeft == 0) {
            inflateEnd(&zs);
            return fail(InflateError::Truncated);
        }
    }
    inflateEnd(&zs);
    if (produced > maxOut)
        return fail(InflateError::TooLarge);
    out.resize(produced);
    return out;
}

} // namespace Zlib
