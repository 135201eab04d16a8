// Every save of the document walked through a failure at each step of its write: the old file
// stays whole (a record write touches no other record), the user is told with the full path,
// memory keeps the change, and the next successful save writes it.
#include "base/FileIo.h"
#include "dates/Dates.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "support/RecordWriters.h"
#include "support/TempDir.h"
#include "support/TestHost.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace mivra {
namespace {

using test::Bytes;

constexpr CivilDate kToday{2026, 3, 4};
constexpr uint16_t kBase = 884;

uint16_t CurrentWeek() {
    return static_cast<uint16_t>(dates::WeekNumberOf(kToday));
}

// A folder large enough that the bigger files take several pieces to write.
void WriteOldFolder(const test::TempDir& dir) {
    dir.Write("speakers.dat",
              test::SlotFile(
                  {{1, test::BrotherBytes{.first = "Per",
                                          .last = "Lund",
                                          .phone = "08-1",
                                          .congregation = 1,
                                          .key = 1,
                                          .extraSlot = 1}
                           .Build()},
                   {2, test::BrotherBytes{.first = "Bo", .last = "Ek", .key = 2}.Build()},
                   {3, test::BrotherBytes{.first = "Ola", .last = "Berg", .key = 3, .extraSlot = 2}
                           .Build()}}));
    dir.Write("xtend.dat",
              test::ExtraFile({{1, test::ExtraBytes{.owner = 1, .email = "per@lund.se"}.Build()},
                               {2, test::ExtraBytes{.owner = 3, .phone2 = "070"}.Build()}}));
    dir.Write("cong.dat",
              test::SlotFile({{1,
                               test::CongregationBytes{
                                   .name = "Öster", .phone1 = "08-9", .key = 1, .circuit = 30001}
                                   .Build()},
                              {2, test::CongregationBytes{.name = "Berga", .key = 2}.Build()}}));
    dir.Write("circuit.dat", test::CircuitBytes("Krets A", 30001));
    dir.Write("topic.dat", test::Concat({test::TopicBytes("Tro", 1), test::TopicBytes("Hopp", 2)}));
    dir.Write("hospital.dat", test::HostBytes("Berg", 30001));
    Bytes talks;
    for (uint16_t n = 1; n <= 256; ++n)
        talks = test::Concat(
            {talks, test::TalkBytes{.title = "T", .number = std::to_string(n), .key = n}.Build()});
    dir.Write("talk.dat", talks);
    Bytes weeks;
    for (uint16_t n = 1; n <= 400; ++n)
        weeks = test::Concat(
            {weeks,
             test::WeekBytes{.week = static_cast<uint16_t>(kBase + n), .homeTalk = n}.Build()});
    dir.Write("history.dat", weeks);
    Bytes unavailable;
    for (uint16_t n = 0; n < 5000; ++n)
        unavailable = test::Concat(
            {unavailable, test::AvailabilityBytes(2, static_cast<uint16_t>(CurrentWeek() + n))});
    dir.Write("blackout.dat", unavailable);
    dir.Write("wishlist.dat", test::NeedsBytes({5}, {}, {}));
    dir.Write("special.dat",
              test::EventBytes{.weekIndex = static_cast<uint16_t>(kBase + 30), .flags = 2}.Build());
    dir.WriteText("mivraw.ini",
                  "[Congregation]\r\nNumber=1\r\n[Programformat]\r\nRubrik=Gammal\r\n");
}

/** One save: the file it writes, the change made first, the save, and how to see the change. */
struct SaveCase {
    const char* file;
    std::function<void(CMvDoc&)> change;
    std::function<bool(CMvDoc&)> save;
    std::function<bool(const CMvDoc&)> holds;
    bool inPlace = false; ///< a record written in place instead of a whole file
};

BrotherRecord StoredBrother(const CMvDoc& d, uint16_t key) {
    BrotherRecord r;
    d.Brothers().ReadBrother(d.Brothers().FindBrotherByKey(key), r);
    return r;
}

BrotherExtraRecord StoredExtra(const CMvDoc& d, uint16_t key) {
    BrotherExtraRecord extra;
    const BrotherIndexEntry* b = d.Brothers().Brother(d.Brothers().FindBrotherByKey(key));
    if (b)
        d.Brothers().ReadBrotherExtra(b->extraSlot, key, extra);
    return extra;
}

std::vector<SaveCase> Saves() {
    const uint16_t week = kBase + 10;
    return {
        {"history.dat",
         [=](CMvDoc& d) {
             WeekRecord w = d.Weeks().GetWeek(week);
             w.chairman = 2;
             d.Weeks().StoreWeek(w, week);
         },
         [](CMvDoc& d) { return d.Weeks().SaveWeeks(); },
         [=](const CMvDoc& d) { return d.Weeks().Week(week).chairman == 2; }},
        {"circuit.dat", [](CMvDoc& d) { d.Circuits().Add("Krets B"); },
         [](CMvDoc& d) { return d.Circuits().Save(); },
         [](const CMvDoc& d) { return d.Circuits().IdByName("Krets B") == 30002; }},
        {"topic.dat", [](CMvDoc& d) { d.Topics().Rename(0, "Kärlek"); },
         [](CMvDoc& d) { return d.Topics().Save(); },
         [](const CMvDoc& d) { return d.Topics().Name(d.Topics().FindByKey(2) - 1) == "Kärlek"; }},
        {"talk.dat",
         [](CMvDoc& d) {
             TalkRecord t = *d.Talks().Talk(200);
             t.title = "Ny titel";
             d.Talks().SetTalk(200, t);
         },
         [](CMvDoc& d) { return d.Talks().SaveTalks(); },
         [](const CMvDoc& d) { return d.Talks().Talk(200)->title == "Ny titel"; }},
        {"hospital.dat", [](CMvDoc& d) { d.Hosts().Add("Dal"); },
         [](CMvDoc& d) { return d.Hosts().Save(); },
         [](const CMvDoc& d) { return d.Hosts().IdByName("Dal") == 30002; }},
        {"blackout.dat", [](CMvDoc& d) { d.Availability().AddUnavailableWeek(3, CurrentWeek()); },
         [](CMvDoc& d) { return d.Availability().SaveAvailability(); },
         [](const CMvDoc& d) { return !d.Availability().IsAvailable(3, CurrentWeek()); }},
        {"wishlist.dat",
         [](CMvDoc& d) {
             NeedsList needs = d.Needs().List();
             needs.listed.Set(9);
             d.Needs().SetNeeds(needs);
         },
         [](CMvDoc& d) { return d.Needs().SaveNeedsList(); },
         [](const CMvDoc& d) { return d.Needs().List().Contains(9); }},
        {"special.dat",
         [=](CMvDoc& d) { d.AddEvent({.weekIndex = week, .flags = 4, .name = "KT-besök"}); },
         [](CMvDoc& d) { return d.Events().SaveSpecialEvents(); },
         [=](const CMvDoc& d) { return d.Events().Find(week) != 0; }},
        {"mivraw.ini", [](CMvDoc& d) { d.Settings().MutableOptions().heading = "Ny rubrik"; },
         [](CMvDoc& d) { return d.Settings().WriteSettings(); },
         [](const CMvDoc& d) { return d.Settings().Options().heading == "Ny rubrik"; }},
        {"mivraw.ini", [](CMvDoc&) {}, [](CMvDoc& d) { return d.SetOurCongregation(2); },
         [](const CMvDoc& d) { return d.Congregations().OurCongregationKey() == 2; }},
        {"speakers.dat", [](CMvDoc&) {},
         [](CMvDoc& d) {
             BrotherRecord r = StoredBrother(d, 2);
             r.phone = "031-7";
             return d.Brothers().UpdateBrother(d.Brothers().FindBrotherByKey(2), r, {}) >= 0 &&
                    d.Brothers().BrotherPhoneByKey(2) == "031-7" && !d.HasPendingSaves();
         },
         [](const CMvDoc& d) { return d.Brothers().BrotherPhoneByKey(2) == "031-7"; }, true},
        {"xtend.dat", [](CMvDoc&) {},
         [](CMvDoc& d) {
             BrotherExtraRecord extra = StoredExtra(d, 3);
             extra.remark = "Ringer sent";
             return d.Brothers().UpdateBrother(d.Brothers().FindBrotherByKey(3),
                                               StoredBrother(d, 3), extra) >= 0 &&
                    !d.HasPendingSaves();
         },
         [](const CMvDoc& d) { return StoredExtra(d, 3).remark == "Ringer sent"; }, true},
        {"cong.dat", [](CMvDoc&) {},
         [](CMvDoc& d) {
             CongregationRecord c;
             d.Congregations().ReadCongregation(d.Congregations().FindCongregationByKey(2) - 1, c);
             c.phone1 = "0176-1";
             return d.Congregations().UpdateCongregation(
                        d.Congregations().FindCongregationByKey(2) - 1, c) &&
                    !d.HasPendingSaves();
         },
         [](const CMvDoc& d) {
             CongregationRecord c;
             d.Congregations().ReadCongregation(d.Congregations().FindCongregationByKey(2) - 1, c);
             return c.phone1 == "0176-1";
         },
         true},
    };
}

/** Which step of which write fails: the n-th write of the file, or another step. */
struct Fault {
    io::Step step;
    int nthWrite = 0;
    std::string Describe() const {
        static const char* const names[] = {"create", "write", "flush", "sync", "rename", "close"};
        std::string text = names[static_cast<int>(step)];
        return nthWrite ? text + " " + std::to_string(nthWrite) : text;
    }
};

class WriteFaultWalk : public ::testing::Test {
protected:
    void SetUp() override { io::SetDurable(false); }
    void TearDown() override {
        io::SetFaultHook(nullptr);
        io::SetDurable(true);
    }

