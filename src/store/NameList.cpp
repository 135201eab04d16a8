#include "store/NameList.h"

#include "base/Text.h"
#include "store/StoreContext.h"

#include <algorithm>

namespace mivra {
namespace {

// The lists hold a few hundred records; the cap bounds the memory a hostile file can take. A
// longer file is loaded up to the cap and protected for the session.
constexpr uint64_t kMaxRecords = 10000;

} // namespace

std::string_view HostDisplayName(std::string_view stored) {
    if (!stored.empty() && stored.front() == '~')
        stored.remove_prefix(1);
    return stored;
}

template <class Record>
NameList<Record>::NameList(StoreContext& context, const NameListKind& kind)
    : m_context(context), m_kind(kind) {}

template <class Record>
std::string_view NameList<Record>::Shown(std::string_view stored) const {
    return m_kind.tildeHides ? HostDisplayName(stored) : stored;
}

template <class Record>
bool NameList<Record>::Load() {
    io::FileBytes file = m_context.Files().Read(m_kind.fileId, kMaxRecords * Record::kSize);
    Load(file.bytes);
    return file.state == io::ReadState::Ok;
}

template <class Record>
void NameList<Record>::Load(std::span<const uint8_t> bytes) {
    m_items.clear();
    for (size_t at = 0; at + Record::kSize <= bytes.size(); at += Record::kSize)
        m_items.push_back(Record::Decode(bytes.subspan(at, Record::kSize), m_context.CodePage()));
}

template <class Record>
std::vector<uint8_t> NameList<Record>::Encode() const {
    return EncodeAll(m_items, m_context.CodePage());
}

template <class Record>
bool NameList<Record>::Save() {
    return m_context.SaveFile(m_kind.fileId, Encode());
}

template <class Record>
const Record* NameList<Record>::At(int index) const {
    return (index >= 0 && index < Count()) ? &m_items[static_cast<size_t>(index)] : nullptr;
}

template <class Record>
int NameList<Record>::FindByKey(uint16_t key) const {
    if (key == 0)
        return 0;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].key == key)
            return static_cast<int>(i) + 1;
    return 0;
}

template <class Record>
std::string NameList<Record>::Name(int index) const {
    const Record* record = At(index);
    return record ? std::string(Shown(record->name)) : std::string();
}

template <class Record>
std::string NameList<Record>::NameByKey(uint16_t key) const {
    return Name(FindByKey(key) - 1);
}

template <class Record>
uint16_t NameList<Record>::IdByName(std::string_view name) const {
    for (const Record& record : m_items)
        if (Shown(record.name) == name)
            return record.key;
    return 0;
}

template <class Record>
int NameList<Record>::FindName(std::string_view name, int skipIndex) const {
    const std::string_view wanted = text::Trim(Shown(name));
    for (int i = 0; i < Count(); ++i)
        if (i != skipIndex && text::EqualsIgnoringCase(
                                  text::Trim(Shown(m_items[static_cast<size_t>(i)].name)), wanted))
            return i + 1;
    return 0;
}

template <class Record>
int NameList<Record>::CheckDuplicateName(std::string_view name, bool ask, int ownIndex) {
    const int found = FindName(name, ask ? -1 : ownIndex);
    if (found != 0)
        m_context.ShowDuplicate(m_items[static_cast<size_t>(found - 1)].name, false);
    return found;
}

template <class Record>
uint16_t NameList<Record>::AllocateKey() const {
    for (uint32_t k = m_kind.firstKey; k <= m_kind.lastKey; ++k)
        if (FindByKey(static_cast<uint16_t>(k)) == 0)
            return static_cast<uint16_t>(k);
    return 0;
}

template <class Record>
int NameList<Record>::Add(std::string_view name) {
    if (CheckDuplicateName(name, false, -1) != 0)
        return -1;
    Record record;
    record.name = std::string(name);
    record.key = AllocateKey();
    if (record.key == 0) {
        m_context.ReportNoFreeSlot(m_kind.fileId);
        return -1;
    }
    m_items.push_back(record);
    Sort();
    return IndexOfKey(record.key);
}

template <class Record>
int NameList<Record>::Rename(int index, std::string_view name) {
    if (!At(index) || CheckDuplicateName(name, false, index) != 0)
        return -1;
    Record& record = m_items[static_cast<size_t>(index)];
    record.name = std::string(name);
    const uint16_t key = record.key;
    Sort();
    return IndexOfKey(key);
}

template <class Record>
bool NameList<Record>::Delete(int index) {
    if (!At(index))
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

template <class Record>
void NameList<Record>::Sort() {
    std::vector<std::pair<std::string, Record>> keyed;
    keyed.reserve(m_items.size());
    for (Record& r : m_items)
        keyed.emplace_back(m_context.Collator().SortKey(r.name), std::move(r));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        m_items[i] = std::move(keyed[i].second);
}

template class NameList<TopicRecord>;
template class NameList<CircuitRecord>; // circuits and hosts share the 32-byte layout

} // namespace mivra
