// The lines of the log and result lists as the engine writes them, from the run's worker thread:
// kept under a lock, and announced to the window's thread by one posted message per batch, so a
// run writing many thousands of lines costs the window one update per batch, not one per line.
#pragma once

#include "framework/TextLines.h"

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace win32 {

// Posted to the window when lines changed since it last looked.
inline constexpr UINT WM_LINES_CHANGED = WM_APP + 1;

class TWindowLines : public TTextLines {
public:
    // window: where WM_LINES_CHANGED goes (none yet: set it with Notify).
    void Notify(HWND window) { Window_ = window; }

    void Add(const std::string& line) override;
    int Count() const override;
    std::string Get(int index) const override;
    void ReplaceLast(const std::string& line) override;
    void Clear() override;

    // The window's side: the lines' count when it took the announcement, which allows the next.
    int TakeChanges();

private:
    void Announce();

    HWND Window_ = nullptr;
    mutable std::mutex Lock_;
    std::vector<std::string> Lines_;
    bool Announced_ = false;
};

} // namespace win32
