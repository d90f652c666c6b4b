// Any bytes as the stored form of an image's picture, then one drawing of what was read.
#include "controls/Picture.h"
#include "controls/RasterCanvas.h"
#include "foundation/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TPicture picture;
  try {
    picture.ReadData({data, size});
    // Large pictures only make runs slow; their decoding is the JPEG target's work.
    if (picture.Graphic() && std::uint64_t(picture.Width()) * std::uint64_t(picture.Height()) <= (1u << 20)) {
      RgbImage pixels(64, 64);
      RasterCanvas canvas(pixels);
      picture.Graphic()->Draw(canvas, {0, 0, 64, 64});
    }
  } catch (const Exception&) {
  }
  return 0;
}
