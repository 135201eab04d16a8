// The operations that reach more than one list: deletions and moves that clear every reference,
// the home congregation, and lookups across lists.
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

namespace mivra {

bool CMvDoc::DeleteBrother(int index) {
    const BrotherIndexEntry* entry = m_brothers.Brother(index);
    if (!entry)
        return false;
    const uint16_t key = entry->brotherKey;
    const uint16_t extraSlot = entry->extraSlot;
    m_congregations.ClearBrother(key, 0);
    if (extraSlot != 0)
        m_brothers.ClearBrotherExtra(extraSlot, key);
    if (m_availability.RemoveBrother(key) > 0)
        m_availability.SaveAvailability();
    m_weeks.ClearBrother(key);
    m_brothers.RemoveBrother(index);
    return true;
}

bool CMvDoc::MoveBrother(int index, uint16_t congregationKey, bool ask) {
    const BrotherIndexEntry* entry = m_brothers.Brother(index);
    if (!entry)
        return false;
    const uint16_t key = entry->brotherKey;
    const uint16_t oldKey = entry->congregationKey;
    const int oldIndex = m_congregations.FindCongregationByKey(oldKey);
    if (ask && oldIndex != 0) {
        std::string question =
            Strings().Format(1009, m_brothers.BrotherName(index, false),
                             m_congregations.CongregationName(oldIndex - 1, false));
        if (m_context.ShowMessage(question, ui::Buttons::YesNo) != ui::Answer::Yes)
            return false;
    }
    BrotherRecord record;
    if (m_brothers.ReadBrother(index, record) == 0)
        return false; // his record is gone from its slot: nothing is changed
    if (oldKey != 0)
        m_congregations.ClearBrother(key, oldKey);
    m_brothers.SetBrotherCongregation(index, congregationKey);
    m_weeks.SetWeekCongregation(key, congregationKey);
    return true;
}

bool CMvDoc::DeleteCongregation(int index) {
    const CongregationIndexEntry* entry = m_congregations.Congregation(index);
    if (!entry)
        return false;
    const uint16_t key = entry->congregationKey;
    const bool wasHome = key == m_congregations.OurCongregationKey();
    m_brothers.ClearCongregation(key);
    m_weeks.ClearCongregation(key);
    m_congregations.RemoveCongregation(index);
    if (wasHome)
        SetOurCongregation(0);
    return true;
}

int CMvDoc::TalkCoordinatorOf(int index) const {
    const CongregationIndexEntry* entry = m_congregations.Congregation(index);
    if (!entry)
        return 0;
    const int brother = m_brothers.FindBrotherByKey(entry->talkCoordinatorKey);
    return brother == kNotFound ? 0 : brother + 1;
}

bool CMvDoc::DeleteCircuit(int index) {
    const CircuitRecord* circuit = m_circuits.At(index);
    if (!circuit)
        return false;
    m_congregations.ClearCircuit(circuit->key);
    m_circuits.Delete(index);
    return true;
}

bool CMvDoc::DeleteTopic(int index) {
    const TopicRecord* topic = m_topics.At(index);
    if (!topic)
        return false;
    // The topic's key goes to the next topic added, so it must leave the talk file too.
    m_talks.RemoveTopic(topic->key);
    m_topics.Delete(index);
    return true;
}

bool CMvDoc::DeleteHost(int index) {
    const HostRecord* host = m_hosts.At(index);
    if (!host)
        return false;
    m_weeks.ClearHost(host->key);
    m_hosts.Delete(index);
    return true;
}

bool CMvDoc::SetOurCongregation(uint16_t key) {
    const bool ok = m_settings.SetHomeCongregation(key);
    BuildOurBrotherList();
    return ok;
}

void CMvDoc::BuildOurBrotherList() {
    m_congregations.RefreshHomeWeekdays();
    m_brothers.BuildOurBrotherList(m_congregations.OurCongregationKey());
}

int CMvDoc::AddEvent(const SpecialEventRecord& record) {
    const int position = m_events.Add(record);
    // Only the event's bits change: status bits this version does not know survive.
    if (m_weeks.Contains(record.weekIndex)) {
        uint16_t& flags = m_weeks.GetWeek(record.weekIndex).weekFlags;
        flags = static_cast<uint16_t>((flags & ~kWeekEventBits) | (record.flags & kWeekEventBits) |
                                      kWeekInUse);
    }
    return position;
}

void CMvDoc::RemoveEvent(int index) {
    const SpecialEventRecord* event = m_events.At(index);
    if (!event)
        return;
    if (m_weeks.Contains(event->weekIndex))
        m_weeks.GetWeek(event->weekIndex).weekFlags &= static_cast<uint16_t>(~kWeekEventBits);
    m_events.Remove(index);
}

} // namespace mivra
