#include "Metrics.h"

#include <prometheus/counter.h>
#include <prometheus/gauge.h>
#include <prometheus/registry.h>
#include <prometheus/text_serializer.h>

namespace gatewayd {

struct Metrics::Private {
    prometheus::Registry registry;
    prometheus::Family<prometheus::Counter> &logons = prometheus::BuildCounter()
                                                          .Name("quorvia_gateway_logons_total")
                                                          .Help("Operator logons by result")
                                                          .Register(registry);
    prometheus::Counter &logonAccepted = logons.Add({{"result", "accepted"}});
    prometheus::Counter &logonRefused = logons.Add({{"result", "refused"}});
    prometheus::Counter &logonFull = logons.Add({{"result", "full"}});
    prometheus::Family<prometheus::Counter> &joins = prometheus::BuildCounter()
                                                         .Name("quorvia_gateway_host_joins_total")
                                                         .Help("Host joins by result")
                                                         .Register(registry);
    prometheus::Counter &joinAccepted = joins.Add({{"result", "accepted"}});
    prometheus::Counter &joinRefused = joins.Add({{"result", "refused"}});
    prometheus::Counter &unknownKeys = prometheus::BuildCounter()
                                           .Name("quorvia_gateway_unknown_key_requests_total")
                                           .Help("Console requests with a key of no session")
                                           .Register(registry)
                                           .Add({});
    prometheus::Counter &requests = prometheus::BuildCounter()
                                        .Name("quorvia_gateway_console_requests_total")
                                        .Help("Console requests served")
                                        .Register(registry)
                                        .Add({});
    prometheus::Gauge &sessions = prometheus::BuildGauge()
                                      .Name("quorvia_gateway_sessions")
                                      .Help("Live sessions")
                                      .Register(registry)
                                      .Add({});
    prometheus::Gauge &hosts = prometheus::BuildGauge()
                                   .Name("quorvia_gateway_hosts_joined")
                                   .Help("Sessions with a host on the host channel")
                                   .Register(registry)
                                   .Add({});
};

Metrics::Metrics() : d(std::make_unique<Private>()) {}
Metrics::~Metrics() = default;

void Metrics::logon(Logon result) {
    (result == Logon::Accepted  ? d->logonAccepted
     : result == Logon::Refused ? d->logonRefused
                                : d->logonFull)
        .Increment();
}
void Metrics::join(Join result) {
    (result == Join::Accepted ? d->joinAccepted : d->joinRefused).Increment();
}
void Metrics::unknownKey() {
    d->unknownKeys.Increment();
}
void Metrics::consoleRequest() {
    d->requests.Increment();
}
void Metrics::setSessions(size_t live) {
    d->sessions.Set(double(live));
}
void Metrics::setHosts(size_t joined) {
    d->hosts.Set(double(joined));
}

std::string Metrics::text() const {
    return prometheus::TextSerializer().Serialize(d->registry.Collect());
}

} // namespace gatewayd
