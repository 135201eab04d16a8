#include "exchange/PackageExport.h"

#include "exchange/PackageFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using namespace exchange;
using ::testing::ElementsAre;

class PackageExport : public test::PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        WriteFolder();
        LoadQuietly();
    }
};

TEST_F(PackageExport, AnotherCongregationSendsItsSpeakersAndOfficersWithTheirWeeks) {
    ASSERT_TRUE(ExportPackage(*doc, host, 2));
    EXPECT_THAT(TakeMessages(),
                ElementsAre("Uppgifter om Västförsamlingen har exporterats till fil: "
                            "\"Väst.c1d\" som finns i din Mivra-katalog.\n\nExporterade data "
                            "innefattar bröder, tal, och tillgänglighet."));
    Package package = ReadBack("Väst.c1d");
    EXPECT_EQ(package.header,
              (PackageHeader{"Väst", "Västsalen", "", "031-1", "", "11:00", "17:00", "Krets 7"}));
    EXPECT_THAT(Names(package), ElementsAre("Erik Ek", "Gustav Gran")) << "Fred has no talks";
    const PackageBrother& erik = package.brothers[0];
    EXPECT_EQ(erik.address1, "Eksväg 5");
    EXPECT_EQ(erik.phone2, "070-2");
    EXPECT_EQ(erik.email, "e@ek.se");
    EXPECT_EQ(erik.status, 0x42) << "the status byte as stored";
    EXPECT_EQ(erik.roles, 0x04 | kOfficerCoordinator) << "home roles masked, officer added";
    // The ten earliest weeks from the current one, in order, whatever the table's order.
    std::array<uint16_t, 10> weeks{};
    const int offsets[] = {0, 1, 2, 3, 4, 5, 7, 8, 9, 11};
    for (size_t i = 0; i < 10; ++i)
        weeks[i] = static_cast<uint16_t>(W() + offsets[i]);
    EXPECT_EQ(erik.weeks, weeks);
    EXPECT_EQ(package.brothers[1].weeks, (std::array<uint16_t, 10>{}));
}

TEST_F(PackageExport, TheHomeCongregationSendsItsTravellersAndOfficersOnly) {
    ASSERT_TRUE(ExportHomePackage(*doc, host));
    EXPECT_THAT(TakeMessages(),
                ElementsAre("Information om församlingen har exporterats till fil: \"Hemby.c1d\" "
                            "i mappen Mivra.\n\nExporterade data inbegriper bröder, tal och "
                            "tillgänglighet.\n\nDu kan skicka filen \"Hemby.c1d\" till "
                            "föredragssamordnare som du vill utbyta talare med."));
    Package package = ReadBack("Hemby.c1d");
    // Dan gives talks but is not sent out; Carl is suspended, so only his office sends him.
    EXPECT_THAT(Names(package), ElementsAre("Anders Alm", "Bo Björk", "Carl Cedar"));
    EXPECT_EQ(package.brothers[0].talks.Count(), 2);
    EXPECT_EQ(package.brothers[0].roles, 0x16 | kOfficerCoordinator);
    EXPECT_TRUE(package.brothers[1].talks.Empty()) << "an officer who stays home";
    EXPECT_EQ(package.brothers[1].roles, 0x04 | kOfficerSecretary);
    EXPECT_TRUE(package.brothers[2].talks.Empty());
    EXPECT_EQ(package.brothers[2].roles, 0x02 | kOfficerTalkCoordinator);
    EXPECT_EQ(package.brothers[2].status, 0x20);
}

TEST_F(PackageExport, FileNamesStayInsideTheFolder) {
    EXPECT_EQ(PackageFileName("Väst"), "Väst.c1d");
    EXPECT_EQ(PackageFileName("../../x"), "_.._x.c1d");
    EXPECT_EQ(PackageFileName("a\\b:c*d?e\"f<g>h|i\tj "), "a_b_c_d_e_f_g_h_i_j.c1d");
    EXPECT_EQ(PackageFileName("...  "), "församling.c1d");
    EXPECT_EQ(PackageFileName(""), "församling.c1d");

    CongregationRecord record;
    const int index = doc->Congregations().FindCongregationByKey(3) - 1;
    ASSERT_NE(doc->Congregations().ReadCongregation(index, record), 0);
    record.name = "../Norr";
    ASSERT_TRUE(doc->Congregations().UpdateCongregation(index, record));
    ASSERT_TRUE(ExportPackage(*doc, host, 3));
    EXPECT_NE(TakeMessages().at(0).find("\"_Norr.c1d\""), std::string::npos)
        << "the message names the file written";
    EXPECT_EQ(ReadBack("_Norr.c1d").header.name, "../Norr");
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "Norr.c1d"));
}

TEST_F(PackageExport, AFailedWriteIsReportedAndLeavesTheOldFile) {
    dir.Write("Väst.c1d", {1, 2, 3});
    FailWritesTo("Väst.c1d");
    EXPECT_FALSE(ExportPackage(*doc, host, 2));
    EXPECT_THAT(TakeMessages(), ElementsAre(strings.Format(1231, Path("Väst.c1d"))));
    EXPECT_EQ(dir.Read("Väst.c1d"), (test::Bytes{1, 2, 3}));
    io::SetFaultHook(nullptr);
    // No congregation, no file and no success.
    EXPECT_FALSE(ExportPackage(*doc, host, 99));
    EXPECT_EQ(TakeMessages().size(), 1u);
    ExportFailure failure;
    EXPECT_FALSE(WritePackage(*doc, 99, std::nullopt, &failure));
    EXPECT_TRUE(failure.noCongregation);
}

} // namespace
} // namespace mivra
