#include "exchange/CImportDlg.h"
#include "exchange/PackageFixture.h"
#include "store/CNameListDlg.h"
#include "ui/headless/HeadlessDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using exchange::CImportDlg;
using ::testing::ElementsAre;
using ui::headless::HeadlessDialog;

class ImportDlg : public test::PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        WriteFolder();
        dir.Write("speakers.dat",
                  test::Concat({dir.Read("speakers.dat"),
                                test::BrotherBytes{
                                    .first = "Olle", .last = "Ort", .congregation = 3, .key = 9}
                                    .Build()}));
        LoadQuietly();
    }

    void WritePackage(const std::string& name, const std::string& circuit) {
        dir.Write("p.c1d", test::PackageFile({.name = name, .circuit = circuit},
                                             {{.first = "Erik",
                                               .last = "Ek",
                                               .address1 = "Eksväg 5",
                                               .phone = "031-55",
                                               .phone2 = "070-2",
                                               .email = "e@ek.se",
                                               .talks = {6, 9},
                                               .status = 0x42,
                                               .roles = 0x24},
                                              {.first = "Ny", .last = "Nysson", .talks = {1}},
                                              {.first = "Olle", .last = "Ort", .talks = {2}}}));
    }

    exchange::Package Read() { return exchange::ReadPackage(dir / "p.c1d", kCp).package; }
};

TEST_F(ImportDlg, TheSummaryAndTheListShowThePlan) {
    WritePackage("Väst", "Krets 7");
    CImportDlg dialog(*doc, dir / "p.c1d", Read());
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Title(), "Gästande - " + Path("p.c1d"));
    EXPECT_EQ(d.Text(CImportDlg::kName), "Väst");
    EXPECT_EQ(d.Text(CImportDlg::kCircuit), "Krets 7");
    EXPECT_EQ(d.Text(CImportDlg::kCircuitWarning), "");
    EXPECT_EQ(d.Text(CImportDlg::kCongregationLine),
              "Uppgifter om denna församling finns redan.\nBefintliga uppgifter kommer att "
              "ersättas med importerade.");
    EXPECT_EQ(d.Text(CImportDlg::kCountLine),
              "3 i 3  broder(bröder) markerade som gästande talare");
    EXPECT_EQ(d.Text(CImportDlg::kDuplicateLine),
              "2  markerade namn är dubletter av redan förekommande bröders namn.\nBefintliga "
              "uppgifter kommer att ersättas med importerade.");
    EXPECT_EQ(d.Text(CImportDlg::kNewLine), "1  ny(a) broder(bröder) kommer att läggas till.");
    EXPECT_EQ(d.Text(CImportDlg::kClickOk), "Klicka OK för att importera vald information.");
    EXPECT_THAT(d.Rows(CImportDlg::kList), ElementsAre("* Erik Ek\tuppdateras", "Ny Nysson\tny",
                                                       "* Olle Ort\tflyttas från Norr"));
    EXPECT_EQ(d.SelectedRows(CImportDlg::kList), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(d.Text(CImportDlg::kCongregationChanges),
              "Församlingen får nya uppgifter: adress, telefon, mötestider");
    ASSERT_TRUE(d.IsShown(CImportDlg::kRemovalGroup));
    EXPECT_EQ(d.Text(CImportDlg::kRemovalLabel),
              "2 broder(bröder) kommer att tas bort från\nVäst.");
    EXPECT_THAT(d.Rows(CImportDlg::kRemovalList), ElementsAre("Fred Fur", "Gustav Gran"));

    // Unselecting recounts; the details follow the line in focus.
    d.Toggle(CImportDlg::kList, 0);
    EXPECT_EQ(d.Text(CImportDlg::kCountLine),
              "2 i 3  broder(bröder) markerade som gästande talare");
    EXPECT_EQ(d.Text(CImportDlg::kDuplicateLine).substr(0, 3), "1  ");
    EXPECT_EQ(d.Text(CImportDlg::kDetails), "tal: +9 −7\nroller: 0xe4 → 0x04");
    d.Toggle(CImportDlg::kList, 2);
    EXPECT_EQ(d.Text(CImportDlg::kDuplicateLine), "");
    EXPECT_EQ(d.Text(CImportDlg::kDetails), "tal: +2\nförsamling: Norr → Väst");
    d.Ok();
    ASSERT_TRUE(dialog.Outcome());
    EXPECT_EQ(dialog.Outcome()->added, 1);
    EXPECT_EQ(dialog.Outcome()->updated, 0) << "Erik and Olle were unselected";
    EXPECT_EQ(dialog.Outcome()->detached, 2);
}

