#include "resources/CommandIds.h"
#include "schedule/SheetFixture.h"

namespace mivra::schedule {
namespace {

using ui::headless::HeadlessSheet;

class ScheduleSheet : public test::SheetTest {
protected:
    static void Talk(WeekRecord& w) { w.homeTalk = 33; }
};

const std::vector<std::string> kAllTabs = {"Sammanfattning",
                                           "Tal i hemförsamlingen",
                                           "Ordförande",
                                           "Värd",
                                           "Högläsare vid Vakttornsstudiet",
                                           "Talare som reser ut",
                                           "Sammankomster, kretsbesök, etc"};

TEST_F(ScheduleSheet, TabsFollowTheSettingsAndEveryPageIsFoundAtItsIndex) {
    const SchedulePage pages[] = {
        SchedulePage::Summary, SchedulePage::HomeTalks, SchedulePage::Chairman, SchedulePage::Hosts,
        SchedulePage::Readers, SchedulePage::Outgoing,  SchedulePage::Events};
    struct Case {
        bool hosts, readers;
        int outgoing;
    } cases[] = {{false, false, 3}, {true, false, 4}, {false, true, 4}, {true, true, 5}};
    Open();
    for (const Case& c : cases) {
        doc->Settings().MutableOptions().scheduleHosts = c.hosts;
        doc->Settings().MutableOptions().scheduleReaders = c.readers;
        const int outgoing = SchedulePageIndex(doc->Settings().Options(), SchedulePage::Outgoing);
        EXPECT_EQ(outgoing, c.outgoing);
        HeadlessSheet& s = Show(outgoing);
        EXPECT_EQ(s.Tabs()[static_cast<size_t>(s.ShownPage())], "Talare som reser ut");
        std::vector<std::string> expected;
        for (size_t i = 0; i < kAllTabs.size(); ++i) {
            const int index = SchedulePageIndex(doc->Settings().Options(), pages[i]);
            EXPECT_EQ(index, sheet->PageIndex(pages[i]));
            if (index < 0)
                continue;
            expected.push_back(kAllTabs[i]);
            EXPECT_EQ(s.Tabs()[static_cast<size_t>(index)], kAllTabs[i]);
        }
        EXPECT_EQ(s.Tabs(), expected) << c.hosts << c.readers;
        EXPECT_EQ(sheet->Hosts() != nullptr, c.hosts);
        EXPECT_EQ(sheet->Readers() != nullptr, c.readers);
        s.Cancel();
    }
    EXPECT_EQ(SchedulePageIndex(SchedulePage::Readers, false, true), 3);
    EXPECT_EQ(SchedulePageIndex(SchedulePage::Readers, true, true), 4);
    EXPECT_EQ(SchedulePageIndex(SchedulePage::Hosts, false, true), -1);
}

TEST_F(ScheduleSheet, TheFrameHasItsCaptionButtonsAndRefusesTheCloseBox) {
    Open();
    HeadlessSheet& s = Show(0);
    EXPECT_EQ(sheet->Caption(), "Panel för schemaläggning");
    EXPECT_EQ(s.ButtonText(ui::kIdCancel), "Avbryt");
    EXPECT_EQ(s.ButtonText(cmd::kSheetEdit), "Redigera");
    EXPECT_FALSE(s.IsButtonEnabled(ui::kIdApply));
    s.CloseBox();
    EXPECT_TRUE(s.IsOpen());
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Get(1294)});
    s.Ok();
    EXPECT_EQ(s.EndCode(), ui::kIdOk);
}

TEST_F(ScheduleSheet, TheEditMenuPassesTheChosenListCommandOn) {
    Open();
    HeadlessSheet& s = Show(1);
    host.ChooseMenu(cmd::kCongregations);
    s.Press(cmd::kSheetEdit);
    host.ChooseMenu(0); // dismissed
    s.Press(cmd::kSheetEdit);
    host.ChooseMenu(cmd::kBrothers);
    s.Press(cmd::kSheetEdit);
    EXPECT_EQ(commands, (std::vector<int>{32844, 32768}));
    ASSERT_EQ(host.Menus().size(), 3u);
    const std::vector<ui::MenuItem>& items = host.Menus()[0].menu.items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].id, 32844);
    EXPECT_EQ(items[0].text, "Församlingar");
    EXPECT_EQ(items[1].id, 32768);
    EXPECT_EQ(items[1].text, "Bröder");
    EXPECT_TRUE(s.IsOpen());
    s.Cancel();
}

TEST_F(ScheduleSheet, CancelRestoresWhatWasLastWritten) {
    Open();
    const WeekRecord before = doc->Weeks().Week(kWeek);
    std::vector<std::string>& written = RecordWrites();
    HeadlessSheet& s = Show(1);
    sheet->HomeTalks().EditWeek(kWeek, Talk);
    sheet->HomeTalks().EditWeek(kWeek + 1, Talk);
    doc->AddEvent({.weekIndex = kWeek + 2, .flags = kWeekOtherEvent, .name = "Möte"});
    EXPECT_TRUE(s.IsButtonEnabled(ui::kIdApply));
    s.Cancel();
    EXPECT_EQ(s.EndCode(), ui::kIdCancel);
    EXPECT_EQ(doc->Weeks().Week(kWeek), before);
    EXPECT_FALSE(doc->Weeks().Week(kWeek + 1).InUse());
    EXPECT_EQ(doc->Weeks().Week(kWeek + 2).weekFlags, 0);
    EXPECT_EQ(doc->Events().Count(), 1);
    EXPECT_TRUE(written.empty());
}

