#include "store/DataFolderLock.h"
#include "support/RecordWriters.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace mivra {
namespace {

using test::BrotherBytes;
using test::Bytes;
using test::CongregationBytes;
using test::WeekBytes;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

/** A data folder as another program with these layouts leaves it. */
class Dump : public ::testing::Test {
protected:
    void SetUp() override {
        data.Write(
            "speakers.dat",
            test::SlotFile(
                {{0, BrotherBytes{.first = "Noll", .key = 77}.Build()},
                 {1, BrotherBytes{.first = "Östen",
                                  .last = "Öberg",
                                  .talks = {1, 2, 3},
                                  .status = 0x01,
                                  .congregation = 2,
                                  .key = 1}
                         .Build()},
                 {2,
                  BrotherBytes{
                      .first = "Adam", .last = "Zorn", .status = 0x22, .congregation = 1, .key = 2}
                      .Build()},
                 {3,
                  BrotherBytes{.first = "Åke", .last = "Åberg", .key = 3, .extraSlot = 1}.Build()},
                 {4, BrotherBytes{.first = "Bertil", .last = "Ärlig", .key = 4}.Build()},
                 {6, BrotherBytes{.first = "Carl", .last = "Andersson", .congregation = 2, .key = 6}
                         .Build()}}));
        data.Write("xtend.dat", test::ExtraBytes{.owner = 3, .remark = "Ring först"}.Build());
        data.Write(
            "cong.dat",
            test::SlotFile(
                {{1, CongregationBytes{.name = "Västra",
                                       .address1 = "Kyrkvägen\t1",
                                       .address2 = "123 45 Västra",
                                       .phone1 = "08-123",
                                       .phone2 = "070-456",
                                       .timeOdd = "10:00",
                                       .timeEven = "13:30",
                                       .map = "västra.jpg",
                                       .key = 1,
                                       .circuit = 30001,
                                       .coordinator = 2,
                                       .talkCoordinator = 6,
                                       .weekdayOdd = 0,
                                       .weekdayEven = 6}
                         .Build()},
                 {2, CongregationBytes{.name = "Ängby", .key = 2, .weekdayOdd = 1, .weekdayEven = 2}
                         .Build()},
                 {3, CongregationBytes{.name = "Berga", .key = 3}.Build()}}));
        data.Write("circuit.dat", test::Concat({test::CircuitBytes("Östra krets", 30002),
                                                test::CircuitBytes("Norra", 30001)}));
        data.Write("topic.dat",
                   test::Concat({test::TopicBytes("Ödmjukhet", 2), test::TopicBytes("Alfa", 1)}));
        data.Write("hospital.dat", test::Concat({test::HostBytes("~Berg", 30002),
                                                 test::HostBytes("Ahl\tsson", 30001)}));
        WeekBytes visit{.week = 904,
                        .homeSpeaker = 2,
                        .homeTalk = 12,
                        .homeCongregation = 1,
                        .asked = 900,
                        .confirmed = 901,
                        .chairman = 6,
                        .reader = 1,
                        .host = 30001};
        visit.outSpeaker[0] = 1;
        visit.outCongregation[0] = 2;
        visit.outTalk[0] = 45;
        data.Write("history.dat",
                   test::Concat({WeekBytes{.week = 883, .homeTalk = 5}.Build(), visit.Build(),
                                 WeekBytes{.week = 905, .flags = 0x13}.Build()}));
        data.Write(
            "blackout.dat",
            test::Concat({test::AvailabilityBytes(2, 1366), test::AvailabilityBytes(0, 1370),
                          test::AvailabilityBytes(1, 1365), test::AvailabilityBytes(6, 1400)}));
        data.Write(
            "special.dat",
            test::EventBytes{.weekIndex = 904, .flags = 2, .name = "Sammankomst", .theme = "Tema"}
                .Build());
        data.Write("wishlist.dat", test::NeedsBytes({5, 12, 200}, {12}, {200}));
        data.WriteText("mivraw.ini", test::Cp1252("[Congregation]\r\nNumber=1\r\n"
                                                  "[Församling]\r\nVärd=1\r\n"
                                                  "[Programformat]\r\nRubrik=Vårt program\r\n"));
    }

