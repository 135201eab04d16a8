#include "reports/CFollowUpDlg.h"
#include "reports/ScheduleFixture.h"
#include "store/Profile.h"
#include "ui/headless/HeadlessDialog.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using reports::CFollowUpDlg;
using ui::headless::HeadlessDialog;

class FollowUpDlg : public test::ScheduleTest {
protected:
    std::string Stored(const char* key) const {
        return Profile::Load(dir.path() / "mivraw.ini", 1252)
            .GetString("Uppföljning", key)
            .value_or("");
    }
};

TEST_F(FollowUpDlg, OkKeepsTheLimitsInTheProfileAndCancelWritesNothing) {
    WriteFolder({});
    Load();
    {
        CFollowUpDlg dialog(*doc);
        HeadlessDialog d(host, dialog);
        EXPECT_EQ(d.Value(CFollowUpDlg::kAfter), 3);
        EXPECT_EQ(d.Value(CFollowUpDlg::kAhead), 26);
        d.Step(CFollowUpDlg::kAfter, 2).Step(CFollowUpDlg::kAhead, 40).Cancel();
    }
    EXPECT_EQ(Stored("Veckor"), "");
    {
        CFollowUpDlg dialog(*doc);
        HeadlessDialog d(host, dialog);
        d.Step(CFollowUpDlg::kAfter, 2).Step(CFollowUpDlg::kAhead, 40).Ok();
        EXPECT_EQ(dialog.Limits().after, 5);
        EXPECT_EQ(dialog.Limits().ahead, 52) << "held to its range";
    }
    EXPECT_EQ(Stored("Veckor"), "5");
    EXPECT_EQ(Stored("Framåt"), "52");
    CFollowUpDlg again(*doc);
    HeadlessDialog d(host, again);
    EXPECT_EQ(d.Value(CFollowUpDlg::kAfter), 5);
    d.Cancel();
}

TEST_F(FollowUpDlg, AStoredValueOutOfRangeIsHeldAndAViewOnlyFolderKeepsItsProfile) {
    WriteFolder({});
    dir.WriteText("mivraw.ini", test::Cp1252("[Congregation]\r\nNumber=1\r\n[Uppföljning]\r\n"
                                             "Veckor=99\r\nFramåt=0\r\n"));
    Load();
    doc->SetReadOnly(true);
    EXPECT_EQ(CFollowUpDlg::StoredLimits(*doc).after, 12);
    EXPECT_EQ(CFollowUpDlg::StoredLimits(*doc).ahead, 1);
    CFollowUpDlg dialog(*doc);
    HeadlessDialog(host, dialog).Step(CFollowUpDlg::kAfter, -1).Ok();
    EXPECT_EQ(dialog.Limits().after, 11);
    EXPECT_EQ(Stored("Veckor"), "99");
}

} // namespace
} // namespace mivra
