#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

// Data files of src/resources compiled into the program (string tables, dialog templates).
namespace mivra::resources {

struct EmbeddedFile {
    const char* name; ///< path below src/resources, such as "dialogs/158.ui"
    const unsigned char* data;
    size_t size;
};

std::span<const EmbeddedFile> AllFiles();

/** The bytes of an embedded file, or nothing when there is no file of that name. */
std::optional<std::string_view> Find(std::string_view name);

} // namespace mivra::resources
