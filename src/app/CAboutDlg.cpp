#include "app/CAboutDlg.h"

namespace mivra::app {
namespace {

constexpr int kControls[] = {ui::kIdOk, CAboutDlg::kFolderText};

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
    Win().SetText(kFolderText, FolderText(m_dataFolder));
}

} // namespace mivra::app
