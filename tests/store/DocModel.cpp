#include "DocModel.h"

#include "base/Text.h"
#include "dates/Dates.h"
#include "store/CMvDoc.h"
#include "store/NameList.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace mivra::test {
namespace {

constexpr CivilDate kModelToday{2026, 3, 4};

// Picks one key of a map, or nothing from an empty one.
template <class Map>
std::optional<typename Map::key_type> Pick(const Map& map, uint32_t r) {
    if (map.empty())
        return std::nullopt;
    auto it = map.begin();
    std::advance(it, r % map.size());
    return it->first;
}

// A key of the map or, one time in (size + 1), none.
template <class Map>
uint16_t PickOrNone(const Map& map, uint32_t r) {
    if (r % (map.size() + 1) == map.size())
        return 0;
    return *Pick(map, r);
}

std::string Hex(uint32_t r, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*x", digits, r & ((1u << (4 * digits)) - 1));
    return buffer;
}

// Names from a few starts that the Swedish collation orders in its own way.
std::string Name(uint32_t r) {
    static const char* const starts[] = {"Å", "Ö", "de ", "Ä", "Van ", "E", "ö", "a"};
    return starts[r % std::size(starts)] + Hex(r >> 3, 6);
}

template <class Map>
bool NameTaken(const Map& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(), [&](const auto& entry) {
        return text::EqualsIgnoringCase(HostDisplayName(entry.second), HostDisplayName(name));
    });
}

template <class Map>
uint16_t SmallestFreeKey(const Map& map, uint16_t first, uint16_t last) {
    for (uint32_t k = first; k <= last; ++k)
        if (!map.count(static_cast<uint16_t>(k)))
            return static_cast<uint16_t>(k);
    return 0;
}

int WeekIn(uint32_t r) {
    // Mostly the weeks a sheet shows, sometimes anywhere in the window.
    if (r % 5 == 0)
        return kModelBase + static_cast<int>((r >> 3) % 1000);
    return ModelCurrentWeek() - 6 + static_cast<int>((r >> 3) % 40);
}

std::string Describe(const char* what, uint32_t key) {
    return std::string(what) + " " + std::to_string(key);
}

template <class F>
void ForEveryWeek(DocModel& m, F change) {
    for (ScheduleModel* schedule : {&m.live, &m.saved})
        for (auto& [index, week] : schedule->weeks)
            change(week);
}

void ClearOfficer(CongregationModel& c, uint16_t brother) {
    for (uint16_t* field : {&c.coordinator, &c.secretary, &c.talkCoordinator})
        if (*field == brother)
            *field = 0;
}

BrotherRecord RecordOf(const CMvDoc& doc, uint16_t key) {
    BrotherRecord record;
    doc.Brothers().ReadBrother(doc.Brothers().FindBrotherByKey(key), record);
    return record;
}

BrotherExtraRecord ExtraOf(const BrotherModel& b) {
    return {.phone2 = b.phone2, .email = b.email, .remark = b.remark};
}

void NewExtra(BrotherModel& b, uint32_t r) {
    b.phone2 = r % 3 == 0 ? "070-" + Hex(r, 4) : "";
    b.email = r % 3 == 1 ? Hex(r, 5) + "@x.se" : "";
    b.remark = r % 4 == 1 ? "Anm " + Hex(r >> 2, 3) : "";
}

// Brothers -------------------------------------------------------------------------------------

std::string AddBrother(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    BrotherModel b{.first = Name(op.r[0]),
                   .last = Name(op.r[1]),
                   .phone = Hex(op.r[2], 6),
                   .congregation = PickOrNone(m.congregations, op.r[3])};
    NewExtra(b, op.r[4]);
    const uint16_t expected = SmallestFreeKey(m.brothers, 1, 65535);
    const int index = doc.Brothers().AddBrother({.firstName = b.first,
                                                 .lastName = b.last,
                                                 .phone = b.phone,
                                                 .congregationKey = b.congregation},
                                                ExtraOf(b));
    const uint16_t key = index >= 0 ? doc.Brothers().Brother(index)->brotherKey : 0;
    if (key != expected)
        unexpected =
            "AddBrother gave key " + std::to_string(key) + ", not " + std::to_string(expected);
    m.brothers[expected] = b;
    return Describe("AddBrother", expected);
}

