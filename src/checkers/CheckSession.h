// One check session: the rules, the parts tree of one VB project, the word lists and the
// settings of a run, with the operations the desktop application and vrt both need.
#pragma once

#include "checkers/Suppression.h"
#include "framework/FindingSink.h"
#include "framework/TextLines.h"
#include "framework/Vetrin.h"
#include "vbsource/VbParsers.h"
#include "vbsource/VbSource.h"
#include "vbsyntax/VbSymbols.h"
#include "vbsyntax/VbSyntax.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The settings of a run.
struct TRunSettings {
    // The code page of the source files: 932, or another that platform::FindCodePage knows.
    int CodePage = 932;
    // How many members are read, parsed and checked at once; 0: one per core. Findings, log
    // lines and progress come out in member order whatever the number.
    int Jobs = 0;
    // The folder of the tokenizer's word lists; empty: vb/ beside the executable.
    std::string WordListFolder;
    // Findings that a suppression comment of their member names are dropped.
    bool Suppressions = true;
    // True: a read keeps every member's lines, tokens, procedures and variables until the next
    // read (the desktop re-checks and shows them). False: a run that reads and checks (Check,
    // ReadAndCheck) checks each member on the thread that parsed it and then frees what the parse
    // made, keeping its file name and statistics; the run needs memory for the project and the
    // members under way only, and the project must be read again before the next check.
    bool KeepParsed = true;
};

// Member texts held in memory, such as an editor's unsaved text: a member's FileName (the engine
// path) and its bytes in the run's code page. A read takes a member named here from here instead
// of its file.
using TMemberTexts = std::map<std::string, std::string, std::less<>>;

// The line counts of one member file.
struct TStatisticsRow {
    std::string File; // the member's FileName (code page bytes)
    TVbStaticticsInfo Counts;
};

class TCheckSession {
public:
    // The nine rules at their defaults, switched off, and an empty project. Settings the engine
    // cannot honour raise EGeneralError.
    explicit TCheckSession(TRunSettings settings = {});
    TCheckSession(const TCheckSession&) = delete;
    TCheckSession& operator=(const TCheckSession&) = delete;

    const TRunSettings& Settings() const { return Settings_; }
    // The settings' code page: what the next read reads the sources in, and what the writers
    // show the names of its findings in.
    const platform::TCodePage& CodePage() const {
        return *platform::FindCodePage(Settings_.CodePage);
    }
    // Another code page for the source files; the next Check reads the project again when it
    // was read in another one. An unknown code page raises EGeneralError and changes nothing.
    void SetCodePage(int codePage);
    TVetrins& Rules() { return Rules_; }
    const TVetrins& Rules() const { return Rules_; }
    TVbProjectSource& Project() { return Project_; }
    const TVbProjectSource& Project() const { return Project_; }
    // Read at the first parse of a member, then shared by every parse of the session.
    TVbWordLists& WordLists() { return WordLists_; }

    // Where findings go (none: they are dropped), or the windows' result lines and jump records.
    // Either way they pass the member's suppression comments first, in one place.
    void SetFindings(TFindingSink* sink);
    void SetResults(TTextLines* lines);
    // The log of the parse walk and of the rules.
    void SetLog(TTextLines* lines);

    // Told after each step of a read or a check: a member parsed, a part checked. `total` is the
    // number of steps of the whole run (reading the members, then checking the project and each
    // member), known once the project file is read; `done` counts up to it.
    using TProgress = std::function<void(int done, int total)>;
    void SetProgress(TProgress progress) { Progress_ = std::move(progress); }

    // Told once the parse walk of a read has been written to the log, before the check of a run
    // that reads and checks.
    void SetReadDone(std::function<void()> readDone) { ReadDone_ = std::move(readDone); }

    // True when the project must be read before a check: another path, a file changed on disk
    // since the last read, a read that failed midway, a read in another code page, or a run
    // that freed the members' parse.
    bool NeedsRead(const std::string& path) const;
    // Forgets the project as read, reads the project file and every member and parses them, in
    // the settings' code page (which becomes the run's source code page). A file that is there
    // but holds no project lines raises EGeneralError.
    void ReadProject(const std::string& path);
    // Runs the enabled rules on the project and then on each member, in project order. Raises
    // EGeneralError after a run that freed the members' parse (the project must be read again).
    void CheckProject();
    // Reads the project (as ReadProject) and checks it (as CheckProject). Without KeepParsed
    // each member is checked as soon as it is parsed and then freed; the log, the findings and
    // the progress are the same either way.
    void ReadAndCheck(const std::string& path);
    // Reads the project when NeedsRead says so, then checks it.
    void Check(const std::string& path);
    // The texts that stand for member files (none: every member is read from its file); not
    // owned, read at each read of a member.
    void SetMemberTexts(const TMemberTexts* texts) { MemberTexts_ = texts; }
    // Forgets the project as read and makes one member source of the kind `kind` its only member,
    // read from `path` (or its text) and parsed: a source file checked on its own, outside any
    // project file. The project part has no file and no lines.
    void ReadMemberAlone(const std::string& path, TVbMemberKind kind);
    // After a check of a project read and kept (KeepParsed): reads the member named `fileName`
    // again (its text or its file), parses and checks it, and hands out its findings and log
    // lines alone, those of the rules on the symbol table included (the other members'
    // summaries kept from the last check). Answers false, and does nothing, when the project
    // has no such member or must be read and checked whole (NeedsRead, or no check since the read).
    bool RecheckMember(const std::string& fileName);
    // Hands out the findings of the rules on the symbol table for the member named `fileName`,
    // from the table of the last check as RecheckMember keeps it up to date (another member's
    // change can make a declaration of this one unused). Answers false, and does nothing, when
    // no table is kept or the project has no such member.
    bool ReportMemberSymbols(const std::string& fileName);

