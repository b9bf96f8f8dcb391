// The log line store: the lines a run writes, kept for a window that shows them as a virtual
// list. The run writes from its worker thread while the window reads on its own, so every
// operation takes the store's lock; Changed is told (outside the lock, on the writing thread)
// after every change, for the face to schedule a repaint.
#pragma once

#include "framework/TextLines.h"
#include "platform/CodePage.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

class TLineStore : public TTextLines {
public:
    // Engine lines (code page 932 with marked names and paths).
    void Add(const std::string& line) override;
    int Count() const override;
    std::string Get(int index) const override; // EListError outside 0..Count()-1
    void ReplaceLast(const std::string& line) override;
    void Clear() override;

    // A line as the windows show it (UTF-8), empty outside 0..Count()-1.
    std::string Utf8(int index) const;
    // How many changes the store has seen; a face compares it to know whether to look again.
    unsigned long long Version() const;

    // The code page of the source names in the lines: the run's, told before it writes.
    void SetSourceCodePage(const platform::TCodePage& page);
    // Set while no run writes (it is read without the lock).
    void SetChanged(std::function<void()> changed);

private:
    void Notify();

    mutable std::mutex Mutex_;
    std::vector<std::string> Lines_;
    unsigned long long Version_ = 0;
    const platform::TCodePage* Source_ = &platform::SystemCodePage();
    std::function<void()> Changed_;
};
