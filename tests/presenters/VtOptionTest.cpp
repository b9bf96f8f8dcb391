// The options in vrt.ini and the editor command line split.
#include "presenters/VtOption.h"
#include "PresenterTestSupport.h"
#include "framework/Errors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {
std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
} // namespace

TEST(VtOption, SplitsTheEditorCommandLine) {
    struct TCase {
        const char *CommandLine, *Program, *Parameters;
    };
    for (const TCase& c : {
             // A quoted program keeps its blank; the parameters keep their leading blank.
             TCase{"\"C:\\Program Files\\Hidemaru\\hidemaru.exe\" /l%L %F",
                   "C:\\Program Files\\Hidemaru\\hidemaru.exe", " /l%L %F"},
             TCase{"notepad.exe %F", "notepad.exe", "%F"}, TCase{"notepad.exe", "notepad.exe", ""},
             TCase{"\"C:\\ed.exe /n%L", "", "C:\\ed.exe /n%L"}, // a quote never closed
             TCase{"", "", ""},
             TCase{"\"C:\\ソフト\\表示.exe\" -n%L %F", "C:\\ソフト\\表示.exe", " -n%L %F"},
             TCase{"C:\\my　editor.exe %F", "C:\\my　editor.exe", "%F"}, // a wide blank
         }) {
        TVtOption option("/nowhere/vrt.ini");
        option.CommandLine = Sj(c.CommandLine);
        EXPECT_EQ(option.GetEditorProgram(), Sj(c.Program)) << c.CommandLine;
        EXPECT_EQ(option.GetEditorParameters(), Sj(c.Parameters)) << c.CommandLine;
    }
    // A chosen program replaces only the program part.
    EXPECT_EQ(TVtOption::WithEditorProgram("ed.exe -l%L %F", "/opt/my ed/ed"),
              "\"/opt/my ed/ed\" -l%L %F");
    EXPECT_EQ(TVtOption::WithEditorProgram("\"a b\" %F", "/bin/vi"), "/bin/vi %F");
}

TEST(VtOption, SavesAndLoadsEveryValueInCodePage932) {
    TempDir dir;
    TVtOption option(dir.Path + "/vrt.ini");
    option.CommandLine = "kept";
    option.LoadOptions(); // no file: nothing changes
    EXPECT_EQ(option.CommandLine, "kept");
    option.CommandLine = Sj("\"C:\\Program Files\\エディタ\\ed.exe\" /l%L %F");
    // The paths are the file system's (UTF-8); the file holds them in code page 932.
    option.LastOpen = "/home/u/規則.vrp";
    option.TargetProject = "/home/u/プロジェクト/Sample.vbp";
    option.SaveOptions();
    EXPECT_EQ(ReadAll(option.IniFileName), "[Editor]\r\nCommandLine=" + option.CommandLine +
                                               "\r\n\r\n[File]\r\nLastOpen=" + Sj(option.LastOpen) +
                                               "\r\nTargetProject=" + Sj(option.TargetProject) +
                                               "\r\n\r\n[Source]\r\nCodePage=932\r\n");
    TVtOption reread(option.IniFileName);
    reread.LoadOptions();
    EXPECT_EQ(reread.CommandLine, option.CommandLine);
    EXPECT_EQ(reread.LastOpen, option.LastOpen);
    EXPECT_EQ(reread.TargetProject, option.TargetProject);
}

TEST(VtOption, ReadsFilesOtherProgramsWroteAndKeepsValuesOnOneLine) {
    TempDir dir;
    // Other letter case in names, blanks around keys, comments, other keys and sections, LF
    // line ends, a value with "=" in it, a missing key.
    const std::string ini =
        dir.Write("vrt.ini", "; written by hand\n[editor]\n  commandline = ed.exe a=b %F \n"
                             "[Other]\nLastOpen=wrong\n[FILE]\nTargetProject=/p/x.vbp\n");
    TVtOption option(ini);
    option.LastOpen = "stale";
    option.LoadOptions();
    EXPECT_EQ(option.CommandLine, " ed.exe a=b %F ");
    EXPECT_EQ(option.TargetProject, "/p/x.vbp");
    EXPECT_EQ(option.LastOpen, "");

    option.LastOpen = "a\r\n[Editor]\r\nCommandLine=evil";
    option.SaveOptions();
    TVtOption reread(ini);
    reread.LoadOptions();
    EXPECT_EQ(reread.CommandLine, " ed.exe a=b %F ");
    EXPECT_EQ(reread.LastOpen, "a  [Editor]  CommandLine=evil");
}

TEST(VtOption, WhereTheFileIs) {
    TempDir dir;
    dir.Write("plain", "not a folder");
    EXPECT_THROW(TVtOption(dir.Path + "/plain/vrt.ini").SaveOptions(), EFCreateError);
    // A folder that is not there yet is made.
    TVtOption nested(dir.Path + "/a/b/vrt.ini");
    nested.SaveOptions();
    EXPECT_NE(ReadAll(nested.IniFileName), "");
    setenv("VETRIN_INI", (dir.Path + "/named.ini").c_str(), 1);
    EXPECT_EQ(TVtOption().IniFileName, dir.Path + "/named.ini");
    unsetenv("VETRIN_INI");
    EXPECT_TRUE(TVtOption().IniFileName.ends_with("/vrt.ini"));
}

TEST(VtOption, KeepsTheChosenLanguageAndFollowsTheLocaleWithoutOne) {
    TempDir dir;
    TVtOption option(dir.Path + "/vrt.ini");
    option.Language = TLanguage::English;
    option.SaveOptions();
    EXPECT_NE(ReadAll(option.IniFileName).find("\r\n[Display]\r\nLanguage=en\r\n"),
              std::string::npos);
    TVtOption reread(option.IniFileName);
    reread.LoadOptions();
    EXPECT_EQ(reread.Language, TLanguage::English);
    EXPECT_EQ(reread.WindowLanguage(), TLanguage::English);

    // A value of no language of ours (or none) is no choice: the windows take the locale's, and
    // saving writes no language back.
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    for (const char* value : {"fr", "", "english"}) {
        dir.Write("vrt.ini", std::string("[Display]\r\nLanguage=") + value + "\r\n");
        reread.LoadOptions();
        EXPECT_EQ(reread.Language, std::nullopt) << value;
        EXPECT_EQ(reread.WindowLanguage(), TLanguage::Japanese) << value;
    }
    reread.SaveOptions();
    EXPECT_EQ(ReadAll(reread.IniFileName).find("Display"), std::string::npos);
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(reread.WindowLanguage(), TLanguage::English);
    unsetenv("LC_ALL");
    dir.Write("vrt.ini", "[display]\r\nlanguage = JA \r\n");
    reread.LoadOptions();
    EXPECT_EQ(reread.Language, TLanguage::Japanese);
}
