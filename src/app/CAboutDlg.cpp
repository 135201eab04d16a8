#include "app/CAboutDlg.h"

#include "base/Version.h"

namespace mivra::app {
namespace {

constexpr int kControls[] = {ui::kIdOk,           CAboutDlg::kFolderText, CAboutDlg::kMakerText,
                             CAboutDlg::kWebText, CAboutDlg::kMailText,   CAboutDlg::kLicenseText};
// The maker lines' texts (the template leaves them empty).
constexpr int kMaker = 60040; // "%1" is the version
constexpr int kWeb = 60041;
constexpr int kMail = 60042;
constexpr int kLicense = 60043;

/** The length of the longest prefix of at most `limit` UTF-8 characters. */
size_t PrefixBytes(const std::string& text, size_t limit) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (characters++ == limit)
            return i;
    }
    return text.size();
}

} // namespace

const ui::TemplateUse CAboutDlg::kUse{"CAboutDlg", 100, kControls};

std::string CAboutDlg::FolderText(const std::filesystem::path& folder) {
    std::string text = folder.string();
    return text.substr(0, PrefixBytes(text, kFolderLimit));
}

void CAboutDlg::OnInit() {
    Win().SetText(kMakerText, m_strings.Format(kMaker, kVersion));
    Win().SetText(kWebText, m_strings.Get(kWeb));
    Win().SetText(kMailText, m_strings.Get(kMail));
    Win().SetText(kLicenseText, m_strings.Get(kLicense));
    Win().SetText(kFolderText, FolderText(m_dataFolder));
}

} // namespace mivra::app
