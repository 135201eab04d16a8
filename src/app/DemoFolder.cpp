#include "app/DemoFolder.h"

#include "app/HelpGuide.h"
#include "base/Text.h"
#include "store/CMvDoc.h"
#include "store/DataFolderLock.h"
#include "store/WeekQueries.h"

#include <algorithm>
#include <random>

namespace mivra::app {
namespace {

struct CongregationData {
    const char* name;
    const char* hall;
    const char* town; ///< postal code and town
    int weekday;      ///< home coding, 0 = Monday … 6 = Sunday
    const char* timeOdd;
    const char* timeEven;
};

// The home congregation comes first; all six form one circuit.
constexpr CongregationData kCongregations[] = {
    {"Ekbacka", "Industrivägen 4", "731 30 Ekbacka", 6, "10:00", "13:00"},
    {"Björkvik", "Kyrkogatan 18", "641 93 Björkvik", 6, "13:30", "10:00"},
    {"Strandvik", "Hamnvägen 7", "619 35 Strandvik", 5, "16:00", "16:00"},
    {"Granhöjden", "Verkstadsgatan 2", "725 91 Granhöjden", 6, "10:00", "10:00"},
    {"Lövsta", "Ängsvägen 11", "744 95 Lövsta", 6, "17:00", "13:00"},
    {"Åsby", "Stationsgatan 23", "735 37 Åsby", 6, "10:30", "14:00"},
};
constexpr const char* kCircuit = "Mälardalen 3";
constexpr size_t kHomeBrothers = 12;
constexpr size_t kSpeakersPerCongregation = 8;

struct Person {
    const char* first;
    const char* last;
    int appointment;
    uint8_t roles; ///< home brothers only
};

constexpr uint8_t kOut = kRoleOutgoingSpeaker;
constexpr uint8_t kChair = kRoleChairman;
constexpr uint8_t kRead = kRoleReader;

// Invented names: common Swedish first and last names put together.
constexpr Person kPeople[] = {
    // Ekbacka, the home congregation
    {"Bertil", "Sandell", kElder, kOut | kChair},
    {"Gunnar", "Hedberg", kElder, kOut | kChair},
    {"Tomas", "Lindvall", kElder, kOut | kChair},
    {"Roland", "Ekholm", kElder, kOut},
    {"Erik", "Norlén", kElder, kOut | kChair},
    {"Mattias", "Åkerlund", kMinisterialServant, kOut | kChair | kRead},
    {"Jonas", "Wiklander", kMinisterialServant, kChair | kRead},
    {"Henrik", "Sjödahl", kMinisterialServant, kRead},
    {"Samuel", "Berglöf", kMinisterialServant, kRead},
    {"Oskar", "Lindholm", kNoAppointment, kRead},
    {"David", "Hallgren", kNoAppointment, kRead},
    {"Viktor", "Strandberg", kNoAppointment, 0},
    // Björkvik
    {"Anders", "Forsell", kElder, 0},
    {"Kjell", "Ahlström", kElder, 0},
    {"Lennart", "Boström", kElder, 0},
    {"Per-Olof", "Hägg", kElder, 0},
    {"Daniel", "Sundell", kElder, 0},
    {"Mikael", "Rydén", kElder, 0},
    {"Ulf", "Törnqvist", kMinisterialServant, 0},
    {"Johan", "Liljedahl", kMinisterialServant, 0},
    // Strandvik
    {"Lars", "Granberg", kElder, 0},
    {"Stefan", "Ådahl", kElder, 0},
    {"Håkan", "Nordell", kElder, 0},
    {"Peter", "Bylund", kElder, 0},
    {"Christer", "Malmsten", kElder, 0},
    {"Fredrik", "Ölund", kElder, 0},
    {"Niklas", "Hammar", kMinisterialServant, 0},
    {"Jakob", "Sandvall", kMinisterialServant, 0},
    // Granhöjden
    {"Sven", "Aronsson", kElder, 0},
    {"Rolf", "Edlund", kElder, 0},
    {"Leif", "Kvist", kElder, 0},
    {"Magnus", "Tillberg", kElder, 0},
    {"Olof", "Brändström", kElder, 0},
    {"Martin", "Fagerlind", kElder, 0},
    {"Tobias", "Hultman", kMinisterialServant, 0},
    {"Simon", "Ekvall", kMinisterialServant, 0},
    // Lövsta
    {"Bengt", "Wahlund", kElder, 0},
    {"Åke", "Sundelin", kElder, 0},
    {"Kent", "Hagström", kElder, 0},
    {"Torbjörn", "Nyhlén", kElder, 0},
    {"Patrik", "Lindeberg", kElder, 0},
    {"Jörgen", "Moberg", kElder, 0},
    {"Alexander", "Östlund", kMinisterialServant, 0},
    {"Emil", "Fridén", kMinisterialServant, 0},
    // Åsby
    {"Hans", "Tornberg", kElder, 0},
    {"Roger", "Lindahl", kElder, 0},
    {"Ingemar", "Skog", kElder, 0},
    {"Joakim", "Dahlén", kElder, 0},
    {"Kristoffer", "Ljung", kElder, 0},
    {"Robert", "Engvall", kElder, 0},
    {"Marcus", "Frisk", kMinisterialServant, 0},
    {"Anton", "Bäckman", kMinisterialServant, 0},
};
static_assert(std::size(kPeople) ==
              kHomeBrothers + (std::size(kCongregations) - 1) * kSpeakersPerCongregation);

/** The congregation (index into kCongregations) a person of kPeople belongs to. */
size_t CongregationOf(size_t person) {
    return person < kHomeBrothers ? 0 : 1 + (person - kHomeBrothers) / kSpeakersPerCongregation;
}
/** The first person of a congregation in kPeople. */
size_t FirstOf(size_t congregation) {
    return congregation == 0 ? 0 : kHomeBrothers + (congregation - 1) * kSpeakersPerCongregation;
}

constexpr std::pair<size_t, const char*> kRemarks[] = {
    {3, "Ring helst efter kl. 18"},    {13, "Föredrar kontakt per e-post"},
    {22, "Kan inte tala i juli"},      {30, "Tar gärna med familjen"},
    {41, "Nytt nummer sedan i våras"},
};

constexpr const char* kStreets[] = {
    "Storgatan",  "Skolvägen", "Björkvägen", "Ringvägen", "Parkvägen",       "Sjövägen",
    "Tallstigen", "Lärkvägen", "Backgatan",  "Ekvägen",   "Prästgårdsvägen", "Solvägen",
};

constexpr const char* kHosts[] = {
    "Familjen Sandell",  "Familjen Hedberg",  "Familjen Ekholm",
    "Familjen Hallgren", "Familjen Lindholm", "~Familjen Norlén", // asked only by hand
};

constexpr int kNeededTalks[] = {12, 27, 45, 63, 88, 104, 131, 156, 172, 190};
constexpr int kUrgentTalks[] = {27, 104, 156};
constexpr int kLaterTalks[] = {63, 190};

// What each of the next twelve weeks holds, from the current week on.
enum class Plan { Open, Asked, Confirmed, Reminded, Visit, Assembly };
constexpr Plan kPlans[] = {Plan::Reminded, Plan::Reminded,  Plan::Reminded,  Plan::Confirmed,
                           Plan::Visit,    Plan::Confirmed, Plan::Confirmed, Plan::Confirmed,
                           Plan::Assembly, Plan::Asked,     Plan::Asked,     Plan::Open};
constexpr int kOutgoing[] = {1, 2, 0, 1, 0, 1, 2, 1, 0, 1, 1, 0};
static_assert(std::size(kPlans) == std::size(kOutgoing));

/** (person, week offset): a holiday of two weeks and some single weeks away. */
constexpr std::pair<size_t, int> kAway[] = {{3, 5},  {3, 6},  {6, 2},   {9, 7},
                                            {14, 1}, {23, 3}, {31, 10}, {45, 6}};

/** The ticks of a home talk; stamps are the week the box was ticked in. */
void Tick(WeekRecord& week, Plan plan, int currentWeek) {
    if (plan >= Plan::Asked)
        week.asked = static_cast<int16_t>(std::max(1, currentWeek - 6));
    if (plan >= Plan::Confirmed)
        week.confirmed = static_cast<uint16_t>(std::max(1, currentWeek - 4));
    if (plan >= Plan::Reminded)
        week.reminder = static_cast<int16_t>(currentWeek);
}

/** Numbers from the ranges set aside for fiction, so none of them rings anyone. */
std::string Mobile(size_t person) {
    const size_t n = 5 + person;
    return "070-174 06 " + std::string(1, char('0' + n / 10)) + char('0' + n % 10);
}
std::string Landline(size_t n) {
    return "08-465 004 " + std::string(1, char('0' + n / 10 % 10)) + char('0' + n % 10);
}

std::string EmailName(std::string_view name) {
    static const std::pair<std::string_view, char> kFolded[] = {
        {"å", 'a'}, {"ä", 'a'}, {"ö", 'o'}, {"é", 'e'}};
    const std::string lower = text::ToLower(name, "sve");
    std::string out;
    for (size_t i = 0; i < lower.size();) {
        auto folded = std::find_if(std::begin(kFolded), std::end(kFolded), [&](const auto& f) {
            return lower.compare(i, f.first.size(), f.first) == 0;
        });
        if (folded != std::end(kFolded)) {
            out += folded->second;
            i += folded->first.size();
        } else {
            out += lower[i++];
        }
    }
    return out;
}

/** A speaker's talks: a few of the numbered talks, the same for every run. */
TalkRepertoire RepertoireOf(size_t person) {
    std::minstd_rand pick(static_cast<unsigned>(1000 + person));
    const int count = person < kHomeBrothers ? 7 : 5 + static_cast<int>(person % 5);
    TalkRepertoire talks;
    while (talks.Count() < count)
        talks.Set(1 + static_cast<int>(pick() % 200));
    return talks;
}

std::pair<BrotherRecord, BrotherExtraRecord> RecordsOf(size_t i, uint16_t congregationKey) {
    const Person& p = kPeople[i];
    BrotherRecord b;
    b.firstName = p.first;
    b.lastName = p.last;
    b.address1 =
        std::string(kStreets[i * 5 % std::size(kStreets)]) + " " + std::to_string(3 + i * 7 % 41);
    b.address2 = kCongregations[CongregationOf(i)].town;
    b.phone = Mobile(i);
    b.appointment = p.appointment;
    b.homeRoles = p.roles;
    b.congregationKey = congregationKey;
    if (p.appointment != kNoAppointment)
        b.repertoire = RepertoireOf(i);
    BrotherExtraRecord extra;
    if (i % 3 == 0)
        extra.phone2 = Landline(10 + i);
    extra.email = EmailName(p.first) + "." + EmailName(p.last) + "@example.org";
    for (const auto& [person, remark] : kRemarks)
        if (person == i)
            extra.remark = remark;
    return {b, extra};
}

} // namespace

std::filesystem::path DemoFolder::DefaultFolder() {
    return HelpGuide::DefaultCacheFolder() / "demo";
}

bool DemoFolder::HoldsNothing(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::exists(folder, ec))
        return !ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec)
        return false;
    for (const std::filesystem::directory_entry& entry : it)
        if (entry.path().filename() != DataFolderLock::kFileName)
            return false;
    return true;
}

