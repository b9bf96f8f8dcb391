// The tokenizer: continuation lines, header lines, the readers and their order, the scope codes
// and what is dropped.
#include "VbParseSupport.h"
#include "framework/Errors.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using Tokens = std::vector<std::string>;

// ---- Header lines ----

TEST(VbTokenizer, ModuleAttributeLineIsOneHeaderTokenThenCodeIsPublic) {
    auto s = Parsed(std::string(kModuleHeader) + "Option Explicit\r\n");
    EXPECT_EQ(Shown(*s), (Tokens{"2:1:Attribute VB_Name = \"Module1\"[cr]@1", "3:6:Option@2",
                                 "3:6:Explicit@2"}));
}

TEST(VbTokenizer, FormHeaderKindsAndFirstCodeLine) {
    auto s = Parsed("VERSION 5.00\r\n"
                    "Begin VB.Form Form1 \r\n"
                    "   Caption         =   \"Form1\"\r\n"
                    "End\r\n"
                    "Attribute VB_Name = \"Form1\"\r\n"
                    "Attribute VB_Exposed = False\r\n"
                    "Private Sub Form_Load()\r\n"
                    "End Sub\r\n");
    Tokens all = Shown(*s);
    ASSERT_GE(all.size(), 9u);
    EXPECT_EQ(all[0], "0:1:VERSION 5.00[cr]@1");
    EXPECT_EQ(all[1], "1:1:Begin VB.Form Form1 [cr]@2");
    EXPECT_EQ(all[2], "1:1:   Caption         =   \"Form1\"[cr]@3"); // leading blanks kept
    EXPECT_EQ(all[3], "1:1:End[cr]@4");
    EXPECT_EQ(all[4], "2:1:Attribute VB_Name = \"Form1\"[cr]@5");
    EXPECT_EQ(all[5], "2:1:Attribute VB_Exposed = False[cr]@6");
    EXPECT_EQ(all[6], "3:6:Private@7");
    EXPECT_EQ(all[7], "3:6:Sub@7");
    EXPECT_EQ(all[8], "5:4:Form_Load@7");
}

TEST(VbTokenizer, FileWithoutHeaderIsReadAsCode) {
    // Code on the first line: no header token, the words go to the other readers.
    auto s = Parsed("Option Explicit\r\nPublic Sub Main()\r\nEnd Sub\r\n");
    EXPECT_EQ(Texts(s->Tokens),
              (Tokens{"Option", "Explicit", "Public", "Sub", "Main", "(", ")", "End", "Sub"}));
    EXPECT_EQ(s->Tokens.Get(0)->Scope, 6);
    EXPECT_EQ(s->Tokens.Get(4)->Scope, 2);
    ASSERT_EQ(s->Methods.Count(), 1);

    // A leading comment, then code: still no header, and later header-like words stay code.
    auto c = Parsed("' note\r\nDim x\r\nAttribute = 1\r\n");
    EXPECT_EQ(Shown(*c), (Tokens{"9:6:' note@1", "3:6:Dim@2", "5:4:x@2", "3:6:Attribute@3",
                                 "4:6:=@3", "7:6:1@3"}));
}

TEST(VbTokenizer, VersionOnlyStartsAHeaderOnTheFirstWord) {
    auto s = Parsed("' c\r\nAttribute VB_Name = \"M\"\r\nVERSION = 2\r\n");
    // After a comment the Attribute line is still a header line; after it, VERSION is code.
    EXPECT_EQ(s->Tokens.Get(1)->Kind, tkAttribute);
    EXPECT_EQ(s->Tokens.Get(2)->Kind, tkIdentifier);
    EXPECT_EQ(s->Tokens.Get(2)->Text(), "VERSION");
}

// ---- Continuation lines ----

TEST(VbTokenizer, ContinuedStatementStandsOnItsFirstLine) {
    auto s = Parsed(std::string(kModuleHeader) + "Dim a, _\r\n"
                                                 "    b, _\r\n"
                                                 "    c\r\n"
                                                 "Dim d\r\n");
    ASSERT_EQ(s->LogicalLines.Count(), 5);
    EXPECT_EQ(s->LogicalLines.Text(1), "Dim a,     b,     c");
    EXPECT_EQ(s->LogicalLines.Text(2), "");
    EXPECT_EQ(s->LogicalLines.Text(3), "");
    EXPECT_EQ(s->LogicalLines.LineNumber(3), 4);
    EXPECT_EQ(s->LogicalLines.AllText(),
              std::string(kModuleHeader) + "Dim a,     b,     c\r\n\r\n\r\nDim d\r\n");
    Tokens all = Shown(*s);
    EXPECT_EQ(all[4], "5:4:b@2");
    EXPECT_EQ(all[6], "5:4:c@2");
    EXPECT_EQ(all[8], "5:4:d@5");
}

