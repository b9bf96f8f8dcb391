// The project window "ﾌﾟﾛｼﾞｪｸﾄ": the VB project path, one tab of rule rows per category (a tick box
// and a "…" per rule), and the commands 解析, チェック, 中止, 保存, 開く, 統計 and
// 全てチェックする. It maps its controls to the project presenter and the presenter's state back to
// the controls.
#pragma once

#include "presenters/ProjectPresenter.h"
#include "win32/MdiChild.h"

#include <functional>
#include <string>
#include <vector>

namespace win32 {

class TProjectWindow : public TMdiChild, public TProjectView {
public:
    // Creates the window over the presenter; owner: the window the rules' dialogs belong to.
    void Create(HWND mdiClient, TProjectPresenter& presenter, HWND owner);

    // The path box's text (UTF-8).
    std::string PathText() const;
    void SetPathText(const std::string& path);

    // What the other windows do when the presenter says so.
    std::function<void()> OnLinesChanged;
    std::function<void()> OnStatisticsChanged;

    // TProjectView
    void TicksChanged() override;
    void RunStateChanged() override;
    void RunProgress(int done, int total) override;
    void LinesChanged() override;
    void StatisticsChanged() override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnCreate() override;

private:
    struct TRow {
        HWND CheckBox = nullptr;
        HWND Button = nullptr;
    };
    HWND AddControl(const wchar_t* className, const std::wstring& caption, DWORD style, int id,
                    int left, int top, int width, int height, HWND parent = nullptr);
    void CreateRuleRows();
    void ShowTab(int category);
    void Command(int id, int code);

    TProjectPresenter* Presenter_ = nullptr;
    HWND Owner_ = nullptr;
    HWND Tabs_ = nullptr;
    std::vector<TRow> Rows_;
};

} // namespace win32
