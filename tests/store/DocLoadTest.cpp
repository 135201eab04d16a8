#include "support/DocFixture.h"

#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace mivra {
namespace {

using test::BrotherBytes;
using test::Bytes;
using test::CongregationBytes;

class DocLoad : public test::DocTest {};

std::vector<std::string> BrotherNames(const CMvDoc& d) {
    std::vector<std::string> names;
    for (int i = 0; i < d.Brothers().BrotherCount(); ++i)
        names.push_back(d.Brothers().BrotherName(i, true));
    return names;
}

TEST_F(DocLoad, FirstStartCreatesTheSlotFilesAndBuildsTheDefaults) {
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(dir.Read("speakers.dat"), Bytes(256, 0));
    EXPECT_EQ(dir.Read("cong.dat"), Bytes(256, 0));
    EXPECT_EQ(dir.Read("xtend.dat"), Bytes(128, 0));
    EXPECT_FALSE(dir.Exists("talk.dat")) << "written only when the talk dialog is confirmed";
    EXPECT_FALSE(dir.Exists("topic.dat"));
    EXPECT_FALSE(dir.Exists("history.dat"));
    EXPECT_EQ(d.Talks().Items().size(), 256u);
    EXPECT_EQ(d.Talks().Talk(230)->numberText, "S-31");
    EXPECT_EQ(d.Topics().Items().size(), 10u);
    EXPECT_EQ(d.Weeks().BaseWeek(), kBase);
    EXPECT_EQ(d.CurrentWeek(), CurrentWeek());
    EXPECT_EQ(d.FirstShownWeek(), CurrentWeek()) << "set from the load on, not by a sheet";
    EXPECT_EQ(d.Brothers().BrotherSlotCount(), 1u);
    EXPECT_EQ(d.Brothers().ExtraSlotCount(), 1u);
}

TEST_F(DocLoad, ReadsAFolderWrittenByAnotherProgram) {
    dir.Write(
        "speakers.dat",
        test::SlotFile({{0, BrotherBytes{.first = "Noll", .last = "Slot", .key = 9}.Build()},
                        {1, BrotherBytes{.first = "Örjan", .last = "Zetterberg", .key = 1}.Build()},
                        {3, BrotherBytes{.first = "Anna", .last = "Åberg", .key = 3}.Build()},
                        {4, BrotherBytes{.first = "Bo", .last = "Ek", .key = 0}.Build()},
                        {6, BrotherBytes{.first = "Per", .last = "Andersson", .key = 6}.Build()}}));
    dir.Write("cong.dat",
              test::SlotFile({{2, CongregationBytes{.name = "Öster", .key = 2}.Build()},
                              {5, CongregationBytes{.name = "Berga", .key = 5}.Build()}}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(BrotherNames(d),
              (std::vector<std::string>{"Andersson, Per", "Zetterberg, Örjan", "Åberg, Anna"}))
        << "slot 0 and free slots give no brother; Å after Z";
    EXPECT_EQ(d.Brothers().Brother(2)->slot, 3);
    EXPECT_EQ(d.Brothers().BrotherSlotCount(), 7u);
    EXPECT_EQ(d.Brothers().FindBrotherByKey(9), kNotFound);
    EXPECT_EQ(d.Congregations().CongregationName(0, false), "Berga");
    EXPECT_EQ(d.Congregations().CongregationName(1, true), "Församling - Öster");
    EXPECT_EQ(d.Congregations().FindCongregationByKey(2), 2);
    EXPECT_EQ(d.Congregations().FindCongregationByKey(0), 0);
}

TEST_F(DocLoad, FilesOfOddLengthsLoadTheirWholeRecords) {
    Bytes speakers =
        test::SlotFile({{1, BrotherBytes{.first = "A", .last = "B", .key = 1}.Build()},
                        {2, BrotherBytes{.first = "C", .last = "D", .key = 2}.Build()}});
    speakers.resize(speakers.size() - 10); // the last record is cut
    dir.Write("speakers.dat", speakers);
    Bytes circuits =
        test::Concat({test::CircuitBytes("K1", 30001), test::CircuitBytes("K2", 30002)});
    circuits.resize(circuits.size() - 1);
    dir.Write("circuit.dat", circuits);
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Brothers().BrotherCount(), 1);
    EXPECT_EQ(d.Circuits().Items().size(), 1u);
}

TEST_F(DocLoad, AShortTalkFileStillGivesAllTalksWithTheirKeys) {
    Bytes talks;
    for (int i = 0; i < 3; ++i) {
        Bytes t = test::TalkBytes{.title = "Eget " + std::to_string(i + 1),
                                  .number = std::to_string(i + 1),
                                  .key = static_cast<uint16_t>(i == 1 ? 999 : i + 1)}
                      .Build();
        talks.insert(talks.end(), t.begin(), t.end());
    }
    dir.Write("talk.dat", talks);
    CMvDoc& d = LoadQuietly();
    ASSERT_EQ(d.Talks().Items().size(), 256u);
    EXPECT_EQ(d.Talks().Talk(1)->title, "Eget 2");
    EXPECT_EQ(d.Talks().Talk(1)->talkKey, 2) << "record i holds talk i + 1";
    EXPECT_EQ(d.Talks().Talk(3)->title, strings.Get(404))
        << "missing records get first-start defaults";
    EXPECT_EQ(d.Talks().Talk(255)->numberText, "S-56");
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(d.Talks().FindTalkByKey(static_cast<uint16_t>(i + 1)), i);
    EXPECT_EQ(d.Talks().FindTalkByKey(999), kNotFound);
}

TEST_F(DocLoad, TalksFrom161To230AreRepairedAfterLoading) {
    Bytes talks;
    for (int n = 1; n <= 256; ++n) {
        std::string number = n == 170 ? "S-70" : (n == 240 ? "S-40" : std::to_string(n));
        Bytes t = test::TalkBytes{.title = (n == 165 || n == 240) ? "  " : "T",
                                  .number = number,
                                  .key = static_cast<uint16_t>(n)}
                      .Build();
        talks.insert(talks.end(), t.begin(), t.end());
    }
    dir.Write("talk.dat", talks);
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Talks().Talk(169)->numberText, "170");
    EXPECT_EQ(d.Talks().Talk(164)->title, strings.Get(565));
    EXPECT_EQ(d.Talks().Talk(239)->numberText, "S-40") << "outside 161 … 230 nothing changes";
    EXPECT_EQ(d.Talks().Talk(239)->title, "  ");
}

TEST_F(DocLoad, AnEmptyTopicFileIsAnEmptyListButAMissingOneGivesTheDefaults) {
    dir.Write("topic.dat", {});
    EXPECT_TRUE(LoadQuietly().Topics().Items().empty());
}

TEST_F(DocLoad, AnUnreadableFileIsNamedAndNeverWrittenDuringTheSession) {
    // A folder in the place of a file: it exists but cannot be read, even by root.
    std::filesystem::create_directory(dir / "circuit.dat");
    std::filesystem::create_directory(dir / "speakers.dat");
    CMvDoc& d = Load();
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], strings.Format(60003, Path("speakers.dat")));
    EXPECT_EQ(messages[1], strings.Format(60003, Path("circuit.dat")));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "speakers.dat")) << "not created anew";

    std::vector<std::string>& written = RecordWrites();
    EXPECT_EQ(d.Circuits().Add("Ny"), 0);
    EXPECT_FALSE(d.Circuits().Save());
    EXPECT_EQ(d.Brothers().AddBrother({.firstName = "Per", .lastName = "Lund"}, {}), -1);
    EXPECT_EQ(d.Brothers().BrotherCount(), 0);
    EXPECT_EQ(written, std::vector<std::string>{}) << "nothing reaches either file";
    messages = TakeMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], strings.Format(60005, Path("circuit.dat")));
    EXPECT_EQ(messages[1], strings.Format(60005, Path("speakers.dat")));
}

