#pragma once
#include <functional>
#include <string>

namespace gatewayd {

struct ConsoleRequest;
struct ConsoleReply;
using ReplyFn = std::function<void(ConsoleReply)>;

// What the test mode adds to the service (the simulated host's gateway, the admin and fault
// API, the request log, the update server's pages). Production passes none, so nothing of it
// is reachable there. Every hook is called on one of the service's threads and must not block:
// the test mode hands the work to its own thread and answers from there.
class TestHooks {
public:
    virtual ~TestHooks() = default;

    // Every console request before the service sees it. The hooks answer it themselves (a
    // fault, an admin operation, a page of their own) or hand it on with `proceed`, with the
    // reply as it came or one of their own that answers later.
    using Proceed = std::function<void(ConsoleRequest, ReplyFn)>;
    virtual void request(ConsoleRequest request, ReplyFn reply, Proceed proceed) = 0;

    // The key the next logon hands out instead of a random one; empty: a random one.
    virtual std::string nextSessionKey() = 0;
    // The console's answer to the invitation mail (request "22" with its parameters as sent).
    virtual std::string invitationMail(const std::string &params) = 0;
    // A session began (called before its logon is answered) or ended.
    virtual void sessionStarted(const std::string &key, int gateway, const std::string &user) = 0;
    virtual void sessionEnded(const std::string &key) = 0;
    // Something of the console's went to the host of this session (called before the request
    // that carried it is answered).
    virtual void relayedToHost(const std::string &key) = 0;
};

} // namespace gatewayd