std::string UpdateBrother(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.brothers, op.r[0]);
    if (!key)
        return {};
    BrotherModel& b = m.brothers[*key];
    BrotherRecord record = RecordOf(doc, *key);
    if (op.r[1] % 2)
        record.lastName = b.last = Name(op.r[2]);
    record.phone = b.phone = Hex(op.r[3], 6);
    NewExtra(b, op.r[4]);
    doc.Brothers().UpdateBrother(doc.Brothers().FindBrotherByKey(*key), record, ExtraOf(b));
    return Describe("UpdateBrother", *key);
}

std::string DeleteBrother(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.brothers, op.r[0]);
    if (!key)
        return {};
    doc.DeleteBrother(doc.Brothers().FindBrotherByKey(*key));
    m.brothers.erase(*key);
    for (auto& [k, c] : m.congregations)
        ClearOfficer(c, *key);
    std::erase_if(m.unavailable, [&](const auto& u) { return u.first == *key; });
    const auto k16 = static_cast<int16_t>(*key);
    ForEveryWeek(m, [&](WeekRecord& w) {
        if (w.homeSpeaker == k16) {
            w.homeSpeaker = 0;
            w.asked = 0;
            w.confirmed = 0;
            w.reminder = 0;
        }
        for (int16_t* field : {&w.chairman, &w.reader})
            if (*field == k16)
                *field = 0;
        for (int16_t& speaker : w.outSpeaker)
            if (speaker == k16)
                speaker = 0;
    });
    return Describe("DeleteBrother", *key);
}

std::string MoveBrother(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    auto key = Pick(m.brothers, op.r[0]);
    if (!key)
        return {};
    const uint16_t to = PickOrNone(m.congregations, op.r[1]);
    BrotherModel& b = m.brothers[*key];
    if (!doc.MoveBrother(doc.Brothers().FindBrotherByKey(*key), to, false))
        unexpected = "MoveBrother refused";
    if (b.congregation != 0)
        ClearOfficer(m.congregations[b.congregation], *key);
    b.congregation = to;
    ForEveryWeek(m, [&](WeekRecord& w) {
        if (w.homeSpeaker == static_cast<int16_t>(*key))
            w.homeCongregation = static_cast<int16_t>(to);
    });
    return Describe("MoveBrother", *key) + " to " + std::to_string(to);
}

std::string SetRoles(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    doc.BuildOurBrotherList(); // as the home congregation panel finds it
    if (doc.Brothers().OurBrothers().empty())
        return {};
    const auto position = static_cast<int>(op.r[0] % doc.Brothers().OurBrothers().size());
    const uint16_t key = doc.Brothers().OurBrothers()[static_cast<size_t>(position)].brotherKey;
    const auto roles = static_cast<uint8_t>(op.r[1] & 0x16);
    doc.Brothers().SetOurBrotherRoles(position, roles);
    doc.Brothers().SaveOurBrotherRoles();
    m.brothers[key].roles = roles;
    return Describe("SetRoles", key);
}

// Congregations --------------------------------------------------------------------------------

std::string AddCongregation(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    CongregationModel c{.name = Name(op.r[0]),
                        .phone = Hex(op.r[1], 6),
                        .circuit = PickOrNone(m.circuits, op.r[2])};
    const uint16_t expected = SmallestFreeKey(m.congregations, 1, 65535);
    const int index = doc.Congregations().AddCongregation(
        {.name = c.name, .phone1 = c.phone, .circuitId = c.circuit});
    const uint16_t key = index >= 0 ? doc.Congregations().Congregation(index)->congregationKey : 0;
    if (key != expected)
        unexpected =
            "AddCongregation gave key " + std::to_string(key) + ", not " + std::to_string(expected);
    m.congregations[expected] = c;
    return Describe("AddCongregation", expected);
}

