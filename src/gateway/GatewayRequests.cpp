#include "gateway/GatewayRequests.h"
#include "common/AdminVars.h"
#include "gateway/Url_Utils.h"

namespace GatewayRequests {
namespace {
QByteArray base(const QByteArray &gatewayUrl, const char *code, const QByteArray &key) {
    return gatewayUrl + code + "?key=" + EncodeQueryValue(key);
}
} // namespace

QByteArray logon(const QByteArray &gatewayUrl, const QByteArray &userCode,
                 const QByteArray &password, const QByteArray &computerName,
                 const QByteArray &versionTag) {
    return gatewayUrl + "16?user=" + EncodeQueryValue(userCode) +
           "&pass=" + EncodeQueryValue(password) + "&name=" + EncodeQueryValue(computerName) +
           "&vers=" + EncodeQueryValue(versionTag) + "&dack=0&prot=1" + NextDyParam();
}

QByteArray poll(const QByteArray &gatewayUrl, const QByteArray &key) {
    return base(gatewayUrl, "03", key) + NextDyParam();
}

QByteArray command(const QByteArray &gatewayUrl, const QByteArray &key, const QByteArray &command) {
    return base(gatewayUrl, "01", key) + "&string=" + EncodeQueryValue(command) + NextDyParam();
}

QByteArray control(const QByteArray &gatewayUrl, const QByteArray &key, const QByteArray &code,
                   const QByteArray &params) {
    QByteArray url = gatewayUrl + code + "?key=" + EncodeQueryValue(key);
    if (!params.isEmpty())
        url += "&" + params;
    return url;
}

QByteArray logoff(const QByteArray &gatewayUrl, const QByteArray &key) {
    return base(gatewayUrl, "17", key) + NextDyParam();
}

QByteArray stringList(const QByteArray &gatewayUrl, const QByteArray &key) {
    return base(gatewayUrl, "09", key);
}

QByteArray clipboardDownload(const QByteArray &gatewayUrl, const QByteArray &key) {
    return base(gatewayUrl, "11", key);
}

QByteArray clipboardUpload(const QByteArray &gatewayUrl, const QByteArray &key,
                           const QByteArray &formatWord) {
    return base(gatewayUrl, "11", key) + "&par=" + formatWord;
}

QByteArray announcement(const QByteArray &gatewayUrl, const QByteArray &key, const QByteArray &type,
                        int id) {
    QByteArray url = base(gatewayUrl, "23", key);
    if (!type.isEmpty())
        url += "&type=" + type;
    return url + "&ID=" + QByteArray::number(id);
}

QByteArray fullPicture(const QByteArray &gatewayUrl, const QByteArray &key) {
    return base(gatewayUrl, "05", key) + NextDyParam();
}

QByteArray pictureUpdate(const QByteArray &gatewayUrl, const QByteArray &key) {
    return base(gatewayUrl, "07", key) + NextDyParam();
}

QByteArray fileUpload(const QByteArray &gatewayUrl, const QByteArray &key,
                      const QByteArray &uploadName, const QByteArray &remoteFolder) {
    return base(gatewayUrl, "13", key) + "&filename=" + EncodeQueryValue(uploadName) +
           "&Path=" + EncodeQueryValue(remoteFolder);
}

QByteArray fileDownload(const QByteArray &gatewayUrl, const QByteArray &key,
                        const QByteArray &fileName) {
    return gatewayUrl + "Files/" + EncodeQueryValue(key) + "/" + EncodeQueryValue(fileName);
}

} // namespace GatewayRequests
