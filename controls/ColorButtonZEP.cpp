#include "controls/ColorButtonZEP.h"

#include <string_view>

#include "foundation/Errors.h"

namespace {

constexpr std::string_view kLayoutNames[] = {"tlTop", "tlCenter"};

// A number written by name must name a value of the enumeration; anything else is refused
// instead of being stored as a value the type cannot hold.
template <class E>
E EnumValue(std::int64_t value, std::span<const std::string_view> names) {
  if (value < 0 || value >= static_cast<std::int64_t>(names.size()))
    throw EPropertyError("Invalid property value");
  return static_cast<E>(value);
}

}  // namespace

// The order is the one a window description stores; the inherited position and help properties
// come first. The button's own properties have no default, so a description always holds them.
KORVA_IMPLEMENT_CLASS(TColorButtonZEP, TCustomControl) {
  using B = TColorButtonZEP;
  c.Enum(
      "Alignment", &B::Alignment,
      [](B& b, std::int64_t v) { b.SetAlignment(EnumValue<TAlignment>(v, AlignmentNames())); },
      AlignmentNames());
  c.Enum(
      "Layout", &B::Layout, [](B& b, std::int64_t v) { b.SetLayout(EnumValue<TLayout>(v, kLayoutNames)); },
      kLayoutNames);
  c.Bool("SingleLine", &B::SingleLine, &B::SetSingleLine);
  c.String("Caption", &B::Caption, &B::SetCaption).StoredWhen([](const B& b) {
    return !b.Caption().empty();
  });
  c.String("FileNameOver", &B::FileNameOver, &B::SetFileNameOver).StoredWhen([](const B& b) {
    return !b.FileNameOver().empty();
  });
  c.String("FileNameNotOver", &B::FileNameNotOver, &B::SetFileNameNotOver).StoredWhen([](const B& b) {
    return !b.FileNameNotOver().empty();
  });
  c.Integer("Color1", &B::Color1, &B::SetColor1, ColorIdents());
  c.Integer("Color2", &B::Color2, &B::SetColor2, ColorIdents());
  c.Object("Bitmap1", &B::Bitmap1, &B::SetBitmap1).StoredWhen([](const B& b) {
    return !b.Bitmap1()->Empty();
  });
  c.Object("Bitmap2", &B::Bitmap2, &B::SetBitmap2).StoredWhen([](const B& b) {
    return !b.Bitmap2()->Empty();
  });
  c.Object("Action", &TControl::Action, &TControl::SetAction).StoredWhen([](const B& b) {
    return b.Action() != nullptr;
  });
  c.SetOf("Anchors", &TControl::Anchors, &TControl::SetAnchors, AnchorNames()).StoredWhen([](const B& b) {
    return b.Anchors() != (akLeft | akTop);
  });
  c.Object("Constraints", &TControl::Constraints).StoredWhen([](const B& b) {
    const TSizeConstraints& s = *b.Constraints();
    return s.MinWidth || s.MinHeight || s.MaxWidth || s.MaxHeight;
  });
  c.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).StoredWhen([](const B& b) {
    return !b.ParentShowHint();
  });
  c.Bool("Visible", &TControl::Visible, &TControl::SetVisible).StoredWhen([](const B& b) {
    return !b.Visible();
  });
  c.Object("Font", &TControl::Font, &TControl::SetFont).StoredWhen([](const B& b) {
    return !b.ParentFont();
  });
  c.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  c.Event("OnClick", &TControl::OnClick);
  c.Event("OnKeyDown", &TWinControl::OnKeyDown);
  c.Event("OnKeyPress", &TWinControl::OnKeyPress);
  c.Event("OnKeyUp", &TWinControl::OnKeyUp);
}

TColorButtonZEP::TColorButtonZEP(TComponent* owner) : TCustomControl(owner) {
  SetBounds(Left(), Top(), 120, 25);
  SetTabStop(true);
  SetParentColor(true);
}

TColorButtonZEP::~TColorButtonZEP() = default;

// Every setter of the button's own state repaints, changed or not.

void TColorButtonZEP::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

void TColorButtonZEP::SetLayout(TLayout value) {
  layout_ = value;
  Invalidate();
}

void TColorButtonZEP::SetSingleLine(bool value) {
  singleLine_ = value;
  Invalidate();
}

void TColorButtonZEP::SetFileNameOver(const std::string& value) {
  fileNameOver_ = value;
  Invalidate();
}

void TColorButtonZEP::SetFileNameNotOver(const std::string& value) {
  fileNameNotOver_ = value;
  Invalidate();
}

void TColorButtonZEP::SetColor1(TColor value) {
  color1_ = value;
  Invalidate();
}

void TColorButtonZEP::SetColor2(TColor value) {
  color2_ = value;
  Invalidate();
}

void TColorButtonZEP::CopyPicture(TBitmap& own, const TBitmap* value) {
  if (value) {
    own.Assign(*value);  // a no-op for the button's own picture
  } else {
    const TBitmap empty;
    own.Assign(empty);
  }
  Invalidate();
}

void TColorButtonZEP::SetBitmap1(TBitmap* value) {
  CopyPicture(*bitmap1_, value);
}

void TColorButtonZEP::SetBitmap2(TBitmap* value) {
  CopyPicture(*bitmap2_, value);
}

unsigned TColorButtonZEP::TextFormat() const {
  unsigned format =
      (singleLine_ ? DT_SINGLELINE : DT_WORDBREAK) | DT_END_ELLIPSIS | DT_EXTERNALLEADING | DT_NOCLIP;
  switch (alignment_) {
    case taRightJustify:
      format |= DT_RIGHT;
      break;
    case taCenter:
      format |= DT_CENTER;
      break;
    case taLeftJustify:
      format |= DT_LEFT;
      break;
  }
  format |= layout_ == TLayout::tlCenter ? DT_VCENTER : DT_TOP;
  return format;
}

void TColorButtonZEP::Paint(TCanvas& canvas) {
  const TRect area = ClientRect();
  // An empty picture draws nothing: the other look's picture never stands in for it.
  TBitmap& picture = mouseOver_ ? *bitmap2_ : *bitmap1_;
  if (!picture.Empty()) picture.Draw(canvas, area);

  canvas.Font().Assign(*Font());
  canvas.Font().SetColor(mouseOver_ ? color2_ : color1_);
  canvas.Brush().Style = bsClear;
  TRect textArea = area;
  // The caption is handed over as a C string: it ends at its first zero.
  canvas.DrawText(std::string_view(Caption().c_str()), textArea, TextFormat());

  if (Focused()) canvas.DrawFocusRect(InflateRect(area, -2, -2));
}

void TColorButtonZEP::MouseEnter() {
  TCustomControl::MouseEnter();
  mouseOver_ = true;
  Invalidate();
}

void TColorButtonZEP::MouseLeave() {
  TCustomControl::MouseLeave();
  mouseOver_ = false;
  Invalidate();
}

void TColorButtonZEP::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  // Any button takes the focus, not only the left one.
  if (CanFocus() && !Focused()) SetFocus();
  Invalidate();
}

void TColorButtonZEP::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  Invalidate();
}

void TColorButtonZEP::TextChanged() {
  TCustomControl::TextChanged();
  Invalidate();
}

void TColorButtonZEP::Dispatch(TMessage& message) {
  TCustomControl::Dispatch(message);
  if (message.Msg == WM_FONTCHANGE) Invalidate();
}

void TColorButtonZEP::FocusEnter() {
  TCustomControl::FocusEnter();
  Invalidate();
}

void TColorButtonZEP::FocusExit() {
  TCustomControl::FocusExit();
  Invalidate();
}
