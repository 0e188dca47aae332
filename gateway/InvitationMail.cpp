#include "InvitationMail.h"
#include "QueryText.h"

#include <algorithm>

namespace gatewayd {
namespace {
struct InvitationTexts {
    const char *language;
    const char *subject; // MailSubjectText
    const char *key;     // MailKeyText, with the markers
    const char *info;    // MailInfoText
};

const InvitationTexts kTexts[kInstructionLanguages] = {
#include "InvitationTexts.inc"
};

bool isAlpha(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isAtomChar(char c) {
    static constexpr std::string_view specials = "()<>@,;:\\/\".[]";
    return c > 32 && c < 127 && specials.find(c) == std::string_view::npos;
}

bool isDomain(std::string_view domain) {
    if (domain.empty() || domain.size() > 253)
        return false;
    int labels = 0;
    while (true) {
        const size_t dot = domain.find('.');
        const std::string_view label = domain.substr(0, dot);
        if (label.empty() || label.size() > 63 || !isAlpha(label.front()) || label.back() == '-')
            return false;
        if (!std::all_of(label.begin(), label.end(),
                         [](char c) { return isAlpha(c) || isDigit(c) || c == '-'; }))
            return false;
        ++labels;
        if (dot == std::string_view::npos)
            return labels >= 2;
        domain.remove_prefix(dot + 1);
    }
}

std::string replaceMarkers(std::string_view text, std::string_view name, std::string_view key) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string_view two = text.substr(i, 2);
        if (two == "**")
            out += name;
        else if (two == "##")
            out += key;
        else if (two != "@@")
            out += text[i];
        if (two == "**" || two == "##" || two == "@@")
            ++i;
    }
    return out;
}

// A name from the account table goes into a header: no line breaks or other control bytes.
std::string oneLine(std::string_view text) {
    std::string out;
    for (char c : text)
        out += static_cast<unsigned char>(c) < 32 || c == 127 ? ' ' : c;
    return out;
}
} // namespace

bool isMailAddress(std::string_view address) {
    if (address.size() > kMaxMailAddress)
        return false;
    const size_t at = address.rfind('@');
    if (at == std::string_view::npos || at == 0 || at > 64)
        return false;
    std::string_view local = address.substr(0, at);
    while (true) {
        const size_t dot = local.find('.');
        const std::string_view atom = local.substr(0, dot);
        if (atom.empty() || !std::all_of(atom.begin(), atom.end(), isAtomChar))
            return false;
        if (dot == std::string_view::npos)
            break;
        local.remove_prefix(dot + 1);
    }
    return isDomain(address.substr(at + 1));
}

std::optional<InvitationRequest> parseInvitationRequest(std::string_view query,
                                                        std::string_view sessionKey, int gateway,
                                                        std::string *error) {
    InvitationRequest request;
    std::string language;
    if (!queryParam(query, "skey", request.invitationKey) ||
        !queryParam(query, "addr", request.address) || !queryParam(query, "lang", language)) {
        *error = "skey, addr or lang missing";
        return std::nullopt;
    }
    if (language.size() != 1 || language[0] < '1' || language[0] >= '1' + kInstructionLanguages) {
        *error = "no instruction language";
        return std::nullopt;
    }
    request.language = language[0] - '0';
    const std::string expected = std::string(sessionKey) + std::to_string(gateway) + "-" + language;
    if (request.invitationKey != expected) {
        *error = "the invitation key is not this session's";
        return std::nullopt;
    }
    if (!isMailAddress(request.address)) {
        *error = "not a mail address";
        return std::nullopt;
    }
    return request;
}

MailMessage composeInvitation(const InvitationRequest &request, std::string_view operatorName,
                              const InvitationSite &site) {
    const InvitationTexts &texts =
        kTexts[std::clamp(request.language, 1, kInstructionLanguages) - 1];
    const std::string name = oneLine(operatorName);
    const std::string setupLink =
        "https://" + site.setupHost + "/logon.aspx?key=" + request.invitationKey;
    const std::string crlf2 = "\r\n\r\n";
    MailMessage mail;
    mail.to = request.address;
    mail.subject = std::string(texts.subject) + " " + name;
    mail.body = replaceMarkers(std::string(texts.key) + crlf2 + setupLink + crlf2 + texts.info +
                                   crlf2 + site.webSite,
                               name, request.invitationKey) +
                "\r\n";
    return mail;
}

} // namespace gatewayd
