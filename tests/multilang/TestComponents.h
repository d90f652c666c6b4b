// Small component kinds standing in for a form and its controls, registered through the component
// model, and a multi-language component whose TranslateComponent handles one-text components.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Component.h"
#include "foundation/StringList.h"
#include "multilang/MLBase.h"
#include "support/ScriptedMessageBoxes.h"

class TTestFont : public TPersistent {
  KORVA_CLASS(TTestFont, TPersistent)
 public:
  std::string Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  int Charset() const { return charset_; }
  void SetCharset(int v) { charset_ = v; }

 private:
  std::string name_ = "MS Sans Serif";
  int charset_ = 1;
};

// A font that has a name but no character set.
class TNameOnlyFont : public TPersistent {
  KORVA_CLASS(TNameOnlyFont, TPersistent)
 public:
  std::string Name() const { return "Arial"; }
  void SetName(const std::string&) {}
};

// A visual control: a position and a size.
class TTestControl : public TComponent {
  KORVA_CLASS(TTestControl, TComponent)
 public:
  using TComponent::TComponent;
  int Left() const { return left_; }
  void SetLeft(int v) { left_ = v; }
  int Top() const { return top_; }
  void SetTop(int v) { top_ = v; }
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  int Height() const { return height_; }
  void SetHeight(int v) { height_ = v; }
  void SetBounds(int l, int t, int w, int h) { left_ = l, top_ = t, width_ = w, height_ = h; }
  std::string Bounds() const;  // "l.t.w.h"

 private:
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

class TTestForm : public TTestControl {
  KORVA_CLASS(TTestForm, TTestControl)
 public:
  using TTestControl::TTestControl;
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  TTestFont* Font() const { return font_.get(); }

  // Published handlers a description binds to the multi-language component's events.
  void MultiLang1AfterLanguageChanged(TObject* sender, std::uint8_t language);
  std::vector<int> changes;

 private:
  std::string caption_ = "design caption";
  std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
};

// A form without a caption and with a font that has no character set.
class TBareForm : public TTestControl {
  KORVA_CLASS(TBareForm, TTestControl)
 public:
  using TTestControl::TTestControl;
  TNameOnlyFont* Font() const { return font_.get(); }

 private:
  std::unique_ptr<TNameOnlyFont> font_ = std::make_unique<TNameOnlyFont>();
};

class TTestLabel : public TTestControl {
  KORVA_CLASS(TTestLabel, TTestControl)
 public:
  using TTestControl::TTestControl;
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v) {
    caption_ = v;
    if (OnCaption) OnCaption(*this);
  }
  std::function<void(TTestLabel&)> OnCaption;  // a setter side effect the tests can arm

 private:
  std::string caption_;
};

class TTestEdit : public TTestControl {
  KORVA_CLASS(TTestEdit, TTestControl)
 public:
  using TTestControl::TTestControl;
  std::string Text() const { return text_; }
  void SetText(const std::string& v) { text_ = v; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }

 private:
  std::string text_;
  bool readOnly_ = false;
};

class TTestMemo : public TTestControl {
  KORVA_CLASS(TTestMemo, TTestControl)
 public:
  using TTestControl::TTestControl;
  TStrings* Lines() const { return lines_.get(); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }

 private:
  std::unique_ptr<TStrings> lines_ = std::make_unique<TStrings>();
  bool readOnly_ = false;
};

class TTestAction : public TComponent {
  KORVA_CLASS(TTestAction, TComponent)
 public:
  using TComponent::TComponent;
};

class TTestButton : public TTestLabel {
  KORVA_CLASS(TTestButton, TTestLabel)
 public:
  using TTestLabel::TTestLabel;
  TTestAction* Action() const { return action_; }
  void SetAction(TTestAction* v) { action_ = v; }

 private:
  TTestAction* action_ = nullptr;
};

class TTestLabeledEdit : public TTestEdit {
  KORVA_CLASS(TTestLabeledEdit, TTestEdit)
 public:
  using TTestEdit::TTestEdit;
  TTestLabel* EditLabel() const { return label_.get(); }

 private:
  std::unique_ptr<TTestLabel> label_ = std::make_unique<TTestLabel>(nullptr);
};

// Translates one-text components: the record at the cursor goes to the Caption. Tests can make it
// fail for a component, move the cursor before failing, or fail the lookup of a key.
class TTestMultiLang : public TBaseMultiLang {
  KORVA_CLASS(TTestMultiLang, TBaseMultiLang)
 public:
  using TBaseMultiLang::TBaseMultiLang;

  void TranslateComponent(TComponent* component, int& cursor) override;
  void CollectComponent(TComponent*, int, EditingTable*) override {}

  // How TranslateComponent misbehaves for the component named `misbehaveFor`: it sets the cursor
  // to `cursorTo` (unless kLeaveCursor) and then fails when `fails`.
  static constexpr int kLeaveCursor = -1000;
  std::string misbehaveFor;
  int cursorTo = kLeaveCursor;
  bool fails = true;
  std::string lookupFailsFor;  // the lookup of this key fails
  std::vector<std::string> translated;
  void SetText(TComponent* component, std::string_view property, const std::string& text) {
    SetTextIfPublished(component, property, text);
  }
  // Ends a walk that would never end: once this many keys were looked up, every lookup fails.
  int lookupLimit = 1'000'000;

 protected:
  TComponent* LookupRecordComponent(std::string_view key) override;
};

// Registers the kinds above so descriptions can create them.
void RegisterTestKinds();

// A form owning a multi-language component, with every box scripted and the events logged as
// "before <new> at <active>" and "after <new>".
struct TestWindow {
  explicit TestWindow(int languages = 2);

  template <class K = TTestLabel>
  K* Add(const std::string& name) {
    K* component = new K(&form);
    component->SetName(name);
    return component;
  }

  ScriptedMessageBoxes boxes;
  TTestForm form{nullptr};
  TTestMultiLang* ml;
  std::vector<std::string> events;
  bool veto = false;
};
