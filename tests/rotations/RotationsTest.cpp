#include "rotations/RotationFixture.h"

namespace mivra::rotations {
namespace {

class Rotations : public test::RotationTest {
protected:
    void SetUp() override {
        RotationTest::SetUp();
        LoadQuietly();
    }
    uint16_t Chair(int i) { return PickRotationBrother(*doc, i, kRoleChairman); }
    uint16_t Reader(int i) { return PickRotationBrother(*doc, i, kRoleReader); }
};

TEST_F(Rotations, TheNeverServedComeFirstThenTheLongestRested) {
    const int i = Row(10);
    EXPECT_EQ(Chair(i), 1) << "nobody has served: the first in list order";
    SetHolder(Row(2), Duty::Chairman, 1);
    EXPECT_EQ(Chair(i), 2);
    SetHolder(Row(1), Duty::Chairman, 2);
    SetHolder(Row(3), Duty::Chairman, 3);
    EXPECT_EQ(Chair(i), 2) << "his turn lies furthest back";
    SetHolder(Row(4), Duty::Chairman, 2);
    EXPECT_EQ(Chair(i), 1);
}

TEST_F(Rotations, TheUnavailableSuspendedBusyAndRoleless) {
    const int i = Row(5);
    doc->Availability().AddUnavailableWeek(1, static_cast<uint16_t>(i + 1));
    EXPECT_EQ(Chair(i), 2);
    SetHolder(i, Duty::Reader, 2);
    EXPECT_EQ(Chair(i), 3) << "the week's reader is no chairman there";
    SetHolder(i + 2, Duty::Chairman, 3);
    EXPECT_EQ(Reader(i + 2), 4) << "neither is the chairman of a week its reader";
    Set(i, [](WeekRecord& w) { w.outSpeaker[3] = 3; });
    EXPECT_EQ(Chair(i), 0) << "an outgoing speaker neither; Dahl and Ek read only";

    dir.Write("speakers.dat", test::SlotFile({{1, test::BrotherBytes{.first = "Anders",
                                                                     .last = "Alm",
                                                                     .status = 0x20,
                                                                     .roles = kChair,
                                                                     .congregation = 1,
                                                                     .key = 1}
                                                      .Build()}}));
    LoadQuietly();
    EXPECT_EQ(Chair(i), 0) << "suspended";
}

struct EventCase {
    uint16_t flags;
    bool chairman, reader, host; ///< whether the automatic choice finds someone
    bool readerDone;
};

class RotationEvents : public test::RotationTest,
                       public ::testing::WithParamInterface<EventCase> {};

TEST_P(RotationEvents, BlockTheDutiesTheirFlagsDoNotFree) {
    const EventCase& c = GetParam();
    LoadQuietly();
    const int i = Row(3);
    Flags(i, c.flags);
    EXPECT_EQ(PickRotationBrother(*doc, i, kRoleChairman) != 0, c.chairman);
    EXPECT_EQ(PickRotationBrother(*doc, i, kRoleReader) != 0, c.reader);
    EXPECT_EQ(PickHost(*doc, i) != 0, c.host);
    EXPECT_EQ(IsRotationWeekDone(*doc, i, Duty::Chairman), !c.chairman);
    EXPECT_EQ(IsRotationWeekDone(*doc, i, Duty::Host), !c.host);
    EXPECT_EQ(IsRotationWeekDone(*doc, i, Duty::Reader), c.readerDone);
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, RotationEvents,
    ::testing::Values(EventCase{0x00, true, true, true, false},
                      EventCase{0x02 | 0x70, false, false, false, true}, // assembly: never
                      EventCase{0x04, false, false, false, true},
                      EventCase{0x04 | 0x10, true, false, false, true},
                      EventCase{0x04 | 0x40, false, true, false, true}, // a visit reads no reader
                      EventCase{0x04 | 0x20, false, false, true, true},
                      EventCase{0x08, false, false, false, true},
                      EventCase{0x08 | 0x10, true, false, false, true},
                      EventCase{0x08 | 0x40, false, true, false, false},
                      EventCase{0x08 | 0x20, false, false, true, true}));

TEST_F(Rotations, TurnsBeforeWeekIndex101AreNotCounted) {
    // Only a window starting before 2010 reaches that far back.
    FixedClock early{CivilDate{2002, 3, 4}};
    dir.Write("history.dat", test::Concat({test::WeekBytes{.week = 101, .chairman = 1}.Build(),
                                           test::WeekBytes{.week = 104, .chairman = 3}.Build()}));
    CMvDoc old(strings, host, early, dir.path());
    ASSERT_TRUE(old.LoadStore());
    EXPECT_EQ(PickRotationBrother(old, 110, kRoleChairman), 1) << "index 100 lies below the scan";
    old.Weeks().GetWeek(101).chairman = 1;
    EXPECT_EQ(PickRotationBrother(old, 110, kRoleChairman), 2);
}

TEST_F(Rotations, HostsRotateButATildeHostIsOnlyChosenByHand) {
    EXPECT_EQ(PickHost(*doc, Row(1)), 30001);
    SetHolder(Row(0), Duty::Host, 30001);
    EXPECT_EQ(PickHost(*doc, Row(1)), 30002);
    SetHolder(Row(1), Duty::Host, 30002);
    EXPECT_EQ(PickHost(*doc, Row(2)), 30001);
    EXPECT_EQ(HolderName(*doc, Duty::Host, 30003), "Familjen Lind");
}

TEST_F(Rotations, FillingFourRowsWithThreeChairmenComesRoundAgain) {
    const WeekRun run = FillRange(*doc, Row(3), Duty::Chairman, CurrentWeek());
    EXPECT_EQ(run.first, Row(0));
    EXPECT_EQ(run.last, Row(3));
    FillWeeks(*doc, run, Duty::Chairman, [this](int w, uint16_t key) {
        SetHolder(w, Duty::Chairman, key);
        return true;
    });
    EXPECT_EQ(
        (std::vector<uint16_t>{Holder(Row(0), Duty::Chairman), Holder(Row(1), Duty::Chairman),
                               Holder(Row(2), Duty::Chairman), Holder(Row(3), Duty::Chairman)}),
        (std::vector<uint16_t>{1, 2, 3, 1}));
}

TEST_F(Rotations, AnAssemblyBoundsTheFillAndTheClearStopsAtTheFirstGap) {
    SetHolder(Row(0), Duty::Chairman, 1);
    Flags(Row(2), kWeekAssembly);
    const WeekRun fill = FillRange(*doc, Row(5), Duty::Chairman, CurrentWeek());
    EXPECT_EQ(fill.first, Row(3));
    EXPECT_EQ(FillRange(*doc, Row(1), Duty::Chairman, CurrentWeek()).first, Row(1));
    EXPECT_EQ(FillRange(*doc, Row(2), Duty::Chairman, CurrentWeek()).Count(), 1);
    const WeekRun wide{Row(1), Row(5)};
    EXPECT_EQ(FillWeeks(*doc, wide, Duty::Chairman,
                        [this](int w, uint16_t key) {
                            SetHolder(w, Duty::Chairman, key);
                            return true;
                        }),
              4);
    EXPECT_EQ(Holder(Row(2), Duty::Chairman), 0) << "the assembly gets nobody";

    SetHolder(Row(2), Duty::Chairman, 0);
    Flags(Row(2), 0);
    const WeekRun clear = ClearRange(*doc, Row(3), Duty::Chairman, CurrentWeek());
    EXPECT_EQ(clear.first, Row(3));
    EXPECT_EQ(clear.last, Row(5));
    for (int r = 6; r <= 26; ++r)
        SetHolder(Row(r), Duty::Chairman, 2);
    EXPECT_EQ(ClearRange(*doc, Row(3), Duty::Chairman, CurrentWeek()).Count(), 1)
        << "filled to past the last row: only the selected week";
}

TEST_F(Rotations, TheReaderTextOfAWeek) {
    Flags(Row(1), kWeekOverseerVisit | kWeekReaderAnyway);
    Flags(Row(2), kWeekOtherEvent | kWeekReaderAnyway);
    Flags(Row(3), kWeekOtherEvent);
    Flags(Row(4), kWeekAssembly);
    SetHolder(Row(5), Duty::Reader, 4);
    EXPECT_EQ(ReaderText(*doc, Row(1)), "KT-besök");
    EXPECT_EQ(ReaderText(*doc, Row(2)), "");
    EXPECT_EQ(ReaderText(*doc, Row(3)), "Särskild händelse");
    EXPECT_EQ(ReaderText(*doc, Row(4)), "Sammankomst");
    EXPECT_EQ(ReaderText(*doc, Row(5)), "David Dahl");
}

} // namespace
} // namespace mivra::rotations
