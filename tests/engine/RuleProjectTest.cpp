#include "checkers/VBNeedAutoIncrementVer.h"
#include "checkers/VBNeedOptionExplicit.h"
#include "checkers/VbFileNamingRule.h"
#include "checkers/VbNoCheckFile.h"
#include "framework/Errors.h"
#include "platform/Files.h"

#include "RuleTestSupport.h"
#include "checkers/RuleTable.h"

#include <gtest/gtest.h>

namespace {
// A project read from the given .vbp text (UTF-8, "\n" line ends); its members are parsed too
// when `analyze` is set.
std::unique_ptr<TVbProjectSource> Project(const TempDir& dir, std::string_view vbp,
                                          bool analyze = false) {
    auto project = std::make_unique<TVbProjectSource>();
    project->Load(dir.Write("P.vbp", VbBytes(vbp)));
    if (analyze)
        project->Analyze();
    else
        project->Parse();
    return project;
}

Lines AutoIncrement(std::string_view vbp, bool required = true) {
    TempDir dir;
    auto project = Project(dir, vbp);
    TRuleHarness h;
    h.Enable<TVBNeedAutoIncrementVer>().Required = required;
    return h.Check(*project);
}

const char* Member = "Attribute VB_Name = \"M\"\n";

// Findings of the naming rule alone on a member of kind T named `name`.
template <typename T>
Lines Naming(const std::string& name, std::string_view all, std::string_view own, int row) {
    TempDir dir;
    auto source = ParsedMember<T>(dir, name, Member);
    TRuleHarness h;
    auto& rule = h.Enable<TVbFileNamingRule>();
    rule.NamingRules.Values[0] = all;
    rule.NamingRules.Values[static_cast<std::size_t>(row)] = own;
    return h.Check(*source);
}
} // namespace

TEST(RuleAutoIncrement, TheProjectLineAgainstTheRequiredState) {
    const char* off = "Type=Exe\nAutoIncrementVer=0\n";
    const char* on = "Type=Exe\nName=\"P\"\nAutoIncrementVer=1\n";
    EXPECT_EQ(AutoIncrement(off),
              Lines{"(2) : バージョン番号の自動インクリメントが無効になっています。"});
    EXPECT_EQ(AutoIncrement(on), Lines{});
    EXPECT_EQ(AutoIncrement(on, false),
              Lines{"(3) : バージョン番号の自動インクリメントが有効になっています。"});
    EXPECT_EQ(AutoIncrement(off, false), Lines{});
    // The key ignores letter case; the value is taken untrimmed; the first such line counts.
    EXPECT_EQ(AutoIncrement("autoincrementver=0\n"),
              Lines{"(1) : バージョン番号の自動インクリメントが無効になっています。"});
    EXPECT_EQ(AutoIncrement("AutoIncrementVer=0 \n"), Lines{});
    EXPECT_EQ(AutoIncrement("AutoIncrementVer =0\n"), Lines{});
    EXPECT_EQ(AutoIncrement("AutoIncrementVer=2\nAutoIncrementVer=0\n"), Lines{});
    // No line at all: nothing to judge.
    EXPECT_EQ(AutoIncrement("Type=Exe\n"), Lines{});
}

TEST(RuleAutoIncrement, MembersAreNeverJudged) {
    TempDir dir;
    auto source =
        ParsedMember<TVbModuleSource>(dir, "M.bas", std::string(Member) + "AutoIncrementVer=0\n");
    TRuleHarness h;
    h.Enable<TVBNeedAutoIncrementVer>();
    EXPECT_EQ(h.Check(*source), Lines{});
    EXPECT_EQ(h.Log.Count(), 0);
}

TEST(RuleFileNaming, TheDefaultTableWantsAnExtension) {
    EXPECT_EQ(Naming<TVbModuleSource>("Module1.bas", "*.*", "", 3), Lines{});
    EXPECT_EQ(Naming<TVbModuleSource>("Module1", "*.*", "", 3),
              Lines{" : ファイルの命名規則に違反しています。(*.*)"});
}

