#pragma once

#include "store/Records.h"
#include "store/WeekRecord.h"

#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
}

// A reference model of the document for the model check: what every list holds, by key, in
// plain maps, and the rules of the document's operations written out once more in the simplest
// way. Operations draw their targets from random numbers against the model's current state, so
// any subsequence of a run is a run too (which is what lets a failing run be shrunk).
namespace mivra::test {

struct BrotherModel {
    std::string first{}, last{}, phone{};
    uint16_t congregation = 0;
    std::string phone2{}, email{}, remark{}; ///< his contact record; all empty: he has none
    uint8_t roles = 0;                       ///< the home roles byte of his record

    bool HasExtra() const { return !phone2.empty() || !email.empty() || !remark.empty(); }
};

struct CongregationModel {
    std::string name{}, phone{};
    uint16_t circuit = 0, coordinator = 0, secretary = 0, talkCoordinator = 0;
};

struct EventModel {
    uint16_t flags = 0;
    std::string name{};
    friend bool operator==(const EventModel&, const EventModel&) = default;
};

using TalkTopics = std::array<uint16_t, TalkRecord::kTopics>;

/** What the scheduling sheet and the talk list edit: as in memory, or as last written. */
struct ScheduleModel {
    std::map<int, WeekRecord> weeks;  ///< by week index; a week not here is blank
    std::map<int, EventModel> events; ///< by week index
    std::vector<TalkTopics> talks;    ///< the topics of talks 1 … 256

    WeekRecord Week(int weekIndex) const;
};

struct DocModel {
    std::map<uint16_t, BrotherModel> brothers;
    std::map<uint16_t, CongregationModel> congregations;
    std::map<uint16_t, std::string> circuits, hosts, topics;
    std::set<std::pair<uint16_t, uint16_t>> unavailable; ///< (brother, week number)
    uint16_t home = 0;
    ScheduleModel live;  ///< the document in memory
    ScheduleModel saved; ///< the files

    /** The model of a folder the document has just created, talks and topics taken from it. */
    static DocModel FirstStart(const CMvDoc& doc);
};

enum class OpKind : uint8_t {
    AddBrother,
    UpdateBrother,
    DeleteBrother,
    MoveBrother,
    AddCongregation,
    UpdateCongregation,
    DeleteCongregation,
    AddCircuit,
    RenameCircuit,
    DeleteCircuit,
    AddHost,
    RenameHost,
    DeleteHost,
    AddTopic,
    RenameTopic,
    DeleteTopic,
    EditTalk,
    SaveTalks,
    StoreWeek,
    AddEvent,
    RemoveEvent,
    SaveSheet,
    CancelSheet,
    AddUnavailable,
    RemoveUnavailable,
    SetHome,
    SetRoles,
    Restart,
};

struct Op {
    OpKind kind;
    std::array<uint32_t, 8> r; ///< the random numbers its targets and values come from
};

Op RandomOp(std::mt19937& rng);

/** The week window of the model check's fixed day, and its current week number. */
inline constexpr int kModelBase = 884;
int ModelCurrentWeek();

/**
 * Applies the operation to the document and to the model. Returns what it did, in words, or
 * nothing when the state offers it no target. A document that answers otherwise than the
 * model expects (another key, a refusal) is reported through `unexpected`.
 */
std::string Apply(const Op& op, CMvDoc& doc, DocModel& model, std::string& unexpected);

} // namespace mivra::test
