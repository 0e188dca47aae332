#include "Server.h"
#include "HostFrame.h"
#include "Log.h"
#include "ServiceSite.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>

#include <deque>
#include <limits>
#include <optional>

namespace asio = boost::asio;
namespace ssl = asio::ssl;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using std::chrono::milliseconds;

namespace gatewayd {

bool TlsContexts::load(const std::string &certFile, const std::string &keyFile,
                       std::string *error) {
    auto ctx = std::make_shared<ssl::context>(ssl::context::tls_server);
    ctx->set_options(ssl::context::default_workarounds | ssl::context::no_sslv2 |
                     ssl::context::no_sslv3 | ssl::context::no_tlsv1 | ssl::context::no_tlsv1_1 |
                     ssl::context::single_dh_use);
    SSL_CTX_set_min_proto_version(ctx->native_handle(), TLS1_2_VERSION);
    boost::system::error_code ec;
    ctx->use_certificate_chain_file(certFile, ec);
    if (!ec)
        ctx->use_private_key_file(keyFile, ssl::context::pem, ec);
    if (ec) {
        *error = certFile + " / " + keyFile + ": " + ec.message();
        return false;
    }
    if (SSL_CTX_check_private_key(ctx->native_handle()) != 1) {
        *error = keyFile + ": the key does not belong to the certificate";
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_current = std::move(ctx);
    return true;
}

std::shared_ptr<ssl::context> TlsContexts::current() const {
    std::lock_guard lock(m_mutex);
    return m_current;
}

namespace {
using TlsStream = beast::ssl_stream<beast::tcp_stream>;
constexpr size_t kMaxTarget = 8192;
constexpr size_t kMaxPlainBody = 64 * 1024; // every request but the two uploads
constexpr size_t kMaxHelloBytes = 8 * 1024;

// Holds one place among the connections the server allows at once.
struct ConnectionSlot {
    explicit ConnectionSlot(std::shared_ptr<std::atomic<int>> count) : count(std::move(count)) {
        ++*this->count;
    }
    ~ConnectionSlot() { --*count; }
    std::shared_ptr<std::atomic<int>> count;
};

class HostConnection : public HostLink, public std::enable_shared_from_this<HostConnection> {
public:
    HostConnection(TlsStream &&stream, std::shared_ptr<ssl::context> ctx, Service &service,
                   const Config &config, int gateway, std::string peer,
                   std::unique_ptr<ConnectionSlot> slot)
        : m_ctx(std::move(ctx)), m_ws(std::move(stream)), m_helloTimer(m_ws.get_executor()),
          m_service(service), m_config(config), m_gateway(gateway), m_peer(std::move(peer)),
          m_slot(std::move(slot)) {}

    void start(http::request<http::string_body> request) {
        beast::get_lowest_layer(m_ws).expires_never();
        websocket::stream_base::timeout timeout;
        timeout.handshake_timeout = milliseconds(m_config.readTimeoutMs);
        timeout.idle_timeout = milliseconds(m_config.idleTimeoutMs);
        timeout.keep_alive_pings = true;
        m_ws.set_option(timeout);
        m_ws.binary(true);
        m_ws.read_message_max(kMaxHelloBytes);
        m_ws.async_accept(request,
                          beast::bind_front_handler(&HostConnection::onAccept, shared_from_this()));
    }

    void send(std::string frame) override {
        asio::post(m_ws.get_executor(), [self = shared_from_this(), frame = std::move(frame)] {
            if (self->m_closeWanted)
                return;
            // A host that does not read would make the gateway keep everything sent to it.
            if (self->m_queuedBytes + frame.size() > 2 * size_t(self->m_config.maxHostFrameBytes)) {
                self->m_queue.clear();
                self->closeNow();
                return;
            }
            self->m_queuedBytes += frame.size();
            self->m_queue.push_back(std::move(frame));
            if (!self->m_writing)
                self->writeNext();
        });
    }

    void close() override {
        asio::post(m_ws.get_executor(), [self = shared_from_this()] {
            self->m_closeWanted = true;
            if (!self->m_writing)
                self->closeNow();
        });
    }

private:
    void onAccept(beast::error_code ec) {
        if (ec)
            return;
        m_helloTimer.expires_after(milliseconds(m_config.readTimeoutMs));
        m_helloTimer.async_wait([self = shared_from_this()](beast::error_code ec) {
            if (!ec && !self->m_joined)
                beast::get_lowest_layer(self->m_ws).cancel();
        });
        m_ws.async_read(m_buffer,
                        beast::bind_front_handler(&HostConnection::onHello, shared_from_this()));
    }

    void onHello(beast::error_code ec, size_t) {
        if (ec) {
            m_helloTimer.cancel();
            return;
        }
        std::string error;
        auto hello = parseFrame(beast::buffers_to_string(m_buffer.data()),
                                FrameLimits{kMaxHelloBytes, kMaxHelloBytes}, &error);
        m_buffer.consume(m_buffer.size());
        if (!hello || hello->type != FrameType::Hello) {
            m_helloTimer.cancel();
            send(
                encodeFrame(FrameType::End, {hello ? "the first message must be a hello" : error}));
            close();
            return;
        }
        // The hello timer stays armed until the service answers: a refusal waits for the
        // throttle, and the host may not sit on its connection meanwhile for longer.
        m_service.hostHello(m_gateway, std::move(*hello), m_peer, shared_from_this(),
                            [self = shared_from_this()](bool joined, std::string reason) {
                                asio::post(self->m_ws.get_executor(), [self, joined, reason] {
                                    self->onJoin(joined, reason);
                                });
                            });
    }

    void onJoin(bool joined, const std::string &reason) {
        m_helloTimer.cancel();
        if (!joined) {
            send(encodeFrame(FrameType::End, {reason}));
            close();
            return;
        }
        m_joined = true;
        m_ws.read_message_max(size_t(m_config.maxHostFrameBytes));
        readNext();
    }

    void readNext() {
        m_ws.async_read(m_buffer,
                        beast::bind_front_handler(&HostConnection::onRead, shared_from_this()));
    }

    void onRead(beast::error_code ec, size_t) {
        if (ec) {
            m_service.hostGone(this, m_bye);
            return;
        }
        std::string error;
        const FrameLimits limits{size_t(m_config.maxHostFrameBytes),
                                 size_t(m_config.maxHostFrameBytes)};
        auto frame = parseFrame(beast::buffers_to_string(m_buffer.data()), limits, &error);
        m_buffer.consume(m_buffer.size());
        const bool fromHost =
            frame && !(uint8_t(frame->type) & 0x80) && frame->type != FrameType::Hello;
        if (!fromHost) {
            // The reason is queued before the service learns of the departure: its own
            // close must not overtake it.
            send(encodeFrame(FrameType::End, {frame ? "not a message of the host" : error}));
            close();
            m_service.hostGone(this, false);
            return;
        }
        HostFrame message = std::move(*frame);
        m_bye = message.type == FrameType::Bye;
        m_service.hostFrame(this, std::move(message));
        readNext();
    }

    void writeNext() {
        m_writing = true;
        m_ws.async_write(asio::buffer(m_queue.front()),
                         beast::bind_front_handler(&HostConnection::onWrite, shared_from_this()));
    }

    void onWrite(beast::error_code ec, size_t) {
        m_writing = false;
        m_queuedBytes -= m_queue.front().size();
        m_queue.pop_front();
        if (ec)
            return;
        if (!m_queue.empty())
            writeNext();
        else if (m_closeWanted)
            closeNow();
    }

    void closeNow() {
        if (m_closed)
            return;
        m_closed = true;
        m_closeWanted = true;
        m_ws.async_close(websocket::close_code::normal, [self = shared_from_this()](auto) {});
    }

    std::shared_ptr<ssl::context> m_ctx;
    websocket::stream<TlsStream> m_ws;
    asio::steady_timer m_helloTimer;
    beast::flat_buffer m_buffer;
    Service &m_service;
    const Config &m_config;
    int m_gateway;
    std::string m_peer;
    std::unique_ptr<ConnectionSlot> m_slot;
    std::deque<std::string> m_queue;
    size_t m_queuedBytes = 0;
    bool m_writing = false, m_closeWanted = false, m_closed = false;
    bool m_joined = false, m_bye = false;
};

class HttpConnection : public std::enable_shared_from_this<HttpConnection> {
public:
    HttpConnection(tcp::socket &&socket, std::shared_ptr<ssl::context> ctx, Service &service,
                   const Config &config, TestHooks *hooks, std::unique_ptr<ConnectionSlot> slot)
        : m_ctx(std::move(ctx)), m_stream(std::move(socket), *m_ctx), m_service(service),
          m_config(config), m_hooks(hooks), m_slot(std::move(slot)) {}

    void start() {
        beast::error_code ec;
        const auto remote = beast::get_lowest_layer(m_stream).socket().remote_endpoint(ec);
        m_peer = ec ? std::string("unknown") : remote.address().to_string();
        beast::get_lowest_layer(m_stream).expires_after(milliseconds(m_config.readTimeoutMs));
        m_stream.async_handshake(
            ssl::stream_base::server,
            beast::bind_front_handler(&HttpConnection::onHandshake, shared_from_this()));
    }

private:
    void onHandshake(beast::error_code ec) {
        if (!ec)
            readRequest();
    }

    void readRequest() {
        m_parser.emplace();
        // An error report travels in the request line; its own bound is checked below.
        m_parser->header_limit(uint32_t(m_config.maxHeaderBytes + m_config.maxReportBytes));
        // The body's bound depends on the request, known once the header is read. (No limit
        // at all, boost::none, fails every body in this version of the parser.)
        m_parser->body_limit(std::numeric_limits<uint64_t>::max());
        beast::get_lowest_layer(m_stream).expires_after(milliseconds(m_config.idleTimeoutMs));
        http::async_read_header(
            m_stream, m_buffer, *m_parser,
            beast::bind_front_handler(&HttpConnection::onHeader, shared_from_this()));
    }

    void onHeader(beast::error_code ec, size_t headerBytes) {
        if (ec == http::error::header_limit)
            return refuse(http::status::request_header_fields_too_large, "Headers too large");
        if (ec)
            return;
        const auto &request = m_parser->get();
        const std::string_view target(request.target().data(), request.target().size());
        const size_t question = target.find('?');
        const bool report = target.substr(0, question) == std::string_view(ErrorReports::kPath);
        if (target.size() > (report ? size_t(m_config.maxReportBytes) : kMaxTarget))
            return refuse(http::status::uri_too_long, "Request line too long");
        if (headerBytes > size_t(m_config.maxHeaderBytes) + (report ? target.size() : 0))
            return refuse(http::status::request_header_fields_too_large, "Headers too large");
        m_path = std::string(target.substr(0, question));
        m_query = question == std::string_view::npos ? std::string()
                                                     : std::string(target.substr(question + 1));
        int gateway = 0;
        std::string code, rest;
        const bool numbered = Service::parsePath(m_path, &gateway, &code, &rest);
        if (websocket::is_upgrade(request)) {
            const auto served = m_config.servedNumbers();
            if (!numbered || code != "host" || !rest.empty() ||
                std::find(served.begin(), served.end(), gateway) == served.end())
                return refuse(http::status::not_found, "No such gateway");
            std::make_shared<HostConnection>(std::move(m_stream), m_ctx, m_service, m_config,
                                             gateway, m_peer, std::move(m_slot))
                ->start(m_parser->release());
            return;
        }
        // Only the two uploads carry bodies of any size.
        const bool upload = request.method() == http::verb::post && (code == "11" || code == "13");
        const uint64_t limit = upload ? uint64_t(m_config.maxBodyBytes) : kMaxPlainBody;
        m_parser->body_limit(limit);
        if (m_parser->is_done())
            return onBody({}, 0);
        const uint64_t announced = m_parser->content_length().value_or(limit);
        if (announced > limit)
            return refuse(http::status::payload_too_large, "Body too large");
        // A large upload may take its time, but not forever.
        beast::get_lowest_layer(m_stream).expires_after(
            milliseconds(m_config.readTimeoutMs + int64_t(announced / 64)));
        http::async_read(m_stream, m_buffer, *m_parser,
                         beast::bind_front_handler(&HttpConnection::onBody, shared_from_this()));
    }

    void onBody(beast::error_code ec, size_t) {
        if (ec == http::error::body_limit)
            return refuse(http::status::payload_too_large, "Body too large");
        if (ec)
            return;
        auto request = m_parser->release();
        m_keepAlive = request.keep_alive();
        m_version = request.version();
        ConsoleRequest r{std::string(request.method_string()), m_path, m_query,
                         std::move(request.body()), m_peer};
        // A held poll may take its time; the service answers within its hold.
        beast::get_lowest_layer(m_stream).expires_never();
        ReplyFn answer = [self = shared_from_this()](ConsoleReply reply) {
            asio::post(self->m_stream.get_executor(), [self, reply = std::move(reply)]() mutable {
                if (!reply.file.empty())
                    self->writeFile(reply.file, reply.contentType);
                else
                    self->write(std::move(reply));
            });
        };
        if (!m_hooks) {
            m_service.console(std::move(r), std::move(answer));
            return;
        }
        m_hooks->request(std::move(r), std::move(answer),
                         [service = &m_service](ConsoleRequest r, ReplyFn answer) {
                             service->console(std::move(r), std::move(answer));
                         });
    }

    void refuse(http::status status, const char *text) {
        m_keepAlive = false;
        m_version = 11;
        write({int(status), text});
    }

    void write(ConsoleReply reply) {
        if (reply.drop) {
            beast::get_lowest_layer(m_stream).close();
            return;
        }
        auto response = std::make_shared<http::response<http::string_body>>(
            http::status(reply.status), m_version);
        response->set(http::field::content_type, reply.contentType);
        response->set(http::field::cache_control, "no-store");
        for (const auto &[name, value] : reply.headers)
            response->set(name, value);
        const bool cut = reply.cutAfter >= 0 && size_t(reply.cutAfter) < reply.body.size();
        m_keepAlive = m_keepAlive && !cut;
        response->keep_alive(m_keepAlive);
        response->body() = std::move(reply.body);
        response->prepare_payload();
        if (reply.chunked)
            response->chunked(true);
        beast::get_lowest_layer(m_stream).expires_after(
            milliseconds(m_config.readTimeoutMs + int64_t(response->body().size() / 64)));
        if (cut)
            return writeCut(response, size_t(reply.cutAfter));
        http::async_write(m_stream, *response,
                          [self = shared_from_this(), response](beast::error_code ec, size_t) {
                              self->onWrite(ec);
                          });
    }

    // A file of the service's site, read from disk as it goes out rather than held whole.
    void writeFile(const std::string &path, const std::string &contentType) {
        http::file_body::value_type file;
        beast::error_code ec;
        file.open(path.c_str(), beast::file_mode::scan, ec);
        if (ec)
            return write({404, "Not found"});
        const uint64_t size = file.size();
        auto response =
            std::make_shared<http::response<http::file_body>>(http::status::ok, m_version);
        response->set(http::field::content_type, contentType);
        response->keep_alive(m_keepAlive);
        response->body() = std::move(file);
        response->prepare_payload();
        beast::get_lowest_layer(m_stream).expires_after(
            milliseconds(m_config.readTimeoutMs + int64_t(size / 64)));
        http::async_write(m_stream, *response,
                          [self = shared_from_this(), response](beast::error_code ec, size_t) {
                              self->onWrite(ec);
                          });
    }

    // The head promises the whole body; part of it goes out and the line breaks.
    void writeCut(std::shared_ptr<http::response<http::string_body>> response, size_t bytes) {
        auto serializer = std::make_shared<http::response_serializer<http::string_body>>(*response);
        http::async_write_header(
            m_stream, *serializer,
            [self = shared_from_this(), response, serializer, bytes](beast::error_code ec, size_t) {
                if (ec)
                    return;
                asio::async_write(self->m_stream, asio::buffer(response->body().data(), bytes),
                                  [self, response](beast::error_code, size_t) {
                                      beast::get_lowest_layer(self->m_stream).close();
                                  });
            });
    }

    void onWrite(beast::error_code ec) {
        if (ec)
            return;
        if (m_keepAlive) {
            readRequest();
            return;
        }
        beast::get_lowest_layer(m_stream).expires_after(milliseconds(m_config.readTimeoutMs));
        m_stream.async_shutdown([self = shared_from_this()](beast::error_code) {});
    }

    std::shared_ptr<ssl::context> m_ctx;
    TlsStream m_stream;
    Service &m_service;
    const Config &m_config;
    TestHooks *m_hooks;
    std::unique_ptr<ConnectionSlot> m_slot;
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
    std::string m_peer, m_path, m_query;
    bool m_keepAlive = false;
    unsigned m_version = 11;
};
} // namespace

struct Server::Private {
    Private(asio::io_context &io, const Config &config, Service &service, TlsContexts &tls,
            TestHooks *hooks)
        : io(io), config(config), service(service), tls(tls), hooks(hooks),
          acceptor(asio::make_strand(io)), retry(acceptor.get_executor()) {}

    void accept() {
        acceptor.async_accept(asio::make_strand(io), [this](beast::error_code ec,
                                                            tcp::socket socket) {
            if (ec == asio::error::operation_aborted || !acceptor.is_open())
                return;
            if (ec) {
                // Out of descriptors, most likely: let connections end before trying again.
                retry.expires_after(milliseconds(100));
                retry.async_wait([this](beast::error_code e) {
                    if (!e)
                        accept();
                });
                return;
            }
            // An answer often follows another small write (a message after its deposit, a
            // poll's answer after a command's): Nagle's algorithm would hold it for the peer's
            // delayed acknowledgement, some 40 ms.
            socket.set_option(tcp::no_delay(true), ec);
            if (*count < config.maxConnections)
                std::make_shared<HttpConnection>(std::move(socket), tls.current(), service, config,
                                                 hooks, std::make_unique<ConnectionSlot>(count))
                    ->start();
            accept();
        });
    }

    asio::io_context &io;
    const Config &config;
    Service &service;
    TlsContexts &tls;
    TestHooks *hooks;
    tcp::acceptor acceptor;
    asio::steady_timer retry;
    std::shared_ptr<std::atomic<int>> count = std::make_shared<std::atomic<int>>(0);
};

Server::Server(asio::io_context &io, const Config &config, Service &service, TlsContexts &tls,
               TestHooks *hooks)
    : d(std::make_unique<Private>(io, config, service, tls, hooks)) {}

Server::~Server() = default;

bool Server::listen(std::string *error) {
    beast::error_code ec;
    const auto address = asio::ip::make_address(d->config.listenAddress, ec);
    if (ec) {
        *error = "listen: " + ec.message();
        return false;
    }
    const tcp::endpoint endpoint(address, d->config.port);
    d->acceptor.open(endpoint.protocol(), ec);
    if (!ec)
        d->acceptor.set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec)
        d->acceptor.bind(endpoint, ec);
    if (!ec)
        d->acceptor.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
        *error =
            d->config.listenAddress + ":" + std::to_string(d->config.port) + ": " + ec.message();
        return false;
    }
    d->accept();
    return true;
}

uint16_t Server::port() const {
    beast::error_code ec;
    return d->acceptor.local_endpoint(ec).port();
}

void Server::stop() {
    asio::post(d->acceptor.get_executor(), [this] {
        beast::error_code ec;
        d->acceptor.close(ec);
        d->retry.cancel();
    });
}

} // namespace gatewayd
