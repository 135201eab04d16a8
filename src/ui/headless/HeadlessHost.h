#pragma once

#include "ui/Host.h"
#include "ui/Template.h"
#include "ui/TemplateUse.h"
#include "ui/headless/HeadlessPictures.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mivra::ui::headless {

class HeadlessDialog;
class HeadlessSheet;
class HeadlessWindow;

/**
 * The in-memory host of tests and mivra-cli. Message boxes, nested dialogs, sheets and
 * pop-up menus take their answers from queues; an unscripted one gets a harmless answer
 * (the box's default, Cancel, nothing chosen) and is reported to the failure handler (tests
 * install one that fails the test), as is anything still queued at Verify(). Only an
 * unscripted box with just an OK button passes silently: it asks nothing.
 */
class HeadlessHost : public Host {
public:
    using FailureHandler = std::function<void(const std::string&)>;
    using DialogScript = std::function<void(HeadlessDialog&)>;
    using SheetScript = std::function<void(HeadlessSheet&)>;
    using FontScript = std::function<std::optional<Font>(const FontRequest&)>;
    /** Plays the user in a folder chooser: calls request.select as "Select" would; returns
     *  whether it closed by a selection (false: cancelled). */
    using FolderScript = std::function<bool(const FolderRequest&)>;
    /** Plays the user in a file chooser: the path chosen, or nothing (cancelled). */
    using FileScript = std::function<std::optional<std::string>(const FileRequest&)>;

    HeadlessHost();
    ~HeadlessHost() override;

    /** Queues the answer of the next message box. */
    HeadlessHost& Answer(ui::Answer answer);
    /** Queues what the user does in the next nested dialog, which must be this template's. */
    HeadlessHost& OnDialog(int templateId, DialogScript script);
    /** Queues what the user does in the next property sheet. */
    HeadlessHost& OnSheet(SheetScript script);
    /** Queues the item chosen in the next pop-up menu; 0 dismisses it. */
    HeadlessHost& ChooseMenu(int id);
    /** Queues what the user picks in the next font chooser (nothing: cancelled). */
    HeadlessHost& OnChooseFont(FontScript script);
    /** Queues what the user does in the next folder chooser. */
    HeadlessHost& OnChooseFolder(FolderScript script);
    /** Queues a folder chooser where the user types these texts, pressing "Select" after each,
     *  with `shown` the folder on display, and cancels if none was accepted. */
    HeadlessHost& SelectFolder(std::vector<std::string> texts, std::string shown = {});

    /** Queues what the user does in the next file chooser. */
    HeadlessHost& OnOpenFile(FileScript script);
    /** Queues a file chooser where the user opens these paths in turn (relative ones from the
     *  chooser's folder) until one is taken, and cancels if none was. */
    HeadlessHost& ChooseFile(std::vector<std::string> paths);

    /** Accept every message box with its default answer, silently (mivra-cli). */
    void SetPermissive(bool permissive) { m_permissive = permissive; }
    void SetFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }
    /** Adds or replaces a template (tests bring their own). */
    void AddTemplate(int templateId, std::string xml) {
        m_templates.Add(templateId, std::move(xml));
    }

    ui::Answer ShowMessage(const MessageBox& box) override;
    int RunDialog(Dialog& dialog) override;
    int RunSheet(PropertySheet& sheet) override;
    int PopupMenu(const Window& owner, Point at, const Menu& menu) override;
    void SetClipboardText(const std::string& text) override { m_clipboard = text; }
    std::string ClipboardText() override { return m_clipboard; }
    std::optional<std::string> OpenFile(const FileRequest& request) override;
    /** Answered by the same scripts as OpenFile, in order. */
    std::optional<std::string> SaveFile(const FileRequest& request) override;
    bool ChooseFolder(const FolderRequest& request) override;
    std::optional<Font> ChooseFont(const FontRequest& request) override;
    /** Queues the colour picked in the next colour chooser (nothing: cancelled). */
    HeadlessHost& PickColour(std::optional<Colour> colour) {
        m_colours.push_back(colour);
        return *this;
    }
    std::optional<Colour> ChooseColour(Colour) override {
        if (m_colours.empty())
            return std::nullopt;
        const std::optional<Colour> colour = m_colours.front();
        m_colours.pop_front();
        return colour;
    }

    const PictureDecoder& Pictures() const override { return m_pictures; }

    /** Every message box shown so far, in order. */
    const std::vector<MessageBox>& Messages() const { return m_shown; }
    void ClearMessages() { m_shown.clear(); }
    /** Every pop-up menu shown so far, with where it was asked for. */
    struct ShownMenu {
        Menu menu;
        Point at;
    };
    const std::vector<ShownMenu>& Menus() const { return m_menus; }
    /** Every font chooser opened so far. */
    const std::vector<FontRequest>& FontRequests() const { return m_fontRequests; }
    /** Every file chooser opened so far. */
    const std::vector<FileRequest>& FileRequests() const { return m_fileRequests; }
    /** Every folder chooser opened so far. */
    const std::vector<FolderRequest>& FolderRequests() const { return m_folderRequests; }
    /** The template ids of the nested dialogs run so far, in order. */
    const std::vector<int>& DialogsRun() const { return m_dialogsRun; }
    /** Reports scripts and answers queued but never used. */
    void Verify();

    // For the headless windows and drivers.
    void Fail(const std::string& why);
    std::unique_ptr<HeadlessWindow> BuildWindow(int templateId, const TemplateUse* use);

private:
    struct DialogEntry {
        int templateId;
        DialogScript script;
    };

    std::deque<ui::Answer> m_answers;
    std::deque<DialogEntry> m_dialogs;
    std::deque<SheetScript> m_sheets;
    std::deque<int> m_menuChoices;
    std::deque<FontScript> m_fontScripts;
    std::deque<FolderScript> m_folderScripts;
    std::deque<FileScript> m_fileScripts;
    std::vector<FileRequest> m_fileRequests;
    std::deque<std::optional<Colour>> m_colours;
    std::vector<FontRequest> m_fontRequests;
    std::vector<FolderRequest> m_folderRequests;
    std::vector<MessageBox> m_shown;
    std::vector<ShownMenu> m_menus;
    std::vector<int> m_dialogsRun;
    std::string m_clipboard;
    TemplateLibrary m_templates;
    FrameHeaderDecoder m_pictures;
    FailureHandler m_onFailure;
    bool m_permissive = false;
};

} // namespace mivra::ui::headless
