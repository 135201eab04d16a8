#pragma once

#include "resources/CommandTable.h"
#include "ui/Frame.h"
#include "ui/Host.h"

#include <functional>
#include <vector>

// The command table's menus and toolbar as the platform layer shows them.
namespace mivra::ui {

/** Menu bar entries with their texts (from the string table where the entry names an id). */
std::vector<MenuEntry> MenuEntries(const std::vector<resources::MenuNode>& nodes,
                                   const StringTable& strings);

/** A pop-up menu; each item is enabled as `enabled` answers for its id (every one without). */
Menu PopupMenuOf(const std::vector<resources::MenuNode>& nodes, const StringTable& strings,
                 const std::function<bool(int id)>& enabled = {});

std::vector<ToolSlot> ToolSlots(const std::vector<resources::ToolButton>& buttons);

} // namespace mivra::ui
