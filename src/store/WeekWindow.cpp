#include "store/WeekWindow.h"

namespace mivra {

void WeekWindow::Reset(int baseWeek) {
    m_base = baseWeek;
    m_cursor = baseWeek;
    for (int n = 0; n < kWeeks; ++n)
        m_live[static_cast<size_t>(n)] = WeekRecord::Blank(baseWeek + n);
    m_saved = m_live;
}

bool WeekWindow::Contains(int weekIndex) const {
    return weekIndex >= m_base && weekIndex < m_base + kWeeks;
}

WeekRecord& WeekWindow::Get(int weekIndex) {
    if (Contains(weekIndex))
        return m_live[static_cast<size_t>(weekIndex - m_base)];
    m_scratch = WeekRecord::Blank(weekIndex);
    return m_scratch;
}

WeekRecord WeekWindow::Week(int weekIndex) const {
    if (Contains(weekIndex))
        return m_live[static_cast<size_t>(weekIndex - m_base)];
    return WeekRecord::Blank(weekIndex);
}

void WeekWindow::Store(WeekRecord record, int weekIndex) {
    if (!Contains(weekIndex))
        return;
    record.weekNumber = static_cast<uint16_t>(weekIndex + 1);
    if (record == WeekRecord::Blank(weekIndex))
        record.weekFlags = static_cast<uint16_t>(record.weekFlags & ~kWeekInUse);
    else
        record.weekFlags |= kWeekInUse;
    m_live[static_cast<size_t>(weekIndex - m_base)] = record;
}

void WeekWindow::LoadRecord(const WeekRecord& record) {
    const int w = record.weekNumber;
    // A record beyond the window is dropped without moving the cursor, so one bad record
    // cannot take every later week with it.
    if (w <= m_cursor || w > m_base + kWeeks)
        return;
    m_cursor = w - 1;
    auto slot = static_cast<size_t>(w - 1 - m_base);
    WeekRecord placed = record;
    // A record that carries data is in use whatever its bit says, as Store would mark it:
    // otherwise the week is shown but silently left out of the next save.
    if (!(placed == WeekRecord::Blank(w - 1)))
        placed.weekFlags |= kWeekInUse;
    m_live[slot] = placed;
    m_saved[slot] = placed;
}

void WeekWindow::LoadFile(std::span<const uint8_t> bytes) {
    for (size_t at = 0; at + WeekRecord::kSize <= bytes.size(); at += WeekRecord::kSize)
        LoadRecord(WeekRecord::Decode(bytes.subspan(at, WeekRecord::kSize)));
}

std::vector<uint8_t> WeekWindow::EncodeInUse(const std::vector<WeekRecord>& weeks) {
    std::vector<uint8_t> out;
    for (const WeekRecord& week : weeks) {
        if (!week.InUse())
            continue;
        auto bytes = week.Encode();
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

std::vector<uint8_t> WeekWindow::Encode() const {
    return EncodeInUse(m_live);
}

std::vector<uint8_t> WeekWindow::EncodeSaved() const {
    return EncodeInUse(m_saved);
}

void WeekWindow::MarkSaved() {
    m_saved = m_live;
}

bool WeekWindow::ChangeEverywhere(const std::function<bool(WeekRecord&)>& change) {
    for (WeekRecord& week : m_live)
        change(week);
    bool fileChanged = false;
    for (WeekRecord& week : m_saved)
        fileChanged = change(week) || fileChanged;
    return fileChanged;
}

} // namespace mivra