std::string UpdateCongregation(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    auto key = Pick(m.congregations, op.r[0]);
    if (!key)
        return {};
    CongregationModel& c = m.congregations[*key];
    const int index = doc.Congregations().FindCongregationByKey(*key) - 1;
    CongregationRecord record;
    doc.Congregations().ReadCongregation(index, record);
    if (op.r[1] % 2)
        record.name = c.name = Name(op.r[2]);
    record.phone1 = c.phone = Hex(op.r[3], 6);
    record.circuitId = c.circuit = PickOrNone(m.circuits, op.r[4]);
    record.coordinatorKey = c.coordinator = PickOrNone(m.brothers, op.r[5]);
    record.secretaryKey = c.secretary = PickOrNone(m.brothers, op.r[6]);
    record.talkCoordinatorKey = c.talkCoordinator = PickOrNone(m.brothers, op.r[7]);
    if (!doc.Congregations().UpdateCongregation(index, record))
        unexpected = "UpdateCongregation refused";
    return Describe("UpdateCongregation", *key);
}

std::string DeleteCongregation(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.congregations, op.r[0]);
    if (!key)
        return {};
    doc.DeleteCongregation(doc.Congregations().FindCongregationByKey(*key) - 1);
    m.congregations.erase(*key);
    for (auto& [k, b] : m.brothers)
        if (b.congregation == *key)
            b.congregation = 0;
    const auto k16 = static_cast<int16_t>(*key);
    ForEveryWeek(m, [&](WeekRecord& w) {
        if (w.homeCongregation == k16)
            w.homeCongregation = 0;
        for (int16_t& congregation : w.outCongregation)
            if (congregation == k16)
                congregation = 0;
    });
    if (m.home == *key)
        m.home = 0;
    return Describe("DeleteCongregation", *key);
}

std::string SetHome(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    m.home = PickOrNone(m.congregations, op.r[0]);
    doc.SetOurCongregation(m.home);
    return Describe("SetHome", m.home);
}

// Circuits, hosts, topics, talks ---------------------------------------------------------------

std::string AddCircuit(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    const std::string name = Name(op.r[0]);
    const uint16_t expected = SmallestFreeKey(m.circuits, 30001, 31000);
    if (NameTaken(m.circuits, name) || expected == 0)
        return {};
    const int index = doc.Circuits().Add(name);
    const uint16_t key = index >= 0 ? doc.Circuits().Items()[static_cast<size_t>(index)].key : 0;
    if (key != expected)
        unexpected = "AddCircuit gave key " + std::to_string(key);
    doc.Circuits().Save();
    m.circuits[expected] = name;
    return Describe("AddCircuit", expected);
}

std::string RenameCircuit(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.circuits, op.r[0]);
    const std::string name = Name(op.r[1]);
    if (!key || NameTaken(m.circuits, name))
        return {};
    doc.Circuits().Rename(doc.Circuits().FindByKey(*key) - 1, name);
    doc.Circuits().Save();
    m.circuits[*key] = name;
    return Describe("RenameCircuit", *key);
}

std::string DeleteCircuit(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.circuits, op.r[0]);
    if (!key)
        return {};
    doc.DeleteCircuit(doc.Circuits().FindByKey(*key) - 1);
    doc.Circuits().Save();
    m.circuits.erase(*key);
    for (auto& [k, c] : m.congregations)
        if (c.circuit == *key)
            c.circuit = 0;
    return Describe("DeleteCircuit", *key);
}

std::string AddHost(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    const std::string name = (op.r[1] % 4 == 0 ? "~" : "") + Name(op.r[0]);
    const uint16_t expected = SmallestFreeKey(m.hosts, 30001, 31000);
    if (NameTaken(m.hosts, name) || expected == 0)
        return {};
    const int index = doc.Hosts().Add(name);
    const uint16_t key = index >= 0 ? doc.Hosts().At(index)->key : 0;
    if (key != expected)
        unexpected = "AddHost gave key " + std::to_string(key);
    doc.Hosts().Save();
    m.hosts[expected] = name;
    return Describe("AddHost", expected);
}

