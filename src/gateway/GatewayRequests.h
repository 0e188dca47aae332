#pragma once
#include <QByteArray>
#include <QString>

// Composition of every gateway request: GatewayUrl + two-character code + query. The key is
// always encoded; the logon request has none. Values marked "as given" are the caller's
// responsibility (control parameters and the clipboard format word are not encoded).
namespace GatewayRequests {

QByteArray logon(const QByteArray &gatewayUrl, const QByteArray &userCode,
                 const QByteArray &password, const QByteArray &computerName,
                 const QByteArray &versionTag);
QByteArray poll(const QByteArray &gatewayUrl, const QByteArray &key);
QByteArray command(const QByteArray &gatewayUrl, const QByteArray &key, const QByteArray &command);
// `code` is the two-character control code; `params` go after "&" exactly as given.
QByteArray control(const QByteArray &gatewayUrl, const QByteArray &key, const QByteArray &code,
                   const QByteArray &params);
QByteArray logoff(const QByteArray &gatewayUrl, const QByteArray &key);
QByteArray stringList(const QByteArray &gatewayUrl, const QByteArray &key);
QByteArray clipboardDownload(const QByteArray &gatewayUrl, const QByteArray &key);
QByteArray clipboardUpload(const QByteArray &gatewayUrl, const QByteArray &key,
                           const QByteArray &formatWord);
// `type` is "C", "O" or empty for none.
QByteArray announcement(const QByteArray &gatewayUrl, const QByteArray &key, const QByteArray &type,
                        int id);
QByteArray fullPicture(const QByteArray &gatewayUrl, const QByteArray &key);
QByteArray pictureUpdate(const QByteArray &gatewayUrl, const QByteArray &key);
// The file transfer window's upload ("13", POST) of `uploadName` into `remoteFolder`, and the
// download ("Files/") of a file the host stored. The key goes into the download's path
// encoded too, which leaves a key of the gateway's alphabet as it is.
QByteArray fileUpload(const QByteArray &gatewayUrl, const QByteArray &key,
                      const QByteArray &uploadName, const QByteArray &remoteFolder);
QByteArray fileDownload(const QByteArray &gatewayUrl, const QByteArray &key,
                        const QByteArray &fileName);

} // namespace GatewayRequests
