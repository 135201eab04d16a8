#include "exchange/CBackupDlg.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/DataFiles.h"
#include "store/Profile.h"
#include "ui/CSelectFolderDialog.h"
#include "ui/Host.h"

#include <system_error>

namespace mivra::exchange {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kSection = "Backup";
constexpr std::string_view kPathKey = "Väg";
constexpr std::string_view kFloppyKey = "Diskett";

constexpr int kRestoreTitle = 61100;
constexpr int kBackupGroup = 61101;
constexpr int kRestoreGroup = 61102;
constexpr int kSpaceNeeded = 61103;
constexpr int kSizeLine = 61104;
constexpr int kClickBackup = 61106;
constexpr int kClickRestore = 61109;
constexpr int kNotForBackup = 61110;
constexpr int kCopying = 61111;
constexpr int kBackupDone = 61112;
constexpr int kRetryLater = 61114;
constexpr int kRestoring = 61115;
constexpr int kAskRestore = 61130;
constexpr int kSafetyFailed = 61131;
constexpr int kRestoreFailed = 61132;
constexpr int kRestoreDone = 61134;
constexpr int kCopyFailed = 61133;
constexpr int kClose = 1131; // "Stäng"

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

// The folder that holds a path's last component: "/a/Qz4_x/" gives "/a/".
std::string ParentOf(const std::string& path) {
    fs::path p(path);
    if (!p.has_filename())
        p = p.parent_path();
    return WithSlash(p.parent_path().string());
}

ui::MessageBox Box(std::string text, ui::Icon icon, ui::Buttons buttons = ui::Buttons::Ok) {
    ui::MessageBox box;
    box.text = std::move(text);
    box.icon = icon;
    box.buttons = buttons;
    // A question that replaces data defaults to No.
    box.secondIsDefault = buttons == ui::Buttons::YesNo;
    return box;
}

} // namespace

CBackupDlg::CBackupDlg(CMvDoc& doc, Mode mode)
    : Dialog(kUse), m_doc(doc), m_mode(mode),
      m_time([&doc] { return BackupTimeNow(doc.Today()); }) {}

std::string CBackupDlg::Text(int id) const {
    return m_doc.Strings().Get(id);
}

void CBackupDlg::OnInit() {
    ReadProfile();
    const bool restore = m_mode == Mode::Restore;
    if (restore)
        Win().SetTitle(Text(kRestoreTitle));
    Win().SetText(kFolderGroup, Text(restore ? kRestoreGroup : kBackupGroup));
    // There is no floppy drive: the folder is the only destination.
    Win().Show(kFloppy, false);
    Win().SetChecked(kFolder, true);
    Win().Show(kSizeGroup, !restore);
    Win().Show(kSize, !restore);
    Win().Show(kMaps, !restore);
    if (!restore && IsBackupFolder(m_path))
        m_path = ParentOf(m_path);
    ShowPath();
    if (restore)
        FillList();
    else {
        Win().Show(kListGroup, false);
        Win().Show(kList, false);
        ShowSize();
    }
    UpdateStatus();
}

void CBackupDlg::ReadProfile() {
    const Profile profile = Profile::Load(m_doc.DataFilePath(file::kProfile), m_doc.CodePage());
    const std::string stored = profile.GetString(kSection, kPathKey).value_or("");
    // A stored 1 for the floppy means the folder as well: there is no floppy drive.
    m_path = !stored.empty() && IsFolder(stored) ? WithSlash(stored)
                                                 : WithSlash(m_doc.DataFolder().string());
}

void CBackupDlg::WriteProfile() {
    const fs::path path = m_doc.DataFilePath(file::kProfile);
    Profile profile = Profile::Load(path, m_doc.CodePage());
    profile.SetString(kSection, kPathKey, m_path);
    profile.SetInt(kSection, kFloppyKey, 0);
    if (!profile.Save(path))
        m_doc.ReportWriteFailure(path);
}

void CBackupDlg::ShowPath() {
    Win().SetText(kFolder, m_path);
}

void CBackupDlg::ShowSize() {
    const uint64_t size = BackupSize(m_doc, Win().IsChecked(kMaps));
    Win().SetText(kSize,
                  m_doc.Strings().Format(kSizeLine, Text(kSpaceNeeded), std::to_string(size)));
}

void CBackupDlg::FillList() {
    Win().ClearRows(kList);
    const bool inBackup = IsBackupFolder(m_path);
    if (!inBackup) {
        m_listFolder = m_path;
        for (const std::string& name : ListBackups(m_path))
            Win().AddRow(kList, "[" + name + "]");
    }
    const bool shown = !inBackup && Win().RowCount(kList) > 0;
    Win().Show(kListGroup, shown);
    Win().Show(kList, shown);
}

