// The checking framework with small rules of the tests' own: run order, log texts, reporting,
// the parts tree and its walks.
#include "framework/Errors.h"
#include "framework/Vetrin.h"
#include "platform/Clock.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace {

// A part with a settable token count and a parse that records itself.
class TTestPart : public TVtParts {
public:
    explicit TTestPart(std::string name, int tokens = 1) : Tokens(tokens) {
        FileName = std::move(name);
    }
    int Tokens;
    int Parsed = 0;
    int TokenCount() const override { return Tokens; }
    int VariableCount() const override { return 0; }
    int MethodCount() const override { return 2; }
    void Parse() override {
        ++Parsed;
        LogicalLines.Assign(RawLines);
    }
};

// A rule that records the order it ran in and reports what it is told to.
class TTestRule : public TVetrin {
public:
    TTestRule(std::string name, bool ignoresExclusion, std::vector<std::string>* order)
        : Name(std::move(name)), Ignores(ignoresExclusion), Order(order) {}
    std::string Name;
    bool Ignores;
    std::vector<std::string>* Order;
    std::function<void(TTestRule&, TVtParts&)> OnCheck;
    std::int32_t Limit = 80;
    TStringList Names;

    std::string_view ClassName() const override { return Name; }
    void Check(TVtParts& part) override {
        if (Order) Order->push_back(Name + "@" + part.FileName);
        if (OnCheck) OnCheck(*this, part);
    }
    void SaveSettings(TVetrinList& w) const override {
        w.WriteStrings(Names);
        w.WriteInteger(Limit);
    }
    void LoadSettings(TVetrinList& r) override {
        r.ReadStrings(Names);
        r.ReadInteger(Limit);
    }
    bool IgnoresExclusion() const override { return Ignores; }
    std::uint8_t Category() const override { return catOther; }
    bool IsTarget(const TVtParts& part) const override { return part.FileName != "never.bas"; }
    std::string GetCheckerName() const override { return Name + "-name"; }
};

struct Harness {
    TVetrins checkers;
    TStringLines results, log;
    std::vector<std::string> order;
    TTestRule* Add(const std::string& name, bool ignores = false) {
        auto* rule = static_cast<TTestRule*>(
            checkers.Add(std::make_unique<TTestRule>(name, ignores, &order)));
        rule->Enabled = true;
        checkers.SetResults(&results);
        checkers.SetLog(&log);
        return rule;
    }
};

// The log line without its time stamp.
std::string Body(const std::string& line) { return line.substr(20); }

} // namespace

TEST(CheckerRun, RulesThatIgnoreExclusionRunFirstAndExclusionSkipsTheRest) {
    Harness h;
    h.Add("A");
    TTestRule* excluder = h.Add("X", true);
    h.Add("B");
    excluder->OnCheck = [](TTestRule&, TVtParts& part) { part.ExcludedFiles = {"m.bas"}; };
    TTestPart part("/p/m.bas");
    h.checkers.CheckPart(part);
    EXPECT_EQ(h.order, (std::vector<std::string>{"X@/p/m.bas"}));
    ASSERT_EQ(h.log.Count(), 3);
    EXPECT_EQ(Body(h.log.Lines[0]).rfind(Sj("「X-name」をチェック中 : /p/m.bas...完了(Time:")), 0u);
    EXPECT_EQ(Body(h.log.Lines[1]),
              Sj("「A-name」をチェック中 : /p/m.bas...スキップ(チェック対象外)"));
    EXPECT_EQ(Body(h.log.Lines[2]),
              Sj("「B-name」をチェック中 : /p/m.bas...スキップ(チェック対象外)"));
    EXPECT_EQ(h.checkers.CurrentPart, &part);
}

TEST(CheckerRun, PartsWithoutContentAndNonTargetsAndDisabledRules) {
    Harness h;
    h.Add("X", true);
    h.Add("A")->Enabled = false;
    TTestPart empty("/p/e.bas", 0), never("never.bas");
    h.checkers.CheckPart(empty);
    h.checkers.CheckPart(never);
    // The excluded-files kind of rule gets the not-parsed text too; a non-target writes nothing.
    ASSERT_EQ(h.log.Count(), 1);
    EXPECT_EQ(Body(h.log.Lines[0]),
              Sj("「X-name」をチェック中 : /p/e.bas...スキップ(解析されていない)"));
    EXPECT_TRUE(h.order.empty());
}

