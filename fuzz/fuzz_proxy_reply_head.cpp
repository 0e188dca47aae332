// Reply heads of a proxy, as the credential check reads them.
#include "gateway/ProxyAuthProbe.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    ProxyAuthProbe::ReplyHead head;
    const qsizetype len = ProxyAuthProbe::parseReplyHead(input, head);
    if (len < -1 || len > input.size())
        abort();
    if (len > 0 && (head.status < 100 || head.status > 999 || head.contentLength < 0 ||
                    head.proxyAuthenticate.size() > 16))
        abort();
    return 0;
}
