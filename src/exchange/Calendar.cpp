#include "exchange/Calendar.h"

#include "base/FileIo.h"
#include "base/Version.h"
#include "dates/Dates.h"
#include "reports/CSelectWeeksDlg.h"
#include "reports/ScheduleWeek.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <chrono>
#include <libical/ical.h>
#include <span>

namespace mivra::exchange {
namespace {

constexpr int kCalendarName = 61210; // "Offentliga föredrag - %1"
constexpr int kConfirmed = 61211;    // "Bekräftad"
constexpr int kAsked = 61212;        // "Tillfrågad"
constexpr int kOutgoing = 61213;     // "%1 till %2"
constexpr int kTalk = 61214;         // "Tal %1"
constexpr int kSaveTitle = 61215;    // "Spara kalender"
constexpr int kFilterName = 61216;   // "Kalenderfiler"
constexpr int kFileName = 61217;     // "schema.ics"
constexpr int kSaved = 61218;        // "Kalendern har sparats i\n\n%1"
constexpr int kMeetingMinutes = 30;

uint16_t Key(int16_t field) {
    return static_cast<uint16_t>(field);
}

int DayNumber(const CivilDate& date) {
    using namespace std::chrono;
    return static_cast<int>(sys_days(year(date.year) / month(static_cast<unsigned>(date.month)) /
                                     day(static_cast<unsigned>(date.day)))
                                .time_since_epoch()
                                .count());
}

CivilDate AddDays(const CivilDate& date, int days) {
    using namespace std::chrono;
    const year_month_day ymd{sys_days(std::chrono::days(DayNumber(date) + days))};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// Control characters have no place in a calendar's text; line breaks are escaped by libical.
std::string CleanText(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c == '\n' || static_cast<unsigned char>(c) >= 0x20 || c == '\t')
            out += c == '\t' ? ' ' : c;
    return out;
}

std::string Joined(std::initializer_list<std::string> parts, std::string_view separator) {
    std::string out;
    for (const std::string& part : parts)
        if (!part.empty())
            out += (out.empty() ? "" : std::string(separator)) + part;
    return out;
}

// The home congregation's name in lower-case ASCII letters and digits, keeping UIDs apart
// between congregations that share a calendar.
std::string UidSuffix(const std::string& name) {
    std::string out;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        out += std::isalnum(u) && u < 0x80 ? static_cast<char>(std::tolower(u)) : '-';
    }
    return out;
}

struct Place {
    std::string name;
    std::string address;
    std::string phone;
};

Place PlaceOf(const CMvDoc& doc, uint16_t key) {
    const int found = doc.Congregations().FindCongregationByKey(key);
    CongregationRecord record;
    if (found == 0 || doc.Congregations().ReadCongregation(found - 1, record) == 0)
        return {};
    return {doc.Congregations().CongregationNameByKey(key, false),
            Joined({record.address1, record.address2}, ", "), record.phone1};
}

class WeekEvents {
public:
    WeekEvents(const CMvDoc& doc, std::vector<CalendarEvent>& events)
        : m_doc(doc), m_events(events), m_home(doc.Congregations().OurCongregationKey()),
          m_suffix("-" + UidSuffix(PlaceOf(doc, m_home).name) + "@mivra") {}

