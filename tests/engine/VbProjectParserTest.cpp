// The project file reader and the parse walk over a whole project.
#include "vbsource/VbProjectParser.h"
#include "TestSupport.h"
#include "framework/Errors.h"
#include "framework/TextLines.h"

#include <gtest/gtest.h>

#include <filesystem>

using Strings = std::vector<std::string>;

namespace {

const std::string kSample = std::string(VETRIN_TEST_DATA) + "/vb/sample";

Strings TextsOf(const TSourceList& list) {
    Strings out;
    for (int i = 0; i < list.Count(); ++i)
        out.emplace_back(list.Text(i));
    return out;
}

Strings MethodNames(const TVbSource& source) {
    Strings out;
    for (int i = 0; i < source.Methods.Count(); ++i)
        out.emplace_back(source.Methods.Get(i)->NameToken->Text());
    return out;
}

Strings ArgumentNames(const TVbMethod& method) {
    Strings out;
    for (int i = 0; i < method.Arguments.Count(); ++i)
        out.emplace_back(method.Arguments.Get(i)->Name());
    return out;
}

// A project read from the given .vbp text in a temporary folder.
struct ReadProject {
    explicit ReadProject(std::string_view vbp) {
        path = dir.Write("p/a.vbp", vbp);
        project.Load(path);
        ok = TVbProjectParser(project).Execute();
    }
    TempDir dir;
    std::string path;
    TVbProjectSource project;
    bool ok = false;
};

} // namespace

TEST(VbProjectParser, SortsLinesByKeyAndCreatesMembersInFileOrder) {
    TVbProjectSource p;
    p.Load(kSample + "/Sample.vbp");
    ASSERT_TRUE(TVbProjectParser(p).Execute());

    EXPECT_EQ(TextsOf(p.Forms), (Strings{"Form=Form1.frm"}));
    EXPECT_EQ(TextsOf(p.Modules),
              (Strings{"Module=Module1; Module1.bas", "Module=Gone; Gone.bas"}));
    EXPECT_EQ(TextsOf(p.Classes), (Strings{"Class=Customer; customer.CLS"}));
    EXPECT_EQ(p.Objects.Count(), 1);
    EXPECT_EQ(p.References.Count(), 1);
    EXPECT_EQ(p.UserControls.Count(), 0);
    // Other keys, and a key in another letter case, stay other lines and make no member.
    EXPECT_EQ(TextsOf(p.OtherLines), (Strings{"Type=Exe", "Startup=\"Sub Main\"", "Name=\"Sample\"",
                                              "AutoIncrementVer=0", "module=Lower; Module1.bas"}));

    // Member paths are absolute; the class is found under the letter case the disk has.
    EXPECT_EQ(p.MemberFiles, (Strings{kSample + "/Form1.frm", kSample + "/Module1.bas",
                                      kSample + "/Customer.cls", kSample + "/Gone.bas"}));
    ASSERT_EQ(p.Children.size(), 4u);
    EXPECT_NE(dynamic_cast<TVbFormSource*>(p.Children[0]), nullptr);
    EXPECT_NE(dynamic_cast<TVbModuleSource*>(p.Children[1]), nullptr);
    EXPECT_NE(dynamic_cast<TVbClassSource*>(p.Children[2]), nullptr);
    EXPECT_EQ(static_cast<TVbSource*>(p.Children[1])->Project, &p);
    EXPECT_EQ(p.Children[2]->FileName, kSample + "/Customer.cls");
    EXPECT_EQ(p.Children[1]->RawLines.Count(), 16);

    // The logical lines are the project's lines, numbers included, for look-ups by key.
    int at = p.LogicalLines.IndexOfName("autoincrementver");
    ASSERT_GE(at, 0);
    EXPECT_EQ(p.LogicalLines.ValueAt(at), "0");
    EXPECT_EQ(p.LogicalLines.LineNumber(at), 10);
}

