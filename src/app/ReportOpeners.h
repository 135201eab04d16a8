#pragma once

namespace mivra::reports {
class CMvView;
}

namespace mivra::app {

/** Registers the lists, letters and the recent years grid with their commands and buttons. */
void AddListReports(reports::CMvView& view);

} // namespace mivra::app
