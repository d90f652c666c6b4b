// Any bytes given as JPEG data: the header read on load, then the decode of the first drawing.
// A lower pixel limit than the program's keeps each run short; the code is the same.
#include "controls/JpegCodec.h"
#include "foundation/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::uint64_t kPixelLimit = 1 << 20;
  try {
    ReadJpegHeader(data, size, kPixelLimit);
  } catch (const Exception&) {
    return 0;
  }
  DecodeJpeg(data, size, size % 2 ? JpegColorOutput::Palette : JpegColorOutput::TrueColor, kPixelLimit);
  return 0;
}
