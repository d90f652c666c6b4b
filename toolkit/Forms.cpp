#include "toolkit/Forms.h"

#include <algorithm>

#include "foundation/Application.h"
#include "foundation/MessageBoxes.h"

namespace {
constexpr std::string_view kPositionNames[] = {"poDesigned",        "poDefault",        "poDefaultPosOnly",
                                               "poDefaultSizeOnly", "poScreenCenter",   "poDesktopCenter",
                                               "poMainFormCenter",  "poOwnerFormCenter"};
constexpr std::string_view kBorderStyleNames[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                                  "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr std::string_view kBorderIconNames[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};

BorderKind KindOf(TFormBorderStyle style) {
  switch (style) {
    case bsNone:
      return BorderKind::None;
    case bsSingle:
    case bsToolWindow:
      return BorderKind::Single;
    case bsDialog:
      return BorderKind::Dialog;
    case bsSizeable:
    case bsSizeToolWin:
      break;
  }
  return BorderKind::Sizeable;
}
}  // namespace

KORVA_IMPLEMENT_CLASS(TCustomForm, TWinControl) {
  c.String("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
  c.Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
  c.Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
  c.Integer("Color", &TCustomForm::Color, &TCustomForm::SetColor, ColorIdents());
  c.Object("Font", &TCustomForm::Font, &TCustomForm::SetFont);
  c.Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, kPositionNames);
  c.Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, kBorderStyleNames);
  c.SetOf("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, kBorderIconNames);
  c.Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
  c.Integer("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
  c.Event("OnShow", &TCustomForm::OnShow);
  c.Event("OnCreate", &TCustomForm::OnCreate);
  c.Event("OnClick", &TCustomForm::OnClick);
}

KORVA_IMPLEMENT_CLASS(TForm, TCustomForm) {}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetParentFont(false);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  borderStyle_ = value;
  if (HandleAllocated()) HostCreated(*Host());
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  borderIcons_ = value;
  if (HandleAllocated()) HostCreated(*Host());
}

void TCustomForm::TextChanged() {
  if (HandleAllocated()) Host()->SetCaption(Caption());
}

void TCustomForm::HostCreated(WindowHost& host) {
  host.SetCaption(Caption());
  host.SetFrame(KindOf(borderStyle_), borderIcons_ & biSystemMenu, borderIcons_ & biMinimize,
                borderIcons_ & biMaximize);
}

void TCustomForm::Show() {
  if (showing_) return;
  try {
    if (OnShow) OnShow(this);
  } catch (const std::exception& error) {
    ReportHandlerError(error);
  }
  PlaceOnScreen();
  showing_ = true;
  TControl::SetVisible(true);
  if (WindowHost* host = Host()) {
    host->SetBounds({Left(), Top(), Left() + Width(), Top() + Height()});
    host->SetVisible(true);
  }
}

void TCustomForm::PlaceOnScreen() {
  if (position_ != poScreenCenter) return;
  ScreenInfo screen;
  TPoint frame{Width(), Height()};
  if (ToolkitBackend* backend = CurrentToolkitBackend()) {
    screen = backend->Screen();
    if (WindowHost* host = Host()) frame = host->FrameSize(Width(), Height());
  }
  const int left = std::max((screen.width - frame.X) / 2, 0);
  const int top = std::max((screen.height - frame.Y) / 2, 0);
  SetBounds(left, top, Width(), Height());
}

void TCustomForm::Close() {
  if (!showing_) return;
  showing_ = false;
  TControl::SetVisible(false);
  if (HandleAllocated()) Host()->SetVisible(false);
  if (Application().MainForm() == this) {
    if (ToolkitBackend* backend = CurrentToolkitBackend()) backend->Terminate();
  }
}

void TCustomForm::Activated() {
  for (TControl* c : Controls())
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Focused()) return;
  for (TWinControl* stop : TabStops()) {
    if (stop->CanFocus()) {
      stop->SetFocus();
      return;
    }
  }
}
