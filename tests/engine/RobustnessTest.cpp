// Damaged and hostile input at the edges: decoding and checker project files.
#include "framework/Vetrin.h"
#include "platform/CodePage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

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
