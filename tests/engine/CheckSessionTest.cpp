// The check session: findings as records, reading a project once and again, shared word lists.
#include "checkers/CheckSession.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <thread>

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
    for (int count : {-1, 257}) {
        TRunSettings jobs;
        jobs.Jobs = count;
        EXPECT_THROW(TCheckSession{jobs}, EGeneralError) << count;
    }
}

namespace {

// Everything a run hands out, with time stamps and timings masked: findings, result lines and
// jump records, log, progress (and on which thread it was told), statistics.
struct TRunRecord {
    std::vector<std::string> Findings, Results, Jumps, Log, Progress, Statistics;
    bool ProgressOnCallingThread = true;
};

// What a run hands out (to the sinks, the log, the progress and the statistics) equals what the
// reference run handed out, and the progress came on the calling thread.
void ExpectSameHandedOut(const TRunRecord& run, const TRunRecord& reference) {
    EXPECT_EQ(run.Findings, reference.Findings);
    EXPECT_EQ(run.Results, reference.Results);
    EXPECT_EQ(run.Jumps, reference.Jumps);
    EXPECT_EQ(run.Log, reference.Log);
    EXPECT_EQ(run.Progress, reference.Progress);
    EXPECT_EQ(run.Statistics, reference.Statistics);
    EXPECT_TRUE(run.ProgressOnCallingThread);
}

std::string Masked(std::string line) {
    // "yyyy/mm/dd hh:mm:ss " before each line; elapsed times as "Time:0.000s" and "(0.001s)".
    if (line.size() >= 20 && line[4] == '/' && line[13] == ':') line.erase(0, 20);
    for (const char* mark : {"Time:", "("}) {
        for (std::size_t at = line.find(mark); at != std::string::npos;
             at = line.find(mark, at + 1)) {
            std::size_t from = at + std::string(mark).size(), to = from;
            while (to < line.size() && (std::isdigit(static_cast<unsigned char>(line[to])) ||
                                        line[to] == '.' || line[to] == 's'))
                ++to;
            if (to > from) line.replace(from, to - from, "T");
        }
    }
    const std::size_t none = line.rfind(" - )");
    if (none != std::string::npos && none + 4 == line.size()) line.replace(none, 4, "T)");
    return line;
}

// Checks the project twice (the second time without a read when the session keeps the parse), or
// once; the log shows where the read ended.
TRunRecord RunWithJobs(const std::string& project, int jobs, bool resultLines,
                       bool keepParsed = true, int checks = 2) {
    TRunSettings settings;
    settings.Jobs = jobs;
    settings.KeepParsed = keepParsed;
    TCheckSession session(settings);
    EnableAll(session);
    TRunRecord run;
    TRecords records;
    TStringLines results, log;
    if (resultLines)
        session.SetResults(&results);
    else
        session.SetFindings(&records);
    session.SetLog(&log);
    const auto caller = std::this_thread::get_id();
    session.SetProgress([&](int done, int total) {
        run.Progress.push_back(std::to_string(done) + "/" + std::to_string(total));
        if (std::this_thread::get_id() != caller) run.ProgressOnCallingThread = false;
    });
    session.SetReadDone([&] { log.Add("read done"); });
    for (int check = 0; check < checks; ++check)
        session.Check(project); // the second: read already, a check alone
    for (const TFindingRecord& f : records.Items)
        run.Findings.push_back(f.Rule + " " + f.ResultLine());
    run.Results = results.Lines;
    for (int i = 0; i < session.Rules().JumpRecords.Count(); ++i) {
        const TCheckerLog& jump = session.Rules().JumpRecords.Items(i);
        run.Jumps.push_back(jump.FileName + " " + std::to_string(jump.Line) + " " + jump.Message);
    }
    for (const std::string& line : log.Lines)
        run.Log.push_back(Masked(line));
    for (const TStatisticsRow& row : session.StatisticsRows())
        run.Statistics.push_back(row.File + " " + std::to_string(row.Counts.TotalLines) + " " +
                                 std::to_string(row.Counts.CodeLines) + " " +
                                 std::to_string(row.Counts.CommentLines));
    return run;
}

// Forty-odd members, one of them missing, with findings, suppressions and excluded files.
std::string ManyMemberProject(const TempDir& dir) {
    const std::string examples = std::string(VETRIN_TEST_DATA) + "/../../examples/";
    const std::string suppression =
        std::string(VETRIN_TEST_DATA) + "/../golden/fixtures/suppression/";
    for (const char* name :
         {"MainForm.frm", "modCommon.bas", "clsCustomer.cls", "ctlGauge.ctl", "pagGauge.pag"})
        std::filesystem::copy_file(examples + name, dir.Path + "/" + name);
    for (const char* name : {"Ignored.bas", "Whole.bas"})
        std::filesystem::copy_file(suppression + name, dir.Path + "/" + name);
    std::string vbp = "Type=Exe\r\n";
    for (int round = 0; round < 6; ++round) {
        vbp += "Form=MainForm.frm\r\nModule=modCommon; modCommon.bas\r\n";
        vbp += "Class=clsCustomer; clsCustomer.cls\r\nUserControl=ctlGauge.ctl\r\n";
        vbp += "PropertyPage=pagGauge.pag\r\nModule=Ignored; Ignored.bas\r\n";
        vbp += "Module=Whole; Whole.bas\r\n";
        if (round == 3) vbp += "Module=Gone; Gone.bas\r\n";
    }
    vbp += "AutoIncrementVer=0\r\n";
    return dir.Write("Many.vbp", vbp);
}

} // namespace

