#include "support/DocFixture.h"

namespace mivra {
namespace {

using test::Bytes;

class Talks : public test::DocTest {};

TEST_F(Talks, DeletingATopicTakesItOutOfEveryTalk) {
    CMvDoc& d = LoadQuietly();
    const int topic = d.Topics().FindByKey(1) - 1;
    ASSERT_TRUE(d.Talks().TalkHasTopic(3, topic)) << "talk 4 has default topic 1";
    ASSERT_TRUE(d.DeleteTopic(topic));
    for (const TalkRecord& talk : d.Talks().Items())
        for (uint16_t key : talk.topics)
            ASSERT_NE(key, 1) << talk.talkKey;
    EXPECT_EQ(d.Topics().Items().size(), 9u);
    int added = d.Topics().Add("Nytt");
    EXPECT_EQ(d.Topics().Items()[static_cast<size_t>(added)].key, 1) << "the smallest free key";
    EXPECT_FALSE(d.Talks().TalkHasTopic(-1, 0));
    EXPECT_FALSE(d.Talks().TalkHasTopic(0, 99));
    EXPECT_FALSE(d.Talks().TalkHasTopic(256, 0));
}

TEST_F(Talks, ADeletedTopicIsGoneFromTheTalkFileSoItsReusedKeyInheritsNoTalks) {
    Bytes talks;
    for (uint16_t n = 1; n <= 256; ++n)
        talks = test::Concat({talks, test::TalkBytes{.title = "T" + std::to_string(n),
                                                     .number = std::to_string(n),
                                                     .key = n,
                                                     .topics = {uint16_t(n == 5 ? 2 : 1), 2}}
                                         .Build()});
    dir.Write("talk.dat", talks);
    dir.Write("topic.dat", test::Concat({test::TopicBytes("Tro", 1), test::TopicBytes("Hopp", 2)}));
    CMvDoc& d = LoadQuietly();
    TalkRecord edited = *d.Talks().Talk(6);
    edited.title = "Inte bekräftad";
    d.Talks().SetTalk(6, edited); // the talk list is still open
    ASSERT_TRUE(d.DeleteTopic(d.Topics().FindByKey(2) - 1));
    ASSERT_TRUE(d.Topics().Save());
    EXPECT_EQ(d.Talks().Talk(6)->title, "Inte bekräftad");

    CMvDoc& again = LoadQuietly();
    for (const TalkRecord& talk : again.Talks().Items())
        ASSERT_EQ(std::count(talk.topics.begin(), talk.topics.end(), 2), 0) << talk.talkKey;
    EXPECT_EQ(again.Talks().Talk(6)->title, "T7") << "an edit the talk list has not confirmed";
    const int added = again.Topics().Add("Kärlek");
    ASSERT_EQ(again.Topics().Items()[static_cast<size_t>(added)].key, 2);
    EXPECT_FALSE(again.Talks().TalkHasTopic(4, added));
}

TEST_F(Talks, ADeletedDefaultTopicStaysOutOfTheDefaultTalksAfterARestart) {
    CMvDoc& d = LoadQuietly();
    ASSERT_TRUE(d.DeleteTopic(d.Topics().FindByKey(1) - 1));
    ASSERT_TRUE(d.Topics().Save());
    CMvDoc& again = LoadQuietly();
    EXPECT_EQ(again.Talks().Talk(3)->topics[0], 0) << "talk 4 had default topic 1";
}

TEST_F(Talks, TalkCaptionsCoverEveryTalkIncludingTheLast) {
    CMvDoc& d = LoadQuietly();
    TalkRecord last = *d.Talks().Talk(255);
    last.title = "Sista talet";
    d.Talks().SetTalk(255, last);
    EXPECT_EQ(d.Talks().TalkCaption(256, 3), "Tal - Sista talet ( S-56 ) ");
    EXPECT_EQ(d.Talks().TalkCaption(1, 0), strings.Get(401));
    EXPECT_EQ(d.Talks().TalkCaption(0, 2), "Tal");
    EXPECT_EQ(d.Talks().TalkCaption(257, 1), "");
    ASSERT_TRUE(d.Talks().SaveTalks());
    EXPECT_EQ(dir.Read("talk.dat").size(), 256u * 154);
    EXPECT_EQ(Load().Talks().Talk(255)->title, "Sista talet");
}

} // namespace
} // namespace mivra