TEST(VbTokenizer, WhichLinesContinue) {
    // A lone "_" does not continue, a word ending in "_" does, a blank after "_" stops it.
    auto s = SourceOf("_\r\nx\r\nab_\r\ncd\r\ny_ \r\nz\r\n");
    TVbModuleParser(*s).JoinContinuationLines();
    ASSERT_EQ(s->LogicalLines.Count(), 6);
    EXPECT_EQ(s->LogicalLines.Text(0), "_");
    EXPECT_EQ(s->LogicalLines.Text(1), "x");
    EXPECT_EQ(s->LogicalLines.Text(2), "abcd");
    EXPECT_EQ(s->LogicalLines.Text(3), "");
    EXPECT_EQ(s->LogicalLines.Text(4), "y_ ");

    // The second byte of a double-byte character is never taken for "_" (論 is 0x98 0x5F), but a
    // "_" after a double-byte character whose bytes can both lead still continues (亜 is 0x88
    // 0x9F).
    auto j = SourceOf(Sj("' 議論\r\nDim x\r\n' 亜_\r\nDim y\r\n"));
    TVbModuleParser(*j).JoinContinuationLines();
    ASSERT_EQ(j->LogicalLines.Count(), 4);
    EXPECT_EQ(j->LogicalLines.Text(1), "Dim x");
    EXPECT_EQ(j->LogicalLines.Text(2), Sj("' 亜Dim y"));
}

// ---- Readers and their order ----

TEST(VbTokenizer, OperatorRunsNeedAnEntryAsAWhole) {
    auto s =
        Parsed(std::string(kModuleHeader) + "x=1\r\nx=y\r\na = b\r\nq <>y\r\nIf a And b Then\r\n");
    EXPECT_EQ(Texts(s->Tokens, 1),
              (Tokens{"x", "=", "1", "x", "a", "=", "b", "q", "If", "a", "And", "b", "Then"}));
    EXPECT_EQ(s->Tokens.Get(2)->Kind, tkOperator);
    EXPECT_EQ(s->Tokens.Get(11)->Kind, tkOperator); // And comes from the operator list
    ASSERT_EQ(s->DroppedText.size(), 2u);
    EXPECT_EQ(s->DroppedText[0].Line, 3);
    EXPECT_EQ(s->DroppedText[0].Text, "=y");
    EXPECT_EQ(s->DroppedText[1].Text, "<>y");
}

TEST(VbTokenizer, WordAndOperatorRunReadFromOnePlace) {
    // A word and an operator run start at the same letters: the run stops where the word goes on
    // (a digit, "_") and goes on where the word stops ("="). Right after the header an indented
    // line starts with its blanks passed by the header reader.
    auto s = Parsed(std::string(kModuleHeader) + "   & y\r\nn = a Mod2\r\nIs_x\r\nb Xor= c\r\n");
    EXPECT_EQ(Texts(s->Tokens, 1),
              (Tokens{"&", "y", "n", "=", "a", "Mod", "2", "Is", "b", "Xor", "=", "c"}));
    EXPECT_EQ(s->Tokens.Get(1)->Kind, tkOperator);
    EXPECT_EQ(s->Tokens.Get(6)->Kind, tkOperator);
    EXPECT_EQ(s->Tokens.Get(8)->Kind, tkOperator);
    EXPECT_EQ(s->Tokens.Get(10)->Kind, tkIdentifier); // the run "Xor=" is no entry
    ASSERT_EQ(s->DroppedText.size(), 1u);
    EXPECT_EQ(s->DroppedText[0].Text, "_x");
}

