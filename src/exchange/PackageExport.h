#pragma once

#include "base/Result.h"
#include "exchange/Package.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mivra {
class CMvDoc;
namespace ui {
class Host;
}
} // namespace mivra

// Writing a congregation's package: its record, and those of its brothers who give talks or
// hold an office (of the home congregation only those sent out, and the officers).
namespace mivra::exchange {

/** What a package holds for a congregation; nothing when the key names none or its record
 *  cannot be read. */
std::optional<Package> BuildPackage(const CMvDoc& doc, uint16_t congregationKey);

/**
 * A plain file name for a congregation's package: separators, control characters and
 * `:*?"<>|` become "_", leading dots and trailing blanks go, an empty name is "församling";
 * then ".c1d". A name from another coordinator's package never writes outside the folder.
 */
std::string PackageFileName(std::string_view congregationName);

struct ExportOutcome {
    std::filesystem::path path;
    int brothers = 0;
};

/** Why WritePackage wrote nothing: no such congregation, or the file could not be written. */
struct ExportFailure {
    bool noCongregation = false;
    IoError error{};
};

/**
 * Writes the package atomically to `out`, or to the congregation's file in the data folder.
 * On failure nothing is written and the old file, if any, is untouched.
 */
std::optional<ExportOutcome> WritePackage(const CMvDoc& doc, uint16_t congregationKey,
                                          const std::optional<std::filesystem::path>& out,
                                          ExportFailure* failure = nullptr);

/** The menu's export: writes the file, then names it in a message; 1231 when it fails. */
bool ExportPackage(CMvDoc& doc, ui::Host& host, uint16_t congregationKey);

/** "Skapa paket att exportera": the home congregation with its brothers, as ExportPackage. */
bool ExportHomePackage(CMvDoc& doc, ui::Host& host);

} // namespace mivra::exchange
