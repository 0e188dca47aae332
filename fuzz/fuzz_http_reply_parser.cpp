// Replies of the gateway or the proxy as the channels read them: fed whole and fed in pieces
// whose sizes come from the input, replies read one after another as on a kept connection.
// Both ways must agree, stay inside the buffer and keep every limit.
#include "gateway/HttpChannelWire.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Outcome {
    HttpWire::ReplyParser::State state;
    int status = 0;
    QByteArray body;
    qsizetype used = 0;
    bool keepAlive = false;
};

Outcome readOne(QByteArrayView input, const HttpWire::Limits &limits, bool connect,
                QByteArrayView pieces) {
    HttpWire::ReplyParser p(limits);
    p.start(connect);
    Outcome o;
    qsizetype pos = 0;
    qsizetype piece = 0;
    while (pos < input.size() && !p.finished()) {
        qsizetype n = input.size() - pos;
        if (!pieces.isEmpty())
            n = std::min<qsizetype>(n, 1 + quint8(pieces[piece++ % pieces.size()]) % 64);
        const qsizetype used = p.feed(input.sliced(pos, n));
        if (used < 0 || used > n)
            abort();
        if (used < n && !p.finished())
            abort(); // it stops early only at the end of the reply
        pos += used;
    }
    if (!p.finished())
        p.endOfStream();
    o.state = p.state();
    o.status = p.status();
    o.body = p.body();
    o.used = pos;
    o.keepAlive = p.keepAlive();
    if (o.body.size() > limits.maxBodyBytes || p.headers().size() > limits.maxHeaderCount)
        abort();
    if (o.state == HttpWire::ReplyParser::State::Complete && (o.status < 200 || o.status > 999))
        abort();
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2)
        return 0;
    HttpWire::Limits limits;
    limits.maxLineBytes = 512;
    limits.maxHeadBytes = 2048;
    limits.maxHeaderCount = 20;
    limits.maxBodyBytes = 4096;
    // First byte: CONNECT or not; then up to 8 bytes of piece sizes; the rest is the stream.
    const bool connect = data[0] & 1;
    const qsizetype pieceCount = std::min<qsizetype>(qsizetype(size) - 1, data[0] >> 5);
    const QByteArrayView pieces(reinterpret_cast<const char *>(data) + 1, pieceCount);
    QByteArrayView stream(reinterpret_cast<const char *>(data) + 1 + pieceCount,
                          qsizetype(size) - 1 - pieceCount);

    for (int n = 0; n < 16 && !stream.isEmpty(); ++n) {
        const Outcome whole = readOne(stream, limits, connect, {});
        const Outcome split = readOne(stream, limits, connect, pieces);
        if (whole.state != split.state)
            abort();
        if (whole.state != HttpWire::ReplyParser::State::Complete)
            break;
        if (whole.used != split.used || whole.status != split.status || whole.body != split.body ||
            whole.keepAlive != split.keepAlive)
            abort();
        if (!whole.keepAlive || whole.used == 0)
            break;
        stream = stream.sliced(whole.used);
    }
    return 0;
}