    /** A fresh copy of the old folder with the document loaded on it. */
    struct Attempt {
        test::TempDir dir;
        test::TestHost host;
        FixedClock clock{kToday};
        std::unique_ptr<CMvDoc> doc;

        explicit Attempt(const StringTable& strings) {
            WriteOldFolder(dir);
            doc = std::make_unique<CMvDoc>(strings, host, clock, dir.path());
            EXPECT_TRUE(doc->LoadStore());
            EXPECT_TRUE(host.Messages().empty());
        }
        std::unique_ptr<CMvDoc> Reloaded(const StringTable& strings) {
            auto fresh = std::make_unique<CMvDoc>(strings, host, clock, dir.path());
            EXPECT_TRUE(fresh->LoadStore());
            return fresh;
        }
        int FilesInFolder() const {
            return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir.path()),
                                                  std::filesystem::directory_iterator()));
        }
    };

    /** The faults of a save: every step, and every one of its writes. */
    std::vector<Fault> FaultsOf(const SaveCase& save) {
        Attempt attempt(strings);
        save.change(*attempt.doc);
        int writes = 0;
        io::SetFaultHook([&](io::Step step, const std::filesystem::path& target) {
            writes += step == io::Step::Write && target.filename() == save.file;
            return false;
        });
        EXPECT_TRUE(save.save(*attempt.doc)) << save.file;
        io::SetFaultHook(nullptr);
        std::vector<Fault> faults{
            {io::Step::Create}, {io::Step::Flush}, {io::Step::Sync}, {io::Step::Close}};
        if (!save.inPlace)
            faults.push_back({io::Step::Rename});
        for (int n = 1; n <= writes; ++n)
            faults.push_back({io::Step::Write, n});
        return faults;
    }

    static void FailOnce(const std::string& file, const Fault& fault) {
        auto writes = std::make_shared<int>(0);
        auto failed = std::make_shared<bool>(false);
        io::SetFaultHook([=](io::Step step, const std::filesystem::path& target) {
            if (*failed || step != fault.step || target.filename() != file)
                return false;
            *failed = step != io::Step::Write || ++*writes == fault.nthWrite;
            return *failed;
        });
    }

    void Walk(const SaveCase& save, const Fault& fault) {
        SCOPED_TRACE(std::string(save.file) + ", failing at " + fault.Describe());
        Attempt attempt(strings);
        CMvDoc& d = *attempt.doc;
        const Bytes before = attempt.dir.Read(save.file);
        const int files = attempt.FilesInFolder();
        save.change(d);
        FailOnce(save.file, fault);
        EXPECT_FALSE(save.save(d));
        io::SetFaultHook(nullptr);

        std::vector<std::string> shown;
        for (const ui::MessageBox& box : attempt.host.Messages())
            shown.push_back(box.text);
        attempt.host.ClearMessages();
        EXPECT_EQ(shown, std::vector<std::string>{
                             strings.Format(1231, (attempt.dir.path() / save.file).string())});
        const Bytes after = attempt.dir.Read(save.file);
        if (save.inPlace)
            ExpectOnlyOneRecordDiffers(before, after, save.file);
        else
            EXPECT_EQ(after, before) << "the old file is not whole";
        EXPECT_EQ(attempt.FilesInFolder(), files) << "a temporary file was left behind";
        EXPECT_TRUE(save.holds(d)) << "memory lost the change";
        EXPECT_TRUE(d.HasPendingSaves());

        EXPECT_TRUE(d.RetryPendingSaves().empty());
        EXPECT_FALSE(d.HasPendingSaves());
        EXPECT_TRUE(save.holds(*attempt.Reloaded(strings))) << "the next save did not write it";
        EXPECT_TRUE(attempt.host.Messages().empty());
    }

    // A record written in place: whatever the failed write left of its own record, every
    // other record is as it was.
    static void ExpectOnlyOneRecordDiffers(const Bytes& before, const Bytes& after,
                                           const std::string& file) {
        const size_t size = file == "xtend.dat" ? 128 : 256;
        ASSERT_EQ(after.size(), before.size());
        int differing = 0;
        for (size_t at = 0; at < before.size(); at += size)
            differing += !std::equal(before.begin() + static_cast<long>(at),
                                     before.begin() + static_cast<long>(at + size),
                                     after.begin() + static_cast<long>(at));
        EXPECT_LE(differing, 1);
    }

    StringTable strings = StringTable::Swedish();
};

