// The start window built from its real description, its handlers driven in-process. The test
// program lies in a folder of its own, which serves as the medium's root: each test lays out there
// the files it needs and points the temporary folder, drive C, the registry and the document
// opener at a fresh temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "controls/Bitmap.h"
#include "controls/ColorButtonZEP.h"
#include "controls/Image.h"
#include "controls/JpegImage.h"
#include "foundation/Application.h"
#include "foundation/Errors.h"
#include "launcher/FileRoutines.h"
#include "launcher/main_korva.h"
#include "multilang/MLang.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempDir.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

namespace fs = std::filesystem;

namespace {

const char* const kArtwork = KORVA_SOURCE_DIR "/resources/artwork/medium";

fs::path ProgramFolder() {
  return fs::canonical("/proc/self/exe").parent_path();
}

class StartWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterToolkitClasses();
    RegisterControlClasses();
    RegisterMultiLangClasses();
    RegisterStartWindowClasses();
    Application().SetExeName("/medium/korvastart");
  }

  void SetUp() override {
    fs::create_directories(tmp / "temp");
    setenv("TEMP", (tmp / "temp").c_str(), 1);
    setenv("KORVA_DRIVE_C", (tmp / "c").c_str(), 1);
    setenv("KORVA_REGISTRY", (tmp / "system.reg").c_str(), 1);
    setenv("KORVA_OPENER", Script("opener.sh", "opened").c_str(), 1);
    // The medium: the pictures the window loads, the installer and the catalogue program.
    for (const char* folder : {"razevuru", "duzoravar"}) {
      fs::remove_all(Medium(folder));
      fs::copy(fs::path(kArtwork) / folder, Medium(folder), fs::copy_options::recursive);
    }
    fs::copy_file(Script("installer.sh", "setup"), Medium("setup.exe"), fs::copy_options::overwrite_existing);
    fs::copy_file(Script("catalogue.sh", "catalogue"), Medium("duzoravar/duzoravar.exe"),
                  fs::copy_options::overwrite_existing);
    DebugMode = false;
  }

  void TearDown() override {
    for (const char* name : {"TEMP", "KORVA_DRIVE_C", "KORVA_REGISTRY", "KORVA_OPENER"}) unsetenv(name);
    for (const char* name :
         {"razevuru", "duzoravar", "setup.exe", "readme_deutsch.pdf", "readme_english.pdf"})
      fs::remove_all(Medium(name));
  }

  static fs::path Medium(const std::string& name) { return ProgramFolder() / name; }

  // An executable script that appends `word` and its arguments to the log in the test folder.
  fs::path Script(const std::string& name, const std::string& word) const {
    const fs::path file =
        tmp.Write(name, "#!/bin/sh\necho " + word + " \"$@\" >> '" + (tmp / "log").string() + "'\n");
    fs::permissions(file, fs::perms::owner_all);
    return file;
  }

  // What the started programs and the opener wrote, waiting briefly: they run detached.
  std::string Log(size_t expectedLines = 1) const {
    for (int i = 0; i < 200; ++i) {
      const std::string log = TempDir::Read(tmp / "log");
      if (static_cast<size_t>(std::count(log.begin(), log.end(), '\n')) >= expectedLines) return log;
      usleep(10000);
    }
    return TempDir::Read(tmp / "log");
  }

  std::string LanguageFile() const { return TempDir::Read(tmp / "temp" / "kelmor.ini"); }

  std::unique_ptr<TfrmStartKorva> Build() { return std::make_unique<TfrmStartKorva>(nullptr); }

  TempDir tmp;
  ScriptedMessageBoxes boxes;
};

