// The committed artwork has the kinds and sizes the start window and its medium are laid out for.
#include <gtest/gtest.h>

#include "PictureTestSupport.h"
#include "controls/BmpFile.h"
#include "controls/JpegCodec.h"

namespace {

struct ArtworkCase {
  const char* file;
  int width;
  int height;
  int bitsPerPixel;  // 0: JPEG
};

TEST(Artwork, EveryPictureHasItsKindAndSize) {
  const ArtworkCase cases[] = {
      {"window/face_install.jpg", 222, 65, 0},
      {"window/face_cdrun.jpg", 222, 65, 0},
      {"window/face_manual.jpg", 222, 65, 0},
      {"window/flag_language0.jpg", 136, 85, 0},
      {"window/flag_language1.jpg", 142, 91, 0},
      {"window/flag_language2.bmp", 70, 35, 8},
      {"window/header.jpg", 780, 112, 0},
      {"window/button_normal.bmp", 224, 55, 24},
      {"window/button_highlight.bmp", 224, 55, 24},
      {"medium/duzoravar/bmp/Button-CD-Betrieb_down.jpg", 222, 65, 0},
      {"medium/duzoravar/bmp/Button-CD-Betrieb_up.jpg", 222, 65, 0},
      {"medium/duzoravar/bmp/Button-Installation_down.jpg", 222, 65, 0},
      {"medium/duzoravar/bmp/Button-Installation_up.jpg", 222, 65, 0},
      {"medium/duzoravar/bmp/Button-Benutzerhandbuch_down.jpg", 222, 65, 0},
      {"medium/duzoravar/bmp/Button-Benutzerhandbuch_up.jpg", 222, 65, 0},
      {"medium/razevuru/jpg/Header_Startfenster_de.jpg", 780, 112, 0},
      {"medium/razevuru/jpg/Header_Startfenster_en.jpg", 780, 112, 0},
  };
  for (const ArtworkCase& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = ArtworkPath(c.file);
    const std::vector<std::uint8_t> data = ReadFileBytes(path);
    if (c.bitsPerPixel == 0) {
      const JpegDecodeResult decoded = DecodeJpeg(data.data(), data.size(), JpegColorOutput::TrueColor);
      EXPECT_EQ(decoded.errorCode, 0);
      EXPECT_EQ(decoded.image.pixels.Width(), c.width);
      EXPECT_EQ(decoded.image.pixels.Height(), c.height);
      EXPECT_EQ(decoded.image.pixels, ReferenceDecode(path, ""));
    } else {
      const DibImage bitmap = ReadBmpFile(data.data(), data.size());
      EXPECT_EQ(bitmap.bitsPerPixel, c.bitsPerPixel);
      EXPECT_EQ(bitmap.pixels.Width(), c.width);
      EXPECT_EQ(bitmap.pixels.Height(), c.height);
      if (c.bitsPerPixel == 8) {
        EXPECT_EQ(bitmap.colorTable.size(), 256u);
      }
    }
  }
}

TEST(Artwork, ButtonFacesCarryTheirGreensOnWhite) {
  for (auto [file, face] : {std::pair{"window/button_normal.bmp", 0x639E5Au},
                            std::pair{"window/button_highlight.bmp", 0x83C597u}}) {
    const std::vector<std::uint8_t> data = ReadFileBytes(ArtworkPath(file));
    const DibImage bitmap = ReadBmpFile(data.data(), data.size());
    EXPECT_EQ(bitmap.pixels.At(112, 27), face) << file;
    EXPECT_EQ(bitmap.pixels.At(0, 54), 0xFFFFFFu)
        << file;  // the bottom-left pixel, left out when transparent
  }
}

}  // namespace
