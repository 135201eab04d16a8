#include "store/Profile.h"

#include "base/FileIo.h"
#include "support/TempDir.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>

namespace mivra {
namespace {

constexpr int kCp = 1252;

Profile Reparse(const Profile& p) {
    return Profile::Parse(p.Serialize(), kCp);
}

TEST(Profile, SectionsAndKeysMatchWithoutRegardToCase) {
    Profile p = Profile::Parse("[F\xF6rsamling]\r\nAlternativt Datumformat=1\r\n"
                               "[autocap]\r\nm\xF6jliggjord=0\r\n",
                               kCp);
    EXPECT_EQ(p.GetInt("FÖRSAMLING", "alternativt datumformat", 7), 1);
    EXPECT_EQ(p.GetInt("AutoCap", "Möjliggjord", 7), 0);
    p.SetInt("församling", "ALTERNATIVT DATUMFORMAT", 0);
    EXPECT_EQ(p.Serialize(), "[F\xF6rsamling]\r\nAlternativt Datumformat=0\r\n"
                             "[autocap]\r\nm\xF6jliggjord=0\r\n")
        << "the stored spelling is kept";
}

TEST(Profile, GetIntReadsLikeTheProfileApi) {
    Profile p = Profile::Parse("[s]\na=  42\nb=-16\nc=+7\nd=12abc\ne=abc\nf=\ng=99999999999\n"
                               "h=-99999999999\ni=\"5\"\nj= - 3\nk=0x10\nl=-0x1F\nm=0b101\nn=0o17\n"
                               "o=0X10\np=   \nq=0x\n",
                               kCp);
    EXPECT_EQ(p.GetInt("s", "a", 1), 42);
    EXPECT_EQ(p.GetInt("s", "b", 1), -16);
    EXPECT_EQ(p.GetInt("s", "c", 1), 7);
    EXPECT_EQ(p.GetInt("s", "d", 1), 12);
    EXPECT_EQ(p.GetInt("s", "e", 1), 0) << "present but not a number";
    EXPECT_EQ(p.GetInt("s", "f", 1), 1) << "an empty value reads as a missing one";
    EXPECT_EQ(p.GetInt("s", "p", 1), 1) << "so does one of blanks";
    EXPECT_EQ(p.GetInt("s", "g", 1), INT_MAX);
    EXPECT_EQ(p.GetInt("s", "h", 1), INT_MIN);
    EXPECT_EQ(p.GetInt("s", "i", 1), 5);
    EXPECT_EQ(p.GetInt("s", "j", 1), 0);
    EXPECT_EQ(p.GetInt("s", "k", 1), 16);
    EXPECT_EQ(p.GetInt("s", "l", 1), -31);
    EXPECT_EQ(p.GetInt("s", "m", 1), 5);
    EXPECT_EQ(p.GetInt("s", "n", 1), 15);
    EXPECT_EQ(p.GetInt("s", "o", 1), 0) << "the prefix is lower case only";
    EXPECT_EQ(p.GetInt("s", "q", 1), 0);
    EXPECT_EQ(p.GetInt("s", "missing", 1), 1);
    EXPECT_EQ(p.GetInt("nosuch", "a", 1), 1);
}

TEST(Profile, WhatItDoesNotKnowIsKeptByteForByte) {
    const std::string file = "; written by hand\n"
                             "stray=before any section\n"
                             "[Other]\n"
                             "  Odd Key  =  spaced value ; not a comment  \n"
                             "no equals sign here\n"
                             "bin=\x01\xFF\x81\n"
                             "\n"
                             "[Programformat]\n"
                             "Rubrik=Old\n"
                             "Unknown=\"quoted\"\n"
                             "\n"
                             "[Tail]\n"
                             "last=no line end";
    Profile p = Profile::Parse(file, kCp);
    EXPECT_EQ(p.Serialize(), file);
    EXPECT_EQ(p.GetString("Other", "Odd Key"), "spaced value ; not a comment");
    EXPECT_EQ(p.GetString("Programformat", "Unknown"), "quoted");
    EXPECT_FALSE(p.GetString("", "stray").has_value());

    p.SetString("Programformat", "Rubrik", "New");
    p.SetInt("Programformat", "Lister", 2);
    p.SetInt("Tail", "added", 1);
    p.SetInt("Fresh", "k", 3);
    std::string expected = file;
    expected.replace(expected.find("Rubrik=Old"), 10, "Rubrik=New");
    expected.insert(expected.find("\n\n[Tail]") + 1, "Lister=2\n");
    expected += "\nadded=1\n\n[Fresh]\nk=3\n";
    EXPECT_EQ(p.Serialize(), expected) << "new keys follow the last entry of their section";
}

TEST(Profile, ValuesSurviveAWriteAndARead) {
    struct Case {
        std::string set;
        std::string read;
    } cases[] = {
        {" leading", " leading"},
        {"trailing\t", "trailing\t"},
        {"a=b=c", "a=b=c"},
        {";semicolon", ";semicolon"},
        {"\"quoted\"", "\"quoted\""},
        {"'single'", "'single'"},
        {"\"", "\""},
        {"", ""},
        {"Åsa – Öst", "Åsa – Öst"},
        {"Лист", "????"},
        {"first\r\n[Evil]\r\nx=1", "first"},
        {"line\nbreak", "line"},
        {std::string("nul\0after", 9), "nul"},
        {std::string(100000, 'x'), std::string(100000, 'x')},
    };
    for (const Case& c : cases) {
        Profile p;
        p.SetString("Sektion", "Nyckel", c.set);
        EXPECT_EQ(p.GetString("Sektion", "Nyckel"), c.read) << "in memory: " << c.set;
        Profile back = Reparse(p);
        EXPECT_EQ(back.GetString("Sektion", "Nyckel"), c.read) << "after a read: " << c.set;
        EXPECT_FALSE(back.GetString("Evil", "x").has_value());
        EXPECT_EQ(Reparse(back).Serialize(), p.Serialize());
    }
}

TEST(Profile, AValueInTheFileEndsWhereTheWriterWouldCutIt) {
    // A file another program left with a NUL or a lone CR inside a value: the value read is the
    // text before it, so writing it back and reading again gives the same value.
    for (std::string line : {std::string("Rubrik=ab\0cd", 13), std::string("Rubrik=ab\rcd"),
                             std::string("Rubrik=\"ab\"\0\"x")}) {
        Profile p = Profile::Parse("[Programformat]\n" + line + "\n", 1252);
        EXPECT_EQ(p.GetString("Programformat", "Rubrik"), "ab");
        p.SetString("Programformat", "Rubrik", *p.GetString("Programformat", "Rubrik"));
        EXPECT_EQ(Reparse(p).GetString("Programformat", "Rubrik"), "ab");
    }
}

TEST(Profile, CharactersOutsideTheCodePageAreStoredAsQuestionMarks) {
    Profile p;
    p.SetString("Församling", "Namn", "Åsa – ш");
    EXPECT_EQ(p.Serialize(), "[F\xF6rsamling]\r\nNamn=\xC5sa \x96 ?\r\n");
    EXPECT_EQ(p.GetString("FÖRSAMLING", "namn"), "Åsa – ?");
}

TEST(Profile, NamesThatCannotRoundTripAreIgnored) {
    Profile p;
    for (auto [section, key] : std::initializer_list<std::pair<std::string, std::string>>{
             {"", "k"},
             {"a]b", "k"},
             {"s\nt", "k"},
             {"s", ""},
             {"s", "k=1"},
             {"s", "[k"},
             {"s", ";k"},
             {"s", "k\rz"},
             {"s", std::string("k\0z", 3)}}) {
        p.SetInt(section, key, 1);
        EXPECT_FALSE(p.GetString(section, key).has_value()) << section << "/" << key;
    }
    EXPECT_EQ(p.Serialize(), "");
    p.SetInt("  s  ", "  k  ", 4);
    EXPECT_EQ(p.GetInt("s", "k", 0), 4) << "names are trimmed";
}

TEST(Profile, ASectionHeaderWithoutItsBracketStartsNoSection) {
    const std::string file = "[a]\nk=1\n[b\nm=2\n[c]\nn=3\n";
    Profile p = Profile::Parse(file, kCp);
    EXPECT_EQ(p.GetInt("a", "m", 0), 2);
    EXPECT_EQ(p.GetInt("b", "m", 0), 0);
    EXPECT_EQ(p.GetInt("c", "n", 0), 3);
    EXPECT_EQ(p.Serialize(), file);
}

TEST(Profile, TheFirstOfDuplicateSectionsAndKeysCounts) {
    Profile p = Profile::Parse("[a]\nk=1\nk=2\n[A]\nk=3\n", kCp);
    EXPECT_EQ(p.GetInt("a", "k", 0), 1);
    p.SetInt("a", "k", 9);
    EXPECT_EQ(p.Serialize(), "[a]\nk=9\nk=2\n[A]\nk=3\n");
}

TEST(Profile, GarbageParsesWithoutHarmAndSerialisesUnchanged) {
    std::mt19937 rng(7);
    const std::string alphabet = std::string("[]=;\"' \t\r\n\0ab\xFF\x80", 15);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(rng() % 400, '\0');
        for (char& c : bytes)
            c = round % 2 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        Profile p = Profile::Parse(bytes, kCp);
        ASSERT_EQ(p.Serialize(), bytes) << round;
        p.SetString("Rubrik", "Text", "värde = 1");
        p.SetInt("Rubrik", "Tal", -5);
        Profile back = Reparse(p);
        EXPECT_EQ(back.GetString("Rubrik", "Text"), "värde = 1") << round;
        EXPECT_EQ(back.GetInt("Rubrik", "Tal", 0), -5) << round;
    }
    std::string longLine = "[s]\nk=" + std::string(2'000'000, 'v') + "\r";
    EXPECT_EQ(Profile::Parse(longLine, kCp).GetString("s", "k")->size(), 2'000'000u);
}

class ProfileFileTest : public ::testing::Test {
protected:
    void TearDown() override { io::SetFaultHook(nullptr); }
    test::TempDir dir;
};

TEST_F(ProfileFileTest, LoadTellsMissingFromUnreadable) {
    EXPECT_EQ(Profile::Load(dir / "none.ini", kCp).state(), Profile::State::Missing);
    dir.WriteText("ok.ini", "[s]\nk=1\n");
    Profile ok = Profile::Load(dir / "ok.ini", kCp);
    EXPECT_EQ(ok.state(), Profile::State::Loaded);
    EXPECT_EQ(ok.GetInt("s", "k", 0), 1);
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_EQ(Profile::Load(dir / "folder.ini", kCp).state(), Profile::State::Unreadable);
    dir.WriteText("huge.ini", "[s]\n");
    std::filesystem::resize_file(dir / "huge.ini", Profile::kMaxBytes + 1);
    EXPECT_EQ(Profile::Load(dir / "huge.ini", kCp).state(), Profile::State::Unreadable);
}

TEST_F(ProfileFileTest, AnUnreadableProfileIsNeverWrittenOver) {
    std::filesystem::create_directory(dir / "folder.ini");
    Profile p = Profile::Load(dir / "folder.ini", kCp);
    p.SetInt("s", "k", 1);
    Status s = p.Save(dir / "folder.ini");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().path, dir / "folder.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
}

TEST_F(ProfileFileTest, SaveWritesTheWholeFileAndAFailedSaveKeepsTheOldOne) {
    dir.WriteText("mivraw.ini", "[s]\nk=1\n");
    Profile p = Profile::Load(dir / "mivraw.ini", kCp);
    p.SetInt("s", "k", 2);
    io::SetFaultHook(
        [](io::Step step, const std::filesystem::path&) { return step == io::Step::Rename; });
    Status failed = p.Save(dir / "mivraw.ini");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().path, dir / "mivraw.ini");
    EXPECT_TRUE(failed.error().path.is_absolute());
    EXPECT_EQ(dir.ReadText("mivraw.ini"), "[s]\nk=1\n");
    io::SetFaultHook(nullptr);
    ASSERT_TRUE(p.Save(dir / "mivraw.ini").ok());
    EXPECT_EQ(dir.ReadText("mivraw.ini"), "[s]\nk=2\n");
}

} // namespace
} // namespace mivra
