#pragma once

#include "ui/Canvas.h"
#include "ui/Geometry.h"

#include <string>
#include <string_view>
#include <vector>

// The main window: menus, toolbar, status bar, the docked start panel and the scrolling
// report view. The system's frame describes them as data and reacts to what the window
// reports; the window only builds widgets and forwards events.
namespace mivra::ui {

class Window;

/** A menu bar entry, a menu item, a separator (no id, no text) or a submenu (items). */
struct MenuEntry {
    int id = 0;
    std::string text;
    std::vector<MenuEntry> items;
    std::vector<std::string> shortcuts; ///< key sequences such as "Ctrl+P", "F1"
    bool IsSeparator() const { return id == 0 && text.empty(); }
};

/** A toolbar slot: a command with its icon, or a separator (id 0). */
struct ToolSlot {
    int id = 0;
    std::string icon; ///< resource name below icons/
    std::string tip;
};

struct FrameLayout {
    std::string title;
    std::vector<MenuEntry> menuBar;
    std::vector<ToolSlot> toolbar;
    std::string datePane;       ///< the text of status pane 1
    std::string datePaneSample; ///< the text that sizes pane 1
};

/** The system's frame as the window reports to it. */
class FrameSink {
public:
    virtual ~FrameSink() = default;
    virtual void OnCommand(int id) = 0;
    virtual bool IsCommandEnabled(int id) const = 0;
    /** The status-bar prompt of a command. */
    virtual std::string Prompt(int id) const = 0;
    /** The user asks to close the main window; true when it may close now. */
    virtual bool OnClose() = 0;
};

/** The main window as the system's frame drives it. */
class FrameWindow {
public:
    virtual ~FrameWindow() = default;
    /** Enable states may have changed: ask IsCommandEnabled again. */
    virtual void UpdateCommands() = 0;
    virtual void ShowStartPanel(bool shown) = 0;
    /** The view's content or scroll size changed. */
    virtual void UpdateView() = 0;
    virtual void SetStatusText(int pane, std::string_view text) = 0;
    /** Closes as the close box does: the frame's OnClose decides. */
    virtual void RequestClose() = 0;
    /** Opens a file or web address in the desktop's browser. */
    virtual bool OpenUrl(const std::string& url) = 0;
};

enum class Key { Escape, PageUp, PageDown, Home, End, Left, Right, Up, Down };

/** A scrolling surface painted through a Canvas: the report view. Units are screen pixels. */
class ScrollView {
public:
    virtual ~ScrollView() = default;
    virtual Size ScrollSize() const = 0;
    virtual Point ScrollPosition() const = 0;
    /** Scrolls to a position, kept inside the scroll size. */
    virtual void ScrollTo(Point position) = 0;
    virtual void SetViewport(Size size) = 0;
    virtual Size LineStep() const = 0;
    virtual Size PageStep() const = 0;
    /** A key pressed in the view; true when the view used it. */
    virtual bool OnKey(Key key) = 0;
    virtual void OnContextMenu(const Window& owner, Point at) = 0;
    /** Draws what the viewport shows; the canvas's (0, 0) is the viewport's top left. */
    virtual void Paint(Canvas& canvas) = 0;
};

} // namespace mivra::ui