    Outcome Run(const std::string& arguments, const std::string& environment = "") {
        const std::string out = (scratch / "out").string(), err = (scratch / "err").string();
        std::string command =
            environment + " '" MIVRA_CLI "' " + arguments + " >'" + out + "' 2>'" + err + "'";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, scratch.ReadText("out"),
                scratch.ReadText("err")};
    }
    std::vector<std::string> DumpLines(const std::string& kind) {
        Outcome o = Run("--data '" + data.path().string() + "' --today 2026-03-04 dump " + kind);
        EXPECT_EQ(o.exitCode, 0) << o.err;
        EXPECT_EQ(o.err, "");
        return Lines(o.out);
    }

    test::TempDir data;
    test::TempDir scratch;
};

TEST_F(Dump, BrothersInSwedishOrderWithTheirKeysSlotsAndFlags) {
    EXPECT_EQ(DumpLines("brothers"), (std::vector<std::string>{
                                         "0\t6\t6\tAndersson, Carl\t2\t0\t0\t0\t0",
                                         "1\t2\t2\tZorn, Adam\t1\t0\t2\t1\t0",
                                         "2\t3\t3\tÅberg, Åke\t0\t1\t0\t0\t0",
                                         "3\t4\t4\tÄrlig, Bertil\t0\t0\t0\t0\t0",
                                         "4\t1\t1\tÖberg, Östen\t2\t0\t1\t0\t3",
                                     }));
}

TEST_F(Dump, CongregationsWithOfficersWeekdaysAndTimes) {
    EXPECT_EQ(DumpLines("congregations"), (std::vector<std::string>{
                                              "0\t3\t3\tBerga\t0\t0\t0\t0\t6\t6\t\t",
                                              "1\t1\t1\tVästra\t30001\t2\t0\t6\t6\t5\t10:00\t13:30",
                                              "2\t2\t2\tÄngby\t0\t0\t0\t0\t0\t1\t\t",
                                          }));
}

TEST_F(Dump, TheSmallLists) {
    EXPECT_EQ(DumpLines("circuits"),
              (std::vector<std::string>{"0\t30002\tÖstra krets", "1\t30001\tNorra"}))
        << "kept in file order";
    EXPECT_EQ(DumpLines("topics"), (std::vector<std::string>{"0\t1\tAlfa", "1\t2\tÖdmjukhet"}));
    EXPECT_EQ(DumpLines("hosts"),
              (std::vector<std::string>{"0\t30002\t~Berg", "1\t30001\tAhl sson"}))
        << "as stored, a tab inside a text made a blank";
    EXPECT_EQ(DumpLines("availability"), (std::vector<std::string>{"2\t1366", "6\t1400"}));
    EXPECT_EQ(DumpLines("events"), (std::vector<std::string>{"904\t2\tSammankomst\tTema"}));
    EXPECT_EQ(DumpLines("needs"), (std::vector<std::string>{"5\t2", "12\t1", "200\t3"}));
}

TEST_F(Dump, AllTalksWithNumbersTitlesAndTopics) {
    std::vector<std::string> lines = DumpLines("talks");
    ASSERT_EQ(lines.size(), 256u);
    EXPECT_EQ(lines[0], "1\t1\tVarför familjen betyder så mycket\t4");
    EXPECT_EQ(lines[162].substr(0, 8), "163\t163\t");
    EXPECT_EQ(lines[162].back(), '\t') << "talk 163 has no default topic";
    EXPECT_EQ(lines[230].substr(0, 9), "231\tS-31\t");
    EXPECT_EQ(lines[255], "256\tS-56\t\t");
}

