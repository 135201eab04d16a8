#include "app/Commands.h"

#include <string>

namespace mivra::app::cmd {
namespace {

using ui::MenuEntry;

MenuEntry Item(int id, std::string text, std::vector<std::string> shortcuts = {}) {
    return MenuEntry{id, std::move(text), {}, std::move(shortcuts)};
}

MenuEntry Separator() {
    return MenuEntry{};
}

MenuEntry Submenu(std::string text, std::vector<MenuEntry> items) {
    return MenuEntry{0, std::move(text), std::move(items), {}};
}

MenuEntry FileMenu() {
    // The item shows Ctrl+S while the accelerator has always been Ctrl+P: both print.
    return Submenu("&Fil", {
                               Item(kPrint, "&Skriv ut...\tCtrl+S", {"Ctrl+P", "Ctrl+S"}),
                               Item(kSavePdf, "Spara som PDF…"),
                               Item(kPrintPreview, "Skriv ut &Förhandsgranska"),
                               Item(kPrintSetup, "&Utskriftsinställning"),
                               Separator(),
                               Item(kExportPackage, "Bygg &Exportera Paket"),
                               Item(kImportPackage, "&Importera paket från församling"),
                               Submenu("&Backup och Återställ",
                                       {Item(kBackup, "Backup"), Item(kRestore, "Återställ")}),
                               Separator(),
                               Item(kStartPanel, "Återgå till Start&panelen"),
                               Separator(),
                               Item(kExit, "&Avsluta"),
                           });
}

MenuEntry EditMenu() {
    return Submenu("&Redigera", {
                                    Item(kCongregations, "&Församlingar"),
                                    Item(kBrothers, "&Bröder"),
                                    Item(kOurCongregation, "&Vår församling"),
                                    Item(kNeedsList, "Behovs&lista"),
                                    Item(kCircuits, "&Kretsar"),
                                    Item(kTalks, "&Tal"),
                                    Item(kHistory, "&Historik"),
                                    Item(kAvailability, "T&illgänglighet"),
                                });
}

MenuEntry ScheduleMenu() {
    return Submenu("&Schemaläggning", {
                                          Item(kSummary, "&Sammanfattning"),
                                          Item(kHomeTalks, "Tal i &hemförsamlingen"),
                                          Item(kChairman, "&Ordförande"),
                                          Item(kHosts, "&Värdar"),
                                          Item(kReaders, "&Högläsare"),
                                          Item(kOutgoing, "&Talare som reser ut"),
                                      });
}

MenuEntry ViewMenu() {
    return Submenu("&Visa",
                   {
                       Item(kScheduleReport, "&Schemaläggning"),
                       Item(kSpeakersTalks, "T&alare - Tal"),
                       Item(kTalksSpeakers, "&Tal - Talare"),
                       Item(kSpeakerHistory, "Talar&historik"),
                       Item(kTalkHistory, "Ta&lhistorik"),
                       Item(kOutgoingHistory, "Talhisto&rik för talare som reser ut"),
                       Item(kRecentYears, "Senaste &årens tal"),
                       Submenu("Talarlistor",
                               {
                                   Item(kOutgoingNotice, "Besked till talare som reser ut"),
                                   Item(kVisitorLetter, "Brev till besökande talare"),
                                   Item(kExchange, "Utbyte av talare"),
                                   Item(kHomeBrothersTalks, "Tal för bröder i hemförsamlingen"),
                                   Item(kVisitorPhones, "Besökande talares telefonnr"),
                                   Item(kOutgoingTalks, "Tal för dem som reser ut"),
                               }),
                       Item(kReaderReport, "Läsare vid Vakttornstudiet"),
                       Item(kWorksheet, "Arbetsblad, Offentliga föredrag"),
                       Item(kLocalSpeakers, "Lokal Talare"),
                       Item(kCoordinators, "Föredragssamordnare"),
                   });
}

MenuEntry FontMenu() {
    return Submenu("&Teckensnitt", {
                                       Item(kFontHeading, "&Rubrik"),
                                       Item(kFontDate, "&Datum"),
                                       Item(kFontTalk, "&Tal"),
                                       Item(kFontSubheading, "&Underrubriker"),
                                       Item(kFontSpeaker, "T&alare"),
                                       Item(kFontText, "Te&xt"),
                                       Item(kFontSmall, "&Liten Text"),
                                       Separator(),
                                       Item(kFontDefaults, "&Förval"),
                                   });
}

MenuEntry HelpMenu() {
    return Submenu("&Hjälp", {
                                 Item(kHelpContents, "&Sammanfattning"),
                                 Item(kHelpIndex, "&Index"),
                                 Item(kHelp, "&Förklaring", {"F1", "Shift+F1"}),
                                 Separator(),
                                 Item(kAbout, "&Om Mivra..."),
                             });
}

void CollectIds(const std::vector<MenuEntry>& entries, std::vector<int>& ids) {
    for (const MenuEntry& e : entries) {
        if (e.id != 0)
            ids.push_back(e.id);
        CollectIds(e.items, ids);
    }
}

} // namespace

std::vector<ui::MenuEntry> MenuBar() {
    return {FileMenu(), EditMenu(), ScheduleMenu(),
            ViewMenu(), FontMenu(), Item(kSettings, "&Inställningar"),
            HelpMenu()};
}

std::vector<ui::ToolSlot> Toolbar() {
    struct Slot {
        int id;
        const char* icon;
        const char* tip;
    };
    static constexpr Slot kSlots[] = {
        {kStartPanel, "start-panel", "Återgå till Startpanelen"},
        {0, "", ""},
        {kBackup, "backup", "Backup"},
        {0, "", ""},
        {kPrint, "print", "Skriv ut"},
        {kPrintPreview, "preview", "Förhandsgranska"},
        {0, "", ""},
        {kSummary, "summary", "Sammanfattning"},
        {kHomeTalks, "home-talks", "Tal i hemförsamlingen"},
        {kChairman, "chairman", "Ordförande"},
        {kHosts, "hosts", "Värdar"},
        {kReaders, "readers", "Högläsare"},
        {kOutgoing, "outgoing", "Talare som reser ut"},
        {0, "", ""},
        {kCongregations, "congregations", "Församlingar"},
        {kBrothers, "brothers", "Bröder"},
        {kTalks, "talks", "Tal"},
        {kOurCongregation, "our-congregation", "Vår församling"},
        {kNeedsList, "needs-list", "Behovslista"},
        {0, "", ""},
        {kAbout, "about", "Om Mivra"},
        {kHelp, "help", "Förklaring"},
    };
    std::vector<ui::ToolSlot> slots;
    for (const Slot& s : kSlots)
        slots.push_back({s.id, s.icon, s.tip});
    return slots;
}

std::vector<int> MenuCommandIds() {
    std::vector<int> ids;
    CollectIds(MenuBar(), ids);
    return ids;
}

} // namespace mivra::app::cmd
