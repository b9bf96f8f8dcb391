// The clock on Windows: the system tick counter and the local time.
#include "platform/Clock.h"
#include "platform/Native.h"

#include <cstdio>
#include <windows.h>

namespace platform {

// GetTickCount is already the 32-bit millisecond counter that wraps after 49.7 days.
std::uint32_t native::TickCount() { return static_cast<std::uint32_t>(GetTickCount()); }

std::string TimeStamp() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04u/%02u/%02u %02u:%02u:%02u ", local.wYear,
                  local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond);
    return buffer;
}

} // namespace platform
