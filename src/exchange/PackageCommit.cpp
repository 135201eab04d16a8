// Carrying out an import plan: the congregation, the selected lines, the officers, the
// detached brothers and the weeks, each written at once; the first failed write stops it.
#include "exchange/PackageImport.h"
#include "store/CMvDoc.h"

#include <unordered_map>

namespace mivra::exchange {
namespace {

void SetStatus(BrotherRecord& record, uint8_t status) {
    record.raw[200] = status;
    record.appointment = status & 0x03;
    record.suspended = (status & 0x20) != 0;
}

/** The package's fields over his record (3c): addresses, telephone, talks, status, roles. */
void Overwrite(BrotherRecord& record, const PackageBrother& b, uint16_t congregationKey) {
    record.address1 = b.address1;
    record.address2 = b.address2;
    record.phone = b.phone;
    record.repertoire = b.talks;
    SetStatus(record, b.status);
    record.homeRoles = b.roles & kPackageRolesMask;
    record.congregationKey = congregationKey;
}

void SetOffices(CongregationRecord& c, uint8_t roles, uint16_t key) {
    if (roles & kOfficerCoordinator)
        c.coordinatorKey = key;
    if (roles & kOfficerTalkCoordinator)
        c.talkCoordinatorKey = key;
    if (roles & kOfficerSecretary)
        c.secretaryKey = key;
}

class Committer {
public:
    Committer(CMvDoc& doc, const Package& package, const ImportPlan& plan)
        : m_doc(doc), m_package(package), m_plan(plan), m_failures(doc.FailedWrites()) {}

    ImportOutcome Run() {
        if (WriteCongregation() && ImportLines() && WriteOffices())
            m_outcome.complete = Detach();
        ApplyWeeks();
        m_doc.BuildOurBrotherList();
        m_doc.Availability().SaveAvailability();
        return m_outcome;
    }

private:
    bool Failed() const { return m_doc.FailedWrites() != m_failures; }

    int CongregationIndex() const { return m_doc.Congregations().FindCongregationByKey(m_key) - 1; }

    bool WriteCongregation() {
        CongregationStore& congregations = m_doc.Congregations();
        int index = m_plan.congregationIndex;
        if (m_plan.NewCongregation()) {
            CongregationRecord fresh;
            fresh.name = m_plan.name;
            index = congregations.AddCongregation(fresh);
            if (index < 0)
                return false;
        }
        if (congregations.ReadCongregation(index, m_congregation) == 0)
            return false;
        m_key = m_congregation.congregationKey;
        const PackageHeader& h = m_package.header;
        m_congregation.circuitId = m_plan.circuitId;
        m_congregation.address1 = h.address1;
        m_congregation.address2 = h.address2;
        m_congregation.phone1 = h.phone1;
        m_congregation.phone2 = h.phone2;
        m_congregation.meetingTimeOdd = h.meetingTimeOdd;
        m_congregation.meetingTimeEven = h.meetingTimeEven;
        congregations.UpdateCongregation(index, m_congregation);
        m_outcome.congregation = !Failed();
        return m_outcome.congregation;
    }

    bool ImportLines() {
        std::vector<BrotherStore::NewBrother> added;
        std::vector<size_t> addedLines;
        for (size_t i = 0; i < m_plan.lines.size(); ++i) {
            const LinePlan& line = m_plan.lines[i];
            if (!line.selected)
                continue;
            if (line.action == LineAction::Add) {
                added.push_back(NewBrother(m_package.brothers[i]));
                addedLines.push_back(i);
            } else if (line.Matches()) {
                m_keys[i] = line.brotherKey;
                if (line.action == LineAction::Update && !Update(line, m_package.brothers[i]))
                    return false;
            }
        }
        if (added.empty())
            return true;
        const std::vector<uint16_t> keys = m_doc.Brothers().AddBrothers(std::move(added));
        for (size_t n = 0; n < keys.size(); ++n) {
            m_keys[addedLines[n]] = keys[n];
            m_outcome.added += keys[n] != 0 ? 1 : 0;
        }
        return !Failed();
    }

