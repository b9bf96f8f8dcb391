// The check of one open member: its project read once and kept, the editor's text standing for
// the member's file, and a change re-checking only that member.
#pragma once

#include "checkers/CheckSession.h"
#include "framework/Finding.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TMemberCheckSettings {
    int CodePage = 932;
    std::string RulesFile; // a checker project file (engine path); empty: the default rules
    std::string WordListFolder;
};

// The checks of the members of one project, or of one source file outside any project (with the
// rules on members alone: a symbol table of one file would call every Public procedure unused).
class TMemberCheck {
public:
    // `project`: the project file (engine path), or empty for a file on its own. Raises what
    // applying the rules file raises.
    TMemberCheck(std::string project, const TMemberCheckSettings& settings);
    const std::string& Project() const { return Project_; }
    const TVetrins& Rules() const { return Session_.Rules(); }
    const platform::TCodePage& CodePage() const { return Session_.CodePage(); }

    // The findings of a member, with the editor's `text` (UTF-8, converted into the code page; a
    // character the page cannot hold becomes "?") as its text, in report order: the project is read
    // and checked whole the first time and whenever its files changed on disk; otherwise the member
    // alone is checked again. Raises what the read raises.
    std::vector<TFindingRecord> Check(const std::string& member, std::string_view text);
    // The findings of the rules on the symbol table for a member, from the project's table as the
    // last check left it (another member's change can make a declaration of this one unused);
    // none when no table is kept.
    std::optional<std::vector<TFindingRecord>> SymbolFindings(const std::string& member);
    // Whether a finding is one of a rule on the symbol table.
    bool IsSymbolFinding(const TFindingRecord& finding) const;
    // The member is read from its file again (the editor closed it).
    void Forget(const std::string& member);

private:
    class TCollector : public TFindingSink {
    public:
        std::vector<TFindingRecord> Findings;
        void Add(const TFindingRecord& finding) override { Findings.push_back(finding); }
        void Take(TFindingRecord&& finding) override { Findings.push_back(std::move(finding)); }
    };
    std::string Project_;
    TCheckSession Session_;
    TMemberTexts Texts_;
    TCollector Collector_;
};
