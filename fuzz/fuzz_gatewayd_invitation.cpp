// Request "22" comes from any console that holds a session: whatever its query, the gateway
// mails only the session's own key to one plain address, and the mail's subject stays one line.
#include "InvitationMail.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    const int gateway = 1 + data[0] % 12;
    const std::string_view query(reinterpret_cast<const char *>(data + 1), size - 1);
    const std::string key = "ABCDEFGHJKLMNP";
    std::string error;
    const auto request = gatewayd::parseInvitationRequest(query, key, gateway, &error);
    if (!request)
        return error.empty() ? (abort(), 0) : 0;
    if (request->language < 1 || request->language > gatewayd::kInstructionLanguages ||
        request->invitationKey !=
            key + std::to_string(gateway) + "-" + std::to_string(request->language) ||
        !gatewayd::isMailAddress(request->address))
        abort();
    for (char c : request->address)
        if (c <= ' ' || c >= 127 || c == '<' || c == '>' || c == ',' || c == ';')
            abort();
    // An operator's name of any bytes: the subject never breaks into a second header line.
    const auto mail =
        gatewayd::composeInvitation(*request, query.substr(0, 300), {"setup.test", "https://w"});
    if (mail.to != request->address || mail.subject.find_first_of("\r\n") != std::string::npos ||
        mail.body.size() > 4096 + 2 * 300)
        abort();
    return 0;
}
