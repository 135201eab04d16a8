#pragma once

#include "store/DataFiles.h"
#include "ui/Host.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace mivra {

class StringTable;
namespace text {
class Collator;
}

/** The own-index value of a duplicate check that only looks the name up. */
inline constexpr int kSilentLookup = 32211;

/**
 * What the document's stores share: the data folder's files, the language (code page and
 * collation), the message host, and the writes that failed. The document owns it; every store
 * holds a reference.
 */
class StoreContext {
public:
    StoreContext(const StringTable& strings, ui::MessageHost& host,
                 std::filesystem::path dataFolder);
    ~StoreContext();
    StoreContext(const StoreContext&) = delete;
    StoreContext& operator=(const StoreContext&) = delete;

    DataFiles& Files() { return m_files; }
    const DataFiles& Files() const { return m_files; }
    const StringTable& Strings() const { return m_strings; }

    /** Takes the language of the string table ("sve" when it names none): its code page and
     *  its collation. */
    void ReadLanguage();
    const std::string& LanguageCode() const { return m_languageCode; }
    int CodePage() const { return m_codePage; }
    const text::Collator& Collator() const { return *m_collator; }

    ui::Answer ShowMessage(const std::string& text, ui::Buttons buttons = ui::Buttons::Ok,
                           bool secondIsDefault = false);
    /** "… already exists": with ask set, Yes gives 1 and No 0; without, the notice and 0. */
    int ShowDuplicate(const std::string& existing, bool ask);
    /** Message 60006: the file has no free slot or key left. */
    void ReportNoFreeSlot(int id);

    // Whole-file saves ---------------------------------------------------------------------------
    /** Notes whether a whole-file save succeeded; a failed one stays pending. */
    bool Commit(int id, bool ok);
    /** Saves a whole file and notes the outcome. */
    bool SaveFile(int id, std::span<const uint8_t> bytes);
    const std::set<int>& PendingSaves() const { return m_pendingSaves; }

    // Records written in place -----------------------------------------------------------------
    /** A record as the document holds it: unwritten, else as on disk. */
    std::optional<std::vector<uint8_t>> ReadRecord(int id, uint64_t offset, size_t size) const;
    /**
     * Writes a record in place. A failed write is kept: reads see it, and it is written with
     * the next write of that record or by RetryUnwrittenRecords.
     */
    bool WriteRecord(int id, uint64_t offset, std::span<const uint8_t> bytes);
    /** Drops a kept record whose write failed (an add that is taken back). */
    void ForgetUnwritten(int id, uint64_t offset);
    /** Writes every kept record again; adds the files that still fail. */
    void RetryUnwrittenRecords(std::vector<std::filesystem::path>& failing);
    bool HasUnwrittenRecords() const { return !m_unwritten.empty(); }

    /** Forgets every failed write: the folder is read anew. */
    void ForgetFailures();

private:
    const StringTable& m_strings;
    ui::MessageHost& m_host;
    DataFiles m_files;
    std::string m_languageCode;
    int m_codePage = 1252;
    std::unique_ptr<text::Collator> m_collator;
    std::set<int> m_pendingSaves; ///< files whose last save failed
    std::map<std::pair<int, uint64_t>, std::vector<uint8_t>> m_unwritten; ///< (file, offset)
};

} // namespace mivra
