// Translating one component from its records, and collecting its texts into an editing table.
#include <gtest/gtest.h>

#include "MLangWindow.h"
#include "foundation/Errors.h"
#include "foundation/Text.h"
#include "multilang/MemoryEditingTable.h"
#include "toolkit/Kinds.h"
#include "toolkit/StdCtrls.h"

namespace {

// A picture-like control: a hint, but neither a caption nor a text.
class TPictureStandIn : public TGraphicControl {
  KORVA_CLASS(TPictureStandIn, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
};
KORVA_IMPLEMENT_CLASS(TPictureStandIn, TGraphicControl) {}

// A control whose Caption cannot be set and whose Text cannot be read.
class TBrokenControl : public TGraphicControl {
  KORVA_CLASS(TBrokenControl, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  std::string Caption() const { return "caption"; }
  void SetCaption(const std::string&) { throw Exception("caption refused"); }
  std::string Text() const { throw Exception("text unreadable"); }
  void SetText(const std::string&) {}
};
KORVA_IMPLEMENT_CLASS(TBrokenControl, TGraphicControl) {
  c.String("Caption", &TBrokenControl::Caption, &TBrokenControl::SetCaption);
  c.String("Text", &TBrokenControl::Text, &TBrokenControl::SetText);
}

// A record of three languages.
Lines Record(const std::string& key, const std::string& l0, const std::string& l1, const std::string& l2) {
  return {key, l0, l1, l2};
}

Lines Join(std::initializer_list<Lines> records) {
  Lines lines;
  for (const Lines& r : records) lines.insert(lines.end(), r.begin(), r.end());
  return lines;
}

Lines Captions(const TCollection& items, const char* property) {
  Lines texts;
  for (int i = 0; i < items.Count(); ++i) texts.push_back(ReadStringProperty(items.Item(i), property));
  return texts;
}

// ---------------------------------------------------------------------------------------------
// TranslateComponent

TEST(TranslateComponent, OneTextFollowsTheActiveLanguageAndTheDefaultLanguageRule) {
  struct Case {
    int active;
    bool defaultEnabled;
    int defaultLanguage;
    Lines record;
    const char* caption;
  };
  const Case cases[] = {
      {2, false, 0, Record("Label4", "Installation", "Installation", ""), ""},
      {2, true, 0, Record("Label4", "Installation", "Installation", ""), "Installation"},
      {2, true, 1, Record("Label4", "Installation", "", ""), ""},  // the default's line is empty too
      {1, true, 0, Record("Label4", "Installation", "Install", ""), "Install"},
      {0, false, 0, Record("Label4", "?", "Install", ""), "?"},  // a placeholder is an ordinary text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.active << c.defaultEnabled << c.defaultLanguage);
    MLangWindow w(3, c.active);
    auto* label = w.Add<TLabel>("Label4");
    w.ml->SetDefaultLanguage(static_cast<std::uint8_t>(c.defaultLanguage));
    w.ml->SetDefaultEnabled(c.defaultEnabled);
    w.SetWords(c.record);
    label->SetCaption("stale");
    EXPECT_EQ(w.Translate(label), 4);
    EXPECT_EQ(label->Caption(), c.caption);
  }
}

TEST(TranslateComponent, AListTakesOneItemPerRecordAndEmptiesTheItemsWithoutOne) {
  struct Case {
    Lines items;
    Lines words;
    Lines expected;
    int cursor;
  };
  const Lines next = Record("Label1", "n0", "n1", "n2");
  const Case cases[] = {
      // Fewer records than items: the rest are emptied; the cursor ends behind the records.
      {{"x", "y", "z"},
       Join({Record("List", "a0", "a1", "a2"), Record("\"", "b0", "b1", "b2"), next}),
       {"a1", "b1", ""},
       8},
      // More records than items: the cursor stops at the first record left over.
      {{"x"}, Join({Record("List", "a0", "a1", "a2"), Record("\"", "b0", "b1", "b2"), next}), {"a1"}, 4},
      // No items: nothing is read, and the own record is stepped over.
      {{}, Join({Record("List", "a0", "a1", "a2"), Record("\"", "b0", "b1", "b2")}), {}, 4},
      // The first item comes from the record at the cursor whatever its key.
      {{"x", "y"},
       Join({Record("Other", "a0", "a1", "a2"), Record("\"", "b0", "b1", "b2")}),
       {"a1", "b1"},
       8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.items));
    MLangWindow w;
    auto* list = w.Add<TListBox>("List");
    for (const auto& item : c.items) list->Items()->Add(item);
    w.SetWords(c.words);
    EXPECT_EQ(w.Translate(list), c.cursor);
    EXPECT_EQ(list->Items()->ToVector(), c.expected);
  }
}

// The walk steps over the records a component left unconsumed, one record at a time, so a hint
// record behind them is not applied while the next component still gets its texts.
TEST(TranslateComponent, TheWalkStepsOverRecordsAComponentLeftUnconsumed) {
  MLangWindow w(3, 0);
  auto* one = w.Add<TListBox>("One");
  one->Items()->Add("x");
  one->SetHint("old hint");
  auto* none = w.Add<TListBox>("None");
  auto* label = w.Add<TLabel>("Label1");
  w.SetWords(Join({Record("One", "a0", "a1", "a2"), Record("\"", "b0", "b1", "b2"),
                   Record("\"", "c0", "c1", "c2"), Record("\".Hint", "h0", "h1", "h2"),  //
                   Record("None", "d0", "d1", "d2"), Record("\"", "e0", "e1", "e2"),
                   Record("Label1", "n0", "n1", "n2")}));
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(one->Items()->ToVector(), Lines{"a1"});
  EXPECT_EQ(one->Hint(), "old hint");
  EXPECT_TRUE(none->Items()->Empty());
  EXPECT_EQ(label->Caption(), "n1");
}

TEST(TranslateComponent, StatusBarPanelsFollowTheSimpleTextAndKeepTextsWithoutARecord) {
  MLangWindow w;
  auto* bar = w.Add<TStatusBar>("StatusBar1");
  for (const char* text : {"p", "q", "r"}) bar->Panels()->AddPanel(text);
  w.SetWords(Join({Record("StatusBar1", "s0", "s1", "s2"), Record("\"", "t0", "t1", "t2")}));
  EXPECT_EQ(w.Translate(bar), 8);
  EXPECT_EQ(bar->SimpleText(), "s1");
  EXPECT_EQ(Captions(*bar->Panels(), "Text"), (Lines{"t1", "q", "r"}));

  // The first panel needs a continuation record: the next component's record is not taken.
  bar->Panels()->Item(0)->SetText("p");
  w.SetWords(Join({Record("StatusBar1", "s0", "u1", "s2"), Record("Label1", "t0", "t1", "t2")}));
  EXPECT_EQ(w.Translate(bar), 4);
  EXPECT_EQ(bar->SimpleText(), "u1");
  EXPECT_EQ(Captions(*bar->Panels(), "Text"), (Lines{"p", "q", "r"}));
}

TEST(TranslateComponent, CombosKeepTheSelectedItemWhenTheirItemsAreReplaced) {
  const Lines words = Join({Record("Combo", "t0", "t1", "t2"), Record("\"", "a0", "a1", "a2"),
                            Record("\"", "b0", "b1", "b2"), Record("\"", "c0", "c1", "c2")});
  {
    MLangWindow w;
    auto* combo = w.Add<TComboBox>("Combo");
    combo->Items()->SetText("x\ny\nz");
    combo->SetItemIndex(2);
    w.SetWords(words);
    EXPECT_EQ(w.Translate(combo), 12);
    EXPECT_EQ(combo->Items()->ToVector(), (Lines{"t1", "a1", "b1"}));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "b1");  // the selected item, not a text from the table
  }
  {
    MLangWindow w;
    auto* combo = w.Add<TDBComboBox>("Combo");
    combo->Items()->SetText("x\ny\nz");
    combo->SetItemIndex(2);
    w.SetWords(words);
    EXPECT_EQ(w.Translate(combo), 12);
    EXPECT_EQ(combo->ItemIndex(), 2);
  }
  {
    MLangWindow w;
    auto* combo = w.Add<TComboBoxEx>("Combo");
    for (const char* caption : {"x", "y", "z"}) combo->ItemsEx()->AddItem(caption);
    combo->SetItemIndex(2);
    w.SetWords(words);
    EXPECT_EQ(w.Translate(combo), 16);
    EXPECT_EQ(Captions(*combo->ItemsEx(), "Caption"), (Lines{"a1", "b1", "c1"}));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "c1");
  }
}

