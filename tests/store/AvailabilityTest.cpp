#include "store/Availability.h"

#include "support/RecordWriters.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::AvailabilityBytes;
using test::Bytes;

constexpr uint16_t W = 900; // the current week

AvailabilityTable Loaded(const Bytes& file) {
    AvailabilityTable table;
    table.Load(file, W);
    return table;
}

TEST(Availability, LoadKeepsCurrentAndLaterWeeksOfRealBrothers) {
    Bytes file = test::Concat({AvailabilityBytes(1, W - 1), AvailabilityBytes(1, W, 0xDEADBEEF),
                               AvailabilityBytes(0, W + 1), AvailabilityBytes(2, W + 60),
                               AvailabilityBytes(3, W - 10)});
    file.resize(file.size() + 5); // a partial record at the end
    AvailabilityTable table = Loaded(file);
    ASSERT_EQ(table.Records().size(), 2u);
    EXPECT_FALSE(table.IsAvailable(1, W));
    EXPECT_TRUE(table.IsAvailable(1, W - 1));
    EXPECT_FALSE(table.IsAvailable(2, W + 60)) << "beyond the dialog's 52 weeks, still honoured";
    EXPECT_FALSE(table.Changed());
    EXPECT_EQ(table.Encode(),
              test::Concat({AvailabilityBytes(1, W, 0xDEADBEEF), AvailabilityBytes(2, W + 60)}))
        << "reserved bytes are carried through";
}

TEST(Availability, AddReusesAnEmptyOrStaleRecordAndNeverDuplicates) {
    AvailabilityTable table =
        Loaded(test::Concat({AvailabilityBytes(1, W), AvailabilityBytes(2, W)}));
    table.Remove(1, W);
    table.Add(3, W + 1);
    EXPECT_EQ(table.Records().size(), 2u) << "the emptied record is reused";
    EXPECT_EQ(table.Records()[0].brotherKey, 3);
    table.Add(3, W + 1);
    table.Add(4, W + 2);
    EXPECT_EQ(table.Records().size(), 3u);
    table.Remove(3, W + 1);
    EXPECT_TRUE(table.IsAvailable(3, W + 1));
    EXPECT_TRUE(table.Changed());
}

TEST(Availability, StaleRecordsArePastTheWeekBeforeTheCurrentOne) {
    AvailabilityTable table;
    table.Load({}, W);
    table.Add(1, W - 1); // allowed, if odd
    table.Add(2, W - 2);
    table.Add(3, W + 5);
    EXPECT_EQ(table.Records().size(), 2u) << "W - 2 is stale and takes the next add";
    EXPECT_FALSE(table.IsAvailable(3, W + 5));
    EXPECT_TRUE(table.IsAvailable(2, W - 2));
}

TEST(Availability, KeyZeroIsAlwaysAvailableAndNeverStored) {
    AvailabilityTable table;
    table.Load({}, W);
    table.Add(0, W);
    EXPECT_TRUE(table.Records().empty());
    EXPECT_TRUE(table.IsAvailable(0, W));
}

TEST(Availability, ListAndRemoveBrother) {
    AvailabilityTable table;
    table.Load({}, W);
    for (uint16_t week = W; week < W + 60; ++week)
        table.Add(5, week);
    table.Add(6, W);
    EXPECT_EQ(table.List(5, 0).size(), 55u) << "limit 0 means 55";
    EXPECT_EQ(table.List(5, 3), (std::vector<uint16_t>{W, W + 1, W + 2}));
    EXPECT_EQ(table.RemoveBrother(5), 60);
    EXPECT_TRUE(table.List(5, 0).empty());
    EXPECT_EQ(table.Encode(), AvailabilityBytes(6, W));
}

} // namespace
} // namespace mivra
