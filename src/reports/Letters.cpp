#include "reports/Letters.h"

#include "base/Text.h"
#include "dates/Dates.h"
#include "reports/ScheduleWeek.h"
#include "reports/TextRow.h"
#include "resources/StringTable.h"
#include "store/CContactDlg.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <cstdlib>

namespace mivra::reports {
namespace {

constexpr int kNoticeTitle = 1281;    // "Besked till talare som reser ut"
constexpr int kLetterTitle = 1282;    // "Brev till besökande talare"
constexpr int kCoordinator = 1023;    // "Föredragssamordnare"
constexpr int kMonday = 1252;         // "Måndag" … 1258 "Söndag"
constexpr int kPhone = 61157;         // "Telefon"
constexpr int kSalutation = 61162;    // "Käre Broder %1,"
constexpr int kYourBrother = 61163;   // "Din broder"
constexpr int kWelcome = 61164;       // "Du är välkommen … talet: "%2""
constexpr int kTimeSentence = 61165;  // "Klockslaget … är %1."
constexpr int kAddressIntro = 61166;  // "Adressen till Rikets sal är:"
constexpr int kLookForward = 61167;   // "Vi ser fram emot att få lyssna till ditt tal."
constexpr int kSignature = 61168;     // "%1, Föredragssamordnare"
constexpr int kCongregation = 61169;  // "%1 församling"
constexpr int kNoticeHeading = 61170; // "Uppgift att hålla offentligt föredrag"
constexpr int kHall = 61171;          // "Rikets sal"
constexpr int kTalkTitle = 61172;     // "Tal - %1"

/** Texts of the letters, on their bottom edge, x from the left margin and y from the top. */
struct Sheet {
    ui::Canvas& canvas;
    const ReportGeometry& g;
    ui::Font font;
    int left;
    int top;

