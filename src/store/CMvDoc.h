#pragma once

#include "base/Clock.h"
#include "dates/Dates.h"
#include "store/Availability.h"
#include "store/BrotherStore.h"
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
    BrotherStore& Brothers() { return m_brothers; }
    const BrotherStore& Brothers() const { return m_brothers; }
    /** Deletes him and every reference to him (congregations, weeks, availability). */
    bool DeleteBrother(int index);
    /** Moves him to a congregation (asking first when ask is set and he has one). */
    bool MoveBrother(int index, uint16_t congregationKey, bool ask);

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
    /** The home list and meeting days from the home congregation. */
    void BuildOurBrotherList();

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
    void LoadTopics();
    void LoadAvailability();
    void LoadNeedsList();
    void ForgetMissingHomeCongregation();

    bool WriteProfile(const std::function<void(Profile&)>& change);

    void ClearBrotherFromWeeks(uint16_t brotherKey);
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

    BrotherStore m_brothers{m_context, m_options};
    CongregationStore m_congregations{m_context, m_options};
    NameList<CircuitRecord> m_circuits{m_context, names::kCircuits};
    NameList<TopicRecord> m_topics{m_context, names::kTopics};
    NameList<HostRecord> m_hosts{m_context, names::kHosts};
    TalkStore m_talks{m_context, m_topics};
    WeekWindow m_weeks;
    AvailabilityTable m_availability;
    NeedsList m_needs;
    EventList m_events;
    std::vector<WeekChange> m_pendingWeekChanges; ///< cascades not yet in the week file
};

} // namespace mivra
