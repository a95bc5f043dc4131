#include <gtest/gtest.h>

#include "core/printstyle/image_file.h"
#include "core/printstyle/image_headers.h"
#include "draw_fixture.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using testing::DrawItems;
using testing::FakeImageLoader;
using testing::kPrinterDpi;
using testing::TenPixelsPerMm;
using Calls = std::vector<std::string>;

std::string LastCall(const std::string& item, const DrawContext& context,
                     int printerDpi = RecordingCanvas::kPreview) {
    FakeImageLoader images;
    images.pictures["logo.bmp"] = {40, 30};
    const Calls calls = DrawItems({item}, context, printerDpi, &images).calls;
    return calls.empty() ? std::string() : calls.back();
}

TEST(ImageItemTest, NaturalSizeFollowsTheZoomOnThePreviewAndTheDpiRatioOnPaper) {
    EXPECT_EQ(LastCall("0;0;0;0;image;1;2;0;0;0;0;0;logo.bmp", TenPixelsPerMm()),
              "bitmap \"logo.bmp\" 40x30 -> 10,20 50,50");
    DrawContext half = TenPixelsPerMm();
    half.zoom = 50;
    EXPECT_EQ(LastCall("0;0;0;0;image;1;2;0;0;0;0;0;logo.bmp", half),
              "bitmap \"logo.bmp\" 40x30 -> 10,20 30,35");
    // 600 / 96 = 6.25: 40 -> 250, 30 -> 187.5 -> 188.
    PrinterMetrics metrics;
    metrics.dpiX = metrics.dpiY = Amount::FromYen(600);
    EXPECT_EQ(LastCall("0;0;0;0;image;1;2;0;0;0;0;0;logo.bmp", PrinterDrawContext(metrics, 100),
                       kPrinterDpi),
              "bitmap \"logo.bmp\" 40x30 -> 24,47 274,235");
    // The fit flag with no box keeps the natural size.
    EXPECT_EQ(LastCall("0;0;0;0;image;1;2;0;0;1;0;0;logo.bmp", TenPixelsPerMm()),
              "bitmap \"logo.bmp\" 40x30 -> 10,20 50,50");
}

TEST(ImageItemTest, FittedToTheBoxOrToOneSideKeepingTheAspectRatio) {
    EXPECT_EQ(LastCall("0;0;0;0;image;1;2;20;10;1;0;0;logo.bmp", TenPixelsPerMm()),
              "bitmap \"logo.bmp\" 40x30 -> 10,20 210,120");
    // Height 15 only: nearest(40 * 15 / 30 + 0.5) = nearest(20.5) = 20 mm.
    EXPECT_EQ(LastCall("0;0;0;0;image;1;2;0;15;1;0;0;logo.bmp", TenPixelsPerMm()),
              "bitmap \"logo.bmp\" 40x30 -> 10,20 210,170");
    // Width 9 only: nearest(30 * 9 / 40 + 0.5) = nearest(7.25) = 7 mm.
    EXPECT_EQ(LastCall("0;0;0;0;image;1;2;9;0;1;0;0;logo.bmp", TenPixelsPerMm()),
              "bitmap \"logo.bmp\" 40x30 -> 10,20 100,90");
}

TEST(ImageItemTest, MissingPicturesDrawNothingButFlag1StillFramesTheBox) {
    const Calls none;
    FakeImageLoader images;
    images.pictures["logo.bmp"] = {40, 30};
    EXPECT_EQ(DrawItems({"0;0;0;0;image;1;2;3;4;0;0;0;missing.bmp", "0;0;0;0;image;1;2;3;4;0;0;0;",
                         "0;0;0;0;image;1;2;3;4;0;0;0"},
                        TenPixelsPerMm(), RecordingCanvas::kPreview, &images)
                  .calls,
              none);
    EXPECT_EQ(
        DrawItems({"0;0;0;0;image;1;2;3;4;0;0;1;logo.bmp"}, TenPixelsPerMm(), kPrinterDpi, &images)
            .calls,
        none);
    EXPECT_EQ(DrawItems({"1;0;0;0;image;1;2;3;4;0;0;0;missing.bmp"}, TenPixelsPerMm()).calls,
              (Calls{"pen style=solid color=0x000000 width=1", "line 10,20 -> 40,20",
                     "line 10,60 -> 40,60", "line 10,20 -> 10,60", "line 40,20 -> 40,60"}));
}

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

