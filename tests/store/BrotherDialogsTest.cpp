#include "store/CAvailabilityDlg.h"
#include "store/CBrotherEditDlg.h"
#include "store/CBrotherListDlg.h"
#include "store/CContactDlg.h"
#include "support/DocFixture.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using ui::headless::HeadlessDialog;
using List = CBrotherListDlg;
using Form = CBrotherEditDlg;
using Mode = CBrotherListDlg::Mode;
using Weeks = CAvailabilityDlg;

class BrotherDialogs : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        LoadQuietly();
        home = AddCongregation("Berga");
        other = AddCongregation("Dala");
    }
    uint16_t AddCongregation(const std::string& name) {
        CongregationRecord r;
        r.name = name;
        const int index = doc->Congregations().AddCongregation(r);
        return doc->Congregations().Congregation(index)->congregationKey;
    }
    uint16_t Add(std::string first, std::string last, uint16_t congregation,
                 BrotherExtraRecord extra = {}) {
        BrotherRecord r;
        r.firstName = std::move(first);
        r.lastName = std::move(last);
        r.congregationKey = congregation;
        const int index = doc->Brothers().AddBrother(r, extra);
        return doc->Brothers().Brother(index)->brotherKey;
    }
    BrotherRecord Record(uint16_t key) {
        BrotherRecord r;
        doc->Brothers().ReadBrother(doc->Brothers().FindBrotherByKey(key), r);
        return r;
    }
    /** Week numbers counted from the current week. */
    static std::vector<uint16_t> WeeksAhead(std::initializer_list<int> offsets) {
        std::vector<uint16_t> weeks;
        for (int k : offsets)
            weeks.push_back(static_cast<uint16_t>(CurrentWeek() + k));
        return weeks;
    }
    uint16_t home = 0;
    uint16_t other = 0;
};

TEST_F(BrotherDialogs, ThePlainListMarksBrothersAndCountsThem) {
    Add("Anders", "Berg", home);
    Add("Bo", "Alm", 0);
    BrotherRecord s;
    s.firstName = "Carl";
    s.lastName = "Dahl";
    s.suspended = true;
    s.congregationKey = other;
    doc->Brothers().AddBrother(s, {});
    List list(*doc, {});
    HeadlessDialog d(host, list);
    EXPECT_EQ(d.Rows(List::kList),
              (std::vector<std::string>{"* Alm, Bo", "Berg, Anders", "(§) Dahl, Carl"}));
    EXPECT_EQ(d.Text(List::kNoCongregation), "* Ingen församling ( 1 )");
    EXPECT_TRUE(d.IsShown(List::kNoCongregation));
    EXPECT_EQ(d.Text(List::kSuspendedLegend), "(§) Suspended ( 1 )");
    EXPECT_TRUE(d.IsShown(List::kAdd));
    d.Cancel();

    List filtered(*doc, {.filter = home});
    HeadlessDialog f(host, filtered);
    EXPECT_EQ(f.Rows(List::kList), std::vector<std::string>{"Anders Berg"});
    EXPECT_FALSE(f.IsShown(List::kNoCongregation));
    f.Cancel();
}

TEST_F(BrotherDialogs, RoleModePreselectsTheHolderAndMarksTheWeek) {
    const uint16_t anders = Add("Anders", "Berg", home);
    const uint16_t bo = Add("Bo", "Alm", home);
    const int w = CurrentWeek() + 2;
    doc->Availability().AddUnavailableWeek(bo, static_cast<uint16_t>(w + 1));
    List list(*doc,
              {.mode = Mode::Role, .filter = home, .role = 3, .week = w, .currentKey = anders});
    HeadlessDialog d(host, list);
    EXPECT_EQ(d.Title(), "Välj Sekreterare");
    EXPECT_FALSE(d.IsShown(List::kAdd));
    EXPECT_EQ(d.Text(ui::kIdOk), "&Välj");
    EXPECT_EQ(d.Rows(List::kList), (std::vector<std::string>{"* Bo Alm", "Anders Berg"}));
    EXPECT_EQ(d.Selection(List::kList), 1);
    EXPECT_EQ(d.Text(List::kNoCongregation), "* Ej tillgänglig - " + doc->FormatDate(w + 1, 2));
    d.Select(List::kList, 0).Ok();
    EXPECT_EQ(list.Chosen(), doc->Brothers().FindBrotherByKey(bo));
}

