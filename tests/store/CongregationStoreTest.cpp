#include "support/DocFixture.h"

namespace mivra {
namespace {

using test::BrotherBytes;
using test::Bytes;
using test::CongregationBytes;
using test::WeekBytes;

class Congregations : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=2\r\n");
        dir.Write(
            "cong.dat",
            test::SlotFile(
                {{1, CongregationBytes{.name = "Borta",
                                       .timeOdd = "10:00",
                                       .timeEven = "13:00",
                                       .key = 1,
                                       .circuit = 30001,
                                       .talkCoordinator = 2,
                                       .weekdayOdd = 6,
                                       .weekdayEven = 0,
                                       .pokes = {{177, 0x42}}}
                         .Build()},
                 {2, CongregationBytes{.name = "Hem", .key = 2, .weekdayOdd = 0, .weekdayEven = 0}
                         .Build()}}));
        dir.Write(
            "speakers.dat",
            test::SlotFile(
                {{1, BrotherBytes{.first = "A", .last = "A", .congregation = 1, .key = 1}.Build()},
                 {2,
                  BrotherBytes{.first = "B", .last = "B", .congregation = 2, .key = 2}.Build()}}));
        WeekBytes visit{.week = kBase + 1, .homeSpeaker = 1, .homeCongregation = 1};
        WeekBytes away{.week = kBase + 300};
        away.outSpeaker = {2, 2, 0, 0, 0, 0};
        away.outCongregation = {1, 5, 0, 0, 0, 0};
        dir.Write("history.dat", test::Concat({visit.Build(), away.Build()}));
    }
    int Index(uint16_t key) { return doc->Congregations().FindCongregationByKey(key) - 1; }
    Bytes Slot(size_t slot) {
        Bytes all = dir.Read("cong.dat");
        return Bytes(all.begin() + static_cast<long>(slot * 256),
                     all.begin() + static_cast<long>(slot * 256 + 256));
    }
};

TEST_F(Congregations, DeletingClearsItsBrothersAndItsWeeksAndSavesThemAtOnce) {
    CMvDoc& d = LoadQuietly();
    ASSERT_TRUE(d.DeleteCongregation(Index(1)));
    EXPECT_EQ(d.Congregations().FindCongregationByKey(1), 0);
    EXPECT_EQ(Slot(1), Bytes(256, 0));
    EXPECT_EQ(d.Brothers().Brother(d.Brothers().FindBrotherByKey(1))->congregationKey, 0);
    EXPECT_EQ(d.Brothers().CountBrothersOf(0), 1);
    CMvDoc reloaded(strings, host, clock, dir.path());
    ASSERT_TRUE(reloaded.LoadStore());
    EXPECT_EQ(reloaded.Brothers().Brother(reloaded.Brothers().FindBrotherByKey(1))->congregationKey,
              0);
    EXPECT_EQ(reloaded.Weeks().Week(kBase).homeCongregation, 0)
        << "the week file is saved with the deletion: a new congregation with key 1 "
           "would otherwise inherit the visit";
    EXPECT_EQ(reloaded.Weeks().Week(kBase).homeSpeaker, 1);
    EXPECT_EQ(reloaded.Weeks().Week(kBase + 299).outCongregation,
              (std::array<int16_t, 6>{0, 5, 0, 0, 0, 0}));
    EXPECT_EQ(d.Weeks().Week(kBase + 299).outSpeaker[0], 2)
        << "the speaker stays, without destination";
}

TEST_F(Congregations, DeletingTheHomeCongregationLeavesNoHomeCongregation) {
    CMvDoc& d = LoadQuietly();
    ASSERT_EQ(d.Congregations().OurCongregationKey(), 2);
    ASSERT_EQ(d.Brothers().OurBrothers().size(), 1u);
    ASSERT_TRUE(d.DeleteCongregation(Index(2)));
    EXPECT_EQ(d.Congregations().OurCongregationKey(), 0);
    EXPECT_EQ(d.Settings().Options().ourCongregationKey, 0u);
    EXPECT_TRUE(d.Brothers().OurBrothers().empty());
    EXPECT_EQ(d.Congregations().HomeWeekdayOdd(), 6);
    EXPECT_NE(dir.ReadText("mivraw.ini").find("Number=0"), std::string::npos);
    // Key 2 is free again; the next congregation to take it is not the home one.
    d.Congregations().AddCongregation({.name = "Ny"});
    ASSERT_EQ(d.Congregations().Congregation(d.Congregations().FindCongregationByKey(2) - 1)->name,
              "Ny");
    EXPECT_EQ(d.Congregations().OurCongregationKey(), 0);
}

