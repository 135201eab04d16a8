#include "store/Settings.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/Profile.h"
#include "store/StoreContext.h"

namespace mivra {
namespace {

constexpr std::string_view kCongregation = "Congregation";
constexpr std::string_view kNumber = "Number";
constexpr std::string_view kMeetingTimeChange = "Meeting Time Change";
constexpr std::string_view kServiceYear = "Service Year";
constexpr std::string_view kAutoCap = "AutoCap";
constexpr int kSilver = 12632256; // red, green and blue 192
constexpr uint32_t kRgbMask = 0xFFFFFF;

// Font values outside these bounds are damage, not a choice: they read as the role's defaults.
constexpr int kMaxFontHeight = 500;
constexpr int kMinFontWeight = 1;
constexpr int kMaxFontWeight = 1000;

constexpr int kHeightKey = 1102;
constexpr int kWeightKey = 1103;
constexpr int kItalicKey = 1104;
constexpr int kUnderlineKey = 1105;
constexpr int kPitchKey = 1106;
constexpr int kFaceKey = 1107;
constexpr std::string_view kCharSetKey = "CharSet";
constexpr std::string_view kRgbKey = "RGB";
constexpr size_t kMaxFaceChars = 31;

constexpr int kArial = 1109;
constexpr int kTimes = 1110;

// The names of the first table: its two sections named by the string table.
struct Names {
    const std::string& options;
    const std::string& format;
    std::string dial;
    std::string colour;
};

Names NamesOf(const StringTable& strings) {
    return {strings.Get(1057), strings.Get(1120), strings.Format(1241, "OK"),
            strings.Get(1132) + "*"};
}

bool GetFlag(const Profile& p, std::string_view section, std::string_view key, bool def) {
    return p.GetInt(section, key, def ? 1 : 0) != 0;
}

void SetFlag(Profile& p, std::string_view section, std::string_view key, bool value) {
    p.SetInt(section, key, value ? 1 : 0);
}

uint32_t ReadKey(const Profile& p) {
    int key = p.GetInt(kCongregation, kNumber, 0);
    return key > 0 && key <= 0xFFFF ? static_cast<uint32_t>(key) : 0;
}

int ReadBorderStyle(const Profile& p, const Names& n, const StringTable& strings) {
    int style = p.GetInt(n.format, strings.Get(1132), 0);
    return style >= 0 && style <= 4 ? style : 0;
}

void ReadFormat(const Profile& p, const StringTable& strings, const Names& n, DocOptions& o) {
    o.heading = p.GetString(n.format, strings.Get(1121)).value_or(strings.Get(1122));
    o.includeReaders = GetFlag(p, n.format, strings.Get(1143), false);
    o.omitTalkNumbers = GetFlag(p, n.format, strings.Get(1171), false);
    o.omitOutgoing = GetFlag(p, n.format, strings.Get(1195), false);
    o.borderStyle = ReadBorderStyle(p, n, strings);
    // Only a stored 0 means no colour; a missing key is the silver default.
    o.borderColour = static_cast<uint32_t>(p.GetInt(n.format, n.colour, kSilver)) & kRgbMask;
    o.printDateStamps = GetFlag(p, n.format, strings.Get(1176), false);
    o.topMargin = p.GetInt(n.format, strings.Get(1183), 50);
}

void WriteFormat(Profile& p, const StringTable& strings, const Names& n, const DocOptions& o) {
    p.SetString(n.format, strings.Get(1121), o.heading);
    SetFlag(p, n.format, strings.Get(1143), o.includeReaders);
    SetFlag(p, n.format, strings.Get(1171), o.omitTalkNumbers);
    SetFlag(p, n.format, strings.Get(1195), o.omitOutgoing);
    p.SetInt(n.format, strings.Get(1132), o.borderStyle);
    p.SetInt(n.format, n.colour, static_cast<int>(o.borderColour & kRgbMask));
    SetFlag(p, n.format, strings.Get(1176), o.printDateStamps);
    p.SetInt(n.format, strings.Get(1183), o.topMargin);
}

struct RoleDefaults {
    int sectionId;
    int height;
    int weight;
    bool italic;
    int pitchAndFamily;
    int faceId;
};

constexpr RoleDefaults kRoles[kFontRoleCount] = {
    {1098, -16, 400, false, 18, kTimes}, // text
    {1099, -27, 700, false, 22, kArial}, // heading
    {1123, -19, 700, false, 12, kTimes}, // date
    {1124, -16, 700, true, 12, kArial},  // talk
    {1100, -13, 400, true, 22, kArial},  // subheading
    {1101, -16, 700, false, 18, kTimes}, // speaker
    {1172, -13, 400, false, 34, kArial}, // small
};

const RoleDefaults& DefaultsOf(FontRole role) {
    return kRoles[static_cast<size_t>(role)];
}

// The character set a stored font takes when it has none of its own.
int StoredCharSet(std::string_view languageCode) {
    return languageCode == "G" ? 161 : LanguageCharSet(languageCode);
}

// The slot as the profile holds it; "Height" is the caller's.
FontSpec ReadStored(const Profile& p, const StringTable& strings, const std::string& section,
                    std::string_view languageCode) {
    FontSpec f;
    f.height = p.GetInt(section, strings.Get(kHeightKey), 0);
    f.weight = p.GetInt(section, strings.Get(kWeightKey), 0);
    f.italic = p.GetInt(section, strings.Get(kItalicKey), 0) != 0;
    f.underline = p.GetInt(section, strings.Get(kUnderlineKey), 0) != 0;
    f.pitchAndFamily = p.GetInt(section, strings.Get(kPitchKey), 0) & 0xFF;
    std::string face = p.GetString(section, strings.Get(kFaceKey)).value_or("System");
    f.face = std::string(text::LeftChars(face, kMaxFaceChars));
    f.charSet = p.GetInt(section, kCharSetKey, StoredCharSet(languageCode)) & 0xFF;
    f.colour = static_cast<uint32_t>(p.GetInt(section, kRgbKey, 0)) & kRgbMask;
    return f;
}

FontSpec Sanitised(FontSpec f, const RoleDefaults& d) {
    if (f.height < -kMaxFontHeight || f.height > kMaxFontHeight)
        f.height = d.height;
    if (f.weight < kMinFontWeight || f.weight > kMaxFontWeight)
        f.weight = d.weight;
    return f;
}

void SaveSlot(Profile& p, const StringTable& strings, const std::string& section, const FontSpec& f,
              bool all) {
    // Saving does not know the language: a missing "CharSet" compares as 0, so a non-zero
    // character set is written out.
    FontSpec stored = ReadStored(p, strings, section, "");
    auto put = [&](std::string_view key, int now, int was) {
        if (all || now != was)
            p.SetInt(section, key, now);
    };
    put(strings.Get(kHeightKey), f.height, stored.height);
    if (f.height == 0)
        return;
    put(strings.Get(kWeightKey), f.weight, stored.weight);
    put(strings.Get(kItalicKey), f.italic, stored.italic);
    put(strings.Get(kUnderlineKey), f.underline, stored.underline);
    put(strings.Get(kPitchKey), f.pitchAndFamily, stored.pitchAndFamily);
    if (all || f.face != stored.face)
        p.SetString(section, strings.Get(kFaceKey), f.face);
    put(kCharSetKey, f.charSet, stored.charSet);
    put(kRgbKey, static_cast<int>(f.colour & kRgbMask), static_cast<int>(stored.colour));
}

} // namespace

void ReadSettings(const Profile& profile, const StringTable& strings, DocOptions& options) {
    Names n = NamesOf(strings);
    options.ourCongregationKey = ReadKey(profile);
    options.serviceYear = GetFlag(profile, kMeetingTimeChange, kServiceYear, false);
    options.alternativeDateFormat = GetFlag(profile, n.options, strings.Get(1034), false);
    options.scheduleReaders = GetFlag(profile, n.options, strings.Get(1042), false);
    options.scheduleHosts = GetFlag(profile, n.options, strings.Get(1192), false);
    options.leftMargin = profile.GetInt(n.options, strings.Get(1273), 20);
    ReadFormat(profile, strings, n, options);
    // The stored dial value is not used: dialling always starts switched off.
    options.dialEnabled = false;
    options.autoCaps = GetFlag(profile, kAutoCap, strings.Get(1265), true);
}

void WriteSettings(Profile& profile, const StringTable& strings, const DocOptions& options) {
    Names n = NamesOf(strings);
    SetFlag(profile, kMeetingTimeChange, kServiceYear, options.serviceYear);
    SetFlag(profile, n.options, strings.Get(1034), options.alternativeDateFormat);
    SetFlag(profile, n.options, strings.Get(1042), options.scheduleReaders);
    SetFlag(profile, n.options, strings.Get(1192), options.scheduleHosts);
    profile.SetInt(n.options, strings.Get(1273), options.leftMargin);
    WriteFormat(profile, strings, n, options);
    SetFlag(profile, n.dial, strings.Get(1265), options.dialEnabled);
    SetFlag(profile, kAutoCap, strings.Get(1265), options.autoCaps);
}

void WriteHomeCongregation(Profile& profile, uint32_t congregationKey) {
    profile.SetInt(kCongregation, kNumber, static_cast<int>(congregationKey & 0xFFFF));
}

int LanguageCharSet(std::string_view code) {
    if (code == "rus")
        return 204;
    if (code == "polish" || code == "hrvatski" || code == "cze" || code == "rom")
        return 238;
    if (code == "turkish")
        return 162;
    if (code == "greek")
        return 161;
    return 0;
}

int FontSectionId(FontRole role) {
    return DefaultsOf(role).sectionId;
}

FontSpec DefaultFont(FontRole role, std::string_view languageCode, const StringTable& strings) {
    const RoleDefaults& d = DefaultsOf(role);
    FontSpec f;
    f.height = d.height;
    f.weight = d.weight;
    f.italic = d.italic;
    f.pitchAndFamily = d.pitchAndFamily;
    f.face = strings.Get(d.faceId);
    f.charSet = LanguageCharSet(languageCode);
    return f;
}

void LoadFonts(const Profile& profile, const StringTable& strings, std::string_view languageCode,
               bool reset, ReportFonts& fonts) {
    for (int i = 0; i < kFontRoleCount; ++i) {
        auto role = static_cast<FontRole>(i);
        const std::string& section = strings.Get(FontSectionId(role));
        int height = reset ? 0 : profile.GetInt(section, strings.Get(kHeightKey), 0);
        fonts.writeAll[i] = height == 0;
        fonts[role] = height == 0 ? DefaultFont(role, languageCode, strings)
                                  : Sanitised(ReadStored(profile, strings, section, languageCode),
                                              DefaultsOf(role));
    }
    fonts.fixed = DefaultFont(FontRole::Text, languageCode, strings);
    fonts.fixed.height = -13;
}

void SaveFonts(Profile& profile, const StringTable& strings, ReportFonts& fonts) {
    for (int i = 0; i < kFontRoleCount; ++i) {
        auto role = static_cast<FontRole>(i);
        SaveSlot(profile, strings, strings.Get(FontSectionId(role)), fonts[role],
                 fonts.writeAll[i]);
        fonts.writeAll[i] = false;
    }
}

void SettingsStore::Load() {
    Profile profile = Profile::Load(m_context.Files().Path(file::kProfile), m_context.CodePage());
    if (profile.state() == Profile::State::Unreadable)
        m_context.Files().ReportUnreadable(file::kProfile);
    m_options = DocOptions{};
    ReadSettings(profile, m_context.Strings(), m_options);
    if (m_context.LanguageCode() != "ptg")
        m_options.nameOrder = false;
}

bool SettingsStore::WriteProfile(const std::function<void(Profile&)>& change) {
    DataFiles& files = m_context.Files();
    if (!files.MayWrite(file::kProfile))
        return false;
    // Read again first: what the profile holds beyond our options (fonts, unknown keys) stays.
    const std::filesystem::path path = files.Path(file::kProfile);
    Profile profile = Profile::Load(path, m_context.CodePage());
    if (profile.state() == Profile::State::Unreadable) {
        files.ReportUnreadable(file::kProfile);
        return false;
    }
    change(profile);
    return files.Finish(file::kProfile, profile.Save(path));
}

bool SettingsStore::WriteSettings() {
    return m_context.Commit(file::kProfile, WriteProfile([&](Profile& p) {
                                mivra::WriteSettings(p, m_context.Strings(), m_options);
                            }));
}

bool SettingsStore::SetHomeCongregation(uint32_t key) {
    m_options.ourCongregationKey = key;
    return m_context.Commit(file::kProfile,
                            WriteProfile([key](Profile& p) { WriteHomeCongregation(p, key); }));
}

bool SettingsStore::SaveAll() {
    return m_context.Commit(file::kProfile, WriteProfile([this](Profile& p) {
                                mivra::WriteSettings(p, m_context.Strings(), m_options);
                                WriteHomeCongregation(p, m_options.ourCongregationKey);
                            }));
}

} // namespace mivra
