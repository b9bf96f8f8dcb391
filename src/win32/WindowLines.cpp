#include "win32/WindowLines.h"

namespace win32 {

void TWindowLines::Add(const std::string& line) {
    {
        std::lock_guard guard(Lock_);
        Lines_.push_back(line);
    }
    Announce();
}

int TWindowLines::Count() const {
    std::lock_guard guard(Lock_);
    return static_cast<int>(Lines_.size());
}

std::string TWindowLines::Get(int index) const {
    std::lock_guard guard(Lock_);
    if (index < 0 || index >= static_cast<int>(Lines_.size())) return {};
    return Lines_[static_cast<std::size_t>(index)];
}

void TWindowLines::ReplaceLast(const std::string& line) {
    {
        std::lock_guard guard(Lock_);
        if (Lines_.empty())
            Lines_.push_back(line);
        else
            Lines_.back() = line;
    }
    Announce();
}

void TWindowLines::Clear() {
    {
        std::lock_guard guard(Lock_);
        Lines_.clear();
    }
    Announce();
}

int TWindowLines::TakeChanges() {
    std::lock_guard guard(Lock_);
    Announced_ = false;
    return static_cast<int>(Lines_.size());
}

void TWindowLines::Announce() {
    {
        std::lock_guard guard(Lock_);
        if (Announced_ || !Window_) return;
        Announced_ = true;
    }
    PostMessageW(Window_, WM_LINES_CHANGED, 0, 0);
}

} // namespace win32
