#pragma once

#include "store/NameList.h"
#include "store/Records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mivra {

class StoreContext;

/**
 * The 256 talks of "talk.dat", record i holding talk i + 1, and a copy of the file as last read
 * or written: a deleted topic leaves the file at once while edits the talk list has not
 * confirmed stay unconfirmed.
 */
class TalkStore {
public:
    TalkStore(StoreContext& context, const NameList<TopicRecord>& topics);

    /** Reads the file; missing records get their first-start defaults, talks 161 … 230 are
     *  repaired. */
    void Load();
    void Clear();
    bool SaveTalks();

    const std::vector<TalkRecord>& Items() const { return m_talks; }
    const TalkRecord* Talk(int index) const; ///< nullptr outside 0 … 255
    /** Replaces a talk's texts and topics in memory; its key stays. */
    void SetTalk(int index, const TalkRecord& record);
    int FindTalkByKey(uint16_t key) const; ///< index, or kNotFound
    bool TalkHasTopic(int talkIndex, int topicIndex) const;
    /** Flag 2: "Tal - " first; flag 1: " ( number ) " after the title. */
    std::string TalkCaption(int key, int flags) const;

    /** Clears a topic from every talk, and from the file when it held it (topic keys are
     *  reused, so the next topic would inherit its talks). */
    void RemoveTopic(uint16_t topicKey);

private:
    StoreContext& m_context;
    const NameList<TopicRecord>& m_topics;
    std::vector<TalkRecord> m_talks;
    std::vector<TalkRecord> m_savedTalks; ///< the talks as last read from or written to the file
};

} // namespace mivra
