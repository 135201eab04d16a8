#include "support/DocFixture.h"

namespace mivra {
namespace {

using test::BrotherBytes;
using test::Bytes;
using test::CongregationBytes;
using test::ExtraBytes;
using test::WeekBytes;

class Brothers : public test::DocTest {
protected:
    BrotherRecord Named(std::string first, std::string last, uint16_t congregation = 0) {
        BrotherRecord r;
        r.firstName = std::move(first);
        r.lastName = std::move(last);
        r.congregationKey = congregation;
        return r;
    }
    Bytes Slot(const char* file, size_t slot, size_t size = 256) {
        Bytes all = dir.Read(file);
        size_t at = std::string(file) == "xtend.dat" ? (slot - 1) * size : slot * size;
        if (all.size() < at + size)
            return {};
        return Bytes(all.begin() + static_cast<long>(at),
                     all.begin() + static_cast<long>(at + size));
    }
    int Index(uint16_t key) { return doc->Brothers().FindBrotherByKey(key); }
};

TEST_F(Brothers, AFreedSlotAndItsKeyGoToTheNextBrother) {
    CMvDoc& d = LoadQuietly();
    for (const char* name : {"A", "B", "C", "D", "E"})
        ASSERT_GE(d.Brothers().AddBrother(Named(name, "Lund"), {}), 0);
    ASSERT_TRUE(d.DeleteBrother(Index(3)));
    EXPECT_EQ(Slot("speakers.dat", 3), Bytes(256, 0));
    int added = d.Brothers().AddBrother(Named("F", "Lund"), {});
    EXPECT_EQ(d.Brothers().Brother(added)->brotherKey, 3);
    EXPECT_EQ(d.Brothers().Brother(added)->slot, 3);
    EXPECT_EQ(dir.Read("speakers.dat").size(), 6u * 256);
}

TEST_F(Brothers, ANewBrotherNeverGetsAKeyTheIndexHolds) {
    // Another program put key 2 in slot 1; slot 2 is free on disk but its key is taken.
    dir.Write("speakers.dat",
              test::SlotFile({{1, BrotherBytes{.first = "A", .last = "B", .key = 2}.Build()}}));
    CMvDoc& d = LoadQuietly();
    int added = d.Brothers().AddBrother(Named("C", "D"), {});
    EXPECT_EQ(d.Brothers().Brother(added)->brotherKey, 3);
    EXPECT_EQ(d.Brothers().Brother(added)->slot, 3);
}

TEST_F(Brothers, AFailedAddLeavesNoEntryAndNoContactRecord) {
    CMvDoc& d = LoadQuietly();
    FailWritesTo("speakers.dat");
    EXPECT_EQ(d.Brothers().AddBrother(Named("Per", "Lund"), {.remark = "Ringer sent"}), -1);
    EXPECT_EQ(d.Brothers().BrotherCount(), 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("speakers.dat"))});
    EXPECT_EQ(dir.Read("xtend.dat"), Bytes(128, 0)) << "his contact record was taken back";
    io::SetFaultHook(nullptr);
    int added = d.Brothers().AddBrother(Named("Per", "Lund"), {});
    EXPECT_EQ(d.Brothers().Brother(added)->brotherKey, 1);
}

TEST_F(Brothers, WritingSlotZeroIsRefused) {
    CMvDoc& d = LoadQuietly();
    EXPECT_FALSE(d.Brothers().WriteBrother(0, Named("A", "B")));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Get(60001)});
    EXPECT_EQ(dir.Read("speakers.dat"), Bytes(256, 0));
}

