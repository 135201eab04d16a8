#include "store/CBrotherEditDlg.h"
#include "store/CTalkListDlg.h"
#include "support/DocFixture.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using ui::headless::HeadlessDialog;
using List = CTalkListDlg;
using Mode = CTalkListDlg::Mode;

class TalkList : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        LoadQuietly();
    }
    /** Titles every talk but the given ones, which are left untitled. */
    void TitleAllBut(std::initializer_list<int> untitled) {
        for (int key = 1; key <= TalkRepertoire::kTalks; ++key)
            SetTitle(key, "Tal nummer " + std::to_string(key));
        for (int key : untitled)
            SetTitle(key, "");
    }
    void SetTitle(int key, const std::string& title) {
        TalkRecord t = *doc->Talks().Talk(key - 1);
        t.title = title;
        doc->Talks().SetTalk(key - 1, t);
    }
    static BrotherRecord Brother(std::initializer_list<int> talks) {
        BrotherRecord b;
        b.firstName = "Per";
        b.lastName = "Alm";
        for (int t : talks)
            b.repertoire.Set(t);
        return b;
    }
    static int RowOf(HeadlessDialog& d, int id, uint32_t key) {
        for (int row = 0; row < static_cast<int>(d.Rows(id).size()); ++row)
            if (d.RowData(id, row) == key)
                return row;
        return -1;
    }
};

TEST_F(TalkList, EditModeAddsTheUntitledTalksScrolledToTheFirstAndOpensRowsInTheForm) {
    TitleAllBut({3, 150, 200});
    std::vector<int> opened;
    List list(*doc, {.mode = Mode::Edit, .form = [&](CMvDoc& d, ui::Host&, int index) {
                         opened.push_back(index);
                         TalkRecord t = *d.Talks().Talk(index);
                         t.title = "Nytt";
                         d.Talks().SetTalk(index, t);
                         return true;
                     }});
    HeadlessDialog d(host, list);
    EXPECT_EQ(d.Title(), "Välj tal för att redigera");
    ASSERT_EQ(d.Rows(List::kShowList).size(), 253u);
    EXPECT_EQ(d.Rows(List::kShowList)[0], "1\tTal nummer 1");
    EXPECT_EQ(d.TabStops(List::kShowList), std::vector<int>{25});
    d.Press(List::kToggle);
    EXPECT_FALSE(d.IsShown(List::kToggle));
    ASSERT_EQ(d.Rows(List::kShowList).size(), 256u);
    EXPECT_EQ(d.Rows(List::kShowList)[253], "3\tDenna rad kan användas för ett nytt tal");
    EXPECT_EQ(d.Selection(List::kShowList), 253);
    EXPECT_EQ(d.TopIndex(List::kShowList), 236) << "the top row stops at 236";

    d.Ok(); // opens the selected row, then refills
    EXPECT_EQ(opened, std::vector<int>{2});
    EXPECT_TRUE(d.IsOpen());
    EXPECT_EQ(d.Rows(List::kShowList).size(), 254u);
    EXPECT_EQ(d.Rows(List::kShowList)[2], "3\tNytt");
    EXPECT_EQ(d.Selection(List::kShowList), 2);
    EXPECT_TRUE(d.IsShown(List::kToggle)) << "two untitled talks are left";
    d.DoubleClick(List::kShowList, 0);
    EXPECT_EQ(opened, (std::vector<int>{2, 0}));
    d.Cancel();

    // Few titled talks: nine rows above the first new one, or as many as there are.
    TitleAllBut({});
    for (int key = 101; key <= 256; ++key)
        SetTitle(key, "");
    List middle(*doc, {.mode = Mode::Edit});
    HeadlessDialog m(host, middle);
    m.Press(List::kToggle);
    EXPECT_EQ(m.Selection(List::kShowList), 100);
    EXPECT_EQ(m.TopIndex(List::kShowList), 91);
    m.Cancel();
    for (int key = 5; key <= 100; ++key)
        SetTitle(key, "");
    List few(*doc, {.mode = Mode::Edit});
    HeadlessDialog f(host, few);
    f.Press(List::kToggle);
    EXPECT_EQ(f.TopIndex(List::kShowList), 0);
    f.Cancel();
}

TEST_F(TalkList, EditModeClosingWithOkWritesTheTalksAndHidesTheAddButtonWhenAllAreTitled) {
    TitleAllBut({});
    std::vector<std::string>& written = RecordWrites();
    List list(*doc, {.mode = Mode::Edit});
    HeadlessDialog d(host, list);
    EXPECT_FALSE(d.IsShown(List::kToggle));
    EXPECT_EQ(d.Selection(List::kShowList), -1);
    d.Cancel();
    EXPECT_TRUE(written.empty());
    List again(*doc, {.mode = Mode::Edit});
    HeadlessDialog a(host, again);
    a.Ok();
    EXPECT_EQ(a.EndCode(), ui::kIdOk);
    EXPECT_EQ(written, std::vector<std::string>{"talk.dat"});
}