TEST(VbProjectParser, MissingMemberIsAChildWithItsNameOnly) {
    TVbProjectSource p;
    p.Load(kSample + "/Sample.vbp");
    ASSERT_TRUE(TVbProjectParser(p).Execute());
    TVtParts* gone = p.Children[3];
    EXPECT_EQ(gone->FileName, kSample + "/Gone.bas");
    EXPECT_EQ(gone->RawLines.Count(), 0);
    EXPECT_FALSE(gone->FileAge.has_value());
    EXPECT_FALSE(gone->HasContent());
}

TEST(VbProjectParser, MemberPathValues) {
    ReadProject r("Class=Class1;   c.cls  \r\nModule=m.bas\r\nForm=..\\shared\\f.frm\r\n"
                  "UserControl=u.ctl\r\n"
                  "PropertyPage=Page1; pages\\pg.pag\r\n");
    ASSERT_TRUE(r.ok);
    std::string folder = r.dir.Path + "/p";
    // Leading blanks after ";" go, trailing ones stay; a value without ";" is the path.
    EXPECT_EQ(r.project.MemberFiles,
              (Strings{folder + "/c.cls  ", folder + "/m.bas", r.dir.Path + "/shared/f.frm",
                       folder + "/u.ctl", folder + "/pages/pg.pag"}));
    ASSERT_EQ(r.project.Children.size(), 5u);
    EXPECT_NE(dynamic_cast<TVbUserControlSource*>(r.project.Children[3]), nullptr);
    EXPECT_NE(dynamic_cast<TVbPropertyPageSource*>(r.project.Children[4]), nullptr);
}

TEST(VbProjectParser, EmptyProjectFile) {
    ReadProject r("");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.project.LogicalLines.Count(), 0);
    EXPECT_TRUE(r.project.Children.empty());
    EXPECT_TRUE(r.project.HasContent());
}

TEST(VbProjectParser, ParseWalkOverTheSampleProject) {
    TVbProjectSource p;
    TStringLines log;
    p.SetLog(&log);
    p.Load(kSample + "/Sample.vbp");
    p.Analyze();

    // One line per parsed member, and a second line for the missing one.
    ASSERT_EQ(log.Lines.size(), 5u);
    std::string form = log.Lines[0].substr(20);
    EXPECT_EQ(
        form.rfind(kSample + "/Form1.frm" + Sj(" を解析中...完了( Line:19 Token:25 Method:1 Time:"),
                   0),
        0u)
        << form;
    EXPECT_EQ(form.substr(form.size() - 3), "s )");
    EXPECT_EQ(log.Lines[3].substr(20), kSample + "/Gone.bas" + Sj(" を解析中..."));
    EXPECT_EQ(log.Lines[4].substr(20), Sj("▼ ファイルが見つかりません:") + kSample + "/Gone.bas");

    auto& formSource = *static_cast<TVbSource*>(p.Children[0]);
    EXPECT_EQ(formSource.Tokens.Get(0)->Kind, tkVersion);
    EXPECT_EQ(formSource.Tokens.Get(2)->Text(), Sj("   Caption         =   \"サンプル\"[cr]"));
    EXPECT_EQ(MethodNames(formSource), (Strings{"Command1_Click"}));

    // Japanese names in code page 932: one identifier each, arguments across a continued line.
    auto& module = *static_cast<TVbSource*>(p.Children[1]);
    EXPECT_EQ(MethodNames(module), (Strings{"Main", Sj("加算")}));
    EXPECT_EQ(ArgumentNames(*module.Methods.Get(1)), (Strings{Sj("値"), Sj("倍率")}));
    EXPECT_EQ(module.Methods.Get(1)->NameToken->Scope, 4);
    EXPECT_EQ(module.Methods.Get(1)->Line, 13);
    EXPECT_EQ(module.Variables.Count(), 2);
    EXPECT_EQ(module.Variables.Get(0)->Name(), Sj("最大件数"));
    EXPECT_TRUE(module.DroppedText.empty());

    auto& customer = *static_cast<TVbSource*>(p.Children[2]);
    EXPECT_EQ(MethodNames(customer), (Strings{Sj("名前"), Sj("名前")}));
    EXPECT_EQ(ArgumentNames(*customer.Methods.Get(1)), (Strings{Sj("値")}));
}

