// The document's life: the load order, today's week, the calendar, and the saves that failed.
#include "store/CMvDoc.h"

#include "resources/StringTable.h"
#include "store/Migrations.h"

namespace mivra {
namespace {

int BaseWeekOf(int year) {
    return year >= 2010 ? 52 * (year - 2009) : 0;
}

} // namespace

CMvDoc::CMvDoc(const StringTable& strings, ui::MessageHost& host, const Clock& clock,
               std::filesystem::path dataFolder)
    : m_context(strings, host, std::move(dataFolder)), m_clock(clock) {}

CMvDoc::~CMvDoc() = default;

// Empties the document for a load from the folder; false when there is no folder to load.
bool CMvDoc::StartLoad() {
    FreeStore();
    std::error_code ec;
    if (!std::filesystem::is_directory(m_context.Files().Folder(), ec))
        return false;
    m_context.Files().Reset();
    m_modified = false;
    return true;
}

bool CMvDoc::LoadStore() {
    if (!StartLoad())
        return false;
    m_context.ReadLanguage();
    m_settings.Load();
    ComputeToday();
    LoadFromFolder(true);
    return true;
}

bool CMvDoc::ReloadStore() {
    if (!StartLoad())
        return false;
    ComputeToday();
    LoadFromFolder(false);
    return true;
}

void CMvDoc::LoadFromFolder(bool convertLegacy) {
    // A read-only folder refuses what the load writes without a word: the user was told.
    m_context.Files().SetLoading(true);
    m_context.ForgetFailures();
    m_weeks.ForgetPendingChanges();
    RenameOlderFiles(m_context.Files(), LanguageCode());
    MigrateItalianBrothers(m_context.Files(), LanguageCode());
    if (convertLegacy)
        ConvertLegacyExtraFile(m_context.Files());
    m_brothers.Load();
    m_congregations.Load();
    m_circuits.Load();
    m_hosts.Load();
    m_talks.Load();
    LoadTopics();
    if (!convertLegacy)
        m_settings.Load();
    ForgetMissingHomeCongregation();
    BuildOurBrotherList();
    m_weeks.LoadWeeks();
    m_availability.Load(m_currentWeek);
    m_needs.Load();
    m_events.Load();
    m_context.Files().SetLoading(false);
}

void CMvDoc::FreeStore() {
    m_brothers.Clear();
    m_congregations.Clear();
    m_circuits.Clear();
    m_topics.Clear();
    m_hosts.Clear();
    m_talks.Clear();
    m_weeks.Reset(m_weeks.BaseWeek());
    m_availability.Clear();
    m_needs.Clear();
    m_events.Clear();
}

void CMvDoc::LoadTopics() {
    if (!m_topics.Load()) {
        // An unreadable file is protected; its defaults serve in memory meanwhile.
        m_topics.Clear();
        for (int i = 1; i <= 10; ++i)
            m_topics.Append(DefaultTopic(i, Strings()));
        return;
    }
    m_topics.Sort();
}

void CMvDoc::ForgetMissingHomeCongregation() {
    // A key that names no congregation counts as none; clearing it keeps the next
    // congregation given that key from silently becoming the home congregation.
    if (m_settings.Options().ourCongregationKey == 0 || m_congregations.OurCongregationKey() != 0 ||
        m_context.Files().Protected(file::kCongregations))
        return;
    m_settings.SetHomeCongregation(0);
}

void CMvDoc::ReloadWeeks() {
    m_weeks.LoadWeeks();
    m_events.Load();
}

void CMvDoc::ComputeToday() {
    m_today = m_clock.Today();
    m_currentWeek = dates::WeekNumberOf(m_today);
    m_firstShownWeek = m_currentWeek;
    m_weeks.Reset(BaseWeekOf(m_today.year));
}

std::filesystem::path CMvDoc::DataFilePath(int stringId) const {
    return m_context.Files().Path(stringId);
}

void CMvDoc::ReportWriteFailure(const std::filesystem::path& path) {
    m_context.Files().ReportWriteFailure(path);
}

dates::DateStyle CMvDoc::DateStyle() const {
    return {LanguageCode(), m_settings.Options().alternativeDateFormat};
}

std::string CMvDoc::FormatDate(int weekNumber, int flags, int selector) const {
    return dates::FormatDate(weekNumber, flags, selector, DateStyle(), MeetingDays(), Strings());
}

// Saves that failed -----------------------------------------------------------------------------

bool CMvDoc::HasPendingSaves() const {
    return !m_context.PendingSaves().empty() || m_context.HasUnwrittenRecords() ||
           m_availability.Changed();
}

bool CMvDoc::RunSave(int id) {
    switch (id) {
    case file::kHistory:
        return m_weeks.SaveWeeks();
    case file::kEvents:
        return m_events.SaveSpecialEvents();
    case file::kHosts:
        return m_hosts.Save();
    case file::kCircuits:
        return m_circuits.Save();
    case file::kTopics:
        return m_topics.Save();
    case file::kTalks:
        return m_talks.SaveTalks();
    case file::kAvailability:
        return m_availability.SaveAvailability();
    case file::kNeeds:
        return m_needs.SaveNeedsList();
    case file::kProfile:
        return m_settings.SaveAll();
    default:
        return true;
    }
}

std::vector<std::filesystem::path> CMvDoc::RetryPendingSaves() {
    std::set<int> ids = m_context.PendingSaves();
    if (m_availability.Changed())
        ids.insert(file::kAvailability);
    std::vector<std::filesystem::path> failing;
    m_context.Files().SetQuiet(true);
    for (int id : ids)
        if (!RunSave(id))
            failing.push_back(DataFilePath(id));
    m_context.RetryUnwrittenRecords(failing);
    m_context.Files().SetQuiet(false);
    return failing;
}

} // namespace mivra