TEST_F(BrotherDialogs, OutgoingRoleListsOnlyHomeSpeakersWithTalks) {
    BrotherRecord r;
    r.firstName = "Anders";
    r.lastName = "Berg";
    r.congregationKey = home;
    r.appointment = kMinisterialServant;
    r.repertoire.Set(12, true);
    doc->Brothers().AddBrother(r, {});
    Add("Bo", "Alm", home); // no talks
    doc->SetOurCongregation(home);
    for (size_t p = 0; p < doc->Brothers().OurBrothers().size(); ++p)
        doc->Brothers().SetOurBrotherRoles(static_cast<int>(p), kRoleOutgoingSpeaker);
    List list(*doc, {.mode = Mode::Role, .filter = home, .role = 5, .week = CurrentWeek() + 10});
    HeadlessDialog d(host, list);
    EXPECT_EQ(d.Title(), "Välj Talare som reser ut");
    EXPECT_EQ(d.Rows(List::kList), std::vector<std::string>{"Anders Berg (BT)"});
    d.Ok();
}

TEST_F(BrotherDialogs, AnEmptyListAddsAndTheFilteredListMovesABrotherIn) {
    List list(*doc, {.filter = home});
    host.OnDialog(Form::kTemplate, [](HeadlessDialog& f) {
        EXPECT_FALSE(f.IsShown(Form::kCongregation)) << "a preset congregation";
        EXPECT_FALSE(f.IsShown(Form::kDelete));
        f.SetText(Form::kFirstName, "per").SetText(Form::kLastName, "lund");
        EXPECT_EQ(f.Text(Form::kFirstName), "Per");
        f.Focus(Form::kOk).Press(Form::kOk);
    });
    const uint16_t moved = Add("Olle", "Ek", other);
    host.OnDialog(List::kTemplate, [](HeadlessDialog& x) {
        EXPECT_EQ(x.Title(), "Välj talare");
        EXPECT_EQ(x.Offset(), (ui::Point{150, 20}));
        EXPECT_EQ(x.Text(List::kAdd), "&Ny talare");
        EXPECT_EQ(x.Rows(List::kList), std::vector<std::string>{"Ek, Olle"});
        x.Select(List::kList, 0).Ok();
    });
    host.Answer(ui::Answer::Yes); // 1009: move him?
    {
        HeadlessDialog d(host, list);
        d.Ok();
        EXPECT_EQ(d.Rows(List::kList), std::vector<std::string>{"Per Lund"});
        d.Press(List::kAdd);
        EXPECT_EQ(d.Rows(List::kList), (std::vector<std::string>{"Olle Ek", "Per Lund"}));
        d.Cancel();
    }
    EXPECT_EQ(Record(moved).congregationKey, home);
    EXPECT_TRUE(doc->Modified());
    host.Verify();
}

TEST_F(BrotherDialogs, TheFormKeepsLimitsNamesAndContactData) {
    const uint16_t key = Add("Anders", "Berg", home, {.email = "a@b.se"});
    const int index = doc->Brothers().FindBrotherByKey(key);
    Form form(*doc, {.index = index});
    HeadlessDialog f(host, form);
    EXPECT_EQ(f.Text(Form::kEmail), "a@b.se");
    f.SetText(Form::kPhone, std::string(20, '1')).SetText(Form::kEmail, std::string(50, 'e'));
    EXPECT_EQ(f.Text(Form::kPhone).size(), 14u);
    EXPECT_EQ(f.Text(Form::kEmail).size(), 45u);
    f.Press(Form::kServant).Press(Form::kElder);
    EXPECT_FALSE(f.IsChecked(Form::kServant));
    // 18 + 18 > 35: the first name shrinks once he leaves it, 17 + 18 stays.
    f.SetText(Form::kLastName, std::string(18, 'L'));
    f.Focus(Form::kFirstName).SetText(Form::kFirstName, std::string(17, 'J'));
    f.Focus(Form::kLastName);
    EXPECT_EQ(f.Text(Form::kFirstName), std::string(17, 'J'));
    f.Focus(Form::kFirstName)
        .SetText(Form::kFirstName, std::string(18, 'J'))
        .Focus(Form::kLastName);
    EXPECT_EQ(f.Text(Form::kFirstName), "J.");
    f.Focus(Form::kOk).Press(Form::kOk);
    const BrotherRecord r = Record(key);
    EXPECT_EQ(r.firstName, "J.");
    EXPECT_EQ(r.appointment, kElder);
    EXPECT_EQ(r.phone, std::string(14, '1'));
    BrotherExtraRecord extra;
    ASSERT_TRUE(doc->Brothers().ReadBrotherExtra(r.extraSlot, key, extra));
    EXPECT_EQ(extra.email, std::string(45, 'e'));
}

