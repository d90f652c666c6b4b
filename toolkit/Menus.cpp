#include "toolkit/Menus.h"

#include <algorithm>

#include "foundation/Errors.h"

KORVA_IMPLEMENT_CLASS(TMenuItem, TComponent) {
  c.Object("Action", &TMenuItem::Action, &TMenuItem::SetAction);
  c.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  c.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
  c.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
  c.String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  c.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
  c.Event("OnClick", &TMenuItem::OnClick);
}

KORVA_IMPLEMENT_CLASS(TMainMenu, TComponent) {}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  // The submenu's items belong to the form; they only leave this menu.
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Item(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
  if (!item || item->parent_ == this) return;
  // An item cannot hold its own ancestor.
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == item) return;
  if (item->parent_) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent))
    item->Add(this);
  else if (auto* menu = dynamic_cast<TMainMenu*>(parent))
    menu->Items()->Add(this);
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::ComponentRemoved(TComponent* component) {
  if (component == action_) action_ = nullptr;
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner) {}
