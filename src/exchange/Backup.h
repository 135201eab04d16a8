#pragma once

#include "base/Clock.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
}

// The backup set: the data files and the profile copied into a time-stamped folder, the
// pruning of older backups, and the restore that brings a set back into the data folder.
namespace mivra::exchange {

/** When a backup is taken: the date from the program's clock, the time of day the system's. */
struct BackupTime {
    CivilDate date;
    int hour = 0;
    int minute = 0;
};

/** Today's date from the clock with the system's time of day. */
BackupTime BackupTimeNow(CivilDate today);

/** "Qz4_%y%j_%H%M_%d%b%y" with English month names, so names sort by time within a century. */
std::string BackupFolderName(const BackupTime& time);

/** Whether the folder's last component begins "Qz4_" (a trailing separator is ignored). */
bool IsBackupFolder(const std::filesystem::path& folder);

/** The names of the backup folders directly under base, sorted (oldest first). */
std::vector<std::string> ListBackups(const std::filesystem::path& base);

/** Whether a folder holds a set: non-empty brothers and congregations, and talks unless the
 *  folder never had a talk file (the program then runs on its default talks). */
bool HoldsBackupSet(const CMvDoc& doc, const std::filesystem::path& folder);

/** The file names of the set in copy order: the eleven data files, then the profile. */
std::vector<std::string> BackupSetNames(const CMvDoc& doc);

/** The congregations' map files that exist in the data folder (plain names only). */
std::vector<std::string> CongregationMaps(const CMvDoc& doc);

/** The bytes the set takes, with the maps when asked for. */
uint64_t BackupSize(const CMvDoc& doc, bool includeMaps);

/** Which pictures go along with the data files. */
enum class Maps {
    None,
    Congregations, ///< the maps the congregations name
    EveryJpg,      ///< every "*.jpg" of the data folder (the safety copy before a restore)
};

/** Told the name of each file before it is copied. */
using Progress = std::function<void(const std::string& fileName)>;

struct BackupOutcome {
    bool done = false;
    std::filesystem::path folder; ///< the new backup folder (removed again when not done)
    int copied = 0;
    std::string failed; ///< the file that could not be copied; empty when the folder could not
                        ///< be made
};

/**
 * Makes a new backup folder under base and copies the set into it. A file missing from the
 * data folder is skipped; any other failure removes what was copied and the folder. A name
 * already taken fails unless `numbered`, which then tries "_1", "_2" … after it.
 */
BackupOutcome MakeBackup(const CMvDoc& doc, const std::filesystem::path& base,
                         const BackupTime& time, Maps maps, const Progress& progress,
                         bool numbered = false);

/**
 * Deletes the oldest backups under base beyond the three newest that are not `keep`, file by
 * file (never a recursive delete), then each folder. Returns the system's error text of each
 * folder that could not be removed.
 */
std::vector<std::string> PruneBackups(const CMvDoc& doc, const std::filesystem::path& base,
                                      const std::string& keep);

/** Where the safety copy before a restore goes: beside the backup, else the data folder. */
std::filesystem::path SafetyCopyBase(const CMvDoc& doc, const std::filesystem::path& backup);

/**
 * The live set with every "*.jpg" of the data folder, as a backup folder (numbered when the
 * name is taken, never pruned) beside the backup to be restored, or in the data folder when
 * that fails.
 */
BackupOutcome MakeSafetyCopy(const CMvDoc& doc, const std::filesystem::path& backup,
                             const BackupTime& time, const Progress& progress);

struct RestoreOutcome {
    bool done = false;
    int restored = 0;
    std::string failed; ///< the file that could not be brought back
};

/**
 * Brings the set's files present in the backup, and every "*.jpg" of it, into the data
 * folder: each is first copied beside its live file under a temporary name and checked, and
 * only when every copy succeeded do they replace the live files. On failure no live file
 * has changed.
 */
RestoreOutcome RestoreBackup(const CMvDoc& doc, const std::filesystem::path& backup,
                             const Progress& progress);

} // namespace mivra::exchange
