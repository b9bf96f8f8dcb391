// The log window "ログ": the progress log of parses and checks, one line per row.
#pragma once

#include "win32/LineListView.h"
#include "win32/MdiChild.h"

namespace win32 {

class TLogWindow : public TMdiChild {
public:
    void Create(HWND mdiClient);
    TWindowLines& Lines() { return Log_.Lines(); }
    TLineListView& Log() { return Log_; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnCreate() override;
    void OnSize(int width, int height) override { Log_.Resize(width, height); }

private:
    TLineListView Log_;
};

} // namespace win32
