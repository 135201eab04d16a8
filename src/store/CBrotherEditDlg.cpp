#include "store/CBrotherEditDlg.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CAvailabilityDlg.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CMvDoc.h"
#include "store/CTalkListDlg.h"
#include "ui/Host.h"

#include <array>
#include <string>

namespace mivra {
namespace {

constexpr int kCongregationText = 1057; // "Församling"
constexpr int kTalksText = 1049;        // "Se / Välj tal"
constexpr int kSuspendedText = 1300;    // "Suspended"
constexpr int kSomeWeeksText = 1065;    // "Fyll i datum för Ej tillgänglig"
constexpr int kAnyTimeText = 1064;      // "Tillgänglig när som helst"
constexpr int kDeleteQuestion = 1008;   // "Vill du verkligen ta bort %1?"
constexpr size_t kNamePairChars = 35;
constexpr int kElderAppointment = 2;
constexpr int kServantAppointment = 1;

using Dlg = CBrotherEditDlg;

struct Field {
    int id;
    int limit;
};
// The typing limits are the stored ones: nothing typed is cut silently on saving.
constexpr std::array<Field, 9> kFields = {{{Dlg::kFirstName, 18},
                                           {Dlg::kLastName, 18},
                                           {Dlg::kAddress1, 39},
                                           {Dlg::kAddress2, 39},
                                           {Dlg::kPhone, 14},
                                           {Dlg::kPhone2, 14},
                                           {Dlg::kPhone3, 14},
                                           {Dlg::kEmail, 45},
                                           {Dlg::kRemark, 45}}};
// Enter walks the form in this order.
constexpr std::array<int, 12> kFocusOrder = {
    Dlg::kFirstName, Dlg::kLastName, Dlg::kAddress1, Dlg::kAddress2, Dlg::kPhone,   Dlg::kPhone2,
    Dlg::kPhone3,    Dlg::kEmail,    Dlg::kRemark,   Dlg::kElder,    Dlg::kServant, Dlg::kOk};

/** Automatic capitals do not suit these languages' names. */
bool CapitalsApply(std::string_view language) {
    if (language == "rus" || language == "turkish" || language == "greek")
        return false;
    return language.empty() || (language[0] != 'G' && language[0] != 'U' && language[0] != 'f');
}

std::string Limited(std::string_view text, size_t chars) {
    return std::string(text::LeftChars(text, chars));
}

} // namespace

CBrotherEditDlg::CBrotherEditDlg(CMvDoc& doc, Opening opening)
    : Dialog(kUse), m_doc(doc), m_opening(opening), m_index(opening.add ? -1 : opening.index) {}

void CBrotherEditDlg::OnInit() {
    for (const Field& f : kFields)
        Win().SetLimit(f.id, f.limit);
    const bool add = m_opening.add;
    Win().Show(kDelete, !add);
    Win().Show(kNext, !add);
    Win().Show(kPrevious, !add);
    Win().Show(kCongregation, m_opening.preset == 0);
    Load(m_index);
}

void CBrotherEditDlg::Load(int index) {
    m_loading = true;
    m_index = index;
    m_record = BrotherRecord{};
    BrotherExtraRecord extra;
    const BrotherStore& brothers = m_doc.Brothers();
    if (!m_opening.add && brothers.Brother(index)) {
        if (brothers.ReadBrother(index, m_record) == 0) {
            // His slot is gone: the index still knows him, and saving adds him anew.
            const BrotherIndexEntry& e = *brothers.Brother(index);
            m_record = BrotherRecord{};
            m_record.firstName = e.firstName;
            m_record.lastName = e.lastName;
            m_record.repertoire = e.repertoire;
            m_record.congregationKey = e.congregationKey;
            m_record.appointment = e.Appointment();
            m_record.suspended = e.Suspended();
        } else if (m_record.extraSlot != 0 &&
                   !brothers.ReadBrotherExtra(m_record.extraSlot, m_record.brotherKey, extra)) {
            extra = BrotherExtraRecord{};
        }
    }
    Win().SetText(kFirstName, m_record.firstName);
    Win().SetText(kLastName, m_record.lastName);
    Win().SetText(kAddress1, m_record.address1);
    Win().SetText(kAddress2, m_record.address2);
    Win().SetText(kPhone, m_record.phone);
    Win().SetText(kPhone2, extra.phone2);
    Win().SetText(kPhone3, extra.phone3);
    Win().SetText(kEmail, extra.email);
    Win().SetText(kRemark, extra.remark);
    Win().SetChecked(kElder, m_record.appointment == kElderAppointment);
    Win().SetChecked(kServant, m_record.appointment == kServantAppointment);
    m_congregation = m_opening.preset != 0 ? m_opening.preset : m_record.congregationKey;
    m_suspended = m_record.suspended;
    m_talksChosen = false;
    m_firstEdited = false;
    ShowButtons();
    Win().SetFocus(kFirstName);
    m_loading = false;
}

void CBrotherEditDlg::ShowButtons() {
    const StringTable& s = m_doc.Strings();
    std::string congregation = s.Get(kCongregationText) + " - ";
    if (m_congregation != 0)
        congregation += m_doc.Congregations().CongregationNameByKey(m_congregation, false);
    Win().SetText(kCongregation, congregation);
    Win().SetText(kTalks,
                  s.Get(kTalksText) + " ( " + std::to_string(m_record.repertoire.Count()) + " )");
    int availability = kAnyTimeText;
    if (m_suspended)
        availability = kSuspendedText;
    else if (!m_pendingWeeks.empty() ||
             (m_record.brotherKey != 0 &&
              !m_doc.Availability().ListUnavailableWeeks(m_record.brotherKey, 1).empty()))
        availability = kSomeWeeksText;
    Win().SetText(kAvailability, s.Get(availability));
}

// Editing -----------------------------------------------------------------------------------------

void CBrotherEditDlg::OnEditChange(int id) {
    if (m_loading || (id != kFirstName && id != kLastName))
        return;
    Capitalise(id);
    if (id == kFirstName)
        m_firstEdited = true;
    else
        ApplyNameRule();
}

void CBrotherEditDlg::OnFocus(int id, bool gained) {
    if (id == kFirstName && !gained && m_firstEdited)
        ApplyNameRule();
}

void CBrotherEditDlg::ApplyNameRule() {
    const std::string first = Win().Text(kFirstName);
    if (text::CharCount(first) + text::CharCount(Win().Text(kLastName)) <= kNamePairChars)
        return;
    m_loading = true;
    Win().SetText(kFirstName, std::string(text::LeftChars(first, 1)) + ".");
    m_loading = false;
}

void CBrotherEditDlg::Capitalise(int id) {
    if (!m_doc.Settings().Options().autoCaps || !CapitalsApply(m_doc.LanguageCode()))
        return;
    std::string name = Win().Text(id);
    if (name.empty() || name[0] < 'a' || name[0] > 'z')
        return;
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    m_loading = true;
    Win().SetText(id, name);
    Win().SetCaret(id, 1);
    m_loading = false;
}

// Buttons -----------------------------------------------------------------------------------------

void CBrotherEditDlg::OnOk() {
    OnCommand(kOk);
}

void CBrotherEditDlg::OnCommand(int id) {
    switch (id) {
    case kOk:
        if (Win().Focus() != kOk) {
            MoveFocusOn(); // Enter walks through the form
            return;
        }
        if (Validate() && Save())
            End(ui::kIdOk);
        return;
    case kElder:
        if (Win().IsChecked(kElder))
            Win().SetChecked(kServant, false);
        return;
    case kServant:
        if (Win().IsChecked(kServant))
            Win().SetChecked(kElder, false);
        return;
    case kNext:
        StepTo(1);
        return;
    case kPrevious:
        StepTo(-1);
        return;
    case kDelete:
        Delete();
        return;
    case kAvailability:
        ChooseWeeks();
        return;
    case kTalks:
        ChooseTalks();
        return;
    case kCongregation:
        ChooseCongregation();
        return;
    default:
        return;
    }
}

void CBrotherEditDlg::MoveFocusOn() {
    const int focus = Win().Focus();
    for (size_t i = 0; i + 1 < kFocusOrder.size(); ++i)
        if (kFocusOrder[i] == focus) {
            Win().SetFocus(kFocusOrder[i + 1]);
            return;
        }
    Win().SetFocus(kFirstName);
}

bool CBrotherEditDlg::Validate() {
    const std::string first = Win().Text(kFirstName);
    const std::string last = Win().Text(kLastName);
    if (text::IsBlank(last))
        return false;
    if (m_opening.add)
        return true;
    // Namesakes are allowed: only a changed name is checked against the others.
    if (first == m_record.firstName && last == m_record.lastName)
        return true;
    return m_doc.Brothers().CheckDuplicateBrotherName(first, last, false, m_index) == 0;
}

bool CBrotherEditDlg::Save() {
    BrotherStore& brothers = m_doc.Brothers();
    const std::string first = Limited(Win().Text(kFirstName), BrotherRecord::kNameChars);
    const std::string last = Limited(Win().Text(kLastName), BrotherRecord::kNameChars);
    int target = m_index;
    BrotherRecord record = m_record;
    if (m_opening.add) {
        const int duplicate = brothers.CheckDuplicateBrotherName(first, last, true, -1);
        if (duplicate < 0)
            return false; // No keeps the form and its input
        target = duplicate - 1;
        if (target >= 0) {
            // Overwriting keeps what the form does not show: roles, reserved bytes, talks.
            BrotherRecord stored;
            if (brothers.ReadBrother(target, stored) != 0)
                record = stored;
            if (m_talksChosen)
                record.repertoire = m_record.repertoire;
        }
    }
    const uint16_t oldCongregation = record.congregationKey;
    record.firstName = first;
    record.lastName = last;
    record.address1 = Limited(Win().Text(kAddress1), BrotherRecord::kAddressChars);
    record.address2 = Limited(Win().Text(kAddress2), BrotherRecord::kAddressChars);
    record.phone = Limited(Win().Text(kPhone), BrotherRecord::kPhoneChars);
    record.appointment = Win().IsChecked(kElder)     ? kElderAppointment
                         : Win().IsChecked(kServant) ? kServantAppointment
                                                     : kNoAppointment;
    record.suspended = m_suspended;
    BrotherExtraRecord extra;
    extra.phone2 = Limited(Win().Text(kPhone2), BrotherExtraRecord::kPhoneChars);
    extra.phone3 = Limited(Win().Text(kPhone3), BrotherExtraRecord::kPhoneChars);
    extra.email = Limited(Win().Text(kEmail), BrotherExtraRecord::kEmailChars);
    extra.remark = Limited(Win().Text(kRemark), BrotherExtraRecord::kRemarkChars);

    int saved = -1;
    if (target < 0) {
        record.congregationKey = m_congregation;
        saved = brothers.AddBrother(record, extra);
    } else {
        saved = brothers.UpdateBrother(target, record, extra);
        // A new congregation goes through the move: his offices there end, his weeks follow.
        if (saved >= 0 && m_congregation != oldCongregation && m_congregation != 0) {
            const uint16_t key = brothers.Brother(saved)->brotherKey;
            m_doc.MoveBrother(saved, m_congregation, false);
            saved = brothers.FindBrotherByKey(key);
        }
    }
    if (saved < 0)
        return false;
    m_index = saved;
    const uint16_t key = brothers.Brother(saved)->brotherKey;
    for (uint16_t week : m_pendingWeeks)
        m_doc.Availability().AddUnavailableWeek(key, week);
    m_pendingWeeks.clear();
    brothers.ReadBrother(saved, m_record);
    m_doc.BuildOurBrotherList();
    m_doc.SetModified(true);
    return true;
}

void CBrotherEditDlg::ChooseWeeks() {
    // A brother being added has no key yet: his weeks wait for the save.
    const BrotherIndexEntry* entry = m_opening.add ? nullptr : m_doc.Brothers().Brother(m_index);
    const uint16_t key = entry ? entry->brotherKey : 0;
    CAvailabilityDlg dialog(m_doc, key, false, m_suspended, m_pendingWeeks);
    if (Host().RunDialog(dialog) != ui::kIdOk)
        return;
    m_suspended = dialog.Suspended();
    if (key == 0)
        m_pendingWeeks = dialog.Weeks();
    ShowButtons();
}

void CBrotherEditDlg::ChooseTalks() {
    // The list's title names him as the form shows him now.
    BrotherRecord copy = m_record;
    copy.firstName = Win().Text(kFirstName);
    copy.lastName = Win().Text(kLastName);
    if (!CTalkListDlg::EditRepertoire(m_doc, Host(), copy))
        return;
    m_record.repertoire = copy.repertoire;
    m_talksChosen = true;
    ShowButtons();
}

void CBrotherEditDlg::ChooseCongregation() {
    const std::optional<int> chosen = CCongregationListDlg::Choose(m_doc, Host(), m_congregation);
    // A congregation deleted inside the list has let go of its brothers in their records, and
    // its key may already belong to a congregation added there: his stored record decides.
    BrotherRecord stored;
    if (!m_opening.add && m_doc.Brothers().ReadBrother(m_index, stored) != 0 &&
        stored.congregationKey != m_record.congregationKey) {
        if (m_congregation == m_record.congregationKey)
            m_congregation = stored.congregationKey;
        m_record.congregationKey = stored.congregationKey;
    }
    if (chosen)
        m_congregation = m_doc.Congregations().Congregation(*chosen)->congregationKey;
    else if (m_doc.Congregations().FindCongregationByKey(m_congregation) == 0)
        m_congregation = 0;
    ShowButtons();
}

void CBrotherEditDlg::StepTo(int delta) {
    if (!Validate() || !Save())
        return;
    const int next = m_opening.list ? m_opening.list->Step(m_index, delta) : m_index;
    Load(next);
}

void CBrotherEditDlg::Delete() {
    if (m_index < 0)
        return;
    const std::string name = m_doc.Brothers().BrotherName(m_index, false);
    if (!Host().AskYesNo(m_doc.Strings().Format(kDeleteQuestion, name)))
        return;
    m_doc.DeleteBrother(m_index);
    m_doc.BuildOurBrotherList();
    m_doc.SetModified(true);
    m_index = -1;
    End(ui::kIdOk);
}

} // namespace mivra
