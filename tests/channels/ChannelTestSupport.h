#pragma once
// Shared pieces of the channel tests: a recording HTTPS test server and a completion recorder.
#include "LocalPki.h"
#include "TestHttpServer.h"
#include "gateway/HttpChannel.h"

#include <QList>
#include <QObject>

struct Completion {
    int error = -1;
    int status = -1;
    QByteArray body;
    quint64 requestId = 0;
};

// Records every requestDone and tlsFailure of one channel.
class CompletionRecorder : public QObject {
public:
    explicit CompletionRecorder(HttpChannel *channel) : m_channel(channel) {
        connect(channel, &HttpChannel::requestDone, this,
                [this](int error, int status, const QByteArray &body) {
                    done.append({error, status, body, m_channel->finishedRequestId()});
                });
        connect(channel, &HttpChannel::tlsFailure, this,
                [this](const QString &text) { tlsTexts.append(text); });
    }
    QList<Completion> done;
    QStringList tlsTexts;

private:
    HttpChannel *m_channel;
};

// An HTTPS (or plain) server with a few fixed routes, remembering what it received.
//   /echo           200 with the request body
//   /status/<n>     status n with body "status <n>"
//   /hold           kept unanswered (see held)
//   /drop           connection closed without an answer
//   /close          200 "closing", then the server closes the connection
//   /bytes          200 with `payload`, extra headers `payloadHeaders`
class RecordingServer {
public:
    RecordingServer() {
        server.setHandler([this](const TestHttpServer::Request &r) {
            requests.append(r);
            if (r.path == "/echo") {
                TestHttpServer::Response resp;
                resp.body = r.body;
                resp.contentType = "application/octet-stream";
                server.respond(r.id, resp);
            } else if (r.path.startsWith("/status/")) {
                const int status = r.path.mid(8).toInt();
                TestHttpServer::Response resp;
                resp.status = status;
                resp.body = "status " + r.path.mid(8);
                if (status == 302)
                    resp.headers.append(qMakePair(QByteArray("Location"), QByteArray("/echo")));
                server.respond(r.id, resp);
            } else if (r.path == "/hold") {
                held.append(r.id);
            } else if (r.path == "/drop") {
                server.dropRequest(r.id);
            } else if (r.path == "/close") {
                TestHttpServer::Response resp;
                resp.body = "closing";
                resp.closeAfter = true;
                server.respond(r.id, resp);
            } else if (r.path == "/bytes") {
                TestHttpServer::Response resp;
                resp.body = payload;
                resp.contentType = "application/octet-stream";
                resp.headers = payloadHeaders;
                server.respond(r.id, resp);
            } else {
                server.respond(r.id, 404, "no such path");
            }
        });
    }
    TestHttpServer server;
    QList<TestHttpServer::Request> requests;
    QList<quint64> held;
    QByteArray payload;
    HttpHeaderList payloadHeaders;
};
