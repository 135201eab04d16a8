#include "app/cli/CommandLine.h"
#include "base/FileIo.h"
#include "reports/ScheduleFixture.h"
#include "store/DataFolderLock.h"
#include "support/CliRun.h"
#include "ui/headless/RecordingCanvas.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace mivra {
namespace {

using Outcome = test::CliOutcome;

class ScheduleCommands : public test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        WeekBytes w = FullWeek(0);
        SendOut(w, 0);
        WriteFolder({w, FullWeek(1)});
    }
    /** Runs mivra-cli in this process, with a PDF renderer or none. */
    Outcome RunHere(const std::string& command, const cli::PdfRenderer& pdf = {}) {
        return test::RunCli(dir.path(), command, pdf);
    }
    /** Runs the real program. */
    Outcome RunProgram(const std::string& arguments) {
        const std::string out = (scratch / "out").string(), err = (scratch / "err").string();
        std::string command = "'" MIVRA_CLI "' --data '" + dir.path().string() +
                              "' --today 2026-03-04 " + arguments + " >'" + out + "' 2>'" + err +
                              "'";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, scratch.ReadText("out"),
                scratch.ReadText("err")};
    }
    test::TempDir scratch;
};

TEST_F(ScheduleCommands, BadDatesCountsAndOptionsExitTwo) {
    const char* const bad[] = {
        "export-tsv --from 2026-13-01 --weeks 4",
        "export-tsv --from 2000-01-02 --weeks 4",
        "export-tsv --from 2100-01-01 --weeks 4",
        "export-tsv --from 26-03-04 --weeks 4",
        "export-tsv --from 2026-02-30 --weeks 4",
        "export-tsv --weeks 4",
        "export-tsv --from 2026-03-04 --weeks 0",
        "export-tsv --from 2026-03-04 --weeks 53",
        "export-tsv --from 2026-03-04 --weeks 4x",
        "export-tsv --from 2026-03-04 --weeks=",
        "export-tsv --from 2026-03-04",
        "export-tsv --from 2026-03-04 --weeks 4 x",
        "export-tsv --from 2026-03-04 --weeks 4 --pdf a.pdf",
        "print-schedule --from 2026-03-04 --weeks 4",
        "dump weeks --from 2026-03-04",
    };
    for (const char* args : bad) {
        Outcome o = RunHere(args);
        EXPECT_EQ(o.exitCode, 2) << args;
        EXPECT_NE(o.err.find("usage: mivra-cli"), std::string::npos) << args;
        EXPECT_EQ(o.out, "") << args;
    }
    EXPECT_NE(RunHere("export-tsv --from 1999-12-31 --weeks 4").err.find("2000-01-03"),
              std::string::npos)
        << "the message names the accepted dates";
    EXPECT_FALSE(dir.Exists("ptsched.txt"));
}

TEST_F(ScheduleCommands, ExportTsvWritesTheFileAndPrintsItsPath) {
    Outcome o = RunProgram("export-tsv --from 2026-03-05 --weeks 2");
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, (dir / "ptsched.txt").string() + "\n");
    EXPECT_EQ(o.err, "");
    std::string text = dir.ReadText("ptsched.txt");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_NE(text.find("\nMar 08, 2026\t"), std::string::npos) << "the week holding 5 March";
    EXPECT_NE(text.find("Olof Lind"), std::string::npos);
}

// Neither job writes a data file, so both run beside a program that holds the folder.
TEST_F(ScheduleCommands, BothJobsRunWhileAnotherProgramHoldsTheFolder) {
    Result<DataFolderLock> held = DataFolderLock::Acquire(dir.path());
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(RunProgram("export-tsv --from 2026-03-05 --weeks 2").exitCode, 0);
    const std::string pdf = (scratch / "held.pdf").string();
    // Without PDF output the job still runs and says so (exit 1), not the lock's refusal.
    Outcome o = RunProgram("print-schedule --from 2026-03-05 --weeks 2 --pdf '" + pdf + "'");
    EXPECT_EQ(o.exitCode, MIVRA_CLI_HAS_PDF ? 0 : 1) << o.err;
    EXPECT_EQ(o.err.find("används redan"), std::string::npos) << o.err;
}

TEST_F(ScheduleCommands, AFailedExportExitsOneWithTheMessage) {
    io::SetFaultHook([](io::Step s, const std::filesystem::path& target) {
        return s == io::Step::Rename && target.filename() == "ptsched.txt";
    });
    Outcome o = RunHere("export-tsv --from 2026-03-04 --weeks 2");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("Kunde inte skapa ny fil: " + (dir / "ptsched.txt").string()),
              std::string::npos)
        << o.err;
}

