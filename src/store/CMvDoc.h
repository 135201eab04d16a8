#pragma once

#include "base/Clock.h"
#include "dates/Dates.h"
#include "store/Availability.h"
#include "store/CongregationStore.h"
#include "store/DataFiles.h"
#include "store/EventList.h"
#include "store/NameList.h"
#include "store/NeedsList.h"
#include "store/Records.h"
#include "store/Settings.h"
#include "store/StoreContext.h"
#include "store/TalkStore.h"
#include "store/WeekWindow.h"
#include "ui/Host.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace mivra {

class StringTable;
namespace text {
class Collator;
}

/**
 * The document: owns every record of the data folder in memory, loads them at start and
 * writes each change at once (records in place, small lists whole). Lists are addressed by
 * 0-based index into the sorted arrays; an index outside an array reads as empty.
 */
class CMvDoc {
public:
    CMvDoc(const StringTable& strings, ui::MessageHost& host, const Clock& clock,
           std::filesystem::path dataFolder);
    ~CMvDoc();
    CMvDoc(const CMvDoc&) = delete;
    CMvDoc& operator=(const CMvDoc&) = delete;

    // Lifecycle ------------------------------------------------------------------------------
    /** The start-up load: settings, migrations, then every data file in the fixed order. */
    bool LoadStore();
    /** Everything read again (after a restore); the folder's files are trusted anew. */
    bool ReloadStore();
    /** The week records and the special events read again (the sheet's Cancel). */
    void ReloadWeeks();
    void FreeStore();

    std::filesystem::path DataFilePath(int stringId) const;
    const std::filesystem::path& DataFolder() const { return m_context.Files().Folder(); }
    void ReportWriteFailure(const std::filesystem::path& path);
    const StringTable& Strings() const { return m_context.Strings(); }

    // Options, today and weeks of the calendar -------------------------------------------------
    const DocOptions& Options() const { return m_options; }
    /** The options as the settings dialog leaves them; WriteSettings stores them. */
    DocOptions& MutableOptions() { return m_options; }
    /** Writes every option but the home congregation to the profile (1231 on failure). */
    bool WriteSettings();
    const std::string& LanguageCode() const { return m_context.LanguageCode(); }
    int CodePage() const { return m_context.CodePage(); }
    const text::Collator& Collator() const { return m_context.Collator(); }
    CivilDate Today() const { return m_today; }
    int CurrentWeek() const { return m_currentWeek; } ///< a week number
    int BaseWeek() const { return m_weeks.BaseWeek(); }
    int FirstShownWeek() const { return m_firstShownWeek; }
    void SetFirstShownWeek(int weekNumber) { m_firstShownWeek = weekNumber; }
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    /** The home congregation's meeting days (home coding) with the service-year option. */
    dates::MeetingDays MeetingDays() const;
    dates::DateStyle DateStyle() const;
    /** Format-date of a week number with this document's language and meeting days. */
    std::string FormatDate(int weekNumber, int flags, int selector = 0) const;

    // Brothers ------------------------------------------------------------------------------
    const std::vector<BrotherIndexEntry>& Brothers() const { return m_brothers; }
    int BrotherCount() const { return static_cast<int>(m_brothers.size()); }
    const BrotherIndexEntry* Brother(int index) const;
    /** The brother's record; returns its slot, or 0 when the slot does not hold his key. */
    uint16_t ReadBrother(int index, BrotherRecord& record) const;
    /** Writes a record in place; slot 0 is refused with a message. */
    bool WriteBrother(uint16_t slot, const BrotherRecord& record);
    /** Adds a brother in the first free slot; returns his index after sorting, or −1. */
    int AddBrother(BrotherRecord record, BrotherExtraRecord extra);
    /** Updates his record and extra record; returns his index after sorting, or −1. */
    int UpdateBrother(int index, BrotherRecord record, BrotherExtraRecord extra);
    /** Deletes him and every reference to him (congregations, weeks, availability). */
    bool DeleteBrother(int index);
    /** Moves him to a congregation (asking first when ask is set and he has one). */
    bool MoveBrother(int index, uint16_t congregationKey, bool ask);
    int FindBrotherByKey(uint16_t key) const; ///< index, or kNotFound
    std::string BrotherName(int index, bool lastNameFirst) const;
    std::string BrotherNameByKey(uint16_t key, bool lastNameFirst) const;
    /** The first index whose last-name-first form equals the text exactly, or −1. */
    int FindBrotherByName(std::string_view name) const;
    std::string BrotherPhone(int index) const;
    std::string BrotherPhoneByKey(uint16_t key) const;
    int CountBrothersOf(uint16_t congregationKey) const;
    /**
     * 0 when no other brother has the name (first and last names compared separately,
     * ignoring case); with kSilentLookup his index + 1; else the message, and with ask set
     * Yes gives his index + 1 and No −1; without ask −1.
     */
    int CheckDuplicateBrotherName(std::string_view firstName, std::string_view lastName, bool ask,
                                  int ownIndex);
    void SortBrothers();

