#include "exchange/CBackupDlg.h"
#include "store/Profile.h"
#include "support/DocFixture.h"
#include "ui/CSelectFolderDialog.h"
#include "ui/headless/HeadlessDialog.h"

#include <algorithm>

namespace mivra {
namespace {

namespace fs = std::filesystem;
using exchange::BackupTime;
using exchange::CBackupDlg;
using ui::headless::HeadlessDialog;
using Mode = CBackupDlg::Mode;

constexpr BackupTime kAt{{2026, 12, 6}, 22, 15};
constexpr const char* kName = "Qz4_26340_2215_06Dec26";

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Backup : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        dir.Write(
            "speakers.dat",
            test::SlotFile(
                {{1, test::BrotherBytes{.first = "Anders", .last = "Berg", .key = 1}.Build()}}));
        dir.Write(
            "cong.dat",
            test::SlotFile(
                {{1,
                  test::CongregationBytes{.name = "Norrby", .map = "karta.jpg", .key = 1}.Build()},
                 {2, test::CongregationBytes{.name = "Söderby", .map = "../x.jpg", .key = 2}
                         .Build()}}));
        dir.Write("talk.dat", test::Bytes(154, 1));
        dir.WriteText("mivraw.ini", test::Cp1252("[Församling]\r\nAlternativt datumformat=1\r\n"));
        dir.WriteText("karta.jpg", "map");
        dir.WriteText("Extra.JPG", "picture");
        Load();
    }

    std::string Base() const { return base.path().string() + "/"; }

    /** The dialog on the fixed time; the user will pick the base folder in its chooser. */
    CBackupDlg& OnBase(CBackupDlg& dialog) {
        dialog.SetTimeSource([this] { return time; });
        host.SelectFolder({base.path().string()});
        return dialog;
    }

    std::string ProfileValue(const std::string& key) {
        return Profile::Load(dir / "mivraw.ini", 1252).GetString("Backup", key).value_or("");
    }

    test::TempDir base;
    BackupTime time = kAt;
};

TEST_F(Backup, FolderNameFromTheTimeAndWhatCountsAsABackup) {
    EXPECT_EQ(exchange::BackupFolderName(kAt), kName);
    EXPECT_EQ(exchange::BackupFolderName({{2024, 3, 1}, 7, 5}), "Qz4_24061_0705_01Mar24");
    EXPECT_TRUE(exchange::IsBackupFolder("/a/Qz4_1/"));
    EXPECT_FALSE(exchange::IsBackupFolder("/a/Qz4mine"));
}

TEST_F(Backup, BacksUpTheSetPrunesToFourAndLeavesOtherFoldersAlone) {
    for (const char* old :
         {"Qz4_25001_0900_01Jan25", "Qz4_25002_0900_02Jan25", "Qz4_25003_0900_03Jan25",
          "Qz4_25004_0900_04Jan25", "Qz4_25005_0900_05Jan25"}) {
        fs::create_directory(base / old);
        base.WriteText(std::string(old) + "/speakers.dat", "old");
        base.WriteText(std::string(old) + "/Map.JPG", "old");
    }
    fs::create_directory(base / "Qz4mine");
    base.WriteText("Qz4mine/speakers.dat", "mine");

    doc->Availability().AddUnavailableWeek(1, 1400);
    CBackupDlg dialog(*doc, Mode::Backup);
    HeadlessDialog d(host, OnBase(dialog));
    EXPECT_FALSE(d.IsShown(CBackupDlg::kFloppy));
    EXPECT_FALSE(d.IsShown(CBackupDlg::kList));
    const std::string withoutMaps = d.Text(CBackupDlg::kSize);
    d.Press(CBackupDlg::kBrowse);
    EXPECT_EQ(d.Text(CBackupDlg::kFolder), Base());
    EXPECT_EQ(d.Text(CBackupDlg::kStatus), "Klicka OK för att skapa en backup i: " + Base());
    d.Ok();
    EXPECT_EQ(d.Text(CBackupDlg::kStatus), "Din backup är klar!");
    EXPECT_EQ(d.Text(ui::kIdCancel), "Stäng");

    EXPECT_EQ(Entries(base.path()),
              (std::vector<std::string>{"Qz4_25003_0900_03Jan25", "Qz4_25004_0900_04Jan25",
                                        "Qz4_25005_0900_05Jan25", kName, "Qz4mine"}));
    EXPECT_EQ(Entries(base / kName),
              (std::vector<std::string>{"blackout.dat", "cong.dat", "mivraw.ini", "speakers.dat",
                                        "talk.dat", "xtend.dat"}))
        << "the changed availability saved first, missing files skipped, no maps unasked";
    EXPECT_EQ(base.ReadText(std::string(kName) + "/speakers.dat"), dir.ReadText("speakers.dat"));
    EXPECT_EQ(base.ReadText("Qz4mine/speakers.dat"), "mine");
    EXPECT_EQ(ProfileValue("Väg"), Base());
    EXPECT_EQ(ProfileValue("Diskett"), "0");
    EXPECT_NE(withoutMaps, "");

    // The same minute again: the name is taken, nothing is deleted, nothing claims success.
    CBackupDlg again(*doc, Mode::Backup);
    again.SetTimeSource([this] { return time; });
    HeadlessDialog a(host, again);
    EXPECT_EQ(a.Text(CBackupDlg::kFolder), Base()) << "the folder from the profile";
    a.Ok();
    EXPECT_EQ(a.Text(CBackupDlg::kStatus), "Gör nytt försök med backup om 1 minut.");
    EXPECT_EQ(Entries(base.path()).size(), 5u);
    a.Cancel();
    d.Ok();
    EXPECT_FALSE(d.IsOpen());
}

