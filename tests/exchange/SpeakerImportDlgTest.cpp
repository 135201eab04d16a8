#include "exchange/CSpeakerImportDlg.h"
#include "exchange/PackageFixture.h"
#include "ui/headless/HeadlessDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using exchange::CSpeakerImportDlg;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ui::headless::HeadlessDialog;

class SpeakerImportDlg : public test::PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        WriteFolder();
        LoadQuietly();
        dir.WriteText("talare.csv", "Förnamn;Efternamn;Församling;Telefon;Skostorlek;Tal\n"
                                    "Erik;Ek;Väst;031-99;;\n"
                                    "Fred;Fur;Väst;;;\n"
                                    "Ny;Nysson;Öst;;;\"1,\n2\"\n"
                                    "\"Berg\nlund\";Bo;Väst;;;x\n"
                                    "Ζeta;Zed;Väst;;;\n"
                                    "Tal;Okänt;Väst;;;999\n"
                                    ";Ingen;\n");
    }

    exchange::SpeakerCsv Csv() { return exchange::ReadSpeakerCsv(dir / "talare.csv"); }
};

TEST_F(SpeakerImportDlg, ThePreviewShowsEachLineAndCancelWritesNothing) {
    const std::vector<unsigned char> before = dir.Read("speakers.dat");
    CSpeakerImportDlg dialog(*doc, dir / "talare.csv", Csv());
    HeadlessDialog d(host, dialog);
    EXPECT_THAT(d.Rows(CSpeakerImportDlg::kList),
                ElementsAre("2\tErik Ek\tVäst\tuppdateras: telefon",
                            "3\tFred Fur\tVäst\toförändrad", "4\tNy Nysson\tÖst\tny",
                            "6\tBerg lund Bo\tVäst\tavvisad: okänt tal: x", "8\tΖeta Zed\tVäst\tny",
                            "9\tTal Okänt\tVäst\tavvisad: okänt tal: 999",
                            "10\tIngen\t\tavvisad: ingen församling"));
    EXPECT_EQ(d.Text(CSpeakerImportDlg::kCounts), "2 nya, 1 uppdateras, 1 oförändrade, 3 avvisade");
    EXPECT_EQ(d.Text(CSpeakerImportDlg::kNewCongregations), "Nya församlingar läggs till: Öst");
    EXPECT_EQ(d.Text(CSpeakerImportDlg::kUnknownColumns), "Okända kolumner läses inte: Skostorlek");
    EXPECT_EQ(d.Text(CSpeakerImportDlg::kWarnings),
              "Tecken som inte kan lagras blir ?: rad 8 (Förnamn)");

    d.Press(CSpeakerImportDlg::kCopy);
    EXPECT_EQ(host.ClipboardText(), "Avvisade rader i " + Path("talare.csv") +
                                        ":\nrad 6\tBerg lund Bo\tVäst\tokänt tal: x\n"
                                        "rad 9\tTal Okänt\tVäst\tokänt tal: 999\n"
                                        "rad 10\tIngen\t\tingen församling\n");
    d.Cancel();
    EXPECT_FALSE(dialog.Outcome());
    EXPECT_EQ(dir.Read("speakers.dat"), before);
    EXPECT_EQ(exchange::FindCongregationByName(*doc, "Öst"), 0);
}

TEST_F(SpeakerImportDlg, TheCommandImportsTheAcceptedLines) {
    host.ChooseFile({Path("talare.csv")});
    host.OnDialog(CSpeakerImportDlg::kTemplate, [](HeadlessDialog& d) {
        EXPECT_TRUE(d.IsEnabled(ui::kIdOk));
        d.Ok();
    });
    EXPECT_TRUE(exchange::ImportSpeakers(*doc, host));
    EXPECT_NE(exchange::FindCongregationByName(*doc, "Öst"), 0);
    const int ek = doc->Brothers().FindBrotherByKey(5);
    BrotherRecord record;
    ASSERT_NE(doc->Brothers().ReadBrother(ek, record), 0);
    EXPECT_EQ(record.phone, "031-99");

    // The same file again has nothing left to import: OK is off.
    host.ChooseFile({Path("talare.csv")});
    host.OnDialog(CSpeakerImportDlg::kTemplate, [](HeadlessDialog& d) {
        EXPECT_THAT(d.Text(CSpeakerImportDlg::kCounts), HasSubstr("0 nya, 0 uppdateras"));
        EXPECT_FALSE(d.IsEnabled(ui::kIdOk));
        EXPECT_FALSE(d.IsShown(CSpeakerImportDlg::kNewCongregations));
        d.Cancel();
    });
    EXPECT_FALSE(exchange::ImportSpeakers(*doc, host));
}

TEST_F(SpeakerImportDlg, AFileItCannotReadOrAFailedWriteIsTold) {
    dir.WriteText("tom.csv", "Förnamn;Efternamn\n");
    EXPECT_FALSE(CSpeakerImportDlg::Run(*doc, host, dir / "tom.csv"));
    EXPECT_THAT(
        TakeMessages(),
        ElementsAre("Filen saknar kolumnen Efternamn eller Församling:\n\n" + Path("tom.csv")));
    EXPECT_TRUE(host.DialogsRun().empty());

    FailWritesTo("speakers.dat");
    host.OnDialog(CSpeakerImportDlg::kTemplate, [](HeadlessDialog& d) { d.Ok(); });
    CSpeakerImportDlg::Run(*doc, host, dir / "talare.csv");
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_THAT(messages.back(), HasSubstr("Importen avbröts efter ett skrivfel"));
}

} // namespace
} // namespace mivra
