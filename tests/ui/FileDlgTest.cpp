#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/CFileDlg.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using ui::CFileDlg;

TEST(FileDlg, PatternsMatchInAnyCaseAndWholeCharacters) {
    EXPECT_TRUE(ui::MatchesPattern("karta.jpg", "*.jpg"));
    EXPECT_TRUE(ui::MatchesPattern("KARTA.JPG", "*.jpg"));
    EXPECT_TRUE(ui::MatchesPattern("Karta.Jpeg", "*.JPEG"));
    EXPECT_TRUE(ui::MatchesPattern("a.jpg.jpg", "*.jpg"));
    EXPECT_TRUE(ui::MatchesPattern("ö.c1d", "?.c1d")) << "one character, two bytes";
    EXPECT_FALSE(ui::MatchesPattern("karta.jpg.txt", "*.jpg"));
    EXPECT_FALSE(ui::MatchesPattern("kartajpg", "*.jpg"));
    EXPECT_FALSE(ui::MatchesPattern("öö.c1d", "?.c1d"));
}

class FileDlgRun : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("KARTA.JPG", {1});
        dir.Write("notes.txt", {1});
        std::filesystem::create_directory(dir / "sub.jpg");
    }
    CFileDlg Dialog() const { return CFileDlg("Välj", "Kartor", {"*.jpg", "*.jpeg"}, dir.path()); }
    test::TempDir dir;
    test::TestHost host;
};

TEST_F(FileDlgRun, TakesAnExistingMatchingFileAndLeavesTheWorkingDirectory) {
    const auto before = std::filesystem::current_path();
    CFileDlg dialog = Dialog();
    // Missing, a folder and a file of another kind are refused; the chooser stays open.
    host.ChooseFile({"saknas.jpg", "sub.jpg", "notes.txt", "KARTA.JPG"});
    ASSERT_TRUE(dialog.Run(host));
    EXPECT_EQ(dialog.Path(), dir / "KARTA.JPG");
    EXPECT_EQ(dialog.FileName(), "KARTA.JPG");
    ASSERT_EQ(host.FileRequests().size(), 1u);
    const ui::FileRequest& request = host.FileRequests()[0];
    EXPECT_EQ(request.title, "Välj");
    EXPECT_EQ(request.folder, dir.path().string());
    EXPECT_TRUE(request.mustExist);
    EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST_F(FileDlgRun, CancelledOrRefusedAnswersChooseNothing) {
    CFileDlg dialog = Dialog();
    host.ChooseFile({});
    EXPECT_FALSE(dialog.Run(host));
    host.ChooseFile({"saknas.jpg"});
    EXPECT_FALSE(dialog.Run(host));
    // A backend that ignores `accept` is held to it all the same.
    host.OnOpenFile([this](const ui::FileRequest&) { return (dir / "notes.txt").string(); });
    EXPECT_FALSE(dialog.Run(host));
    EXPECT_TRUE(dialog.Path().empty());
}

TEST_F(FileDlgRun, WithoutMustExistAnyMatchingNameGoes) {
    CFileDlg dialog = Dialog();
    dialog.SetMustExist(false);
    host.ChooseFile({"ny.txt", "ny.jpeg"});
    ASSERT_TRUE(dialog.Run(host));
    EXPECT_EQ(dialog.Path(), dir / "ny.jpeg");
}

} // namespace
} // namespace mivra
