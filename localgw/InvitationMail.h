#pragma once
#include "GatewayConfig.h"

#include <QByteArray>

namespace localgw {

// The gateway's side of the invitation mail (request "22"): the local gateway sends nothing and
// answers as the service would. The request log keeps what would have been sent: the fields
// "skey" (the invitation key), "addr" (the address) and "lang" (1 to 8) of the "22" entry.
//
// The answer is the host message "Mail?OK", or "Mail?Error" for an address without "@", for a
// key that is missing or arrives percent-encoded (the service mails the key as it stands), and
// for every address while config.mailFails is set (admin "config?mail-fails=1").
QByteArray InvitationMailAnswer(const GatewayConfig &config, const QByteArray &params);

} // namespace localgw
