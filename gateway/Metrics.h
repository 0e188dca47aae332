#pragma once
#include <memory>
#include <string>

namespace gatewayd {

// What the service counts for Prometheus, in its text format.
class Metrics {
public:
    Metrics();
    ~Metrics();

    enum class Logon { Accepted, Refused, Full };
    enum class Join { Accepted, Refused };
    void logon(Logon result);
    void join(Join result);
    void unknownKey();
    void consoleRequest();
    void setSessions(size_t live);
    void setHosts(size_t joined);

    std::string text() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace gatewayd
