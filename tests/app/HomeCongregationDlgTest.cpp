#include "app/CHomeCongregationDlg.h"
#include "rotations/CRoleListDlg.h"
#include "store/CCongregationEditDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CNameListDlg.h"
#include "support/DocFixture.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using app::CHomeCongregationDlg;
using test::BrotherBytes;
using test::CongregationBytes;
using test::SlotFile;
using ui::headless::HeadlessDialog;
using Panel = CHomeCongregationDlg;

class HomeCongregationDlg : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        dir.Write("cong.dat",
                  SlotFile({{1, CongregationBytes{.name = "Alby", .key = 1}.Build()},
                            {2, CongregationBytes{.name = "Berga", .key = 2}.Build()}}));
        // Roles: 0x02 outgoing speaker, 0x04 chairman, 0x10 reader.
        dir.Write(
            "speakers.dat",
            SlotFile({{1,
                       BrotherBytes{
                           .first = "A", .last = "B", .roles = 0x06, .congregation = 2, .key = 1}
                           .Build()},
                      {2,
                       BrotherBytes{
                           .first = "C", .last = "D", .roles = 0x12, .congregation = 2, .key = 2}
                           .Build()}}));
        LoadQuietly();
    }
};

TEST_F(HomeCongregationDlg, WithoutAHomeOnlyTheChoiceIsOffered) {
    Panel panel(*doc);
    HeadlessDialog d(host, panel);
    EXPECT_EQ(d.Title(), "Vår församling");
    EXPECT_EQ(d.Text(Panel::kChoose), "Välj Församling");
    EXPECT_FALSE(d.IsEnabled(Panel::kForm));
    EXPECT_FALSE(d.IsShown(Panel::kReaders));
    EXPECT_FALSE(d.IsShown(Panel::kHosts));
    EXPECT_TRUE(d.IsShown(Panel::kSpeakers));
    d.Ok();
}

TEST_F(HomeCongregationDlg, ChoosingWritesTheProfileAndCountsTheRoles) {
    doc->Settings().MutableOptions().scheduleReaders = true;
    doc->Settings().MutableOptions().scheduleHosts = true;
    doc->Hosts().Add("Anna");
    Panel panel(*doc);
    HeadlessDialog d(host, panel);
    host.OnDialog(CCongregationListDlg::kTemplate, [](HeadlessDialog& p) {
        EXPECT_EQ(p.Selection(CCongregationListDlg::kList), 0);
        p.Select(CCongregationListDlg::kList, "Berga").Ok();
    });
    d.Press(Panel::kChoose);
    EXPECT_EQ(doc->Congregations().OurCongregationKey(), 2);
    EXPECT_NE(dir.ReadText("mivraw.ini").find("Number=2"), std::string::npos) << "at once";
    EXPECT_TRUE(doc->Modified());
    EXPECT_EQ(d.Title(), "Berga");
    EXPECT_EQ(d.Text(Panel::kChoose), "Ändra Församling");
    EXPECT_EQ(d.Text(Panel::kSpeakers), "Talare som reser ut  ( 2 )");
    EXPECT_EQ(d.Text(Panel::kChairmen), "Ordförande  ( 1 )");
    EXPECT_EQ(d.Text(Panel::kReaders), "Högläsare  ( 1 )");
    EXPECT_EQ(d.Text(Panel::kHosts), "Värd  ( 1 )");
    for (int id : {Panel::kSpeakers, Panel::kChairmen, Panel::kReaders, Panel::kExport})
        EXPECT_TRUE(d.IsEnabled(id)) << id;

    // Giving C D the chairman's role shows in the count at once.
    host.OnDialog(rotations::CRoleListDlg::kTemplate, [](HeadlessDialog& r) {
        r.Press(rotations::CRoleListDlg::kToggle);
        r.Toggle(rotations::CRoleListDlg::kEditList, 1).Ok();
    });
    d.Press(Panel::kChairmen);
    EXPECT_EQ(d.Text(Panel::kChairmen), "Ordförande  ( 2 )");

    host.OnDialog(CNameListDlg::kTemplate, [](HeadlessDialog& h) {
        EXPECT_EQ(h.Title(), "Värd");
        h.Press(CNameListDlg::kAdd).SetText(CNameListDlg::kEdit, "Bo").Ok().Cancel();
    });
    d.Press(Panel::kHosts);
    EXPECT_EQ(d.Text(Panel::kHosts), "Värd  ( 2 )");

    host.OnDialog(CCongregationEditDlg::kTemplate, [](HeadlessDialog& f) {
        EXPECT_EQ(f.Text(CCongregationEditDlg::kName), "Berga");
        EXPECT_FALSE(f.IsShown(CCongregationEditDlg::kDelete));
        f.SetText(CCongregationEditDlg::kAddress1, "Storgatan 1").Ok();
    });
    d.Press(Panel::kForm).Ok();
    host.Verify();
    CongregationRecord r;
    doc->Congregations().ReadCongregation(1, r);
    EXPECT_EQ(r.address1, "Storgatan 1");
}

} // namespace
} // namespace mivra
