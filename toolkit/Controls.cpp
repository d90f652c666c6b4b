#include "toolkit/Controls.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::string_view kAlignNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
constexpr std::string_view kAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::string_view kTextLayoutNames[] = {"tlTop", "tlCenter", "tlBottom"};
constexpr std::string_view kAnchorNames[] = {"akLeft", "akTop", "akRight", "akBottom"};
constexpr std::string_view kHelpTypeNames[] = {"htKeyword", "htContext"};
constexpr IntegerIdent kCursorIdents[] = {
    {"crDefault", crDefault}, {"crArrow", crArrow}, {"crHandPoint", crHandPoint}};

bool IsWindowed(const TControl* control) {
  return dynamic_cast<const TWinControl*>(control) != nullptr;
}

}  // namespace

std::span<const std::string_view> AlignNames() {
  return kAlignNames;
}
std::span<const std::string_view> AlignmentNames() {
  return kAlignmentNames;
}
std::span<const std::string_view> TextLayoutNames() {
  return kTextLayoutNames;
}
std::span<const std::string_view> AnchorNames() {
  return kAnchorNames;
}
std::span<const IntegerIdent> CursorIdents() {
  return kCursorIdents;
}

KORVA_IMPLEMENT_CLASS(TSizeConstraints, TPersistent) {
  c.Integer(
      "MaxHeight", [](const TSizeConstraints& s) { return s.MaxHeight; },
      [](TSizeConstraints& s, std::int64_t v) { s.MaxHeight = static_cast<int>(v); });
  c.Integer(
      "MaxWidth", [](const TSizeConstraints& s) { return s.MaxWidth; },
      [](TSizeConstraints& s, std::int64_t v) { s.MaxWidth = static_cast<int>(v); });
  c.Integer(
      "MinHeight", [](const TSizeConstraints& s) { return s.MinHeight; },
      [](TSizeConstraints& s, std::int64_t v) { s.MinHeight = static_cast<int>(v); });
  c.Integer(
      "MinWidth", [](const TSizeConstraints& s) { return s.MinWidth; },
      [](TSizeConstraints& s, std::int64_t v) { s.MinWidth = static_cast<int>(v); });
}

// ---------------------------------------------------------------------------------------------
// TControl: the properties every control publishes. Texts, fonts, colours and events are
// published by the kinds that have them.

KORVA_IMPLEMENT_CLASS(TControl, TComponent) {
  c.Integer("Left", &TControl::Left, &TControl::SetLeft);
  c.Integer("Top", &TControl::Top, &TControl::SetTop);
  c.Integer("Width", &TControl::Width, &TControl::SetWidth);
  c.Integer("Height", &TControl::Height, &TControl::SetHeight);
  c.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor, kCursorIdents);
  c.String("Hint", &TControl::Hint, &TControl::SetHint);
  c.Enum("HelpType", &TControl::HelpType, &TControl::SetHelpType, kHelpTypeNames);
  c.String("HelpKeyword", &TControl::HelpKeyword, &TControl::SetHelpKeyword);
  c.Integer("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext);
  c.Enum("Align", &TControl::Align, &TControl::SetAlign, kAlignNames);
  c.SetOf("Anchors", &TControl::Anchors, &TControl::SetAnchors, kAnchorNames);
  c.Object("Constraints", &TControl::Constraints);
  c.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled);
  c.Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
  c.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  c.Bool("Visible", &TControl::Visible, &TControl::SetVisible);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_->OnChange = [this] {
    parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    Invalidate();
    TWinControl* old = parent_;
    parent_ = nullptr;
    old->RemoveControl(this);
  }
  if (parent) {
    parent_ = parent;
    parent->InsertControl(this);
    ParentFontChanged();
    ParentColorChanged();
    if (align_ != alNone) parent->Realign();
    Invalidate();
  }
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* windowed = dynamic_cast<TWinControl*>(parent)) SetParent(windowed);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  BoundsChanged();
  Invalidate();
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (visible_) Invalidate();
  visible_ = visible;
  Invalidate();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
}

