#include "toolkit/TabControls.h"

#include "toolkit/KindSupport.h"

KORVA_IMPLEMENT_CLASS(TNamedTabsControl, TWinControl) {}

KORVA_IMPLEMENT_CLASS(TTabSet, TNamedTabsControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Tabs", &TTabSet::Tabs, &TTabSet::SetNames);
  c.Integer("TabIndex", &TTabSet::Selected, &TTabSet::SetSelected);
  c.Event("OnChange", &TTabSet::OnChange);
}

KORVA_IMPLEMENT_CLASS(TTabControl, TNamedTabsControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Tabs", &TTabControl::Tabs, &TTabControl::SetNames);
  c.Integer("TabIndex", &TTabControl::Selected, &TTabControl::SetSelected);
  c.Event("OnChange", &TTabControl::OnChange);
}

KORVA_IMPLEMENT_CLASS(TNotebook, TNamedTabsControl) {
  PublishLook(c);
  PublishClicks(c);
  c.Object("Pages", &TNotebook::Pages, &TNotebook::SetNames);
  c.Integer("PageIndex", &TNotebook::Selected, &TNotebook::SetSelected);
  c.String("ActivePage", &TNotebook::SelectedName, &TNotebook::SetSelectedName);
  c.Event("OnPageChanged", &TNotebook::OnChange);
}

KORVA_IMPLEMENT_CLASS(TTabbedNotebook, TNamedTabsControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Pages", &TTabbedNotebook::Pages, &TTabbedNotebook::SetNames);
  c.Integer("PageIndex", &TTabbedNotebook::Selected, &TTabbedNotebook::SetSelected);
  c.String("ActivePage", &TTabbedNotebook::SelectedName, &TTabbedNotebook::SetSelectedName);
  c.Event("OnChange", &TTabbedNotebook::OnChange);
}

TNamedTabsControl::TNamedTabsControl(TComponent* owner) : TWinControl(owner) {
  names_->OnChange = [this] {
    if (selected_ >= names_->Count()) SetSelected(names_->Empty() ? -1 : names_->Count() - 1);
    Invalidate();
  };
}

void TNamedTabsControl::SetNames(const TStrings* names) {
  names ? names_->Assign(*names) : names_->Clear();
}

void TNamedTabsControl::SetSelected(int index) {
  if (index < -1 || index >= names_->Count()) index = -1;
  AssignChanged(selected_, index, [this] {
    Invalidate();
    if (OnChange) OnChange(this);
  });
}

std::string TNamedTabsControl::SelectedName() const {
  return selected_ >= 0 ? names_->Get(selected_) : std::string();
}

void TNamedTabsControl::SetSelectedName(const std::string& name) {
  const int index = names_->IndexOf(name);
  if (index >= 0) SetSelected(index);
}

TTabSet::TTabSet(TComponent* owner) : TNamedTabsControl(owner) {
  SetBounds(0, 0, 185, 21);
}

TTabControl::TTabControl(TComponent* owner) : TNamedTabsControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TNotebook::TNotebook(TComponent* owner) : TNamedTabsControl(owner) {
  SetBounds(0, 0, 150, 150);
}

TTabbedNotebook::TTabbedNotebook(TComponent* owner) : TNamedTabsControl(owner) {
  SetBounds(0, 0, 300, 250);
  SetTabStop(true);
}
