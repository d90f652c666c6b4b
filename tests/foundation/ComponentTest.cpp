#include <gtest/gtest.h>

#include "foundation/Component.h"
#include "foundation/Description.h"
#include "foundation/Errors.h"
#include "foundation/StringList.h"

namespace {

// A sub-object publishing its character set as "Charset".
class TTestFont : public TPersistent {
  KORVA_CLASS(TTestFont, TPersistent)
 public:
  int Charset() const { return charset_; }
  void SetCharset(int value) { charset_ = value; }
  std::string Name() const { return name_; }
  void SetName(const std::string& value) { name_ = value; }

 private:
  int charset_ = 1;
  std::string name_ = "MS Sans Serif";
};
KORVA_IMPLEMENT_CLASS(TTestFont, TPersistent) {
  c.String("Name", &TTestFont::Name, &TTestFont::SetName);
  c.Integer("Charset", &TTestFont::Charset, &TTestFont::SetCharset);
}

enum TTestAlign { taLeft, taRight, taMiddle };
constexpr std::string_view kAlignNames[] = {"taLeft", "taRight", "taMiddle"};
constexpr std::string_view kStyleNames[] = {"fsBold", "fsItalic"};
constexpr IntegerIdent kColourIdents[] = {{"clWhite", 0xFFFFFF}};

// Records every setter call with the loading flag at that moment.
class TRecorder : public TComponent {
  KORVA_CLASS(TRecorder, TComponent)
 public:
  using TComponent::TComponent;
  std::string Text() const { return text_; }
  void SetText(const std::string& v) {
    Log("Text=" + v);
    text_ = v;
  }
  int Left() const { return left_; }
  void SetLeft(int v) {
    Log("Left=" + std::to_string(v));
    left_ = v;
  }
  TTestAlign Align() const { return align_; }
  void SetAlign(TTestAlign v) {
    Log("Align=" + std::to_string(v));
    align_ = v;
  }
  unsigned Style() const { return style_; }
  void SetStyle(unsigned v) {
    Log("Style=" + std::to_string(v));
    style_ = v;
  }
  bool Shown() const { return shown_; }
  void SetShown(bool v) {
    Log(std::string("Shown=") + (v ? "1" : "0"));
    shown_ = v;
  }
  TTestFont* Font() const { return font_.get(); }
  TStrings* Lines() const { return lines_.get(); }
  TRecorder* Buddy() const { return buddy_; }
  void SetBuddy(TRecorder* v) {
    Log("Buddy=" + (v ? v->Name() : std::string("nil")));
    buddy_ = v;
  }
  void SetData(std::span<const std::uint8_t> bytes) { Log("Data=" + std::to_string(bytes.size())); }
  std::function<void(TObject*)> OnPing;

  void LoadCompleted() override {
    TComponent::LoadCompleted();
    Log("LoadCompleted");
  }
  void SetParentComponent(TComponent* parent) override { parent_ = parent; }
  TComponent* ParentComponent() const { return parent_; }

  static std::vector<std::string>* log;

 private:
  void Log(const std::string& what) {
    if (log) log->push_back(Name() + "." + what + (Loading() ? " (loading)" : ""));
  }
  std::string text_;
  int left_ = 0;
  TTestAlign align_ = taLeft;
  unsigned style_ = 0;
  bool shown_ = true;
  std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
  std::unique_ptr<TStrings> lines_ = std::make_unique<TStrings>();
  TRecorder* buddy_ = nullptr;
  TComponent* parent_ = nullptr;
};
std::vector<std::string>* TRecorder::log = nullptr;

KORVA_IMPLEMENT_CLASS(TRecorder, TComponent) {
  c.String("Text", &TRecorder::Text, &TRecorder::SetText);
  c.Integer("Left", &TRecorder::Left, &TRecorder::SetLeft, kColourIdents);
  c.Enum("Align", &TRecorder::Align, &TRecorder::SetAlign, kAlignNames);
  c.SetOf("Style", &TRecorder::Style, &TRecorder::SetStyle, kStyleNames);
  c.Bool("Shown", &TRecorder::Shown, &TRecorder::SetShown);
  c.Object("Font", &TRecorder::Font);
  c.Object("Lines", &TRecorder::Lines);
  c.Object("Buddy", &TRecorder::Buddy, &TRecorder::SetBuddy);
  c.Binary("Data", &TRecorder::SetData);
  c.Event("OnPing", &TRecorder::OnPing);
}

// A derived kind that redeclares Text; the most derived declaration must win.
class TLoudRecorder : public TRecorder {
  KORVA_CLASS(TLoudRecorder, TRecorder)
 public:
  using TRecorder::TRecorder;
  std::string Loud() const { return "LOUD:" + Text(); }
};
KORVA_IMPLEMENT_CLASS(TLoudRecorder, TRecorder) {
  c.String("TEXT", &TLoudRecorder::Loud, &TLoudRecorder::SetText);
}

class TTestForm : public TRecorder {
  KORVA_CLASS(TTestForm, TRecorder)
 public:
  using TRecorder::TRecorder;
  void Pinged(TObject* sender) { pings.push_back(static_cast<TComponent*>(sender)->Name()); }
  void WrongShape(TObject*, int) {}
  std::vector<std::string> pings;
  TRecorder* First = nullptr;
};
KORVA_IMPLEMENT_CLASS(TTestForm, TRecorder) {
  c.Method("Pinged", &TTestForm::Pinged);
  c.Method("WrongShape", &TTestForm::WrongShape);
  c.Field("First", &TTestForm::First);
}

class ComponentModel : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClass(TRecorder::StaticClass());
    RegisterClass(TLoudRecorder::StaticClass());
    TRecorder::log = &log;
  }
  void TearDown() override { TRecorder::log = nullptr; }
  std::vector<std::string> log;
};

