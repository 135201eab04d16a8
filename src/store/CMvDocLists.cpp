// The small lists held whole: circuits, topics, talks and hosts.
#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr int kMsgNoFreeSlot = 60006;

template <class Record>
int FindName(const NameList<Record>& list, std::string_view name, int skipIndex) {
    for (int i = 0; i < list.Count(); ++i)
        if (i != skipIndex &&
            text::EqualsIgnoringCase(text::Trim(list.At(i)->name), text::Trim(name)))
            return i + 1;
    return 0;
}

template <class Record>
std::string NameAt(const NameList<Record>& list, int index) {
    const Record* record = list.At(index);
    return record ? record->name : std::string();
}

} // namespace

// Circuits ------------------------------------------------------------------------------------

int CMvDoc::AddCircuit(CircuitRecord record) {
    if (CheckDuplicateCircuitName(record.name, false, -1) != 0)
        return -1;
    record.key = m_circuits.AllocateKey();
    if (record.key == 0) {
        ShowMessage(m_strings.Format(kMsgNoFreeSlot, DataFilePath(file::kCircuits).string()));
        return -1;
    }
    m_circuits.Append(record);
    m_circuits.Sort(*m_collator);
    return m_circuits.IndexOfKey(record.key);
}

int CMvDoc::RenameCircuit(int index, std::string_view name) {
    CircuitRecord* circuit = m_circuits.At(index);
    if (!circuit || CheckDuplicateCircuitName(name, false, index) != 0)
        return -1;
    circuit->name = std::string(name);
    const uint16_t key = circuit->key;
    m_circuits.Sort(*m_collator);
    return m_circuits.IndexOfKey(key);
}

bool CMvDoc::DeleteCircuit(int index) {
    const CircuitRecord* circuit = m_circuits.At(index);
    if (!circuit)
        return false;
    const uint16_t key = circuit->key;
    for (int i = 0; i < CongregationCount(); ++i) {
        CongregationIndexEntry& entry = m_congregations[static_cast<size_t>(i)];
        if (entry.circuitId != key)
            continue;
        entry.circuitId = 0;
        CongregationRecord record;
        if (uint16_t slot = ReadCongregation(i, record)) {
            record.circuitId = 0;
            WriteCongregation(slot, record);
        }
    }
    m_circuits.Remove(index);
    return true;
}

int CMvDoc::FindCircuitByKey(uint16_t key) const {
    return m_circuits.FindByKey(key);
}

std::string CMvDoc::CircuitName(int index) const {
    return NameAt(m_circuits, index);
}

std::string CMvDoc::CircuitNameByKey(uint16_t key) const {
    return CircuitName(FindCircuitByKey(key) - 1);
}

uint16_t CMvDoc::CircuitIdByName(std::string_view name) const {
    for (const CircuitRecord& circuit : m_circuits.Items())
        if (circuit.name == name)
            return circuit.key;
    return 0;
}

int CMvDoc::CheckDuplicateCircuitName(std::string_view name, bool ask, int ownIndex) {
    const int found = FindName(m_circuits, name, ask ? -1 : ownIndex);
    if (found != 0)
        ShowDuplicate(CircuitName(found - 1), false);
    return found;
}

bool CMvDoc::SaveCircuits() {
    return Commit(file::kCircuits, m_files.Save(file::kCircuits, m_circuits.Encode(m_codePage)));
}

// Topics --------------------------------------------------------------------------------------

int CMvDoc::AddTopic(TopicRecord record) {
    if (CheckDuplicateTopicName(record.name, false, -1) != 0)
        return -1;
    record.key = m_topics.AllocateKey();
    if (record.key == 0) {
        ShowMessage(m_strings.Format(kMsgNoFreeSlot, DataFilePath(file::kTopics).string()));
        return -1;
    }
    m_topics.Append(record);
    m_topics.Sort(*m_collator);
    return m_topics.IndexOfKey(record.key);
}

int CMvDoc::RenameTopic(int index, std::string_view name) {
    TopicRecord* topic = m_topics.At(index);
    if (!topic || CheckDuplicateTopicName(name, false, index) != 0)
        return -1;
    topic->name = std::string(name);
    const uint16_t key = topic->key;
    m_topics.Sort(*m_collator);
    return m_topics.IndexOfKey(key);
}

