// The file and shell routines, with drive C:, the temporary folder and the desktop's opener all
// pointed into a test folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "controls/Bitmap.h"
#include "controls/BmpFile.h"
#include "controls/Image.h"
#include "controls/JpegImage.h"
#include "foundation/Errors.h"
#include "launcher/FileRoutines.h"
#include "support/TempDir.h"

namespace {

// Windows path text of a Linux path.
std::string Windows(const std::filesystem::path& path) {
  std::string text = path.string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return text;
}

// Puts the variables the routines look at back as they were.
class EnvironmentGuard {
 public:
  EnvironmentGuard() {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~EnvironmentGuard() {
    for (size_t i = 0; i < std::size(kNames); ++i) {
      if (saved_[i]) {
        setenv(kNames[i], saved_[i]->c_str(), 1);
      } else {
        unsetenv(kNames[i]);
      }
    }
  }

 private:
  static constexpr const char* kNames[] = {
      "TEMP",          "temp",           "TMP",          "tmp",         "TMPDIR",
      "KORVA_DRIVE_C", "KORVA_REGISTRY", "KORVA_OPENER", "KORVA_RECORD"};
  std::vector<std::optional<std::string>> saved_;
};

class FileRoutines : public testing::Test {
 protected:
  EnvironmentGuard environment_;  // first, so that it restores last
  void SetUp() override {
    std::filesystem::create_directories(dir_ / "drive_c");
    setenv("KORVA_DRIVE_C", (dir_ / "drive_c").c_str(), 1);
    setenv("KORVA_REGISTRY", (dir_ / "system.reg").c_str(), 1);
    for (const char* name : {"TEMP", "temp", "TMP", "tmp"}) unsetenv(name);
    setenv("TMPDIR", (dir_ / "tmp").c_str(), 1);
    std::filesystem::create_directories(dir_ / "tmp");
  }

  std::string Ini(const std::string& content) {
    dir_.Write("s.ini", content);
    return Windows(dir_ / "s.ini");
  }

  TempDir dir_;
};

struct IntegerCase {
  const char* stored;  // the line below [s]; nullptr: no such key
  std::int32_t expected;
};

const IntegerCase kIntegerCases[] = {
    {nullptr, -7},        {"k=", -7},
    {"k=12a", -7},        {"k=0x1A", 26},
    {"k=0X1a", 26},       {"k=$1A", 26},
    {"k=x1A", 26},        {"k=X1A", 26},
    {"k=-3", -3},         {"k=+3", 3},
    {"k=\"   3\"", 3},    {"k=0x", -7},
    {"k=$", -7},          {"k=-0x1A", -26},
    {"k=0xFFFFFFFF", -1}, {"k=2147483647", 2147483647},
    {"k=2147483648", -7}, {"k=-2147483648", INT32_MIN},
    {"k=1 2", -7},        {"k=\" 3 \"", -7},
    {"k=text", -7},       {"k=1", 1},
};

class ReadIniIntegerTable : public FileRoutines, public testing::WithParamInterface<IntegerCase> {};

TEST_P(ReadIniIntegerTable, ConvertsOrGivesTheDefault) {
  std::string content = "[s]\r\n";
  if (GetParam().stored) content += std::string(GetParam().stored) + "\r\n";
  EXPECT_EQ(ReadIniInteger(Ini(content), "s", "k", -7), GetParam().expected) << content;
}

INSTANTIATE_TEST_SUITE_P(Table, ReadIniIntegerTable, testing::ValuesIn(kIntegerCases));

TEST_F(FileRoutines, ReadIniIntegerOfMissingFileOrSection) {
  EXPECT_EQ(ReadIniInteger(Windows(dir_ / "none.ini"), "s", "k", 5), 5);
  EXPECT_EQ(ReadIniInteger(Ini("[t]\r\nk=1\r\n"), "s", "k", 5), 5);
  EXPECT_EQ(ReadIniInteger(Windows(dir_ / "missing" / "none.ini"), "s", "k", 5), 5);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "none.ini"));
}

TEST_F(FileRoutines, WriteIniIntegerWritesDecimalAndReplaces) {
  std::string file = Windows(dir_ / "kelmor.ini");
  WriteIniInteger(file, "tirbex", "lang", -1);
  EXPECT_EQ(TempDir::Read(dir_ / "kelmor.ini"), "[tirbex]\r\nlang=-1\r\n");
  WriteIniInteger(file, "tirbex", "lang", 2);
  EXPECT_EQ(TempDir::Read(dir_ / "kelmor.ini"), "[tirbex]\r\nlang=2\r\n");
  EXPECT_EQ(ReadIniInteger(file, "tirbex", "lang", 0), 2);
}