TEST_F(DocLoad, AFileLongerThanItsCapIsLoadedInPartAndProtected) {
    Bytes hosts;
    for (int i = 0; i < 10001; ++i) {
        Bytes h = test::HostBytes("Värd", static_cast<uint16_t>(30001 + i % 1000));
        hosts.insert(hosts.end(), h.begin(), h.end());
    }
    dir.Write("hospital.dat", hosts);
    CMvDoc& d = Load();
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{strings.Format(60004, Path("hospital.dat"))});
    EXPECT_EQ(d.Hosts().Count(), 10000);
    EXPECT_FALSE(d.Hosts().Save());
    EXPECT_EQ(dir.Read("hospital.dat"), hosts) << "the part not read is not lost";
    TakeMessages();
}

TEST_F(DocLoad, AHugeSparseBrotherFileLoadsQuicklyAndStaysUsable) {
    dir.Write(
        "speakers.dat",
        test::SlotFile({{1, BrotherBytes{.first = "Per", .last = "Lund", .key = 1}.Build()}}));
    ASSERT_EQ(::truncate((dir / "speakers.dat").c_str(), 1LL << 30), 0);
    auto start = std::chrono::steady_clock::now();
    CMvDoc& d = LoadQuietly();
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(30)); // a stall guard; speed is the benchmark's
    EXPECT_EQ(d.Brothers().BrotherCount(), 1);
    EXPECT_EQ(d.Brothers().AddBrother({.firstName = "Bo", .lastName = "Ek"}, {}), 0);
    EXPECT_EQ(d.Brothers().Brother(0)->brotherKey, 2)
        << "the first free slot, not one past the file";
}

