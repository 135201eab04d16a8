#pragma once

#include "exchange/Package.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mivra {
class CMvDoc;
class StringTable;
} // namespace mivra

// Importing a congregation package in two steps: PlanImport works out, writing nothing, what
// the import adds, updates, moves and detaches; CommitImport carries out that plan and
// nothing else. The dialog shows the plan, `mivra-cli import-package --dry-run` prints it.
namespace mivra::exchange {

/**
 * The one name key of every import's matching and detaching: first and last name each
 * trimmed, cut to the stored limit and case-folded, kept apart.
 */
std::string NameKey(std::string_view first, std::string_view last);

/** The document's brothers by name key, gathered once, and the matching order of imports. */
class BrotherMatcher {
public:
    explicit BrotherMatcher(const CMvDoc& doc);

    /** The name key of the brother at an index. */
    const std::string& Key(size_t index) const { return m_keys[index]; }
    /**
     * The brother a name key names: in congregation `congregationKey` (0: a new one), then
     * one without a congregation, then one elsewhere (never at home, unless `congregationKey`
     * is home). His index, or −1.
     */
    int Match(const std::string& key, uint16_t congregationKey) const;

private:
    const CMvDoc& m_doc;
    uint16_t m_home = 0;
    std::vector<std::string> m_keys; ///< per brother index
    std::unordered_map<std::string, std::vector<int>> m_byName;
};

/** What the user is told when a file is no package to import. */
std::string PackageErrorText(const StringTable& strings, PackageError error,
                             const std::filesystem::path& path);

enum class LineAction { Add, Update, Unchanged, Skip };

/** One field an import changes, under the command line's name, with its old and new text. */
struct FieldChange {
    std::string field; ///< address, telephone, …, congregation (see kFieldOrder)
    std::string before;
    std::string after;
};

/** The brother fields in the order the plan lists their changes. */
inline constexpr const char* kFieldOrder[] = {
    "address", "telephone", "telephone2", "telephone3",   "email",       "talks",
    "status",  "roles",     "officer",    "availability", "congregation"};

/** A changed field as the user reads it: a name of kFieldOrder, "times" or "circuit". */
std::string FieldName(const StringTable& strings, const std::string& field);

/** Why a line is skipped. */
enum class SkipReason { None, NoLastName, SameNameAsEarlier };

/** What happens to one brother record of the package. */
struct LinePlan {
    int record = 0;       ///< its record number in the file, from 1
    std::string name;     ///< first name, a blank, last name
    bool selected = true; ///< only selected lines are imported
    LineAction action = LineAction::Add;
    uint16_t brotherKey = 0;       ///< the brother it updates
    uint16_t fromCongregation = 0; ///< his congregation until now, when he moves
    bool moves = false;            ///< he belongs to another congregation until now
    SkipReason skip = SkipReason::None;
    int sameAsRecord = 0; ///< for SameNameAsEarlier: that record's number
    std::vector<FieldChange> changes;
    std::vector<uint16_t> weeks; ///< the package weeks he gets, when availability changes
    uint16_t weeksUpTo = 0;      ///< the latest package week: his weeks up to it are replaced

    /** True for a line that names an existing brother (updated or unchanged). */
    bool Matches() const { return action == LineAction::Update || action == LineAction::Unchanged; }
};

struct ImportPlan {
    std::string name;             ///< the congregation as it will be named
    int congregationIndex = -1;   ///< the congregation it updates, or −1: a new one
    uint16_t congregationKey = 0; ///< 0 for a new one
    uint16_t circuitId = 0;
    bool intoHome = false;
    std::vector<FieldChange> congregationChanges;
    std::vector<LinePlan> lines;
    std::vector<uint16_t> detach; ///< brothers who leave the congregation, in brother-index order

    bool NewCongregation() const { return congregationIndex < 0; }
    int SelectedCount() const;
    /** Selected lines that name an existing brother. */
    int SelectedMatches() const;
    /** Selected lines that add a brother. */
    int SelectedAdds() const;
};

/**
 * The congregation a name matches: trimmed, cut to 48 characters, compared with each name
 * ignoring case. Its index + 1, or 0.
 */
int FindCongregationByName(const CMvDoc& doc, std::string_view name);

/**
 * The circuit the import starts with: a matched congregation's own, else the circuit named
 * exactly as the package's; 0 when there is none.
 */
uint16_t InitialCircuit(const CMvDoc& doc, const PackageHeader& header, int congregationMatch);

/**
 * What importing the package under `name` into `circuitId` does with the selected lines
 * (a line past the end of `selected` counts as selected). Writes nothing.
 */
ImportPlan PlanImport(const CMvDoc& doc, const Package& package, std::string_view name,
                      uint16_t circuitId, const std::vector<bool>& selected = {});

struct ImportOutcome {
    bool complete = false;     ///< false: a write failed (told to the user) and the import stopped
    bool congregation = false; ///< the congregation's record was written
    int added = 0;
    int updated = 0;
    int detached = 0;
};

/**
 * Carries out a plan made on this document as it stands: the congregation, each selected
 * line, the officers, the detached brothers, the unavailable weeks; then one sort, the home
 * list and the availability file. Stops at the first write that fails.
 */
ImportOutcome CommitImport(CMvDoc& doc, const Package& package, const ImportPlan& plan);

} // namespace mivra::exchange
