#include "app/cli/CommandLine.h"
#include "exchange/PackageFixture.h"
#include "store/DataFolderLock.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>
#include <map>

namespace mivra {
namespace {

using Outcome = test::CliOutcome;

class SpeakerCommand : public test::PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        WriteFolder();
        csv = (other / "talare.csv").string();
        other.WriteText("talare.csv", "Förnamn;Efternamn;Församling;E-post;Tal;Färg\r\n"
                                      "Erik;Ek;Väst;ny@ek.se;6 7;\r\n"
                                      "Ny;Nysson;Öst;;S-31;\r\n"
                                      "Utan;;Väst;;;\r\n");
    }

    Outcome Run(const std::vector<std::string>& words) { return test::RunCli(dir.path(), words); }

    std::map<std::string, test::Bytes> Snapshot() {
        std::map<std::string, test::Bytes> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            files[entry.path().filename().string()] = dir.Read(entry.path().filename());
        return files;
    }

    test::TempDir other;
    std::string csv;
};

TEST_F(SpeakerCommand, ADryRunWritesNothingAndASecondImportAddsNobody) {
    const auto before = Snapshot();
    Outcome dry = Run({"import-speakers", csv, "--dry-run"});
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(dry.out, "congregation\tadd\tÖst\n"
                       "2\tupdate\tErik Ek\tVäst\temail\n"
                       "3\tadd\tNy Nysson\tÖst\n"
                       "4\treject\tUtan\tVäst\tinget efternamn\n");
    EXPECT_EQ(dry.err, "mivra-cli: unknown column Färg\n"
                       "added 1, updated 1, unchanged 0, rejected 1, new congregations 1\n");

    Outcome done = Run({"import-speakers", csv});
    EXPECT_EQ(done.exitCode, 0) << done.err;
    EXPECT_EQ(done.out, dry.out);
    Outcome again = Run({"import-speakers", csv});
    EXPECT_EQ(again.out, "2\tunchanged\tErik Ek\tVäst\n"
                         "3\tunchanged\tNy Nysson\tÖst\n"
                         "4\treject\tUtan\tVäst\tinget efternamn\n");
}

TEST_F(SpeakerCommand, EachFailureHasItsExitCode) {
    other.WriteText("tom.csv", "Förnamn;Efternamn\nA;B\n");
    {
        Result<DataFolderLock> held = DataFolderLock::Acquire(dir.path());
        ASSERT_TRUE(held.ok());
        Outcome o = Run({"import-speakers", csv});
        EXPECT_EQ(o.exitCode, 1);
        EXPECT_NE(o.err.find("används redan"), std::string::npos) << o.err;
        EXPECT_EQ(Run({"import-speakers", csv, "--dry-run"}).exitCode, 0);
    }
    EXPECT_EQ(Run({"import-speakers"}).exitCode, 2);
    EXPECT_EQ(Run({"import-speakers", csv, "--as", "x"}).exitCode, 2);
    EXPECT_EQ(Run({"import-speakers", (other / "saknas.csv").string()}).exitCode, 1);
    Outcome noColumn = Run({"import-speakers", (other / "tom.csv").string()});
    EXPECT_EQ(noColumn.exitCode, 1);
    EXPECT_NE(noColumn.err.find("saknar kolumnen"), std::string::npos) << noColumn.err;
    EXPECT_EQ(test::RunCli(other / "saknas", {"import-speakers", csv}).exitCode, 1);

    FailWritesTo("speakers.dat");
    Outcome failed = Run({"import-speakers", csv});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.err.find("Importen avbröts efter ett skrivfel"), std::string::npos)
        << failed.err;
}

} // namespace
} // namespace mivra