TEST_F(Brothers, UpdateKeepsReservedBytesStatusBitsKeyAndResorts) {
    dir.Write(
        "speakers.dat",
        test::SlotFile({{1, BrotherBytes{.first = "Anna",
                                         .last = "Berg",
                                         .status = 0xC4,
                                         .key = 1,
                                         .pokes = {{170, 0x5A}, {250, 0xA5}}}
                                .Build()},
                        {2, BrotherBytes{.first = "Bo", .last = "Cederlund", .key = 2}.Build()}}));
    CMvDoc& d = LoadQuietly();
    BrotherRecord r;
    ASSERT_EQ(d.Brothers().ReadBrother(0, r), 1);
    r.lastName = "Ödman";
    r.appointment = kElder;
    r.brotherKey = 77; // a caller cannot change the key
    int index = d.Brothers().UpdateBrother(0, r, {});
    EXPECT_EQ(index, 1) << "Ö sorts after C";
    EXPECT_EQ(d.Brothers().Brother(index)->brotherKey, 1);
    EXPECT_EQ(d.Brothers().Brother(index)->Appointment(), kElder);
    Bytes slot = Slot("speakers.dat", 1);
    EXPECT_EQ(slot[200], 0xC6);
    EXPECT_EQ(slot[170], 0x5A);
    EXPECT_EQ(slot[250], 0xA5);
    EXPECT_EQ(test::GetU16(slot, 204), 1);
}

TEST_F(Brothers, ContactRecordsAreAppendedClearedAndNeverTakenFromAnotherBrother) {
    CMvDoc& d = LoadQuietly();
    int a = d.Brothers().AddBrother(Named("A", "A"), {.remark = "första"});
    EXPECT_EQ(d.Brothers().Brother(a)->extraSlot, 1) << "the zero slot of a new file is free";
    int b = d.Brothers().AddBrother(Named("B", "B"), {.email = "b@x.se"});
    EXPECT_EQ(d.Brothers().Brother(b)->extraSlot, 2) << "appended, and the slot count raised";
    EXPECT_EQ(d.Brothers().ExtraSlotCount(), 2u);
    int c = d.Brothers().AddBrother(Named("C", "C"), {.phone2 = "070"});
    EXPECT_EQ(d.Brothers().Brother(c)->extraSlot, 3) << "a second append does not reuse slot 2";
    EXPECT_EQ(dir.Read("xtend.dat").size(), 3u * 128);

    // Clearing all four texts zeroes the record on disk.
    BrotherRecord r;
    d.Brothers().ReadBrother(Index(2), r);
    int index = d.Brothers().UpdateBrother(Index(2), r, {.phone2 = "  "});
    EXPECT_EQ(d.Brothers().Brother(index)->extraSlot, 0);
    EXPECT_EQ(Slot("xtend.dat", 2, 128), Bytes(128, 0));
}

TEST_F(Brothers, AnUpdateNeverWritesOverAnotherBrothersContactRecord) {
    // Brother 1 points at slot 1, which belongs to brother 2.
    dir.Write(
        "speakers.dat",
        test::SlotFile(
            {{1, BrotherBytes{.first = "A", .last = "A", .key = 1, .extraSlot = 1}.Build()},
             {2, BrotherBytes{.first = "B", .last = "B", .key = 2, .extraSlot = 1}.Build()}}));
    Bytes his = ExtraBytes{.owner = 2, .remark = "B:s"}.Build();
    dir.Write("xtend.dat", test::ExtraFile({{1, his}}));
    CMvDoc& d = LoadQuietly();
    BrotherRecord r;
    d.Brothers().ReadBrother(Index(1), r);
    int index = d.Brothers().UpdateBrother(Index(1), r, {.remark = "A:s"});
    EXPECT_EQ(Slot("xtend.dat", 1, 128), his);
    EXPECT_EQ(d.Brothers().Brother(index)->extraSlot, 2);
    BrotherExtraRecord extra;
    EXPECT_TRUE(d.Brothers().ReadBrotherExtra(2, 1, extra));
    EXPECT_EQ(extra.remark, "A:s");
    EXPECT_FALSE(d.Brothers().ReadBrotherExtra(1, 1, extra)) << "the owner is checked";
    EXPECT_TRUE(extra.remark.empty());
    EXPECT_EQ(d.Brothers().WriteBrotherExtra(1, {.brotherKey = 1, .remark = "x"}), 0);
    EXPECT_EQ(d.Brothers().WriteBrotherExtra(9, {.brotherKey = 1, .remark = "x"}), 0)
        << "never beyond the slot count plus one";
}

