#include "app/cli/CommandLine.h"
#include "rotations/HistoryFixture.h"

#include <sstream>

namespace mivra {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class HistoryCommand : public test::HistoryTest {
protected:
    Outcome Run(const std::string& command) {
        std::vector<std::string> args{"--data", dir.path().string(), "--today", "2026-03-04"};
        std::istringstream words(command);
        for (std::string word; words >> word;)
            args.push_back(word);
        std::ostringstream out, err;
        const int code = cli::Run(args, out, err);
        return {code, out.str(), err.str()};
    }
    std::string Week(int weekIndex) const {
        return std::to_string(weekIndex + 1) + "\t" + Date(weekIndex);
    }
};

TEST_F(HistoryCommand, PrintsTheRowsOfBothHistoriesInTheDialogsOrder) {
    PutHome(f - 2, 5, carl, dala);
    PutHome(f - 3, 300, carl, 999); // a talk and a congregation that do not exist
    PutOut(f - 1, 0, anders, dala, 12);
    PutOut(f - 1, 1, bo, dala, 7);
    PutOut(f - 4, 0, anders, dala, 30);
    ASSERT_TRUE(doc->Weeks().SaveWeeks());
    const std::string c = std::to_string(carl), a = std::to_string(anders);
    const std::string d = std::to_string(dala);

    Outcome o = Run("history talks");
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, Week(f - 2) + "\t\t5\t5\t" + c + "\tCarl Dahl\t" + d + "\tDala\n" +
                         Week(f - 3) + "\t\t300\t\t" + c + "\tCarl Dahl\t999\t\n");
    o = Run("history talks --outgoing --speaker " + a);
    EXPECT_EQ(o.out, Week(f - 1) + "\t0\t12\t12\t" + a + "\tAnders Berg\t" + d + "\tDala\n" +
                         Week(f - 4) + "\t0\t30\t30\t" + a + "\tAnders Berg\t" + d + "\tDala\n");
    o = Run("history talks --talk 7 --outgoing");
    EXPECT_EQ(o.out,
              Week(f - 1) + "\t1\t7\t7\t" + std::to_string(bo) + "\tBo Alm\t" + d + "\tDala\n");

    PutHome(f - 6, 12, anders, home);
    ASSERT_TRUE(doc->Weeks().SaveWeeks());
    o = Run("history speaker --brother " + a);
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, Week(f - 1) + "\tout\t0\t12\tDala\n" + Week(f - 4) + "\tout\t0\t30\tDala\n" +
                         Week(f - 6) + "\thome\t\t12\t\n");
}

TEST_F(HistoryCommand, UsageErrorsExitTwoAndAnUnknownBrotherOne) {
    const char* const usage[] = {"history",
                                 "history weeks",
                                 "history talks --talk 0",
                                 "history talks --talk 257",
                                 "history talks --talk x",
                                 "history talks --speaker 3",
                                 "history talks --outgoing --speaker 0",
                                 "history talks --brother 3",
                                 "history talks --outgoing=1",
                                 "history speaker",
                                 "history speaker --brother 0",
                                 "history speaker --brother 3 --talk 5",
                                 "history speaker --brother 3 --today 2026-02-30"};
    for (const char* args : usage)
        EXPECT_EQ(Run(args).exitCode, 2) << args;
    EXPECT_EQ(Run("history speaker --brother 60000").exitCode, 1);
    EXPECT_EQ(Run("history talks --outgoing --speaker 60000").exitCode, 1);
    std::vector<std::string> args{"--data", (dir.path() / "missing").string(), "history", "talks"};
    std::ostringstream out, err;
    EXPECT_EQ(cli::Run(args, out, err), 1) << "a missing data folder";
}

} // namespace
} // namespace mivra
