// The invitation mail of request "22", on the service's strand.
#include "Log.h"
#include "Mailer.h"
#include "Service.h"
#include "SupportSession.h"

#include <boost/asio/post.hpp>

namespace gatewayd {

void Service::mailInvitation(SupportSession &s, const std::string &query) {
    std::string error;
    const auto request = parseInvitationRequest(query, s.key, s.gateway, &error);
    if (request && !m_mailer->configured())
        error = "no mail relay configured";
    else if (request && s.mailsRequested >= m_config.maxMailsPerSession)
        error = "this session sent its " + std::to_string(m_config.maxMailsPerSession) + " mails";
    if (!error.empty()) {
        logLine("mail for " + s.account.userCode + " not sent: " + error);
        post(s, "Mail?Error");
        return;
    }
    ++s.mailsRequested;
    MailMessage mail =
        composeInvitation(*request, s.account.customerName, {m_config.setupHost, m_config.webSite});
    const std::string domain = mail.to.substr(mail.to.rfind('@') + 1);
    m_mailer->send(std::move(mail), [this, digest = s.digest, user = s.account.userCode,
                                     domain](bool sent, std::string why) {
        boost::asio::post(m_strand, [this, digest, user, domain, sent, why = std::move(why)] {
            // Only the domain goes to the log: the address is the remote user's business.
            logLine("mail for " + user + " to a user at " + domain +
                    (sent ? " sent" : " not sent: " + why));
            // The session may have ended while the relay was at work.
            const auto it = m_sessions.find(digest);
            if (it != m_sessions.end())
                post(*it->second, sent ? "Mail?OK" : "Mail?Error");
        });
    });
}

} // namespace gatewayd
