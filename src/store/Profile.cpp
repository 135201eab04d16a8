#include "store/Profile.h"

#include "base/FileIo.h"
#include "base/Text.h"

#include <algorithm>
#include <climits>

namespace mivra {
namespace {

constexpr std::string_view kBlanks = " \t\v\f\r";
// A value ends at a line break or NUL; names holding these could not be read back.
constexpr std::string_view kValueEnds("\r\n\0", 3);
constexpr std::string_view kNotInSection("]\r\n\0", 4);
constexpr std::string_view kNotInKey("=\r\n\0", 4);

std::string_view TrimBlanks(std::string_view s) {
    size_t b = s.find_first_not_of(kBlanks);
    if (b == std::string_view::npos)
        return {};
    return s.substr(b, s.find_last_not_of(kBlanks) - b + 1);
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// The profile API drops one pair of enclosing quotes.
bool Enclosed(std::string_view s) {
    return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front();
}

std::string_view Unquote(std::string_view s) {
    return Enclosed(s) ? s.substr(1, s.size() - 2) : s;
}

std::string Quote(std::string_view bytes) {
    bool needs = Enclosed(bytes) || TrimBlanks(bytes).size() != bytes.size();
    return needs ? "\"" + std::string(bytes) + "\"" : std::string(bytes);
}

std::string_view CutAtValueEnd(std::string_view s) {
    return s.substr(0, s.find_first_of(kValueEnds));
}

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b))
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
    return text::EqualsIgnoringCase(a, b);
}

bool UsableSection(std::string_view name) {
    return !name.empty() && name.find_first_of(kNotInSection) == std::string_view::npos;
}

bool UsableKey(std::string_view key) {
    return !key.empty() && key.front() != '[' && key.front() != ';' &&
           key.find_first_of(kNotInKey) == std::string_view::npos;
}

std::optional<std::string_view> SectionName(std::string_view trimmed) {
    if (trimmed.empty() || trimmed.front() != '[')
        return std::nullopt;
    // "[Name" without its bracket is no section: the entries after it stay where they were.
    std::string_view inner = trimmed.substr(1);
    const size_t close = inner.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return TrimBlanks(inner.substr(0, close));
}

// Fills key and value when the line is an entry: "key=value", not a comment.
void ParseEntry(std::string_view bytes, int codePage, std::string& key, std::string& value) {
    std::string_view trimmed = TrimBlanks(bytes);
    size_t eq = bytes.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || eq == std::string_view::npos)
        return;
    std::string_view k = TrimBlanks(bytes.substr(0, eq));
    if (k.empty())
        return;
    key = text::FromCodePage(k, codePage);
    // A value ends where the writer would cut it, so what is read is what can be written.
    value = text::FromCodePage(Unquote(TrimBlanks(CutAtValueEnd(bytes.substr(eq + 1)))), codePage);
}

std::string DetectEol(std::string_view bytes) {
    size_t lf = bytes.find('\n');
    return lf != std::string_view::npos && (lf == 0 || bytes[lf - 1] != '\r') ? "\n" : "\r\n";
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

// As the platform's integer reading: blanks, a sign, then "0x", "0o" or "0b" choose the base.
int ParseInt(std::string_view s) {
    size_t i = s.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return 0;
    bool negative = s[i] == '-';
    if (s[i] == '-' || s[i] == '+')
        ++i;
    int base = 10;
    if (i + 1 < s.size() && s[i] == '0') {
        const char prefix = s[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    long long n = 0;
    for (; i < s.size() && DigitValue(s[i]) < base; ++i)
        n = std::min<long long>(n * base + DigitValue(s[i]), 1LL << 32);
    n = negative ? -n : n;
    return static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX));
}

} // namespace

Profile Profile::Parse(std::string_view bytes, int codePage) {
    Profile p;
    p.m_codePage = codePage;
    p.m_state = State::Loaded;
    p.m_eol = DetectEol(bytes);
    while (!bytes.empty()) {
        size_t lf = bytes.find('\n');
        Line line;
        std::string_view content = bytes.substr(0, lf);
        bytes = lf == std::string_view::npos ? std::string_view{} : bytes.substr(lf + 1);
        if (lf != std::string_view::npos)
            line.eol = content.ends_with('\r') ? "\r\n" : "\n";
        if (content.ends_with('\r') && lf != std::string_view::npos)
            content.remove_suffix(1);
        line.bytes = std::string(content);
        if (auto name = SectionName(TrimBlanks(content))) {
            p.m_sections.push_back({text::FromCodePage(*name, codePage), std::move(line), {}});
            continue;
        }
        ParseEntry(content, codePage, line.key, line.value);
        (p.m_sections.empty() ? p.m_preamble : p.m_sections.back().lines)
            .push_back(std::move(line));
    }
    return p;
}

