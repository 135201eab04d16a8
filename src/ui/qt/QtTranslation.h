#pragma once

class QCoreApplication;

namespace mivra::ui::qt {

/**
 * Qt's own dialogs (print, preview, page set-up, file, font, colour) in Swedish: Qt's installed
 * translation where there is one, then ours, built into the program from
 * translations/qtbase_sv.ts. Ours is installed last, so it is asked first. False when ours
 * cannot be loaded.
 */
bool InstallQtTranslations(QCoreApplication& application);

} // namespace mivra::ui::qt
