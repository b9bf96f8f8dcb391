// The millisecond tick counter and the local time stamp of log lines.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// A monotonic clock in milliseconds, truncated to 32 bits (it wraps).
std::uint32_t TickCount();
// Replaces the tick source (tests); an empty function restores the real clock.
void SetTickSource(std::function<std::uint32_t()> source);

// The local date and time as "yyyy/mm/dd hh:nn:ss " (with the trailing blank).
std::string TimeStamp();

// Elapsed seconds between two tick readings (unsigned 32-bit difference) formatted "#0.000s".
std::string FormatElapsed(std::uint32_t t0, std::uint32_t t1);

} // namespace platform
