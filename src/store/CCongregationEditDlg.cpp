#include "store/CCongregationEditDlg.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CMapDlg.h"
#include "store/CMvDoc.h"
#include "store/CNameListDlg.h"
#include "ui/Host.h"

#include <array>
#include <string>

namespace mivra {
namespace {

constexpr int kMonday = 1252;         // "Måndag" … 1258 "Söndag"
constexpr int kCircuitText = 1025;    // "Krets"
constexpr int kBrothersText = 1015;   // "Bröder"
constexpr int kDeleteQuestion = 1008; // "Vill du verkligen ta bort %1?"
constexpr int kNameMissing = 1061;    // "Ange församlingens namn"
constexpr int kSunday = 6;
constexpr size_t kApplyFrom = 3; // characters of a name before "Använd" shows

using Dlg = CCongregationEditDlg;
using Record = CongregationRecord;

struct Field {
    int id;
    size_t limit;
    std::string Record::*text;
};
// Typing limits are the stored lengths: nothing typed is cut silently on saving.
const std::array<Field, 7> kFields = {
    {{Dlg::kName, Record::kNameChars, &Record::name},
     {Dlg::kAddress1, Record::kAddressChars, &Record::address1},
     {Dlg::kAddress2, Record::kAddressChars, &Record::address2},
     {Dlg::kPhone1, Record::kPhoneChars, &Record::phone1},
     {Dlg::kPhone2, Record::kPhoneChars, &Record::phone2},
     {Dlg::kTimeOdd, Record::kTimeChars, &Record::meetingTimeOdd},
     {Dlg::kTimeEven, Record::kTimeChars, &Record::meetingTimeEven}}};

struct Office {
    int id;
    int role; ///< the brother list's role
    int text;
    uint16_t Record::*key;
};
constexpr std::array<Office, 3> kOffices = {
    {{Dlg::kCoordinator, 1, 1022, &Record::coordinatorKey},
     {Dlg::kTalkCoordinator, 2, 1023, &Record::talkCoordinatorKey},
     {Dlg::kSecretary, 3, 1024, &Record::secretaryKey}}};

/** Stored 1 … 6 with Sunday 0 (and anything larger read as Sunday) → 0 = Monday … 6. */
int DayOf(uint8_t stored) {
    return stored == 0 || stored > 6 ? kSunday : stored - 1;
}
uint8_t StoredDay(int day) {
    return day == kSunday ? 0 : static_cast<uint8_t>(day + 1);
}

} // namespace

CCongregationEditDlg::CCongregationEditDlg(CMvDoc& doc, Opening opening)
    : Dialog(kUse), m_doc(doc), m_opening(opening), m_add(opening.add),
      m_index(opening.add ? -1 : opening.index) {
    if (opening.fixedKey != 0) {
        m_add = false;
        m_index = doc.Congregations().FindCongregationByKey(opening.fixedKey) - 1;
    }
}

void CCongregationEditDlg::OnInit() {
    for (const Field& f : kFields)
        Win().SetLimit(f.id, static_cast<int>(f.limit));
    Win().Enable(kName, m_opening.fixedKey == 0);
    Load(m_index);
}

void CCongregationEditDlg::Load(int index) {
    m_index = index;
    m_record = Record{};
    if (!m_add && m_doc.Congregations().Congregation(index)) {
        if (m_doc.Congregations().ReadCongregation(index, m_record) == 0) {
            // The slot no longer holds it: show what the index knows; saving keeps the key.
            const CongregationIndexEntry& e = *m_doc.Congregations().Congregation(index);
            m_record.name = e.name;
            m_record.congregationKey = e.congregationKey;
            m_record.circuitId = e.circuitId;
            m_record.coordinatorKey = e.coordinatorKey;
            m_record.talkCoordinatorKey = e.talkCoordinatorKey;
            m_record.secretaryKey = e.secretaryKey;
            m_record.meetingTimeOdd = e.meetingTimeOdd;
            m_record.meetingTimeEven = e.meetingTimeEven;
            m_record.weekdayOdd = e.weekdayOdd;
            m_record.weekdayEven = e.weekdayEven;
        }
    }
    for (const Field& f : kFields)
        Win().SetText(f.id, m_record.*(f.text));
    m_dayOdd = DayOf(m_record.weekdayOdd);
    m_dayEven = DayOf(m_record.weekdayEven);
    ShowDay(kDayOdd, m_dayOdd);
    ShowDay(kDayEven, m_dayEven);
    ShowButtons();
    Win().Show(kApply, false);
    Win().SetFocus(m_opening.fixedKey == 0 ? kName : kAddress1);
}

void CCongregationEditDlg::ShowDay(int id, int day) {
    Win().SetText(id, m_doc.Strings().Get(kMonday + day));
}

void CCongregationEditDlg::ShowButtons() {
    const StringTable& s = m_doc.Strings();
    const BrotherStore& brothers = m_doc.Brothers();
    const int count = m_add ? 0 : brothers.CountBrothersOf(m_record.congregationKey);
    for (const Office& office : kOffices) {
        std::string caption = s.Get(office.text);
        if (const uint16_t holder = m_record.*(office.key); holder != 0)
            caption += " - " + brothers.BrotherNameByKey(holder, false);
        Win().SetText(office.id, caption);
        Win().Show(office.id, !m_add && count > 0);
    }
    std::string circuit = s.Get(kCircuitText);
    if (m_record.circuitId != 0)
        circuit += " - " + m_doc.Circuits().NameByKey(m_record.circuitId);
    Win().SetText(kCircuit, circuit);
    Win().SetText(kBrothers, s.Get(kBrothersText) + " ( " + std::to_string(count) + " )");
    const bool picker = m_opening.list && m_opening.list->Picker();
    Win().Show(kBrothers, !m_add && !picker);
    Win().Show(kCircuit, !m_add);
    Win().Show(kMap, !m_add);
    const bool stepping = !m_add && m_opening.fixedKey == 0;
    Win().Show(kPrevious, stepping);
    Win().Show(kNext, stepping);
    Win().Show(kDelete, stepping);
}

void CCongregationEditDlg::OnEditChange(int id) {
    if (id == kName && m_add)
        Win().Show(kApply, text::CharCount(Win().Text(kName)) >= kApplyFrom);
}

// Buttons -----------------------------------------------------------------------------------------

void CCongregationEditDlg::OnOk() {
    if (Validate() && Save())
        End(ui::kIdOk);
}

void CCongregationEditDlg::OnCommand(int id) {
    switch (id) {
    case kDayOdd:
        m_dayOdd = (m_dayOdd + 1) % 7;
        ShowDay(kDayOdd, m_dayOdd);
        return;
    case kDayEven:
        m_dayEven = (m_dayEven + 1) % 7;
        ShowDay(kDayEven, m_dayEven);
        return;
    case kCoordinator:
        ChooseOfficer(0);
        return;
    case kTalkCoordinator:
        ChooseOfficer(1);
        return;
    case kSecretary:
        ChooseOfficer(2);
        return;
    case kCircuit:
        ChooseCircuit();
        return;
    case kBrothers:
        EditBrothers();
        return;
    case kMap:
        ChooseMap();
        return;
    case kApply:
        Apply();
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
    default:
        return;
    }
}

bool CCongregationEditDlg::Validate() {
    const std::string name(text::Trim(Win().Text(kName)));
    if (name.empty()) {
        ui::MessageBox box;
        box.text = m_doc.Strings().Get(kNameMissing);
        Host().ShowMessage(box);
        Win().SetFocus(kName);
        return false;
    }
    if (m_add)
        return true;
    return m_doc.Congregations().CheckDuplicateCongregationName(name, false, m_index) == 0;
}

bool CCongregationEditDlg::Save() {
    CongregationStore& congregations = m_doc.Congregations();
    Record record = m_record;
    int target = m_index;
    if (m_add) {
        const std::string name(text::Trim(Win().Text(kName)));
        const int duplicate = congregations.CheckDuplicateCongregationName(name, true, -1);
        if (duplicate < 0)
            return false; // declined: nothing saved, the form keeps its input
        target = duplicate - 1;
        // Overwriting keeps what the add form hides: circuit, officers, map, reserved bytes.
        if (target >= 0 && congregations.ReadCongregation(target, record) == 0)
            record = Record{};
    }
    for (const Field& f : kFields) {
        std::string value = Win().Text(f.id);
        if (f.id == kName)
            value = std::string(text::Trim(value));
        record.*(f.text) = std::string(text::LeftChars(value, f.limit));
    }
    record.weekdayOdd = StoredDay(m_dayOdd);
    record.weekdayEven = StoredDay(m_dayEven);

    uint16_t key = 0;
    if (m_add && target < 0) {
        const int added = congregations.AddCongregation(record);
        if (added < 0)
            return false;
        key = congregations.Congregation(added)->congregationKey;
    } else {
        const bool ok = m_add ? congregations.OverwriteCongregation(target, record)
                              : congregations.UpdateCongregation(target, record);
        if (!ok)
            return false;
        key = congregations.Congregation(target)->congregationKey;
        if (m_add)
            congregations.SortCongregations();
    }
    m_index = congregations.FindCongregationByKey(key) - 1;
    congregations.ReadCongregation(m_index, m_record);
    if (m_add && m_opening.list)
        m_opening.list->Refill(m_index);
    m_changed = true;
    m_doc.SetModified(true);
    return true;
}

void CCongregationEditDlg::Apply() {
    if (!Validate() || !Save())
        return; // still adding: nothing was saved
    m_add = false;
    Load(m_index);
}

void CCongregationEditDlg::StepTo(int delta) {
    if (!Validate() || !Save())
        return;
    const int next = m_opening.list ? m_opening.list->Step(m_index, delta) : m_index;
    Load(next);
}

void CCongregationEditDlg::Delete() {
    if (m_index < 0)
        return;
    const std::string name = m_doc.Congregations().CongregationName(m_index, false);
    if (!Host().AskYesNo(m_doc.Strings().Format(kDeleteQuestion, name)))
        return;
    m_doc.DeleteCongregation(m_index);
    m_doc.BuildOurBrotherList();
    m_index = -1;
    if (m_opening.list)
        m_opening.list->Refill(-1);
    m_changed = true;
    m_doc.SetModified(true);
    End(ui::kIdOk);
}

// Choosers ----------------------------------------------------------------------------------------

void CCongregationEditDlg::ChooseOfficer(int office) {
    const Office& o = kOffices[static_cast<size_t>(office)];
    CBrotherListDlg::Options options;
    options.mode = CBrotherListDlg::Mode::Role;
    options.filter = m_record.congregationKey;
    options.role = o.role;
    options.currentKey = m_record.*(o.key);
    const std::optional<int> chosen = CBrotherListDlg::Choose(m_doc, Host(), options);
    if (!chosen)
        return;
    m_record.*(o.key) = m_doc.Brothers().Brother(*chosen)->brotherKey;
    ShowButtons();
}

void CCongregationEditDlg::ChooseCircuit() {
    // The picker only adds circuits: the one held here is still there afterwards.
    const std::optional<uint16_t> chosen =
        CNameListDlg::Choose(m_doc, Host(), CNameListDlg::Kind::Circuits, m_record.circuitId);
    if (chosen)
        m_record.circuitId = *chosen;
    ShowButtons();
}

void CCongregationEditDlg::EditBrothers() {
    if (!Validate())
        return;
    CongregationStore& congregations = m_doc.Congregations();
    Record before;
    congregations.ReadCongregation(m_index, before);
    CBrotherListDlg::Options options;
    options.filter = m_record.congregationKey;
    CBrotherListDlg::Choose(m_doc, Host(), options);
    // Deleting or moving a brother inside the list ended his office in the stored record;
    // the form must not write him back (his key goes to the next brother added).
    Record after;
    congregations.ReadCongregation(m_index, after);
    const BrotherStore& brothers = m_doc.Brothers();
    for (const Office& o : kOffices) {
        uint16_t& holder = m_record.*(o.key);
        if (holder == before.*(o.key) && after.*(o.key) != holder) {
            holder = after.*(o.key);
            continue;
        }
        // One chosen here but not saved yet: kept while he is still one of its brothers.
        const int index = brothers.FindBrotherByKey(holder);
        if (holder != 0 && (index == kNotFound ||
                            brothers.Brother(index)->congregationKey != m_record.congregationKey))
            holder = 0;
    }
    m_changed = true;
    m_doc.SetModified(true);
    m_doc.BuildOurBrotherList();
    ShowButtons();
}

void CCongregationEditDlg::ChooseMap() {
    // The map dialog refuses a name the record cannot hold, so what it answers is stored.
    if (std::optional<std::string> chosen = CMapDlg::Choose(Host(), m_doc, m_record.mapFile))
        m_record.mapFile = std::move(*chosen);
}

} // namespace mivra
