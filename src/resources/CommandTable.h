#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mivra {
class StringTable;
}

namespace mivra::resources {

/** A menu entry: a command with its text, a separator (no id, no text) or a submenu. */
struct MenuNode {
    int id = 0;
    std::string text;              ///< "&" before the mnemonic; empty when stringId gives it
    int stringId = 0;              ///< the string table's id of the text, or 0
    std::vector<std::string> keys; ///< accelerators such as "Ctrl+P", "F1"
    std::vector<MenuNode> items;   ///< a submenu's entries

    bool IsSeparator() const { return id == 0 && text.empty() && stringId == 0; }
    /** The text as shown, from the string table when the entry names a string id. */
    const std::string& Text(const StringTable& strings) const;
};

/** A toolbar slot: a command with its icon and tip, or a separator (id 0). */
struct ToolButton {
    int id = 0;
    std::string icon; ///< an SVG of icons/toolbar, without ".svg"
    std::string tip;
};

/** A start panel button: it runs a command, or opens a pop-up menu of commands. */
struct PanelButton {
    int id = 0;
    int command = 0; ///< the command it runs (its own id when it names none)
    int x = 0;       ///< where the pop-up opens, in the panel's client coordinates
    int y = 0;
    std::vector<MenuNode> popup; ///< empty for a button that runs its command
};

/** A named id of the table, as the generated header names it. */
struct NamedId {
    std::string name;
    int id = 0;
};

/**
 * The main window's commands as data (resources/commands/shell.txt): the ids, the menu bar,
 * the pop-up menus, the toolbar and the start panel's buttons. Code names the ids through
 * the header CMake generates from the same file, resources/CommandIds.h.
 */
class CommandTable {
public:
    /** The table shipped with the program, read once; a fault in it stops the program. */
    static const CommandTable& Shell();
    /** Reads a table; on a fault `error` names the line and the table is empty. */
    static CommandTable Parse(std::string_view source, std::string& error);

    /** Every command and panel button id by name, in the table's order. */
    const std::vector<NamedId>& Ids() const { return m_ids; }
    const std::vector<MenuNode>& MenuBar() const { return m_menuBar; }
    /** A pop-up menu by name (cmd::menu::k…); empty when the table has none. */
    const std::vector<MenuNode>& Popup(std::string_view name) const;
    const std::vector<ToolButton>& Toolbar() const { return m_toolbar; }
    const std::vector<PanelButton>& Panel() const { return m_panel; }
    const PanelButton* FindPanelButton(int id) const;
    /** Every command id the menu bar holds, in menu order. */
    std::vector<int> MenuCommandIds() const;

private:
    friend class CommandTableParser;

    struct NamedPopup {
        std::string name;
        std::vector<MenuNode> items;
    };

    std::vector<NamedId> m_ids;
    std::vector<MenuNode> m_menuBar;
    std::vector<NamedPopup> m_popups;
    std::vector<ToolButton> m_toolbar;
    std::vector<PanelButton> m_panel;
};

} // namespace mivra::resources
