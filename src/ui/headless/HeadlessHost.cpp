#include "ui/headless/HeadlessHost.h"

#include "ui/Dialog.h"
#include "ui/headless/HeadlessDialog.h"
#include "ui/headless/HeadlessSheet.h"

#include <algorithm>
#include <filesystem>

namespace mivra::ui::headless {
namespace {

ui::Answer DefaultAnswer(const MessageBox& box) {
    switch (box.buttons) {
    case Buttons::Ok:
        return ui::Answer::Ok;
    case Buttons::YesNo:
        return box.secondIsDefault ? ui::Answer::No : ui::Answer::Yes;
    case Buttons::OkCancel:
        return box.secondIsDefault ? ui::Answer::Cancel : ui::Answer::Ok;
    }
    return ui::Answer::Ok;
}

bool Offers(const Menu& menu, int id) {
    return std::any_of(menu.items.begin(), menu.items.end(),
                       [id](const MenuItem& item) { return item.id == id && item.enabled; });
}

} // namespace

HeadlessHost::HeadlessHost() = default;
HeadlessHost::~HeadlessHost() = default;

HeadlessHost& HeadlessHost::Answer(ui::Answer answer) {
    m_answers.push_back(answer);
    return *this;
}

HeadlessHost& HeadlessHost::OnDialog(int templateId, DialogScript script) {
    m_dialogs.push_back({templateId, std::move(script)});
    return *this;
}

HeadlessHost& HeadlessHost::OnSheet(SheetScript script) {
    m_sheets.push_back(std::move(script));
    return *this;
}

HeadlessHost& HeadlessHost::ChooseMenu(int id) {
    m_menuChoices.push_back(id);
    return *this;
}

HeadlessHost& HeadlessHost::OnChooseFont(FontScript script) {
    m_fontScripts.push_back(std::move(script));
    return *this;
}

std::optional<Font> HeadlessHost::ChooseFont(const FontRequest& request) {
    m_fontRequests.push_back(request);
    if (m_fontScripts.empty())
        return std::nullopt;
    FontScript script = std::move(m_fontScripts.front());
    m_fontScripts.pop_front();
    return script(request);
}

HeadlessHost& HeadlessHost::OnChooseFolder(FolderScript script) {
    m_folderScripts.push_back(std::move(script));
    return *this;
}

HeadlessHost& HeadlessHost::SelectFolder(std::vector<std::string> texts, std::string shown) {
    return OnChooseFolder(
        [texts = std::move(texts), shown = std::move(shown)](const FolderRequest& request) {
            const std::string& folder = shown.empty() ? request.start : shown;
            for (const std::string& text : texts)
                if (request.select(text, folder))
                    return true;
            return false;
        });
}

bool HeadlessHost::ChooseFolder(const FolderRequest& request) {
    m_folderRequests.push_back(request);
    if (m_folderScripts.empty()) {
        if (!m_permissive)
            Fail("unscripted folder chooser: " + request.title);
        return false;
    }
    FolderScript script = std::move(m_folderScripts.front());
    m_folderScripts.pop_front();
    return script(request);
}

HeadlessHost& HeadlessHost::OnOpenFile(FileScript script) {
    m_fileScripts.push_back(std::move(script));
    return *this;
}

HeadlessHost& HeadlessHost::ChooseFile(std::vector<std::string> paths) {
    return OnOpenFile(
        [paths = std::move(paths)](const FileRequest& request) -> std::optional<std::string> {
            for (const std::string& path : paths) {
                const std::filesystem::path p(path);
                const std::string full =
                    p.is_absolute() ? path : (std::filesystem::path(request.folder) / p).string();
                if (!request.accept || request.accept(full))
                    return full;
            }
            return std::nullopt;
        });
}

std::optional<std::string> HeadlessHost::SaveFile(const FileRequest& request) {
    return OpenFile(request);
}

std::optional<std::string> HeadlessHost::OpenFile(const FileRequest& request) {
    m_fileRequests.push_back(request);
    if (m_fileScripts.empty()) {
        if (!m_permissive)
            Fail("unscripted file chooser: " + request.title);
        return std::nullopt;
    }
    FileScript script = std::move(m_fileScripts.front());
    m_fileScripts.pop_front();
    return script(request);
}

ui::Answer HeadlessHost::ShowMessage(const MessageBox& box) {
    m_shown.push_back(box);
    if (m_answers.empty()) {
        if (!m_permissive && box.buttons != Buttons::Ok)
            Fail("unscripted message box: " + box.text);
        return DefaultAnswer(box);
    }
    ui::Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

int HeadlessHost::RunDialog(Dialog& dialog) {
    const int id = dialog.TemplateId();
    m_dialogsRun.push_back(id);
    if (m_dialogs.empty() || m_dialogs.front().templateId != id) {
        Fail("unscripted dialog " + std::to_string(id) +
             (m_dialogs.empty() ? std::string()
                                : ", expected " + std::to_string(m_dialogs.front().templateId)));
        return kIdCancel;
    }
    DialogScript script = std::move(m_dialogs.front().script);
    m_dialogs.pop_front();
    HeadlessDialog driver(*this, dialog);
    if (driver.IsOpen())
        script(driver);
    if (driver.IsOpen()) {
        Fail("dialog " + std::to_string(id) + " is still open after its script");
        return kIdCancel;
    }
    return dialog.EndCode();
}

int HeadlessHost::RunSheet(PropertySheet& sheet) {
    if (m_sheets.empty()) {
        Fail("unscripted property sheet \"" + sheet.Caption() + "\"");
        return kIdCancel;
    }
    SheetScript script = std::move(m_sheets.front());
    m_sheets.pop_front();
    HeadlessSheet driver(*this, sheet);
    script(driver);
    if (driver.IsOpen()) {
        Fail("property sheet \"" + sheet.Caption() + "\" is still open after its script");
        return kIdCancel;
    }
    return driver.EndCode();
}

int HeadlessHost::PopupMenu(const Window&, Point at, const Menu& menu) {
    m_menus.push_back({menu, at});
    if (m_menuChoices.empty()) {
        Fail("unscripted pop-up menu");
        return 0;
    }
    int id = m_menuChoices.front();
    m_menuChoices.pop_front();
    if (id != 0 && !Offers(menu, id)) {
        Fail("the pop-up menu offers no item " + std::to_string(id));
        return 0;
    }
    return id;
}

void HeadlessHost::Verify() {
    if (!m_answers.empty())
        Fail(std::to_string(m_answers.size()) + " scripted answer(s) never used");
    if (!m_dialogs.empty())
        Fail(std::to_string(m_dialogs.size()) + " scripted dialog(s) never opened");
    if (!m_sheets.empty())
        Fail(std::to_string(m_sheets.size()) + " scripted sheet(s) never opened");
    if (!m_menuChoices.empty())
        Fail(std::to_string(m_menuChoices.size()) + " scripted menu choice(s) never used");
    if (!m_fontScripts.empty())
        Fail(std::to_string(m_fontScripts.size()) + " scripted font choice(s) never used");
    if (!m_folderScripts.empty())
        Fail(std::to_string(m_folderScripts.size()) + " scripted folder chooser(s) never opened");
    if (!m_fileScripts.empty())
        Fail(std::to_string(m_fileScripts.size()) + " scripted file chooser(s) never opened");
    m_answers.clear();
    m_dialogs.clear();
    m_sheets.clear();
    m_menuChoices.clear();
    m_fontScripts.clear();
    m_folderScripts.clear();
    m_fileScripts.clear();
}

void HeadlessHost::Fail(const std::string& why) {
    if (m_onFailure)
        m_onFailure(why);
}

std::unique_ptr<HeadlessWindow> HeadlessHost::BuildWindow(int templateId, const TemplateUse* use) {
    std::optional<Template> t = m_templates.Load(templateId);
    if (!t) {
        Fail("no template " + std::to_string(templateId));
        t = Template{};
        t->id = templateId;
    }
    return std::make_unique<HeadlessWindow>(std::move(*t), use,
                                            [this](const std::string& why) { Fail(why); });
}

} // namespace mivra::ui::headless