bool DemoFolder::Clear(const std::filesystem::path& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (it->path().filename() == DataFolderLock::kFileName)
            continue;
        std::filesystem::remove_all(it->path(), ec);
        if (ec) {
            error = it->path().string() + ": " + ec.message();
            return false;
        }
    }
    if (ec)
        error = folder.string() + ": " + ec.message();
    return !ec;
}

bool DemoFolder::Fill() {
    m_firstWeek = m_doc.CurrentWeek() - 1;
    const bool ok = AddCongregations() && AddBrothers() && SetOfficers() && SetHomeCongregation() &&
                    AddHostsAndNeeds() && AddUnavailableWeeks() && AddEvents() && ScheduleWeeks();
    return ok && !m_doc.HasPendingSaves();
}

bool DemoFolder::AddCongregations() {
    const int circuit = m_doc.Circuits().Add(kCircuit);
    if (circuit < 0 || !m_doc.Circuits().Save())
        return false;
    m_circuit = m_doc.Circuits().Items()[static_cast<size_t>(circuit)].key;
    for (size_t i = 0; i < std::size(kCongregations); ++i) {
        const CongregationData& c = kCongregations[i];
        CongregationRecord record;
        record.name = c.name;
        record.address1 = c.hall;
        record.address2 = c.town;
        record.phone1 = Landline(80 + i);
        record.meetingTimeOdd = c.timeOdd;
        record.meetingTimeEven = c.timeEven;
        record.weekdayOdd = record.weekdayEven = StoredWeekday(c.weekday);
        record.circuitId = m_circuit;
        const int index = m_doc.Congregations().AddCongregation(record);
        if (index < 0)
            return false;
        m_congregations.push_back(m_doc.Congregations().Congregation(index)->congregationKey);
    }
    return true;
}

