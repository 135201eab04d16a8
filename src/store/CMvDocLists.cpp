// The small lists held whole: circuits, topics, talks and hosts.
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra {

// Circuits ------------------------------------------------------------------------------------

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
    m_circuits.Delete(index);
    return true;
}

// Topics --------------------------------------------------------------------------------------

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
        m_context.Commit(
            file::kTalks,
            m_context.Files().Save(file::kTalks, EncodeTalks(m_savedTalks, m_context.CodePage())));
    m_topics.Delete(index);
    return true;
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
    const std::string& word = m_context.Strings().Get(1041);
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
    if (!m_context.Commit(
            file::kTalks,
            m_context.Files().Save(file::kTalks, EncodeTalks(m_talks, m_context.CodePage()))))
        return false;
    m_savedTalks = m_talks;
    return true;
}

// Hosts ---------------------------------------------------------------------------------------

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
    m_hosts.Delete(index);
    return true;
}

} // namespace mivra
