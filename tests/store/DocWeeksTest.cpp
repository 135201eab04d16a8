#include "support/DocFixture.h"

namespace mivra {
namespace {

using test::BrotherBytes;
using test::Bytes;
using test::CongregationBytes;
using test::WeekBytes;

class DocWeeks : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        dir.Write("speakers.dat",
                  test::SlotFile({{1, BrotherBytes{.first = "A", .last = "A", .key = 1}.Build()},
                                  {2, BrotherBytes{.first = "B", .last = "B", .key = 2}.Build()}}));
        dir.Write("cong.dat",
                  test::SlotFile({{1, CongregationBytes{.name = "C", .key = 1}.Build()}}));
        dir.Write(
            "history.dat",
            test::Concat(
                {WeekBytes{.week = kBase + 20, .chairman = 1}.Build(),
                 WeekBytes{.week = kBase + 21, .homeSpeaker = 2, .homeCongregation = 1}.Build()}));
    }
    WeekRecord OnDisk(int weekIndex) {
        CMvDoc fresh(strings, host, clock, dir.path());
        EXPECT_TRUE(fresh.LoadStore());
        return fresh.Week(weekIndex);
    }
};

TEST_F(DocWeeks, ACascadeFromAnOpenSheetLeavesItsOtherEditsUncommitted) {
    CMvDoc& d = LoadQuietly();
    WeekRecord edit = d.GetWeek(kBase + 40);
    edit.homeTalk = 33;
    d.StoreWeek(edit, kBase + 40); // pending in the sheet
    ASSERT_TRUE(d.DeleteBrother(d.Brothers().FindBrotherByKey(1)));
    ASSERT_TRUE(d.DeleteCongregation(0));

    EXPECT_EQ(OnDisk(kBase + 19).chairman, 0) << "the cascade is in the file";
    EXPECT_EQ(OnDisk(kBase + 20).homeCongregation, 0);
    EXPECT_EQ(OnDisk(kBase + 20).homeSpeaker, 2);
    EXPECT_FALSE(OnDisk(kBase + 40).InUse()) << "the sheet's edit is not";
    EXPECT_EQ(d.Week(kBase + 40).homeTalk, 33) << "and still in memory";
    EXPECT_EQ(d.Week(kBase + 19).chairman, 0);

    d.ReloadWeeks(); // the sheet's Cancel
    EXPECT_FALSE(d.Week(kBase + 40).InUse());
    EXPECT_EQ(d.Week(kBase + 19).chairman, 0);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DocWeeks, ACascadeWhoseSaveFailedSurvivesTheSheetsCancelAndIsRetried) {
    CMvDoc& d = LoadQuietly();
    FailWritesTo("history.dat");
    ASSERT_TRUE(d.DeleteBrother(d.Brothers().FindBrotherByKey(1)));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("history.dat"))});
    EXPECT_EQ(OnDisk(kBase + 19).chairman, 1);
    d.ReloadWeeks();
    EXPECT_EQ(d.Week(kBase + 19).chairman, 0) << "made again on the older file";
    EXPECT_TRUE(d.HasPendingSaves());
    EXPECT_EQ(d.RetryPendingSaves(), std::vector<std::filesystem::path>{dir / "history.dat"});
    EXPECT_TRUE(TakeMessages().empty()) << "the retry reports, it does not show boxes";
    io::SetFaultHook(nullptr);
    EXPECT_TRUE(d.RetryPendingSaves().empty());
    EXPECT_FALSE(d.HasPendingSaves());
    EXPECT_EQ(OnDisk(kBase + 19).chairman, 0);
}