bool DemoFolder::AddBrothers() {
    for (size_t i = 0; i < std::size(kPeople); ++i) {
        auto [record, extra] = RecordsOf(i, m_congregations[CongregationOf(i)]);
        const int index = m_doc.Brothers().AddBrother(std::move(record), std::move(extra));
        if (index < 0)
            return false;
        m_brothers.push_back(m_doc.Brothers().Brother(index)->brotherKey);
    }
    return true;
}

bool DemoFolder::SetOfficers() {
    for (size_t c = 0; c < m_congregations.size(); ++c) {
        // The first three brothers listed for a congregation hold its offices.
        const size_t first = FirstOf(c);
        const int index = m_doc.Congregations().FindCongregationByKey(m_congregations[c]) - 1;
        CongregationRecord record;
        if (m_doc.Congregations().ReadCongregation(index, record) == 0)
            return false;
        record.coordinatorKey = m_brothers[first];
        record.talkCoordinatorKey = m_brothers[first + 1];
        record.secretaryKey = m_brothers[first + 2];
        if (!m_doc.Congregations().UpdateCongregation(index, record))
            return false;
    }
    return true;
}

bool DemoFolder::SetHomeCongregation() {
    DocOptions& options = m_doc.Settings().MutableOptions();
    options.scheduleReaders = true;
    options.scheduleHosts = true;
    options.includeReaders = true;
    return m_doc.Settings().WriteSettings() && m_doc.SetOurCongregation(m_congregations[0]);
}