TEST_F(TalkList, RepertoireRebuildsHisBitsOnlyOnLeavingTheEditView) {
    TitleAllBut({});
    List list(*doc, {.mode = Mode::Repertoire, .brother = Brother({4, 10})});
    HeadlessDialog d(host, list);
    EXPECT_EQ(d.Title(), "Per Alm - 2 tal");
    EXPECT_EQ(d.Rows(List::kShowList),
              (std::vector<std::string>{"4\tTal nummer 4", "10\tTal nummer 10"}));
    EXPECT_FALSE(d.IsShown(List::kAdded));
    EXPECT_FALSE(d.IsShown(List::kRemoved));
    EXPECT_EQ(d.Text(List::kToggle), "Välj tal");

    d.Press(List::kToggle);
    EXPECT_FALSE(d.IsShown(List::kShowList));
    ASSERT_EQ(d.Rows(List::kEditList).size(), 256u);
    EXPECT_EQ(d.ColumnWidth(List::kEditList), 30);
    EXPECT_EQ(d.SelectedRows(List::kEditList), (std::vector<int>{3, 9}));
    EXPECT_EQ(d.Text(List::kToggle), "Se förteckning");
    d.Hover(List::kEditList, 6);
    EXPECT_EQ(d.Text(List::kCaption), "Tal nummer 7 ( 7 ) ");
    d.Hover(List::kEditList, -1);
    EXPECT_EQ(d.Text(List::kCaption), "");

    d.Toggle(List::kEditList, 6).Toggle(List::kEditList, 3);
    EXPECT_TRUE(d.IsShown(List::kAdded));
    EXPECT_TRUE(d.IsShown(List::kRemoved));
    EXPECT_EQ(d.Title(), "Per Alm - 2 tal");
    EXPECT_TRUE(list.Brother().repertoire.Has(4)) << "the bits wait for the view to be left";
    EXPECT_FALSE(list.Brother().repertoire.Has(7));

    d.Press(List::kToggle);
    EXPECT_FALSE(list.Brother().repertoire.Has(4));
    EXPECT_TRUE(list.Brother().repertoire.Has(7));
    EXPECT_EQ(d.Rows(List::kShowList),
              (std::vector<std::string>{"7\tTal nummer 7", "10\tTal nummer 10"}));

    // Taking talk 4 back leaves only "Infogad"; OK inside the edit view rebuilds too.
    d.Press(List::kToggle).Toggle(List::kEditList, 3).Toggle(List::kEditList, 11);
    EXPECT_TRUE(d.IsShown(List::kAdded));
    EXPECT_FALSE(d.IsShown(List::kRemoved));
    EXPECT_EQ(d.Title(), "Per Alm - 4 tal");
    d.Ok();
    EXPECT_EQ(d.EndCode(), ui::kIdOk);
    EXPECT_EQ(list.Brother().repertoire.Count(), 4);
    EXPECT_TRUE(list.Brother().repertoire.Has(12));
}

TEST_F(TalkList, PickersReturnTheSelectedTalkAndNoneCancels) {
    TitleAllBut({2});
    {
        List list(*doc, {.mode = Mode::Picker, .current = 5});
        HeadlessDialog d(host, list);
        EXPECT_EQ(d.Title(), "Välj tal");
        EXPECT_FALSE(d.IsShown(List::kToggle));
        EXPECT_EQ(d.Rows(List::kShowList).size(), 255u) << "the untitled talk is not offered";
        EXPECT_EQ(d.RowData(List::kShowList, d.Selection(List::kShowList)), 5u);
        d.DoubleClick(List::kShowList, 7);
        EXPECT_EQ(list.Chosen(), std::optional<uint16_t>(9));
    }
    {
        List list(*doc, {.mode = Mode::Picker, .current = 0});
        HeadlessDialog d(host, list);
        d.Ok();
        EXPECT_EQ(d.EndCode(), ui::kIdCancel) << "OK with nothing selected";
        EXPECT_FALSE(list.Chosen());
    }
    // With his record: his talks, the current one preselected, his list editable.
    host.OnDialog(List::kTemplate, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Rows(List::kShowList).size(), 2u);
        EXPECT_EQ(d.RowData(List::kShowList, d.Selection(List::kShowList)), 10u);
        d.Press(List::kToggle).Toggle(List::kEditList, 19).Press(List::kToggle);
        d.Select(List::kShowList, 2).Ok();
    });
    BrotherRecord him = Brother({4, 10});
    EXPECT_EQ(List::PickTalk(*doc, host, 10, &him), std::optional<uint16_t>(20));
    EXPECT_TRUE(him.repertoire.Has(20));
    host.OnDialog(List::kTemplate, [](HeadlessDialog& d) {
        d.Press(List::kToggle).Toggle(List::kEditList, 29).Cancel();
    });
    EXPECT_FALSE(List::PickTalk(*doc, host, 10, &him));
    EXPECT_FALSE(him.repertoire.Has(30)) << "his copy changes only with a talk chosen";
}

TEST_F(TalkList, TheBrotherFormsTalksButtonEditsHisCopyAndCountsIt) {
    BrotherRecord r = Brother({1});
    const int index = doc->Brothers().AddBrother(r, {});
    const uint16_t key = doc->Brothers().Brother(index)->brotherKey;
    CBrotherEditDlg form(*doc, {.index = index});
    HeadlessDialog d(host, form);
    EXPECT_EQ(d.Text(CBrotherEditDlg::kTalks), "Se / Välj tal ( 1 )");
    host.OnDialog(List::kTemplate, [](HeadlessDialog& l) {
        EXPECT_EQ(l.Title(), "Per Alm - 1 tal");
        l.Press(List::kToggle).Toggle(List::kEditList, 1).Ok();
    });
    d.Press(CBrotherEditDlg::kTalks);
    EXPECT_EQ(d.Text(CBrotherEditDlg::kTalks), "Se / Välj tal ( 2 )");
    d.Focus(CBrotherEditDlg::kOk).Press(CBrotherEditDlg::kOk);
    BrotherRecord stored;
    doc->Brothers().ReadBrother(doc->Brothers().FindBrotherByKey(key), stored);
    EXPECT_TRUE(stored.repertoire.Has(2));
}

} // namespace
} // namespace mivra
