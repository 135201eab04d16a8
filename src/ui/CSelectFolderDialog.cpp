#include "ui/CSelectFolderDialog.h"

#include "resources/StringTable.h"
#include "ui/Host.h"

#include <filesystem>
#include <system_error>

namespace mivra::ui {
namespace {

constexpr int kTitle = 61120;       // "Select folder"
constexpr int kSelect = 61121;      // "Select"
constexpr int kFolderLabel = 61122; // "Current Folder"
constexpr int kInvalid = 61123;     // "Invalid Folder"
constexpr int kCreate = 61124;      // "This path does not exist. Do you want to create it?"
constexpr int kNotCreated = 61125;  // "Could not create folder:"
constexpr int kCancel = 1260;       // "Avbryt"

bool IsFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

MessageBox Box(std::string text, Icon icon, Buttons buttons = Buttons::Ok) {
    MessageBox box;
    box.text = std::move(text);
    box.icon = icon;
    box.buttons = buttons;
    return box;
}

} // namespace

bool CSelectFolderDialog::Run(Host& host) {
    FolderRequest request;
    request.title = m_strings.Get(kTitle);
    request.start = m_start;
    request.selectLabel = m_strings.Get(kSelect);
    request.folderLabel = m_strings.Get(kFolderLabel);
    request.cancelLabel = m_strings.Get(kCancel);
    request.select = [this, &host](const std::string& text, const std::string& shown) {
        return Select(host, text, shown);
    };
    return host.ChooseFolder(request);
}

bool CSelectFolderDialog::Select(Host& host, const std::string& text, const std::string& shown) {
    std::string path = text.empty() ? shown : text;
    if (path.find("//") != std::string::npos) {
        host.ShowMessage(Box(m_strings.Get(kInvalid), Icon::Error, Buttons::Ok));
        return false;
    }
    if (path.size() > 1 && path.back() == '/')
        path.pop_back();
    // A relative text names a folder inside the one shown, never one in the working folder.
    if (!path.empty() && path.front() != '/')
        path = (std::filesystem::path(shown) / path).lexically_normal().string();
    if (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty())
        return false;

    if (!IsFolder(path)) {
        const Answer answer = host.ShowMessage(
            Box(path + "\n\n" + m_strings.Get(kCreate), Icon::Question, Buttons::YesNo));
        // No leaves nothing to return: the folder does not exist, so the chooser stays open.
        if (answer != Answer::Yes)
            return false;
        std::error_code error;
        std::filesystem::create_directories(path, error);
        if (!IsFolder(path)) {
            host.ShowMessage(
                Box(m_strings.Get(kNotCreated) + "\n" + path, Icon::Error, Buttons::Ok));
            return false;
        }
    }
    m_result = path == "/" ? path : path + "/";
    return true;
}

} // namespace mivra::ui
