#include "reports/GridReports.h"
#include "reports/ListFixture.h"
#include "reports/Lists.h"
#include "rotations/Rotations.h"
#include "support/Golden.h"
#include "ui/headless/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <memory>

namespace mivra {
namespace {

using reports::Report;
using reports::ReportGeometry;
using reports::Target;
using ui::headless::RecordingCanvas;

const Target kPrinter{300, 300, 96, 96, true};

/** A report laid out and drawn page by page on one recording canvas per page. */
struct Drawn {
    int pages = 0;
    std::vector<std::unique_ptr<RecordingCanvas>> canvases; ///< page 1 … pages, then one more

    std::string Texts(int page) const {
        std::string all;
        for (const auto& c : canvases[static_cast<size_t>(page - 1)]->CallsOf("text"))
            all += c.text + "|";
        return all;
    }
};

class Lists : public test::ListTest {
protected:
    Drawn Draw(Report& report, Target target = {}) {
        const ReportGeometry g(target, doc->Settings().Options().topMargin,
                               doc->Settings().Options().leftMargin);
        RecordingCanvas layout(target.dpiX, target.dpiY, target.printer);
        Drawn d;
        d.pages = report.Layout({layout, g, fonts});
        for (int page = 1; page <= d.pages + 1; ++page) {
            d.canvases.push_back(
                std::make_unique<RecordingCanvas>(target.dpiX, target.dpiY, target.printer));
            report.DrawPage({*d.canvases.back(), g, fonts}, page);
            // Nothing a page draws may fall outside its 11 inches.
            for (const auto& c : d.canvases.back()->CallsOf("text")) {
                EXPECT_GE(c.at.y, g.PageTop(page)) << c.text;
                EXPECT_LT(c.at.y, g.PageTop(page) + g.Y(21, 2) + g.Y(1, 4)) << c.text;
            }
        }
        EXPECT_TRUE(d.canvases.back()->Calls().empty()) << "a page past the count draws nothing";
        return d;
    }
    /** Every kind built without a dialog, on the fixture. */
    std::vector<std::pair<std::string, std::unique_ptr<Report>>> AllKinds() {
        std::vector<std::pair<std::string, std::unique_ptr<Report>>> kinds;
        const CMvDoc& d = *doc;
        kinds.emplace_back("2", reports::SpeakersWithTalks(d, 0, 0));
        kinds.emplace_back("3", reports::TalksWithSpeakers(d));
        kinds.emplace_back("4", std::make_unique<reports::RecentYearsReport>(d));
        kinds.emplace_back("7", reports::ExchangeList(d, kVastra));
        kinds.emplace_back("8", reports::BrotherAssignments(d, kOut));
        kinds.emplace_back("9", reports::VisitorPhones(d, Today(), 6));
        kinds.emplace_back("10", reports::OutgoingTalks(d));
        kinds.emplace_back(
            "11", reports::ReaderRota(d, [&d](int w) { return rotations::ReaderText(d, w); }));
        kinds.emplace_back("12", std::make_unique<reports::WorksheetReport>(d, Today() - 2, 8));
        kinds.emplace_back("13", reports::LocalSpeakers(d));
        kinds.emplace_back("14", reports::Coordinators(d));
        return kinds;
    }
    void WriteRealisticLists() {
        WeekBytes past = FullWeek(-2, 57), a = FullWeek(0), b = FullWeek(1, 102),
                  assembly = Week(3);
        a.confirmed = 1;
        b.asked = 1;
        SendOut(a, 0, kVastra, 45);
        SendOut(b, 1, kOstra, 3);
        assembly.flags = 0x03;
        WriteLists({past, a, b, assembly, FullWeek(60, 12)}, {Event(3, 0x02, "Kretssammankomst")});
    }

