#include "store/CBrotherEditDlg.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationEditDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CNameListDlg.h"
#include "support/DocFixture.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using test::CongregationBytes;
using test::SlotFile;
using ui::headless::HeadlessDialog;
using List = CCongregationListDlg;
using Form = CCongregationEditDlg;

class CongregationDialogs : public test::DocTest {
protected:
    uint16_t AddBrother(const std::string& first, uint16_t congregation) {
        BrotherRecord r;
        r.firstName = first;
        r.lastName = "Berg";
        r.congregationKey = congregation;
        const int index = doc->Brothers().AddBrother(r, {});
        return doc->Brothers().Brother(index)->brotherKey;
    }
    CongregationRecord Stored(uint16_t key) {
        CongregationRecord r;
        doc->Congregations().ReadCongregation(doc->Congregations().FindCongregationByKey(key) - 1,
                                              r);
        return r;
    }
    void WriteCongregations(std::initializer_list<std::pair<size_t, test::Bytes>> slots) {
        dir.Write("cong.dat", SlotFile(slots));
        LoadQuietly();
    }
};

TEST_F(CongregationDialogs, AnEmptyListAddsAndApplyTurnsTheFormToEditing) {
    LoadQuietly();
    List list(*doc, false);
    HeadlessDialog d(host, list);
    EXPECT_EQ(d.Focused(), List::kAdd);
    host.OnDialog(Form::kTemplate, [](HeadlessDialog& f) {
        for (int id : {Form::kBrothers, Form::kCoordinator, Form::kTalkCoordinator,
                       Form::kSecretary, Form::kCircuit, Form::kMap, Form::kPrevious, Form::kNext,
                       Form::kDelete, Form::kApply})
            EXPECT_FALSE(f.IsShown(id)) << id;
        f.SetText(Form::kName, "Be");
        EXPECT_FALSE(f.IsShown(Form::kApply));
        f.SetText(Form::kName, "Ber");
        EXPECT_TRUE(f.IsShown(Form::kApply));
        EXPECT_EQ(f.Text(Form::kDayOdd), "Söndag");
        f.Press(Form::kDayOdd).Press(Form::kDayEven).Press(Form::kDayEven);
        EXPECT_EQ(f.Text(Form::kDayOdd), "Måndag") << "Sunday steps round to Monday";
        EXPECT_EQ(f.Text(Form::kDayEven), "Tisdag");
        f.SetText(Form::kName, " Berga ").Press(Form::kApply);
        EXPECT_FALSE(f.IsShown(Form::kApply));
        EXPECT_TRUE(f.IsShown(Form::kDelete));
        EXPECT_EQ(f.Text(Form::kBrothers), "Bröder ( 0 )");
        EXPECT_FALSE(f.IsShown(Form::kSecretary)) << "no brothers yet";
        EXPECT_EQ(f.Text(Form::kName), "Berga");
        f.Ok();
    });
    d.Ok();
    EXPECT_EQ(d.Rows(List::kList), std::vector<std::string>{"Berga"});
    d.Cancel();
    host.Verify();
    EXPECT_TRUE(doc->Modified());
    const std::vector<uint8_t> bytes = dir.Read("cong.dat");
    ASSERT_EQ(bytes.size(), 2 * 256u);
    EXPECT_EQ(bytes[256 + 226], 1) << "Monday";
    EXPECT_EQ(bytes[256 + 227], 2) << "Tuesday";
}

TEST_F(CongregationDialogs, OverwritingFromAddModeKeepsKeySlotAndWhatTheFormHides) {
    WriteCongregations({{3, CongregationBytes{.name = "Öster",
                                              .map = "oster.jpg",
                                              .key = 3,
                                              .circuit = 30001,
                                              .coordinator = 7,
                                              .talkCoordinator = 8,
                                              .weekdayOdd = 4,
                                              .pokes = {{240, 0x5A}}}
                                .Build()}});
    List list(*doc, false);
    HeadlessDialog d(host, list);
    host.OnDialog(Form::kTemplate, [this](HeadlessDialog& f) {
        f.SetText(Form::kName, "öster").SetText(Form::kAddress1, "Kyrkvägen 2");
        host.Answer(ui::Answer::No);
        f.Press(Form::kApply);
        EXPECT_TRUE(f.IsShown(Form::kApply)) << "declined: still adding";
        EXPECT_FALSE(f.IsShown(Form::kDelete));
        EXPECT_EQ(doc->Congregations().CongregationCount(), 1);
        host.Answer(ui::Answer::Yes);
        f.Press(Form::kApply);
        EXPECT_TRUE(f.IsShown(Form::kDelete)) << "editing the overwritten congregation";
        EXPECT_EQ(f.Text(Form::kAddress1), "Kyrkvägen 2");
        f.Ok();
    });
    d.Press(List::kAdd).Cancel();
    host.Verify();
    ASSERT_EQ(doc->Congregations().CongregationCount(), 1);
    const CongregationRecord r = Stored(3);
    EXPECT_EQ(r.name, "öster");
    EXPECT_EQ(r.address1, "Kyrkvägen 2");
    EXPECT_EQ(r.circuitId, 30001);
    EXPECT_EQ(r.coordinatorKey, 7);
    EXPECT_EQ(r.talkCoordinatorKey, 8);
    EXPECT_EQ(r.mapFile, "oster.jpg");
    EXPECT_EQ(r.weekdayOdd, 0) << "the form's Sunday is written";
    EXPECT_EQ(dir.Read("cong.dat")[3 * 256 + 240], 0x5A);
}

