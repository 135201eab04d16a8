#include "schedule/Summary.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"

namespace mivra::schedule {
namespace {

constexpr int kDateFlags = 24;
constexpr int kMaxTalk = 256;
constexpr int kAssemblyName = 1117;
constexpr int kVisitName = 1118;
constexpr int kOtherName = 1014;
constexpr size_t kShortEventName = 5; // a longer name of another event replaces its kind

uint16_t Key(int16_t field) {
    return static_cast<uint16_t>(field);
}

bool Available(const CMvDoc& doc, int16_t brother, int weekIndex) {
    return doc.Availability().IsAvailable(Key(brother), static_cast<uint16_t>(weekIndex + 1));
}

bool OnDuty(const CMvDoc& doc, int16_t brother, int weekIndex, int excluded) {
    return WeekDutyOf(doc, Key(brother), weekIndex, excluded) != kNoDuty;
}

/** Red for an unavailable brother, purple for one with another duty that week. */
Ink DutyInk(const CMvDoc& doc, int16_t brother, int weekIndex, int excluded) {
    if (!Available(doc, brother, weekIndex))
        return Ink::Red;
    return OnDuty(doc, brother, weekIndex, excluded) ? Ink::Purple : Ink::Window;
}

size_t Characters(const std::string& utf8) {
    size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::string EventText(const CMvDoc& doc, const WeekRecord& week, int weekIndex) {
    if (week.weekFlags & kWeekAssembly)
        return doc.Strings().Get(kAssemblyName);
    if (week.weekFlags & kWeekOverseerVisit)
        return doc.Strings().Get(kVisitName);
    const SpecialEventRecord* event = doc.Events().At(doc.Events().Find(weekIndex) - 1);
    if (event && Characters(event->name) > kShortEventName)
        return event->name;
    return doc.Strings().Get(kOtherName);
}

std::string BrotherName(const CMvDoc& doc, int16_t key) {
    return key == 0 ? std::string() : doc.Brothers().BrotherNameByKey(Key(key), false);
}

} // namespace

int ShownTalk(int talk) {
    return talk >= 1 && talk <= kMaxTalk ? talk : 0;
}

int WeekStatus(const CMvDoc& doc, int a) {
    const WeekRecord w = doc.Weeks().Week(a);
    const DocOptions& options = doc.Settings().Options();
    if (w.weekFlags & (kWeekAssembly | kWeekOtherEvent))
        return w.outSpeaker[0] != 0 ? kStatusConflict : kStatusComplete;
    const bool visit = (w.weekFlags & kWeekOverseerVisit) != 0;
    const bool talk = ShownTalk(w.homeTalk) != 0;
    if (!talk && w.homeSpeaker == 0 && w.outSpeaker[0] == 0 && w.chairman == 0 && w.host == 0 &&
        w.reader == 0 && !visit)
        return kStatusEmpty;
    if (w.homeSpeaker != 0) {
        if (!Available(doc, w.homeSpeaker, a))
            return kStatusUnavailable;
        if (OnDuty(doc, w.homeSpeaker, a, kDutyHomeSpeaker))
            return kStatusConflict;
    }
    for (const int16_t speaker : w.outSpeaker) {
        if (speaker == 0)
            continue;
        if (!Available(doc, speaker, a))
            return kStatusUnavailable;
        if (OnDuty(doc, speaker, a, kDutyOutgoing))
            return kStatusConflict;
    }
    if (w.outSpeaker[0] != 0 && (ShownTalk(w.outTalk[0]) == 0 || w.outCongregation[0] == 0))
        return kStatusOutgoingIncomplete;
    const bool hostDone = w.host != 0 || !options.scheduleHosts;
    if (talk && w.homeSpeaker != 0 && w.chairman != 0 && hostDone &&
        (w.reader != 0 || !options.scheduleReaders))
        return w.confirmed != 0 ? kStatusComplete : kStatusUnconfirmed;
    // Hosts not scheduled at all count as a visit that needs no host.
    if (visit && (w.chairman != 0 || !(w.weekFlags & kWeekChairmanAnyway)) &&
        (hostDone || !(w.weekFlags & kWeekHostAnyway)))
        return kStatusComplete;
    return kStatusIncomplete;
}

SummaryRow SummarizeWeek(const CMvDoc& doc, int a) {
    const WeekRecord w = doc.Weeks().Week(a);
    const DocOptions& options = doc.Settings().Options();
    SummaryRow row;
    row.weekNumber = a + 1;
    row.status = WeekStatus(doc, a);
    row.date = doc.FormatDate(a + 1, kDateFlags);

    if (w.IsEventWeek()) {
        row.home.text = EventText(doc, w, a);
    } else if (w.homeSpeaker != 0) {
        row.home = {BrotherName(doc, w.homeSpeaker),
                    DutyInk(doc, w.homeSpeaker, a, kDutyHomeSpeaker)};
        if (row.home.ink == Ink::Window && w.confirmed == 0)
            row.home.ink = Ink::Blue;
    }
    if (row.home.text.empty() && w.homeCongregation != 0)
        row.home = {"  ?", Ink::Window};
    if (const int talk = ShownTalk(w.homeTalk))
        row.talk = std::to_string(talk);
    else if (w.homeCongregation != 0)
        row.talk = " ?";

    if (w.chairman != 0) {
        const Ink ink = DutyInk(doc, w.chairman, a, kDutyChairman);
        row.chairmanMark = {"X", ink};
        row.chairman = {BrotherName(doc, w.chairman), ink};
    }
    if (options.scheduleHosts && w.host != 0) {
        row.hostMark = "X";
        row.host = doc.Hosts().NameByKey(Key(w.host));
    }
    if (options.scheduleReaders && w.reader != 0) {
        const Ink ink = DutyInk(doc, w.reader, a, kDutyReader);
        row.readerMark = {"X", ink};
        row.reader = {BrotherName(doc, w.reader), ink};
    }
    if (const int16_t speaker = w.outSpeaker[0]) {
        const int talk = ShownTalk(w.outTalk[0]);
        row.outgoing.text = BrotherName(doc, speaker) + " ( " +
                            (talk != 0 ? std::to_string(talk) : std::string("???")) + " ) " +
                            (w.outSpeaker[1] != 0 ? "  + ..." : "");
        const bool blocked = (w.weekFlags & (kWeekAssembly | kWeekOtherEvent)) != 0;
        row.outgoing.ink = !Available(doc, speaker, a)                         ? Ink::Red
                           : OnDuty(doc, speaker, a, kDutyOutgoing) || blocked ? Ink::Purple
                                                                               : Ink::Window;
    }
    return row;
}

} // namespace mivra::schedule
