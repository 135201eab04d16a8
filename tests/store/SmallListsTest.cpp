#include "base/Text.h"
#include "store/HostList.h"
#include "store/NeedsList.h"
#include "support/RecordWriters.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::Bytes;

TEST(HostList, LoadsRoundTripsAndShowsTextsWithoutOneLeadingTilde) {
    Bytes file = test::Concat({test::HostBytes("~Berg", 30002), test::HostBytes("Ås", 30001),
                               test::HostBytes("~~Dubbel", 30005)});
    HostList hosts;
    hosts.Load(file, 1252);
    EXPECT_EQ(hosts.Encode(1252), file);
    EXPECT_EQ(hosts.DisplayName(0), "Berg");
    EXPECT_EQ(hosts.DisplayName(2), "~Dubbel");
    EXPECT_EQ(hosts.DisplayName(3), "");
    EXPECT_EQ(hosts.FindByKey(30005), 3);
    EXPECT_EQ(hosts.FindByKey(0), 0);
    EXPECT_EQ(hosts.FindDisplayName(" berg "), 1) << "compared as shown, ignoring case";
    EXPECT_EQ(hosts.FindDisplayName("berg", 0), 0);
    EXPECT_EQ(hosts.AllocateKey(), 30003);
}

TEST(HostList, SortsByTheStoredTextInSwedishOrder) {
    HostList hosts;
    hosts.Load(test::Concat({test::HostBytes("Östen", 30001), test::HostBytes("~Adam", 30002),
                             test::HostBytes("Åke", 30003), test::HostBytes("Zäta", 30004),
                             test::HostBytes("Bo", 30005)}),
               1252);
    hosts.Sort(text::Collator("sve"));
    std::vector<std::string> names;
    for (const HostRecord& h : hosts.Items())
        names.push_back(h.name);
    EXPECT_EQ(names, (std::vector<std::string>{"~Adam", "Bo", "Zäta", "Åke", "Östen"}));
}

TEST(HostList, AllocationRefusesWhenEveryIdIsTaken) {
    HostList hosts;
    for (uint32_t id = HostList::kFirstId; id <= HostList::kLastId; ++id)
        hosts.Append({"h", static_cast<uint16_t>(id)});
    EXPECT_EQ(hosts.AllocateKey(), 0) << "never a second host with id 31000";
}

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
