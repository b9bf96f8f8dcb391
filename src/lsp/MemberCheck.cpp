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

// UTF-8 text in a code page. Every supported page holds ASCII as ASCII, and a byte below 0x80
// never stands inside a UTF-8 sequence: only the runs of other characters go through the
// converter, which most of a source's text then bypasses.
std::string InCodePage(std::string_view utf8, const platform::TCodePage& page) {
    std::string text;
    text.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t run = i;
        while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80)
            ++run;
        text.append(utf8, i, run - i);
        i = run;
        while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) >= 0x80)
            ++run;
        if (run > i) text += page.FromUtf8(utf8.substr(i, run - i));
        i = run;
    }
    return text;
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

std::vector<TFindingRecord> TMemberCheck::Check(const std::string& member, std::string_view text) {
    Texts_[member] = InCodePage(text, CodePage());
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

std::optional<std::vector<TFindingRecord>> TMemberCheck::SymbolFindings(const std::string& member) {
    Collector_.Findings.clear();
    if (!Session_.ReportMemberSymbols(member)) return std::nullopt;
    std::vector<TFindingRecord> findings = std::move(Collector_.Findings);
    Collector_.Findings.clear();
    return findings;
}

bool TMemberCheck::IsSymbolFinding(const TFindingRecord& finding) const {
    return dynamic_cast<const TProjectSymbolRule*>(
               Session_.Rules().FindByClassName(finding.Rule)) != nullptr;
}

void TMemberCheck::Forget(const std::string& member) { Texts_.erase(member); }