TEST(TranslateComponent, HintsComeOnlyFromAHintRecordWithAText) {
  struct Case {
    const char* what;
    Lines words;
    const char* hint;
  };
  const Case cases[] = {
      {"hint record", Join({Record("Image1", "", "", ""), Record("\".Hint", "h0", "Picture", "h2")}),
       "Picture"},
      {"key in capitals", Join({Record("Image1", "", "", ""), Record("\".HINT", "h0", "Picture", "h2")}),
       "Picture"},
      {"empty hint text", Join({Record("Image1", "", "", ""), Record("\".Hint", "h0", "", "h2")}), "old"},
      {"continuation, not a hint", Join({Record("Image1", "", "", ""), Record("\"", "h0", "Picture", "h2")}),
       "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MLangWindow w;
    auto* image = w.Add<TPictureStandIn>("Image1");
    image->SetHint("old");
    w.SetWords(c.words);
    const bool hintKey = AsciiLowerCase(c.words[4]) == "\".hint";
    EXPECT_EQ(w.Translate(image), hintKey ? 8 : 4);  // a hint record is consumed even when empty
    EXPECT_EQ(image->Hint(), c.hint);
  }
}

TEST(TranslateComponent, AnEditThatIsNotTranslatedStillTakesItsHint) {
  MLangWindow w;  // edits are translated only when read-only
  auto* edit = w.Add<TEdit>("Edit1");
  edit->SetText("typed");
  w.SetWords(Join({Record("Edit1", "e0", "e1", "e2"), Record("\".Hint", "h0", "Name", "h2")}));
  EXPECT_EQ(w.Translate(edit), 8);
  EXPECT_EQ(edit->Text(), "typed");
  EXPECT_EQ(edit->Hint(), "Name");

  edit->SetReadOnly(true);
  EXPECT_EQ(w.Translate(edit), 8);
  EXPECT_EQ(edit->Text(), "e1");

  auto* labeled = w.Add<TLabeledEdit>("Labeled1");
  labeled->SetText("typed");
  w.SetWords(Record("Labeled1", "l0", "First name", "l2"));
  EXPECT_EQ(w.Translate(labeled), 4);
  EXPECT_EQ(labeled->EditLabel()->Caption(), "First name");
  EXPECT_EQ(labeled->Text(), "typed");
}

TEST(TranslateComponent, FileDialogsTakeTitleThenFilterAsFarAsTheTableGoes) {
  MLangWindow w;
  auto* open = w.Add<TOpenDialog>("Open1");
  auto* save = w.Add<TSaveDialog>("Save1");
  w.SetWords(Join({Record("Save1", "", "Save as", ""), Record("\"", "", "Text|*.txt", "")}));
  EXPECT_EQ(w.Translate(save), 8);
  EXPECT_EQ(save->Title(), "Save as");
  EXPECT_EQ(save->Filter(), "Text|*.txt");

  open->SetFilter("old|*.*");
  w.SetWords(Join({Record("Label1", "", "", ""), Record("Open1", "", "Open", "")}));
  EXPECT_EQ(w.Translate(open, 4), 8);
  EXPECT_EQ(open->Title(), "Open");
  EXPECT_EQ(open->Filter(), "old|*.*");
}

TEST(TranslateComponent, ASortedTreeTakesTheTextsInItsOldOrderAndIsSortedAfterwards) {
  MLangWindow w;
  auto* tree = w.Add<TTreeView>("Tree1");
  TTreeNodes& nodes = *tree->Items();
  TTreeNode* b = nodes.AddChild(nullptr, "b");
  nodes.AddChild(b, "b1");
  nodes.AddChild(b, "b2");
  nodes.AddChild(nullptr, "c");
  tree->SetSortType(stText);
  // Node order: b, b1, b2, c. Renaming b first to "z" would move it behind c at once.
  w.SetWords(Join({Record("Tree1", "", "z", ""), Record("\"", "", "y2", ""), Record("\"", "", "y1", ""),
                   Record("\"", "", "a", "")}));
  EXPECT_EQ(w.Translate(tree), 16);
  EXPECT_EQ(tree->SortType(), stText);
  Lines texts;
  for (const TTreeNode* node : nodes.DepthFirst()) texts.push_back(node->Text());
  EXPECT_EQ(texts, (Lines{"a", "z", "y1", "y2"}));
}

TEST(TranslateComponent, ListViewTakesColumnsThenItemsWithTheirSubItems) {
  MLangWindow w;
  auto* view = w.Add<TListView>("View1");
  view->Columns()->AddColumn("c0");
  view->Columns()->AddColumn("c1");
  TListItem* first = view->Items()->Add("b");
  first->SubItems()->SetText("s\nt");
  view->Items()->Add("a");  // no sub-items
  view->Items()->Add("c")->SubItems()->Add("u");
  view->SetSortType(stText);                                                       // a, b, c
  w.SetWords(Join({Record("View1", "", "Name", ""), Record("\"", "", "Size", ""),  // columns
                   Record("\"", "", "zz", ""),                              // a (renamed: no re-sort yet)
                   Record("\"", "", "yy", ""), Record("\"", "", "s1", ""),  // b and one sub-item of two
                   Record("Next", "", "", "")}));
  EXPECT_EQ(w.Translate(view), 20);
  EXPECT_EQ(Captions(*view->Columns(), "Caption"), (Lines{"Name", "Size"}));
  ASSERT_EQ(view->Items()->Count(), 3);
  // Sorted again afterwards; c kept its texts, b's second sub-item was emptied.
  EXPECT_EQ(view->Items()->Item(0)->Caption(), "c");
  EXPECT_EQ(view->Items()->Item(0)->SubItems()->ToVector(), Lines{"u"});
  EXPECT_EQ(view->Items()->Item(1)->Caption(), "yy");
  EXPECT_EQ(view->Items()->Item(1)->SubItems()->ToVector(), (Lines{"s1", ""}));
  EXPECT_EQ(view->Items()->Item(2)->Caption(), "zz");
}

// A list view without columns keeps its first item in its own record (as it is collected), and
// its items are applied from there.
TEST(TranslateComponent, ListViewWithoutColumnsTakesItsFirstItemFromItsOwnRecord) {
  MLangWindow w;
  auto* view = w.Add<TListView>("View1");
  view->Items()->Add("x")->SubItems()->Add("sx");
  view->Items()->Add("y");
  w.SetWords(
      Join({Record("View1", "", "first", ""), Record("\"", "", "sub", ""), Record("\"", "", "second", "")}));
  EXPECT_EQ(w.Translate(view), 12);
  EXPECT_EQ(view->Items()->Item(0)->Caption(), "first");
  EXPECT_EQ(view->Items()->Item(0)->SubItems()->ToVector(), Lines{"sub"});
  EXPECT_EQ(view->Items()->Item(1)->Caption(), "second");
}

TEST(TranslateComponent, SectionsAndGridColumnsKeepTextsWithoutARecord) {
  MLangWindow w;
  auto* header = w.Add<THeaderControl>("Header1");
  for (const char* text : {"p", "q", "r"}) header->Sections()->AddSection(text);
  auto* grid = w.Add<TDBGrid>("Grid1");
  for (const char* field : {"F1", "F2", "F3"}) grid->Columns()->AddColumn(field);
  const Lines words =
      Join({Record("X", "", "one", ""), Record("\"", "", "two", ""), Record("Y", "", "", "")});
  w.SetWords(words);
  EXPECT_EQ(w.Translate(header), 8);
  EXPECT_EQ(Captions(*header->Sections(), "Text"), (Lines{"one", "two", "r"}));
  EXPECT_EQ(w.Translate(grid), 8);
  EXPECT_EQ(grid->Columns()->Item(0)->Title()->Caption(), "one");
  EXPECT_EQ(grid->Columns()->Item(1)->Title()->Caption(), "two");
  EXPECT_EQ(grid->Columns()->Item(2)->Title()->Caption(), "F3");  // still the field's name
}

TEST(TranslateComponent, NavigatorHintsAreReplacedAsAWhole) {
  MLangWindow w;
  auto* navigator = w.Add<TDBNavigator>("Nav1");
  navigator->Hints()->SetText("a\nb\nc\nd");
  w.SetWords(Join({Record("Nav1", "", "Erster", ""), Record("\"", "", "", ""), Record("Z", "", "", "")}));
  EXPECT_EQ(w.Translate(navigator), 8);
  EXPECT_EQ(navigator->Hints()->ToVector(), (Lines{"Erster", ""}));
  EXPECT_EQ(navigator->ButtonHint(nbPrior), "Prior record");
  EXPECT_EQ(navigator->ButtonHint(nbLast), "Last record");

  // A continuation record cut off at the end of the table adds an empty hint and ends the list.
  w.SetWords({"Nav1", "", "Erster", "", "\"", ""});
  EXPECT_EQ(w.Translate(navigator), 4);
  EXPECT_EQ(navigator->Hints()->ToVector(), (Lines{"Erster", ""}));
}

TEST(TranslateComponent, ContractBreachesAndFailingSettersLeaveTheCursorWhereItWas) {
  MLangWindow w;
  auto* label = w.Add<TLabel>("Label1");
  auto* broken = w.Add<TBrokenControl>("Broken1");
  w.SetWords(Join({Record("Broken1", "", "b", ""), Record("Label1", "", "l", "")}));

  int cursor = -4;
  try {
    w.ml->TranslateComponent(label, cursor);
    FAIL() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Assertion failure (MLang, line 2128)");
  }
  EXPECT_EQ(cursor, -4);

  cursor = 0;
  EXPECT_THROW(w.ml->TranslateComponent(broken, cursor), Exception);
  EXPECT_EQ(cursor, 0);
  // The walk drops the error and goes on with the next record.
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(label->Caption(), "l");

  // A table cut off inside the record: nothing to read, nothing consumed.
  label->SetCaption("kept");
  w.SetWords({"Label1", "x"});
  EXPECT_EQ(w.Translate(label), 0);
  EXPECT_EQ(label->Caption(), "kept");
  // Only the default language's line missing: the list's index error.
  w.SetWords({"Label1", "", "", ""});
  w.ml->SetDefaultLanguage(2);
  w.ml->SetDefaultEnabled(true);
  w.SetWords({"Label1", "", ""});
  EXPECT_THROW(w.Translate(label), EStringListError);
}

// ---------------------------------------------------------------------------------------------
// CollectComponent

// Rows from `first` on as key and active-language text.
std::vector<std::pair<std::string, std::string>> RowsFrom(const MemoryEditingTable& table, int first,
                                                          int active) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (int r = first; r < table.RowCount(); ++r)
    rows.emplace_back(table.Cell(0, r), table.Cell(active + 1, r));
  return rows;
}

