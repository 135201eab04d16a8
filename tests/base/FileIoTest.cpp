#include "base/FileIo.h"

#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace mivra::io {
namespace {

class FileIoTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetFaultHook(nullptr);
        SetDurable(true);
    }
    test::TempDir dir;
};

std::vector<uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

TEST_F(FileIoTest, MissingAndUnreadableAreDifferent) {
    EXPECT_EQ(ReadFile(dir / "none.dat").state, ReadState::Missing);
    std::filesystem::create_directory(dir / "folder.dat");
    EXPECT_EQ(ReadFile(dir / "folder.dat").state, ReadState::Unreadable);
}

TEST_F(FileIoTest, ReadCapsAtMaxBytesButReportsTheFullSize) {
    dir.WriteText("big.dat", std::string(1000, 'x'));
    FileBytes f = ReadFile(dir / "big.dat", 100);
    EXPECT_EQ(f.state, ReadState::Ok);
    EXPECT_EQ(f.bytes.size(), 100u);
    EXPECT_EQ(f.fileSize, 1000u);
}

TEST_F(FileIoTest, SaveFileReplacesTheWholeFileAndLeavesNoTemporary) {
    dir.WriteText("a.dat", "old contents, longer");
    ASSERT_TRUE(SaveFile(dir / "a.dat", Bytes("new")).ok());
    EXPECT_EQ(dir.ReadText("a.dat"), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(FileIoTest, EveryFailedStepOfASaveKeepsTheOldFile) {
    for (Step failing :
         {Step::Create, Step::Write, Step::Flush, Step::Sync, Step::Close, Step::Rename}) {
        dir.WriteText("a.dat", "old");
        SetFaultHook([failing](Step s, const std::filesystem::path&) { return s == failing; });
        Status s = SaveFile(dir / "a.dat", Bytes("new contents"));
        SetFaultHook(nullptr);
        ASSERT_FALSE(s.ok()) << static_cast<int>(failing);
        EXPECT_EQ(s.error().path, dir / "a.dat");
        EXPECT_EQ(dir.ReadText("a.dat"), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  1)
            << "temporary file left behind";
    }
}

TEST_F(FileIoTest, SaveIntoAFolderThatCannotBeWrittenFailsWithThePath) {
    // A path below a regular file cannot be written, not even by root.
    dir.WriteText("plain", "x");
    const std::filesystem::path target = dir / "plain" / "x.dat";
    Status s = SaveFile(target, Bytes("x"));
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().path, target);
    EXPECT_NE(s.error().what.find("create"), std::string::npos) << s.error().what;
    EXPECT_FALSE(WriteSlot(target, 0, Bytes("x")).ok());
}

TEST_F(FileIoTest, EverySaveSyncsItsFileAndAWholeFileSaveItsFolder) {
    SetDurable(true);
    std::map<Step, int> syncs;
    SetFaultHook([&](Step s, const std::filesystem::path&) {
        syncs[s] += s == Step::Sync || s == Step::SyncFolder;
        return false;
    });
    ASSERT_TRUE(SaveFile(dir / "a.dat", Bytes("whole")).ok());
    EXPECT_EQ(syncs[Step::Sync], 1);
    EXPECT_EQ(syncs[Step::SyncFolder], 1);
    syncs.clear();
    ASSERT_TRUE(WriteSlot(dir / "s.dat", 0, Bytes("slot")).ok());
    EXPECT_EQ(syncs[Step::Sync], 1);
    EXPECT_EQ(syncs[Step::SyncFolder], 0);
}

TEST_F(FileIoTest, AFailedFolderSyncLeavesTheSavedFile) {
    SetFaultHook([](Step s, const std::filesystem::path&) { return s == Step::SyncFolder; });
    EXPECT_TRUE(SaveFile(dir / "a.dat", Bytes("new")).ok());
    EXPECT_EQ(dir.ReadText("a.dat"), "new");
}

TEST_F(FileIoTest, OnlyTheSavesOwnLeftoversAreRemoved) {
    const std::vector<std::string> leftovers = {".speakers.dat.tmp-a1B2c3", ".x.tmp-ZZZZZZ"};
    const std::vector<std::string> kept = {"speakers.dat", ".speakers.dat.tmp-a1B2c",
                                           "x.tmp-abcdef", ".x.tmp-abc-ef",
                                           ".mivra.lock",  ".x.tmp-abcdefg"};
    for (const std::string& name : leftovers)
        dir.WriteText(name, "half");
    for (const std::string& name : kept)
        dir.WriteText(name, "mine");
    std::filesystem::create_directory(dir / ".folder.tmp-abcdef");
    std::filesystem::create_symlink(dir / "speakers.dat", dir / ".link.tmp-abcdef");
    RemoveTemporaryLeftovers(dir.path());
    for (const std::string& name : leftovers)
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const std::string& name : kept)
        EXPECT_EQ(dir.ReadText(name), "mine") << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir / ".folder.tmp-abcdef"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / ".link.tmp-abcdef"));
}

