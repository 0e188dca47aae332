#pragma once
#include "AccountStore.h"
#include "Config.h"
#include "ErrorReports.h"
#include "FailureThrottle.h"
#include "GatewayDirectory.h"
#include "HostFrame.h"
#include "Metrics.h"
#include "TestHooks.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/thread_pool.hpp>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace gatewayd {

// A console request, as the server read it: `path` is the target before "?", `query` after.
struct ConsoleRequest {
    std::string method;
    std::string path;
    std::string query;
    std::string body;
    std::string peer; // the client's address, without the port
};
struct ConsoleReply {
    ConsoleReply() = default;
    ConsoleReply(int status, std::string body) : status(status), body(std::move(body)) {}

    int status = 200;
    std::string body;
    // The rest only the test mode's pages and faults use.
    std::string contentType = "text/plain";
    std::vector<std::pair<std::string, std::string>> headers;
    bool drop = false;     // the connection closes without an answer
    int64_t cutAfter = -1; // >= 0: the head announces the whole body, this much of it follows
    bool chunked = false;  // the body in chunks instead of with a length
    std::string file; // when set, the answer is this file's content instead of `body`
};
using ReplyFn = std::function<void(ConsoleReply)>;

// The gateway's end of one host channel. send() and close() are called on the service's
// strand and must not block.
class HostLink {
public:
    virtual ~HostLink() = default;
    virtual void send(std::string frame) = 0;
    virtual void close() = 0;
};

struct SupportSession;
class Mailer;
class ServiceSite;

// The gateway's logic, apart from the connections that carry it: logon against the accounts,
// the sessions with their messages, held polls and deposits, the relay of the console's
// commands to the host and the refusals. Everything runs on one strand, so sessions need no
// locks; password checks run on a small pool beside it, and database writes on that pool in
// the order they were made.
class Service {
public:
    // `hooks` (the test mode; production: none) must outlive the service.
    Service(boost::asio::io_context &io, const Config &config, AccountStore &accounts,
            TestHooks *hooks = nullptr);
    ~Service();

    // From any thread; `reply` is called exactly once, on the strand.
    void console(ConsoleRequest request, ReplyFn reply);
    // A host's first frame. `done` gets true when it joined a session; a refusal comes after
    // the throttle's delay with the reason.
    void hostHello(int gateway, HostFrame hello, std::string peer, std::shared_ptr<HostLink> link,
                   std::function<void(bool joined, std::string reason)> done);
    void hostFrame(HostLink *link, HostFrame frame);
    // The channel closed; `bye` when the host said goodbye first.
    void hostGone(HostLink *link, bool bye);
    // For pages that take error reports in other forms; store() may be called from any thread.
    ErrorReports &errorReports() { return m_errorReports; }
    // Ends every session (their records are written) and stops the timers.
    void shutdown(std::function<void()> done);

    // For the test mode, from outside the service's threads. A new configuration applies to
    // the requests that come after it (a poll hold to the sessions that begin after it).
    void setConfig(const Config &config);
    // A message for the console of the session with `key`, as if its host had said it.
    void postMessage(const std::string &key, std::string message);
    struct SessionState {
        std::string key;
        int gateway = 0;
        bool heldPoll = false;
        bool hostJoined = false;
        std::vector<std::string> waiting;        // messages not yet polled, oldest first
        std::map<std::string, size_t> hostFiles; // the files the host stored, by name: size
    };
    // Every live session; waits for the service's strand, so never call it from there.
    std::vector<SessionState> sessionStates();

    // "/gw001/03" -> 1, "03", ""; "/gw002/Files/K/a.txt" -> 2, "Files", "K/a.txt".
    static bool parsePath(std::string_view path, int *gateway, std::string *code,
                          std::string *rest);

private:
    void logon(int gateway, const ConsoleRequest &request, ReplyFn reply);
    void finishLogon(int gateway, const std::string &user, const std::string &vers,
                     std::optional<Account> account, const std::string &peer, ReplyFn reply);
    void join(int gateway, HostFrame hello, const std::string &peer, std::shared_ptr<HostLink> link,
              const std::function<void(bool, std::string)> &done);
    void serve(SupportSession &s, const std::string &code, const std::string &rest,
               const ConsoleRequest &request, ReplyFn &reply);
    void poll(SupportSession &s, ReplyFn reply);
    void post(SupportSession &s, std::string message);
    void answerHeldPoll(SupportSession &s, std::string body);
    bool store(SupportSession &s, std::optional<std::string> &slot, std::string body);
    void detachHost(SupportSession &s, const char *event, const std::string &reason);
    void endSession(SupportSession &s, const std::string &reason);
    void refuseLater(const std::string &peer, std::function<void()> answer);
    void later(std::chrono::milliseconds delay, std::function<void()> action);
    void checkIdle();
    void heartbeat();
    // Request "22": the invitation mail, answered later by the host message "Mail".
    void mailInvitation(SupportSession &s, const std::string &query);
    SupportSession *find(std::string_view key);

    using Strand = boost::asio::strand<boost::asio::io_context::executor_type>;
    Strand m_strand;
    Config m_config;
    AccountStore &m_accounts;
    boost::asio::thread_pool m_pool{2};
    FailureThrottle m_throttle;
    Metrics m_metrics;
    boost::asio::steady_timer m_idleTimer;
    ErrorReports::DbExecutor m_db; // one after the other: a record is opened before it closes
    ErrorReports m_errorReports;
    GatewayDirectory m_directory;
    boost::asio::steady_timer m_beatTimer;
    std::unordered_map<std::string, std::unique_ptr<SupportSession>> m_sessions; // by key digest
    std::unordered_map<HostLink *, SupportSession *> m_hosts;
    std::unordered_map<std::string, int> m_perOperator; // live sessions by lower-case user code
    TestHooks *m_hooks = nullptr;
    bool m_stopping = false;
    std::unique_ptr<ServiceSite> m_site;
    std::unique_ptr<Mailer> m_mailer;
};

} // namespace gatewayd
