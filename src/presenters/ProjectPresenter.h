// The project window without a toolkit: the rule rows per category tab and their ticks, the
// commands and when they are enabled, and the flows behind them (check, parse, stop, save and
// open a checker project file, choose the VB project, show the statistics). A parse or check runs
// on a worker thread: the log and the findings fill their stores as the run goes, and the view
// is told on the UI thread, through the UI-thread port, what changed.
//
// Texts handed to and from the face are UTF-8; a path is in its native form as the user reads it
// (platform::NativePath). Every member function is called on the UI thread.
#pragma once

#include "checkers/CheckSession.h"
#include "presenters/LineStore.h"
#include "presenters/ResultStore.h"
#include "presenters/StatisticsTable.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class TPrompts;
class TVtOption;

// The port through which the worker thread hands work to the UI thread: Post runs task on the
// UI thread soon, in the order posted (Qt: a queued call; Win32: a posted window message). It is
// called from any thread.
class TUiThread {
public:
    virtual ~TUiThread() = default;
    virtual void Post(std::function<void()> task) = 0;
};

// What the presenter tells its window, always on the UI thread.
class TProjectView {
public:
    virtual ~TProjectView() = default;
    // The rows' ticks changed (after opening a checker project file, 全てチェックする).
    virtual void TicksChanged() {}
    // A run started or ended: the enabled commands and 中止 are to be shown again.
    virtual void RunStateChanged() {}
    // Steps done of the run's steps (members read, parts checked).
    virtual void RunProgress(int /*done*/, int /*total*/) {}
    // The log or the results changed (grew, were emptied, or their last line was replaced).
    virtual void LinesChanged() {}
    // The statistics table was filled again (after a check, or by ShowStatistics).
    virtual void StatisticsChanged() {}
};

// The commands of the project window.
enum class TProjectCommand {
    Analyze,       // 解析
    Check,         // チェック
    Stop,          // 中止: only while a run goes
    Save,          // 保存
    Open,          // 開く
    RuleSettings,  // a row's "…"
    Statistics,    // 統計
    ChooseProject, // the path box's "…"
    CheckAll,      // 全てチェックする
};

// One generated rule row: the rule, its tab (category 0..5) and its number on the tab (from 1),
// the caption, whether it has a "…" and whether its box is ticked.
struct TRuleRowState {
    TVetrin* Checker = nullptr; // the session's rule (not owned)
    std::uint8_t Category = 0;
    int Number = 0;
    std::string Caption; // UTF-8
    bool HasSettings = false;
    bool Ticked = false;
};

// The arguments of the program: `vetrin [PROJECT.vbp] [RULES.vrp]`, told apart by their extension
// (letter case ignored); anything else is taken as the project.
struct TStartArguments {
    std::string Project; // UTF-8, as given
    std::string Rules;
};
TStartArguments ParseStartArguments(const std::vector<std::string>& arguments);

class TProjectPresenter {
public:
    // The log and the results are the windows' stores (not owned): a run writes them.
    TProjectPresenter(TVtOption& option, TPrompts& prompts, TUiThread& ui, TProjectView& view,
                      TLineStore& log, TResultStore& results);
    // Stops a run under way and waits for its thread.
    ~TProjectPresenter();
    TProjectPresenter(const TProjectPresenter&) = delete;
    TProjectPresenter& operator=(const TProjectPresenter&) = delete;

    // Set-up once the window is there: opens the checker project file opened last (an error is
    // shown and the start goes on).
    void Start();
    // The path box's text at start: the VB project of the last run.
    std::string InitialProjectPath() const;

    // The rule rows in the rules' order; a rule of no known category has none.
    const std::vector<TRuleRowState>& Rows() const { return Rows_; }
    void SetTicked(int row, bool ticked);
    // Ticks -> the rules' Enabled flags (at a check's start and before saving), and back (after
    // opening a checker project file).
    void ApplyTicks();
    void ShowEnabledFlags();
    // 全てチェックする: every row ticked; nothing runs.
    void CheckAll();

    // 開始時にログをクリア: a run first empties the log and the results.
    bool ClearAtStart = true;

    bool Running() const { return Running_; }
    bool Enabled(TProjectCommand command) const;

    // チェック and 解析 on the project the path box names. A box naming no project, or a project
    // file that is not there, is said in the error box and nothing runs. Parse errors and failed
    // rules are shown in the error box when the run ends; what was logged and found stays.
    void Check(const std::string& pathText);
    void Analyze(const std::string& pathText);
    // 中止: the run stops before the next member; a log line says so and the findings stay.
    void Stop();

    // 保存 and 開く: ask for a checker project file and write or read it. An error is shown.
    void SaveRules();
    void OpenRules();
    // Reads a checker project file and shows its flags; remembers it as the one opened last.
    // When it fails the error names the file, the file is not remembered and false is answered.
    bool OpenCheckerProject(const std::string& fileName);
    // The path box's "…": the chosen project file (for the box), or empty when cancelled.
    std::string ChooseProject(const std::string& pathText);
    // The rule whose settings a row's "…" opens; none while a run goes or for a rule without
    // settings.
    TVetrin* RuleForSettings(int row);

    // 統計: fills the statistics table from the last check; from then on every check fills it
    // again when it ends.
    void ShowStatistics();
    TStatisticsTable& Statistics() { return Statistics_; }
    bool StatisticsShown() const { return StatisticsShown_; }
    // Whether a check has ended since the start (the result window then counts even no finding).
    bool HasChecked() const { return HasChecked_; }

    TLineStore& Log() { return Log_; }
    TResultStore& Results() { return Results_; }
    TCheckSession& Session() { return *Session_; }

private:
    // Raised from the progress callback on the worker thread when 中止 was asked for: the session
    // stops handing out members and the run ends.
    struct TRunStopped {};

    void BuildRows();
    void StartRun(const std::string& pathText, bool check);
    // On the worker thread: the run, then its end posted to the UI thread.
    void RunOnWorker(const std::string& path, bool check);
    void FinishRun(const std::string& path, bool check, bool stopped, std::exception_ptr error);
    // Tells the view, once per turn of the UI thread, that lines or progress changed.
    void NotifyView();
    void FillStatistics();

    TVtOption& Option_;
    TPrompts& Prompts_;
    TUiThread& Ui_;
    TProjectView& View_;
    TLineStore& Log_;
    TResultStore& Results_;
    std::unique_ptr<TCheckSession> Session_;
    std::vector<TRuleRowState> Rows_;
    TStatisticsTable Statistics_;
    bool StatisticsShown_ = false;
    bool HasChecked_ = false;

    bool Running_ = false;
    std::thread Worker_;
    std::atomic<bool> StopRequested_{false};
    std::atomic<bool> NotifyPending_{false};
    std::atomic<int> Done_{0}, Total_{0};
    // Tasks posted to the UI thread hold it weakly: they do nothing once the presenter is gone.
    std::shared_ptr<bool> Alive_ = std::make_shared<bool>(true);
};
