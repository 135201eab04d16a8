#include "store/Availability.h"

#include "support/DocFixture.h"
#include "support/MemoryContext.h"
#include "support/RecordWriters.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::AvailabilityBytes;
using test::Bytes;

constexpr uint16_t W = 900; // the current week

AvailabilityTable Loaded(const Bytes& file) {
    AvailabilityTable table{test::MemoryContext()};
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
    table.RemoveUnavailableWeek(1, W);
    table.AddUnavailableWeek(3, W + 1);
    EXPECT_EQ(table.Records().size(), 2u) << "the emptied record is reused";
    EXPECT_EQ(table.Records()[0].brotherKey, 3);
    table.AddUnavailableWeek(3, W + 1);
    table.AddUnavailableWeek(4, W + 2);
    EXPECT_EQ(table.Records().size(), 3u);
    table.RemoveUnavailableWeek(3, W + 1);
    EXPECT_TRUE(table.IsAvailable(3, W + 1));
    EXPECT_TRUE(table.Changed());
    // An emptied record before a present one must not take a second copy of it.
    table.AddUnavailableWeek(4, W + 2);
    EXPECT_EQ(table.ListUnavailableWeeks(4, 0).size(), 1u);
}

TEST(Availability, AddingManyAtOnceFillsTheRecordsOneByOneWould) {
    const Bytes file = test::Concat({AvailabilityBytes(1, W), AvailabilityBytes(2, W),
                                     AvailabilityBytes(3, W + 1), AvailabilityBytes(4, W)});
    AvailabilityTable single = Loaded(file), batch = Loaded(file);
    for (AvailabilityTable* t : {&single, &batch})
        t->RemoveWeeks([](uint16_t brother, uint16_t) { return brother == 2 || brother == 4; });
    const std::vector<std::pair<uint16_t, uint16_t>> weeks = {
        {5, W}, {1, W}, {5, W + 2}, {6, W + 3}, {0, W}};
    for (const auto& [brother, week] : weeks)
        single.AddUnavailableWeek(brother, week);
    batch.AddUnavailableWeeks(weeks);
    EXPECT_EQ(batch.Encode(), single.Encode());
    EXPECT_FALSE(batch.IsAvailable(6, W + 3));
    EXPECT_TRUE(batch.IsAvailable(2, W));
}

TEST(Availability, StaleRecordsArePastTheWeekBeforeTheCurrentOne) {
    AvailabilityTable table{test::MemoryContext()};
    table.Load({}, W);
    table.AddUnavailableWeek(1, W - 1); // allowed, if odd
    table.AddUnavailableWeek(2, W - 2);
    table.AddUnavailableWeek(3, W + 5);
    EXPECT_EQ(table.Records().size(), 2u) << "W - 2 is stale and takes the next add";
    EXPECT_FALSE(table.IsAvailable(3, W + 5));
    EXPECT_TRUE(table.IsAvailable(2, W - 2));
}

TEST(Availability, KeyZeroIsAlwaysAvailableAndNeverStored) {
    AvailabilityTable table{test::MemoryContext()};
    table.Load({}, W);
    table.AddUnavailableWeek(0, W);
    EXPECT_TRUE(table.Records().empty());
    EXPECT_TRUE(table.IsAvailable(0, W));
}

TEST(Availability, ListAndRemoveBrother) {
    AvailabilityTable table{test::MemoryContext()};
    table.Load({}, W);
    for (uint16_t week = W; week < W + 60; ++week)
        table.AddUnavailableWeek(5, week);
    table.AddUnavailableWeek(6, W);
    EXPECT_EQ(table.ListUnavailableWeeks(5, 0).size(), 55u) << "limit 0 means 55";
    EXPECT_EQ(table.ListUnavailableWeeks(5, 3), (std::vector<uint16_t>{W, W + 1, W + 2}));
    EXPECT_EQ(table.RemoveBrother(5), 60);
    EXPECT_TRUE(table.ListUnavailableWeeks(5, 0).empty());
    EXPECT_EQ(table.Encode(), AvailabilityBytes(6, W));
}

class AvailabilityFile : public test::DocTest {};

TEST_F(AvailabilityFile, AvailabilityIsSavedOnlyWhenChanged) {
    dir.Write("blackout.dat", test::Concat({test::AvailabilityBytes(1, CurrentWeek() - 3),
                                            test::AvailabilityBytes(2, CurrentWeek() + 1)}));
    CMvDoc& d = LoadQuietly();
    std::vector<std::string>& written = RecordWrites();
    EXPECT_TRUE(d.Availability().SaveAvailability());
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(d.Availability().ListUnavailableWeeks(2, 0),
              std::vector<uint16_t>{static_cast<uint16_t>(CurrentWeek() + 1)});
    d.Availability().RemoveUnavailableWeek(2, static_cast<uint16_t>(CurrentWeek() + 1));
    EXPECT_TRUE(d.Availability().SaveAvailability());
    EXPECT_EQ(dir.Read("blackout.dat"), Bytes{}) << "past weeks leave the file at the next save";
}

} // namespace
} // namespace mivra