TEST_F(ScheduleSheet, AfterApplyCancelKeepsWhatApplyWrote) {
    Open();
    HeadlessSheet& s = Show(1);
    sheet->HomeTalks().EditWeek(kWeek, Talk);
    s.Apply();
    EXPECT_FALSE(s.IsButtonEnabled(ui::kIdApply));
    sheet->HomeTalks().EditWeek(kWeek + 1, Talk);
    s.Cancel();
    EXPECT_EQ(doc->Weeks().Week(kWeek).homeTalk, 33);
    EXPECT_EQ(OnDisk(kWeek).homeTalk, 33);
    EXPECT_EQ(OnDisk(kWeek).chairman, 1) << "the rest of the week as it was";
    EXPECT_FALSE(doc->Weeks().Week(kWeek + 1).InUse());
    EXPECT_FALSE(OnDisk(kWeek + 1).InUse());
}

TEST_F(ScheduleSheet, OkStoresEachOpenedPagesSelectedWeekBeforeWriting) {
    Open();
    HeadlessSheet& s = Show(1);
    s.SelectPage(SchedulePageIndex(doc->Settings().Options(), SchedulePage::Outgoing));
    // Pages change their selected week in place; the store at OK marks it in use.
    sheet->HomeTalks().SelectWeek(kWeek + 10);
    doc->Weeks().GetWeek(kWeek + 10).homeTalk = 41;
    sheet->Outgoing().SelectWeek(kWeek + 11);
    doc->Weeks().GetWeek(kWeek + 11).outSpeaker[0] = 2;
    sheet->Chairman().SelectWeek(kWeek + 12); // never opened
    doc->Weeks().GetWeek(kWeek + 12).chairman = 2;
    s.Ok();
    EXPECT_EQ(OnDisk(kWeek + 10).homeTalk, 41);
    EXPECT_EQ(OnDisk(kWeek + 11).outSpeaker[0], 2);
    EXPECT_FALSE(OnDisk(kWeek + 12).InUse()) << "a page never opened stores nothing";
}

TEST_F(ScheduleSheet, OkReachesTheOpenedPagesInTabOrderAndTheEventsPageWritesTwice) {
    Open(true, true);
    HeadlessSheet& s = Show(SchedulePageIndex(doc->Settings().Options(), SchedulePage::Events));
    s.SelectPage(SchedulePageIndex(doc->Settings().Options(), SchedulePage::Outgoing))
        .SelectPage(1);
    std::vector<std::string>& written = RecordWrites();
    s.Ok();
    EXPECT_FALSE(s.IsOpen());
    EXPECT_EQ(written,
              (std::vector<std::string>{"history.dat", "special.dat", // home talks
                                        "history.dat", "special.dat", // outgoing speakers
                                        "special.dat", "history.dat", "special.dat", // events
                                        "history.dat"}));
}

TEST_F(ScheduleSheet, AFailedWeekSaveKeepsTheSheetOpenWithItsChanges) {
    Open();
    HeadlessSheet& s = Show(1);
    s.SelectPage(0);
    sheet->HomeTalks().EditWeek(kWeek, Talk);
    FailWritesTo("history.dat");
    s.Ok();
    EXPECT_TRUE(s.IsOpen()) << "closing would lose the change at the next Cancel or exit";
    EXPECT_EQ(s.ShownPage(), 1) << "on the page whose write failed";
    EXPECT_TRUE(s.IsButtonEnabled(ui::kIdApply)) << "the page is still modified";
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("history.dat"))});
    EXPECT_EQ(doc->Weeks().Week(kWeek).homeTalk, 33);

    io::SetFaultHook(nullptr);
    s.Apply();
    EXPECT_FALSE(s.IsButtonEnabled(ui::kIdApply));
    EXPECT_EQ(OnDisk(kWeek).homeTalk, 33);
    s.Ok();
    EXPECT_FALSE(s.IsOpen());
}

TEST_F(ScheduleSheet, AFailedEventSaveKeepsTheSheetOpenOnTheEventsPage) {
    Open();
    const int events = SchedulePageIndex(doc->Settings().Options(), SchedulePage::Events);
    HeadlessSheet& s = Show(events);
    doc->AddEvent({.weekIndex = kWeek + 2, .flags = kWeekOtherEvent, .name = "Möte"});
    FailWritesTo("special.dat");
    EXPECT_FALSE(s.IsButtonEnabled(ui::kIdApply));
    s.Ok();
    EXPECT_TRUE(s.IsOpen());
    EXPECT_EQ(s.ShownPage(), events);
    EXPECT_TRUE(s.IsButtonEnabled(ui::kIdApply)) << "the failed page is marked to be saved";
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(1231, Path("special.dat"))})
        << "the second pair of writes is not tried after a failure";
    io::SetFaultHook(nullptr);
    s.Ok();
    EXPECT_FALSE(s.IsOpen());
    EXPECT_EQ(EventsOnDisk(), 2);
}