TEST_F(CongregationDialogs, OfficersComeFromTheListAndBrothersReadsThemBack) {
    WriteCongregations({{1, CongregationBytes{.name = "Berga", .key = 1}.Build()}});
    const uint16_t anders = AddBrother("Anders", 1);
    AddBrother("Bo", 1);
    Form form(*doc, {.index = 0});
    HeadlessDialog f(host, form);
    EXPECT_EQ(f.Text(Form::kBrothers), "Bröder ( 2 )");
    EXPECT_EQ(f.Text(Form::kTalkCoordinator), "Föredragssamordnare");
    host.OnDialog(CBrotherListDlg::kTemplate, [](HeadlessDialog& b) {
        EXPECT_EQ(b.Title(), "Välj Föredragssamordnare");
        EXPECT_EQ(b.Rows(CBrotherListDlg::kList),
                  (std::vector<std::string>{"Anders Berg", "Bo Berg"}));
        b.Select(CBrotherListDlg::kList, 0).Ok();
    });
    f.Press(Form::kTalkCoordinator);
    EXPECT_EQ(f.Text(Form::kTalkCoordinator), "Föredragssamordnare - Anders Berg");
    f.Press(Form::kNext); // saved; the only congregation wraps onto itself
    EXPECT_EQ(Stored(1).talkCoordinatorKey, anders);

    // Inside "Bröder" Anders is deleted and a new brother takes his key.
    host.OnDialog(CBrotherListDlg::kTemplate, [this, anders](HeadlessDialog& b) {
        doc->DeleteBrother(doc->Brothers().FindBrotherByKey(anders));
        EXPECT_EQ(AddBrother("Carl", 1), anders);
        b.Cancel();
    });
    f.Press(Form::kBrothers);
    EXPECT_EQ(f.Text(Form::kTalkCoordinator), "Föredragssamordnare");
    EXPECT_EQ(f.Text(Form::kBrothers), "Bröder ( 2 )");
    f.Ok();
    host.Verify();
    EXPECT_EQ(Stored(1).talkCoordinatorKey, 0) << "Carl does not inherit the office";
    EXPECT_TRUE(form.Changed());
}

TEST_F(CongregationDialogs, StepsWrapDeleteAsksAndNamesAreChecked) {
    WriteCongregations({{1, CongregationBytes{.name = "Alby", .key = 1}.Build()},
                        {2, CongregationBytes{.name = "Berga", .key = 2}.Build()},
                        {3, CongregationBytes{.name = "Dala", .key = 3}.Build()}});
    List list(*doc, false, 2);
    HeadlessDialog d(host, list);
    EXPECT_EQ(d.Selection(List::kList), 2);
    host.OnDialog(Form::kTemplate, [this](HeadlessDialog& f) {
        EXPECT_EQ(f.Text(Form::kName), "Dala");
        f.Press(Form::kNext);
        EXPECT_EQ(f.Text(Form::kName), "Alby");
        f.Press(Form::kPrevious);
        EXPECT_EQ(f.Text(Form::kName), "Dala");
        f.SetText(Form::kName, " ").Ok();
        f.SetText(Form::kName, "berga").Ok();
        EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"Ange församlingens namn",
                                                            "Berga är ett upprepat namn.\n\n"}));
        f.SetText(Form::kName, "Dala");
        host.Answer(ui::Answer::No);
        f.Press(Form::kDelete);
        host.Answer(ui::Answer::Yes);
        f.Press(Form::kDelete);
    });
    d.Ok();
    EXPECT_EQ(d.Rows(List::kList), (std::vector<std::string>{"Alby", "Berga"}));
    EXPECT_EQ(list.Selection(), 0);
    d.Cancel();
    host.Verify();
}

