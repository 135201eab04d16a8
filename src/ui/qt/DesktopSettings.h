#pragma once

#include <QSettings>

namespace mivra::ui::qt {

/**
 * What belongs to this desktop rather than to the data folder: the window's place, the folder
 * last used for a PDF. Kept in `$XDG_CONFIG_HOME/mivra/window.conf`, so a data folder restored
 * on another computer does not carry them along.
 */
inline QSettings DesktopSettings() {
    return QSettings(QStringLiteral("mivra"), QStringLiteral("window"));
}

} // namespace mivra::ui::qt
