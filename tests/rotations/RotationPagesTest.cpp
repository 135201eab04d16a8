#include "schedule/SheetFixture.h"

namespace mivra::rotations {
namespace {

using schedule::CWeekPage;
using schedule::SchedulePage;
using schedule::SchedulePageIndex;
using ui::headless::HeadlessSheet;

struct RotationCase {
    SchedulePage page;
    const char* tab;
    int16_t WeekRecord::*field;
    int16_t value;
};

class RotationPages : public test::SheetTest, public ::testing::WithParamInterface<RotationCase> {
protected:
    CWeekPage& PageOf(SchedulePage page) {
        if (page == SchedulePage::Hosts)
            return *sheet->Hosts();
        if (page == SchedulePage::Readers)
            return *sheet->Readers();
        return sheet->Chairman();
    }
};

TEST_P(RotationPages, CommitTheirSelectedWeekAndDropWhatCancelFinds) {
    const RotationCase& c = GetParam();
    Open(true, true);
    HeadlessSheet& s = Show(SchedulePageIndex(doc->Settings().Options(), c.page));
    EXPECT_EQ(s.Tabs()[static_cast<size_t>(s.ShownPage())], c.tab);
    CWeekPage& page = PageOf(c.page);

    page.SelectWeek(kWeek + 4);
    doc->Weeks().GetWeek(kWeek + 4).*c.field = c.value; // changed in place, as the page does
    page.EditWeek(kWeek + 5, [&c](WeekRecord& w) { w.*c.field = c.value; });
    s.Apply();
    EXPECT_EQ(OnDisk(kWeek + 4).*c.field, c.value);
    EXPECT_EQ(OnDisk(kWeek + 5).*c.field, c.value);

    page.EditWeek(kWeek + 4, [&c](WeekRecord& w) { w.*c.field = 0; });
    s.Cancel();
    EXPECT_EQ(doc->Weeks().Week(kWeek + 4).*c.field, c.value) << "back to what Apply wrote";
}

INSTANTIATE_TEST_SUITE_P(
    EachDuty, RotationPages,
    ::testing::Values(RotationCase{SchedulePage::Chairman, "Ordförande", &WeekRecord::chairman, 2},
                      RotationCase{SchedulePage::Hosts, "Värd", &WeekRecord::host, 30001},
                      RotationCase{SchedulePage::Readers, "Högläsare vid Vakttornsstudiet",
                                   &WeekRecord::reader, 2}),
    [](const ::testing::TestParamInfo<RotationCase>& p) {
        return std::string(p.param.page == SchedulePage::Chairman ? "Chairman"
                           : p.param.page == SchedulePage::Hosts  ? "Host"
                                                                  : "Reader");
    });

} // namespace
} // namespace mivra::rotations