    void Add(int weekIndex) {
        const WeekRecord w = m_doc.Weeks().Week(weekIndex);
        const int weekNumber = weekIndex + 1;
        const CivilDate monday = dates::MondayDateOf(weekNumber);
        const dates::MeetingDays days = m_doc.MeetingDays();
        const int homeOffset = dates::OddYear(weekIndex, days) ? days.oddOffset : days.evenOffset;
        const reports::WeekKind kind = reports::KindOf(w);
        const std::string homeTime = m_doc.Congregations().MeetingTimeForWeek(m_home, weekIndex);

        CalendarEvent home;
        home.uid = std::to_string(weekNumber) + "-home" + m_suffix;
        home.day = AddDays(monday, homeOffset);
        home.location = PlaceOf(m_doc, m_home).address;
        if (kind != reports::WeekKind::Ordinary) {
            home.summary = reports::SpecialWeekTitle(m_doc, weekIndex, w);
            if (kind != reports::WeekKind::Assembly)
                home.startMinutes = ParseMeetingTime(homeTime);
            m_events.push_back(std::move(home));
        } else if (w.homeTalk != 0 || w.homeSpeaker != 0) {
            const std::string speaker =
                m_doc.Brothers().BrotherNameByKey(Key(w.homeSpeaker), false);
            const std::string title = Joined(
                {reports::TalkNumber(m_doc, w.homeTalk), reports::TalkTitle(m_doc, w.homeTalk)},
                " ");
            home.summary = Joined({title, speaker}, " - ");
            home.description =
                Joined({speaker,
                        m_doc.Congregations().CongregationNameByKey(Key(w.homeCongregation), false),
                        title, m_doc.Strings().Get(w.confirmed != 0 ? kConfirmed : kAsked)},
                       "\n");
            home.startMinutes = ParseMeetingTime(homeTime);
            m_events.push_back(std::move(home));
        }

        for (size_t i = 0; i < WeekRecord::kOutSlots; ++i) {
            const uint16_t brother = Key(w.outSpeaker[i]);
            const uint16_t to = Key(w.outCongregation[i]);
            if (brother == 0 || to == 0)
                continue;
            const Place place = PlaceOf(m_doc, to);
            const int index = m_doc.Congregations().FindCongregationByKey(to) - 1;
            CalendarEvent out;
            out.uid = std::to_string(weekNumber) + "-out-" + std::to_string(brother) + m_suffix;
            out.day = AddDays(
                monday, HomeWeekday(m_doc.Congregations().MeetingWeekdayForWeek(index, weekIndex)));
            out.summary =
                m_doc.Strings().Format(kOutgoing, m_doc.Brothers().BrotherNameByKey(brother, false),
                                       place.name) +
                ": " + m_doc.Strings().Format(kTalk, reports::TalkNumber(m_doc, w.outTalk[i]));
            out.description = Joined({reports::TalkTitle(m_doc, w.outTalk[i]), place.phone}, "\n");
            out.location = place.address;
            if (kind != reports::WeekKind::Assembly)
                out.startMinutes =
                    ParseMeetingTime(m_doc.Congregations().MeetingTimeForWeek(to, weekIndex));
            m_events.push_back(std::move(out));
        }
    }

private:
    const CMvDoc& m_doc;
    std::vector<CalendarEvent>& m_events;
    uint16_t m_home;
    std::string m_suffix;
};

/** Owns libical's calendar component and the text it hands out. */
class IcalCalendar {
public:
    IcalCalendar() : m_calendar(icalcomponent_new_vcalendar()) {}
    ~IcalCalendar() { icalcomponent_free(m_calendar); }
    IcalCalendar(const IcalCalendar&) = delete;
    IcalCalendar& operator=(const IcalCalendar&) = delete;

    void Add(icalproperty* property) { icalcomponent_add_property(m_calendar, property); }
    void AddX(const char* name, const std::string& value) {
        icalproperty* property = icalproperty_new_x(value.c_str());
        icalproperty_set_x_name(property, name);
        Add(property);
    }
    /** Takes the event over. */
    void AddEvent(icalcomponent* event) { icalcomponent_add_component(m_calendar, event); }

