#include "store/WeekWindow.h"

#include "support/DocFixture.h"
#include "support/MemoryContext.h"
#include "support/RecordWriters.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::Bytes;
using test::WeekBytes;

constexpr int kBase = 884; // the window of 2026

std::vector<int> LoadedWeeks(const WeekWindow& window) {
    std::vector<int> weeks;
    for (int i = kBase; i < kBase + WeekWindow::kWeeks; ++i)
        if (window.Week(i).InUse())
            weeks.push_back(window.Week(i).weekNumber);
    return weeks;
}

WeekWindow Loaded(const Bytes& file) {
    WeekWindow window{test::MemoryContext()};
    window.Reset(kBase);
    window.LoadFile(file);
    return window;
}

TEST(WeekRecord, RoundTripsEveryFieldWithReservedBytes) {
    WeekBytes w{.week = 900,
                .homeSpeaker = 65535,
                .homeTalk = 256,
                .homeCongregation = 3,
                .asked = 890,
                .confirmed = 891,
                .reminder = 892,
                .chairman = 4,
                .reader = 5,
                .host = 30001,
                .flags = 0x51};
    w.outSpeaker = {1, 2, 3, 4, 5, 6};
    w.outCongregation = {7, 8, 9, 10, 11, 12};
    w.outTalk = {13, 14, 15, 16, 17, 256};
    w.pokes = {{22, 0xAB}, {27, 0xCD}};
    Bytes bytes = w.Build();
    WeekRecord r = WeekRecord::Decode(bytes);
    EXPECT_EQ(r.weekNumber, 900);
    EXPECT_EQ(static_cast<uint16_t>(r.homeSpeaker), 65535);
    EXPECT_EQ(r.host, static_cast<int16_t>(30001));
    EXPECT_EQ(r.outCongregation[5], 12);
    EXPECT_EQ(r.outTalk[5], 256);
    EXPECT_TRUE(SameKey(r.homeSpeaker, 65535));
    EXPECT_FALSE(SameKey(r.chairman, 0));
    auto out = r.Encode();
    EXPECT_EQ(Bytes(out.begin(), out.end()), bytes);
}

TEST(WeekWindow, LoadPlacesAscendingWeeksAndDropsWeeksBeforeTheWindow) {
    WeekWindow window = Loaded(
        test::Concat({WeekBytes{.week = 884}.Build(), WeekBytes{.week = 885, .homeTalk = 1}.Build(),
                      WeekBytes{.week = 900, .homeTalk = 2}.Build(),
                      WeekBytes{.week = 1884, .homeTalk = 3}.Build()}));
    EXPECT_EQ(LoadedWeeks(window), (std::vector<int>{885, 900, 1884}));
    EXPECT_EQ(window.Week(884).homeTalk, 1) << "week number 885 is slot 0";
    EXPECT_EQ(window.Week(1883).homeTalk, 3) << "the last slot";
}

TEST(WeekWindow, OutOfOrderRecordsAreDroppedAndARepeatReplaces) {
    WeekWindow window = Loaded(test::Concat({WeekBytes{.week = 900, .homeTalk = 1}.Build(),
                                             WeekBytes{.week = 899, .homeTalk = 2}.Build(),
                                             WeekBytes{.week = 900, .homeTalk = 3}.Build(),
                                             WeekBytes{.week = 901, .homeTalk = 4}.Build()}));
    EXPECT_EQ(LoadedWeeks(window), (std::vector<int>{900, 901}));
    EXPECT_EQ(window.Week(899).homeTalk, 3) << "the second of two equal week numbers stays";
    EXPECT_FALSE(window.Week(898).InUse());
}

TEST(WeekWindow, ARecordBeyondTheWindowDoesNotDropTheRecordsAfterIt) {
    WeekWindow window =
        Loaded(test::Concat({WeekBytes{.week = 890}.Build(), WeekBytes{.week = 5000}.Build(),
                             WeekBytes{.week = 891}.Build(), WeekBytes{.week = 0}.Build(),
                             WeekBytes{.week = 892}.Build()}));
    EXPECT_EQ(LoadedWeeks(window), (std::vector<int>{890, 891, 892}));
}