TEST(VbProjectParser, UnreadableMemberIsLoggedAndLaterMembersStay) {
    // /proc/self/mem is a regular file that cannot be read from its start.
    TempDir dir;
    dir.Write("p/b.bas", "Attribute VB_Name = \"b\"\r\n");
    std::string path = dir.Write("p/a.vbp", "Module=m; /proc/self/mem\r\nModule=b; b.bas\r\n");
    TStringLines log;
    TVbProjectSource project;
    project.SetLog(&log);
    project.Load(path);
    EXPECT_TRUE(TVbProjectParser(project).Execute());
    ASSERT_EQ(project.Children.size(), 2u);
    EXPECT_EQ(project.Children[0]->FileName, "/proc/self/mem");
    EXPECT_EQ(project.Children[0]->RawLines.Count(), 0);
    EXPECT_EQ(project.Children[1]->RawLines.Count(), 1);
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Lines[0].substr(20), Sj("ファイル /proc/self/mem は開けません"));
}

TEST(VbProjectParser, MemberThatRunsOutOfMemoryIsKeptAndNamed) {
    TempDir dir;
    dir.Write("p/a.bas", "Attribute VB_Name = \"a\"\r\n");
    dir.Write("p/b.bas", "Attribute VB_Name = \"b\"\r\n");
    std::string path = dir.Write("p/a.vbp", "Module=a; a.bas\r\nModule=b; b.bas\r\n");
    TVbProjectParser::MemberLoadHook = [](const std::string& file) {
        if (file.ends_with("/a.bas")) throw std::bad_alloc();
    };
    TStringLines log;
    TVbProjectSource project;
    project.SetLog(&log);
    project.Load(path);
    bool answer = TVbProjectParser(project).Execute();
    TVbProjectParser::MemberLoadHook = nullptr;
    EXPECT_TRUE(answer);
    ASSERT_EQ(project.Children.size(), 2u);
    EXPECT_EQ(project.Children[0]->RawLines.Count(), 0);
    EXPECT_EQ(project.Children[1]->RawLines.Count(), 1);
    ASSERT_EQ(project.MemberFailures.size(), 1u);
    EXPECT_EQ(project.MemberFailures[0].FileName, dir.Path + "/p/a.bas");
    EXPECT_EQ(project.MemberFailures[0].Line,
              dir.Path + "/p/a.bas : " + Sj("メモリが足りないため読めません"));
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Lines[0].substr(20), project.MemberFailures[0].Line);
}

TEST(VbProjectParser, OnlyAFileWithProjectLinesIsAProject) {
    TempDir dir;
    auto check = [&](const std::string& bytes) {
        TVbProjectSource project;
        project.Load(dir.Write("x.vbp", bytes));
        project.CheckIsProject();
    };
    for (const char* notProject :
         {"", "\x01\x02\xFF garbage\r\n", "Attribute VB_Name = \"Module1\"\r\nOption Explicit\r\n"})
        EXPECT_THROW(check(notProject), EGeneralError) << notProject;
    for (const char* project : {"Type=Exe\r\n", "Module=m; m.bas\r\n", "Reference=*\\G{0}#2.0\r\n"})
        EXPECT_NO_THROW(check(project)) << project;
    // A file that is not there is reported as missing, as before, not as "not a project".
    TVbProjectSource missing;
    missing.Load(dir.Path + "/gone.vbp");
    EXPECT_NO_THROW(missing.CheckIsProject());
}
