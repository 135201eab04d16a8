#pragma once

#include "base/Clock.h"
#include "base/FileIo.h"
#include "dates/Dates.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "support/RecordWriters.h"
#include "support/TempDir.h"
#include "support/TestHost.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace mivra::test {

/** A data folder written by the test, a scripted host, a fixed day, and the document on it. */
class DocTest : public ::testing::Test {
protected:
    static constexpr CivilDate kToday{2026, 3, 4};
    static constexpr int kBase = 884; // the window of 2026

    void SetUp() override { io::SetDurable(false); }
    void TearDown() override {
        io::SetFaultHook(nullptr);
        io::SetDurable(true);
    }

    CMvDoc& Load() {
        doc = std::make_unique<CMvDoc>(strings, host, clock, dir.path());
        EXPECT_TRUE(doc->LoadStore());
        return *doc;
    }
    /** Loads and expects no message box at all. */
    CMvDoc& LoadQuietly() {
        CMvDoc& d = Load();
        EXPECT_TRUE(host.Messages().empty())
            << (host.Messages().empty() ? "" : host.Messages().front().text);
        return d;
    }

    static int CurrentWeek() { return dates::WeekNumberOf(kToday); }

    /** The week as a second document reads it from the folder. */
    WeekRecord WeekOnDisk(int weekIndex) {
        CMvDoc fresh(strings, host, clock, dir.path());
        EXPECT_TRUE(fresh.LoadStore());
        return fresh.Weeks().Week(weekIndex);
    }

    /** Every file the program writes from now on, in order. */
    std::vector<std::string>& RecordWrites() {
        io::SetFaultHook([this](io::Step step, const std::filesystem::path& target) {
            if (step == io::Step::Create)
                writes.push_back(target.filename().string());
            return false;
        });
        return writes;
    }
    /** Makes every write to one file fail. */
    void FailWritesTo(const std::string& name) {
        io::SetFaultHook([name](io::Step step, const std::filesystem::path& target) {
            return step == io::Step::Create && target.filename() == name;
        });
    }

    /** The texts of the message boxes shown so far, then forgotten. */
    std::vector<std::string> TakeMessages() {
        std::vector<std::string> texts;
        for (const ui::MessageBox& box : host.Messages())
            texts.push_back(box.text);
        host.ClearMessages();
        return texts;
    }

    std::string Path(const std::string& name) const { return (dir.path() / name).string(); }

    StringTable strings = StringTable::Swedish();
    TempDir dir;
    TestHost host;
    FixedClock clock{kToday};
    std::unique_ptr<CMvDoc> doc;
    std::vector<std::string> writes;
};

} // namespace mivra::test