TEST_F(FileRoutines, WriteIniIntegerIntoMissingFolderFails) {
  std::string file = Windows(dir_ / "missing" / "kelmor.ini");
  try {
    WriteIniInteger(file, "tirbex", "lang", 1);
    FAIL() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Message(), "Unable to write to " + file);
  }
}

TEST_F(FileRoutines, ProgramDirIsTheExecutablesFolderWithABackslash) {
  char real[PATH_MAX];
  ASSERT_TRUE(realpath("/proc/self/exe", real));
  std::filesystem::path program(real);
  EXPECT_EQ(GetProgramDir(), Windows(program.parent_path()) + "\\");

  setenv("KORVA_DRIVE_C", program.parent_path().c_str(), 1);
  EXPECT_EQ(GetProgramDir(), "C:\\");  // the root of a drive
}

TEST_F(FileRoutines, TempDirGivesTheLongFormOfAnExistingFolder) {
  std::filesystem::create_directories(dir_ / "Temp Folder");
  // Another spelling of the same folder, as a short name would be on Windows.
  setenv("temp", (Windows(dir_.Path()) + "\\\\TEMP FOLDER").c_str(), 1);
  EXPECT_EQ(GetTempDir(), Windows(dir_ / "Temp Folder") + "\\");
  setenv("temp", (Windows(dir_ / "Temp Folder") + "\\").c_str(), 1);
  EXPECT_EQ(GetTempDir(), Windows(dir_ / "Temp Folder") + "\\");
}

TEST_F(FileRoutines, TempDirNeverCutsALongForm) {
  std::filesystem::path deep = dir_.Path();
  while (deep.string().size() < 300) deep /= "a-folder-name-of-some-length";
  std::filesystem::create_directories(deep);
  chdir(deep.parent_path().c_str());
  setenv("temp", deep.filename().c_str(), 1);  // short text, long long form
  EXPECT_EQ(GetTempDir(), Windows(deep) + "\\");
  chdir("/");
}

TEST_F(FileRoutines, TempDirFallsBackToCTemp) {
  struct Case {
    const char* name;
    std::string temp;  // empty: not set, and TMPDIR names no folder
    bool c_temp_exists;
  } cases[] = {
      {"missing folder, c:\\temp created", Windows(dir_ / "none"), false},
      {"missing folder, C:\\Temp exists", Windows(dir_ / "none"), true},
      {"a file, not a folder", Windows(dir_.Write("file", "")), false},
      {"not set", "", false},
      {"128 characters or more", Windows(dir_.Path()) + "\\" + std::string(140, 'x'), false},
  };
  std::filesystem::create_directories(dir_.Path() / std::string(140, 'x'));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir_ / "drive_c");
    std::filesystem::create_directories(dir_ / "drive_c");
    if (c.c_temp_exists) std::filesystem::create_directories(dir_ / "drive_c" / "Temp");
    if (c.temp.empty()) {
      unsetenv("temp");
      setenv("TMPDIR", (dir_ / "no-such-folder").c_str(), 1);
    } else {
      setenv("temp", c.temp.c_str(), 1);
    }
    EXPECT_EQ(GetTempDir(), "c:\\temp\\");  // in small letters whatever the folder's spelling
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "drive_c" / (c.c_temp_exists ? "Temp" : "temp")));
  }
}

TEST_F(FileRoutines, TempDirFailsWhenCTempCannotBeCreated) {
  dir_.Write("blocker", "");
  setenv("KORVA_DRIVE_C", (dir_ / "blocker" / "drive").c_str(), 1);
  setenv("temp", Windows(dir_ / "none").c_str(), 1);
  try {
    GetTempDir();
    FAIL() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Message(), "Cannot create c:\\temp");
  }
}

class Shell : public FileRoutines {
 protected:
  void SetUp() override {
    FileRoutines::SetUp();
    dir_.Write("opener.sh",
               "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done >> \"$KORVA_RECORD\"\n"
               "echo >> \"$KORVA_RECORD\"\n");
    chmod((dir_ / "opener.sh").c_str(), 0755);
    setenv("KORVA_OPENER", (dir_ / "opener.sh").c_str(), 1);
    setenv("KORVA_RECORD", (dir_ / "record").c_str(), 1);
  }