class BrotherDeletion : public Brothers {
protected:
    // Brother 3 is talk coordinator of two congregations, visiting speaker, chairman,
    // reader and outgoing speaker in weeks across the window, home brother and has contacts.
    void SetUp() override {
        Brothers::SetUp();
        dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=1\r\n");
        dir.Write(
            "speakers.dat",
            test::SlotFile(
                {{1, BrotherBytes{.first = "A", .last = "A", .congregation = 1, .key = 1}.Build()},
                 {3, BrotherBytes{.first = "Per",
                                  .last = "Lund",
                                  .roles = 2,
                                  .congregation = 1,
                                  .key = 3,
                                  .extraSlot = 1}
                         .Build()}}));
        dir.Write("xtend.dat",
                  test::ExtraFile({{1, ExtraBytes{.owner = 3, .remark = "r"}.Build()}}));
        dir.Write(
            "cong.dat",
            test::SlotFile(
                {{1, CongregationBytes{.name = "Hem", .key = 1, .talkCoordinator = 3}.Build()},
                 {2, CongregationBytes{.name = "Borta",
                                       .key = 2,
                                       .coordinator = 3,
                                       .secretary = 1,
                                       .talkCoordinator = 3}
                         .Build()}}));
        WeekBytes first{.week = kBase + 1,
                        .homeSpeaker = 3,
                        .homeTalk = 12,
                        .homeCongregation = 1,
                        .asked = 880,
                        .confirmed = 881,
                        .reminder = 882};
        WeekBytes middle{.week = kBase + 500, .chairman = 3, .reader = 3};
        middle.outSpeaker = {0, 1, 3, 0, 0, 3};
        WeekBytes last{.week = kBase + 1000, .homeSpeaker = 1, .asked = 990, .reader = 3};
        dir.Write("history.dat", test::Concat({first.Build(), middle.Build(), last.Build()}));
        dir.Write("blackout.dat", test::Concat({test::AvailabilityBytes(3, CurrentWeek()),
                                                test::AvailabilityBytes(1, CurrentWeek()),
                                                test::AvailabilityBytes(3, CurrentWeek() + 5)}));
    }
};