TEST_F(Dump, WeeksOfTheWindowWithTheirDatesAndAllEighteenOutgoingFields) {
    std::vector<std::string> lines = DumpLines("weeks");
    ASSERT_EQ(lines.size(), 2u) << "week 883 lies before the window of 2026";
    EXPECT_EQ(lines[0], "904\tApr 30, 2017\t12\t2\t1\t900\t901\t0\t6\t1\t30001\t1"
                        "\t1\t2\t45\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
    EXPECT_EQ(lines[1], "905\tMaj 07, 2017\t0\t0\t0\t0\t0\t0\t0\t0\t0\t19"
                        "\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
}

TEST_F(Dump, SettingsListEveryOptionInOrder) {
    EXPECT_EQ(DumpLines("settings"), (std::vector<std::string>{
                                         "ourCongregationKey\t1",
                                         "serviceYear\t0",
                                         "alternativeDateFormat\t0",
                                         "scheduleReaders\t0",
                                         "scheduleHosts\t1",
                                         "leftMargin\t20",
                                         "topMargin\t50",
                                         "heading\tVårt program",
                                         "includeReaders\t0",
                                         "omitTalkNumbers\t0",
                                         "omitOutgoing\t0",
                                         "borderStyle\t0",
                                         "borderColour\t12632256",
                                         "printDateStamps\t0",
                                         "dialEnabled\t0",
                                         "autoCaps\t1",
                                         "languageCode\tsve",
                                         "baseWeek\t884",
                                         "currentWeek\t1366",
                                     }));
}

TEST_F(Dump, OptionsMayFollowTheCommand) {
    Outcome o = Run("dump circuits --today 2026-03-04 --data='" + data.path().string() + "'");
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(Lines(o.out).size(), 2u);
}

TEST_F(Dump, UsageErrorsExitTwo) {
    for (const std::string& args :
         {std::string("frobnicate"), std::string("dump"), std::string("dump weeks extra"),
          std::string("dump nothing"), std::string("--today 2026-02-30 dump weeks"),
          std::string("--today 2100-01-01 dump weeks"),
          std::string("--today 2000-01-02 dump weeks"), std::string("--bogus dump weeks"),
          std::string("")}) {
        Outcome o = Run("--data '" + data.path().string() + "' " + args);
        EXPECT_EQ(o.exitCode, 2) << args;
        EXPECT_NE(o.err.find("usage: mivra-cli"), std::string::npos) << args;
        EXPECT_EQ(o.out, "") << args;
    }
}

TEST_F(Dump, AFolderThatCannotBeMadeExitsOneAndAMissingOneIsCreated) {
    scratch.WriteText("plain-file", "x");
    Outcome o = Run("--data '" + (scratch / "plain-file").string() + "/sub' dump settings");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.err.find("cannot create the data folder"), std::string::npos) << o.err;

    o = Run("--today 2026-03-04 dump brothers", "XDG_DATA_HOME='" + scratch.path().string() + "'");
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_TRUE(scratch.Exists("mivra/speakers.dat"))
        << "the default folder, made as at first start";
}

// The dump only reads, so it runs beside a program that holds the folder.
TEST_F(Dump, RunsWhileAnotherProgramHoldsTheFolder) {
    Result<DataFolderLock> held = DataFolderLock::Acquire(data.path());
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(DumpLines("circuits").size(), 2u);
}

TEST_F(Dump, MessagesOfTheLoadGoToStandardError) {
    std::filesystem::remove(data / "topic.dat");
    std::filesystem::create_directory(data / "topic.dat");
    Outcome o = Run("--data '" + data.path().string() + "' --today 2026-03-04 dump topics");
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_NE(o.err.find((data / "topic.dat").string()), std::string::npos) << o.err;
    EXPECT_EQ(Lines(o.out).size(), 10u) << "the defaults stand in for the unreadable file";
}

TEST_F(Dump, BrotherDetailsShowContactsOnlyFromARecordHeOwns) {
    std::vector<std::string> lines = DumpLines("brother-details");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "1\t2\t\t\t\t0\t\t\t\t\t34\t0") << "status 0x22 in decimal";
    EXPECT_EQ(lines[2], "2\t3\t\t\t\t1\t\t\t\tRing först\t0\t0");
}

TEST_F(Dump, CongregationDetailsInDocumentOrder) {
    EXPECT_EQ(DumpLines("congregation-details"),
              (std::vector<std::string>{
                  "0\t3\t\t\t\t\t", "1\t1\tKyrkvägen 1\t123 45 Västra\t08-123\t070-456\tvästra.jpg",
                  "2\t2\t\t\t\t\t"}));
}