TEST(CheckerRun, ElapsedTimeIsAppendedToTheRulesOwnLastLineAndSurvivesTheWrap) {
    Harness h;
    TTestRule* rule = h.Add("A");
    std::uint32_t ticks[] = {0xFFFFFFF0u, 0x00000010u};
    int next = 0;
    platform::SetTickSource([&] { return ticks[next++ % 2]; });
    rule->OnCheck = [](TTestRule& self, TVtParts&) { self.WriteLog("own line"); };
    TTestPart part("/p/a.bas");
    h.checkers.CheckPart(part);
    platform::SetTickSource({});
    ASSERT_EQ(h.log.Count(), 2);
    EXPECT_EQ(Body(h.log.Lines[0]), Sj("「A-name」をチェック中 : /p/a.bas..."));
    EXPECT_EQ(Body(h.log.Lines[1]), Sj("own line完了(Time:0.032s)"));
}

TEST(CheckerRun, SameTickPrintsADash) {
    Harness h;
    h.Add("A");
    platform::SetTickSource([] { return 7u; });
    TTestPart part("/p/a.bas");
    h.checkers.CheckPart(part);
    platform::SetTickSource({});
    EXPECT_EQ(Body(h.log.Lines[0]), Sj("「A-name」をチェック中 : /p/a.bas...完了(Time: - )"));
}

TEST(CheckerRun, AnErrorInCheckEndsTheRunWithTheLogLineOpen) {
    Harness h;
    h.Add("A")->OnCheck = [](TTestRule&, TVtParts&) { throw EGeneralError("boom"); };
    h.Add("B");
    TTestPart root("/p/a.vbp"), child("/p/c.bas");
    root.Children.push_back(&child);
    EXPECT_THROW(root.CheckTree(h.checkers), EGeneralError);
    ASSERT_EQ(h.log.Count(), 1);
    EXPECT_EQ(Body(h.log.Lines[0]), Sj("「A-name」をチェック中 : /p/a.vbp..."));
    EXPECT_EQ(h.order, (std::vector<std::string>{"A@/p/a.vbp"}));
}

TEST(Reporting, ResultLinesAndJumpRecords) {
    Harness h;
    h.Add("A")->OnCheck = [](TTestRule& r, TVtParts&) {
        r.ReportAt(Sj("引数 x は未使用です。"), 12);
        r.ReportAt("m", -1);
        r.Report("m");
        r.Report("m");
    };
    TTestPart part("C:\\p\\Form1.frm");
    h.checkers.CheckPart(part);
    ASSERT_EQ(h.results.Count(), 4);
    EXPECT_EQ(h.results.Lines[0], Sj("C:\\p\\Form1.frm(12) : 引数 x は未使用です。"));
    EXPECT_EQ(h.results.Lines[1], "C:\\p\\Form1.frm : m");
    EXPECT_EQ(h.results.Lines[2], h.results.Lines[1]);
    EXPECT_EQ(h.results.Lines[3], h.results.Lines[1]);
    const TCheckerLogList& j = h.checkers.JumpRecords;
    ASSERT_EQ(j.Count(), 4);
    EXPECT_EQ(j.Items(0).Line, 12);
    EXPECT_EQ(j.Items(1).Line, -1);
    EXPECT_EQ(j.Items(2).Line, 1);
    EXPECT_EQ(j.Items(3).Line, 1);
    EXPECT_EQ(j.Items(0).FileName, "C:\\p\\Form1.frm");
    EXPECT_THROW(j.Items(4), EListError);
}

TEST(Reporting, UnsetSinksAreSkippedSilently) {
    TVetrins checkers;
    auto* rule =
        static_cast<TTestRule*>(checkers.Add(std::make_unique<TTestRule>("A", false, nullptr)));
    rule->Enabled = true;
    rule->OnCheck = [](TTestRule& r, TVtParts&) { r.ReportAt("m", 3); };
    TTestPart part("a.bas");
    checkers.CheckPart(part);
    EXPECT_EQ(checkers.JumpRecords.Count(), 0);
}

TEST(Collection, AddFindAndFailures) {
    TVetrins checkers;
    try {
        checkers.Add(nullptr);
        FAIL();
    } catch (const EGeneralError& e) {
        EXPECT_EQ(e.Message(), "TVetrins.Add");
    }
    checkers.Add(std::make_unique<TTestRule>("TVbRule", false, nullptr));
    checkers.Add(std::make_unique<TTestRule>("TVbRule", false, nullptr));
    EXPECT_EQ(checkers.FindByClassName("TVbRule"), checkers.Items(0));
    EXPECT_EQ(checkers.FindByClassName("tvbrule"), nullptr);
    EXPECT_EQ(checkers.Items(1)->Index(), 1);
    try {
        checkers.Items(0)->ShowDetail(nullptr);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(),
                  Sj("ShowDetailエラー:このメソッドはinheritedしてはいけない (Vetrin, 603 行)"));
    }
    TVetrin bare;
    EXPECT_THROW(bare.GetCheckerName(), EAbstractError);
    try {
        TVtParts part;
        part.TokenCount();
        FAIL();
    } catch (const EAbstractError& e) {
        EXPECT_EQ(e.Message(), Sj("Abstract エラー"));
    }
}

