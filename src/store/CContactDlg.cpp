#include "store/CContactDlg.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr int kSpeakerText = 1036;     // "Talare"
constexpr int kCoordinatorText = 1023; // "Föredragssamordnare"
constexpr int kCopyText = 1137;        // "Kopiera %1"
constexpr int kCloseText = 1131;       // "Stäng"
constexpr size_t kMainPhoneChars = 6;  // at least
constexpr size_t kExtraPhoneChars = 5; // more than
constexpr size_t kEmailChars = 6;      // more than, to be collected
constexpr size_t kShownEmailChars = 5; // more than, to be shown
constexpr size_t kCopyEmailChars = 3;  // more than, to be copied

bool IsUsableEmail(std::string_view address) {
    return address.size() > kCopyEmailChars && address.find('@') != std::string_view::npos;
}

} // namespace

ContactList CollectContacts(const CMvDoc& doc, uint16_t brotherKey) {
    ContactList list;
    const int index = brotherKey == 0 ? kNotFound : doc.Brothers().FindBrotherByKey(brotherKey);
    BrotherRecord record;
    if (index == kNotFound || doc.Brothers().ReadBrother(index, record) == 0)
        return list;
    auto take = [&list](std::string_view phone, size_t minChars) {
        const std::string_view trimmed = text::Trim(phone);
        if (text::CharCount(trimmed) >= minChars)
            list.phones[static_cast<size_t>(list.phoneCount++)] = std::string(trimmed);
    };
    take(record.phone, kMainPhoneChars);
    // Telephones 2 and 3 only from a contact record that is his.
    BrotherExtraRecord extra;
    if (record.extraSlot != 0 &&
        doc.Brothers().ReadBrotherExtra(record.extraSlot, brotherKey, extra)) {
        take(extra.phone2, kExtraPhoneChars + 1);
        take(extra.phone3, kExtraPhoneChars + 1);
        const std::string_view email = text::Trim(extra.email);
        if (text::CharCount(email) > kEmailChars)
            list.email = std::string(email);
    }
    return list;
}

CContactDlg::CContactDlg(const CMvDoc& doc, uint16_t brotherKey, uint16_t congregationKey)
    : Dialog(kUse), m_doc(doc), m_brotherKey(brotherKey), m_congregationKey(congregationKey) {}

void CContactDlg::OnInit() {
    const StringTable& s = m_doc.Strings();
    const BrotherStore& brothers = m_doc.Brothers();
    Win().SetText(ui::kIdCancel, s.Get(kCloseText));
    Win().Show(kAction, false);
    Win().SetText(kCoordinatorGroup, "");
    Win().SetText(kBrotherGroup, "");
    uint16_t congregation = m_congregationKey;
    if (const int index = m_brotherKey ? brothers.FindBrotherByKey(m_brotherKey) : kNotFound;
        index != kNotFound) {
        if (congregation == 0)
            congregation = brothers.Brother(index)->congregationKey;
        Win().SetText(kBrotherGroup,
                      " " + s.Get(kSpeakerText) + " - " + brothers.BrotherName(index, false) + " ");
        Show(kBrotherFields, CollectContacts(m_doc, m_brotherKey));
    }
    const int congregationIndex = m_doc.Congregations().FindCongregationByKey(congregation) - 1;
    if (congregation == 0 || congregationIndex < 0)
        return;
    Win().SetTitle(m_doc.Congregations().CongregationName(congregationIndex, false));
    const int coordinator = m_doc.TalkCoordinatorOf(congregationIndex) - 1;
    if (coordinator < 0)
        return;
    Win().SetText(kCoordinatorGroup, " " + s.Get(kCoordinatorText) + " - " +
                                         brothers.BrotherName(coordinator, false) + " ");
    Show(kCoordinatorFields, CollectContacts(m_doc, brothers.Brother(coordinator)->brotherKey));
}

void CContactDlg::Show(const std::array<int, 4>& fields, const ContactList& contacts) {
    for (int i = 0; i < contacts.phoneCount; ++i)
        Win().SetText(fields[static_cast<size_t>(i)], contacts.phones[static_cast<size_t>(i)]);
    if (contacts.email.size() > kShownEmailChars)
        Win().SetText(fields[3], contacts.email);
}

void CContactDlg::OnFocus(int id, bool gained) {
    if (!gained || id == kAction)
        return;
    const bool email = id == kCoordinatorFields[3] || id == kBrotherFields[3];
    const bool phone = !email && (std::find(kCoordinatorFields.begin(), kCoordinatorFields.end(),
                                            id) != kCoordinatorFields.end() ||
                                  std::find(kBrotherFields.begin(), kBrotherFields.end(), id) !=
                                      kBrotherFields.end());
    if (!email && !phone)
        return;
    const std::string value = std::string(text::Trim(Win().Text(id)));
    // Only an address is copied; a telephone hides the button (the card never dials).
    const bool usable = email && IsUsableEmail(value);
    m_copyText = usable ? value : std::string();
    if (usable)
        Win().SetText(kAction, m_doc.Strings().Format(kCopyText, value));
    Win().Show(kAction, usable);
}

void CContactDlg::OnCommand(int id) {
    if (id == kAction && !m_copyText.empty())
        Host().SetClipboardText(m_copyText);
}

} // namespace mivra
