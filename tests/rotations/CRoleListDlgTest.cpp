#include "rotations/CRoleListDlg.h"

#include "rotations/RotationFixture.h"

namespace mivra::rotations {
namespace {

using ui::headless::HeadlessDialog;
using List = CRoleListDlg;

class RoleList : public test::RotationTest {
protected:
    void SetUp() override {
        RotationTest::SetUp();
        LoadQuietly();
        doc->Availability().AddUnavailableWeek(5, static_cast<uint16_t>(Row(2) + 1));
    }
    uint8_t RolesOnDisk(size_t slot) { return dir.Read("speakers.dat")[slot * 256 + 201]; }
    uint16_t RolesInMemory(uint16_t key) {
        return doc->Brothers()
            .OurBrothers()[static_cast<size_t>(doc->Brothers().FindOurBrother(key) - 1)]
            .roleBits;
    }
};

TEST_F(RoleList, TheViewMarksTheSuspendedAndForAWeekTheUnavailable) {
    List forWeek(*doc, kRoleReader, Row(2), 4);
    {
        HeadlessDialog d(host, forWeek);
        EXPECT_EQ(d.Title(), "Högläsare");
        EXPECT_EQ(d.Rows(List::kViewList),
                  (std::vector<std::string>{"Bertil Berg", "Carl Cederlund", "David Dahl",
                                            "* Erik Ek", "* Gustav Gran (Suspended)"}));
        EXPECT_EQ(d.Selection(List::kViewList), 2) << "the holder";
        EXPECT_EQ(d.Text(List::kUnavailable),
                  "* Ej tillgänglig - " + doc->FormatDate(Row(2) + 1, 2));
        EXPECT_EQ(d.Text(List::kToggle), "Redigera lista");
        EXPECT_FALSE(d.IsShown(List::kEditList));
        d.Select(List::kViewList, 1).Ok();
    }
    EXPECT_EQ(forWeek.Chosen(), 3);

    List panel(*doc, kRoleChairman);
    HeadlessDialog d(host, panel);
    EXPECT_EQ(d.Title(), "Ordförande");
    EXPECT_EQ(d.Rows(List::kViewList)[3], "* Gustav Gran (Suspended)");
    EXPECT_FALSE(d.IsShown(List::kUnavailable));
    d.Ok();
    EXPECT_EQ(panel.Chosen(), 0);
}

TEST_F(RoleList, EditingChangesACopyThatOnlyOkWritesAndOnlyWhereItChanged) {
    auto edit = [](HeadlessDialog& d) {
        d.Press(List::kToggle);
        EXPECT_EQ(d.Text(List::kToggle), "Se förteckning");
        EXPECT_EQ(d.Rows(List::kEditList)[5], "Gustav Gran (Suspended)");
        EXPECT_EQ(d.SelectedRows(List::kEditList), (std::vector<int>{1, 2, 3, 4, 5}));
        d.Toggle(List::kEditList, 0).Toggle(List::kEditList, 3);
    };
    {
        List list(*doc, kRoleReader, Row(2), 4);
        HeadlessDialog d(host, list);
        edit(d);
        d.Press(List::kToggle);
        EXPECT_EQ(d.Rows(List::kViewList)[0], "Anders Alm");
        d.Cancel();
    }
    EXPECT_EQ(RolesInMemory(1), kChair) << "Cancel keeps the roles as they were";
    EXPECT_EQ(PickRotationBrother(*doc, Row(0), kRoleReader), 2);

    std::vector<std::string>& written = RecordWrites();
    List list(*doc, kRoleReader, Row(2), 4);
    HeadlessDialog d(host, list);
    edit(d);
    d.Ok();
    EXPECT_EQ(written, (std::vector<std::string>{"speakers.dat", "speakers.dat"}))
        << "only Alm's and Dahl's records";
    EXPECT_EQ(RolesOnDisk(1), kChair | kRead);
    EXPECT_EQ(RolesOnDisk(4), 0);
    EXPECT_EQ(RolesInMemory(4), 0);
    EXPECT_EQ(list.Chosen(), 4) << "nothing picked in the view: the holder";
}

} // namespace
} // namespace mivra::rotations
