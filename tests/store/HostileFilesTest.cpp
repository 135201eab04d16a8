// Files no program of ours would write: far too large, or pipes in the place of data files.
// The folder loads within the read caps, quickly and in bounded memory, and stays usable.
#include "support/DocFixture.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace mivra {
namespace {

using std::chrono::steady_clock;
using test::Bytes;

// The growth of the process's peak resident memory from here on, where the system can reset
// the peak (Linux: /proc/self/clear_refs); nothing where it cannot.
class PeakMemory {
public:
    PeakMemory() {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5";
        reset.close();
        m_usable = !reset.fail();
        m_start = Read("VmRSS:");
    }
    std::optional<long> GrowthMiB() const {
        if (!m_usable)
            return std::nullopt;
        return (Read("VmHWM:") - m_start) / 1024;
    }

private:
    static long Read(const std::string& field) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind(field, 0) == 0)
                return std::stol(line.substr(field.size()));
        return 0;
    }
    bool m_usable = false;
    long m_start = 0;
};

// A guard against a load that reads a hostile file whole or stalls on it, far above any
// machine's noise (sanitizers, a loaded CI machine); the load's speed is the benchmark's.
constexpr auto kLoadBound = std::chrono::seconds(30);
constexpr long kMemoryBoundMiB = 64;

class HostileFiles : public test::DocTest {
protected:
    /** Loads and reports how long it took and how much memory it took at its peak. */
    CMvDoc& TimedLoad() {
        PeakMemory memory;
        const auto start = steady_clock::now();
        CMvDoc& d = Load();
        const auto took = steady_clock::now() - start;
        EXPECT_LT(took, kLoadBound);
        if (auto growth = memory.GrowthMiB()) {
            EXPECT_LT(*growth, kMemoryBoundMiB) << "MiB more at the peak of the load";
        }
        return d;
    }

    /** A file of `count` copies of one record after a head. */
    void WriteRepeated(const std::string& name, const Bytes& head, const Bytes& record,
                       size_t count) {
        std::ofstream out(dir / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(head.data()), static_cast<long>(head.size()));
        Bytes block;
        for (size_t i = 0; i < 4096; ++i)
            block.insert(block.end(), record.begin(), record.end());
        for (size_t done = 0; done < count; done += 4096)
            out.write(reinterpret_cast<const char*>(block.data()),
                      static_cast<long>(std::min<size_t>(4096, count - done) * record.size()));
    }

    // Still usable: a week can be planned and saved, and everything reads back.
    void ExpectUsable(CMvDoc& d) {
        WeekRecord w = d.Weeks().GetWeek(kBase + 100);
        w.homeTalk = 42;
        d.Weeks().StoreWeek(w, kBase + 100);
        EXPECT_TRUE(d.Weeks().SaveWeeks());
        EXPECT_TRUE(d.ReloadStore());
        EXPECT_EQ(d.Weeks().Week(kBase + 100).homeTalk, 42);
    }
};

