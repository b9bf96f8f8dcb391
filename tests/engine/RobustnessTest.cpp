// Damaged and hostile input at the edges: decoding, checker project files, atomic writes, long
// continued statements, word lists and project member paths.
#include "framework/Errors.h"
#include "framework/Vetrin.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbParsers.h"
#include "vbsource/VbProjectParser.h"

#include "TestSupport.h"
#include "VbParseSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class TListRule : public TVetrin {
public:
    TStringList Entries;
    std::string_view ClassName() const override { return "TList"; }
    void SaveSettings(TVetrinList& w) const override { w.WriteStrings(Entries); }
    void LoadSettings(TVetrinList& r) override { r.ReadStrings(Entries); }
    std::uint8_t Category() const override { return catGlobal; }
    std::string GetCheckerName() const override { return Sj("一覧"); }
};

std::string ReadAll(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(platform::ReadFileBytes(path, bytes)) << path;
    return bytes;
}
} // namespace

TEST(Robustness, InvalidPairKeepsItsAsciiSecondByte) {
    // Unmended: "\x88\x55" (no character) lost the "U" with it.
    EXPECT_EQ(platform::Cp932ToUtf8("\x88\x55V"), "\xEF\xBF\xBDUV");
    // "（UTF-8）" written as UTF-8 and read as code page 932 keeps its ASCII text.
    EXPECT_NE(platform::Cp932ToUtf8("\xEF\xBC\x88UTF-8\xEF\xBC\x89").find("UTF-8"),
              std::string::npos);
    // A second byte of 0x80 or above goes with the pair: one replacement, nothing after it.
    EXPECT_EQ(platform::Cp932ToUtf8("\x85\xA0"), "\xEF\xBF\xBD");
}

TEST(Robustness, CheckerProjectHeaderWithADoubleByteFirstCharacter) {
    // "ゾ" is 0x83 0x5D: its second byte is "]". Unmended: the name was empty, the section lost.
    TVetrins checkers;
    auto* rule = static_cast<TListRule*>(checkers.Add(std::make_unique<TListRule>()));
    std::istringstream in(Sj("ゾTList] : x\r\nTrue\r\n1\r\na]b\r\n"));
    checkers.LoadFromStream(in);
    EXPECT_TRUE(rule->Enabled);
    EXPECT_EQ(rule->Entries, TStringList{"a]b"});
    // "]" as the first character still gives no name.
    rule->Enabled = false;
    std::istringstream first("]TList] : x\r\nTrue\r\n");
    checkers.LoadFromStream(first);
    EXPECT_FALSE(rule->Enabled);
}

TEST(Robustness, CountBeyondTheLinesLeftStopsTheLoad) {
    // Unmended: 2147483647 empty entries were allocated (std::bad_alloc).
    TVetrins checkers;
    auto* rule = static_cast<TListRule*>(checkers.Add(std::make_unique<TListRule>()));
    rule->Entries = {"old"};
    std::istringstream in("[TList] : x\r\nTrue\r\n2147483647\r\na\r\n");
    try {
        checkers.LoadFromStream(in);
        FAIL() << "no failure";
    } catch (const EConvertError& e) {
        EXPECT_EQ(platform::Cp932ToUtf8(e.Message()),
                  "件数 2147483647 に対して行が足りません (残り 1 行)");
    }
    // Read before the count, and put back with everything else.
    EXPECT_FALSE(rule->Enabled);
    EXPECT_EQ(rule->Entries, TStringList{"old"});
    // Exactly as many lines as promised still load.
    std::istringstream exact("[TList] : x\r\nTrue\r\n2\r\na\r\n\r\n");
    checkers.LoadFromStream(exact);
    EXPECT_EQ(rule->Entries, (TStringList{"a", ""}));
}

