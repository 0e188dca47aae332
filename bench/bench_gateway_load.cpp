// The gateway service under load, with a load generator of our own for its protocol: each
// session is a console (a held poll, a command a second, the screen update fetched after each
// "UScr") and a host on the host channel (it answers each command with a 20 KB update and
// "UScr"). The sessions grow in steps while the command-to-host relay stays under 10 ms at the
// 99th percentile; then 10,000 idle sessions hold their polls; beside them, the plain HTTP floor
// of this machine: Debian's nginx answering a 2-byte file, driven by the same generator (and by
// h2load --h1 when it is installed).
//
//   bench_gateway_load [--steps 250,500,1000,1500,2000,2500,3000] [--window-s 8] [--idle 10000]
//                      [--gateway-threads 2] [--generator-threads 2] [--gateway PATH]
#include "AccountStore.h"
#include "HostFrame.h"

#include <utility>

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <sodium.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace asio = boost::asio;
namespace ssl = asio::ssl;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
namespace fs = std::filesystem;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using gatewayd::FrameType;

extern char **environ;

namespace {
constexpr size_t kUpdateBytes = 20 * 1024;
constexpr double kTargetP99Ms = 10.0;
constexpr int kAccounts = 16; // a gateway allows an operator at most 1000 sessions

std::string readFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

long procField(pid_t pid, const char *name) {
    std::istringstream in(readFile("/proc/" + std::to_string(pid) + "/status"));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(name, 0) == 0)
            return std::stol(line.substr(std::string(name).size()));
    return -1;
}
double rssMb(pid_t pid) {
    return double(procField(pid, "VmRSS:")) / 1024.0;
}
double cpuSeconds(pid_t pid) {
    std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream in(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && in >> field; ++i) {
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
            stime = std::stol(field);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// The machine's 1-minute load average: other work on it shows in every figure.
double loadAverage() {
    double load = 0;
    std::istringstream(readFile("/proc/loadavg")) >> load;
    return load;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

uint16_t freePort() {
    asio::io_context io;
    tcp::acceptor a(io, tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0));
    return a.local_endpoint().port();
}

// Standard output and error go to `out` and `out` + ".err".
pid_t spawn(const std::vector<std::string> &args, const std::string &out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string err = out + ".err";
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char *> argv;
    for (const auto &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stopProcess(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// One keep-alive HTTPS connection that carries one request at a time, as the console's
// channels do.
class Https : public std::enable_shared_from_this<Https> {
public:
    using Done = std::function<void(int status, std::string body)>;
    Https(asio::io_context &io, ssl::context &tls) : m_stream(io, tls) {}

    void open(const tcp::endpoint &to, std::function<void(bool)> done) {
        beast::get_lowest_layer(m_stream).async_connect(
            to, [self = shared_from_this(), done](beast::error_code ec) {
                if (ec)
                    return done(false);
                self->m_stream.async_handshake(ssl::stream_base::client,
                                               [self, done](beast::error_code ec) { done(!ec); });
            });
    }
    bool busy() const { return m_busy; }
    void get(const std::string &target, Done done) {
        m_busy = true;
        m_done = std::move(done);
        m_request = {http::verb::get, target, 11};
        m_request.set(http::field::host, "127.0.0.1");
        http::async_write(
            m_stream, m_request, [self = shared_from_this()](beast::error_code ec, size_t) {
                if (ec)
                    return self->finish(0, {});
                self->m_parser.emplace();
                self->m_parser->body_limit(8 << 20);
                http::async_read(self->m_stream, self->m_buffer, *self->m_parser,
                                 [self](beast::error_code ec, size_t) {
                                     if (ec)
                                         return self->finish(0, {});
                                     auto &r = self->m_parser->get();
                                     self->finish(r.result_int(), std::move(r.body()));
                                 });
            });
    }
    void close() {
        beast::error_code ec;
        beast::get_lowest_layer(m_stream).socket().close(ec);
    }

private:
    void finish(int status, std::string body) {
        m_busy = false;
        Done done = std::move(m_done);
        done(status, std::move(body));
    }
    beast::ssl_stream<beast::tcp_stream> m_stream;
    beast::flat_buffer m_buffer;
    http::request<http::empty_body> m_request;
    std::optional<http::response_parser<http::string_body>> m_parser;
    Done m_done;
    bool m_busy = false;
};

struct Stats {
    std::vector<double> relayMs;
    long commands = 0, updates = 0, errors = 0;
    void clear() { *this = Stats(); }
};

// The host program's end of one session.
class Host : public std::enable_shared_from_this<Host> {
public:
    Host(asio::io_context &io, ssl::context &tls) : m_ws(io, tls) {}
    std::function<void(const std::string &command)> onCommand;

    void open(const tcp::endpoint &to, const std::string &joinKey, std::function<void(bool)> done) {
        auto self = shared_from_this();
        beast::get_lowest_layer(m_ws).async_connect(to, [self, joinKey,
                                                         done](beast::error_code ec) {
            if (ec)
                return done(false);
            self->m_ws.next_layer().async_handshake(
                ssl::stream_base::client, [self, joinKey, done](beast::error_code ec) {
                    if (ec)
                        return done(false);
                    self->m_ws.binary(true);
                    self->m_ws.async_handshake(
                        "127.0.0.1", "/gw001/host", [self, joinKey, done](beast::error_code ec) {
                            if (ec)
                                return done(false);
                            self->send(gatewayd::encodeFrame(
                                FrameType::Hello,
                                {joinKey, "10.0.0.1", "BENCH-PC", "WNT", "00000409"}));
                            self->read();
                            done(true);
                        });
                });
        });
    }
    void send(std::string frame) {
        m_queue.push_back(std::move(frame));
        if (m_queue.size() == 1)
            writeNext();
    }
    void close() {
        beast::error_code ec;
        beast::get_lowest_layer(m_ws).socket().close(ec);
    }

private:
    void writeNext() {
        m_ws.async_write(asio::buffer(m_queue.front()),
                         [self = shared_from_this()](beast::error_code ec, size_t) {
                             self->m_queue.pop_front();
                             if (!ec && !self->m_queue.empty())
                                 self->writeNext();
                         });
    }
    void read() {
        m_ws.async_read(m_buffer, [self = shared_from_this()](beast::error_code ec, size_t) {
            if (ec)
                return;
            std::string error;
            auto frame =
                gatewayd::parseFrame(beast::buffers_to_string(self->m_buffer.data()), {}, &error);
            self->m_buffer.consume(self->m_buffer.size());
            // The host's user agrees at once: the console hears of the host from here on.
            if (frame && frame->type == FrameType::Welcome)
                self->send(gatewayd::encodeFrame(FrameType::Accept, {}));
            if (frame && frame->type == FrameType::Command && self->onCommand)
                self->onCommand(frame->fields[0]);
            self->read();
        });
    }
    websocket::stream<beast::ssl_stream<beast::tcp_stream>> m_ws;
    beast::flat_buffer m_buffer;
    std::deque<std::string> m_queue;
};

struct Session {
    explicit Session(asio::io_context &io) : tick(io) {}
    std::string key;
    std::shared_ptr<Https> poll, command, screen;
    std::shared_ptr<Host> host;
    asio::steady_timer tick;
    bool joined = false, active = false, fetchWanted = false, polling = false;
    uint32_t seq = 0;
    std::array<Clock::time_point, 64> sent{};
};

class Load {
public:
    Load(asio::io_context &io, ssl::context &tls, tcp::endpoint gateway, const std::string &update)
        : m_io(io), m_tls(tls), m_gateway(gateway), m_update(update) {}

    Stats stats;
    size_t ready() const { return m_ready; }
    size_t failed() const { return m_failed; }
    size_t heldPolls() const {
        return size_t(std::count_if(m_sessions.begin(), m_sessions.end(),
                                    [](const auto &s) { return s->polling; }));
    }

    // Sessions with a host and a command a second (`active`), or only a held poll.
    void add(size_t count, bool active) {
        for (size_t i = 0; i < count; ++i)
            m_pending.push_back(active);
        pump();
    }
    void quiet() {
        for (auto &s : m_sessions) {
            s->active = false;
            s->tick.cancel();
        }
    }
    void closeAll() {
        for (auto &s : m_sessions) {
            s->tick.cancel();
            for (auto *c : {&s->poll, &s->command, &s->screen})
                if (*c)
                    (*c)->close();
            if (s->host)
                s->host->close();
        }
        m_sessions.clear();
        m_ready = 0;
    }

private:
    // At most this many sessions are being set up at once: the listener's backlog is finite.
    static constexpr int kSettingUp = 64;

    void pump() {
        while (m_settingUp < kSettingUp && !m_pending.empty()) {
            const bool active = m_pending.front();
            m_pending.pop_front();
            ++m_settingUp;
            start(active);
        }
    }
    void setUp(bool ok) {
        --m_settingUp;
        ++(ok ? m_ready : m_failed);
        pump();
    }

    void start(bool active) {
        auto s = std::make_shared<Session>(m_io);
        s->command = std::make_shared<Https>(m_io, m_tls);
        s->command->open(m_gateway, [this, s, active](bool ok) {
            if (!ok)
                return setUp(false);
            const int account = m_started++ % kAccounts;
            s->command->get("/gw001/16?user=bench" + std::to_string(account) +
                                "&pass=bench&vers=A100",
                            [this, s, active](int status, std::string body) {
                                if (status != 200 || body.rfind("key=", 0) != 0)
                                    return setUp(false);
                                s->key = body.substr(4, body.find('&') - 4);
                                m_sessions.push_back(s);
                                if (!active) {
                                    // An idle session polls on the connection it logged on with.
                                    s->poll = s->command;
                                    pollNext(s);
                                    return setUp(true);
                                }
                                openActive(s);
                            });
        });
    }

    void openActive(const std::shared_ptr<Session> &s) {
        s->poll = std::make_shared<Https>(m_io, m_tls);
        s->screen = std::make_shared<Https>(m_io, m_tls);
        s->host = std::make_shared<Host>(m_io, m_tls);
        s->host->onCommand = [this, w = std::weak_ptr<Session>(s)](const std::string &command) {
            auto s = w.lock();
            if (!s)
                return;
            const uint32_t seq = uint32_t(std::stoul(command.substr(command.find('?') + 1)));
            stats.relayMs.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - s->sent[seq % 64])
                    .count());
            ++stats.commands;
            s->host->send(gatewayd::encodeFrame(FrameType::Deposit, {"update", m_update}));
            s->host->send(gatewayd::encodeFrame(FrameType::Message, {"UScr"}));
        };
        struct Opening {
            int left = 3;
            bool failed = false;
        };
        auto opening = std::make_shared<Opening>();
        auto opened = [this, s, opening](bool ok) {
            if (!ok && !std::exchange(opening->failed, true))
                setUp(false);
            if (--opening->left == 0 && !opening->failed)
                pollNext(s);
        };
        s->poll->open(m_gateway, opened);
        s->screen->open(m_gateway, opened);
        s->host->open(m_gateway, s->key + "1", opened);
    }

    void pollNext(const std::shared_ptr<Session> &s) {
        s->polling = true;
        s->poll->get("/gw001/03?key=" + s->key, [this, s](int status, std::string body) {
            s->polling = false;
            if (status != 200 || body.empty()) {
                ++stats.errors;
                return;
            }
            if (body.rfind("HostLogon", 0) == 0 && !s->joined) {
                s->joined = true;
                s->active = true;
                setUp(true);
                scheduleCommand(s, std::uniform_int_distribution<int>(0, 999)(m_random));
            } else if (body == "UScr") {
                fetchUpdate(s);
            }
            pollNext(s);
        });
    }

    void fetchUpdate(const std::shared_ptr<Session> &s) {
        if (s->screen->busy()) {
            s->fetchWanted = true;
            return;
        }
        s->screen->get("/gw001/07?key=" + s->key, [this, s](int status, std::string body) {
            if (status == 200 && body.size() == kUpdateBytes)
                ++stats.updates;
            else
                ++stats.errors;
            if (std::exchange(s->fetchWanted, false))
                fetchUpdate(s);
        });
    }

    void scheduleCommand(const std::shared_ptr<Session> &s, int delayMs) {
        s->tick.expires_after(std::chrono::milliseconds(delayMs));
        s->tick.async_wait([this, s](beast::error_code ec) {
            if (ec || !s->active)
                return;
            if (!s->command->busy()) {
                const uint32_t seq = ++s->seq;
                s->sent[seq % 64] = Clock::now();
                s->command->get("/gw001/01?key=" + s->key + "&string=MoMo%3F" + std::to_string(seq),
                                [this](int status, std::string) {
                                    if (status != 200)
                                        ++stats.errors;
                                });
            }
            scheduleCommand(s, 1000);
        });
    }

    asio::io_context &m_io;
    ssl::context &m_tls;
    tcp::endpoint m_gateway;
    const std::string &m_update;
    std::vector<std::shared_ptr<Session>> m_sessions;
    std::deque<bool> m_pending;
    int m_settingUp = 0, m_started = 0;
    size_t m_ready = 0, m_failed = 0;
    std::mt19937 m_random{42};
};

// The load generator's threads, each with its own event loop and its own share of the sessions,
// so that the generator competes for the machine as the gateway's two event loops do.
class Generator {
public:
    Generator(int threads, ssl::context &tls, const tcp::endpoint &gateway,
              const std::string &update) {
        for (int i = 0; i < threads; ++i) {
            m_workers.push_back(std::make_unique<Worker>());
            m_workers.back()->load =
                std::make_unique<Load>(m_workers.back()->io, tls, gateway, update);
        }
    }
    // Called while no loop runs: the loads are then nobody else's.
    void add(size_t count, bool active) {
        const size_t n = m_workers.size();
        for (size_t i = 0; i < n; ++i)
            m_workers[i]->load->add(count / n + (i < count % n ? 1 : 0), active);
    }
    void run(std::chrono::milliseconds d) {
        std::vector<std::thread> threads;
        for (auto &w : m_workers)
            threads.emplace_back([&w, d] {
                w->io.restart();
                w->io.run_for(d);
            });
        for (auto &t : threads)
            t.join();
    }
    bool runUntil(const std::function<bool()> &done, std::chrono::seconds limit) {
        const auto end = Clock::now() + limit;
        while (!done() && Clock::now() < end)
            run(50ms);
        return done();
    }
    size_t sum(size_t (Load::*count)() const) const {
        size_t total = 0;
        for (const auto &w : m_workers)
            total += (w->load.get()->*count)();
        return total;
    }
    size_t ready() const { return sum(&Load::ready); }
    size_t failed() const { return sum(&Load::failed); }
    size_t heldPolls() const { return sum(&Load::heldPolls); }
    Stats stats() const {
        Stats all;
        for (const auto &w : m_workers) {
            const Stats &s = w->load->stats;
            all.relayMs.insert(all.relayMs.end(), s.relayMs.begin(), s.relayMs.end());
            all.commands += s.commands;
            all.updates += s.updates;
            all.errors += s.errors;
        }
        return all;
    }
    void clearStats() {
        for (auto &w : m_workers)
            w->load->stats.clear();
    }
    void closeAll() {
        for (auto &w : m_workers)
            w->load->closeAll();
        run(500ms);
    }

private:
    struct Worker {
        asio::io_context io{1};
        std::unique_ptr<Load> load;
    };
    std::vector<std::unique_ptr<Worker>> m_workers;
};

// Closed-loop GETs of one path on `connections` keep-alive connections for `seconds`.
struct Floor {
    double perSecond = 0, p50 = 0, p99 = 0;
};
Floor drive(asio::io_context &io, ssl::context &tls, const tcp::endpoint &to,
            const std::string &path, int connections, double seconds) {
    std::vector<double> latencies;
    std::vector<std::shared_ptr<Https>> conns;
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    std::function<void(std::shared_ptr<Https>)> next = [&](std::shared_ptr<Https> c) {
        if (Clock::now() >= end)
            return;
        const auto t0 = Clock::now();
        c->get(path, [&, c, t0](int status, std::string) {
            if (status == 200)
                latencies.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            next(c);
        });
    };
    for (int i = 0; i < connections; ++i) {
        auto c = std::make_shared<Https>(io, tls);
        conns.push_back(c);
        c->open(to, [&, c](bool ok) {
            if (ok)
                next(c);
        });
    }
    io.restart();
    io.run_for(std::chrono::milliseconds(int64_t((seconds + 5) * 1000)));
    for (auto &c : conns)
        c->close();
    io.restart();
    io.run_for(std::chrono::milliseconds(300)); // the closed connections' handlers end here
    return {double(latencies.size()) / seconds, percentile(latencies, 0.5),
            percentile(latencies, 0.99)};
}

void runFor(asio::io_context &io, std::chrono::milliseconds d) {
    io.restart();
    io.run_for(d);
}

struct Gateway {
    pid_t pid = -1;
    uint16_t port = 0;
};

Gateway startGateway(const std::string &binary, const fs::path &dir) {
    Gateway g;
    const fs::path out = dir / "serve.out";
    g.pid = spawn({binary, "serve", "--config", (dir / "gateway.conf").string()}, out.string());
    for (int i = 0; i < 300 && g.pid > 0; ++i) {
        const std::string text = readFile(out);
        const size_t at = text.find("READY port=");
        if (at != std::string::npos && text.find('\n', at) != std::string::npos) {
            g.port = uint16_t(std::stoi(text.substr(at + 11)));
            break;
        }
        std::this_thread::sleep_for(100ms);
    }
    return g;
}

// The account the sessions log on with. Its password hash is made at libsodium's lowest cost:
// logons are not what is measured, and thousands of them at the interactive cost would take
// minutes on two cores.
bool makeAccount(const std::string &binary, const fs::path &dir) {
    for (int i = 0; i < kAccounts; ++i) {
        const std::string add = "echo bench | " + binary + " user add bench" + std::to_string(i) +
                                " --config " + (dir / "gateway.conf").string();
        if (std::system(add.c_str()) != 0)
            return false;
    }
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(hash, "bench", 5, crypto_pwhash_OPSLIMIT_MIN,
                              crypto_pwhash_MEMLIMIT_MIN, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return false;
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open((dir / "state" / "accounts.sqlite").c_str(), &db) == SQLITE_OK;
    const std::string sql = "UPDATE accounts SET password_hash = '" + std::string(hash) + "'";
    ok = ok && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

std::vector<int> numbers(const std::string &list) {
    std::vector<int> out;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');)
        out.push_back(std::stoi(item));
    return out;
}

// h2load's request rate and mean time from its summary, or nothing when it is not installed.
std::string h2loadLine(const std::string &url, const fs::path &dir) {
    if (access("/usr/bin/h2load", X_OK) != 0)
        return {};
    const fs::path out = dir / "h2load.out";
    const std::string cmd =
        "/usr/bin/h2load --h1 -n 200000 -c 100 -t 1 " + url + " >" + out.string() + " 2>&1";
    if (std::system(cmd.c_str()) != 0)
        return {};
    std::istringstream in(readFile(out));
    std::string line, rate, time;
    while (std::getline(in, line)) {
        if (line.rfind("finished in", 0) == 0)
            rate = line.substr(line.find(',') + 2);
        if (line.rfind("time for request:", 0) == 0)
            time = line.substr(17);
    }
    if (rate.empty())
        return {};
    std::istringstream t(time);
    std::string min, max, mean;
    t >> min >> max >> mean;
    return rate.substr(0, rate.find(',')) + ", mean " + mean;
}
} // namespace

int main(int argc, char **argv) {
    std::vector<int> steps = {250, 500, 1000, 1500, 2000, 2500, 3000};
    int windowS = 8, idle = 10000, gatewayThreads = 2, generatorThreads = 2;
    std::string binary = QUORVIA_BINARY_DIR "/gateway/quorvia-gateway";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i], v = argv[i + 1];
        if (a == "--steps")
            steps = numbers(v);
        else if (a == "--window-s")
            windowS = std::stoi(v);
        else if (a == "--idle")
            idle = std::stoi(v);
        else if (a == "--gateway-threads")
            gatewayThreads = std::stoi(v);
        else if (a == "--generator-threads")
            generatorThreads = std::stoi(v);
        else if (a == "--gateway")
            binary = v;
    }
    if (sodium_init() < 0)
        return 1;
    signal(SIGPIPE, SIG_IGN);
    // Every held poll and host channel is a descriptor here and one in the gateway.
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max = std::max<rlim_t>(files.rlim_max, 200000);
    if (setrlimit(RLIMIT_NOFILE, &files) != 0) {
        getrlimit(RLIMIT_NOFILE, &files);
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }

    const fs::path dir = fs::temp_directory_path() / ("bench-gateway-" + std::to_string(getpid()));
    fs::create_directories(dir / "state");
    fs::create_directories(dir / "www");
    fs::permissions(dir, fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
    const std::string cert = (dir / "cert.pem").string(), key = (dir / "key.pem").string();
    const std::string openssl =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 "
        "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout " +
        key + " -out " + cert + " 2>/dev/null";
    if (std::system(openssl.c_str()) != 0) {
        std::fprintf(stderr, "openssl could not make a certificate\n");
        return 1;
    }
    fs::permissions(key, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    {
        std::ofstream conf(dir / "gateway.conf");
        conf << "listen = 127.0.0.1\nport = 0\nstate_dir = " << (dir / "state").string()
             << "\ncert_file = " << cert << "\nkey_file = " << key
             << "\nthreads = " << gatewayThreads
             << "\ngateway_count = 1\nmax_sessions = 100000\nmax_sessions_per_operator = 1000\n"
                "max_connections = 150000\npoll_hold_ms = 55000\nfailure_delay_ms = 0\n"
                "session_idle_ms = 3600000\nidle_timeout_ms = 3600000\n";
        if (geteuid() == 0)
            conf << "run_as = nobody\n";
    }
    if (geteuid() == 0)
        std::system(("chown -R nobody " + (dir / "state").string()).c_str());
    if (!makeAccount(binary, dir)) {
        std::fprintf(stderr, "the bench account could not be made\n");
        return 1;
    }

    ssl::context tls(ssl::context::tls_client);
    tls.set_verify_mode(ssl::verify_none); // the load generator's CPU goes to the load
    std::string update(kUpdateBytes, '\0');
    randombytes_buf(update.data(), update.size());
    asio::io_context io(1);

    std::printf("Gateway load: quorvia-gateway with %d event loops and this generator (%d "
                "threads) on the same %u-core machine\n",
                gatewayThreads, generatorThreads, std::thread::hardware_concurrency());
    std::printf("Per session: a held poll, a command a second, a 20 KB update deposited by the "
                "host and fetched by the console per command.\n\n");
    std::printf("%9s %11s %8s %8s %8s %10s %8s %11s %8s %6s\n", "sessions", "commands/s", "p50 ms",
                "p99 ms", "max ms", "updates/s", "RSS MB", "KB/session", "gw CPU", "load");

    Gateway gw = startGateway(binary, dir);
    if (!gw.port) {
        std::fprintf(stderr, "the gateway did not start\n");
        return 1;
    }
    const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), gw.port);
    runFor(io, 500ms);
    const double baseRss = rssMb(gw.pid);
    int held = 0, held10ms = 0;
    double heldRss = 0, heldKb = 0;
    {
        Generator load(generatorThreads, tls, endpoint, update);
        size_t have = 0;
        for (int target : steps) {
            load.add(size_t(target) - have, true);
            have = size_t(target);
            if (!load.runUntil([&] { return load.ready() + load.failed() >= have; }, 120s)) {
                std::printf("%9d  (the sessions could not be set up within 2 minutes)\n", target);
                break;
            }
            load.run(2s); // every session past its first command
            load.clearStats();
            const double cpu0 = cpuSeconds(gw.pid);
            load.run(std::chrono::seconds(windowS));
            const double cpu = (cpuSeconds(gw.pid) - cpu0) / windowS * 100;
            const double rss = rssMb(gw.pid);
            const Stats s = load.stats();
            const double p99 = percentile(s.relayMs, 0.99);
            std::printf("%9zu %11.0f %8.2f %8.2f %8.2f %10.0f %8.0f %11.1f %7.0f%% %6.1f%s\n",
                        load.ready(), double(s.commands) / windowS, percentile(s.relayMs, 0.5), p99,
                        percentile(s.relayMs, 1.0), double(s.updates) / windowS, rss,
                        (rss - baseRss) * 1024 / double(load.ready()), cpu, loadAverage(),
                        load.failed() || s.errors ? " (with errors)" : "");
            std::fflush(stdout);
            if (p99 < kTargetP99Ms)
                held10ms = int(load.ready());
            // Past the target the steps go on while the relay keeps up, for the memory and
            // rate figures of the larger counts.
            if (p99 >= 10 * kTargetP99Ms || double(s.commands) < 0.9 * double(load.ready()))
                break;
        }
        load.closeAll();
    }
    std::printf("Sessions held with the relay's p99 under %.0f ms: %d\n", kTargetP99Ms, held10ms);
    stopProcess(gw.pid);

    if (idle > 0) {
        gw = startGateway(binary, dir);
        const tcp::endpoint idleEndpoint(asio::ip::make_address("127.0.0.1"), gw.port);
        runFor(io, 500ms);
        const double idleBase = rssMb(gw.pid);
        Generator load(generatorThreads, tls, idleEndpoint, update);
        load.add(size_t(idle), false);
        load.runUntil([&] { return load.ready() + load.failed() >= size_t(idle); }, 180s);
        load.run(2s);
        held = int(load.heldPolls());
        heldRss = rssMb(gw.pid);
        heldKb = (heldRss - idleBase) * 1024 / std::max(1, held);
        std::printf("\nIdle sessions holding a poll: %d of %d, gateway RSS %.0f MB, %.1f KB per "
                    "held poll\n",
                    held, idle, heldRss, heldKb);
        load.closeAll();
        stopProcess(gw.pid);
        gw = startGateway(binary, dir);
    } else {
        gw = startGateway(binary, dir);
    }

    // The floor: what a plain server answers on this machine with the same generator.
    const uint16_t nginxPort = freePort(), nginxPlain = freePort();
    std::ofstream(dir / "www" / "x") << "ok";
    {
        std::ofstream conf(dir / "nginx.conf");
        conf << "worker_processes " << gatewayThreads << ";\ndaemon off;\npid "
             << (dir / "nginx.pid").string() << ";\nerror_log "
             << (dir / "nginx-error.log").string()
             << ";\nevents { worker_connections 4096; }\nhttp {\n access_log off;\n"
                " client_body_temp_path "
             << dir.string() << "/body;\n proxy_temp_path " << dir.string()
             << "/proxy;\n fastcgi_temp_path " << dir.string() << "/fcgi;\n uwsgi_temp_path "
             << dir.string() << "/uwsgi;\n scgi_temp_path " << dir.string()
             << "/scgi;\n keepalive_requests 100000000;\n server {\n  listen 127.0.0.1:"
             << nginxPort << " ssl;\n  listen 127.0.0.1:" << nginxPlain << ";\n  ssl_certificate "
             << cert << ";\n  ssl_certificate_key " << key << ";\n  root " << (dir / "www").string()
             << ";\n }\n}\n";
    }
    const pid_t nginx =
        spawn({"/usr/sbin/nginx", "-c", (dir / "nginx.conf").string(), "-p", dir.string()},
              (dir / "nginx.out").string());
    std::this_thread::sleep_for(1s);
    std::printf(
        "\nPlain HTTP floor, 100 keep-alive connections, closed loop, 5 s each (load %.1f):\n",
        loadAverage());
    std::printf("%-44s %11s %8s %8s\n", "server", "requests/s", "p50 ms", "p99 ms");
    const tcp::endpoint nginxEndpoint(asio::ip::make_address("127.0.0.1"), nginxPort);
    const Floor n = drive(io, tls, nginxEndpoint, "/x", 100, 5);
    std::printf("%-44s %11.0f %8.2f %8.2f\n", "nginx, 2-byte file (HTTPS, this generator)",
                n.perSecond, n.p50, n.p99);
    const tcp::endpoint gwEndpoint(asio::ip::make_address("127.0.0.1"), gw.port);
    const Floor g = drive(io, tls, gwEndpoint, "/healthz", 100, 5);
    std::printf("%-44s %11.0f %8.2f %8.2f\n", "quorvia-gateway /healthz (HTTPS, this generator)",
                g.perSecond, g.p50, g.p99);
    const std::string h2 = h2loadLine("http://127.0.0.1:" + std::to_string(nginxPlain) + "/x", dir);
    if (!h2.empty())
        std::printf("%-44s %s\n", "nginx, 2-byte file (plain HTTP, h2load --h1)", h2.c_str());
    stopProcess(nginx);
    stopProcess(gw.pid);
    fs::remove_all(dir);
    return 0;
}