bool DemoFolder::AddHostsAndNeeds() {
    for (const char* host : kHosts)
        if (m_doc.Hosts().Add(host) < 0)
            return false;
    NeedsList needs;
    for (int talk : kNeededTalks)
        needs.listed.Set(talk);
    for (int talk : kUrgentTalks)
        needs.high.Set(talk);
    for (int talk : kLaterTalks)
        needs.low.Set(talk);
    m_doc.Needs().SetNeeds(needs);
    return m_doc.Hosts().Save() && m_doc.Needs().SaveNeedsList();
}

bool DemoFolder::AddUnavailableWeeks() {
    for (const auto& [person, offset] : kAway)
        m_doc.Availability().AddUnavailableWeek(m_brothers[person],
                                                static_cast<uint16_t>(m_firstWeek + offset + 1));
    return m_doc.Availability().SaveAvailability();
}

bool DemoFolder::AddEvents() {
    for (size_t offset = 0; offset < std::size(kPlans); ++offset) {
        SpecialEventRecord event;
        event.weekIndex = static_cast<uint16_t>(m_firstWeek + static_cast<int>(offset));
        if (kPlans[offset] == Plan::Visit) {
            // The overseer gives the talk; the meeting still has its chairman, reader and host.
            event.flags =
                kWeekOverseerVisit | kWeekChairmanAnyway | kWeekReaderAnyway | kWeekHostAnyway;
            event.name = "Sture Ekenberg";
            event.theme = "Håll blicken fäst vid det som består";
        } else if (kPlans[offset] == Plan::Assembly) {
            event.flags = kWeekAssembly;
            event.name = "Kretssammankomst";
            event.theme = "Var glada i hoppet";
        } else {
            continue;
        }
        m_doc.AddEvent(event);
    }
    return m_doc.Events().SaveSpecialEvents();
}

