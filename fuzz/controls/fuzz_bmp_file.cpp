// Any bytes given as a BMP file either read or fail with the picture error.
#include "controls/BmpFile.h"
#include "foundation/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    ReadBmpFile(data, size);
  } catch (const Exception&) {
  }
  return 0;
}
