#include "reports/Lists.h"

#include "dates/Dates.h"
#include "reports/ScheduleWeek.h"
#include "resources/StringTable.h"
#include "store/CContactDlg.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <array>

namespace mivra::reports {
namespace {

using enum FontRole;
constexpr auto kRight = ui::HAlign::Right;

constexpr int kTalkLabel = 1041;        // "Tal"
constexpr int kInLabel = 1160;          // "i"
constexpr int kSpeakerLabel = 1036;     // "Talare"
constexpr int kCongLabel = 1057;        // "Församling"
constexpr int kChairmanLabel = 1038;    // "Ordförande"
constexpr int kReaderLabel = 1039;      // "Högläsare"
constexpr int kOutgoingLabel = 1037;    // "Talare som reser ut"
constexpr int kCoordinatorTitle = 1023; // "Föredragssamordnare"
constexpr int kPhonesTitle = 1045;      // "Besökande talares telefonnr"
constexpr int kBrotherTitle = 1279;     // "Tal för bröder i hemförsamlingen"
constexpr int kOutgoingTitle = 1280;    // "Tal för dem som reser ut"
constexpr int kTalksTitle = 61150;      // "Förteckning över offentliga tal"
constexpr int kRotaTitle = 61151;       // "Högläsare vid Vakttornsstudiet"
constexpr int kAssigned = 61153;        // "Tilldelad uppgift"
constexpr int kTalksOf = 61159;         // "Tal -"
constexpr int kTimeLine = 61160;        // "%1 - %2"
constexpr int kLaterTime = 61161;       // " (%1 %2)"
constexpr int kListDate = 26;           // the week-list form of a date

constexpr int kBlockGap = 15; // an eighth of an inch between blocks

std::string WeekDate(const CMvDoc& doc, int weekIndex) {
    return doc.FormatDate(weekIndex + 1, kListDate);
}

std::string BrotherOf(const CMvDoc& doc, int key) {
    return key == 0 ? std::string()
                    : doc.Brothers().BrotherNameByKey(static_cast<uint16_t>(key), false);
}

std::string CongregationOf(const CMvDoc& doc, int key) {
    return key == 0 ? std::string()
                    : doc.Congregations().CongregationNameByKey(static_cast<uint16_t>(key), false);
}

/** "Tal" and the talk's number text as two cells; nothing for a talk that names no record. */
void AddTalk(const CMvDoc& doc, ListLine& line, int x, int talk, FontRole role) {
    const std::string number = TalkNumber(doc, talk);
    if (number.empty())
        return;
    line.Add(Subheading, x, doc.Strings().Get(kTalkLabel));
    line.Add(role, x + 36, number);
}

/** "i" and a place as two cells. */
void AddPlace(const CMvDoc& doc, ListLine& line, int x, const std::string& place, FontRole role) {
    if (place.empty())
        return;
    line.Add(Subheading, x, doc.Strings().Get(kInLabel));
    line.Add(role, x + 18, place);
}

bool HasTitle(const CMvDoc& doc, int talk) {
    const TalkRecord* record = doc.Talks().Talk(talk - 1);
    return record && !record->title.empty();
}

struct BrotherContact {
    std::string name;
    std::string address1;
    std::string address2;
    ContactList contacts;
};

BrotherContact ContactOf(const CMvDoc& doc, int index) {
    BrotherContact c;
    BrotherRecord record;
    const BrotherIndexEntry* entry = doc.Brothers().Brother(index);
    if (!entry || doc.Brothers().ReadBrother(index, record) == 0)
        return c;
    c.name = doc.Brothers().BrotherName(index, false);
    c.address1 = record.address1;
    c.address2 = record.address2;
    c.contacts = CollectContacts(doc, entry->brotherKey);
    return c;
}

/** The block of a brother and his prepared talks (kinds 2 and 13). */
ListBlock SpeakerBlock(const CMvDoc& doc, int index, int talkCount) {
    const BrotherContact c = ContactOf(doc, index);
    const BrotherIndexEntry& entry = *doc.Brothers().Brother(index);
    ListBlock block;
    ListLine& first = block.Line(1, kBlockGap);
    first.Add(Text, 0, c.name).Add(Text, 300, c.address1);
    first.Add(Text, 660, c.contacts.phones[0]);
    if (!c.address2.empty() || c.contacts.phoneCount > 1)
        block.Line().Add(Text, 300, c.address2).Add(Text, 660, c.contacts.phones[1]);
    // The numbers in columns of 0.4 in from 0.6 in, a new line when one is full.
    constexpr int kFirstColumn = 72, kColumn = 48, kColumns = 17;
    ListLine* line = &block.Line();
    line->Add(Subheading, 0, doc.Strings().Get(kTalksOf));
    int column = 0;
    for (int talk = 1; talk <= talkCount; ++talk) {
        if (!entry.repertoire.Has(talk))
            continue;
        if (column == kColumns) {
            line = &block.Line();
            column = 0;
        }
        line->Add(Small, kFirstColumn + column++ * kColumn, TalkNumber(doc, talk));
    }
    return block;
}

std::vector<ListBlock> SpeakerBlocks(const CMvDoc& doc, uint16_t congregationKey,
                                     uint16_t circuitKey, bool local) {
    std::vector<ListBlock> blocks;
    const uint16_t home = doc.Congregations().OurCongregationKey();
    if (local && home == 0)
        return blocks;
    const int talks = ConsideredTalkCount(doc);
    const BrotherStore& brothers = doc.Brothers();
    for (int i = 0; i < brothers.BrotherCount(); ++i) {
        const BrotherIndexEntry& b = *brothers.Brother(i);
        if (b.Suspended() || b.repertoire.Empty())
            continue;
        if (congregationKey != 0 && b.congregationKey != congregationKey)
            continue;
        if (circuitKey != 0) {
            const int cong = doc.Congregations().FindCongregationByKey(b.congregationKey);
            const CongregationIndexEntry* entry = doc.Congregations().Congregation(cong - 1);
            if (!entry || entry->circuitId != circuitKey)
                continue;
        }
        if (!local && home != 0 && b.congregationKey == home) {
            const int position = brothers.FindOurBrother(b.brotherKey);
            if (position == 0 ||
                !(brothers.OurBrothers()[static_cast<size_t>(position - 1)].roleBits &
                  kRoleOutgoingSpeaker))
                continue;
        }
        blocks.push_back(SpeakerBlock(doc, i, talks));
    }
    return blocks;
}

std::string SpeakersTitle(const CMvDoc& doc, uint16_t congregationKey, uint16_t circuitKey) {
    std::string title = congregationKey != 0 ? CongregationOf(doc, congregationKey)
                                             : doc.Strings().Get(kSpeakerLabel);
    if (circuitKey != 0) {
        const std::string circuit = doc.Circuits().NameByKey(circuitKey);
        if (!circuit.empty())
            title += " - " + circuit;
    }
    return title;
}

/** The telephone list: numbers right-aligned towards 7.5 in, 1.2 in apart. */
void AddPhones(ListLine& line, const ContactList& c) {
    for (int i = 0; i < c.phoneCount; ++i)
        line.Add(Text, 900 - (c.phoneCount - 1 - i) * 144, c.phones[static_cast<size_t>(i)],
                 kRight);
}

} // namespace

int ListedTalkCount(const CMvDoc& doc) {
    for (int talk = 151; talk <= 200; ++talk)
        if (!HasTitle(doc, talk))
            return talk - 1;
    return 200;
}

int ConsideredTalkCount(const CMvDoc& doc) {
    for (int talk = 1; talk < TalkRepertoire::kTalks; ++talk)
        if (!HasTitle(doc, talk) && !HasTitle(doc, talk + 1))
            return talk - 1;
    return TalkRepertoire::kTalks;
}

std::unique_ptr<ListReport> SpeakersWithTalks(const CMvDoc& doc, uint16_t congregationKey,
                                              uint16_t circuitKey) {
    return std::make_unique<ListReport>(
        doc, SpeakersTitle(doc, congregationKey, circuitKey), [&doc, congregationKey, circuitKey] {
            return SpeakerBlocks(doc, congregationKey, circuitKey, false);
        });
}

std::unique_ptr<ListReport> LocalSpeakers(const CMvDoc& doc) {
    const uint16_t home = doc.Congregations().OurCongregationKey();
    return std::make_unique<ListReport>(doc, SpeakersTitle(doc, home, 0),
                                        [&doc, home] { return SpeakerBlocks(doc, home, 0, true); });
}

std::unique_ptr<ListReport> TalksWithSpeakers(const CMvDoc& doc) {
    auto report = std::make_unique<ListReport>(doc, doc.Strings().Get(kTalksTitle), [&doc] {
        const int talks = ListedTalkCount(doc);
        // The brothers of each talk, counted in one pass before drawing.
        std::vector<std::vector<int>> speakers(static_cast<size_t>(talks) + 1);
        for (int i = 0; i < doc.Brothers().BrotherCount(); ++i) {
            const BrotherIndexEntry& b = *doc.Brothers().Brother(i);
            for (int talk = 1; talk <= talks; ++talk)
                if (b.repertoire.Has(talk))
                    speakers[static_cast<size_t>(talk)].push_back(i);
        }
        std::vector<ListBlock> blocks;
        for (int talk = 1; talk <= talks; ++talk) {
            ListBlock block;
            block.Line(1, kBlockGap)
                .Add(Speaker, 0, TalkNumber(doc, talk))
                .Add(Talk, 60, TalkTitle(doc, talk));
            const std::vector<int>& list = speakers[static_cast<size_t>(talk)];
            for (size_t k = 0; k < list.size(); k += 2) {
                ListLine& line = block.Line();
                for (size_t j = k; j < std::min(k + 2, list.size()); ++j) {
                    const BrotherIndexEntry& b = *doc.Brothers().Brother(list[j]);
                    const int x = j == k ? 60 : 480;
                    line.Add(Text, x, doc.Brothers().BrotherName(list[j], false));
                    line.Add(Small, x + 210, CongregationOf(doc, b.congregationKey));
                }
            }
            blocks.push_back(std::move(block));
        }
        return blocks;
    });
    report->SetScrollPageTenths(120);
    return report;
}

std::unique_ptr<ListReport> ExchangeList(const CMvDoc& doc, uint16_t key) {
    const uint16_t home = doc.Congregations().OurCongregationKey();
    const std::string title = CongregationOf(doc, key) + " - " + CongregationOf(doc, home) + " " +
                              doc.Strings().Get(kAssigned);
    return std::make_unique<ListReport>(doc, title, [&doc, key, home] {
        const int first = doc.CurrentWeek() - 1;
        std::vector<int> visits, outs; // week indexes counted for each side
        std::vector<ListBlock> blocks(3);
        for (int w = first; w < first + kExchangeWeeks; ++w) {
            const WeekRecord week = doc.Weeks().Week(w);
            if (SameKey(week.homeCongregation, key) && week.homeSpeaker != 0) {
                visits.push_back(w);
                ListLine& line = blocks[1].Line();
                line.Add(Small, 0, WeekDate(doc, w))
                    .Add(Small, 120, BrotherOf(doc, week.homeSpeaker));
                AddTalk(doc, line, 420, week.homeTalk, Small);
                AddPlace(doc, line, 560, CongregationOf(doc, home), Small);
            }
            bool counted = false;
            for (size_t s = 0; s < WeekRecord::kOutSlots; ++s) {
                if (!SameKey(week.outCongregation[s], key) || week.outSpeaker[s] == 0)
                    continue;
                if (!counted)
                    outs.push_back(w);
                counted = true;
                ListLine& line = blocks[2].Line();
                line.Add(Small, 0, WeekDate(doc, w))
                    .Add(Small, 120, BrotherOf(doc, week.outSpeaker[s]));
                AddTalk(doc, line, 420, week.outTalk[s], Small);
                AddPlace(doc, line, 560, CongregationOf(doc, key), Small);
            }
        }
        // The time each side meets: its first counted year, and a later year's time that differs.
        auto timeLine = [&doc](uint16_t side, const std::vector<int>& weeks) {
            if (weeks.empty())
                return std::string();
            const dates::MeetingDays days = doc.MeetingDays();
            const int year = dates::MeetingYear(weeks.front(), days);
            int later = year;
            for (int w : weeks)
                if (dates::MeetingYear(w, days) > year)
                    later = dates::MeetingYear(w, days);
            const std::string time = doc.Congregations().MeetingTimeOf(side, year);
            std::string line = doc.Strings().Format(kTimeLine, CongregationOf(doc, side), time);
            const std::string laterTime = doc.Congregations().MeetingTimeOf(side, later);
            if (laterTime != time)
                line += doc.Strings().Format(kLaterTime, laterTime, std::to_string(later));
            return line;
        };
        blocks[0].Line(0).Add(Small, 0, timeLine(home, visits));
        blocks[0].Line().Add(Small, 0, timeLine(key, outs));
        if (!blocks[2].lines.empty())
            blocks[2].lines.front().gap = kBlockGap;
        return blocks;
    });
}

std::unique_ptr<ListReport> BrotherAssignments(const CMvDoc& doc, uint16_t brotherKey) {
    return std::make_unique<ListReport>(doc, doc.Strings().Get(kBrotherTitle), [&doc, brotherKey] {
        const std::string home = CongregationOf(doc, doc.Congregations().OurCongregationKey());
        const StringTable& s = doc.Strings();
        std::vector<ListBlock> blocks(1);
        blocks[0]
            .Line(0)
            .Add(Speaker, 0, BrotherOf(doc, brotherKey))
            .Add(Subheading, 900, s.Get(kAssigned), kRight);
        if (brotherKey == 0)
            return blocks;
        const int first = doc.CurrentWeek() - 1;
        for (int w = first; w < first + kExchangeWeeks; ++w) {
            const WeekRecord week = doc.Weeks().Week(w);
            auto duty = [&](int label, int talk, const std::string& place) {
                ListLine& line = blocks[0].Line();
                line.Add(Text, 12, WeekDate(doc, w));
                if (label != 0)
                    line.Add(Subheading, 210, s.Get(label));
                else
                    AddTalk(doc, line, 210, talk, Text);
                AddPlace(doc, line, 420, place, Text);
            };
            if (SameKey(week.homeSpeaker, brotherKey))
                duty(0, week.homeTalk, home);
            for (size_t i = 0; i < WeekRecord::kOutSlots; ++i)
                if (SameKey(week.outSpeaker[i], brotherKey))
                    duty(0, week.outTalk[i], CongregationOf(doc, week.outCongregation[i]));
            if (SameKey(week.chairman, brotherKey))
                duty(kChairmanLabel, 0, home);
            if (SameKey(week.reader, brotherKey))
                duty(kReaderLabel, 0, home);
        }
        return blocks;
    });
}

std::unique_ptr<ListReport> VisitorPhones(const CMvDoc& doc, int startWeek, int weekCount) {
    const int count = std::clamp(weekCount, 1, kPhoneWeeks);
    return std::make_unique<ListReport>(
        doc, doc.Strings().Get(kPhonesTitle), [&doc, startWeek, count] {
            std::vector<ListBlock> blocks;
            for (int w = startWeek; w < startWeek + count; ++w) {
                const WeekRecord week = doc.Weeks().Week(w);
                if (week.homeSpeaker == 0)
                    continue;
                const ContactList c = CollectContacts(doc, static_cast<uint16_t>(week.homeSpeaker));
                ListBlock block;
                ListLine& first = block.Line(1, kBlockGap);
                first.band = true;
                first.Add(Speaker, 12, WeekDate(doc, w))
                    .Add(Speaker, 160, BrotherOf(doc, week.homeSpeaker));
                ListLine& second = block.Line();
                AddTalk(doc, second, 40, week.homeTalk, Text);
                second.Add(Text, 160, CongregationOf(doc, week.homeCongregation));
                AddPhones(second, c);
                if (!c.email.empty())
                    block.Line().Add(Text, 900, c.email, kRight);
                blocks.push_back(std::move(block));
            }
            return blocks;
        });
}

std::unique_ptr<ListReport> OutgoingTalks(const CMvDoc& doc) {
    return std::make_unique<ListReport>(doc, doc.Strings().Get(kOutgoingTitle), [&doc] {
        const StringTable& s = doc.Strings();
        std::vector<ListBlock> blocks(1);
        blocks[0]
            .Line(0)
            .Add(Subheading, 180, s.Get(kOutgoingLabel))
            .Add(Subheading, 480, s.Get(kCongLabel));
        const int first = doc.CurrentWeek();
        for (int w = first; w < first + kOutgoingWeeks; ++w) {
            const WeekRecord week = doc.Weeks().Week(w);
            ListBlock block;
            for (size_t i = 0; i < WeekRecord::kOutSlots; ++i) {
                if (week.outSpeaker[i] == 0)
                    continue;
                ListLine& line = block.Line();
                line.Add(Text, 12, block.lines.size() == 1 ? WeekDate(doc, w) : std::string());
                line.Add(Speaker, 180, BrotherOf(doc, week.outSpeaker[i]));
                line.Add(Text, 480, CongregationOf(doc, week.outCongregation[i]));
                AddTalk(doc, line, 820, week.outTalk[i], Text);
            }
            if (!block.lines.empty())
                blocks.push_back(std::move(block));
        }
        return blocks;
    });
}

std::unique_ptr<ListReport> Coordinators(const CMvDoc& doc) {
    return std::make_unique<ListReport>(doc, doc.Strings().Get(kCoordinatorTitle), [&doc] {
        std::vector<ListBlock> blocks;
        const CongregationStore& congs = doc.Congregations();
        for (int i = 0; i < congs.CongregationCount(); ++i) {
            const int coordinator = doc.TalkCoordinatorOf(i) - 1;
            const BrotherIndexEntry* b = doc.Brothers().Brother(coordinator);
            const ContactList c = b ? CollectContacts(doc, b->brotherKey) : ContactList{};
            ListBlock block;
            ListLine& first = block.Line(1, kBlockGap);
            first.Add(Speaker, 0, congs.CongregationName(i, false));
            first.Add(Text, 330, b ? doc.Brothers().BrotherName(coordinator, false) : "");
            first.Add(Text, 660, c.phones[0]);
            for (int p = 1; p < c.phoneCount; ++p)
                block.Line().Add(Text, 660, c.phones[static_cast<size_t>(p)]);
            if (!c.email.empty())
                block.Line().Add(Text, 660, c.email);
            blocks.push_back(std::move(block));
        }
        return blocks;
    });
}

int RotaWeekCount(const CMvDoc& doc) {
    const int today = doc.CurrentWeek() - 1;
    int n = doc.Weeks().Week(today).reader != 0 ? 1 : 0;
    for (int w = today + 1; w <= today + 51; ++w)
        n += doc.Weeks().Week(w).reader != 0;
    return std::min(n, kRotaReaders);
}

std::unique_ptr<ListReport> ReaderRota(const CMvDoc& doc, ReaderTextOf readerText) {
    // One quarter inch under the heading, then lines two quarters and a row apart; a second
    // page goes on with the same pairing.
    auto build = [&doc, readerText = std::move(readerText)] {
        const int today = doc.CurrentWeek() - 1;
        const int half = RotaWeekCount(doc) / 2;
        std::vector<ListBlock> blocks;
        for (int i = 0; i <= half; ++i) {
            const int left = today + i, right = today + half + 1 + i;
            ListBlock block;
            ListLine& line = block.Line(1, 60);
            line.Add(Speaker, 12, WeekDate(doc, left)).Add(Speaker, 160, readerText(left));
            if (i < half || doc.Weeks().Week(right).reader != 0)
                line.Add(Speaker, 480, WeekDate(doc, right)).Add(Speaker, 630, readerText(right));
            blocks.push_back(std::move(block));
        }
        return blocks;
    };
    return std::make_unique<ListReport>(doc, doc.Strings().Get(kRotaTitle), std::move(build),
                                        ListStart{0, 30});
}

} // namespace mivra::reports
