// The store a value list keeps its numbers in: values survive every way it
// grows, and a store emptied and filled again does not copy its values at
// every doubling on the way back to its former size.
#include "chart/series/ValueStore.h"

#include <gtest/gtest.h>

namespace pexor {
namespace {

// Appends the values of indexes Size() to count-1.
void FillTo(TValueStore &store, std::size_t count) {
    for (std::size_t i = store.Size(); i < count; ++i)
        store.Append(double(i) * 0.5);
}

void ExpectFilled(const TValueStore &store, std::size_t count) {
    ASSERT_EQ(store.Size(), count);
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < count; ++i)
        wrong += store[i] != double(i) * 0.5;
    EXPECT_EQ(wrong, 0u);
}

TEST(ValueStore, RefilledGrowsToItsFormerSizeOnceASixtyFourthIsBack) {
    TValueStore store;
    FillTo(store, 100000);
    ExpectFilled(store, 100000);
    store.Release();
    EXPECT_EQ(store.Capacity(), 0u);
    EXPECT_EQ(store.Data(), nullptr);

    // Below a sixty-fourth (1,562.5) it grows twice each time, as a first
    // fill does.
    FillTo(store, 1024);
    EXPECT_EQ(store.Capacity(), 1024u);
    FillTo(store, 1025);
    EXPECT_EQ(store.Capacity(), 2048u);
    FillTo(store, 2049);
    EXPECT_EQ(store.Capacity(), 100000u);
    FillTo(store, 100000);
    ExpectFilled(store, 100000);
    EXPECT_EQ(store.Capacity(), 100000u);
    store.Append(7);
    EXPECT_EQ(store.Capacity(), 200000u);
    EXPECT_EQ(store.Back(), 7);
}

TEST(ValueStore, OnlyTheLastSizeReleasedCounts) {
    TValueStore store;
    FillTo(store, 100000);
    store.Release();
    store.Release(); // emptied twice: the size before still counts
    FillTo(store, 20);
    EXPECT_EQ(store.Capacity(), 32u);
    store.Release(); // a small refill released: that is the size now
    FillTo(store, 50000);
    ExpectFilled(store, 50000);
    // 20 at once, then twice each time: never the 100,000 of before.
    EXPECT_EQ(store.Capacity(), 20u << 12);

    // Once reached, the former size no longer steers the growth.
    TValueStore used;
    FillTo(used, 1000);
    used.Release();
    FillTo(used, 1000);
    EXPECT_EQ(used.Capacity(), 1000u);
    FillTo(used, 2001);
    ExpectFilled(used, 2001);
    EXPECT_EQ(used.Capacity(), 4000u);
}

TEST(ValueStore, InsertEraseAndResizeKeepTheOthers) {
    TValueStore store;
    FillTo(store, 16); // full: the insertion grows it
    store.Insert(0, -1);
    store.Insert(17, -2);
    ASSERT_EQ(store.Size(), 18u);
    EXPECT_EQ(store[0], -1);
    EXPECT_EQ(store[1], 0);
    EXPECT_EQ(store[16], 7.5);
    EXPECT_EQ(store[17], -2);
    store.Erase(0);
    store.Erase(16);
    ExpectFilled(store, 16);
    store.Resize(4);
    ExpectFilled(store, 4);
    store.Reserve(3); // less than there is: nothing moves
    ExpectFilled(store, 4);
}

} // namespace
} // namespace pexor
