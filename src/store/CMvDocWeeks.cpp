// The week window, the special events, availability, the needs list, and the saves that failed.
#include "store/CMvDoc.h"
#include "store/Profile.h"

namespace mivra {

WeekRecord& CMvDoc::GetWeek(int weekIndex) {
    return m_weeks.Get(weekIndex);
}

void CMvDoc::StoreWeek(const WeekRecord& record, int weekIndex) {
    m_weeks.Store(record, weekIndex);
}

bool CMvDoc::SaveWeeks() {
    if (!m_context.Commit(file::kHistory, m_context.Files().Save(file::kHistory, m_weeks.Encode())))
        return false;
    m_weeks.MarkSaved();
    m_pendingWeekChanges.clear();
    return true;
}

bool CMvDoc::ChangeWeeks(const WeekChange& change) {
    // The change goes into the window and into the file as it is on disk, so edits the
    // scheduling sheet has not committed stay uncommitted (its Cancel still drops them).
    if (!m_weeks.ChangeEverywhere(change))
        return true;
    if (m_context.Files().Save(file::kHistory, m_weeks.EncodeSaved())) {
        m_pendingWeekChanges.clear(); // the file copy held every earlier change too
        return true;
    }
    // Kept to be made again when the window is read back from the older file.
    m_pendingWeekChanges.push_back(change);
    return m_context.Commit(file::kHistory, false);
}

void CMvDoc::ReapplyPendingWeekChanges() {
    for (const WeekChange& change : m_pendingWeekChanges)
        m_weeks.ChangeEverywhere(change);
}

bool CMvDoc::SetWeekCongregation(uint16_t brotherKey, uint16_t congregationKey) {
    return ChangeWeeks([brotherKey, congregationKey](WeekRecord& week) {
        if (!SameKey(week.homeSpeaker, brotherKey) ||
            static_cast<uint16_t>(week.homeCongregation) == congregationKey)
            return false;
        week.homeCongregation = static_cast<int16_t>(congregationKey);
        return true;
    });
}

int CMvDoc::AddEvent(const SpecialEventRecord& record) {
    const int position = m_events.Add(record);
    if (m_weeks.Contains(record.weekIndex))
        m_weeks.Get(record.weekIndex).weekFlags = static_cast<uint16_t>(record.flags | kWeekInUse);
    return position;
}

void CMvDoc::RemoveEvent(int index) {
    const SpecialEventRecord* event = m_events.At(index);
    if (!event)
        return;
    if (m_weeks.Contains(event->weekIndex)) {
        WeekRecord& week = m_weeks.Get(event->weekIndex);
        week.weekFlags &= kWeekInUse;
    }
    m_events.Remove(index);
}

uint16_t CMvDoc::EventStrikes(int weekIndex, uint16_t flags) const {
    return mivra::EventStrikes(m_weeks.Week(weekIndex), flags);
}

void CMvDoc::ApplyEventStrikes(int weekIndex, uint16_t strikeBits) {
    if (m_weeks.Contains(weekIndex))
        mivra::ApplyEventStrikes(m_weeks.Get(weekIndex), strikeBits);
}

bool CMvDoc::SaveSpecialEvents() {
    return m_context.Commit(
        file::kEvents,
        m_context.Files().Save(file::kEvents, m_events.Encode(m_context.CodePage())));
}

void CMvDoc::AddUnavailableWeek(uint16_t brotherKey, uint16_t weekNumber) {
    m_availability.Add(brotherKey, weekNumber);
}

void CMvDoc::RemoveUnavailableWeek(uint16_t brotherKey, uint16_t weekNumber) {
    m_availability.Remove(brotherKey, weekNumber);
}

bool CMvDoc::IsAvailable(uint16_t brotherKey, uint16_t weekNumber) const {
    return m_availability.IsAvailable(brotherKey, weekNumber);
}

std::vector<uint16_t> CMvDoc::ListUnavailableWeeks(uint16_t brotherKey, int limit) const {
    return m_availability.List(brotherKey, limit);
}

bool CMvDoc::SaveAvailability() {
    if (m_availability.Records().empty() || !m_availability.Changed())
        return true;
    if (!m_context.Commit(file::kAvailability,
                          m_context.Files().Save(file::kAvailability, m_availability.Encode())))
        return false;
    m_availability.SetChanged(false);
    return true;
}

bool CMvDoc::SaveNeedsList() {
    auto bytes = m_needs.Encode();
    return m_context.Commit(file::kNeeds, m_context.Files().Save(file::kNeeds, bytes));
}

// Saves that failed -----------------------------------------------------------------------------

bool CMvDoc::HasPendingSaves() const {
    return !m_context.PendingSaves().empty() || m_context.HasUnwrittenRecords() ||
           m_availability.Changed();
}

bool CMvDoc::RunSave(int id) {
    switch (id) {
    case file::kHistory:
        return SaveWeeks();
    case file::kEvents:
        return SaveSpecialEvents();
    case file::kHosts:
        return m_hosts.Save();
    case file::kCircuits:
        return m_circuits.Save();
    case file::kTopics:
        return m_topics.Save();
    case file::kTalks:
        return m_talks.SaveTalks();
    case file::kAvailability:
        return SaveAvailability();
    case file::kNeeds:
        return SaveNeedsList();
    case file::kProfile:
        return m_context.Commit(file::kProfile, WriteProfile([this](Profile& p) {
                                    mivra::WriteSettings(p, Strings(), m_options);
                                    WriteHomeCongregation(p, m_options.ourCongregationKey);
                                }));
    default:
        return true;
    }
}

std::vector<std::filesystem::path> CMvDoc::RetryPendingSaves() {
    std::set<int> ids = m_context.PendingSaves();
    if (m_availability.Changed())
        ids.insert(file::kAvailability);
    std::vector<std::filesystem::path> failing;
    m_context.Files().SetQuiet(true);
    for (int id : ids)
        if (!RunSave(id))
            failing.push_back(DataFilePath(id));
    m_context.RetryUnwrittenRecords(failing);
    m_context.Files().SetQuiet(false);
    return failing;
}

} // namespace mivra
