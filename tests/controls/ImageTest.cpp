#include "controls/Image.h"

#include <gtest/gtest.h>

#include <jpeglib.h>
// jpeglib.h must come first.
#include <jerror.h>

#include <set>

#include "PictureTestSupport.h"
#include "controls/Bitmap.h"
#include "controls/JpegImage.h"
#include "controls/RasterCanvas.h"
#include "foundation/Description.h"
#include "foundation/Errors.h"
#include "toolkit/Forms.h"

namespace {

constexpr RgbPixel kBeneath = 0x123456;

std::vector<std::uint8_t> Stored(std::string_view className, const std::vector<std::uint8_t>& file) {
  return StoredPicture(className, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
}

// A 2 × 2 bitmap whose bottom-left pixel is green.
std::vector<std::uint8_t> TwoColourBmp() {
  DibImage image;
  image.pixels = RgbImage(2, 2, 0x00FF00);
  image.pixels.Set(1, 0, 0x0000FF);
  return WriteBmpFile(image);
}

RgbImage PaintOnto(TImage& image, int width, int height) {
  RgbImage pixels(width, height, kBeneath);
  RasterCanvas canvas(pixels);
  image.Paint(canvas);
  return pixels;
}

TEST(Image, TransparentBitmapLeavesOutItsBottomLeftColour) {
  TImage image(nullptr);
  image.SetBounds(0, 0, 4, 4);
  image.SetStretch(true);
  image.Picture()->ReadData(Stored("TBitmap", TwoColourBmp()));

  RgbImage expected(4, 4, 0x00FF00);
  FillRect(expected, {2, 0, 4, 2}, 0x0000FF);
  EXPECT_EQ(PaintOnto(image, 4, 4), expected);
  EXPECT_TRUE(image.Opaque());

  image.SetTransparent(true);
  EXPECT_TRUE(image.Picture()->Graphic()->Transparent());
  expected = RgbImage(4, 4, kBeneath);
  FillRect(expected, {2, 0, 4, 2}, 0x0000FF);
  EXPECT_EQ(PaintOnto(image, 4, 4), expected);
  EXPECT_FALSE(image.Opaque());

  // A new picture takes the control's flag over.
  image.Picture()->ReadData(Stored("TBitmap", TwoColourBmp()));
  EXPECT_TRUE(image.Picture()->Graphic()->Transparent());
}

TEST(Image, JpegIsOpaqueEvenWhenTransparent) {
  TImage image(nullptr);
  image.SetBounds(0, 0, 61, 37);
  image.SetTransparent(true);
  image.Picture()->ReadData(Stored("TJPEGImage", ReadFileBytes(PictureDataPath("color420.jpg"))));
  EXPECT_TRUE(image.Picture()->Graphic()->Transparent());
  EXPECT_EQ(PaintOnto(image, 61, 37), ReferenceDecode(PictureDataPath("color420.jpg"), ""));
}

TEST(Image, ButtonBitmapStretchedShowsOnlyItsOwnColours) {
  const std::vector<std::uint8_t> file = ReadFileBytes(ArtworkPath("window/button_normal.bmp"));
  // A colour button's stored bitmap: the count and the file, without a class name.
  TBitmap bitmap;
  bitmap.ReadData(StoredBitmap(std::string_view(reinterpret_cast<const char*>(file.data()), file.size())));
  ASSERT_EQ(bitmap.Width(), 224);
  const std::span<const RgbPixel> sourcePixels = bitmap.Pixels().Pixels();
  const std::set<RgbPixel> source(sourcePixels.begin(), sourcePixels.end());

  RgbImage button(201, 49, kBeneath);
  RasterCanvas canvas(button);
  bitmap.Draw(canvas, {0, 0, 201, 49});
  for (RgbPixel pixel : button.Pixels()) ASSERT_TRUE(source.count(pixel)) << std::hex << pixel;
}

TEST(Image, OpaqueOnlyWhenAnOpaquePictureCoversTheControl) {
  TImage image(nullptr);
  image.SetBounds(0, 0, 4, 4);
  EXPECT_FALSE(image.Opaque());  // no picture
  image.Picture()->ReadData(Stored("TBitmap", TwoColourBmp()));
  EXPECT_FALSE(image.Opaque());  // 2 × 2 at the top left of 4 × 4
  EXPECT_EQ(PaintOnto(image, 4, 4).At(3, 3), kBeneath);
  image.SetStretch(true);
  EXPECT_TRUE(image.Opaque());
  image.Picture()->Bitmap();
  image.Picture()->ReadData(Stored("TJPEGImage", {}));
  EXPECT_FALSE(image.Opaque());  // an empty picture draws nothing
}

TEST(JpegImage, DecodesOnceAndKeepsWhatAFailedDecodeLeft) {
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(ReadFileBytes(PictureDataPath("malformed/jpeg-scan-after-image.jpg")));
  EXPECT_EQ(jpeg.Width(), 61);
  EXPECT_EQ(jpeg.DecodedBitmap(), nullptr);

  RgbImage first(61, 37, kBeneath);
  RasterCanvas canvas(first);
  try {
    jpeg.Draw(canvas, {0, 0, 61, 37});
    ADD_FAILURE() << "no error";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Message(), "JPEG error #" + std::to_string(JERR_EOI_EXPECTED));
  }
  const TBitmap* decoded = jpeg.DecodedBitmap();
  ASSERT_NE(decoded, nullptr);

  RgbImage second(61, 37, kBeneath);
  RasterCanvas again(second);
  jpeg.Draw(again, {0, 0, 61, 37});  // no error, no second decode
  EXPECT_EQ(jpeg.DecodedBitmap(), decoded);
  EXPECT_EQ(second, ReferenceDecode(PictureDataPath("color420.jpg"), ""));
  EXPECT_EQ(first, second);
}

// A screen of 8 bits per pixel: every JPEG decodes into 236 colours.
class EightBitScreen : public ToolkitBackend {
 public:
  EightBitScreen() { previous_ = SetToolkitBackend(this); }
  ~EightBitScreen() override { SetToolkitBackend(previous_); }
  std::unique_ptr<WindowHost> CreateHost(TWinControl&) override { return nullptr; }
  ScreenInfo Screen() const override { return {1024, 768, 8}; }
  int Run() override { return 0; }
  void Terminate() override {}

