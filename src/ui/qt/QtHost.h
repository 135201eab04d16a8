#pragma once

#include "ui/Host.h"
#include "ui/Template.h"
#include "ui/qt/QtPictures.h"

class QWidget;

namespace mivra {
class StringTable;
}

namespace mivra::ui::qt {

/**
 * The desktop host: dialogs and sheets run modally over the active window, message boxes
 * carry the program's icon and Swedish buttons, menus pop up at client points.
 */
class QtHost : public Host {
public:
    explicit QtHost(const StringTable& strings, QWidget* mainWindow = nullptr);

    /** Adds or replaces a template (the developer tools bring their own). */
    void AddTemplate(int templateId, std::string xml) {
        m_templates.Add(templateId, std::move(xml));
    }
    const TemplateLibrary& Templates() const { return m_templates; }
    void SetMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }

    Answer ShowMessage(const MessageBox& box) override;
    int RunDialog(Dialog& dialog) override;
    int RunSheet(PropertySheet& sheet) override;
    int PopupMenu(const Window& owner, Point at, const Menu& menu) override;
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;
    std::optional<std::string> OpenFile(const FileRequest& request) override;
    std::optional<std::string> SaveFile(const FileRequest& request) override;
    bool ChooseFolder(const FolderRequest& request) override;
    std::optional<Font> ChooseFont(const FontRequest& request) override;
    std::optional<Colour> ChooseColour(Colour initial) override;
    const PictureDecoder& Pictures() const override { return m_pictures; }

    /** The window new modal windows open over. */
    QWidget* ParentWidget() const;

private:
    const StringTable& m_strings;
    QWidget* m_mainWindow;
    TemplateLibrary m_templates;
    QtPictureDecoder m_pictures;
};

} // namespace mivra::ui::qt
