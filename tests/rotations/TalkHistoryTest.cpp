#include "rotations/TalkHistory.h"

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