TEST_F(BrotherDeletion, ClearsEveryTraceInMemoryAndOnDisk) {
    CMvDoc& d = LoadQuietly();
    ASSERT_EQ(d.Brothers().OurBrothers().size(), 2u);
    ASSERT_TRUE(d.DeleteBrother(Index(3)));
    EXPECT_TRUE(TakeMessages().empty());

    EXPECT_EQ(d.Brothers().FindBrotherByKey(3), kNotFound);
    EXPECT_EQ(Slot("speakers.dat", 3), Bytes(256, 0));
    EXPECT_EQ(Slot("xtend.dat", 1, 128), Bytes(128, 0));
    ASSERT_EQ(d.Brothers().OurBrothers().size(), 1u);
    EXPECT_EQ(d.Brothers().OurBrothers()[0].position, Index(1));

    for (int c = 0; c < 2; ++c) {
        CongregationRecord rec;
        ASSERT_NE(d.Congregations().ReadCongregation(c, rec), 0);
        EXPECT_EQ(rec.talkCoordinatorKey, 0) << rec.name;
        EXPECT_EQ(rec.coordinatorKey, 0) << rec.name;
        EXPECT_EQ(d.Congregations().Congregation(c)->talkCoordinatorKey, 0);
    }
    EXPECT_EQ(d.Congregations()
                  .Congregation(d.Congregations().FindCongregationByKey(2) - 1)
                  ->secretaryKey,
              1)
        << "other brothers' roles stay";

    EXPECT_TRUE(d.Availability().IsAvailable(3, static_cast<uint16_t>(CurrentWeek())));
    EXPECT_FALSE(d.Availability().IsAvailable(1, static_cast<uint16_t>(CurrentWeek())));
    EXPECT_EQ(dir.Read("blackout.dat"), test::AvailabilityBytes(1, CurrentWeek()));

    // The window's first and last weeks too; and the file, at once.
    CMvDoc reloaded(strings, host, clock, dir.path());
    ASSERT_TRUE(reloaded.LoadStore());
    for (CMvDoc* view : {&d, &reloaded}) {
        const WeekRecord first = view->Weeks().Week(kBase);
        EXPECT_EQ(first.homeSpeaker, 0);
        EXPECT_EQ(first.asked, 0);
        EXPECT_EQ(first.confirmed, 0);
        EXPECT_EQ(first.reminder, 0);
        EXPECT_EQ(first.homeTalk, 12) << "the talk waits for another speaker";
        const WeekRecord middle = view->Weeks().Week(kBase + 499);
        EXPECT_EQ(middle.chairman, 0);
        EXPECT_EQ(middle.reader, 0);
        EXPECT_EQ(middle.outSpeaker, (std::array<int16_t, 6>{0, 1, 0, 0, 0, 0}));
        const WeekRecord last = view->Weeks().Week(kBase + 999);
        EXPECT_EQ(last.reader, 0);
        EXPECT_EQ(last.asked, 990) << "another speaker's ticks stay";
    }
}

TEST_F(BrotherDeletion, ASlotThatNoLongerHoldsTheKeysIsNotWrittenOver) {
    CMvDoc& d = LoadQuietly();
    // Another program reused the slots behind our back.
    Bytes stranger = BrotherBytes{.first = "Ny", .last = "Annan", .key = 40}.Build();
    Bytes otherCong = CongregationBytes{.name = "Annan", .key = 41, .talkCoordinator = 3}.Build();
    ASSERT_TRUE(io::WriteSlot(dir / "speakers.dat", 3 * 256, stranger).ok());
    ASSERT_TRUE(io::WriteSlot(dir / "cong.dat", 2 * 256, otherCong).ok());
    ASSERT_TRUE(d.DeleteBrother(Index(3)));
    EXPECT_EQ(Slot("speakers.dat", 3), stranger);
    EXPECT_EQ(Slot("cong.dat", 2), otherCong);
    EXPECT_EQ(d.Congregations()
                  .Congregation(d.Congregations().FindCongregationByKey(2) - 1)
                  ->coordinatorKey,
              0)
        << "memory forgets him anyway";
}

TEST_F(BrotherDeletion, MovingAsksKeepsTheKeyAndFollowsHisWeeks) {
    CMvDoc& d = LoadQuietly();
    host.Answer(ui::Answer::No);
    EXPECT_FALSE(d.MoveBrother(Index(3), 2, true));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1009, "Per Lund", "Hem")});
    EXPECT_EQ(d.Brothers().Brother(Index(3))->congregationKey, 1);

    host.Answer(ui::Answer::Yes);
    EXPECT_TRUE(d.MoveBrother(Index(3), 2, true));
    EXPECT_EQ(d.Brothers().Brother(Index(3))->congregationKey, 2);
    EXPECT_EQ(d.Brothers().Brother(Index(3))->slot, 3);
    EXPECT_EQ(test::GetU16(Slot("speakers.dat", 3), 202), 2);
    EXPECT_EQ(d.Congregations()
                  .Congregation(d.Congregations().FindCongregationByKey(1) - 1)
                  ->talkCoordinatorKey,
              0)
        << "cleared in his old congregation";
    EXPECT_EQ(d.Congregations()
                  .Congregation(d.Congregations().FindCongregationByKey(2) - 1)
                  ->talkCoordinatorKey,
              3)
        << "not elsewhere";
    EXPECT_EQ(d.Brothers().FindOurBrother(3), 0);
    EXPECT_EQ(d.Weeks().Week(kBase).homeCongregation, 2) << "the first week of the window as well";
    EXPECT_EQ(Load().Weeks().Week(kBase).homeCongregation, 2) << "saved at once";
}

