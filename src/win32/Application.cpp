#include "win32/Application.h"

#include "framework/Language.h"
#include "platform/Files.h"
#include "presenters/LineStore.h"
#include "presenters/ProjectPresenter.h"
#include "presenters/ResultStore.h"
#include "presenters/VtOption.h"
#include "presenters/WindowLayout.h"
#include "win32/ErrorBox.h"
#include "win32/LogWindow.h"
#include "win32/MainFrame.h"
#include "win32/OptionDialog.h"
#include "win32/ProgramStarter.h"
#include "win32/ProjectWindow.h"
#include "win32/Prompts.h"
#include "win32/ResultWindow.h"
#include "win32/RuleDialog.h"
#include "win32/StatisticsWindow.h"
#include "win32/UiThread.h"
#include "win32/Utf16.h"
#include "win32/WindowPlaces.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace win32 {

namespace {

// The program's arguments (UTF-8), without its own name.
std::vector<std::string> ProgramArguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

} // namespace

int RunApplication(HINSTANCE instance, int show) {
    // Per-monitor DPI awareness is declared in the manifest.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    // The options come first; one that cannot be read is said once the frame is there.
    TVtOption option;
    std::exception_ptr optionError;
    try {
        option.LoadOptions();
    } catch (...) {
        optionError = std::current_exception();
    }
    // The language is chosen once, before any window: a change in the option dialog takes effect
    // at the next start.
    SetCurrentLanguage(option.WindowLanguage());
    TWin32Prompts prompts;
    TWin32ProgramStarter starter;
    TWin32UiThread ui;
    TLineStore log;
    TResultStore results;
    RegisterRuleDialogs();

    // The frame, then the log, result and project windows, in this order.
    TMainFrame frame;
    frame.Create(instance);
    prompts.SetOwner(frame.Handle());
    TLogWindow logWindow(log);
    logWindow.Create(frame.MdiClient());
    TResultWindow resultWindow(results, option, prompts, starter);
    resultWindow.Create(frame.MdiClient());
    TProjectWindow projectWindow;
    TProjectPresenter presenter(option, prompts, ui, projectWindow, log, results);
    projectWindow.Create(frame.MdiClient(), presenter, frame.Handle());
    std::unique_ptr<TStatisticsWindow> statistics;
    // The windows where they were last time.
    RestoreFramePlace(option, frame.Handle());
    RestorePlace(option, layoutkey::Log, logWindow.Handle());
    RestorePlace(option, layoutkey::Result, resultWindow.Handle());
    RestorePlace(option, layoutkey::Project, projectWindow.Handle());
    frame.OnClosing = [&] {
        KeepFramePlace(option, frame.Handle());
        KeepPlace(option, layoutkey::Log, logWindow.Handle());
        KeepPlace(option, layoutkey::Result, resultWindow.Handle());
        KeepPlace(option, layoutkey::Project, projectWindow.Handle());
        if (!statistics) return;
        KeepPlace(option, layoutkey::Statistics, statistics->Handle());
        KeepColumnWidths(option, layoutkey::StatisticsColumns, statistics->Grid(),
                         StatisticsColumnCount);
    };

    resultWindow.HasChecked = [&presenter] { return presenter.HasChecked(); };
    projectWindow.OnLinesChanged = [&] {
        logWindow.LinesChanged();
        resultWindow.LinesChanged();
    };
    projectWindow.OnStatisticsChanged = [&] {
        if (!presenter.StatisticsShown()) return;
        if (!statistics) {
            statistics = std::make_unique<TStatisticsWindow>(presenter.Statistics());
            statistics->Create(frame.MdiClient());
            RestorePlace(option, layoutkey::Statistics, statistics->Handle());
            RestoreColumnWidths(option, layoutkey::StatisticsColumns, statistics->Grid(),
                                StatisticsColumnCount);
        }
        statistics->Refresh();
        statistics->ShowNormalIfMinimised();
    };
    frame.OnOptions = [&] { TOptionDialog(option, prompts).Execute(frame.Handle()); };
    frame.PreTranslate = [&](MSG& message) {
        if (resultWindow.PreTranslate(message)) return true;
        // Tab, Enter and the mnemonics of the project window's controls.
        HWND project = projectWindow.Handle();
        return project && (message.hwnd == project || IsChild(project, message.hwnd)) &&
               IsDialogMessageW(project, &message);
    };
    bool maximised = LayoutValue(option, layoutkey::FrameMaximized) == "1";
    ShowWindow(frame.Handle(), maximised && show == SW_SHOWNORMAL ? SW_SHOWMAXIMIZED : show);
    UpdateWindow(frame.Handle());
    if (optionError) ShowErrorBox(frame.Handle(), optionError);

    // `vetrin.exe [PROJECT.vbp] [RULES.vrp]`: the project into the path box, the rules opened as
    // 開く opens them.
    RunGuarded(frame.Handle(), [&] {
        presenter.Start();
        TStartArguments arguments = ParseStartArguments(ProgramArguments());
        if (!arguments.Project.empty()) projectWindow.SetPathText(arguments.Project);
        if (!arguments.Rules.empty())
            presenter.OpenCheckerProject(platform::EnginePath(arguments.Rules));
    });
    int status = frame.Run();

    // The windows are gone; the options are written back.
    if (!RunGuarded(nullptr, [&] { option.SaveOptions(); })) status = 1;
    return status;
}

} // namespace win32
