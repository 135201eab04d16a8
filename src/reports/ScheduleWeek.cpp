#include "reports/ScheduleWeek.h"

#include "base/Text.h"
#include "dates/Dates.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra::reports {
namespace {

constexpr int kAssemblyText = 1117;
constexpr int kVisitText = 1118;
constexpr int kOtherText = 1014;
constexpr int kMondayText = 1252;
constexpr int kTalkNumberText = 60200; // "Tal %1"
constexpr int kMaxTalk = 256;

uint16_t Key(int16_t field) {
    return static_cast<uint16_t>(field);
}

const SpecialEventRecord* EventOf(const CMvDoc& doc, int weekIndex) {
    return doc.Events().At(doc.Events().Find(weekIndex) - 1);
}

const TalkRecord* TalkOf(const CMvDoc& doc, int talk) {
    if (talk < 1 || talk > kMaxTalk)
        return nullptr;
    return doc.Talks().Talk(doc.Talks().FindTalkByKey(static_cast<uint16_t>(talk)));
}

std::string DefaultEventText(const CMvDoc& doc, WeekKind kind) {
    switch (kind) {
    case WeekKind::Assembly:
        return doc.Strings().Get(kAssemblyText);
    case WeekKind::Visit:
        return doc.Strings().Get(kVisitText);
    default:
        return doc.Strings().Get(kOtherText);
    }
}

std::string TalkLine(const CMvDoc& doc, int talk) {
    if (doc.Settings().Options().omitTalkNumbers || !TalkOf(doc, talk))
        return {};
    return doc.Strings().Format(kTalkNumberText, TalkNumber(doc, talk));
}

// The meeting time for the week's year parity and, when talk numbers are left out, the
// first three letters of a meeting day other than the home congregation's.
std::string Destination(const CMvDoc& doc, int weekIndex, uint16_t congregation) {
    std::string extra = doc.Congregations().MeetingTimeForWeek(congregation, weekIndex);
    uint8_t stored = 0;
    if (doc.Settings().Options().omitTalkNumbers &&
        doc.Congregations().DiffersFromHomeWeekday(weekIndex, congregation, stored)) {
        const std::string& day = doc.Strings().Get(kMondayText + HomeWeekday(stored));
        extra += (extra.empty() ? "" : " - ") + std::string(text::LeftChars(day, 3));
    }
    std::string name = doc.Congregations().CongregationNameByKey(congregation, false);
    return extra.empty() ? name : name + " ( " + extra + " )";
}

void FillRow0(const CMvDoc& doc, const WeekRecord& w, ScheduleWeek& s) {
    const bool named = !EventName(doc, s.weekIndex, s.kind).empty();
    s.speakerLabel = s.kind == WeekKind::Ordinary || s.kind == WeekKind::Visit ||
                     (s.kind == WeekKind::Other && named);
    s.congregationLabel = s.kind == WeekKind::Ordinary;
    if (s.kind == WeekKind::Visit || s.kind == WeekKind::Other)
        s.speaker = EventName(doc, s.weekIndex, s.kind);
    else
        s.speaker = doc.Brothers().BrotherNameByKey(Key(w.homeSpeaker), false);
    s.congregation = doc.Congregations().CongregationNameByKey(Key(w.homeCongregation), false);
    s.talk = TalkLine(doc, w.homeTalk);
}

void FillRow1(const CMvDoc& doc, const WeekRecord& w, ScheduleWeek& s) {
    const DocOptions& o = doc.Settings().Options();
    const bool ordinary = s.kind == WeekKind::Ordinary;
    s.chairmanLabel = w.chairman != 0 && (ordinary || (w.weekFlags & kWeekChairmanAnyway));
    s.chairman = doc.Brothers().BrotherNameByKey(Key(w.chairman), false);
    s.readerLabel = o.scheduleReaders &&
                    ((ordinary && o.includeReaders) || (w.weekFlags & kWeekReaderAnyway) != 0);
    if (o.scheduleReaders && o.includeReaders && s.kind != WeekKind::Visit)
        s.reader = doc.Brothers().BrotherNameByKey(Key(w.reader), false);
    s.hostLabel = o.scheduleHosts && (ordinary || (w.weekFlags & kWeekHostAnyway));
    if (o.scheduleHosts)
        s.host = doc.Hosts().NameByKey(Key(w.host));
    // Without the reader shown both labels stand in one column: the host's wins.
    if (!ReaderColumnApart(o) && s.hostLabel)
        s.readerLabel = false;
}

void FillOutgoing(const CMvDoc& doc, const WeekRecord& w, ScheduleWeek& s) {
    if (doc.Settings().Options().omitOutgoing)
        return;
    for (size_t i = 0; i < WeekRecord::kOutSlots; ++i) {
        if (w.outSpeaker[i] == 0)
            continue;
        s.outgoing.push_back({doc.Brothers().BrotherNameByKey(Key(w.outSpeaker[i]), false),
                              Destination(doc, s.weekIndex, Key(w.outCongregation[i])),
                              TalkLine(doc, w.outTalk[i])});
    }
}

} // namespace

