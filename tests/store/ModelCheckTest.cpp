// The model check: long random runs of the document's operations, and after every step the
// document in memory, a reference model and a document read from the same folder must agree.
// Steps: MIVRA_MODEL_STEPS (default 2000); seed: MIVRA_MODEL_SEED.
#include "DocModel.h"
#include "base/Bytes.h"
#include "base/FileIo.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "support/TempDir.h"
#include "support/TestHost.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sstream>

namespace mivra::test {
namespace {

constexpr CivilDate kToday{2026, 3, 4};
constexpr uint32_t kDefaultSeed = 20260304;
constexpr int kDefaultSteps = 2000;

uint32_t FromEnvironment(const char* name, uint32_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? static_cast<uint32_t>(std::strtoul(value, nullptr, 10)) : fallback;
}

/** Collects the first few differences between what is and what should be. */
class Differences {
public:
    template <class A, class B>
    void Expect(const A& is, const B& should, const std::string& what) {
        if (!(is == should))
            Add(what);
    }
    void Add(const std::string& what) {
        if (m_list.size() < 8)
            m_list.push_back(what);
    }
    bool Empty() const { return m_list.empty(); }
    std::string Text() const {
        std::string out;
        for (const std::string& d : m_list)
            out += "  " + d + "\n";
        return out;
    }

private:
    std::vector<std::string> m_list;
};

std::string Key(const char* what, unsigned key) {
    return std::string(what) + " " + std::to_string(key);
}

void CompareBrothers(const CMvDoc& doc, const DocModel& m, Differences& d) {
    d.Expect(doc.Brothers().BrotherCount(), static_cast<int>(m.brothers.size()),
             "number of brothers");
    for (const auto& [key, b] : m.brothers) {
        const BrotherIndexEntry* entry =
            doc.Brothers().Brother(doc.Brothers().FindBrotherByKey(key));
        if (!entry) {
            d.Add(Key("missing brother", key));
            continue;
        }
        d.Expect(entry->slot, key, Key("slot of brother", key));
        d.Expect(entry->firstName + " " + entry->lastName, b.first + " " + b.last,
                 Key("name of brother", key));
        d.Expect(entry->congregationKey, b.congregation, Key("congregation of brother", key));
        BrotherRecord record;
        doc.Brothers().ReadBrother(doc.Brothers().FindBrotherByKey(key), record);
        d.Expect(record.phone, b.phone, Key("telephone of brother", key));
        d.Expect(record.homeRoles, b.roles, Key("roles of brother", key));
        BrotherExtraRecord extra;
        const bool has = doc.Brothers().ReadBrotherExtra(entry->extraSlot, key, extra);
        d.Expect(has, b.HasExtra(), Key("contact record of brother", key));
        d.Expect(extra.phone2 + "|" + extra.email + "|" + extra.remark,
                 b.phone2 + "|" + b.email + "|" + b.remark, Key("contact data of brother", key));
    }
    for (int i = 1; i < doc.Brothers().BrotherCount(); ++i)
        if (doc.Brothers().Brother(i)->sortKey < doc.Brothers().Brother(i - 1)->sortKey)
            d.Add("brothers out of order at " + std::to_string(i));
}

void CompareCongregations(const CMvDoc& doc, const DocModel& m, Differences& d) {
    d.Expect(doc.Congregations().CongregationCount(), static_cast<int>(m.congregations.size()),
             "number of congregations");
    for (const auto& [key, c] : m.congregations) {
        const int index = doc.Congregations().FindCongregationByKey(key) - 1;
        const CongregationIndexEntry* entry = doc.Congregations().Congregation(index);
        if (!entry) {
            d.Add(Key("missing congregation", key));
            continue;
        }
        d.Expect(entry->slot, key, Key("slot of congregation", key));
        d.Expect(entry->name, c.name, Key("name of congregation", key));
        d.Expect(entry->circuitId, c.circuit, Key("circuit of congregation", key));
        d.Expect(std::array{entry->coordinatorKey, entry->secretaryKey, entry->talkCoordinatorKey},
                 std::array{c.coordinator, c.secretary, c.talkCoordinator},
                 Key("officers of congregation", key));
        CongregationRecord record;
        doc.Congregations().ReadCongregation(index, record);
        d.Expect(record.phone1, c.phone, Key("telephone of congregation", key));
    }
    d.Expect(doc.Congregations().OurCongregationKey(), m.home, "home congregation");
}

template <class Records, class Find>
void CompareNames(const Records& records, const std::map<uint16_t, std::string>& model,
                  const char* what, Find find, Differences& d) {
    d.Expect(records.size(), model.size(), std::string("number of ") + what);
    for (const auto& [key, name] : model) {
        const int index = find(key) - 1;
        if (index < 0) {
            d.Add(Key(what, key) + " missing");
            continue;
        }
        d.Expect(records[static_cast<size_t>(index)].name, name, Key(what, key));
    }
}

void CompareLists(const CMvDoc& doc, const DocModel& m, Differences& d) {
    CompareNames(
        doc.Circuits().Items(), m.circuits, "circuit",
        [&](uint16_t k) { return doc.Circuits().FindByKey(k); }, d);
    CompareNames(
        doc.Hosts().Items(), m.hosts, "host", [&](uint16_t k) { return doc.Hosts().FindByKey(k); },
        d);
    CompareNames(
        doc.Topics().Items(), m.topics, "topic",
        [&](uint16_t k) { return doc.Topics().FindByKey(k); }, d);
    std::set<std::pair<uint16_t, uint16_t>> unavailable;
    for (const AvailabilityRecord& r : doc.Availability().Records())
        if (!r.Empty())
            unavailable.insert({r.brotherKey, r.weekNumber});
    d.Expect(unavailable, m.unavailable, "unavailable weeks");
}

void CompareSchedule(const CMvDoc& doc, const ScheduleModel& s, Differences& d) {
    for (int index = kModelBase; index < kModelBase + WeekWindow::kWeeks; ++index)
        d.Expect(doc.Weeks().Week(index), s.Week(index),
                 Key("week index", static_cast<unsigned>(index)));
    std::map<int, EventModel> events;
    for (const SpecialEventRecord& e : doc.Events().Items())
        events[e.weekIndex] = {e.flags, e.name};
    d.Expect(events, s.events, "special events");
    d.Expect(doc.Events().Count(), static_cast<int>(s.events.size()), "number of events");
    for (size_t talk = 0; talk < s.talks.size(); ++talk)
        d.Expect(doc.Talks().Talk(static_cast<int>(talk))->topics, s.talks[talk],
                 Key("topics of talk", static_cast<unsigned>(talk + 1)));
}

// The home list is rebuilt by its callers; whatever it holds must name home brothers where
// they stand now.
void CheckHomeList(const CMvDoc& doc, Differences& d) {
    for (const OurBrotherEntry& e : doc.Brothers().OurBrothers()) {
        const int index = doc.Brothers().FindBrotherByKey(e.brotherKey);
        if (index == kNotFound) {
            d.Add(Key("home list holds deleted brother", e.brotherKey));
            continue;
        }
        d.Expect(static_cast<int>(e.position), index, Key("home list position of", e.brotherKey));
        d.Expect(doc.Brothers().Brother(index)->congregationKey,
                 doc.Congregations().OurCongregationKey(),
                 Key("home list holds a brother of another congregation:", e.brotherKey));
    }
}

// What is on disk: no record without its owner, no key outside its own slot.
void CheckFiles(const std::filesystem::path& folder, const CMvDoc& disk, const DocModel& m,
                Differences& d) {
    for (const char* name : {"speakers.dat", "cong.dat"}) {
        const io::FileBytes file = io::ReadFile(folder / name);
        const size_t keyAt = std::string(name) == "speakers.dat" ? 204 : 174;
        for (size_t slot = 1; (slot + 1) * 256 <= file.bytes.size(); ++slot) {
            const uint16_t key = bytes::GetU16(file.bytes, slot * 256 + keyAt);
            const bool known = keyAt == 204 ? m.brothers.count(key) : m.congregations.count(key);
            if (key != 0 && (key != slot || !known))
                d.Add(std::string(name) + " slot " + std::to_string(slot) + " holds key " +
                      std::to_string(key));
        }
    }
    const io::FileBytes extra = io::ReadFile(folder / "xtend.dat");
    for (size_t slot = 1; slot * 128 <= extra.bytes.size(); ++slot) {
        const uint16_t owner = bytes::GetU16(extra.bytes, (slot - 1) * 128);
        const BrotherIndexEntry* b =
            disk.Brothers().Brother(disk.Brothers().FindBrotherByKey(owner));
        if (owner != 0 && (!b || b->extraSlot != slot))
            d.Add("contact record in slot " + std::to_string(slot) + " of brother " +
                  std::to_string(owner) + ", who does not point to it");
    }
    std::set<uint16_t> home;
    for (const auto& [key, b] : m.brothers)
        if (m.home != 0 && b.congregation == m.home)
            home.insert(key);
    std::set<uint16_t> listed;
    for (const OurBrotherEntry& e : disk.Brothers().OurBrothers()) {
        listed.insert(e.brotherKey);
        auto b = m.brothers.find(e.brotherKey);
        if (b != m.brothers.end())
            d.Expect(e.roleBits, b->second.roles, Key("home roles of brother", e.brotherKey));
    }
    d.Expect(listed, home, "home list after a load");
}

/** One run: a fresh folder, the document on it, a second one reading it, and the model. */
class ModelRun {
public:
    explicit ModelRun(const StringTable& strings) {
        m_doc = std::make_unique<CMvDoc>(strings, m_host, m_clock, m_dir.path());
        m_disk = std::make_unique<CMvDoc>(strings, m_diskHost, m_clock, m_dir.path());
        m_doc->LoadStore();
        m_disk->LoadStore();
        m_model = DocModel::FirstStart(*m_doc);
    }

