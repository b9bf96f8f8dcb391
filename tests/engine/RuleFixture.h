// Rule tests from annotated fixture files: a VB source (code page 932, CR LF) under
// tests/data/rules/fixtures whose expected findings stand on their lines as comments,
//     Dim n As Integer ' EXPECT: ローカル変数 n は未使用です。
// The runner parses the file, runs the enabled rules and compares "(line) : message" of every
// finding with the expectations, line numbers counted from the file. The comment is a token like
// any other: where it would change what a rule sees (the first token of a procedure body, a
// continued line), the case is written out in C++ instead.
#pragma once

#include "RuleTestSupport.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <string>

// The expectations of a fixture: "(line) : message" (UTF-8) in line order.
inline Lines FixtureExpectations(const std::string& bytes) {
    static const std::string Marker = "' EXPECT: ";
    Lines expected;
    int number = 0;
    platform::ForEachLine(bytes, [&](std::string_view line) {
        ++number;
        std::string text = platform::Cp932ToUtf8(line);
        for (std::size_t at = text.find(Marker); at != std::string::npos;
             at = text.find(Marker, at + 1)) {
            std::size_t start = at + Marker.size();
            // Several findings on one line: each after its own marker.
            std::size_t end = text.find(Marker, start);
            std::string message = text.substr(start, end == std::string::npos ? end : end - start);
            message.erase(message.find_last_not_of(' ') + 1);
            expected.push_back("(" + std::to_string(number) + ") : " + message);
        }
    });
    return expected;
}

// Parses the fixture as a member of kind T, runs the harness's enabled rules on it and compares
// the findings with the fixture's expectations (findings in report order, expectations sorted
// the same way: the harness's order is kept, so a rule that reports out of line order is
// compared as it reports).
template <typename T> void ExpectFixtureFindings(TRuleHarness& harness, const std::string& name) {
    SCOPED_TRACE(name);
    const std::string path = std::string(VETRIN_TEST_DATA) + "/rules/fixtures/" + name;
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(path, bytes)) << path;
    ASSERT_EQ(bytes.find("\r\n"), bytes.find('\n') - 1) << "a fixture has CR LF line ends";
    T source(nullptr);
    source.Load(path);
    source.Parse();
    Lines found = harness.Check(source);
    Lines expected = FixtureExpectations(bytes);
    std::stable_sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        return std::stoi(a.substr(1)) < std::stoi(b.substr(1));
    });
    EXPECT_EQ(found, expected);
}
