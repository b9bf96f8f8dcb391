// Every rule of the rule table is checked on its annotated fixture under
// tests/data/rules/fixtures, named after its class: a member file (<ClassName>.bas, .frm, .cls,
// .ctl or .pag), or a folder <ClassName>/ holding Fixture.vbp with its members and, where the
// rule needs settings or company, Fixture.vrp. The rule runs alone (with what Fixture.vrp ticks)
// through a check session, and its findings are compared with the comments of the files:
//     ' EXPECT: message        a finding on this line
//     ' EXPECT(12): message    a finding on line 12 (where a comment would change the line)
//     ' EXPECT(-): message     a finding of this file without a line
//     ' EXPECT-COUNTS: t c b m the file's total, code, blank and comment lines
// A rule in the table without a fixture fails here.
#include "TestSupport.h"
#include "checkers/CheckSession.h"
#include "checkers/RuleTable.h"
#include "framework/FindingSink.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const fs::path Fixtures = fs::path(VETRIN_TEST_DATA) / "rules" / "fixtures";

// The fixture of a rule: its folder, or its single member file; empty when there is none.
fs::path FixtureOf(std::string_view className) {
    if (fs::is_directory(Fixtures / className)) return Fixtures / className;
    for (const char* extension : {".bas", ".frm", ".cls", ".ctl", ".pag"}) {
        fs::path file = Fixtures / (std::string(className) + extension);
        if (fs::exists(file)) return file;
    }
    return {};
}

// The expectations of one file, "NAME(LINE) : message" or "NAME : message", and its counts.
void ReadExpectations(const fs::path& file, Lines& expected, Lines& counts) {
    const std::string name = file.filename().string();
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(file.string(), bytes)) << file;
    int number = 0;
    platform::ForEachLine(bytes, [&](std::string_view line) {
        ++number;
        const std::string text = platform::Cp932ToUtf8(line);
        if (std::size_t at = text.find("' EXPECT-COUNTS: "); at != std::string::npos) {
            counts.push_back(name + " : " + text.substr(at + 17));
            return;
        }
        for (std::size_t at = text.find("' EXPECT"); at != std::string::npos;
             at = text.find("' EXPECT", at + 1)) {
            std::size_t colon = text.find(": ", at);
            std::string where = text.substr(at + 8, colon - at - 8); // "", "(12)" or "(-)"
            std::string message = text.substr(colon + 2, text.find("' EXPECT", colon) - colon - 2);
            message.erase(message.find_last_not_of(' ') + 1);
            std::string place = where.empty()    ? "(" + std::to_string(number) + ")"
                                : where == "(-)" ? std::string()
                                                 : where;
            expected.push_back(name + place + " : " + message);
        }
    });
}

class TFindingLines : public TFindingSink {
public:
    Lines Found;
    void Add(const TFindingRecord& f) override {
        std::string place = f.HasLine() ? "(" + std::to_string(f.Line) + ")" : "";
        Found.push_back(platform::FileNamePart(f.File) + place + " : " +
                        platform::TextToUtf8(f.Message, platform::SystemCodePage()));
    }
};

void CheckFixture(const TRuleRow& row) {
    SCOPED_TRACE(std::string(row.ClassName));
    const fs::path fixture = FixtureOf(row.ClassName);
    ASSERT_FALSE(fixture.empty()) << "no annotated fixture for " << row.ClassName << " in "
                                  << Fixtures;
    // A single member is checked as the one member of a project made for it.
    TempDir dir;
    fs::path folder = fixture;
    if (!fs::is_directory(fixture)) {
        folder = dir.Path;
        fs::copy_file(fixture, folder / fixture.filename());
        dir.Write("Fixture.vbp",
                  "Type=Exe\r\nModule=Fixture; " + fixture.filename().string() + "\r\n");
    }
    Lines expected, counts;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() != ".vrp") ReadExpectations(entry.path(), expected, counts);

    TCheckSession session;
    if (fs::exists(folder / "Fixture.vrp")) session.LoadRules((folder / "Fixture.vrp").string());
    session.Rules().FindByClassName(row.ClassName)->Enabled = true;
    TFindingLines findings;
    session.SetFindings(&findings);
    session.Check((folder / "Fixture.vbp").string());

    Lines found = findings.Found;
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
    for (const TStatisticsRow& r : session.StatisticsRows()) {
        const std::string line =
            platform::FileNamePart(r.File) + " : " + std::to_string(r.Counts.TotalLines) + " " +
            std::to_string(r.Counts.CodeLines) + " " + std::to_string(r.Counts.BlankLines) + " " +
            std::to_string(r.Counts.CommentLines);
        if (std::find(counts.begin(), counts.end(), line) != counts.end())
            counts.erase(std::find(counts.begin(), counts.end(), line));
    }
    EXPECT_EQ(counts, Lines()) << "line counts that differ";
}

} // namespace

TEST(RuleFixtures, EveryRuleOfTheTableFindsWhatItsFixtureExpects) {
    for (const TRuleRow& row : RuleTable())
        CheckFixture(row);
}
