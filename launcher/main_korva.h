// The start window of the product medium: language flags, Install, CD run, the manual, the
// maker's web address and Exit.
#pragma once

#include <cstdint>
#include <string_view>

#include "toolkit/Forms.h"

class TImage;
class TLabel;
class TPanel;
class TColorButtonZEP;
class TMultiLang;

// The window's description, with its pictures, as built into the program.
extern const std::string_view kStartWindowDescription;

// The maker's web address, a bare host name the shell opens as a web page.
constexpr const char kMakerWebAddress[] = "www.zep-valves.example";

class TfrmStartKorva : public TForm {
  KORVA_CLASS(TfrmStartKorva, TForm)
 public:
  // Builds the window from `description` (by default the program's own).
  explicit TfrmStartKorva(TComponent* owner, std::string_view description = kStartWindowDescription);
  ~TfrmStartKorva() override;

  TImage* Image10 = nullptr;
  TImage* Image1 = nullptr;
  TImage* Image4 = nullptr;
  TImage* Image3 = nullptr;
  TImage* Image8 = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label4 = nullptr;
  TImage* Image11 = nullptr;
  TLabel* Label5 = nullptr;
  TPanel* Panel1 = nullptr;
  TImage* Image6 = nullptr;
  TColorButtonZEP* ColorButtonZEP1 = nullptr;
  TColorButtonZEP* ColorButtonZEP2 = nullptr;
  TMultiLang* MultiLang1 = nullptr;

  void FormShow(TObject* Sender);
  void Image1Click(TObject* Sender);
  void Image3Click(TObject* Sender);
  void Image4Click(TObject* Sender);
  void Label4Click(TObject* Sender);
  void Label12Click(TObject* Sender);
  void Label5Click(TObject* Sender);
  void ColorButtonZEP1Click(TObject* Sender);
  void ColorButtonZEP2Click(TObject* Sender);
  void Label12MouseEnter(TObject* Sender);
  void Label12MouseLeave(TObject* Sender);
  void Label4MouseEnter(TObject* Sender);
  void Label4MouseLeave(TObject* Sender);
  void Label5MouseEnter(TObject* Sender);
  void Label5MouseLeave(TObject* Sender);
  void MultiLang1AfterLanguageChanged(TObject* Sender, std::uint8_t NewLanguage);
  void WMDeviceChange(TMessage& message);

  void Dispatch(TMessage& message) override;

 private:
  void ChooseLanguage(std::uint8_t language);
  void StoreLanguage(int language);
  void Highlight(TLabel* label, TImage* image, TColor color, const char* picture);
  void EnsureAutoRun();
};

// Whether a device-change message means a medium left a drive while the program runs from a
// drive other than C (the first character of its path, in either letter case).
bool MediumRemovalCloses(const TMessage& message, std::string_view programPath);

// The one start window of the process; set when it is created.
extern TfrmStartKorva* frmStartKorva;

// Registers the start window's class with the description reader.
void RegisterStartWindowClasses();
