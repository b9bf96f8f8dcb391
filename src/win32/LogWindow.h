// The log window "ログ": the progress log of parses and checks, one line per row, from the
// presenters' log line store.
#pragma once

#include "presenters/LineStore.h"
#include "win32/LineListView.h"
#include "win32/MdiChild.h"

namespace win32 {

class TLogWindow : public TMdiChild {
public:
    explicit TLogWindow(const TLineStore& lines) : Lines_(lines) {}
    void Create(HWND mdiClient);
    // The rows follow the store.
    void LinesChanged() { Log_.SetRowCount(Lines_.Count()); }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnCreate() override;
    void OnSize(int width, int height) override { Log_.Resize(width, height); }

private:
    const TLineStore& Lines_;
    TLineListView Log_;
};

} // namespace win32