TEST_F(StartWindow, IsBuiltFromItsDescription) {
  auto w = Build();
  struct Row {
    const char* name;
    const char* kind;
    const char* parent;
    TRect bounds;
  };
  const Row rows[] = {
      {"Image10", "TImage", "frmStartKorva", {283, 186, 505, 253}},
      {"Image1", "TImage", "frmStartKorva", {13, 392, 103, 449}},
      {"Image4", "TImage", "frmStartKorva", {44, 340, 109, 373}},
      {"Image3", "TImage", "frmStartKorva", {120, 389, 210, 449}},
      {"Image8", "TImage", "frmStartKorva", {27, 186, 249, 253}},
      {"Label12", "TLabel", "frmStartKorva", {88, 184, 249, 257}},
      {"Label4", "TLabel", "frmStartKorva", {344, 184, 505, 257}},
      {"Image11", "TImage", "frmStartKorva", {539, 186, 761, 253}},
      {"Label5", "TLabel", "frmStartKorva", {600, 184, 761, 257}},
      {"Panel1", "TPanel", "frmStartKorva", {0, 0, 781, 113}},
      {"Image6", "TImage", "Panel1", {0, 0, 781, 113}},
      {"ColorButtonZEP1", "TColorButtonZEP", "frmStartKorva", {344, 400, 545, 449}},
      {"ColorButtonZEP2", "TColorButtonZEP", "frmStartKorva", {560, 400, 761, 449}},
  };
  ASSERT_EQ(OwnedCount(w.get()), 14);
  for (int i = 0; i < 13; ++i) {
    const Row& row = rows[i];
    auto* c = dynamic_cast<TControl*>(OwnedComponent(w.get(), i));
    ASSERT_NE(c, nullptr) << row.name;
    EXPECT_EQ(c->Name(), row.name);
    EXPECT_EQ(c->ClassName(), row.kind);
    EXPECT_EQ(c->Owner(), w.get());
    EXPECT_EQ(c->Parent()->Name(), row.parent) << row.name;
    EXPECT_EQ(c->BoundsRect(), row.bounds) << row.name;
    EXPECT_FALSE(c->Loading());
  }
  EXPECT_EQ(OwnedComponent(w.get(), 13), w->MultiLang1);
  EXPECT_EQ(LookupComponent(w.get(), "label12"), w->Label12);
  EXPECT_EQ(w->Caption(), "ZEP KORVA\u00AEplus Planung 6.1");
  EXPECT_EQ(w->ClientWidth(), 781);
  EXPECT_EQ(w->ClientHeight(), 461);
  EXPECT_EQ(w->Color(), clWhite);
  EXPECT_EQ(w->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(w->Font()->Height(), -11);
  EXPECT_FALSE(w->Image4->Visible());
  EXPECT_EQ(w->Panel1->Color(), 14215660);
  EXPECT_EQ(w->Panel1->Caption(), "");
  for (TLabel* label : {w->Label12, w->Label4, w->Label5}) {
    EXPECT_EQ(label->Font()->Name(), "Arial");
    EXPECT_EQ(label->Font()->Height(), -19);
    EXPECT_EQ(label->Font()->Charset(), 238);
    EXPECT_EQ(label->Font()->Color(), clWhite);
    EXPECT_EQ(label->Font()->Style(), fsBold);
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_EQ(label->Layout(), tlCenter);
    EXPECT_TRUE(label->Transparent());
    EXPECT_FALSE(label->AutoSize());
  }
  EXPECT_TRUE(w->Label5->WordWrap());
  EXPECT_FALSE(w->Label12->WordWrap());
  EXPECT_EQ(w->Label12->Caption(), "CD Betrieb");
  EXPECT_EQ(w->Label5->Caption(), "Benutzer- handbuch");
  EXPECT_EQ(w->ColorButtonZEP1->Caption(), kMakerWebAddress);
  EXPECT_EQ(w->ColorButtonZEP2->Caption(), "Beenden");
  EXPECT_EQ(w->MultiLang1->Languages(), 3);
  EXPECT_EQ(w->MultiLang1->ActiveLanguage(), 0);
  EXPECT_EQ(w->MultiLang1->Words()->Count(), 28);
  EXPECT_EQ(w->MultiLang1->CharSets()->Count(), 3);
  // Pictures: the description's, and the German header loaded while the window was built.
  EXPECT_TRUE(Is<TJPEGImage>(w->Image8->Picture()->Graphic()));
  EXPECT_EQ(w->Image8->Picture()->Width(), 222);
  EXPECT_TRUE(Is<TBitmap>(w->Image4->Picture()->Graphic()));
  EXPECT_EQ(w->Image6->Picture()->Width(), 780);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartWindow, FlagsSwitchTheLanguageAndStoreIt) {
  auto w = Build();
  w->Image3Click(w->Image3);
  EXPECT_EQ(w->Caption(), "ZEP KORVA\u00AEplus Planning 6.1");
  EXPECT_EQ(w->Label12->Caption(), "CD Direct run");
  EXPECT_EQ(w->Label5->Caption(), "User manual");
  EXPECT_EQ(w->ColorButtonZEP2->Caption(), "Exit");
  EXPECT_NE(LanguageFile().find("[tirbex]\r\nlang=1"), std::string::npos) << LanguageFile();

  w->Image4Click(w->Image4);
  EXPECT_EQ(w->Caption(), "TirbEX");
  EXPECT_EQ(w->Label12->Caption(), "Obliczenia armatury - praca z CD");
  for (const std::string& text : {w->Label4->Caption(), w->Label5->Caption(), w->ColorButtonZEP1->Caption(),
                                  w->ColorButtonZEP2->Caption()})
    EXPECT_EQ(text, "");
  EXPECT_NE(LanguageFile().find("lang=2"), std::string::npos);

  w->Image1Click(w->Image1);
  EXPECT_EQ(w->Label4->Caption(), "Installation");
  EXPECT_NE(LanguageFile().find("lang=0"), std::string::npos);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartWindow, ShowRestoresTheStoredLanguage) {
  const struct {
    const char* file;  // content of kelmor.ini, or null for none
    int language;
    bool rangeMessage;
  } cases[] = {
      {nullptr, 0, false},
      {"[tirbex]\r\nlang=1\r\n", 1, false},
      {"[tirbex]\r\nlang=2\r\n", 2, false},
      {"[tirbex]\r\nlang=3\r\n", 0, true},
      {"[tirbex]\r\nlang=257\r\n", 1, false},
      {"[tirbex]\r\nlang=abc\r\n", 0, false},
  };
  for (const auto& c : cases) {
    fs::remove(tmp / "temp" / "kelmor.ini");
    if (c.file) tmp.Write("temp/kelmor.ini", c.file);
    boxes.shown.clear();
    auto w = Build();
    w->Show();
    EXPECT_EQ(w->MultiLang1->ActiveLanguage(), c.language) << (c.file ? c.file : "no file");
    if (c.rangeMessage) {
      ASSERT_EQ(boxes.shown.size(), 1u);
      EXPECT_EQ(boxes.shown[0].text, "Value must not be higher than\rnumber of available languages.");
      EXPECT_EQ(boxes.shown[0].buttons, mbCancel);
    } else {
      EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].text;
    }
    // The first run creates no language file.
    if (!c.file) {
      EXPECT_FALSE(fs::exists(tmp / "temp" / "kelmor.ini"));
    }
  }
}