void TControl::SetFont(TFont* font) {
  if (font) font_->Assign(*font);
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (value) ParentFontChanged();
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  if (value) ParentColorChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  auto handler = std::move(font_->OnChange);
  const bool changed = !font_->SameAs(*parent_->Font());
  font_->Assign(*parent_->Font());
  font_->OnChange = std::move(handler);
  if (changed) FontChanged();
  if (auto* windowed = dynamic_cast<TWinControl*>(this))
    for (TControl* child : windowed->Controls()) child->ParentFontChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  if (color_ != parent_->Color()) {
    color_ = parent_->Color();
    ColorChanged();
  }
  if (auto* windowed = dynamic_cast<TWinControl*>(this))
    for (TControl* child : windowed->Controls()) child->ParentColorChanged();
}

void TControl::Invalidate() {
  if (parent_ && visible_) parent_->InvalidateRect(BoundsRect());
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // The second press of a double click does not start a click.
  clickPending_ = button == mbLeft && !(shift & ssDouble);
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && clickPending_) {
    clickPending_ = false;
    if (ClientRect().Contains(x, y)) Click();
  }
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::ComponentRemoved(TComponent* component) {
  if (component == action_) action_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// TWinControl

KORVA_IMPLEMENT_CLASS(TGraphicControl, TControl) {}

KORVA_IMPLEMENT_CLASS(TWinControl, TControl) {}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children leave before the window goes, so none refers to a destroyed parent.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  host_.reset();
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    if (windowed->tabOrder_ < 0) windowed->tabOrder_ = static_cast<int>(TabStops().size());
    if (host_) windowed->Host();
  }
}

void TWinControl::RemoveControl(TControl* control) {
  // From the back: controls usually leave the last first, as their owner frees them, so freeing
  // a window of many controls stays linear.
  const auto found = std::find(controls_.rbegin(), controls_.rend(), control);
  if (found != controls_.rend()) controls_.erase(std::next(found).base());
  if (hover_ == control) hover_ = nullptr;
  if (captured_ == control) captured_ = nullptr;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->DestroyHost();
}

void TWinControl::ComponentRemoved(TComponent* component) {
  TControl::ComponentRemoved(component);
}

void TWinControl::SetTabOrder(int order) {
  tabOrder_ = order;
  if (Parent() && Parent()->HandleAllocated()) Parent()->Host()->SetTabOrder(Parent()->TabStops());
}

std::vector<TWinControl*> TWinControl::TabStops() const {
  std::vector<TWinControl*> stops;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->tabStop_) stops.push_back(w);
  std::stable_sort(stops.begin(), stops.end(), [](auto* a, auto* b) { return a->tabOrder_ < b->tabOrder_; });
  return stops;
}

WindowHost* TWinControl::Host() {
  if (host_ || creatingHost_) return host_.get();
  ToolkitBackend* backend = CurrentToolkitBackend();
  if (!backend) return nullptr;
  if (Parent() && !Parent()->Host()) return nullptr;
  creatingHost_ = true;
  host_ = backend->CreateHost(*this);
  creatingHost_ = false;
  if (!host_) return nullptr;
  if (Parent()) host_->SetBounds(BoundsRect());
  HostCreated(*host_);
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->Host();
  host_->SetTabOrder(TabStops());
  if (Parent()) host_->SetVisible(Visible());
  return host_.get();
}

void TWinControl::DestroyHost() {
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHost();
  host_.reset();
}

bool TWinControl::Focused() const {
  return host_ && host_->HasFocus();
}

bool TWinControl::CanFocus() const {
  return Visible() && Enabled() && host_ != nullptr;
}

void TWinControl::SetFocus() {
  if (WindowHost* host = Host()) host->SetFocus();
}

void TWinControl::Invalidate() {
  InvalidateRect(ClientRect());
}

void TWinControl::InvalidateRect(const TRect& rect) {
  if (host_) host_->Invalidate(rect);
}