TEST_F(WriteFaultWalk, EverySaveSurvivesAFailureAtEveryStep) {
    for (const SaveCase& save : Saves())
        for (const Fault& fault : FaultsOf(save))
            Walk(save, fault);
}

TEST_F(WriteFaultWalk, TheNextChangeOfARecordBuildsOnTheWriteThatFailed) {
    Attempt attempt(strings);
    CMvDoc& d = *attempt.doc;
    BrotherRecord per = StoredBrother(d, 1);
    per.phone = "031-7";
    BrotherExtraRecord extra = StoredExtra(d, 1);
    extra.remark = "Ny";
    FailOnce("speakers.dat", {io::Step::Write, 1});
    d.Brothers().UpdateBrother(d.Brothers().FindBrotherByKey(1), per, extra);
    io::SetFaultHook(nullptr);
    attempt.host.ClearMessages();
    // Moving him reads his record back: it must be the one memory holds, not the old one.
    ASSERT_TRUE(d.MoveBrother(d.Brothers().FindBrotherByKey(1), 2, false));
    EXPECT_FALSE(d.HasPendingSaves()) << "the move wrote the kept record";
    std::unique_ptr<CMvDoc> again = attempt.Reloaded(strings);
    EXPECT_EQ(again->Brothers().BrotherPhoneByKey(1), "031-7");
    EXPECT_EQ(again->Brothers().Brother(again->Brothers().FindBrotherByKey(1))->congregationKey, 2);
    EXPECT_EQ(StoredExtra(*again, 1).remark, "Ny");
}