    BrotherStore::NewBrother NewBrother(const PackageBrother& b) const {
        BrotherStore::NewBrother fresh;
        fresh.record.firstName = b.firstName;
        fresh.record.lastName = b.lastName;
        Overwrite(fresh.record, b, m_key);
        fresh.extra.phone2 = b.phone2;
        fresh.extra.phone3 = b.phone3;
        fresh.extra.email = b.email;
        return fresh;
    }

    bool Update(const LinePlan& line, const PackageBrother& b) {
        BrotherStore& brothers = m_doc.Brothers();
        int index = brothers.FindBrotherByKey(line.brotherKey);
        const BrotherIndexEntry* entry = brothers.Brother(index);
        if (entry && entry->congregationKey != m_key) {
            // As a move from the brothers dialog: his offices in the old one end.
            m_doc.MoveBrother(index, m_key, false);
            index = brothers.FindBrotherByKey(line.brotherKey);
        }
        BrotherRecord record;
        if (brothers.ReadBrother(index, record) == 0)
            return !Failed();
        BrotherExtraRecord extra;
        brothers.ReadBrotherExtra(record.extraSlot, record.brotherKey, extra);
        // Blank telephones and e-mail with no remark: UpdateBrother drops his contact record.
        extra.phone2 = b.phone2;
        extra.phone3 = b.phone3;
        extra.email = b.email;
        Overwrite(record, b, m_key);
        brothers.UpdateBrother(index, record, extra);
        ++m_outcome.updated;
        return !Failed();
    }

    bool WriteOffices() {
        bool any = false;
        for (size_t i = 0; i < m_plan.lines.size(); ++i) {
            const uint8_t roles = m_package.brothers[i].roles;
            if (m_keys[i] != 0 && (roles & ~kPackageRolesMask)) {
                SetOffices(m_congregation, roles, m_keys[i]);
                any = true;
            }
        }
        if (!any)
            return true;
        CongregationRecord stored;
        const int index = CongregationIndex();
        if (m_doc.Congregations().ReadCongregation(index, stored) == 0)
            return false;
        // Moves may have cleared offices of this record meanwhile: only the three fields.
        stored.coordinatorKey = m_congregation.coordinatorKey;
        stored.talkCoordinatorKey = m_congregation.talkCoordinatorKey;
        stored.secretaryKey = m_congregation.secretaryKey;
        m_doc.Congregations().UpdateCongregation(index, stored);
        return !Failed();
    }

    bool Detach() {
        for (uint16_t key : m_plan.detach) {
            const int index = m_doc.Brothers().FindBrotherByKey(key);
            m_doc.Congregations().ClearBrother(key, m_key);
            if (m_doc.Brothers().SetBrotherCongregation(index, 0))
                ++m_outcome.detached;
            if (Failed())
                return false;
        }
        return true;
    }

    /** His weeks from the current week to the package's latest become the package's. */
    void ApplyWeeks() {
        const int w = m_doc.CurrentWeek();
        std::unordered_map<uint16_t, uint16_t> upTo;
        std::vector<std::pair<uint16_t, uint16_t>> weeks;
        for (size_t i = 0; i < m_plan.lines.size(); ++i) {
            const LinePlan& line = m_plan.lines[i];
            if (m_keys[i] == 0 || line.weeks.empty())
                continue;
            upTo[m_keys[i]] = line.weeksUpTo;
            for (uint16_t week : line.weeks)
                weeks.emplace_back(m_keys[i], week);
        }
        if (weeks.empty())
            return;
        AvailabilityTable& table = m_doc.Availability();
        table.RemoveWeeks([&](uint16_t brother, uint16_t week) {
            auto it = upTo.find(brother);
            return it != upTo.end() && week >= w && week <= it->second;
        });
        table.AddUnavailableWeeks(weeks);
    }

    CMvDoc& m_doc;
    const Package& m_package;
    const ImportPlan& m_plan;
    const uint64_t m_failures;
    ImportOutcome m_outcome;
    CongregationRecord m_congregation;
    uint16_t m_key = 0;
    std::unordered_map<size_t, uint16_t> m_keys; ///< line → the brother it imported
};

} // namespace

ImportOutcome CommitImport(CMvDoc& doc, const Package& package, const ImportPlan& plan) {
    return Committer(doc, package, plan).Run();
}

} // namespace mivra::exchange