TEST(WeekWindow, ATrailingPartialRecordIsIgnored) {
    Bytes file = test::Concat({WeekBytes{.week = 890}.Build(), WeekBytes{.week = 891}.Build()});
    file.resize(file.size() - 1);
    EXPECT_EQ(LoadedWeeks(Loaded(file)), (std::vector<int>{890}));
}

TEST(WeekWindow, StoreWritesTheSlotsWeekNumberAndTheInUseBit) {
    WeekWindow window{test::MemoryContext()};
    window.Reset(kBase);
    WeekRecord copy = window.GetWeek(900); // a copy of another week, as a swap makes
    copy.chairman = 7;
    window.StoreWeek(copy, 950);
    EXPECT_EQ(window.Week(950).weekNumber, 951);
    EXPECT_TRUE(window.Week(950).InUse());
    EXPECT_FALSE(window.Week(900).InUse());

    WeekRecord cleared = window.Week(950);
    cleared.chairman = 0;
    window.StoreWeek(cleared, 950);
    EXPECT_TRUE(window.Week(950).InUse()) << "once in use, a week stays in use";

    WeekRecord blank = WeekRecord::Blank(960);
    window.StoreWeek(blank, 960);
    EXPECT_FALSE(window.Week(960).InUse());
    WeekRecord reserved = WeekRecord::Blank(961);
    reserved.reserved[0] = 1;
    window.StoreWeek(reserved, 961);
    EXPECT_TRUE(window.Week(961).InUse()) << "any difference from a blank week counts";
}

TEST(WeekWindow, WeeksOutsideTheWindowReadBlankAndAreNeverKept) {
    WeekWindow window{test::MemoryContext()};
    window.Reset(kBase);
    for (int index : {-5, 0, kBase - 1, kBase + WeekWindow::kWeeks, 60000}) {
        WeekRecord& week = window.GetWeek(index);
        EXPECT_EQ(week, WeekRecord::Blank(index)) << index;
        week.chairman = 9;
        WeekRecord changed = week;
        window.StoreWeek(changed, index);
        EXPECT_EQ(window.GetWeek(index), WeekRecord::Blank(index)) << index;
    }
    EXPECT_TRUE(window.Encode().empty());
}

TEST(WeekWindow, EncodeWritesInUseWeeksInSlotOrder) {
    WeekWindow window{test::MemoryContext()};
    window.Reset(kBase);
    for (int index : {990, 885}) {
        WeekRecord w = window.Week(index);
        w.homeTalk = 5;
        window.StoreWeek(w, index);
    }
    Bytes out = window.Encode();
    ASSERT_EQ(out.size(), 128u);
    EXPECT_EQ(test::GetU16(out, 0), 886);
    EXPECT_EQ(test::GetU16(out, 64), 991);
}

TEST(WeekWindow, ACascadeChangesTheFileCopyWithoutTheUncommittedEdits) {
    WeekWindow window = Loaded(test::Concat({WeekBytes{.week = 890, .chairman = 4}.Build()}));
    WeekRecord pending = window.Week(895);
    pending.reader = 4;
    pending.homeTalk = 12;
    window.StoreWeek(pending, 895); // an edit the sheet has not saved yet
    bool fileChanged = window.ChangeEverywhere([](WeekRecord& w) {
        if (w.chairman != 4 && w.reader != 4)
            return false;
        w.chairman = w.reader = 0;
        return true;
    });
    EXPECT_TRUE(fileChanged);
    EXPECT_EQ(window.Week(889).chairman, 0);
    EXPECT_EQ(window.Week(895).reader, 0) << "the window is changed too";
    EXPECT_EQ(window.Week(895).homeTalk, 12);
    Bytes saved = window.EncodeSaved();
    ASSERT_EQ(saved.size(), 64u) << "the uncommitted week is not in the file copy";
    EXPECT_EQ(test::GetU16(saved, 14), 0);
    window.MarkSaved();
    EXPECT_EQ(window.EncodeSaved(), window.Encode());
}

