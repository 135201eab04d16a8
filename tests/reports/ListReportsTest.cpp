#include "reports/FollowUps.h"
#include "reports/GridReports.h"
#include "reports/Letters.h"
#include "reports/ListFixture.h"
#include "reports/Lists.h"
#include "rotations/Rotations.h"
#include "support/Golden.h"
#include "ui/headless/HeadlessPictures.h"
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
        kinds.emplace_back("5", std::make_unique<reports::OutgoingNotice>(d, Today(), 0, nullptr));
        kinds.emplace_back("6", std::make_unique<reports::VisitorLetter>(d, Today(), nullptr));
        kinds.emplace_back("7", reports::ExchangeList(d, kVastra));
        kinds.emplace_back("8", reports::BrotherAssignments(d, kOut));
        kinds.emplace_back("9", reports::VisitorPhones(d, Today(), 6));
        kinds.emplace_back("10", reports::OutgoingTalks(d));
        kinds.emplace_back(
            "11", reports::ReaderRota(d, [&d](int w) { return rotations::ReaderText(d, w); }));
        kinds.emplace_back("12", std::make_unique<reports::WorksheetReport>(d, Today() - 2, 8));
        kinds.emplace_back("13", reports::LocalSpeakers(d));
        kinds.emplace_back("14", reports::Coordinators(d));
        kinds.emplace_back("15", reports::FollowUpList(d, {}));
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

TEST_F(Lists, WeekDatesStandOnTheBandOfTheSettings) {
    WriteRealisticLists();
    doc->Settings().MutableOptions().borderStyle = 2;
    Drawn d = Draw(*reports::VisitorPhones(*doc, Today(), 2));
    int black = 0;
    for (const auto& fill : d.canvases[0]->CallsOf("fill"))
        black += fill.colour == ui::kBlack;
    EXPECT_EQ(black, 2 + 1) << "the heading's band and one per week";
    bool white = false;
    for (const auto& c : d.canvases[0]->CallsOf("textcolour"))
        white |= c.colour == ui::kWhite;
    EXPECT_TRUE(white);
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

/** Counts the maps it decodes. */
struct CountingDecoder : ui::headless::FrameHeaderDecoder {
    std::unique_ptr<ui::Picture> Decode(std::span<const uint8_t> bytes,
                                        ui::Size frame) const override {
        ++decoded;
        return FrameHeaderDecoder::Decode(bytes, frame);
    }
    mutable int decoded = 0;
};

/** The smallest bytes that pass for a JPEG of 40 × 30: start and a frame header. */
test::Bytes TinyJpeg() {
    return {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 30,   0x00, 40,  0x03,
            0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xD9};
}

class Letters : public Lists {
protected:
    /** Hemby's map file and talk coordinator as the test wants them. */
    void SetHome(const std::string& map, uint16_t coordinator) {
        Bytes cong = dir.Read("cong.dat");
        test::PutText(cong, 256 + 198, 28, map);
        test::PutU16(cong, 256 + 186, coordinator);
        dir.Write("cong.dat", cong);
        dir.Write("karta.jpg", TinyJpeg());
        Load();
    }
    static int YOf(const RecordingCanvas& c, const std::string& text) {
        const RecordingCanvas::Call* call = c.FindText(text);
        return call ? call->at.y : -1;
    }
};

TEST_F(Letters, TheBodyPushesTheClosingAndTheMapDownAndTheMapLoadsOnce) {
    WriteRealisticLists();
    SetHome("karta.jpg", kBo);
    fonts[FontRole::Speaker].height = -24; // the body then runs past "Din broder"
    CountingDecoder decoder;
    reports::VisitorLetter letter(*doc, Today(), &decoder);
    Drawn d = Draw(letter);
    Draw(letter);
    EXPECT_EQ(decoder.decoded, 1) << "one load per report, none per repaint";
    const RecordingCanvas& c = *d.canvases[0];
    ASSERT_EQ(c.CallsOf("wrap").size(), 1u);
    const ui::Rect body = c.CallsOf("wrap")[0].box;
    EXPECT_GE(YOf(c, "Din broder") - 24, body.bottom) << "no overprint";
    EXPECT_LT(YOf(c, "Din broder"), YOf(c, "Bo Ek, Föredragssamordnare Hemby församling"));
    ASSERT_EQ(c.CallsOf("picture").size(), 1u);
    const ui::Rect map = c.CallsOf("picture")[0].box;
    EXPECT_EQ(map.bottom, 80 + 940) << "still ending at 9.8 in";
    EXPECT_GT(map.top, 80 + 480) << "moved down with the closing";
    EXPECT_NE(c.FindText("Telefon:"), nullptr);
    EXPECT_NE(c.FindText("Käre Broder Berg,"), nullptr);
}

TEST_F(Letters, MissingPartsAreLeftOutSilently) {
    WriteRealisticLists();
    SetHome("../karta.jpg", kCarl); // a 5-character telephone, a map outside the folder
    CountingDecoder decoder;
    reports::VisitorLetter letter(*doc, Today(), &decoder);
    Drawn d = Draw(letter);
    EXPECT_EQ(d.canvases[0]->FindText("Telefon:"), nullptr);
    EXPECT_NE(d.canvases[0]->FindText("Carl Dahl"), nullptr);
    EXPECT_EQ(decoder.decoded, 0);
    EXPECT_TRUE(d.canvases[0]->CallsOf("picture").empty());

    SetHome("karta.jpg", 0);
    Drawn none = Draw(*std::make_unique<reports::VisitorLetter>(*doc, Today(), &decoder));
    EXPECT_NE(none.canvases[0]->FindText(", Föredragssamordnare Hemby församling"), nullptr);
    EXPECT_TRUE(none.canvases[0]->CallsOf("picture").empty()) << "no sender, no map";
    Drawn empty = Draw(*std::make_unique<reports::VisitorLetter>(*doc, Today() + 2, &decoder));
    EXPECT_TRUE(empty.canvases[0]->Calls().empty()) << "a week without a talk";
    EXPECT_TRUE(host.Messages().empty());

    EXPECT_EQ(reports::PtgTimeSentence("O discurso é às 1h00."), "O discurso é à 1h00.");
    EXPECT_EQ(reports::PtgTimeSentence("O discurso é às 10h00."), "O discurso é às 10h00.");
    EXPECT_EQ(reports::PtgTimeSentence("O discurso é às 1"), "O discurso é à 1");
    EXPECT_EQ(reports::PtgTimeSentence(" às 19"), " às 19") << "not past the tenth character";
}

TEST_F(Letters, TheNoticeMovesToTheDestinationsDayAndNamesIt) {
    WriteRealisticLists();
    reports::OutgoingNotice vastra(*doc, Today(), 0, nullptr), ostra(*doc, Today() + 1, 1, nullptr);
    EXPECT_EQ(vastra.TalkDate(), doc->FormatDate(Today() + 1, 8 | 2, 6)) << "Saturday";
    const std::string there = Draw(vastra).Texts(1), here = Draw(ostra).Texts(1);
    EXPECT_NE(there.find("( Lördag )"), std::string::npos) << there;
    EXPECT_NE(there.find("Föredragssamordnare ( Västra )"), std::string::npos);
    EXPECT_NE(there.find("Anders Berg"), std::string::npos);
    EXPECT_EQ(here.find("|( "), std::string::npos) << "same weekday: no line";
}

} // namespace
} // namespace mivra
