#include "exchange/Calendar.h"

#include "reports/CSelectWeeksDlg.h"
#include "reports/ScheduleFixture.h"
#include "support/CliRun.h"
#include "ui/headless/HeadlessDialog.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

namespace mivra {
namespace {

using exchange::CalendarEvents;
using exchange::CalendarText;
using exchange::ParseMeetingTime;

bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += n;
    }
    return true;
}

class Calendar : public test::ScheduleTest {
protected:
    std::string Text(int offset, int count) {
        return CalendarText(*doc, CalendarEvents(*doc, Today() + offset, count));
    }
};

TEST_F(Calendar, GoldenFileOfATalkWeekAnOutgoingSlotAnAssemblyAndAnEmptyWeek) {
    WeekBytes w = FullWeek(0);
    w.confirmed = 5;
    SendOut(w, 0, kVastra, 45);
    WeekBytes assembly = Week(2);
    assembly.flags = 0x03;
    SendOut(assembly, 1, kOstra, 7);
    WriteFolder({w, Week(1), assembly}, {Event(2, 0x02, "Kretssammankomst")});
    Load();
    const std::string text = Text(0, 3);
    // The home meeting time is empty in even years: all-day; the empty week gives nothing.
    const char* const golden[] = {
        "BEGIN:VCALENDAR",
        "VERSION:2.0",
        "PRODID:-//Mivra//Mivra 1.0.14//SV",
        "X-WR-CALNAME:Offentliga föredrag - Hemby",
        "BEGIN:VEVENT",
        "UID:1366-home-hemby@mivra",
        "DTSTAMP:20260304T000000Z",
        "SEQUENCE:9564",
        "DTSTART;VALUE=DATE:20260308",
        "DTEND;VALUE=DATE:20260309",
        "SUMMARY:12 Varför ödmjukheten betyder så mycket - Anders Berg",
        "DESCRIPTION:Anders Berg\\nVästra\\n12 Varför ödmjukheten betyder så ",
        " mycket\\nBekräftad",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:1366-out-10-hemby@mivra",
        "DTSTAMP:20260304T000000Z",
        "SEQUENCE:9564",
        "DTSTART:20260307T133000",
        "DTEND:20260307T140000",
        "SUMMARY:Olof Lind till Västra: Tal 45",
        "DESCRIPTION:Tacksamheten i vardagen",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:1368-home-hemby@mivra",
        "DTSTAMP:20260304T000000Z",
        "SEQUENCE:9564",
        "DTSTART;VALUE=DATE:20260322",
        "DTEND;VALUE=DATE:20260323",
        "SUMMARY:Kretssammankomst",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:1368-out-11-hemby@mivra",
        "DTSTAMP:20260304T000000Z",
        "SEQUENCE:9564",
        "DTSTART;VALUE=DATE:20260322",
        "DTEND;VALUE=DATE:20260323",
        "SUMMARY:Per Lind till Östra: Tal 7",
        "DESCRIPTION:Varför förlåtelsen betyder så mycket",
        "END:VEVENT",
        "END:VCALENDAR",
    };
    std::string expected;
    for (const char* line : golden)
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(text, expected);
}

