#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/Signals.h"
#include "platform/UserLanguage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(CodePage, TrailByteIsNeverTakenForAscii) {
    // "ソ" is 0x83 0x5C and "ポ" is 0x83 0x7C; "表" is 0x95 0x5C: their trail bytes look like "\"
    // and "|".
    std::string s = Sj("ソ表_");
    ASSERT_EQ(s.size(), 5u);
    const platform::TCodePage& sjis = platform::SystemCodePage();
    EXPECT_EQ(sjis.FindLastOf(s, "\\"), std::string::npos);
    EXPECT_EQ(sjis.FindLastOf(s, "_"), 4u);
    EXPECT_EQ(platform::FileNamePart("C:\\表\\ソ.frm"), "ソ.frm"); // file-system names
    EXPECT_EQ(platform::FileNamePart("/p/q:r.bas"), "r.bas");
    // A lead byte at the very end, or before a byte that cannot trail, is a single byte.
    EXPECT_EQ(sjis.CharLength("\x83", 0), 1u);
    EXPECT_EQ(sjis.CharLength("\x83\x20", 0), 1u);
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

TEST(CodePage, OnlyTheWindowsAnsiCodePagesAreKnown) {
    for (int n : {874, 932, 936, 949, 950, 1250, 1252, 1258})
        EXPECT_NE(platform::FindCodePage(n), nullptr) << n;
    for (int n : {0, 437, 1200, 1249, 1259, 65001})
        EXPECT_EQ(platform::FindCodePage(n), nullptr) << n;
}

TEST(CodePage, LeadBytesAreThoseOfTheCodePageSearched) {
    // In code page 936 "癨" and "癬" are 0xB0 0x5C and 0xB0 0x5F; in code page 932 0xB0 is a
    // half-width katakana of its own, so the same bytes hold a real "\" and "_".
    const std::string gbk = "a\xB0\x5C\xB0\x5F";
    EXPECT_EQ(Page(932).FindLastOf(gbk, "\\"), 2u);
    EXPECT_EQ(Page(932).FindLastOf(gbk, "_"), 4u);
    EXPECT_EQ(Page(936).FindLastOf(gbk, "\\_"), std::string::npos);
    EXPECT_EQ(Page(936).FindFirstOf(gbk + "_", "_"), 5u);
    EXPECT_EQ(Page(936).ToUtf8(gbk), "a癨癬");
    // Single-byte pages have no lead bytes at all.
    EXPECT_EQ(Page(1252).CharLength("\x81\x5C", 0), 1u);
    EXPECT_EQ(Page(1252).FindLastOf("\x81\x5C", "\\"), 1u);
}

TEST(CodePage, SingleByteLettersComeFromTheCodePage) {
    const platform::TCodePage& latin = *platform::FindCodePage(1252);
    EXPECT_TRUE(latin.IsLetterByte(0xF1));                         // n with tilde
    EXPECT_TRUE(latin.IsLetterByte(0xE1));                         // a with acute
    EXPECT_FALSE(latin.IsLetterByte(0xBF));                        // inverted question mark
    EXPECT_FALSE(latin.IsLetterByte(0xD7));                        // multiplication sign
    EXPECT_TRUE(platform::FindCodePage(1251)->IsLetterByte(0xE6)); // cyrillic zhe
    EXPECT_TRUE(platform::FindCodePage(1255)->IsLetterByte(0xF9)); // hebrew shin
    // Thai: a consonant and the tone mark written on it.
    EXPECT_TRUE(platform::FindCodePage(874)->IsLetterByte(0xA1));
    EXPECT_TRUE(platform::FindCodePage(874)->IsLetterByte(0xE8));
    // In a double-byte page a lead byte is no letter alone; the half-width katakana are.
    EXPECT_FALSE(platform::SystemCodePage().IsLetterByte(0xF1));
    EXPECT_TRUE(platform::SystemCodePage().IsLetterByte(0xB1));
    EXPECT_FALSE(platform::SystemCodePage().IsLetterByte(0xA2)); // half-width corner bracket
    EXPECT_EQ(latin.ToUtf8("A\xF1o \xBF"), "Año ¿");
    EXPECT_EQ(latin.FromUtf8("Año 日"), "A\xF1o ?");
}