std::string RenameHost(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.hosts, op.r[0]);
    const std::string name = Name(op.r[1]);
    if (!key || NameTaken(m.hosts, name))
        return {};
    doc.Hosts().Rename(doc.Hosts().FindByKey(*key) - 1, name);
    doc.Hosts().Save();
    m.hosts[*key] = name;
    return Describe("RenameHost", *key);
}

std::string DeleteHost(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.hosts, op.r[0]);
    if (!key)
        return {};
    doc.DeleteHost(doc.Hosts().FindByKey(*key) - 1);
    doc.Hosts().Save();
    m.hosts.erase(*key);
    ForEveryWeek(m, [&](WeekRecord& w) {
        if (w.host == static_cast<int16_t>(*key))
            w.host = 0;
    });
    return Describe("DeleteHost", *key);
}

std::string AddTopic(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    const std::string name = Name(op.r[0]);
    const uint16_t expected = SmallestFreeKey(m.topics, 1, 100);
    if (NameTaken(m.topics, name) || expected == 0)
        return {};
    const int index = doc.Topics().Add(name);
    const uint16_t key = index >= 0 ? doc.Topics().Items()[static_cast<size_t>(index)].key : 0;
    if (key != expected)
        unexpected = "AddTopic gave key " + std::to_string(key);
    doc.Topics().Save();
    m.topics[expected] = name;
    return Describe("AddTopic", expected);
}

std::string RenameTopic(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.topics, op.r[0]);
    const std::string name = Name(op.r[1]);
    if (!key || NameTaken(m.topics, name))
        return {};
    doc.Topics().Rename(doc.Topics().FindByKey(*key) - 1, name);
    doc.Topics().Save();
    m.topics[*key] = name;
    return Describe("RenameTopic", *key);
}

std::string DeleteTopic(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    auto key = Pick(m.topics, op.r[0]);
    if (!key)
        return {};
    doc.DeleteTopic(doc.Topics().FindByKey(*key) - 1);
    doc.Topics().Save();
    m.topics.erase(*key);
    // A deleted topic leaves no talk behind it, in memory and in the file: its key is given to
    // the next topic added.
    for (ScheduleModel* schedule : {&m.live, &m.saved})
        for (TalkTopics& topics : schedule->talks)
            std::replace(topics.begin(), topics.end(), *key, uint16_t{0});
    return Describe("DeleteTopic", *key);
}

std::string EditTalk(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    const int talk = static_cast<int>(op.r[0] % TalkRepertoire::kTalks);
    TalkRecord record = *doc.Talks().Talk(talk);
    TalkTopics topics{};
    for (size_t i = 0; i < op.r[1] % 4; ++i)
        topics[i] = PickOrNone(m.topics, op.r[2 + i]);
    record.topics = topics;
    doc.Talks().SetTalk(talk, record);
    m.live.talks[static_cast<size_t>(talk)] = topics;
    return Describe("EditTalk", static_cast<uint32_t>(talk + 1));
}

std::string SaveTalks(const Op&, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    if (!doc.Talks().SaveTalks())
        unexpected = "SaveTalks failed";
    m.saved.talks = m.live.talks;
    return "SaveTalks";
}

// The schedule ---------------------------------------------------------------------------------

WeekRecord EditedWeek(const Op& op, const DocModel& m, WeekRecord w) {
    const uint32_t what = op.r[1];
    if (what & 0x100) { // every field cleared: the week stays in use
        WeekRecord blank = WeekRecord::Blank(w.weekNumber - 1);
        blank.weekFlags = w.weekFlags;
        return blank;
    }
    auto brother = [&](uint32_t r) { return static_cast<int16_t>(PickOrNone(m.brothers, r)); };
    auto congregation = [&](uint32_t r) {
        return static_cast<int16_t>(PickOrNone(m.congregations, r));
    };
    if (what & 0x01)
        w.homeSpeaker = brother(op.r[2]);
    if (what & 0x02)
        w.homeCongregation = congregation(op.r[3]);
    if (what & 0x04)
        w.homeTalk = static_cast<uint16_t>(op.r[4] % 257);
    if (what & 0x08) {
        w.asked = static_cast<int16_t>(op.r[4] >> 17);
        w.confirmed = static_cast<uint16_t>(op.r[5] >> 16);
        w.reminder = static_cast<int16_t>(op.r[6] >> 17);
    }
    if (what & 0x10)
        w.chairman = brother(op.r[5]);
    if (what & 0x20)
        w.reader = brother(op.r[6]);
    if (what & 0x40)
        w.host = static_cast<int16_t>(PickOrNone(m.hosts, op.r[7]));
    if (what & 0x80) {
        const size_t slot = op.r[2] % WeekRecord::kOutSlots;
        w.outSpeaker[slot] = brother(op.r[3] >> 8);
        w.outCongregation[slot] = congregation(op.r[5] >> 8);
        w.outTalk[slot] = static_cast<uint16_t>(op.r[6] % 257);
    }
    return w;
}