TEST_F(WriteFaultWalk, AFailedContactWriteTakesNoSecondSlot) {
    Attempt attempt(strings);
    CMvDoc& d = *attempt.doc;
    const Bytes before = attempt.dir.Read("xtend.dat");
    BrotherExtraRecord extra = StoredExtra(d, 3);
    extra.email = "ola@berg.se";
    FailOnce("xtend.dat", {io::Step::Create});
    d.Brothers().UpdateBrother(d.Brothers().FindBrotherByKey(3), StoredBrother(d, 3), extra);
    io::SetFaultHook(nullptr);
    attempt.host.ClearMessages();
    EXPECT_EQ(attempt.dir.Read("xtend.dat"), before) << "no other slot was written instead";
    EXPECT_EQ(d.Brothers().Brother(d.Brothers().FindBrotherByKey(3))->extraSlot, 2);
    EXPECT_EQ(StoredExtra(d, 3).email, "ola@berg.se");
    // A brother added meanwhile does not get the slot that memory holds for him.
    const int added =
        d.Brothers().AddBrother({.firstName = "Ny", .lastName = "Bror"}, {.phone2 = "1"});
    EXPECT_EQ(d.Brothers().Brother(added)->extraSlot, 3);
    EXPECT_TRUE(d.RetryPendingSaves().empty());
    EXPECT_EQ(StoredExtra(*attempt.Reloaded(strings), 3).email, "ola@berg.se");
}

TEST_F(WriteFaultWalk, AFolderGivenRelativeIsStillNamedByItsFullPath) {
    test::TempDir dir;
    test::TestHost host;
    FixedClock clock{kToday};
    CMvDoc doc(strings, host, clock, std::filesystem::relative(dir.path()));
    ASSERT_TRUE(doc.LoadStore());
    FailOnce("history.dat", {io::Step::Create});
    EXPECT_FALSE(doc.Weeks().SaveWeeks());
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, strings.Format(1231, (dir.path() / "history.dat").string()));
    host.ClearMessages();
}

TEST_F(WriteFaultWalk, TheLargerFilesReallyAreWrittenInSeveralPieces) {
    for (const SaveCase& save : Saves()) {
        const std::string file = save.file;
        if (file != "history.dat" && file != "talk.dat" && file != "blackout.dat")
            continue;
        int writes = 0;
        for (const Fault& fault : FaultsOf(save))
            writes += fault.step == io::Step::Write;
        EXPECT_GE(writes, 2) << file;
    }
}

} // namespace
} // namespace mivra
