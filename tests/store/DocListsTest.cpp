#include "support/DocFixture.h"

namespace mivra {
namespace {

using test::Bytes;
using test::CongregationBytes;
using test::WeekBytes;

class DocLists : public test::DocTest {};

TEST_F(DocLists, DeletingATopicTakesItOutOfEveryTalk) {
    CMvDoc& d = LoadQuietly();
    const int topic = d.Topics().FindByKey(1) - 1;
    ASSERT_TRUE(d.TalkHasTopic(3, topic)) << "talk 4 has default topic 1";
    ASSERT_TRUE(d.DeleteTopic(topic));
    for (const TalkRecord& talk : d.Talks())
        for (uint16_t key : talk.topics)
            ASSERT_NE(key, 1) << talk.talkKey;
    EXPECT_EQ(d.Topics().Items().size(), 9u);
    int added = d.Topics().Add("Nytt");
    EXPECT_EQ(d.Topics().Items()[static_cast<size_t>(added)].key, 1) << "the smallest free key";
    EXPECT_FALSE(d.TalkHasTopic(-1, 0));
    EXPECT_FALSE(d.TalkHasTopic(0, 99));
    EXPECT_FALSE(d.TalkHasTopic(256, 0));
}

TEST_F(DocLists, ADeletedTopicIsGoneFromTheTalkFileSoItsReusedKeyInheritsNoTalks) {
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
    TalkRecord edited = *d.Talk(6);
    edited.title = "Inte bekräftad";
    d.SetTalk(6, edited); // the talk list is still open
    ASSERT_TRUE(d.DeleteTopic(d.Topics().FindByKey(2) - 1));
    ASSERT_TRUE(d.Topics().Save());
    EXPECT_EQ(d.Talk(6)->title, "Inte bekräftad");

    CMvDoc& again = LoadQuietly();
    for (const TalkRecord& talk : again.Talks())
        ASSERT_EQ(std::count(talk.topics.begin(), talk.topics.end(), 2), 0) << talk.talkKey;
    EXPECT_EQ(again.Talk(6)->title, "T7") << "an edit the talk list has not confirmed";
    const int added = again.Topics().Add("Kärlek");
    ASSERT_EQ(again.Topics().Items()[static_cast<size_t>(added)].key, 2);
    EXPECT_FALSE(again.TalkHasTopic(4, added));
}

TEST_F(DocLists, ADeletedDefaultTopicStaysOutOfTheDefaultTalksAfterARestart) {
    CMvDoc& d = LoadQuietly();
    ASSERT_TRUE(d.DeleteTopic(d.Topics().FindByKey(1) - 1));
    ASSERT_TRUE(d.Topics().Save());
    CMvDoc& again = LoadQuietly();
    EXPECT_EQ(again.Talk(3)->topics[0], 0) << "talk 4 had default topic 1";
}

TEST_F(DocLists, TalkCaptionsCoverEveryTalkIncludingTheLast) {
    CMvDoc& d = LoadQuietly();
    TalkRecord last = *d.Talk(255);
    last.title = "Sista talet";
    d.SetTalk(255, last);
    EXPECT_EQ(d.TalkCaption(256, 3), "Tal - Sista talet ( S-56 ) ");
    EXPECT_EQ(d.TalkCaption(1, 0), strings.Get(401));
    EXPECT_EQ(d.TalkCaption(0, 2), "Tal");
    EXPECT_EQ(d.TalkCaption(257, 1), "");
    ASSERT_TRUE(d.SaveTalks());
    EXPECT_EQ(dir.Read("talk.dat").size(), 256u * 154);
    EXPECT_EQ(Load().Talk(255)->title, "Sista talet");
}

} // namespace
} // namespace mivra
