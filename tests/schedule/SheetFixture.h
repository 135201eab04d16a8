#pragma once

#include "app/ShellParts.h"
#include "schedule/CTabSchedule.h"
#include "support/DocFixture.h"
#include "ui/headless/HeadlessSheet.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mivra::test {

/**
 * A data folder with two brothers, a congregation, a few weeks and one event, the document
 * on it, and the scheduling sheet with the commands its "Redigera" menu passed on.
 */
class SheetTest : public DocTest {
protected:
    static constexpr int kWeek = kBase + 340; // a week of the file: home talk 5, chairman 1
    static constexpr int kEventWeek = kBase + 345;

    void SetUp() override {
        DocTest::SetUp();
        dir.Write("speakers.dat",
                  SlotFile({{1, BrotherBytes{.first = "Per", .last = "Ek", .key = 1}.Build()},
                            {2, BrotherBytes{.first = "Olof", .last = "Ask", .key = 2}.Build()}}));
        dir.Write("cong.dat",
                  SlotFile({{1, CongregationBytes{.name = "Norra", .key = 1}.Build()}}));
        dir.Write("history.dat", Concat({WeekBytes{.week = kWeek + 1,
                                                   .homeSpeaker = 2,
                                                   .homeTalk = 5,
                                                   .homeCongregation = 1,
                                                   .chairman = 1}
                                             .Build(),
                                         WeekBytes{.week = kEventWeek + 1, .flags = 3}.Build()}));
        dir.Write("special.dat",
                  EventBytes{.weekIndex = kEventWeek, .flags = 2, .name = "Sammankomst"}.Build());
    }

    CMvDoc& Open(bool hosts = false, bool readers = false) {
        CMvDoc& d = LoadQuietly();
        d.Settings().MutableOptions().scheduleHosts = hosts;
        d.Settings().MutableOptions().scheduleReaders = readers;
        return d;
    }
    /** The sheet on the open document, driven headless from its start page. */
    ui::headless::HeadlessSheet& Show(int startPage) {
        driver.reset();
        sheet = std::make_unique<schedule::CTabSchedule>(*doc, app::MakeSchedulePages(*doc),
                                                         [this](int id) { Run(id); });
        sheet->SetStartPage(startPage);
        driver = std::make_unique<ui::headless::HeadlessSheet>(host, *sheet);
        return *driver;
    }
    void Run(int id) {
        commands.push_back(id);
        if (onCommand)
            onCommand(id);
    }

    /** Index of the week of row r (0-based) of every page. */
    static int Row(int r) { return CurrentWeek() - 1 + r; }

    WeekRecord& Week(int index) { return doc->Weeks().GetWeek(index); }
    void Set(int index, const std::function<void(WeekRecord&)>& change) {
        WeekRecord& w = Week(index);
        change(w);
        doc->Weeks().StoreWeek(w, index);
    }

    WeekRecord OnDisk(int weekIndex) {
        CMvDoc fresh(strings, host, clock, dir.path());
        EXPECT_TRUE(fresh.LoadStore());
        return fresh.Weeks().Week(weekIndex);
    }
    int EventsOnDisk() {
        CMvDoc fresh(strings, host, clock, dir.path());
        EXPECT_TRUE(fresh.LoadStore());
        return fresh.Events().Count();
    }

    std::unique_ptr<schedule::CTabSchedule> sheet;
    std::unique_ptr<ui::headless::HeadlessSheet> driver;
    std::vector<int> commands;
    std::function<void(int)> onCommand;
};

} // namespace mivra::test
