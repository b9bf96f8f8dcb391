// The one walk of a member: a collection that walks each member once for its rules says what the
// rules say when each walks the member alone, in the same order, log lines included.
#include "checkers/MemberWalk.h"

#include "RuleTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A member on which each of the walked rules has something to say: a header with a blank line in
// it, long lines, comments, blank lines, a statement continued over lines, procedures with
// unused locals and arguments, and one without a scope word.
const char* Member = "VERSION 1.0 CLASS\n"
                     "BEGIN\n"
                     "\n"
                     "END\n"
                     "Attribute VB_Name = \"Class1\"\n"
                     "' a comment line\n"
                     "Option _\n"
                     "  Explicit\n"
                     "\n"
                     "Sub Implicit(a, b)\n"
                     "    Dim unused As Long, used\n"
                     "    used = b ' comment after code\n"
                     "    MsgBox \"a very long line that goes on and on and on past the limit of "
                     "eighty bytes\"\n"
                     "End Sub\n"
                     "\n"
                     "Private Function Other(ByVal c As Long) As Long\n"
                     "    Static s\n"
                     "    Other = 1\n"
                     "End Function\n"
                     "   \n";

struct TRun {
    Lines Results;
    std::vector<std::string> Log;
};

// Checks the member with every rule of the table on, in a collection of the given kind, and
// answers the result lines and the log lines without their timings.
template <typename TCollection> TRun CheckWith(TVbSource& source) {
    TCollection rules;
    AddAllCheckers(rules);
    TStringLines results, log;
    rules.SetResults(&results);
    rules.SetLog(&log);
    for (int i = 0; i < rules.Count(); ++i)
        rules.Items(i)->Enabled = true;
    rules.CheckPart(source);
    TRun run;
    for (const std::string& line : results.Lines)
        run.Results.push_back(platform::Cp932ToUtf8(line));
    for (std::string line : log.Lines) {
        line = platform::Cp932ToUtf8(line);
        run.Log.push_back(line.substr(0, line.rfind("Time:")));
    }
    return run;
}

} // namespace

TEST(MemberWalk, OneWalkSaysWhatEachRuleSaysAloneInTheSameOrder) {
    TempDir dir;
    auto source = ParsedMember<TVbClassSource>(dir, "Class1.cls", Member);
    const TRun alone = CheckWith<TVetrins>(*source);
    const TVbStaticticsInfo aloneCounts = source->Statistics;
    source->Statistics = {};
    const TRun walked = CheckWith<TWalkingRules>(*source);
    EXPECT_EQ(walked.Results, alone.Results);
    EXPECT_EQ(walked.Log, alone.Log);
    EXPECT_EQ(source->Statistics.CodeLines, aloneCounts.CodeLines);
    EXPECT_EQ(source->Statistics.BlankLines, aloneCounts.BlankLines);
    EXPECT_EQ(source->Statistics.CommentLines, aloneCounts.CommentLines);
    // The member gives every walked rule something to say, so the comparison is not empty.
    for (const char* finding : {"未使用", "Public", "長さ"}) {
        bool found = false;
        for (const std::string& line : alone.Results)
            found = found || line.find(finding) != std::string::npos;
        EXPECT_TRUE(found) << finding;
    }
    EXPECT_GT(aloneCounts.CommentLines, 0);
    EXPECT_GT(aloneCounts.BlankLines, 0);
}

TEST(MemberWalk, EachMemberIsWalkedAfreshByTheSameCollection) {
    TempDir dir;
    auto first = ParsedMember<TVbClassSource>(dir, "Class1.cls", Member);
    auto second = ParsedMember<TVbModuleSource>(dir, "Module1.bas",
                                                "Attribute VB_Name = \"Module1\"\n"
                                                "Sub Main()\n"
                                                "    Dim n\n"
                                                "End Sub\n");
    const TRun fresh = CheckWith<TWalkingRules>(*second);
    ASSERT_FALSE(fresh.Results.empty());
    TWalkingRules rules;
    AddAllCheckers(rules);
    TStringLines results;
    rules.SetResults(&results);
    for (int i = 0; i < rules.Count(); ++i)
        rules.Items(i)->Enabled = true;
    rules.CheckPart(*first);
    results.Clear();
    rules.CheckPart(*second);
    // Only the second member's own findings: nothing the first member's walk found is left over.
    Lines lines;
    for (const std::string& line : results.Lines)
        lines.push_back(platform::Cp932ToUtf8(line));
    EXPECT_EQ(lines, fresh.Results);
}
