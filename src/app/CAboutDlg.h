#pragma once

#include "resources/StringTable.h"
#include "ui/Dialog.h"

#include <filesystem>
#include <string>

namespace mivra::app {

/** The About box (template 100): the program, its version, its maker and the data folder. */
class CAboutDlg : public ui::Dialog {
public:
    static const ui::TemplateUse kUse;
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    static constexpr int kFolderText = 1000;
    static constexpr int kMakerText = 1001; ///< the maker and the version
    static constexpr int kWebText = 1002;
    static constexpr int kMailText = 1003;
    static constexpr int kLicenseText = 1004;
    static constexpr size_t kFolderLimit = 300; ///< characters of the folder shown

    CAboutDlg(const StringTable& strings, std::filesystem::path dataFolder)
        : ui::Dialog(kUse), m_strings(strings), m_dataFolder(std::move(dataFolder)) {}

    /** The folder as the box shows it: at most kFolderLimit characters. */
    static std::string FolderText(const std::filesystem::path& folder);

protected:
    void OnInit() override;

private:
    const StringTable& m_strings;
    std::filesystem::path m_dataFolder;
};

} // namespace mivra::app
