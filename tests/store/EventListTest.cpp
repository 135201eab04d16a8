#include "store/EventList.h"

#include "support/MemoryContext.h"
#include "support/RecordWriters.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::Bytes;

TEST(SpecialEventRecord, RoundTripsTextsAndReservedBytes) {
    Bytes bytes =
        test::EventBytes{.weekIndex = 900, .flags = 0x14, .name = "KT-besök", .theme = "Ett tema"}
            .Build();
    bytes[141] = 0x7F;
    SpecialEventRecord r = SpecialEventRecord::Decode(bytes, 1252);
    EXPECT_EQ(r.weekIndex, 900);
    EXPECT_EQ(r.flags, 0x14);
    EXPECT_EQ(r.name, "KT-besök");
    EXPECT_EQ(r.theme, "Ett tema");
    auto out = r.Encode(1252);
    EXPECT_EQ(Bytes(out.begin(), out.end()), bytes);
}

TEST(EventList, AddReplacesTheWeeksEventOrKeepsWeekOrder) {
    EventList list{test::MemoryContext()};
    list.Load(test::Concat({test::EventBytes{.weekIndex = 910, .flags = 2}.Build(),
                            test::EventBytes{.weekIndex = 900, .flags = 4}.Build()}),
              1252);
    EXPECT_EQ(list.Find(900), 2);
    EXPECT_EQ(list.Add({.weekIndex = 905, .flags = 8}), 2) << "a file out of order is sorted";
    EXPECT_EQ(list.At(0)->weekIndex, 900);
    EXPECT_EQ(list.At(2)->weekIndex, 910);
    EXPECT_EQ(list.Add({.weekIndex = 905, .flags = 2, .name = "Ny"}), 2);
    EXPECT_EQ(list.Count(), 3) << "one event per week";
    EXPECT_EQ(list.At(1)->name, "Ny");
    list.Remove(0);
    list.Remove(7);
    EXPECT_EQ(list.Find(900), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(-1), nullptr);
}

TEST(EventStrikes, AnOverseerVisitStrikesTheSpeakerAndReaderButKeepsChairmanAndHost) {
    WeekRecord week;
    week.homeSpeaker = 1;
    week.homeTalk = 12;
    week.homeCongregation = 2;
    week.asked = 880;
    week.chairman = 3;
    week.host = 30001;
    week.reader = 4;
    week.outSpeaker[0] = 5;
    const uint16_t flags = kWeekOverseerVisit | kWeekChairmanAnyway | kWeekHostAnyway;
    uint16_t bits = EventStrikes(week, flags);
    EXPECT_EQ(bits, flags | kStrikeHomeSpeaker | kStrikeReader);
    ApplyEventStrikes(week, bits);
    EXPECT_EQ(week.homeSpeaker, 0);
    EXPECT_EQ(week.homeTalk, 0);
    EXPECT_EQ(week.homeCongregation, 0);
    EXPECT_EQ(week.asked, 0) << "the ticks go with the speaker";
    EXPECT_EQ(week.chairman, 3);
    EXPECT_EQ(week.host, 30001);
    EXPECT_EQ(week.reader, 0);
    EXPECT_EQ(week.outSpeaker[0], 5) << "outgoing speakers are not examined";
}

TEST(EventStrikes, AnAssemblyOnAWeekWithOnlyOutgoingSpeakersStrikesNothing) {
    WeekRecord week;
    week.outSpeaker[2] = 5;
    EXPECT_EQ(EventStrikes(week, kWeekAssembly) & kStrikeAny, 0);
}

} // namespace
} // namespace mivra