TEST_F(StartWindow, ShowTurnsTheAutomaticStartOn) {
  const char* const key = "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Services\\CdRom]\r\n";
  const struct {
    const char* debug;
    std::string registry;  // empty: no key at all
    std::vector<std::string> boxes;
    const char* stored;  // what the registry holds afterwards, or null when unchanged
  } cases[] = {
      {"OK", std::string(key) + "\"AutoRun\"=dword:00000000\r\n", {"0"}, "dword:00000001"},
      {"OK", std::string(key) + "\"AutoRun\"=dword:00000005\r\n", {"5"}, "dword:00000005"},
      {"ok", std::string(key) + "\"AutoRun\"=dword:00000000\r\n", {}, "dword:00000001"},
      {"OK", "", {}, nullptr},
      {"OK", std::string(key), {"Failed to get data for 'AutoRun'"}, nullptr},
      {"OK", std::string(key) + "\"AutoRun\"=\"1\"\r\n", {"Invalid data type for 'AutoRun'"}, nullptr},
  };
  for (const auto& c : cases) {
    fs::create_directories(Medium("duzoravar"));
    std::ofstream(Medium("duzoravar/duzoravar.ini"), std::ios::binary)
        << "[Setup]\r\nDebug=" << c.debug << "\r\n";
    fs::remove(tmp / "system.reg");
    if (!c.registry.empty()) tmp.Write("system.reg", "REGEDIT4\r\n\r\n" + c.registry);
    boxes.shown.clear();
    auto w = Build();
    w->Show();
    EXPECT_EQ(boxes.Texts(), c.boxes) << c.debug << " " << c.registry;
    if (c.stored) {
      EXPECT_NE(TempDir::Read(tmp / "system.reg").find(c.stored), std::string::npos) << c.registry;
    }
    EXPECT_TRUE(w->Showing());
  }
}