TEST(RuleFileNaming, AKindsOwnPatternReplacesTheAllFilesPattern) {
    using F = TVbFormSource;
    EXPECT_EQ(Naming<F>("frmMain.frm", "*.*", "frm*.frm", 2), Lines{});
    EXPECT_EQ(Naming<F>("FRMMAIN.FRM", "*.*", "frm*.frm", 2), Lines{});
    EXPECT_EQ(Naming<F>("Main.frm", "*.*", "frm*.frm", 2),
              Lines{" : ファイルの命名規則に違反しています。(frm*.frm)"});
    EXPECT_EQ(Naming<F>("Main.frm", "x*", "frm*.frm", 2),
              Lines{" : ファイルの命名規則に違反しています。(frm*.frm)"});
    EXPECT_EQ(Naming<F>("xMain.frm", "x*", "frm*.frm", 2),
              Lines{" : ファイルの命名規則に違反しています。(frm*.frm)"});
    // The form pattern does not apply to a module, which falls back to the all-files pattern.
    EXPECT_EQ(Naming<TVbModuleSource>("Main.bas", "x*", "", 3),
              Lines{" : ファイルの命名規則に違反しています。(x*)"});
    // Neither pattern set: the file is not judged.
    EXPECT_EQ(Naming<TVbModuleSource>("Main", "", "", 3), Lines{});
}

// The patterns are code page 932 text, as the checker project file holds them; the file's name is
// the file system's (UTF-8): the two are compared as the same characters.
TEST(RuleFileNaming, AJapaneseNameMatchesAJapanesePattern) {
    using F = TVbFormSource;
    EXPECT_EQ(Naming<F>("顧客画面.frm", "*.*", Sj("顧客*.frm"), 2), Lines{});
    const Lines violation = Naming<F>("顧客画面.frm", "*.*", Sj("注文*.frm"), 2);
    ASSERT_EQ(violation.size(), 1u);
    EXPECT_NE(violation[0].find("(注文*.frm)"), std::string::npos) << violation[0];
}

TEST(RuleFileNaming, EachKindHasItsRow) {
    const std::string no = " : ファイルの命名規則に違反しています。(z*)";
    EXPECT_EQ(Naming<TVbClassSource>("a.cls", "*", "z*", 4), Lines{no});
    EXPECT_EQ(Naming<TVbUserControlSource>("a.ctl", "*", "z*", 5), Lines{no});
    EXPECT_EQ(Naming<TVbPropertyPageSource>("a.pag", "*", "z*", 6), Lines{no});
    EXPECT_EQ(Naming<TVbClassSource>("a.cls", "*", "z*", 5), Lines{});

    // The project has row 1; a part of no known kind has row 7.
    TempDir dir;
    auto project = Project(dir, "Type=Exe\n");
    TRuleHarness h;
    auto& rule = h.Enable<TVbFileNamingRule>();
    EXPECT_EQ(h.Check(*project), Lines{});
    rule.NamingRules.Values[1] = "prj*.vbp";
    EXPECT_EQ(h.Check(*project), Lines{" : ファイルの命名規則に違反しています。(prj*.vbp)"});

    TVtParts other;
    other.FileName = "/p/README";
    h.Results.Clear();
    h.Checkers.CurrentPart = &other;
    rule.Check(other);
    EXPECT_EQ(h.Results.Lines,
              TStringList{"/p/README : " + Sj("ファイルの命名規則に違反しています。(*.*)")});
}

TEST(RuleFileNaming, AnInvalidPatternEndsTheRun) {
    try {
        Naming<TVbModuleSource>("a.bas", "[abc", "", 3);
        FAIL() << "the invalid mask must reach the caller";
    } catch (const EMaskError& e) {
        EXPECT_EQ(e.Message(), Sj("5 番目の文字（'[abc'）は正しくないマスク文字です"));
    }
}

