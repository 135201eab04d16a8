#pragma once

#include "reports/ViewMode.h"
#include "store/Settings.h"

namespace mivra {
class CMvDoc;
}

// When the shell's commands and start panel buttons are enabled, and where the scheduling
// sheet opens for them.
namespace mivra::app {

/** What the enable rules look at. */
struct ShellState {
    reports::ViewMode viewMode = reports::ViewMode::StartPanel;
    int congregations = 0;
    int brothers = 0;
    bool homeListEmpty = true;
    bool scheduleHosts = false;
    bool scheduleReaders = false;
    bool homeCongregation = false;
    bool readOnly = false; ///< the data folder is open for viewing only
};

ShellState StateOf(const CMvDoc& doc, reports::ViewMode viewMode);

enum class Rule {
    Always,
    ReportShown,          ///< the view shows a report
    SeveralCongregations, ///< more than one congregation
    HomeList,             ///< the home congregation's list is not empty
    Hosts,                ///< hosts are scheduled
    Readers,              ///< readers are scheduled
    HomeCongregation,     ///< a home congregation is set
    PackageExport,        ///< at least two brothers and two congregations
};

/** The rule of a command or start panel button (Always when it has none). */
Rule RuleOf(int id);
bool Allows(Rule rule, const ShellState& state);
/** Whether a command changes the data folder, so a read-only folder disables it. */
bool WritesData(int id);
/** A command's rule, and for a read-only folder whether it writes. */
bool Allows(int id, const ShellState& state);

} // namespace mivra::app
