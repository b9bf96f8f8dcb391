#include "platform/Clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace platform {

namespace {
std::function<std::uint32_t()>& TickSource() {
    static std::function<std::uint32_t()> source;
    return source;
}
} // namespace

std::uint32_t TickCount() {
    if (TickSource()) return TickSource()();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(ms.count());
}

void SetTickSource(std::function<std::uint32_t()> source) { TickSource() = std::move(source); }

std::string TimeStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d ", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return buffer;
}

std::string FormatElapsed(std::uint32_t t0, std::uint32_t t1) {
    std::uint32_t ms = t1 - t0; // unsigned: a wrap of the counter still gives the right value
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%u.%03us", ms / 1000, ms % 1000);
    return buffer;
}

} // namespace platform
