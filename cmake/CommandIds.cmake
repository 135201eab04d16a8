# mivra_command_ids(TABLE OUTPUT): writes the header of named command ids from the command
# table. src/resources calls it at configure time and makes the table a configure dependency,
# so an edit of the table writes the header again before the next build compiles.
# It reads only the "id NAME NUMBER" and "button NAME NUMBER" lines and the pop-ups' names;
# the program reads the whole table (resources/CommandTable), and a test proves both agree.
function(mivra_command_ids TABLE OUTPUT)
    set(name "[A-Za-z][A-Za-z0-9]*")
    file(STRINGS "${TABLE}" lines ENCODING UTF-8
         REGEX "^( *(id|button) +${name} +[0-9]+|popup +${name})( |$)")
    set(constants "")
    set(all "")
    set(buttons "")
    set(popups "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^ *(id|button) +(${name}) +([0-9]+)")
            string(APPEND constants "inline constexpr int k${CMAKE_MATCH_2} = ${CMAKE_MATCH_3};\n")
            string(APPEND all "    {\"${CMAKE_MATCH_2}\", k${CMAKE_MATCH_2}},\n")
            if(CMAKE_MATCH_1 STREQUAL "button")
                string(APPEND buttons "    k${CMAKE_MATCH_2},\n")
            endif()
        elseif(line MATCHES "^popup +(${name})")
            string(APPEND popups
                   "inline constexpr std::string_view k${CMAKE_MATCH_1} = \"${CMAKE_MATCH_1}\";\n")
        endif()
    endforeach()

    set(content "// Generated from src/resources/commands/shell.txt by cmake/CommandIds.cmake; do not edit.
#pragma once

#include <string_view>

// The main window's command ids and start panel buttons by name (cmd::kPrint), and the names
// of the table's pop-up menus (cmd::menu::kSheetEdit).
namespace mivra::cmd {

${constants}
/** The start panel's buttons (template 143), in the table's order. */
inline constexpr int kPanelButtons[] = {
${buttons}};

/** Every name above with its id, in the table's order. */
struct NamedId {
    std::string_view name;
    int id;
};
inline constexpr NamedId kAllIds[] = {
${all}};

} // namespace mivra::cmd

namespace mivra::cmd::menu {

${popups}
} // namespace mivra::cmd::menu
")
    # Like configure_file, this leaves an unchanged header alone, so nothing recompiles.
    file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${content}" @ONLY)
endfunction()