TEST_F(Dump, AvailabilityMarksAndClearsWeeksAllOrNothing) {
    const std::string folder = "--data '" + data.path().string() + "' --today 2026-03-04 ";
    const Bytes before = data.Read("blackout.dat");
    for (const std::string& args :
         {std::string("availability"),
          std::string("availability mark --brother 4 --week 2026-03-10"),
          std::string("availability add --brother 0 --week 2026-03-10"),
          std::string("availability add --brother x4 --week 2026-03-10"),
          std::string("availability add --brother 4"),
          std::string("availability add --brother 4 --week 2100-01-04"),
          std::string("availability add --brother 4 --week 2026-03-10 --pdf f")}) {
        Outcome o = Run(folder + args);
        EXPECT_EQ(o.exitCode, 2) << args;
    }
    for (const std::string& args : {std::string("availability add --brother 99 --week 2026-03-10"),
                                    std::string("availability add --brother 4 --week 2026-03-10 "
                                                "--week 2026-02-23")}) {
        Outcome o = Run(folder + args);
        EXPECT_EQ(o.exitCode, 1) << args;
    }
    EXPECT_EQ(data.Read("blackout.dat"), before) << "nothing written";

    Outcome o = Run(folder + "availability add --brother 4 --week 2026-03-10 --week 2026-03-04 "
                             "--week 2026-03-10");
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, "");
    o = Run(folder + "availability remove --brother 2 --week 2026-03-04");
    EXPECT_EQ(o.exitCode, 0) << o.err;
    std::vector<std::string> lines = DumpLines("availability");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("4\t", 0) == 0; }),
              2)
        << "the week given twice is marked once";
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("2\t", 0) == 0; }),
              0);

    Result<DataFolderLock> held = DataFolderLock::Acquire(data.path());
    ASSERT_TRUE(held.ok());
    o = Run(folder + "availability add --brother 4 --week 2026-04-01");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.err.find(std::to_string(::getpid())), std::string::npos) << o.err;
}

} // namespace
} // namespace mivra

namespace mivra {
namespace {

TEST_F(Dump, BackupThenRestoreBringsBackEveryFileWithItsExitCodes) {
    scratch.WriteText("placeholder", "");
    std::filesystem::create_directory(scratch / "b");
    const std::string dataArg = "--data '" + data.path().string() + "' --today 2026-03-04 ";
    Outcome o = Run(dataArg + "backup --to '" + (scratch / "b").string() + "'");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    const size_t tab = o.out.find('\t');
    ASSERT_NE(tab, std::string::npos) << o.out;
    const std::filesystem::path backup = o.out.substr(0, tab);
    EXPECT_EQ(o.out.substr(tab), "\t11\n") << "the set without a talk file";
    EXPECT_TRUE(backup.filename().string().starts_with("Qz4_26063_")) << backup;

    const std::string speakers = data.ReadText("speakers.dat");
    data.WriteText("speakers.dat", "changed");
    o = Run(dataArg + "restore '" + backup.string() + "'");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out.substr(o.out.find('\t')), "\t11\n");
    const std::filesystem::path safety = o.out.substr(0, o.out.find('\t'));
    EXPECT_EQ(safety.parent_path(), scratch / "b");
    for (const auto& entry : std::filesystem::directory_iterator(backup))
        EXPECT_EQ(data.ReadText(entry.path().filename().string()),
                  scratch.ReadText("b/" + backup.filename().string() + "/" +
                                   entry.path().filename().string()))
            << entry.path();
    EXPECT_EQ(data.ReadText("speakers.dat"), speakers);

    for (const std::string& refused :
         {"restore '" + (scratch / "b").string() + "'", "backup --to '" + backup.string() + "'",
          "backup --to '" + (scratch / "missing").string() + "'"})
        EXPECT_EQ(Run(dataArg + refused).exitCode, 1) << refused;
    {
        Result<DataFolderLock> held = DataFolderLock::Acquire(data.path());
        ASSERT_TRUE(held.ok());
        o = Run(dataArg + "restore '" + backup.string() + "'");
        EXPECT_EQ(o.exitCode, 1);
        EXPECT_NE(o.err.find(data.path().string()), std::string::npos) << o.err;
    }
    for (const char* usage :
         {"backup extra", "restore", "restore a b", "restore a --maps", "dump settings --to x"})
        EXPECT_EQ(Run(dataArg + std::string(usage)).exitCode, 2) << usage;
}

} // namespace
} // namespace mivra
