#include "TestHttpServer.h"

#include <QMetaObject>
#include <QPointer>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/strand.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>

#include <atomic>
#include <future>
#include <map>
#include <mutex>
#include <thread>

namespace asio = boost::asio;
namespace ssl = asio::ssl;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

QByteArray TestHttpServer::Request::header(QByteArrayView name) const {
    for (const auto &[n, v] : headers)
        if (QByteArrayView(n).compare(name, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

namespace {
constexpr uint64_t kMaxBody = uint64_t(256) << 20;
constexpr uint32_t kMaxHeader = 64 * 1024;

QByteArray bytes(beast::string_view s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

// One client connection, plain or TLS; everything runs on its strand.
class Connection : public std::enable_shared_from_this<Connection> {
public:
    using Deliver = std::function<void(std::shared_ptr<Connection>, TestHttpServer::Request)>;
    virtual ~Connection() = default;
    virtual void start() = 0;
    virtual void write(TestHttpServer::Response response) = 0;
    virtual void drop() = 0;
};

template <class Stream> class Session : public Connection {
public:
    template <class... Args>
    Session(quint64 id, Deliver deliver, Args &&...args)
        : m_stream(std::forward<Args>(args)...), m_id(id), m_deliver(std::move(deliver)) {}

    void start() override {
        if constexpr (std::is_same_v<Stream, beast::tcp_stream>) {
            asio::dispatch(m_stream.get_executor(), [self = shared()] { self->readNext(); });
        } else {
            m_stream.async_handshake(ssl::stream_base::server,
                                     [self = shared()](beast::error_code ec) {
                                         if (!ec)
                                             self->readNext();
                                     });
        }
    }

    void write(TestHttpServer::Response r) override {
        asio::post(m_stream.get_executor(),
                   [self = shared(), r = std::move(r)]() mutable { self->send(std::move(r)); });
    }

    void drop() override {
        asio::post(m_stream.get_executor(), [self = shared()] { self->closeNow(); });
    }

private:
    std::shared_ptr<Session> shared() {
        return std::static_pointer_cast<Session>(shared_from_this());
    }

    void readNext() {
        m_parser.emplace();
        m_parser->header_limit(kMaxHeader);
        m_parser->body_limit(kMaxBody);
        http::async_read(m_stream, m_buffer, *m_parser,
                         [self = shared()](beast::error_code ec, size_t) { self->onRead(ec); });
    }

    void onRead(beast::error_code ec) {
        if (ec == http::error::end_of_stream || ec == asio::error::eof ||
            ec == asio::error::operation_aborted)
            return closeNow();
        if (ec) {
            TestHttpServer::Response bad;
            bad.status = 400;
            bad.body = "Bad request";
            bad.closeAfter = true;
            return send(std::move(bad));
        }
        auto message = m_parser->release();
        m_keepAlive = message.keep_alive();
        TestHttpServer::Request r;
        r.connectionId = m_id;
        r.method = bytes(message.method_string());
        const QByteArray target = bytes(message.target());
        const qsizetype question = target.indexOf('?');
        r.path = question < 0 ? target : target.left(question);
        r.rawQuery = question < 0 ? QByteArray() : target.mid(question + 1);
        for (const auto &field : message)
            r.headers.append({bytes(field.name_string()), bytes(field.value())});
        r.body = QByteArray::fromStdString(message.body());
        m_deliver(shared(), std::move(r));
    }

    void send(TestHttpServer::Response r) {
        auto response =
            std::make_shared<http::response<http::string_body>>(http::status(r.status), 11);
        if (!r.contentType.isEmpty())
            response->set(http::field::content_type, r.contentType.toStdString());
        for (const auto &[name, value] : r.headers)
            response->insert(name.toStdString(), value.toStdString());
        const bool cut = r.cutAfter >= 0 && r.cutAfter < r.body.size();
        m_keepAlive = m_keepAlive && !r.closeAfter && !cut;
        response->keep_alive(m_keepAlive);
        response->body() = r.body.toStdString();
        response->prepare_payload();
        if (r.chunked)
            response->chunked(true);
        if (cut) {
            auto serializer =
                std::make_shared<http::response_serializer<http::string_body>>(*response);
            const size_t part = size_t(r.cutAfter);
            http::async_write_header(
                m_stream, *serializer,
                [self = shared(), response, serializer, part](beast::error_code ec, size_t) {
                    if (ec)
                        return self->closeNow();
                    asio::async_write(
                        self->m_stream, asio::buffer(response->body().data(), part),
                        [self, response](beast::error_code, size_t) { self->closeNow(); });
                });
            return;
        }
        http::async_write(m_stream, *response,
                          [self = shared(), response](beast::error_code ec, size_t) {
                              if (ec || !self->m_keepAlive)
                                  return self->closeNow();
                              self->readNext();
                          });
    }

    void closeNow() {
        beast::error_code ec;
        auto &socket = beast::get_lowest_layer(m_stream).socket();
        socket.shutdown(tcp::socket::shutdown_both, ec);
        socket.close(ec);
    }

    Stream m_stream;
    quint64 m_id;
    Deliver m_deliver;
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
    bool m_keepAlive = true;
};
} // namespace

struct TestHttpServer::Private {
    asio::io_context io{1};
    asio::executor_work_guard<asio::io_context::executor_type> work{io.get_executor()};
    tcp::acceptor acceptor{io};
    std::thread thread;
    std::shared_ptr<ssl::context> tls;
    std::atomic<quint64> lastConnection{0};
    std::atomic<quint64> lastRequest{0};
    std::mutex mutex;
    std::map<quint64, std::shared_ptr<Connection>> pending;
    std::vector<std::weak_ptr<Connection>> connections;
    quint16 port = 0;

    void accept(QPointer<TestHttpServer> owner, Connection::Deliver deliver) {
        acceptor.async_accept(asio::make_strand(io), [this, owner, deliver](beast::error_code ec,
                                                                            tcp::socket socket) {
            if (ec)
                return;
            const quint64 id = ++lastConnection;
            std::shared_ptr<Connection> c;
            if (tls)
                c = std::make_shared<Session<beast::ssl_stream<beast::tcp_stream>>>(
                    id, deliver, std::move(socket), *tls);
            else
                c = std::make_shared<Session<beast::tcp_stream>>(id, deliver, std::move(socket));
            {
                std::lock_guard lock(mutex);
                connections.push_back(c);
            }
            c->start();
            accept(owner, deliver);
        });
    }
};

TestHttpServer::TestHttpServer(QObject *parent) : QObject(parent), d(std::make_unique<Private>()) {
    d->thread = std::thread([io = &d->io] { io->run(); });
}

TestHttpServer::~TestHttpServer() {
    close();
    d->work.reset();
    d->io.stop();
    d->thread.join();
}

void TestHttpServer::setTls(const QSslCertificate &certificate, const QSslKey &key,
                            const QList<QSslCertificate> &chain) {
    QByteArray chainPem = certificate.toPem();
    for (const QSslCertificate &c : chain)
        if (c != certificate)
            chainPem += c.toPem();
    const QByteArray keyPem = key.toPem();
    auto ctx = std::make_shared<ssl::context>(ssl::context::tls_server);
    SSL_CTX_set_min_proto_version(ctx->native_handle(), TLS1_2_VERSION);
    ctx->use_certificate_chain(asio::buffer(chainPem.constData(), size_t(chainPem.size())));
    ctx->use_private_key(asio::buffer(keyPem.constData(), size_t(keyPem.size())),
                         ssl::context::pem);
    d->tls = std::move(ctx);
}

void TestHttpServer::setTlsConfiguration(const QSslConfiguration &configuration) {
    const QList<QSslCertificate> chain = configuration.localCertificateChain();
    setTls(chain.value(0), configuration.privateKey(), chain);
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    const bool old =
        configuration.protocol() == QSsl::TlsV1_0 || configuration.protocol() == QSsl::TlsV1_1;
    const int version = configuration.protocol() == QSsl::TlsV1_0 ? TLS1_VERSION : TLS1_1_VERSION;
    QT_WARNING_POP
    if (old) {
        SSL_CTX *ctx = d->tls->native_handle();
        SSL_CTX_set_security_level(ctx, 0); // an old protocol needs the old ciphers
        SSL_CTX_set_min_proto_version(ctx, version);
        SSL_CTX_set_max_proto_version(ctx, version);
    }
}

bool TestHttpServer::listen(quint16 port) {
    close();
    beast::error_code ec;
    const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), port);
    d->acceptor.open(endpoint.protocol(), ec);
    if (!ec)
        d->acceptor.set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec)
        d->acceptor.bind(endpoint, ec);
    if (!ec)
        d->acceptor.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
        d->acceptor.close(ec);
        return false;
    }
    d->port = d->acceptor.local_endpoint(ec).port();
    QPointer<TestHttpServer> owner(this);
    Private *p = d.get();
    const Connection::Deliver deliver = [owner, p](std::shared_ptr<Connection> c, Request r) {
        r.id = ++p->lastRequest;
        {
            std::lock_guard lock(p->mutex);
            p->pending[r.id] = std::move(c);
        }
        QMetaObject::invokeMethod(
            owner.data(),
            [owner, r] {
                if (owner && owner->m_handler)
                    owner->m_handler(r);
            },
            Qt::QueuedConnection);
    };
    asio::post(d->io, [p, owner, deliver] { p->accept(owner, deliver); });
    return true;
}

