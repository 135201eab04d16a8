#include "store/StoreContext.h"

#include "base/Text.h"
#include "resources/StringTable.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr int kLanguageCodeId = 1198;
constexpr int kMsgNoFreeSlot = 60006;

} // namespace

StoreContext::StoreContext(const StringTable& strings, ui::MessageHost& host,
                           std::filesystem::path dataFolder)
    : m_strings(strings), m_host(host), m_files(std::move(dataFolder), strings, host),
      m_collator(std::make_unique<text::Collator>("sve")) {}

StoreContext::~StoreContext() = default;

void StoreContext::ReadLanguage() {
    m_languageCode = m_strings.Get(kLanguageCodeId);
    if (m_languageCode.empty())
        m_languageCode = "sve";
    m_codePage = text::CodePageOf(m_languageCode);
    m_collator = std::make_unique<text::Collator>(m_languageCode);
}

ui::Answer StoreContext::ShowMessage(const std::string& text, ui::Buttons buttons,
                                     bool secondIsDefault) {
    ui::MessageBox box;
    box.text = text;
    box.buttons = buttons;
    box.icon = buttons == ui::Buttons::Ok ? ui::Icon::Warning : ui::Icon::Question;
    box.secondIsDefault = secondIsDefault;
    return m_host.ShowMessage(box);
}

int StoreContext::ShowDuplicate(const std::string& existing, bool ask) {
    std::string message = existing + " " + m_strings.Get(1006) + "\n\n";
    if (!ask) {
        ShowMessage(message);
        return 0;
    }
    message += m_strings.Get(1007);
    return ShowMessage(message, ui::Buttons::YesNo, true) == ui::Answer::Yes ? 1 : 0;
}

void StoreContext::ReportNoFreeSlot(int id) {
    ShowMessage(m_strings.Format(kMsgNoFreeSlot, m_files.Path(id).string()));
}

bool StoreContext::Commit(int id, bool ok) {
    if (m_files.ReadOnly())
        return ok; // refused, not failed: nothing to try again
    if (ok)
        m_pendingSaves.erase(id);
    else
        m_pendingSaves.insert(id);
    return ok;
}

bool StoreContext::SaveFile(int id, std::span<const uint8_t> bytes) {
    return Commit(id, m_files.Save(id, bytes));
}

std::optional<std::vector<uint8_t>> StoreContext::ReadRecord(int id, uint64_t offset,
                                                             size_t size) const {
    if (auto it = m_unwritten.find({id, offset}); it != m_unwritten.end())
        return it->second;
    return m_files.ReadSlot(id, offset, size);
}

bool StoreContext::WriteRecord(int id, uint64_t offset, std::span<const uint8_t> bytes) {
    if (m_files.WriteSlot(id, offset, bytes)) {
        m_unwritten.erase({id, offset});
        return true;
    }
    if (!m_files.ReadOnly())
        m_unwritten[{id, offset}].assign(bytes.begin(), bytes.end());
    return false;
}

void StoreContext::ForgetUnwritten(int id, uint64_t offset) {
    m_unwritten.erase({id, offset});
}

void StoreContext::RetryUnwrittenRecords(std::vector<std::filesystem::path>& failing) {
    for (auto it = m_unwritten.begin(); it != m_unwritten.end();) {
        const auto [id, offset] = it->first;
        if (m_files.WriteSlot(id, offset, it->second)) {
            it = m_unwritten.erase(it);
            continue;
        }
        if (std::find(failing.begin(), failing.end(), m_files.Path(id)) == failing.end())
            failing.push_back(m_files.Path(id));
        ++it;
    }
}

void StoreContext::ForgetFailures() {
    m_pendingSaves.clear();
    m_unwritten.clear();
}

} // namespace mivra
