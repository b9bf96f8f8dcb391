#include "presenters/ResultStore.h"

#include "platform/CodePage.h"
#include "presenters/UiTexts.h"

#include <algorithm>

std::string ResultWindowTitle(int count, bool checked) {
    if (count == 0 && !checked) return std::string(uitext::Text(uitext::ResultCaption));
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > (digits[0] == '-' ? 1 : 0); at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return uitext::Format(uitext::ResultCaptionWithCount, {{"count", digits}});
}

void TResultStore::Add(const TFindingRecord& finding) {
    {
        std::lock_guard lock(Mutex_);
        Records_.push_back(finding);
    }
    if (Changed_) Changed_();
}

void TResultStore::Take(TFindingRecord&& finding) {
    {
        std::lock_guard lock(Mutex_);
        Records_.push_back(std::move(finding));
    }
    if (Changed_) Changed_();
}

void TResultStore::Clear() {
    {
        std::lock_guard lock(Mutex_);
        Records_.clear();
    }
    if (Changed_) Changed_();
}

int TResultStore::Count() const {
    std::lock_guard lock(Mutex_);
    return static_cast<int>(Records_.size());
}

bool TResultStore::Record(int row, TFindingRecord& record) const {
    std::lock_guard lock(Mutex_);
    if (row < 0 || row >= static_cast<int>(Records_.size())) return false;
    record = Records_[static_cast<std::size_t>(row)];
    return true;
}

std::string TResultStore::Line(int row) const {
    std::lock_guard lock(Mutex_);
    if (row < 0 || row >= static_cast<int>(Records_.size())) return {};
    return Records_[static_cast<std::size_t>(row)].ResultLine();
}

std::string TResultStore::Utf8(int row) const {
    std::lock_guard lock(Mutex_);
    if (row < 0 || row >= static_cast<int>(Records_.size())) return {};
    return platform::TextToUtf8(Records_[static_cast<std::size_t>(row)].ResultLine(), *Source_);
}

void TResultStore::SetSourceCodePage(const platform::TCodePage& page) {
    std::lock_guard lock(Mutex_);
    Source_ = &page;
}
