#include "store/NeedsList.h"

#include "support/RecordWriters.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::Bytes;

TEST(NeedsList, PriorityComesFromTheTwoPrioritySets) {
    NeedsList needs = NeedsList::Decode(test::NeedsBytes({1, 2, 3, 256}, {1, 3}, {2, 3}));
    EXPECT_EQ(needs.PriorityOf(1), NeedsList::kHigh);
    EXPECT_EQ(needs.PriorityOf(2), NeedsList::kLow);
    EXPECT_EQ(needs.PriorityOf(3), NeedsList::kHigh) << "high is tested first";
    EXPECT_EQ(needs.PriorityOf(256), NeedsList::kMedium);
    needs.Remove(3);
    EXPECT_FALSE(needs.Contains(3));
    EXPECT_FALSE(needs.high.Has(3));
    EXPECT_FALSE(needs.low.Has(3));
    auto out = needs.Encode();
    EXPECT_EQ(Bytes(out.begin(), out.end()), test::NeedsBytes({1, 2, 256}, {1}, {2}));
}

TEST(NeedsList, AShortOrLongBlockReadsSafely) {
    Bytes shortBlock = test::NeedsBytes({9}, {}, {9});
    shortBlock.resize(40);
    NeedsList needs = NeedsList::Decode(shortBlock);
    EXPECT_TRUE(needs.Contains(9));
    EXPECT_EQ(needs.PriorityOf(9), NeedsList::kMedium) << "the low set was cut off";
    Bytes longBlock = test::NeedsBytes({7}, {7}, {});
    longBlock.resize(500, 0xFF);
    EXPECT_EQ(NeedsList::Decode(longBlock).PriorityOf(7), NeedsList::kHigh);
}

} // namespace
} // namespace mivra
