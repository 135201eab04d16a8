#include "ui/Picture.h"

#include "resources/StringTable.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"
#include "ui/headless/HeadlessPictures.h"
#include "ui/headless/RecordingCanvas.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::JpegHeader;
using ui::PictureFault;

TEST(Pictures, TheFrameHeaderGivesTheSize) {
    EXPECT_EQ(ui::JpegFrameSize(JpegHeader(640, 480)), (ui::Size{640, 480}));
    EXPECT_EQ(ui::JpegFrameSize(JpegHeader(3000, 2, 0xC2)), (ui::Size{3000, 2})) << "progressive";
    std::vector<uint8_t> header = JpegHeader(640, 480);
    EXPECT_FALSE(ui::JpegFrameSize(std::span(header).first(header.size() - 12)))
        << "cut inside the frame header";
    EXPECT_FALSE(ui::JpegFrameSize(std::span(header).first(2)));
    EXPECT_FALSE(ui::JpegFrameSize(JpegHeader(0, 480))) << "a height or width of 0 gives no size";
    header[3] = 0xDA; // the image data starts before any frame header
    EXPECT_FALSE(ui::JpegFrameSize(header));
    const std::vector<uint8_t> garbage = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0};
    EXPECT_FALSE(ui::JpegFrameSize(garbage));
    std::vector<uint8_t> overlong = JpegHeader(640, 480);
    overlong[5] = 0xFF; // the first segment claims more bytes than the file has
    EXPECT_FALSE(ui::JpegFrameSize(overlong));
}

class PictureFiles : public ::testing::Test {
protected:
    ui::PictureLoad Load(const std::string& name) const {
        return ui::LoadPicture(dir / name, decoder);
    }
    test::TempDir dir;
    ui::headless::FrameHeaderDecoder decoder;
};

TEST_F(PictureFiles, ALoadIsAPictureOrAFault) {
    dir.Write("karta.jpg", JpegHeader(800, 600));
    ui::PictureLoad good = Load("karta.jpg");
    ASSERT_TRUE(good);
    EXPECT_EQ(good.picture->PixelSize(), (ui::Size{800, 600}));

    EXPECT_EQ(Load("saknas.jpg").fault, PictureFault::Missing);
    EXPECT_EQ(Load("saknas.jpg").path, dir / "saknas.jpg");
    std::filesystem::create_directory(dir / "mapp.jpg");
    EXPECT_EQ(Load("mapp.jpg").fault, PictureFault::Unreadable);
    dir.Write("skräp.jpg", {'n', 'o', 't', ' ', 'j', 'p', 'g'});
    EXPECT_EQ(Load("skräp.jpg").fault, PictureFault::NotAPicture);
    std::vector<uint8_t> cut = JpegHeader(800, 600);
    cut.resize(24);
    dir.Write("kort.jpg", cut);
    EXPECT_EQ(Load("kort.jpg").fault, PictureFault::NotAPicture);
    dir.Write("jatte.jpg", JpegHeader(20000, 20000));
    EXPECT_EQ(Load("jatte.jpg").fault, PictureFault::OutOfMemory) << "1.6 GB decoded";
}

TEST_F(PictureFiles, AFileOverTwentyMegabytesIsNotRead) {
    dir.Write("stor.jpg", JpegHeader(800, 600));
    std::filesystem::resize_file(dir / "stor.jpg", ui::kMaxPictureFileBytes);
    EXPECT_TRUE(Load("stor.jpg")) << "exactly 20 MB is taken";
    std::filesystem::resize_file(dir / "stor.jpg", ui::kMaxPictureFileBytes + 1);
    EXPECT_EQ(Load("stor.jpg").fault, PictureFault::OutOfMemory);
}

TEST(Pictures, MessagesAndNaturalSize) {
    const StringTable strings = StringTable::Swedish();
    ui::PictureLoad load;
    load.fault = PictureFault::Missing;
    load.path = "/data/karta.jpg";
    ui::MessageBox box = ui::PictureMessage(load, strings);
    EXPECT_EQ(box.caption, "CPicture Error");
    EXPECT_EQ(box.icon, ui::Icon::Error);
    EXPECT_EQ(box.text, "Filen /data/karta.jpg hittades inte.");
    load.fault = PictureFault::OutOfMemory;
    EXPECT_EQ(ui::PictureMessage(load, strings).text, "Can not allocate enough memory\t");
    load.fault = PictureFault::NotAPicture;
    EXPECT_EQ(ui::PictureMessage(load, strings).text, "IPicture interface is not supported\t");

    const ui::headless::SizedPicture picture({960, 480});
    EXPECT_EQ(ui::NaturalSize(picture, ui::headless::RecordingCanvas(120, 192)),
              (ui::Size{1200, 960}))
        << "each axis by its own resolution";
    EXPECT_EQ(ui::NaturalSize(picture, ui::headless::RecordingCanvas(600, 600, true)),
              (ui::Size{960, 480}));
}

} // namespace
} // namespace mivra
