#pragma once

#include "exchange/PackageImport.h"
#include "store/Records.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mivra {
class CMvDoc;
class StringTable;
} // namespace mivra

// Importing visiting speakers from a spreadsheet's CSV, in the package import's two steps:
// ReadSpeakerCsv and PlanSpeakerImport write nothing; CommitSpeakerImport carries out a plan.
namespace mivra::exchange {

inline constexpr uint64_t kMaxSpeakerCsvBytes = 5u * 1024 * 1024;
inline constexpr int kMaxSpeakerCsvLines = 20000;

enum class CsvError { None, Unreadable, TooLarge, NoHeader, NoRequiredColumn };

enum class CsvColumn { FirstName, LastName, Congregation, Phone, Phone2, Phone3, Email, Talks };

/** One data line as read: its cells by column, or why it cannot be read. */
struct CsvLine {
    int number = 0; ///< the file line it starts on, from 1 (the header is line 1)
    std::vector<std::string> cells;
    bool unterminatedQuote = false;
};

struct SpeakerCsv {
    CsvError error = CsvError::None;
    bool utf8 = true; ///< false: read as Windows-1252
    char delimiter = ',';
    std::vector<int> columns; ///< per header cell: a CsvColumn, or −1 for an unknown one
    std::vector<std::string> header;
    std::vector<std::string> unknownColumns;
    std::vector<CsvLine> lines;
};

/** Reads a CSV file of speakers; over the size or line limit it is refused unread. */
SpeakerCsv ReadSpeakerCsv(const std::filesystem::path& path);
/** The same from the file's bytes. */
SpeakerCsv ParseSpeakerCsv(std::string_view bytes);

enum class CsvReject {
    None,
    NoLastName,
    NoCongregation,
    TooManyFields,
    TooLong,
    UnknownTalk,
    Repeat,
    UnterminatedQuote
};

/** What happens to one data line. */
struct SpeakerLinePlan {
    int number = 0;
    std::string firstName, lastName, congregation; ///< congregation: as it will be named
    LineAction action = LineAction::Add;           ///< Skip: rejected
    CsvReject reject = CsvReject::None;
    std::string detail;       ///< the field too long, the unknown talk; the earlier line number
    uint16_t brotherKey = 0;  ///< the brother it updates
    int newCongregation = -1; ///< index into SpeakerImportPlan::newCongregations, or −1
    uint16_t congregationKey = 0;
    std::vector<std::string> changes;  ///< changed fields, kFieldOrder's names
    std::vector<std::string> warnings; ///< fields with a character the code page cannot hold
    /** The stored records with the line's non-empty cells applied. */
    BrotherRecord record;
    BrotherExtraRecord extra;

    /** "First Last", either part may be missing. */
    std::string FullName() const {
        return firstName + (firstName.empty() || lastName.empty() ? "" : " ") + lastName;
    }
};

struct SpeakerImportPlan {
    std::vector<std::string> newCongregations;
    std::vector<SpeakerLinePlan> lines;
    int Count(LineAction action) const;
};

/** Plans every line of a read file against the document. Writes nothing. */
SpeakerImportPlan PlanSpeakerImport(const CMvDoc& doc, const SpeakerCsv& csv);

/** Why a line is rejected, as the user reads it. */
std::string RejectText(const StringTable& strings, const SpeakerLinePlan& line);
/** Why a file cannot be imported, as the user reads it. */
std::string CsvErrorText(const StringTable& strings, CsvError error,
                         const std::filesystem::path& path);

struct SpeakerImportOutcome {
    bool complete = false; ///< false: a write failed (told to the user) and the import stopped
    int congregations = 0;
    int added = 0;
    int updated = 0;
};

/**
 * Carries out a plan made on this document as it stands: the new congregations, the updated
 * brothers (a move ends his offices, as in the brothers dialog), the new ones with one sort;
 * then the home list. Stops at the first write that fails.
 */
SpeakerImportOutcome CommitSpeakerImport(CMvDoc& doc, const SpeakerImportPlan& plan);

} // namespace mivra::exchange
