#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace mivra {

class Profile;
class StoreContext;
class StringTable;

/** The document's options kept in the settings profile. */
struct DocOptions {
    uint32_t ourCongregationKey = 0; ///< "Congregation"/"Number"; 0 = none
    bool serviceYear = false;        ///< meeting-time change follows September–August
    bool alternativeDateFormat = false;
    bool scheduleReaders = false;
    bool scheduleHosts = false;
    int leftMargin = 20; ///< hundredths of an inch
    int topMargin = 50;  ///< hundredths of an inch
    std::string heading; ///< programme heading; the default is string 1122
    bool includeReaders = false;
    bool omitTalkNumbers = false;
    bool omitOutgoing = false;
    int borderStyle = 0;              ///< 0 none, 1 grey, 2 black, 3 white, 4 coloured
    uint32_t borderColour = 12632256; ///< Windows RGB, red in the low byte
    bool printDateStamps = false;
    bool dialEnabled = false; ///< always starts cleared; written back as it is
    bool autoCaps = true;
    bool nameOrder = false; ///< list brothers first name first (only "ptg" keeps it)
};

/**
 * Fills the options from the profile; a missing entry gives its default. A home congregation
 * outside 1…65535 and a border style outside 0…4 read as 0; colours keep their low 24 bits.
 * The dial option always starts cleared and name order is left as it is (it is not stored).
 */
void ReadSettings(const Profile& profile, const StringTable& strings, DocOptions& options);
/** Writes every option except the home congregation. */
void WriteSettings(Profile& profile, const StringTable& strings, const DocOptions& options);
/** Writes "Congregation"/"Number". */
void WriteHomeCongregation(Profile& profile, uint32_t congregationKey);

/**
 * The document's options and the settings profile ("mivraw.ini") that keeps them. Every write
 * reads the profile again first, so what it holds beyond the options (fonts, unknown keys)
 * stays.
 */
class SettingsStore {
public:
    explicit SettingsStore(StoreContext& context) : m_context(context) {}

    /** Reads the options; an unreadable profile is reported and gives the defaults. */
    void Load();
    const DocOptions& Options() const { return m_options; }
    /** The options as the settings dialog leaves them; WriteSettings stores them. */
    DocOptions& MutableOptions() { return m_options; }
    /** Writes every option but the home congregation to the profile (1231 on failure). */
    bool WriteSettings();
    /** Sets the home congregation and writes it at once. */
    bool SetHomeCongregation(uint32_t key);
    /** Writes every option and the home congregation: the retry of a failed write. */
    bool SaveAll();

private:
    bool WriteProfile(const std::function<void(Profile&)>& change);

    StoreContext& m_context;
    DocOptions m_options;
};

/** The seven report font roles, in the order of their profile sections. */
enum class FontRole { Text, Heading, Date, Talk, Subheading, Speaker, Small };
inline constexpr int kFontRoleCount = 7;

/** A font description as the platform's font takes it, plus the text colour. */
struct FontSpec {
    int height = 0; ///< logical units; negative is the character height
    int width = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    int charSet = 0;
    int pitchAndFamily = 0;
    std::string face;
    uint32_t colour = 0; ///< Windows RGB
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct ReportFonts {
    std::array<FontSpec, kFontRoleCount> roles;
    FontSpec fixed; ///< the eighth font, always its defaults, never stored
    std::array<bool, kFontRoleCount> writeAll{}; ///< the next SaveFonts writes every value

    FontSpec& operator[](FontRole role) { return roles[static_cast<size_t>(role)]; }
    const FontSpec& operator[](FontRole role) const { return roles[static_cast<size_t>(role)]; }
};

/** The character set of a language code (204 "rus", 238 Central European, …, else 0). */
int LanguageCharSet(std::string_view languageCode);
/** The string id naming a role's profile section. */
int FontSectionId(FontRole role);
FontSpec DefaultFont(FontRole role, std::string_view languageCode, const StringTable& strings);

/**
 * Reads the seven slots (defaults when reset or not stored, with a full write pending) and
 * builds the eighth font. A stored height outside -500…500 or weight outside 1…1000 is damage
 * and reads as the role's default; the next SaveFonts then writes the repaired value.
 */
void LoadFonts(const Profile& profile, const StringTable& strings, std::string_view languageCode,
               bool reset, ReportFonts& fonts);
/**
 * Writes what differs from the profile, or everything for slots pending a full write, and
 * clears the pending flags. Only the profile in memory changes: the caller saves the file.
 */
void SaveFonts(Profile& profile, const StringTable& strings, ReportFonts& fonts);

} // namespace mivra
