#include "rotations/TalkHistory.h"

#include "rotations/HistoryFixture.h"
#include "support/DocFixture.h"

namespace mivra {
namespace {

using rotations::HomeTalkWeek;
using rotations::HomeTalkWeeks;

class TalkHistory : public test::DocTest {
protected:
    void Put(int weekIndex, uint16_t talk, int16_t speaker, int16_t congregation) {
        WeekRecord w = WeekRecord::Blank(weekIndex);
        w.homeTalk = talk;
        w.homeSpeaker = speaker;
        w.homeCongregation = congregation;
        doc->Weeks().StoreWeek(w, weekIndex);
    }
    static std::vector<int> Indexes(const std::vector<HomeTalkWeek>& hits) {
        std::vector<int> out;
        for (const HomeTalkWeek& h : hits)
            out.push_back(h.weekIndex);
        return out;
    }
};

TEST_F(TalkHistory, TheHomeWalkListsTalkWeeksNewestFirstFromTwentyWeeksAhead) {
    LoadQuietly();
    const int f = doc->FirstShownWeek();
    Put(f + 21, 5, 3, 4); // past the walk's start
    Put(f + 20, 5, 3, 4);
    Put(f + 2, 6, 8, 9);
    Put(f, 0, 7, 4); // a speaker without a talk is no hit
    Put(kBase + 1, 5, 2, 1);
    Put(kBase, 5, 2, 1); // the window's first slot is never walked

    const std::vector<HomeTalkWeek> five = HomeTalkWeeks(*doc, 5);
    EXPECT_EQ(Indexes(five), (std::vector<int>{f + 20, kBase + 1}));
    ASSERT_FALSE(five.empty());
    EXPECT_EQ(five[0].talk, 5);
    EXPECT_EQ(five[0].speaker, 3);
    EXPECT_EQ(five[0].congregation, 4);
    EXPECT_EQ(Indexes(HomeTalkWeeks(*doc, 0)), (std::vector<int>{f + 20, f + 2, kBase + 1}))
        << "talk 0 walks every home talk";
    EXPECT_EQ(Indexes(HomeTalkWeeks(*doc, 5, f + 21)),
              (std::vector<int>{f + 21, f + 20, kBase + 1}));
    EXPECT_TRUE(HomeTalkWeeks(*doc, 7).empty());

    doc->SetFirstShownWeek(f + 1); // the sheet's own first week moves the walk
    EXPECT_EQ(Indexes(HomeTalkWeeks(*doc, 5)), (std::vector<int>{f + 21, f + 20, kBase + 1}));
    EXPECT_EQ(Indexes(HomeTalkWeeks(*doc, 5, 70000)).front(), f + 21) << "clamped to the window";
}

} // namespace
} // namespace mivra

namespace mivra {
namespace {

using rotations::TalkGiven;
using rotations::TalkHistoryRows;

std::vector<std::pair<int, int>> WeeksAndSlots(const std::vector<TalkGiven>& rows) {
    std::vector<std::pair<int, int>> out;
    for (const TalkGiven& r : rows)
        out.emplace_back(r.weekIndex, r.slot);
    return out;
}

class HistoryQueries : public test::HistoryTest {};

TEST_F(HistoryQueries, SpeakerTalkCountCountsHomeTalksUpToItsBound) {
    PutHome(f + 20, 5, carl, dala);
    PutHome(f + 21, 5, carl, dala); // above F + 20
    PutHome(f - 40, 6, carl, dala);
    PutHome(kBase, 6, carl, dala);   // the window's first slot is never counted
    PutOut(f - 3, 0, carl, home, 5); // outgoing slots are not counted
    EXPECT_EQ(rotations::SpeakerTalkCount(*doc, carl), 2);
    EXPECT_EQ(rotations::SpeakerTalkCount(*doc, carl, f + 21), 3);
    EXPECT_EQ(rotations::SpeakerTalkCount(*doc, carl, f), 1);
    EXPECT_EQ(rotations::SpeakerTalkCount(*doc, 0), 0);
}

TEST_F(HistoryQueries, TheTalkHistoryWalksBackOrForwardAndListsSlotsInOrder) {
    PutHome(f - 2, 5, carl, dala);
    PutHome(f + 19, 5, carl, dala);
    PutHome(f + 20, 7, carl, dala);
    PutOut(f - 1, 0, anders, dala, 12);
    PutOut(f - 1, 1, bo, dala, 7);
    PutOut(f - 1, 2, anders, dala, 30);
    PutOut(f - 1, 3, bo, dala, 0); // no talk: never listed
    PutOut(f + 20, 0, bo, dala, 7);

    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(WeeksAndSlots(TalkHistoryRows(*doc, {})),
              (P{{f + 20, -1}, {f + 19, -1}, {f - 2, -1}}));
    EXPECT_EQ(WeeksAndSlots(TalkHistoryRows(*doc, {.talk = 5})), (P{{f + 19, -1}, {f - 2, -1}}));
    EXPECT_EQ(WeeksAndSlots(TalkHistoryRows(*doc, {.choosing = true})), (P{{f + 19, -1}}))
        << "F − 1 up to F + 19";
    EXPECT_EQ(WeeksAndSlots(TalkHistoryRows(*doc, {.outgoing = true})),
              (P{{f + 20, 0}, {f - 1, 0}, {f - 1, 1}, {f - 1, 2}}));
    EXPECT_EQ(WeeksAndSlots(TalkHistoryRows(*doc, {.outgoing = true, .choosing = true})),
              (P{{f - 1, 0}, {f - 1, 1}, {f - 1, 2}}));
    EXPECT_EQ(WeeksAndSlots(TalkHistoryRows(*doc, {.outgoing = true, .speaker = anders})),
              (P{{f - 1, 0}, {f - 1, 2}}));
    EXPECT_EQ(WeeksAndSlots(TalkHistoryRows(*doc, {.outgoing = true, .talk = 7, .speaker = bo})),
              (P{{f + 20, 0}, {f - 1, 1}}));
    const TalkGiven out = TalkHistoryRows(*doc, {.outgoing = true, .talk = 30})[0];
    EXPECT_EQ(out.speaker, anders);
    EXPECT_EQ(out.congregation, dala) << "the destination";
}

TEST_F(HistoryQueries, TheSpeakerHistoryAddsTheOutgoingSlotsOfAHomeBrotherOnly) {
    PutHome(f + 53, 12, anders, home); // above F + 52
    PutHome(f + 52, 12, anders, home);
    PutOut(f + 52, 1, anders, dala, 0); // a slot without a talk is his too
    PutOut(f + 52, 3, anders, dala, 30);
    PutOut(f - 5, 0, carl, home, 5); // Carl is no home brother
    PutHome(f - 6, 5, carl, dala);
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(WeeksAndSlots(rotations::SpeakerHistoryRows(*doc, anders)),
              (P{{f + 52, -1}, {f + 52, 1}, {f + 52, 3}}));
    EXPECT_EQ(WeeksAndSlots(rotations::SpeakerHistoryRows(*doc, carl)), (P{{f - 6, -1}}));
    EXPECT_EQ(rotations::TalkNumberText(*doc, 0), "");
    EXPECT_EQ(rotations::TalkNumberText(*doc, 257), "");
    EXPECT_EQ(rotations::TalkNumberText(*doc, 12), "12");
}

} // namespace
} // namespace mivra
