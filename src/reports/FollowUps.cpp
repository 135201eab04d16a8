#include "reports/FollowUps.h"

#include "resources/StringTable.h"
#include "store/CContactDlg.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <utility>

namespace mivra::reports {
namespace {

using enum FontRole;

constexpr int kTitle = 61200;       // "Uppföljning av inbjudningar"
constexpr int kUnconfirmed = 61201; // "Tillfrågad, ej bekräftad"
constexpr int kRemind = 61202;      // "Bekräftad, ingen påminnelse"
constexpr int kAskedOn = 61203;     // "tillfrågad %1"
constexpr int kConfirmedOn = 61204; // "bekräftad %1"
constexpr int kWeeksAgo = 61205;    // "%1 v sedan"
constexpr int kNoneDue = 61206;     // "Inget att följa upp"
constexpr int kListDate = 26;
constexpr int kStampDate = 10;
constexpr int kRemindWindow = 2; // a confirmed speaker is reminded within two weeks of his talk
constexpr int kGroupGap = 30;
constexpr int kRowGap = 10;

/** The weeks since a stamp; one after the current week (a clock set back) counts as now. */
int WeeksSince(int currentWeek, int stamp) {
    return currentWeek - std::min(stamp, currentWeek);
}

/** A week's follow-up with the speaker's and his congregation's names and contacts. */
FollowUp Described(const CMvDoc& doc, FollowUp::Kind kind, int weekIndex, int stamp,
                   const WeekRecord& week) {
    FollowUp due;
    due.kind = kind;
    due.weekIndex = weekIndex;
    due.stamp = stamp;
    due.weeksSince = WeeksSince(doc.CurrentWeek(), stamp);
    const auto speaker = static_cast<uint16_t>(week.homeSpeaker);
    const auto congregation = static_cast<uint16_t>(week.homeCongregation);
    due.asked = static_cast<uint16_t>(week.asked);
    due.confirmed = week.confirmed;
    if (speaker != 0)
        due.speaker = doc.Brothers().BrotherNameByKey(speaker, false);
    if (congregation != 0)
        due.congregation = doc.Congregations().CongregationNameByKey(congregation, false);
    const ContactList c = CollectContacts(doc, speaker);
    due.phone = c.phones[0];
    due.email = c.email;
    return due;
}

ListBlock RowOf(const CMvDoc& doc, const FollowUp& due) {
    const StringTable& s = doc.Strings();
    const int stampText = due.kind == FollowUp::Kind::Unconfirmed ? kAskedOn : kConfirmedOn;
    ListBlock block;
    block.Line(1, kRowGap)
        .Add(Speaker, 12, doc.FormatDate(due.weekIndex + 1, kListDate))
        .Add(Speaker, 140, due.speaker)
        .Add(Text, 380, due.congregation)
        .Add(Text, 620, s.Format(stampText, doc.FormatDate(due.stamp, kStampDate)));
    // The weeks since stand under the stamp they count from.
    block.Line()
        .Add(Small, 140, due.phone)
        .Add(Small, 380, due.email)
        .Add(Small, 620, s.Format(kWeeksAgo, std::to_string(due.weeksSince)));
    return block;
}

} // namespace

std::vector<FollowUp> FollowUps(const CMvDoc& doc, FollowUpLimits limits) {
    const int current = doc.CurrentWeek();
    std::vector<FollowUp> due;
    for (int w = current - 1; w <= current + limits.ahead - 2; ++w) {
        const WeekRecord week = doc.Weeks().Week(w);
        if (week.IsEventWeek() || (week.homeSpeaker == 0 && week.homeCongregation == 0))
            continue;
        const int asked = static_cast<uint16_t>(week.asked);
        const int confirmed = week.confirmed;
        if (asked != 0 && confirmed == 0 && WeeksSince(current, asked) >= limits.after)
            due.push_back(Described(doc, FollowUp::Kind::Unconfirmed, w, asked, week));
        else if (confirmed != 0 && week.reminder == 0 && w + 1 - current <= kRemindWindow)
            due.push_back(Described(doc, FollowUp::Kind::Remind, w, confirmed, week));
    }
    return due;
}

std::unique_ptr<ListReport> FollowUpList(const CMvDoc& doc, FollowUpLimits limits) {
    return std::make_unique<ListReport>(doc, doc.Strings().Get(kTitle), [&doc, limits] {
        const std::vector<FollowUp> due = FollowUps(doc, limits);
        std::vector<ListBlock> blocks;
        for (auto [kind, heading] : {std::pair{FollowUp::Kind::Unconfirmed, kUnconfirmed},
                                     std::pair{FollowUp::Kind::Remind, kRemind}}) {
            ListBlock head;
            head.Line(1, blocks.empty() ? 0 : kGroupGap)
                .Add(Subheading, 0, doc.Strings().Get(heading));
            std::vector<ListBlock> rows;
            for (const FollowUp& f : due)
                if (f.kind == kind)
                    rows.push_back(RowOf(doc, f));
            // The subheading stays on the page of its first row.
            if (rows.empty())
                head.Line().Add(Text, 12, doc.Strings().Get(kNoneDue));
            else
                head.lines.insert(head.lines.end(), rows[0].lines.begin(), rows[0].lines.end());
            blocks.push_back(std::move(head));
            for (size_t i = 1; i < rows.size(); ++i)
                blocks.push_back(std::move(rows[i]));
        }
        return blocks;
    });
}

} // namespace mivra::reports
