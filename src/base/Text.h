#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// Text is UTF-8 in memory. Records hold the language's single-byte ANSI code page; the
// conversion happens only here, at the record boundary.
namespace mivra::text {

/** The ANSI code page of a language code: 1252 unless the code names another script. */
int CodePageOf(std::string_view languageCode);

/** The ICU locale used for collation and case conversion of a language code. */
std::string LocaleOf(std::string_view languageCode);

/** Reads a NUL-terminated field; a field without terminator is read to its full width. */
std::string DecodeField(std::span<const uint8_t> field, int codePage);

/**
 * Zero-fills the field, then stores at most min(maxChars, width - 1) characters of the text.
 * A character the code page cannot hold is stored as "?". The text is cut in characters,
 * never inside one.
 */
void EncodeField(std::string_view utf8, int codePage, std::span<uint8_t> field, size_t maxChars);

/** Whole-string conversions between UTF-8 and a code page ("?" for what it cannot hold). */
std::string ToCodePage(std::string_view utf8, int codePage);
std::string FromCodePage(std::string_view bytes, int codePage);

/** Number of characters (code points) of a UTF-8 text. */
size_t CharCount(std::string_view utf8);
/** The first n characters of a UTF-8 text. */
std::string_view LeftChars(std::string_view utf8, size_t n);
/** The text without spaces at either end (only the blank counts, as in the records). */
std::string_view Trim(std::string_view s);
inline bool IsBlank(std::string_view s) {
    return Trim(s).empty();
}

std::string ToUpper(std::string_view utf8, std::string_view languageCode);
std::string ToLower(std::string_view utf8, std::string_view languageCode);
/** The case-folded text: two texts are EqualsIgnoringCase exactly when these are equal. */
std::string FoldCase(std::string_view utf8);
/** Equal when the case-folded texts are the same (duplicate-name checks). */
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

/**
 * Case-insensitive collation in the locale of a language code, on trimmed texts.
 * Sort keys compare (as bytes) exactly as Compare does, so sorts need no collation call
 * per exchange.
 */
class Collator {
public:
    explicit Collator(std::string_view languageCode);
    ~Collator();
    Collator(const Collator&) = delete;
    Collator& operator=(const Collator&) = delete;
    Collator(Collator&&) noexcept;
    Collator& operator=(Collator&&) noexcept;

    /** Negative, zero or positive as a sorts before, with or after b. */
    int Compare(std::string_view a, std::string_view b) const;
    std::string SortKey(std::string_view s) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace mivra::text
