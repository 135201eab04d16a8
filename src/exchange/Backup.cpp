#include "exchange/Backup.h"

#include "base/FileIo.h"
#include "store/CMvDoc.h"
#include "store/DataFiles.h"
#include "store/Migrations.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <system_error>
#include <unistd.h>

namespace mivra::exchange {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kPrefix = "Qz4_";

// The set in copy order: the data files, then the profile.
constexpr std::array kSetIds = {file::kSpeakers,     file::kCongregations, file::kCircuits,
                                file::kHosts,        file::kTopics,        file::kHistory,
                                file::kAvailability, file::kEvents,        file::kTalks,
                                file::kNeeds,        file::kExtra,         file::kProfile};

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int DayOfYear(const CivilDate& date) {
    static constexpr std::array<int, 12> kBefore = {0,   31,  59,  90,  120, 151,
                                                    181, 212, 243, 273, 304, 334};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    return kBefore[static_cast<size_t>(date.month - 1)] + date.day + (leap && date.month > 2);
}

bool IsJpg(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".jpg";
}

bool IsRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(fs::symlink_status(path, error));
}

std::vector<std::string> JpgsIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (IsJpg(it->path()) && IsRegularFile(it->path()))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

enum class Copy { Done, Missing, Failed };

// Copies through the file layer, so the fault hook reaches it; the copy's size is checked.
Copy CopyFile(const fs::path& from, const fs::path& to) {
    if (!IsRegularFile(from))
        return io::Exists(from) ? Copy::Failed : Copy::Missing;
    const io::FileBytes source = io::ReadFile(from);
    if (source.state == io::ReadState::Missing)
        return Copy::Missing;
    if (source.state != io::ReadState::Ok || source.bytes.size() != source.fileSize)
        return Copy::Failed;
    if (!io::SaveFile(to, source.bytes))
        return Copy::Failed;
    return io::FileSize(to) == source.bytes.size() ? Copy::Done : Copy::Failed;
}

void RemoveQuietly(const fs::path& path) {
    std::error_code error;
    fs::remove(path, error);
}

} // namespace

BackupTime BackupTimeNow(CivilDate today) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {today, local.tm_hour, local.tm_min};
}

std::string BackupFolderName(const BackupTime& time) {
    char name[40];
    const int yy = time.date.year % 100;
    std::snprintf(name, sizeof name, "Qz4_%02d%03d_%02d%02d_%02d%s%02d", yy, DayOfYear(time.date),
                  time.hour, time.minute, time.date.day,
                  kMonths[static_cast<size_t>(std::clamp(time.date.month, 1, 12) - 1)], yy);
    return name;
}

bool IsBackupFolder(const fs::path& folder) {
    fs::path path = folder;
    if (!path.has_filename())
        path = path.parent_path();
    return path.filename().string().starts_with(kPrefix);
}

std::vector<std::string> ListBackups(const fs::path& base) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (it->is_directory(kind) && !it->is_symlink(kind) && IsBackupFolder(it->path()))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool HoldsBackupSet(const CMvDoc& doc, const fs::path& folder) {
    for (int id : {file::kSpeakers, file::kCongregations, file::kTalks}) {
        const fs::path path = folder / doc.DataFilePath(id).filename();
        // A folder that never had its talks edited has no talk file: the defaults serve.
        if (id == file::kTalks && !io::Exists(path))
            continue;
        const auto size = io::FileSize(path);
        if (!IsRegularFile(path) || !size || *size == 0)
            return false;
    }
    return true;
}

std::vector<std::string> BackupSetNames(const CMvDoc& doc) {
    std::vector<std::string> names;
    for (int id : kSetIds)
        names.push_back(doc.DataFilePath(id).filename().string());
    return names;
}

std::vector<std::string> CongregationMaps(const CMvDoc& doc) {
    std::vector<std::string> names;
    const auto& congregations = doc.Congregations();
    for (int i = 0; i < congregations.CongregationCount(); ++i) {
        CongregationRecord record;
        if (congregations.ReadCongregation(i, record) == 0 || !io::IsPlainName(record.mapFile))
            continue;
        if (!IsRegularFile(doc.DataFolder() / record.mapFile))
            continue;
        if (std::find(names.begin(), names.end(), record.mapFile) == names.end())
            names.push_back(record.mapFile);
    }
    return names;
}

uint64_t BackupSize(const CMvDoc& doc, bool includeMaps) {
    uint64_t total = 0;
    std::vector<std::string> names = BackupSetNames(doc);
    if (includeMaps) {
        const std::vector<std::string> maps = CongregationMaps(doc);
        names.insert(names.end(), maps.begin(), maps.end());
    }
    for (const std::string& name : names)
        if (IsRegularFile(doc.DataFolder() / name))
            total += io::FileSize(doc.DataFolder() / name).value_or(0);
    return total;
}

