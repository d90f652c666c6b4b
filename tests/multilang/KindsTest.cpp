// The side effects of the control kinds that translating and collecting rely on.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "foundation/Description.h"
#include "foundation/Errors.h"
#include "toolkit/Backend.h"
#include "toolkit/Forms.h"
#include "toolkit/Kinds.h"

namespace {

using Lines = std::vector<std::string>;

Lines Texts(const TTreeNodes& nodes) {
  Lines texts;
  for (const TTreeNode* node : nodes.DepthFirst()) texts.push_back(node->Text());
  return texts;
}

Lines Captions(const TListItems& items) {
  Lines captions;
  for (int i = 0; i < items.Count(); ++i) captions.push_back(items.Item(i)->Caption());
  return captions;
}

TEST(Kinds, TreeNodesAreNumberedDepthFirstAndASortedTreeMovesARenamedNode) {
  TTreeView tree(nullptr);
  TTreeNodes& nodes = *tree.Items();
  TTreeNode* b = nodes.AddChild(nullptr, "b");
  nodes.AddChild(b, "b2");
  nodes.AddChild(b, "b1");
  TTreeNode* a = nodes.Add(b, "a");
  EXPECT_EQ(Texts(nodes), (Lines{"b", "b2", "b1", "a"}));
  EXPECT_EQ(nodes.Item(3), a);
  EXPECT_THROW(nodes.Item(4), EStringListError);

  // Choosing a sort order sorts every level at once.
  tree.SetSortType(stText);
  EXPECT_EQ(Texts(nodes), (Lines{"a", "b", "b1", "b2"}));
  // While sorted, a new text moves the node among its siblings right away.
  a->SetText("C");
  EXPECT_EQ(Texts(nodes), (Lines{"b", "b1", "b2", "C"}));
  nodes.Item(1)->SetText("b9");
  EXPECT_EQ(Texts(nodes), (Lines{"b", "b2", "b9", "C"}));

  // Unsorted, texts change in place; setting the order back sorts again.
  tree.SetSortType(stNone);
  nodes.Item(0)->SetText("z");
  EXPECT_EQ(Texts(nodes), (Lines{"z", "b2", "b9", "C"}));
  tree.SetSortType(stText);
  EXPECT_EQ(Texts(nodes), (Lines{"C", "z", "b2", "b9"}));
}

TEST(Kinds, AVeryDeepTreeIsWalkedSortedAndFreedWithoutExhaustingTheStack) {
  constexpr int kDepth = 300000;
  auto tree = std::make_unique<TTreeView>(nullptr);
  TTreeNode* node = nullptr;
  for (int i = 0; i < kDepth; ++i) node = tree->Items()->AddChild(node, "n");
  EXPECT_EQ(tree->Items()->Count(), kDepth);
  EXPECT_EQ(node->Level(), kDepth - 1);
  tree->SetSortType(stText);
  tree.reset();
}

TEST(Kinds, ASortedListViewMovesARenamedItemAndSortsAgainWhenOrderIsSet) {
  TListView view(nullptr);
  TListItems& items = *view.Items();
  for (const char* caption : {"b", "a", "c"}) items.Add(caption);
  view.SetSortType(stText);
  EXPECT_EQ(Captions(items), (Lines{"a", "b", "c"}));
  items.Item(0)->SetCaption("d");
  EXPECT_EQ(Captions(items), (Lines{"b", "c", "d"}));
  view.SetSortType(stNone);
  items.Item(0)->SetCaption("z");
  EXPECT_EQ(Captions(items), (Lines{"z", "c", "d"}));
  view.SetSortType(stText);
  EXPECT_EQ(Captions(items), (Lines{"c", "d", "z"}));
}

// Combo boxes lose the selection whenever their list is refilled; choosing an item shows its
// text. List boxes and radio groups keep a selection that still exists.
TEST(Kinds, CombosLoseTheirSelectionWhenTheListChangesListsKeepIt) {
  struct Case {
    const char* kind;
    std::function<TWinControl*(TComponent*)> make;
    bool keepsSelection;
  };
  const Case cases[] = {
      {"TComboBox", [](TComponent* o) { return new TComboBox(o); }, false},
      {"TDBComboBox", [](TComponent* o) { return new TDBComboBox(o); }, false},
      {"TListBox", [](TComponent* o) { return new TListBox(o); }, true},
      {"TRadioGroup", [](TComponent* o) { return new TRadioGroup(o); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    TForm form(nullptr);
    TWinControl* control = c.make(&form);
    TStrings& items = *static_cast<TStrings*>(ReadObjectProperty(control, "Items"));
    items.SetText("zero\none\ntwo");
    WriteOrdinalProperty(control, "ItemIndex", 2);
    EXPECT_EQ(ReadOrdinalProperty(control, "ItemIndex"), 2);
    if (HasProperty(control, "Text")) {
      EXPECT_EQ(ReadStringProperty(control, "Text"), "two");
    }
    items.Put(0, "null");
    EXPECT_EQ(ReadOrdinalProperty(control, "ItemIndex"), c.keepsSelection ? 2 : -1);
    WriteOrdinalProperty(control, "ItemIndex", 2);
    items.Delete(2);
    EXPECT_EQ(ReadOrdinalProperty(control, "ItemIndex"), -1);
    WriteOrdinalProperty(control, "ItemIndex", 7);
    EXPECT_EQ(ReadOrdinalProperty(control, "ItemIndex"), -1);
  }

  TComboBoxEx ex(nullptr);
  ex.ItemsEx()->AddItem("red");
  ex.ItemsEx()->AddItem("green");
  ex.SetItemIndex(1);
  EXPECT_EQ(ex.Text(), "green");
  ex.ItemsEx()->Item(0)->SetCaption("rot");
  EXPECT_EQ(ex.ItemIndex(), -1);
  EXPECT_EQ(ex.Text(), "green");
}

// Records what the windowed controls would repaint.
class CountingBackend : public ToolkitBackend {
 public:
  class Host : public WindowHost {
   public:
    explicit Host(int& invalidations) : invalidations_(invalidations) {}
    void SetBounds(const TRect&) override {}
    void SetVisible(bool) override {}
    void Invalidate(const TRect&) override { ++invalidations_; }
    void SetFocus() override {}
    bool HasFocus() const override { return false; }
    void SetTabOrder(const std::vector<TWinControl*>&) override {}
    void SetCaption(const std::string&) override {}
    void SetFrame(BorderKind, bool, bool, bool) override {}
    TPoint FrameSize(int w, int h) const override { return {w, h}; }

   private:
    int& invalidations_;
  };
  CountingBackend() { previous_ = SetToolkitBackend(this); }
  ~CountingBackend() override { SetToolkitBackend(previous_); }
  std::unique_ptr<WindowHost> CreateHost(TWinControl&) override {
    return std::make_unique<Host>(invalidations);
  }
  ScreenInfo Screen() const override { return {}; }
  int Run() override { return 0; }
  void Terminate() override {}
  int invalidations = 0;

 private:
  ToolkitBackend* previous_ = nullptr;
};

TEST(Kinds, ValueListEditorRowsFollowItsStringsAndItRepaints) {
  CountingBackend backend;
  TValueListEditor editor(nullptr);
  ASSERT_NE(editor.Host(), nullptr);
  EXPECT_EQ(editor.RowCount(), 2);  // the title row and one empty row
  backend.invalidations = 0;
  editor.Strings()->SetText("colour=red\nsize=10\nname=x");
  EXPECT_EQ(editor.RowCount(), 4);
  EXPECT_GT(backend.invalidations, 0);
  EXPECT_EQ(editor.Key(1), "size");
  EXPECT_EQ(editor.Value(1), "10");
  editor.SetDisplayOptions(doKeyColFixed);
  EXPECT_EQ(editor.RowCount(), 3);
  editor.Strings()->Clear();
  EXPECT_EQ(editor.RowCount(), 1);
}

TEST(Kinds, NavigatorButtonsShowTheirHintOrTheBuiltInOne) {
  TDBNavigator navigator(nullptr);
  EXPECT_EQ(navigator.ButtonHint(nbFirst), "First record");
  EXPECT_EQ(navigator.ButtonHint(nbRefresh), "Refresh data");
  navigator.Hints()->SetText("Erster\n\nNaechster");
  EXPECT_EQ(navigator.ButtonHint(nbFirst), "Erster");
  EXPECT_EQ(navigator.ButtonHint(nbPrior), "Prior record");  // an empty line keeps the built-in hint
  EXPECT_EQ(navigator.ButtonHint(nbNext), "Naechster");
  EXPECT_EQ(navigator.ButtonHint(nbLast), "Last record");
  const TStrings replacement{"A"};
  navigator.SetHints(&replacement);
  EXPECT_EQ(navigator.ButtonHint(nbFirst), "A");
  EXPECT_EQ(navigator.ButtonHint(nbNext), "Next record");
}

TEST(Kinds, GridTitleShowsItsFieldsLabelUntilItHasACaption) {
  TForm form(nullptr);
  auto* field = new TField(&form);
  field->SetFieldName("CUSTNO");
  EXPECT_EQ(field->DisplayLabel(), "CUSTNO");
  auto* grid = new TDBGrid(&form);
  TColumn* column = grid->Columns()->AddColumn("CUSTNO");
  EXPECT_EQ(column->Title()->Caption(), "CUSTNO");
  column->SetField(field);
  field->SetDisplayLabel("Customer");
  EXPECT_EQ(ReadStringProperty(column->Title(), "Caption"), "Customer");
  column->Title()->SetCaption("Kunde");
  EXPECT_EQ(column->Title()->Caption(), "Kunde");
  column->Title()->SetCaption("");
  EXPECT_EQ(column->Title()->Caption(), "");  // an empty caption is still the column's own
  column->Title()->RestoreDefaultCaption();
  EXPECT_EQ(column->Title()->Caption(), "Customer");
  delete field;  // the column lets go of it
  EXPECT_EQ(column->Field(), nullptr);
  EXPECT_EQ(column->Title()->Caption(), "CUSTNO");
}

TEST(Kinds, FilterComboOffersTheDescriptionsOfItsFilter) {
  TFilterComboBox combo(nullptr);
  combo.SetFilter("Text files (*.txt)|*.txt|All files|*.*|Odd");
  EXPECT_EQ(combo.Items()->ToVector(), (Lines{"Text files (*.txt)", "All files", "Odd"}));
  EXPECT_EQ(combo.Mask(), "*.txt");
  combo.SetItemIndex(2);
  EXPECT_EQ(combo.Mask(), "");
  combo.SetFilter("");
  EXPECT_TRUE(combo.Items()->Empty());
  EXPECT_EQ(combo.ItemIndex(), -1);
}

class TKindsTestForm : public TForm {
  KORVA_CLASS(TKindsTestForm, TForm)
 public:
  using TForm::TForm;
};
KORVA_IMPLEMENT_CLASS(TKindsTestForm, TForm) {}

TEST(Kinds, ADescriptionCreatesTheKindsWithTheirTextsAndSubmenus) {
  RegisterToolkitClasses();
  TKindsTestForm form(nullptr);
  LoadDescription(form, R"(object Form: TKindsTestForm
  object ListBox1: TListBox
    Items = ('a' 'b')
  end
  object ComboBox1: TComboBox
    Items = ('x' 'y')
    ItemIndex = 1
  end
  object LabeledEdit1: TLabeledEdit
    EditLabel.Caption = 'Name'
    Text = 'typed'
  end
  object Memo1: TMemo
    Lines = ('one' 'two')
    ReadOnly = True
  end
  object OpenDialog1: TOpenDialog
    Title = 'Open'
    Filter = 'All|*.*'
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Exit1: TMenuItem
        Caption = 'E&xit'
        Hint = 'Leaves'
      end
    end
  end
end
)",
                  "kinds.desc");
  auto* combo = static_cast<TComboBox*>(LookupComponent(&form, "ComboBox1"));
  EXPECT_EQ(static_cast<TListBox*>(LookupComponent(&form, "ListBox1"))->Items()->ToVector(),
            (Lines{"a", "b"}));
  EXPECT_EQ(combo->Text(), "y");
  auto* edit = static_cast<TLabeledEdit*>(LookupComponent(&form, "LabeledEdit1"));
  EXPECT_EQ(edit->EditLabel()->Caption(), "Name");
  EXPECT_EQ(edit->Text(), "typed");
  EXPECT_EQ(edit->EditLabel()->Owner(), nullptr);  // not a component of the form
  EXPECT_EQ(static_cast<TMemo*>(LookupComponent(&form, "Memo1"))->Text(), "one\r\ntwo");
  EXPECT_EQ(static_cast<TOpenDialog*>(LookupComponent(&form, "OpenDialog1"))->Filter(), "All|*.*");
  auto* menu = static_cast<TMainMenu*>(LookupComponent(&form, "MainMenu1"));
  auto* file = static_cast<TMenuItem*>(LookupComponent(&form, "File1"));
  auto* exit = static_cast<TMenuItem*>(LookupComponent(&form, "Exit1"));
  ASSERT_EQ(menu->Items()->Count(), 1);
  EXPECT_EQ(menu->Items()->Item(0), file);
  ASSERT_EQ(file->Count(), 1);
  EXPECT_EQ(file->Item(0), exit);
  EXPECT_EQ(exit->Hint(), "Leaves");
  exit->Add(file);  // an item cannot hold its own ancestor
  EXPECT_EQ(exit->Count(), 0);
  delete exit;
  EXPECT_EQ(file->Count(), 0);
}

}  // namespace