TEST_F(ScheduleCommands, AMissingDataFolderIsNotCreated) {
    Outcome o = RunProgram("--data '" + (scratch / "none").string() +
                           "' export-tsv --from 2026-03-04 --weeks 2");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.err.find("no data folder"), std::string::npos) << o.err;
    EXPECT_FALSE(scratch.Exists("none"));
}

TEST_F(ScheduleCommands, PrintScheduleLaysOutForAPdfPageAndDrawsEachPage) {
    dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=1\r\n[Teckensnitt]\r\nHeight=-40\r\n");
    std::vector<int> drawn;
    int dpi = 0, pages = 0;
    ui::headless::RecordingCanvas canvas(300, 300, true);
    cli::PdfRenderer pdf = [&](const std::filesystem::path& path, const cli::PdfPages& p) {
        EXPECT_EQ(path, "out.pdf");
        dpi = p.dpi;
        pages = p.pageCount;
        for (int page = 1; page <= p.pageCount; ++page) {
            drawn.push_back(page);
            p.draw(page, canvas);
        }
        return Status::Ok();
    };
    Outcome o = RunHere("print-schedule --from 2026-03-04 --weeks 12 --pdf out.pdf", pdf);
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(dpi, 300);
    // Text −40 screen units is a row of 125 at 300 dpi: 4, 5 and 3 weeks (the first week
    // has an outgoing line; 21 × 125 + 250 > 2850).
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(drawn, (std::vector<int>{1, 2, 3}));
    std::vector<ui::headless::RecordingCanvas::Call> origins = canvas.CallsOf("origin");
    ASSERT_EQ(origins.size(), 3u);
    EXPECT_EQ(origins[2].at, (ui::Point{-75, 2 * 3300 - 75}))
        << "page 3 of the strip a quarter inch inside its sheet, where paper's printable area is";
    const ui::headless::RecordingCanvas::Call* speaker = canvas.FindText("Bo Ek");
    ASSERT_TRUE(speaker);
    EXPECT_EQ(speaker->font.height, -125) << "the profile's text font, scaled";
}

TEST_F(ScheduleCommands, PrintScheduleWithoutPdfOutputSaysSoAndExitsOne) {
    Outcome o = RunHere("print-schedule --from 2026-03-04 --weeks 2 --pdf out.pdf");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.err.find("not available"), std::string::npos) << o.err;
}

TEST_F(ScheduleCommands, PrintNeedsWritesTheNeedsPagesAndNamesTheFile) {
    std::vector<uint8_t> wishlist(96, 0);
    for (size_t i = 0; i < 6; ++i)
        wishlist[i] = 0xFF; // talks 1 … 48
    dir.Write("wishlist.dat", wishlist);
    int pages = 0;
    cli::PdfRenderer pdf = [&](const std::filesystem::path& path, const cli::PdfPages& p) {
        EXPECT_TRUE(path.is_absolute());
        pages = p.pageCount;
        return path.filename() == "full.pdf" ? Status(IoError{path, "disk full"}) : Status::Ok();
    };
    Outcome o = RunHere("print-needs --pdf needs.pdf", pdf);
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(pages, 2) << "48 talks: 38 and 10";
    EXPECT_EQ(o.out, "2\t" + std::filesystem::absolute("needs.pdf").string() + "\n");
    o = RunHere("print-needs --pdf full.pdf", pdf);
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.err.find(std::filesystem::absolute("full.pdf").string()), std::string::npos);
    EXPECT_EQ(RunHere("print-needs", pdf).exitCode, 2);
    EXPECT_EQ(RunHere("print-needs --weeks 2 --pdf x.pdf", pdf).exitCode, 2);
    EXPECT_EQ(RunHere("print-needs --pdf x.pdf").exitCode, 1) << "no PDF output";
}

#if MIVRA_CLI_HAS_PDF
TEST_F(ScheduleCommands, PrintScheduleWritesAPdf) {
    const std::string pdf = (scratch / "schema.pdf").string();
    Outcome o = RunProgram("print-schedule --from 2026-03-04 --weeks 20 --pdf '" + pdf + "'");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    std::string bytes = scratch.ReadText("schema.pdf");
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/Count 2"), std::string::npos) << "20 plain weeks take two pages";
}
#endif

} // namespace
} // namespace mivra
