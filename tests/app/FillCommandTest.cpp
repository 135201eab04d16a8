#include "app/cli/CommandLine.h"
#include "rotations/CRotationPage.h"
#include "rotations/RotationFixture.h"
#include "store/DataFolderLock.h"
#include "support/CliRun.h"

#include <sstream>

namespace mivra {
namespace {

using Outcome = test::CliOutcome;

class FillCommand : public test::RotationTest {
protected:
    Outcome Fill(const std::string& command) { return test::RunCli(dir.path(), command); }
};

TEST_F(FillCommand, FillsTheUnfilledWeeksInTurnAndPrintsThem) {
    const test::Bytes weeks = test::Concat(
        {test::WeekBytes{.week = static_cast<uint16_t>(Row(1) + 1), .chairman = 3}.Build(),
         test::WeekBytes{.week = static_cast<uint16_t>(Row(2) + 1), .flags = kWeekAssembly}
             .Build()});
    dir.Write("history.dat", weeks);
    const Outcome o = Fill("fill chairman --from 2026-03-04 --weeks 5");
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, "1366\tMar 08, 2026\t1\tAnders Alm\n"
                     "1369\tMar 29, 2026\t2\tBertil Berg\n"
                     "1370\tApr 05, 2026\t1\tAnders Alm\n");
    EXPECT_EQ(o.err, "");
    LoadQuietly();
    std::vector<uint16_t> byCommand;
    for (int r = 0; r < 6; ++r)
        byCommand.push_back(Holder(Row(r), rotations::Duty::Chairman));

    const auto before = dir.Read("history.dat");
    const Outcome again = Fill("fill chairman --from 2026-03-04 --weeks 5");
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "") << "nothing left to fill";
    EXPECT_EQ(dir.Read("history.dat"), before);

    dir.Write("history.dat", weeks); // the page's button on each first week needing one
    Open();
    ui::headless::HeadlessDialog& page = Show(2).Page(2);
    for (int press = 0; press < 3; ++press)
        page.Press(rotations::CRotationPage::kAuto);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(Holder(Row(r), rotations::Duty::Chairman), byCommand[static_cast<size_t>(r)])
            << r;
}

TEST_F(FillCommand, RefusesWhatItCannotDoWithItsExitCodes) {
    for (const char* bad :
         {"fill", "fill deacon --from 2026-03-04 --weeks 4", "fill host --weeks 4",
          "fill host --from 2026-03-04 --weeks 53", "fill host --from 2026-03-04 --weeks 4 --pdf x",
          "fill chairman --from 2036-12-01 --weeks 4"}) {
        const Outcome o = Fill(bad);
        EXPECT_EQ(o.exitCode, 2) << bad;
        EXPECT_NE(o.err.find("usage: mivra-cli"), std::string::npos) << bad;
    }
    const Outcome notScheduled = Fill("fill reader --from 2026-03-04 --weeks 4");
    EXPECT_EQ(notScheduled.exitCode, 1);
    EXPECT_NE(notScheduled.err.find("reader"), std::string::npos);
    {
        Result<DataFolderLock> held = DataFolderLock::Acquire(dir.path());
        ASSERT_TRUE(held.ok());
        const Outcome locked = Fill("fill chairman --from 2026-03-04 --weeks 4");
        EXPECT_EQ(locked.exitCode, 1);
        EXPECT_NE(locked.err.find("används redan"), std::string::npos) << locked.err;
    }
    EXPECT_TRUE(dir.Read("history.dat").empty()) << "nothing was written";

    FailWritesTo("history.dat");
    const Outcome failed = Fill("fill chairman --from 2026-03-04 --weeks 4");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.err.find("Kunde inte skapa ny fil: " + Path("history.dat")), std::string::npos)
        << failed.err;
    EXPECT_EQ(failed.out, "");
    EXPECT_TRUE(dir.Read("history.dat").empty());
}

} // namespace
} // namespace mivra