TEST(CollectComponent, ALabelFillsItsRowAndTheTableGrowsByAnEmptyRow) {
  MLangWindow w(3, 1);
  auto* label = w.Add<TLabel>("Label5");
  label->SetCaption("User manual");
  MemoryEditingTable table(4, 6);
  table.SetCell(1, 5, "keep 1");
  table.SetCell(3, 5, "keep 3");
  w.ml->CollectComponent(label, 5, &table);
  EXPECT_EQ(table.RowCount(), 7);
  EXPECT_EQ(table.Cell(0, 5), "Label5");
  EXPECT_EQ(table.Cell(1, 5), "keep 1");
  EXPECT_EQ(table.Cell(2, 5), "User manual");
  EXPECT_EQ(table.Cell(3, 5), "keep 3");
  for (int col = 0; col < 4; ++col) EXPECT_EQ(table.Cell(col, 6), "");
}

TEST(CollectComponent, EachKindWritesItsRecordsUnderItsNameAndTheContinuationKey) {
  using Rows = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    const char* what;
    std::function<TComponent*(MLangWindow&)> make;
    Rows rows;
  };
  const Case cases[] = {
      {"list box",
       [](MLangWindow& w) {
         auto* list = w.Add<TListBox>("List1");
         list->Items()->SetText("a\nb\nc");
         return list;
       },
       {{"List1", "a"}, {"\"", "b"}, {"\"", "c"}, {"", ""}}},
      {"picture with a hint",
       [](MLangWindow& w) {
         auto* image = w.Add<TPictureStandIn>("Image1");
         image->SetHint("Flag");
         return image;
       },
       {{"Image1", ""}, {"\".Hint", "Flag"}, {"", ""}}},
      {"empty list box", [](MLangWindow& w) { return w.Add<TListBox>("List1"); }, {{"", ""}}},
      {"status bar",
       [](MLangWindow& w) {
         auto* bar = w.Add<TStatusBar>("Bar1");
         bar->Panels()->AddPanel("p");
         bar->Panels()->AddPanel("q");
         return bar;
       },
       {{"Bar1", ""}, {"\"", "p"}, {"\"", "q"}, {"", ""}}},
      {"editable edit with a hint",
       [](MLangWindow& w) {
         auto* edit = w.Add<TEdit>("Edit1");
         edit->SetText("typed");
         edit->SetHint("Name");
         return edit;
       },
       {{"Edit1", ""}, {"\".Hint", "Name"}, {"", ""}}},
      {"grid column without a caption",
       [](MLangWindow& w) {
         auto* grid = w.Add<TDBGrid>("Grid1");
         grid->Columns()->AddColumn("CUSTNO");
         grid->Columns()->AddColumn("NAME")->Title()->SetCaption("Name");
         return grid;
       },
       {{"Grid1", "CUSTNO"}, {"\"", "Name"}, {"", ""}}},
      {"field without a label",
       [](MLangWindow& w) {
         auto* field = w.Add<TField>("Field1");
         field->SetFieldName("CUSTNO");
         return field;
       },
       {{"Field1", "CUSTNO"}, {"", ""}}},
      {"owned form",
       [](MLangWindow& w) {
         auto* form = w.Add<TForm>("Dialog1");
         form->SetCaption("Options");
         return form;
       },
       {{"Dialog1", "Options"}, {"", ""}}},
      {"the window itself",
       [](MLangWindow& w) {
         w.form.SetCaption("Start");
         return &w.form;
       },
       {{"%Form%", "Start"}, {"", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MLangWindow w(3, 1);
    MemoryEditingTable table(4, 2);
    table.SetCell(0, 0, "Before");
    w.ml->CollectComponent(c.make(w), 1, &table);
    EXPECT_EQ(RowsFrom(table, 1, 1), c.rows);
    EXPECT_EQ(table.Cell(0, 0), "Before");
  }
}

// Collected into Words, the window's own caption comes back through the "%Form%" record that the
// switch applies.
TEST(CollectComponent, TheWindowsCaptionComesBackThroughTheSwitch) {
  MLangWindow w(3, 1);
  w.form.SetCaption("Start window");
  MemoryEditingTable table(4);
  w.ml->CollectComponent(&w.form, 0, &table);
  table.AppendWords(*w.ml->Words(), 3);
  EXPECT_EQ(w.ml->Words()->ToVector(), (Lines{"%Form%", "", "Start window", ""}));
  w.form.SetCaption("other");
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(w.form.Caption(), "Start window");
}

TEST(CollectComponent, AMissingTableOrAFailingReadStopsWithWhatWasWritten) {
  MLangWindow w(3, 1);
  auto* broken = w.Add<TBrokenControl>("Broken1");
  try {
    w.ml->CollectComponent(broken, 0, nullptr);
    FAIL() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Assertion failure (MLang, line 4521)");
  }
  MemoryEditingTable table(4);
  EXPECT_THROW(w.ml->CollectComponent(broken, 0, &table), Exception);
  // The caption was written; the record keeps the continuation key.
  EXPECT_EQ(RowsFrom(table, 0, 1),
            (std::vector<std::pair<std::string, std::string>>{{"\"", "caption"}, {"", ""}}));
}

TEST(MemoryEditingTable, RowsWithAKeyBecomeRecordsOfTheLanguagesAsked) {
  MemoryEditingTable table(3, 4);  // a key and two languages
  table.SetCell(0, 0, "Label1");
  table.SetCell(1, 0, "de");
  table.SetCell(2, 0, "en");
  table.SetCell(1, 1, "no key: not a record");
  table.SetCell(0, 2, "\"");
  table.SetCell(2, 2, "more");
  TStrings words{"kept"};
  table.AppendWords(words, 3);  // a third language the table has no column for
  EXPECT_EQ(words.ToVector(), (Lines{"kept", "Label1", "de", "en", "", "\"", "", "more", ""}));

  EXPECT_THROW(table.Cell(0, 4), EStringListError);
  EXPECT_THROW(table.SetCell(3, 0, "x"), EStringListError);
  table.SetRowCount(1);
  table.SetRowCount(2);
  EXPECT_EQ(table.Cell(2, 0), "en");
  EXPECT_EQ(table.Cell(1, 1), "");  // a row that comes back is empty
  table.SetRowCount(-3);
  EXPECT_EQ(table.RowCount(), 0);
}

}  // namespace
