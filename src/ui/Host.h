#pragma once

#include "ui/Canvas.h"
#include "ui/Geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The platform layer's host: what system code asks of the desktop. Modal dialogs and the
// property sheet run through it, so a dialog opens a nested dialog with the same host.
namespace mivra::ui {

class Dialog;
class PictureDecoder;
class PropertySheet;
class Window;

enum class Buttons { Ok, YesNo, OkCancel };
enum class Icon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

struct MessageBox {
    std::string text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Information;
    bool secondIsDefault = false; ///< No (or Cancel) is the default button
    std::string caption;          ///< empty: the program's title
};

struct MenuItem {
    MenuItem(int itemId, std::string itemText, bool isEnabled = true)
        : id(itemId), text(std::move(itemText)), enabled(isEnabled) {}

    int id; ///< 0 with an empty text is a separator
    std::string text;
    bool enabled;
};

struct Menu {
    std::vector<MenuItem> items;
};

/**
 * A file-open chooser. It lists the files whose names match a pattern in any case; "Open"
 * hands the chosen path to `accept` (when given), and false keeps the chooser open.
 */
struct FileRequest {
    std::string title;
    std::string folder;                ///< where the dialog starts
    std::vector<std::string> patterns; ///< such as "*.jpg"; empty: every file
    std::string filterName;            ///< the text naming the patterns
    bool mustExist = true;             ///< only an existing file can be chosen
    std::string fileName;              ///< the name a save chooser proposes
    std::function<bool(const std::string& path)> accept;
};

/**
 * A folder chooser that lists folders only, with an edit field showing the folder moved to.
 * "Select" hands the edit's text and the folder shown to `select`, which decides: true closes
 * the chooser, false keeps it open with the text unchanged.
 */
struct FolderRequest {
    std::string title;
    std::string start;       ///< where the chooser opens
    std::string selectLabel; ///< the caption of the button that selects
    std::string folderLabel; ///< the label of the edit field
    std::string cancelLabel;
    std::function<bool(const std::string& text, const std::string& shown)> select;
};

struct FontRequest {
    std::string title;
    Font font;                              ///< the font and its colour to start from
    bool hideStrikeOutAndUnderline = false; ///< the colour stays the only effect offered
};

/** The part of the host that shows message boxes: all that the document needs of it. */
class MessageHost {
public:
    virtual ~MessageHost() = default;

    /** Shows a modal message box and returns the button pressed. */
    virtual Answer ShowMessage(const MessageBox& box) = 0;

    /** Asks a question with Yes and No; true for Yes. */
    bool AskYesNo(std::string text, bool noIsDefault = false) {
        return ShowMessage({.text = std::move(text),
                            .buttons = Buttons::YesNo,
                            .icon = Icon::Question,
                            .secondIsDefault = noIsDefault,
                            .caption = {}}) == Answer::Yes;
    }

    /** Tells of something that went wrong, with OK only. */
    void Warn(std::string text) {
        ShowMessage({.text = std::move(text),
                     .buttons = Buttons::Ok,
                     .icon = Icon::Warning,
                     .secondIsDefault = false,
                     .caption = {}});
    }
};

/** Runs the windows of system code: dialogs, sheets, menus, common dialogs, the clipboard. */
class Host : public MessageHost {
public:
    /** Runs a dialog modally on its template and returns the code it ended with. */
    virtual int RunDialog(Dialog& dialog) = 0;
    /** Runs a property sheet modally: kIdOk or kIdCancel. */
    virtual int RunSheet(PropertySheet& sheet) = 0;
    /** Pops a menu up at a client point of a window; the chosen id, or 0 when dismissed. */
    virtual int PopupMenu(const Window& owner, Point at, const Menu& menu) = 0;

    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;

    // Common dialogs; nothing means cancelled.
    /** Runs a file-open chooser: the chosen file's full path. */
    virtual std::optional<std::string> OpenFile(const FileRequest& request) = 0;
    /** Runs a file-save chooser proposing `fileName`: the full path to write. */
    virtual std::optional<std::string> SaveFile(const FileRequest& request) = 0;
    /** Runs a folder chooser: true when `select` accepted a folder, false when cancelled. */
    virtual bool ChooseFolder(const FolderRequest& request) = 0;
    virtual std::optional<Font> ChooseFont(const FontRequest& request) = 0;
    virtual std::optional<Colour> ChooseColour(Colour initial) = 0;

    /** Decodes pictures that this host's canvases draw (ui/Picture.h loads them). */
    virtual const PictureDecoder& Pictures() const = 0;
};

} // namespace mivra::ui