TEST_F(Congregations, AddAskOverwriteAndUpdateKeepKeysSlotsAndReservedBytes) {
    CMvDoc& d = LoadQuietly();
    host.Answer(ui::Answer::Yes);
    int existing = d.Congregations().CheckDuplicateCongregationName("borta", true, -1);
    ASSERT_EQ(existing, Index(1) + 1);
    TakeMessages();
    ASSERT_TRUE(d.Congregations().OverwriteCongregation(
        existing - 1, {.name = "BORTA", .meetingTimeOdd = "11:00"}));
    EXPECT_EQ(d.Congregations().Congregation(Index(1))->name, "BORTA");
    EXPECT_EQ(Slot(1)[177], 0x42) << "reserved bytes survive the overwrite";
    EXPECT_EQ(test::GetU16(Slot(1), 174), 1);

    int added = d.Congregations().AddCongregation({.name = "Ängby"});
    EXPECT_EQ(d.Congregations().Congregation(added)->congregationKey, 3);
    EXPECT_EQ(d.Congregations().CongregationName(d.Congregations().CongregationCount() - 1, false),
              "Ängby")
        << "Ä after H";

    // A slot taken over by another program is never written over by an update.
    Bytes stranger = CongregationBytes{.name = "Främling", .key = 9}.Build();
    ASSERT_TRUE(io::WriteSlot(dir / "cong.dat", 3 * 256, stranger).ok());
    EXPECT_FALSE(d.Congregations().UpdateCongregation(Index(3), {.name = "Ängby 2"}));
    EXPECT_EQ(Slot(3), stranger);
}

TEST_F(Congregations, MeetingDaysAndTimesFollowTheYearAndCompareInTheHomeCoding) {
    CMvDoc& d = LoadQuietly();
    // Home meets on Sunday both years; "Borta" on Saturday in odd years, Sunday in even.
    int odd = dates::WeekNumberOf({2027, 6, 9}) - 1;
    int even = dates::WeekNumberOf({2028, 6, 7}) - 1;
    ASSERT_TRUE(dates::OddYear(odd, d.MeetingDays()));
    ASSERT_FALSE(dates::OddYear(even, d.MeetingDays()));
    uint8_t stored = 99;
    EXPECT_TRUE(d.Congregations().DiffersFromHomeWeekday(odd, 1, stored));
    EXPECT_EQ(stored, 6);
    EXPECT_FALSE(d.Congregations().DiffersFromHomeWeekday(even, 1, stored))
        << "stored 0 and home 6 are both Sunday";
    EXPECT_EQ(stored, 0);
    EXPECT_FALSE(d.Congregations().DiffersFromHomeWeekday(even, 77, stored));
    EXPECT_EQ(d.Congregations().MeetingTimeForWeek(1, odd), "10:00");
    EXPECT_EQ(d.Congregations().MeetingTimeForWeek(1, even), "13:00");
    EXPECT_EQ(d.Congregations().MeetingTimeOf(1, 2027), "10:00");
    EXPECT_EQ(d.Congregations().MeetingTimeOf(3, 2027), "");
    EXPECT_EQ(d.Congregations().MeetingWeekdayForWeek(-1, odd), 0);
    EXPECT_EQ(d.Congregations().MeetingWeekdayForWeek(2, odd), 0);
    EXPECT_EQ(d.TalkCoordinatorOf(Index(1)), d.Brothers().FindBrotherByKey(2) + 1);
    EXPECT_EQ(d.TalkCoordinatorOf(Index(2)), 0);
    EXPECT_EQ(d.TalkCoordinatorOf(5), 0);
    EXPECT_EQ(d.Congregations().CongregationName(5, true), "");
    EXPECT_EQ(d.Congregations().CongregationNameByKey(0, false), "");
}

TEST_F(Congregations, AFailedAddAddsNothing) {
    CMvDoc& d = LoadQuietly();
    FailWritesTo("cong.dat");
    EXPECT_EQ(d.Congregations().AddCongregation({.name = "Ny"}), -1);
    EXPECT_EQ(d.Congregations().CongregationCount(), 2);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("cong.dat"))});
}

} // namespace
} // namespace mivra
