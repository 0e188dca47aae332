#pragma once
#include <optional>
#include <string>
#include <string_view>

// The invitation mail of request "22": the operator's console names the invitation key, the
// remote user's address and the instruction language; the gateway writes the mail from the
// console's own texts in that language and sends it through its relay (Mailer).
namespace gatewayd {

inline constexpr int kInstructionLanguages = 8; // 1 English ... 8 Catalan, as the console counts
inline constexpr size_t kMaxMailAddress = 254;

struct InvitationRequest {
    std::string invitationKey; // session key, gateway number, "-", language number
    std::string address;
    int language = 1;
};

// Request "22"'s query for the session `sessionKey` on gateway `gateway`; nullopt with the
// reason in `error`. Only the session's own invitation key is mailed, and only to one plain
// address, so that the request cannot make the gateway send other texts or to other people.
std::optional<InvitationRequest> parseInvitationRequest(std::string_view query,
                                                        std::string_view sessionKey, int gateway,
                                                        std::string *error);

// A plain ASCII address "local@domain": dot-separated atoms before "@", and at least two
// domain labels that begin with a letter and do not end with "-". Nothing that could end a
// header or an SMTP command gets through.
bool isMailAddress(std::string_view address);

struct MailMessage {
    std::string to;
    std::string subject; // UTF-8, one line
    std::string body;    // UTF-8, lines ended by CR LF
};

struct InvitationSite {
    std::string setupHost; // the setup link's host
    std::string webSite;   // the service's public web site, named last
};

// The subject text and the operator's name; the key text, the setup link, the information
// text and the web site, parted by empty lines. In the texts "**" becomes the operator's name,
// "##" the invitation key and "@@" nothing, in one pass, as the console does.
MailMessage composeInvitation(const InvitationRequest &request, std::string_view operatorName,
                              const InvitationSite &site);

} // namespace gatewayd
