#pragma once

#include "store/NameList.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mivra {

/** One host of "hospital.dat". A text starting with "~" is never chosen automatically. */
struct HostRecord {
    static constexpr size_t kSize = 32;
    static constexpr size_t kNameWidth = 30;
    static constexpr size_t kNameChars = 28;

    std::string name{}; ///< the host text as stored, "~" included
    uint16_t key = 0;   ///< the host id, 30001 … 31000

    static HostRecord Decode(std::span<const uint8_t> bytes, int codePage);
    std::array<uint8_t, kSize> Encode(int codePage) const;
};

/** The text shown to the user: the stored text without one leading "~". */
std::string_view HostDisplayName(std::string_view stored);

/** The host list: dense, sorted by the stored text; ids allocated as circuit keys are. */
class HostList : public NameList<HostRecord> {
public:
    static constexpr uint16_t kFirstId = 30001;
    static constexpr uint16_t kLastId = 31000;

    HostList() : NameList(kFirstId, kLastId) {}

    /** The displayed text of the host at an index; empty outside the list. */
    std::string DisplayName(int index) const;
    /** Index + 1 of the first host whose displayed text equals the text ignoring case. */
    int FindDisplayName(std::string_view text, int skipIndex = -1) const;
};

} // namespace mivra