TEST_F(BrotherDialogs, EnterWalksTheFormAndAnEmptyLastNameStays) {
    Form form(*doc, {.add = true});
    HeadlessDialog f(host, form);
    f.SetText(Form::kFirstName, "Per").Press(Form::kOk);
    EXPECT_EQ(f.Focused(), Form::kLastName);
    f.Focus(Form::kOk).Press(Form::kOk);
    EXPECT_EQ(doc->Brothers().BrotherCount(), 0);
    EXPECT_TRUE(host.Messages().empty());
    f.Cancel();
}

TEST_F(BrotherDialogs, CapitalsOnlyCapitaliseAndNotInEveryLanguage) {
    {
        Form form(*doc, {.add = true});
        HeadlessDialog f(host, form);
        f.SetText(Form::kLastName, "abcdefghijklmnopq");
        EXPECT_EQ(f.Text(Form::kLastName), "Abcdefghijklmnopq") << "never cut to 14";
        f.Cancel();
    }
    strings.Set(1198, "rus");
    Load();
    Form form(*doc, {.add = true});
    HeadlessDialog f(host, form);
    f.SetText(Form::kFirstName, "anders");
    EXPECT_EQ(f.Text(Form::kFirstName), "anders");
    f.Cancel();
}

TEST_F(BrotherDialogs, NamesakesSaveAndARenameOntoAnotherIsRefused) {
    const uint16_t first = Add("Per", "Lund", home);
    Add("Per", "Lund", other);
    Add("Bo", "Alm", home);
    {
        Form form(*doc, {.index = doc->Brothers().FindBrotherByKey(first)});
        HeadlessDialog f(host, form);
        f.SetText(Form::kAddress1, "Storgatan 1").Focus(Form::kOk).Press(Form::kOk);
        EXPECT_TRUE(host.Messages().empty());
    }
    EXPECT_EQ(Record(first).address1, "Storgatan 1");
    Form form(*doc, {.index = doc->Brothers().FindBrotherByKey(first)});
    HeadlessDialog f(host, form);
    f.SetText(Form::kFirstName, "Bo").SetText(Form::kLastName, "Alm").Focus(Form::kOk);
    f.Press(Form::kOk);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Bo Alm är ett upprepat namn.\n\n"});
    f.Cancel();
    EXPECT_EQ(Record(first).firstName, "Per");
}

TEST_F(BrotherDialogs, AddingADuplicateAsksAndOverwriteKeepsHiddenFields) {
    BrotherRecord r;
    r.firstName = "Per";
    r.lastName = "Lund";
    r.congregationKey = home;
    r.homeRoles = 5;
    r.repertoire.Set(7, true);
    const int index = doc->Brothers().AddBrother(r, {});
    const uint16_t key = doc->Brothers().Brother(index)->brotherKey;
    Form form(*doc, {.add = true, .preset = home});
    HeadlessDialog f(host, form);
    f.SetText(Form::kFirstName, "Per")
        .SetText(Form::kLastName, "Lund")
        .SetText(Form::kPhone, "0701234567");
    host.Answer(ui::Answer::No);
    f.Focus(Form::kOk).Press(Form::kOk);
    EXPECT_FALSE(form.HasEnded()) << "No keeps the form and its input";
    EXPECT_EQ(f.Text(Form::kPhone), "0701234567");
    host.Answer(ui::Answer::Yes);
    f.Press(Form::kOk);
    EXPECT_TRUE(form.HasEnded());
    EXPECT_EQ(doc->Brothers().BrotherCount(), 1);
    const BrotherRecord saved = Record(key);
    EXPECT_EQ(saved.phone, "0701234567");
    EXPECT_EQ(saved.homeRoles, 5);
    EXPECT_TRUE(saved.repertoire.Has(7));
}

