#include "controls/JpegCodec.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <jpeglib.h>
// jpeglib.h must come first.
#include <jerror.h>

#include "PictureTestSupport.h"

namespace {

struct ReferenceCase {
  const char* file;
  JpegColorOutput output;
  const char* djpegArguments;
  int bitsPerPixel;
};

// Our settings are the library's defaults plus block smoothing, which djpeg also leaves on.
TEST(DecodeJpeg, MatchesTheReferenceDecoderPixelForPixel) {
  const ReferenceCase cases[] = {
      {"color420.jpg", JpegColorOutput::TrueColor, "", 24},
      {"color444.jpg", JpegColorOutput::TrueColor, "", 24},
      {"progressive.jpg", JpegColorOutput::TrueColor, "", 24},
      {"color420.jpg", JpegColorOutput::Palette, "-colors 236", 8},
      {"progressive.jpg", JpegColorOutput::Palette, "-colors 236", 8},
      // Grayscale is quantised whatever the display.
      {"gray.jpg", JpegColorOutput::TrueColor, "-colors 236", 8},
      {"gray.jpg", JpegColorOutput::Palette, "-colors 236", 8},
  };
  for (const ReferenceCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " " << c.djpegArguments);
    const std::string path = PictureDataPath(c.file);
    const std::vector<std::uint8_t> data = ReadFileBytes(path);
    const JpegDecodeResult result = DecodeJpeg(data.data(), data.size(), c.output);
    EXPECT_EQ(result.errorCode, 0);
    EXPECT_EQ(result.image.bitsPerPixel, c.bitsPerPixel);
    if (c.bitsPerPixel == 8) {
      EXPECT_GT(result.image.colorTable.size(), 1u);
      EXPECT_LE(result.image.colorTable.size(), 236u);
    }
    EXPECT_EQ(result.image.pixels, ReferenceDecode(path, c.djpegArguments));

    const JpegSize size = ReadJpegHeader(data.data(), data.size());
    EXPECT_EQ(size.width, 61);
    EXPECT_EQ(size.height, 37);
  }
}

TEST(DecodeJpeg, ErrorAfterTheLastRowKeepsTheWholePicture) {
  const std::vector<std::uint8_t> data =
      ReadFileBytes(PictureDataPath("malformed/jpeg-scan-after-image.jpg"));
  const JpegDecodeResult result = DecodeJpeg(data.data(), data.size(), JpegColorOutput::TrueColor);
  EXPECT_EQ(result.errorCode, JERR_EOI_EXPECTED);
  EXPECT_EQ(result.image.pixels, ReferenceDecode(PictureDataPath("color420.jpg"), ""));
}

TEST(DecodeJpeg, PixelLimitFailsBeforeAnyOutput) {
  const std::vector<std::uint8_t> data = ReadFileBytes(PictureDataPath("color420.jpg"));
  const JpegDecodeResult result =
      DecodeJpeg(data.data(), data.size(), JpegColorOutput::TrueColor, 61 * 37 - 1);
  EXPECT_EQ(result.errorCode, JERR_IMAGE_TOO_BIG);
  EXPECT_TRUE(result.image.pixels.IsEmpty());
  EXPECT_EQ(DecodeJpeg(data.data(), data.size(), JpegColorOutput::TrueColor, 61 * 37).errorCode, 0);
}

// The last scan of the progressive sample repeated: the library only warns about each repeat.
std::vector<std::uint8_t> WithRepeatedLastScan(int copies, int* scans) {
  const std::vector<std::uint8_t> file = ReadFileBytes(PictureDataPath("progressive.jpg"));
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDA) starts.push_back(i);
  const std::vector<std::uint8_t> last(file.begin() + std::ptrdiff_t(starts.back()), file.end() - 2);
  std::vector<std::uint8_t> result(file.begin(), file.end() - 2);
  for (int i = 0; i < copies; ++i) result.insert(result.end(), last.begin(), last.end());
  result.push_back(0xFF);
  result.push_back(0xD9);
  *scans = int(starts.size()) + copies;
  return result;
}

TEST(DecodeJpeg, TooManyScansFailBeforeTheyCostMinutes) {
  int scans = 0;
  const std::vector<std::uint8_t> many = WithRepeatedLastScan(kMaxJpegScans, &scans);
  ASSERT_GT(scans, kMaxJpegScans);
  EXPECT_EQ(DecodeJpeg(many.data(), many.size(), JpegColorOutput::TrueColor).errorCode, JERR_IMAGE_TOO_BIG);

  const std::vector<std::uint8_t> enough = WithRepeatedLastScan(kMaxJpegScans - 20, &scans);
  ASSERT_LE(scans, kMaxJpegScans);
  EXPECT_EQ(DecodeJpeg(enough.data(), enough.size(), JpegColorOutput::TrueColor).errorCode, 0);
}

}  // namespace