namespace {

// Clears a topic from every talk; true when a talk had it.
bool RemoveTopicFromTalks(std::vector<TalkRecord>& talks, uint16_t key) {
    bool changed = false;
    for (TalkRecord& talk : talks)
        for (uint16_t& entry : talk.topics)
            if (key != 0 && entry == key) {
                entry = 0;
                changed = true;
            }
    return changed;
}

std::vector<uint8_t> EncodeTalks(const std::vector<TalkRecord>& talks, int codePage) {
    std::vector<uint8_t> out;
    out.reserve(talks.size() * TalkRecord::kSize);
    for (const TalkRecord& talk : talks) {
        auto bytes = talk.Encode(codePage);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace

bool CMvDoc::DeleteTopic(int index) {
    const TopicRecord* topic = m_topics.At(index);
    if (!topic)
        return false;
    const uint16_t key = topic->key;
    RemoveTopicFromTalks(m_talks, key);
    // The topic's key goes to the next topic added, so it must leave the talk file too; the
    // file's own copy is changed, so talk edits not yet confirmed stay unconfirmed.
    if (RemoveTopicFromTalks(m_savedTalks, key))
        Commit(file::kTalks, m_files.Save(file::kTalks, EncodeTalks(m_savedTalks, m_codePage)));
    m_topics.Remove(index);
    return true;
}

int CMvDoc::FindTopicByKey(uint16_t key) const {
    return m_topics.FindByKey(key);
}

std::string CMvDoc::TopicName(int index) const {
    return NameAt(m_topics, index);
}

int CMvDoc::CheckDuplicateTopicName(std::string_view name, bool ask, int ownIndex) {
    const int found = FindName(m_topics, name, ask ? -1 : ownIndex);
    if (found != 0)
        ShowDuplicate(TopicName(found - 1), false);
    return found;
}

bool CMvDoc::SaveTopics() {
    return Commit(file::kTopics, m_files.Save(file::kTopics, m_topics.Encode(m_codePage)));
}

// Talks ---------------------------------------------------------------------------------------

const TalkRecord* CMvDoc::Talk(int index) const {
    if (index < 0 || index >= static_cast<int>(m_talks.size()))
        return nullptr;
    return &m_talks[static_cast<size_t>(index)];
}

void CMvDoc::SetTalk(int index, const TalkRecord& record) {
    if (!Talk(index))
        return;
    TalkRecord& talk = m_talks[static_cast<size_t>(index)];
    const uint16_t key = talk.talkKey;
    talk = record;
    talk.talkKey = key;
}

int CMvDoc::FindTalkByKey(uint16_t key) const {
    for (size_t i = 0; i < m_talks.size(); ++i)
        if (key != 0 && m_talks[i].talkKey == key)
            return static_cast<int>(i);
    return kNotFound;
}

bool CMvDoc::TalkHasTopic(int talkIndex, int topicIndex) const {
    const TalkRecord* talk = Talk(talkIndex);
    const TopicRecord* topic = m_topics.At(topicIndex);
    if (!talk || !topic || topic->key == 0)
        return false;
    return std::find(talk->topics.begin(), talk->topics.end(), topic->key) != talk->topics.end();
}

std::string CMvDoc::TalkCaption(int key, int flags) const {
    const std::string& word = m_strings.Get(1041);
    // Every talk 1 … 256 has a caption, the last one included.
    const TalkRecord* talk = (key >= 1 && key <= TalkRepertoire::kTalks) ? Talk(key - 1) : nullptr;
    if (!talk)
        return (flags & 2) ? word : std::string();
    std::string caption = (flags & 2) ? word + " - " : std::string();
    caption += talk->title;
    if (flags & 1)
        caption += " ( " + talk->numberText + " ) ";
    return caption;
}

bool CMvDoc::SaveTalks() {
    if (!Commit(file::kTalks, m_files.Save(file::kTalks, EncodeTalks(m_talks, m_codePage))))
        return false;
    m_savedTalks = m_talks;
    return true;
}

// Hosts ---------------------------------------------------------------------------------------

int CMvDoc::AddHost(std::string_view name) {
    if (CheckDuplicateHostName(name, false, -1) != 0)
        return -1;
    HostRecord host{std::string(name), m_hosts.AllocateKey()};
    if (host.key == 0) {
        ShowMessage(m_strings.Format(kMsgNoFreeSlot, DataFilePath(file::kHosts).string()));
        return -1;
    }
    m_hosts.Append(host);
    m_hosts.Sort(*m_collator);
    return m_hosts.IndexOfKey(host.key);
}

int CMvDoc::RenameHost(int index, std::string_view name) {
    HostRecord* host = m_hosts.At(index);
    if (!host || CheckDuplicateHostName(name, false, index) != 0)
        return -1;
    host->name = std::string(name);
    const uint16_t key = host->key;
    m_hosts.Sort(*m_collator);
    return m_hosts.IndexOfKey(key);
}

bool CMvDoc::DeleteHost(int index) {
    const HostRecord* host = m_hosts.At(index);
    if (!host)
        return false;
    const uint16_t id = host->key;
    // Host ids are reused: a week must not pass to the next host given this id.
    ChangeWeeks([id](WeekRecord& week) {
        if (!SameKey(week.host, id))
            return false;
        week.host = 0;
        return true;
    });
    m_hosts.Remove(index);
    return true;
}

int CMvDoc::FindHostByKey(uint16_t key) const {
    return m_hosts.FindByKey(key);
}

std::string CMvDoc::HostName(int index) const {
    return m_hosts.DisplayName(index);
}

std::string CMvDoc::HostNameByKey(uint16_t key) const {
    return HostName(FindHostByKey(key) - 1);
}

uint16_t CMvDoc::HostIdByName(std::string_view name) const {
    for (const HostRecord& host : m_hosts.Items())
        if (HostDisplayName(host.name) == name)
            return host.key;
    return 0;
}

int CMvDoc::CheckDuplicateHostName(std::string_view name, bool ask, int ownIndex) {
    const int found = m_hosts.FindDisplayName(HostDisplayName(name), ask ? -1 : ownIndex);
    if (found != 0)
        ShowDuplicate(m_hosts.At(found - 1)->name, false);
    return found;
}

bool CMvDoc::SaveHosts() {
    // Written even when empty, so a deleted last host stays deleted.
    return Commit(file::kHosts, m_files.Save(file::kHosts, m_hosts.Encode(m_codePage)));
}

} // namespace mivra
