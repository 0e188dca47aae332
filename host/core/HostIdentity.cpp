#include "HostIdentity.h"
#include "platform/ComputerName.h"
#include "platform/KeyboardLayout.h"

#include <QNetworkInterface>

namespace qhost {

gatewayd::HostChannelClient::Identity LocalIdentity() {
    gatewayd::HostChannelClient::Identity id;
    id.ip = "127.0.0.1";
    // The first address of an interface that is up and not the loopback: what the operator
    // would see on this computer's own network.
    for (const QNetworkInterface &i : QNetworkInterface::allInterfaces()) {
        if (!(i.flags() & QNetworkInterface::IsUp) || (i.flags() & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &e : i.addressEntries()) {
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                id.ip = e.ip().toString().toStdString();
                break;
            }
        }
        if (id.ip != "127.0.0.1")
            break;
    }
    id.hostName = ComputerName().toStdString();
    id.windowsFamily = "LNX";
    id.keyboardLayout = GetKeyboardLayoutText().toStdString();
    return id;
}

} // namespace qhost
