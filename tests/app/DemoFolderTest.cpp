#include "app/CMainFrame.h"
#include "app/CMvApp.h"
#include "app/cli/CommandLine.h"
#include "base/FileIo.h"
#include "base/Version.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/DataFolderLock.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/headless/RecordingPrinting.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace mivra::app {
namespace {

constexpr const char* kToday = "2026-03-04";

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Outcome Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = cli::Run(args, out, err);
    return {code, out.str(), err.str()};
}

using Row = std::vector<std::string>;

std::vector<Row> Rows(const std::string& text) {
    std::vector<Row> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        Row& row = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            row.push_back(field);
    }
    return rows;
}

std::vector<std::string> Entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class DemoFolderTest : public ::testing::Test {
protected:
    void SetUp() override { io::SetDurable(false); }
    void TearDown() override { io::SetDurable(true); }

    std::vector<Row> Dump(const std::string& kind) {
        Outcome o = Cli({"--data", folder.string(), "--today", kToday, "dump", kind});
        EXPECT_EQ(o.exitCode, 0) << kind;
        EXPECT_EQ(o.err, "") << kind << ": the demo folder loads without a message";
        return Rows(o.out);
    }

    test::TempDir dir;
    std::filesystem::path folder = dir / "demo";
};

TEST_F(DemoFolderTest, MakeDemoWritesOnlyIntoAMissingOrEmptyFolder) {
    Outcome made = Cli({"--today", kToday, "make-demo", folder.string()});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.out, folder.string() + "\n");
    EXPECT_TRUE(std::filesystem::exists(folder / "history.dat"));

    std::filesystem::create_directory(dir / "empty");
    EXPECT_EQ(Cli({"make-demo", (dir / "empty").string()}).exitCode, 0);

    std::filesystem::create_directory(dir / "full");
    dir.WriteText("full/notes.txt", "mine");
    Outcome full = Cli({"make-demo", (dir / "full").string()});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find("not an empty folder"), std::string::npos) << full.err;
    EXPECT_EQ(Entries(dir / "full"), std::vector<std::string>{"notes.txt"}) << "nothing written";

    // A lock file alone holds no data, but the program holding it works there.
    std::filesystem::create_directory(dir / "held");
    Result<DataFolderLock> held = DataFolderLock::Acquire(dir / "held");
    ASSERT_TRUE(held.ok());
    Outcome busy = Cli({"make-demo", (dir / "held").string()});
    EXPECT_EQ(busy.exitCode, 1);
    EXPECT_NE(busy.err.find("används redan"), std::string::npos) << busy.err;
    EXPECT_EQ(Entries(dir / "held"), std::vector<std::string>{DataFolderLock::kFileName});

    EXPECT_EQ(Cli({"--data", folder.string(), "make-demo", (dir / "x").string()}).exitCode, 2);
    EXPECT_EQ(Cli({"make-demo"}).exitCode, 2);
}

TEST_F(DemoFolderTest, DumpShowsTheCircuitItsPeopleAndTwelveWeeksInTheirStates) {
    ASSERT_EQ(Cli({"--today", kToday, "make-demo", folder.string()}).exitCode, 0);
    std::map<std::string, std::string> settings;
    for (const Row& row : Dump("settings"))
        settings[row[0]] = row[1];
    const std::string home = settings["ourCongregationKey"];
    EXPECT_NE(home, "0");

    const std::vector<Row> circuits = Dump("circuits");
    ASSERT_EQ(circuits.size(), 1u);
    const std::vector<Row> congregations = Dump("congregations");
    ASSERT_EQ(congregations.size(), 6u);
    for (const Row& c : congregations)
        EXPECT_EQ(c[4], circuits[0][1]) << c[3] << " belongs to the circuit";

    int homeBrothers = 0, speakers = 0;
    for (const Row& b : Dump("brothers")) {
        homeBrothers += b[4] == home;
        speakers += b[4] != home && b[8] != "0";
    }
    EXPECT_EQ(homeBrothers, 12);
    EXPECT_EQ(speakers, 40) << "visiting speakers with talks";
    EXPECT_FALSE(Dump("hosts").empty());
    EXPECT_EQ(Dump("needs").size(), 10u);

    const std::vector<Row> events = Dump("events");
    ASSERT_EQ(events.size(), 2u);
    const int kinds = (std::stoi(events[0][1]) | std::stoi(events[1][1])) & kWeekEventKinds;
    EXPECT_EQ(kinds, kWeekAssembly | kWeekOverseerVisit);

    const std::vector<Row> weeks = Dump("weeks");
    ASSERT_EQ(weeks.size(), 12u);
    EXPECT_EQ(weeks[0][0], settings["currentWeek"]);
    int open = 0, asked = 0, confirmed = 0, reminded = 0, outgoing = 0;
    for (const Row& w : weeks) {
        const bool speaker = w[3] != "0";
        open += speaker && w[5] == "0";
        asked += w[5] != "0" && w[6] == "0";
        confirmed += w[6] != "0" && w[7] == "0";
        reminded += w[7] != "0";
        outgoing += w[12] != "0";
    }
    EXPECT_GT(open, 0);
    EXPECT_GT(asked, 0);
    EXPECT_GT(confirmed, 0);
    EXPECT_GT(reminded, 0);
    EXPECT_GT(outgoing, 0);

    // Nobody is given a duty in a week he is away.
    const std::vector<Row> away = Dump("availability");
    EXPECT_FALSE(away.empty());
    for (const Row& a : away) {
        for (const Row& w : weeks) {
            if (w[0] != a[1])
                continue;
            for (size_t field : {3u, 8u, 9u, 12u, 15u})
                EXPECT_NE(w[field], a[0]) << "week " << w[0] << ", field " << field;
        }
    }
}

