#pragma once
#include "InvitationMail.h"

#include <boost/asio/thread_pool.hpp>

#include <atomic>
#include <functional>
#include <string>

namespace gatewayd {

struct MailRelay {
    std::string url;  // "smtp://host:port": STARTTLS is required; "smtps://": TLS from the start
    std::string from; // the sender's address
    std::string user, password;
    std::string caFile; // empty: the system's authorities
    int timeoutMs = 30000;
};

// Sends mail through the configured relay with libcurl, one mail at a time on a thread of its
// own, so that a slow relay holds up neither the event loops nor the password checks. Never
// without TLS 1.2 or newer and a verified certificate.
class Mailer {
public:
    explicit Mailer(MailRelay relay);
    ~Mailer();

    bool configured() const { return !m_relay.url.empty(); }
    // `done` is called on the mailer's thread with the relay's verdict. Beyond a few mails
    // waiting, `done` is called at once with false: a relay that hangs must not pile them up.
    void send(MailMessage message, std::function<void(bool sent, std::string error)> done);

private:
    bool deliver(const MailMessage &message, std::string *error);

    MailRelay m_relay;
    std::atomic<int> m_waiting{0};
    boost::asio::thread_pool m_thread{1};
};

} // namespace gatewayd
