#pragma once
#include <cstdlib>
#include <memory>

namespace qhost::x11 {

// XCB hands every reply and event over as malloc'd memory the caller frees.
struct XcbFree {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

} // namespace qhost::x11
