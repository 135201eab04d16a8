#include "reports/NeedsReport.h"

#include "support/DocFixture.h"
#include "support/Golden.h"
#include "ui/headless/RecordingCanvas.h"
#include "ui/headless/RecordingPrinting.h"

namespace mivra {
namespace {

using ui::headless::RecordingCanvas;
using ui::headless::RecordingPrinting;

class NeedsReportTest : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        LoadQuietly();
        for (int role = 0; role < kFontRoleCount; ++role)
            fonts.roles[static_cast<size_t>(role)] =
                DefaultFont(static_cast<FontRole>(role), "sve", strings);
        for (int t = 1; t <= 45; ++t)
            needs.listed.Set(t * 4);
        needs.high.Set(8);
        needs.low.Set(12);
        WeekRecord w = doc->Weeks().Week(CurrentWeek() - 11);
        w.homeTalk = 4;
        doc->Weeks().StoreWeek(w, CurrentWeek() - 11);
    }
    ReportFonts fonts;
    NeedsList needs;
};

TEST_F(NeedsReportTest, ThirtyEightRowsAPageWithTheHeadOnEach) {
    const reports::NeedsReport report(*doc, needs, "Tal vi behöver");
    ASSERT_EQ(report.PageCount(), 2);
    // Resolutions that differ per axis show which offsets follow which.
    const reports::Target target{600, 1200, 96, 96, true, false};
    std::string dump;
    for (int page = 1; page <= 2; ++page) {
        RecordingCanvas canvas(600, 1200, true);
        report.DrawPage(canvas, target, fonts, page);
        dump += "page " + std::to_string(page) + "\n" + canvas.Dump();
    }
    test::ExpectGolden(dump, "reports/golden/needs_600x1200.txt");
}

TEST_F(NeedsReportTest, PrintsAtOnceOrOffersAPdfWithoutAPrinter) {
    RecordingPrinting printing;
    printing.printer = {true, "Kontoret", 600, 600};
    reports::PrintNeedsList(*doc, host, printing, fonts, needs, "Tal vi behöver");
    ASSERT_EQ(printing.jobs.size(), 1u);
    EXPECT_EQ(printing.jobs[0].kind, "print now");
    EXPECT_EQ(printing.jobs[0].title, "Tal vi behöver");
    EXPECT_EQ(printing.jobs[0].sheets.size(), 2u);

    printing.printer.present = false;
    reports::PrintNeedsList(*doc, host, printing, fonts, needs, "Tal vi behöver");
    EXPECT_EQ(printing.jobs.size(), 1u) << "no PDF chosen";
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Get(1234)});
    printing.pdfPath = dir.path() / "behov.pdf";
    reports::PrintNeedsList(*doc, host, printing, fonts, needs, "Tal vi behöver");
    ASSERT_EQ(printing.jobs.size(), 2u);
    EXPECT_EQ(printing.jobs[1].kind, "pdf");
    EXPECT_EQ(printing.jobs[1].sheets.size(), 2u);
    TakeMessages();
}

} // namespace
} // namespace mivra