TEST_F(DemoFolderTest, EveryBrotherHasAnAddressATelephoneAndAnExampleEmail) {
    ASSERT_EQ(Cli({"--today", kToday, "make-demo", folder.string()}).exitCode, 0);
    test::TestHost host;
    FixedClock clock(CivilDate{2026, 3, 4});
    CMvDoc doc(StringTable::Swedish(), host, clock, folder);
    ASSERT_TRUE(doc.LoadStore());
    for (int i = 0; i < doc.Brothers().BrotherCount(); ++i) {
        BrotherRecord b;
        BrotherExtraRecord extra;
        ASSERT_NE(doc.Brothers().ReadBrother(i, b), 0);
        ASSERT_TRUE(doc.Brothers().ReadBrotherExtra(b.extraSlot, b.brotherKey, extra));
        EXPECT_FALSE(b.address1.empty() || b.address2.empty() || b.phone.empty()) << b.lastName;
        EXPECT_TRUE(extra.email.ends_with("@example.org")) << extra.email;
    }
}

/** Points the cache folder somewhere else for one test. */
class CacheHome {
public:
    explicit CacheHome(const std::filesystem::path& folder) {
        if (const char* old = std::getenv("XDG_CACHE_HOME"))
            m_old = old;
        ::setenv("XDG_CACHE_HOME", folder.c_str(), 1);
    }
    ~CacheHome() {
        if (m_old)
            ::setenv("XDG_CACHE_HOME", m_old->c_str(), 1);
        else
            ::unsetenv("XDG_CACHE_HOME");
    }

private:
    std::optional<std::string> m_old;
};

TEST_F(DemoFolderTest, TheDemoStartsOnAFreshCacheFolderAndASecondOneLeavesItAlone) {
    CacheHome cache(dir.path());
    const std::filesystem::path demo = dir / "mivra" / "demo";
    std::filesystem::create_directories(demo);
    dir.WriteText("mivra/demo/speakers.dat", "left from the last run");
    dir.WriteText("mivra/demo/notes.txt", "left from the last run");
    ui::headless::RecordingPrinting printing;
    StartArgs args;
    args.today = CivilDate{2026, 3, 4};
    args.demo = true;

    test::TestHost host;
    CMvApp first(StringTable::Swedish(), host, printing);
    ASSERT_EQ(first.Start(args, {}), kStarted);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(first.DataFolder(), demo);
    EXPECT_EQ(first.Doc().Brothers().BrotherCount(), 52);
    EXPECT_FALSE(std::filesystem::exists(demo / "notes.txt")) << "made anew";
    EXPECT_NE(first.Frame().Layout().title.find("DEMO"), std::string::npos);

    test::TestHost secondHost;
    CMvApp second(StringTable::Swedish(), secondHost, printing);
    EXPECT_EQ(second.Start(args, {}), kStartFailed);
    ASSERT_EQ(secondHost.Messages().size(), 1u);
    EXPECT_NE(secondHost.Messages()[0].text.find("används redan"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(demo / "speakers.dat")) << "not cleared under the first";
}

TEST(StartOptions, HelpAndVersionAnswerOnStandardOutputAndAWrongOptionExitsTwo) {
    Outcome help = Cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: mivra-cli"), std::string::npos);
    EXPECT_NE(help.out.find("make-demo DIR"), std::string::npos);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(Cli({"--version"}).out, std::string("mivra-cli ") + kVersion + "\n");

    auto desktop = [](const std::vector<std::string>& args) {
        std::ostringstream out, err;
        std::variant<StartArgs, int> answer = ReadStartOptions(args, out, err);
        const int* code = std::get_if<int>(&answer);
        return Outcome{code ? *code : -1, out.str(), err.str()};
    };
    EXPECT_EQ(desktop({"--help"}).exitCode, 0);
    EXPECT_NE(desktop({"--help"}).out.find("usage: mivra [--data DIR | --demo]"),
              std::string::npos);
    EXPECT_EQ(desktop({"--version"}).out, std::string("mivra ") + kVersion + "\n");
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--bogus"}, {"--demo", "--data", "/tmp/x"}, {"--weeks", "2"}}) {
        Outcome o = desktop(wrong);
        EXPECT_EQ(o.exitCode, kBadArguments) << wrong[0];
        EXPECT_NE(o.err.find("usage: mivra"), std::string::npos);
        EXPECT_EQ(o.out, "");
    }
    EXPECT_EQ(desktop({"--demo", "--today", kToday}).exitCode, -1) << "a start";
}

} // namespace
} // namespace mivra::app
