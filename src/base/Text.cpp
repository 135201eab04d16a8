#include "base/Text.h"

#include <algorithm>
#include <map>
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <vector>

namespace mivra::text {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// ICU converters are not cheap to open; keep one per code page and thread.
UConverter* ConverterFor(int codePage) {
    thread_local std::map<int, ConverterPtr> cache;
    auto it = cache.find(codePage);
    if (it != cache.end())
        return it->second.get();
    UErrorCode err = U_ZERO_ERROR;
    std::string name = "windows-" + std::to_string(codePage);
    UConverter* c = ucnv_open(name.c_str(), &err);
    if (U_FAILURE(err) || !c) {
        err = U_ZERO_ERROR;
        c = ucnv_open("windows-1252", &err);
    }
    err = U_ZERO_ERROR;
    ucnv_setSubstChars(c, "?", 1, &err);
    return cache.emplace(codePage, ConverterPtr(c)).first->second.get();
}

icu::UnicodeString Nfc(std::string_view utf8) {
    auto nul = utf8.find('\0');
    if (nul != std::string_view::npos)
        utf8 = utf8.substr(0, nul);
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    UErrorCode err = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(err);
    if (U_SUCCESS(err)) {
        icu::UnicodeString out = nfc->normalize(u, err);
        if (U_SUCCESS(err))
            return out;
    }
    return u;
}

std::string EncodeUnicode(const icu::UnicodeString& u, int codePage) {
    UConverter* c = ConverterFor(codePage);
    ucnv_resetFromUnicode(c);
    std::vector<char> out(static_cast<size_t>(u.length()) * 2 + 4);
    UErrorCode err = U_ZERO_ERROR;
    int32_t n = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()), u.getBuffer(),
                                u.length(), &err);
    if (U_FAILURE(err) && err != U_STRING_NOT_TERMINATED_WARNING)
        return std::string(static_cast<size_t>(u.countChar32()), '?');
    return std::string(out.data(), static_cast<size_t>(n));
}

std::string Utf8(const icu::UnicodeString& u) {
    std::string s;
    u.toUTF8String(s);
    return s;
}

} // namespace

int CodePageOf(std::string_view code) {
    if (code == "rus")
        return 1251;
    if (code == "polish" || code == "hrvatski" || code == "cze" || code == "rom")
        return 1250;
    if (code == "turkish")
        return 1254;
    if (code == "greek")
        return 1253;
    return 1252;
}

std::string LocaleOf(std::string_view code) {
    static const std::map<std::string_view, std::string_view> locales = {
        {"sve", "sv"},     {"rus", "ru"},     {"polish", "pl"},  {"hrvatski", "hr"},
        {"turkish", "tr"}, {"cze", "cs"},     {"greek", "el"},   {"rom", "ro"},
        {"esp", "es"},     {"spanish", "es"}, {"Deu", "de"},     {"finnish", "fi"},
        {"eng", "en"},     {"ptg", "pt"},     {"italian", "it"}, {"HT", "ht"},
    };
    auto it = locales.find(code);
    return it == locales.end() ? std::string("sv") : std::string(it->second);
}

std::string DecodeField(std::span<const uint8_t> field, int codePage) {
    auto end = std::find(field.begin(), field.end(), uint8_t{0});
    std::string_view bytes(reinterpret_cast<const char*>(field.data()),
                           static_cast<size_t>(end - field.begin()));
    return FromCodePage(bytes, codePage);
}

void EncodeField(std::string_view utf8, int codePage, std::span<uint8_t> field, size_t maxChars) {
    std::fill(field.begin(), field.end(), uint8_t{0});
    if (field.empty())
        return;
    size_t limit = std::min(maxChars, field.size() - 1);
    icu::UnicodeString u = Nfc(utf8);
    int32_t cut = u.moveIndex32(0, static_cast<int32_t>(std::min<size_t>(limit, INT32_MAX)));
    u.truncate(cut);
    std::string bytes = EncodeUnicode(u, codePage);
    bytes.resize(std::min(bytes.size(), limit));
    std::copy(bytes.begin(), bytes.end(), field.begin());
}

std::string ToCodePage(std::string_view utf8, int codePage) {
    return EncodeUnicode(Nfc(utf8), codePage);
}

std::string FromCodePage(std::string_view bytes, int codePage) {
    if (bytes.empty())
        return {};
    UConverter* c = ConverterFor(codePage);
    ucnv_resetToUnicode(c);
    std::vector<UChar> out(bytes.size() * 2 + 4);
    UErrorCode err = U_ZERO_ERROR;
    int32_t n = ucnv_toUChars(c, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                              static_cast<int32_t>(bytes.size()), &err);
    if (U_FAILURE(err) && err != U_STRING_NOT_TERMINATED_WARNING)
        return {};
    return Utf8(icu::UnicodeString(out.data(), n));
}

size_t CharCount(std::string_view utf8) {
    size_t n = 0;
    for (unsigned char ch : utf8)
        if ((ch & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string_view LeftChars(std::string_view utf8, size_t n) {
    size_t seen = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            if (seen == n)
                return utf8.substr(0, i);
            ++seen;
        }
    }
    return utf8;
}

std::string_view Trim(std::string_view s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return {};
    size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

std::string ToUpper(std::string_view utf8, std::string_view languageCode) {
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    return Utf8(u.toUpper(icu::Locale(LocaleOf(languageCode).c_str())));
}

std::string ToLower(std::string_view utf8, std::string_view languageCode) {
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    return Utf8(u.toLower(icu::Locale(LocaleOf(languageCode).c_str())));
}

std::string FoldCase(std::string_view utf8) {
    icu::UnicodeString u = Nfc(utf8);
    return Utf8(u.foldCase(U_FOLD_CASE_DEFAULT));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    icu::UnicodeString ua = Nfc(a);
    icu::UnicodeString ub = Nfc(b);
    return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) == 0;
}

struct Collator::Impl {
    std::unique_ptr<icu::Collator> collator;
};

Collator::Collator(std::string_view languageCode) : m_impl(std::make_unique<Impl>()) {
    UErrorCode err = U_ZERO_ERROR;
    m_impl->collator.reset(
        icu::Collator::createInstance(icu::Locale(LocaleOf(languageCode).c_str()), err));
    if (U_FAILURE(err) || !m_impl->collator) {
        err = U_ZERO_ERROR;
        m_impl->collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), err));
    }
    // Secondary strength: accents count, case does not.
    m_impl->collator->setStrength(icu::Collator::SECONDARY);
}

Collator::~Collator() = default;
Collator::Collator(Collator&&) noexcept = default;
Collator& Collator::operator=(Collator&&) noexcept = default;

int Collator::Compare(std::string_view a, std::string_view b) const {
    a = Trim(a);
    b = Trim(b);
    UErrorCode err = U_ZERO_ERROR;
    UCollationResult r = m_impl->collator->compareUTF8(
        icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
        icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), err);
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

std::string Collator::SortKey(std::string_view s) const {
    icu::UnicodeString u = Nfc(Trim(s));
    int32_t need = m_impl->collator->getSortKey(u, nullptr, 0);
    std::string key(static_cast<size_t>(need), '\0');
    m_impl->collator->getSortKey(u, reinterpret_cast<uint8_t*>(key.data()), need);
    if (!key.empty() && key.back() == '\0')
        key.pop_back();
    return key;
}

} // namespace mivra::text
