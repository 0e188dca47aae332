#pragma once
#include "Service.h"

#include <chrono>
#include <deque>
#include <map>
#include <optional>

namespace gatewayd {

// One support session, from the operator's logon to the logoff. Lives on the service's strand.
struct SupportSession {
    SupportSession(boost::asio::any_io_executor executor) : pollTimer(executor) {}

    std::string key;
    std::string digest; // the map key: lookups by it leak nothing of the key itself
    int gateway = 0;
    Account account;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    int64_t startedAt = 0;
    std::chrono::steady_clock::time_point lastRequest = started;

    // Messages for the console, oldest first, and the poll held for the next one.
    std::deque<std::string> outbox;
    size_t outboxBytes = 0;
    ReplyFn heldPoll;
    boost::asio::steady_timer pollTimer;

    // What the host left for the console: the latest of each kind, files by name.
    std::optional<std::string> fullPicture, update, stringList, clipboard;
    std::map<std::string, std::string> hostFiles;
    size_t storedBytes = 0;

    std::shared_ptr<HostLink> host;
    // The host's user agreed to share (Accept): only then does the console hear of the host,
    // and only then do the console's commands reach it.
    bool hostAccepted = false;
    std::string pendingLogon, pendingHostName; // told and recorded at Accept
    int hostJoins = 0;
    std::string hostName, hostAddress;

    std::string sessionTimeText() const;
};

} // namespace gatewayd