TEST_F(StartWindow, InstallStartsTheInstallerAndStays) {
  auto w = Build();
  w->Show();
  w->Image3Click(w->Image3);
  w->Label4Click(w->Label4);
  EXPECT_EQ(Log(), "setup\n");
  EXPECT_TRUE(w->Showing());
  fs::remove(Medium("setup.exe"));
  fs::remove(tmp / "temp" / "kelmor.ini");
  w->Label4Click(w->Image10);  // nothing to start: nothing shown, the language stored all the same
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_NE(LanguageFile().find("lang=1"), std::string::npos);
  EXPECT_TRUE(w->Showing());
}

TEST_F(StartWindow, CdRunStartsTheCatalogueAndCloses) {
  for (bool present : {true, false}) {
    if (!present) fs::remove(Medium("duzoravar/duzoravar.exe"));
    auto w = Build();
    w->Show();
    w->Label12Click(w->Label12);
    EXPECT_FALSE(w->Showing()) << present;  // closed whether or not the catalogue started
    EXPECT_NE(LanguageFile().find("lang=0"), std::string::npos);
    if (present) {
      EXPECT_EQ(Log(), "catalogue\n");
    }
  }
}

TEST_F(StartWindow, ManualOpensTheDocumentOfTheLanguage) {
  std::ofstream(Medium("readme_deutsch.pdf")) << "%PDF-1.4\n";
  std::ofstream(Medium("readme_english.pdf")) << "%PDF-1.4\n";
  auto w = Build();
  w->Label5Click(w->Label5);
  w->Image3Click(w->Image3);
  w->Label5Click(w->Image11);
  w->Image4Click(w->Image4);
  w->Label5Click(w->Label5);  // language 2 has no manual
  const std::string log = Log(2);
  EXPECT_NE(log.find("readme_deutsch.pdf"), std::string::npos) << log;
  EXPECT_NE(log.find("readme_english.pdf"), std::string::npos) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
}

TEST_F(StartWindow, PointerHighlightsAnAction) {
  auto w = Build();
  w->Label12MouseEnter(w->Label12);
  EXPECT_EQ(w->Label12->Font()->Color(), 5872742);
  EXPECT_TRUE(Is<TJPEGImage>(w->Image8->Picture()->Graphic()));
  w->Label12MouseLeave(w->Label12);
  EXPECT_EQ(w->Label12->Font()->Color(), 16777215);

  // Without the pictures' folder the image is cleared and the colour changes all the same.
  fs::remove_all(Medium("duzoravar/bmp"));
  w->Label4MouseEnter(w->Label4);
  EXPECT_EQ(w->Label4->Font()->Color(), 5872742);
  ASSERT_TRUE(Is<TBitmap>(w->Image10->Picture()->Graphic()));
  EXPECT_TRUE(w->Image10->Picture()->Graphic()->Empty());

  // A picture that exists but is damaged: an error, the colour already changed, the image kept.
  fs::create_directories(Medium("duzoravar/bmp"));
  std::ofstream(Medium("duzoravar/bmp/Button-Benutzerhandbuch_down.jpg")) << "not a picture";
  TGraphic* before = w->Image11->Picture()->Graphic();
  EXPECT_THROW(w->Label5MouseEnter(w->Label5), Exception);
  EXPECT_EQ(w->Label5->Font()->Color(), 5872742);
  EXPECT_EQ(w->Image11->Picture()->Graphic(), before);
}