std::string StoreWeek(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    const int index = WeekIn(op.r[0]);
    WeekRecord w = EditedWeek(op, m, m.live.Week(index));
    doc.Weeks().StoreWeek(w, index);
    w.weekNumber = static_cast<uint16_t>(index + 1);
    if (w == WeekRecord::Blank(index))
        w.weekFlags &= static_cast<uint16_t>(~kWeekInUse);
    else
        w.weekFlags |= kWeekInUse;
    m.live.weeks[index] = w;
    return Describe("StoreWeek", static_cast<uint32_t>(index));
}

std::string AddEvent(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    const int index = WeekIn(op.r[0]);
    static const uint16_t kinds[] = {kWeekAssembly, kWeekOverseerVisit, kWeekOtherEvent};
    const auto flags = static_cast<uint16_t>(kinds[op.r[1] % 3] | (op.r[2] & 0x70));
    const EventModel event{flags, "Händelse " + Hex(op.r[3], 4)};
    doc.AddEvent({.weekIndex = static_cast<uint16_t>(index), .flags = flags, .name = event.name});
    m.live.events[index] = event;
    WeekRecord w = m.live.Week(index);
    w.weekFlags = static_cast<uint16_t>((w.weekFlags & ~kWeekEventBits) | flags | kWeekInUse);
    m.live.weeks[index] = w;
    return Describe("AddEvent", static_cast<uint32_t>(index));
}

std::string RemoveEvent(const Op& op, CMvDoc& doc, DocModel& m, std::string&) {
    if (m.live.events.empty())
        return {};
    const auto position = op.r[0] % m.live.events.size();
    auto it = std::next(m.live.events.begin(), static_cast<long>(position));
    const int index = it->first;
    doc.RemoveEvent(static_cast<int>(position));
    m.live.events.erase(it);
    WeekRecord w = m.live.Week(index);
    w.weekFlags &= static_cast<uint16_t>(~kWeekEventBits);
    m.live.weeks[index] = w;
    return Describe("RemoveEvent", static_cast<uint32_t>(index));
}

std::string SaveSheet(const Op&, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    if (!doc.Weeks().SaveWeeks() || !doc.Events().SaveSpecialEvents())
        unexpected = "the sheet's save failed";
    m.saved.weeks = m.live.weeks;
    m.saved.events = m.live.events;
    return "SaveSheet";
}

std::string CancelSheet(const Op&, CMvDoc& doc, DocModel& m, std::string&) {
    doc.ReloadWeeks();
    m.live.weeks = m.saved.weeks;
    m.live.events = m.saved.events;
    return "CancelSheet";
}

std::string AddUnavailable(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    auto key = Pick(m.brothers, op.r[0]);
    if (!key)
        return {};
    const auto week = static_cast<uint16_t>(ModelCurrentWeek() + static_cast<int>(op.r[1] % 60));
    doc.Availability().AddUnavailableWeek(*key, week);
    if (!doc.Availability().SaveAvailability())
        unexpected = "SaveAvailability failed";
    m.unavailable.insert({*key, week});
    return Describe("AddUnavailable", *key) + " week " + std::to_string(week);
}

