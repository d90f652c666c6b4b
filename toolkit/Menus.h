// Menus: a main menu and its items. Items are components of the form (found by name); each
// item also lists the items of its submenu.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "foundation/Component.h"

class TMenuItem : public TComponent {
  KORVA_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool Checked() const { return checked_; }
  void SetChecked(bool value) { checked_ = value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  // An action object the item takes its texts from.
  TComponent* Action() const { return action_; }
  void SetAction(TComponent* action) { action_ = action; }

  // The submenu.
  TMenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Item(int index) const;  // "List index out of bounds (%d)" outside 0 to Count - 1
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);

  void SetParentComponent(TComponent* parent) override;
  void Click();

  std::function<void(TObject* Sender)> OnClick;

 protected:
  void ComponentRemoved(TComponent* component) override;

 private:
  std::string caption_;
  std::string hint_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  TComponent* action_ = nullptr;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
};

class TMainMenu : public TComponent {
  KORVA_CLASS(TMainMenu, TComponent)
 public:
  explicit TMainMenu(TComponent* owner);
  // The invisible item whose submenu is the menu bar.
  TMenuItem* Items() const { return items_.get(); }

 private:
  std::unique_ptr<TMenuItem> items_ = std::make_unique<TMenuItem>(nullptr);
};