 private:
  ToolkitBackend* previous_ = nullptr;
};

TEST(JpegImage, DecodesToAPaletteOnEightBitScreens) {
  EightBitScreen screen;
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(ReadFileBytes(PictureDataPath("color444.jpg")));
  RgbImage pixels(61, 37);
  RasterCanvas canvas(pixels);
  jpeg.Draw(canvas, {0, 0, 61, 37});
  EXPECT_EQ(jpeg.DecodedBitmap()->BitsPerPixel(), 8);
  EXPECT_EQ(pixels, ReferenceDecode(PictureDataPath("color444.jpg"), "-colors 236"));
}

TEST(Image, DescriptionCreatesImagesWithTheirStoredPictures) {
  RegisterControlClasses();
  std::string hex;
  for (std::uint8_t byte : Stored("TBitmap", TwoColourBmp())) {
    static const char digits[] = "0123456789ABCDEF";
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  const std::string text =
      "object Form1: TForm\n"
      "  object Image4: TImage\n"
      "    Width = 4\n"
      "    Height = 4\n"
      "    Picture.Data = {" +
      hex +
      "}\n"
      "    Stretch = True\n"
      "    Transparent = True\n"
      "  end\n"
      "end\n";
  TForm form(nullptr);
  LoadDescription(form, text, "test.desc");
  auto* image = dynamic_cast<TImage*>(LookupComponent(&form, "Image4"));
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->Stretch());
  ASSERT_NE(dynamic_cast<TBitmap*>(image->Picture()->Graphic()), nullptr);
  EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
  EXPECT_EQ(image->Picture()->Width(), 2);
}

}  // namespace
