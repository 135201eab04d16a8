#include "app/CStartPanel.h"

#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "resources/StringTable.h"
#include "ui/Host.h"

#include <span>

namespace mivra::app {
namespace {

constexpr int kControls[] = {109, 110, 114, 115, 116, 117, 118, 119, 120, 121, 122,
                             123, 124, 125, 126, 127, 128, 129, 130, 131, 132};

struct ButtonCommand {
    int button;
    int command;
};

// Buttons that do what a menu command does, or a frame action of their own (own id).
constexpr ButtonCommand kButtons[] = {
    {109, cmd::kCongregations},
    {110, cmd::kExit},
    {114, 114}, // the brothers dialog, then the document saves
    {115, cmd::kHomeTalks},
    {116, 116}, // the history editor, only with a home congregation
    {117, cmd::kSummary},
    {118, cmd::kCircuits},
    {120, cmd::kTalks},
    {121, cmd::kOurCongregation},
    {122, 122}, // the week range chooser, then the printed schedule
    {123, cmd::kNeedsList},
    {124, cmd::kOutgoing},
    {125, cmd::kChairman},
    {126, cmd::kHosts},
    {127, cmd::kReaders},
    {130, 130}, // the congregation chooser, then speakers and their talks
    {131, 131}, // talks and their speakers
    {132, cmd::kRecentYears},
};

struct MenuLine {
    int stringId;
    int command;
};

constexpr MenuLine kSpeakerLists[] = {
    {1278, cmd::kExchange},
    {1279, cmd::kHomeBrothersTalks},
    {1045, cmd::kVisitorPhones},
    {1280, cmd::kOutgoingTalks},
};
constexpr MenuLine kAssignments[] = {
    {1281, cmd::kOutgoingNotice},
    {1282, cmd::kVisitorLetter},
};
constexpr MenuLine kHistories[] = {
    {1283, cmd::kSpeakerHistory},
    {1284, cmd::kTalkHistory},
    {1285, cmd::kOutgoingHistory},
};

struct Popup {
    int button;
    ui::Point at; ///< client point of the panel
    std::span<const MenuLine> lines;
};

constexpr Popup kPopups[] = {
    {119, {35, 158}, kSpeakerLists},
    {128, {35, 163}, kAssignments},
    {129, {35, 235}, kHistories},
};

const Popup* FindPopup(int button) {
    for (const Popup& p : kPopups)
        if (p.button == button)
            return &p;
    return nullptr;
}

/** A pop-up button is enabled while one of its entries is. */
bool PopupEnabled(const CMainFrame& frame, const Popup& popup) {
    for (const MenuLine& line : popup.lines)
        if (frame.IsCommandEnabled(line.command))
            return true;
    return false;
}

} // namespace

const ui::TemplateUse CStartPanel::kUse{"CStartPanel", 143, kControls};

int CStartPanel::CommandOf(int buttonId) {
    for (const ButtonCommand& b : kButtons)
        if (b.button == buttonId)
            return b.command;
    return 0;
}

void CStartPanel::UpdateControls() {
    if (!IsOpen())
        return;
    for (int id : kControls) {
        const Popup* popup = FindPopup(id);
        Win().Enable(id, popup ? PopupEnabled(m_frame, *popup)
                               : m_frame.IsCommandEnabled(CommandOf(id)));
    }
}

void CStartPanel::OnCommand(int id) {
    if (const Popup* popup = FindPopup(id)) {
        ui::Menu menu;
        for (const MenuLine& line : popup->lines)
            menu.items.emplace_back(line.command, m_frame.Strings().Get(line.stringId),
                                    m_frame.IsCommandEnabled(line.command));
        if (int chosen = Host().PopupMenu(Win(), popup->at, menu))
            m_frame.OnCommand(chosen);
        return;
    }
    if (int command = CommandOf(id); command && m_frame.IsCommandEnabled(command))
        m_frame.OnCommand(command);
}

} // namespace mivra::app
