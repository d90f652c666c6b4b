#include "controls/BmpFile.h"

#include <cstring>
#include <limits>
#include <unordered_map>

#include "controls/PictureMessages.h"
#include "foundation/Errors.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kMaxColors = 256;

[[noreturn]] void Invalid() {
  throw EInvalidGraphic(picture_messages::kInvalidBitmap);
}
[[noreturn]] void ShortRead() {
  throw EReadError(picture_messages::kStreamRead);
}

std::uint16_t Le16(const std::uint8_t* p) {
  return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(std::uint8_t(value));
  out.push_back(std::uint8_t(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::uint64_t RowBytes(std::uint64_t width, unsigned bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

}  // namespace

DibImage ReadBmpFile(const std::uint8_t* data, std::size_t size) {
  if (size < kFileHeaderSize) ShortRead();
  if (data[0] != 'B' || data[1] != 'M') Invalid();
  const std::uint32_t pixelOffset = Le32(data + 10);

  if (size < kFileHeaderSize + 4) ShortRead();
  const std::uint32_t infoSize = Le32(data + kFileHeaderSize);
  // Smaller headers belong to an older format this program never meets.
  if (infoSize < kInfoHeaderSize) Invalid();
  if (infoSize > size - kFileHeaderSize) ShortRead();
  const std::uint8_t* info = data + kFileHeaderSize;
  const auto width = static_cast<std::int32_t>(Le32(info + 4));
  const auto height = static_cast<std::int32_t>(Le32(info + 8));
  const unsigned planes = Le16(info + 12);
  const unsigned bitsPerPixel = Le16(info + 14);
  const std::uint32_t compression = Le32(info + 16);
  const std::uint32_t colorsUsed = Le32(info + 32);

  if (planes != 1) Invalid();
  if (compression != kUncompressed || (bitsPerPixel != 8 && bitsPerPixel != 24)) Invalid();
  if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min()) Invalid();
  const bool bottomUp = height > 0;
  const std::uint32_t rows = bottomUp ? std::uint32_t(height) : std::uint32_t(-height);

  DibImage image;
  image.bitsPerPixel = int(bitsPerPixel);
  std::uint64_t tableEnd = kFileHeaderSize + std::uint64_t(infoSize);
  if (bitsPerPixel == 8) {
    const std::uint32_t colors = colorsUsed == 0 ? kMaxColors : colorsUsed;
    if (colors > kMaxColors) Invalid();
    const std::uint64_t tableStart = tableEnd;
    tableEnd += std::uint64_t(colors) * 4;
    if (tableEnd > size) ShortRead();
    image.colorTable.reserve(colors);
    for (std::uint32_t i = 0; i < colors; ++i) {
      const std::uint8_t* entry = data + tableStart + i * 4;
      image.colorTable.push_back(MakeRgbPixel(entry[2], entry[1], entry[0]));
    }
  }

  // Pixels follow the colour table unless the file header points elsewhere.
  const std::uint64_t start = pixelOffset == 0 ? tableEnd : pixelOffset;
  if (start < tableEnd) Invalid();
  const std::uint64_t stride = RowBytes(std::uint64_t(width), bitsPerPixel);
  const std::uint64_t lastRow = (std::uint64_t(width) * bitsPerPixel + 7) / 8;
  // The last row may lack its padding; every byte of a pixel must be there.
  if (start > size || size - start < lastRow || (size - start - lastRow) / stride < rows - 1) ShortRead();

  image.pixels = RgbImage(width, int(rows));
  for (std::uint32_t fileRow = 0; fileRow < rows; ++fileRow) {
    const std::uint8_t* from = data + start + fileRow * stride;
    RgbPixel* to = image.pixels.Row(int(bottomUp ? rows - 1 - fileRow : fileRow));
    if (bitsPerPixel == 24) {
      for (std::int32_t x = 0; x < width; ++x, from += 3) to[x] = MakeRgbPixel(from[2], from[1], from[0]);
    } else {
      const std::size_t colors = image.colorTable.size();
      // An index past the end of the table shows black.
      for (std::int32_t x = 0; x < width; ++x) to[x] = from[x] < colors ? image.colorTable[from[x]] : 0;
    }
  }
  return image;
}

std::vector<std::uint8_t> WriteBmpFile(const DibImage& image) {
  const int width = image.pixels.Width();
  const int height = image.pixels.Height();
  const bool indexed = image.bitsPerPixel == 8;
  if (!indexed && image.bitsPerPixel != 24) Invalid();
  if (indexed && (image.colorTable.empty() || image.colorTable.size() > kMaxColors)) Invalid();

  const std::uint32_t tableBytes = indexed ? std::uint32_t(image.colorTable.size() * 4) : 0;
  const std::uint64_t stride = RowBytes(std::uint64_t(width), unsigned(image.bitsPerPixel));
  const std::uint64_t pixelBytes = stride * std::uint64_t(height);
  const std::uint64_t offset = kFileHeaderSize + kInfoHeaderSize + tableBytes;
  if (offset + pixelBytes > std::numeric_limits<std::uint32_t>::max()) Invalid();

  std::vector<std::uint8_t> out;
  out.reserve(std::size_t(offset + pixelBytes));
  out.push_back('B');
  out.push_back('M');
  Put32(out, std::uint32_t(offset + pixelBytes));
  Put32(out, 0);  // two reserved words
  Put32(out, std::uint32_t(offset));
  Put32(out, kInfoHeaderSize);
  Put32(out, std::uint32_t(width));
  Put32(out, std::uint32_t(height));
  Put16(out, 1);  // planes
  Put16(out, unsigned(image.bitsPerPixel));
  Put32(out, kUncompressed);
  Put32(out, std::uint32_t(pixelBytes));
  Put32(out, 3780);  // 96 pixels per inch, in pixels per metre
  Put32(out, 3780);
  Put32(out, indexed ? std::uint32_t(image.colorTable.size()) : 0);
  Put32(out, 0);  // all colours important

  std::unordered_map<RgbPixel, std::uint8_t> indexOf;
  for (std::size_t i = 0; i < image.colorTable.size(); ++i) {
    const RgbPixel c = image.colorTable[i];
    out.push_back(std::uint8_t(c));
    out.push_back(std::uint8_t(c >> 8));
    out.push_back(std::uint8_t(c >> 16));
    out.push_back(0);
    indexOf.emplace(c, std::uint8_t(i));
  }
  auto nearest = [&](RgbPixel c) {
    if (auto found = indexOf.find(c); found != indexOf.end()) return found->second;
    std::uint8_t best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < image.colorTable.size(); ++i) {
      const RgbPixel t = image.colorTable[i];
      long distance = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const long delta = long((c >> shift) & 0xFF) - long((t >> shift) & 0xFF);
        distance += delta * delta;
      }
      if (distance < bestDistance) {
        bestDistance = distance;
        best = std::uint8_t(i);
      }
    }
    indexOf.emplace(c, best);
    return best;
  };

  for (int y = height - 1; y >= 0; --y) {
    const RgbPixel* row = image.pixels.Row(y);
    const std::size_t rowStart = out.size();
    for (int x = 0; x < width; ++x) {
      if (indexed) {
        out.push_back(nearest(row[x]));
      } else {
        out.push_back(std::uint8_t(row[x]));
        out.push_back(std::uint8_t(row[x] >> 8));
        out.push_back(std::uint8_t(row[x] >> 16));
      }
    }
    out.resize(rowStart + std::size_t(stride), 0);
  }
  return out;
}