void TWinControl::SetVisible(bool visible) {
  TControl::SetVisible(visible);
  if (host_ && Parent()) host_->SetVisible(visible);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  if (host_ && Parent()) host_->SetBounds(BoundsRect());
  Realign();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::Realign() {
  TRect area = ClientRect();
  auto place = [&](TAlign which) {
    for (TControl* c : controls_) {
      if (c->Align() != which || !c->Visible()) continue;
      switch (which) {
        case alTop:
          c->SetBounds(area.Left, area.Top, area.Width(), c->Height());
          area.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(area.Left, area.Bottom - c->Height(), area.Width(), c->Height());
          area.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(area.Left, area.Top, c->Width(), area.Height());
          area.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(area.Right - c->Width(), area.Top, c->Width(), area.Height());
          area.Right -= c->Width();
          break;
        case alClient:
          c->SetBounds(area.Left, area.Top, area.Width(), area.Height());
          break;
        case alNone:
          break;
      }
    }
  };
  // Setting a child's bounds asks for a realignment again; the guard keeps it to one pass.
  static thread_local const TWinControl* aligning = nullptr;
  if (aligning == this) return;
  const TWinControl* outer = aligning;
  aligning = this;
  for (TAlign which : {alTop, alBottom, alLeft, alRight, alClient}) place(which);
  aligning = outer;
}

void TWinControl::PaintWindow(TCanvas& canvas) {
  canvas.Brush().Color = Color();
  canvas.Brush().Style = bsSolid;
  canvas.FillRect(ClientRect());
  Paint(canvas);
  for (TControl* c : controls_) {
    if (IsWindowed(c) || !c->Visible() || c->BoundsRect().Empty()) continue;
    canvas.PushViewport(c->BoundsRect());
    c->Paint(canvas);
    canvas.PopViewport();
  }
}

TControl* TWinControl::ControlAtPos(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!IsWindowed(c) && c->Visible() && c->BoundsRect().Contains(x, y)) return c;
  }
  return nullptr;
}

TControl* TWinControl::MouseTarget(int x, int y) {
  TControl* child = ControlAtPos(x, y);
  return child ? child : this;
}

void TWinControl::UpdateHover(TControl* target) {
  if (target == this) target = nullptr;
  if (target == hover_) return;
  TControl* old = hover_;
  hover_ = target;
  if (old) old->MouseLeave();
  if (target) target->MouseEnter();
}

void TWinControl::HostMouseMove(int x, int y, TShiftState /*shift*/) {
  if (!pointerInside_) HostMouseEnter();
  UpdateHover(MouseTarget(x, y));
}

void TWinControl::HostMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TControl* target = MouseTarget(x, y);
  if (!target->Enabled()) return;
  captured_ = target;
  const int dx = target == this ? 0 : target->Left();
  const int dy = target == this ? 0 : target->Top();
  target->MouseDown(button, shift, x - dx, y - dy);
}

void TWinControl::HostMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TControl* target = captured_ ? captured_ : MouseTarget(x, y);
  captured_ = nullptr;
  const int dx = target == this ? 0 : target->Left();
  const int dy = target == this ? 0 : target->Top();
  target->MouseUp(button, shift, x - dx, y - dy);
}

void TWinControl::HostMouseEnter() {
  if (pointerInside_) return;
  pointerInside_ = true;
  // The pointer left the parent's windowless controls for this window.
  if (Parent()) Parent()->UpdateHover(nullptr);
  MouseEnter();
}

void TWinControl::HostMouseLeave() {
  if (!pointerInside_) return;
  pointerInside_ = false;
  UpdateHover(nullptr);
  MouseLeave();
}

void TWinControl::HostFocusChanged(bool focused) {
  if (focused)
    FocusEnter();
  else
    FocusExit();
}

void TWinControl::FocusEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::FocusExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::HostKeyDown(std::uint16_t& key, TShiftState shift) {
  KeyDown(key, shift);
}
void TWinControl::HostKeyUp(std::uint16_t& key, TShiftState shift) {
  KeyUp(key, shift);
}
void TWinControl::HostKeyPress(char& key) {
  KeyPress(key);
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::Dispatch(TMessage& /*message*/) {}

KORVA_IMPLEMENT_CLASS(TCustomControl, TWinControl) {}

void TCustomControl::PaintWindow(TCanvas& canvas) {
  TWinControl::PaintWindow(canvas);
}
