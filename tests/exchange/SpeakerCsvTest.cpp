#include "exchange/SpeakerCsv.h"

#include "exchange/PackageFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using namespace exchange;
using ::testing::ElementsAre;

std::vector<std::string> Cells(const SpeakerCsv& csv, size_t line) {
    return csv.lines.at(line).cells;
}

TEST(SpeakerCsvRead, Utf8WithBomSemicolonsQuotingAndCrlf) {
    const SpeakerCsv csv = ParseSpeakerCsv("\xEF\xBB\xBF"
                                           "Efternamn;\"FÖRNAMN\";Församling;Skostorlek, EU\r\n"
                                           "Ek;\"Erik \"\"E\"\"; Jr\";Väst;\r\n"
                                           "\r\n"
                                           "\"Berg\nlund\";Åke;\"Norr,\";44\n"
                                           "Sist;X;Y");
    ASSERT_EQ(csv.error, CsvError::None);
    EXPECT_TRUE(csv.utf8);
    EXPECT_EQ(csv.delimiter, ';');
    EXPECT_THAT(csv.unknownColumns, ElementsAre("Skostorlek, EU"));
    ASSERT_EQ(csv.lines.size(), 3u);
    EXPECT_THAT(Cells(csv, 0), ElementsAre("Ek", "Erik \"E\"; Jr", "Väst", ""));
    EXPECT_THAT(Cells(csv, 1), ElementsAre("Berg\nlund", "Åke", "Norr,", "44"));
    EXPECT_EQ(csv.lines[1].number, 4);
    EXPECT_EQ(csv.lines[2].number, 6);
}

TEST(SpeakerCsvRead, Windows1252EnglishHeadersAndRefusals) {
    const SpeakerCsv cp = ParseSpeakerCsv("congregation,Last Name\n\xC5"
                                          "berg,\xC5"
                                          "berg\n");
    ASSERT_EQ(cp.error, CsvError::None);
    EXPECT_FALSE(cp.utf8);
    EXPECT_THAT(Cells(cp, 0), ElementsAre("Åberg", "Åberg"));

    // An unterminated quote rejects its line; reading goes on at the next line break.
    const SpeakerCsv cut = ParseSpeakerCsv("Efternamn,Församling\nA,B\n\"Ek,Väst\nC,D");
    ASSERT_EQ(cut.lines.size(), 3u);
    EXPECT_TRUE(cut.lines[1].unterminatedQuote);
    EXPECT_THAT(Cells(cut, 2), ElementsAre("C", "D"));
    EXPECT_EQ(cut.lines[2].number, 4);

    EXPECT_EQ(ParseSpeakerCsv("").error, CsvError::NoHeader);
    EXPECT_EQ(ParseSpeakerCsv("\"Efternamn,Församling\n").error, CsvError::NoHeader);
    EXPECT_EQ(ParseSpeakerCsv("Förnamn;Efternamn\nA;B\n").error, CsvError::NoRequiredColumn);
    EXPECT_EQ(ParseSpeakerCsv(std::string("\x00\xFF\x01\x80\n\x9D", 6)).error,
              CsvError::NoRequiredColumn);
    EXPECT_EQ(ParseSpeakerCsv(std::string(kMaxSpeakerCsvBytes + 1, 'a')).error, CsvError::TooLarge);
    std::string many = "Efternamn,Församling\n";
    for (int i = 0; i < kMaxSpeakerCsvLines; ++i)
        many += "A,B\n";
    EXPECT_EQ(ParseSpeakerCsv(many).error, CsvError::TooLarge);

    test::TempDir dir;
    EXPECT_EQ(ReadSpeakerCsv(dir / "saknas.csv").error, CsvError::Unreadable);
}

class SpeakerCsvPlan : public test::PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        WriteFolder();
        LoadQuietly();
    }

    SpeakerImportPlan Plan(const std::string& body) {
        const SpeakerCsv csv =
            ParseSpeakerCsv("Förnamn;Efternamn;Församling;Telefon;E-post;Tal\n" + body);
        EXPECT_EQ(csv.error, CsvError::None);
        return PlanSpeakerImport(*doc, csv);
    }
};

TEST_F(SpeakerCsvPlan, MatchesUpdatesAddsAndRejectsEachLineWithItsReason) {
    const SpeakerImportPlan plan = Plan("Erik;ek;  väst ;031-55;ny@ek.se;12-14 S-31\n"
                                        "Fred;Fur;Väst;;;\n"
                                        "Hans;Hed;Öst;;;9\n"
                                        "Ny;Nysson;öst;;;\n"
                                        ";;Väst\n"
                                        "Utan;Församling;\n"
                                        "A;B;C;D;E;F;G\n"
                                        "Långtnamnsomärförlångt;X;Väst\n"
                                        "T;Tel;Väst;0123456789012345\n"
                                        "Tal;Okänt;Väst;;;12,999\n"
                                        "ERIK;Ek;Norr\n");
    ASSERT_EQ(plan.lines.size(), 11u);
    const auto& l = plan.lines;
    EXPECT_EQ(l[0].action, LineAction::Update);
    EXPECT_EQ(l[0].brotherKey, 5);
    EXPECT_THAT(l[0].changes, ElementsAre("email", "talks"));
    for (int t : {12, 13, 14, 231})
        EXPECT_TRUE(l[0].record.repertoire.Has(t)) << t;
    EXPECT_EQ(l[0].record.repertoire.Count(), 4);
    EXPECT_EQ(l[1].action, LineAction::Unchanged);
    // Hed moves to a new congregation, named once for both lines.
    EXPECT_EQ(l[2].action, LineAction::Update);
    EXPECT_THAT(l[2].changes, ElementsAre("congregation"));
    EXPECT_THAT(plan.newCongregations, ElementsAre("Öst"));
    EXPECT_EQ(l[3].action, LineAction::Add);
    EXPECT_EQ(l[3].newCongregation, 0);
    EXPECT_EQ(l[4].reject, CsvReject::NoLastName);
    EXPECT_EQ(l[5].reject, CsvReject::NoCongregation);
    EXPECT_EQ(l[6].reject, CsvReject::TooManyFields);
    EXPECT_EQ(l[7].reject, CsvReject::TooLong);
    EXPECT_EQ(l[7].detail, "Förnamn");
    EXPECT_EQ(l[8].detail, "Telefon");
    EXPECT_EQ(l[9].reject, CsvReject::UnknownTalk);
    EXPECT_EQ(l[9].detail, "999");
    EXPECT_EQ(l[10].reject, CsvReject::Repeat);
    EXPECT_EQ(l[10].detail, "2");
    EXPECT_EQ(plan.Count(LineAction::Skip), 7);
}

TEST_F(SpeakerCsvPlan, WarnsOfCharactersTheCodePageCannotHold) {
    const SpeakerImportPlan plan = Plan("Ζeta;Ek;Väst\n");
    EXPECT_THAT(plan.lines.at(0).warnings, ElementsAre("Förnamn"));
}

} // namespace
} // namespace mivra