TEST_F(Backup, MapsOnlyOnRequestAndOnlyPlainNames) {
    CBackupDlg dialog(*doc, Mode::Backup);
    HeadlessDialog d(host, OnBase(dialog));
    EXPECT_EQ(d.Text(CBackupDlg::kSize),
              "Nödvändigt utrymme: " + std::to_string(exchange::BackupSize(*doc, false)) +
                  " bytes");
    d.Press(CBackupDlg::kMaps);
    EXPECT_EQ(exchange::BackupSize(*doc, true), exchange::BackupSize(*doc, false) + 3);
    EXPECT_EQ(d.Text(CBackupDlg::kSize),
              "Nödvändigt utrymme: " + std::to_string(exchange::BackupSize(*doc, true)) + " bytes");
    d.Press(CBackupDlg::kBrowse).Ok();
    const auto copied = Entries(base / kName);
    EXPECT_NE(std::find(copied.begin(), copied.end(), "karta.jpg"), copied.end());
    EXPECT_EQ(std::find(copied.begin(), copied.end(), "Extra.JPG"), copied.end());
    EXPECT_EQ(std::find(copied.begin(), copied.end(), "x.jpg"), copied.end());
}

TEST_F(Backup, AFailedCopyLeavesNoFolderAndNoPath) {
    io::SetFaultHook([](io::Step step, const fs::path& target) {
        return step == io::Step::Write && target.filename() == "talk.dat";
    });
    CBackupDlg dialog(*doc, Mode::Backup);
    HeadlessDialog d(host, OnBase(dialog));
    d.Press(CBackupDlg::kBrowse).Ok();
    EXPECT_EQ(d.Text(CBackupDlg::kStatus),
              "Backupen misslyckades: talk.dat kunde inte kopieras. Gör ett nytt försök.");
    EXPECT_TRUE(Entries(base.path()).empty());
    EXPECT_EQ(ProfileValue("Väg"), "");
    EXPECT_EQ(d.Text(ui::kIdCancel), "Avbryt");
}

TEST_F(Backup, ABackupFolderIsRefusedAsDestination) {
    fs::create_directory(base / kName);
    CBackupDlg dialog(*doc, Mode::Backup);
    host.SelectFolder({(base / kName).string()});
    HeadlessDialog d(host, dialog);
    d.Press(CBackupDlg::kBrowse);
    ASSERT_EQ(TakeMessages(),
              (std::vector<std::string>{base.path().string() + "/" + kName +
                                        "/ kan inte användas för backup.\n\nVälj en annan mapp."}));
    EXPECT_EQ(d.Text(CBackupDlg::kFolder), Base());
}

class Restore : public Backup {
protected:
    /** A backup of the current set, then the live files changed. */
    void BackUpThenChange() {
        ASSERT_TRUE(exchange::MakeBackup(*doc, base.path(), kAt, exchange::Maps::None, {}).done);
        base.WriteText(std::string(kName) + "/Karta.JPG", "restored map");
        dir.WriteText("mivraw.ini", test::Cp1252("[Församling]\r\nAlternativt datumformat=0\r\n"));
        dir.WriteText("talk.dat", "changed");
        ASSERT_TRUE(doc->ReloadStore());
        ASSERT_FALSE(doc->Settings().Options().alternativeDateFormat);
        time.minute = 16;
    }

    /** Opens the restore dialog on the base folder and picks the backup from the list. */
    void PickBackup(HeadlessDialog& d) {
        EXPECT_FALSE(d.IsShown(ui::kIdOk));
        d.Press(CBackupDlg::kBrowse);
        ASSERT_EQ(d.Rows(CBackupDlg::kList),
                  (std::vector<std::string>{"[" + std::string(kName) + "]"}));
        d.Select(CBackupDlg::kList, 0);
        EXPECT_EQ(d.Text(CBackupDlg::kFolder), Base() + kName + "/");
        EXPECT_TRUE(d.IsShown(ui::kIdOk));
    }

