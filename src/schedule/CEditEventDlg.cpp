#include "schedule/CEditEventDlg.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

namespace mivra::schedule {
namespace {

constexpr int kListFlags = 10;
constexpr int kMessageFlags = 2;
constexpr int kChooseWeek = 1086;    // "Välj vecka"
constexpr int kNoWeek = 1085;        // "Var god välj en vecka"
constexpr int kNoKind = 1087;        // "Var god välj en händelse"
constexpr int kStrikeIntro = 1088;   // "Om du lägger till %1 …"
constexpr int kStrikeSpeaker = 1089; // then chairman 1090, host 1091, reader 1092
constexpr int kStrikeOutro = 1094;
constexpr int kAssemblyName = 1117;
constexpr int kVisitName = 1118;
constexpr int kOtherName = 1014;

ui::MessageBox Notice(std::string text) {
    ui::MessageBox box;
    box.text = std::move(text);
    return box;
}

} // namespace

CEditEventDlg::CEditEventDlg(CMvDoc& doc, const SpecialEventRecord& record, bool isNew)
    : Dialog(kUse), m_doc(doc), m_record(isNew ? SpecialEventRecord{} : record), m_isNew(isNew) {}

void CEditEventDlg::OnInit() {
    const int current = m_doc.CurrentWeek();
    Win().ClearRows(kWeek);
    Win().AddRow(kWeek, m_doc.Strings().Get(kChooseWeek));
    for (int k = 1; k <= kWeeks; ++k)
        Win().AddRow(kWeek, m_doc.FormatDate(current + k, kListFlags));
    Win().SetLimit(kName, static_cast<int>(SpecialEventRecord::kNameChars));
    Win().SetLimit(kTheme, static_cast<int>(SpecialEventRecord::kThemeChars));
    if (m_isNew) {
        Win().Select(kWeek, 0);
        return;
    }
    const int entry = m_record.weekIndex - current + 1;
    Win().Select(kWeek, entry >= 1 && entry <= kWeeks ? entry : -1);
    Win().SetChecked(kAssembly, (m_record.flags & kWeekAssembly) != 0);
    Win().SetChecked(kVisit, (m_record.flags & kWeekOverseerVisit) != 0);
    Win().SetChecked(kOther, (m_record.flags & kWeekOtherEvent) != 0);
    Win().SetText(kName, m_record.name);
    Win().SetText(kTheme, m_record.theme);
    Win().SetChecked(kChairman, (m_record.flags & kWeekChairmanAnyway) != 0);
    Win().SetChecked(kHost, (m_record.flags & kWeekHostAnyway) != 0);
    Win().SetChecked(kReader, (m_record.flags & kWeekReaderAnyway) != 0);
    ShowAllowed();
}

void CEditEventDlg::OnCommand(int id) {
    if (id == kAssembly || id == kVisit || id == kOther)
        ChooseKind(id);
}

void CEditEventDlg::ChooseKind(int id) {
    constexpr uint16_t kAllowBits = kWeekChairmanAnyway | kWeekHostAnyway | kWeekReaderAnyway;
    uint16_t flags = m_record.flags & static_cast<uint16_t>(~(kWeekEventKinds | kAllowBits));
    int name = kOtherName;
    if (id == kAssembly) {
        flags |= kWeekAssembly;
        name = kAssemblyName;
    } else if (id == kVisit) {
        flags |= kWeekOverseerVisit | kWeekChairmanAnyway | kWeekHostAnyway;
        name = kVisitName;
    } else {
        flags |= kWeekOtherEvent;
    }
    m_record.flags = flags;
    Win().SetChecked(kChairman, (flags & kWeekChairmanAnyway) != 0);
    Win().SetChecked(kHost, (flags & kWeekHostAnyway) != 0);
    Win().SetChecked(kReader, (flags & kWeekReaderAnyway) != 0);
    ShowAllowed();
    Win().SetText(kName, m_doc.Strings().Get(name));
}

void CEditEventDlg::ShowAllowed() {
    const uint16_t kind = m_record.flags & kWeekEventKinds;
    if (kind == 0)
        return;
    const bool assembly = kind == kWeekAssembly;
    Win().Show(kAllow, !assembly);
    Win().Show(kChairman, !assembly);
    Win().Show(kHost, !assembly);
    Win().Show(kReader, kind == kWeekOtherEvent);
}

void CEditEventDlg::OnOk() {
    const StringTable& s = m_doc.Strings();
    const int entry = Win().Selection(kWeek);
    // An existing event whose week the list does not offer keeps its own week.
    if (entry <= 0 && m_isNew) {
        Host().ShowMessage(Notice(s.Get(kNoWeek)));
        return;
    }
    if ((m_record.flags & kWeekEventKinds) == 0) {
        Host().ShowMessage(Notice(s.Get(kNoKind)));
        return;
    }
    SpecialEventRecord edited = m_record;
    if (entry > 0)
        edited.weekIndex = static_cast<uint16_t>(m_doc.CurrentWeek() + entry - 1);
    edited.name = Win().Text(kName).substr(0, SpecialEventRecord::kNameChars);
    edited.theme = Win().Text(kTheme).substr(0, SpecialEventRecord::kThemeChars);
    const auto tick = [this](int box, uint16_t bit) {
        return Win().IsChecked(box) ? bit : uint16_t{0};
    };
    edited.flags = static_cast<uint16_t>(
        (edited.flags & ~(kWeekChairmanAnyway | kWeekHostAnyway | kWeekReaderAnyway)) |
        tick(kChairman, kWeekChairmanAnyway) | tick(kHost, kWeekHostAnyway) |
        tick(kReader, kWeekReaderAnyway));
    m_record = edited;
    if (ConfirmStrikes(edited.weekIndex))
        End(ui::kIdOk);
}

bool CEditEventDlg::ConfirmStrikes(int weekIndex) {
    const uint16_t bits = m_doc.Weeks().EventStrikes(weekIndex, m_record.flags);
    if ((bits & kStrikeAny) == 0)
        return true;
    const StringTable& s = m_doc.Strings();
    const WeekRecord week = m_doc.Weeks().Week(weekIndex);
    const auto brother = [this](int16_t key) {
        return m_doc.Brothers().BrotherNameByKey(static_cast<uint16_t>(key), false);
    };
    std::string text =
        s.Format(kStrikeIntro, m_record.name, m_doc.FormatDate(weekIndex + 1, kMessageFlags));
    const struct {
        uint16_t bit;
        std::string name;
    } lines[] = {{kStrikeHomeSpeaker, brother(week.homeSpeaker)},
                 {kStrikeChairman, brother(week.chairman)},
                 {kStrikeHost, m_doc.Hosts().NameByKey(static_cast<uint16_t>(week.host))},
                 {kStrikeReader, brother(week.reader)}};
    int id = kStrikeSpeaker;
    for (const auto& line : lines) {
        if (bits & line.bit)
            text += s.Format(id, line.name) + "\n";
        // 1089 … 1092 follow the bits in order; bit 9 has no line.
        ++id;
    }
    text += "\n" + s.Get(kStrikeOutro) + "\n\n";
    ui::MessageBox question = Notice(text);
    question.buttons = ui::Buttons::OkCancel;
    question.icon = ui::Icon::Question;
    const ui::Answer answer = Host().ShowMessage(question);
    if (answer != ui::Answer::Ok)
        return false;
    m_doc.Weeks().ApplyEventStrikes(weekIndex, bits);
    return true;
}

} // namespace mivra::schedule
