// Forms: top-level windows built from a description.
#pragma once

#include "toolkit/Controls.h"

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned {
  biSystemMenu = 1u << 0,
  biMinimize = 1u << 1,
  biMaximize = 1u << 2,
  biHelp = 1u << 3
};
using TBorderIcons = unsigned;

// A form's Left and Top place its outer window on the screen; its Width and Height, like
// ClientWidth and ClientHeight, measure the client area.
class TCustomForm : public TWinControl {
  KORVA_CLASS(TCustomForm, TWinControl)
 public:
  explicit TCustomForm(TComponent* owner);

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  void SetClientWidth(int value) { SetWidth(value); }
  void SetClientHeight(int value) { SetHeight(value); }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
  int TextHeight() const { return textHeight_; }
  void SetTextHeight(int value) { textHeight_ = value; }

  TNotifyEvent OnShow;
  TNotifyEvent OnCreate;

  // Makes the form visible: the show event first (an error there is reported and the rest of
  // the show event skipped), then the placement (poScreenCenter), then the window on the screen.
  void Show();
  bool Showing() const { return showing_; }
  // Hides the form; closing the application's main form ends the event loop.
  void Close();
  // The window became active: the first tab stop takes the focus when none has it.
  void Activated();

 protected:
  void TextChanged() override;
  void HostCreated(WindowHost& host) override;

 private:
  void PlaceOnScreen();
  TPosition position_ = poDesigned;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  int pixelsPerInch_ = 96;
  int textHeight_ = 13;
  bool showing_ = false;
};

class TForm : public TCustomForm {
  KORVA_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
};