// Members are read, parsed and checked on several threads; what comes out is what one thread
// gives, in the same order, whether findings go to a sink or to the windows' result lines.
TEST(CheckSession, FourJobsGiveWhatOneJobGives) {
    TempDir dir;
    const std::string project = ManyMemberProject(dir);

    for (bool resultLines : {false, true}) {
        const TRunRecord one = RunWithJobs(project, 1, resultLines);
        const TRunRecord four = RunWithJobs(project, 4, resultLines);
        ASSERT_FALSE(one.Log.empty());
        EXPECT_FALSE((resultLines ? one.Results : one.Findings).empty());
        ExpectSameHandedOut(four, one);
    }
}

// A session that frees each member once it is checked hands out what one that keeps them does,
// on one thread and on four, and reads the project again before its next check.
TEST(CheckSession, FreeingTheParseChangesNothingThatIsHandedOut) {
    TempDir dir;
    const std::string project = ManyMemberProject(dir);
    for (int jobs : {1, 4}) {
        for (bool resultLines : {false, true}) {
            const TRunRecord kept = RunWithJobs(project, jobs, resultLines, true, 1);
            const TRunRecord freed = RunWithJobs(project, jobs, resultLines, false, 1);
            ASSERT_FALSE(kept.Statistics.empty());
            EXPECT_FALSE((resultLines ? kept.Results : kept.Findings).empty());
            EXPECT_EQ(std::count(kept.Log.begin(), kept.Log.end(), "read done"), 1);
            ExpectSameHandedOut(freed, kept);
        }
    }

    TRunSettings settings;
    settings.KeepParsed = false;
    TCheckSession session(settings);
    EnableAll(session);
    session.Check(project);
    const TVtParts& member = *session.Project().Children.front();
    EXPECT_EQ(member.TokenCount(), 0);
    EXPECT_EQ(member.RawLines.Count(), 0);
    EXPECT_TRUE(session.NeedsRead(project));
    EXPECT_THROW(session.CheckProject(), EGeneralError) << "the members are empty";
    TStringLines log;
    session.SetLog(&log);
    session.Check(project);
    EXPECT_NE(std::find_if(log.Lines.begin(), log.Lines.end(),
                           [](const std::string& line) {
                               return line.find("modCommon.bas") != std::string::npos &&
                                      line.find("Token:") != std::string::npos;
                           }),
              log.Lines.end())
        << "the next check parses the members again";
}

// The code page of the settings is the code page of the project and its members from the read
// on; another code page makes the next check read the project again.
TEST(CheckSession, TheCodePageOfTheSettingsReadsTheSources) {
    TRunSettings settings;
    settings.CodePage = 1252;
    TCheckSession session(settings);
    session.ReadProject(ExampleProject);
    EXPECT_EQ(session.Project().CodePage().Number(), 1252);
    for (const TVtParts* member : session.Project().Children)
        EXPECT_EQ(member->CodePage().Number(), 1252);
    EXPECT_FALSE(session.NeedsRead(ExampleProject));
    session.SetCodePage(932);
    EXPECT_TRUE(session.NeedsRead(ExampleProject)) << "read in another code page";
    EXPECT_THROW(session.SetCodePage(437), EGeneralError);
    EXPECT_EQ(session.Settings().CodePage, 932) << "a refused code page changes nothing";
    session.Check(ExampleProject);
    EXPECT_EQ(session.Project().CodePage().Number(), 932);
    EXPECT_EQ(session.Project().Children.front()->CodePage().Number(), 932);
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
