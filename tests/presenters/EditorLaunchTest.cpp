// Result jumps: the editor's program and arguments for a finding.
#include "presenters/EditorLaunch.h"
#include "PresenterTestSupport.h"
#include "presenters/ResultStore.h"
#include "presenters/VtOption.h"

#include <gtest/gtest.h>

using Args = std::vector<std::string>;

struct TArgumentCase {
    const char* Name;
    const char* Parameters; // UTF-8 here, code page 932 as vrt.ini holds it
    const char* File;
    int Line;
    Args Expected;
};

class EditorArgumentsTest : public testing::TestWithParam<TArgumentCase> {};

TEST_P(EditorArgumentsTest, ReplaceTheFirstLineThenTheFirstFileInsideTheirArgument) {
    const TArgumentCase& c = GetParam();
    EXPECT_EQ(EditorArguments(Sj(c.Parameters), c.File, c.Line), c.Expected);
}

const char* const Blanks = "/vb/Standard EXE Version/x \"q\".ctl";
INSTANTIATE_TEST_SUITE_P(
    Cases, EditorArgumentsTest,
    testing::Values(
        TArgumentCase{"usual", " /l%L %F", "/vb/Form1.frm", 12, {"/l12", "/vb/Form1.frm"}},
        TArgumentCase{"onlyTheFirstFile", "%F %F", "/f", 3, {"/f", "%F"}},
        TArgumentCase{"onlyTheFirstLine", "%L:%L %F", "/f", 3, {"3:%L", "/f"}},
        TArgumentCase{"noLine", "-n%L %F", "/f", -1, {"-n-1", "/f"}},
        TArgumentCase{"letterCaseCounts", "%l %f", "/f", 3, {"%l", "%f"}},
        // A file name holding "%L" is put in after the line, so it stays as it is.
        TArgumentCase{"fileFirst", "%F +%L", "/vb/a%L.bas", 7, {"/vb/a%L.bas", "+7"}},
        // A path is one argument whatever it holds, with the template's quotes or without.
        TArgumentCase{"blanksAndQuotes", "-n%L %F", Blanks, 1140, {"-n1140", Blanks}},
        TArgumentCase{"quotedInTheTemplate", "-n%L \"%F\"", Blanks, 1140, {"-n1140", Blanks}},
        TArgumentCase{"insideAnArgument",
                      "--goto=\"%F:%L\"",
                      "/vb/表示 1.frm",
                      5,
                      {"--goto=/vb/表示 1.frm:5"}},
        TArgumentCase{"doubledQuote", "\"a \"\"b\"\"\" %F", "/f", 1, {"a \"b\"", "/f"}}),
    [](const testing::TestParamInfo<TArgumentCase>& info) { return info.param.Name; });

TEST(EditorJump, NamesTheProgramAndSaysWhyWhenThereIsNone) {
    TVtOption option("/nowhere/vrt.ini");
    TFindingRecord finding{"R", "/vb/A.bas", 5, "m", TFindingRecord::TOrigin::Report};

    option.CommandLine = "\"/opt/my editor/ed\" -l%L %F";
    TEditorJump jump = EditorJumpFor(option, finding);
    EXPECT_EQ(jump.Error, "");
    EXPECT_EQ(jump.Launch.Program, "/opt/my editor/ed");
    EXPECT_EQ(jump.Launch.Arguments, (Args{"-l1", "/vb/A.bas"})); // Report: line 1

    option.CommandLine = "";
    EXPECT_NE(EditorJumpFor(option, finding).Error.find("オプション"), std::string::npos);
    option.CommandLine = "notepad.exe";
    EXPECT_NE(EditorJumpFor(option, finding).Error.find("「notepad.exe」"), std::string::npos);
    option.CommandLine = "\"/opt/ed -l%L %F"; // a quote never closed: no program
    EXPECT_NE(EditorJumpFor(option, finding).Error, "");
    EXPECT_EQ(EditorNotStartedText({"/opt/ed", {"-l3", "/a b.bas"}}),
              "エディタを起動できません: /opt/ed -l3 /a b.bas");
}

TEST(EditorJump, ARowOutsideTheFindingsOpensNothing) {
    TVtOption option("/nowhere/vrt.ini");
    option.CommandLine = "ed %F";
    TResultStore results;
    EXPECT_FALSE(EditorJumpForRow(option, results, 0));
    results.Add({"R", "/vb/A.bas", 5, "m", TFindingRecord::TOrigin::At});
    EXPECT_FALSE(EditorJumpForRow(option, results, -1));
    EXPECT_FALSE(EditorJumpForRow(option, results, 1));
    ASSERT_TRUE(EditorJumpForRow(option, results, 0));
    EXPECT_EQ(EditorJumpForRow(option, results, 0)->Launch.Arguments, Args{"/vb/A.bas"});
}