bool DemoFolder::ScheduleWeeks() {
    int ordinal = 0;
    for (size_t offset = 0; offset < std::size(kPlans); ++offset) {
        const int index = m_firstWeek + static_cast<int>(offset);
        WeekRecord& week = m_doc.Weeks().GetWeek(index);
        if (kPlans[offset] == Plan::Assembly)
            continue; // the whole congregation is at the assembly
        if (kPlans[offset] != Plan::Visit) {
            ScheduleHomeTalk(week, ordinal++);
            Tick(week, kPlans[offset], m_firstWeek + 1);
        }
        ScheduleOutgoing(week, kOutgoing[offset]);
        week.chairman = static_cast<int16_t>(NextHomeBrother(kRoleChairman, m_chairmanTurn, index));
        week.reader = static_cast<int16_t>(NextHomeBrother(kRoleReader, m_readerTurn, index));
        const std::vector<HostRecord>& hosts = m_doc.Hosts().Items();
        for (size_t tries = 0; tries < hosts.size() && week.host == 0; ++tries) {
            const HostRecord& host = hosts[m_hostTurn++ % hosts.size()];
            if (host.name.rfind('~', 0) != 0)
                week.host = static_cast<int16_t>(host.key);
        }
        m_doc.Weeks().StoreWeek(week, index);
    }
    return m_doc.Weeks().SaveWeeks();
}

void DemoFolder::ScheduleHomeTalk(WeekRecord& week, int ordinal) {
    // Each visiting congregation sends a speaker in turn, and a speaker comes once.
    const size_t congregation = 1 + static_cast<size_t>(ordinal) % (m_congregations.size() - 1);
    const int index = static_cast<int>(week.weekNumber) - 1;
    for (size_t step = 0; step < kSpeakersPerCongregation; ++step) {
        const size_t person = FirstOf(congregation) +
                              (static_cast<size_t>(ordinal) * 3 + step) % kSpeakersPerCongregation;
        const uint16_t key = m_brothers[person];
        const int lastWeek = m_firstWeek + static_cast<int>(std::size(kPlans));
        if (kPeople[person].appointment != kElder || !Free(key, index) ||
            LastHomeTalkWeek(m_doc, key, lastWeek) != 0)
            continue;
        week.homeSpeaker = static_cast<int16_t>(key);
        week.homeCongregation = static_cast<int16_t>(m_congregations[congregation]);
        week.homeTalk = NextTalk(key);
        return;
    }
}

void DemoFolder::ScheduleOutgoing(WeekRecord& week, int count) {
    const int index = static_cast<int>(week.weekNumber) - 1;
    for (size_t slot = 0; slot < static_cast<size_t>(count); ++slot) {
        const uint16_t speaker = NextHomeBrother(kRoleOutgoingSpeaker, m_outgoingTurn, index);
        if (speaker == 0)
            return;
        // By turns, and never to the congregation whose speaker visits us that week.
        size_t congregation = 0;
        do
            congregation = 1 + m_visitTurn++ % (m_congregations.size() - 1);
        while (SameKey(week.homeCongregation, m_congregations[congregation]));
        week.outSpeaker[slot] = static_cast<int16_t>(speaker);
        week.outCongregation[slot] = static_cast<int16_t>(m_congregations[congregation]);
        week.outTalk[slot] = NextTalk(speaker);
    }
}

uint16_t DemoFolder::NextHomeBrother(uint16_t role, size_t& turn, int weekIndex) const {
    const std::vector<OurBrotherEntry>& home = m_doc.Brothers().OurBrothers();
    for (size_t step = 0; step < home.size(); ++step) {
        const OurBrotherEntry& brother = home[(turn + step) % home.size()];
        if ((brother.roleBits & role) && Free(brother.brotherKey, weekIndex)) {
            turn += step + 1;
            return brother.brotherKey;
        }
    }
    return 0;
}

uint16_t DemoFolder::NextTalk(uint16_t brotherKey) {
    const BrotherIndexEntry* brother =
        m_doc.Brothers().Brother(m_doc.Brothers().FindBrotherByKey(brotherKey));
    int first = 0;
    for (int talk = 1; brother && talk <= TalkRepertoire::kTalks; ++talk) {
        if (!brother->repertoire.Has(talk))
            continue;
        first = first ? first : talk;
        if (std::find(m_usedTalks.begin(), m_usedTalks.end(), talk) == m_usedTalks.end()) {
            m_usedTalks.push_back(talk);
            return static_cast<uint16_t>(talk);
        }
    }
    return static_cast<uint16_t>(first);
}

bool DemoFolder::Free(uint16_t brotherKey, int weekIndex) const {
    return WeekDutyOf(m_doc, brotherKey, weekIndex, kNoDuty) == kNoDuty &&
           m_doc.Availability().IsAvailable(brotherKey, static_cast<uint16_t>(weekIndex + 1));
}

} // namespace mivra::app