TEST(VbTokenizer, KeywordsOfEveryLengthAreFoundWhereverTheyStand) {
    // Words are hashed eight bytes at a step: keywords shorter than, as long as and longer than
    // eight bytes, in any letter case, in the middle of the text and as its very last bytes.
    // A name as long as a keyword, or one letter longer, stays a name.
    auto s = Parsed(std::string(kModuleHeader) +
                    "Private withevents w As x\r\nfunction Functions\r\nRAISEEVENT RaiseEvents\r\n"
                    "ElseIf");
    EXPECT_EQ(Texts(s->Tokens, 1), (Tokens{"Private", "withevents", "w", "As", "x", "function",
                                           "Functions", "RAISEEVENT", "RaiseEvents", "ElseIf"}));
    for (int i : {2, 6, 8, 10})
        EXPECT_EQ(s->Tokens.Get(i)->Kind, tkKeyword) << i;
    for (int i : {7, 9})
        EXPECT_EQ(s->Tokens.Get(i)->Kind, tkIdentifier) << i;
}

TEST(VbTokenizer, NumbersSymbolsAndHexPrefix) {
    auto s = Parsed(std::string(kModuleHeader) +
                    "v = 3.14 + 1.2.3 + 1E5\r\nf(a, b).c;[d]\r\nh = &H10\r\nk = &HFF\r\n");
    Tokens all = Shown(*s);
    Tokens expected{"5:2:v@2", "4:6:=@2",  "7:6:3.14@2", "4:6:+@2", "7:6:1.2.3@2", "4:6:+@2",
                    "7:6:1@2", "5:2:E5@2", "5:2:f@3",    "6:6:(@3", "5:2:a@3",     "6:6:,@3",
                    "5:2:b@3", "6:6:)@3",  "6:6:.@3",    "5:2:c@3", "6:6:;@3",     "6:6:[@3",
                    "5:2:d@3", "6:6:]@3",  "5:2:h@4",    "4:6:=@4", "4:6:&H@4",    "7:6:10@4",
                    "5:2:k@5", "4:6:=@5"};
    EXPECT_EQ(Tokens(all.begin() + 1, all.end()), expected);
    ASSERT_EQ(s->DroppedText.size(), 1u);
    EXPECT_EQ(s->DroppedText[0].Text, "&HFF");
    EXPECT_EQ(s->DroppedText[0].Line, 5);
}

TEST(VbTokenizer, TabsAndUnknownCharactersDropTheRestOfTheLine) {
    auto s = Parsed(std::string(kModuleHeader) + "\tDim x\r\nDim y: y = 1\r\nz = 2 #\r\n");
    EXPECT_EQ(Texts(s->Tokens, 1), (Tokens{"Dim", "y", "z", "=", "2"}));
    ASSERT_EQ(s->DroppedText.size(), 3u);
    EXPECT_EQ(s->DroppedText[0].Line, 2);
    EXPECT_EQ(s->DroppedText[0].Text, "\tDim x");
    EXPECT_EQ(s->DroppedText[1].Line, 3);
    EXPECT_EQ(s->DroppedText[1].Text, ": y = 1");
    EXPECT_EQ(s->DroppedText[2].Text, "#");
    // Dropped texts are views into the tokenised text, like the token texts.
    const std::string& text = s->LogicalLines.AllText();
    EXPECT_GE(s->DroppedText[1].Text.data(), text.data());
    EXPECT_LT(s->DroppedText[1].Text.data(), text.data() + text.size());
}

TEST(VbTokenizer, StringLiterals) {
    auto s = Parsed(std::string(kModuleHeader) +
                    "s = \"a\"\"b\" & \"\"\r\nt = \"x\r\ny\" + 1\r\nu = 2\r\n");
    Tokens all = Shown(*s);
    EXPECT_EQ(all[3], "8:6:\"a\"\"b\"@2");
    EXPECT_EQ(all[4], "4:6:&@2");
    EXPECT_EQ(all[5], "8:6:\"\"@2");
    // A literal crossing a line end keeps it and does not count it: later tokens lag one line.
    EXPECT_EQ(all[8], "8:6:\"x\r\ny\"@3");
    EXPECT_EQ(all[10], "7:6:1@3");
    EXPECT_EQ(all[11], "5:2:u@4");

    // A literal still open at the end of the text takes everything up to there.
    auto open = Parsed(std::string(kModuleHeader) + "s = \"abc\r\nDim x\r\n");
    ASSERT_EQ(open->Tokens.Count(), 4);
    EXPECT_EQ(open->Tokens.Get(3)->Text(), "\"abc\r\nDim x\r\n");
}

