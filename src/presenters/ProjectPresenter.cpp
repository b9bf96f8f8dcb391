#include "presenters/ProjectPresenter.h"

#include "checkers/RuleTable.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "presenters/Prompts.h"
#include "presenters/UiTexts.h"
#include "presenters/VtOption.h"

namespace {

std::string Native(const std::string& enginePath) { return platform::NativePath(enginePath); }
std::string Engine(const std::string& pathText) { return platform::EnginePath(pathText); }

bool EndsWithFolded(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           platform::SameTextAscii(text.substr(text.size() - suffix.size()), suffix);
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

TStartArguments ParseStartArguments(const std::vector<std::string>& arguments) {
    TStartArguments start;
    for (const std::string& argument : arguments) {
        if (EndsWithFolded(argument, ".vrp"))
            start.Rules = argument;
        else
            start.Project = argument;
    }
    return start;
}

TProjectPresenter::TProjectPresenter(TVtOption& option, TPrompts& prompts, TUiThread& ui,
                                     TProjectView& view, TLineStore& log, TResultStore& results)
    : Option_(option), Prompts_(prompts), Ui_(ui), View_(view), Log_(log), Results_(results),
      Session_(std::make_unique<TCheckSession>()) {
    BuildRows();
    Session_->SetLog(&Log_);
    Session_->SetFindings(&Results_);
    Log_.SetChanged([this] { NotifyView(); });
    Results_.SetChanged([this] { NotifyView(); });
    // Told between members on the worker thread: where a stop is asked for, the run ends there.
    Session_->SetProgress([this](int done, int total) {
        Done_ = done;
        Total_ = total;
        NotifyView();
        if (StopRequested_) throw TRunStopped();
    });
}

TProjectPresenter::~TProjectPresenter() {
    Alive_.reset();
    if (Worker_.joinable()) {
        StopRequested_ = true;
        Worker_.join();
    }
    Log_.SetChanged(nullptr);
    Results_.SetChanged(nullptr);
    Session_->SetLog(nullptr);
    Session_->SetFindings(nullptr);
}

void TProjectPresenter::BuildRows() {
    int counters[CategoryCount] = {};
    TVetrins& rules = Session_->Rules();
    for (int i = 0; i < rules.Count(); ++i) {
        TVetrin* checker = rules.Items(i);
        const std::uint8_t category = checker->Category();
        // A rule of no known category gets no row; it still runs when enabled.
        if (category >= CategoryCount) continue;
        TRuleRowState row;
        row.Checker = checker;
        row.Category = category;
        row.Number = ++counters[category];
        row.Caption = platform::Cp932ToUtf8(checker->DisplayName());
        row.HasSettings = checker->HasDetail();
        // The first tab's first box is ticked from the start, as the window was designed.
        row.Ticked = category == 0 && row.Number == 1;
        Rows_.push_back(std::move(row));
    }
}

void TProjectPresenter::Start() {
    if (!Option_.LastOpen.empty()) OpenCheckerProject(Option_.LastOpen);
}

std::string TProjectPresenter::InitialProjectPath() const { return Native(Option_.TargetProject); }

void TProjectPresenter::SetTicked(int row, bool ticked) {
    if (row >= 0 && row < static_cast<int>(Rows_.size()))
        Rows_[static_cast<std::size_t>(row)].Ticked = ticked;
}

void TProjectPresenter::ApplyTicks() {
    for (const TRuleRowState& row : Rows_)
        if (TVetrin* checker = Session_->Rules().FindByClassName(row.Checker->ClassName()))
            checker->Enabled = row.Ticked;
}

void TProjectPresenter::ShowEnabledFlags() {
    for (TRuleRowState& row : Rows_)
        if (TVetrin* checker = Session_->Rules().FindByClassName(row.Checker->ClassName()))
            row.Ticked = checker->Enabled;
    View_.TicksChanged();
}

void TProjectPresenter::CheckAll() {
    for (TRuleRowState& row : Rows_)
        row.Ticked = true;
    View_.TicksChanged();
}

bool TProjectPresenter::Enabled(TProjectCommand command) const {
    switch (command) {
    case TProjectCommand::Stop:
        return Running_;
    case TProjectCommand::ChooseProject:
    case TProjectCommand::CheckAll:
        return true;
    default:
        // The rules, the project and its statistics belong to the run while it goes.
        return !Running_;
    }
}

void TProjectPresenter::Check(const std::string& pathText) { StartRun(pathText, true); }

void TProjectPresenter::Analyze(const std::string& pathText) { StartRun(pathText, false); }

void TProjectPresenter::StartRun(const std::string& pathText, bool check) {
    if (Running_) return;
    // A run on a project that is not there would check nothing and look clean.
    if (IsBlank(pathText)) {
        Prompts_.ShowError(std::string(uitext::Text(uitext::NoProjectNamed)));
        return;
    }
    const std::string path = Engine(pathText);
    if (!platform::FileExists(path)) {
        Prompts_.ShowError(ErrorText(EFOpenError(path)));
        return;
    }
    try {
        // The sources are read in the code page the options name (a change rereads them).
        Session_->SetCodePage(Option_.CodePage);
        // The windows show the names of the sources in the same code page.
        Log_.SetSourceCodePage(Session_->CodePage());
        Results_.SetSourceCodePage(Session_->CodePage());
    } catch (const std::exception& error) {
        Prompts_.ShowError(ErrorText(error));
        return;
    }
    if (ClearAtStart) {
        Log_.Clear();
        Results_.Clear();
    }
    if (check) ApplyTicks();
    Running_ = true;
    StopRequested_ = false;
    Done_ = 0;
    Total_ = 0;
    View_.RunStateChanged();
    Worker_ = std::thread([this, path, check] { RunOnWorker(path, check); });
}

void TProjectPresenter::RunOnWorker(const std::string& path, bool check) {
    bool stopped = false;
    std::exception_ptr error;
    try {
        if (check)
            Session_->Check(path);
        else
            Session_->ReadProject(path);
    } catch (const TRunStopped&) {
        stopped = true;
    } catch (...) {
        error = std::current_exception();
    }
    Ui_.Post([alive = std::weak_ptr<bool>(Alive_), this, path, check, stopped, error] {
        if (alive.lock()) FinishRun(path, check, stopped, error);
    });
}

void TProjectPresenter::FinishRun(const std::string& path, bool check, bool stopped,
                                  std::exception_ptr error) {
    if (Worker_.joinable()) Worker_.join();
    Running_ = false;
    if (check) HasChecked_ = true;
    if (stopped) Log_.Add(platform::Utf8ToCp932(uitext::Text(uitext::RunStopped)));
    // The project of a run that went to its end is the one the next start offers.
    if (!stopped && !error) Option_.TargetProject = path;
    View_.RunProgress(Done_, Total_);
    View_.LinesChanged();
    if (check && StatisticsShown_) FillStatistics();
    View_.RunStateChanged();
    if (error) Prompts_.ShowError(ErrorText(error));
}

void TProjectPresenter::Stop() {
    if (Running_) StopRequested_ = true;
}

void TProjectPresenter::NotifyView() {
    if (NotifyPending_.exchange(true)) return;
    Ui_.Post([alive = std::weak_ptr<bool>(Alive_), this] {
        if (!alive.lock()) return;
        NotifyPending_ = false;
        View_.RunProgress(Done_, Total_);
        View_.LinesChanged();
    });
}

namespace {
// The checker project file dialogs start at the file saved or opened last.
TFileRequest CheckerProjectRequest(const TVetrins& rules, TFileRequest::TKind kind,
                                   const uitext::TText& caption) {
    TFileRequest request;
    request.Kind = kind;
    request.Caption = uitext::Text(caption);
    request.Folder = Native(platform::FolderPart(rules.FileName));
    request.FileName = platform::PathToUtf8(platform::FileNamePart(rules.FileName));
    request.FilterName = uitext::Text(uitext::CheckerProjectFilterName);
    request.FilterPattern = uitext::CheckerProjectPattern;
    request.DefaultSuffix = uitext::CheckerProjectSuffix;
    return request;
}
} // namespace

void TProjectPresenter::SaveRules() {
    if (!Enabled(TProjectCommand::Save)) return;
    const std::string chosen = Prompts_.AskFileName(
        CheckerProjectRequest(Session_->Rules(), TFileRequest::Save, uitext::Save));
    if (chosen.empty()) return;
    ApplyTicks();
    try {
        Session_->SaveRules(Engine(chosen));
    } catch (const std::exception& error) {
        Prompts_.ShowError(ErrorText(error));
    }
}

void TProjectPresenter::OpenRules() {
    if (!Enabled(TProjectCommand::Open)) return;
    const std::string chosen = Prompts_.AskFileName(
        CheckerProjectRequest(Session_->Rules(), TFileRequest::Open, uitext::Open));
    if (!chosen.empty()) OpenCheckerProject(Engine(chosen));
}

bool TProjectPresenter::OpenCheckerProject(const std::string& fileName) {
    if (Running_) return false;
    try {
        Session_->LoadRules(fileName);
    } catch (const std::exception& error) {
        // A file that cannot be loaded whole changes nothing: the ticks stay as the user left
        // them and the file is not remembered.
        Prompts_.ShowError(ErrorText(error));
        return false;
    }
    ShowEnabledFlags();
    Option_.LastOpen = fileName;
    return true;
}

std::string TProjectPresenter::ChooseProject(const std::string& pathText) {
    TFileRequest request;
    request.Kind = TFileRequest::Open;
    request.Caption = uitext::Text(uitext::ProjectDialogTitle);
    request.Folder = Native(platform::FolderPart(Engine(pathText)));
    request.FilterName = uitext::Text(uitext::VbProjectFilterName);
    request.FilterPattern = uitext::VbProjectPattern;
    request.DefaultSuffix = uitext::VbProjectSuffix;
    return Prompts_.AskFileName(request);
}

TVetrin* TProjectPresenter::RuleForSettings(int row) {
    if (Running_ || row < 0 || row >= static_cast<int>(Rows_.size())) return nullptr;
    const TRuleRowState& state = Rows_[static_cast<std::size_t>(row)];
    if (!state.HasSettings) return nullptr;
    return Session_->Rules().FindByClassName(state.Checker->ClassName());
}

void TProjectPresenter::ShowStatistics() {
    if (Running_) return;
    StatisticsShown_ = true;
    FillStatistics();
}

void TProjectPresenter::FillStatistics() {
    Statistics_.Fill(Session_->StatisticsRows(), Session_->Project().FileName);
    View_.StatisticsChanged();
}
