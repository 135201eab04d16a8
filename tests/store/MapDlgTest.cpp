#include "store/CMapDlg.h"
#include "support/DocFixture.h"
#include "support/JpegBytes.h"
#include "ui/headless/HeadlessDialog.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::JpegHeader;
using ui::headless::HeadlessDialog;

constexpr int kPicture = CMapDlg::kPicture;
constexpr int kChoose = CMapDlg::kChoose;
constexpr int kRules = CMapDlg::kRules;
constexpr char kNoMemory[] = "Can not allocate enough memory\t";
constexpr char kNoPicture[] = "IPicture interface is not supported\t";

class MapDlg : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        LoadQuietly();
    }
    /** The file error's text for a path. */
    std::string Missing(const std::filesystem::path& path) const {
        return "Filen " + path.string() + " hittades inte.";
    }
    std::string Rules() const { return strings.Format(1158, dir.path().string()); }
    void Write(const std::string& name, std::vector<uint8_t> bytes = JpegHeader(400, 300)) {
        dir.Write(name, bytes);
    }
};

TEST_F(MapDlg, ALoadedMapIsStretchedIntoTheAreaAtEachPaint) {
    Write("karta.jpg");
    CMapDlg dialog(*doc, " karta.jpg ");
    HeadlessDialog d(host, dialog);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_FALSE(d.IsShown(kRules));
    for (ui::Size size : {ui::Size{300, 200}, ui::Size{640, 90}}) {
        auto drawn = d.Paint(kPicture, size).CallsOf("picture");
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].box, (ui::Rect{0, 0, size.width, size.height}));
    }
    d.Ok();
    EXPECT_EQ(dialog.MapFile(), "karta.jpg");
}

TEST_F(MapDlg, NoNameOrAMissingFileShowsTheRulesAndOkClearsTheName) {
    {
        CMapDlg dialog(*doc, "");
        HeadlessDialog d(host, dialog);
        EXPECT_TRUE(d.IsShown(kRules));
        EXPECT_TRUE(d.Paint(kPicture, {300, 200}).CallsOf("picture").empty());
        d.Press(kRules);
        d.Cancel();
    }
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{Rules()});
    CMapDlg dialog(*doc, "borta.jpg");
    HeadlessDialog d(host, dialog);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].caption, "CPicture Error");
    EXPECT_EQ(host.Messages()[0].text, Missing(dir / "borta.jpg"));
    EXPECT_TRUE(d.IsShown(kRules));
    d.Ok();
    EXPECT_EQ(dialog.MapFile(), "");
}

TEST_F(MapDlg, AStoredNameReachesNothingOutsideTheDataFolder) {
    std::filesystem::create_directory(dir / "sub");
    Write("sub/karta.jpg");
    test::TempDir outside;
    outside.Write("x.jpg", JpegHeader(10, 10));
    const std::string up = "../" + outside.path().filename().string() + "/x.jpg";
    for (const std::string& name : {up, std::string("sub/karta.jpg"), std::string("..")}) {
        CMapDlg dialog(*doc, name);
        HeadlessDialog d(host, dialog);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{Missing(name)}) << name;
        EXPECT_TRUE(d.IsShown(kRules));
        d.Ok();
        EXPECT_EQ(dialog.MapFile(), "") << name;
    }
}

TEST_F(MapDlg, APickedFileIsLookedUpByNameInTheDataFolder) {
    test::TempDir other;
    other.Write("Karta.JPEG", JpegHeader(10, 10));
    other.Write("BRO.JPG", JpegHeader(10, 10));
    Write("BRO.JPG", JpegHeader(50, 40));
    CMapDlg dialog(*doc, "");
    HeadlessDialog d(host, dialog);
    host.ChooseFile({(other / "Karta.JPEG").string()});
    d.Press(kChoose);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{Missing(dir / "Karta.JPEG")});
    EXPECT_TRUE(d.IsShown(kRules));
    ASSERT_EQ(host.FileRequests().size(), 1u);
    const ui::FileRequest& request = host.FileRequests()[0];
    EXPECT_EQ(request.title, "Välj en kartfil (JPG)");
    EXPECT_EQ(request.filterName, "Församlingens kartfiler (.JPG)");
    EXPECT_EQ(request.folder, dir.path().string());
    EXPECT_TRUE(request.mustExist);

    host.ChooseFile({(other / "BRO.JPG").string()});
    d.Press(kChoose);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_FALSE(d.IsShown(kRules));
    EXPECT_EQ(d.Redraws(kPicture), 2) << "each pick repaints, the failed one too";
    d.Ok();
    EXPECT_EQ(dialog.MapFile(), "BRO.JPG");
}

TEST_F(MapDlg, ANameTheRecordCannotHoldExactlyIsRefusedNotCut) {
    const std::string longest = std::string(23, 'k') + ".jpg"; // 27 characters
    const std::string tooLong = "k" + longest;
    const std::string foreign = "kartaŁódź.jpg";
    for (const std::string& name : {longest, tooLong, foreign})
        Write(name);
    EXPECT_TRUE(CMapDlg::IsStorableName(longest, doc->CodePage()));
    EXPECT_TRUE(CMapDlg::IsStorableName("åäö€.jpg", doc->CodePage()));

    CMapDlg dialog(*doc, "");
    HeadlessDialog d(host, dialog);
    host.ChooseFile({longest});
    d.Press(kChoose);
    for (const std::string& name : {tooLong, foreign}) {
        host.ChooseFile({name});
        d.Press(kChoose);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{Rules()}) << name;
        EXPECT_FALSE(d.IsShown(kRules)) << "the map loaded before stays";
    }
    d.Ok();
    EXPECT_EQ(dialog.MapFile(), longest);
}

TEST_F(MapDlg, AFailedLoadIsShownOnceAndNeverWhilePainting) {
    Write("skräp.jpg", {'G', 'I', 'F', '8', '9', 'a'});
    Write("stor.jpg");
    std::filesystem::resize_file(dir / "stor.jpg", 20 * 1024 * 1024 + 1);
    Write("karta.jpg");
    CMapDlg dialog(*doc, "karta.jpg");
    HeadlessDialog d(host, dialog);
    for (const char* name : {"skräp.jpg", "stor.jpg"}) {
        host.ChooseFile({name});
        d.Press(kChoose);
        EXPECT_TRUE(d.IsShown(kRules)) << "the old map is dropped";
        EXPECT_TRUE(d.Paint(kPicture, {300, 200}).CallsOf("picture").empty());
    }
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{kNoPicture, kNoMemory}));
    host.ChooseFile({});
    d.Press(kChoose);
    EXPECT_TRUE(host.Messages().empty()) << "cancelled: nothing to tell";
    d.Ok();
    EXPECT_EQ(dialog.MapFile(), "");
    EXPECT_FALSE(CMapDlg::Choose(
        host.OnDialog(CMapDlg::kTemplate, [](HeadlessDialog& map) { map.Cancel(); }), *doc,
        "karta.jpg"));
}

} // namespace
} // namespace mivra
