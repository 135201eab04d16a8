#include "store/WeekWindow.h"

#include "store/EventList.h"
#include "store/StoreContext.h"

namespace mivra {

WeekWindow::WeekWindow(StoreContext& context) : m_context(context) {}

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

WeekRecord& WeekWindow::GetWeek(int weekIndex) {
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

void WeekWindow::StoreWeek(WeekRecord record, int weekIndex) {
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

bool WeekWindow::ChangeEverywhere(const WeekChange& change) {
    for (WeekRecord& week : m_live)
        change(week);
    bool fileChanged = false;
    for (WeekRecord& week : m_saved)
        fileChanged = change(week) || fileChanged;
    return fileChanged;
}

// The week file ----------------------------------------------------------------------------------

void WeekWindow::LoadWeeks() {
    Reset(m_base);
    m_context.Files().Stream(file::kHistory, WeekRecord::kSize,
                             [this](std::span<const uint8_t> chunk) { LoadFile(chunk); });
    for (const WeekChange& change : m_pendingChanges)
        ChangeEverywhere(change);
}

bool WeekWindow::SaveWeeks() {
    if (!m_context.SaveFile(file::kHistory, Encode()))
        return false;
    MarkSaved();
    m_pendingChanges.clear();
    return true;
}

bool WeekWindow::ChangeWeeks(const WeekChange& change) {
    if (!ChangeEverywhere(change))
        return true;
    if (m_context.Files().Save(file::kHistory, EncodeSaved())) {
        m_pendingChanges.clear(); // the file copy held every earlier change too
        return true;
    }
    // Kept to be made again when the window is read back from the older file.
    m_pendingChanges.push_back(change);
    return m_context.Commit(file::kHistory, false);
}

namespace {

// Clears a field that holds the key; true when it did.
bool ClearKey(uint16_t key, int16_t& field) {
    if (!SameKey(field, key))
        return false;
    field = 0;
    return true;
}

} // namespace

bool WeekWindow::SetWeekCongregation(uint16_t brotherKey, uint16_t congregationKey) {
    return ChangeWeeks([brotherKey, congregationKey](WeekRecord& week) {
        if (!SameKey(week.homeSpeaker, brotherKey) ||
            static_cast<uint16_t>(week.homeCongregation) == congregationKey)
            return false;
        week.homeCongregation = static_cast<int16_t>(congregationKey);
        return true;
    });
}

bool WeekWindow::ClearBrother(uint16_t brotherKey) {
    return ChangeWeeks([brotherKey](WeekRecord& week) {
        if (SameKey(week.homeSpeaker, brotherKey)) {
            // His invitation goes with him; the talk and congregation stay for the next one.
            week.asked = 0;
            week.confirmed = 0;
            week.reminder = 0;
        }
        bool changed = false;
        for (int16_t* field : {&week.homeSpeaker, &week.chairman, &week.reader})
            changed = ClearKey(brotherKey, *field) || changed;
        for (int16_t& speaker : week.outSpeaker)
            changed = ClearKey(brotherKey, speaker) || changed;
        return changed;
    });
}

bool WeekWindow::ClearCongregation(uint16_t congregationKey) {
    return ChangeWeeks([congregationKey](WeekRecord& week) {
        bool changed = ClearKey(congregationKey, week.homeCongregation);
        for (int16_t& congregation : week.outCongregation)
            changed = ClearKey(congregationKey, congregation) || changed;
        return changed;
    });
}

bool WeekWindow::ClearHost(uint16_t hostId) {
    // Host ids are reused: a week must not pass to the next host given this id.
    return ChangeWeeks([hostId](WeekRecord& week) { return ClearKey(hostId, week.host); });
}

uint16_t WeekWindow::EventStrikes(int weekIndex, uint16_t flags) const {
    return mivra::EventStrikes(Week(weekIndex), flags);
}

void WeekWindow::ApplyEventStrikes(int weekIndex, uint16_t strikeBits) {
    if (Contains(weekIndex))
        mivra::ApplyEventStrikes(GetWeek(weekIndex), strikeBits);
}

} // namespace mivra
