#include "platform/Clock.h"

#include "platform/Native.h"

#include <cstdio>

namespace platform {

namespace {
std::function<std::uint32_t()>& TickSource() {
    static std::function<std::uint32_t()> source;
    return source;
}
} // namespace

std::uint32_t TickCount() {
    if (TickSource()) return TickSource()();
    return native::TickCount();
}

void SetTickSource(std::function<std::uint32_t()> source) { TickSource() = std::move(source); }

std::string FormatElapsed(std::uint32_t t0, std::uint32_t t1) {
    std::uint32_t ms = t1 - t0; // unsigned: a wrap of the counter still gives the right value
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%u.%03us", ms / 1000, ms % 1000);
    return buffer;
}

} // namespace platform