    bool ReadBrotherExtra(uint16_t slot, uint16_t brotherKey, BrotherExtraRecord& extra) const;
    /**
     * Writes into a slot that is free or owned by the same brother: the slot, or 0 when it is
     * another's. A write that fails is reported and kept, as every record write is.
     */
    uint16_t WriteBrotherExtra(uint16_t slot, const BrotherExtraRecord& extra);
    /** Writes into the first free slot (or appends); the slot, or 0. */
    uint16_t AllocateBrotherExtra(const BrotherExtraRecord& extra);
    /** Zeroes the slot when the brother owns it. */
    bool ClearBrotherExtra(uint16_t slot, uint16_t brotherKey);
    uint32_t ExtraSlotCount() const { return m_extraSlots; }
    uint32_t BrotherSlotCount() const { return m_brotherSlots; }

    // Congregations ---------------------------------------------------------------------------
    CongregationStore& Congregations() { return m_congregations; }
    const CongregationStore& Congregations() const { return m_congregations; }
    /** Deletes it and every reference to it (brothers, weeks, the home congregation). */
    bool DeleteCongregation(int index);
    int TalkCoordinatorOf(int index) const; ///< brother index + 1, or 0

    // Circuits, topics, talks, hosts -----------------------------------------------------------
    NameList<CircuitRecord>& Circuits() { return m_circuits; }
    const NameList<CircuitRecord>& Circuits() const { return m_circuits; }
    /** Deletes the circuit and clears it from every congregation (written at once). */
    bool DeleteCircuit(int index);
    NameList<TopicRecord>& Topics() { return m_topics; }
    const NameList<TopicRecord>& Topics() const { return m_topics; }
    /** Deletes the topic and clears it from every talk and from the talk file. */
    bool DeleteTopic(int index);
    NameList<HostRecord>& Hosts() { return m_hosts; }
    const NameList<HostRecord>& Hosts() const { return m_hosts; }
    /** Deletes the host and clears his id from every week (saved at once). */
    bool DeleteHost(int index);

    TalkStore& Talks() { return m_talks; }
    const TalkStore& Talks() const { return m_talks; }

    // The home congregation -------------------------------------------------------------------
    /** Chooses the home congregation, writes it to the profile at once and rebuilds. */
    bool SetOurCongregation(uint16_t key);
    const std::vector<OurBrotherEntry>& OurBrothers() const { return m_ourBrothers; }
    void BuildOurBrotherList();
    int FindOurBrother(uint16_t key) const; ///< position + 1, or 0
    void RemoveOurBrother(int position);
    void SetOurBrotherRoles(int position, uint16_t roleBits);
    /** The home brothers whose RoleBits have bit number `bit` (1 speaker, 2 chairman, 4 reader). */
    int CountOurBrothersWithRole(int bit) const;
    bool IsOutgoingSpeaker(int index) const;
    /** Writes every home brother's roles to his record. */
    bool SaveOurBrotherRoles();

    // Weeks -----------------------------------------------------------------------------------
    /** The week's record; outside the window a fresh blank week whose changes are not kept. */
    WeekRecord& GetWeek(int weekIndex);
    WeekRecord Week(int weekIndex) const { return m_weeks.Week(weekIndex); }
    void StoreWeek(const WeekRecord& record, int weekIndex);
    void LoadWeeks();
    bool SaveWeeks();
    /** Sets the visiting congregation of every week whose home speaker he is (saved at once). */
    bool SetWeekCongregation(uint16_t brotherKey, uint16_t congregationKey);
    const WeekWindow& Weeks() const { return m_weeks; }

