#include "lsp/MemberCheck.h"

#include "checkers/RuleTable.h"
#include "checkers/SyntaxRule.h"

#include <algorithm>

namespace {

TRunSettings RunSettings(const TMemberCheckSettings& settings) {
    TRunSettings run;
    run.CodePage = settings.CodePage;
    run.WordListFolder = settings.WordListFolder;
    // The members stay parsed, so that a change re-checks one of them.
    run.KeepParsed = true;
    return run;
}

} // namespace

TMemberCheck::TMemberCheck(std::string project, const TMemberCheckSettings& settings)
    : Project_(std::move(project)), Session_(RunSettings(settings)) {
    EnableDefaultRules(Session_.Rules());
    if (!settings.RulesFile.empty()) Session_.LoadRules(settings.RulesFile);
    if (Project_.empty()) {
        for (int i = 0; i < Session_.Rules().Count(); ++i)
            if (auto* rule = dynamic_cast<TProjectSymbolRule*>(Session_.Rules().Items(i)))
                rule->Enabled = false;
    }
    Session_.SetMemberTexts(&Texts_);
    Session_.SetFindings(&Collector_);
}

std::vector<TFindingRecord> TMemberCheck::Check(const std::string& member, std::string text) {
    Texts_[member] = std::move(text);
    Collector_.Findings.clear();
    if (Project_.empty()) {
        Session_.ReadMemberAlone(member, MemberKindOfFile(member));
        Session_.CheckProject();
    } else if (!Session_.RecheckMember(member)) {
        Session_.Check(Project_);
    }
    std::vector<TFindingRecord> findings = std::move(Collector_.Findings);
    Collector_.Findings.clear();
    std::erase_if(findings, [&](const TFindingRecord& f) { return f.File != member; });
    return findings;
}

void TMemberCheck::Forget(const std::string& member) { Texts_.erase(member); }
