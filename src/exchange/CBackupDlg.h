#pragma once

#include "exchange/Backup.h"
#include "ui/Dialog.h"

#include <functional>
#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::exchange {

/**
 * "Backup" (and, in restore mode, "Återskapa"): a backup of the data set into a new
 * time-stamped folder under a folder the user chooses, or a restore from one of the backups
 * found there. A restore first keeps the live set as a safety copy and reloads the document.
 */
class CBackupDlg : public ui::Dialog {
public:
    enum class Mode { Backup, Restore };

    static constexpr int kTemplate = 303;
    static constexpr int kFloppy = 1310;      ///< "Diskett i enhet A:", always hidden
    static constexpr int kFolder = 1311;      ///< radio captioned with the path
    static constexpr int kBrowse = 1312;      ///< "Bläddra"
    static constexpr int kFolderGroup = 1313; ///< where the backup goes or comes from
    static constexpr int kSizeGroup = 1314;
    static constexpr int kSize = 1315;      ///< "Nödvändigt utrymme: N bytes"
    static constexpr int kMaps = 1316;      ///< "Inkludera kartfiler"
    static constexpr int kStatus = 1317;    ///< prompts and progress
    static constexpr int kListGroup = 1318; ///< " Välj backupinställningen för att återskapa "
    static constexpr int kList = 1319;      ///< "[name]" per backup folder
    static constexpr int kIds[] = {kFloppy,    kFolder, kBrowse,   kFolderGroup,
                                   kSizeGroup, kSize,   kMaps,     kStatus,
                                   kListGroup, kList,   ui::kIdOk, ui::kIdCancel};
    static constexpr ui::TemplateUse kUse{"CBackupDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    using TimeSource = std::function<BackupTime()>;

    CBackupDlg(CMvDoc& doc, Mode mode);

    /** Where the time of a backup comes from (tests fix it). */
    void SetTimeSource(TimeSource source) { m_time = std::move(source); }
    /** The folder the dialog works in, always ending in "/". */
    const std::string& Path() const { return m_path; }
    /** True once a restore has replaced the data and reloaded the document. */
    bool Restored() const { return m_restored; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

    void ReadProfile();
    void WriteProfile();
    void ShowPath();
    void ShowSize();
    void FillList();
    void UpdateStatus();
    void Browse();
    void RunBackup();
    void RunRestore();
    std::string Text(int id) const;

    CMvDoc& m_doc;
    Mode m_mode;
    TimeSource m_time;
    std::string m_path;
    std::string m_listFolder; ///< the folder whose backups the list shows
    bool m_done = false;
    bool m_restored = false;
};

} // namespace mivra::exchange
