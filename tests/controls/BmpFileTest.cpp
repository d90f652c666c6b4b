#include "controls/BmpFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

std::vector<RgbPixel> GrayTable(int count) {
  std::vector<RgbPixel> table;
  for (int i = 0; i < count; ++i) table.push_back(MakeRgbPixel(i, 255 - i, i / 2));
  return table;
}

DibImage Sample(int width, int height, int bits) {
  DibImage image;
  image.bitsPerPixel = bits;
  if (bits == 8) image.colorTable = GrayTable(256);
  image.pixels = RgbImage(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixels.Set(
          x, y, bits == 8 ? image.colorTable[(x * 7 + y * 13) % 256] : MakeRgbPixel(x * 9, y * 5, x ^ y));
    }
  }
  return image;
}

TEST(BmpFile, WritesAndReadsBackEveryRowPadding) {
  struct Case {
    int width, height, bits;
  } cases[] = {{1, 1, 24}, {2, 3, 24}, {3, 2, 24}, {5, 4, 24}, {224, 55, 24},
               {1, 1, 8},  {2, 2, 8},  {3, 3, 8},  {7, 2, 8},  {70, 35, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.bits);
    const DibImage original = Sample(c.width, c.height, c.bits);
    const std::vector<std::uint8_t> file = WriteBmpFile(original);

    const std::uint32_t table = c.bits == 8 ? 1024 : 0;
    const std::uint32_t stride = (c.width * c.bits + 31) / 32 * 4;
    ASSERT_EQ(file.size(), 54 + table + stride * c.height);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 10), 54 + table);
    EXPECT_EQ(Le32(file, 14), 40u);
    EXPECT_EQ(Le32(file, 46), c.bits == 8 ? 256u : 0u);
    // The first stored row is the bottom one.
    const std::uint8_t* bottomLeft = file.data() + 54 + table;
    const RgbPixel expected = original.pixels.At(0, c.height - 1);
    if (c.bits == 24) {
      EXPECT_EQ(MakeRgbPixel(bottomLeft[2], bottomLeft[1], bottomLeft[0]), expected);
    } else {
      EXPECT_EQ(original.colorTable[bottomLeft[0]], expected);
    }

    const DibImage read = ReadBmpFile(file.data(), file.size());
    EXPECT_EQ(read.bitsPerPixel, c.bits);
    EXPECT_EQ(read.colorTable, original.colorTable);
    EXPECT_EQ(read.pixels, original.pixels);
  }
}

TEST(BmpFile, ReadsTopDownRowsShortTablesAndUnpaddedLastRow) {
  DibImage original = Sample(3, 2, 8);
  original.colorTable = {0x112233, 0x445566};
  original.pixels = RgbImage(3, 2, 0x112233);
  original.pixels.Set(2, 0, 0x445566);
  std::vector<std::uint8_t> file = WriteBmpFile(original);
  ASSERT_EQ(file.size(), 54u + 8 + 2 * 4);

  // Negative height: rows stored top first.
  std::vector<std::uint8_t> topDown = file;
  const std::int32_t minusTwo = -2;
  std::memcpy(topDown.data() + 22, &minusTwo, 4);
  const DibImage flipped = ReadBmpFile(topDown.data(), topDown.size());
  EXPECT_EQ(flipped.pixels.At(2, 1), 0x445566u);
  EXPECT_EQ(flipped.pixels.At(2, 0), 0x112233u);

  // An index past the table shows black; the last row may end without its padding.
  file[54 + 8] = 9;
  file.resize(file.size() - 1);
  const DibImage read = ReadBmpFile(file.data(), file.size());
  EXPECT_EQ(read.pixels.At(0, 1), 0u);
  EXPECT_EQ(read.pixels.At(2, 0), 0x445566u);
}

}  // namespace
