#pragma once
#include <cstdio>
#include <string>

namespace gatewayd {

// One line on stderr; the service manager's journal stamps and keeps it.
inline void logLine(const std::string &line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace gatewayd