    ReportFonts fonts = DefaultFonts();
};

TEST_F(Lists, GoldenPagesOfEveryKindOnScreenAndPaper) {
    WriteRealisticLists();
    for (const auto& [name, target] : {std::pair{std::string("screen"), Target{}},
                                       std::pair{std::string("printer"), kPrinter}}) {
        std::string dump;
        for (auto& [kind, report] : AllKinds()) {
            Drawn d = Draw(*report, target);
            dump += "== kind " + kind + ", " + std::to_string(d.pages) + " pages\n" +
                    d.canvases.front()->Dump();
        }
        test::ExpectGolden(dump, "reports/golden/lists_" + name + ".txt");
    }
}

TEST_F(Lists, SpeakerListsFilterAndTitle) {
    WriteRealisticLists();
    auto all = reports::SpeakersWithTalks(*doc, 0, 0);
    Drawn d = Draw(*all);
    EXPECT_EQ(all->Title(), "Talare");
    const std::string texts = d.Texts(1);
    EXPECT_NE(texts.find("Anders Berg"), std::string::npos);
    EXPECT_NE(texts.find("Bo Ek"), std::string::npos) << "sent out";
    EXPECT_EQ(texts.find("Carl Dahl"), std::string::npos) << "a home brother not sent out";
    EXPECT_EQ(texts.find("Dan Ås"), std::string::npos) << "suspended";
    EXPECT_EQ(reports::SpeakersWithTalks(*doc, 0, kCircuit)->Title(), "Talare - Krets Nord");
    const std::string local = Draw(*reports::LocalSpeakers(*doc)).Texts(1);
    EXPECT_NE(local.find("Carl Dahl"), std::string::npos) << "kind 13 lists him";
    EXPECT_EQ(local.find("Anders Berg"), std::string::npos);
}

TEST_F(Lists, ReaderRotaPairsItsColumnsAndGoesOnToAPageTwo) {
    WriteLists({});
    auto text = [this](int w) { return rotations::ReaderText(*doc, w); };
    Drawn none = Draw(*reports::ReaderRota(*doc, text));
    EXPECT_EQ(none.pages, 1);
    EXPECT_EQ(none.canvases[0]->CallsOf("text").size(), 2u) << "heading and today's date";

    std::vector<WeekBytes> weeks;
    for (int i = 0; i < 40; ++i) {
        WeekBytes w = Week(i);
        w.reader = kCarl;
        weeks.push_back(w);
    }
    WriteFolder({});
    Bytes history;
    for (const WeekBytes& w : weeks) {
        Bytes b = w.Build();
        history.insert(history.end(), b.begin(), b.end());
    }
    dir.Write("history.dat", history);
    Load();
    EXPECT_EQ(reports::RotaWeekCount(*doc), 36);
    auto rota = reports::ReaderRota(*doc, text);
    Drawn two = Draw(*rota);
    EXPECT_EQ(two.pages, 2) << "19 lines do not fit 11 inches";
    EXPECT_EQ(rota->LinesPerPage()[0] + rota->LinesPerPage()[1], 19);
    // Line 18 (the last) pairs week W + 18 with W + 37.
    const std::string last = two.Texts(2);
    EXPECT_NE(last.find(doc->FormatDate(Today() + 18 + 1, 26)), std::string::npos);
    EXPECT_NE(last.find(doc->FormatDate(Today() + 37 + 1, 26)), std::string::npos);
}

TEST_F(Lists, RecentYearsMarksRepeatsAndPlannedWeeksAndSplitsLongTitles) {
    WriteLists({FullWeek(-14, 12), FullWeek(-12, 12), FullWeek(4, 7)});
    reports::RecentYearsReport report(*doc);
    Drawn d = Draw(report);
    EXPECT_EQ(report.EndWeek(), Today() + 4);
    EXPECT_EQ(report.EndYear(), 2026);
    const auto& twelve = report.CellsOf(12)[4];
    EXPECT_EQ(twelve.week, Today() - 12) << "the later of the two weeks of 2025";
    EXPECT_TRUE(twelve.repeated);
    EXPECT_EQ(d.pages, (report.TalkCount() + 35) / 36) << "no empty page after a full one";
    bool red = false;
    for (const auto& c : d.canvases[0]->CallsOf("textcolour"))
        red |= c.colour == ui::Rgb(255, 0, 0);
    EXPECT_TRUE(red) << "the planned week";

    const std::string blank(40, 'a'), solid(60, 'b');
    EXPECT_EQ(reports::RecentYearsReport::SplitTitle(blank + " " + std::string(20, 'c')).first,
              blank);
    const auto [head, rest] = reports::RecentYearsReport::SplitTitle(solid);
    EXPECT_EQ(head.size(), 55u) << "no blank: cut at 55";
    EXPECT_EQ(rest.size(), 5u);
}

TEST_F(Lists, WorksheetRowsRemarksAndPages) {
    WeekBytes past = FullWeek(-1), now = FullWeek(0), asked = FullWeek(1);
    now.confirmed = 1;
    asked.asked = 1;
    WriteLists({past, now, asked});
    reports::WorksheetReport sheet(*doc, Today() - 1, 37);
    EXPECT_EQ(Draw(sheet).pages, 2);
    EXPECT_EQ(sheet.Row(Today() - 1)[5], "Kommer med bil och f") << "cut to 20";
    EXPECT_EQ(sheet.Row(Today())[5], "Bekräftad");
    EXPECT_EQ(sheet.Row(Today() + 1)[5], "Tillfrågad");
    EXPECT_EQ(sheet.Row(Today() + 1)[4], "08-123 45 67");

    WriteLists({past});
    Bytes extra = dir.Read("xtend.dat");
    test::PutText(extra, 82, 46, "!privat");
    dir.Write("xtend.dat", extra);
    Load();
    EXPECT_EQ(reports::WorksheetReport(*doc, Today() - 1, 1).Row(Today() - 1)[5], "");
}

TEST_F(Lists, KeysThatNameNothingPrintNothing) {
    WeekBytes w = Week(1);
    w.homeSpeaker = 999;
    w.homeTalk = 300;
    w.homeCongregation = 77;
    WeekBytes out = Week(2);
    out.outSpeaker[0] = kOut;
    out.outTalk[0] = 0;
    WriteLists({w, out});
    const std::string phones = Draw(*reports::VisitorPhones(*doc, Today(), 4)).Texts(1);
    EXPECT_EQ(phones.find("|Tal|"), std::string::npos) << phones;
    const std::string outgoing = Draw(*reports::OutgoingTalks(*doc)).Texts(1);
    EXPECT_NE(outgoing.find("Olof Lind"), std::string::npos);
    EXPECT_EQ(outgoing.find("|Tal|"), std::string::npos) << outgoing;
}

} // namespace
} // namespace mivra
