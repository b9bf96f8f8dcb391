#include "presenters/LineStore.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <algorithm>

void TLineStore::Add(const std::string& line) {
    {
        std::lock_guard lock(Mutex_);
        Lines_.push_back(line);
        ++Version_;
    }
    Notify();
}

int TLineStore::Count() const {
    std::lock_guard lock(Mutex_);
    return static_cast<int>(Lines_.size());
}

std::string TLineStore::Get(int index) const {
    std::lock_guard lock(Mutex_);
    if (index < 0 || index >= static_cast<int>(Lines_.size())) throw EListError(index);
    return Lines_[static_cast<std::size_t>(index)];
}

void TLineStore::ReplaceLast(const std::string& line) {
    {
        std::lock_guard lock(Mutex_);
        if (Lines_.empty())
            Lines_.push_back(line);
        else
            Lines_.back() = line;
        ++Version_;
    }
    Notify();
}

void TLineStore::Clear() {
    {
        std::lock_guard lock(Mutex_);
        Lines_.clear();
        ++Version_;
    }
    Notify();
}

std::string TLineStore::Utf8(int index) const {
    std::lock_guard lock(Mutex_);
    if (index < 0 || index >= static_cast<int>(Lines_.size())) return {};
    return platform::TextToUtf8(Lines_[static_cast<std::size_t>(index)], *Source_);
}

unsigned long long TLineStore::Version() const {
    std::lock_guard lock(Mutex_);
    return Version_;
}

void TLineStore::SetSourceCodePage(const platform::TCodePage& page) {
    std::lock_guard lock(Mutex_);
    Source_ = &page;
}

void TLineStore::SetChanged(std::function<void()> changed) { Changed_ = std::move(changed); }

void TLineStore::Notify() {
    if (Changed_) Changed_();
}
