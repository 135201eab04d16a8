#pragma once

#include <QIcon>

namespace mivra::ui::qt {

/** The program's icon, in every size it is drawn in. */
QIcon ProgramIcon();

} // namespace mivra::ui::qt