    // The line counts of every member, in project order (the comment statistics rule fills them
    // during a check).
    std::vector<TStatisticsRow> StatisticsRows() const;

    // The checker project file: the rules' switches and settings.
    void LoadRules(const std::string& fileName) { Rules_.LoadFromFile(fileName); }
    void SaveRules(const std::string& fileName) { Rules_.SaveToFile(fileName); }

private:
    // What one part's check left for its turn: the log lines and findings, in the order made.
    struct TMemberOutput {
        TStringLines ParseLog; // of the parse walk, when the member is also checked before its turn
        TStringLines Log;
        std::vector<TFindingRecord> Findings;
        std::string ReadError;
        // How the part's check failed: raised in its turn.
        std::exception_ptr CheckError;
    };
    class TFindingCollector : public TFindingSink {
    public:
        std::vector<TFindingRecord>* Into = nullptr;
        void Add(const TFindingRecord& finding) override { Into->push_back(finding); }
        void Take(TFindingRecord&& finding) override { Into->push_back(std::move(finding)); }
    };

    // The one route of a finding: a part is checked with a copy of the rules into what it leaves
    // for its turn (`tree`: with what lies below it), its suppression comments applied there
    // once; in its turn its log lines and findings go to the log and the sink (HandOut).
    static void KeepFor(TMemberOutput& output, TVetrins& rules, TFindingCollector& collector,
                        bool findings, bool log);
    void CheckPartInto(TVtParts& part, bool tree, TVetrins& rules, TFindingCollector& collector,
                       TMemberOutput& output) const;
    void DropSuppressed(const TVtParts& part, std::vector<TFindingRecord>& findings) const;
    void HandOut(TMemberOutput& output);

    // Steps of the run under way: a read counts its members, a check the project and its members.
    void BeginRun(bool reads, bool checks);
    void Step();
    // Hands the log lines a member's work kept to the log, in their order, and forgets them.
    void PassLog(TStringLines& kept);
    // A member's turn in the parse walk: its parse log lines, then it logs straight to the log.
    void EndParseWalk(TVtParts& member, TStringLines& parseLog);

    // Reads the project file and parses it, naming the members without reading them.
    void ReadProjectFile(const std::string& path);
    // Reads and parses the members on the run's threads (the project file is read already).
    void ReadMembers();
    // Checks the members on the run's threads, each thread with its own copy of the rules.
    void CheckMembers(std::vector<std::unique_ptr<TVetrins>>& copies);
    // Checks the project part itself (the first step of a check).
    void CheckProjectPart(TVetrins& rules);
    // Reads, parses, checks and frees each member on the run's threads, then checks the
    // project, and writes the log, findings and progress in the order of a read and a check.
    void ReadAndCheckMembers();
    // Copies of the session's rules, switched and set as they are, one per thread of a run over
    // that many members.
    std::vector<std::unique_ptr<TVetrins>> RuleCopies(int members) const;

    // Before the members' check: one syntax model cache for each copy of the rules, and the
    // project's symbol table made ready for `members` summaries when an enabled rule reads it.
    void BeginSyntax(std::vector<std::unique_ptr<TVetrins>>& copies, int members);
    // One syntax model cache for each copy of the rules.
    void ShareSyntaxCaches(std::vector<std::unique_ptr<TVetrins>>& copies);
    // After a member's check, on its thread: its summary and suppression comments when a rule
    // needs the symbol table, then its syntax model is freed.
    void EndMemberSyntax(int index, TVtParts& member, int copy);
    // Once every member is through: the findings of the rules on the symbol table, rule by rule
    // in table order, member by member in project order, each member's in line order; only
    // member `only`'s when it is not negative. A session that keeps the parse keeps the table
    // for RecheckMember.
    void ReportProjectSymbols(TVetrins& rules, int only = -1);
    // The same findings, made and returned instead of handed out (nothing but this reads or
    // writes the table meanwhile, so it may run beside the hand-out of the members' findings).
    std::vector<TFindingRecord> ProjectSymbolFindings(TVetrins& rules, int only = -1);
    // The index of the member named `fileName` among the project's children, or -1.
    int MemberIndex(const std::string& fileName) const;
    // Reads a member from its text in MemberTexts_ or else from its file (LoadMemberFile).
    std::string LoadMember(TVtParts& member, const std::string& fileName) const;
    struct TMemberReport {
        bool Target = false; // a check target: its declarations are judged
        std::optional<TSuppression> Suppression;
    };
    std::vector<std::unique_ptr<TVbSyntaxCache>> SyntaxCaches_;
    bool NeedsSymbols_ = false;
    TVbSymbolContext SymbolContext_;
    TVbProjectSymbols Symbols_;
    std::vector<TMemberReport> SymbolReports_;
    bool SymbolsKept_ = false; // the table of the last check is there, resolved
    bool Checked_ = false;     // a check ran since the last read
    const TMemberTexts* MemberTexts_ = nullptr;

    TProgress Progress_;
    std::function<void()> ReadDone_;
    TTextLines* Log_ = nullptr;
    bool RunReads_ = false, RunChecks_ = false;
    int Done_ = 0;

    TRunSettings Settings_;
    TFindingSink* Sink_ = nullptr;
    TVetrins Rules_;
    TVbWordLists WordLists_;
    TVbProjectSource Project_;
    bool ReadIncomplete_ = false;
    bool ParseReleased_ = false; // the last run freed the members' parse
    int ReadCodePage_ = 932;     // the code page the project was last read in
};
