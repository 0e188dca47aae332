#include "InvitationMail.h"

#include "gateway/Url_Utils.h"

namespace localgw {

namespace {
// A field's value as it stands in the request, escapes and all.
QByteArray rawField(const QByteArray &params, const QByteArray &name) {
    for (const QByteArray &field : params.split('&'))
        if (field.startsWith(name + '='))
            return field.mid(name.size() + 1);
    return {};
}
} // namespace

QByteArray InvitationMailAnswer(const GatewayConfig &config, const QByteArray &params) {
    QByteArray address;
    GetUrlParam(params, "addr", address);
    // The key goes into the mail as it stands: an escaped one is no key the service issued.
    const QByteArray key = rawField(params, "skey");
    if (config.mailFails || !address.contains('@') || key.isEmpty() || key.contains('%'))
        return "Mail?Error";
    return "Mail?OK";
}

} // namespace localgw
