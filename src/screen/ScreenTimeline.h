#pragma once
#include <QtGlobal>

#include <atomic>

// When the latest remote picture passed each step of its way through the console, for the
// benchmarks that split a click's delay into stages. Off unless a benchmark switches it on;
// then each step stores one time stamp, on whichever thread it runs. The stamps are read
// from the monotonic clock, which other processes on the machine read alike.
namespace ScreenTimeline {

enum Stage : int {
    FetchStarted,  // the picture request went out on the screen channel
    FetchDone,     // its reply is in
    DecodeStarted, // the decoding worker took the body
    DecodeDone,    // and finished it
    Applied,       // the result is in the shown picture and the view was told
    Painted,       // the view painted a changed part of the picture
    StageCount
};

// Nanoseconds of the monotonic clock.
qint64 now();

namespace detail {
extern std::atomic<bool> on;
extern std::atomic<qint64> stamps[StageCount];
} // namespace detail

inline bool enabled() {
    return detail::on.load(std::memory_order_relaxed);
}
void setEnabled(bool on);

inline void mark(Stage stage) {
    if (enabled())
        detail::stamps[stage].store(now(), std::memory_order_relaxed);
}
// The latest stamp of a stage, 0 when it has none.
qint64 stamp(Stage stage);
void clear();

} // namespace ScreenTimeline
