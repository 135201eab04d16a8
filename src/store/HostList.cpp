#include "store/HostList.h"

#include "base/Bytes.h"
#include "base/Text.h"

#include <algorithm>

namespace mivra {

HostRecord HostRecord::Decode(std::span<const uint8_t> in, int codePage) {
    std::array<uint8_t, kSize> raw{};
    std::copy_n(in.begin(), std::min(in.size(), kSize), raw.begin());
    std::span<const uint8_t> b(raw);
    return {text::DecodeField(b.subspan(0, kNameWidth), codePage), bytes::GetU16(b, kNameWidth)};
}

std::array<uint8_t, HostRecord::kSize> HostRecord::Encode(int codePage) const {
    std::array<uint8_t, kSize> out{};
    std::span<uint8_t> b(out);
    text::EncodeField(name, codePage, b.subspan(0, kNameWidth), SIZE_MAX);
    bytes::PutU16(b, kNameWidth, key);
    return out;
}

std::string_view HostDisplayName(std::string_view stored) {
    if (!stored.empty() && stored.front() == '~')
        stored.remove_prefix(1);
    return stored;
}

std::string HostList::DisplayName(int index) const {
    const HostRecord* host = At(index);
    return host ? std::string(HostDisplayName(host->name)) : std::string();
}

int HostList::FindDisplayName(std::string_view text, int skipIndex) const {
    for (int i = 0; i < Count(); ++i) {
        if (i == skipIndex)
            continue;
        if (text::EqualsIgnoringCase(text::Trim(HostDisplayName(At(i)->name)), text::Trim(text)))
            return i + 1;
    }
    return 0;
}

} // namespace mivra