// The window as the document keeps it, with its file.
class WeekFile : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        dir.Write(
            "history.dat",
            test::Concat(
                {WeekBytes{.week = kBase + 20, .chairman = 1}.Build(),
                 WeekBytes{.week = kBase + 21, .homeSpeaker = 2, .homeCongregation = 1}.Build()}));
    }
};

TEST_F(WeekFile, AFailedSaveAtAnyStepLeavesTheOldFileWhole) {
    CMvDoc& d = LoadQuietly();
    const Bytes before = dir.Read("history.dat");
    WeekRecord w = d.Weeks().GetWeek(kBase + 60);
    w.homeTalk = 7;
    d.Weeks().StoreWeek(w, kBase + 60);
    for (io::Step step : {io::Step::Create, io::Step::Write, io::Step::Sync, io::Step::Rename}) {
        io::SetFaultHook([step](io::Step s, const std::filesystem::path&) { return s == step; });
        EXPECT_FALSE(d.Weeks().SaveWeeks());
        EXPECT_EQ(dir.Read("history.dat"), before) << static_cast<int>(step);
    }
    io::SetFaultHook(nullptr);
    EXPECT_EQ(TakeMessages().size(), 4u);
    EXPECT_EQ(d.Weeks().Week(kBase + 60).homeTalk, 7) << "the change stays in memory";
    EXPECT_TRUE(d.Weeks().SaveWeeks());
    EXPECT_EQ(WeekOnDisk(kBase + 60).homeTalk, 7);
}

TEST_F(WeekFile, TheWindowStoresByIndexAndIgnoresWeeksOutsideIt) {
    CMvDoc& d = LoadQuietly();
    WeekRecord copy = d.Weeks().GetWeek(kBase + 20); // a swap copies records
    d.Weeks().StoreWeek(copy, kBase + 30);
    EXPECT_EQ(d.Weeks().Week(kBase + 30).weekNumber, kBase + 31);
    d.Weeks().GetWeek(kBase - 1).chairman = 2;
    d.Weeks().StoreWeek(d.Weeks().Week(kBase - 1), kBase - 1);
    EXPECT_EQ(d.Weeks().GetWeek(kBase - 1).chairman, 0);
    WeekRecord beyond = WeekRecord::Blank(kBase + 1000);
    beyond.reader = 2;
    d.Weeks().StoreWeek(beyond, kBase + 1000);
    EXPECT_EQ(d.Weeks().Week(kBase + 1000).reader, 0);
    ASSERT_TRUE(d.Weeks().SaveWeeks());
    EXPECT_EQ(dir.Read("history.dat").size(), 3u * 64);
}

TEST_F(WeekFile, AWeekThatCarriesDataWithoutTheInUseBitIsKeptByTheNextSave) {
    // Another program wrote a week with a chairman but without the in-use bit: the week is
    // shown, so the next save must keep it rather than drop it silently.
    dir.Write("history.dat",
              test::Concat({WeekBytes{.week = kBase + 20, .chairman = 1, .flags = 0}.Build(),
                            WeekBytes{.week = kBase + 22, .flags = 0}.Build()}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Weeks().Week(kBase + 19).chairman, 1);
    EXPECT_TRUE(d.Weeks().Week(kBase + 19).InUse());
    EXPECT_FALSE(d.Weeks().Week(kBase + 21).InUse()) << "a blank record stays out of the file";
    ASSERT_TRUE(d.Weeks().SaveWeeks());
    EXPECT_EQ(WeekOnDisk(kBase + 19).chairman, 1);
    EXPECT_EQ(dir.Read("history.dat"),
              (WeekBytes{.week = kBase + 20, .chairman = 1, .flags = 1}.Build()));
}

} // namespace
} // namespace mivra
