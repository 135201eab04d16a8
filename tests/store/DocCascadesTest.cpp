#include "support/DocFixture.h"

namespace mivra {
namespace {

using test::BrotherBytes;
using test::Bytes;
using test::CongregationBytes;
using test::WeekBytes;

class DocCascades : public test::DocTest {
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
};

TEST_F(DocCascades, ACascadeFromAnOpenSheetLeavesItsOtherEditsUncommitted) {
    CMvDoc& d = LoadQuietly();
    WeekRecord edit = d.Weeks().GetWeek(kBase + 40);
    edit.homeTalk = 33;
    d.Weeks().StoreWeek(edit, kBase + 40); // pending in the sheet
    ASSERT_TRUE(d.DeleteBrother(d.Brothers().FindBrotherByKey(1)));
    ASSERT_TRUE(d.DeleteCongregation(0));

    EXPECT_EQ(WeekOnDisk(kBase + 19).chairman, 0) << "the cascade is in the file";
    EXPECT_EQ(WeekOnDisk(kBase + 20).homeCongregation, 0);
    EXPECT_EQ(WeekOnDisk(kBase + 20).homeSpeaker, 2);
    EXPECT_FALSE(WeekOnDisk(kBase + 40).InUse()) << "the sheet's edit is not";
    EXPECT_EQ(d.Weeks().Week(kBase + 40).homeTalk, 33) << "and still in memory";
    EXPECT_EQ(d.Weeks().Week(kBase + 19).chairman, 0);

    d.ReloadWeeks(); // the sheet's Cancel
    EXPECT_FALSE(d.Weeks().Week(kBase + 40).InUse());
    EXPECT_EQ(d.Weeks().Week(kBase + 19).chairman, 0);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DocCascades, ACascadeWhoseSaveFailedSurvivesTheSheetsCancelAndIsRetried) {
    CMvDoc& d = LoadQuietly();
    FailWritesTo("history.dat");
    ASSERT_TRUE(d.DeleteBrother(d.Brothers().FindBrotherByKey(1)));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("history.dat"))});
    EXPECT_EQ(WeekOnDisk(kBase + 19).chairman, 1);
    d.ReloadWeeks();
    EXPECT_EQ(d.Weeks().Week(kBase + 19).chairman, 0) << "made again on the older file";
    EXPECT_TRUE(d.HasPendingSaves());
    EXPECT_EQ(d.RetryPendingSaves(), std::vector<std::filesystem::path>{dir / "history.dat"});
    EXPECT_TRUE(TakeMessages().empty()) << "the retry reports, it does not show boxes";
    io::SetFaultHook(nullptr);
    EXPECT_TRUE(d.RetryPendingSaves().empty());
    EXPECT_FALSE(d.HasPendingSaves());
    EXPECT_EQ(WeekOnDisk(kBase + 19).chairman, 0);
}

TEST_F(DocCascades, EveryFailedWholeFileSaveIsRetriedUntilItSucceeds) {
    CMvDoc& d = LoadQuietly();
    d.Availability().AddUnavailableWeek(2, static_cast<uint16_t>(CurrentWeek()));
    EXPECT_TRUE(d.HasPendingSaves()) << "an unsaved availability table counts";
    io::SetFaultHook(
        [](io::Step step, const std::filesystem::path&) { return step == io::Step::Rename; });
    EXPECT_FALSE(d.Weeks().SaveWeeks());
    EXPECT_FALSE(d.Events().SaveSpecialEvents());
    EXPECT_FALSE(d.Needs().SaveNeedsList());
    EXPECT_FALSE(d.Settings().WriteSettings());
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

TEST_F(DocCascades, ListsGrowPastTheSizesTheyWereLoadedWith) {
    CMvDoc& d = LoadQuietly();
    for (int i = 0; i < 320; ++i)
        ASSERT_GE(
            d.Brothers().AddBrother({.firstName = "B" + std::to_string(i), .lastName = "L"}, {}),
            0);
    for (int i = 0; i < 120; ++i)
        d.AddEvent({.weekIndex = static_cast<uint16_t>(kBase + 100 + i), .flags = kWeekAssembly});
    for (int i = 0; i < 60; ++i)
        ASSERT_GE(d.Hosts().Add("Värd " + std::to_string(i)), 0);
    ASSERT_TRUE(d.Events().SaveSpecialEvents());
    ASSERT_TRUE(d.Hosts().Save());
    CMvDoc& reloaded = LoadQuietly();
    EXPECT_EQ(reloaded.Brothers().BrotherCount(), 322);
    EXPECT_EQ(reloaded.Events().Count(), 120);
    EXPECT_EQ(reloaded.Hosts().Count(), 60);
}

TEST_F(DocCascades, AFailedProfileWriteNamesTheProfile) {
    CMvDoc& d = LoadQuietly();
    FailWritesTo("mivraw.ini");
    EXPECT_FALSE(d.SetOurCongregation(1));
    EXPECT_EQ(d.Congregations().OurCongregationKey(), 1) << "memory keeps the choice";
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("mivraw.ini"))});
    EXPECT_FALSE(d.Settings().WriteSettings());
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("mivraw.ini"))});
}

TEST_F(DocCascades, EventsMarkTheirWeeksAndRemovingOneKeepsTheWeekInUse) {
    CMvDoc& d = LoadQuietly();
    const int week = kBase + 50;
    // Status bits this version does not know (7–15) survive adding, replacing and removing.
    WeekRecord marked = d.Weeks().GetWeek(week);
    marked.weekFlags = 0x8080 | kWeekAssembly;
    d.Weeks().StoreWeek(marked, week);
    d.AddEvent({.weekIndex = static_cast<uint16_t>(week),
                .flags = kWeekOverseerVisit | 0x10,
                .name = "KT-besök"});
    EXPECT_EQ(d.Weeks().Week(week).weekFlags, 0x8080 | kWeekInUse | kWeekOverseerVisit | 0x10);
    EXPECT_EQ(d.Events().Find(week), 1);
    d.AddEvent({.weekIndex = static_cast<uint16_t>(kBase - 10), .flags = kWeekAssembly});
    EXPECT_EQ(d.Events().Find(kBase - 10), 1) << "an event before the window is only listed";
    d.RemoveEvent(d.Events().Find(week) - 1);
    EXPECT_EQ(d.Weeks().Week(week).weekFlags, 0x8080 | kWeekInUse);
    ASSERT_TRUE(d.Events().SaveSpecialEvents());
    EXPECT_EQ(dir.Read("special.dat").size(), 144u);

    WeekRecord w = d.Weeks().GetWeek(kBase + 20);
    w.reader = 1;
    d.Weeks().StoreWeek(w, kBase + 20);
    uint16_t bits = d.Weeks().EventStrikes(kBase + 20, kWeekOtherEvent);
    EXPECT_EQ(bits & kStrikeAny, kStrikeHomeSpeaker | kStrikeReader);
    d.Weeks().ApplyEventStrikes(kBase + 20, bits);
    EXPECT_EQ(d.Weeks().Week(kBase + 20).homeSpeaker, 0);
    EXPECT_EQ(d.Weeks().Week(kBase + 20).reader, 0);
}

} // namespace
} // namespace mivra
