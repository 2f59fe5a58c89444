#include "platform/SideBySide.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <vector>

// Every item is done once, and its result is in place when the call returns, however many
// helpers are asked for: none, fewer than the items, or more.
TEST(SideBySideTest, EachItemIsDoneOnceBeforeTheCallReturns) {
    struct Case {
        size_t count, helpers;
    };
    for (const Case c : {Case{0, 3}, Case{1, 0}, Case{5, 0}, Case{7, 2}, Case{3, 8}, Case{64, 4}}) {
        std::vector<std::atomic<int>> runs(c.count);
        std::vector<size_t> results(c.count, 0);
        const auto failure = RunSideBySide(c.count, c.helpers, [&](size_t i) {
            ++runs[i];
            results[i] = i * i + 1;
        });
        EXPECT_FALSE(failure) << c.count << " items, " << c.helpers << " helpers";
        for (size_t i = 0; i < c.count; ++i) {
            EXPECT_EQ(runs[i].load(), 1) << "item " << i << " of " << c.count;
            EXPECT_EQ(results[i], i * i + 1) << "item " << i << " of " << c.count;
        }
    }
}
