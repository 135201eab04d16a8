#include "exchange/PackageFixture.h"
#include "store/CSelectCongDlg.h"
#include "ui/headless/HeadlessDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using Mode = CSelectCongDlg::Mode;
using ::testing::ElementsAre;
using ui::headless::HeadlessDialog;

constexpr int kList = CSelectCongDlg::kList;
constexpr int kCircuits = CSelectCongDlg::kCircuits;

class SelectCong : public test::PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        WriteFolder();
        // Norr comes to speak in three weeks; Väst only after the 156 weeks.
        dir.Write(
            "history.dat",
            test::Concat(
                {test::WeekBytes{.week = uint16_t(W() + 3), .homeCongregation = 3}.Build(),
                 test::WeekBytes{.week = uint16_t(W() + 4), .outCongregation = {1}}.Build(),
                 test::WeekBytes{.week = uint16_t(W() + 160), .homeCongregation = 2}.Build()}));
        LoadQuietly();
    }
};

TEST_F(SelectCong, AllCongregationsFilteredByCircuit) {
    CSelectCongDlg dialog(*doc, Mode::All);
    HeadlessDialog d(host, dialog);
    EXPECT_THAT(d.Rows(kList), ElementsAre("Alla församlingar", "Hemby", "Norr", "Väst"));
    EXPECT_EQ(d.Selection(kList), 0);
    ASSERT_TRUE(d.IsShown(kCircuits));
    EXPECT_THAT(d.Rows(kCircuits), ElementsAre("Alla kretsar", "Krets 4", "Krets 7"));
    d.Select(kCircuits, 2);
    EXPECT_THAT(d.Rows(kList), ElementsAre("Alla församlingar", "Väst"));
    d.Select(kList, 1).Ok();
    ASSERT_TRUE(dialog.Chosen());
    EXPECT_EQ(dialog.Chosen()->congregationKey, 2);
    EXPECT_EQ(dialog.Chosen()->circuitId, 30002);
}

TEST_F(SelectCong, ScheduledShowsTheVisitorsOfTheNextYearsOnly) {
    CSelectCongDlg dialog(*doc, Mode::Scheduled);
    HeadlessDialog d(host, dialog);
    EXPECT_THAT(d.Rows(kList), ElementsAre("Norr")) << "not home, not past the 156 weeks";
    EXPECT_FALSE(d.IsShown(kCircuits));
    d.Ok();
    EXPECT_EQ(dialog.Chosen()->congregationKey, 3);
}

TEST_F(SelectCong, ExportOffersHomeInViewAndOkWithoutARowIsCancel) {
    test::Bytes many = dir.Read("cong.dat");
    for (uint16_t key = 4; key <= 20; ++key)
        many = test::Concat(
            {many, test::CongregationBytes{.name = "A" + std::to_string(key), .key = key}.Build()});
    dir.Write("cong.dat", many);
    Load();
    CSelectCongDlg dialog(*doc, Mode::Export);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Rows(kList).size(), 20u) << "no \"Alla församlingar\"";
    EXPECT_EQ(d.Rows(kList)[17], "Hemby");
    EXPECT_EQ(d.Selection(kList), 17);
    EXPECT_EQ(d.TopIndex(kList), 7);
    d.Select(kCircuits, 1);
    EXPECT_THAT(d.Rows(kList), ElementsAre("Hemby"));
    d.Select(kCircuits, 2);
    EXPECT_EQ(d.Selection(kList), -1);
    d.Ok();
    EXPECT_EQ(d.EndCode(), ui::kIdCancel);
    EXPECT_FALSE(dialog.Chosen());
}

} // namespace
} // namespace mivra
