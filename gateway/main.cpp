// quorvia-gateway: the gateway service, the management of its operator accounts, and its test
// mode for the demo and the console's tests.
#include "AccountStore.h"
#include "Config.h"
#include "Log.h"
#include "Server.h"
#include "Service.h"
#include "TestMode.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>
#include <sodium.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

using namespace gatewayd;

namespace {
int usage() {
    std::cerr << "usage: quorvia-gateway serve --config FILE\n"
                 "       quorvia-gateway user add NAME [--name \"Customer name\"] --config FILE\n"
                 "       quorvia-gateway user passwd|disable|enable NAME --config FILE\n"
                 "       quorvia-gateway user list --config FILE\n"
                 "       quorvia-gateway reports [COUNT] --config FILE\n"
                 "       quorvia-gateway test [--help | options of the test mode]\n"
                 "Passwords are read from the first line of standard input.\n";
    return 2;
}

std::string accountsPath(const Config &config) {
    return (std::filesystem::path(config.stateDir) / "accounts.sqlite").string();
}

// The folder holds the account database; nobody else needs to read it.
bool makeStateDir(const Config &config, std::string *error) {
    std::error_code ec;
    if (std::filesystem::create_directories(config.stateDir, ec))
        ::chmod(config.stateDir.c_str(), 0700);
    if (ec) {
        *error = config.stateDir + ": " + ec.message();
        return false;
    }
    return true;
}

// Started as root (to bind a low port), the service goes on as `runAs`, which then owns the
// state folder. The certificate files must stay readable by that user for a reload.
bool dropPrivileges(const Config &config, std::string *error) {
    if (::geteuid() != 0)
        return true;
    if (config.runAs.empty()) {
        *error = "refusing to serve as root: set run_as to an unprivileged user";
        return false;
    }
    const passwd *user = ::getpwnam(config.runAs.c_str());
    if (!user || user->pw_uid == 0) {
        *error = "run_as: no unprivileged user " + config.runAs;
        return false;
    }
    std::error_code ec;
    // With PostgreSQL the service keeps nothing in a folder of its own.
    if (config.database == Config::Database::Sqlite) {
        for (const auto &entry : std::filesystem::directory_iterator(config.stateDir, ec))
            if (::chown(entry.path().c_str(), user->pw_uid, user->pw_gid) != 0)
                ec = std::error_code(errno, std::generic_category());
        if (!ec && ::chown(config.stateDir.c_str(), user->pw_uid, user->pw_gid) != 0)
            ec = std::error_code(errno, std::generic_category());
    }
    if (ec || ::setgroups(0, nullptr) != 0 || ::setgid(user->pw_gid) != 0 ||
        ::setuid(user->pw_uid) != 0 || ::setuid(0) == 0) {
        *error = "cannot become " + config.runAs + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::unique_ptr<AccountStore> openAccounts(const Config &config) {
    std::string error;
    std::unique_ptr<AccountStore> accounts;
    if (config.database == Config::Database::Postgres)
        accounts = openPostgresAccountStore(config.databaseUrl, &error);
    else if (makeStateDir(config, &error))
        accounts = openSqliteAccountStore(accountsPath(config), &error);
    if (!accounts)
        logLine(error);
    return accounts;
}

int serve(const Config &config) {
    auto accounts = openAccounts(config);
    if (!accounts)
        return 1;
    std::string error;
    // Sessions this process's gateways held when it last died are over: their keys lived in
    // its memory only.
    if (!accounts->closeAbandonedSessions(config.servedNumbers(), &error))
        return logLine("session records: " + error), 1;
    TlsContexts tls;
    if (!tls.load(config.certFile, config.keyFile, &error))
        return logLine(error), 1;

    const int threads = config.threads > 0 ? config.threads
                                           : int(std::max(1u, std::thread::hardware_concurrency()));
    boost::asio::io_context io(threads);
    Service service(io, config, *accounts);
    Server server(io, config, service, tls);
    if (!server.listen(&error) || !dropPrivileges(config, &error))
        return logLine(error), 1;

    boost::asio::signal_set reload(io, SIGHUP);
    std::function<void()> waitForReload = [&] {
        reload.async_wait([&](const boost::system::error_code &ec, int) {
            if (ec)
                return;
            std::string why;
            if (tls.load(config.certFile, config.keyFile, &why))
                logLine("certificate reloaded");
            else
                logLine("certificate not reloaded, the old one stays: " + why);
            waitForReload();
        });
    };
    waitForReload();
    boost::asio::signal_set stop(io, SIGTERM, SIGINT);
    stop.async_wait([&](const boost::system::error_code &ec, int) {
        if (ec)
            return;
        logLine("stopping");
        server.stop();
        reload.cancel();
        service.shutdown([&io] { io.stop(); });
    });

    std::cout << "READY port=" << server.port() << std::endl;
    logLine("serving on " + config.listenAddress + ":" + std::to_string(server.port()));
    std::vector<std::thread> pool;
    for (int i = 1; i < threads; ++i)
        pool.emplace_back([&io] { io.run(); });
    io.run();
    for (auto &t : pool)
        t.join();
    return 0;
}

// Read before the service gives up root, from a file only the service may read.
bool readSmtpPassword(Config &config, std::string *error) {
    if (config.smtpPasswordFile.empty())
        return true;
    std::ifstream in(config.smtpPasswordFile);
    if (!in || !std::getline(in, config.smtpPassword) || config.smtpPassword.size() > 1024) {
        *error = config.smtpPasswordFile + ": no password on its first line";
        return false;
    }
    if (!config.smtpPassword.empty() && config.smtpPassword.back() == '\r')
        config.smtpPassword.pop_back();
    return true;
}

bool readPassword(std::string &password) {
    std::getline(std::cin, password);
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    return !password.empty() && password.size() <= 1024;
}

int user(const Config &config, const std::vector<std::string> &args, const std::string &name) {
    auto accounts = openAccounts(config);
    if (!accounts)
        return 1;
    std::string error;
    const std::string &op = args[0];
    if (op == "list" && args.size() == 1) {
        for (const Account &a : accounts->accounts())
            std::cout << a.userCode << '\t' << a.customerName << '\t'
                      << (a.disabled ? "disabled" : "enabled") << '\n';
        return 0;
    }
    if (args.size() != 2 || args[1].empty() || args[1].size() > 256)
        return usage();
    const std::string &code = args[1];
    bool ok = false;
    std::string password;
    if (op == "add" || op == "passwd") {
        if (!readPassword(password))
            return logLine("no password on standard input (one line, at most 1024 bytes)"), 1;
        ok = op == "add" ? accounts->addAccount(code, name.empty() ? code : name, password, &error)
                         : accounts->setPassword(code, password, &error);
        sodium_memzero(password.data(), password.size());
    } else if (op == "disable" || op == "enable") {
        ok = accounts->setDisabled(code, op == "disable", &error);
    } else {
        return usage();
    }
    if (!ok)
        return logLine(op + " " + code + ": " + error), 1;
    return 0;
}
int reports(const Config &config, const std::string &count) {
    const int n = std::atoi(count.c_str());
    if (n < 1 || n > 100000)
        return usage();
    auto accounts = openAccounts(config);
    if (!accounts)
        return 1;
    for (const ErrorReport &r : accounts->errorReports(n)) {
        char when[32];
        const std::time_t t = r.receivedAt;
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S UTC", std::gmtime(&t));
        std::cout << "== " << when << " from " << r.peer << '\n' << r.text << '\n';
    }
    return 0;
}
} // namespace

int main(int argc, char **argv) {
    // The test mode has options of its own and no configuration file.
    if (argc >= 2 && std::strcmp(argv[1], "test") == 0)
        return runTestMode(argc - 1, argv + 1);
    std::vector<std::string> args;
    std::string configPath, name;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--config" || a == "--name") && i + 1 < argc)
            (a == "--config" ? configPath : name) = argv[++i];
        else
            args.push_back(a);
    }
    if (args.empty() || configPath.empty())
        return usage();
    if (sodium_init() < 0)
        return logLine("libsodium cannot start"), 1;
    std::string error;
    auto config = readConfigFile(configPath, &error);
    if (!config || !readSmtpPassword(*config, &error))
        return logLine(error), 1;
    if (args[0] == "serve" && args.size() == 1)
        return serve(*config);
    if (args[0] == "user" && args.size() >= 2)
        return user(*config, {args.begin() + 1, args.end()}, name);
    if (args[0] == "reports" && args.size() <= 2)
        return reports(*config, args.size() == 2 ? args[1] : "20");
    return usage();
}
