#pragma once

#include "base/Text.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mivra {

/**
 * A small dense list of named records with a key from a fixed range, kept sorted by name:
 * circuits, topics and hosts. Record has `name`, `key`, kSize, Decode and Encode.
 */
template <class Record>
class NameList {
public:
    NameList(uint16_t firstKey, uint16_t lastKey) : m_firstKey(firstKey), m_lastKey(lastKey) {}

    /** Decodes whole records of the bytes (a trailing partial record is ignored). */
    void Load(std::span<const uint8_t> bytes, int codePage) {
        m_items.clear();
        for (size_t at = 0; at + Record::kSize <= bytes.size(); at += Record::kSize)
            m_items.push_back(Record::Decode(bytes.subspan(at, Record::kSize), codePage));
    }
    std::vector<uint8_t> Encode(int codePage) const {
        std::vector<uint8_t> out;
        out.reserve(m_items.size() * Record::kSize);
        for (const Record& r : m_items) {
            auto bytes = r.Encode(codePage);
            out.insert(out.end(), bytes.begin(), bytes.end());
        }
        return out;
    }

    const std::vector<Record>& Items() const { return m_items; }
    std::vector<Record>& Items() { return m_items; }
    int Count() const { return static_cast<int>(m_items.size()); }
    void Clear() { m_items.clear(); }

    /** The record at an index, or nullptr outside the list. */
    const Record* At(int index) const {
        return (index >= 0 && index < Count()) ? &m_items[static_cast<size_t>(index)] : nullptr;
    }
    Record* At(int index) {
        return (index >= 0 && index < Count()) ? &m_items[static_cast<size_t>(index)] : nullptr;
    }
    /** Index + 1 of the first record with the key; 0 when none or for key 0. */
    int FindByKey(uint16_t key) const {
        if (key == 0)
            return 0;
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].key == key)
                return static_cast<int>(i) + 1;
        return 0;
    }
    /** The smallest key of the range that no record holds; 0 when every key is taken. */
    uint16_t AllocateKey() const {
        for (uint32_t k = m_firstKey; k <= m_lastKey; ++k)
            if (FindByKey(static_cast<uint16_t>(k)) == 0)
                return static_cast<uint16_t>(k);
        return 0;
    }
    void Append(Record record) { m_items.push_back(std::move(record)); }
    void Remove(int index) {
        if (At(index))
            m_items.erase(m_items.begin() + index);
    }
    /** Position of the record with the key after a sort, or −1. */
    int IndexOfKey(uint16_t key) const { return FindByKey(key) - 1; }

    /** Stable sort by the stored name in the collation's order (sort keys computed once). */
    void Sort(const text::Collator& collator) {
        std::vector<std::pair<std::string, Record>> keyed;
        keyed.reserve(m_items.size());
        for (Record& r : m_items)
            keyed.emplace_back(collator.SortKey(r.name), std::move(r));
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i < keyed.size(); ++i)
            m_items[i] = std::move(keyed[i].second);
    }

private:
    std::vector<Record> m_items;
    uint16_t m_firstKey;
    uint16_t m_lastKey;
};

} // namespace mivra
