// The keyed texts: both languages of every text, fields filled by name, and findings that keep
// their key and fields so that they can be written again in the other language.
#include "framework/TextCatalog.h"
#include "checkers/RuleTable.h"
#include "framework/Errors.h"
#include "framework/Language.h"
#include "framework/Vetrin.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// Sets the process's language for one test and puts Japanese back after it.
class LanguageScope {
public:
    explicit LanguageScope(TLanguage language) { SetCurrentLanguage(language); }
    ~LanguageScope() { SetCurrentLanguage(TLanguage::Japanese); }
};

class TSayingRule : public TVetrin {
public:
    std::function<void(TSayingRule&)> OnCheck;
    std::string_view ClassName() const override { return "TSayingRule"; }
    void Check(TVtParts&) override { OnCheck(*this); }
    std::uint8_t Category() const override { return catOther; }
    bool IsTarget(const TVtParts&) const override { return true; }
    std::string GetCheckerName() const override { return "saying"; }
};

class TPart : public TVtParts {
public:
    TPart() { FileName = "/p/a.bas"; }
    int TokenCount() const override { return 1; }
    int VariableCount() const override { return 0; }
    int MethodCount() const override { return 0; }
    void Parse() override {}
};

class TKeptFindings : public TFindingSink {
public:
    void Add(const TFindingRecord& finding) override { Findings.push_back(finding); }
    std::vector<TFindingRecord> Findings;
};

std::vector<TFindingRecord> Findings(std::function<void(TSayingRule&)> check) {
    TVetrins rules;
    auto* rule = static_cast<TSayingRule*>(rules.Add(std::make_unique<TSayingRule>()));
    rule->Enabled = true;
    rule->OnCheck = std::move(check);
    TKeptFindings sink;
    rules.SetFindings(&sink);
    TPart part;
    rules.CheckPart(part);
    return sink.Findings;
}

} // namespace

TEST(TextCatalog, EveryTextHasAnIdAndBothLanguagesNameTheSameFields) {
    std::set<std::string_view> ids;
    for (int i = 0; i < static_cast<int>(TText::Count); ++i) {
        const TText key = static_cast<TText>(i);
        EXPECT_TRUE(ids.insert(TextId(key)).second) << TextId(key);
        EXPECT_EQ(FindTextId(TextId(key)), key);
        EXPECT_FALSE(TextUtf8(key, TLanguage::English).empty()) << TextId(key);
        EXPECT_NE(TextUtf8(key, TLanguage::English), TextUtf8(key, TLanguage::Japanese))
            << TextId(key);
        // The English form names the same fields: filling them all leaves no brace behind.
        std::vector<TTextField> fields;
        for (const std::string& name : TextFieldNames(key))
            fields.push_back({name, "v"});
        for (TLanguage language : {TLanguage::Japanese, TLanguage::English}) {
            std::string text;
            AppendFilled(text, TextUtf8(key, language), fields, true);
            EXPECT_EQ(text.find_first_of("{}"), std::string::npos) << text;
        }
        // Nothing of it is lost on the way to code page 932.
        EXPECT_EQ(platform::Cp932ToUtf8(TextCp932(key, TLanguage::English)),
                  TextUtf8(key, TLanguage::English));
    }
    EXPECT_FALSE(FindTextId("NoSuchMessage"));
}

TEST(TextCatalog, FillsFieldsByNameAndStepsOverDoubleByteCharacters) {
    // "＋" is 0x81 0x7B in code page 932: its second byte is "{".
    EXPECT_EQ(Filled(Sj("＋{name}＋"), {{"name", "x"}}), Sj("＋x＋"));
    // A value is never read for fields, and a name without a field stays as written.
    EXPECT_EQ(Filled("{a} {b}", {{"a", "{b}"}}), "{b} {b}");
    EXPECT_EQ(FilledUtf8("{a}{a}", {{"a", "1"}}), "11");
    EXPECT_EQ(Filled("{unclosed", {{"unclosed", "x"}}), "{unclosed");
}

TEST(TextCatalog, FindingsKeepTheirKeyAndFieldsAndSpeakTheRunsLanguage) {
    auto report = [](TSayingRule& r) {
        // Given in another order than the template's: kept in the template's.
        r.ReportAt(TText::TooManyStatements, {{"limit", "100"}, {"value", "120"}, {"name", "Go"}},
                   7);
    };
    std::vector<TFindingRecord> japanese = Findings(report);
    ASSERT_EQ(japanese.size(), 1u);
    const TFindingRecord& f = japanese[0];
    EXPECT_EQ(f.Message, Sj("プロシージャ Go のステートメント数(120)が制限(100)を越えています。"));
    EXPECT_EQ(f.MessageKey, TText::TooManyStatements);
    EXPECT_EQ(f.Fields, (std::vector<std::string>{"Go", "120", "100"}));
    EXPECT_EQ(f.MessageIn(TLanguage::English),
              "Procedure Go has 120 statements; the limit is 100.");

    LanguageScope english(TLanguage::English);
    std::vector<TFindingRecord> inEnglish = Findings(report);
    ASSERT_EQ(inEnglish.size(), 1u);
    EXPECT_EQ(inEnglish[0].Message, f.MessageIn(TLanguage::English));
    EXPECT_EQ(inEnglish[0].MessageIn(TLanguage::Japanese), f.Message);
    // A message given as text is the same in every language.
    std::vector<TFindingRecord> text = Findings([](TSayingRule& r) { r.Report("m"); });
    ASSERT_EQ(text.size(), 1u);
    EXPECT_FALSE(text[0].MessageKey);
    EXPECT_EQ(text[0].MessageIn(TLanguage::Japanese), "m");
}

TEST(TextCatalog, ErrorsAndRuleNamesFollowTheLanguage) {
    EXPECT_EQ(EFOpenError("/x").Message(), Sj("ファイル /x は開けません"));
    EXPECT_EQ(EConvertError::NotInteger("q").Message(), Sj("'q' は整数ではありません"));
    const TRuleRow& first = RuleTable()[1];
    auto rule = first.Create();
    EXPECT_EQ(rule->DisplayName(), first.CheckerName);
    EXPECT_STREQ(CategoryCaption(catUnused), "未使用");

    LanguageScope english(TLanguage::English);
    EXPECT_EQ(EFOpenError("/x").Message(), "Cannot open file /x");
    EXPECT_EQ(EMaskError("a|b", 2).Message(), "Character 2 of 'a|b' is not a valid mask character");
    EXPECT_EQ(rule->DisplayName(), first.EnglishName);
    // The checker project file keeps the Japanese name whatever the language.
    EXPECT_EQ(rule->GetCheckerName(), first.CheckerName);
    EXPECT_STREQ(CategoryCaption(catUnused), "Unused");
    for (const TRuleRow& row : RuleTable())
        EXPECT_TRUE(platform::IsAscii(row.EnglishName)) << row.EnglishName;
}
