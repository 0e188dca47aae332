#pragma once
#include "HostFrame.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace gatewayd {

// The host's end of the host channel: a WebSocket over TLS to "/gwNNN/host", a hello with the
// join key, then frames both ways. It runs its own event loop on its own thread, so a caller
// with another loop (Qt's) sends from anywhere and collects what arrived with takeFrame().
class HostChannelClient {
public:
    struct Endpoint {
        std::string address = "127.0.0.1"; // a name or an IP address
        uint16_t port = 0;
        int gateway = 1;
        std::string caFile;     // PEM file of the certificate authorities trusted
        std::string serverName; // checked against the certificate; empty: `address`
        // The largest message taken from the gateway: its max_host_frame_bytes.
        size_t maxFrameBytes = size_t(65) << 20;
        // An HTTP proxy to tunnel through (CONNECT); empty: straight to the gateway.
        std::string proxyAddress{};
        uint16_t proxyPort = 0;
        std::string proxyAuthorization{}; // a Proxy-Authorization value, e.g. "Basic …"
    };
    struct Identity {
        std::string ip = "192.168.10.20";
        std::string hostName = "DEMO-PC";
        std::string windowsFamily = "WNT";
        std::string keyboardLayout = "00000409";
    };

    HostChannelClient();
    ~HostChannelClient();
    HostChannelClient(const HostChannelClient &) = delete;
    HostChannelClient &operator=(const HostChannelClient &) = delete;

    // Connects and sends the hello; false with the reason when the channel cannot be opened.
    // Whether the gateway accepted the join comes as the first frame: Welcome or End.
    bool open(const Endpoint &endpoint, const std::string &joinKey, const Identity &identity,
              std::string *error, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void send(FrameType type, const std::vector<std::string> &fields);
    // Any bytes as one message, for tests of the gateway's refusals.
    void sendRaw(std::string bytes);
    // The first `bytes` of a frame, after what was sent before it; then the connection breaks
    // as if the host's line had gone (for tests: nothing half-sent may be served).
    void sendPartThenDrop(FrameType type, const std::vector<std::string> &fields, size_t bytes);
    // Waits until the gateway has read everything sent before: a ping goes after it and its
    // pong comes back only once the gateway's reader handed those frames on. False on timeout
    // or a broken channel.
    bool confirmDelivered(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    std::optional<HostFrame> takeFrame();
    // Frames go to `handler` (on the client's own thread) instead of takeFrame(); set it
    // before open().
    void setFrameHandler(std::function<void(HostFrame)> handler);
    // Called once (on the client's own thread) when the channel closed or broke; set it before
    // open().
    void setClosedHandler(std::function<void()> handler);
    // True once the gateway closed the channel (or it broke).
    bool isClosed() const;
    void close();

private:
    struct Private;
    std::shared_ptr<Private> d;
};

} // namespace gatewayd
