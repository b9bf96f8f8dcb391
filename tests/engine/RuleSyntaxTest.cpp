// The rules on the syntax model and on the project's symbol table beyond their annotated fixtures
// (which RuleFixtureTableTest runs): the ways a session can run a project, suppression, ActiveX
// projects, interfaces, settings.
#include "checkers/CheckSession.h"
#include "checkers/VbEmptyProcedures.h"
#include "checkers/VbOnErrorResumeNextNotReset.h"
#include "checkers/VbProcedureMetrics.h"
#include "checkers/VbProhibitGoTo.h"
#include "checkers/VbProhibitImplicitByRef.h"
#include "checkers/VbProhibitImplicitVariant.h"
#include "platform/Files.h"

#include "RuleFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

TEST(RuleEmptyProcedures, AClassOfEmptyProceduresOnlyDefinesAnInterface) {
    TempDir dir;
    auto source = ParsedMember<TVbClassSource>(dir, "IShape.cls",
                                               "Attribute VB_Name = \"IShape\"\n"
                                               "Option Explicit\n"
                                               "Public Sub Draw()\nEnd Sub\n"
                                               "Public Function Area() As Double\nEnd Function\n");
    TRuleHarness h;
    h.Enable<TVbEmptyProcedures>();
    EXPECT_EQ(h.Check(*source), Lines{});
}

TEST(RuleProcedureMetrics, SettingsTravelThroughTheCheckerProjectFileAndTheCopy) {
    TVetrins rules;
    AddAllCheckers(rules);
    auto& metrics =
        dynamic_cast<TVbProcedureMetrics&>(*rules.FindByClassName("TVbProcedureMetrics"));
    metrics.MaxStatements = 7;
    metrics.MaxNesting = 0;
    metrics.MaxComplexity = 33;
    TempDir dir;
    const std::string file = dir.Path + "/m.vrp";
    rules.SaveToFile(file);
    TVetrins loaded;
    AddAllCheckers(loaded);
    loaded.LoadFromFile(file);
    TVbProcedureMetrics copy;
    copy.AssignSettings(*loaded.FindByClassName("TVbProcedureMetrics"));
    EXPECT_EQ(copy.MaxStatements, 7);
    EXPECT_EQ(copy.MaxNesting, 0);
    EXPECT_EQ(copy.MaxComplexity, 33);
}

namespace {

struct TRecords : TFindingSink {
    std::vector<TFindingRecord> Items;
    void Add(const TFindingRecord& finding) override { Items.push_back(finding); }
};

std::string FixtureFolder(const std::string& name) {
    return std::string(VETRIN_TEST_DATA) + "/rules/fixtures/" + name;
}

// "file(line) : message" (UTF-8) of every finding of the rules on the symbol table, in the order
// the session hands them out.
Lines CheckProject(const std::string& project, int jobs, bool keepParsed, bool suppressions = true,
                   std::vector<const char*> rules = {"TVbUnusedProcedures",
                                                     "TVbUnusedModuleDeclarations"}) {
    TRunSettings settings;
    settings.Jobs = jobs;
    settings.KeepParsed = keepParsed;
    settings.Suppressions = suppressions;
    TCheckSession session(settings);
    for (const char* name : rules)
        session.Rules().FindByClassName(name)->Enabled = true;
    TRecords records;
    session.SetFindings(&records);
    session.ReadAndCheck(project);
    Lines found;
    for (const TFindingRecord& f : records.Items)
        found.push_back(platform::FileNamePart(f.File) + "(" + std::to_string(f.Line) +
                        ") : " + platform::Cp932ToUtf8(f.Message));
    return found;
}

// The expectations of every member file of the folder, prefixed with the file's name.
Lines FolderExpectations(const std::string& folder) {
    Lines expected;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".vbp") continue;
        std::string bytes;
        EXPECT_TRUE(platform::ReadFileBytes(entry.path().string(), bytes));
        for (const std::string& e : FixtureExpectations(bytes))
            expected.push_back(name + e);
    }
    return expected;
}

Lines Sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

TEST(RuleProjectSymbols, BothRulesTogetherFindWhatEachFindsAlone) {
    Lines expected = FolderExpectations(FixtureFolder("TVbUnusedProcedures"));
    for (const std::string& e : FolderExpectations(FixtureFolder("TVbUnusedModuleDeclarations")))
        expected.push_back(e);
    EXPECT_EQ(Sorted(CheckProject(FixtureFolder("TVbUnusedProcedures") + "/Fixture.vbp", 1, true)),
              Sorted(expected));
}

TEST(RuleProjectSymbols, AnActiveXProjectExposesThePublicMembersOfItsExposedClasses) {
    const std::string folder = FixtureFolder("ActiveXProject");
    EXPECT_EQ(Sorted(CheckProject(folder + "/Library.vbp", 1, true)),
              Sorted(FolderExpectations(folder)));
}

TEST(RuleProjectSymbols, OneOrderWhateverTheThreadsAndWhetherMembersAreKept) {
    const std::string project = FixtureFolder("TVbUnusedProcedures") + "/Fixture.vbp";
    const Lines first = CheckProject(project, 1, true);
    EXPECT_EQ(CheckProject(project, 2, true), first);
    EXPECT_EQ(CheckProject(project, 1, false), first);
    EXPECT_EQ(CheckProject(project, 2, false), first);
    // Rule by rule, then member by member in project order, then line by line.
    auto rank = [](const std::string& line) {
        const bool procedure = line.find("プロシージャ") != std::string::npos;
        static const char* const members[] = {"frmMain", "modMain", "clsWorker", "IWorker",
                                              "ctlDial"};
        int member = 0;
        for (int m = 0; m < 5; ++m)
            if (line.rfind(members[m], 0) == 0) member = m;
        return std::make_tuple(procedure ? 0 : 1, member,
                               std::stoi(line.substr(line.find('(') + 1)));
    };
    EXPECT_TRUE(std::is_sorted(first.begin(), first.end(),
                               [&](const auto& a, const auto& b) { return rank(a) < rank(b); }));
}

TEST(RuleProjectSymbols, ASuppressionCommentHoldsAlsoWhenTheMemberIsFreedFirst) {
    const std::string project = FixtureFolder("TVbUnusedProcedures") + "/Fixture.vbp";
    const std::string suppressed = "modMain.bas(70) : プロシージャ Suppressed は未使用です。";
    for (bool keep : {true, false}) {
        const Lines found = CheckProject(project, 2, keep);
        EXPECT_EQ(std::count(found.begin(), found.end(), suppressed), 0) << keep;
    }
    const Lines all = CheckProject(project, 1, false, false);
    EXPECT_EQ(std::count(all.begin(), all.end(), suppressed), 1);
}
