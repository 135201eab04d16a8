#include "base/Text.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace mivra::text {
namespace {

TEST(TextField, RoundTripsSwedishLettersThroughWindows1252) {
    std::array<uint8_t, 20> field{};
    EncodeField("Åsa Östlund-Ärlig", 1252, field, 18);
    EXPECT_EQ(field[0], 0xC5); // Å
    EXPECT_EQ(DecodeField(field, 1252), "Åsa Östlund-Ärlig");
}

TEST(TextField, CutsAtTheLimitInCharactersAndZeroFills) {
    std::array<uint8_t, 10> field;
    field.fill(0xAA);
    EncodeField("åäöåäöåäöåäö", 1252, field, 9);
    EXPECT_EQ(DecodeField(field, 1252), "åäöåäöåäö");
    EXPECT_EQ(field[9], 0);
    EncodeField("ab", 1252, field, 9);
    EXPECT_TRUE(std::all_of(field.begin() + 2, field.end(), [](uint8_t b) { return b == 0; }));
}

TEST(TextField, NeverStoresMoreThanWidthMinusOne) {
    std::array<uint8_t, 4> field{};
    EncodeField("abcdefgh", 1252, field, 100);
    EXPECT_EQ(DecodeField(field, 1252), "abc");
    EXPECT_EQ(field[3], 0);
}

TEST(TextField, UnmappableCharacterBecomesQuestionMark) {
    std::array<uint8_t, 16> field{};
    EncodeField("a中b😀c", 1252, field, 15);
    EXPECT_EQ(DecodeField(field, 1252), "a?b?c");
}

TEST(TextField, FieldWithoutTerminatorIsReadToItsWidth) {
    std::array<uint8_t, 3> field{'a', 'b', 'c'};
    EXPECT_EQ(DecodeField(field, 1252), "abc");
}

TEST(TextField, UndefinedWindows1252BytesSurviveARoundTrip) {
    std::array<uint8_t, 4> field{0x81, 0x8D, 0x9D, 0};
    std::string s = DecodeField(field, 1252);
    std::array<uint8_t, 4> again{};
    EncodeField(s, 1252, again, 3);
    EXPECT_EQ(field, again);
}

TEST(TextField, DecomposedInputIsComposedBeforeEncoding) {
    std::array<uint8_t, 8> field{};
    EncodeField("A\xCC\x8A", 1252, field, 7); // A + combining ring
    EXPECT_EQ(field[0], 0xC5);
    EXPECT_EQ(field[1], 0);
}

TEST(TextCodePages, FollowTheLanguageCode) {
    EXPECT_EQ(CodePageOf("sve"), 1252);
    EXPECT_EQ(CodePageOf("rus"), 1251);
    EXPECT_EQ(CodePageOf("polish"), 1250);
    EXPECT_EQ(CodePageOf("turkish"), 1254);
    EXPECT_EQ(CodePageOf("greek"), 1253);
    std::array<uint8_t, 8> field{};
    EncodeField("Жук", 1251, field, 7);
    EXPECT_EQ(DecodeField(field, 1251), "Жук");
}

TEST(TextHelpers, TrimCountAndCut) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_TRUE(IsBlank("  "));
    EXPECT_EQ(CharCount("åäö"), 3u);
    EXPECT_EQ(LeftChars("åäöx", 2), "åä");
    EXPECT_EQ(LeftChars("ab", 5), "ab");
}

TEST(TextCase, UpperLowerAndCaseInsensitiveEquality) {
    EXPECT_EQ(ToUpper("åsa", "sve"), "ÅSA");
    EXPECT_EQ(ToLower("ÖSTER", "sve"), "öster");
    EXPECT_TRUE(EqualsIgnoringCase("öster", "Öster"));
    EXPECT_FALSE(EqualsIgnoringCase("oster", "Öster"));
}

TEST(Collation, SwedishPutsAaAeOeAfterZAndIgnoresCase) {
    Collator c("sve");
    EXPECT_LT(c.Compare("Zander", "Åberg"), 0);
    EXPECT_LT(c.Compare("Åberg", "Ärlig"), 0);
    EXPECT_LT(c.Compare("Ärlig", "Östlund"), 0);
    EXPECT_EQ(c.Compare("de Vries", "De Vries"), 0);
    EXPECT_EQ(c.Compare("  Lund ", "lund"), 0);
}

TEST(Collation, SortKeysOrderAsCompareDoes) {
    Collator c("sve");
    std::vector<std::string> names = {"Östlund", "andersson", "Åberg",    "Zetterberg",
                                      "Berg",    "de Vries",  "De Vries", "ärlig"};
    for (const auto& a : names)
        for (const auto& b : names) {
            int byKey = c.SortKey(a).compare(c.SortKey(b));
            int sign = byKey < 0 ? -1 : (byKey > 0 ? 1 : 0);
            EXPECT_EQ(sign, c.Compare(a, b)) << a << " vs " << b;
        }
}

} // namespace
} // namespace mivra::text
