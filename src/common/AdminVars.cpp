#include "common/AdminVars.h"

#include <QRandomGenerator>
#include <atomic>

namespace {
std::atomic<int> &requestCounter() {
    // Drawn once per process so two consoles do not start from the same value.
    static std::atomic<int> counter{static_cast<int>(QRandomGenerator::global()->bounded(1000))};
    return counter;
}
} // namespace

AdminVars &adminVars() {
    static AdminVars vars;
    return vars;
}

QByteArray NextDyParam(bool first) {
    const int value = requestCounter().fetch_add(1, std::memory_order_relaxed) + 1;
    return (first ? QByteArrayLiteral("?dy=") : QByteArrayLiteral("&dy=")) +
           QByteArray::number(value);
}

int RequestCounterValue() {
    return requestCounter().load();
}
