// The document's life: loading the data folder, the settings profile and today's week.
#include "store/CMvDoc.h"

#include "base/Bytes.h"
#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/Migrations.h"
#include "store/Profile.h"
#include "ui/Host.h"

#include <algorithm>

namespace mivra {
namespace {

// Caps that bound the memory a hostile file can take. A longer file is loaded up to the cap and
// protected for the session.
constexpr uint64_t kMaxEvents = 65536;
constexpr uint64_t kMaxAvailability = 1 << 20;

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
    ReadSettingsProfile();
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
    m_context.ForgetFailures();
    m_pendingWeekChanges.clear();
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
        ReadSettingsProfile();
    ForgetMissingHomeCongregation();
    BuildOurBrotherList();
    LoadWeeks();
    LoadAvailability();
    LoadNeedsList();
    LoadSpecialEvents();
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
    m_needs = NeedsList{};
    m_events.Clear();
}

void CMvDoc::ReadSettingsProfile() {
    Profile profile = Profile::Load(DataFilePath(file::kProfile), m_context.CodePage());
    if (profile.state() == Profile::State::Unreadable)
        m_context.Files().ReportUnreadable(file::kProfile);
    m_options = DocOptions{};
    ReadSettings(profile, m_context.Strings(), m_options);
    if (LanguageCode() != "ptg")
        m_options.nameOrder = false;
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

bool CMvDoc::WriteProfile(const std::function<void(Profile&)>& change) {
    if (!m_context.Files().MayWrite(file::kProfile))
        return false;
    // Read again first: what the profile holds beyond our options (fonts, unknown keys) stays.
    const std::filesystem::path path = DataFilePath(file::kProfile);
    Profile profile = Profile::Load(path, m_context.CodePage());
    if (profile.state() == Profile::State::Unreadable) {
        m_context.Files().ReportUnreadable(file::kProfile);
        return false;
    }
    change(profile);
    return m_context.Files().Finish(file::kProfile, profile.Save(path));
}

bool CMvDoc::WriteSettings() {
    return m_context.Commit(file::kProfile, WriteProfile([&](Profile& p) {
                                mivra::WriteSettings(p, m_context.Strings(), m_options);
                            }));
}

dates::MeetingDays CMvDoc::MeetingDays() const {
    return m_congregations.MeetingDays();
}

dates::DateStyle CMvDoc::DateStyle() const {
    return {LanguageCode(), m_options.alternativeDateFormat};
}

std::string CMvDoc::FormatDate(int weekNumber, int flags, int selector) const {
    return dates::FormatDate(weekNumber, flags, selector, DateStyle(), MeetingDays(),
                             m_context.Strings());
}

// Loading -------------------------------------------------------------------------------------

void CMvDoc::ForgetMissingHomeCongregation() {
    // A key that names no congregation counts as none; clearing it keeps the next
    // congregation given that key from silently becoming the home congregation.
    if (m_options.ourCongregationKey == 0 || m_congregations.OurCongregationKey() != 0 ||
        m_context.Files().Protected(file::kCongregations))
        return;
    m_options.ourCongregationKey = 0;
    m_context.Commit(file::kProfile, WriteProfile([](Profile& p) { WriteHomeCongregation(p, 0); }));
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

void CMvDoc::LoadAvailability() {
    io::FileBytes file =
        m_context.Files().Read(file::kAvailability, kMaxAvailability * AvailabilityRecord::kSize);
    m_availability.Load(file.bytes, m_currentWeek);
}

void CMvDoc::LoadNeedsList() {
    io::FileBytes file =
        m_context.Files().Read(file::kNeeds, NeedsList::kSize, DataFiles::Tail::Ignore);
    m_needs = NeedsList::Decode(file.bytes);
}

void CMvDoc::LoadSpecialEvents() {
    io::FileBytes file =
        m_context.Files().Read(file::kEvents, kMaxEvents * SpecialEventRecord::kSize);
    m_events.Load(file.bytes, m_context.CodePage());
}

void CMvDoc::LoadWeeks() {
    m_weeks.Reset(m_weeks.BaseWeek());
    m_context.Files().Stream(file::kHistory, WeekRecord::kSize,
                             [this](std::span<const uint8_t> chunk) { m_weeks.LoadFile(chunk); });
    ReapplyPendingWeekChanges();
}

void CMvDoc::ReloadWeeks() {
    LoadWeeks();
    LoadSpecialEvents();
}

} // namespace mivra
