#include "toolkit/Raster.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct LinesCase {
  int source;
  int dest;
  StretchAxis axis;
  std::vector<int> expected;
};

TEST(StretchSourceLines, DropsAndRepeatsLinesAlongTheMidpointLine) {
  const auto H = StretchAxis::Horizontal;
  const auto V = StretchAxis::Vertical;
  const LinesCase cases[] = {
      {3, 3, H, {0, 1, 2}},
      {1, 3, V, {0, 0, 0}},
      {2, 4, H, {0, 0, 1, 1}},
      {2, 5, V, {0, 0, 0, 1, 1}},
      // Shrinking keeps the last line of a group across a row and the first one down a column.
      {4, 2, H, {1, 3}},
      {4, 2, V, {0, 2}},
      {5, 3, H, {1, 2, 4}},
      {5, 3, V, {0, 2, 3}},
      // One target line stands for all source lines but the last.
      {2, 1, H, {0}},
      {4, 1, H, {2}},
      {4, 1, V, {0}},
  };
  for (const LinesCase& c : cases) {
    EXPECT_EQ(StretchSourceLines(c.source, c.dest, c.axis), c.expected)
        << c.source << " -> " << c.dest << (c.axis == H ? " across" : " down");
  }
  EXPECT_TRUE(StretchSourceLines(0, 5, H).empty());
  EXPECT_TRUE(StretchSourceLines(5, 0, V).empty());
}

TEST(StretchSourceLines, ButtonPictureKeepsItsOrderAndEnds) {
  for (auto [source, dest] :
       {std::pair{224, 201}, std::pair{55, 49}, std::pair{780, 781}, std::pair{112, 113}}) {
    for (StretchAxis axis : {StretchAxis::Horizontal, StretchAxis::Vertical}) {
      const std::vector<int> lines = StretchSourceLines(source, dest, axis);
      ASSERT_EQ(lines.size(), std::size_t(dest));
      for (std::size_t i = 1; i < lines.size(); ++i) {
        ASSERT_LE(lines[i - 1], lines[i]);
        ASSERT_LE(lines[i] - lines[i - 1], 2) << "more than one line dropped in a row";
      }
      EXPECT_LE(lines.front(), 1);
      EXPECT_GE(lines.back(), source - 2);
      EXPECT_EQ(std::set<int>(lines.begin(), lines.end()).size(), std::size_t(std::min(source, dest)));
    }
  }
}

// Every pixel a distinct colour, so each target pixel tells which source pixel it came from.
RgbImage NumberedImage(int width, int height) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Set(x, y, RgbPixel(y * width + x));
  return image;
}

constexpr RgbPixel kUntouched = 0xABCDEF;

TEST(StretchCopy, ButtonBitmapFillsTheButtonWithSourceColoursOnly) {
  const RgbImage source = NumberedImage(224, 55);
  RgbImage target(201, 49, kUntouched);
  StretchCopy(target, target.Bounds(), target.Bounds(), source);

  const std::vector<int> columns = StretchSourceLines(224, 201, StretchAxis::Horizontal);
  const std::vector<int> rows = StretchSourceLines(55, 49, StretchAxis::Vertical);
  for (int y = 0; y < 49; ++y)
    for (int x = 0; x < 201; ++x) ASSERT_EQ(target.At(x, y), source.At(columns[x], rows[y])) << x << "," << y;
}

TEST(StretchCopy, WritesOnlyInsideClipAndTarget) {
  const RgbImage source = NumberedImage(4, 4);
  RgbImage target(6, 6, kUntouched);
  // Twice the size, hanging over the top left; only the clip's two columns may change.
  StretchCopy(target, {-2, -2, 6, 6}, {1, 0, 3, 6}, source);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      if (x >= 1 && x < 3) {
        EXPECT_EQ(target.At(x, y), source.At((x + 2) / 2, (y + 2) / 2)) << x << "," << y;
      } else {
        EXPECT_EQ(target.At(x, y), kUntouched) << x << "," << y;
      }
    }
  }
}

TEST(StretchCopy, TransparentColourLeavesTargetPixels) {
  RgbImage source(2, 2, 0x00FF00);
  source.Set(1, 0, 0x0000FF);
  RgbImage target(4, 4, kUntouched);
  StretchCopy(target, target.Bounds(), target.Bounds(), source, RgbPixel(0x00FF00));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(target.At(x, y), (x >= 2 && y < 2) ? 0x0000FFu : kUntouched);
}

TEST(StretchCopy, EmptySourceOrDestinationDrawsNothing) {
  RgbImage target(3, 3, kUntouched);
  StretchCopy(target, target.Bounds(), target.Bounds(), RgbImage());
  StretchCopy(target, {2, 2, 2, 5}, target.Bounds(), NumberedImage(2, 2));
  StretchCopy(target, {5, 5, 9, 9}, target.Bounds(), NumberedImage(2, 2));
  EXPECT_EQ(target, RgbImage(3, 3, kUntouched));
}

}  // namespace
