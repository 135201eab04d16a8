#include "store/Records.h"

#include "resources/StringTable.h"
#include "support/RecordWriters.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::Bytes;
constexpr int kCp = 1252;

TEST(TalkRepertoire, TalkNIsBitNMinusOneAndIgnoresNumbersOutOfRange) {
    TalkRepertoire set;
    for (int talk : {1, 9, 256})
        set.Set(talk);
    set.Set(0);
    set.Set(257);
    EXPECT_EQ(set.bits[0], 0x01);
    EXPECT_EQ(set.bits[1], 0x01);
    EXPECT_EQ(set.bits[31], 0x80);
    EXPECT_EQ(set.Count(), 3);
    EXPECT_TRUE(set.Has(9));
    EXPECT_FALSE(set.Has(0));
    EXPECT_FALSE(set.Has(257));
    set.Set(9, false);
    EXPECT_FALSE(set.Has(9));
}

TEST(BrotherRecord, DecodesEveryFieldAndEncodesTheSameBytes) {
    Bytes bytes = test::BrotherBytes{.first = "Åke",
                                     .last = "Öberg",
                                     .address1 = "Storgatan 1",
                                     .address2 = "123 45 Ystad",
                                     .phone = "0411-12345",
                                     .talks = {1, 100, 256},
                                     .status = 0x22,
                                     .roles = 0x16,
                                     .congregation = 7,
                                     .key = 3,
                                     .extraSlot = 2}
                      .Build();
    BrotherRecord r = BrotherRecord::Decode(bytes, kCp);
    EXPECT_EQ(r.firstName, "Åke");
    EXPECT_EQ(r.lastName, "Öberg");
    EXPECT_EQ(r.address2, "123 45 Ystad");
    EXPECT_EQ(r.phone, "0411-12345");
    EXPECT_EQ(r.repertoire.Count(), 3);
    EXPECT_TRUE(r.repertoire.Has(256));
    EXPECT_EQ(r.appointment, kElder);
    EXPECT_TRUE(r.suspended);
    EXPECT_EQ(r.homeRoles, 0x16);
    EXPECT_EQ(r.congregationKey, 7);
    EXPECT_EQ(r.brotherKey, 3);
    EXPECT_EQ(r.extraSlot, 2);
    auto encoded = r.Encode(kCp);
    EXPECT_EQ(Bytes(encoded.begin(), encoded.end()), bytes);
}

TEST(BrotherRecord, UpdateKeepsReservedBytesAndUnknownStatusBits) {
    Bytes bytes = test::BrotherBytes{.first = "Per",
                                     .last = "Lund",
                                     .status = 0xDD, // bits 0, 2, 3, 4, 6, 7 and appointment 1
                                     .key = 1,
                                     .pokes = {{168, 0xAA}, {199, 0x55}, {208, 0x11}, {255, 0x99}}}
                      .Build();
    BrotherRecord r = BrotherRecord::Decode(bytes, kCp);
    r.appointment = kNoAppointment;
    r.suspended = true;
    r.firstName = "Pelle";
    auto out = r.Encode(kCp);
    EXPECT_EQ(out[200], 0xFC) << "appointment cleared, suspended set, other bits as read";
    EXPECT_EQ(out[168], 0xAA);
    EXPECT_EQ(out[199], 0x55);
    EXPECT_EQ(out[208], 0x11);
    EXPECT_EQ(out[255], 0x99);
    EXPECT_EQ(out[5], 0) << "the text field is zero-filled after its terminator";
}

TEST(BrotherRecord, AFieldWithoutTerminatorReadsToItsWidthAndIsCutOnWrite) {
    Bytes bytes = test::BrotherBytes{.first = "Abcdefghijklmnopqrst", .key = 1}.Build();
    ASSERT_NE(bytes[19], 0);
    BrotherRecord r = BrotherRecord::Decode(bytes, kCp);
    EXPECT_EQ(r.firstName, "Abcdefghijklmnopqrst") << "read up to the field's width";
    EXPECT_EQ(r.lastName, "") << "never into the next field";
    auto out = r.Encode(kCp);
    EXPECT_EQ(BrotherRecord::Decode(out, kCp).firstName, "Abcdefghijklmnopqr");
    EXPECT_EQ(out[18], 0);
}

TEST(BrotherRecord, AShortInputReadsAsZeroFilled) {
    Bytes bytes = test::BrotherBytes{.first = "Per", .key = 9}.Build();
    bytes.resize(100);
    BrotherRecord r = BrotherRecord::Decode(bytes, kCp);
    EXPECT_EQ(r.firstName, "Per");
    EXPECT_EQ(r.brotherKey, 0);
}