Profile Profile::Load(const std::filesystem::path& path, int codePage) {
    io::FileBytes file = io::ReadFile(path, kMaxBytes + 1);
    Profile p;
    p.m_codePage = codePage;
    if (file.state == io::ReadState::Missing)
        return p;
    if (file.state == io::ReadState::Unreadable || file.fileSize > kMaxBytes) {
        p.m_state = State::Unreadable;
        return p;
    }
    std::string_view bytes(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    return Parse(bytes, codePage);
}

std::string Profile::Normalise(std::string_view name) const {
    if (name.find('\0') != std::string_view::npos)
        return {};
    const std::string_view trimmed = TrimBlanks(name);
    // ASCII reads the same in every code page; anything else is matched as the file would
    // spell it in the code page.
    if (IsAscii(trimmed))
        return std::string(trimmed);
    return text::FromCodePage(text::ToCodePage(trimmed, m_codePage), m_codePage);
}

const Profile::Section* Profile::FindSection(std::string_view name) const {
    for (const Section& s : m_sections)
        if (SameName(s.name, name))
            return &s;
    return nullptr;
}

Profile::Section* Profile::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

Profile::Section& Profile::AddSection(std::string_view name) {
    std::vector<Line>& tail = m_sections.empty() ? m_preamble : m_sections.back().lines;
    bool blankEnd = !tail.empty() && TrimBlanks(tail.back().bytes).empty();
    if ((!m_sections.empty() || !m_preamble.empty()) && !blankEnd)
        tail.push_back({"", m_eol, "", ""});
    Line header{"[" + text::ToCodePage(name, m_codePage) + "]", m_eol, "", ""};
    m_sections.push_back({std::string(name), std::move(header), {}});
    return m_sections.back();
}

std::optional<std::string> Profile::GetString(std::string_view section,
                                              std::string_view key) const {
    std::string s = Normalise(section), k = Normalise(key);
    const Section* found = UsableSection(s) && UsableKey(k) ? FindSection(s) : nullptr;
    if (!found)
        return std::nullopt;
    for (const Line& line : found->lines)
        if (!line.key.empty() && SameName(line.key, k))
            return line.value;
    return std::nullopt;
}

int Profile::GetInt(std::string_view section, std::string_view key, int def) const {
    // An empty value reads as a missing one; values are already trimmed of blanks.
    std::optional<std::string> value = GetString(section, key);
    return value && !value->empty() ? ParseInt(*value) : def;
}

void Profile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::string s = Normalise(section), k = Normalise(key);
    if (!UsableSection(s) || !UsableKey(k))
        return;
    std::string bytes = text::ToCodePage(CutAtValueEnd(value), m_codePage);
    Section* target = FindSection(s);
    if (!target)
        target = &AddSection(s);
    auto last = target->lines.end();
    for (auto it = target->lines.begin(); it != target->lines.end(); ++it) {
        if (it->key.empty())
            continue;
        if (SameName(it->key, k)) {
            it->bytes = it->bytes.substr(0, it->bytes.find('=') + 1) + Quote(bytes);
            it->value = text::FromCodePage(bytes, m_codePage);
            return;
        }
        last = it;
    }
    Line line{text::ToCodePage(k, m_codePage) + "=" + Quote(bytes), m_eol, k,
              text::FromCodePage(bytes, m_codePage)};
    // New keys follow the section's last entry, ahead of any blank line before the next one.
    target->lines.insert(last == target->lines.end() ? target->lines.begin() : last + 1,
                         std::move(line));
}

void Profile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

std::string Profile::Serialize() const {
    std::string out;
    bool open = false; // the previous line has no line end yet
    auto put = [&](const Line& line) {
        if (open)
            out += m_eol;
        out += line.bytes;
        out += line.eol;
        open = line.eol.empty();
    };
    std::for_each(m_preamble.begin(), m_preamble.end(), put);
    for (const Section& s : m_sections) {
        put(s.header);
        std::for_each(s.lines.begin(), s.lines.end(), put);
    }
    return out;
}

Status Profile::Save(const std::filesystem::path& path) const {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec)
        full = path;
    if (m_state == State::Unreadable)
        return IoError{full, "the file could not be read, so it is left as it is"};
    std::string bytes = Serialize();
    return io::SaveFile(full, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

} // namespace mivra