TEST_F(StartWindow, HeaderFollowsTheLanguageAndIsNeededToStart) {
  auto w = Build();
  // A header that cannot be loaded: the texts are translated, the header kept, nothing stored.
  fs::remove(Medium("razevuru/jpg/Header_Startfenster_en.jpg"));
  TGraphic* german = w->Image6->Picture()->Graphic();
  EXPECT_THROW(w->Image3Click(w->Image3), EFOpenError);
  EXPECT_EQ(w->Label12->Caption(), "CD Direct run");
  EXPECT_EQ(w->Image6->Picture()->Graphic(), german);
  EXPECT_FALSE(fs::exists(tmp / "temp" / "kelmor.ini"));
  w.reset();

  fs::remove(Medium("razevuru/jpg/Header_Startfenster_de.jpg"));
  try {
    Build();
    FAIL() << "the window was built without its header";
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find("Header_Startfenster_de.jpg"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(Application().MainForm(), nullptr);
}

TEST_F(StartWindow, UnusableTemporaryFolderStopsStoring) {
  setenv("TEMP", (tmp / "missing").c_str(), 1);
  setenv("KORVA_DRIVE_C", (tmp / "c-is-a-file").c_str(), 1);
  tmp.Write("c-is-a-file", "");
  auto w = Build();
  w->Show();  // the error is reported, the window still shows in German
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Cannot create c:\\temp."});
  EXPECT_TRUE(w->Showing());
  EXPECT_THROW(w->Image3Click(w->Image3), EInOutError);
  EXPECT_EQ(w->MultiLang1->ActiveLanguage(), 1);  // switched, but not stored
  EXPECT_THROW(w->Label4Click(w->Label4), EInOutError);
  EXPECT_EQ(Log(0), "");  // nothing started
}

TEST(DeviceChange, OnlyARemovedMediumClosesAWindowNotOnDriveC) {
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_flags = DBTF_MEDIA;
  DEV_BROADCAST_VOLUME drive = volume;
  drive.dbcv_flags = 0;
  DEV_BROADCAST_HDR shortRecord{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_VOLUME, 0};
  auto message = [](UINT event, const void* record) {
    return TMessage{WM_DEVICECHANGE, event, reinterpret_cast<std::intptr_t>(record), 0};
  };
  const struct {
    TMessage message;
    const char* program;
    bool closes;
  } cases[] = {
      {message(DBT_DEVICEREMOVECOMPLETE, &volume), "D:\\korvastart.exe", true},
      {message(DBT_DEVICEREMOVECOMPLETE, &volume), "\\\\server\\cd\\korvastart.exe", true},
      {message(DBT_DEVICEREMOVECOMPLETE, &volume), "C:\\cd\\korvastart.exe", false},
      {message(DBT_DEVICEREMOVECOMPLETE, &volume), "c:\\cd\\korvastart.exe", false},
      {message(DBT_DEVICEARRIVAL, &volume), "D:\\korvastart.exe", false},
      {message(DBT_DEVICEREMOVECOMPLETE, &drive), "D:\\korvastart.exe", false},
      {message(DBT_DEVICEREMOVECOMPLETE, nullptr), "D:\\korvastart.exe", false},
      {message(DBT_DEVICEREMOVECOMPLETE, &shortRecord), "D:\\korvastart.exe", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MediumRemovalCloses(c.message, c.program), c.closes) << c.program << " " << c.message.WParam;
}

}  // namespace
