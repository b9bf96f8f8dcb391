#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/Signals.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <poll.h>
#include <unistd.h>

TEST(CodePage, TrailByteIsNeverTakenForAscii) {
    // "ソ" is 0x83 0x5C and "ポ" is 0x83 0x7C; "表" is 0x95 0x5C: their trail bytes look like "\"
    // and "|".
    std::string s = Sj("ソ表_");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(platform::FindLastOf(s, "\\"), std::string::npos);
    EXPECT_EQ(platform::FindLastOf(s, "_"), 4u);
    EXPECT_EQ(platform::FileNamePart(Sj("C:\\表\\ソ.frm")), Sj("ソ.frm"));
    EXPECT_EQ(platform::FileNamePart("/p/q:r.bas"), "r.bas");
    // A lead byte at the very end, or before a byte that cannot trail, is a single byte.
    EXPECT_EQ(platform::CharLength("\x83", 0), 1u);
    EXPECT_EQ(platform::CharLength("\x83\x20", 0), 1u);
}

TEST(CodePage, ConversionRoundTripsAndReplacesBadBytes) {
    std::string sj = Sj("一行の長さ制限");
    EXPECT_EQ(platform::Cp932ToUtf8(sj), "一行の長さ制限");
    EXPECT_EQ(platform::Cp932ToUtf8("a\x83"), "a\xEF\xBF\xBD"); // lone lead byte at the end
    EXPECT_EQ(platform::Cp932ToUtf8("\xA0"
                                    "b"),
              "\xEF\xBF\xBD"
              "b"); // unmapped single byte
    EXPECT_EQ(platform::Utf8ToCp932("x\xFFy"), "x?y");
}

TEST(Files, LinesEndAtCrLfOrBoth) {
    EXPECT_EQ(platform::SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(platform::SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(platform::SplitLines("").empty());
    EXPECT_EQ(platform::SplitLines("\n\r"), (std::vector<std::string>{"", ""}));
}

TEST(Files, ProjectPathsResolveLexicallyAndIgnoringCase) {
    TempDir dir;
    dir.Write("proj/Forms/Main.FRM", "x");
    dir.Write("shared/f.frm", "y");
    std::string vbp = dir.Write("proj/a.vbp", "");
    EXPECT_EQ(platform::ResolveProjectPath(vbp, "forms\\main.frm"),
              dir.Path + "/proj/Forms/Main.FRM");
    EXPECT_EQ(platform::ResolveProjectPath(vbp, "..\\shared\\.\\f.frm"),
              dir.Path + "/shared/f.frm");
    // Not there under any letter case: the lexical path.
    EXPECT_EQ(platform::ResolveProjectPath(vbp, "Gone.bas"), dir.Path + "/proj/Gone.bas");
}

TEST(Files, WritingReplacesWholeAndFailsCleanly) {
    TempDir dir;
    std::string path = dir.Path + "/out.txt";
    ASSERT_TRUE(platform::WriteFileBytes(path, "first"));
    ASSERT_TRUE(platform::WriteFileBytes(path, "2"));
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "2");
    EXPECT_FALSE(platform::WriteFileBytes(dir.Path + "/missing/out.txt", "x"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path), {}), 1);
    EXPECT_TRUE(platform::FolderWritable(dir.Path));
    EXPECT_FALSE(platform::FolderWritable(dir.Path + "/missing"));
}

TEST(Signals, TerminationRequestWakesTheWatcherInsteadOfEndingTheProcess) {
    int descriptor = platform::CatchTerminationRequests();
    ASSERT_GE(descriptor, 0);
    EXPECT_EQ(platform::CatchTerminationRequests(), descriptor);
    pollfd watch = {descriptor, POLLIN, 0};
    EXPECT_EQ(poll(&watch, 1, 0), 0); // nothing asked yet
    std::raise(SIGTERM);
    std::raise(SIGINT);
    ASSERT_EQ(poll(&watch, 1, 1000), 1);
    char bytes[8];
    EXPECT_EQ(read(descriptor, bytes, sizeof bytes), 2);
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
}

TEST(Clock, ElapsedTimeSurvivesTheWrap) {
    EXPECT_EQ(platform::FormatElapsed(0xFFFFFF00u, 0x00000100u), "0.512s");
    EXPECT_EQ(platform::FormatElapsed(1000, 1016), "0.016s");
    EXPECT_EQ(platform::FormatElapsed(5, 12345), "12.340s");
    std::string stamp = platform::TimeStamp();
    ASSERT_EQ(stamp.size(), 20u);
    EXPECT_EQ(stamp[4], '/');
    EXPECT_EQ(stamp[13], ':');
    EXPECT_EQ(stamp.back(), ' ');
}
