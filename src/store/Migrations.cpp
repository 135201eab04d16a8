#include "store/Migrations.h"

#include "base/FileIo.h"
#include "store/DataFiles.h"
#include "store/Records.h"

#include <array>
#include <system_error>

namespace mivra {
namespace {

// Keys are 16-bit, so more records than this cannot belong to distinct brothers.
constexpr uint64_t kMaxLegacyRecords = 65535;

void MoveIfOnlyOlder(const std::filesystem::path& older, const std::filesystem::path& current) {
    if (io::Exists(current) || !io::Exists(older))
        return;
    std::error_code ec;
    std::filesystem::rename(older, current, ec);
}

// The older names are Windows-1252 bytes on disk ("\xE8" is the è).
constexpr std::array<std::pair<const char*, int>, 8> kOlderNames = {{
    {"Orat\xE8.dat", file::kSpeakers},
    {"Kong.dat", file::kCongregations},
    {"Sikonskripsyon.dat", file::kCircuits},
    {"Ospital.dat", file::kHosts},
    {"Sij\xE8.dat", file::kTopics},
    {"Istwa.dat", file::kHistory},
    {"Nou vle.dat", file::kNeeds},
    {"espesyal.dat", file::kEvents},
}};

} // namespace

std::vector<std::string> OlderFileNames(std::string_view languageCode) {
    std::vector<std::string> names;
    if (languageCode == "HT")
        for (const auto& [older, id] : kOlderNames)
            names.emplace_back(older);
    return names;
}

void RenameOlderFiles(DataFiles& files, std::string_view languageCode) {
    if (languageCode != "HT")
        return;
    for (const auto& [older, id] : kOlderNames)
        MoveIfOnlyOlder(files.Folder() / older, files.Path(id));
}

void MigrateItalianBrothers(DataFiles& files, std::string_view languageCode) {
    if (languageCode != "italian")
        return;
    const std::filesystem::path older = files.Folder() / "oratori.dat";
    const std::filesystem::path current = files.Path(file::kSpeakers);
    std::optional<uint64_t> olderSize = io::FileSize(older);
    if (!olderSize || *olderSize <= io::FileSize(current).value_or(0))
        return;
    std::error_code ec;
    std::filesystem::rename(older, current, ec); // replaces the smaller file in one step
}

void ConvertLegacyExtraFile(DataFiles& files) {
    if (files.Exists(file::kExtra))
        return;
    const std::filesystem::path legacyPath = files.Folder() / "extend.dat";
    io::FileBytes legacy =
        io::ReadFile(legacyPath, kMaxLegacyRecords * LegacyBrotherExtraRecord::kSize);
    const size_t count = legacy.bytes.size() / LegacyBrotherExtraRecord::kSize;
    if (legacy.state != io::ReadState::Ok || count == 0)
        return;
    std::vector<uint8_t> out;
    out.reserve(count * BrotherExtraRecord::kSize);
    for (size_t i = 0; i < count; ++i) {
        auto record = ConvertLegacyExtra(
            std::span<const uint8_t>(legacy.bytes)
                .subspan(i * LegacyBrotherExtraRecord::kSize, LegacyBrotherExtraRecord::kSize));
        out.insert(out.end(), record.begin(), record.end());
    }
    files.Save(file::kExtra, out);
}

} // namespace mivra