WeekKind KindOf(const WeekRecord& week) {
    if (week.weekFlags & kWeekAssembly)
        return WeekKind::Assembly;
    if (week.weekFlags & kWeekOverseerVisit)
        return WeekKind::Visit;
    if (week.weekFlags & kWeekOtherEvent)
        return WeekKind::Other;
    return WeekKind::Ordinary;
}

std::string SpecialWeekTitle(const CMvDoc& doc, int weekIndex, const WeekRecord& week) {
    const WeekKind kind = KindOf(week);
    const SpecialEventRecord* event = EventOf(doc, weekIndex);
    std::string title;
    if (event)
        title = (kind == WeekKind::Assembly || event->theme.empty()) ? event->name : event->theme;
    return title.empty() ? DefaultEventText(doc, kind) : title;
}

std::string EventName(const CMvDoc& doc, int weekIndex, WeekKind kind) {
    const SpecialEventRecord* event = EventOf(doc, weekIndex);
    std::string name = event ? event->name : std::string();
    if (name.empty() && kind == WeekKind::Visit)
        return doc.Strings().Get(kVisitText);
    return name;
}

std::string TalkTitle(const CMvDoc& doc, int talk) {
    const TalkRecord* record = TalkOf(doc, talk);
    return record ? record->title : std::string();
}

std::string TalkNumber(const CMvDoc& doc, int talk) {
    const TalkRecord* record = TalkOf(doc, talk);
    return record ? record->numberText : std::string();
}

bool ReaderColumnApart(const DocOptions& o) {
    return o.scheduleHosts && o.scheduleReaders && o.includeReaders;
}

bool ScheduleWeek::PrintsRow0() const {
    return speakerLabel || congregationLabel || !speaker.empty() || !congregation.empty() ||
           !talk.empty();
}

bool ScheduleWeek::PrintsRow1() const {
    return chairmanLabel || readerLabel || hostLabel || !chairman.empty() || !reader.empty() ||
           !host.empty();
}

int ScheduleWeek::LastRow() const {
    return std::max(1, firstOutgoingRow + OutgoingCount() - 1);
}

ScheduleWeek BuildScheduleWeek(const CMvDoc& doc, int weekIndex) {
    const WeekRecord w = doc.Weeks().Week(weekIndex);
    ScheduleWeek s;
    s.weekIndex = weekIndex;
    s.kind = KindOf(w);
    s.date = doc.FormatDate(weekIndex + 1, dates::kShortMonth | dates::kAppendYear);
    s.title = s.kind == WeekKind::Ordinary ? TalkTitle(doc, w.homeTalk)
                                           : SpecialWeekTitle(doc, weekIndex, w);
    FillRow0(doc, w, s);
    FillRow1(doc, w, s);
    FillOutgoing(doc, w, s);
    // An assembly week's outgoing lines move up onto the rows it leaves empty, never onto a
    // row that still prints something.
    if (s.kind == WeekKind::Assembly)
        s.firstOutgoingRow = s.PrintsRow1() ? 2 : s.PrintsRow0() ? 1 : 0;
    return s;
}

} // namespace mivra::reports