TEST_F(DocWeeks, EveryFailedWholeFileSaveIsRetriedUntilItSucceeds) {
    CMvDoc& d = LoadQuietly();
    d.AddUnavailableWeek(2, static_cast<uint16_t>(CurrentWeek()));
    EXPECT_TRUE(d.HasPendingSaves()) << "an unsaved availability table counts";
    io::SetFaultHook(
        [](io::Step step, const std::filesystem::path&) { return step == io::Step::Rename; });
    EXPECT_FALSE(d.SaveWeeks());
    EXPECT_FALSE(d.SaveSpecialEvents());
    EXPECT_FALSE(d.SaveNeedsList());
    EXPECT_FALSE(d.WriteSettings());
    TakeMessages();
    std::vector<std::filesystem::path> failing = d.RetryPendingSaves();
    std::sort(failing.begin(), failing.end());
    EXPECT_EQ(failing, (std::vector<std::filesystem::path>{
                           dir / "blackout.dat", dir / "history.dat", dir / "mivraw.ini",
                           dir / "special.dat", dir / "wishlist.dat"}));
    io::SetFaultHook(nullptr);
    EXPECT_TRUE(d.RetryPendingSaves().empty());
    EXPECT_FALSE(d.HasPendingSaves());
    EXPECT_EQ(dir.Read("blackout.dat"), test::AvailabilityBytes(2, CurrentWeek()));
    EXPECT_EQ(dir.Read("wishlist.dat"), Bytes(96, 0));
    EXPECT_TRUE(dir.Exists("mivraw.ini"));
}

TEST_F(DocWeeks, AFailedSaveAtAnyStepLeavesTheOldFileWhole) {
    CMvDoc& d = LoadQuietly();
    const Bytes before = dir.Read("history.dat");
    WeekRecord w = d.GetWeek(kBase + 60);
    w.homeTalk = 7;
    d.StoreWeek(w, kBase + 60);
    for (io::Step step : {io::Step::Create, io::Step::Write, io::Step::Sync, io::Step::Rename}) {
        io::SetFaultHook([step](io::Step s, const std::filesystem::path&) { return s == step; });
        EXPECT_FALSE(d.SaveWeeks());
        EXPECT_EQ(dir.Read("history.dat"), before) << static_cast<int>(step);
    }
    io::SetFaultHook(nullptr);
    EXPECT_EQ(TakeMessages().size(), 4u);
    EXPECT_EQ(d.Week(kBase + 60).homeTalk, 7) << "the change stays in memory";
    EXPECT_TRUE(d.SaveWeeks());
    EXPECT_EQ(OnDisk(kBase + 60).homeTalk, 7);
}

TEST_F(DocWeeks, ListsGrowPastTheSizesTheyWereLoadedWith) {
    CMvDoc& d = LoadQuietly();
    for (int i = 0; i < 320; ++i)
        ASSERT_GE(
            d.Brothers().AddBrother({.firstName = "B" + std::to_string(i), .lastName = "L"}, {}),
            0);
    for (int i = 0; i < 120; ++i)
        d.AddEvent({.weekIndex = static_cast<uint16_t>(kBase + 100 + i), .flags = kWeekAssembly});
    for (int i = 0; i < 60; ++i)
        ASSERT_GE(d.Hosts().Add("Värd " + std::to_string(i)), 0);
    ASSERT_TRUE(d.SaveSpecialEvents());
    ASSERT_TRUE(d.Hosts().Save());
    CMvDoc& reloaded = LoadQuietly();
    EXPECT_EQ(reloaded.Brothers().BrotherCount(), 322);
    EXPECT_EQ(reloaded.Events().Count(), 120);
    EXPECT_EQ(reloaded.Hosts().Count(), 60);
}

TEST_F(DocWeeks, AFailedProfileWriteNamesTheProfile) {
    CMvDoc& d = LoadQuietly();
    FailWritesTo("mivraw.ini");
    EXPECT_FALSE(d.SetOurCongregation(1));
    EXPECT_EQ(d.Congregations().OurCongregationKey(), 1) << "memory keeps the choice";
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("mivraw.ini"))});
    EXPECT_FALSE(d.WriteSettings());
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("mivraw.ini"))});
}