TEST_F(BrotherDialogs, NextWrapsAndDeleteAsks) {
    Add("Anders", "Berg", home);
    Add("Bo", "Alm", home);
    List list(*doc, {});
    host.OnDialog(Form::kTemplate, [&](HeadlessDialog& f) {
        EXPECT_EQ(f.Text(Form::kLastName), "Berg");
        f.Press(Form::kNext);
        EXPECT_EQ(f.Text(Form::kLastName), "Alm") << "from the last row to the first";
        f.Press(Form::kPrevious);
        EXPECT_EQ(f.Text(Form::kLastName), "Berg");
        host.Answer(ui::Answer::Yes);
        f.Press(Form::kDelete);
    });
    HeadlessDialog d(host, list);
    d.Select(List::kList, 1).Ok();
    EXPECT_EQ(host.Messages().back().text, "Vill du verkligen ta bort Anders Berg?");
    EXPECT_EQ(d.Rows(List::kList), std::vector<std::string>{"Alm, Bo"});
    d.Cancel();
}

TEST_F(BrotherDialogs, TheWeekDialogAppliesOnlyChangedRows) {
    const uint16_t bo = Add("Bo", "Alm", home);
    const auto w = static_cast<uint16_t>(CurrentWeek());
    AvailabilityTable& table = doc->Availability();
    table.AddUnavailableWeek(bo, w);
    table.AddUnavailableWeek(bo, w + 3);
    table.AddUnavailableWeek(bo, w + 60); // beyond the rows: kept, not shown
    {
        Weeks dialog(*doc, bo, true, false);
        HeadlessDialog d(host, dialog);
        EXPECT_FALSE(d.IsShown(ui::kIdOk));
        EXPECT_EQ(d.Text(ui::kIdCancel), "Stäng");
        d.Toggle(Weeks::kWeeks, 5).Cancel();
    }
    EXPECT_FALSE(table.Changed() && !table.IsAvailable(bo, w + 5)) << "read-only writes nothing";
    Weeks dialog(*doc, bo, false, false);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Title(), "Bo Alm");
    EXPECT_EQ(d.Rows(Weeks::kWeeks).size(), 52u);
    EXPECT_EQ(d.Rows(Weeks::kWeeks)[1], doc->FormatDate(w + 1, 26));
    EXPECT_EQ(d.SelectedRows(Weeks::kWeeks), (std::vector<int>{0, 3}));
    EXPECT_EQ(d.Text(Weeks::kCount), "2");
    d.Toggle(Weeks::kWeeks, 0).Toggle(Weeks::kWeeks, 1).Toggle(Weeks::kWeeks, 2);
    EXPECT_EQ(d.Text(Weeks::kCount), "3");
    table.AddUnavailableWeek(bo, w + 2); // meanwhile: OK must not add it twice
    d.Ok();
    EXPECT_EQ(table.ListUnavailableWeeks(bo, 0), WeeksAhead({1, 3, 60, 2}));
    EXPECT_FALSE(table.Changed()) << "saved";
}

TEST_F(BrotherDialogs, WeeksMarkedWhileAddingFollowTheNewBrother) {
    Form form(*doc, {.add = true});
    HeadlessDialog f(host, form);
    f.SetText(Form::kLastName, "Lund");
    host.OnDialog(Weeks::kTemplate, [](HeadlessDialog& d) {
        d.Toggle(Weeks::kWeeks, 4).Press(Weeks::kSuspend).Ok();
    });
    f.Press(Form::kAvailability);
    EXPECT_EQ(f.Text(Form::kAvailability), "Suspended");
    f.Focus(Form::kOk).Press(Form::kOk);
    const uint16_t key = doc->Brothers().Brother(0)->brotherKey;
    EXPECT_EQ(doc->Availability().ListUnavailableWeeks(key, 0), WeeksAhead({4}));
    EXPECT_TRUE(Record(key).suspended);
}

