// The settings value list and the checker project file: sequential values, sections, and how a
// damaged or foreign file is read.
#include "framework/Errors.h"
#include "framework/Vetrin.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class TFlagRule : public TVetrin {
public:
    explicit TFlagRule(std::string name) : Name(std::move(name)) {}
    std::string Name;
    bool Flag = true;
    std::string_view ClassName() const override { return Name; }
    void SaveSettings(TVetrinList& w) const override { w.WriteBool(Flag); }
    void LoadSettings(TVetrinList& r) override { r.ReadBool(Flag); }
    std::uint8_t Category() const override { return catOther; }
    std::string GetCheckerName() const override { return Sj("フラグ"); }
};

class TListRule : public TVetrin {
public:
    explicit TListRule(std::string name) : Name(std::move(name)) {}
    std::string Name;
    TStringList Entries;
    std::int32_t Limit = 80;
    std::string_view ClassName() const override { return Name; }
    void SaveSettings(TVetrinList& w) const override {
        w.WriteStrings(Entries);
        w.WriteInteger(Limit);
    }
    void LoadSettings(TVetrinList& r) override {
        r.ReadStrings(Entries);
        r.ReadInteger(Limit);
    }
    std::uint8_t Category() const override { return catGlobal; }
    std::string GetCheckerName() const override { return Sj("一覧"); }
};

struct Rules {
    TVetrins checkers;
    TFlagRule* flag;
    TListRule* list;
    Rules() {
        flag = static_cast<TFlagRule*>(checkers.Add(std::make_unique<TFlagRule>("TFlag")));
        list = static_cast<TListRule*>(checkers.Add(std::make_unique<TListRule>("TList")));
    }
    std::string Save() const {
        std::ostringstream out;
        checkers.SaveToStream(out);
        return out.str();
    }
    void Load(const std::string& text) {
        std::istringstream in(text);
        checkers.LoadFromStream(in);
    }
};

std::string ConversionMessage(std::string_view text) {
    return Sj("'") + std::string(text) + Sj("' は整数ではありません");
}

} // namespace

TEST(SettingsValues, SequentialReadAndWrite) {
    TVetrinList list;
    list.WriteBool(true);
    list.WriteInteger(-12);
    list.WriteStrings({});
    list.WriteStrings({"a", "", "]b"});
    EXPECT_EQ(list.Text(), "True\r\n-12\r\n0\r\n3\r\na\r\n\r\n]b\r\n");
    bool flag = false;
    std::int32_t n = 0;
    TStringList strings{"old"};
    list.ReadBool(flag);
    list.ReadInteger(n);
    list.ReadStrings(strings);
    EXPECT_TRUE(flag);
    EXPECT_EQ(n, -12);
    EXPECT_TRUE(strings.empty());
    list.ReadStrings(strings);
    EXPECT_EQ(strings, (TStringList{"a", "", "]b"}));
    // Past the end: empty texts, the cursor still moves, a boolean keeps its value.
    EXPECT_EQ(list.ReadNext(), "");
    EXPECT_EQ(list.Cursor, 8);
    list.ReadBool(flag);
    EXPECT_TRUE(flag);
    EXPECT_EQ(list.Cursor, 9);
    try {
        list.ReadInteger(n);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), ConversionMessage(""));
    }
}

TEST(SettingsValues, BooleansAndIntegersAreStrict) {
    TVetrinList list;
    list.SetText("true\nFALSE\n 5\n+7\n2147483648\n-2147483648\n");
    bool flag = true;
    list.ReadBool(flag);
    list.ReadBool(flag);
    EXPECT_TRUE(flag);
    std::int32_t n = 0;
    EXPECT_THROW(list.ReadInteger(n), EConvertError);
    list.ReadInteger(n);
    EXPECT_EQ(n, 7);
    EXPECT_THROW(list.ReadInteger(n), EConvertError);
    list.ReadInteger(n);
    EXPECT_EQ(n, -2147483647 - 1);
}

TEST(CheckerProjectFile, WritesSectionsInCollectionOrderWithCrLf) {
    Rules r;
    r.list->Enabled = true;
    r.list->Entries = {"Form1.frm", "", " C:\\p\\x.bas"};
    EXPECT_EQ(r.Save(),
              Sj("[TFlag] : フラグ\r\nFalse\r\nTrue\r\n"
                 "[TList] : 一覧\r\nTrue\r\n3\r\nForm1.frm\r\n\r\n C:\\p\\x.bas\r\n80\r\n"));
}

TEST(CheckerProjectFile, RoundTripKeepsFlagsAndEmptyEntries) {
    Rules a;
    a.flag->Enabled = true;
    a.flag->Flag = false;
    a.list->Entries = {"", "x]y", ""};
    a.list->Limit = -1;
    Rules b;
    b.Load(a.Save());
    EXPECT_TRUE(b.flag->Enabled);
    EXPECT_FALSE(b.flag->Flag);
    EXPECT_FALSE(b.list->Enabled);
    EXPECT_EQ(b.list->Entries, a.list->Entries);
    EXPECT_EQ(b.list->Limit, -1);
    EXPECT_EQ(b.Save(), a.Save());
}