TEST_F(HostileFiles, AGigabyteSparseBrotherFileLoadsItsAddressableSlotsOnly) {
    dir.Write(
        "speakers.dat",
        test::SlotFile(
            {{1, test::BrotherBytes{.first = "Per", .last = "Lund", .key = 1}.Build()},
             {65535, test::BrotherBytes{.first = "Sist", .last = "Slot", .key = 65535}.Build()}}));
    {
        // A brother past the last slot a 16-bit key can name is never read.
        std::fstream f(dir / "speakers.dat", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(70000 * 256);
        const Bytes beyond =
            test::BrotherBytes{.first = "För", .last = "Långt", .key = 4464}.Build();
        f.write(reinterpret_cast<const char*>(beyond.data()), 256);
    }
    ASSERT_EQ(::truncate((dir / "speakers.dat").c_str(), 1LL << 30), 0);
    CMvDoc& d = TimedLoad();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(d.Brothers().BrotherCount(), 2);
    EXPECT_EQ(d.Brothers().BrotherNameByKey(65535, false), "Sist Slot");
    EXPECT_EQ(d.Brothers().FindBrotherByKey(4464), kNotFound);
    const int added =
        d.Brothers().AddBrother({.firstName = "Bo", .lastName = "Ek"}, {.phone2 = "070"});
    ASSERT_GE(added, 0);
    EXPECT_EQ(d.Brothers().Brother(added)->brotherKey, 2);
    EXPECT_EQ(std::filesystem::file_size(dir / "speakers.dat"), 1ULL << 30) << "written in place";
    ExpectUsable(d);
    EXPECT_EQ(d.Brothers().BrotherCount(), 3);
}

TEST_F(HostileFiles, AHundredMegabyteWeekFileIsStreamedHoldingOnlyTheWindow) {
    Bytes window;
    for (int n = 1; n <= 1000; ++n)
        window = test::Concat({window, test::WeekBytes{.week = static_cast<uint16_t>(kBase + n),
                                                       .homeTalk = static_cast<uint16_t>(n % 256)}
                                           .Build()});
    // After the window, over a million and a half records of weeks it cannot hold.
    WriteRepeated("history.dat", window, test::WeekBytes{.week = 65535, .chairman = 1}.Build(),
                  (100u << 20) / 64 - 1000);
    ASSERT_GE(std::filesystem::file_size(dir / "history.dat"), 100u << 20);
    CMvDoc& d = TimedLoad();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(d.Weeks().Week(kBase).homeTalk, 1);
    EXPECT_EQ(d.Weeks().Week(kBase + 999).homeTalk, 1000 % 256);
    ExpectUsable(d);
    EXPECT_EQ(std::filesystem::file_size(dir / "history.dat"), 64000u)
        << "weeks outside the window leave the file at the next save";
}

TEST_F(HostileFiles, TenMillionUnavailableWeeksLoadUpToTheCapAndTheFileIsKept) {
    const auto week = static_cast<uint16_t>(CurrentWeek() + 1);
    WriteRepeated("blackout.dat", test::AvailabilityBytes(7, week),
                  test::AvailabilityBytes(8, week), 10'000'000 - 1);
    const auto size = std::filesystem::file_size(dir / "blackout.dat");
    CMvDoc& d = TimedLoad();
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{strings.Format(60004, Path("blackout.dat"))});
    EXPECT_FALSE(d.Availability().IsAvailable(7, week));
    EXPECT_TRUE(d.Availability().IsAvailable(7, week + 1));
    EXPECT_EQ(d.Availability().Records().size(), 1u << 20);
    d.Availability().AddUnavailableWeek(7, week + 1);
    EXPECT_FALSE(d.Availability().IsAvailable(7, week + 1));
    EXPECT_FALSE(d.Availability().SaveAvailability()) << "the part not read must not be lost";
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{strings.Format(60005, Path("blackout.dat"))});
    EXPECT_EQ(std::filesystem::file_size(dir / "blackout.dat"), size);
    WeekRecord w = d.Weeks().GetWeek(kBase + 100);
    w.homeTalk = 42;
    d.Weeks().StoreWeek(w, kBase + 100);
    EXPECT_TRUE(d.Weeks().SaveWeeks()) << "the other files are saved as usual";
}

TEST_F(HostileFiles, PipesInThePlaceOfEveryDataFileNeitherHangTheLoadNorAreWritten) {
    const std::vector<std::string> names = {
        "speakers.dat", "xtend.dat",   "cong.dat",     "talk.dat",     "topic.dat",   "circuit.dat",
        "hospital.dat", "history.dat", "blackout.dat", "wishlist.dat", "special.dat", "mivraw.ini"};
    for (const std::string& name : names)
        ASSERT_EQ(::mkfifo((dir / name).c_str(), 0600), 0) << name;
    // A load that waits for a writer would block forever: fail loudly instead.
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::seconds(20), [&] { return done; })) {
            std::fprintf(stderr, "the load is waiting on a pipe\n");
            std::_Exit(1);
        }
    });
    CMvDoc& d = Load();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    const std::vector<std::string> messages = TakeMessages();
    EXPECT_EQ(messages.size(), names.size()) << "each is named once";
    for (const std::string& name : names)
        EXPECT_NE(std::find(messages.begin(), messages.end(), strings.Format(60003, Path(name))),
                  messages.end())
            << name;
    EXPECT_EQ(d.Brothers().AddBrother({.firstName = "Per", .lastName = "Lund"}, {}), -1);
    EXPECT_FALSE(d.Weeks().SaveWeeks());
    TakeMessages();
    for (const std::string& name : names) {
        struct stat st {};
        ASSERT_EQ(::stat((dir / name).c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << name << " was replaced";
    }
}

} // namespace
} // namespace mivra
