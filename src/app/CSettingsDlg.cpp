#include "app/CSettingsDlg.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace mivra::app {
namespace {

constexpr int kStyleText = 1125;  // "Skriv ut rubriker och datum med %1 lister"
constexpr int kFirstStyle = 1126; // "inga" … 1130 "färgade"
constexpr int kColouredStyle = 4;
constexpr int kMaxMargin = 99;
constexpr size_t kHeadingChars = 255;
constexpr uint32_t kSilver = 0xC0C0C0;

// A stored margin the lists cannot show reads as the view uses it.
int ShownMargin(int margin) {
    if (margin > 100)
        return 50;
    return std::clamp(margin, 0, kMaxMargin);
}

// The heading goes to the profile as one line: line breaks and NULs are dropped, and it is
// cut to 255 characters (never inside a UTF-8 sequence).
std::string OneLineHeading(const std::string& text) {
    std::string line;
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == '\0')
            continue;
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++characters > kHeadingChars)
            break;
        line += c;
    }
    return line;
}

auto Edited(const DocOptions& o) {
    return std::tie(o.alternativeDateFormat, o.scheduleHosts, o.scheduleReaders, o.serviceYear,
                    o.includeReaders, o.omitTalkNumbers, o.omitOutgoing, o.heading, o.borderStyle,
                    o.borderColour, o.topMargin, o.leftMargin, o.printDateStamps, o.autoCaps);
}

} // namespace

CSettingsDlg::CSettingsDlg(CMvDoc& doc) : Dialog(kUse), m_doc(doc) {}

void CSettingsDlg::OnInit() {
    m_options = m_doc.Settings().Options();
    if (m_options.borderStyle < 0 || m_options.borderStyle > kColouredStyle)
        m_options.borderStyle = 0;
    Win().SetChecked(kAlternativeDate, m_options.alternativeDateFormat);
    Win().SetChecked(kScheduleHosts, m_options.scheduleHosts);
    Win().SetChecked(kScheduleReaders, m_options.scheduleReaders);
    Win().SetChecked(kIncludeReaders, m_options.includeReaders);
    Win().SetChecked(kOmitTalkNumbers, m_options.omitTalkNumbers);
    Win().SetChecked(kOmitOutgoing, m_options.omitOutgoing);
    Win().SetChecked(kDateStamps, m_options.printDateStamps);
    Win().SetChecked(kAutoCaps, m_options.autoCaps);
    Win().SetChecked(kServiceYear, m_options.serviceYear);
    Win().SetChecked(kCalendarYear, !m_options.serviceYear);
    Win().SetLimit(kHeading, static_cast<int>(kHeadingChars));
    Win().SetText(kHeading, OneLineHeading(m_options.heading));
    FillMargin(kTopMargin, ShownMargin(m_options.topMargin));
    FillMargin(kLeftMargin, ShownMargin(m_options.leftMargin));
    Win().Show(kIncludeReaders, m_options.scheduleReaders);
    const std::string& language = m_doc.LanguageCode();
    Win().Show(kAutoCaps, language == "eng" || language == "polish");
    Win().Show(kLetters, false);
    ShowStyle();
}

void CSettingsDlg::FillMargin(int id, int value) {
    Win().ClearRows(id);
    for (int n = 0; n <= kMaxMargin; ++n) {
        char item[4];
        std::snprintf(item, sizeof item, "%02d", n);
        Win().AddRow(id, item, static_cast<uint32_t>(n));
    }
    Win().Select(id, -1);
    Win().SetTopIndex(id, value);
}

void CSettingsDlg::ShowStyle() {
    Win().SetText(kBorderStyle,
                  m_doc.Strings().Format(kStyleText,
                                         m_doc.Strings().Get(kFirstStyle + m_options.borderStyle)));
    Win().Show(kBorderColour, m_options.borderStyle == kColouredStyle);
}

void CSettingsDlg::SetMargin(int id, int value) {
    Win().Select(id, value);
    Win().SetTopIndex(id, value);
}

int CSettingsDlg::Margin(int id) const {
    return std::clamp(Win().TopIndex(id), 0, kMaxMargin);
}

void CSettingsDlg::OnCommand(int id) {
    switch (id) {
    case kScheduleReaders:
        Win().Show(kIncludeReaders, Win().IsChecked(kScheduleReaders));
        return;
    case kBorderStyle:
        m_options.borderStyle = (m_options.borderStyle + 1) % (kColouredStyle + 1);
        ShowStyle();
        return;
    case kBorderColour:
        if (auto colour = Host().ChooseColour(m_options.borderColour))
            m_options.borderColour = m_options.borderStyle == kColouredStyle ? *colour : kSilver;
        return;
    default:
        return;
    }
}

void CSettingsDlg::OnFocus(int id, bool gained) {
    if (id != kTopMargin && id != kLeftMargin)
        return;
    m_typed.clear();
    const int top = Margin(id);
    if (gained) {
        Win().Select(id, top);
        return;
    }
    const int selected = Win().Selection(id);
    Win().SetTopIndex(id, selected >= 0 ? selected : top);
    Win().Select(id, -1);
}

void CSettingsDlg::OnListKey(int id, int step, char32_t typed) {
    if (id != kTopMargin && id != kLeftMargin)
        return;
    const int current = Win().Selection(id) >= 0 ? Win().Selection(id) : Margin(id);
    if (step != 0) {
        m_typed.clear();
        SetMargin(id, (current + step + kMaxMargin + 1) % (kMaxMargin + 1));
        return;
    }
    if (typed < U'0' || typed > U'9')
        return;
    m_typed += static_cast<char>(typed);
    const int number = std::stoi(m_typed);
    SetMargin(id, number > kMaxMargin ? number % 10 : number);
    if (m_typed.size() == 2)
        m_typed.clear();
}

void CSettingsDlg::OnOk() {
    const DocOptions before = m_doc.Settings().Options();
    DocOptions& options = m_doc.Settings().MutableOptions();
    options.alternativeDateFormat = Win().IsChecked(kAlternativeDate);
    options.scheduleHosts = Win().IsChecked(kScheduleHosts);
    options.scheduleReaders = Win().IsChecked(kScheduleReaders);
    options.serviceYear = Win().IsChecked(kServiceYear);
    options.includeReaders = Win().IsChecked(kIncludeReaders);
    options.omitTalkNumbers = Win().IsChecked(kOmitTalkNumbers);
    options.omitOutgoing = Win().IsChecked(kOmitOutgoing);
    options.printDateStamps = Win().IsChecked(kDateStamps);
    // Hidden for other languages: the stored value stays.
    if (Win().IsShown(kAutoCaps))
        options.autoCaps = Win().IsChecked(kAutoCaps);
    options.heading = OneLineHeading(Win().Text(kHeading));
    options.borderStyle = m_options.borderStyle;
    options.borderColour = m_options.borderColour;
    options.topMargin = Margin(kTopMargin);
    options.leftMargin = Margin(kLeftMargin);
    m_changed = Edited(before) != Edited(options);
    if (m_changed)
        m_doc.SetModified(true);
    m_doc.Settings().WriteSettings();
    End(ui::kIdOk);
}

void CSettingsDlg::OnCancel() {
    m_doc.Settings().WriteSettings();
    End(ui::kIdCancel);
}

} // namespace mivra::app
