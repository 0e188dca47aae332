#pragma once
#include "Config.h"
#include "Service.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ssl/context.hpp>

#include <atomic>
#include <memory>
#include <mutex>

namespace gatewayd {

// The certificate and key the server presents, read from the configured files. A reload makes
// a new context for the connections that come after it; those already open keep theirs.
class TlsContexts {
public:
    bool load(const std::string &certFile, const std::string &keyFile, std::string *error);
    std::shared_ptr<boost::asio::ssl::context> current() const;

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<boost::asio::ssl::context> m_current;
};

// HTTPS for the console and the host channel (a WebSocket on the same port), with the bounds
// and timeouts of the configuration.
class Server {
public:
    // `hooks` (the test mode; production: none) see every console request first.
    Server(boost::asio::io_context &io, const Config &config, Service &service, TlsContexts &tls,
           TestHooks *hooks = nullptr);
    ~Server();
    // Binds the listening socket; the port actually bound is port().
    bool listen(std::string *error);
    uint16_t port() const;
    void stop();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace gatewayd
