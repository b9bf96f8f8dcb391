// The log line store and the result store, written by a run's thread while the window reads.
#include "presenters/LineStore.h"
#include "PresenterTestSupport.h"
#include "presenters/ResultStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(LineStore, KeepsEngineBytesShowsUtf8AndTellsEachChange) {
    TLineStore store;
    int changes = 0;
    store.SetChanged([&] { ++changes; });
    store.Add(Sj("表示.frm を解析中..."));
    store.AppendToLast(Sj("完了"));
    store.Add("second");
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.Get(0), Sj("表示.frm を解析中...完了"));
    EXPECT_EQ(store.Utf8(0), "表示.frm を解析中...完了");
    EXPECT_EQ(store.Utf8(2), "");
    EXPECT_EQ(changes, 3);
    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(changes, 4);
}

TEST(ResultStore, RowsAreTheResultLinesOfTheRecordsWhileAThreadAdds) {
    TResultStore store;
    std::atomic<int> changes{0};
    store.SetChanged([&] { ++changes; });
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i)
            store.Add({"R", "/vb/A.bas", i, "m", TFindingRecord::TOrigin::At});
    });
    // The window reads while the run adds: every row it sees is whole.
    int seen = 0;
    while (seen < 20000) {
        seen = store.Count();
        if (seen > 0) {
            EXPECT_EQ(store.Utf8(seen - 1), "/vb/A.bas(" + std::to_string(seen - 1) + ") : m");
        }
    }
    writer.join();
    EXPECT_EQ(changes, 20000);
    TFindingRecord record;
    ASSERT_TRUE(store.Record(7, record));
    EXPECT_EQ(record.Line, 7);
    EXPECT_FALSE(store.Record(20000, record));
}
