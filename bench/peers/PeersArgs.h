#pragma once
// What the peer benchmark's small X programs share: their clock (the driver reads the same
// CLOCK_MONOTONIC through Python's time.monotonic_ns) and their options, "--name value" pairs.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace peers {

inline long long nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

inline void sleepUs(long us) {
    timespec ts{us / 1000000, (us % 1000000) * 1000};
    nanosleep(&ts, nullptr);
}

// The value after "--name", or `fallback`.
inline const char *option(int argc, char **argv, const char *name, const char *fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return fallback;
}

inline long numberOption(int argc, char **argv, const char *name, long fallback) {
    const char *v = option(argc, argv, name, nullptr);
    return v ? std::strtol(v, nullptr, 10) : fallback;
}

// "a,b" or "a,b,c,d" into up to four numbers; false when fewer than `count` were given.
inline bool numbers(const char *text, int count, long out[4]) {
    if (!text)
        return false;
    const char *p = text;
    for (int i = 0; i < count; ++i) {
        char *end = nullptr;
        out[i] = std::strtol(p, &end, 10);
        if (end == p)
            return false;
        p = *end == ',' || *end == 'x' || *end == '+' ? end + 1 : end;
    }
    return true;
}

[[noreturn]] inline void die(const char *program, const char *text) {
    std::fprintf(stderr, "%s: %s\n", program, text);
    std::exit(2);
}

} // namespace peers
