#pragma once

#include "store/Records.h"

#include <array>
#include <cstdint>
#include <span>

namespace mivra {

class StoreContext;

/** The needs list ("wishlist.dat", 96 bytes): the talks wanted soon, with their priority. */
struct NeedsList {
    static constexpr size_t kSize = 96;
    enum Priority : int { kHigh = 1, kMedium = 2, kLow = 3 };

    TalkRepertoire listed{};
    TalkRepertoire high{};
    TalkRepertoire low{};

    /** 1 when the high bit is set, else 3 when the low bit is set, else 2. */
    int PriorityOf(int talk) const;
    bool Contains(int talk) const { return listed.Has(talk); }
    /** Clears the talk in all three sets. */
    void Remove(int talk);

    /** A short block reads as if zero-filled; bytes past 96 are ignored. */
    static NeedsList Decode(std::span<const uint8_t> bytes);
    std::array<uint8_t, kSize> Encode() const;
    friend bool operator==(const NeedsList&, const NeedsList&) = default;
};

/** The needs list as the document keeps it; a dialog edits a copy and hands it back. */
class NeedsStore {
public:
    explicit NeedsStore(StoreContext& context) : m_context(context) {}

    /** Reads the file; a short one reads as if zero-filled. */
    void Load();
    void Clear() { m_needs = NeedsList{}; }
    const NeedsList& List() const { return m_needs; }
    void SetNeeds(const NeedsList& needs) { m_needs = needs; }
    int NeedsPriority(int talk) const { return m_needs.PriorityOf(talk); }
    bool SaveNeedsList();

private:
    StoreContext& m_context;
    NeedsList m_needs;
};

} // namespace mivra
