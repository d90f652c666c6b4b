#include "launcher/main_korva.h"

#include <memory>

#include "controls/ColorButtonZEP.h"
#include "controls/Image.h"
#include "foundation/Application.h"
#include "foundation/Description.h"
#include "foundation/Errors.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Text.h"
#include "launcher/FileRoutines.h"
#include "multilang/MLang.h"
#include "platform/winapi.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

TfrmStartKorva* frmStartKorva = nullptr;

namespace {

// The language file the catalogue program reads too.
constexpr char kLanguageFile[] = "kelmor.ini";
constexpr char kLanguageSection[] = "tirbex";
constexpr char kLanguageKey[] = "lang";
constexpr char kDebugFile[] = "duzoravar\\duzoravar.ini";
constexpr char kInstaller[] = "setup.exe";
constexpr char kCatalogue[] = "DUZORAVAR\\duzoravar.exe";
constexpr char kAutoRunKey[] = "\\System\\ControlSet001\\Services\\CdRom";
constexpr TColor kHoverColor = 5872742;
constexpr TColor kNormalColor = 16777215;

// The registry key names a path from the root; the registry functions take it without the
// leading separator (they refuse one).
const char* KeyPathFromRoot(const char* path) {
  return path[0] == '\\' ? path + 1 : path;
}

// An open registry key, closed when the work with it ends, also by an error.
class RegistryKey {
 public:
  bool Open(HKEY root, const char* path) {
    return RegOpenKeyExA(root, KeyPathFromRoot(path), 0, KEY_ALL_ACCESS, &key_) == ERROR_SUCCESS;
  }
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  std::int32_t ReadInteger(const char* name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      throw ERegistryException(Format("Failed to get data for '%s'", name));
    if (type != REG_DWORD || size != sizeof(DWORD))
      throw ERegistryException(Format("Invalid data type for '%s'", name));
    DWORD value = 0;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
      throw ERegistryException(Format("Failed to get data for '%s'", name));
    return static_cast<std::int32_t>(value);
  }
  void WriteInteger(const char* name, std::int32_t value) const {
    const DWORD data = static_cast<DWORD>(value);
    if (RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) !=
        ERROR_SUCCESS)
      throw ERegistryException(Format("Failed to set data for '%s'", name));
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

KORVA_IMPLEMENT_CLASS(TfrmStartKorva, TForm) {
  c.Field("Image10", &TfrmStartKorva::Image10);
  c.Field("Image1", &TfrmStartKorva::Image1);
  c.Field("Image4", &TfrmStartKorva::Image4);
  c.Field("Image3", &TfrmStartKorva::Image3);
  c.Field("Image8", &TfrmStartKorva::Image8);
  c.Field("Label12", &TfrmStartKorva::Label12);
  c.Field("Label4", &TfrmStartKorva::Label4);
  c.Field("Image11", &TfrmStartKorva::Image11);
  c.Field("Label5", &TfrmStartKorva::Label5);
  c.Field("Panel1", &TfrmStartKorva::Panel1);
  c.Field("Image6", &TfrmStartKorva::Image6);
  c.Field("ColorButtonZEP1", &TfrmStartKorva::ColorButtonZEP1);
  c.Field("ColorButtonZEP2", &TfrmStartKorva::ColorButtonZEP2);
  c.Field("MultiLang1", &TfrmStartKorva::MultiLang1);
  c.Method("FormShow", &TfrmStartKorva::FormShow);
  c.Method("Image1Click", &TfrmStartKorva::Image1Click);
  c.Method("Image3Click", &TfrmStartKorva::Image3Click);
  c.Method("Image4Click", &TfrmStartKorva::Image4Click);
  c.Method("Label4Click", &TfrmStartKorva::Label4Click);
  c.Method("Label12Click", &TfrmStartKorva::Label12Click);
  c.Method("Label5Click", &TfrmStartKorva::Label5Click);
  c.Method("ColorButtonZEP1Click", &TfrmStartKorva::ColorButtonZEP1Click);
  c.Method("ColorButtonZEP2Click", &TfrmStartKorva::ColorButtonZEP2Click);
  c.Method("Label12MouseEnter", &TfrmStartKorva::Label12MouseEnter);
  c.Method("Label12MouseLeave", &TfrmStartKorva::Label12MouseLeave);
  c.Method("Label4MouseEnter", &TfrmStartKorva::Label4MouseEnter);
  c.Method("Label4MouseLeave", &TfrmStartKorva::Label4MouseLeave);
  c.Method("Label5MouseEnter", &TfrmStartKorva::Label5MouseEnter);
  c.Method("Label5MouseLeave", &TfrmStartKorva::Label5MouseLeave);
  c.Method("MultiLang1AfterLanguageChanged", &TfrmStartKorva::MultiLang1AfterLanguageChanged);
}

void RegisterStartWindowClasses() {
  RegisterClass(TfrmStartKorva::StaticClass());
}

TfrmStartKorva::TfrmStartKorva(TComponent* owner, std::string_view description) : TForm(owner) {
  frmStartKorva = this;
  // The first window the application creates is its main window.
  if (!Application().MainForm()) Application().SetMainForm(this);
  try {
    LoadDescription(*this, description, "main_korva.desc");
  } catch (...) {
    if (Application().MainForm() == this) Application().SetMainForm(nullptr);
    frmStartKorva = nullptr;
    throw;
  }
}

TfrmStartKorva::~TfrmStartKorva() {
  if (frmStartKorva == this) frmStartKorva = nullptr;
  if (Application().MainForm() == this) Application().SetMainForm(nullptr);
}

void TfrmStartKorva::StoreLanguage(int language) {
  WriteIniInteger(GetTempDir() + kLanguageFile, kLanguageSection, kLanguageKey, language);
}

// Show-time work: the stored language, the debug switch, the automatic start of CD-ROMs.
void TfrmStartKorva::FormShow(TObject* /*Sender*/) {
  const std::int32_t stored = ReadIniInteger(GetTempDir() + kLanguageFile, kLanguageSection, kLanguageKey, 0);
  MultiLang1->SetActiveLanguage(static_cast<std::uint8_t>(stored));  // the property is a byte
  char debug[2048] = {};
  GetPrivateProfileStringA("Setup", "Debug", "", debug, sizeof debug, (GetProgramDir() + kDebugFile).c_str());
  DebugMode = std::string_view(debug) == "OK";
  EnsureAutoRun();
}

void TfrmStartKorva::EnsureAutoRun() {
  RegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, kAutoRunKey)) return;
  const std::int32_t value = key.ReadInteger("AutoRun");
  if (DebugMode) ShowNotice(IntToStr(value));
  if (value == 0) key.WriteInteger("Autorun", 1);
}