TEST_F(BrotherDialogs, TheCommandPicksAgainUntilTheListCloses) {
    const uint16_t bo = Add("Bo", "Alm", home);
    host.OnDialog(List::kTemplate, [](HeadlessDialog& l) {
        EXPECT_EQ(l.Title(), "Välj talare");
        EXPECT_FALSE(l.IsShown(List::kAdd));
        l.Select(List::kList, 0).Ok();
    });
    host.OnDialog(Weeks::kTemplate, [](HeadlessDialog& d) {
        EXPECT_FALSE(d.IsShown(Weeks::kSuspend));
        d.Toggle(Weeks::kWeeks, 1).Ok();
    });
    host.OnDialog(List::kTemplate, [](HeadlessDialog& l) { l.Cancel(); });
    CAvailabilityDlg::MarkWeeks(*doc, host);
    host.Verify();
    EXPECT_FALSE(doc->Availability().IsAvailable(bo, static_cast<uint16_t>(CurrentWeek() + 1)));
}

TEST_F(BrotherDialogs, TheCardShowsUsableContactsAndCopiesWithoutClearingTheClipboard) {
    CongregationRecord c;
    c.name = "Ekby";
    c.talkCoordinatorKey = 1; // the first brother added below
    const int ekby = doc->Congregations().AddCongregation(c);
    const uint16_t ekbyKey = doc->Congregations().Congregation(ekby)->congregationKey;
    BrotherRecord coordinator;
    coordinator.firstName = "Karl";
    coordinator.lastName = "Holm";
    coordinator.phone = "08-123 45 67";
    coordinator.congregationKey = ekbyKey;
    doc->Brothers().AddBrother(coordinator, {.email = "karl@holm.se"});
    BrotherRecord speaker;
    speaker.firstName = "Per";
    speaker.lastName = "Lund";
    speaker.phone = "12345"; // too short
    speaker.congregationKey = ekbyKey;
    const uint16_t per =
        doc->Brothers()
            .Brother(doc->Brothers().AddBrother(speaker, {.phone3 = "070123", .email = "a@b.se"}))
            ->brotherKey;
    const ContactList contacts = CollectContacts(*doc, per);
    EXPECT_EQ(contacts.phoneCount, 1);
    EXPECT_EQ(contacts.phones[0], "070123") << "telephone 3 moves up to the first field";
    EXPECT_EQ(contacts.email, "") << "six characters are not enough";
    EXPECT_EQ(CollectContacts(*doc, 0).phoneCount, 0);
    EXPECT_EQ(CollectContacts(*doc, 999).phoneCount, 0);

    host.SetClipboardText("before");
    CContactDlg card(*doc, per);
    HeadlessDialog d(host, card);
    EXPECT_EQ(d.Title(), "Ekby");
    EXPECT_EQ(d.Text(CContactDlg::kBrotherGroup), " Talare - Per Lund ");
    EXPECT_EQ(d.Text(CContactDlg::kCoordinatorGroup), " Föredragssamordnare - Karl Holm ");
    EXPECT_EQ(d.Text(103), "08-123 45 67");
    EXPECT_EQ(d.Text(106), "070123");
    EXPECT_FALSE(d.IsShown(CContactDlg::kAction));
    d.Focus(119);
    EXPECT_EQ(d.Text(CContactDlg::kAction), "Kopiera karl@holm.se");
    d.Press(CContactDlg::kAction);
    EXPECT_EQ(host.ClipboardText(), "karl@holm.se");
    d.Focus(106);
    EXPECT_FALSE(d.IsShown(CContactDlg::kAction)) << "six characters: no usable number";
    d.Focus(103);
    EXPECT_FALSE(d.IsShown(CContactDlg::kAction)) << "a telephone hides it";
    d.Cancel();
    EXPECT_EQ(host.ClipboardText(), "karl@holm.se") << "closing leaves the clipboard alone";
}

} // namespace
} // namespace mivra
