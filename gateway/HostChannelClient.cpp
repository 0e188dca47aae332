#include "HostChannelClient.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>

#include <future>
#include <thread>

namespace asio = boost::asio;
namespace ssl = asio::ssl;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace gatewayd {

struct HostChannelClient::Private : std::enable_shared_from_this<Private> {
    // Owned apart, so that it can go last: see the destructor.
    std::unique_ptr<asio::io_context> io = std::make_unique<asio::io_context>();
    asio::executor_work_guard<asio::io_context::executor_type> work{io->get_executor()};
    ssl::context tls{ssl::context::tls_client};
    std::unique_ptr<websocket::stream<beast::ssl_stream<beast::tcp_stream>>> ws;
    beast::flat_buffer buffer;
    // An empty entry stands for a ping: no frame is empty.
    std::deque<std::string> outgoing;
    std::deque<std::shared_ptr<std::promise<bool>>> pongsAwaited;
    size_t cutLast = std::string::npos; // the last outgoing message is sent only this far
    bool writing = false;
    bool closeWanted = false; // the close waits for the frames before it (one write at a time)
    std::thread thread;

    mutable std::mutex mutex;
    std::deque<HostFrame> received;
    bool closed = false;
    std::function<void(HostFrame)> handler;
    FrameLimits limits;
    std::function<void()> closedHandler;

    using Done = std::shared_ptr<std::promise<std::string>>;

    // Asks the proxy for a tunnel to the gateway; TLS then runs inside it, end to end.
    void tunnel(const Endpoint &endpoint, Done done, const std::string &name) {
        const std::string target = endpoint.address + ":" + std::to_string(endpoint.port);
        auto request =
            std::make_shared<http::request<http::empty_body>>(http::verb::connect, target, 11);
        request->set(http::field::host, target);
        if (!endpoint.proxyAuthorization.empty())
            request->set(http::field::proxy_authorization, endpoint.proxyAuthorization);
        auto &tcpStream = beast::get_lowest_layer(*ws);
        http::async_write(
            tcpStream, *request,
            [self = shared_from_this(), request, endpoint, done, name](beast::error_code ec,
                                                                       size_t) {
                if (ec)
                    return done->set_value("proxy: " + ec.message());
                // The answer to CONNECT has no body, whatever its headers say.
                auto parser = std::make_shared<http::response_parser<http::empty_body>>();
                parser->skip(true);
                parser->header_limit(16 * 1024);
                http::async_read(
                    beast::get_lowest_layer(*self->ws), self->buffer, *parser,
                    [self, parser, endpoint, done, name](beast::error_code ec, size_t) {
                        if (ec)
                            return done->set_value("proxy: " + ec.message());
                        const auto status = parser->get().result_int();
                        if (status != 200)
                            return done->set_value("proxy answered " + std::to_string(status));
                        // Nothing may follow the proxy's answer before TLS.
                        if (self->buffer.size() != 0)
                            return done->set_value("proxy: unexpected bytes");
                        self->startTls(endpoint, done, name);
                    });
            });
    }

    void startTls(const Endpoint &endpoint, Done done, const std::string &name) {
        SSL_set_tlsext_host_name(ws->next_layer().native_handle(), name.c_str());
        ws->next_layer().async_handshake(ssl::stream_base::client, [p = shared_from_this(),
                                                                    endpoint,
                                                                    done](beast::error_code ec) {
            if (ec)
                return done->set_value("TLS: " + ec.message());
            beast::get_lowest_layer(*p->ws).expires_never();
            p->ws->set_option(websocket::stream_base::timeout::suggested(beast::role_type::client));
            p->ws->binary(true);
            p->limits = FrameLimits{endpoint.maxFrameBytes, endpoint.maxFrameBytes};
            p->ws->read_message_max(endpoint.maxFrameBytes);
            char path[32];
            std::snprintf(path, sizeof path, "/gw%03d/host", endpoint.gateway);
            p->ws->async_handshake(endpoint.address + ":" + std::to_string(endpoint.port), path,
                                   [p, done](beast::error_code ec) {
                                       if (ec)
                                           return done->set_value("WebSocket: " + ec.message());
                                       p->readNext();
                                       done->set_value({});
                                   });
        });
    }