TEST(RuleFileNaming, AShortTableFromAHandEditedFileJudgesWithWhatItHas) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Main", Member);
    TRuleHarness h;
    auto& rule = h.Enable<TVbFileNamingRule>();
    rule.NamingRules.Names = {"all"};
    rule.NamingRules.Values = {"*.*"};
    EXPECT_EQ(h.Check(*source), Lines{" : ファイルの命名規則に違反しています。(*.*)"});
}

TEST(RuleExcludedFiles, ListedFilesAreSkippedByTheOtherRules) {
    TempDir dir;
    dir.Write("Form1.frm",
              VbBytes("VERSION 5.00\nBegin VB.Form Form1\nEnd\nAttribute VB_Name = \"Form1\"\n"));
    dir.Write("sub/Form1.frm", VbBytes("Attribute VB_Name = \"Form2\"\n"));
    dir.Write("M.bas", VbBytes(Member));
    auto project = Project(dir, "Form=Form1.frm\nForm=sub\\Form1.frm\nModule=M; M.bas\n", true);
    ASSERT_EQ(project->Children.size(), 3u);

    auto run = [&](const TStringList& excluded) {
        TRuleHarness h;
        h.Enable<TVbNoCheckFile>().ExceptionFileList = excluded;
        h.Enable<TVBNeedOptionExplicit>();
        project->CheckTree(h.Checkers);
        std::string outcome;
        for (const std::string& line : h.Log.Lines)
            outcome += line.find(Sj("チェック対象外")) != std::string::npos ? "-" : "+";
        return std::to_string(h.Results.Count()) + outcome;
    };
    // Log lines: project (excluded files), then per member excluded files and Option Explicit.
    EXPECT_EQ(run({}), "3+++++++");
    EXPECT_EQ(run({"Form1.frm"}), "1++-+-++");
    EXPECT_EQ(run({"form1.frm", "Form1.frm ", "*.frm", ""}), "3+++++++");
    std::string fullPath = project->Children[1]->FileName;
    EXPECT_EQ(run({fullPath}), "2++++-++");
    EXPECT_EQ(project->Children[1]->ExcludedFiles, TStringList{fullPath});
}

TEST(RuleAllNine, TheSampleProjectGivesItsKnownFindings) {
    const std::string folder = std::string(VETRIN_TEST_DATA) + "/rules/sample/";
    TVbProjectSource project;
    project.Load(folder + "Sample.vbp");
    TRuleHarness h;
    project.SetLog(&h.Log);
    project.Analyze();
    // The nine rules: the ones on the syntax model have fixtures of their own.
    for (int i = 0; i < h.Checkers.Count(); ++i)
        h.Checkers.Items(i)->Enabled = !FindRuleRow(h.Checkers.Items(i)->ClassName())->OptIn;
    project.CheckTree(h.Checkers);

    std::string actual;
    for (const std::string& line : h.Results.Lines) {
        std::string utf8 = platform::Cp932ToUtf8(line);
        actual +=
            (utf8.compare(0, folder.size(), folder) == 0 ? utf8.substr(folder.size()) : utf8) +
            "\n";
    }
    std::string expected;
    ASSERT_TRUE(platform::ReadFileBytes(folder + "expected-results.txt", expected));
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(h.Checkers.JumpRecords.Count(), h.Results.Count());

    // The statistics of every member were filled by the same run.
    for (TVtParts* part : project.Children)
        EXPECT_TRUE(dynamic_cast<TVbSource&>(*part).StatisticsDone);
    const TVbStaticticsInfo& form = dynamic_cast<TVbSource&>(*project.Children[0]).Statistics;
    EXPECT_EQ(form.TotalLines, 25);
    EXPECT_EQ(form.CodeLines, 13);
    EXPECT_EQ(form.BlankLines, 3);
    EXPECT_EQ(form.CommentLines, 2);
}
