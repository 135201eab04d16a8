// A program killed in the middle of saving leaves every file as it was before the save or as
// the save meant to leave it, never a mix of the two and never cut short.
#include "base/FileIo.h"
#include "dates/Dates.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "support/RecordWriters.h"
#include "support/TempDir.h"
#include "support/TestHost.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace mivra {
namespace {

using test::Bytes;
using Clock = std::chrono::steady_clock;

constexpr CivilDate kToday{2026, 3, 4};
constexpr int kBase = 884;
constexpr int kKills = 200;
constexpr int kUnavailable = 20000;

int CurrentWeek() {
    return dates::WeekNumberOf(kToday);
}

// The two versions the saving program alternates between: a full week window, and an
// availability table with or without its first record.
WeekRecord WeekOfVersion(int slot, int version) {
    WeekRecord w = WeekRecord::Blank(kBase + slot);
    w.homeTalk = static_cast<uint16_t>(1 + (slot + 7 * version) % 256);
    w.chairman = static_cast<int16_t>(1 + version);
    return w;
}

Bytes WeekFile(int version) {
    Bytes out;
    for (int slot = 0; slot < WeekWindow::kWeeks; ++slot) {
        const WeekRecord w = WeekOfVersion(slot, version);
        out = test::Concat({out, test::WeekBytes{.week = w.weekNumber,
                                                 .homeTalk = w.homeTalk,
                                                 .chairman = static_cast<uint16_t>(w.chairman)}
                                     .Build()});
    }
    return out;
}

std::pair<uint16_t, uint16_t> UnavailableRecord(int i) {
    return {static_cast<uint16_t>(1 + i % 500), static_cast<uint16_t>(CurrentWeek() + i / 500)};
}

Bytes AvailabilityFile(int version) {
    Bytes out;
    out.reserve(kUnavailable * 8);
    for (int i = version == 0 ? 0 : 1; i < kUnavailable; ++i) {
        auto [brother, week] = UnavailableRecord(i);
        Bytes r = test::AvailabilityBytes(brother, week);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

/** One round of the saving program: both files written in the other version. */
void SaveVersion(CMvDoc& doc, int version) {
    for (int slot = 0; slot < WeekWindow::kWeeks; ++slot)
        doc.Weeks().StoreWeek(WeekOfVersion(slot, version), kBase + slot);
    doc.Weeks().SaveWeeks();
    auto [brother, week] = UnavailableRecord(0);
    if (version == 1)
        doc.Availability().RemoveUnavailableWeek(brother, week);
    else
        doc.Availability().AddUnavailableWeek(brother,
                                              week); // takes the emptied first record again
    doc.Availability().SaveAvailability();
}

// Saves round after round until killed. With a step number, it stops at that step of its
// writes (counted over all of them), tells the parent and waits there for the kill.
[[noreturn]] void SaveForever(const std::filesystem::path& folder, int ready, int stopAtStep) {
    io::SetDurable(false); // a killed process loses nothing the kernel holds
    int steps = 0;
    if (stopAtStep > 0)
        io::SetFaultHook([&](io::Step, const std::filesystem::path&) {
            if (++steps == stopAtStep && ::write(ready, "k", 1) == 1)
                for (;;)
                    ::pause();
            return false;
        });
    ui::headless::HeadlessHost host;
    host.SetPermissive(true);
    FixedClock clock(kToday);
    CMvDoc doc(StringTable::Swedish(), host, clock, folder);
    if (!doc.LoadStore() || ::write(ready, "r", 1) != 1)
        ::_exit(1);
    for (int version = 1;; version ^= 1)
        SaveVersion(doc, version);
}

bool WaitForByte(int fd) {
    pollfd p{fd, POLLIN, 0};
    char c = 0;
    return ::poll(&p, 1, 10000) == 1 && ::read(fd, &c, 1) == 1;
}

class CrashDuringSave : public ::testing::Test {
protected:
    void SetUp() override {
        io::SetDurable(false);
        dir.Write("history.dat", weeks[0]);
        dir.Write("blackout.dat", unavailable[0]);
        EXPECT_TRUE(Load()) << "the first start creates the other files";
    }
    void TearDown() override { io::SetDurable(true); }

    bool Load() {
        test::TestHost host;
        CMvDoc doc(strings, host, clock, dir.path());
        return doc.LoadStore() && host.Messages().empty();
    }

    /** The time one round of saving takes here, so the kills spread over whole rounds. */
    std::chrono::microseconds RoundTime() {
        test::TempDir scratch;
        scratch.Write("blackout.dat", unavailable[0]);
        ui::headless::HeadlessHost host;
        host.SetPermissive(true);
        CMvDoc doc(strings, host, clock, scratch.path());
        EXPECT_TRUE(doc.LoadStore());
        const auto start = Clock::now();
        SaveVersion(doc, 1);
        SaveVersion(doc, 0);
        return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) / 2;
    }

    /** Removes the temporary files of killed saves; true when there was one. */
    bool SweepTemporaries() {
        bool found = false;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            if (entry.path().filename().string().find(".tmp-") == std::string::npos)
                continue;
            found = true;
            std::filesystem::remove(entry.path());
        }
        return found;
    }

    void ExpectOneOf(const std::string& file, const Bytes (&versions)[2], int (&seen)[3]) {
        const Bytes now = dir.Read(file);
        const int version = now == versions[0] ? 0 : now == versions[1] ? 1 : 2;
        ++seen[version];
        EXPECT_NE(version, 2) << file << " is neither version: " << now.size() << " bytes";
    }

    StringTable strings = StringTable::Swedish();
    FixedClock clock{kToday};
    test::TempDir dir;
    const Bytes weeks[2] = {WeekFile(0), WeekFile(1)};
    const Bytes unavailable[2] = {AvailabilityFile(0), AvailabilityFile(1)};
};

TEST_F(CrashDuringSave, EveryFileIsTheOldOrTheNewVersionAfterAKill) {
    const auto round = RoundTime();
    std::mt19937 rng(20260304);
    std::uniform_int_distribution<long> delay(0, 2 * round.count());
    // Two rounds write both files, each in several pieces, with the steps around them.
    std::uniform_int_distribution<int> step(1, 48);
    int weeksSeen[3] = {}, unavailableSeen[3] = {};
    int midSave = 0;
    const auto start = Clock::now();
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        dir.Write("history.dat", weeks[0]);
        dir.Write("blackout.dat", unavailable[0]);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        // Every other kill comes at a chosen step inside a write, the others at any moment.
        const int stopAt = kill % 2 ? step(rng) : 0;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForever(dir.path(), ready[1], stopAt);
        const bool started = WaitForByte(ready[0]) && (stopAt == 0 || WaitForByte(ready[0]));
        ::close(ready[0]);
        ::close(ready[1]);
        if (stopAt == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(started) << "the saving program did not start";
        ASSERT_TRUE(WIFSIGNALED(status)) << "it stopped by itself";

        midSave += SweepTemporaries();
        ExpectOneOf("history.dat", weeks, weeksSeen);
        ExpectOneOf("blackout.dat", unavailable, unavailableSeen);
        EXPECT_TRUE(Load()) << "the folder does not load cleanly after kill " << kill;
    }
    const auto seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%d kills in %.1f s (a round of saving takes %ld us); %d during a save; "
                "weeks old/new %d/%d, availability old/new %d/%d\n",
                kKills, seconds, static_cast<long>(round.count()), midSave, weeksSeen[0],
                weeksSeen[1], unavailableSeen[0], unavailableSeen[1]);
    EXPECT_GE(midSave, kKills / 4) << "too few kills landed inside a save";
    EXPECT_GT(weeksSeen[1] + unavailableSeen[1], 0) << "no save finished before a kill";
}

} // namespace
} // namespace mivra