    /** Applies one operation; the differences it leaves, empty when all three agree. */
    std::string Step(const Op& op, std::string& did) {
        std::string unexpected;
        did = Apply(op, *m_doc, m_model, unexpected);
        Differences memory, disk;
        if (!unexpected.empty())
            memory.Add(unexpected);
        Compare(*m_doc, m_host, m_model.live, memory);
        CheckHomeList(*m_doc, memory);

        m_disk->ReloadStore();
        Compare(*m_disk, m_diskHost, m_model.saved, disk);
        CheckFiles(m_dir.path(), *m_disk, m_model, disk);
        std::string text;
        if (!memory.Empty())
            text += " in memory:\n" + memory.Text();
        if (!disk.Empty())
            text += " on disk:\n" + disk.Text();
        return text;
    }

private:
    // A document agrees with the model, with the schedule as it should be there, and said
    // nothing on the way.
    void Compare(const CMvDoc& doc, TestHost& host, const ScheduleModel& schedule,
                 Differences& d) const {
        for (const ui::MessageBox& box : host.Messages())
            d.Add("message: " + box.text);
        host.ClearMessages();
        CompareBrothers(doc, m_model, d);
        CompareCongregations(doc, m_model, d);
        CompareLists(doc, m_model, d);
        CompareSchedule(doc, schedule, d);
    }

