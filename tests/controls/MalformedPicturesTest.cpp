#include <gtest/gtest.h>

#include <jpeglib.h>
// jpeglib.h must come first.
#include <jerror.h>

#include "PictureTestSupport.h"
#include "controls/Picture.h"
#include "foundation/Errors.h"

namespace {

std::string JpegError(int code) {
  return "JPEG error #" + std::to_string(code);
}

struct MalformedCase {
  const char* file;
  std::string message;
};

// Each damaged file fails to load with its message; no crash, no huge allocation, and the holder
// keeps the picture it had.
TEST(MalformedPictures, FailWithTheirMessageAndKeepThePreviousPicture) {
  const MalformedCase cases[] = {
      {"bmp-header-cut.bmp", "Stream read error"},
      {"bmp-info-header-cut.bmp", "Stream read error"},
      {"bmp-color-table-cut.bmp", "Stream read error"},
      {"bmp-pixels-cut.bmp", "Stream read error"},
      {"bmp-huge-promise.bmp", "Stream read error"},
      {"bmp-offset-past-end.bmp", "Stream read error"},
      {"bmp-not-bm.bmp", "Bitmap image is not valid"},
      {"bmp-two-planes.bmp", "Bitmap image is not valid"},
      {"bmp-core-header.bmp", "Bitmap image is not valid"},
      {"bmp-rle8.bmp", "Bitmap image is not valid"},
      {"bmp-16-bits.bmp", "Bitmap image is not valid"},
      {"bmp-zero-width.bmp", "Bitmap image is not valid"},
      {"bmp-300-colors.bmp", "Bitmap image is not valid"},
      {"bmp-offset-inside-header.bmp", "Bitmap image is not valid"},
      {"jpeg-no-soi.jpg", JpegError(JERR_NO_SOI)},
      {"jpeg-header-cut.jpg", JpegError(JERR_NO_IMAGE)},
      {"jpeg-zero-width.jpg", JpegError(JERR_EMPTY_IMAGE)},
      {"jpeg-huge-promise.jpg", JpegError(JERR_IMAGE_TOO_BIG)},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.file);
    TPicture picture;
    picture.LoadFromFile(PictureDataPath("color420.jpg"));
    const TGraphic* previous = picture.Graphic();
    try {
      picture.LoadFromFile(PictureDataPath(std::string("malformed/") + c.file));
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(picture.Graphic(), previous);
  }
}

}  // namespace
