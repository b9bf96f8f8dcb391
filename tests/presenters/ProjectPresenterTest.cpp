// The project presenter: rows and ticks, runs on the worker thread, 中止, refusals, rule files.
#include "PresenterTestSupport.h"
#include "checkers/RuleTable.h"
#include "presenters/UiTexts.h"
#include "presenters/VtOption.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

class ProjectPresenterTest : public testing::Test {
protected:
    TempDir Dir;
    TVtOption Option{Dir.Path + "/vrt.ini"};
    TQueuedPrompts Prompts;
    TTestUiThread Ui;
    TRecordingView View;
    TLineStore Log;
    TResultStore Results;
    TProjectPresenter Presenter{Option, Prompts, Ui, View, Log, Results};

    ProjectPresenterTest() { View.Presenter = &Presenter; }

    std::string Example() {
        std::filesystem::copy(VETRIN_SOURCE_DIR "/examples", Dir.Path + "/vb");
        return Dir.Path + "/vb/Example.vbp";
    }
    bool RunToEnd() {
        return Ui.RunUntil([&] { return !Presenter.Running(); });
    }
    int LogLinesWith(const char* utf8) const {
        const std::string what = Sj(utf8);
        int n = 0;
        for (int i = 0; i < Log.Count(); ++i)
            n += Log.Get(i).find(what) != std::string::npos;
        return n;
    }
    int Ticked() const {
        return static_cast<int>(std::count_if(Presenter.Rows().begin(), Presenter.Rows().end(),
                                              [](const TRuleRowState& r) { return r.Ticked; }));
    }
};

} // namespace

TEST_F(ProjectPresenterTest, OneRowPerRuleAndOnlyTheFirstTicked) {
    ASSERT_EQ(Presenter.Rows().size(), RuleTable().size());
    EXPECT_EQ(Ticked(), 1);
    EXPECT_TRUE(Presenter.Rows()[0].Ticked);
    EXPECT_EQ(Presenter.Rows()[0].Number, 1);
    Presenter.CheckAll();
    EXPECT_EQ(Ticked(), static_cast<int>(RuleTable().size()));
    EXPECT_EQ(View.TicksChanges, 1);
}

TEST_F(ProjectPresenterTest, ACheckRunsOnTheWorkerWithOnlyStopEnabled) {
    const std::string project = Example();
    Presenter.CheckAll();
    Presenter.ShowStatistics();
    Presenter.Check(project);
    EXPECT_TRUE(Presenter.Running());
    for (TProjectCommand command :
         {TProjectCommand::Check, TProjectCommand::Analyze, TProjectCommand::Save,
          TProjectCommand::Open, TProjectCommand::RuleSettings, TProjectCommand::Statistics})
        EXPECT_FALSE(Presenter.Enabled(command));
    EXPECT_TRUE(Presenter.Enabled(TProjectCommand::Stop));
    EXPECT_EQ(Presenter.RuleForSettings(1), nullptr);
    Presenter.Check(project); // a second start while it runs does nothing
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(Prompts.Errors, std::vector<std::string>());
    EXPECT_EQ(View.StopEnabledSeen, (std::vector<bool>{true, false}));
    EXPECT_EQ(LogLinesWith(" を解析中..."), 5);
    EXPECT_GT(Results.Count(), 0);
    EXPECT_EQ(View.LastDone, View.LastTotal);
    EXPECT_EQ(Option.TargetProject, project);
    EXPECT_EQ(Presenter.Statistics().RowCount(), 5); // refilled by the check
    EXPECT_TRUE(Presenter.HasChecked());
    EXPECT_TRUE(Presenter.Enabled(TProjectCommand::Check));
}

TEST_F(ProjectPresenterTest, StopEndsTheRunBetweenMembers) {
    // A project of many members, so that the stop comes long before the end.
    std::string vbp = "Type=Exe\r\n";
    for (int i = 0; i < 80; ++i) {
        const std::string name = "M" + std::to_string(i);
        vbp += "Module=" + name + "; " + name + ".bas\r\n";
        Dir.Write(name + ".bas",
                  "Attribute VB_Name = \"" + name + "\"\r\nSub S" + name + "(x)\r\nEnd Sub\r\n");
    }
    const std::string project = Dir.Write("Many.vbp", vbp);
    Presenter.CheckAll();
    Presenter.Check(project);
    Presenter.Stop();
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(Prompts.Errors, std::vector<std::string>());
    EXPECT_LT(LogLinesWith(" を解析中..."), 80);
    EXPECT_EQ(Log.Utf8(Log.Count() - 1), uitext::Text(uitext::RunStopped));
    EXPECT_EQ(Option.TargetProject, ""); // a stopped run is not the project to offer next
    // The next check reads the project again, to its end.
    Presenter.Check(project);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(LogLinesWith(" を解析中..."), 80);
    EXPECT_NE(Log.Utf8(Log.Count() - 1), uitext::Text(uitext::RunStopped));
    EXPECT_GE(Results.Count(), 80); // every argument x is unused
}

TEST_F(ProjectPresenterTest, APathBoxNamingNoProjectFileRunsNothing) {
    Presenter.Check("");
    Presenter.Analyze("   ");
    Presenter.Check(Dir.Path + "/Gone.vbp");
    EXPECT_FALSE(Presenter.Running());
    ASSERT_EQ(Prompts.Errors.size(), 3u);
    EXPECT_EQ(Prompts.Errors[0], uitext::Text(uitext::NoProjectNamed));
    EXPECT_EQ(Prompts.Errors[2], "ファイル " + Dir.Path + "/Gone.vbp は開けません");
    EXPECT_EQ(Log.Count(), 0);
}

TEST_F(ProjectPresenterTest, ARulesFileThatFailsIsNotRemembered) {
    Option.LastOpen = "/earlier.vrp";
    const std::string bad = Dir.Write("bad.vrp", "[TVbLimitLengthOfLine] : x\r\nTrue\r\nx\r\n");
    EXPECT_FALSE(Presenter.OpenCheckerProject(bad));
    EXPECT_EQ(Prompts.Errors.size(), 1u);
    EXPECT_EQ(Option.LastOpen, "/earlier.vrp");
    const std::string good = Dir.Write("good.vrp", "[TVbLimitLengthOfLine] : x\r\nTrue\r\n90\r\n");
    Prompts.Answers.push_back(good);
    Presenter.OpenRules();
    EXPECT_EQ(Prompts.Requests.back().FilterPattern, "*.vrp");
    EXPECT_EQ(Option.LastOpen, good);
    EXPECT_EQ(Ticked(), 1);
    for (int row = 0; row < static_cast<int>(Presenter.Rows().size()); ++row) {
        // The "…" of a row opens its own rule's settings, and rules without settings have none.
        TVetrin* rule = Presenter.RuleForSettings(row);
        EXPECT_EQ(rule != nullptr, Presenter.Rows()[static_cast<std::size_t>(row)].HasSettings);
        if (rule) {
            EXPECT_EQ(rule, Presenter.Rows()[static_cast<std::size_t>(row)].Checker);
        }
    }
}

TEST(StartArguments, AProjectAndARulesFileByTheirExtension) {
    TStartArguments start = ParseStartArguments({"Rules.VRP", "/p/Project1.vbp"});
    EXPECT_EQ(start.Project, "/p/Project1.vbp");
    EXPECT_EQ(start.Rules, "Rules.VRP");
    EXPECT_EQ(ParseStartArguments({}).Project, "");
}