  std::string Recorded(const std::string& file = "record") {
    for (int i = 0; i < 200 && !std::filesystem::exists(dir_ / file); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return TempDir::Read(dir_ / file);
  }
};

TEST_F(Shell, OpenFileIfExistsOpensFilesOnlyAndPassesLongTextsWhole) {
  std::filesystem::create_directories(dir_ / "folder.pdf");
  OpenFileIfExists(Windows(dir_ / "folder.pdf"), "");
  OpenFileIfExists(Windows(dir_ / "none.pdf"), "");
  std::string folder(100, 'f');
  std::string name = folder + "/" + folder + "/" + folder + "/manual.pdf";  // a path of over 255 characters
  dir_.Write(name, "%PDF");
  std::string parameters(300, 'p');
  OpenFileIfExists(Windows(dir_ / name), parameters);
  // Only the last call reached the opener.
  EXPECT_EQ(Recorded(), "[" + (dir_ / name).string() + "][" + parameters + "]\n");
}

TEST_F(Shell, StartProgramStartsExactlyThePathWithBlanks) {
  dir_.Write("Program Files/x/setup.exe", "#!/bin/sh\necho setup > \"$KORVA_RECORD.setup\"\n");
  dir_.Write("Program", "#!/bin/sh\necho decoy > \"$KORVA_RECORD.decoy\"\n");
  chmod((dir_ / "Program Files/x/setup.exe").c_str(), 0755);
  chmod((dir_ / "Program").c_str(), 0755);
  EXPECT_GT(StartProgram(Windows(dir_ / "Program Files" / "x" / "setup.exe")), 31u);
  EXPECT_EQ(Recorded("record.setup"), "setup\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "record.decoy"));
  EXPECT_EQ(StartProgram(Windows(dir_ / "none.exe")), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
}

class PictureOrBlank : public FileRoutines {
 protected:
  PictureOrBlank() : image_(nullptr) { image_.SetBounds(0, 0, 3, 3); }

  // A BMP file of the given size and colour below the test folder.
  std::string Bmp(const std::string& name, int width, int height, RgbPixel colour) {
    DibImage picture;
    picture.pixels = RgbImage(width, height, colour);
    std::vector<std::uint8_t> bytes = WriteBmpFile(picture);
    dir_.Write(name, std::string(bytes.begin(), bytes.end()));
    return Windows(dir_ / name);
  }

  TImage image_;
};

TEST_F(PictureOrBlank, MissingFileBlanksAndALaterFileShowsAgain) {
  LoadPictureOrBlank(&image_, Bmp("up.bmp", 5, 4, 0x00FF00));
  EXPECT_EQ(image_.Picture()->Width(), 5);

  LoadPictureOrBlank(&image_, Windows(dir_ / "bmp" / "missing.bmp"));
  auto* bitmap = dynamic_cast<TBitmap*>(image_.Picture()->Graphic());
  ASSERT_NE(bitmap, nullptr);
  // The picture was a bitmap with pixels, so the rectangle goes onto it: a black outline of the
  // control's size around white.
  EXPECT_EQ(bitmap->Width(), 5);
  EXPECT_EQ(bitmap->Pixels().At(0, 0), 0x000000u);
  EXPECT_EQ(bitmap->Pixels().At(2, 2), 0x000000u);
  EXPECT_EQ(bitmap->Pixels().At(1, 1), 0xFFFFFFu);
  EXPECT_EQ(bitmap->Pixels().At(4, 3), 0x00FF00u);

  LoadPictureOrBlank(&image_, Bmp("down.bmp", 2, 2, 0x0000FF));
  ASSERT_NE(dynamic_cast<TBitmap*>(image_.Picture()->Graphic()), nullptr);
  EXPECT_EQ(image_.Picture()->Width(), 2);
  EXPECT_EQ(dynamic_cast<TBitmap*>(image_.Picture()->Graphic())->Pixels().At(1, 1), 0x0000FFu);
}

TEST_F(PictureOrBlank, JpegBecomesAnEmptyBitmapAndAFolderIsNoFile) {
  LoadPictureOrBlank(&image_, Windows(std::filesystem::path(KORVA_JPEG_PICTURE)));
  ASSERT_NE(dynamic_cast<TJPEGImage*>(image_.Picture()->Graphic()), nullptr);
  std::filesystem::create_directories(dir_ / "folder.jpg");
  LoadPictureOrBlank(&image_, Windows(dir_ / "folder.jpg"));
  auto* bitmap = dynamic_cast<TBitmap*>(image_.Picture()->Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(image_.Picture()->Width(), 0);
}

TEST_F(PictureOrBlank, BrokenFileFailsAndKeepsThePicture) {
  LoadPictureOrBlank(&image_, Bmp("up.bmp", 5, 4, 0x00FF00));
  dir_.Write("broken.bmp", "BM not really");
  EXPECT_THROW(LoadPictureOrBlank(&image_, Windows(dir_ / "broken.bmp")), Exception);
  EXPECT_EQ(image_.Picture()->Width(), 5);
}

TEST(DebugModeSwitch, IsOffAtStart) {
  EXPECT_FALSE(DebugMode);
}

}  // namespace
