#include "rotations/CHosp.h"

namespace mivra::rotations {

std::optional<uint16_t> CHosp::ChooseHolder(int /*weekIndex*/, uint16_t holder) {
    return PickFromHostList(holder);
}

std::optional<uint16_t> CHosp::PickFromHostList(uint16_t /*current*/) {
    // wired when the host list lands
    return std::nullopt;
}

} // namespace mivra::rotations
