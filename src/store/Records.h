#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The master record layouts of the data folder. Each record decodes from and encodes to its
// exact bytes; texts are UTF-8 in memory and the language's code page on disk. Records that
// have reserved bytes or unknown status bits keep the bytes they were read with in `raw`, so
// an update writes them back unchanged.
namespace mivra {

class StringTable;

/** Lookups by key of brothers and talks answer this when nothing matches. */
inline constexpr int kNotFound = 0xFFFF;

/** A set of talks 1 … 256: talk N is bit (N − 1) mod 8 of byte (N − 1) div 8. */
struct TalkRepertoire {
    static constexpr int kTalks = 256;
    static constexpr size_t kSize = 32;

    std::array<uint8_t, kSize> bits{};

    /** False for a talk number outside 1 … 256. */
    bool Has(int talk) const;
    /** Ignored for a talk number outside 1 … 256. */
    void Set(int talk, bool on = true);
    int Count() const;
    bool Empty() const { return Count() == 0; }

    static TalkRepertoire Decode(std::span<const uint8_t> bytes);
    friend bool operator==(const TalkRepertoire&, const TalkRepertoire&) = default;
};

// Meeting weekdays: records store 1 = Monday … 6 = Saturday and 0 = Sunday; the program holds
// 0 = Monday … 6 = Sunday.

/** The home coding of a stored byte; 7 and above read as Sunday, as the write rule stores it. */
int HomeWeekday(uint8_t stored);
/** The stored byte of a home weekday; 6 (Sunday) and anything else out of 0 … 5 store 0. */
uint8_t StoredWeekday(int home);

/** The appointment bits of a brother's status byte. */
enum Appointment : int { kNoAppointment = 0, kMinisterialServant = 1, kElder = 2 };

/** "speakers.dat": one brother, slot n at byte n × 256 (slot 0 is a dummy). */
struct BrotherRecord {
    static constexpr size_t kSize = 256;
    static constexpr size_t kNameChars = 18;
    static constexpr size_t kAddressChars = 39;
    static constexpr size_t kPhoneChars = 14;

    std::string firstName{};
    std::string lastName{};
    std::string address1{};
    std::string address2{};
    std::string phone{};
    TalkRepertoire repertoire{};
    int appointment = kNoAppointment; ///< bits 0–1 of the status byte (0 … 3 as stored)
    bool suspended = false;           ///< bit 5 of the status byte
    uint8_t homeRoles = 0;            ///< low byte of the RoleBits
    uint16_t congregationKey = 0;
    uint16_t brotherKey = 0;          ///< 0 marks a free slot
    uint16_t extraSlot = 0;           ///< slot in "xtend.dat"; 0 = none
    std::array<uint8_t, kSize> raw{}; ///< the bytes as read (reserved ranges, other status bits)

    static constexpr size_t kKeyOffset = 204;
    uint16_t Key() const { return brotherKey; }
    static BrotherRecord Decode(std::span<const uint8_t> bytes, int codePage);
    std::array<uint8_t, kSize> Encode(int codePage) const;
};

/** "xtend.dat": the contact data that did not fit a brother record, slot n at (n − 1) × 128. */
struct BrotherExtraRecord {
    static constexpr size_t kSize = 128;
    static constexpr size_t kPhoneChars = 14;
    static constexpr size_t kEmailChars = 45;
    static constexpr size_t kRemarkChars = 45;

    uint16_t brotherKey = 0; ///< owner; 0 marks a free slot
    std::string phone2{};
    std::string phone3{};
    std::string email{};
    std::string remark{};

    /** True when all four texts are empty after trimming: such a brother owns no record. */
    bool IsBlank() const;

    static BrotherExtraRecord Decode(std::span<const uint8_t> bytes, int codePage);
    std::array<uint8_t, kSize> Encode(int codePage) const;
};

/** "extend.dat", the older contact file: read once to build "xtend.dat". */
struct LegacyBrotherExtraRecord {
    static constexpr size_t kSize = 96;

    uint16_t brotherKey = 0;
    std::string phone2{};
    std::string phone3{};
    std::string email{};

    static LegacyBrotherExtraRecord Decode(std::span<const uint8_t> bytes, int codePage);
    std::array<uint8_t, kSize> Encode(int codePage) const;
};

/**
 * The "xtend.dat" record for an "extend.dat" record: key and telephones copied field by
 * field, the e-mail cut and terminated at the new field's limit.
 */
std::array<uint8_t, BrotherExtraRecord::kSize> ConvertLegacyExtra(std::span<const uint8_t> legacy);

/** "cong.dat": one congregation, slot n at byte n × 256 (slot 0 is a dummy). */
struct CongregationRecord {
    static constexpr size_t kSize = 256;
    static constexpr size_t kNameChars = 48;
    static constexpr size_t kAddressChars = 40;
    static constexpr size_t kPhoneChars = 14;
    static constexpr size_t kTimeChars = 9;
    static constexpr size_t kMapChars = 27;