TEST(CodePage, MarkedPiecesKeepTheirOwnEncodingAtEveryEdge) {
    const std::string open = Sj("ローカル変数 "), close = Sj(" は未使用です。");
    // In code page 932 a name needs no mark and the text stays as it always was.
    EXPECT_EQ(platform::MarkSourceText(Sj("名前"), Page(932)), Sj("名前"));
    const platform::TCodePage& latin = Page(1252);
    const std::string message = open + platform::MarkSourceText("A\xF1o", latin) + close;
    EXPECT_EQ(platform::TextToUtf8(message, latin), "ローカル変数 Año は未使用です。");
    EXPECT_EQ(platform::TextToCodePage(message, platform::SystemCodePage(), latin),
              open + "A?o" + close);
    EXPECT_EQ(platform::TextToCodePage(message, latin, latin), "?????? A\xF1o ???????");
    const std::string line = platform::MarkPath("/tmp/jos\xC3\xA9/a.bas") + " : " + message;
    EXPECT_EQ(platform::TextToUtf8(line, latin),
              "/tmp/josé/a.bas : ローカル変数 Año は未使用です。");
    EXPECT_EQ(platform::UnmarkedText(line), "/tmp/jos\xC3\xA9/a.bas : " + open + "A\xF1o" + close);
    EXPECT_EQ(platform::PathToUtf8("/x\xFF"), "/x\xEF\xBF\xBD");
}

// A path shown at a UTF-8 edge: well-formed UTF-8 passes whole, anything else gives U+FFFD (one
// for each broken character), never bytes that are no UTF-8.
TEST(CodePage, PathsShowAsUtf8WithBadBytesReplaced) {
    const std::string bad = "\xEF\xBF\xBD";
    EXPECT_EQ(platform::PathToUtf8("/d/josé/한글/𝄞.bas"), "/d/josé/한글/𝄞.bas");
    EXPECT_EQ(platform::PathToUtf8("a\xC0\xAF"
                                   "b"),
              "a" + bad + "b"); // an overlong "/"
    EXPECT_EQ(platform::PathToUtf8("a\xED\xA0\x80"
                                   "b"),
              "a" + bad + "b");                               // a surrogate
    EXPECT_EQ(platform::PathToUtf8("a\xE6\x97"), "a" + bad);  // cut short
    EXPECT_EQ(platform::PathToUtf8("\xF4\x90\x80\x80"), bad); // beyond U+10FFFF
}

// One rule for every page and platform: letters and combining marks are letters; digits,
// direction marks and joiners are not, whatever the system's own character classes say.
TEST(CodePage, LettersAreUnicodeLettersAndMarksOnly) {
    const platform::TCodePage& thai = *platform::FindCodePage(874);
    const platform::TCodePage& hebrew = *platform::FindCodePage(1255);
    const platform::TCodePage& arabic = *platform::FindCodePage(1256);
    for (int c = 0xF0; c <= 0xF9; ++c)
        EXPECT_FALSE(thai.IsLetterByte(static_cast<unsigned char>(c))) << c; // Thai digits
    EXPECT_TRUE(thai.IsLetterByte(0xD1));                                    // a vowel sign (mark)
    for (unsigned char c : {0xCA, 0xFD, 0xFE})
        EXPECT_FALSE(hebrew.IsLetterByte(c)) << int(c); // unassigned, direction marks
    EXPECT_TRUE(hebrew.IsLetterByte(0xC0));             // a point (mark)
    for (unsigned char c : {0x9D, 0x9E, 0xFD, 0xFE})
        EXPECT_FALSE(arabic.IsLetterByte(c)) << int(c); // joiners, direction marks
    for (unsigned char c : {0xF0, 0xF3, 0xFA})
        EXPECT_TRUE(arabic.IsLetterByte(c)) << int(c); // harakat
    EXPECT_TRUE(arabic.IsLetterByte(0xC7));            // alef
}

