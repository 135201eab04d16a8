#include "exchange/TsvExport.h"

#include "base/FileIo.h"
#include "base/Text.h"
#include "reports/ScheduleFixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace mivra {
namespace {

using exchange::ExportSchedule;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.push_back("");
    return parts;
}

class TsvExport : public test::ScheduleTest {
protected:
    /** The week lines of the written file, each split into its columns (UTF-8). */
    std::vector<std::vector<std::string>> Export(int offset, int count) {
        EXPECT_TRUE(ExportSchedule(*doc, host, Today() + offset, count));
        EXPECT_EQ(TakeMessages().size(), 1u);
        std::string text = text::FromCodePage(dir.ReadText("ptsched.txt"), 1252);
        std::vector<std::string> lines = Split(text, '\n');
        std::vector<std::vector<std::string>> rows;
        for (size_t i = 2; i + 1 < lines.size(); ++i)
            rows.push_back(Split(lines[i], '\t'));
        return rows;
    }
};

TEST_F(TsvExport, HeaderEmptyLineAndThirtyThreeColumnsOnEveryLine) {
    WeekBytes w = FullWeek(0);
    SendOut(w, 0);
    WriteFolder({w});
    Load();
    ASSERT_TRUE(ExportSchedule(*doc, host, Today(), 3));
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Schemat har exporterats till en tabavgränsad fil med namnet\n\n" +
                               Path("ptsched.txt") + ".");
    const std::string text = dir.ReadText("ptsched.txt");
    EXPECT_EQ(text.find('\r'), std::string::npos) << "line ends are \\n";
    std::vector<std::string> lines = Split(text, '\n');
    ASSERT_EQ(lines.size(), 6u) << "header, empty line, three weeks, nothing after the last end";
    EXPECT_EQ(lines[0].substr(0, 17), "Week\tInTalkTitle\t");
    EXPECT_EQ(lines[0].substr(lines[0].size() - 15), "OutTalk6\tInTalk");
    EXPECT_EQ(lines[1], "");
    for (size_t i : {0u, 2u, 3u, 4u})
        EXPECT_EQ(Split(lines[i], '\t').size(), 33u) << lines[i];
    EXPECT_EQ(lines[5], "");
    EXPECT_NE(lines[3].find(std::string(24, '\t')), std::string::npos)
        << "a week without outgoing speakers has 24 empty outgoing columns";
}

TEST_F(TsvExport, AnOrdinaryWeekFillsItsColumns) {
    WeekBytes w = FullWeek(0);
    SendOut(w, 1, kVastra, 45); // the second slot: columns 13 … 16
    WriteFolder({w});
    Load();
    std::vector<std::vector<std::string>> rows = Export(0, 1);
    ASSERT_EQ(rows.size(), 1u);
    const std::vector<std::string>& c = rows[0];
    ASSERT_EQ(c.size(), 33u);
    EXPECT_EQ(c[0], doc->FormatDate(Today() + 1, 10)) << "as on the printed date line";
    EXPECT_EQ(c[1], doc->Talks().Talk(11)->title);
    EXPECT_EQ(c[2], "Anders Berg");
    EXPECT_EQ(c[3], "08-123 45 67");
    EXPECT_EQ(c[4], "Västra");
    EXPECT_EQ(c[5], "Bo Ek");
    EXPECT_EQ(c[6], "Carl Dahl") << "whatever the reader settings";
    EXPECT_EQ(c[7], "Familjen Holm");
    for (int i = 8; i < 12; ++i)
        EXPECT_EQ(c[static_cast<size_t>(i)], "") << "slot 1 is empty";
    EXPECT_EQ(c[12], "Per Lind");
    EXPECT_EQ(c[13], "Västra");
    EXPECT_EQ(c[14], "13:30") << "the even-year time in 2026";
    EXPECT_EQ(c[15], "45");
    EXPECT_EQ(c[32], "12");
    EXPECT_EQ(dir.ReadText("ptsched.txt").find("V\xe4stra") != std::string::npos, true)
        << "Windows-1252 on disk";
}

TEST_F(TsvExport, SpecialWeeksTakeTheEventTexts) {
    WeekBytes assembly = Week(0), visit = Week(1), bare = Week(2), other = Week(3);
    assembly.flags = 0x03;
    visit.flags = 0x35;
    bare.flags = 0x05;
    other.flags = 0x09;
    WriteFolder({assembly, visit, bare, other},
                {Event(0, 0x02, "Kretssammankomst", "Tema"), Event(1, 0x34, "Olle Berg", "Vaka")});
    Load();
    std::vector<std::vector<std::string>> rows = Export(0, 4);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][1], "Kretssammankomst");
    EXPECT_EQ(rows[0][2], "") << "an assembly's speaker, normally none";
    EXPECT_EQ(rows[1][1], "Vaka");
    EXPECT_EQ(rows[1][2], "Olle Berg");
    EXPECT_EQ(rows[2][1], "KT-besök") << "a visit without an event";
    EXPECT_EQ(rows[2][2], "KT-besök");
    EXPECT_EQ(rows[3][1], "Särskild händelse");
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 33u);
}

TEST_F(TsvExport, TabsAndLineBreaksInsideFieldsBecomeBlanks) {
    WeekBytes w = FullWeek(0);
    w.flags = 0x09;
    WriteFolder({w}, {Event(0, 0x08, "Städ\tdag", "Rad ett\r\nrad två")});
    dir.Write("hospital.dat", test::HostBytes("Familjen\tHolm", kHost));
    Load();
    std::vector<std::vector<std::string>> rows = Export(0, 1);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 33u);
    EXPECT_EQ(rows[0][1], "Rad ett  rad två");
    EXPECT_EQ(rows[0][7], "Familjen Holm");
}

TEST_F(TsvExport, WeeksPastTheWindowAreEmptyWeeks) {
    WriteFolder({});
    Load();
    const int beyond = doc->Weeks().BaseWeek() + 1000 - Today();
    std::vector<std::vector<std::string>> rows = Export(beyond - 1, 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], doc->FormatDate(doc->Weeks().BaseWeek() + 1001, 10));
    EXPECT_EQ(rows[1].size(), 33u);
    EXPECT_TRUE(std::all_of(rows[1].begin() + 1, rows[1].end(),
                            [](const std::string& s) { return s.empty(); }));
}

TEST_F(TsvExport, AFailedWriteKeepsTheOldFileAndSaysSo) {
    WriteFolder({FullWeek(0)});
    Load();
    dir.WriteText("ptsched.txt", "earlier export\n");
    for (io::Step step : {io::Step::Create, io::Step::Write, io::Step::Rename}) {
        io::SetFaultHook([step](io::Step s, const std::filesystem::path&) { return s == step; });
        EXPECT_FALSE(ExportSchedule(*doc, host, Today(), 4));
        std::vector<std::string> messages = TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("Kunde inte skapa ny fil: " + Path("ptsched.txt")),
                  std::string::npos)
            << messages[0];
        EXPECT_EQ(dir.ReadText("ptsched.txt"), "earlier export\n");
    }
    io::SetFaultHook(nullptr);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find("ptsched.txt."), std::string::npos)
            << "a temporary file was left: " << entry.path();
    EXPECT_FALSE(ExportSchedule(*doc, host, Today(), 0)) << "a count of 0 does nothing";
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(dir.ReadText("ptsched.txt"), "earlier export\n");
}

} // namespace
} // namespace mivra