TEST_F(ScheduleSheet, CancelReadsBothFilesBackWhicheverPagesWereOpened) {
    Open();
    // Only pages without a week of their own were opened; Cancel must still read back.
    for (SchedulePage only : {SchedulePage::Summary, SchedulePage::Events}) {
        HeadlessSheet& s = Show(SchedulePageIndex(doc->Settings().Options(), only));
        doc->AddEvent({.weekIndex = kWeek + 2, .flags = kWeekOtherEvent, .name = "Möte"});
        WeekRecord w = doc->Weeks().GetWeek(kWeek);
        w.chairman = 2;
        doc->Weeks().StoreWeek(w, kWeek);
        s.Cancel();
        EXPECT_EQ(doc->Events().Count(), 1);
        EXPECT_EQ(doc->Weeks().Week(kWeek).chairman, 1);
    }
    HeadlessSheet& s = Show(1);
    s.Ok();
    EXPECT_EQ(EventsOnDisk(), 1) << "the cancelled event never reaches the file";
}

TEST_F(ScheduleSheet, ACascadeFromTheEditMenuLeavesTheSheetsOtherEditsToCancel) {
    Open();
    HeadlessSheet& s = Show(1);
    sheet->HomeTalks().EditWeek(kWeek + 20, Talk);
    onCommand = [this](int id) {
        ASSERT_EQ(id, cmd::kBrothers);
        ASSERT_TRUE(
            doc->DeleteBrother(doc->Brothers().FindBrotherByKey(1))); // the chairman of kWeek
    };
    host.ChooseMenu(cmd::kBrothers);
    s.Press(cmd::kSheetEdit);
    EXPECT_EQ(OnDisk(kWeek).chairman, 0) << "the cascade is written at once";
    EXPECT_FALSE(OnDisk(kWeek + 20).InUse()) << "the sheet's edit is not";
    s.Cancel();
    EXPECT_EQ(doc->Weeks().Week(kWeek).chairman, 0);
    EXPECT_EQ(doc->Weeks().Week(kWeek).homeTalk, 5);
    EXPECT_FALSE(doc->Weeks().Week(kWeek + 20).InUse()) << "Cancel still drops the pending edit";
    EXPECT_EQ(OnDisk(kWeek).chairman, 0);
}

TEST_F(ScheduleSheet, TheFirstShownWeekIsTheCurrentWeekWhileBuiltAndAfterClosing) {
    Open();
    const int current = doc->CurrentWeek();
    doc->SetFirstShownWeek(current + 30);
    CTabSchedule tabs(*doc, app::MakeSchedulePages(*doc), {});
    EXPECT_EQ(doc->FirstShownWeek(), current);
    host.OnSheet([&](HeadlessSheet& s) {
        EXPECT_EQ(tabs.HomeTalks().FirstShownWeek(), current);
        doc->SetFirstShownWeek(current + 10); // the summary page moves it
        tabs.QuerySiblings(1, 2);
        EXPECT_EQ(tabs.HomeTalks().FirstShownWeek(), current) << "another query";
        tabs.QuerySiblings(555, 555);
        EXPECT_EQ(tabs.HomeTalks().FirstShownWeek(), current + 10);
        EXPECT_EQ(tabs.Chairman().FirstShownWeek(), 0) << "a page never opened is not told";
        s.SelectPage(2);
        EXPECT_EQ(tabs.Chairman().FirstShownWeek(), current + 10) << "it reads it on opening";
        s.Ok();
    });
    EXPECT_EQ(tabs.Run(host, 1), ui::kIdOk);
    EXPECT_EQ(doc->FirstShownWeek(), current);
}

TEST_F(ScheduleSheet, WeeksOutsideTheWindowAreReadOnly) {
    Open();
    const test::Bytes before = dir.Read("history.dat");
    HeadlessSheet& s = Show(1);
    for (int outside : {kBase - 1, kBase + 1000}) {
        EXPECT_FALSE(sheet->HomeTalks().IsEditable(outside));
        EXPECT_FALSE(sheet->HomeTalks().EditWeek(outside, Talk));
        sheet->HomeTalks().SelectWeek(outside);
        doc->Weeks().GetWeek(outside).homeTalk = 9; // a blank week nothing keeps
        EXPECT_EQ(doc->Weeks().Week(outside).homeTalk, 0);
    }
    EXPECT_TRUE(sheet->HomeTalks().IsEditable(kBase));
    EXPECT_FALSE(s.IsButtonEnabled(ui::kIdApply));
    s.Ok();
    EXPECT_EQ(dir.Read("history.dat"), before);
}

} // namespace
} // namespace mivra::schedule