// Converters that hold a base letter back for the marks after it (1255, 1258) still give it when
// the text ends there, and the letter table sees it.
TEST(CodePage, ALetterAtTheEndOfTheTextIsNotLost) {
    const platform::TCodePage& vietnamese = *platform::FindCodePage(1258);
    EXPECT_EQ(vietnamese.ToUtf8("\xC3"), "Ă");
    EXPECT_EQ(vietnamese.ToUtf8("T\xC3"), "TĂ");
    EXPECT_TRUE(vietnamese.IsLetterByte(0xC3));
}

// In every double-byte page an unassigned pair whose second byte is ASCII loses its first byte
// only: the ASCII character stays.
TEST(CodePage, AnUnassignedPairKeepsItsAsciiSecondByte) {
    const platform::TCodePage& korean = *platform::FindCodePage(949);
    ASSERT_EQ(korean.CharLength("\xC9\x41", 0), 2u);
    EXPECT_EQ(korean.ToUtf8("\xC9"
                            "AB"),
              "\xEF\xBF\xBD"
              "AB");
}

// A lead byte before a byte beyond ASCII that cannot trail it is one bad character with it; before
// an ASCII byte it is bad alone and the ASCII character stays.
TEST(CodePage, ALeadByteAndABadSecondByteAreOneBadCharacter) {
    const std::string bad = "\xEF\xBF\xBD";
    EXPECT_EQ(platform::Cp932ToUtf8("a\x81\xFD"
                                    "b"),
              "a" + bad + "b");
    EXPECT_EQ(platform::Cp932ToUtf8("\x81\xFD\x82\xA0"), bad + "あ");
    EXPECT_EQ(platform::Cp932ToUtf8("\x81 b"), bad + " b");
    EXPECT_EQ(platform::FindCodePage(950)->ToUtf8("\xA4\x80x"), bad + "x");
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
    EXPECT_EQ(platform::ResolveProjectPath(vbp, "forms\\main.frm", Page(932)),
              dir.Path + "/proj/Forms/Main.FRM");
    EXPECT_EQ(platform::ResolveProjectPath(vbp, "..\\shared\\.\\f.frm", Page(932)),
              dir.Path + "/shared/f.frm");
    // Not there under any letter case: the lexical path.
    EXPECT_EQ(platform::ResolveProjectPath(vbp, "Gone.bas", Page(932)),
              dir.Path + "/proj/Gone.bas");
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

TEST(Files, OnlyProjectPathsUseBackslashes) {
    // A "\\" in a folder's name is a letter of it on POSIX; in the project it separates.
    TempDir dir;
    dir.Write("a\\b/Forms/Main.frm", "x");
    std::string vbp = dir.Write("a\\b/p.vbp", "");
    EXPECT_EQ(platform::FolderPart(vbp), dir.Path + "/a\\b");
    EXPECT_EQ(platform::AbsolutePath(vbp), vbp);
    EXPECT_EQ(platform::ResolveProjectPath(vbp, "Forms\\Main.frm", Page(932)),
              dir.Path + "/a\\b/Forms/Main.frm");
    EXPECT_EQ(platform::RelativePath(dir.Path, vbp), "a\\b/p.vbp");
}

TEST(Files, KindsOfFileAreToldAndOnlyRegularFilesRead) {
    TempDir dir;
    std::string file = dir.Write("f.bas", "x");
    std::string fifo = dir.Path + "/fifo.bas";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(platform::FileKindOf(file), platform::TFileKind::File);
    EXPECT_EQ(platform::FileKindOf(dir.Path), platform::TFileKind::Folder);
    EXPECT_EQ(platform::FileKindOf(fifo), platform::TFileKind::Other);
    EXPECT_EQ(platform::FileKindOf("/dev/null"), platform::TFileKind::Other);
    EXPECT_EQ(platform::FileKindOf(dir.Path + "/none"), platform::TFileKind::None);
    std::string bytes;
    EXPECT_FALSE(platform::ReadFileBytes(fifo, bytes)); // at once: no writer is waited for
    EXPECT_FALSE(platform::ReadFileBytes(dir.Path, bytes));
}

TEST(Files, PathsDeeperThanTheSystemLimitAreFollowed) {
    TempDir dir;
    const std::string before = std::filesystem::current_path().string();
    // Folder by folder, each step relative: the whole path is longer than the system takes.
    ASSERT_EQ(chdir(dir.Path.c_str()), 0);
    std::string deep = dir.Path;
    const std::string name(200, 'd');
    while (deep.size() < 6000) {
        ASSERT_EQ(mkdir(name.c_str(), 0700), 0);
        ASSERT_EQ(chdir(name.c_str()), 0);
        deep += "/" + name;
    }
    std::ofstream("m.bas") << "x";
    const std::string current = platform::CurrentDir();
    const std::string member = platform::ResolveProjectPath("p.vbp", "m.bas", Page(932));
    ASSERT_EQ(chdir(before.c_str()), 0);
    EXPECT_EQ(current, deep);
    EXPECT_EQ(member, deep + "/m.bas");
    EXPECT_TRUE(platform::FileExists(member));
    std::string bytes;
    EXPECT_TRUE(platform::ReadFileBytes(member, bytes));
    EXPECT_EQ(bytes, "x");
    // rm walks the tree relative to each folder, as the library's removal does not.
    EXPECT_EQ(std::system(("rm -rf '" + dir.Path + "/" + name + "'").c_str()), 0);
}

TEST(Files, WritingFollowsLinksAsTheSystemDoes) {
    TempDir dir;
    std::string target = dir.Write("target.vrp", "old");
    std::string link = dir.Path + "/link.vrp";
    ASSERT_EQ(symlink("target.vrp", link.c_str()), 0);
    ASSERT_TRUE(platform::WriteFileBytes(link, "new"));
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(target, bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    // A link that leads nowhere is not followed into a new file.
    std::string dangling = dir.Path + "/dangling.vrp";
    ASSERT_EQ(symlink("nowhere/x.vrp", dangling.c_str()), 0);
    EXPECT_FALSE(platform::WriteFileBytes(dangling, "x"));

    // A link planted by another user in a shared sticky folder: the system refuses to follow it
    // (when it protects links), and so does the write. Needs root to plant it as another user.
    std::ifstream protection("/proc/sys/fs/protected_symlinks");
    int protectedLinks = 0;
    protection >> protectedLinks;
    if (geteuid() != 0 || protectedLinks != 1) GTEST_SKIP() << "needs root and protected links";
    std::string shared = dir.Path + "/shared";
    ASSERT_EQ(mkdir(shared.c_str(), 01777), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(chmod(dir.Path.c_str(), 0755), 0);
    std::string planted = shared + "/planted.vrp";
    pid_t child = fork();
    if (child == 0) {
        _exit(setuid(65534) == 0 && symlink(target.c_str(), planted.c_str()) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(platform::WriteFileBytes(planted, "planted"));
    ASSERT_TRUE(platform::ReadFileBytes(target, bytes));
    EXPECT_EQ(bytes, "new");
}

TEST(Files, ATerminationDuringAWriteLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.Path + "/big.json";
    // The write must still be under way when the signal comes: a larger file until it is.
    for (std::size_t size = std::size_t(1) << 27; size <= (std::size_t(1) << 31); size *= 2) {
        pid_t child = fork();
        if (child == 0) {
            std::string bytes(size, 'x');
            _exit(platform::WriteFileBytes(path, bytes) ? 0 : 1);
        }
        const std::string temp = path + ".tmp" + std::to_string(child);
        bool seen = false;
        int status = 0;
        while (!seen && waitpid(child, &status, WNOHANG) == 0) {
            seen = std::filesystem::exists(temp);
            if (!seen) usleep(200);
        }
        if (!seen) {
            std::filesystem::remove(path);
            continue; // done before it was seen
        }
        kill(child, SIGTERM);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFEXITED(status)) {
            std::filesystem::remove(path);
            continue; // done before the signal came
        }
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
        EXPECT_FALSE(std::filesystem::exists(temp));
        EXPECT_FALSE(std::filesystem::exists(path));
        return;
    }
    FAIL() << "every write ended before the signal";
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

// The conversions step eight bytes at a time: a character beyond ASCII or a mark gives the same
// answer wherever it stands, and an appending conversion keeps what was there.
TEST(CodePage, ConversionIsTheSameAtEveryPositionAndAppends) {
    const std::string kanji = Sj("変"), utf8 = "変";
    for (std::size_t pad = 0; pad < 20; ++pad) {
        const std::string before(pad, 'a'), after(19 - pad, 'b');
        EXPECT_FALSE(platform::IsAscii(before + "\x80" + after));
        EXPECT_TRUE(platform::IsAscii(before + after));
        std::string out = "kept:";
        platform::SystemCodePage().AppendUtf8(out, before + kanji + after + "\xFD");
        EXPECT_EQ(out, "kept:" + before + utf8 + after + "\xEF\xBF\xBD");
        out = "kept:";
        platform::AppendTextToUtf8(out, before + platform::MarkPath("/j\xC3\xA9") + after + kanji,
                                   Page(932));
        EXPECT_EQ(out, "kept:" + before + "/j\xC3\xA9" + after + utf8);
    }
    for (std::size_t pad = 0; pad < 12; ++pad) {
        const std::string text =
            std::string(pad, ' ') + platform::MarkSourceText("\xF1", Page(1252));
        EXPECT_EQ(platform::TextToUtf8(text, Page(1252)), std::string(pad, ' ') + "ñ");
    }
}

TEST(UserLanguage, TheLocaleDecidesJapaneseOrEnglish) {
    using platform::TLanguage;
    EXPECT_EQ(platform::LanguageFromName("ja"), TLanguage::Japanese);
    EXPECT_EQ(platform::LanguageFromName("ja_JP.UTF-8"), TLanguage::Japanese);
    EXPECT_EQ(platform::LanguageFromName("en"), TLanguage::English);
    EXPECT_EQ(platform::LanguageFromName("C"), TLanguage::English);
    EXPECT_EQ(platform::LanguageFromName("jam"), std::nullopt);
    EXPECT_EQ(platform::LanguageFromName(""), std::nullopt);
    EXPECT_EQ(platform::LanguageOfLocale("pl_PL.UTF-8"), TLanguage::English);

    // LC_ALL over LC_MESSAGES over LANG; an empty one does not count.
    const auto userLanguageWith = [](const char* all, const char* messages, const char* lang) {
        setenv("LC_ALL", all, 1);
        setenv("LC_MESSAGES", messages, 1);
        setenv("LANG", lang, 1);
        return platform::UserLanguage();
    };
    EXPECT_EQ(userLanguageWith("", "ja_JP.eucJP", "en_US.UTF-8"), TLanguage::Japanese);
    EXPECT_EQ(userLanguageWith("de_DE", "ja_JP", "ja_JP"), TLanguage::English);
    EXPECT_EQ(userLanguageWith("", "", "ja_JP.UTF-8"), TLanguage::Japanese);
    EXPECT_EQ(userLanguageWith("", "", ""), TLanguage::English);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
}
