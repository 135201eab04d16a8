#include "base/Text.h"
#include "store/CNameListDlg.h"
#include "support/DocFixture.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using ui::headless::HeadlessDialog;
using Dlg = CNameListDlg;
using Kind = CNameListDlg::Kind;

class NameListDialogs : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        LoadQuietly();
    }
};

TEST_F(NameListDialogs, CircuitsAddRenameInPlaceAndDeleteByClearing) {
    const uint16_t north = doc->Circuits().At(doc->Circuits().Add("Norr"))->key;
    doc->Circuits().Add("Syd");
    CongregationRecord c;
    c.name = "Berga";
    c.circuitId = north;
    const int berga = doc->Congregations().AddCongregation(c);

    Dlg dialog(*doc, Kind::Circuits);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Title(), "Kretsar");
    EXPECT_FALSE(d.IsShown(Dlg::kEdit));
    EXPECT_FALSE(d.IsShown(ui::kIdOk));
    d.Press(Dlg::kAdd).SetText(Dlg::kEdit, std::string(40, 'x'));
    EXPECT_EQ(d.Text(Dlg::kEdit).size(), 28u);
    d.SetText(Dlg::kEdit, "  Väst ").Ok();
    EXPECT_EQ(d.Rows(Dlg::kList), (std::vector<std::string>{"Norr", "Syd", "Väst"}));
    EXPECT_FALSE(d.IsShown(Dlg::kEdit));

    d.Select(Dlg::kList, "Norr");
    EXPECT_EQ(d.Text(Dlg::kEdit), "Norr");
    EXPECT_FALSE(d.IsShown(Dlg::kAdd));
    d.SetText(Dlg::kEdit, "syd").Ok();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Syd är ett upprepat namn.\n\n"});
    EXPECT_EQ(d.Text(Dlg::kEdit), "syd") << "refused: the field stays for a correction";
    d.SetText(Dlg::kEdit, "Öst").Ok();
    EXPECT_EQ(d.Rows(Dlg::kList), (std::vector<std::string>{"Syd", "Väst", "Öst"}));
    EXPECT_EQ(doc->Circuits().IdByName("Öst"), north) << "renamed in place";

    d.Select(Dlg::kList, "Öst").SetText(Dlg::kEdit, " ").Ok();
    EXPECT_TRUE(host.Messages().empty()) << "no question";
    EXPECT_EQ(d.Rows(Dlg::kList), (std::vector<std::string>{"Syd", "Väst"}));
    d.Cancel();
    EXPECT_TRUE(dialog.Changed());
    EXPECT_TRUE(doc->Modified());
    EXPECT_EQ(doc->Congregations().Congregation(berga)->circuitId, 0);
    Load();
    EXPECT_EQ(doc->Circuits().Count(), 2);
}

TEST_F(NameListDialogs, HostsHideTheTildeInTheListOnlyAndTheLastDeleteEmptiesTheFile) {
    doc->Hosts().Add("~Anna");
    Dlg dialog(*doc, Kind::Hosts);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Title(), "Värd");
    EXPECT_EQ(d.Text(Dlg::kAdd), "Lägg till värd");
    EXPECT_EQ(d.Rows(Dlg::kList), std::vector<std::string>{"Anna"});
    d.Press(Dlg::kAdd).SetText(Dlg::kEdit, "anna").Ok();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"~Anna är ett upprepat namn.\n\n"});
    d.Cancel();

    Dlg again(*doc, Kind::Hosts);
    HeadlessDialog e(host, again);
    e.Select(Dlg::kList, 0);
    EXPECT_EQ(e.Text(Dlg::kEdit), "~Anna");
    e.SetText(Dlg::kEdit, "").Ok();
    EXPECT_TRUE(e.Rows(Dlg::kList).empty());
    e.Cancel();
    EXPECT_TRUE(dir.Read("hospital.dat").empty()) << "the deleted host stays deleted";
}

TEST_F(NameListDialogs, SelectionModeReturnsTheKeyOrNothing) {
    const uint16_t anna = doc->Hosts().At(doc->Hosts().Add("Anna"))->key;
    const uint16_t bo = doc->Hosts().At(doc->Hosts().Add("~Bo"))->key;
    Dlg picker(*doc, Kind::Hosts, true, bo);
    HeadlessDialog d(host, picker);
    EXPECT_EQ(d.Rows(Dlg::kList), (std::vector<std::string>{"Bo", "Anna"})) << "sorted as stored";
    EXPECT_EQ(d.Selection(Dlg::kList), 0);
    EXPECT_FALSE(d.IsShown(Dlg::kEdit));
    d.DoubleClick(Dlg::kList, 1);
    EXPECT_EQ(picker.Chosen(), anna);
    EXPECT_EQ(d.EndCode(), ui::kIdOk);

    // Adding inside the picker leaves the new entry selected, ready to be chosen.
    host.OnDialog(Dlg::kTemplate, [](HeadlessDialog& p) {
        EXPECT_EQ(p.Selection(Dlg::kList), -1);
        p.Press(Dlg::kAdd).SetText(Dlg::kEdit, "Cilla").Ok();
        EXPECT_EQ(p.Selection(Dlg::kList), 0);
        p.Ok();
    });
    const std::optional<uint16_t> added = Dlg::Choose(*doc, host, Kind::Circuits, 0);
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(doc->Circuits().NameByKey(*added), "Cilla");

    host.OnDialog(Dlg::kTemplate, [](HeadlessDialog& p) { p.Ok(); });
    EXPECT_FALSE(Dlg::Choose(*doc, host, Kind::Hosts, 0).has_value()) << "nothing selected";
    host.Verify();
}

TEST_F(NameListDialogs, TopicsCutAt45OnOkAndRefuseAnotherCase) {
    CTopicListDlg dialog(*doc);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Title(), "Ämnen");
    const std::string first = d.Rows(CTopicListDlg::kList).front();
    d.Press(Dlg::kAdd).SetText(Dlg::kEdit, "Ö" + std::string(50, 'a')).Ok();
    EXPECT_EQ(doc->Topics().FindName("Ö" + std::string(44, 'a')), doc->Topics().Count());
    d.Select(Dlg::kList, 1).SetText(Dlg::kEdit, text::ToUpper(first, "sve")).Ok();
    EXPECT_EQ(TakeMessages().size(), 1u);
    d.Cancel();
    EXPECT_EQ(doc->Topics().Name(0), first);
}

} // namespace
} // namespace mivra