TEST_F(Calendar, FoldsWithinSequencesEscapesTextAndParsesBack) {
    WeekBytes other = Week(0), visit = Week(1);
    other.flags = 0x09;
    visit.flags = 0x05;
    const std::string long1(100 * 2, 'x'), oes = [] {
        std::string s;
        for (int i = 0; i < 40; ++i)
            s += "åäö";
        return s;
    }();
    WriteFolder({other, visit}, {Event(0, 0x08, "Städ", "Rad ett\nrad två; a,b\\c\x01" + oes),
                                 Event(1, 0x04, "x" + oes)});
    Load();
    const std::vector<exchange::CalendarEvent> events = CalendarEvents(*doc, Today(), 2);
    const std::string text = CalendarText(*doc, events);
    ASSERT_TRUE(text.ends_with("END:VCALENDAR\r\n"));
    std::string unfolded;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "every line ends in CRLF";
        const std::string_view line(text.data() + at, end - at);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_TRUE(ValidUtf8(line)) << "no fold splits a character: " << line;
        EXPECT_EQ(line.find('\n'), std::string_view::npos);
        unfolded += line.starts_with(' ') ? std::string(line.substr(1)) : "\n" + std::string(line);
        at = end + 2;
    }
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(events[0].summary.starts_with("Rad ett\nrad två; a,b\\cåäö"))
        << "the control character dropped: " << events[0].summary;
    std::string escaped;
    for (char c : events[0].summary)
        escaped += c == '\n' ? std::string("\\n")
                             : std::string(c == ';' || c == ',' || c == '\\' ? "\\" : "") + c;
    for (const std::string& summary : {escaped, events[1].summary})
        EXPECT_NE(unfolded.find("\nSUMMARY:" + summary + "\n"), std::string::npos)
            << "unfolding restores " << summary << " in\n"
            << unfolded;

    icalcomponent* parsed = icalparser_parse_string(text.c_str());
    ASSERT_NE(parsed, nullptr);
    size_t n = 0;
    for (icalcomponent* e = icalcomponent_get_first_component(parsed, ICAL_VEVENT_COMPONENT);
         e != nullptr; e = icalcomponent_get_next_component(parsed, ICAL_VEVENT_COMPONENT), ++n) {
        ASSERT_LT(n, events.size());
        EXPECT_EQ(icalcomponent_get_uid(e), events[n].uid);
        EXPECT_EQ(icalcomponent_get_summary(e), events[n].summary);
    }
    EXPECT_EQ(n, 2u);
    icalcomponent_free(parsed);
}

TEST_F(Calendar, UidsStayWhenTheSpeakerChangesOrTheWeekTurnsAssembly) {
    WeekBytes w = FullWeek(0);
    SendOut(w, 0);
    WriteFolder({w});
    Load();
    const auto before = CalendarEvents(*doc, Today(), 1);
    ASSERT_EQ(before.size(), 2u);
    const std::string n = std::to_string(Today() + 1);
    EXPECT_EQ(before[0].uid, n + "-home-hemby@mivra");
    EXPECT_EQ(before[1].uid, n + "-out-" + std::to_string(kOut) + "-hemby@mivra");

    w.homeSpeaker = kBo;
    w.flags = 0x03;
    WriteFolder({w}, {Event(0, 0x02, "Kretssammankomst")});
    Load();
    const auto after = CalendarEvents(*doc, Today(), 1);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].uid, before[0].uid);
    EXPECT_EQ(after[0].summary, "Kretssammankomst");
    EXPECT_FALSE(after[0].startMinutes) << "an assembly is all day";
    EXPECT_EQ(after[1].uid, before[1].uid);
}

// Two exports on one day: the later one must carry the later stamp, or a calendar keeping
// the newest version by sequence and stamp would ignore it.
TEST_F(Calendar, TheSystemClockStampsTheMomentOfTheExport) {
    struct Moment final : Clock {
        CivilDate Today() const override { return kToday; }
        std::optional<int64_t> UtcNow() const override { return 1772633109; }
    } moment;
    WriteFolder({FullWeek(0)});
    CMvDoc stamped(strings, host, moment, dir.path());
    ASSERT_TRUE(stamped.LoadStore());
    const std::string text =
        CalendarText(stamped, CalendarEvents(stamped, stamped.CurrentWeek() - 1, 1));
    EXPECT_NE(text.find("\r\nDTSTAMP:20260304T140509Z\r\n"), std::string::npos) << text;
}