std::string Jpeg(int width, int height) {
    std::string app0 = "\xFF\xE0";
    app0 += std::string("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 16);
    std::string frame = std::string("\xFF\xC0\x00\x11\x08", 5);
    frame += static_cast<char>(height >> 8);
    frame += static_cast<char>(height & 0xFF);
    frame += static_cast<char>(width >> 8);
    frame += static_cast<char>(width & 0xFF);
    frame += std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    return "\xFF\xD8" + app0 + frame + "\xFF\xD9";
}

std::string Bmp(std::int32_t width, std::int32_t height) {
    std::string bytes = "BM" + std::string(12, '\0');
    auto put32 = [&bytes](std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    };
    put32(40);
    put32(width);
    put32(height);
    bytes += std::string(28, '\0');
    return bytes;
}

TEST(ImageFileTest, JpegStartIsSearchedInTheFirst257Offsets) {
    EXPECT_EQ(FindJpegStartInBytes(Jpeg(1, 1)), 0);
    EXPECT_EQ(FindJpegStartInBytes(Repeat('x', 256) + Jpeg(1, 1)), 256);
    EXPECT_EQ(FindJpegStartInBytes(Repeat('x', 257) + Jpeg(1, 1)), -1);
    EXPECT_EQ(FindJpegStartInBytes("\xFF"), -1);

    testing::TempFolder folder;
    testing::WriteBytes(folder.File("a.jpg"), Repeat('\0', 100) + Jpeg(1, 1));
    EXPECT_EQ(FindJpegStart(folder.File("a.jpg")), 100);
    EXPECT_EQ(FindJpegStart(folder.File("none.jpg")), -1);
    EXPECT_EQ(FindJpegStart(folder.Path()), -1);

    EXPECT_EQ(ImageKindOf("c:\\img\\logo.JPEG"), ImageKind::kJpeg);
    EXPECT_EQ(ImageKindOf("logo.jpg"), ImageKind::kJpeg);
    EXPECT_EQ(ImageKindOf("logo.Jpg"), ImageKind::kOther);
    EXPECT_EQ(ImageKindOf("logo.BmP"), ImageKind::kBitmap);
    EXPECT_EQ(ImageKindOf("logo.png"), ImageKind::kOther);
    EXPECT_EQ(ImageKindOf("dir.bmp/logo"), ImageKind::kOther);
}

TEST(ImageFileTest, HeaderSizesOfBitmapsAndJpegs) {
    EXPECT_EQ(BmpSize(Bmp(40, 30)), (Size{40, 30}));
    EXPECT_EQ(BmpSize(Bmp(40, -30)), (Size{40, 30}));  // top-down
    EXPECT_EQ(BmpSize(Bmp(0, 30)), std::nullopt);
    std::string core = "BM" + std::string(12, '\0') + std::string("\x0C\0\0\0\x28\0\x1E\0", 8) +
                       std::string(4, '\0');
    EXPECT_EQ(BmpSize(core), (Size{40, 30}));
    EXPECT_EQ(BmpSize("BM"), std::nullopt);
    EXPECT_EQ(BmpSize(Jpeg(2, 2)), std::nullopt);

    EXPECT_EQ(JpegSize(Jpeg(640, 480)), (Size{640, 480}));
    EXPECT_EQ(JpegSize(Jpeg(640, 480).substr(0, 28)), std::nullopt);
    EXPECT_EQ(JpegSize("\xFF\xD8\xFF\xDA"), std::nullopt);
    EXPECT_EQ(JpegSize(Bmp(1, 1)), std::nullopt);
}

TEST(ImageFileTest, HeaderImageLoaderLoadsBitmapsAndJpegsFromTheirStart) {
    testing::TempFolder folder;
    testing::WriteBytes(folder.File("a.bmp"), Bmp(40, 30));
    testing::WriteBytes(folder.File("b.jpg"), Repeat('z', 10) + Jpeg(64, 48));
    testing::WriteBytes(folder.File("c.JPG"), Repeat('z', 300) + Jpeg(64, 48));
    testing::WriteBytes(folder.File("d.Jpg"), Jpeg(64, 48));
    testing::WriteBytes(folder.File("e.png"), Bmp(40, 30));
    HeaderImageLoader loader;
    auto bmp = loader.Load(folder.File("a.bmp"));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->Width(), 40);
    EXPECT_EQ(bmp->Height(), 30);
    EXPECT_EQ(bmp->Source(), folder.File("a.bmp"));
    auto jpeg = loader.Load(folder.File("b.jpg"));
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->Width(), 64);
    EXPECT_EQ(jpeg->Height(), 48);
    EXPECT_FALSE(loader.Load(folder.File("c.JPG")));  // no start within 257 bytes
    EXPECT_FALSE(loader.Load(folder.File("d.Jpg")));  // not a JPEG extension: not a bitmap
    EXPECT_FALSE(loader.Load(folder.File("e.png")));
    EXPECT_FALSE(loader.Load(folder.File("none.bmp")));
}

}  // namespace
}  // namespace velmora