TEST(VbTokenizer, CommentsRunToTheLineEndAndRemIsAWord) {
    auto s = Parsed(std::string(kModuleHeader) + "x = 1 ' note: \"q\"\r\nRem old\r\n");
    EXPECT_EQ(Shown(*s)[4], "9:6:' note: \"q\"@2");
    EXPECT_EQ(Texts(s->Tokens, 5), (Tokens{"Rem", "old"}));
}

TEST(VbTokenizer, TokensLongerThanTheirLengthFieldKeepTheirWholeText) {
    const std::string comment = "'" + std::string(70000, 'c');
    const std::string literal = "\"" + std::string(65534, 's') + "\"";
    auto s = Parsed(std::string(kModuleHeader) + "x = " + literal + " " + comment + "\r\ny\r\n");
    ASSERT_EQ(s->Tokens.Count(), 6);
    EXPECT_EQ(s->Tokens.Get(3)->Text(), literal);
    EXPECT_EQ(s->Tokens.Get(4)->Text(), comment);
    EXPECT_EQ(s->Tokens.LineOf(4), 2);
    EXPECT_EQ(Shown(*s)[5], "5:2:y@3");
}

TEST(VbTokenizer, JapaneseIdentifiersAndComments) {
    auto s = Parsed(
        Sj(std::string(kModuleHeader) + "Dim 合計_1 As Long ' 合計値\r\n合計_1 = 表示(ソ)\r\n"));
    Tokens texts = Texts(s->Tokens, 1);
    EXPECT_EQ(texts, (Tokens{"Dim", Sj("合計_1"), "As", "Long", Sj("' 合計値"), Sj("合計_1"), "=",
                             Sj("表示"), "(", Sj("ソ"), ")"}));
    EXPECT_EQ(s->Tokens.Get(2)->Kind, tkIdentifier);
    EXPECT_EQ(s->Tokens.Get(10)->Kind, tkIdentifier);
    EXPECT_TRUE(s->DroppedText.empty());
}

// ---- Scope codes ----

TEST(VbTokenizer, ProcedureNamesCarryTheScopeOfTheirHeader) {
    auto s =
        Parsed(std::string(kModuleHeader) + "Public Function F()\r\n  a = 1\r\nEnd Function\r\n"
                                            "Private Sub G()\r\nEnd Sub\r\n"
                                            "Friend Sub H()\r\nEnd Sub\r\n"
                                            "Sub K()\r\nEnd Sub\r\n");
    ASSERT_EQ(s->Methods.Count(), 4);
    EXPECT_EQ(s->Methods.Get(0)->NameToken->Scope, 2);
    EXPECT_EQ(s->Methods.Get(1)->NameToken->Scope, 4);
    EXPECT_EQ(s->Methods.Get(2)->NameToken->Scope, 3);
    EXPECT_EQ(s->Methods.Get(3)->NameToken->Scope, 2);
    EXPECT_EQ(Show(*s, *s->Methods.Get(0)->Tokens.Get(0)), "5:4:a@3"); // the body is private
}

TEST(VbTokenizer, ScopeWordsAreExactAndDeclareKeepsPrivate) {
    auto s = Parsed(std::string(kModuleHeader) +
                    "dim a\r\nDim b\r\nc = 1\r\nPublic d\r\nConst e = 1\r\nFriend f\r\n"
                    "Private Declare Sub Z Lib \"k\" ()\r\ng = 1\r\nPublic h\r\n");
    auto scopeOf = [&](std::string_view name) {
        for (int i = 0; i < s->Tokens.Count(); ++i)
            if (s->Tokens.Get(i)->Text() == name) return static_cast<int>(s->Tokens.Get(i)->Scope);
        return -1;
    };
    EXPECT_EQ(s->Tokens.Get(1)->Text(), "dim");
    EXPECT_EQ(s->Tokens.Get(1)->Kind, tkKeyword);
    EXPECT_EQ(scopeOf("a"), 2); // lower-case dim does not make it private
    EXPECT_EQ(scopeOf("b"), 4);
    EXPECT_EQ(scopeOf("c"), 4); // the state stays private after Dim
    EXPECT_EQ(scopeOf("d"), 2);
    EXPECT_EQ(scopeOf("e"), 4);
    EXPECT_EQ(scopeOf("f"), 3);
    EXPECT_EQ(scopeOf("g"), 4); // after the Declare line the state is still private
    EXPECT_EQ(scopeOf("h"), 2);
}

// ---- Word lists and running ----

