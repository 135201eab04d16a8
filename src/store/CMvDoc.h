#pragma once

#include "base/Clock.h"
#include "dates/Dates.h"
#include "store/Availability.h"
#include "store/BrotherStore.h"
#include "store/CongregationStore.h"
#include "store/EventList.h"
#include "store/NameList.h"
#include "store/NeedsList.h"
#include "store/Settings.h"
#include "store/StoreContext.h"
#include "store/TalkStore.h"
#include "store/WeekWindow.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mivra {

/**
 * The document: owns every store of the data folder, loads them in a fixed order, keeps the
 * operations that reach more than one list and retries the writes that failed. Operations of
 * one list are its store's: `doc.Brothers().FindBrotherByKey(key)`, `doc.Weeks().StoreWeek(…)`.
 */
class CMvDoc {
public:
    CMvDoc(const StringTable& strings, ui::MessageHost& host, const Clock& clock,
           std::filesystem::path dataFolder);
    ~CMvDoc();
    CMvDoc(const CMvDoc&) = delete;
    CMvDoc& operator=(const CMvDoc&) = delete;

    /** For viewing only (set before the load): nothing is written, repairs stay in memory. */
    void SetReadOnly(bool readOnly) { m_context.Files().SetReadOnly(readOnly); }
    bool ReadOnly() const { return m_context.Files().ReadOnly(); }
    /** The start-up load: settings, migrations, then every data file in the fixed order. */
    bool LoadStore();
    /** Everything read again (after a restore); the folder's files are trusted anew. */
    bool ReloadStore();
    /** The week records and the special events read again (the sheet's Cancel). */
    void ReloadWeeks();

    std::filesystem::path DataFilePath(int stringId) const;
    const std::filesystem::path& DataFolder() const { return m_context.Files().Folder(); }
    void ReportWriteFailure(const std::filesystem::path& path);
    /** Writes refused or failed so far (each was told to the user). */
    uint64_t FailedWrites() const { return m_context.Files().FailedWrites(); }
    const StringTable& Strings() const { return m_context.Strings(); }
    const std::string& LanguageCode() const { return m_context.LanguageCode(); }
    int CodePage() const { return m_context.CodePage(); }
    const text::Collator& Collator() const { return m_context.Collator(); }

    // Today and the calendar -------------------------------------------------------------------
    CivilDate Today() const { return m_today; }
    /** The clock's moment for time stamps (see Clock::UtcNow). */
    std::optional<int64_t> UtcNow() const { return m_clock.UtcNow(); }
    int CurrentWeek() const { return m_currentWeek; } ///< a week number
    int FirstShownWeek() const { return m_firstShownWeek; }
    void SetFirstShownWeek(int weekNumber) { m_firstShownWeek = weekNumber; }
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    /** The home congregation's meeting days (home coding) with the service-year option. */
    dates::MeetingDays MeetingDays() const { return m_congregations.MeetingDays(); }
    dates::DateStyle DateStyle() const;
    /** Format-date of a week number with this document's language and meeting days. */
    std::string FormatDate(int weekNumber, int flags, int selector = 0) const;

    // The stores -------------------------------------------------------------------------------
    SettingsStore& Settings() { return m_settings; }
    const SettingsStore& Settings() const { return m_settings; }
    BrotherStore& Brothers() { return m_brothers; }
    const BrotherStore& Brothers() const { return m_brothers; }
    CongregationStore& Congregations() { return m_congregations; }
    const CongregationStore& Congregations() const { return m_congregations; }
    NameList<CircuitRecord>& Circuits() { return m_circuits; }
    const NameList<CircuitRecord>& Circuits() const { return m_circuits; }
    NameList<TopicRecord>& Topics() { return m_topics; }
    const NameList<TopicRecord>& Topics() const { return m_topics; }
    NameList<HostRecord>& Hosts() { return m_hosts; }
    const NameList<HostRecord>& Hosts() const { return m_hosts; }
    TalkStore& Talks() { return m_talks; }
    const TalkStore& Talks() const { return m_talks; }
    WeekWindow& Weeks() { return m_weeks; }
    const WeekWindow& Weeks() const { return m_weeks; }
    const EventList& Events() const { return m_events; } ///< changed by AddEvent, RemoveEvent
    AvailabilityTable& Availability() { return m_availability; }
    const AvailabilityTable& Availability() const { return m_availability; }
    NeedsStore& Needs() { return m_needs; }
    const NeedsStore& Needs() const { return m_needs; }

    // Operations that reach more than one list -------------------------------------------------
    /** Deletes him and every reference to him (congregations, weeks, availability). */
    bool DeleteBrother(int index);
    /** Moves him to a congregation (asking first when ask is set and he has one). */
    bool MoveBrother(int index, uint16_t congregationKey, bool ask);
    /** Deletes it and every reference to it (brothers, weeks, the home congregation). */
    bool DeleteCongregation(int index);
    /** Deletes the circuit and clears it from every congregation (written at once). */
    bool DeleteCircuit(int index);
    /** Deletes the topic and clears it from every talk and from the talk file. */
    bool DeleteTopic(int index);
    /** Deletes the host and clears his id from every week (saved at once). */
    bool DeleteHost(int index);
    /** Chooses the home congregation, writes it to the profile at once and rebuilds. */
    bool SetOurCongregation(uint16_t key);
    /** The home list and meeting days from the home congregation. */
    void BuildOurBrotherList();
    int TalkCoordinatorOf(int congregationIndex) const; ///< brother index + 1, or 0
    /** Files the event under its week (replacing one there) and marks the week's flags. */
    int AddEvent(const SpecialEventRecord& record);
    /** Removes the event at a 0-based position; its week keeps only the in-use bit. */
    void RemoveEvent(int index);

    // Saves that failed ------------------------------------------------------------------------
    /** True while a whole-file save or a record write has failed, or availability is unsaved. */
    bool HasPendingSaves() const;
    /** Tries every pending save and record again, silently; returns the files that still fail. */
    std::vector<std::filesystem::path> RetryPendingSaves();

private:
    bool StartLoad();
    void LoadFromFolder(bool convertLegacy);
    void FreeStore();
    void ComputeToday();
    void LoadTopics();
    void ForgetMissingHomeCongregation();
    bool RunSave(int id);

    StoreContext m_context;
    const Clock& m_clock;
    CivilDate m_today;
    int m_currentWeek = 0;
    int m_firstShownWeek = 0;
    bool m_modified = false;

    // Declared in dependency order: a store is built after the stores it reads.
    SettingsStore m_settings{m_context};
    BrotherStore m_brothers{m_context, m_settings.Options()};
    CongregationStore m_congregations{m_context, m_settings.Options()};
    NameList<CircuitRecord> m_circuits{m_context, names::kCircuits};
    NameList<TopicRecord> m_topics{m_context, names::kTopics};
    NameList<HostRecord> m_hosts{m_context, names::kHosts};
    TalkStore m_talks{m_context, m_topics};
    WeekWindow m_weeks{m_context};
    AvailabilityTable m_availability{m_context};
    NeedsStore m_needs{m_context};
    EventList m_events{m_context};
};

} // namespace mivra
