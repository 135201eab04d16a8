#include "exchange/PackageImport.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

namespace mivra::exchange {
namespace {

std::string Joined(std::string_view a, std::string_view b) {
    if (b.empty())
        return std::string(a);
    return std::string(a) + " / " + std::string(b);
}

std::string TalkList(const TalkRepertoire& talks) {
    std::string out;
    for (int t = 1; t <= TalkRepertoire::kTalks; ++t)
        if (talks.Has(t))
            out += (out.empty() ? "" : " ") + std::to_string(t);
    return out;
}

std::string WeekList(const std::vector<uint16_t>& weeks) {
    std::string out;
    for (uint16_t w : weeks)
        out += (out.empty() ? "" : " ") + std::to_string(w);
    return out;
}

/** The officer bits a brother holds in a congregation record. */
uint8_t OfficesOf(const CongregationRecord& c, uint16_t key) {
    uint8_t bits = 0;
    if (key != 0 && c.coordinatorKey == key)
        bits |= kOfficerCoordinator;
    if (key != 0 && c.talkCoordinatorKey == key)
        bits |= kOfficerTalkCoordinator;
    if (key != 0 && c.secretaryKey == key)
        bits |= kOfficerSecretary;
    return bits;
}

std::string Hex(uint8_t value) {
    static const char digits[] = "0123456789abcdef";
    return std::string("0x") + digits[value >> 4] + digits[value & 15];
}

/** The package weeks a brother gets, from the current week on, earliest first. */
std::vector<uint16_t> PackageWeeks(const PackageBrother& b, int currentWeek) {
    std::vector<uint16_t> weeks;
    for (uint16_t w : b.weeks)
        if (w != 0 && w >= currentWeek)
            weeks.push_back(w);
    std::ranges::sort(weeks);
    weeks.erase(std::unique(weeks.begin(), weeks.end()), weeks.end());
    return weeks;
}

/** Everything the plan reads of the document, gathered once. */
class Planner {
public:
    Planner(const CMvDoc& doc, const Package& package, std::string_view name, uint16_t circuit)
        : m_doc(doc), m_package(package), m_matcher(doc) {
        m_plan.circuitId = circuit;
        const int match = FindCongregationByName(doc, name);
        if (match != 0) {
            m_plan.congregationIndex = match - 1;
            doc.Congregations().ReadCongregation(match - 1, m_congregation);
            m_plan.congregationKey = doc.Congregations().Congregation(match - 1)->congregationKey;
            m_plan.name = doc.Congregations().Congregation(match - 1)->name;
        } else {
            m_plan.name = std::string(
                text::Trim(text::LeftChars(text::Trim(name), CongregationRecord::kNameChars)));
        }
        const uint16_t home = doc.Congregations().OurCongregationKey();
        m_plan.intoHome = home != 0 && m_plan.congregationKey == home;
    }

    ImportPlan Make(const std::vector<bool>& selected) {
        PlanCongregation();
        std::unordered_map<std::string, int> seen; // name key → first record number
        for (size_t i = 0; i < m_package.brothers.size(); ++i) {
            LinePlan line = PlanLine(static_cast<int>(i) + 1, m_package.brothers[i], seen);
            line.selected = i >= selected.size() || selected[i];
            m_plan.lines.push_back(std::move(line));
        }
        PlanAvailability();
        PlanDetach(seen);
        return std::move(m_plan);
    }

private:
    void Change(std::vector<FieldChange>& changes, const char* field, std::string before,
                std::string after) {
        if (before != after)
            changes.push_back({field, std::move(before), std::move(after)});
    }

    void PlanCongregation() {
        const PackageHeader& h = m_package.header;
        const CongregationRecord& c = m_congregation;
        auto& changes = m_plan.congregationChanges;
        Change(changes, "address", Joined(c.address1, c.address2), Joined(h.address1, h.address2));
        Change(changes, "telephone", c.phone1, h.phone1);
        Change(changes, "telephone2", c.phone2, h.phone2);
        Change(changes, "times", Joined(c.meetingTimeOdd, c.meetingTimeEven),
               Joined(h.meetingTimeOdd, h.meetingTimeEven));
        Change(changes, "circuit", m_doc.Circuits().NameByKey(c.circuitId),
               m_doc.Circuits().NameByKey(m_plan.circuitId));
    }