TEST(VbTokenizer, EmptySourceParsesToNothing) {
    bool ok = false;
    auto s = Parsed("", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(s->Tokens.Count(), 0);
    EXPECT_EQ(s->LogicalLines.Count(), 0);
}

TEST(VbTokenizer, ParsingTwiceRebuildsTheModel) {
    auto s = SourceOf(std::string(kModuleHeader) + "Sub A(x)\r\nEnd Sub\r\n");
    ASSERT_TRUE(TVbModuleParser(*s).Execute());
    int tokens = s->Tokens.Count();
    ASSERT_TRUE(TVbModuleParser(*s).Execute());
    EXPECT_EQ(s->Tokens.Count(), tokens);
    ASSERT_EQ(s->Methods.Count(), 1);
    EXPECT_EQ(s->Methods.Get(0)->Arguments.Get(0)->Name(), "x");
}

namespace {
// A word-list folder: the three files with the given keyword and operator entries.
std::string WordListDir(const TempDir& dir, std::string_view keywords, std::string_view operators) {
    dir.Write("vb/internal.txt", "Len\r\n");
    dir.Write("vb/keyword.txt", keywords);
    dir.Write("vb/operator.txt", operators);
    return dir.Path + "/vb";
}
} // namespace

TEST(VbTokenizer, WordListsIgnoreLetterCaseAndTakeLinesWhole) {
    TempDir dir;
    std::string folder = WordListDir(dir, "DIM\r\nAs \r\n\r\nlong", "=\r\nmod");
    auto s = SourceOf(std::string(kModuleHeader) + "Dim x As Long\r\ny = x MOD 2\r\n");
    TVbModuleParser parser(*s, folder);
    ASSERT_TRUE(parser.Execute());
    // "As " has a trailing blank, so As is no keyword; Long matches long.
    EXPECT_EQ(Shown(*s)[1], "3:6:Dim@2");
    EXPECT_EQ(s->Tokens.Get(3)->Kind, tkIdentifier);
    EXPECT_EQ(s->Tokens.Get(4)->Kind, tkKeyword);
    EXPECT_EQ(s->Tokens.Get(8)->Kind, tkOperator);
    EXPECT_EQ(s->Tokens.Get(8)->Text(), "MOD");
    EXPECT_TRUE(parser.Keywords.Contains("dIM"));
    EXPECT_FALSE(parser.Keywords.Contains(""));
    EXPECT_FALSE(parser.Keywords.Contains("Di"));
    EXPECT_EQ(parser.Keywords.Count(), 4);
}

TEST(VbTokenizer, MissingWordListFailsConstructionWithItsPath) {
    TempDir dir;
    dir.Write("vb/internal.txt", "Len\r\n");
    dir.Write("vb/keyword.txt", "Dim\r\n");
    auto s = SourceOf("Dim x\r\n");
    try {
        TVbModuleParser parser(*s, dir.Path + "/vb");
        FAIL() << "no failure";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(dir.Path + "/vb/operator.txt"), std::string::npos)
            << e.Message();
    }
}

TEST(VbTokenizer, DefaultWordListsLieBesideTheExecutable) {
    auto s = SourceOf("Dim x\r\n");
    TVbModuleParser parser(*s);
    EXPECT_TRUE(platform::FileExists(platform::ExecutableDir() + "/vb/keyword.txt"));
    // The words the extraction and the rules depend on.
    for (const char* w :
         {"Option", "Explicit", "Public",   "Private", "Friend",  "Dim",     "Const",
          "Sub",    "Function", "Property", "End",     "As",      "Declare", "Get",
          "Let",    "Set",      "Long",     "String",  "Integer", "Variant", "Boolean"})
        EXPECT_TRUE(parser.Keywords.Contains(w)) << w;
    for (const char* w : {"Name", "Text", "Index", "Caption", "Value", "Left", "Tag", "Count",
                          "Open", "Close", "Read", "Write", "Line", "And"})
        EXPECT_FALSE(parser.Keywords.Contains(w)) << w;
    for (const char* w :
         {"=", "<>", "<=", "&", "And", "Or", "Not", "Mod", "Is", "Like", "&H", "&O"})
        EXPECT_TRUE(parser.Operators.Contains(w)) << w;
    EXPECT_GT(parser.InternalWords.Count(), 50);
}

