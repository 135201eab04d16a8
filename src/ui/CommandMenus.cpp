#include "ui/CommandMenus.h"

namespace mivra::ui {

std::vector<MenuEntry> MenuEntries(const std::vector<resources::MenuNode>& nodes,
                                   const StringTable& strings) {
    std::vector<MenuEntry> entries;
    for (const resources::MenuNode& n : nodes)
        entries.push_back({n.id, n.Text(strings), MenuEntries(n.items, strings), n.keys});
    return entries;
}

Menu PopupMenuOf(const std::vector<resources::MenuNode>& nodes, const StringTable& strings,
                 const std::function<bool(int id)>& enabled) {
    Menu menu;
    for (const resources::MenuNode& n : nodes)
        menu.items.emplace_back(n.id, n.Text(strings), !enabled || n.id == 0 || enabled(n.id));
    return menu;
}

std::vector<ToolSlot> ToolSlots(const std::vector<resources::ToolButton>& buttons) {
    std::vector<ToolSlot> slots;
    for (const resources::ToolButton& b : buttons)
        slots.push_back({b.id, b.icon, b.tip});
    return slots;
}

} // namespace mivra::ui
