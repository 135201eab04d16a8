#include "app/CSettingsDlg.h"
#include "support/DocFixture.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using app::CSettingsDlg;
using ui::headless::HeadlessDialog;

class SettingsDlg : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        Load();
    }
    DocOptions& Options() { return doc->Settings().MutableOptions(); }
};

TEST_F(SettingsDlg, StyleStepsAndWrapsColourOnlyForStyleFour) {
    Options().borderStyle = 3;
    CSettingsDlg dialog(*doc);
    host.PickColour(ui::Rgb(255, 0, 0));
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Text(CSettingsDlg::kBorderStyle), "Skriv ut rubriker och datum med vita lister");
    EXPECT_FALSE(d.IsShown(CSettingsDlg::kBorderColour));
    d.Press(CSettingsDlg::kBorderStyle);
    EXPECT_EQ(d.Text(CSettingsDlg::kBorderStyle), "Skriv ut rubriker och datum med färgade lister");
    d.Press(CSettingsDlg::kBorderColour).Press(CSettingsDlg::kBorderStyle);
    EXPECT_EQ(d.Text(CSettingsDlg::kBorderStyle), "Skriv ut rubriker och datum med inga lister");
    EXPECT_FALSE(d.IsShown(CSettingsDlg::kBorderColour));
    d.Ok();
    EXPECT_EQ(Options().borderStyle, 0);
    EXPECT_EQ(Options().borderColour, ui::Rgb(255, 0, 0)) << "kept, though not used";
    EXPECT_TRUE(dialog.Changed());
    EXPECT_TRUE(doc->Modified());
}

TEST_F(SettingsDlg, MarginListsTakeTypedDigitsAndWrapOnArrows) {
    Options().topMargin = 150;
    Options().leftMargin = 100;
    CSettingsDlg dialog(*doc);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.TopIndex(CSettingsDlg::kTopMargin), 50) << "above one inch reads as 50";
    EXPECT_EQ(d.TopIndex(CSettingsDlg::kLeftMargin), 99);
    EXPECT_EQ(d.Selection(CSettingsDlg::kTopMargin), -1);
    EXPECT_EQ(d.Rows(CSettingsDlg::kTopMargin)[7], "07");

    d.Focus(CSettingsDlg::kTopMargin);
    EXPECT_EQ(d.Selection(CSettingsDlg::kTopMargin), 50);
    d.Type(CSettingsDlg::kTopMargin, "75");
    EXPECT_EQ(d.Selection(CSettingsDlg::kTopMargin), 75);
    d.Type(CSettingsDlg::kTopMargin, "99");
    EXPECT_EQ(d.Selection(CSettingsDlg::kTopMargin), 99) << "after two digits a new number";
    d.Arrow(CSettingsDlg::kTopMargin, 1);
    EXPECT_EQ(d.Selection(CSettingsDlg::kTopMargin), 0);
    d.Arrow(CSettingsDlg::kTopMargin, -1).Arrow(CSettingsDlg::kTopMargin, -1);
    EXPECT_EQ(d.Selection(CSettingsDlg::kTopMargin), 98);
    d.Focus(CSettingsDlg::kLeftMargin);
    EXPECT_EQ(d.Selection(CSettingsDlg::kTopMargin), -1);
    EXPECT_EQ(d.TopIndex(CSettingsDlg::kTopMargin), 98);
    d.Type(CSettingsDlg::kLeftMargin, "7").Focus(CSettingsDlg::kHeading).Ok();
    EXPECT_EQ(Options().topMargin, 98);
    EXPECT_EQ(Options().leftMargin, 7);
}

TEST_F(SettingsDlg, CancelStillWritesTheProfileAndChangesNothing) {
    ASSERT_FALSE(std::filesystem::exists(dir / "mivraw.ini"));
    Options().heading = "Rad ett\r\nrad två";
    CSettingsDlg dialog(*doc);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Text(CSettingsDlg::kHeading), "Rad ettrad två");
    EXPECT_FALSE(d.IsShown(CSettingsDlg::kAutoCaps)) << "\"sve\"";
    EXPECT_FALSE(d.IsShown(CSettingsDlg::kLetters));
    d.Press(CSettingsDlg::kAlternativeDate).Cancel();
    EXPECT_FALSE(Options().alternativeDateFormat);
    EXPECT_FALSE(dialog.Changed());
    EXPECT_TRUE(std::filesystem::exists(dir / "mivraw.ini"));
}

TEST_F(SettingsDlg, OkWritesEveryOptionAndTheHeadingAsOneLine) {
    Options().autoCaps = false;
    Options().heading = "Program\nför " + std::string(300, 'x');
    CSettingsDlg dialog(*doc);
    HeadlessDialog d(host, dialog);
    EXPECT_FALSE(d.IsShown(CSettingsDlg::kIncludeReaders));
    d.Press(CSettingsDlg::kScheduleReaders);
    EXPECT_TRUE(d.IsShown(CSettingsDlg::kIncludeReaders));
    d.Press(CSettingsDlg::kIncludeReaders)
        .Press(CSettingsDlg::kServiceYear)
        .Press(CSettingsDlg::kDateStamps)
        .Ok();
    EXPECT_TRUE(Options().scheduleReaders);
    EXPECT_TRUE(Options().includeReaders);
    EXPECT_TRUE(Options().serviceYear);
    EXPECT_TRUE(Options().printDateStamps);
    EXPECT_FALSE(Options().autoCaps) << "hidden for \"sve\": the stored value stays";
    EXPECT_EQ(Options().heading, "Programför " + std::string(244, 'x')) << "255 characters";

    CMvDoc fresh(strings, host, clock, dir.path());
    ASSERT_TRUE(fresh.LoadStore());
    EXPECT_TRUE(fresh.Settings().Options().serviceYear);
    EXPECT_EQ(fresh.Settings().Options().heading, Options().heading);
}

} // namespace
} // namespace mivra
