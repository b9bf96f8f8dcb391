// The check session: findings as records, reading a project once and again, shared word lists.
#include "checkers/CheckSession.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const std::string SampleProject = std::string(VETRIN_TEST_DATA) + "/vb/sample/Sample.vbp";
const std::string ExampleProject = std::string(VETRIN_TEST_DATA) + "/../../examples/Example.vbp";

struct TRecords : TFindingSink {
    std::vector<TFindingRecord> Items;
    void Add(const TFindingRecord& finding) override { Items.push_back(finding); }
};

void EnableAll(TCheckSession& session) {
    for (int i = 0; i < session.Rules().Count(); ++i)
        session.Rules().Items(i)->Enabled = true;
}

} // namespace

TEST(CheckSession, FindingsArriveAsRecordsOfTheirRule) {
    TCheckSession session;
    EnableAll(session);
    TRecords records;
    session.SetFindings(&records);
    session.Check(SampleProject);
    ASSERT_FALSE(records.Items.empty());
    bool sawProjectLine = false, sawNamingReport = false;
    for (const TFindingRecord& f : records.Items) {
        EXPECT_NE(session.Rules().FindByClassName(f.Rule), nullptr) << f.Rule;
        EXPECT_EQ(f.HasLine(), f.Line != -1) << f.ResultLine();
        if (f.Rule == "TVBNeedAutoIncrementVer") {
            sawProjectLine = true;
            EXPECT_EQ(f.File, SampleProject);
            EXPECT_EQ(f.Line, 10); // AutoIncrementVer=0 stands on line 10
        }
        if (f.Origin == TFindingRecord::TOrigin::Report) {
            sawNamingReport = true;
            EXPECT_EQ(f.JumpLine(), 1);
            EXPECT_EQ(f.ResultLine(), f.File + " : " + f.Message);
        }
    }
    EXPECT_TRUE(sawProjectLine);
    EXPECT_FALSE(sawNamingReport) << "the default naming table reports nothing here";
    EXPECT_EQ(session.Rules().CurrentPart, nullptr) << "no part is under check after the run";
}

TEST(CheckSession, ASecondReadStartsFromAnEmptyProject) {
    TCheckSession session;
    session.ReadProject(SampleProject);
    const auto members = session.Project().MemberFiles;
    const int forms = session.Project().Forms.Count();
    const auto rows = session.StatisticsRows().size();
    session.ReadProject(SampleProject);
    EXPECT_EQ(session.Project().MemberFiles, members);
    EXPECT_EQ(session.Project().Forms.Count(), forms);
    EXPECT_EQ(session.StatisticsRows().size(), rows);
    EXPECT_TRUE(session.NeedsRead(SampleProject)) << "a member is missing: read again";
    session.ReadProject(ExampleProject);
    EXPECT_FALSE(session.NeedsRead(ExampleProject));
    EXPECT_TRUE(session.NeedsRead(SampleProject));
}

TEST(CheckSession, WordListsAreReadOnceAndAgainAfterAFailure) {
    TempDir dir;
    TRunSettings settings;
    settings.WordListFolder = dir.Path + "/vb";
    TCheckSession session(settings);
    EXPECT_THROW(session.ReadProject(SampleProject), EFOpenError);
    EXPECT_TRUE(session.NeedsRead(SampleProject)) << "a failed read is read again";
    EXPECT_FALSE(session.WordLists().IsLoaded());
    std::filesystem::create_directories(dir.Path + "/vb");
    for (const char* name : {"internal.txt", "keyword.txt", "operator.txt"})
        std::filesystem::copy_file(TVbWordLists::DefaultFolder() + "/" + name,
                                   dir.Path + "/vb/" + name);
    session.ReadProject(SampleProject);
    EXPECT_TRUE(session.WordLists().IsLoaded());
    // The lists are not read again for the next read: removing them changes nothing.
    std::filesystem::remove_all(dir.Path + "/vb");
    session.ReadProject(SampleProject);
    EXPECT_GT(session.Project().Children.front()->TokenCount(), 0);
}

TEST(CheckSession, SettingsTheEngineCannotHonourAreRefused) {
    TRunSettings codePage;
    codePage.CodePage = 437; // a DOS code page, no Windows ANSI one
    EXPECT_THROW(TCheckSession{codePage}, EGeneralError);
    TRunSettings jobs;
    jobs.Jobs = 4;
    EXPECT_THROW(TCheckSession{jobs}, EGeneralError);
}

// The code page of the settings is the run's source code page from the read on; another code page
// makes the next check read the project again.
TEST(CheckSession, TheCodePageOfTheSettingsReadsTheSources) {
    struct TRestore {
        ~TRestore() { platform::SetSourceCodePage(932); }
    } restore;
    TRunSettings settings;
    settings.CodePage = 1252;
    TCheckSession session(settings);
    EXPECT_EQ(platform::SourceCodePage().Number(), 932) << "nothing changes before a read";
    session.ReadProject(ExampleProject);
    EXPECT_EQ(platform::SourceCodePage().Number(), 1252);
    EXPECT_FALSE(session.NeedsRead(ExampleProject));
    session.SetCodePage(932);
    EXPECT_TRUE(session.NeedsRead(ExampleProject)) << "read in another code page";
    EXPECT_THROW(session.SetCodePage(437), EGeneralError);
    EXPECT_EQ(session.Settings().CodePage, 932) << "a refused code page changes nothing";
    session.Check(ExampleProject);
    EXPECT_EQ(platform::SourceCodePage().Number(), 932);
    EXPECT_FALSE(session.NeedsRead(ExampleProject));
}

// A file that is there but is no VB project is refused when it is read, not checked as empty.
TEST(CheckSession, AFileThatIsNoProjectIsRefused) {
    TCheckSession session;
    const std::string module = std::string(VETRIN_TEST_DATA) + "/../../examples/modCommon.bas";
    EXPECT_THROW(session.ReadProject(module), EGeneralError);
    EXPECT_TRUE(session.NeedsRead(module));
}

// Suppression comments belong to the session, so the windows' result lines honour them as vrt's
// writers do; switching them off shows every finding.
TEST(CheckSession, SuppressionCommentsHoldForResultLinesToo) {
    const std::string project =
        std::string(VETRIN_TEST_DATA) + "/../golden/fixtures/suppression/Suppression.vbp";
    auto resultLines = [&](bool suppressions) {
        TRunSettings settings;
        settings.Suppressions = suppressions;
        TCheckSession session(settings);
        EnableAll(session);
        TStringLines lines;
        session.SetResults(&lines);
        session.Check(project);
        EXPECT_EQ(session.Rules().JumpRecords.Count(), lines.Count());
        return lines.Lines;
    };
    const auto honoured = resultLines(true), all = resultLines(false);
    EXPECT_FALSE(honoured.empty());
    EXPECT_LT(honoured.size(), all.size());
    for (const auto& line : honoured)
        EXPECT_NE(std::find(all.begin(), all.end(), line), all.end()) << line;
}