    int X(int num, int den) const { return left + g.X(num, den); }
    int Y(int num, int den) const { return top + g.Y(num, den); }
    void Text(int x, int y, const std::string& text, ui::HAlign align = ui::HAlign::Left) {
        if (text.empty())
            return;
        // Each text may run to the page's right edge, no further.
        TextRow row(g, align == ui::HAlign::Right ? x : left + g.X(77, 10));
        row.Add(font, x, text, align);
        row.Draw(canvas, y);
    }
};

struct Congregation {
    bool read = false;
    CongregationRecord record;
};

Congregation ReadCongregation(const CMvDoc& doc, uint16_t key) {
    Congregation c;
    const int index = key == 0 ? 0 : doc.Congregations().FindCongregationByKey(key);
    c.read = index != 0 && doc.Congregations().ReadCongregation(index - 1, c.record) != 0;
    return c;
}

/** The full name and address of a brother; nothing when his record cannot be read. */
std::optional<BrotherRecord> ReadBrother(const CMvDoc& doc, uint16_t key) {
    const int index = key == 0 ? kNotFound : doc.Brothers().FindBrotherByKey(key);
    BrotherRecord record;
    if (index == kNotFound || doc.Brothers().ReadBrother(index, record) == 0)
        return std::nullopt;
    return record;
}

std::string FullName(const BrotherRecord& b) {
    return std::string(text::Trim(b.firstName)) + " " + std::string(text::Trim(b.lastName));
}

std::string TalkNumberOf(const CMvDoc& doc, int talk) {
    return TalkNumber(doc, talk);
}

void DrawMap(Sheet& s, const ui::Picture* map, ui::Rect box) {
    if (map && box.top < box.bottom)
        s.canvas.DrawPicture(*map, box);
}

} // namespace

bool IsPlainMapName(const std::string& name) {
    const std::string_view trimmed = text::Trim(name);
    return !trimmed.empty() && trimmed == name && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

const ui::Picture* MapPicture::Of(const CMvDoc& doc, const std::string& fileName) {
    if (!m_decoder || !IsPlainMapName(fileName))
        return nullptr;
    if (!m_tried || fileName != m_name) {
        m_tried = true;
        m_name = fileName;
        m_load = ui::LoadPicture(doc.DataFolder() / fileName, *m_decoder);
    }
    return m_load.picture.get();
}

std::string PtgTimeSentence(std::string sentence) {
    const std::string seq = " \xC3\xA0s 1"; // " às 1"
    const size_t at = sentence.find(seq);
    if (at == std::string::npos || text::CharCount(std::string_view(sentence).substr(0, at)) < 10)
        return sentence;
    const size_t after = at + seq.size();
    const bool plural = after < sentence.size() && sentence[after] >= '0' && sentence[after] <= '2';
    if (!plural)
        sentence.erase(at + 3, 1);
    return sentence;
}

// The letter -------------------------------------------------------------------------------------

VisitorLetter::VisitorLetter(const CMvDoc& doc, int weekIndex, const ui::PictureDecoder* pictures)
    : m_doc(doc), m_week(weekIndex), m_map(pictures) {}

std::string VisitorLetter::FileName() const {
    return Title();
}

std::string VisitorLetter::Title() const {
    return m_doc.Strings().Get(kLetterTitle);
}

std::string VisitorLetter::Body() const {
    const WeekRecord week = m_doc.Weeks().Week(m_week);
    const uint16_t home = m_doc.Congregations().OurCongregationKey();
    const Congregation hall = ReadCongregation(m_doc, home);
    if (week.homeSpeaker == 0 || week.homeTalk == 0 || !hall.read)
        return {};
    const StringTable& s = m_doc.Strings();
    std::string time =
        s.Format(kTimeSentence, m_doc.Congregations().MeetingTimeForWeek(home, m_week)) + "  ";
    if (m_doc.LanguageCode() == "ptg")
        time = PtgTimeSentence(time);
    return s.Format(kWelcome, m_doc.FormatDate(m_week + 1, dates::kAppendYear),
                    TalkTitle(m_doc, week.homeTalk)) +
           " ( #" + TalkNumberOf(m_doc, week.homeTalk) + " ).  " + time + s.Get(kAddressIntro) +
           " " + hall.record.address1 + ", " + hall.record.address2 + ".  " + s.Get(kPhone) + ": " +
           hall.record.phone1 + ".  " + s.Get(kLookForward) + "  ";
}

void VisitorLetter::DrawPage(const PageContext& context, int page) {
    const WeekRecord week = m_doc.Weeks().Week(m_week);
    const uint16_t home = m_doc.Congregations().OurCongregationKey();
    const Congregation hall = ReadCongregation(m_doc, home);
    const std::optional<BrotherRecord> speaker =
        ReadBrother(m_doc, static_cast<uint16_t>(week.homeSpeaker));
    if (page != 1 || week.homeTalk == 0 || !hall.read || !speaker)
        return;
    const ReportGeometry& g = context.geometry;
    const StringTable& strings = m_doc.Strings();
    Sheet s{context.canvas, g, g.Font(context.fonts[FontRole::Speaker]), g.LeftOffset(),
            g.TopOffset()};
    s.canvas.SetBackground(false);
    auto row = [&s](int n) { return s.Y(1, 8) + s.g.Y(n, 4); };

    // 1. The sender: the talk coordinator with his address and telephones.
    const std::optional<BrotherRecord> sender = ReadBrother(m_doc, hall.record.talkCoordinatorKey);
    if (sender) {
        s.Text(s.X(1, 3), row(1), FullName(*sender));
        s.Text(s.X(1, 3), row(2), sender->address1);
        s.Text(s.X(1, 3), row(3), sender->address2);
        const ContactList c = CollectContacts(m_doc, hall.record.talkCoordinatorKey);
        if (c.phoneCount > 0 || !c.email.empty()) {
            s.Text(s.X(5, 1), row(1), strings.Get(kPhone) + ":");
            for (int i = 0; i < c.phoneCount; ++i)
                s.Text(s.X(6, 1), row(i + 1), c.phones[static_cast<size_t>(i)]);
            s.Text(s.X(7, 1), row(4), c.email, ui::HAlign::Right);
        }
    }
    // 2. Today's date, full month and year, as it is: no meeting day.
    s.Text(s.X(1, 3), row(4),
           dates::FormatDateText(dates::DateText(m_doc.Today()),
                                 dates::kAppendYear | dates::kNoMeetingShift, 0, m_doc.DateStyle(),
                                 m_doc.MeetingDays(), strings));
    // 3. and 4. The addressee and the salutation.
    s.Text(s.X(1, 2), s.Y(17, 8), FullName(*speaker));
    s.Text(s.X(1, 2), s.Y(19, 8), speaker->address1);
    s.Text(s.X(1, 2), s.Y(21, 8), speaker->address2);
    s.Text(s.X(1, 3), s.Y(32, 10),
           strings.Format(kSalutation, std::string(text::Trim(speaker->lastName))));
    // 5. The body; when it reaches "Din broder", that, the signature and the map move down.
    const std::string body = Body();
    const ui::Rect box{s.X(1, 3), s.Y(35, 10), s.X(7, 1), s.Y(55, 10)};
    s.canvas.SelectFont(s.font);
    s.canvas.SetTextColour(s.font.colour);
    const int bodyHeight = s.canvas.WrappedHeight(box.Width(), body);
    s.canvas.DrawWrapped({box.left, box.top, box.right, box.top + bodyHeight}, body);
    const int closing = s.Y(445, 100) - std::abs(s.font.height);
    const int shift = std::max(0, box.top + bodyHeight - closing);
    // 6. and 7.
    s.Text(s.X(1, 3), s.Y(445, 100) + shift, strings.Get(kYourBrother));
    s.Text(s.X(1, 3), s.Y(47, 10) + shift,
           strings.Format(kSignature, sender ? FullName(*sender) : std::string()) + " " +
               strings.Format(kCongregation, hall.record.name));
    // 8. The home congregation's map, still ending by 9.8 in.
    if (sender)
        DrawMap(s, m_map.Of(m_doc, hall.record.mapFile),
                {s.X(1, 4), s.Y(5, 1) + shift, s.X(29, 4), s.Y(98, 10)});
    s.canvas.SetBackground(true, ui::kWhite);
    s.canvas.SetTextColour(ui::kBlack);
}

// The notice ------------------------------------------------------------------------------------

OutgoingNotice::OutgoingNotice(const CMvDoc& doc, int weekIndex, int slot,
                               const ui::PictureDecoder* pictures)
    : m_doc(doc), m_week(weekIndex), m_slot(std::clamp(slot, 0, 5)), m_map(pictures) {}

std::string OutgoingNotice::FileName() const {
    return Title();
}

std::string OutgoingNotice::Title() const {
    return m_doc.Strings().Get(kNoticeTitle);
}

std::string OutgoingNotice::TalkDate() const {
    const WeekRecord week = m_doc.Weeks().Week(m_week);
    const uint16_t dest = static_cast<uint16_t>(week.outCongregation[static_cast<size_t>(m_slot)]);
    const int index = m_doc.Congregations().FindCongregationByKey(dest);
    const int stored =
        index == 0 ? 0 : m_doc.Congregations().MeetingWeekdayForWeek(index - 1, m_week);
    const std::string day = dates::MeetingDate(dates::MondayOf(m_week + 1),
                                               stored == 0 ? 7 : stored, m_doc.MeetingDays());
    return dates::FormatDateText(day,
                                 dates::kShortMonth | dates::kAppendYear | dates::kNoMeetingShift,
                                 0, m_doc.DateStyle(), m_doc.MeetingDays(), m_doc.Strings());
}

void OutgoingNotice::DrawPage(const PageContext& context, int page) {
    if (page != 1)
        return;
    const ReportGeometry& g = context.geometry;
    const StringTable& strings = m_doc.Strings();
    const DocOptions& o = m_doc.Settings().Options();
    ui::Canvas& canvas = context.canvas;
    const size_t slot = static_cast<size_t>(m_slot);
    const WeekRecord week = m_doc.Weeks().Week(m_week);
    const uint16_t home = m_doc.Congregations().OurCongregationKey();
    const uint16_t destKey = static_cast<uint16_t>(week.outCongregation[slot]);
    const Congregation ours = ReadCongregation(m_doc, home);
    const Congregation dest = ReadCongregation(m_doc, destKey);

    // 1. and 2. The heading and the date line, as on the schedule.
    DrawHeading(canvas, g, g.Font(context.fonts[FontRole::Heading]), o, g.TopOffset(),
                strings.Get(kNoticeHeading));
    const ui::Font date = g.Font(context.fonts[FontRole::Date]);
    const ui::Font talk = g.Font(context.fonts[FontRole::Talk]);
    const int rowHeight =
        std::max({g.Y(1, 6), std::abs(g.Font(context.fonts[FontRole::Speaker]).height),
                  std::abs(g.Font(context.fonts[FontRole::Text]).height)});
    const int line = g.TopOffset() + 4 * rowHeight - g.Y(1, 4);
    const int left = g.LeftOffset();
    const ui::Rect band{left - g.X(1, 90),
                        line - std::max(std::abs(date.height), std::abs(talk.height)) - g.Y(1, 80),
                        left + g.X(77, 10), line + g.Y(1, 90)};
    const ui::Colour bandText = DrawBand(canvas, band, o.borderStyle, o.borderColour, date.colour);
    canvas.SetBackground(false);
    Sheet s{canvas, g, date, left, g.TopOffset()};
    s.font.colour = bandText;
    s.Text(left, line, TalkDate());
    s.font = g.Font(context.fonts[FontRole::Speaker]);

    // 3. and 4. Time, talk and the weekday when it is not the home one.
    s.Text(s.X(1, 10), s.Y(9, 10), m_doc.Congregations().MeetingTimeForWeek(destKey, m_week));
    const std::string title = TalkTitle(m_doc, week.outTalk[slot]);
    if (!title.empty())
        s.Text(s.X(4, 3), s.Y(9, 10), strings.Format(kTalkTitle, title));
    uint8_t stored = 0;
    if (destKey != 0 && m_doc.Congregations().DiffersFromHomeWeekday(m_week, destKey, stored))
        s.Text(s.X(1, 3), s.Y(9, 8),
               "( " + strings.Get(stored == 0 ? kMonday + 6 : kMonday + stored - 1) + " )");

    // 5. to 7. Both talk coordinators with their telephones.
    auto coordinator = [&](const Congregation& c, int x10) {
        if (!c.read)
            return;
        s.Text(s.X(x10, 10), s.Y(15, 10), strings.Get(kCoordinator) + " ( " + c.record.name + " )");
        const std::optional<BrotherRecord> b = ReadBrother(m_doc, c.record.talkCoordinatorKey);
        if (!b)
            return;
        s.Text(s.X(x10 + 1, 10), s.Y(175, 100), FullName(*b));
        const ContactList phones = CollectContacts(m_doc, c.record.talkCoordinatorKey);
        for (int i = 0; i < phones.phoneCount; ++i)
            s.Text(s.X(x10 == 1 ? 3 : 42, 10), s.Y(200 + 25 * i, 100),
                   phones.phones[static_cast<size_t>(i)]);
    };
    coordinator(ours, 1);
    coordinator(dest, 41);

    // 8. and 9. The destination's hall and map.
    if (dest.read) {
        s.Text(s.X(1, 10), s.Y(3, 1), strings.Get(kHall));
        s.Text(s.X(3, 1), s.Y(3, 1), dest.record.phone1);
        s.Text(s.X(5, 1), s.Y(3, 1), dest.record.phone2);
        s.Text(s.X(2, 10), s.Y(325, 100), dest.record.address1);
        s.Text(s.X(2, 10), s.Y(35, 10), dest.record.address2);
        DrawMap(s, m_map.Of(m_doc, dest.record.mapFile),
                {s.X(1, 4), s.Y(45, 10), s.X(29, 4), s.Y(95, 10)});
    }
    canvas.SetBackground(true, ui::kWhite);
    canvas.SetTextColour(ui::kBlack);
}

} // namespace mivra::reports
