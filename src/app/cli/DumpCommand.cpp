#include "app/cli/DumpCommand.h"

#include "app/cli/Lines.h"
#include "store/CMvDoc.h"

#include <ostream>
#include <string>

namespace mivra {
namespace {

using cli::Field;
using cli::Line;

// Keys are unsigned 16-bit wherever the week file holds them as i16.
std::string Key(int16_t value) {
    return std::to_string(static_cast<uint16_t>(value));
}

constexpr size_t kStatusByte = 200; // of a brother record: appointment, suspended, other bits

using Member = void (DumpCommand::*)(std::ostream&) const;

} // namespace

std::vector<std::string_view> DumpCommand::Kinds() {
    return {"brothers", "brother-details", "congregations", "congregation-details",
            "circuits", "topics",          "hosts",         "talks",
            "weeks",    "availability",    "events",        "needs",
            "settings"};
}

bool DumpCommand::IsKind(std::string_view kind) {
    for (std::string_view k : Kinds())
        if (k == kind)
            return true;
    return false;
}

bool DumpCommand::Write(std::string_view kind, std::ostream& out) const {
    static const std::pair<std::string_view, Member> table[] = {
        {"brothers", &DumpCommand::Brothers},
        {"brother-details", &DumpCommand::BrotherDetails},
        {"congregations", &DumpCommand::Congregations},
        {"congregation-details", &DumpCommand::CongregationDetails},
        {"circuits", &DumpCommand::Circuits},
        {"topics", &DumpCommand::Topics},
        {"hosts", &DumpCommand::Hosts},
        {"talks", &DumpCommand::Talks},
        {"weeks", &DumpCommand::Weeks},
        {"availability", &DumpCommand::Availability},
        {"events", &DumpCommand::Events},
        {"needs", &DumpCommand::Needs},
        {"settings", &DumpCommand::Settings},
    };
    for (const auto& [name, member] : table) {
        if (name == kind) {
            (this->*member)(out);
            return true;
        }
    }
    return false;
}

void DumpCommand::Brothers(std::ostream& out) const {
    for (int i = 0; i < m_doc.Brothers().BrotherCount(); ++i) {
        const BrotherIndexEntry& b = *m_doc.Brothers().Brother(i);
        Line(out, Field(i), Field(b.brotherKey), Field(b.slot),
             Field(m_doc.Brothers().BrotherName(i, true)), Field(b.congregationKey),
             Field(b.extraSlot), Field(b.Appointment()), Field(b.Suspended() ? 1 : 0),
             Field(b.repertoire.Count()));
    }
}

void DumpCommand::BrotherDetails(std::ostream& out) const {
    const BrotherStore& brothers = m_doc.Brothers();
    for (int i = 0; i < brothers.BrotherCount(); ++i) {
        const BrotherIndexEntry& b = *brothers.Brother(i);
        BrotherRecord r;
        if (brothers.ReadBrother(i, r) == 0)
            r = BrotherRecord{}; // his slot holds another record: nothing of it is his
        BrotherExtraRecord extra;
        if (r.extraSlot == 0 || !brothers.ReadBrotherExtra(r.extraSlot, b.brotherKey, extra))
            extra = BrotherExtraRecord{};
        const auto bytes = r.Encode(m_doc.CodePage());
        Line(out, Field(i), Field(b.brotherKey), Field(r.address1), Field(r.address2),
             Field(r.phone), Field(r.extraSlot), Field(extra.phone2), Field(extra.phone3),
             Field(extra.email), Field(extra.remark), Field(bytes[kStatusByte]),
             Field(r.homeRoles));
    }
}

void DumpCommand::Congregations(std::ostream& out) const {
    for (int i = 0; i < m_doc.Congregations().CongregationCount(); ++i) {
        const CongregationIndexEntry& c = *m_doc.Congregations().Congregation(i);
        Line(out, Field(i), Field(c.congregationKey), Field(c.slot), Field(c.name),
             Field(c.circuitId), Field(c.coordinatorKey), Field(c.secretaryKey),
             Field(c.talkCoordinatorKey), Field(HomeWeekday(c.weekdayOdd)),
             Field(HomeWeekday(c.weekdayEven)), Field(c.meetingTimeOdd), Field(c.meetingTimeEven));
    }
}

void DumpCommand::CongregationDetails(std::ostream& out) const {
    const CongregationStore& congregations = m_doc.Congregations();
    for (int i = 0; i < congregations.CongregationCount(); ++i) {
        CongregationRecord r;
        if (congregations.ReadCongregation(i, r) == 0)
            r = CongregationRecord{}; // its slot holds another record: nothing of it is this one's
        Line(out, Field(i), Field(congregations.Congregation(i)->congregationKey),
             Field(r.address1), Field(r.address2), Field(r.phone1), Field(r.phone2),
             Field(r.mapFile));
    }
}

void DumpCommand::Circuits(std::ostream& out) const {
    int i = 0;
    for (const CircuitRecord& c : m_doc.Circuits().Items())
        Line(out, Field(i++), Field(c.key), Field(c.name));
}

void DumpCommand::Topics(std::ostream& out) const {
    int i = 0;
    for (const TopicRecord& t : m_doc.Topics().Items())
        Line(out, Field(i++), Field(t.key), Field(t.name));
}

void DumpCommand::Hosts(std::ostream& out) const {
    int i = 0;
    for (const HostRecord& h : m_doc.Hosts().Items())
        Line(out, Field(i++), Field(h.key), Field(h.name));
}

void DumpCommand::Talks(std::ostream& out) const {
    for (const TalkRecord& t : m_doc.Talks().Items()) {
        std::string topics;
        for (uint16_t key : t.topics) {
            if (key == 0)
                continue;
            if (!topics.empty())
                topics += ',';
            topics += std::to_string(key);
        }
        Line(out, Field(t.talkKey), Field(t.numberText), Field(t.title), topics);
    }
}

void DumpCommand::Weeks(std::ostream& out) const {
    const int base = m_doc.Weeks().BaseWeek();
    for (int index = base; index < base + WeekWindow::kWeeks; ++index) {
        const WeekRecord w = m_doc.Weeks().Week(index);
        if (!w.InUse())
            continue;
        out << w.weekNumber << '\t' << Field(m_doc.FormatDate(w.weekNumber, 26)) << '\t'
            << w.homeTalk << '\t' << Key(w.homeSpeaker) << '\t' << Key(w.homeCongregation) << '\t'
            << Key(w.asked) << '\t' << w.confirmed << '\t' << Key(w.reminder) << '\t'
            << Key(w.chairman) << '\t' << Key(w.reader) << '\t' << Key(w.host) << '\t'
            << w.weekFlags;
        for (size_t slot = 0; slot < WeekRecord::kOutSlots; ++slot)
            out << '\t' << Key(w.outSpeaker[slot]) << '\t' << Key(w.outCongregation[slot]) << '\t'
                << w.outTalk[slot];
        out << '\n';
    }
}

void DumpCommand::Availability(std::ostream& out) const {
    for (const AvailabilityRecord& r : m_doc.Availability().Records())
        if (!r.Empty())
            Line(out, Field(r.brotherKey), Field(r.weekNumber));
}

void DumpCommand::Events(std::ostream& out) const {
    for (const SpecialEventRecord& e : m_doc.Events().Items())
        Line(out, Field(e.weekIndex), Field(e.flags), Field(e.name), Field(e.theme));
}

void DumpCommand::Needs(std::ostream& out) const {
    const NeedsList& needs = m_doc.Needs().List();
    for (int talk = 1; talk <= TalkRepertoire::kTalks; ++talk)
        if (needs.Contains(talk))
            Line(out, Field(talk), Field(needs.PriorityOf(talk)));
}

void DumpCommand::Settings(std::ostream& out) const {
    const DocOptions& o = m_doc.Settings().Options();
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    const std::pair<const char*, std::string> options[] = {
        {"ourCongregationKey", Field(o.ourCongregationKey)},
        {"serviceYear", flag(o.serviceYear)},
        {"alternativeDateFormat", flag(o.alternativeDateFormat)},
        {"scheduleReaders", flag(o.scheduleReaders)},
        {"scheduleHosts", flag(o.scheduleHosts)},
        {"leftMargin", Field(o.leftMargin)},
        {"topMargin", Field(o.topMargin)},
        {"heading", Field(o.heading)},
        {"includeReaders", flag(o.includeReaders)},
        {"omitTalkNumbers", flag(o.omitTalkNumbers)},
        {"omitOutgoing", flag(o.omitOutgoing)},
        {"borderStyle", Field(o.borderStyle)},
        {"borderColour", Field(o.borderColour)},
        {"printDateStamps", flag(o.printDateStamps)},
        {"dialEnabled", flag(o.dialEnabled)},
        {"autoCaps", flag(o.autoCaps)},
        {"languageCode", Field(m_doc.LanguageCode())},
        {"baseWeek", Field(m_doc.Weeks().BaseWeek())},
        {"currentWeek", Field(m_doc.CurrentWeek())},
    };
    for (const auto& [name, value] : options)
        Line(out, name, value);
}

} // namespace mivra
