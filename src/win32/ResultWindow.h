// The result window "結果": one finding per row of an owner-data list view over the presenters'
// result store. F10, Enter, a double click and 編集 in the context menu open the current row's
// finding in the editor; コピー and すべて選択 copy rows as the result lines read.
#pragma once

#include "presenters/EditorLaunch.h"
#include "presenters/ResultStore.h"
#include "win32/LineListView.h"
#include "win32/MdiChild.h"

#include <functional>

class TPrompts;
class TVtOption;

namespace win32 {

class TResultWindow : public TMdiChild {
public:
    TResultWindow(const TResultStore& results, const TVtOption& option, TPrompts& prompts,
                  TProgramStarter& starter)
        : Results_(results), Option_(option), Prompts_(prompts), Starter_(starter) {}
    void Create(HWND mdiClient);

    // Whether a check has ended (then the title counts even no finding).
    std::function<bool()> HasChecked;
    // The rows follow the store; the title counts them.
    void LinesChanged();
    // The keys the list takes before the frame's menu would: F10. True when taken.
    bool PreTranslate(const MSG& message);

    // 編集: the editor at the current row's finding.
    void Edit1Click();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnCreate() override;
    void OnSize(int width, int height) override { Result_.Resize(width, height); }

private:
    void ShowContextMenu(int x, int y);
    bool Command(int id);

    const TResultStore& Results_;
    const TVtOption& Option_;
    TPrompts& Prompts_;
    TProgramStarter& Starter_;
    TLineListView Result_;
};

} // namespace win32
