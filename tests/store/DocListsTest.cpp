#include "support/DocFixture.h"

namespace mivra {
namespace {

using test::Bytes;
using test::CongregationBytes;
using test::WeekBytes;

class DocLists : public test::DocTest {};

TEST_F(DocLists, CircuitsRefuseDuplicatesAllocateKeysAndClearTheirCongregations) {
    dir.Write("circuit.dat", test::Concat({test::CircuitBytes("Norr", 30001),
                                           test::CircuitBytes("Söder", 30003)}));
    dir.Write(
        "cong.dat",
        test::SlotFile({{1, CongregationBytes{.name = "A", .key = 1, .circuit = 30003}.Build()}}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.AddCircuit({.name = "söder"}), -1);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Söder " + strings.Get(1006) + "\n\n"});
    int added = d.AddCircuit({.name = "Väster"});
    EXPECT_EQ(d.Circuits()[static_cast<size_t>(added)].key, 30002);
    EXPECT_EQ(d.CircuitName(2), "Väster");
    EXPECT_EQ(d.CircuitIdByName("Söder"), 30003);
    EXPECT_EQ(d.CircuitIdByName("söder"), 0) << "an exact match";
    EXPECT_EQ(d.RenameCircuit(0, "Öst"), 2);
    EXPECT_EQ(d.RenameCircuit(0, "VÄSTER"), -1);
    TakeMessages();

    ASSERT_TRUE(d.DeleteCircuit(d.FindCircuitByKey(30003) - 1));
    EXPECT_EQ(d.Congregation(0)->circuitId, 0);
    CongregationRecord rec;
    d.ReadCongregation(0, rec);
    EXPECT_EQ(rec.circuitId, 0) << "written at once";
    ASSERT_TRUE(d.SaveCircuits());
    EXPECT_EQ(dir.Read("circuit.dat"), test::Concat({test::CircuitBytes("Väster", 30002),
                                                     test::CircuitBytes("Öst", 30001)}));
    EXPECT_EQ(d.CircuitNameByKey(30003), "");
    EXPECT_EQ(d.CircuitName(9), "");
}

TEST_F(DocLists, DeletingATopicTakesItOutOfEveryTalk) {
    CMvDoc& d = LoadQuietly();
    const int topic = d.FindTopicByKey(1) - 1;
    ASSERT_TRUE(d.TalkHasTopic(3, topic)) << "talk 4 has default topic 1";
    ASSERT_TRUE(d.DeleteTopic(topic));
    for (const TalkRecord& talk : d.Talks())
        for (uint16_t key : talk.topics)
            ASSERT_NE(key, 1) << talk.talkKey;
    EXPECT_EQ(d.Topics().size(), 9u);
    int added = d.AddTopic({.name = "Nytt"});
    EXPECT_EQ(d.Topics()[static_cast<size_t>(added)].key, 1) << "the smallest free key";
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
    ASSERT_TRUE(d.DeleteTopic(d.FindTopicByKey(2) - 1));
    ASSERT_TRUE(d.SaveTopics());
    EXPECT_EQ(d.Talk(6)->title, "Inte bekräftad");

    CMvDoc& again = LoadQuietly();
    for (const TalkRecord& talk : again.Talks())
        ASSERT_EQ(std::count(talk.topics.begin(), talk.topics.end(), 2), 0) << talk.talkKey;
    EXPECT_EQ(again.Talk(6)->title, "T7") << "an edit the talk list has not confirmed";
    const int added = again.AddTopic({.name = "Kärlek"});
    ASSERT_EQ(again.Topics()[static_cast<size_t>(added)].key, 2);
    EXPECT_FALSE(again.TalkHasTopic(4, added));
}

TEST_F(DocLists, ADeletedDefaultTopicStaysOutOfTheDefaultTalksAfterARestart) {
    CMvDoc& d = LoadQuietly();
    ASSERT_TRUE(d.DeleteTopic(d.FindTopicByKey(1) - 1));
    ASSERT_TRUE(d.SaveTopics());
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

TEST_F(DocLists, DeletingAHostClearsHisWeeksAndTheLastHostStaysDeleted) {
    dir.Write("hospital.dat", test::HostBytes("~Berg", 30001));
    dir.Write("history.dat", test::Concat({WeekBytes{.week = kBase + 10, .host = 30001}.Build(),
                                           WeekBytes{.week = kBase + 11, .host = 30002}.Build()}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.HostName(0), "Berg");
    EXPECT_EQ(d.HostNameByKey(30001), "Berg");
    EXPECT_EQ(d.HostIdByName("Berg"), 30001);
    EXPECT_EQ(d.AddHost("BERG"), -1) << "compared as shown";
    TakeMessages();
    ASSERT_TRUE(d.DeleteHost(0));
    ASSERT_TRUE(d.SaveHosts());
    EXPECT_EQ(dir.Read("hospital.dat"), Bytes{}) << "an empty file, not the old one";
    CMvDoc& reloaded = LoadQuietly();
    EXPECT_EQ(reloaded.Hosts().Count(), 0);
    EXPECT_EQ(reloaded.Week(kBase + 9).host, 0) << "his id, reused by the next host, is gone";
    EXPECT_EQ(reloaded.Week(kBase + 10).host, 30002);
    int added = reloaded.AddHost("Ny");
    EXPECT_EQ(reloaded.Hosts().At(added)->key, 30001);
    EXPECT_EQ(reloaded.Week(kBase + 9).host, 0);
}

} // namespace
} // namespace mivra