TEST(PartsTree, ExclusionEntriesAreFileNamesOrFullPaths) {
    TTestPart part("/p/sub/Form1.frm");
    EXPECT_TRUE(part.IsCheckTarget());
    part.ExcludedFiles = {"FORM1.FRM", "Form1.frm "};
    EXPECT_TRUE(part.IsCheckTarget());
    part.ExcludedFiles = {"", "sub/Form1.frm"};
    EXPECT_TRUE(part.IsCheckTarget()) << "a path entry must be the whole path";
    part.ExcludedFiles = {"Form1.frm"};
    EXPECT_FALSE(part.IsCheckTarget());
    part.ExcludedFiles = {"/p/sub/Form1.frm"};
    EXPECT_FALSE(part.IsCheckTarget());
    TTestPart windows("C:\\p\\Form1.frm");
    windows.ExcludedFiles = {"C:\\p\\Form1.frm"};
    EXPECT_FALSE(windows.IsCheckTarget());
    windows.ExcludedFiles = {"p\\Form1.frm"};
    EXPECT_TRUE(windows.IsCheckTarget());
}

TEST(PartsTree, LoadAndModification) {
    TempDir dir;
    std::string a = dir.Write("a.bas", "one\r\ntwo\n");
    TTestPart part("");
    EXPECT_TRUE(part.IsModified());
    part.Load(a);
    ASSERT_EQ(part.RawLines.Count(), 2);
    EXPECT_EQ(part.RawLines.Text(1), "two");
    EXPECT_EQ(part.RawLines.LineNumber(1), 2);
    EXPECT_FALSE(part.IsModified());

    std::string b = dir.Write("b.bas", "x");
    TTestPart child(b);
    child.Load(b);
    part.Children.push_back(&child);
    EXPECT_FALSE(part.IsModified());
    std::filesystem::last_write_time(b,
                                     std::filesystem::last_write_time(b) + std::chrono::seconds(2));
    EXPECT_TRUE(part.IsModified()) << "a touched child";
    child.Load(b);
    EXPECT_FALSE(part.IsModified());
    std::filesystem::remove(b);
    EXPECT_TRUE(part.IsModified()) << "a deleted child";

    // Loading a missing path keeps the old lines and only takes the name.
    part.Load(dir.Path + "/gone.bas");
    EXPECT_EQ(part.FileName, dir.Path + "/gone.bas");
    EXPECT_EQ(part.RawLines.Count(), 2);
}

TEST(PartsTree, ParseWalkLogsEachChildAndMissingFiles) {
    TempDir dir;
    TStringLines log;
    TTestPart root(dir.Path + "/p.vbp");
    std::string a = dir.Write("a.bas", "l1\r\nl2\r\nl3\r\n");
    TTestPart childA(a, 5), childGone(dir.Path + "/Gone.bas");
    childA.Load(a);
    root.Children = {&childA, &childGone};
    root.SetLog(&log);
    platform::SetTickSource([] { return 100u; });
    root.Analyze();
    platform::SetTickSource({});
    EXPECT_EQ(root.Parsed, 1);
    EXPECT_EQ(childA.Parsed, 1);
    EXPECT_EQ(childGone.Parsed, 0);
    ASSERT_EQ(log.Count(), 3);
    EXPECT_EQ(Body(log.Lines[0]),
              a + Sj(" を解析中...完了( Line:3 Token:5 Method:2 Time:0.000s )"));
    EXPECT_EQ(Body(log.Lines[1]), dir.Path + Sj("/Gone.bas を解析中..."));
    EXPECT_EQ(Body(log.Lines[2]), Sj("▼ ファイルが見つかりません:") + dir.Path + "/Gone.bas");
    EXPECT_EQ(childA.Log, &log);
}

TEST(PartsTree, CheckTreeVisitsRootFirstThenChildrenInOrder) {
    Harness h;
    h.Add("A");
    TTestPart root("r"), c1("c1"), c2("c2"), g("g");
    root.Children = {&c1, &c2};
    c1.Children = {&g};
    root.CheckTree(h.checkers);
    EXPECT_EQ(h.order, (std::vector<std::string>{"A@r", "A@c1", "A@g", "A@c2"}));
}

