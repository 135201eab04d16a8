#include "store/TalkStore.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/StoreContext.h"

#include <algorithm>

namespace mivra {
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

} // namespace

TalkStore::TalkStore(StoreContext& context, const NameList<TopicRecord>& topics)
    : m_context(context), m_topics(topics), m_talks(TalkRepertoire::kTalks) {}

void TalkStore::Clear() {
    m_talks.assign(TalkRepertoire::kTalks, TalkRecord{});
}

void TalkStore::Load() {
    const StringTable& strings = m_context.Strings();
    io::FileBytes file = m_context.Files().Read(
        file::kTalks, TalkRepertoire::kTalks * TalkRecord::kSize, DataFiles::Tail::Ignore);
    std::span<const uint8_t> all(file.bytes);
    for (int i = 0; i < TalkRepertoire::kTalks; ++i) {
        const size_t at = static_cast<size_t>(i) * TalkRecord::kSize;
        TalkRecord& talk = m_talks[static_cast<size_t>(i)];
        talk = at + TalkRecord::kSize <= all.size()
                   ? TalkRecord::Decode(all.subspan(at, TalkRecord::kSize), m_context.CodePage())
                   : DefaultTalk(i + 1, strings);
        talk.talkKey = static_cast<uint16_t>(i + 1); // record i holds talk i + 1, always
    }
    for (int number = 161; number <= 230; ++number) {
        TalkRecord& talk = m_talks[static_cast<size_t>(number - 1)];
        if (!talk.numberText.empty() && talk.numberText.front() == 'S')
            talk.numberText = std::to_string(number);
        std::string_view fallback = text::Trim(strings.Get(400 + number));
        if (text::IsBlank(talk.title) && !fallback.empty())
            talk.title = std::string(fallback);
    }
    m_savedTalks = m_talks;
}

bool TalkStore::SaveTalks() {
    if (!m_context.SaveFile(file::kTalks, EncodeAll(m_talks, m_context.CodePage())))
        return false;
    m_savedTalks = m_talks;
    return true;
}

const TalkRecord* TalkStore::Talk(int index) const {
    if (index < 0 || index >= static_cast<int>(m_talks.size()))
        return nullptr;
    return &m_talks[static_cast<size_t>(index)];
}

void TalkStore::SetTalk(int index, const TalkRecord& record) {
    if (!Talk(index))
        return;
    TalkRecord& talk = m_talks[static_cast<size_t>(index)];
    const uint16_t key = talk.talkKey;
    talk = record;
    talk.talkKey = key;
}

int TalkStore::FindTalkByKey(uint16_t key) const {
    for (size_t i = 0; i < m_talks.size(); ++i)
        if (key != 0 && m_talks[i].talkKey == key)
            return static_cast<int>(i);
    return kNotFound;
}

bool TalkStore::TalkHasTopic(int talkIndex, int topicIndex) const {
    const TalkRecord* talk = Talk(talkIndex);
    const TopicRecord* topic = m_topics.At(topicIndex);
    if (!talk || !topic || topic->key == 0)
        return false;
    return std::find(talk->topics.begin(), talk->topics.end(), topic->key) != talk->topics.end();
}

std::string TalkStore::TalkCaption(int key, int flags) const {
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

void TalkStore::RemoveTopic(uint16_t topicKey) {
    RemoveTopicFromTalks(m_talks, topicKey);
    // The file's own copy is changed, so talk edits not yet confirmed stay unconfirmed.
    if (RemoveTopicFromTalks(m_savedTalks, topicKey))
        m_context.SaveFile(file::kTalks, EncodeAll(m_savedTalks, m_context.CodePage()));
}

} // namespace mivra
