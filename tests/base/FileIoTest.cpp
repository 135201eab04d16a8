#include "base/FileIo.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace mivra::io {
namespace {

class FileIoTest : public ::testing::Test {
protected:
    void TearDown() override { SetFaultHook(nullptr); }
    test::TempDir dir;
};

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

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
    for (Step failing : {Step::Create, Step::Write, Step::Flush, Step::Sync, Step::Close,
                         Step::Rename}) {
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

TEST_F(FileIoTest, SaveIntoAReadOnlyFolderFailsWithThePath) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write anywhere";
    std::filesystem::create_directory(dir / "ro");
    chmod((dir / "ro").c_str(), 0500);
    Status s = SaveFile(dir / "ro" / "x.dat", Bytes("x"));
    EXPECT_FALSE(s.ok());
    chmod((dir / "ro").c_str(), 0700);
}

TEST_F(FileIoTest, SlotWritesInPlaceAndReadsBack) {
    ASSERT_TRUE(WriteSlot(dir / "s.dat", 4, Bytes("abcd")).ok());
    EXPECT_EQ(dir.Read("s.dat"), (std::vector<uint8_t>{0, 0, 0, 0, 'a', 'b', 'c', 'd'}));
    ASSERT_TRUE(WriteSlot(dir / "s.dat", 0, Bytes("zz")).ok());
    EXPECT_EQ(*ReadSlot(dir / "s.dat", 0, 8), (std::vector<uint8_t>{'z', 'z', 0, 0, 'a', 'b',
                                                                    'c', 'd'}));
    EXPECT_FALSE(ReadSlot(dir / "s.dat", 6, 4).has_value()) << "short read";
    EXPECT_FALSE(ReadSlot(dir / "none.dat", 0, 1).has_value());
}

TEST_F(FileIoTest, FailedSlotWriteReportsThePath) {
    SetFaultHook([](Step s, const std::filesystem::path&) { return s == Step::Write; });
    Status s = WriteSlot(dir / "s.dat", 0, Bytes("abcd"));
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().path, dir / "s.dat");
}

} // namespace
} // namespace mivra::io
