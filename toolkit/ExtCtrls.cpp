#include "toolkit/ExtCtrls.h"

namespace {
constexpr std::string_view kBevelNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

// Draws one bevel ring of `width` pixels and returns the rectangle inside it.
TRect DrawBevel(TCanvas& canvas, TRect r, TBevelCut cut, int width) {
  if (cut == bvNone) return r;
  const TColor light = ColorFromBits(0xFF000014);  // highlight
  const TColor dark = ColorFromBits(0xFF000010);   // shadow
  const TColor topLeft = cut == bvLowered ? dark : light;
  const TColor bottomRight = cut == bvLowered ? light : dark;
  for (int i = 0; i < width; ++i) {
    if (cut != bvSpace) {
      canvas.Brush().Style = bsSolid;
      canvas.Brush().Color = topLeft;
      canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
      canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
      canvas.Brush().Color = bottomRight;
      canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
      canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
    }
    r = InflateRect(r, -1, -1);
  }
  return r;
}
}  // namespace

KORVA_IMPLEMENT_CLASS(TPanel, TCustomControl) {
  c.Enum("Alignment", &TPanel::Alignment, &TPanel::SetAlignment, AlignmentNames());
  c.Enum("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner, kBevelNames);
  c.Enum("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter, kBevelNames);
  c.Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
  c.String("Caption", &TPanel::Caption, &TPanel::SetCaption);
  c.Integer("Color", &TPanel::Color, &TPanel::SetColor, ColorIdents());
  c.Object("Font", &TPanel::Font, &TPanel::SetFont);
  c.Bool("ParentColor", &TPanel::ParentColor, &TPanel::SetParentColor);
  c.Bool("ParentFont", &TPanel::ParentFont, &TPanel::SetParentFont);
  c.Integer("TabOrder", &TPanel::TabOrder, &TPanel::SetTabOrder);
  c.Bool("TabStop", &TPanel::TabStop, &TPanel::SetTabStop);
  c.Event("OnClick", &TPanel::OnClick);
  c.Event("OnMouseDown", &TPanel::OnMouseDown);
  c.Event("OnMouseEnter", &TPanel::OnMouseEnter);
  c.Event("OnMouseLeave", &TPanel::OnMouseLeave);
  c.Event("OnMouseUp", &TPanel::OnMouseUp);
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Invalidate();
}

void TPanel::SetBevelWidth(int value) {
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  Invalidate();
}

void TPanel::Paint(TCanvas& canvas) {
  TRect r = DrawBevel(canvas, ClientRect(), bevelOuter_, bevelWidth_);
  r = DrawBevel(canvas, r, bevelInner_, bevelWidth_);
  if (Caption().empty()) return;
  static constexpr unsigned kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas.Brush().Style = bsClear;
  canvas.Font().Assign(*Font());
  canvas.DrawText(Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | kAlign[alignment_]);
}
