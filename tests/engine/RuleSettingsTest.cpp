#include "checkers/Checkers.h"
#include "checkers/RuleTable.h"
#include "checkers/VBNeedAutoIncrementVer.h"
#include "checkers/VBNeedOptionExplicit.h"
#include "checkers/VBUnusedArguments.h"
#include "checkers/VBUnusedLocalVariables.h"
#include "checkers/VbAnalyzeStatistics.h"
#include "checkers/VbFileNamingRule.h"
#include "checkers/VbLimitLengthOfLine.h"
#include "checkers/VbNoCheckFile.h"
#include "checkers/VbProhibitImplicitPublicDeclaration.h"
#include "framework/Errors.h"
#include "platform/Files.h"
#include "vbsource/VbSource.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {
std::string Save(const TVetrins& checkers) {
    std::ostringstream out;
    checkers.SaveToStream(out);
    return out.str();
}
void Load(TVetrins& checkers, const std::string& text) {
    std::istringstream in(text);
    checkers.LoadFromStream(in);
}
template <typename T> T& Find(TVetrins& checkers, std::string_view className) {
    return dynamic_cast<T&>(*checkers.FindByClassName(className));
}
} // namespace

TEST(RuleSet, TheCollectionIsTheRuleTable) {
    TVetrins checkers;
    AddAllCheckers(checkers);
    const auto table = RuleTable();
    ASSERT_EQ(checkers.Count(), static_cast<int>(table.size()));
    std::set<std::string_view> names;
    for (int i = 0; i < checkers.Count(); ++i) {
        const TRuleRow& row = table[static_cast<std::size_t>(i)];
        const TVetrin& c = *checkers.Items(i);
        SCOPED_TRACE(std::string(row.ClassName));
        // The row's factory makes the rule of the row's class; every name is there once.
        EXPECT_EQ(c.ClassName(), row.ClassName);
        EXPECT_TRUE(names.insert(row.ClassName).second);
        EXPECT_EQ(FindRuleRow(row.ClassName), &row);
        EXPECT_EQ(c.GetCheckerName(), Sj(row.DisplayName));
        EXPECT_LT(row.Category, CategoryCount);
        EXPECT_STRNE(CategoryCaption(row.Category), "-");
        // The class name is the type's own, as the compiler spells it: a bare identifier.
        EXPECT_EQ(row.ClassName.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_"),
                  std::string_view::npos);
        // Only the excluded-files rule runs before exclusion applies (it decides it).
        EXPECT_EQ(c.IgnoresExclusion(), row.ClassName == "TVbNoCheckFile");
        EXPECT_FALSE(c.Enabled);
        EXPECT_EQ(c.Index(), i);
    }
    EXPECT_EQ(FindRuleRow("TVbUnusedArguments"), nullptr); // letter case counts
    EXPECT_STREQ(CategoryCaption(CategoryCount), "-");
    EXPECT_THROW(SetRuleDialog("TNoSuchRule", {}), EGeneralError);
}

TEST(RuleSet, TargetsByKindOfPart) {
    TVetrins checkers;
    AddAllCheckers(checkers);
    TVbProjectSource project;
    TVbFormSource form(&project);
    TVbModuleSource module(&project);
    TVbClassSource cls(&project);
    TVbUserControlSource control(&project);
    TVbPropertyPageSource page(&project);
    TVtParts plain;
    const TVtParts* members[] = {&form, &module, &cls, &control, &page};
    for (int i = 0; i < checkers.Count(); ++i) {
        const TVetrin& c = *checkers.Items(i);
        SCOPED_TRACE(std::string(c.ClassName()));
        bool everyPart = c.ClassName() == "TVbNoCheckFile" || c.ClassName() == "TVbFileNamingRule";
        bool projectOnly = c.ClassName() == "TVBNeedAutoIncrementVer";
        for (const TVtParts* m : members)
            EXPECT_EQ(c.IsTarget(*m), !projectOnly);
        EXPECT_EQ(c.IsTarget(project), everyPart || projectOnly);
        EXPECT_EQ(c.IsTarget(plain), everyPart);
    }
}

