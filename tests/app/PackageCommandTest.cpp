#include "app/cli/CommandLine.h"
#include "exchange/PackageFixture.h"
#include "store/DataFolderLock.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace mivra {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class PackageCommands : public test::PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        WriteFolder();
    }

    Outcome Run(const std::filesystem::path& folder, std::vector<std::string> words) {
        std::vector<std::string> args{"--data", folder.string(), "--today", "2026-03-04"};
        args.insert(args.end(), words.begin(), words.end());
        std::ostringstream out, err;
        const int code = cli::Run(args, out, err);
        return {code, out.str(), err.str()};
    }

    static std::map<std::string, test::Bytes> Snapshot(const test::TempDir& folder) {
        std::map<std::string, test::Bytes> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            files[entry.path().filename().string()] = folder.Read(entry.path().filename());
        return files;
    }

    test::TempDir other;
};

TEST_F(PackageCommands, ARoundTripBetweenTwoFolders) {
    const std::string file = (other / "väst.c1d").string();
    Outcome exported =
        Run(dir.path(), {"export-package", "--congregation", " VÄST ", "--out", file});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, file + "\t2\n");

    const auto before = Snapshot(other);
    Outcome dry = Run(other.path(), {"import-package", file, "--dry-run"});
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(Snapshot(other), before) << "a dry run writes nothing, not even missing files";
    EXPECT_EQ(dry.out, "congregation\tadd\tVäst\taddress,telephone,times\n"
                       "add\tErik Ek\nadd\tGustav Gran\n");
    EXPECT_EQ(dry.err, "mivra-cli: Kan inte hitta krets - Krets 7.  Välj en annan krets eller "
                       "infoga den.\n");

    Outcome imported = Run(other.path(), {"import-package", file});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, dry.out);
    Outcome again = Run(other.path(), {"import-package", file, "--as", "väst"});
    EXPECT_EQ(again.out,
              "congregation\tupdate\tVäst\t\nunchanged\tErik Ek\nunchanged\tGustav Gran\n");

    // Back home: Erik's roles come back masked, and Fred, who sends no talks, is detached.
    Outcome back = Run(dir.path(), {"import-package", file, "--dry-run"});
    EXPECT_EQ(back.out, "congregation\tupdate\tVäst\t\nupdate\tErik Ek\troles\n"
                        "unchanged\tGustav Gran\ndetach\tFred Fur\n");
}

TEST_F(PackageCommands, EachFailureHasItsExitCode) {
    dir.Write("short.c1d", test::Bytes(383, 1));
    dir.Write("nameless.c1d", test::PackageFile({}, {{.first = "A", .last = "B"}}));
    const std::string folder = dir.path().string();
    struct Case {
        std::vector<std::string> words;
        int code;
        std::string err;
    };
    const Case cases[] = {
        {{"export-package"}, 2, "needs --congregation"},
        {{"export-package", "x", "--congregation", "Väst"}, 2, "takes no argument"},
        {{"export-package", "--congregation", "Väst", "--as", "y"}, 2, "takes no --as"},
        {{"import-package"}, 2, "needs a package file"},
        {{"import-package", "a.c1d", "--out", "b"}, 2, "takes no --out"},
        {{"export-package", "--congregation", "Öst"}, 1, "no congregation named Öst"},
        {{"export-package", "--congregation", "Väst", "--out", folder + "/no/such.c1d"},
         1,
         "Kunde inte skapa ny fil: " + folder + "/no/such.c1d"},
        {{"import-package", folder + "/none.c1d"}, 1, "kunde inte läsas"},
        {{"import-package", folder + "/short.c1d"}, 1, "kortare än en post"},
        {{"import-package", folder + "/nameless.c1d", "--dry-run"}, 1, "namnger ingen"},
    };
    for (const Case& c : cases) {
        Outcome o = Run(dir.path(), c.words);
        EXPECT_EQ(o.exitCode, c.code) << c.words[0] << " " << o.err;
        EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
        EXPECT_EQ(o.out, "");
    }
    EXPECT_EQ(Run(other / "missing", {"export-package", "--congregation", "Väst"}).exitCode, 1);
}

TEST_F(PackageCommands, AnImportTakesTheLockAndStopsAtAFailedWrite) {
    ASSERT_EQ(Run(dir.path(), {"export-package", "--congregation", "Väst"}).exitCode, 0);
    const std::string file = (dir / "Väst.c1d").string();
    {
        Result<DataFolderLock> held = DataFolderLock::Acquire(other.path());
        ASSERT_TRUE(held.ok());
        Outcome o = Run(other.path(), {"import-package", file});
        EXPECT_EQ(o.exitCode, 1);
        EXPECT_NE(o.err.find("används redan"), std::string::npos) << o.err;
        EXPECT_EQ(Run(other.path(), {"import-package", file, "--dry-run"}).exitCode, 0)
            << "a dry run takes no lock";
        EXPECT_EQ(Run(other.path(), {"export-package", "--congregation", "Väst"}).exitCode, 1)
            << "no congregation there yet, but no refusal either";
    }
    ASSERT_EQ(Run(other.path(), {"dump", "brothers"}).exitCode, 0); // the files exist
    FailWritesTo("speakers.dat");
    Outcome o = Run(other.path(), {"import-package", file});
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.err.find("Kunde inte skapa ny fil: " + (other / "speakers.dat").string()),
              std::string::npos)
        << o.err;
}

} // namespace
} // namespace mivra
