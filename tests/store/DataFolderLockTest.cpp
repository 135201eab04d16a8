#include "store/DataFolderLock.h"

#include "resources/StringTable.h"
#include "support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mivra {
namespace {

TEST(DataFolderLock, ASecondWriterIsRefusedUntilTheFirstLetsGo) {
    test::TempDir dir;
    {
        Result<DataFolderLock> first = DataFolderLock::Acquire(dir.path());
        ASSERT_TRUE(first.ok()) << first.error().what;
        Result<DataFolderLock> second = DataFolderLock::Acquire(dir.path());
        ASSERT_FALSE(second.ok());
        EXPECT_EQ(second.error().path, dir.path() / DataFolderLock::kFileName);
        EXPECT_EQ(DataFolderLock::HolderPid(dir.path()), ::getpid());
        EXPECT_EQ(
            DataFolderLock::RefusalMessage(StringTable::Swedish(), dir.path()),
            StringTable::Swedish().Format(60007, dir.path().string(), std::to_string(::getpid())));
    }
    EXPECT_TRUE(DataFolderLock::Acquire(dir.path()).ok());
}

TEST(DataFolderLock, AnotherProcessHoldsTheFolderUntilItDiesAndItsLockIsTakenOver) {
    test::TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Result<DataFolderLock> lock = DataFolderLock::Acquire(dir.path());
        char ok = lock.ok() ? 'y' : 'n';
        [[maybe_unused]] ssize_t n = ::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    EXPECT_FALSE(DataFolderLock::Acquire(dir.path()).ok()) << "the living holder keeps it";
    EXPECT_EQ(DataFolderLock::HolderPid(dir.path()), child);
    ::kill(child, SIGKILL); // no chance to clean up: the file still names the dead holder
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(DataFolderLock::HolderPid(dir.path()), child);
    Result<DataFolderLock> taken = DataFolderLock::Acquire(dir.path());
    EXPECT_TRUE(taken.ok());
    EXPECT_EQ(DataFolderLock::HolderPid(dir.path()), ::getpid());
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(DataFolderLock, TakingTheFolderRemovesWhatKilledSavesLeft) {
    test::TempDir dir;
    dir.WriteText(".history.dat.tmp-Ab12Cd", "half a save");
    dir.WriteText("history.dat", "kept");
    Result<DataFolderLock> lock = DataFolderLock::Acquire(dir.path());
    ASSERT_TRUE(lock.ok());
    EXPECT_FALSE(std::filesystem::exists(dir / ".history.dat.tmp-Ab12Cd"));
    EXPECT_EQ(dir.ReadText("history.dat"), "kept");
}

TEST(DataFolderLock, AFolderThatDoesNotExistCannotBeLocked) {
    test::TempDir dir;
    EXPECT_FALSE(DataFolderLock::Acquire(dir / "none").ok());
}

} // namespace
} // namespace mivra
