// The findings of the desktop's runs: one row per finding, in the order reported, for a result
// window that shows them as a virtual list and opens the editor at the current row. The run adds
// from its worker thread while the window reads, so every operation takes the store's lock;
// Changed is told (on the adding thread) after each addition.
#pragma once

#include "framework/FindingSink.h"
#include "platform/CodePage.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The result window's title: 結果 alone before the first check and while no finding is there,
// then with the count of findings (digits grouped by thousands).
std::string ResultWindowTitle(int count, bool checked);

class TResultStore : public TFindingSink {
public:
    void Add(const TFindingRecord& finding) override;
    void Take(TFindingRecord&& finding) override;
    void Clear();

    int Count() const;
    // The record of a row; none outside 0..Count()-1.
    bool Record(int row, TFindingRecord& record) const;
    // The result line of a row (engine text: "F(L) : M" with the path marked), and as the windows
    // show it (UTF-8); empty outside 0..Count()-1.
    std::string Line(int row) const;
    std::string Utf8(int row) const;

    // The code page of the source names in the messages: the run's, told before it adds.
    void SetSourceCodePage(const platform::TCodePage& page);
    // Set while no run adds (it is read without the lock).
    void SetChanged(std::function<void()> changed) { Changed_ = std::move(changed); }

private:
    mutable std::mutex Mutex_;
    std::vector<TFindingRecord> Records_;
    const platform::TCodePage* Source_ = &platform::SystemCodePage();
    std::function<void()> Changed_;
};