TEST_F(ComponentModel, PropertiesFoundByNameThroughAncestorsWithoutCase) {
  TLoudRecorder r(nullptr);
  r.SetName("R");
  EXPECT_TRUE(HasProperty(&r, "name"));  // declared by the component base
  EXPECT_TRUE(HasProperty(&r, "left"));
  EXPECT_FALSE(HasProperty(&r, "Caption"));
  EXPECT_FALSE(HasProperty(nullptr, "Text"));
  WriteStringProperty(&r, "text", "hi");
  EXPECT_EQ(ReadStringProperty(&r, "Text"), "LOUD:hi");  // most derived wins
  WriteOrdinalProperty(&r, "LEFT", 42);
  EXPECT_EQ(r.Left(), 42);
  EXPECT_EQ(ReadOrdinalProperty(&r, "Align"), taLeft);
  EXPECT_EQ(ReadObjectProperty(&r, "Font"), r.Font());
  EXPECT_EQ(ReadOrdinalProperty(&r, "Buddy"), 0);
  TObject* font = ReadObjectProperty(&r, "Font");
  EXPECT_TRUE(HasProperty(font, "CharSet"));
  WriteOrdinalProperty(font, "CharSet", 238);
  EXPECT_EQ(r.Font()->Charset(), 238);
  EXPECT_THROW(ReadStringProperty(&r, "Left"), EPropertyError);
  EXPECT_THROW(ReadStringProperty(&r, "Missing"), EPropertyError);
  // Ancestors first, declaration order.
  std::vector<std::string> names;
  for (const PropInfo* p : TLoudRecorder::StaticClass().Properties()) names.push_back(p->name);
  EXPECT_EQ(names.front(), "Name");
  EXPECT_EQ(names[2], "Text");
  EXPECT_EQ(names.back(), "TEXT");
}

TEST_F(ComponentModel, OwnersFreeWhatTheyOwnAndLookupIgnoresCase) {
  auto owner = std::make_unique<TRecorder>(nullptr);
  auto* a = new TRecorder(owner.get());
  a->SetName("Label12");
  auto* b = new TRecorder(owner.get());
  b->SetName("label1");
  EXPECT_EQ(OwnedCount(owner.get()), 2);
  EXPECT_EQ(OwnedComponent(owner.get(), 1), b);
  EXPECT_EQ(LookupComponent(owner.get(), "LABEL12"), a);
  EXPECT_EQ(LookupComponent(owner.get(), ""), nullptr);
  EXPECT_EQ(LookupComponent(a, "x"), nullptr);
  EXPECT_THROW(b->SetName("LABEL12"), EComponentError);
  EXPECT_THROW(As<TLoudRecorder>(a), EInvalidCast);
  EXPECT_TRUE(Is<TRecorder>(a));
  EXPECT_FALSE(Is<TRecorder>(nullptr));
  delete a;  // leaves the owner's list
  EXPECT_EQ(OwnedCount(owner.get()), 1);
}