TEST_F(CongregationDialogs, PickerAndFixedFormHideWhatTheyMust) {
    WriteCongregations({{1, CongregationBytes{.name = "Alby", .key = 1}.Build()},
                        {2, CongregationBytes{.name = "Berga", .key = 2}.Build()}});
    AddBrother("Anders", 2);
    host.OnDialog(List::kTemplate, [](HeadlessDialog& p) {
        EXPECT_EQ(p.Text(ui::kIdOk), "OK");
        EXPECT_EQ(p.Selection(List::kList), 1);
        p.Select(List::kList, 0).Ok();
    });
    EXPECT_EQ(List::Choose(*doc, host, 2), 0);

    List picker(*doc, true);
    host.OnDialog(Form::kTemplate, [](HeadlessDialog& f) {
        f.SetText(Form::kName, "Ceder").Press(Form::kApply);
        EXPECT_FALSE(f.IsShown(Form::kBrothers)) << "the picker's form";
        f.Cancel();
    });
    HeadlessDialog p(host, picker);
    p.Press(List::kAdd);
    EXPECT_EQ(p.Rows(List::kList), (std::vector<std::string>{"Alby", "Berga", "Ceder"}));
    EXPECT_EQ(p.Selection(List::kList), 2);
    p.Cancel();

    Form fixed(*doc, {.fixedKey = 2});
    HeadlessDialog f(host, fixed);
    EXPECT_EQ(f.Text(Form::kName), "Berga");
    EXPECT_FALSE(f.IsEnabled(Form::kName));
    for (int id : {Form::kPrevious, Form::kNext, Form::kDelete, Form::kApply})
        EXPECT_FALSE(f.IsShown(id)) << id;
    EXPECT_TRUE(f.IsShown(Form::kSecretary));
    host.OnDialog(CNameListDlg::kTemplate, [](HeadlessDialog& c) {
        c.Press(CNameListDlg::kAdd).SetText(CNameListDlg::kEdit, "Norr").Ok().Ok();
    });
    f.Press(Form::kCircuit);
    EXPECT_EQ(f.Text(Form::kCircuit), "Krets - Norr");
    f.Ok();
    host.Verify();
    EXPECT_EQ(Stored(2).circuitId, doc->Circuits().IdByName("Norr"));
}

TEST_F(CongregationDialogs, TheBrotherFormPicksHisCongregation) {
    WriteCongregations({{1, CongregationBytes{.name = "Alby", .key = 1}.Build()},
                        {2, CongregationBytes{.name = "Berga", .key = 2}.Build()}});
    const uint16_t key = AddBrother("Anders", 1);
    CBrotherEditDlg form(*doc, {.index = doc->Brothers().FindBrotherByKey(key)});
    HeadlessDialog f(host, form);
    host.OnDialog(List::kTemplate, [](HeadlessDialog& p) {
        EXPECT_EQ(p.Selection(List::kList), 0) << "his congregation";
        p.Select(List::kList, 1).Ok();
    });
    f.Press(CBrotherEditDlg::kCongregation);
    EXPECT_EQ(f.Text(CBrotherEditDlg::kCongregation), "Församling - Berga");
    f.Focus(CBrotherEditDlg::kOk).Press(CBrotherEditDlg::kOk);
    EXPECT_EQ(doc->Brothers().Brother(doc->Brothers().FindBrotherByKey(key))->congregationKey, 2);

    // His congregation deleted inside the picker and its key given to a new one: he is in none.
    CBrotherEditDlg again(*doc, {.index = doc->Brothers().FindBrotherByKey(key)});
    HeadlessDialog g(host, again);
    host.OnDialog(List::kTemplate, [this](HeadlessDialog& p) {
        doc->DeleteCongregation(1);
        CongregationRecord r;
        r.name = "Ceder";
        EXPECT_EQ(doc->Congregations()
                      .Congregation(doc->Congregations().AddCongregation(r))
                      ->congregationKey,
                  2);
        p.Cancel();
    });
    g.Press(CBrotherEditDlg::kCongregation);
    EXPECT_EQ(g.Text(CBrotherEditDlg::kCongregation), "Församling - ");
    g.Focus(CBrotherEditDlg::kOk).Press(CBrotherEditDlg::kOk);
    host.Verify();
    EXPECT_EQ(doc->Brothers().Brother(doc->Brothers().FindBrotherByKey(key))->congregationKey, 0);
}

} // namespace
} // namespace mivra