    void readNext() {
        ws->async_read(buffer, [self = shared_from_this()](beast::error_code ec, size_t) {
            if (ec) {
                {
                    std::lock_guard lock(self->mutex);
                    self->closed = true;
                }
                for (auto &pong : self->pongsAwaited)
                    pong->set_value(false);
                self->pongsAwaited.clear();
                if (self->closedHandler)
                    self->closedHandler();
                return;
            }
            std::string error;
            auto frame =
                parseFrame(beast::buffers_to_string(self->buffer.data()), self->limits, &error);
            self->buffer.consume(self->buffer.size());
            if (frame && self->handler) {
                self->handler(std::move(*frame));
            } else if (frame) {
                std::lock_guard lock(self->mutex);
                self->received.push_back(std::move(*frame));
            }
            self->readNext();
        });
    }

    void write(std::string bytes) {
        asio::post(*io, [self = shared_from_this(), bytes = std::move(bytes)]() mutable {
            self->outgoing.push_back(std::move(bytes));
            if (!self->writing)
                self->writeNext();
        });
    }

    void writeNext() {
        if (!ws)
            return;
        if (outgoing.empty()) {
            if (closeWanted && ws->is_open()) {
                closeWanted = false;
                writing = true;
                ws->async_close(
                    websocket::close_code::normal,
                    [self = shared_from_this()](beast::error_code) { self->writing = false; });
            }
            return;
        }
        writing = true;
        if (outgoing.front().empty()) {
            ws->async_ping({}, [self = shared_from_this()](beast::error_code ec) {
                self->writing = false;
                self->outgoing.pop_front();
                if (!ec)
                    self->writeNext();
            });
            return;
        }
        if (outgoing.size() == 1 && cutLast < outgoing.front().size()) {
            ws->async_write_some(false, asio::buffer(outgoing.front().data(), cutLast),
                                 [self = shared_from_this()](beast::error_code, size_t) {
                                     beast::error_code ignored;
                                     beast::get_lowest_layer(*self->ws).socket().close(ignored);
                                 });
            return;
        }
        ws->async_write(asio::buffer(outgoing.front()),
                        [self = shared_from_this()](beast::error_code ec, size_t) {
                            self->writing = false;
                            self->outgoing.pop_front();
                            if (!ec)
                                self->writeNext();
                        });
    }
};

HostChannelClient::HostChannelClient() : d(std::make_shared<Private>()) {
    d->thread = std::thread([p = d.get()] { p->io->run(); });
}

HostChannelClient::~HostChannelClient() {
    // No closing handshake is waited for (its timer would hold the thread for half a minute):
    // the loop stops, the stream goes while nothing runs, and the loop's end drops the
    // operations still queued, which would otherwise touch the stream after it.
    d->io->stop();
    d->thread.join();
    d->ws.reset();
    d->work.reset();
    d->io.reset();
}

bool HostChannelClient::open(const Endpoint &endpoint, const std::string &joinKey,
                             const Identity &identity, std::string *error,
                             std::chrono::milliseconds timeout) {
    auto done = std::make_shared<std::promise<std::string>>();
    auto result = done->get_future();
    asio::post(*d->io, [p = d, endpoint, done, timeout] {
        beast::error_code ec;
        p->tls.set_verify_mode(ssl::verify_peer);
        SSL_CTX_set_min_proto_version(p->tls.native_handle(), TLS1_2_VERSION);
        // The system's authorities and those the settings add, as the console trusts them.
        p->tls.set_default_verify_paths(ec);
        ec.clear();
        if (!endpoint.caFile.empty())
            p->tls.load_verify_file(endpoint.caFile, ec);
        if (ec)
            return done->set_value(endpoint.caFile + ": " + ec.message());
        const std::string name =
            endpoint.serverName.empty() ? endpoint.address : endpoint.serverName;
        p->tls.set_verify_callback(ssl::host_name_verification(name));
        p->ws = std::make_unique<websocket::stream<beast::ssl_stream<beast::tcp_stream>>>(*p->io,
                                                                                          p->tls);
        p->ws->control_callback([raw = p.get()](websocket::frame_type kind, beast::string_view) {
            if (kind != websocket::frame_type::pong || raw->pongsAwaited.empty())
                return;
            raw->pongsAwaited.front()->set_value(true);
            raw->pongsAwaited.pop_front();
        });
        beast::get_lowest_layer(*p->ws).expires_after(timeout);
        const bool viaProxy = !endpoint.proxyAddress.empty();
        auto resolver = std::make_shared<tcp::resolver>(*p->io);
        resolver->async_resolve(
            viaProxy ? endpoint.proxyAddress : endpoint.address,
            std::to_string(viaProxy ? endpoint.proxyPort : endpoint.port),
            [p, endpoint, done, name, resolver](beast::error_code ec,
                                                tcp::resolver::results_type results) {
                if (ec)
                    return done->set_value("resolve: " + ec.message());
                beast::get_lowest_layer(*p->ws).async_connect(
                    results, [p, endpoint, done, name](beast::error_code ec, auto) {
                        if (ec)
                            return done->set_value("connect: " + ec.message());
                        // A message often follows its deposit at once:
                        // Nagle's algorithm would hold it ~40 ms.
                        beast::get_lowest_layer(*p->ws).socket().set_option(tcp::no_delay(true),
                                                                            ec);
                        if (endpoint.proxyAddress.empty())
                            return p->startTls(endpoint, done, name);
                        p->tunnel(endpoint, done, name);
                    });
            });
    });
    if (result.wait_for(timeout + std::chrono::seconds(1)) != std::future_status::ready) {
        *error = "timed out";
        return false;
    }
    *error = result.get();
    if (!error->empty())
        return false;
    send(FrameType::Hello, {joinKey, identity.ip, identity.hostName, identity.windowsFamily,
                            identity.keyboardLayout});
    return true;
}

void HostChannelClient::send(FrameType type, const std::vector<std::string> &fields) {
    std::vector<std::string_view> views(fields.begin(), fields.end());
    d->write(encodeFrame(type, views));
}

void HostChannelClient::sendRaw(std::string bytes) {
    d->write(std::move(bytes));
}

void HostChannelClient::sendPartThenDrop(FrameType type, const std::vector<std::string> &fields,
                                         size_t bytes) {
    std::vector<std::string_view> views(fields.begin(), fields.end());
    asio::post(*d->io, [p = d, frame = encodeFrame(type, views), bytes]() mutable {
        p->cutLast = bytes;
        p->outgoing.push_back(std::move(frame));
        if (!p->writing)
            p->writeNext();
    });
}

bool HostChannelClient::confirmDelivered(std::chrono::milliseconds timeout) {
    auto pong = std::make_shared<std::promise<bool>>();
    auto result = pong->get_future();
    asio::post(*d->io, [p = d, pong] {
        if (!p->ws || !p->ws->is_open())
            return pong->set_value(false);
        p->pongsAwaited.push_back(pong);
        p->outgoing.emplace_back();
        if (!p->writing)
            p->writeNext();
    });
    return result.wait_for(timeout) == std::future_status::ready && result.get();
}

std::optional<HostFrame> HostChannelClient::takeFrame() {
    std::lock_guard lock(d->mutex);
    if (d->received.empty())
        return std::nullopt;
    HostFrame frame = std::move(d->received.front());
    d->received.pop_front();
    return frame;
}

void HostChannelClient::setFrameHandler(std::function<void(HostFrame)> handler) {
    d->handler = std::move(handler);
}

void HostChannelClient::setClosedHandler(std::function<void()> handler) {
    d->closedHandler = std::move(handler);
}

bool HostChannelClient::isClosed() const {
    std::lock_guard lock(d->mutex);
    return d->closed;
}

void HostChannelClient::close() {
    asio::post(*d->io, [p = d] {
        p->closeWanted = true;
        if (!p->writing)
            p->writeNext();
    });
}

} // namespace gatewayd
