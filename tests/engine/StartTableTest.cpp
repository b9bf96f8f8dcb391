#include "framework/StartTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {
using TPlain = std::vector<std::uint32_t>;

// Rising values: `count` steps drawn from 0..maxStep, from `first` on.
TPlain Rising(std::size_t count, std::uint32_t first, std::uint32_t maxStep, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::uint32_t> step(0, maxStep);
    TPlain values;
    std::uint32_t value = first;
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(value += (i == 0 ? 0 : step(random)));
    return values;
}

TStartTable Added(const TPlain& values) {
    TStartTable table;
    for (std::uint32_t v : values)
        table.Add(v);
    return table;
}

TStartTable Written(const TPlain& values) {
    TStartTable table;
    TStartWriter writer(table);
    for (std::uint32_t v : values)
        writer.Add(v);
    writer.Flush();
    return table;
}

// Everything the table answers equals what the plain table says.
void ExpectSame(const TStartTable& table, const TPlain& plain, bool rising = true) {
    ASSERT_EQ(table.Count(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(table[i], plain[i]) << i;
        if (i + 1 < plain.size()) ASSERT_EQ(table.Distance(i), plain[i + 1] - plain[i]) << i;
    }
    TPlain read(plain.size());
    if (!plain.empty()) table.Read(0, plain.size(), read.data());
    EXPECT_EQ(read, plain);
    TStartReader reader(table, 0, 7);
    for (std::size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(reader.Next(), plain[i]) << i;
    EXPECT_EQ(reader.Next(), 7u);
    if (!rising) return;
    for (std::size_t i = 0; i < plain.size(); i += 7)
        for (std::uint32_t v : {plain[i] - 1, plain[i], plain[i] + 1}) {
            const auto expected = std::upper_bound(plain.begin(), plain.end(), v) - plain.begin();
            ASSERT_EQ(table.CountUpTo(v), static_cast<std::size_t>(expected)) << v;
        }
}
} // namespace

TEST(StartTable, AnswersAsAPlainTableForShortAndLongSteps) {
    // Short lines from 0, and lines near the top of the 32-bit range.
    const TPlain dense = Rising(3000, 0, 60, 1);
    const TPlain high = Rising(1000, 0xFFFF0000u - 1000 * 200, 200, 2);
    // Steps that just fit: 255 of them make a block span 0xFFFF at most.
    const TPlain edge = Rising(1025, 5, 0xFFFF / 255, 3);
    for (const TPlain* plain : {&dense, &high, &edge}) {
        ExpectSame(Added(*plain), *plain);
        ExpectSame(Written(*plain), *plain);
    }
    // About two bytes an entry, made to measure.
    TStartTable reserved;
    reserved.Reserve(dense.size());
    reserved.Append(dense.data(), dense.size());
    EXPECT_EQ(reserved.Bytes(), dense.size() * 2 + (dense.size() + 255) / 256 * 4);
}

TEST(StartTable, FallsBackToFullEntriesWhenAStepDoesNotFit) {
    TPlain longLine = Rising(2000, 0, 40, 4);
    for (std::size_t i = 1300; i < longLine.size(); ++i)
        longLine[i] += 3000000; // a line of megabytes in the middle of a block
    TPlain falling = Rising(600, 1000, 30, 5);
    falling[400] = 3; // not rising: every entry still reads back
    for (const TPlain* plain : {&longLine, &falling}) {
        ExpectSame(Added(*plain), *plain, plain != &falling);
        ExpectSame(Written(*plain), *plain, plain != &falling);
    }
    // A table that started by the block goes on growing in full entries.
    TStartTable table = Written(longLine);
    table.Add(longLine.back() + 1);
    longLine.push_back(longLine.back() + 1);
    ExpectSame(table, longLine);
}

TEST(StartTable, EmptyTablesAnswerNothing) {
    TStartTable table;
    ExpectSame(table, {});
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(table.CountUpTo(0), 0u);
    TStartTable cleared = Written(Rising(700, 0, 9, 6));
    cleared.Clear();
    ExpectSame(cleared, {});
    EXPECT_EQ(cleared.Bytes(), 0u);
}

TEST(StartTable, ShiftResizeAndAppendKeepEveryEntry) {
    TPlain plain = Rising(1500, 0, 50, 7);
    TStartTable table = Written(plain);
    // Within a block's reach, then a shift that pushes a block's steps beyond 16 bits.
    for (auto [first, delta] :
         {std::pair<std::size_t, std::int64_t>{300, 17}, {300, -9}, {512, 1000}, {700, 70000}}) {
        table.Shift(first, delta);
        for (std::size_t i = first; i < plain.size(); ++i)
            plain[i] = static_cast<std::uint32_t>(plain[i] + delta);
        ExpectSame(table, plain);
    }
    table.Resize(900, 0);
    plain.resize(900);
    ExpectSame(table, plain);
    table.Resize(1000, plain.back() + 5);
    plain.resize(1000, plain.back() + 5);
    ExpectSame(table, plain);
    // Runs appended from a table whose last block is part full.
    TStartTable appended = Added(TPlain(plain.begin(), plain.begin() + 100));
    appended.Append(plain.data() + 100, 500);
    appended.Append(plain.data() + 600, 400);
    ExpectSame(appended, plain);
}