    /** A restore from the list, answered Yes: whether it replaced the data. */
    bool RestoreFromTheList() {
        CBackupDlg dialog(*doc, Mode::Restore);
        host.Answer(ui::Answer::Yes);
        HeadlessDialog d(host, OnBase(dialog));
        PickBackup(d);
        d.Ok();
        return dialog.Restored();
    }
};

TEST_F(Restore, AsksKeepsASafetyCopyBringsTheSetBackAndReloads) {
    BackUpThenChange();
    const std::string backupTalks = base.ReadText(std::string(kName) + "/talk.dat");
    CBackupDlg dialog(*doc, Mode::Restore);
    host.Answer(ui::Answer::Yes);
    HeadlessDialog d(host, OnBase(dialog));
    EXPECT_EQ(d.Title(), "Återskapa");
    PickBackup(d);
    d.Ok();
    EXPECT_TRUE(dialog.Restored());
    EXPECT_FALSE(d.IsOpen());
    EXPECT_EQ(dir.ReadText("talk.dat"), backupTalks);
    EXPECT_EQ(dir.ReadText("Karta.JPG"), "restored map");
    EXPECT_TRUE(doc->Settings().Options().alternativeDateFormat) << "the settings came back";
    const std::string safety = "Qz4_26340_2216_06Dec26";
    EXPECT_EQ(base.ReadText(safety + "/talk.dat"), "changed");
    EXPECT_EQ(base.ReadText(safety + "/Extra.JPG"), "picture");
}

TEST_F(Restore, NoChangesNothingAndAFailedCopyKeepsTheLiveSet) {
    BackUpThenChange();
    {
        CBackupDlg dialog(*doc, Mode::Restore);
        host.Answer(ui::Answer::No);
        HeadlessDialog d(host, OnBase(dialog));
        PickBackup(d);
        d.Ok();
        EXPECT_TRUE(d.IsOpen());
        EXPECT_EQ(Entries(base.path()).size(), 1u) << "no safety copy either";
        d.Cancel();
    }
    TakeMessages();
    io::SetFaultHook([](io::Step step, const fs::path& target) {
        return step == io::Step::Write && target.filename() == ".speakers.dat.restoring";
    });
    EXPECT_FALSE(RestoreFromTheList());
    EXPECT_EQ(dir.ReadText("talk.dat"), "changed");
    EXPECT_FALSE(fs::exists(dir / "Karta.JPG"));
    const auto messages = TakeMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "speakers.dat kunde inte återskapas. Dina data är oförändrade.");
    for (const std::string& name : Entries(dir.path()))
        EXPECT_EQ(name.find(".restoring"), std::string::npos) << name;
}

TEST_F(Restore, WithoutASafetyCopyNothingIsRestored) {
    BackUpThenChange();
    io::SetFaultHook([](io::Step step, const fs::path& target) {
        return step == io::Step::Create && target.parent_path().filename() != kName &&
               exchange::IsBackupFolder(target.parent_path());
    });
    EXPECT_FALSE(RestoreFromTheList());
    EXPECT_EQ(dir.ReadText("talk.dat"), "changed");
    EXPECT_EQ(TakeMessages().back(), "Säkerhetskopian av nuvarande data kunde inte sparas i " +
                                         dir.path().string() + ". Ingenting har återskapats.");
}

class FolderPicker : public test::DocTest {
protected:
    bool Select(const std::string& text, const std::string& shown) {
        return picker.Select(host, text, shown);
    }
    ui::CSelectFolderDialog picker{strings, "/"};
};

TEST_F(FolderPicker, RefusesDoubleSeparatorsCreatesOnYesStaysOpenOnNo) {
    const std::string shown = dir.path().string();
    EXPECT_FALSE(Select(shown + "//a", shown));
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"Invalid Folder"}));

    host.Answer(ui::Answer::No);
    EXPECT_FALSE(Select("x/y", shown));
    EXPECT_FALSE(fs::exists(dir / "x"));

    host.Answer(ui::Answer::Yes);
    EXPECT_TRUE(Select("x/y/", shown)) << "relative to the folder shown, one separator dropped";
    EXPECT_EQ(picker.Result(), shown + "/x/y/");
    EXPECT_TRUE(fs::is_directory(dir / "x" / "y"));
    EXPECT_EQ(TakeMessages().front(),
              shown + "/x/y\n\nThis path does not exist. Do you want to create it?");

    EXPECT_TRUE(Select("", shown));
    EXPECT_EQ(picker.Result(), shown + "/");
    EXPECT_TRUE(Select("/", shown));
    EXPECT_EQ(picker.Result(), "/");
}

} // namespace
} // namespace mivra