void TfrmStartKorva::ChooseLanguage(std::uint8_t language) {
  MultiLang1->SetActiveLanguage(language);
  StoreLanguage(language);
}

void TfrmStartKorva::Image1Click(TObject*) {
  ChooseLanguage(0);
}
void TfrmStartKorva::Image3Click(TObject*) {
  ChooseLanguage(1);
}
void TfrmStartKorva::Image4Click(TObject*) {
  ChooseLanguage(2);
}

void TfrmStartKorva::Label4Click(TObject*) {
  StoreLanguage(MultiLang1->ActiveLanguage());
  StartProgram(GetProgramDir() + kInstaller);
}

void TfrmStartKorva::Label12Click(TObject*) {
  StoreLanguage(MultiLang1->ActiveLanguage());
  StartProgram(GetProgramDir() + kCatalogue);
  Close();
}

void TfrmStartKorva::Label5Click(TObject*) {
  switch (MultiLang1->ActiveLanguage()) {
    case 0:
      OpenFileIfExists(GetProgramDir() + "readme_deutsch.pdf", "");
      break;
    case 1:
      OpenFileIfExists(GetProgramDir() + "readme_english.pdf", "");
      break;
    default:
      break;
  }
}

void TfrmStartKorva::ColorButtonZEP1Click(TObject*) {
  ShellExecuteA(nullptr, nullptr, kMakerWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

void TfrmStartKorva::ColorButtonZEP2Click(TObject*) {
  Close();
}

void TfrmStartKorva::Highlight(TLabel* label, TImage* image, TColor color, const char* picture) {
  label->Font()->SetColor(color);
  LoadPictureOrBlank(image, GetProgramDir() + picture);
}

void TfrmStartKorva::Label12MouseEnter(TObject*) {
  Highlight(Label12, Image8, kHoverColor, "duzoravar\\bmp\\Button-CD-Betrieb_down.jpg");
}
void TfrmStartKorva::Label12MouseLeave(TObject*) {
  Highlight(Label12, Image8, kNormalColor, "duzoravar\\bmp\\Button-CD-Betrieb_up.jpg");
}
void TfrmStartKorva::Label4MouseEnter(TObject*) {
  Highlight(Label4, Image10, kHoverColor, "duzoravar\\bmp\\Button-Installation_down.jpg");
}
void TfrmStartKorva::Label4MouseLeave(TObject*) {
  Highlight(Label4, Image10, kNormalColor, "duzoravar\\bmp\\Button-Installation_up.jpg");
}
void TfrmStartKorva::Label5MouseEnter(TObject*) {
  Highlight(Label5, Image11, kHoverColor, "duzoravar\\bmp\\Button-Benutzerhandbuch_down.jpg");
}
void TfrmStartKorva::Label5MouseLeave(TObject*) {
  Highlight(Label5, Image11, kNormalColor, "duzoravar\\bmp\\Button-Benutzerhandbuch_up.jpg");
}

void TfrmStartKorva::MultiLang1AfterLanguageChanged(TObject*, std::uint8_t NewLanguage) {
  // The header texts begin with a separator, so the path holds two in a row.
  switch (NewLanguage) {
    case 0:
      Image6->Picture()->LoadFromFile(GetProgramDir() + "\\razevuru\\jpg\\Header_Startfenster_de.jpg");
      break;
    case 1:
      Image6->Picture()->LoadFromFile(GetProgramDir() + "\\razevuru\\jpg\\Header_Startfenster_en.jpg");
      break;
    default:
      break;
  }
}

void TfrmStartKorva::Dispatch(TMessage& message) {
  if (message.Msg == WM_DEVICECHANGE)
    WMDeviceChange(message);
  else
    TForm::Dispatch(message);
}

bool MediumRemovalCloses(const TMessage& message, std::string_view programPath) {
  if (message.Msg != WM_DEVICECHANGE || message.WParam != DBT_DEVICEREMOVECOMPLETE) return false;
  // A record that is missing or too short to be a volume's is ignored rather than read.
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(message.LParam);
  if (!header || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME)) return false;
  if (header->dbch_devicetype != DBT_DEVTYP_VOLUME) return false;
  const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
  if (!(volume->dbcv_flags & DBTF_MEDIA)) return false;
  // The unit mask is not consulted: a medium leaving any drive closes a window that does not run
  // from drive C.
  return programPath.empty() || AsciiUpperCase(programPath.substr(0, 1)) != "C";
}

void TfrmStartKorva::WMDeviceChange(TMessage& message) {
  message.Result = 0;
  if (MediumRemovalCloses(message, GetProgramFile())) Close();
}
