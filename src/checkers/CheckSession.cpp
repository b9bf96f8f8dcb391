#include "checkers/CheckSession.h"

#include "checkers/Checkers.h"
#include "checkers/MemberWalk.h"
#include "checkers/SyntaxRule.h"
#include "framework/Errors.h"
#include "framework/OrderedRun.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbProjectParser.h"

#include <algorithm>
#include <exception>
#include <future>
#include <memory>
#include <system_error>

// Points a thread's copy of the rules at what a part's check leaves for its turn.
void TCheckSession::KeepFor(TMemberOutput& output, TVetrins& rules, TFindingCollector& collector,
                            bool findings, bool log) {
    collector.Into = &output.Findings;
    rules.SetFindings(findings ? &collector : nullptr);
    rules.SetLog(log ? &output.Log : nullptr);
}

namespace {
// Ends the run of a check: the next read or check counts its own steps.
struct TRunEnd {
    bool& Reads;
    bool& Checks;
    ~TRunEnd() { Reads = Checks = false; }
};

// More threads than this only cost memory: no machine that runs a checker has more cores.
constexpr int MaxJobs = 256;

TRunSettings Validated(TRunSettings settings) {
    if (!platform::FindCodePage(settings.CodePage))
        throw EGeneralError("code page " + std::to_string(settings.CodePage) +
                            " is not supported (" + platform::SupportedCodePages() + ")");
    if (settings.Jobs < 0 || settings.Jobs > MaxJobs)
        throw EGeneralError(std::to_string(settings.Jobs) + " jobs: give 1 to " +
                            std::to_string(MaxJobs) + " (or 0: one per core)");
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

void TCheckSession::SetFindings(TFindingSink* sink) { Sink_ = sink; }

void TCheckSession::SetResults(TTextLines* lines) {
    if (!lines) return;
    // The collection makes and owns the windows' sink.
    Rules_.SetResults(lines);
    Sink_ = Rules_.Findings();
}

void TCheckSession::DropSuppressed(const TVtParts& part,
                                   std::vector<TFindingRecord>& findings) const {
    if (!Settings_.Suppressions || findings.empty() || MemberKindOf(part) == TVbMemberKind::None)
        return;
    const TSuppression suppression(static_cast<const TVbSource&>(part));
    std::erase_if(findings,
                  [&](const TFindingRecord& finding) { return suppression.Suppresses(finding); });
}

void TCheckSession::CheckPartInto(TVtParts& part, bool tree, TVetrins& rules,
                                  TFindingCollector& collector, TMemberOutput& output) const {
    KeepFor(output, rules, collector, Sink_ != nullptr, Log_ != nullptr);
    // A check that fails is told in the part's turn, with what it handed out before the failure.
    try {
        if (tree)
            part.CheckTree(rules);
        else
            part.CheckSelf(rules);
    } catch (...) {
        output.CheckError = std::current_exception();
    }
    rules.CurrentPart = nullptr;
    // The comments are read while the member's tokens are still there.
    DropSuppressed(part, output.Findings);
}

void TCheckSession::HandOut(TMemberOutput& output) {
    PassLog(output.Log);
    if (Sink_)
        for (TFindingRecord& finding : output.Findings)
            Sink_->Take(std::move(finding));
    if (output.CheckError) std::rethrow_exception(output.CheckError);
    output = TMemberOutput();
    Step();
}

void TCheckSession::SetLog(TTextLines* lines) {
    Log_ = lines;
    Project_.SetLog(lines);
}

void TCheckSession::SetCodePage(int codePage) {
    TRunSettings settings = Settings_;
    settings.CodePage = codePage;
    Settings_ = Validated(std::move(settings));
}

bool TCheckSession::NeedsRead(const std::string& path) const {
    return ReadIncomplete_ || ParseReleased_ || Project_.IsModified() ||
           path != Project_.FileName || Settings_.CodePage != ReadCodePage_;
}

void TCheckSession::PassLog(TStringLines& kept) {
    if (Log_)
        for (const std::string& line : kept.Lines)
            Log_->Add(line);
    kept.Lines = {};
}

void TCheckSession::EndParseWalk(TVtParts& member, TStringLines& parseLog) {
    PassLog(parseLog);
    // A parse that could not read the member to its end is a failure of the member, told as a
    // read failure is.
    if (auto* source = dynamic_cast<TVbSource*>(&member); source && !source->ParseFailure.empty())
        Project_.AddMemberFailure(member.FileName, platform::MarkPath(member.FileName) + " : " +
                                                       source->ParseFailure);
    member.SetLog(Log_);
    Step();
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
    ReadProjectFile(path);
    ReadMembers();
    ReadIncomplete_ = false;
    if (ReadDone_) ReadDone_();
}

std::string TCheckSession::LoadMember(TVtParts& member, const std::string& fileName) const {
    if (MemberTexts_) {
        if (auto text = MemberTexts_->find(fileName); text != MemberTexts_->end()) {
            member.FileName = fileName;
            member.RawLines.AssignText(text->second);
            // NeedsRead compares with the file on disk, which the text stands for.
            member.FileAge = platform::FileTimeStamp(fileName);
            return std::string();
        }
    }
    return LoadMemberFile(member, fileName);
}

void TCheckSession::ReadMemberAlone(const std::string& path, TVbMemberKind kind) {
    std::unique_ptr<TVbSource> source = NewMemberSource(kind, &Project_);
    if (!source) throw EGeneralError(platform::MarkPath(path) + " : not a VB source file");
    ReadIncomplete_ = true;
    ParseReleased_ = false;
    Checked_ = SymbolsKept_ = false;
    Project_.Clear();
    Project_.FileName.clear();
    Project_.FileAge.reset();
    Project_.RawLines.Clear();
    Project_.LogicalLines.Clear();
    Project_.SetCodePage(*platform::FindCodePage(Settings_.CodePage));
    ReadCodePage_ = Settings_.CodePage;
    TVbSource& member = *Project_.AddMember(std::move(source));
    const std::string failure = LoadMember(member, path);
    if (!failure.empty()) Project_.AddMemberFailure(path, failure);
    TStringLines parseLog;
    Project_.ParseChild(member, Log_ ? &parseLog : nullptr);
    EndParseWalk(member, parseLog);
    ReadIncomplete_ = false;
}

int TCheckSession::MemberIndex(const std::string& fileName) const {
    const TVtPartsList& members = Project_.Children;
    const auto found = std::find_if(members.begin(), members.end(),
                                    [&](const TVtParts* m) { return m->FileName == fileName; });
    return found == members.end() ? -1 : static_cast<int>(found - members.begin());
}

bool TCheckSession::ReportMemberSymbols(const std::string& fileName) {
    const int index = MemberIndex(fileName);
    if (!SymbolsKept_ || index < 0) return false;
    std::vector<std::unique_ptr<TVetrins>> copies = RuleCopies(1);
    NeedsSymbols_ = NeedsProjectSymbols(Rules_);
    ReportProjectSymbols(*copies.front(), index);
    return true;
}

bool TCheckSession::RecheckMember(const std::string& fileName) {
    if (!Checked_ || NeedsRead(Project_.FileName)) return false;
    const int index = MemberIndex(fileName);
    if (index < 0) return false;
    auto* member = dynamic_cast<TVbSource*>(Project_.Children[static_cast<std::size_t>(index)]);
    if (!member) return false;
    TRunEnd end{RunReads_, RunChecks_};
    BeginRun(false, false);
    member->ReleaseParse();
    member->StatisticsDone = false;
    TMemberOutput output;
    output.ReadError = LoadMember(*member, fileName);
    if (!output.ReadError.empty()) Project_.AddMemberFailure(fileName, output.ReadError);
    Project_.ParseChild(*member, Log_ ? &output.ParseLog : nullptr);
    EndParseWalk(*member, output.ParseLog);

    std::vector<std::unique_ptr<TVetrins>> copies = RuleCopies(1);
    ShareSyntaxCaches(copies);
    // The table of the last check, with this member's summary made again.
    NeedsSymbols_ = SymbolsKept_ && NeedsProjectSymbols(Rules_);
    TFindingCollector collector;
    CheckPartInto(*member, true, *copies.front(), collector, output);
    EndMemberSyntax(index, *member, 0);
    HandOut(output);
    ReportProjectSymbols(*copies.front(), index);
    return true;
}

void TCheckSession::ReadProjectFile(const std::string& path) {
    ReadIncomplete_ = true;
    ParseReleased_ = false;
    Checked_ = SymbolsKept_ = false;
    Project_.Clear();
    // The sources are read, and their names shown, in this code page until the next read.
    Project_.SetCodePage(*platform::FindCodePage(Settings_.CodePage));
    ReadCodePage_ = Settings_.CodePage;
    Project_.Load(path);
    Project_.CheckIsProject();
    Project_.ReadsMembers = false;
    struct TRestore {
        TVbProjectSource& Project;
        ~TRestore() { Project.ReadsMembers = true; }
    } restore{Project_};
    Project_.Parse();
}

void TCheckSession::ReadMembers() {
    TVtPartsList& members = Project_.Children;
    const int count = static_cast<int>(members.size());
    int jobs = JobsFor(Settings_.Jobs);
    // The word lists are read once, before the threads share them. When they cannot be read the
    // run goes on one thread, so that the failure comes where a sequential run meets it.
    if (jobs > 1 && count > 1) {
        try {
            WordLists_.Load();
        } catch (const EVetrinError&) {
            jobs = 1;
        }
    }
    std::vector<TMemberOutput> outputs(static_cast<std::size_t>(count));
    auto at = [&](int i) -> TMemberOutput& { return outputs[static_cast<std::size_t>(i)]; };

    // Every member file is read first, then they are parsed: a file that cannot be read is
    // told in the log before the parse of the first member, as the project's reader tells it.
    RunOrdered(
        count, jobs,
        [&](int i, int) {
            TVtParts& member = *members[static_cast<std::size_t>(i)];
            // A member that cannot be read stays without lines, so every rule reports it as not
            // parsed; the members after it are still read.
            at(i).ReadError = LoadMember(member, member.FileName);
        },
        [&](int i) {
            if (!at(i).ReadError.empty())
                Project_.AddMemberFailure(members[static_cast<std::size_t>(i)]->FileName,
                                          at(i).ReadError);
        });
    RunOrdered(
        count, jobs,
        [&](int i, int) {
            Project_.ParseChild(*members[static_cast<std::size_t>(i)], Log_ ? &at(i).Log : nullptr);
        },
        [&](int i) { EndParseWalk(*members[static_cast<std::size_t>(i)], at(i).Log); });
    for (TVtParts* member : members)
        if (member->HasChildren()) member->ParseChildren();
}

std::vector<std::unique_ptr<TVetrins>> TCheckSession::RuleCopies(int members) const {
    // A rule keeps the part under check on its collection: every thread checks with its own
    // copy of the rules, switched and set as the session's (the session's own rules only hold
    // the switches and settings). One copy a thread, at least one.
    const int count = std::min(JobsFor(Settings_.Jobs), std::max(members, 1));
    std::vector<std::unique_ptr<TVetrins>> copies;
    for (int w = 0; w < count; ++w) {
        auto copy = std::make_unique<TWalkingRules>();
        AddAllCheckers(*copy);
        for (int r = 0; r < Rules_.Count(); ++r) {
            TVetrin& rule = *copy->Items(r);
            rule.Enabled = Rules_.Items(r)->Enabled;
            rule.AssignSettings(*Rules_.Items(r));
        }
        copies.push_back(std::move(copy));
    }
    return copies;
}

void TCheckSession::CheckMembers(std::vector<std::unique_ptr<TVetrins>>& copies) {
    TVtPartsList& members = Project_.Children;
    const int count = static_cast<int>(members.size());
    const int jobs = static_cast<int>(copies.size());
    std::vector<TMemberOutput> outputs(static_cast<std::size_t>(count));
    std::vector<TFindingCollector> collectors(static_cast<std::size_t>(jobs));
    RunOrdered(
        count, jobs,
        [&](int i, int w) {
            CheckPartInto(
                *members[static_cast<std::size_t>(i)], true, *copies[static_cast<std::size_t>(w)],
                collectors[static_cast<std::size_t>(w)], outputs[static_cast<std::size_t>(i)]);
            EndMemberSyntax(i, *members[static_cast<std::size_t>(i)], w);
        },
        [&](int i) { HandOut(outputs[static_cast<std::size_t>(i)]); });
}

void TCheckSession::ReadAndCheckMembers() {
    TVtPartsList& members = Project_.Children;
    const int count = static_cast<int>(members.size());
    // The word lists are read once, before the threads share them. When they cannot be read the
    // members are read and checked as by a session that keeps them, so that the failure comes
    // where it comes there.
    try {
        WordLists_.Load();
    } catch (const EVetrinError&) {
        ReadMembers();
        ReadIncomplete_ = false;
        if (ReadDone_) ReadDone_();
        CheckProject();
        return;
    }
    std::vector<std::unique_ptr<TVetrins>> copies = RuleCopies(count);
    BeginSyntax(copies, count);
    const int jobs = static_cast<int>(copies.size());
    std::vector<TFindingCollector> collectors(static_cast<std::size_t>(jobs));
    std::vector<TMemberOutput> outputs(static_cast<std::size_t>(count));
    auto at = [&](int i) -> TMemberOutput& { return outputs[static_cast<std::size_t>(i)]; };
    ParseReleased_ = true;

    // The read failures of every member come first in the log, then the parse walk, as in a
    // read of the whole project: both are written once the members before are done.
    int finished = 0;
    auto writeRead = [&](int upTo) {
        for (int i = 0; i < upTo; ++i) {
            if (!at(i).ReadError.empty())
                Project_.AddMemberFailure(members[static_cast<std::size_t>(i)]->FileName,
                                          at(i).ReadError);
        }
        for (int i = 0; i < upTo; ++i)
            EndParseWalk(*members[static_cast<std::size_t>(i)], at(i).ParseLog);
    };
    try {
        RunOrdered(
            count, jobs,
            [&](int i, int w) {
                TVtParts& member = *members[static_cast<std::size_t>(i)];
                TMemberOutput& output = at(i);
                // A member that cannot be read stays without lines, so every rule reports it as
                // not parsed; the members after it are still read.
                output.ReadError = LoadMember(member, member.FileName);
                Project_.ParseChild(member, Log_ ? &output.ParseLog : nullptr);
                CheckPartInto(member, true, *copies[static_cast<std::size_t>(w)],
                              collectors[static_cast<std::size_t>(w)], output);
                EndMemberSyntax(i, member, w);
                if (auto* source = dynamic_cast<TVbSource*>(&member)) source->ReleaseParse();
            },
            [&](int i) { finished = i + 1; });
    } catch (...) {
        writeRead(finished);
        throw;
    }
    writeRead(count);
    ReadIncomplete_ = false;
    if (ReadDone_) ReadDone_();

    // The findings on the project's symbol table need every member's summary. With a second copy
    // of the rules they are made on a thread of their own while the project's and the members'
    // findings are handed out, and handed out after them.
    std::future<std::vector<TFindingRecord>> symbolFindings;
    if (NeedsSymbols_ && copies.size() > 1) {
        try {
            symbolFindings = std::async(
                std::launch::async, [this, &copies] { return ProjectSymbolFindings(*copies[1]); });
        } catch (const std::system_error&) {
            // No thread to be had: they are made after the hand-out, on this one.
        }
    }
    // The members' findings and log lines wait for the project's check.
    CheckProjectPart(*copies.front());
    for (int i = 0; i < count; ++i)
        HandOut(at(i));
    if (symbolFindings.valid()) {
        for (TFindingRecord& finding : symbolFindings.get())
            Sink_->Take(std::move(finding));
    } else {
        ReportProjectSymbols(*copies.front());
    }
}

void TCheckSession::CheckProjectPart(TVetrins& rules) {
    TMemberOutput output;
    TFindingCollector collector;
    CheckPartInto(Project_, false, rules, collector, output);
    HandOut(output);
}

void TCheckSession::CheckProject() {
    if (ParseReleased_)
        throw EGeneralError("the members of the project were freed after its last check: read "
                            "the project again");
    if (!RunChecks_) BeginRun(false, true);
    std::vector<std::unique_ptr<TVetrins>> copies =
        RuleCopies(static_cast<int>(Project_.Children.size()));
    BeginSyntax(copies, static_cast<int>(Project_.Children.size()));
    // The project first, then each member and what lies below it: the order of CheckTree.
    CheckProjectPart(*copies.front());
    CheckMembers(copies);
    ReportProjectSymbols(*copies.front());
    Checked_ = true;
}

void TCheckSession::ReadAndCheck(const std::string& path) {
    TRunEnd end{RunReads_, RunChecks_};
    BeginRun(true, true);
    if (Settings_.KeepParsed) {
        ReadProject(path);
        CheckProject();
        return;
    }
    ReadProjectFile(path);
    ReadAndCheckMembers();
}

void TCheckSession::Check(const std::string& path) {
    if (NeedsRead(path)) {
        ReadAndCheck(path);
        return;
    }
    TRunEnd end{RunReads_, RunChecks_};
    BeginRun(false, true);
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

// ---- the project's symbol table ----

void TCheckSession::ShareSyntaxCaches(std::vector<std::unique_ptr<TVetrins>>& copies) {
    SyntaxCaches_.clear();
    for (auto& copy : copies) {
        SyntaxCaches_.push_back(std::make_unique<TVbSyntaxCache>());
        ShareSyntaxCache(*copy, SyntaxCaches_.back().get());
    }
}

void TCheckSession::BeginSyntax(std::vector<std::unique_ptr<TVetrins>>& copies, int members) {
    ShareSyntaxCaches(copies);
    SymbolsKept_ = false;
    NeedsSymbols_ = NeedsProjectSymbols(Rules_);
    Symbols_.Reset(NeedsSymbols_ ? members : 0);
    SymbolReports_.clear();
    SymbolReports_.resize(NeedsSymbols_ ? static_cast<std::size_t>(members) : 0);
    SymbolContext_ = TVbSymbolContext();
    const TSourceList& lines = Project_.RawLines;
    for (int j = 0; j < lines.Count(); ++j) {
        const std::string_view line = lines.Text(j);
        if (line.size() > 5 && SameName(line.substr(0, 5), "Type=")) {
            SymbolContext_.ActiveX = IsActiveXProjectType(line.substr(5));
            break;
        }
    }
}

void TCheckSession::EndMemberSyntax(int index, TVtParts& member, int copy) {
    TVbSyntaxCache& cache = *SyntaxCaches_[static_cast<std::size_t>(copy)];
    if (NeedsSymbols_ && MemberKindOf(member) != TVbMemberKind::None) {
        const auto& source = static_cast<const TVbSource&>(member);
        Symbols_.SetMember(index, SummarizeMember(cache.For(source), SymbolContext_));
        TMemberReport& report = SymbolReports_[static_cast<std::size_t>(index)];
        report.Target = member.HasContent() && member.IsCheckTarget();
        // The comments are read now: the member may be freed before its findings are made.
        if (Settings_.Suppressions) {
            TSuppression suppression(source);
            if (!suppression.Directives().empty())
                report.Suppression.emplace(std::move(suppression));
        }
    }
    cache.Clear();
}

void TCheckSession::ReportProjectSymbols(TVetrins& rules, int only) {
    for (TFindingRecord& finding : ProjectSymbolFindings(rules, only))
        Sink_->Take(std::move(finding));
}

std::vector<TFindingRecord> TCheckSession::ProjectSymbolFindings(TVetrins& rules, int only) {
    std::vector<TFindingRecord> kept;
    if (!NeedsSymbols_) return kept;
    NeedsSymbols_ = false;
    Symbols_.Resolve();
    const TVtPartsList& members = Project_.Children;
    TMemberOutput output;
    TFindingCollector collector;
    KeepFor(output, rules, collector, Sink_ != nullptr, false);
    for (int r = 0; r < rules.Count(); ++r) {
        auto* rule = dynamic_cast<TProjectSymbolRule*>(rules.Items(r));
        if (!rule || !rule->Enabled) continue;
        for (int i = 0; i < Symbols_.Count() && i < static_cast<int>(members.size()); ++i) {
            if (only >= 0 && i != only) continue;
            const TMemberReport& report = SymbolReports_[static_cast<std::size_t>(i)];
            if (!report.Target) continue;
            rules.CurrentPart = members[static_cast<std::size_t>(i)];
            output.Findings.clear();
            rule->ReportMember(Symbols_.Member(i));
            for (TFindingRecord& finding : output.Findings) {
                if (report.Suppression && report.Suppression->Suppresses(finding)) continue;
                kept.push_back(std::move(finding));
            }
        }
    }
    rules.CurrentPart = nullptr;
    if (Settings_.KeepParsed) {
        SymbolsKept_ = true;
        return kept;
    }
    Symbols_.Reset(0);
    SymbolReports_.clear();
    return kept;
}
