#include "store/NeedsList.h"

#include "store/StoreContext.h"

#include <algorithm>

namespace mivra {

int NeedsList::PriorityOf(int talk) const {
    if (high.Has(talk))
        return kHigh;
    return low.Has(talk) ? kLow : kMedium;
}

void NeedsList::Remove(int talk) {
    listed.Set(talk, false);
    high.Set(talk, false);
    low.Set(talk, false);
}

NeedsList NeedsList::Decode(std::span<const uint8_t> in) {
    std::array<uint8_t, kSize> raw{};
    std::copy_n(in.begin(), std::min(in.size(), kSize), raw.begin());
    std::span<const uint8_t> b(raw);
    constexpr size_t n = TalkRepertoire::kSize;
    return {TalkRepertoire::Decode(b.subspan(0, n)), TalkRepertoire::Decode(b.subspan(n, n)),
            TalkRepertoire::Decode(b.subspan(2 * n, n))};
}

std::array<uint8_t, NeedsList::kSize> NeedsList::Encode() const {
    std::array<uint8_t, kSize> out{};
    constexpr size_t n = TalkRepertoire::kSize;
    std::copy(listed.bits.begin(), listed.bits.end(), out.begin());
    std::copy(high.bits.begin(), high.bits.end(), out.begin() + n);
    std::copy(low.bits.begin(), low.bits.end(), out.begin() + 2 * n);
    return out;
}

void NeedsStore::Load() {
    io::FileBytes file =
        m_context.Files().Read(file::kNeeds, NeedsList::kSize, DataFiles::Tail::Ignore);
    m_needs = NeedsList::Decode(file.bytes);
}

bool NeedsStore::SaveNeedsList() {
    return m_context.SaveFile(file::kNeeds, m_needs.Encode());
}

} // namespace mivra
