#pragma once

#include "ui/Dialog.h"

#include <filesystem>
#include <string>

namespace mivra::app {

/** The About box (template 100): the program, its version and the data folder. */
class CAboutDlg : public ui::Dialog {
public:
    static const ui::TemplateUse kUse;
    static constexpr int kFolderText = 1000;
    static constexpr size_t kFolderLimit = 300; ///< characters of the folder shown

    explicit CAboutDlg(std::filesystem::path dataFolder)
        : ui::Dialog(kUse), m_dataFolder(std::move(dataFolder)) {}

    /** The folder as the box shows it: at most kFolderLimit characters. */
    static std::string FolderText(const std::filesystem::path& folder);

protected:
    void OnInit() override;

private:
    std::filesystem::path m_dataFolder;
};

} // namespace mivra::app
