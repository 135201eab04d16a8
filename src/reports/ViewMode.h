#pragma once

namespace mivra::reports {

/** What the report view shows: the start panel (no report) or one report. */
enum class ViewMode { StartPanel, Report };

} // namespace mivra::reports