TEST_F(FileIoTest, SlotWritesInPlaceAndReadsBack) {
    ASSERT_TRUE(WriteSlot(dir / "s.dat", 4, Bytes("abcd")).ok());
    EXPECT_EQ(dir.Read("s.dat"), (std::vector<uint8_t>{0, 0, 0, 0, 'a', 'b', 'c', 'd'}));
    ASSERT_TRUE(WriteSlot(dir / "s.dat", 0, Bytes("zz")).ok());
    EXPECT_EQ(*ReadSlot(dir / "s.dat", 0, 8),
              (std::vector<uint8_t>{'z', 'z', 0, 0, 'a', 'b', 'c', 'd'}));
    EXPECT_FALSE(ReadSlot(dir / "s.dat", 6, 4).has_value()) << "short read";
    EXPECT_FALSE(ReadSlot(dir / "none.dat", 0, 1).has_value());
}

TEST_F(FileIoTest, FailedSlotWriteReportsThePath) {
    SetFaultHook([](Step s, const std::filesystem::path&) { return s == Step::Write; });
    Status s = WriteSlot(dir / "s.dat", 0, Bytes("abcd"));
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().path, dir / "s.dat");
}

// Runs a call in a child process: true when it ends by itself within a second. A call that
// blocks forever would otherwise hang the whole suite.
bool EndsWithinASecond(const std::function<bool()>& call) {
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(call() ? 0 : 1);
    for (int i = 0; i < 100; ++i) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return false;
}

TEST_F(FileIoTest, APipeNamedLikeADataFileIsRefusedWithoutWaitingForAWriter) {
    const std::filesystem::path fifo = dir / "speakers.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(EndsWithinASecond([&] { return ReadFile(fifo).state == ReadState::Unreadable; }));
    EXPECT_TRUE(EndsWithinASecond([&] { return !ReadSlot(fifo, 0, 256).has_value(); }));
    EXPECT_TRUE(EndsWithinASecond([&] { return !WriteSlot(fifo, 0, Bytes("abcd")).ok(); }))
        << "nor waits for a reader";
}

TEST_F(FileIoTest, LargeFilesAreWrittenInSeveralPiecesAndAFailedPieceKeepsTheOldFile) {
    dir.WriteText("big.dat", "old");
    const std::vector<uint8_t> data(100 * 1024, 'x');
    int writes = 0;
    SetFaultHook(
        [&](Step s, const std::filesystem::path&) { return s == Step::Write && ++writes == 3; });
    EXPECT_FALSE(SaveFile(dir / "big.dat", data).ok());
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(dir.ReadText("big.dat"), "old");
    SetFaultHook([&](Step s, const std::filesystem::path&) {
        writes += s == Step::Write;
        return false;
    });
    writes = 0;
    ASSERT_TRUE(SaveFile(dir / "big.dat", data).ok());
    EXPECT_GT(writes, 3);
    EXPECT_EQ(dir.Read("big.dat"), data);
}

} // namespace
} // namespace mivra::io