TEST(BrotherExtraRecord, RoundTripsAndKnowsWhenItIsBlank) {
    Bytes bytes =
        test::ExtraBytes{.owner = 4, .phone2 = "070-1", .email = "a@b.se", .remark = "Åkerö"}
            .Build();
    BrotherExtraRecord r = BrotherExtraRecord::Decode(bytes, kCp);
    EXPECT_EQ(r.brotherKey, 4);
    EXPECT_EQ(r.remark, "Åkerö");
    auto out = r.Encode(kCp);
    EXPECT_EQ(Bytes(out.begin(), out.end()), bytes);
    EXPECT_FALSE(r.IsBlank());
    EXPECT_TRUE((BrotherExtraRecord{.brotherKey = 4, .phone2 = "  ", .remark = " "}).IsBlank());
}

TEST(LegacyExtra, ConversionCopiesFieldsAndCutsTheEmailAtTheNewLimit) {
    const std::string longMail(62, 'm'); // fills the old field, no terminator
    Bytes legacy =
        test::LegacyExtraBytes{
            .owner = 12, .phone2 = "0123456789abcdef", .phone3 = "9", .email = longMail}
            .Build();
    auto converted = ConvertLegacyExtra(legacy);
    BrotherExtraRecord r = BrotherExtraRecord::Decode(converted, kCp);
    EXPECT_EQ(r.brotherKey, 12);
    EXPECT_EQ(r.phone2, "0123456789abcdef");
    EXPECT_EQ(r.phone3, "9");
    EXPECT_EQ(r.email, std::string(45, 'm'));
    EXPECT_EQ(converted[34 + 45], 0) << "terminated at the new field's limit";
    EXPECT_EQ(r.remark, "");
    for (size_t i = 82; i < 128; ++i)
        ASSERT_EQ(converted[i], 0);
}

TEST(LegacyExtra, RoundTrips) {
    Bytes legacy = test::LegacyExtraBytes{.owner = 2, .phone3 = "x", .email = "p@q.se"}.Build();
    auto out = LegacyBrotherExtraRecord::Decode(legacy, kCp).Encode(kCp);
    EXPECT_EQ(Bytes(out.begin(), out.end()), legacy);
}

TEST(CongregationRecord, RoundTripsWithReservedBytes) {
    Bytes bytes = test::CongregationBytes{.name = "Västerås Öst",
                                          .address1 = "Rikets sal",
                                          .address2 = "Väg 2",
                                          .phone1 = "021-1",
                                          .phone2 = "021-2",
                                          .timeOdd = "10:00",
                                          .timeEven = "13:30",
                                          .map = "karta.jpg",
                                          .key = 5,
                                          .circuit = 30002,
                                          .coordinator = 1,
                                          .secretary = 2,
                                          .talkCoordinator = 3,
                                          .weekdayOdd = 0,
                                          .weekdayEven = 6,
                                          .pokes = {{176, 1}, {181, 2}, {228, 3}, {255, 4}}}
                      .Build();
    CongregationRecord r = CongregationRecord::Decode(bytes, kCp);
    EXPECT_EQ(r.name, "Västerås Öst");
    EXPECT_EQ(r.circuitId, 30002);
    EXPECT_EQ(r.coordinatorKey, 1);
    EXPECT_EQ(r.secretaryKey, 2);
    EXPECT_EQ(r.talkCoordinatorKey, 3);
    EXPECT_EQ(r.meetingTimeEven, "13:30");
    EXPECT_EQ(r.mapFile, "karta.jpg");
    EXPECT_EQ(HomeWeekday(r.weekdayOdd), 6) << "stored 0 is Sunday";
    EXPECT_EQ(HomeWeekday(r.weekdayEven), 5) << "stored 6 is Saturday";
    auto out = r.Encode(kCp);
    EXPECT_EQ(Bytes(out.begin(), out.end()), bytes);
}

TEST(CongregationRecord, AWeekdayByteOfSevenOrMoreReadsAsSunday) {
    for (uint8_t stored : {7, 8, 200, 255}) {
        Bytes bytes =
            test::CongregationBytes{
                .name = "X", .key = 1, .weekdayOdd = stored, .weekdayEven = stored}
                .Build();
        CongregationRecord r = CongregationRecord::Decode(bytes, kCp);
        EXPECT_EQ(HomeWeekday(r.weekdayOdd), 6) << int(stored);
        EXPECT_EQ(r.Encode(kCp)[226], 0) << "written back as Sunday";
    }
}