    LinePlan PlanLine(int number, const PackageBrother& b,
                      std::unordered_map<std::string, int>& seen) {
        LinePlan line;
        line.record = number;
        line.name = b.firstName + " " + b.lastName;
        if (b.lastName.empty()) {
            line.action = LineAction::Skip;
            line.skip = SkipReason::NoLastName;
            return line;
        }
        const std::string key = NameKey(b.firstName, b.lastName);
        if (auto [it, fresh] = seen.emplace(key, number); !fresh) {
            line.action = LineAction::Skip;
            line.skip = SkipReason::SameNameAsEarlier;
            line.sameAsRecord = it->second;
            return line;
        }
        const int index = m_matcher.Match(key, m_plan.congregationKey);
        if (index < 0) {
            line.action = LineAction::Add;
            return line;
        }
        const BrotherIndexEntry& entry = m_doc.Brothers().Items()[static_cast<size_t>(index)];
        line.brotherKey = entry.brotherKey;
        m_matched.insert(entry.brotherKey);
        BrotherRecord record;
        if (m_doc.Brothers().ReadBrother(index, record) == 0) {
            // The index keeps his names only: everything else reads as changed.
            record.firstName = entry.firstName;
            record.lastName = entry.lastName;
            record.congregationKey = entry.congregationKey;
        }
        BrotherExtraRecord extra;
        m_doc.Brothers().ReadBrotherExtra(record.extraSlot, record.brotherKey, extra);
        auto& changes = line.changes;
        Change(changes, "address", Joined(record.address1, record.address2),
               Joined(b.address1, b.address2));
        Change(changes, "telephone", record.phone, b.phone);
        Change(changes, "telephone2", extra.phone2, b.phone2);
        Change(changes, "telephone3", extra.phone3, b.phone3);
        Change(changes, "email", extra.email, b.email);
        Change(changes, "talks", TalkList(record.repertoire), TalkList(b.talks));
        Change(changes, "status", Hex(record.Encode(m_doc.CodePage())[200]), Hex(b.status));
        Change(changes, "roles", Hex(record.homeRoles), Hex(b.roles & kPackageRolesMask));
        const uint8_t offices = OfficesOf(m_congregation, entry.brotherKey);
        const uint8_t wanted = b.roles & static_cast<uint8_t>(~kPackageRolesMask);
        if ((offices | wanted) != offices)
            Change(changes, "officer", Hex(offices), Hex(offices | wanted));
        if (record.congregationKey != m_plan.congregationKey || m_plan.NewCongregation()) {
            line.moves = record.congregationKey != 0;
            line.fromCongregation = record.congregationKey;
            Change(changes, "congregation",
                   m_doc.Congregations().CongregationNameByKey(record.congregationKey, false),
                   m_plan.name);
        }
        line.action = LineAction::Update; // until the weeks are known
        return line;
    }

    /** The weeks from the current week up to the latest package week become the package's. */
    void PlanAvailability() {
        const int w = m_doc.CurrentWeek();
        std::map<uint16_t, std::vector<uint16_t>> current;
        for (const LinePlan& line : m_plan.lines)
            if (line.brotherKey != 0)
                current[line.brotherKey];
        for (const AvailabilityRecord& r : m_doc.Availability().Records())
            if (auto it = current.find(r.brotherKey); it != current.end() && r.weekNumber >= w)
                it->second.push_back(r.weekNumber);
        for (size_t i = 0; i < m_plan.lines.size(); ++i) {
            LinePlan& line = m_plan.lines[i];
            if (line.action == LineAction::Skip)
                continue;
            // Without weeks from the current week on, his weeks stay as they are.
            std::vector<uint16_t> weeks = PackageWeeks(m_package.brothers[i], w);
            if (weeks.empty()) {
            } else if (line.action == LineAction::Add) {
                line.weeks = weeks;
                line.weeksUpTo = weeks.back();
            } else {
                std::vector<uint16_t> mine;
                for (uint16_t week : current[line.brotherKey])
                    if (week <= weeks.back())
                        mine.push_back(week);
                std::ranges::sort(mine);
                mine.erase(std::unique(mine.begin(), mine.end()), mine.end());
                if (mine != weeks) {
                    line.weeks = weeks;
                    line.weeksUpTo = weeks.back();
                    InsertInOrder(line.changes, {"availability", WeekList(mine), WeekList(weeks)});
                }
            }
            if (line.action == LineAction::Update && line.changes.empty())
                line.action = LineAction::Unchanged;
        }
    }

    static void InsertInOrder(std::vector<FieldChange>& changes, FieldChange change) {
        auto rank = [](const std::string& field) {
            return std::ranges::find_if(kFieldOrder, [&](const char* f) { return field == f; }) -
                   std::begin(kFieldOrder);
        };
        auto at = std::ranges::find_if(
            changes, [&](const FieldChange& c) { return rank(c.field) > rank(change.field); });
        changes.insert(at, std::move(change));
    }

    /** The congregation's brothers whom no line names; none when it is new or the home one. */
    void PlanDetach(const std::unordered_map<std::string, int>& lineKeys) {
        if (m_plan.NewCongregation() || m_plan.intoHome)
            return;
        const auto& brothers = m_doc.Brothers().Items();
        for (size_t i = 0; i < brothers.size(); ++i) {
            if (brothers[i].congregationKey != m_plan.congregationKey ||
                m_matched.count(brothers[i].brotherKey) || lineKeys.count(m_matcher.Key(i)))
                continue;
            m_plan.detach.push_back(brothers[i].brotherKey);
        }
    }