constexpr const char* kDescription = R"(object Form: TTestForm
  Text = 'It''s'#13'two'
  Left = clWhite
  object First: TRecorder
    Left = -5
    Align = taMiddle
    Style = [fsItalic, fsBold]
    Shown = False
    Font.Charset = 238
    Lines = (
      'one'
      'two' +
      ' more')
    Buddy = Second
    OnPing = Pinged
    Data = {
      0102
      03}
    object Second: TLoudRecorder
      Text = 'inner'
    end
  end
end
)";

TEST_F(ComponentModel, DescriptionAppliesValuesInOrderThenCompletesLoading) {
  TTestForm form(nullptr);
  LoadDescription(form, kDescription, "test.desc");
  const std::vector<std::string> expected = {
      "Form.Text=It's\rtwo (loading)", "Form.Left=16777215 (loading)",
      "First.Left=-5 (loading)",       "First.Align=2 (loading)",
      "First.Style=3 (loading)",       "First.Shown=0 (loading)",
      "First.Data=3 (loading)",        "Second.Text=inner (loading)",
      "First.Buddy=Second (loading)",  "Form.LoadCompleted",
      "First.LoadCompleted",           "Second.LoadCompleted",
  };
  EXPECT_EQ(log, expected);
  ASSERT_EQ(OwnedCount(&form), 2);
  auto* first = static_cast<TRecorder*>(OwnedComponent(&form, 0));
  auto* second = static_cast<TRecorder*>(OwnedComponent(&form, 1));
  EXPECT_EQ(form.First, first);
  EXPECT_EQ(second->Owner(), &form);            // owned by the root...
  EXPECT_EQ(second->ParentComponent(), first);  // ...placed inside its enclosing component
  EXPECT_EQ(first->Font()->Charset(), 238);
  EXPECT_EQ(first->Lines()->ToVector(), (std::vector<std::string>{"one", "two more"}));
  ASSERT_TRUE(first->OnPing);
  first->OnPing(first);
  EXPECT_EQ(form.pings, std::vector<std::string>{"First"});
  EXPECT_FALSE(first->Loading());
}

TEST_F(ComponentModel, BadDescriptionsFailNamingTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object F: TTestForm\n  object A: TNoSuchClass\n  end\nend",
       "t, line 2: Class TNoSuchClass not found"},
      {"object F: TTestForm\n\n  Colour = 1\nend", "t, line 3: Property Colour does not exist"},
      {"object F: TTestForm\n  Left = 'x'\nend", "t, line 2: Invalid value for property Left"},
      {"object F: TTestForm\n  Text = 3\nend", "t, line 2: Invalid value for property Text"},
      {"object F: TTestForm\n  Shown = Maybe\nend", "t, line 2: Invalid value for property Shown"},
      {"object F: TTestForm\n  object A: TRecorder\n  end\n  object a: TRecorder\n  end\nend",
       "t, line 4: A component named a already exists"},
      {"object F: TTestForm\n  Data = {0A1\n}\nend", "t, line 2: Byte data has an odd number of digits"},
      {"object F: TTestForm\n  Data = {0A1B", "t, line 2: Byte data ends without }"},
      {"object F: TTestForm\n  Text = 'open\nend", "t, line 2: Unterminated string"},
      {"object F: TTestForm\n  OnPing = Nowhere\nend", "t, line 2: Method Nowhere not found"},
      {"object F: TTestForm\n  OnPing = WrongShape\nend", "t, line 2: Invalid property value"},
      {"object F: TTestForm\n  Buddy = Ghost\nend", "t, line 2: Component Ghost not found"},
      {"object F: TOther\nend", "t, line 1: Description is for class TOther, not TTestForm"},
      {"object F: TTestForm\n  Left = 99999999999999999999\nend",
       "t, line 2: Invalid number 99999999999999999999"},
      {"object F: TTestForm\n", "t, line 2: 'end' expected"},
      {"object F: TTestForm\nend\nend", "t, line 3: Text after the end of the description"},
  };
  for (const Case& c : cases) {
    TTestForm form(nullptr);
    try {
      LoadDescription(form, c.text, "t");
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST_F(ComponentModel, DeepNestingIsRefusedNotOverflowed) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "object A" + std::to_string(i) + ": TRecorder\n";
  text.replace(0, text.find(':') + 1, "object F:");
  text.replace(text.find("TRecorder"), 9, "TTestForm");
  TTestForm form(nullptr);
  EXPECT_THROW(LoadDescription(form, text, "t"), EReadError);
}

}  // namespace
