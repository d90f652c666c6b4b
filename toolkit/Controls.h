// Controls: windowless ones painted by their parent, windowed ones with a window of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Component.h"
#include "toolkit/Backend.h"
#include "toolkit/Graphics.h"

class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};
using TShiftState = unsigned;
enum TAnchorKind : unsigned { akLeft = 1u << 0, akTop = 1u << 1, akRight = 1u << 2, akBottom = 1u << 3 };
using TAnchors = unsigned;
enum TCursor : int { crDefault = 0, crArrow = -2, crHandPoint = -21 };
enum THelpType { htKeyword, htContext };

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// A message for a window's message handler: number, two parameters and a result.
struct TMessage {
  std::uint32_t Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

// Sent to every window when the desktop's set of fonts changes.
constexpr std::uint32_t WM_FONTCHANGE = 0x001D;

std::span<const std::string_view> AlignNames();
std::span<const std::string_view> AlignmentNames();
std::span<const std::string_view> TextLayoutNames();
std::span<const std::string_view> AnchorNames();
std::span<const IntegerIdent> CursorIdents();

class TSizeConstraints : public TPersistent {
  KORVA_CLASS(TSizeConstraints, TPersistent)
 public:
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

class TControl : public TComponent {
  KORVA_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors) { anchors_ = anchors; }
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor) { cursor_ = cursor; }

  // The control's text: published as Caption or as Text by the kinds that have one.
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& text);

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value) { parentShowHint_ = value; }
  int HelpType() const { return helpType_; }
  void SetHelpType(int value) { helpType_ = value; }
  const std::string& HelpKeyword() const { return helpKeyword_; }
  void SetHelpKeyword(const std::string& value) { helpKeyword_ = value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  // An action object the control takes its texts from (none in this program's windows).
  TComponent* Action() const { return action_; }
  void SetAction(TComponent* action) { action_ = action; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  // Repaints the control's area (through the windowed control that paints it).
  virtual void Invalidate();
  // Paints a windowless control; the canvas origin is the control's top-left corner.
  virtual void Paint(TCanvas& /*canvas*/) {}
  // Whether the control covers its whole area, so what lies beneath need not be painted.
  virtual bool Opaque() const { return false; }

  // Notifications from the toolkit.
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Click();
  virtual void TextChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void ColorChanged() { Invalidate(); }
  // The parent's font or colour changed: controls that follow it take it over.
  void ParentFontChanged();
  void ParentColorChanged();

 protected:
  void ComponentRemoved(TComponent* component) override;
  virtual void BoundsChanged() {}
  bool clickPending_ = false;

 private:
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  std::unique_ptr<TSizeConstraints> constraints_ = std::make_unique<TSizeConstraints>();
  int cursor_ = crDefault;
  std::string text_;
  std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
  bool parentFont_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  int helpType_ = htContext;
  std::string helpKeyword_;
  int helpContext_ = 0;
  TComponent* action_ = nullptr;
};

// A control without a window of its own: its parent paints it and routes the pointer to it.
class TGraphicControl : public TControl {
  KORVA_CLASS(TGraphicControl, TControl)
 public:
  using TControl::TControl;
};

class TWinControl : public TControl {
  KORVA_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The controls placed on this one, in the order they were placed (the painting order).
  const std::vector<TControl*>& Controls() const { return controls_; }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  // Windowed children that are tab stops, by tab order.
  std::vector<TWinControl*> TabStops() const;

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The native window; created on demand when a backend exists.
  WindowHost* Host();
  bool HandleAllocated() const { return host_ != nullptr; }
  void DestroyHost();

  bool Focused() const;
  virtual bool CanFocus() const;
  void SetFocus();

  void Invalidate() override;
  void InvalidateRect(const TRect& rect);
  void SetVisible(bool visible) override;
  void SetBounds(int left, int top, int width, int height) override;
  // Children that follow this control's font or colour take the change over.
  void FontChanged() override;
  void ColorChanged() override;

  // Lays out children with an alignment inside the client area.
  void Realign();

  // Paints the window: background, own painting, then the windowless children in order.
  virtual void PaintWindow(TCanvas& canvas);
  // The uppermost visible windowless child at a point of the client area, or null.
  TControl* ControlAtPos(int x, int y) const;

  // Input from the host, in client coordinates. Exceptions go to the caller (the backend).
  void HostMouseMove(int x, int y, TShiftState shift);
  void HostMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void HostMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void HostMouseEnter();
  void HostMouseLeave();
  void HostFocusChanged(bool focused);
  void HostKeyDown(std::uint16_t& key, TShiftState shift);
  void HostKeyUp(std::uint16_t& key, TShiftState shift);
  void HostKeyPress(char& key);

  // Messages sent to the window (the device change, for one).
  virtual void Dispatch(TMessage& message);

 protected:
  virtual void FocusEnter();  // WM_SETFOCUS
  virtual void FocusExit();   // WM_KILLFOCUS
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void HostCreated(WindowHost& /*host*/) {}
  void ComponentRemoved(TComponent* component) override;

 private:
  TControl* MouseTarget(int x, int y);
  void UpdateHover(TControl* target);

  std::vector<TControl*> controls_;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  std::unique_ptr<WindowHost> host_;
  TControl* hover_ = nullptr;     // windowless child under the pointer
  TControl* captured_ = nullptr;  // control that received the press
  bool pointerInside_ = false;
  bool creatingHost_ = false;
};

// A windowed control that paints itself on a canvas.
class TCustomControl : public TWinControl {
  KORVA_CLASS(TCustomControl, TWinControl)
 public:
  using TWinControl::TWinControl;
  void PaintWindow(TCanvas& canvas) override;
};

// Registers every toolkit class with the description reader.
void RegisterToolkitClasses();
