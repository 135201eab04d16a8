#include "resources/Embedded.h"

namespace mivra::resources {

std::optional<std::string_view> Find(std::string_view name) {
    for (const EmbeddedFile& f : AllFiles())
        if (name == f.name)
            return std::string_view(reinterpret_cast<const char*>(f.data), f.size);
    return std::nullopt;
}

} // namespace mivra::resources