TEST(RuleSet, DefaultsOfAFreshRule) {
    TVbFileNamingRule naming;
    ASSERT_EQ(naming.NamingRules.Count(), 8);
    EXPECT_EQ(naming.NamingRules.Names[0], Sj("全てのファイル"));
    EXPECT_EQ(naming.NamingRules.Names[5], Sj("ユーザコントロール(*.ctl)"));
    EXPECT_EQ(naming.NamingRules.Names[7], Sj("上記以外のファイル"));
    EXPECT_EQ(naming.NamingRules.Values, (TStringList{"*.*", "", "", "", "", "", "", "*.*"}));
    EXPECT_TRUE(TVBNeedAutoIncrementVer().Required);
    EXPECT_TRUE(TVbProhibitImplicitPublicDeclaration().ExceptSubMain);
    EXPECT_EQ(TVbLimitLengthOfLine().MaxLength, 80);
    EXPECT_TRUE(TVbNoCheckFile().ExceptionFileList.empty());
    TVBUnusedArguments arguments;
    EXPECT_TRUE(arguments.ExceptionList.empty());
    EXPECT_FALSE(arguments.ExceptEventProcedure);
}

TEST(RuleSet, FreshCollectionWithOnlyExcludedFilesWritesTheKnownFile) {
    TVetrins checkers;
    AddAllCheckers(checkers);
    checkers.FindByClassName("TVbNoCheckFile")->Enabled = true;
    std::string expected;
    ASSERT_TRUE(platform::ReadFileBytes(
        std::string(VETRIN_TEST_DATA) + "/rules/only-excluded-files.vrp", expected));
    EXPECT_EQ(Save(checkers), expected);
}

TEST(RuleSet, EverySettingSurvivesSaveAndLoad) {
    TVetrins written;
    AddAllCheckers(written);
    for (int i = 0; i < written.Count(); ++i)
        written.Items(i)->Enabled = i % 2 == 0;
    // Entries with "]", empty lines and blanks are values, never taken for section headers.
    Find<TVbNoCheckFile>(written, "TVbNoCheckFile").ExceptionFileList = {"[TVbLimitLengthOfLine] x",
                                                                         "", " Form1.frm "};
    auto& arguments = Find<TVBUnusedArguments>(written, "TVBUnusedArguments");
    arguments.ExceptionList = {"Index", "", Sj("引数")};
    arguments.ExceptEventProcedure = true;
    Find<TVBNeedAutoIncrementVer>(written, "TVBNeedAutoIncrementVer").Required = false;
    auto& naming = Find<TVbFileNamingRule>(written, "TVbFileNamingRule");
    naming.NamingRules.Values[2] = "frm*.frm";
    naming.NamingRules.Values[0] = "";
    Find<TVbProhibitImplicitPublicDeclaration>(written, "TVbProhibitImplicitPublicDeclaration")
        .ExceptSubMain = false;
    Find<TVbLimitLengthOfLine>(written, "TVbLimitLengthOfLine").MaxLength = -1;
    const std::string text = Save(written);

    TVetrins read;
    AddAllCheckers(read);
    Load(read, text);
    EXPECT_EQ(Save(read), text);
    for (int i = 0; i < read.Count(); ++i)
        EXPECT_EQ(read.Items(i)->Enabled, i % 2 == 0);
    EXPECT_EQ(Find<TVbNoCheckFile>(read, "TVbNoCheckFile").ExceptionFileList,
              (TStringList{"[TVbLimitLengthOfLine] x", "", " Form1.frm "}));
    EXPECT_EQ(Find<TVBUnusedArguments>(read, "TVBUnusedArguments").ExceptionList,
              (TStringList{"Index", "", Sj("引数")}));
    EXPECT_TRUE(Find<TVBUnusedArguments>(read, "TVBUnusedArguments").ExceptEventProcedure);
    EXPECT_FALSE(Find<TVBNeedAutoIncrementVer>(read, "TVBNeedAutoIncrementVer").Required);
    EXPECT_EQ(Find<TVbFileNamingRule>(read, "TVbFileNamingRule").NamingRules.Values,
              (TStringList{"", "", "frm*.frm", "", "", "", "", "*.*"}));
    EXPECT_FALSE(
        Find<TVbProhibitImplicitPublicDeclaration>(read, "TVbProhibitImplicitPublicDeclaration")
            .ExceptSubMain);
    EXPECT_EQ(Find<TVbLimitLengthOfLine>(read, "TVbLimitLengthOfLine").MaxLength, -1);
}