TEST(Robustness, AtomicWriteFollowsLinksKeepsModesAndRefusesOddTargets) {
    TempDir dir;
    namespace fs = std::filesystem;
    const std::string shared = dir.Write("team/shared.vrp", "old");
    ASSERT_EQ(chmod(shared.c_str(), 0640), 0);
    fs::create_symlink("team/shared.vrp", dir.Path + "/mine.vrp");
    ASSERT_TRUE(platform::WriteFileBytes(dir.Path + "/mine.vrp", "new"));
    EXPECT_TRUE(fs::is_symlink(dir.Path + "/mine.vrp"));
    EXPECT_EQ(ReadAll(shared), "new");
    struct stat st;
    ASSERT_EQ(stat(shared.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    const std::string fifo = dir.Path + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_FALSE(platform::WriteFileBytes(fifo, "x"));
    EXPECT_TRUE(fs::is_fifo(fifo));
    fs::create_directory(dir.Path + "/folder");
    EXPECT_FALSE(platform::WriteFileBytes(dir.Path + "/folder", "x"));
    // Nothing is left behind by the refusals.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path), {}), 4);

    if (geteuid() != 0) { // root may write any file
        const std::string locked = dir.Write("locked.vrp", "keep");
        ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
        EXPECT_FALSE(platform::WriteFileBytes(locked, "x"));
        EXPECT_EQ(ReadAll(locked), "keep");
    }
}

TEST(Robustness, LongDoubleByteContinuationJoinsInLinearTime) {
    // "亜" is 0x88 0x9F: both bytes can lead a character, so a byte-wise look back for the
    // pairing runs over the whole joined text. Unmended: 100,000 such lines took 5.9 s.
    const std::string line = Sj("亜_") + "\r\n";
    std::string text;
    for (int k = 0; k < 100000; ++k)
        text += line;
    text += "x\r\n";
    auto source = SourceOf(text);
    TVbModuleParser parser(*source);
    const auto start = std::chrono::steady_clock::now();
    parser.JoinContinuationLines();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 1.5);
    ASSERT_EQ(source->LogicalLines.Count(), 100001);
    const std::string first(source->LogicalLines.Text(0));
    EXPECT_EQ(first.size(), 200001u);
    EXPECT_EQ(first.substr(first.size() - 3), Sj("亜") + "x");
    // A "_" that is the second byte of a character does not continue ("ソ" ends in 0x5C, "ゾ" in
    // 0x5D; "_" ends no character, so a lead byte then "_" is such a pair).
    auto paired = SourceOf(Sj("亜亜") + "\x88_\r\nx\r\n");
    TVbModuleParser(*paired).JoinContinuationLines();
    EXPECT_EQ(paired->LogicalLines.Text(1), "x");
}

TEST(Robustness, WordListWithoutAnEntryIsAnError) {
    TempDir dir;
    dir.Write("vb/internal.txt", "Len\r\n");
    dir.Write("vb/keyword.txt", "\r\n\r\n");
    dir.Write("vb/operator.txt", "=\r\n");
    auto s = SourceOf("Option Explicit\r\n");
    try {
        TVbModuleParser parser(*s, dir.Path + "/vb");
        FAIL() << "no failure";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(dir.Path + "/vb/keyword.txt"), std::string::npos);
    }
    dir.Write("vb/keyword.txt", "");
    EXPECT_THROW(TVbModuleParser(*s, dir.Path + "/vb"), EFOpenError);
}

TEST(Robustness, MemberPathWithANulByteNamesNoFile) {
    TempDir dir;
    dir.Write("p/A.bas", "Attribute VB_Name = \"A\"\r\n");
    const std::string vbp = dir.Write("p/a.vbp", std::string("Module=A; A.bas\0junk\r\n", 22));
    TVbProjectSource project;
    project.Load(vbp);
    ASSERT_TRUE(TVbProjectParser(project).Execute());
    ASSERT_EQ(project.Children.size(), 1u);
    EXPECT_EQ(project.Children[0]->RawLines.Count(), 0);
    EXPECT_FALSE(platform::FileExists(project.Children[0]->FileName));
    EXPECT_TRUE(platform::FileExists(dir.Path + "/p/A.bas"));
}
