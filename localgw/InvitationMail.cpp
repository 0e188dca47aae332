#include "InvitationMail.h"

#include "gateway/Url_Utils.h"

namespace localgw {

QByteArray InvitationMailAnswer(const GatewayConfig &config, const QByteArray &params) {
    QByteArray address;
    GetUrlParam(params, "addr", address);
    if (config.mailFails || !address.contains('@'))
        return "Mail?Error";
    return "Mail?OK";
}

} // namespace localgw