TEST_F(Calendar, TheCommandAsksWeeksThenWhereAndTellsWhatItWrote) {
    using reports::CSelectWeeksDlg;
    WriteFolder({FullWeek(0)});
    Load();
    auto chooseTwoWeeks = [](ui::headless::HeadlessDialog& d) {
        EXPECT_FALSE(d.IsShown(CSelectWeeksDlg::kExport));
        d.Select(CSelectWeeksDlg::kCountList, 1).Ok();
    };
    host.OnDialog(CSelectWeeksDlg::kTemplate, chooseTwoWeeks);
    host.OnOpenFile([](const ui::FileRequest&) { return std::nullopt; });
    EXPECT_FALSE(exchange::ExportChosenCalendar(*doc, host));
    EXPECT_TRUE(TakeMessages().empty()) << "a cancelled save writes nothing";
    const ui::FileRequest& asked = host.FileRequests().back();
    EXPECT_EQ(asked.title, "Spara kalender");
    EXPECT_EQ(asked.fileName, "schema.ics");
    EXPECT_EQ(asked.folder, dir.path().string());
    EXPECT_FALSE(asked.mustExist);
    EXPECT_FALSE(std::filesystem::exists(Path("schema.ics")));

    host.OnDialog(CSelectWeeksDlg::kTemplate, chooseTwoWeeks);
    host.ChooseFile({Path("schema.ics")});
    EXPECT_TRUE(exchange::ExportChosenCalendar(*doc, host));
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{"Kalendern har sparats i\n\n" + Path("schema.ics")});
    EXPECT_TRUE(dir.ReadText("schema.ics").starts_with("BEGIN:VCALENDAR"));

    const std::string blocked = (dir.path() / "none" / "x.ics").string();
    host.OnDialog(CSelectWeeksDlg::kTemplate, chooseTwoWeeks);
    host.OnOpenFile([&](const ui::FileRequest&) { return std::optional<std::string>(blocked); });
    EXPECT_FALSE(exchange::ExportChosenCalendar(*doc, host));
    const std::vector<std::string> failed = TakeMessages();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_NE(failed[0].find(blocked), std::string::npos) << failed[0];
}

TEST(MeetingTime, ReadsHoursAndMinutesMaybeAfterKl) {
    EXPECT_EQ(ParseMeetingTime("10:00"), 600);
    EXPECT_EQ(ParseMeetingTime("kl 10.30"), 630);
    EXPECT_EQ(ParseMeetingTime(" 9:05 "), 545);
    for (const char* allDay : {"10", "efter mötet", "", "24:00", "10:7", "kl", "1:000"})
        EXPECT_FALSE(ParseMeetingTime(allDay)) << allDay;
}

TEST_F(Calendar, CommandLinePrintsCountAndPathAndExitsOnBadArguments) {
    WeekBytes w = FullWeek(0);
    SendOut(w, 0);
    WriteFolder({w});
    const std::string file = (dir.path() / "schema.ics").string();
    test::CliOutcome o =
        test::RunCli(dir.path(), "export-ics --from 2026-03-04 --weeks 2 --out " + file);
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, "2\t" + file + "\n");
    EXPECT_TRUE(dir.ReadText("schema.ics").starts_with("BEGIN:VCALENDAR\r\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "mivra.lck")) << "read-only";

    for (const char* bad : {"--weeks 53 --out x.ics", "--weeks 0 --out x.ics", "--weeks 2",
                            "--weeks 2 --out x.ics --pdf y"})
        EXPECT_EQ(
            test::RunCli(dir.path(), std::string("export-ics --from 2026-03-04 ") + bad).exitCode,
            2)
            << bad;
    o = test::RunCli(dir.path(), "export-ics --from 2026-03-04 --weeks 2 --out " +
                                     (dir.path() / "no" / "x.ics").string());
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.err.find("no/x.ics"), std::string::npos) << o.err;
    EXPECT_EQ(
        test::RunCli(dir.path() / "none", "export-ics --from 2026-03-04 --weeks 2 --out " + file)
            .exitCode,
        1);
}

} // namespace
} // namespace mivra
