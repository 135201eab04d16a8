#include "app/cli/CommandLine.h"
#include "reports/ListFixture.h"
#include "ui/headless/RecordingCanvas.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace mivra {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class PrintCommands : public test::ListTest {
protected:
    void SetUp() override {
        ListTest::SetUp();
        WeekBytes w = FullWeek(0);
        w.reader = kCarl;
        SendOut(w, 0);
        WriteLists({w, FullWeek(1)});
        ScheduleReaders();
    }
    void ScheduleReaders() {
        const std::string ini =
            "[Congregation]\r\nNumber=1\r\n[Församling]\r\nHa med högläsare=1\r\n";
        const std::string bytes = test::Cp1252(ini);
        dir.Write("mivraw.ini", Bytes(bytes.begin(), bytes.end()));
    }
    /** Runs mivra-cli in this process; the renderer draws every page on a recording canvas. */
    Outcome Run(std::vector<std::string> words, const std::string& folder = {}) {
        std::vector<std::string> args{"--data", folder.empty() ? dir.path().string() : folder,
                                      "--today", "2026-03-04"};
        args.insert(args.end(), words.begin(), words.end());
        std::ostringstream out, err;
        drawnPages = 0;
        cli::PdfRenderer pdf = [this](const std::filesystem::path& path, const cli::PdfPages& p) {
            if (path.filename() == "unwritable.pdf")
                return Status(IoError{path, "Permission denied"});
            ui::headless::RecordingCanvas canvas(p.dpi, p.dpi, true);
            for (int page = 1; page <= p.pageCount; ++page, ++drawnPages)
                p.draw(page, canvas);
            return Status::Ok();
        };
        const int code = cli::Run(args, out, err, pdf);
        return {code, out.str(), err.str()};
    }
    /** The words of a command line split at blanks. */
    Outcome Run(const char* line, const std::string& folder = {}) {
        std::vector<std::string> words;
        std::istringstream in(line);
        for (std::string w; in >> w;)
            words.push_back(w);
        return Run(words, folder);
    }
    int drawnPages = 0;
};

TEST_F(PrintCommands, EveryKindPrintsItsPagesAndPath) {
    using Words = std::vector<std::string>;
    const Words runs[] = {
        {"notice", "--week", "2026-03-04", "--slot", "1"},
        {"letter", "--week", "2026-03-04"},
        {"speakers"},
        {"speakers", "--congregation", " västra ", "--circuit", "KRETS NORD"},
        {"local-speakers"},
        {"talks"},
        {"recent-years"},
        {"exchange", "--congregation", "Västra"},
        {"brother", "--name", "Lind, Olof"},
        {"brother", "--name", "olof lind"},
        {"phones", "--from", "2026-03-04", "--weeks", "18"},
        {"outgoing"},
        {"readers"},
        {"worksheet", "--from", "2026-03-04", "--weeks", "144"},
        {"coordinators"},
        {"followups", "--after", "1", "--weeks", "52"},
        {"schedule", "--from", "2026-03-04", "--weeks", "52"},
    };
    const std::string file = (dir.path() / "out.pdf").string();
    for (Words run : runs) {
        run.insert(run.begin(), "print");
        run.insert(run.end(), {"--pdf", file});
        const Outcome o = Run(run);
        EXPECT_EQ(o.exitCode, 0) << run[1] << ": " << o.err;
        EXPECT_EQ(o.out, std::to_string(drawnPages) + "\t" + file + "\n") << run[1];
    }
    EXPECT_EQ(Run("print worksheet --from 2026-03-04 --weeks 144 --pdf out.pdf").out.substr(0, 2),
              "4\t");
}

TEST_F(PrintCommands, ExitCodesOfWrongCallsAndFailures) {
    const char* const usage[] = {
        "print",
        "print --pdf a.pdf",
        "print letters --pdf a.pdf",
        "print talks",
        "print talks extra --pdf a.pdf",
        "print talks --name x --pdf a.pdf",
        "print exchange --pdf a.pdf",
        "print brother --pdf a.pdf",
        "print phones --from 2026-03-04 --weeks 19 --pdf a.pdf",
        "print phones --from 1999-12-31 --weeks 2 --pdf a.pdf",
        "print worksheet --from 2026-03-04 --weeks 145 --pdf a.pdf",
        "print worksheet --from 2100-01-01 --weeks 1 --pdf a.pdf",
        "print schedule --from 2026-03-04 --weeks 53 --pdf a.pdf",
        "print schedule --weeks 5 --pdf a.pdf",
        "print letter --pdf a.pdf",
        "print letter --week 2026-02-30 --pdf a.pdf",
        "print notice --week 2026-03-04 --slot 7 --pdf a.pdf",
        "print notice --week 2026-03-04 --pdf a.pdf",
        "print followups --after 13 --pdf a.pdf",
        "print followups --from 2026-03-04 --pdf a.pdf",
    };
    for (const char* args : usage) {
        Outcome o = Run(args);
        EXPECT_EQ(o.exitCode, 2) << args;
        EXPECT_EQ(o.out, "") << args;
    }
    const std::pair<std::vector<std::string>, const char*> failures[] = {
        {{"print", "speakers", "--congregation", "Norra", "--pdf", "a.pdf"}, "no congregation"},
        {{"print", "speakers", "--circuit", "Syd", "--pdf", "a.pdf"}, "no circuit"},
        {{"print", "exchange", "--congregation", "Norra", "--pdf", "a.pdf"}, "no congregation"},
        {{"print", "brother", "--name", "Anders Berg", "--pdf", "a.pdf"}, "no brother of the home"},
        {{"print", "talks", "--pdf", "unwritable.pdf"}, "cannot write"},
        {{"print", "letter", "--week", "2026-03-25", "--pdf", "a.pdf"}, "no speaker and talk"},
        {{"print", "notice", "--week", "2026-03-04", "--slot", "2", "--pdf", "a.pdf"},
         "no outgoing talk 2"},
    };
    for (const auto& [args, why] : failures) {
        const Outcome o = Run(args);
        EXPECT_EQ(o.exitCode, 1) << args[1];
        EXPECT_NE(o.err.find(why), std::string::npos) << args[1] << ": " << o.err;
    }
    EXPECT_EQ(Run("print talks --pdf a.pdf", (dir.path() / "missing").string()).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));

    // Two home brothers of one name are both named.
    Bytes brothers = dir.Read("speakers.dat");
    test::PutText(brothers, 11 * 256, 20, "Olof");
    dir.Write("speakers.dat", brothers);
    const Outcome twice = Run({"print", "brother", "--name", "Olof Lind", "--pdf", "a.pdf"});
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_NE(twice.err.find("key 10"), std::string::npos) << twice.err;
    EXPECT_NE(twice.err.find("key 11"), std::string::npos) << twice.err;

    // Without readers scheduled, or without a home congregation.
    dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=1\r\n");
    EXPECT_EQ(Run("print readers --pdf a.pdf").exitCode, 1);
    dir.WriteText("mivraw.ini", "");
    for (const char* args :
         {"print local-speakers --pdf a.pdf", "print brother --name Bo --pdf a.pdf"})
        EXPECT_EQ(Run(args).exitCode, 1) << args;
    // A build without PDF output.
    std::ostringstream o2, e2;
    EXPECT_EQ(cli::Run({"--data", dir.path().string(), "print", "talks", "--pdf", "a.pdf"}, o2, e2),
              1);
}

} // namespace
} // namespace mivra
