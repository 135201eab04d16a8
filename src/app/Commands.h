#pragma once

#include "ui/Frame.h"

#include <span>
#include <vector>

// The commands of the main window: their ids, the menu bar and the toolbar as data.
namespace mivra::app::cmd {

// File
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kSavePdf = 32900; ///< our own: "Spara som PDF…"
inline constexpr int kExportPackage = 32829;
inline constexpr int kImportPackage = 32876;
inline constexpr int kBackup = 32860;
inline constexpr int kRestore = 32861;
inline constexpr int kStartPanel = 32787;
inline constexpr int kExit = 57665;
// Edit
inline constexpr int kCongregations = 32844;
inline constexpr int kBrothers = 32768;
inline constexpr int kOurCongregation = 32848;
inline constexpr int kNeedsList = 32851;
inline constexpr int kCircuits = 32845;
inline constexpr int kTalks = 32782;
inline constexpr int kHistory = 32849;
inline constexpr int kAvailability = 32865;
// Scheduling
inline constexpr int kSummary = 32874;
inline constexpr int kHomeTalks = 32850;
inline constexpr int kChairman = 32854;
inline constexpr int kHosts = 32855;
inline constexpr int kReaders = 32856;
inline constexpr int kOutgoing = 32857;
// View: reports
inline constexpr int kScheduleReport = 32866;
inline constexpr int kSpeakersTalks = 32877;
inline constexpr int kTalksSpeakers = 32878;
inline constexpr int kSpeakerHistory = 32859;
inline constexpr int kTalkHistory = 32858;
inline constexpr int kOutgoingHistory = 32875;
inline constexpr int kRecentYears = 32880;
inline constexpr int kOutgoingNotice = 32883;
inline constexpr int kVisitorLetter = 32885;
inline constexpr int kExchange = 32887;
inline constexpr int kHomeBrothersTalks = 32888;
inline constexpr int kVisitorPhones = 32890;
inline constexpr int kOutgoingTalks = 32891;
inline constexpr int kReaderReport = 32893;
inline constexpr int kWorksheet = 32894;
inline constexpr int kLocalSpeakers = 32895;
inline constexpr int kCoordinators = 32896;
// Fonts
inline constexpr int kFontHeading = 32868;
inline constexpr int kFontDate = 32867;
inline constexpr int kFontTalk = 32869;
inline constexpr int kFontSubheading = 32872;
inline constexpr int kFontSpeaker = 32870;
inline constexpr int kFontText = 32791;
inline constexpr int kFontSmall = 32803;
inline constexpr int kFontDefaults = 32813;
// Settings and help
inline constexpr int kSettings = 32864;
inline constexpr int kHelpContents = 57666;
inline constexpr int kHelpIndex = 57667;
inline constexpr int kHelp = 57669;
inline constexpr int kAbout = 57664;

/** The menu bar with its Swedish texts. */
std::vector<ui::MenuEntry> MenuBar();
/** The toolbar's 22 slots in order. */
std::vector<ui::ToolSlot> Toolbar();
/** Every command id the menu bar holds. */
std::vector<int> MenuCommandIds();

} // namespace mivra::app::cmd