    std::string name{};
    std::string address1{}; ///< Kingdom Hall
    std::string address2{};
    std::string phone1{};
    std::string phone2{};
    std::string meetingTimeOdd{};
    std::string meetingTimeEven{};
    std::string mapFile{};
    uint16_t congregationKey = 0; ///< 0 marks a free slot
    uint16_t circuitId = 0;
    uint16_t coordinatorKey = 0;     ///< coordinator of the body of elders
    uint16_t secretaryKey = 0;       ///< secretary
    uint16_t talkCoordinatorKey = 0; ///< public talk coordinator
    uint8_t weekdayOdd = 0;          ///< stored coding, 0 … 6 (a larger stored byte reads as 0)
    uint8_t weekdayEven = 0;         ///< stored coding
    std::array<uint8_t, kSize> raw{};

    static constexpr size_t kKeyOffset = 174;
    uint16_t Key() const { return congregationKey; }
    static CongregationRecord Decode(std::span<const uint8_t> bytes, int codePage);
    std::array<uint8_t, kSize> Encode(int codePage) const;
};

/** "talk.dat": 256 records, record i holding talk i + 1. */
struct TalkRecord {
    static constexpr size_t kSize = 154;
    static constexpr size_t kTopics = 26;

    std::string title{};
    std::string numberText{}; ///< "1" … "230", "S-31" … "S-56"
    uint16_t talkKey = 0;
    std::array<uint16_t, kTopics> topics{}; ///< topic keys as entered; 0 = empty entry

    static TalkRecord Decode(std::span<const uint8_t> bytes, int codePage);
    std::array<uint8_t, kSize> Encode(int codePage) const;
};

/**
 * A name followed by its 16-bit key, dense and sorted by name: "topic.dat" (48 bytes, keys
 * 1 … 100), "circuit.dat" and "hospital.dat" (32 bytes, keys 30001 … 31000).
 */
template <size_t Size>
struct KeyedNameRecord {
    static constexpr size_t kSize = Size;
    static constexpr size_t kNameWidth = Size - 2;

    std::string name{};
    uint16_t key = 0; ///< the topicKey or circuitId

    static KeyedNameRecord Decode(std::span<const uint8_t> bytes, int codePage);
    std::array<uint8_t, kSize> Encode(int codePage) const;
};

using TopicRecord = KeyedNameRecord<48>;
using CircuitRecord = KeyedNameRecord<32>;
/** One host; a text starting with "~" is never chosen automatically. */
using HostRecord = KeyedNameRecord<32>;

/** Records one after another, as the files written whole hold them. */
template <class Record>
std::vector<uint8_t> EncodeAll(const std::vector<Record>& records, int codePage) {
    std::vector<uint8_t> out;
    out.reserve(records.size() * Record::kSize);
    for (const Record& record : records) {
        auto bytes = record.Encode(codePage);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

/** The default topic (1 … 10) of talks 1 … 162; 0 for every other number. */
int DefaultTopicOfTalk(int talk);

/** The first-start record of talk 1 … 256 (title from string 400 + N). */
TalkRecord DefaultTalk(int talk, const StringTable& strings);
/** The first-start record of topic 1 … 10 (name from string 700 + i). */
TopicRecord DefaultTopic(int topic, const StringTable& strings);

/** The bits of a home brother's roles. */
enum RoleBits : uint16_t {
    kRoleOutgoingSpeaker = 0x02,
    kRoleChairman = 0x04,
    kRoleReader = 0x10,
};

/** The document's in-memory summary of a brother, so lists never touch the disk. */
struct BrotherIndexEntry {
    static constexpr uint8_t kAppointmentMask = 0x18; ///< the appointment bits, at bits 3–4
    static constexpr uint8_t kSuspendedFlag = 0x20;

    std::string firstName{};
    std::string lastName{};
    TalkRepertoire repertoire{};
    uint16_t brotherKey = 0;
    uint16_t congregationKey = 0;
    uint16_t slot = 0;
    uint16_t extraSlot = 0;
    uint8_t flags = 0;
    uint8_t spare = 0;
    std::string sortKey{}; ///< collation key of the name as sorted, kept with the entry

    uint16_t Key() const { return brotherKey; }
    int Appointment() const { return (flags & kAppointmentMask) >> 3; }
    bool Suspended() const { return (flags & kSuspendedFlag) != 0; }
    /** Copies the record's fields; the flags take its appointment and suspended bits. */
    void Fill(const BrotherRecord& record, uint16_t recordSlot);
};

/** The document's in-memory summary of a congregation. */
struct CongregationIndexEntry {
    std::string name{};
    uint16_t congregationKey = 0;
    uint16_t circuitId = 0;
    uint16_t coordinatorKey = 0;
    uint16_t talkCoordinatorKey = 0;
    uint16_t secretaryKey = 0;
    uint16_t slot = 0;
    std::string meetingTimeOdd{};
    std::string meetingTimeEven{};
    uint8_t weekdayOdd = 0;  ///< stored coding
    uint8_t weekdayEven = 0; ///< stored coding
    std::string sortKey{};

    uint16_t Key() const { return congregationKey; }
    void Fill(const CongregationRecord& record, uint16_t recordSlot);
};

/** One brother of the home congregation, in brother-index order. */
struct OurBrotherEntry {
    uint16_t brotherKey = 0;
    uint16_t position = 0; ///< his position in the brother index
    uint16_t roleBits = 0;
};

} // namespace mivra