BackupOutcome MakeBackup(const CMvDoc& doc, const fs::path& base, const BackupTime& time, Maps maps,
                         const Progress& progress, bool numbered) {
    BackupOutcome outcome;
    const std::string name = BackupFolderName(time);
    // create_directory answers false for a name already taken: the new set never mixes with
    // an older one.
    std::error_code error;
    for (int n = 0;; ++n) {
        outcome.folder = base / (n == 0 ? name : name + "_" + std::to_string(n));
        if (fs::create_directory(outcome.folder, error))
            break;
        if (error || !numbered || n >= 99)
            return outcome;
    }

    std::vector<std::string> names = BackupSetNames(doc);
    const std::vector<std::string> pictures = maps == Maps::Congregations ? CongregationMaps(doc)
                                              : maps == Maps::EveryJpg    ? JpgsIn(doc.DataFolder())
                                                                       : std::vector<std::string>{};
    names.insert(names.end(), pictures.begin(), pictures.end());

    std::vector<fs::path> written;
    for (const std::string& file : names) {
        if (progress)
            progress(file);
        const Copy copy = CopyFile(doc.DataFolder() / file, outcome.folder / file);
        if (copy == Copy::Missing)
            continue;
        written.push_back(outcome.folder / file);
        if (copy == Copy::Failed) {
            outcome.failed = file;
            for (const fs::path& path : written)
                RemoveQuietly(path);
            io::RemoveTemporaryLeftovers(outcome.folder);
            RemoveQuietly(outcome.folder);
            return outcome;
        }
        ++outcome.copied;
    }
    outcome.done = true;
    return outcome;
}

std::vector<std::string> PruneBackups(const CMvDoc& doc, const fs::path& base,
                                      const std::string& keep) {
    std::vector<std::string> older = ListBackups(base);
    std::erase(older, keep);
    std::vector<std::string> errors;
    if (older.size() <= 3)
        return errors;
    std::vector<std::string> names = BackupSetNames(doc);
    names.push_back(doc.DataFilePath(file::kLegacyExtra).filename().string());
    for (std::string& name : OlderFileNames(doc.LanguageCode()))
        names.push_back(std::move(name));
    for (size_t i = 0; i < older.size() - 3; ++i) {
        const fs::path folder = base / older[i];
        for (const std::string& name : names)
            if (IsRegularFile(folder / name))
                RemoveQuietly(folder / name);
        for (const std::string& picture : JpgsIn(folder))
            RemoveQuietly(folder / picture);
        std::error_code error;
        if (!fs::remove(folder, error) && error)
            errors.push_back(folder.string() + ": " + error.message());
    }
    return errors;
}

fs::path SafetyCopyBase(const CMvDoc& doc, const fs::path& backup) {
    fs::path holder = backup;
    if (!holder.has_filename())
        holder = holder.parent_path();
    holder = holder.parent_path();
    return ::access(holder.c_str(), W_OK | X_OK) == 0 ? holder : doc.DataFolder();
}

BackupOutcome MakeSafetyCopy(const CMvDoc& doc, const fs::path& backup, const BackupTime& time,
                             const Progress& progress) {
    const fs::path base = SafetyCopyBase(doc, backup);
    BackupOutcome safety = MakeBackup(doc, base, time, Maps::EveryJpg, progress, true);
    if (!safety.done && base != doc.DataFolder())
        safety = MakeBackup(doc, doc.DataFolder(), time, Maps::EveryJpg, progress, true);
    return safety;
}

RestoreOutcome RestoreBackup(const CMvDoc& doc, const fs::path& backup, const Progress& progress) {
    RestoreOutcome outcome;
    std::vector<std::string> names;
    for (const std::string& name : BackupSetNames(doc))
        if (IsRegularFile(backup / name))
            names.push_back(name);
    for (const std::string& picture : JpgsIn(backup))
        names.push_back(picture);

    // Every file first lands beside its live file; the live set changes only when all did.
    const fs::path& data = doc.DataFolder();
    std::vector<std::pair<fs::path, fs::path>> staged;
    auto dropStaged = [&] {
        for (const auto& [temp, live] : staged)
            RemoveQuietly(temp);
    };
    for (const std::string& name : names) {
        if (progress)
            progress(name);
        const fs::path temp = data / ("." + name + ".restoring");
        if (CopyFile(backup / name, temp) != Copy::Done) {
            RemoveQuietly(temp);
            dropStaged();
            outcome.failed = name;
            return outcome;
        }
        staged.emplace_back(temp, data / name);
    }
    for (const auto& [temp, live] : staged) {
        std::error_code error;
        fs::rename(temp, live, error);
        if (error) {
            outcome.failed = live.filename().string();
            dropStaged();
            return outcome;
        }
        ++outcome.restored;
    }
    outcome.done = true;
    return outcome;
}

} // namespace mivra::exchange