TEST_F(ImportDlg, ANameEditIsAppliedByTheNextPressOnly) {
    WritePackage("Väst", "Okänd");
    CImportDlg dialog(*doc, dir / "p.c1d", Read());
    HeadlessDialog d(host, dialog);
    d.SetText(CImportDlg::kName, "Söder");
    EXPECT_EQ(d.Text(ui::kIdOk), "Använd");
    EXPECT_EQ(d.Text(CImportDlg::kCircuit), "Välj krets") << "the circuit follows the name";
    EXPECT_EQ(d.Text(CImportDlg::kCircuitWarning),
              "Kan inte hitta krets - Okänd.  Välj en annan krets eller infoga den.");
    d.Ok();
    ASSERT_TRUE(d.IsOpen());
    EXPECT_EQ(d.Text(ui::kIdOk), "OK");
    EXPECT_EQ(d.Text(CImportDlg::kCongregationLine), "Ny församling kommer att läggas till.");
    EXPECT_FALSE(d.IsShown(CImportDlg::kRemovalGroup)) << "a new congregation detaches nobody";
    EXPECT_THAT(d.Rows(CImportDlg::kList),
                ElementsAre("* Erik Ek\tflyttas från Väst", "Ny Nysson\tny",
                            "* Olle Ort\tflyttas från Norr"));
    // An empty name is refused at OK.
    d.SetText(CImportDlg::kName, "  ").Ok().Ok();
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"Ange församlingens namn"}));
    d.SetText(CImportDlg::kName, "Söder").Ok().Ok();
    EXPECT_FALSE(d.IsOpen());
    EXPECT_NE(exchange::FindCongregationByName(*doc, "söder"), 0);
}

TEST_F(ImportDlg, TheCommandOpensAPackageAndTheCircuitListPicksTheCircuit) {
    dir.Write("SÖDER.C1D",
              test::PackageFile({.name = "Söder"}, {{.first = "Ny", .last = "Nysson"}}));
    host.ChooseFile({"SÖDER.C1D"});
    host.OnDialog(CImportDlg::kTemplate, [this](HeadlessDialog& d) {
        EXPECT_EQ(d.Text(CImportDlg::kCircuit), "Välj krets");
        EXPECT_EQ(d.Text(CImportDlg::kCircuitWarning), "") << "the package names no circuit";
        host.OnDialog(CNameListDlg::kTemplate,
                      [](HeadlessDialog& list) { list.Select(CNameListDlg::kList, 1).Ok(); });
        d.Press(CImportDlg::kCircuit);
        EXPECT_EQ(d.Text(CImportDlg::kCircuit), "Krets 7");
        d.Ok();
    });
    EXPECT_TRUE(exchange::ImportPackage(*doc, host));
    const int index = exchange::FindCongregationByName(*doc, "Söder");
    ASSERT_NE(index, 0);
    EXPECT_EQ(doc->Congregations().Congregation(index - 1)->circuitId, 30002);
}

TEST_F(ImportDlg, WhatIsNoPackageIsToldAndNothingOpens) {
    dir.Write("p.c1d", test::PackageHeaderBytes{.name = ""}.Build());
    EXPECT_FALSE(CImportDlg::Run(*doc, host, dir / "p.c1d"));
    EXPECT_THAT(TakeMessages(), ElementsAre("Paketet " + Path("p.c1d") +
                                            " namnger ingen församling. Inget har importerats."));
    EXPECT_TRUE(host.DialogsRun().empty());
}

} // namespace
} // namespace mivra
