// One member checked again with its text from memory, over the project as read and checked.
#include "checkers/CheckSession.h"
#include "checkers/RuleTable.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TRecords : TFindingSink {
    std::vector<TFindingRecord> Items;
    void Add(const TFindingRecord& finding) override { Items.push_back(finding); }
    // "Rule:Line" of each finding of a file.
    std::vector<std::string> Of(const std::string& file) const {
        std::vector<std::string> found;
        for (const TFindingRecord& f : Items)
            if (f.File == file) found.push_back(f.Rule + ":" + std::to_string(f.Line));
        return found;
    }
};

const char* const ModuleA = "Attribute VB_Name = \"A\"\r\n"
                            "Option Explicit\r\n"
                            "Public Sub Shared()\r\n"
                            "End Sub\r\n"
                            "Private Sub Helper()\r\n"
                            "End Sub\r\n";
const char* const ModuleB = "Attribute VB_Name = \"B\"\r\n"
                            "Option Explicit\r\n"
                            "Public Sub Main()\r\n"
                            "    Shared\r\n"
                            "End Sub\r\n";

} // namespace

TEST(MemberRecheck, TakesTheTextInMemoryAndKeepsTheOtherMembersSummaries) {
    TempDir dir;
    const std::string project =
        dir.Write("P.vbp", "Type=Exe\r\nModule=A; A.bas\r\nModule=B; B.bas\r\n");
    const std::string a = dir.Write("A.bas", ModuleA);
    dir.Write("B.bas", ModuleB);
    TCheckSession session;
    for (int i = 0; i < session.Rules().Count(); ++i)
        session.Rules().Items(i)->Enabled = true;
    TRecords records;
    session.SetFindings(&records);
    EXPECT_FALSE(session.RecheckMember(a)) << "nothing was checked yet";
    session.Check(project);
    const auto onDisk = records.Of(a);
    EXPECT_NE(std::find(onDisk.begin(), onDisk.end(), "TVbUnusedProcedures:5"), onDisk.end());

    // The editor's text calls Helper and moves it down a line: only A's findings come, and
    // Shared stays used by B, whose summary was kept.
    TMemberTexts texts;
    texts[a] = std::string(ModuleA).insert(std::string(ModuleA).find("End Sub"), "    Helper\r\n");
    session.SetMemberTexts(&texts);
    records.Items.clear();
    ASSERT_TRUE(session.RecheckMember(a));
    for (const TFindingRecord& f : records.Items)
        EXPECT_EQ(f.File, a) << f.ResultLine();
    for (const std::string& f : records.Of(a))
        EXPECT_EQ(f.rfind("TVbUnusedProcedures", 0), std::string::npos) << f;
    // The same as a whole check of that text finds for A.
    TCheckSession whole;
    for (int i = 0; i < whole.Rules().Count(); ++i)
        whole.Rules().Items(i)->Enabled = true;
    TRecords wholeRecords;
    whole.SetFindings(&wholeRecords);
    whole.SetMemberTexts(&texts);
    whole.Check(project);
    EXPECT_EQ(records.Of(a), wholeRecords.Of(a));

    EXPECT_FALSE(session.RecheckMember(dir.Path + "/C.bas")) << "no such member";
}

TEST(MemberRecheck, AFileOnItsOwnIsItsProjectsOnlyMember) {
    TempDir dir;
    const std::string a =
        dir.Write("A.bas", "Attribute VB_Name = \"A\"\r\nSub Lone()\r\nEnd Sub\r\n");
    TCheckSession session;
    EnableDefaultRules(session.Rules());
    TRecords records;
    session.SetFindings(&records);
    session.ReadMemberAlone(a, TVbMemberKind::Module);
    session.CheckProject();
    const auto found = records.Of(a);
    EXPECT_NE(std::find(found.begin(), found.end(), "TVBNeedOptionExplicit:-1"), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), "TVbProhibitImplicitPublicDeclaration:2"),
              found.end());
}