void CBackupDlg::UpdateStatus() {
    if (m_mode == Mode::Backup) {
        if (!m_done)
            Win().SetText(kStatus, m_doc.Strings().Format(kClickBackup, m_path));
        return;
    }
    const bool ready = IsBackupFolder(m_path) && HoldsBackupSet(m_doc, m_path);
    Win().SetText(kStatus, ready ? m_doc.Strings().Format(kClickRestore, m_path) : "");
    Win().Show(ui::kIdOk, ready);
}

void CBackupDlg::OnCommand(int id) {
    if (id == kBrowse)
        Browse();
    else if (id == kMaps)
        ShowSize();
}

void CBackupDlg::Browse() {
    ui::CSelectFolderDialog picker(m_doc.Strings(), m_path);
    if (!picker.Run(Host()))
        return;
    m_path = picker.Result();
    if (m_mode == Mode::Backup && IsBackupFolder(m_path)) {
        Host().ShowMessage(Box(m_doc.Strings().Format(kNotForBackup, m_path), ui::Icon::Warning));
        m_path = ParentOf(m_path);
    }
    Win().SetChecked(kFolder, true);
    ShowPath();
    if (m_mode == Mode::Restore)
        FillList();
    UpdateStatus();
}

void CBackupDlg::OnSelChange(int id) {
    if (id != kList)
        return;
    const int row = Win().Selection(kList);
    if (row < 0)
        return;
    std::string name = Win().RowText(kList, row);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    m_path = WithSlash(m_listFolder + name);
    ShowPath();
    UpdateStatus();
}

void CBackupDlg::OnOk() {
    if (m_mode == Mode::Restore) {
        RunRestore();
        return;
    }
    if (m_done) {
        End(ui::kIdOk);
        return;
    }
    RunBackup();
}

void CBackupDlg::RunBackup() {
    const auto progress = [this](const std::string& name) {
        Win().SetText(kStatus, m_doc.Strings().Format(kCopying, name));
    };
    // What the user changed in the availability table belongs in the set.
    if (m_doc.Availability().Changed() && !m_doc.Availability().SaveAvailability()) {
        Win().SetText(kStatus, Text(kRetryLater));
        return;
    }
    const BackupOutcome outcome =
        IsFolder(m_path)
            ? MakeBackup(m_doc, m_path, m_time(),
                         Win().IsChecked(kMaps) ? Maps::Congregations : Maps::None, progress)
            : BackupOutcome{};
    if (!outcome.done) {
        Win().SetText(kStatus, outcome.failed.empty()
                                   ? Text(kRetryLater)
                                   : m_doc.Strings().Format(kCopyFailed, outcome.failed));
        return;
    }
    for (const std::string& error : PruneBackups(m_doc, m_path, outcome.folder.filename().string()))
        Host().ShowMessage(Box(error, ui::Icon::Error));
    WriteProfile();
    m_done = true;
    Win().SetText(kStatus, Text(kBackupDone));
    Win().SetText(ui::kIdCancel, Text(kClose));
}

void CBackupDlg::RunRestore() {
    if (!IsBackupFolder(m_path) || !HoldsBackupSet(m_doc, m_path))
        return;
    const fs::path safetyBase = SafetyCopyBase(m_doc, m_path);
    const ui::Answer answer =
        Host().ShowMessage(Box(m_doc.Strings().Format(kAskRestore, m_path, safetyBase.string()),
                               ui::Icon::Question, ui::Buttons::YesNo));
    if (answer != ui::Answer::Yes)
        return;

    // The live set is kept first: a restore never destroys the only copy.
    const auto copying = [this](const std::string& name) {
        Win().SetText(kStatus, m_doc.Strings().Format(kCopying, name));
    };
    if (m_doc.Availability().Changed())
        m_doc.Availability().SaveAvailability();
    const BackupOutcome safety = MakeSafetyCopy(m_doc, m_path, m_time(), copying);
    if (!safety.done) {
        Win().SetText(kStatus, "");
        Host().ShowMessage(Box(m_doc.Strings().Format(kSafetyFailed, m_doc.DataFolder().string()),
                               ui::Icon::Error));
        UpdateStatus();
        return;
    }

    const RestoreOutcome restored = RestoreBackup(m_doc, m_path, [this](const std::string& name) {
        Win().SetText(kStatus, m_doc.Strings().Format(kRestoring, name));
    });
    if (!restored.done) {
        Host().ShowMessage(
            Box(m_doc.Strings().Format(kRestoreFailed, restored.failed), ui::Icon::Error));
        UpdateStatus();
        return;
    }
    m_doc.ReloadStore();
    m_restored = true;
    Host().ShowMessage(
        Box(m_doc.Strings().Format(kRestoreDone, safety.folder.string()), ui::Icon::Information));
    End(ui::kIdOk);
}

} // namespace mivra::exchange
