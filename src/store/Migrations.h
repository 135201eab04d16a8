#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mivra {

class DataFiles;

// One-time migrations of older data folders, run at start before anything is loaded.

/** The older file names of a language ("HT" only), as bytes on disk. */
std::vector<std::string> OlderFileNames(std::string_view languageCode);
/** "HT" only: files under their older names are moved to the current names. */
void RenameOlderFiles(DataFiles& files, std::string_view languageCode);
/** "italian" only: a larger "oratori.dat" replaces "speakers.dat". */
void MigrateItalianBrothers(DataFiles& files, std::string_view languageCode);
/** Builds "xtend.dat" from "extend.dat" when "xtend.dat" does not exist. */
void ConvertLegacyExtraFile(DataFiles& files);

} // namespace mivra
