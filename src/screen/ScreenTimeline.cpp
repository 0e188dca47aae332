#include "screen/ScreenTimeline.h"

#include <chrono>

namespace ScreenTimeline {

namespace detail {
std::atomic<bool> on{false};
std::atomic<qint64> stamps[StageCount];
} // namespace detail

qint64 now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void setEnabled(bool on) {
    clear();
    detail::on.store(on, std::memory_order_relaxed);
}

qint64 stamp(Stage stage) {
    return detail::stamps[stage].load(std::memory_order_relaxed);
}

void clear() {
    for (auto &s : detail::stamps)
        s.store(0, std::memory_order_relaxed);
}

} // namespace ScreenTimeline