    // Special events --------------------------------------------------------------------------
    const EventList& Events() const { return m_events; }
    int FindEvent(int weekIndex) const { return m_events.Find(weekIndex); }
    /** Files the event under its week (replacing one there) and marks the week's flags. */
    int AddEvent(const SpecialEventRecord& record);
    /** Removes the event at a 0-based position; its week keeps only the in-use bit. */
    void RemoveEvent(int index);
    uint16_t EventStrikes(int weekIndex, uint16_t flags) const;
    void ApplyEventStrikes(int weekIndex, uint16_t strikeBits);
    void LoadSpecialEvents();
    bool SaveSpecialEvents();

    // Availability ----------------------------------------------------------------------------
    const AvailabilityTable& Availability() const { return m_availability; }
    void AddUnavailableWeek(uint16_t brotherKey, uint16_t weekNumber);
    void RemoveUnavailableWeek(uint16_t brotherKey, uint16_t weekNumber);
    bool IsAvailable(uint16_t brotherKey, uint16_t weekNumber) const;
    std::vector<uint16_t> ListUnavailableWeeks(uint16_t brotherKey, int limit) const;
    /** Writes the table when it holds records and has changed. */
    bool SaveAvailability();

    // Needs list ------------------------------------------------------------------------------
    const NeedsList& Needs() const { return m_needs; }
    void SetNeeds(const NeedsList& needs) { m_needs = needs; }
    int NeedsPriority(int talk) const { return m_needs.PriorityOf(talk); }
    bool SaveNeedsList();

    // Saves that failed -----------------------------------------------------------------------
    /**
     * True while a whole-file save or a record write has failed, or the availability table is
     * unsaved.
     */
    bool HasPendingSaves() const;
    /** Tries every pending save and record again, silently; returns the files that still fail. */
    std::vector<std::filesystem::path> RetryPendingSaves();

private:
    using WeekChange = std::function<bool(WeekRecord&)>;

    void LoadFromFolder(bool convertLegacy);
    void ReadSettingsProfile();
    void ComputeToday();
    bool StartLoad();
    void LoadBrothers();
    void LoadTopics();
    void LoadAvailability();
    void LoadNeedsList();
    /** Creates a slot file holding its dummy slot; the slot count it then has. */
    uint32_t CreateSlotFile(int id, size_t recordSize);
    /** Reads slot file `id` into `entries` (records whose key at keyOffset is not 0) and
     *  answers its slot count; a missing file is created. */
    template <class Record, class Entry>
    uint32_t LoadSlotFile(int id, size_t keyOffset, std::vector<Entry>& entries);
    void ForgetMissingHomeCongregation();

    std::optional<std::vector<uint8_t>> ReadSlotBytes(int id, uint32_t slot) const;
    bool WriteRecord(int id, uint32_t slot, std::span<const uint8_t> bytes);
    void ForgetUnwritten(int id, uint32_t slot);
    uint16_t FindFreeSlot(int id) const;
    uint16_t FindFreeExtraSlot() const;
    bool WriteProfile(const std::function<void(Profile&)>& change);

    void SortBrotherEntries();
    void RefreshBrotherSortKey(BrotherIndexEntry& entry) const;
    void RefreshOurPositions();
    int IndexOfBrotherSlot(uint16_t slot) const;
    void RemoveFromOurList(uint16_t brotherKey);
    void ClearBrotherFromWeeks(uint16_t brotherKey);
    void PurgeAvailability(uint16_t brotherKey);
    bool ClearHomeCongregation();
    /** Applies a cascade to the window and to the week file as it is on disk. */
    bool ChangeWeeks(const WeekChange& change);
    void ReapplyPendingWeekChanges();
    bool RunSave(int id);

    StoreContext m_context;
    const Clock& m_clock;

    DocOptions m_options;
    CivilDate m_today;
    int m_currentWeek = 0;
    int m_firstShownWeek = 0;
    bool m_modified = false;

    std::vector<BrotherIndexEntry> m_brothers;
    CongregationStore m_congregations{m_context, m_options};
    NameList<CircuitRecord> m_circuits{m_context, names::kCircuits};
    NameList<TopicRecord> m_topics{m_context, names::kTopics};
    NameList<HostRecord> m_hosts{m_context, names::kHosts};
    TalkStore m_talks{m_context, m_topics};
    std::vector<OurBrotherEntry> m_ourBrothers;
    WeekWindow m_weeks;
    AvailabilityTable m_availability;
    NeedsList m_needs;
    EventList m_events;
    uint32_t m_brotherSlots = 0;
    uint32_t m_extraSlots = 0;
    std::vector<WeekChange> m_pendingWeekChanges; ///< cascades not yet in the week file
};

} // namespace mivra