TEST(RuleSet, LoadingReadsOnlyTheSectionsPresent) {
    TVetrins checkers;
    AddAllCheckers(checkers);
    checkers.FindByClassName("TVbLimitLengthOfLine")->Enabled = true;
    // The section is cut short: the missing limit raises and the flag read before it is put back.
    try {
        Load(checkers, "[TVbLimitLengthOfLine] : anything\r\nFalse\r\n");
        FAIL() << "a missing limit must raise";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), Sj("'' は整数ではありません"));
    }
    EXPECT_TRUE(checkers.FindByClassName("TVbLimitLengthOfLine")->Enabled);
    EXPECT_EQ(Find<TVbLimitLengthOfLine>(checkers, "TVbLimitLengthOfLine").MaxLength, 80);
    EXPECT_TRUE(Find<TVBNeedAutoIncrementVer>(checkers, "TVBNeedAutoIncrementVer").Required);

    Load(checkers,
         "[TVbLimitLengthOfLine] : x\r\nTrue\r\n120\r\n[TVbProhibitImplicitPublicDeclaration] : "
         "y\r\ntrue\r\nFalse\r\n");
    EXPECT_EQ(Find<TVbLimitLengthOfLine>(checkers, "TVbLimitLengthOfLine").MaxLength, 120);
    // "true" is no boolean word: the flag stays, and the next value goes to ExceptSubMain.
    EXPECT_FALSE(checkers.FindByClassName("TVbProhibitImplicitPublicDeclaration")->Enabled);
    EXPECT_FALSE(
        Find<TVbProhibitImplicitPublicDeclaration>(checkers, "TVbProhibitImplicitPublicDeclaration")
            .ExceptSubMain);

    try {
        Load(checkers, "[TVbLimitLengthOfLine] : x\r\nTrue\r\neighty\r\n");
        FAIL() << "a limit that is no integer must raise";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), Sj("'eighty' は整数ではありません"));
    }
}

TEST(RuleSet, LoadingWithoutALineEndAfterTheLastValue) {
    TVetrins checkers;
    AddAllCheckers(checkers);
    Load(checkers, "[TVbLimitLengthOfLine] : x\r\nTrue\r\n100");
    EXPECT_EQ(Find<TVbLimitLengthOfLine>(checkers, "TVbLimitLengthOfLine").MaxLength, 100);
}

TEST(RuleSet, AssignSettingsCopiesEverySettingAndNothingElse) {
    TVBUnusedArguments a, b;
    a.ExceptionList = {"x", "y"};
    a.ExceptEventProcedure = true;
    a.Enabled = true;
    b.AssignSettings(a);
    EXPECT_EQ(b.ExceptionList, a.ExceptionList);
    EXPECT_TRUE(b.ExceptEventProcedure);
    EXPECT_FALSE(b.Enabled);
    a.ExceptionList.push_back("z"); // a copy, not shared
    EXPECT_EQ(b.ExceptionList.size(), 2u);

    TVbNoCheckFile n1, n2;
    n1.ExceptionFileList = {"a.bas"};
    n2.AssignSettings(n1);
    EXPECT_EQ(n2.ExceptionFileList, n1.ExceptionFileList);

    TVbFileNamingRule f1, f2;
    f1.NamingRules.Values[3] = "mod*.bas";
    f2.AssignSettings(f1);
    EXPECT_EQ(f2.NamingRules.Values[3], "mod*.bas");

    TVBNeedAutoIncrementVer v1, v2;
    v1.Required = false;
    v2.AssignSettings(v1);
    EXPECT_FALSE(v2.Required);

    TVbProhibitImplicitPublicDeclaration p1, p2;
    p1.ExceptSubMain = false;
    p2.AssignSettings(p1);
    EXPECT_FALSE(p2.ExceptSubMain);

    TVbLimitLengthOfLine l1, l2;
    l1.MaxLength = 132;
    l2.AssignSettings(l1);
    EXPECT_EQ(l2.MaxLength, 132);
    // A checker of another class changes nothing.
    l2.AssignSettings(p1);
    EXPECT_EQ(l2.MaxLength, 132);
}

TEST(RuleSet, ShowDetailOpensTheDialogOfTheRowOrRaisesTheAssertion) {
    TVbLimitLengthOfLine rule;
    try {
        rule.ShowDetail(nullptr);
        FAIL() << "no dialog is registered";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(),
                  Sj("ShowDetailエラー:このメソッドはinheritedしてはいけない (Vetrin, 603 行)"));
    }
    TVetrin* shown = nullptr;
    int owner = 0;
    void* ownerSeen = nullptr;
    SetRuleDialog("TVbLimitLengthOfLine", [&](TVetrin& checker, void* o) {
        shown = &checker;
        ownerSeen = o;
    });
    rule.ShowDetail(&owner);
    SetRuleDialog("TVbLimitLengthOfLine", {});
    EXPECT_EQ(shown, &rule);
    EXPECT_EQ(ownerSeen, &owner);
}
