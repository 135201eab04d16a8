#include "resources/CommandTable.h"

#include "resources/CommandIds.h"
#include "resources/Embedded.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>
#include <set>

namespace mivra::resources {
namespace {

void ExpectTexts(const std::vector<MenuNode>& nodes, std::string_view where) {
    EXPECT_FALSE(nodes.empty()) << where;
    for (const MenuNode& n : nodes) {
        if (n.IsSeparator())
            continue;
        EXPECT_FALSE(n.Text(StringTable::Swedish()).empty()) << where << ": " << n.id;
        if (n.id == 0)
            ExpectTexts(n.items, where);
    }
}

TEST(CommandTable, TheShippedTableHasEveryTextAndAgreesWithTheGeneratedHeader) {
    std::string error;
    const CommandTable table = CommandTable::Parse(Find("commands/shell.txt").value_or(""), error);
    ASSERT_EQ(error, "");
    ExpectTexts(table.MenuBar(), "menu bar");
    ExpectTexts(table.Popup(cmd::menu::kScheduleReport), "schedule pop-up");
    ExpectTexts(table.Popup(cmd::menu::kSheetEdit), "sheet pop-up");
    std::vector<int> panel;
    for (const PanelButton& b : table.Panel()) {
        panel.push_back(b.id);
        if (b.command == 0)
            ExpectTexts(b.popup, "panel pop-up");
    }
    EXPECT_EQ(panel,
              std::vector<int>(std::begin(cmd::kPanelButtons), std::end(cmd::kPanelButtons)));

    std::vector<std::pair<std::string, int>> header, parsed;
    for (const cmd::NamedId& n : cmd::kAllIds)
        header.emplace_back(n.name, n.id);
    for (const NamedId& n : table.Ids())
        parsed.emplace_back(n.name, n.id);
    EXPECT_EQ(header, parsed);

    const std::vector<int> ids = table.MenuCommandIds();
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size())
        << "a command stands once in the menu bar";
}

TEST(CommandTable, ReadsTextsKeysStringIdsAndButtons) {
    std::string error;
    const CommandTable t = CommandTable::Parse("id A 7\n"
                                               "menubar  # the bar\n"
                                               "  menu \"&M\"\n"
                                               "    item A \"x\\ty \\\"z\\\"\" keys Ctrl+P F1\n"
                                               "    separator\n"
                                               "panel\n"
                                               "  button B 8 popup 3 4\n"
                                               "    item A string 1015\n"
                                               "  button C 9 runs A\n"
                                               "  button D 10\n",
                                               error);
    ASSERT_EQ(error, "");
    const MenuNode& item = t.MenuBar()[0].items[0];
    EXPECT_EQ(item.text, "x\ty \"z\"");
    EXPECT_EQ(item.keys, (std::vector<std::string>{"Ctrl+P", "F1"}));
    EXPECT_TRUE(t.MenuBar()[0].items[1].IsSeparator());
    ASSERT_EQ(t.Panel().size(), 3u);
    EXPECT_EQ(t.Panel()[0].popup[0].Text(StringTable::Swedish()), "Bröder");
    EXPECT_EQ(t.Panel()[0].command, 0);
    EXPECT_EQ(t.Panel()[0].y, 4);
    EXPECT_EQ(t.Panel()[1].command, 7);
    EXPECT_EQ(t.Panel()[2].command, 10) << "its own id";
}

TEST(CommandTable, AFaultyTableNamesItsLineAndIsEmpty) {
    const std::string bar = "menubar\n  item A \"a\"\n";
    struct Case {
        std::string source;
        std::string line;
    } cases[] = {
        {"id A 1\nid B 1\n" + bar, "line 2:"},                                       // id taken
        {"id A 1\npanel\n  button A 2\n" + bar, "line 3:"},                          // name taken
        {"id A 1\npanel\n  button B 1\n" + bar, "line 3:"},                          // id taken
        {"menubar\n  item A \"a\"\n", "line 2:"},                                    // no such id
        {"id A 1\nmenubar\n   item A \"a\"\n", "line 3:"},                           // odd indent
        {"id A 1\nmenubar\n  item A \"a\n", "line 3:"},                              // open quote
        {"id A 1\nmenubar\n  item A \"\"\n", "line 3:"},                             // no text
        {"id A 1\nmenubar\n  item A \"a\"\n      separator\n", "line 4:"},           // too deep
        {"id A 1\n" + bar + "popup P\n  menu \"m\"\n    item A \"b\"\n", "line 5:"}, // nested
        {"id A 1\n" + bar + "popup P\n", "line 4:"},                                 // empty
        {"id A 1\n" + bar + "panel\n  button B 2 runs A\n    item A \"b\"\n", "line 6:"},
        {"id A 1\n" + bar + "toolbar\n  tool A icon tip\n", "line 5:"}, // tip unquoted
        {"id A 1\n" + bar + "menubar\n  item A \"b\"\n", "line 4:"},    // second bar
    };
    for (const Case& c : cases) {
        std::string error;
        const CommandTable t = CommandTable::Parse(c.source, error);
        EXPECT_EQ(error.substr(0, c.line.size()), c.line) << c.source << "\n" << error;
        EXPECT_TRUE(t.MenuBar().empty() && t.Ids().empty()) << c.source;
    }
}

} // namespace
} // namespace mivra::resources
