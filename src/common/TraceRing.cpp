#include "common/TraceRing.h"

#include <deque>

bool TraceSuspended = false;

namespace {
constexpr std::size_t RingSize = 100;
std::deque<QString> &ring() {
    static std::deque<QString> lines;
    return lines;
}
} // namespace

void AddTrace(int event, const QString &text) {
    if (TraceSuspended)
        return;
    auto &r = ring();
    r.push_back(QString::number(((event % 256) + 256) % 256) + QLatin1Char(';') + text);
    while (r.size() > RingSize)
        r.pop_front();
}

QStringList TraceLines() {
    return QStringList(ring().begin(), ring().end());
}

void ClearTrace() {
    ring().clear();
}