TEST_F(Brothers, DuplicateNamesCompareFirstAndLastNamesSeparately) {
    CMvDoc& d = LoadQuietly();
    d.Brothers().AddBrother(Named("Per Erik", "Lund"), {});
    d.Brothers().AddBrother(Named("Anna", "Berg"), {});
    EXPECT_EQ(d.Brothers().CheckDuplicateBrotherName("Per", "Erik Lund", true, -1), 0);
    EXPECT_EQ(d.Brothers().CheckDuplicateBrotherName("per erik", " LUND", false, kSilentLookup), 2);
    host.Answer(ui::Answer::No);
    EXPECT_EQ(d.Brothers().CheckDuplicateBrotherName("PER ERIK", "lund", true, -1), -1);
    host.Answer(ui::Answer::Yes);
    EXPECT_EQ(d.Brothers().CheckDuplicateBrotherName("Per Erik", "Lund", true, -1), 2);
    std::vector<ui::MessageBox> boxes = host.Messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Per Erik Lund " + strings.Get(1006) + "\n\n" + strings.Get(1007));
    EXPECT_EQ(boxes[0].buttons, ui::Buttons::YesNo);
    EXPECT_TRUE(boxes[0].secondIsDefault);
    host.ClearMessages();
    EXPECT_EQ(d.Brothers().CheckDuplicateBrotherName("Per Erik", "Lund", false, 1), 0)
        << "his own entry";
}

TEST_F(Brothers, SortingIsSwedishStableAndIgnoresCase) {
    CMvDoc& d = LoadQuietly();
    for (auto [first, last] : std::vector<std::pair<const char*, const char*>>{{"Åsa", "Öst"},
                                                                               {"Jan", "de Vries"},
                                                                               {"Olle", "Zander"},
                                                                               {"Jan", "De Vries"},
                                                                               {"Eva", "Ärlig"},
                                                                               {"Bo", "  Adler"},
                                                                               {"Jan", "DE VRIES"}})
        d.Brothers().AddBrother(Named(first, last), {});
    std::vector<std::string> names;
    for (int i = 0; i < d.Brothers().BrotherCount(); ++i)
        names.push_back(d.Brothers().BrotherName(i, false));
    EXPECT_EQ(names,
              (std::vector<std::string>{"Bo   Adler", "Jan de Vries", "Jan De Vries",
                                        "Jan DE VRIES", "Olle Zander", "Eva Ärlig", "Åsa Öst"}))
        << "equal names keep the order they were added in";
}

TEST_F(Brothers, LookupsOutsideTheListAnswerEmpty) {
    CMvDoc& d = LoadQuietly();
    d.Brothers().AddBrother(Named("A", "B"), {});
    BrotherRecord r;
    for (int index : {-1, 1, 70000}) {
        EXPECT_EQ(d.Brothers().BrotherName(index, true), "");
        EXPECT_EQ(d.Brothers().ReadBrother(index, r), 0);
        EXPECT_FALSE(d.DeleteBrother(index));
        EXPECT_EQ(d.Brothers().UpdateBrother(index, r, {}), -1);
        EXPECT_FALSE(d.MoveBrother(index, 1, false));
        EXPECT_FALSE(d.Brothers().IsOutgoingSpeaker(index));
    }
    EXPECT_EQ(d.Brothers().BrotherNameByKey(0, false), "");
    EXPECT_EQ(d.Brothers().FindBrotherByName("B, A"), 0);
    EXPECT_EQ(d.Brothers().FindBrotherByName("b, a"), -1);
    EXPECT_EQ(d.Brothers().BrotherCount(), 1);
}

} // namespace
} // namespace mivra
