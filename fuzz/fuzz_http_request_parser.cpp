// The loopback server's request parser on arbitrary bytes, consumed request by request as the
// server does. Checks that every answer stays inside the buffer and the limits.
#include "HttpRequestParser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    HttpLimits limits;
    limits.maxHeaderBytes = 4096;
    limits.maxBodyBytes = 65536;
    limits.maxHeaderCount = 50;
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));

    qsizetype pos = 0;
    for (int n = 0; n < 64 && pos < input.size(); ++n) {
        const HttpParseResult r = parseHttpRequest(input.sliced(pos), limits);
        if (r.state == HttpParseResult::Invalid) {
            if (r.errorStatus < 400 || r.errorStatus > 599)
                abort();
            break;
        }
        if (r.state == HttpParseResult::Incomplete)
            break;
        if (r.consumed <= 0 || r.consumed > input.size() - pos)
            abort();
        if (r.request.body.size() > limits.maxBodyBytes ||
            r.request.headers.size() > limits.maxHeaderCount + 1)
            abort();
        // The same request parsed from an exact-size buffer gives the same answer.
        const HttpParseResult again = parseHttpRequest(input.sliced(pos, r.consumed), limits);
        if (again.state != HttpParseResult::Complete || again.consumed != r.consumed ||
            again.request.body != r.request.body)
            abort();
        pos += r.consumed;
    }
    return 0;
}