    std::string Text() const {
        char* text = icalcomponent_as_ical_string_r(m_calendar);
        std::string out = text != nullptr ? text : "";
        free(text);
        return out;
    }

private:
    icalcomponent* m_calendar;
};

icaltimetype DateOf(const CivilDate& date) {
    icaltimetype t = icaltime_null_date();
    t.year = date.year;
    t.month = date.month;
    t.day = date.day;
    return t;
}

icaltimetype LocalTime(const CivilDate& date, int minutes) {
    icaltimetype t = icaltime_null_time();
    t.year = date.year;
    t.month = date.month;
    t.day = date.day;
    t.hour = minutes / 60;
    t.minute = minutes % 60;
    return t;
}

icalcomponent* EventOf(const CalendarEvent& e, icaltimetype stamp, int sequence) {
    icalcomponent* event = icalcomponent_new_vevent();
    icalcomponent_add_property(event, icalproperty_new_uid(e.uid.c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event, icalproperty_new_sequence(sequence));
    if (e.startMinutes) {
        const icaltimetype start = LocalTime(e.day, *e.startMinutes);
        icalcomponent_add_property(event, icalproperty_new_dtstart(start));
        icalcomponent_add_property(
            event, icalproperty_new_dtend(
                       icaltime_add(start, icaldurationtype_from_int(kMeetingMinutes * 60))));
    } else {
        icalcomponent_add_property(event, icalproperty_new_dtstart(DateOf(e.day)));
        icalcomponent_add_property(event, icalproperty_new_dtend(DateOf(AddDays(e.day, 1))));
    }
    icalcomponent_add_property(event, icalproperty_new_summary(e.summary.c_str()));
    if (!e.description.empty())
        icalcomponent_add_property(event, icalproperty_new_description(e.description.c_str()));
    if (!e.location.empty())
        icalcomponent_add_property(event, icalproperty_new_location(e.location.c_str()));
    return event;
}

} // namespace

std::optional<int> ParseMeetingTime(std::string_view text) {
    auto trim = [](std::string_view s) {
        while (!s.empty() && s.front() == ' ')
            s.remove_prefix(1);
        while (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
        return s;
    };
    text = trim(text);
    if (text.size() >= 2 && (text[0] == 'k' || text[0] == 'K') &&
        (text[1] == 'l' || text[1] == 'L'))
        text = trim(text.substr(text.size() > 2 && text[2] == '.' ? 3 : 2));
    const size_t mark = text.find_first_of(":.");
    if (mark == std::string_view::npos || mark < 1 || mark > 2 || text.size() != mark + 3)
        return std::nullopt;
    auto digits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    const std::string_view h = text.substr(0, mark), m = text.substr(mark + 1);
    if (!digits(h) || !digits(m))
        return std::nullopt;
    const int hour = std::stoi(std::string(h)), minute = std::stoi(std::string(m));
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return hour * 60 + minute;
}

std::vector<CalendarEvent> CalendarEvents(const CMvDoc& doc, int startWeek, int weekCount) {
    std::vector<CalendarEvent> events;
    WeekEvents weeks(doc, events);
    for (int i = 0; i < weekCount; ++i)
        weeks.Add(startWeek + i);
    for (CalendarEvent& e : events)
        for (std::string* field : {&e.summary, &e.description, &e.location})
            *field = CleanText(*field);
    return events;
}

std::string CalendarText(const CMvDoc& doc, const std::vector<CalendarEvent>& events) {
    const CivilDate today = doc.Today();
    // The sequence grows by the day, so a later export of an event wins; within a day the
    // stamp, the moment of the export, tells the later one. A fixed day stamps its midnight,
    // so its export repeats byte for byte.
    icaltimezone* utc = icaltimezone_get_utc_timezone();
    icaltimetype stamp = LocalTime(today, 0);
    stamp = icaltime_set_timezone(&stamp, utc);
    if (const std::optional<int64_t> now = doc.UtcNow())
        stamp = icaltime_from_timet_with_zone(static_cast<time_t>(*now), 0, utc);
    const int sequence = DayNumber(today) - DayNumber({1999, 12, 27});

    IcalCalendar calendar;
    calendar.Add(icalproperty_new_version("2.0"));
    calendar.Add(
        icalproperty_new_prodid((std::string("-//Mivra//Mivra ") + kVersion + "//SV").c_str()));
    calendar.AddX("X-WR-CALNAME",
                  CleanText(doc.Strings().Format(
                      kCalendarName, doc.Congregations().CongregationNameByKey(
                                         doc.Congregations().OurCongregationKey(), false))));
    for (const CalendarEvent& e : events)
        calendar.AddEvent(EventOf(e, stamp, sequence));
    return calendar.Text();
}

Result<int> ExportCalendar(const CMvDoc& doc, int startWeek, int weekCount,
                           const std::filesystem::path& path) {
    const std::vector<CalendarEvent> events = CalendarEvents(doc, startWeek, weekCount);
    const std::string text = CalendarText(doc, events);
    io::AtomicFile file(path);
    if (Status written =
            file.Write(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
        !written.ok())
        return written.error();
    if (Status committed = file.Commit(); !committed.ok())
        return committed.error();
    return static_cast<int>(events.size());
}

bool ExportChosenCalendar(CMvDoc& doc, ui::Host& host) {
    using reports::CSelectWeeksDlg;
    const auto range = CSelectWeeksDlg::Choose(doc, host, CSelectWeeksDlg::Mode::Calendar);
    if (!range)
        return false;
    const ui::FileRequest request{.title = doc.Strings().Get(kSaveTitle),
                                  .folder = doc.DataFilePath(kFileName).parent_path().string(),
                                  .patterns = {"*.ics"},
                                  .filterName = doc.Strings().Get(kFilterName),
                                  .mustExist = false,
                                  .fileName = doc.Strings().Get(kFileName),
                                  .accept = {}};
    const std::optional<std::string> path = host.SaveFile(request);
    if (!path)
        return false;
    if (!ExportCalendar(doc, range->startWeek, range->weekCount, *path).ok()) {
        doc.ReportWriteFailure(*path);
        return false;
    }
    host.ShowMessage({.text = doc.Strings().Format(kSaved, *path),
                      .buttons = ui::Buttons::Ok,
                      .icon = ui::Icon::Information,
                      .secondIsDefault = false,
                      .caption = {}});
    return true;
}

} // namespace mivra::exchange
