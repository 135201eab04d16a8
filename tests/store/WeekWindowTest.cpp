#include "store/WeekWindow.h"

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
    WeekWindow window;
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
    WeekWindow window;
    window.Reset(kBase);
    WeekRecord copy = window.Get(900); // a copy of another week, as a swap makes
    copy.chairman = 7;
    window.Store(copy, 950);
    EXPECT_EQ(window.Week(950).weekNumber, 951);
    EXPECT_TRUE(window.Week(950).InUse());
    EXPECT_FALSE(window.Week(900).InUse());

    WeekRecord cleared = window.Week(950);
    cleared.chairman = 0;
    window.Store(cleared, 950);
    EXPECT_TRUE(window.Week(950).InUse()) << "once in use, a week stays in use";

    WeekRecord blank = WeekRecord::Blank(960);
    window.Store(blank, 960);
    EXPECT_FALSE(window.Week(960).InUse());
    WeekRecord reserved = WeekRecord::Blank(961);
    reserved.reserved[0] = 1;
    window.Store(reserved, 961);
    EXPECT_TRUE(window.Week(961).InUse()) << "any difference from a blank week counts";
}

TEST(WeekWindow, WeeksOutsideTheWindowReadBlankAndAreNeverKept) {
    WeekWindow window;
    window.Reset(kBase);
    for (int index : {-5, 0, kBase - 1, kBase + WeekWindow::kWeeks, 60000}) {
        WeekRecord& week = window.Get(index);
        EXPECT_EQ(week, WeekRecord::Blank(index)) << index;
        week.chairman = 9;
        WeekRecord changed = week;
        window.Store(changed, index);
        EXPECT_EQ(window.Get(index), WeekRecord::Blank(index)) << index;
    }
    EXPECT_TRUE(window.Encode().empty());
}

TEST(WeekWindow, EncodeWritesInUseWeeksInSlotOrder) {
    WeekWindow window;
    window.Reset(kBase);
    for (int index : {990, 885}) {
        WeekRecord w = window.Week(index);
        w.homeTalk = 5;
        window.Store(w, index);
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
    window.Store(pending, 895); // an edit the sheet has not saved yet
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

} // namespace
} // namespace mivra