TEST(VbTokenizer, ChangedOrMissingWordListsAreReadAgain) {
    // Parsers that follow one another reuse the lists only while their files are unchanged.
    TempDir dir;
    std::string folder = WordListDir(dir, "Dim\r\n", "=\r\n");
    auto first = SourceOf(std::string(kModuleHeader) + "Dim Foo\r\n");
    ASSERT_TRUE(TVbModuleParser(*first, folder).Execute());
    EXPECT_EQ(first->Tokens.Get(2)->Kind, tkIdentifier);

    std::string keywords = dir.Write("vb/keyword.txt", "Dim\r\nFoo\r\n");
    std::filesystem::last_write_time(keywords, std::filesystem::last_write_time(keywords) +
                                                   std::chrono::seconds(2));
    auto second = SourceOf(std::string(kModuleHeader) + "Dim Foo\r\n");
    TVbModuleParser parser(*second, folder);
    ASSERT_TRUE(parser.Execute());
    EXPECT_EQ(second->Tokens.Get(2)->Kind, tkKeyword);
    EXPECT_EQ(parser.Keywords.Count(), 2);

    std::filesystem::remove(folder + "/operator.txt");
    auto third = SourceOf("Dim x\r\n");
    EXPECT_THROW(TVbModuleParser(*third, folder), EFOpenError);
}

// ---- Code pages ----

TEST(VbTokenizer, LettersOfASingleByteCodePageMakeOneWord) {
    const std::string text = std::string(kModuleHeader) +
                             "Sub F(ByVal N\xFAmero As Long)\r\n"
                             "Dim A\xF1o, Ca\xF1 As Long ' \xBFqu\xE9?\r\n"
                             "End Sub\r\n";
    {
        auto s = Parsed(text, nullptr, 1252);
        EXPECT_EQ(Texts(s->Tokens, 1),
                  (Tokens{"Sub", "F", "(", "ByVal", "N\xFAmero", "As", "Long", ")", "Dim", "A\xF1o",
                          ",", "Ca\xF1", "As", "Long", "' \xBFqu\xE9?", "End", "Sub"}));
    }
    // In code page 932 0xF1 can only lead a double-byte character: before a blank it ends the
    // word.
    auto s = Parsed(text);
    EXPECT_EQ(Texts(s->Tokens, 1)[11], "Ca");
}

TEST(VbTokenizer, TrailByteOfAnotherDoubleByteCodePageIsNoContinuation) {
    // 0xB0 0x5F is one character in code page 936; in code page 932 the "_" continues the line.
    const std::string text = std::string(kModuleHeader) + "x = 1 ' \xB0_\r\ny = 2\r\n";
    auto joined = Parsed(text);
    EXPECT_EQ(joined->LogicalLines.Text(2), "");
    auto s = Parsed(text, nullptr, 936);
    EXPECT_EQ(s->LogicalLines.Text(1), "x = 1 ' \xB0_");
    EXPECT_EQ(s->LogicalLines.Text(2), "y = 2");
}

TEST(VbTokenizer, LinesStayRightAroundALineOfMoreTokensThan16BitsCount) {
    // 300 short lines, one of 70,000 tokens, 300 more: every token's line and every line's first
    // token as a walk and as a look-up say.
    std::string text = "Attribute VB_Name = \"M\"\r\n";
    for (int i = 0; i < 300; ++i)
        text += "x = 1\r\n";
    text += "y = 0";
    for (int i = 0; i < 35000; ++i)
        text += "+1";
    text += "\r\n";
    for (int i = 0; i < 300; ++i)
        text += "z = 2\r\n";
    bool ok = false;
    const auto source = Parsed(text, &ok);
    ASSERT_TRUE(ok) << source->ParseFailure;
    const TVbTokenList& tokens = source->Tokens;
    ASSERT_EQ(tokens.Count(), 1 + 300 * 3 + 70003 + 300 * 3);
    TStartReader lines = tokens.FirstOnLines(1);
    int expected = 0;
    for (std::int32_t line = 1; line <= 602; ++line) {
        const int first = tokens.FirstOnLine(line);
        ASSERT_EQ(first, expected) << line;
        ASSERT_EQ(static_cast<int>(lines.Next()), first) << line;
        ASSERT_EQ(tokens.LineOf(first), line) << line;
        expected += line == 1 ? 1 : line == 302 ? 70003 : 3;
        ASSERT_EQ(tokens.LineOf(expected - 1), line) << line;
    }
    EXPECT_EQ(tokens.FirstOnLine(603), tokens.Count());
    EXPECT_EQ(lines.Next(), static_cast<std::uint32_t>(tokens.Count()));
}