TEST(SourceList, NamesValuesAndText) {
    TSourceList list;
    list.AssignLines({"AutoIncrementVer=0", "no equals", "Name=\"a=b\"", "x"});
    EXPECT_EQ(list.ValueAt(0), "0");
    EXPECT_EQ(list.NameAt(1), "");
    EXPECT_EQ(list.ValueAt(1), "no equals");
    EXPECT_EQ(list.ValueAt(2), "\"a=b\"");
    EXPECT_EQ(list.IndexOfName("autoincrementver"), 0);
    EXPECT_EQ(list.IndexOfName("no equals"), -1);
    EXPECT_EQ(list.IndexOfName(""), -1);
    list.SetText(1, "longer text here");
    list.SetText(3, "y");
    EXPECT_EQ(list.AllText(), "AutoIncrementVer=0\r\nlonger text here\r\nName=\"a=b\"\r\ny\r\n");
    list.AddLine("tail", 42);
    EXPECT_EQ(list.LineNumber(4), 42);
    EXPECT_EQ(list.Text(1), "longer text here");
    EXPECT_THROW(list.Text(5), EListError);
    TSourceList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.AllText(), list.AllText());
    EXPECT_EQ(copy.LineNumber(4), 42);
    // A copy shares the lines until either list changes; a change never reaches the other one,
    // and the views the other one gave stay valid.
    const std::string_view before = list.Text(1);
    copy.SetText(1, "changed");
    copy.AddLine("more", 43);
    EXPECT_EQ(list.Text(1), "longer text here");
    EXPECT_EQ(before, "longer text here");
    EXPECT_EQ(list.Count(), 5);
    list.SetText(0, "first");
    EXPECT_EQ(copy.Text(0), "AutoIncrementVer=0");
    EXPECT_EQ(copy.Text(1), "changed");
    list.Clear();
    EXPECT_EQ(copy.Count(), 6);
    EXPECT_EQ(list.AllText(), "");
}

TEST(SourceList, LineEndsOfAnyKindAndRunsOfLinesCopied) {
    // A text of CR LF lines only becomes the buffer as it is; any other line end (alone, mixed,
    // none at the end) gives the same lines, each followed by CR LF.
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb\nc\r\n", {"a", "b", "c"}},
        {"a\r\nb\rc\r\n", {"a", "b", "c"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\nb\r", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"", {}},
    };
    for (const auto& [text, lines] : cases) {
        TSourceList list;
        list.AssignText(text);
        std::string all;
        for (const std::string& line : lines)
            all += line + "\r\n";
        EXPECT_EQ(list.AllText(), all) << text;
        ASSERT_EQ(list.Count(), static_cast<int>(lines.size())) << text;
        for (int i = 0; i < list.Count(); ++i)
            EXPECT_EQ(list.LineNumber(i), i + 1);
    }

    // Runs of lines copied from another list keep their texts and numbers, also after a line
    // whose number breaks the count.
    TSourceList from;
    from.AssignText("1\r\n2\r\n3\r\n4\r\n");
    TSourceList to;
    to.AppendLines(from, 0, 2);
    to.AppendLines(from, 2, 0);
    to.AddLine("x", 3);
    to.AppendLines(from, 3, 1);
    EXPECT_EQ(to.AllText(), "1\r\n2\r\nx\r\n4\r\n");
    EXPECT_EQ(to.LineNumber(3), 4);
    TSourceList shifted;
    shifted.AddLine("x", 7);
    shifted.AppendLines(from, 1, 2);
    EXPECT_EQ(shifted.AllText(), "x\r\n2\r\n3\r\n");
    EXPECT_EQ(shifted.LineNumber(2), 3);
    EXPECT_THROW(to.AppendLines(from, 3, 2), EListError);
}

TEST(SourceList, ManyLinesAndALongOneReadBackWhole) {
    // Lines over several hundred, one of them longer than 64 KB; copied in runs to another list.
    std::vector<std::string> lines;
    for (int i = 0; i < 700; ++i)
        lines.push_back(i == 400 ? std::string(70000, 'x') : "line " + std::to_string(i));
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    TSourceList list;
    list.AssignText(text);
    TSourceList copied;
    copied.AppendLines(list, 0, 300);
    copied.AppendLines(list, 300, 400);
    for (const TSourceList* l : {&list, &copied}) {
        ASSERT_EQ(l->Count(), 700);
        TStartReader starts = l->StartsFrom(0);
        for (int i = 0; i < 700; ++i) {
            ASSERT_EQ(l->Text(i), lines[static_cast<std::size_t>(i)]) << i;
            ASSERT_EQ(l->Length(i), lines[static_cast<std::size_t>(i)].size()) << i;
            ASSERT_EQ(starts.Next(), l->Text(i).data() - l->AllText().data()) << i;
        }
        EXPECT_EQ(starts.Next(), text.size());
    }
}