TEST(CheckerProjectFile, ForeignSectionsAndLetterCaseAreSkippedLineByLine) {
    Rules r;
    r.Load(
        "[TUnknown] : x\r\nTrue\r\n[tlist] : y\r\nTrue\r\n9\r\n[TFlag] : z\r\nTrue\r\nFalse\r\n");
    EXPECT_TRUE(r.flag->Enabled);
    EXPECT_FALSE(r.flag->Flag);
    EXPECT_FALSE(r.list->Enabled);
    EXPECT_EQ(r.list->Limit, 80);
    // Sections in any order; the display name is ignored; lone LF and CR line ends are read too.
    r.Load("[TList] : other\nTrue\r2\na\nb\n7\n");
    EXPECT_TRUE(r.list->Enabled);
    EXPECT_EQ(r.list->Entries, (TStringList{"a", "b"}));
    EXPECT_EQ(r.list->Limit, 7);
}

TEST(CheckerProjectFile, EmptyFileChangesNothing) {
    Rules r;
    r.flag->Enabled = true;
    r.Load("");
    EXPECT_TRUE(r.flag->Enabled);
    EXPECT_TRUE(r.flag->Flag);
}

TEST(CheckerProjectFile, NonIntegerStopsTheLoadChangingNothing) {
    Rules r;
    try {
        r.Load("[TFlag] : f\r\nTrue\r\nFalse\r\n[TList] : l\r\nTrue\r\nabc\r\n");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), ConversionMessage("abc"));
    }
    // A file is applied whole or not at all: the sections before the fault are put back.
    EXPECT_FALSE(r.flag->Enabled);
    EXPECT_TRUE(r.flag->Flag);
    EXPECT_FALSE(r.list->Enabled);
}

TEST(CheckerProjectFile, SectionCutShortRaisesChangingNothing) {
    // A file holding only a header and the enabled line: the settings read past the end, the
    // conversion error reaches the caller and the flag read before it is put back.
    Rules r;
    r.list->Enabled = true;
    r.list->Entries = {"keep"};
    EXPECT_THROW(r.Load("[TList] : anything\r\nFalse\r\n"), EConvertError);
    EXPECT_TRUE(r.list->Enabled);
    EXPECT_EQ(r.list->Entries, TStringList{"keep"});
    EXPECT_EQ(r.list->Limit, 80);
    EXPECT_FALSE(r.flag->Enabled);
}

TEST(CheckerProjectFile, FilesRecordTheirNameAndFailClearly) {
    TempDir dir;
    Rules r;
    r.flag->Enabled = true;
    std::string path = dir.Path + "/rules.vrp";
    r.checkers.SaveToFile(path);
    EXPECT_EQ(r.checkers.FileName, path);
    Rules s;
    s.checkers.LoadFromFile(path);
    EXPECT_TRUE(s.flag->Enabled);
    EXPECT_EQ(s.checkers.FileName, path);
    try {
        s.checkers.LoadFromFile(dir.Path + "/none.vrp");
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), Sj("ファイル ") + dir.Path + Sj("/none.vrp は開けません"));
    }
    try {
        s.checkers.SaveToFile(dir.Path + "/no/such/folder.vrp");
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(),
                  Sj("ファイル ") + dir.Path + Sj("/no/such/folder.vrp を作成できません"));
    }
    EXPECT_EQ(s.checkers.FileName, path);
}

TEST(CheckerProjectFile, AFileThatIsNoneOrHalfValidChangesNothingAndIsNotRecorded) {
    TempDir dir;
    Rules r;
    r.flag->Enabled = true;
    r.list->Entries = {"keep"};
    // Random bytes hold no rule's section at all; a half-valid file fails on its sixth line.
    const std::string random =
        dir.Write("random.vrp", std::string("\x8E\x01\xFFgarbage\r\n]x[\r\n"));
    const std::string half =
        dir.Write("half.vrp", "[TFlag] : f\r\nFalse\r\nFalse\r\n[TList] : l\r\nTrue\r\nx\r\n");
    for (const auto& [file, message] :
         {std::pair{random, random + Sj(" : ルールの設定が一つもありません")},
          std::pair{half, half + "(6) : " + ConversionMessage("x")}}) {
        SCOPED_TRACE(file);
        try {
            r.checkers.LoadFromFile(file);
            FAIL() << "accepted";
        } catch (const ECheckerProjectError& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_TRUE(r.flag->Enabled);
        EXPECT_TRUE(r.flag->Flag);
        EXPECT_FALSE(r.list->Enabled);
        EXPECT_EQ(r.list->Entries, TStringList{"keep"});
        EXPECT_EQ(r.checkers.FileName, "");
    }
    // An empty file is a checker project with nothing in it.
    r.checkers.LoadFromFile(dir.Write("empty.vrp", ""));
    EXPECT_TRUE(r.flag->Enabled);
}