    const CMvDoc& m_doc;
    const Package& m_package;
    ImportPlan m_plan;
    CongregationRecord m_congregation;
    BrotherMatcher m_matcher;
    std::set<uint16_t> m_matched;
};

} // namespace

std::string NameKey(std::string_view first, std::string_view last) {
    auto part = [](std::string_view name) {
        return text::FoldCase(
            text::Trim(text::LeftChars(text::Trim(name), BrotherRecord::kNameChars)));
    };
    return part(first) + '\n' + part(last);
}

BrotherMatcher::BrotherMatcher(const CMvDoc& doc)
    : m_doc(doc), m_home(doc.Congregations().OurCongregationKey()) {
    const auto& brothers = doc.Brothers().Items();
    m_keys.reserve(brothers.size());
    for (size_t i = 0; i < brothers.size(); ++i) {
        m_keys.push_back(NameKey(brothers[i].firstName, brothers[i].lastName));
        m_byName[m_keys.back()].push_back(static_cast<int>(i));
    }
}

int BrotherMatcher::Match(const std::string& key, uint16_t congregationKey) const {
    auto it = m_byName.find(key);
    if (it == m_byName.end())
        return -1;
    const auto& brothers = m_doc.Brothers().Items();
    int loose = -1, elsewhere = -1;
    for (int index : it->second) {
        const uint16_t cong = brothers[static_cast<size_t>(index)].congregationKey;
        if (congregationKey != 0 && cong == congregationKey)
            return index;
        if (cong == 0 && loose < 0)
            loose = index;
        else if (cong != 0 && cong != m_home && elsewhere < 0)
            elsewhere = index;
    }
    return loose >= 0 ? loose : elsewhere;
}

std::string FieldName(const StringTable& strings, const std::string& field) {
    constexpr int kFieldNames = 61050; // kFieldOrder's names, then times and circuit
    static const char* const extra[] = {"times", "circuit"};
    const auto order = std::find(std::begin(kFieldOrder), std::end(kFieldOrder), field);
    if (order != std::end(kFieldOrder))
        return strings.Get(kFieldNames + static_cast<int>(order - std::begin(kFieldOrder)));
    const auto other = std::find(std::begin(extra), std::end(extra), field);
    const int n = static_cast<int>(std::size(kFieldOrder) + (other - std::begin(extra)));
    return other != std::end(extra) ? strings.Get(kFieldNames + n) : field;
}

std::string PackageErrorText(const StringTable& strings, PackageError error,
                             const std::filesystem::path& path) {
    constexpr int kUnreadable = 61010, kTooShort = 61011, kNoName = 61012, kTooLarge = 61013;
    switch (error) {
    case PackageError::None:
        return {};
    case PackageError::Unreadable:
        return strings.Format(kUnreadable, path.string());
    case PackageError::TooShort:
        return strings.Format(kTooShort, path.string());
    case PackageError::NoName:
        return strings.Format(kNoName, path.string());
    case PackageError::TooLarge:
        return strings.Format(kTooLarge, path.string(), std::to_string(kMaxPackageBrothers));
    }
    return {};
}

int ImportPlan::SelectedCount() const {
    return static_cast<int>(
        std::ranges::count_if(lines, [](const LinePlan& l) { return l.selected; }));
}

int ImportPlan::SelectedMatches() const {
    return static_cast<int>(
        std::ranges::count_if(lines, [](const LinePlan& l) { return l.selected && l.Matches(); }));
}

int ImportPlan::SelectedAdds() const {
    return static_cast<int>(std::ranges::count_if(
        lines, [](const LinePlan& l) { return l.selected && l.action == LineAction::Add; }));
}

int FindCongregationByName(const CMvDoc& doc, std::string_view name) {
    const std::string_view wanted =
        text::Trim(text::LeftChars(text::Trim(name), CongregationRecord::kNameChars));
    if (wanted.empty())
        return 0;
    const auto& congregations = doc.Congregations().Items();
    for (size_t i = 0; i < congregations.size(); ++i)
        if (text::EqualsIgnoringCase(text::Trim(congregations[i].name), wanted))
            return static_cast<int>(i) + 1;
    return 0;
}

uint16_t InitialCircuit(const CMvDoc& doc, const PackageHeader& header, int congregationMatch) {
    if (const CongregationIndexEntry* c = doc.Congregations().Congregation(congregationMatch - 1))
        return c->circuitId;
    return header.circuitName.empty() ? 0 : doc.Circuits().IdByName(header.circuitName);
}

ImportPlan PlanImport(const CMvDoc& doc, const Package& package, std::string_view name,
                      uint16_t circuitId, const std::vector<bool>& selected) {
    return Planner(doc, package, name, circuitId).Make(selected);
}

} // namespace mivra::exchange