TEST(Weekdays, HomeAndStoredCodingsMapBothWays) {
    const int home[] = {6, 0, 1, 2, 3, 4, 5, 6, 6};
    for (int stored = 0; stored <= 8; ++stored)
        EXPECT_EQ(HomeWeekday(static_cast<uint8_t>(stored)), home[stored]) << stored;
    EXPECT_EQ(StoredWeekday(0), 1);
    EXPECT_EQ(StoredWeekday(5), 6);
    EXPECT_EQ(StoredWeekday(6), 0);
    EXPECT_EQ(StoredWeekday(9), 0);
    EXPECT_EQ(StoredWeekday(-1), 0);
}

TEST(SmallRecords, TalkTopicAndCircuitRoundTrip) {
    Bytes talk =
        test::TalkBytes{.title = "Ett tal", .number = "S-31", .key = 231, .topics = {3, 0, 7}}
            .Build();
    TalkRecord t = TalkRecord::Decode(talk, kCp);
    EXPECT_EQ(t.numberText, "S-31");
    EXPECT_EQ(t.talkKey, 231);
    EXPECT_EQ(t.topics[2], 7);
    auto tOut = t.Encode(kCp);
    EXPECT_EQ(Bytes(tOut.begin(), tOut.end()), talk);

    Bytes topic = test::TopicBytes("Tro och hopp", 100);
    auto topOut = TopicRecord::Decode(topic, kCp).Encode(kCp);
    EXPECT_EQ(Bytes(topOut.begin(), topOut.end()), topic);

    Bytes circuit = test::CircuitBytes("Krets Ö", 31000);
    CircuitRecord c = CircuitRecord::Decode(circuit, kCp);
    EXPECT_EQ(c.name, "Krets Ö");
    EXPECT_EQ(c.key, 31000);
    auto cOut = c.Encode(kCp);
    EXPECT_EQ(Bytes(cOut.begin(), cOut.end()), circuit);
}

TEST(DefaultTopics, EveryTalkUpTo162HasExactlyOneTopic) {
    int counts[11] = {};
    for (int talk = 1; talk <= 162; ++talk) {
        int topic = DefaultTopicOfTalk(talk);
        ASSERT_GE(topic, 1) << talk;
        ASSERT_LE(topic, 10) << talk;
        ++counts[topic];
    }
    EXPECT_EQ(counts[1], 15);
    EXPECT_EQ(counts[8], 27);
    EXPECT_EQ(DefaultTopicOfTalk(4), 1);
    EXPECT_EQ(DefaultTopicOfTalk(162), 6);
    EXPECT_EQ(DefaultTopicOfTalk(163), 0);
    EXPECT_EQ(DefaultTopicOfTalk(0), 0);
}

TEST(DefaultTalks, NumbersTitlesAndTopicsOfTheFirstStart) {
    const StringTable& s = StringTable::Swedish();
    TalkRecord t4 = DefaultTalk(4, s);
    EXPECT_EQ(t4.numberText, "4");
    EXPECT_EQ(t4.title, s.Get(404));
    EXPECT_EQ(t4.topics[0], 1);
    EXPECT_EQ(DefaultTalk(163, s).topics[0], 0);
    EXPECT_EQ(DefaultTalk(230, s).numberText, "230");
    TalkRecord t231 = DefaultTalk(231, s);
    EXPECT_EQ(t231.numberText, "S-31");
    EXPECT_EQ(t231.topics[0], 0);
    EXPECT_EQ(DefaultTalk(256, s).numberText, "S-56");
    EXPECT_EQ(DefaultTalk(256, s).talkKey, 256);
}

TEST(IndexEntries, FlagsCarryTheAppointmentAndSuspendedBits) {
    BrotherRecord r;
    r.appointment = kMinisterialServant;
    r.suspended = true;
    BrotherIndexEntry e;
    e.flags = 0x01; // a bit no operation sets, kept as it is
    e.Fill(r, 4);
    EXPECT_EQ(e.flags, 0x01 | 0x08 | 0x20);
    EXPECT_EQ(e.Appointment(), kMinisterialServant);
    EXPECT_TRUE(e.Suspended());
    r.appointment = kElder;
    r.suspended = false;
    e.Fill(r, 4);
    EXPECT_EQ(e.Appointment(), kElder);
    EXPECT_FALSE(e.Suspended());
}

} // namespace
} // namespace mivra
