#include "checkers/RuleSupport.h"
#include "checkers/VBUnusedArguments.h"
#include "checkers/VBUnusedLocalVariables.h"

#include "RuleFixture.h"
#include "RuleTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {
const char* Header = "Attribute VB_Name = \"Module1\"\nOption Explicit\n";

Lines Arguments(std::string_view body, const TStringList& exceptions = {}) {
    TempDir dir;
    auto source =
        ParsedMember<TVbModuleSource>(dir, "Module1.bas", std::string(Header) + std::string(body));
    TRuleHarness h;
    h.Enable<TVBUnusedArguments>().ExceptionList = exceptions;
    return h.Check(*source);
}
} // namespace

TEST(RuleUnusedArguments, AContinuedArgumentListReportsOnItsFirstLine) {
    // A comment cannot follow a continued line, so this one stays written out here.
    EXPECT_EQ(Arguments("Sub Q(a, _\n"
                        "      b)\n"
                        "    x = b\n"
                        "End Sub\n"),
              Lines{"(3) : 引数 a は未使用です。"});
}

TEST(RuleUnusedArguments, EventProceduresAndExceptedNamesAreLeftAlone) {
    const char* body = "Private Sub Command1_Click(Index As Integer)\n"
                       "End Sub\n"
                       "Sub P(index As Integer, other As Long)\n"
                       "End Sub\n";
    EXPECT_EQ(Arguments(body),
              (Lines{"(5) : 引数 index は未使用です。", "(5) : 引数 other は未使用です。"}));
    EXPECT_EQ(Arguments(body, {"", " other", "Index"}), Lines{"(5) : 引数 other は未使用です。"});
}

TEST(RuleUnusedArguments, ArgumentNameTokensKeepTheirPositionInTheSourceList) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas",
                                                std::string(Header) +
                                                    "Sub P(ByVal a As Long, Optional b = c)\n"
                                                    "    x = a + b\n"
                                                    "End Sub\n");
    ASSERT_EQ(source->Methods.Count(), 1);
    const TVbMethod& m = *source->Methods.Get(0);
    ASSERT_EQ(m.Arguments.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const TVbToken* name = m.Arguments.Get(i)->NameToken;
        EXPECT_EQ(source->Tokens.Get(source->Tokens.IndexOf(name)), name);
    }
}

// Names of one length with the same first and last letters share a hash slot: they are still
// told apart, a use counts only for locals declared before it, and one use counts for every
// local of its name.
TEST(RuleUnusedLocals, LookAlikeNamesManyLocalsAndOrder) {
    std::string body = "Sub P()\n"; // line 3
    for (int k = 0; k < 300; ++k)
        body += "    Dim v" + std::to_string(1000 + k) + "x As Long\n"; // line 4 + k
    for (int k = 0; k < 300; k += 2)
        body += "    v" + std::to_string(1000 + k) + "x = 1\n";
    body += "End Sub\n"
            "Sub Q()\n"
            "    y = 1\n"
            "    Dim y As Long\n"
            "    Dim z As Long\n"
            "    Dim z As Long\n"
            "    Debug.Print z\n"
            "End Sub\n";
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas", std::string(Header) + body);
    TRuleHarness h;
    h.Enable<TVBUnusedLocalVariables>();
    Lines expected;
    for (int k = 1; k < 300; k += 2)
        expected.push_back("(" + std::to_string(4 + k) + ") : ローカル変数 v" +
                           std::to_string(1000 + k) + "x は未使用です。");
    const int q = 4 + 300 + 150 + 1; // the line of "Sub Q()"
    expected.push_back("(" + std::to_string(q + 2) + ") : ローカル変数 y は未使用です。");
    EXPECT_EQ(h.Check(*source), expected);
}

TEST(RuleUnusedArguments, LookAlikeNamesAndManyArguments) {
    std::string list, uses;
    for (int k = 0; k < 40; ++k) {
        list += (k ? ", a" : "a") + std::to_string(10 + k) + "x";
        if (k % 2 == 0) uses += "    n = a" + std::to_string(10 + k) + "x\n";
    }
    Lines expected;
    for (int k = 1; k < 40; k += 2)
        expected.push_back("(3) : 引数 a" + std::to_string(10 + k) + "x は未使用です。");
    EXPECT_EQ(Arguments("Sub P(" + list + ")\n" + uses + "End Sub\n"), expected);
}

// Names of every length up to well past a word, each in a buffer of its own size (the look-up
// reads no byte beyond a name): each is found as the entry it was added as, and a name that
// differs from it in its first, middle or last byte is not.
TEST(NameIndex, FindsEachNameAsAddedAndNoNameThatDiffersInOneByte) {
    std::vector<std::unique_ptr<char[]>> buffers;
    auto stored = [&](std::string text) {
        buffers.push_back(std::make_unique<char[]>(text.size()));
        std::memcpy(buffers.back().get(), text.data(), text.size());
        return std::string_view(buffers.back().get(), text.size());
    };
    TNameIndex index;
    for (int round = 0; round < 2; ++round) { // the second after Clear
        index.Clear();
        std::vector<std::string_view> names;
        for (std::size_t n = 1; n <= 40; ++n) {
            std::string name;
            for (std::size_t i = 0; i < n; ++i)
                name += static_cast<char>('a' + (i * 7 + n) % 26);
            names.push_back(stored(name));
            index.Add(names.back());
        }
        ASSERT_EQ(index.Count(), names.size());
        for (std::size_t e = 0; e < names.size(); ++e) {
            std::vector<std::size_t> found;
            index.ForEachEntry(names[e], [&](std::size_t k) { found.push_back(k); });
            EXPECT_EQ(found, std::vector<std::size_t>{e}) << names[e];
            for (std::size_t at : {std::size_t{0}, names[e].size() / 2, names[e].size() - 1}) {
                std::string other(names[e]);
                other[at] = '_';
                EXPECT_FALSE(index.Contains(stored(other))) << other;
            }
        }
    }
}