TEST_F(DocWeeks, TheWindowStoresByIndexAndIgnoresWeeksOutsideIt) {
    CMvDoc& d = LoadQuietly();
    WeekRecord copy = d.GetWeek(kBase + 20); // a swap copies records
    d.StoreWeek(copy, kBase + 30);
    EXPECT_EQ(d.Week(kBase + 30).weekNumber, kBase + 31);
    d.GetWeek(kBase - 1).chairman = 2;
    d.StoreWeek(d.Week(kBase - 1), kBase - 1);
    EXPECT_EQ(d.GetWeek(kBase - 1).chairman, 0);
    WeekRecord beyond = WeekRecord::Blank(kBase + 1000);
    beyond.reader = 2;
    d.StoreWeek(beyond, kBase + 1000);
    EXPECT_EQ(d.Week(kBase + 1000).reader, 0);
    ASSERT_TRUE(d.SaveWeeks());
    EXPECT_EQ(dir.Read("history.dat").size(), 3u * 64);
}

TEST_F(DocWeeks, EventsMarkTheirWeeksAndRemovingOneKeepsTheWeekInUse) {
    CMvDoc& d = LoadQuietly();
    const int week = kBase + 50;
    d.AddEvent({.weekIndex = static_cast<uint16_t>(week),
                .flags = kWeekOverseerVisit | 0x10,
                .name = "KT-besök"});
    EXPECT_EQ(d.Week(week).weekFlags, kWeekInUse | kWeekOverseerVisit | 0x10);
    EXPECT_EQ(d.FindEvent(week), 1);
    d.AddEvent({.weekIndex = static_cast<uint16_t>(kBase - 10), .flags = kWeekAssembly});
    EXPECT_EQ(d.FindEvent(kBase - 10), 1) << "an event before the window is only listed";
    d.RemoveEvent(d.FindEvent(week) - 1);
    EXPECT_EQ(d.Week(week).weekFlags, kWeekInUse);
    ASSERT_TRUE(d.SaveSpecialEvents());
    EXPECT_EQ(dir.Read("special.dat").size(), 144u);

    WeekRecord w = d.GetWeek(kBase + 20);
    w.reader = 1;
    d.StoreWeek(w, kBase + 20);
    uint16_t bits = d.EventStrikes(kBase + 20, kWeekOtherEvent);
    EXPECT_EQ(bits & kStrikeAny, kStrikeHomeSpeaker | kStrikeReader);
    d.ApplyEventStrikes(kBase + 20, bits);
    EXPECT_EQ(d.Week(kBase + 20).homeSpeaker, 0);
    EXPECT_EQ(d.Week(kBase + 20).reader, 0);
}

TEST_F(DocWeeks, AWeekThatCarriesDataWithoutTheInUseBitIsKeptByTheNextSave) {
    // Another program wrote a week with a chairman but without the in-use bit: the week is
    // shown, so the next save must keep it rather than drop it silently.
    dir.Write("history.dat",
              test::Concat({WeekBytes{.week = kBase + 20, .chairman = 1, .flags = 0}.Build(),
                            WeekBytes{.week = kBase + 22, .flags = 0}.Build()}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Week(kBase + 19).chairman, 1);
    EXPECT_TRUE(d.Week(kBase + 19).InUse());
    EXPECT_FALSE(d.Week(kBase + 21).InUse()) << "a blank record stays out of the file";
    ASSERT_TRUE(d.SaveWeeks());
    EXPECT_EQ(OnDisk(kBase + 19).chairman, 1);
    EXPECT_EQ(dir.Read("history.dat"),
              (WeekBytes{.week = kBase + 20, .chairman = 1, .flags = 1}.Build()));
}

TEST_F(DocWeeks, AvailabilityIsSavedOnlyWhenChanged) {
    dir.Write("blackout.dat", test::Concat({test::AvailabilityBytes(1, CurrentWeek() - 3),
                                            test::AvailabilityBytes(2, CurrentWeek() + 1)}));
    CMvDoc& d = LoadQuietly();
    std::vector<std::string>& written = RecordWrites();
    EXPECT_TRUE(d.SaveAvailability());
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(d.ListUnavailableWeeks(2, 0),
              std::vector<uint16_t>{static_cast<uint16_t>(CurrentWeek() + 1)});
    d.RemoveUnavailableWeek(2, static_cast<uint16_t>(CurrentWeek() + 1));
    EXPECT_TRUE(d.SaveAvailability());
    EXPECT_EQ(dir.Read("blackout.dat"), Bytes{}) << "past weeks leave the file at the next save";
}

} // namespace
} // namespace mivra