std::string RemoveUnavailable(const Op& op, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    if (m.unavailable.empty())
        return {};
    auto it = std::next(m.unavailable.begin(), static_cast<long>(op.r[0] % m.unavailable.size()));
    doc.Availability().RemoveUnavailableWeek(it->first, it->second);
    if (!doc.Availability().SaveAvailability())
        unexpected = "SaveAvailability failed";
    const std::string what = Describe("RemoveUnavailable", it->first);
    m.unavailable.erase(it);
    return what;
}

std::string Restart(const Op&, CMvDoc& doc, DocModel& m, std::string& unexpected) {
    if (!doc.ReloadStore())
        unexpected = "ReloadStore failed";
    m.live = m.saved;
    return "Restart";
}

using Applier = std::string (*)(const Op&, CMvDoc&, DocModel&, std::string&);

struct Kind {
    OpKind kind;
    Applier apply;
    int weight;
};

constexpr Kind kKinds[] = {
    {OpKind::AddBrother, AddBrother, 8},
    {OpKind::UpdateBrother, UpdateBrother, 6},
    {OpKind::DeleteBrother, DeleteBrother, 4},
    {OpKind::MoveBrother, MoveBrother, 4},
    {OpKind::AddCongregation, AddCongregation, 5},
    {OpKind::UpdateCongregation, UpdateCongregation, 4},
    {OpKind::DeleteCongregation, DeleteCongregation, 2},
    {OpKind::AddCircuit, AddCircuit, 3},
    {OpKind::RenameCircuit, RenameCircuit, 2},
    {OpKind::DeleteCircuit, DeleteCircuit, 2},
    {OpKind::AddHost, AddHost, 3},
    {OpKind::RenameHost, RenameHost, 2},
    {OpKind::DeleteHost, DeleteHost, 2},
    {OpKind::AddTopic, AddTopic, 3},
    {OpKind::RenameTopic, RenameTopic, 2},
    {OpKind::DeleteTopic, DeleteTopic, 2},
    {OpKind::EditTalk, EditTalk, 3},
    {OpKind::SaveTalks, SaveTalks, 2},
    {OpKind::StoreWeek, StoreWeek, 12},
    {OpKind::AddEvent, AddEvent, 4},
    {OpKind::RemoveEvent, RemoveEvent, 3},
    {OpKind::SaveSheet, SaveSheet, 5},
    {OpKind::CancelSheet, CancelSheet, 2},
    {OpKind::AddUnavailable, AddUnavailable, 4},
    {OpKind::RemoveUnavailable, RemoveUnavailable, 3},
    {OpKind::SetHome, SetHome, 2},
    {OpKind::SetRoles, SetRoles, 3},
    {OpKind::Restart, Restart, 1},
};

} // namespace

WeekRecord ScheduleModel::Week(int weekIndex) const {
    auto it = weeks.find(weekIndex);
    return it != weeks.end() ? it->second : WeekRecord::Blank(weekIndex);
}

int ModelCurrentWeek() {
    return dates::WeekNumberOf(kModelToday);
}

DocModel DocModel::FirstStart(const CMvDoc& doc) {
    DocModel m;
    for (const TopicRecord& topic : doc.Topics().Items())
        m.topics[topic.key] = topic.name;
    for (const TalkRecord& talk : doc.Talks().Items())
        m.live.talks.push_back(talk.topics);
    m.saved = m.live;
    return m;
}

Op RandomOp(std::mt19937& rng) {
    int total = 0;
    for (const Kind& k : kKinds)
        total += k.weight;
    int pick = std::uniform_int_distribution<int>(0, total - 1)(rng);
    Op op{kKinds[0].kind, {}};
    for (const Kind& k : kKinds) {
        if (pick < k.weight) {
            op.kind = k.kind;
            break;
        }
        pick -= k.weight;
    }
    for (uint32_t& r : op.r)
        r = static_cast<uint32_t>(rng());
    return op;
}

std::string Apply(const Op& op, CMvDoc& doc, DocModel& model, std::string& unexpected) {
    for (const Kind& k : kKinds)
        if (k.kind == op.kind)
            return k.apply(op, doc, model, unexpected);
    return {};
}

} // namespace mivra::test
