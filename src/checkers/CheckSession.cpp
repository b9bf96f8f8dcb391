#include "checkers/CheckSession.h"

#include "checkers/Checkers.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

namespace {
TRunSettings Validated(TRunSettings settings) {
    if (!platform::FindCodePage(settings.CodePage))
        throw EGeneralError("code page " + std::to_string(settings.CodePage) +
                            " is not supported (" + platform::SupportedCodePages() + ")");
    if (settings.Jobs != 1)
        throw EGeneralError(std::to_string(settings.Jobs) +
                            " jobs are not supported (runs are sequential)");
    return settings;
}
} // namespace

TCheckSession::TCheckSession(TRunSettings settings)
    : Settings_(Validated(std::move(settings))),
      WordLists_(Settings_.WordListFolder.empty() ? TVbWordLists::DefaultFolder()
                                                  : Settings_.WordListFolder) {
    AddAllCheckers(Rules_);
    Project_.SharedWordLists = &WordLists_;
}

void TCheckSession::SetFindings(TFindingSink* sink) {
    ResultLines_.reset();
    Filter_.Next = sink;
    Rules_.SetFindings(sink ? &Filter_ : nullptr);
}

void TCheckSession::SetResults(TTextLines* lines) {
    if (!lines) return;
    ResultLines_ = std::make_unique<TResultLinesSink>(*lines, Rules_.JumpRecords);
    Filter_.Next = ResultLines_.get();
    Rules_.SetFindings(&Filter_);
}

void TCheckSession::TSuppressionFilter::Add(const TFindingRecord& finding) {
    if (!Next) return;
    const TVtParts* part = Session_.Rules_.CurrentPart;
    if (Session_.Settings_.Suppressions && part) {
        // The comments of a member are read once, when its first finding arrives.
        if (part != Part_) {
            Part_ = part;
            Suppression_.reset();
            if (MemberKindOf(*part) != TVbMemberKind::None)
                Suppression_.emplace(static_cast<const TVbSource&>(*part));
        }
        if (Suppression_ && Suppression_->Suppresses(finding)) return;
    }
    Next->Add(finding);
}

void TCheckSession::SetLog(TTextLines* lines) {
    Rules_.SetLog(lines);
    Project_.SetLog(lines);
}

void TCheckSession::SetCodePage(int codePage) {
    TRunSettings settings = Settings_;
    settings.CodePage = codePage;
    Settings_ = Validated(std::move(settings));
}

bool TCheckSession::NeedsRead(const std::string& path) const {
    return ReadIncomplete_ || Project_.IsModified() || path != Project_.FileName ||
           Settings_.CodePage != ReadCodePage_;
}

void TCheckSession::BeginRun(bool reads, bool checks) {
    RunReads_ = reads;
    RunChecks_ = checks;
    Done_ = 0;
}

void TCheckSession::Step() {
    if (!Progress_) return;
    const int members = static_cast<int>(Project_.Children.size());
    const int total = (RunReads_ ? members : 0) + (RunChecks_ ? 1 + members : 0);
    Progress_(++Done_, total);
}

void TCheckSession::ReadProject(const std::string& path) {
    if (!RunChecks_) BeginRun(true, false);
    ReadIncomplete_ = true;
    Project_.Clear();
    // The sources are read, and their names shown, in this code page until the next read.
    platform::SetSourceCodePage(Settings_.CodePage);
    ReadCodePage_ = Settings_.CodePage;
    Project_.Load(path);
    Project_.CheckIsProject();
    Project_.ChildParsed = [this](const TVtParts&) { Step(); };
    struct TUnhook {
        TVbProjectSource& Project;
        ~TUnhook() { Project.ChildParsed = nullptr; }
    } unhook{Project_};
    Project_.Analyze();
    ReadIncomplete_ = false;
}

void TCheckSession::CheckProject() {
    // The collection points at the part under check only while the run lasts.
    struct TCurrentPartReset {
        TVetrins& Rules;
        ~TCurrentPartReset() { Rules.CurrentPart = nullptr; }
    } reset{Rules_};
    Filter_.Reset();
    // The rules see the names of the project in the code page it was read in.
    platform::SetSourceCodePage(ReadCodePage_);
    if (!RunChecks_) BeginRun(false, true);
    // The project first, then each member and what lies below it: the order of CheckTree.
    Project_.CheckSelf(Rules_);
    Step();
    for (TVtParts* child : Project_.Children) {
        child->CheckTree(Rules_);
        Step();
    }
}

void TCheckSession::Check(const std::string& path) {
    struct TRunEnd {
        TCheckSession& Session;
        ~TRunEnd() { Session.RunReads_ = Session.RunChecks_ = false; }
    } end{*this};
    const bool reads = NeedsRead(path);
    BeginRun(reads, true);
    if (reads) ReadProject(path);
    CheckProject();
}

std::vector<TStatisticsRow> TCheckSession::StatisticsRows() const {
    std::vector<TStatisticsRow> rows;
    rows.reserve(Project_.Children.size());
    // Every child of the project is a member source (TVbProjectSource::AddMember).
    for (const TVtParts* child : Project_.Children)
        rows.push_back({child->FileName, static_cast<const TVbSource*>(child)->Statistics});
    return rows;
}
