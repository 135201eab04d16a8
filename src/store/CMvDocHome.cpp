// The home congregation: its key, its brothers with their roles, its meeting weekdays.
#include "store/CMvDoc.h"
#include "store/Profile.h"

#include <algorithm>

namespace mivra {

bool CMvDoc::SetOurCongregation(uint16_t key) {
    m_options.ourCongregationKey = key;
    const bool ok = m_context.Commit(
        file::kProfile, WriteProfile([key](Profile& p) { WriteHomeCongregation(p, key); }));
    BuildOurBrotherList();
    return ok;
}

bool CMvDoc::ClearHomeCongregation() {
    return SetOurCongregation(0);
}

void CMvDoc::BuildOurBrotherList() {
    m_congregations.RefreshHomeWeekdays();
    m_ourBrothers.clear();
    const uint16_t home = m_congregations.OurCongregationKey();
    if (home == 0)
        return;
    for (int i = 0; i < BrotherCount(); ++i) {
        const BrotherIndexEntry& brother = m_brothers[static_cast<size_t>(i)];
        if (brother.congregationKey == home)
            m_ourBrothers.push_back({brother.brotherKey, static_cast<uint16_t>(i), 0});
    }
    for (OurBrotherEntry& entry : m_ourBrothers) {
        BrotherRecord record;
        if (ReadBrother(entry.position, record))
            entry.roleBits = record.homeRoles;
    }
}

void CMvDoc::RefreshOurPositions() {
    std::erase_if(m_ourBrothers, [this](OurBrotherEntry& entry) {
        const int index = FindBrotherByKey(entry.brotherKey);
        if (index == kNotFound)
            return true;
        entry.position = static_cast<uint16_t>(index);
        return false;
    });
    // The list keeps brother-index order.
    std::stable_sort(
        m_ourBrothers.begin(), m_ourBrothers.end(),
        [](const OurBrotherEntry& a, const OurBrotherEntry& b) { return a.position < b.position; });
}

void CMvDoc::RemoveFromOurList(uint16_t brotherKey) {
    std::erase_if(m_ourBrothers,
                  [brotherKey](const OurBrotherEntry& e) { return e.brotherKey == brotherKey; });
}

int CMvDoc::FindOurBrother(uint16_t key) const {
    for (size_t i = 0; i < m_ourBrothers.size(); ++i)
        if (key != 0 && m_ourBrothers[i].brotherKey == key)
            return static_cast<int>(i) + 1;
    return 0;
}

void CMvDoc::RemoveOurBrother(int position) {
    if (position >= 0 && position < static_cast<int>(m_ourBrothers.size()))
        m_ourBrothers.erase(m_ourBrothers.begin() + position);
}

void CMvDoc::SetOurBrotherRoles(int position, uint16_t roleBits) {
    if (position >= 0 && position < static_cast<int>(m_ourBrothers.size()))
        m_ourBrothers[static_cast<size_t>(position)].roleBits = roleBits;
}

int CMvDoc::CountOurBrothersWithRole(int bit) const {
    if (bit < 0 || bit > 15)
        return 0;
    const auto mask = static_cast<uint16_t>(1u << bit);
    return static_cast<int>(std::count_if(m_ourBrothers.begin(), m_ourBrothers.end(),
                                          [mask](const auto& e) { return e.roleBits & mask; }));
}

bool CMvDoc::IsOutgoingSpeaker(int index) const {
    const BrotherIndexEntry* brother = Brother(index);
    if (!brother || brother->Suspended())
        return false;
    const int position = FindOurBrother(brother->brotherKey);
    return position != 0 &&
           (m_ourBrothers[static_cast<size_t>(position - 1)].roleBits & kRoleOutgoingSpeaker);
}

bool CMvDoc::SaveOurBrotherRoles() {
    bool ok = true;
    for (const OurBrotherEntry& entry : m_ourBrothers) {
        BrotherRecord record;
        const uint16_t slot = ReadBrother(entry.position, record);
        if (slot == 0)
            continue;
        record.homeRoles = static_cast<uint8_t>(entry.roleBits & 0xFF);
        ok = WriteBrother(slot, record) && ok;
    }
    return ok;
}

} // namespace mivra
