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
    m_congregations.ClearCircuit(key);
    m_circuits.Delete(index);
    return true;
}

// Topics --------------------------------------------------------------------------------------

bool CMvDoc::DeleteTopic(int index) {
    const TopicRecord* topic = m_topics.At(index);
    if (!topic)
        return false;
    const uint16_t key = topic->key;
    // The topic's key goes to the next topic added, so it must leave the talk file too.
    m_talks.RemoveTopic(key);
    m_topics.Delete(index);
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