TEST_F(DocLoad, AHomeCongregationKeyNamingNoCongregationCountsAsNoneAndIsCleared) {
    dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=7\r\n");
    dir.Write("cong.dat",
              test::SlotFile({{2, CongregationBytes{.name = "Öster", .key = 2}.Build()}}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Congregations().OurCongregationKey(), 0);
    EXPECT_EQ(d.Settings().Options().ourCongregationKey, 0u);
    EXPECT_NE(dir.ReadText("mivraw.ini").find("Number=0"), std::string::npos);
    // The next congregation given key 7 does not silently become the home one.
    for (int i = 0; i < 5; ++i)
        d.Congregations().AddCongregation({.name = "C" + std::to_string(i)});
    EXPECT_EQ(d.Congregations().OurCongregationKey(), 0);
}

TEST_F(DocLoad, TheHomeCongregationGivesTheMeetingDaysAndTheHomeList) {
    dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=2\r\n");
    dir.Write("cong.dat",
              test::SlotFile(
                  {{2, CongregationBytes{.name = "Hem", .key = 2, .weekdayOdd = 6, .weekdayEven = 0}
                           .Build()}}));
    dir.Write(
        "speakers.dat",
        test::SlotFile(
            {{1, BrotherBytes{.first = "A", .last = "B", .roles = 0x06, .congregation = 2, .key = 1}
                     .Build()},
             {2, BrotherBytes{.first = "C", .last = "D", .congregation = 3, .key = 2}.Build()}}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Congregations().OurCongregationKey(), 2);
    EXPECT_EQ(d.Congregations().HomeWeekdayOdd(), 5);
    EXPECT_EQ(d.Congregations().HomeWeekdayEven(), 6);
    ASSERT_EQ(d.Brothers().OurBrothers().size(), 1u);
    EXPECT_EQ(d.Brothers().OurBrothers()[0].roleBits, 0x06);
    EXPECT_TRUE(d.Brothers().IsOutgoingSpeaker(0));
    EXPECT_EQ(d.Brothers().CountOurBrothersWithRole(2), 1);
    EXPECT_EQ(d.Brothers().CountOurBrothersWithRole(4), 0);
}

TEST_F(DocLoad, OlderFileNamesMoveOnlyForTheirLanguage) {
    dir.Write("Kong.dat",
              test::SlotFile({{1, CongregationBytes{.name = "Gamla", .key = 1}.Build()}}));
    EXPECT_EQ(LoadQuietly().Congregations().CongregationCount(), 0)
        << "\"sve\" leaves Kong.dat alone";
    EXPECT_TRUE(dir.Exists("Kong.dat"));

    std::filesystem::remove(dir / "cong.dat");
    strings.Set(1198, "HT");
    EXPECT_EQ(LoadQuietly().Congregations().CongregationCount(), 1);
    EXPECT_FALSE(dir.Exists("Kong.dat"));
}

TEST_F(DocLoad, ALargerItalianBrotherFileReplacesTheSpeakersFile) {
    strings.Set(1198, "italian");
    dir.Write("speakers.dat", Bytes(256, 0));
    dir.Write(
        "oratori.dat",
        test::SlotFile({{1, BrotherBytes{.first = "Luca", .last = "Rossi", .key = 1}.Build()}}));
    EXPECT_EQ(LoadQuietly().Brothers().BrotherName(0, false), "Luca Rossi");
    EXPECT_FALSE(dir.Exists("oratori.dat"));
}

TEST_F(DocLoad, ExtendDatIsConvertedOnlyWhenXtendDatDoesNotExist) {
    dir.Write("extend.dat",
              test::Concat({test::LegacyExtraBytes{.owner = 1, .phone2 = "070"}.Build(),
                            test::LegacyExtraBytes{.owner = 2, .email = "e@x.se"}.Build()}));
    dir.Write(
        "speakers.dat",
        test::SlotFile(
            {{1, BrotherBytes{.first = "A", .last = "B", .key = 1, .extraSlot = 1}.Build()}}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Brothers().ExtraSlotCount(), 2u);
    BrotherExtraRecord extra;
    ASSERT_TRUE(d.Brothers().ReadBrotherExtra(1, 1, extra));
    EXPECT_EQ(extra.phone2, "070");
    EXPECT_TRUE(dir.Exists("extend.dat")) << "left in place";

    dir.Write("xtend.dat", Bytes(128, 0));
    EXPECT_EQ(LoadQuietly().Brothers().ExtraSlotCount(), 1u);
}

TEST_F(DocLoad, ReloadReadsEverythingAgainAndTrustsTheFilesAnew) {
    std::filesystem::create_directory(dir / "hospital.dat");
    CMvDoc& d = Load();
    TakeMessages();
    std::filesystem::remove(dir / "hospital.dat");
    dir.Write("hospital.dat", test::HostBytes("Berg", 30001));
    ASSERT_TRUE(d.ReloadStore());
    EXPECT_EQ(d.Hosts().Name(0), "Berg");
    EXPECT_TRUE(d.Hosts().Save()) << "a restored file may be written again";
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DocLoad, AMissingDataFolderIsAFailure) {
    doc = std::make_unique<CMvDoc>(strings, host, clock, dir / "none");
    EXPECT_FALSE(doc->LoadStore());
}

} // namespace
} // namespace mivra
