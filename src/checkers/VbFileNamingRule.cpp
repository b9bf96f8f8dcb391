#include "checkers/VbFileNamingRule.h"

#include "checkers/CheckerTexts.h"
#include "checkers/WildcardMatcher.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbSource.h"

TVbFileNamingRule::TVbFileNamingRule() {
    const TCheckerTexts& t = CheckerTexts();
    for (int row = 0; row < RowCount; ++row)
        NamingRules.Add(t.NamingLabels[row], row == rowAll || row == rowOther ? "*.*" : "");
}

namespace {
int KindRow(const TVtParts& part) {
    if (dynamic_cast<const TVbProjectSource*>(&part)) return TVbFileNamingRule::rowProject;
    switch (MemberKindOf(part)) {
    case TVbMemberKind::Form:
        return TVbFileNamingRule::rowForm;
    case TVbMemberKind::Module:
        return TVbFileNamingRule::rowModule;
    case TVbMemberKind::Class:
        return TVbFileNamingRule::rowClass;
    case TVbMemberKind::UserControl:
        return TVbFileNamingRule::rowUserControl;
    case TVbMemberKind::PropertyPage:
        return TVbFileNamingRule::rowPropertyPage;
    case TVbMemberKind::None:
        break;
    }
    return TVbFileNamingRule::rowOther;
}
} // namespace

std::string TVbFileNamingRule::PatternOf(int row) const {
    // A table loaded from a hand-edited file may be short: a missing row has no pattern.
    if (row >= static_cast<int>(NamingRules.Values.size())) return std::string();
    return NamingRules.Values[static_cast<std::size_t>(row)];
}

void TVbFileNamingRule::Check(TVtParts& part) {
    const std::string all = PatternOf(rowAll);
    const std::string own = PatternOf(KindRow(part));
    // The patterns are code page 932 text (checker project file); the name is the file system's.
    const std::string name = platform::PathToSystemText(platform::FileNamePart(part.FileName));
    // A kind's own pattern replaces the all-files pattern.
    const std::string& pattern = own.empty() ? all : own;
    if (pattern.empty()) return;
    if (!MatchesPattern(name, pattern)) Report(TText::NamingViolation, {{"pattern", pattern}});
}

bool TVbFileNamingRule::IsTarget(const TVtParts&) const { return true; }

void TVbFileNamingRule::Settings(TSettingsVisitor& visitor) {
    // The kind labels first, then the patterns, one of each per row.
    visitor.Texts({"Kinds", "種類"}, NamingRules.Names);
    visitor.Texts({"Patterns", "命名規則"}, NamingRules.Values);
}
