// What the control kinds share: publishing lines for the kinds that show a font and a colour and
// take the focus, so each kind's list stays short and the names stay the same everywhere, and the
// shape of a setter that does its side effect only on a change.
#pragma once

#include "toolkit/Controls.h"

template <class C>
void PublishLook(ClassBuilder<C>& c) {
  c.Integer("Color", &C::Color, &C::SetColor, ColorIdents());
  c.Object("Font", &C::Font, &C::SetFont);
  c.Bool("ParentColor", &C::ParentColor, &C::SetParentColor);
  c.Bool("ParentFont", &C::ParentFont, &C::SetParentFont);
}

template <class C>
void PublishFocus(ClassBuilder<C>& c) {
  c.Integer("TabOrder", &C::TabOrder, &C::SetTabOrder);
  c.Bool("TabStop", &C::TabStop, &C::SetTabStop);
  c.Event("OnEnter", &C::OnEnter);
  c.Event("OnExit", &C::OnExit);
}

template <class C>
void PublishClicks(ClassBuilder<C>& c) {
  c.Event("OnClick", &C::OnClick);
  c.Event("OnDblClick", &C::OnDblClick);
  c.Event("OnMouseDown", &C::OnMouseDown);
  c.Event("OnMouseUp", &C::OnMouseUp);
}

// Sets `target` only when it differs, then runs `changed`.
template <class V, class F>
bool AssignChanged(V& target, const V& value, F&& changed) {
  if (target == value) return false;
  target = value;
  changed();
  return true;
}