    TempDir m_dir;
    TestHost m_host;
    TestHost m_diskHost;
    FixedClock m_clock{kToday};
    std::unique_ptr<CMvDoc> m_doc;
    std::unique_ptr<CMvDoc> m_disk;
    DocModel m_model;
};

struct Failure {
    size_t step;                   ///< index of the operation after which they differed
    std::string differs;           ///< how
    std::vector<std::string> done; ///< what each operation did
};

std::optional<Failure> Replay(const std::vector<Op>& ops, const StringTable& strings) {
    ModelRun run(strings);
    std::vector<std::string> done;
    for (size_t i = 0; i < ops.size(); ++i) {
        std::string did;
        std::string differs = run.Step(ops[i], did);
        done.push_back(did.empty() ? "(nothing)" : did);
        if (!differs.empty())
            return Failure{i, differs, done};
    }
    return std::nullopt;
}

// Drops runs of operations that the failure does not need, as long as time allows.
std::vector<Op> Shrink(std::vector<Op> ops, const StringTable& strings) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    for (size_t chunk = ops.size() / 2; chunk >= 1; chunk /= 2) {
        for (size_t start = 0; start + chunk <= ops.size();) {
            if (std::chrono::steady_clock::now() > deadline)
                return ops;
            std::vector<Op> fewer(ops.begin(), ops.begin() + static_cast<long>(start));
            fewer.insert(fewer.end(), ops.begin() + static_cast<long>(start + chunk), ops.end());
            if (auto failure = Replay(fewer, strings)) {
                fewer.resize(failure->step + 1);
                ops = std::move(fewer);
            } else {
                start += chunk;
            }
        }
    }
    return ops;
}

std::string Report(uint32_t seed, const Failure& first, const std::vector<Op>& shrunk,
                   const StringTable& strings) {
    std::ostringstream out;
    out << "seed " << seed << ": the document and the model differ after step " << first.step + 1
        << " (the shortest failing prefix) " << first.differs;
    if (auto again = Replay(shrunk, strings)) {
        out << "shrunk to " << shrunk.size() << " operations:\n";
        for (const std::string& did : again->done)
            out << "  " << did << "\n";
        out << "which leave" << again->differs;
    }
    return out.str();
}

class ModelCheck : public ::testing::Test {
protected:
    void SetUp() override { io::SetDurable(false); }
    void TearDown() override { io::SetDurable(true); }
    StringTable strings = StringTable::Swedish();
};

TEST_F(ModelCheck, MemoryTheModelAndTheFilesAgreeAfterEveryStep) {
    const uint32_t seed = FromEnvironment("MIVRA_MODEL_SEED", kDefaultSeed);
    const int steps = static_cast<int>(FromEnvironment("MIVRA_MODEL_STEPS", kDefaultSteps));
    RecordProperty("seed", std::to_string(seed));
    std::mt19937 rng(seed);
    std::vector<Op> ops;
    ModelRun run(strings);
    for (int i = 0; i < steps; ++i) {
        ops.push_back(RandomOp(rng));
        std::string did;
        if (run.Step(ops.back(), did).empty())
            continue;
        auto first = Replay(ops, strings);
        ASSERT_TRUE(first) << "seed " << seed << ": a difference at step " << i + 1
                           << " that a replay does not show";
        FAIL() << Report(seed, *first, Shrink(ops, strings), strings);
    }
    std::printf("model check: %d steps from seed %u agree\n", steps, seed);
}

} // namespace
} // namespace mivra::test
