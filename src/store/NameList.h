#pragma once

#include "store/DataFiles.h"
#include "store/Records.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mivra {

class StoreContext;

/** What sets one small list apart: its file, its key range, and how a name is shown. */
struct NameListKind {
    int fileId;
    uint16_t firstKey;
    uint16_t lastKey;
    bool tildeHides = false; ///< a leading "~" is stored but neither shown nor compared
};

namespace names {
inline constexpr NameListKind kCircuits{file::kCircuits, 30001, 31000};
inline constexpr NameListKind kTopics{file::kTopics, 1, 100};
/** A host stored as "~Name" is shown as "Name" and never chosen automatically. */
inline constexpr NameListKind kHosts{file::kHosts, 30001, 31000, true};
} // namespace names

/** The text shown for a host: the stored text without one leading "~". */
std::string_view HostDisplayName(std::string_view stored);

/**
 * A small list of named records held whole and written whole: circuits, topics, hosts. Dense,
 * sorted by the stored name, each record with a key from the kind's range. Record has `name`,
 * `key`, kSize, Decode and Encode. AddCircuit, RenameCircuit, FindCircuitByKey, CircuitName,
 * CircuitNameByKey, CircuitIdByName, CheckDuplicateCircuitName and SaveCircuits (the same for
 * topics and hosts) are Add, Rename, FindByKey, Name, NameByKey, IdByName, CheckDuplicateName
 * and Save here; the deletes that reach other lists are the document's.
 */
template <class Record>
class NameList {
public:
    NameList(StoreContext& context, const NameListKind& kind);

    /** Reads the file, up to its cap; false when it is missing or cannot be read. */
    bool Load();
    /** Decodes whole records of the bytes (a trailing partial record is ignored). */
    void Load(std::span<const uint8_t> bytes);
    std::vector<uint8_t> Encode() const;
    /** Writes the list, even when empty, so a deleted last record stays deleted. */
    bool Save();
    void Clear() { m_items.clear(); }

    const std::vector<Record>& Items() const { return m_items; }
    int Count() const { return static_cast<int>(m_items.size()); }
    /** The record at an index, or nullptr outside the list. */
    const Record* At(int index) const;
    int FindByKey(uint16_t key) const; ///< index + 1, or 0 (always for key 0)
    int IndexOfKey(uint16_t key) const { return FindByKey(key) - 1; }
    std::string Name(int index) const; ///< as shown; empty outside the list
    std::string NameByKey(uint16_t key) const;
    /** The key of the first record shown exactly as the text; 0 when none. */
    uint16_t IdByName(std::string_view name) const;
    /** Index + 1 of the first record shown as the text, trimmed and ignoring case; 0 if none. */
    int FindName(std::string_view name, int skipIndex = -1) const;
    /** FindName skipping ownIndex (unless ask); a match is shown to the user. */
    int CheckDuplicateName(std::string_view name, bool ask, int ownIndex);

    /** The smallest key of the range that no record holds; 0 when every key is taken. */
    uint16_t AllocateKey() const;
    /** Adds a record under a new key; its index after sorting, or −1 (a duplicate, no key). */
    int Add(std::string_view name);
    /** Its index after sorting, or −1 (outside the list, a duplicate). */
    int Rename(int index, std::string_view name);
    /** Removes the record; what refers to its key is the document's to clear. */
    bool Delete(int index);
    void Append(Record record) { m_items.push_back(std::move(record)); }
    /** Stable sort by the stored name in the collation's order (sort keys computed once). */
    void Sort();

private:
    std::string_view Shown(std::string_view stored) const;

    StoreContext& m_context;
    NameListKind m_kind;
    std::vector<Record> m_items;
};

} // namespace mivra