quint16 TestHttpServer::port() const {
    return d->port;
}

void TestHttpServer::close() {
    std::promise<void> closed;
    asio::post(d->io, [p = d.get(), &closed] {
        beast::error_code ec;
        p->acceptor.close(ec);
        std::lock_guard lock(p->mutex);
        for (const auto &weak : p->connections)
            if (const auto c = weak.lock())
                c->drop();
        p->connections.clear();
        p->pending.clear();
        closed.set_value();
    });
    closed.get_future().wait();
}

bool TestHttpServer::respond(quint64 requestId, const Response &response) {
    std::shared_ptr<Connection> c;
    {
        std::lock_guard lock(d->mutex);
        const auto it = d->pending.find(requestId);
        if (it == d->pending.end())
            return false;
        c = std::move(it->second);
        d->pending.erase(it);
    }
    c->write(response);
    return true;
}

bool TestHttpServer::respond(quint64 requestId, int status, const QByteArray &body,
                             const QByteArray &contentType) {
    Response r;
    r.status = status;
    r.body = body;
    r.contentType = contentType;
    return respond(requestId, r);
}

bool TestHttpServer::dropRequest(quint64 requestId) {
    std::shared_ptr<Connection> c;
    {
        std::lock_guard lock(d->mutex);
        const auto it = d->pending.find(requestId);
        if (it == d->pending.end())
            return false;
        c = std::move(it->second);
        d->pending.erase(it);
    }
    c->drop();
    return true;
}
