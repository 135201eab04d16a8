#include "store/Settings.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/Profile.h"

#include <climits>
#include <gtest/gtest.h>

namespace mivra {
namespace {

const StringTable& Sv() {
    return StringTable::Swedish();
}

Profile Ini(std::string_view utf8) {
    return Profile::Parse(text::ToCodePage(utf8, 1252), 1252);
}

std::string Repeat(std::string_view s, int n) {
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

DocOptions Read(const Profile& p) {
    DocOptions o;
    ReadSettings(p, Sv(), o);
    return o;
}

TEST(Settings, AnEmptyProfileGivesEveryDefault) {
    DocOptions o = Read(Profile());
    EXPECT_EQ(o.ourCongregationKey, 0u) << "no \"Congregation\" section: no home congregation";
    EXPECT_FALSE(o.serviceYear);
    EXPECT_FALSE(o.alternativeDateFormat);
    EXPECT_FALSE(o.scheduleReaders);
    EXPECT_FALSE(o.scheduleHosts);
    EXPECT_EQ(o.leftMargin, 20);
    EXPECT_EQ(o.topMargin, 50);
    EXPECT_EQ(o.heading, "Program för offentliga föredrag");
    EXPECT_FALSE(o.includeReaders || o.omitTalkNumbers || o.omitOutgoing || o.printDateStamps);
    EXPECT_EQ(o.borderStyle, 0);
    EXPECT_EQ(o.borderColour, 12632256u);
    EXPECT_FALSE(o.dialEnabled);
    EXPECT_TRUE(o.autoCaps);
}

TEST(Settings, WrittenOptionsLandUnderTheirSwedishNamesAndReadBack) {
    DocOptions o;
    o.serviceYear = o.alternativeDateFormat = o.scheduleReaders = o.scheduleHosts = true;
    o.includeReaders = o.omitTalkNumbers = o.omitOutgoing = o.printDateStamps = true;
    o.leftMargin = 35;
    o.topMargin = 0;
    o.heading = " Offentliga föredrag = söndagar ";
    o.borderStyle = 4;
    o.borderColour = 0x0000FF;
    o.autoCaps = false;
    o.ourCongregationKey = 12;
    Profile p;
    WriteSettings(p, Sv(), o);
    EXPECT_FALSE(p.GetString("Congregation", "Number").has_value()) << "written on its own";
    EXPECT_EQ(p.GetInt("Församling", "Alternativt datumformat", -1), 1);
    EXPECT_EQ(p.GetInt("Meeting Time Change", "Service Year", -1), 1);
    EXPECT_EQ(p.GetInt("Programformat", "Lister*", -1), 255);
    EXPECT_EQ(p.GetInt("Ring upp OK", "Möjliggjord", -1), 0);
    EXPECT_EQ(p.GetInt("AutoCap", "Möjliggjord", -1), 0);

    DocOptions back = Read(Profile::Parse(p.Serialize(), 1252));
    o.ourCongregationKey = 0;
    EXPECT_EQ(back.heading, o.heading);
    EXPECT_EQ(back.leftMargin, 35);
    EXPECT_EQ(back.topMargin, 0);
    EXPECT_EQ(back.borderStyle, 4);
    EXPECT_EQ(back.borderColour, 0x0000FFu);
    EXPECT_TRUE(back.serviceYear && back.alternativeDateFormat && back.scheduleReaders &&
                back.scheduleHosts && back.includeReaders && back.omitTalkNumbers &&
                back.omitOutgoing && back.printDateStamps);
    EXPECT_FALSE(back.autoCaps);
}

TEST(Settings, TheStoredDialValueIsNotUsedButTheCurrentOneIsWrittenBack) {
    Profile p = Ini("[Ring upp OK]\nMöjliggjord=1\n");
    DocOptions o = Read(p);
    EXPECT_FALSE(o.dialEnabled);
    WriteSettings(p, Sv(), o);
    EXPECT_EQ(p.GetInt("Ring upp OK", "Möjliggjord", -1), 0);
    o.dialEnabled = true;
    WriteSettings(p, Sv(), o);
    EXPECT_EQ(p.GetInt("Ring upp OK", "Möjliggjord", -1), 1);
}

TEST(Settings, BandColourAndStyleAndHomeCongregationReadSafely) {
    EXPECT_EQ(Read(Ini("[Programformat]\nLister*=0\n")).borderColour, 0u) << "stored 0: no band";
    EXPECT_EQ(Read(Ini("[Programformat]\nLister*=-1\n")).borderColour, 0xFFFFFFu);
    EXPECT_EQ(Read(Ini("[Programformat]\nLister=7\n")).borderStyle, 0);
    EXPECT_EQ(Read(Ini("[Congregation]\nNumber=70000\n")).ourCongregationKey, 0u);
    EXPECT_EQ(Read(Ini("[Congregation]\nNumber=-3\n")).ourCongregationKey, 0u);
    EXPECT_EQ(Read(Ini("[congregation]\nnumber=41\n")).ourCongregationKey, 41u);
    Profile p;
    WriteHomeCongregation(p, 17);
    EXPECT_EQ(Read(p).ourCongregationKey, 17u);
}

TEST(Settings, NameOrderIsNotStored) {
    DocOptions o;
    o.nameOrder = true;
    ReadSettings(Profile(), Sv(), o);
    EXPECT_TRUE(o.nameOrder);
    Profile p;
    WriteSettings(p, Sv(), o);
    DocOptions fresh;
    ReadSettings(p, Sv(), fresh);
    EXPECT_FALSE(fresh.nameOrder);
}

ReportFonts Load(const Profile& p, std::string_view code = "sve", bool reset = false) {
    ReportFonts f;
    LoadFonts(p, Sv(), code, reset, f);
    return f;
}

TEST(Fonts, DefaultsTakeTheLanguageCharacterSetAndTheEighthFontIsFixed) {
    FontSpec talk = DefaultFont(FontRole::Talk, "rus", Sv());
    EXPECT_EQ(talk, (FontSpec{-16, 0, 700, true, false, 204, 12, "Arial", 0}));
    EXPECT_EQ(LanguageCharSet("G"), 0) << "G counts only for stored fonts";
    ReportFonts f = Load(Profile(), "turkish");
    EXPECT_EQ(f.fixed, (FontSpec{-13, 0, 400, false, false, 162, 18, "Times New Roman", 0}));
}

TEST(Fonts, AnUnstoredSlotTakesItsDefaultsAndIsWrittenInFull) {
    Profile p = Ini("[Teckensnitt, Rubrik]\nHeight=0\nWeight=100\nFaceName=Courier\n");
    ReportFonts f = Load(p, "rus");
    for (int i = 0; i < kFontRoleCount; ++i) {
        auto role = static_cast<FontRole>(i);
        EXPECT_EQ(f[role], DefaultFont(role, "rus", Sv()));
        EXPECT_TRUE(f.writeAll[i]);
    }
    SaveFonts(p, Sv(), f);
    EXPECT_EQ(p.GetInt("Teckensnitt, Rubrik", "Height", 0), -27);
    EXPECT_EQ(p.GetString("Teckensnitt, Rubrik", "FaceName"), "Arial");
    EXPECT_EQ(p.GetInt("Litet teckensnitt", "CharSet", 0), 204);
    EXPECT_EQ(p.GetInt("Teckensnitt", "RGB", -1), 0);
    EXPECT_EQ(p.GetInt("Teckensnitt, tal", "Underline", -1), 0);
    ReportFonts again = Load(p, "rus");
    EXPECT_EQ(again.roles, f.roles);
    EXPECT_FALSE(again.writeAll[1]);
}

TEST(Fonts, AStoredSlotIsReadKeyByKey) {
    Profile p = Ini("[Teckensnitt, tal]\nHeight=-20\nWeight=400\nItalic=0\nUnderline=1\n"
                    "PitchAndFamily=34\nFaceName=" +
                    Repeat("å", 40) + "\nRGB=255\n[Teckensnitt]\nHeight=-12\nCharSet=0\n");
    ReportFonts f = Load(p, "rus");
    FontSpec talk = f[FontRole::Talk];
    EXPECT_EQ(talk, (FontSpec{-20, 0, 400, false, true, 204, 34, Repeat("å", 31), 255}))
        << "face cut to 31 characters; no CharSet: the language's";
    EXPECT_EQ(f[FontRole::Text].charSet, 0) << "a stored CharSet wins";
    EXPECT_EQ(f[FontRole::Text].face, "System");
    EXPECT_EQ(Load(p, "G")[FontRole::Talk].charSet, 161);
    EXPECT_FALSE(f.writeAll[static_cast<size_t>(FontRole::Talk)]);
}

TEST(Fonts, OutOfBoundsHeightsAndWeightsReadAsTheRoleDefaults) {
    struct Case {
        int height;
        int weight;
        int wantHeight;
        int wantWeight;
    } cases[] = {
        {-500, 1, -500, 1},       {500, 1000, 500, 1000}, {-501, 400, -16, 400},
        {100000, 0, -16, 700},    {-16, 1001, -16, 700},  {-16, -5, -16, 700},
        {INT_MIN, 700, -16, 700},
    };
    for (const Case& c : cases) {
        Profile p;
        p.SetInt("Teckensnitt, Talare", "Height", c.height);
        p.SetInt("Teckensnitt, Talare", "Weight", c.weight);
        ReportFonts f = Load(p);
        EXPECT_EQ(f[FontRole::Speaker].height, c.wantHeight) << c.height;
        EXPECT_EQ(f[FontRole::Speaker].weight, c.wantWeight) << c.weight;
        SaveFonts(p, Sv(), f);
        EXPECT_EQ(p.GetInt("Teckensnitt, Talare", "Height", 0), c.wantHeight) << "repaired";
        EXPECT_EQ(p.GetInt("Teckensnitt, Talare", "Weight", 0), c.wantWeight) << "repaired";
    }
}

TEST(Fonts, SaveWritesOnlyWhatDiffers) {
    Profile p;
    ReportFonts f = Load(p);
    SaveFonts(p, Sv(), f);
    p.SetString("Teckensnitt, datum", "Own", "kept");
    const std::string before = p.Serialize();
    SaveFonts(p, Sv(), f);
    EXPECT_EQ(p.Serialize(), before) << "nothing changed, nothing written";

    f = Load(p);
    f[FontRole::Date].weight = 400;
    f[FontRole::Date].colour = 0x808080;
    SaveFonts(p, Sv(), f);
    std::string expected = before;
    expected.replace(expected.find("Weight=700", expected.find("datum")), 10, "Weight=400");
    expected.replace(expected.find("RGB=0", expected.find("datum")), 5, "RGB=8421504");
    EXPECT_EQ(p.Serialize(), expected);
}

TEST(Fonts, ResetReplacesStoredSlotsWithDefaults) {
    Profile p = Ini("[Teckensnitt]\nHeight=-30\nWeight=900\nFaceName=Courier\nCharSet=77\n");
    ReportFonts f = Load(p, "sve", true);
    EXPECT_EQ(f[FontRole::Text], DefaultFont(FontRole::Text, "sve", Sv()));
    SaveFonts(p, Sv(), f);
    EXPECT_EQ(p.GetInt("Teckensnitt", "Height", 0), -16);
    EXPECT_EQ(p.GetString("Teckensnitt", "FaceName"), "Times New Roman");
    EXPECT_EQ(p.GetInt("Teckensnitt", "CharSet", -1), 0);
}

} // namespace
} // namespace mivra
