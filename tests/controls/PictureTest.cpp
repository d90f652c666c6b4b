#include "controls/Picture.h"

#include <gtest/gtest.h>

#include <jpeglib.h>
// jpeglib.h must come first.
#include <jerror.h>

#include "PictureTestSupport.h"
#include "controls/Bitmap.h"
#include "controls/JpegImage.h"
#include "foundation/Errors.h"
#include "support/TempDir.h"

namespace {

std::string Bytes(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> Stored(std::string_view className, const std::string& file,
                                 std::optional<std::uint32_t> count = std::nullopt) {
  return StoredPicture(className, file, count);
}

std::string Jpeg() {
  return Bytes(ReadFileBytes(PictureDataPath("color420.jpg")));
}

std::string SmallBmp(int width = 3, int height = 2) {
  DibImage image;
  image.pixels = RgbImage(width, height, 0x336699);
  return Bytes(WriteBmpFile(image));
}

// A holder that already shows a picture, counting its change reports.
struct Holder {
  Holder() {
    picture.ReadData(Stored("TBitmap", SmallBmp()));
    previous = picture.Graphic();
    picture.OnChange = [this] { ++changes; };
  }
  TPicture picture;
  TGraphic* previous = nullptr;
  int changes = 0;
};

enum class Kind { None, Bitmap, Jpeg };

Kind KindOf(const TGraphic* graphic) {
  if (dynamic_cast<const TBitmap*>(graphic)) return Kind::Bitmap;
  if (dynamic_cast<const TJPEGImage*>(graphic)) return Kind::Jpeg;
  return Kind::None;
}

TEST(PictureLoadFromFile, PicksTheKindByExtension) {
  TempDir dir;
  struct Case {
    std::string file;
    std::string content;
    Kind kind;
    int width;
  } cases[] = {
      {"HEADER.JPG", Jpeg(), Kind::Jpeg, 61},
      {"x.jpeg", Jpeg(), Kind::Jpeg, 61},
      {"folder.v2/Face.Bmp", SmallBmp(), Kind::Bitmap, 3},
      // No bytes at all make an empty picture of the kind.
      {"empty.jpg", "", Kind::Jpeg, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Holder holder;
    holder.picture.LoadFromFile(dir.Write(c.file, c.content).string());
    EXPECT_EQ(KindOf(holder.picture.Graphic()), c.kind);
    EXPECT_EQ(holder.picture.Width(), c.width);
    EXPECT_EQ(holder.changes, 1);
  }

  // Names are Windows path texts: backslashes, and letter case that differs from the disk's.
  dir.Write("Medium/duzoravar/bmp/Button-CD-Betrieb_down.jpg", Jpeg());
  std::string windowsName = (dir / "MEDIUM\\DUZORAVAR\\bmp\\button-cd-betrieb_down.jpg").string();
  TPicture picture;
  picture.LoadFromFile(windowsName);
  EXPECT_EQ(KindOf(picture.Graphic()), Kind::Jpeg);
}

TEST(PictureLoadFromFile, FailuresKeepThePreviousGraphic) {
  TempDir dir;
  dir.Write("pics.d/header", Jpeg());
  dir.Write("x.gif", "GIF89a");
  dir.Write("noext", Jpeg());
  dir.Write("a folder.jpg/inside.txt", "");
  // Messages show the full path the Windows way.
  auto windowsForm = [](std::string path) {
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  };
  const std::string missing = (dir / "missing.jpg").string();
  const std::string folder = (dir / "a folder.jpg").string();
  struct Case {
    std::string file;
    std::string message;
  } cases[] = {
      {(dir / "x.gif").string(), "Unknown picture file extension (.gif)"},
      {(dir / "noext").string(), "Unknown picture file extension (.)"},
      {(dir / "pics.d/header").string(), "Unknown picture file extension (.)"},
      {missing, "Cannot open file \"" + windowsForm(missing) + "\". No such file or directory"},
      {folder, "Cannot open file \"" + windowsForm(folder) + "\". Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Holder holder;
    try {
      holder.picture.LoadFromFile(c.file);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(holder.picture.Graphic(), holder.previous);
    EXPECT_EQ(holder.changes, 0);
  }
}

TEST(ExtractFileExt, StopsAtFoldersAndDrives) {
  const std::pair<const char*, const char*> cases[] = {
      {"HEADER.JPG", "JPG"}, {"a.b.jpeg", "jpeg"}, {"pics.d\\header", ""},
      {"pics.d/header", ""}, {"C:x", ""},          {"D:.\\x", ""},
      {"noext", ""},         {"trailing.", ""},    {"D:\\razevuru\\jpg\\H.jpg", "jpg"},
  };
  for (auto [name, extension] : cases) EXPECT_EQ(ExtractFileExt(name), extension) << name;
}

TEST(PictureReadData, ReadsTheStoredForm) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> data;
    Kind kind;
    bool empty;
  } cases[] = {
      {"jpeg", Stored("TJPEGImage", Jpeg()), Kind::Jpeg, false},
      {"bitmap", Stored("TBitmap", SmallBmp()), Kind::Bitmap, false},
      {"empty bitmap", Stored("TBitmap", ""), Kind::Bitmap, true},
      {"empty jpeg", Stored("TJPEGImage", ""), Kind::Jpeg, true},
      // Bytes after the picture file are not part of it.
      {"trailing bytes", Stored("TBitmap", SmallBmp() + "tail", std::uint32_t(SmallBmp().size())),
       Kind::Bitmap, false},
      // Unknown class names, and names in another letter case, leave the holder empty.
      {"unknown kind", Stored("TGIFImage", "GIF89a"), Kind::None, true},
      {"letter case", Stored("TBITMAP", SmallBmp()), Kind::None, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Holder holder;
    holder.picture.ReadData(c.data);
    EXPECT_EQ(KindOf(holder.picture.Graphic()), c.kind);
    if (c.kind != Kind::None) {
      EXPECT_EQ(holder.picture.Graphic()->Empty(), c.empty);
    }
    EXPECT_EQ(holder.changes, 1);
  }
}

TEST(PictureReadData, FailuresKeepThePreviousGraphic) {
  const std::string jpeg = Jpeg();
  std::string bad = SmallBmp();
  bad[26] = 2;  // two colour planes
  struct Case {
    const char* name;
    std::vector<std::uint8_t> data;
    std::string message;
  } cases[] = {
      {"nothing", {}, "Stream read error"},
      {"name cut", {10, 'T', 'B'}, "Stream read error"},
      {"count cut", {7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 0}, "Stream read error"},
      {"shorter than its count", Stored("TJPEGImage", jpeg.substr(0, 100), std::uint32_t(jpeg.size())),
       "Stream read error"},
      {"huge count", Stored("TBitmap", SmallBmp(), 0xFFFFFFFFu), "Stream read error"},
      {"bad bitmap", Stored("TBitmap", bad), "Bitmap image is not valid"},
      {"bad jpeg", Stored("TJPEGImage", "BM" + jpeg.substr(2)), "JPEG error #" + std::to_string(JERR_NO_SOI)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Holder holder;
    try {
      holder.picture.ReadData(c.data);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(holder.picture.Graphic(), holder.previous);
    EXPECT_EQ(holder.changes, 0);
  }
}

TEST(PictureBitmap, ReplacesOtherKindsByAnEmptyBitmapThatStaysEmpty) {
  Holder holder;
  holder.picture.ReadData(Stored("TJPEGImage", Jpeg()));
  holder.changes = 0;
  TBitmap* bitmap = holder.picture.Bitmap();
  EXPECT_EQ(holder.changes, 1);
  EXPECT_EQ(holder.picture.Graphic(), bitmap);
  EXPECT_TRUE(bitmap->Empty());
  bitmap->Canvas().Rectangle({0, 0, 222, 67});
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(holder.picture.Width(), 0);

  // A bitmap stays; drawing on it changes its pixels and reports it. The rectangle is larger
  // than the bitmap: only its top and left edges (black pen) and its inside (white brush) land.
  holder.picture.ReadData(Stored("TBitmap", SmallBmp(5, 4)));
  holder.changes = 0;
  TBitmap* same = holder.picture.Bitmap();
  EXPECT_EQ(same, holder.picture.Graphic());
  same->Canvas().Rectangle({0, 0, 222, 67});
  EXPECT_GE(holder.changes, 1);
  RgbImage expected(5, 4, 0x000000);
  FillRect(expected, {1, 1, 5, 4}, 0xFFFFFF);
  EXPECT_EQ(same->Pixels(), expected);

  TPicture none;
  EXPECT_TRUE(none.Bitmap()->Empty());
}

}  // namespace
