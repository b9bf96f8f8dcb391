#include "win32/ProjectWindow.h"

#include "checkers/RuleTable.h"
#include "presenters/UiTexts.h"
#include "win32/ControlIds.h"
#include "win32/Dpi.h"
#include "win32/Utf16.h"

#include <commctrl.h>
#include <windowsx.h>

namespace win32 {

namespace {

// The client area at 96 DPI: the layout of the controls below, and the progress bar under it.
constexpr int ClientWidth = 501, ClientHeight = 279;

// The rule rows' tick boxes and buttons sit on the tab control; their clicks are the project
// window's.
LRESULT CALLBACK TabProc(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR) {
    if (message == WM_COMMAND) return SendMessageW(GetParent(tabs), message, wParam, lParam);
    return DefSubclassProc(tabs, message, wParam, lParam);
}

struct TCommandButton {
    int Id;
    TProjectCommand Command;
};
constexpr TCommandButton CommandButtons[] = {
    {win32ids::Analyze, TProjectCommand::Analyze},
    {win32ids::Check, TProjectCommand::Check},
    {win32ids::Stop, TProjectCommand::Stop},
    {win32ids::SaveAs, TProjectCommand::Save},
    {win32ids::Open, TProjectCommand::Open},
    {win32ids::SpeedButton1, TProjectCommand::Statistics},
    {win32ids::SpeedButton2, TProjectCommand::CheckAll},
    {win32ids::OpenFile, TProjectCommand::ChooseProject},
};

} // namespace

void TProjectWindow::Create(HWND mdiClient, TProjectPresenter& presenter, HWND owner) {
    Presenter_ = &presenter;
    Owner_ = owner;
    RegisterClass(win32ids::ProjectClass, GetModuleHandleW(nullptr));
    CreateChild(mdiClient, win32ids::ProjectClass, Wide(uitext::ProjectCaption).c_str(),
                WS_EX_TOOLWINDOW, 0, 0, ClientWidth, ClientHeight);
}

HWND TProjectWindow::AddControl(const wchar_t* className, const std::wstring& caption, DWORD style,
                                int id, int left, int top, int width, int height, HWND parent) {
    DWORD exStyle = lstrcmpW(className, WC_EDITW) == 0 ? WS_EX_CLIENTEDGE : 0;
    return PlaceControl(className, caption.c_str(), style, exStyle, id,
                        {left, top, left + width, top + height}, parent);
}

void TProjectWindow::OnCreate() {
    // The client area has the layout's size at the window's DPI.
    UINT dpi = WindowDpi(Handle());
    RECT frame{0, 0, Scaled(ClientWidth, dpi), Scaled(ClientHeight, dpi)};
    AdjustForDpi(frame, Handle(), dpi);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // In tab order.
    AddControl(WC_STATICW, Wide(uitext::ProjectLabel), SS_LEFT, win32ids::Label1, 8, 4, 200, 14);
    AddControl(WC_EDITW, Wide(Presenter_->InitialProjectPath()), WS_TABSTOP | ES_AUTOHSCROLL,
               win32ids::TargetProjectPath, 7, 20, 466, 20);
    AddControl(WC_BUTTONW, Wide(uitext::Ellipsis), WS_TABSTOP | BS_PUSHBUTTON, win32ids::OpenFile,
               476, 20, 25, 21);
    Tabs_ = AddControl(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, win32ids::TabPages, 8, 48,
                       317, 169);
    SetWindowLongW(Tabs_, GWL_EXSTYLE, GetWindowLongW(Tabs_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    SetWindowSubclass(Tabs_, TabProc, 0, 0);
    for (int category = 0; category < CategoryCount; ++category) {
        std::wstring caption = Wide(CategoryCaption(static_cast<std::uint8_t>(category)));
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = caption.data();
        TabCtrl_InsertItem(Tabs_, category, &tab);
    }
    CreateRuleRows();
    HWND isClear = AddControl(WC_BUTTONW, Wide(uitext::ClearAtStart), WS_TABSTOP | BS_AUTOCHECKBOX,
                              win32ids::IsClear, 360, 80, 141, 21);
    Button_SetCheck(isClear, Presenter_->ClearAtStart ? BST_CHECKED : BST_UNCHECKED);
    // 解析結果も保存: kept hidden, as it has no effect.
    HWND saveWithResult = AddControl(WC_BUTTONW, Wide(uitext::SaveWithResult), BS_AUTOCHECKBOX,
                                     win32ids::SaveWithResult, 360, 104, 133, 21);
    ShowWindow(saveWithResult, SW_HIDE);
    AddControl(WC_BUTTONW, Wide(uitext::Stop), WS_TABSTOP | BS_PUSHBUTTON, win32ids::Stop, 372, 104,
               101, 29);
    AddControl(WC_BUTTONW, Wide(uitext::Save), WS_TABSTOP | BS_PUSHBUTTON, win32ids::SaveAs, 372,
               140, 101, 29);
    AddControl(WC_BUTTONW, Wide(uitext::Open), WS_TABSTOP | BS_PUSHBUTTON, win32ids::Open, 372, 172,
               101, 29);
    AddControl(WC_BUTTONW, Wide(uitext::Analyze), WS_TABSTOP | BS_PUSHBUTTON, win32ids::Analyze, 12,
               224, 89, 29);
    AddControl(WC_BUTTONW, Wide(uitext::Check), WS_TABSTOP | BS_PUSHBUTTON, win32ids::Check, 108,
               224, 89, 29);
    AddControl(WC_BUTTONW, Wide(uitext::CheckAll), WS_TABSTOP | BS_PUSHBUTTON,
               win32ids::SpeedButton2, 228, 224, 97, 29);
    AddControl(WC_BUTTONW, Wide(uitext::Statistics), WS_TABSTOP | BS_PUSHBUTTON,
               win32ids::SpeedButton1, 372, 224, 101, 29);
    AddControl(PROGRESS_CLASSW, L"", 0, win32ids::Progress, 8, 261, 485, 12);
    ShowTab(0);
    TicksChanged();
    RunStateChanged();
}

void TProjectWindow::CreateRuleRows() {
    // The rows sit in the tab's page area, 20 pixels apart, each tab's rows numbered from 1.
    RECT page{};
    GetClientRect(Tabs_, &page);
    TabCtrl_AdjustRect(Tabs_, FALSE, &page);
    UINT dpi = WindowDpi(Handle());
    int left = MulDiv(page.left, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
    int top = MulDiv(page.top, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
    const auto& rows = Presenter_->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TRuleRowState& state = rows[i];
        int rowTop = top + 4 + (state.Number - 1) * 20;
        int id = static_cast<int>(i);
        TRow row;
        row.CheckBox =
            AddControl(WC_BUTTONW, Wide(state.Caption), WS_TABSTOP | BS_AUTOCHECKBOX,
                       win32ids::FirstRuleCheckBox + id, left + 8, rowTop, 261, 17, Tabs_);
        row.Button = AddControl(WC_BUTTONW, Wide(uitext::Ellipsis), WS_TABSTOP | BS_PUSHBUTTON,
                                win32ids::FirstRuleButton + id, left + 276, rowTop, 25, 17, Tabs_);
        Rows_.push_back(row);
    }
}

void TProjectWindow::ShowTab(int category) {
    const auto& rows = Presenter_->Rows();
    for (std::size_t i = 0; i < Rows_.size(); ++i) {
        bool shown = rows[i].Category == category;
        ShowWindow(Rows_[i].CheckBox, shown ? SW_SHOW : SW_HIDE);
        ShowWindow(Rows_[i].Button, shown && rows[i].HasSettings ? SW_SHOW : SW_HIDE);
    }
}

std::string TProjectWindow::PathText() const {
    HWND box = GetDlgItem(Handle(), win32ids::TargetProjectPath);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

void TProjectWindow::SetPathText(const std::string& path) {
    SetDlgItemTextW(Handle(), win32ids::TargetProjectPath, Wide(path).c_str());
}

void TProjectWindow::TicksChanged() {
    const auto& rows = Presenter_->Rows();
    for (std::size_t i = 0; i < Rows_.size(); ++i)
        Button_SetCheck(Rows_[i].CheckBox, rows[i].Ticked ? BST_CHECKED : BST_UNCHECKED);
}

void TProjectWindow::RunStateChanged() {
    for (const TCommandButton& button : CommandButtons)
        EnableWindow(GetDlgItem(Handle(), button.Id), Presenter_->Enabled(button.Command));
    // 中止 is there only while a run goes.
    ShowWindow(GetDlgItem(Handle(), win32ids::Stop), Presenter_->Running() ? SW_SHOW : SW_HIDE);
    bool settings = Presenter_->Enabled(TProjectCommand::RuleSettings);
    for (const TRow& row : Rows_)
        EnableWindow(row.Button, settings);
    if (!Presenter_->Running()) SendDlgItemMessageW(Handle(), win32ids::Progress, PBM_SETPOS, 0, 0);
}

void TProjectWindow::RunProgress(int done, int total) {
    HWND progress = GetDlgItem(Handle(), win32ids::Progress);
    SendMessageW(progress, PBM_SETRANGE32, 0, total > 0 ? total : 1);
    SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(done), 0);
}

void TProjectWindow::LinesChanged() {
    if (OnLinesChanged) OnLinesChanged();
}

void TProjectWindow::StatisticsChanged() {
    if (OnStatisticsChanged) OnStatisticsChanged();
}

void TProjectWindow::Command(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id >= win32ids::FirstRuleCheckBox && id < win32ids::FirstRuleCheckBox + 100) {
        std::size_t row = static_cast<std::size_t>(id - win32ids::FirstRuleCheckBox);
        if (row < Rows_.size())
            Presenter_->SetTicked(static_cast<int>(row),
                                  Button_GetCheck(Rows_[row].CheckBox) == BST_CHECKED);
        return;
    }
    if (id >= win32ids::FirstRuleButton && id < win32ids::FirstRuleButton + 100) {
        if (TVetrin* rule = Presenter_->RuleForSettings(id - win32ids::FirstRuleButton))
            rule->ShowDetail(static_cast<void*>(Owner_));
        return;
    }
    switch (id) {
    case win32ids::IsClear:
        Presenter_->ClearAtStart =
            Button_GetCheck(GetDlgItem(Handle(), win32ids::IsClear)) == BST_CHECKED;
        break;
    case win32ids::Check:
        Presenter_->Check(PathText());
        break;
    case win32ids::Analyze:
        Presenter_->Analyze(PathText());
        break;
    case win32ids::Stop:
        Presenter_->Stop();
        break;
    case win32ids::SaveAs:
        Presenter_->SaveRules();
        break;
    case win32ids::Open:
        Presenter_->OpenRules();
        break;
    case win32ids::OpenFile: {
        std::string chosen = Presenter_->ChooseProject(PathText());
        if (!chosen.empty()) SetPathText(chosen);
        break;
    }
    case win32ids::SpeedButton1:
        Presenter_->ShowStatistics();
        break;
    case win32ids::SpeedButton2:
        Presenter_->CheckAll();
        break;
    default:
        break;
    }
}

bool TProjectWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return true;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == Tabs_ && header->code == TCN_SELCHANGE) {
            ShowTab(TabCtrl_GetCurSel(Tabs_));
            result = 0;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace win32
