#include "toolkit/Kinds.h"

void RegisterKindClasses() {
  for (const ClassInfo* info : {
           &TButton::StaticClass(),          &TEdit::StaticClass(),         &TMemo::StaticClass(),
           &TLabeledEdit::StaticClass(),     &TListBox::StaticClass(),      &TComboBox::StaticClass(),
           &TFilterComboBox::StaticClass(),  &TComboBoxEx::StaticClass(),   &TRadioGroup::StaticClass(),
           &TTabSet::StaticClass(),          &TTabControl::StaticClass(),   &TNotebook::StaticClass(),
           &TTabbedNotebook::StaticClass(),  &THeader::StaticClass(),       &THeaderControl::StaticClass(),
           &TStatusBar::StaticClass(),       &TTreeView::StaticClass(),     &TListView::StaticClass(),
           &TValueListEditor::StaticClass(), &TField::StaticClass(),        &TDBListBox::StaticClass(),
           &TDBComboBox::StaticClass(),      &TDBRadioGroup::StaticClass(), &TDBGrid::StaticClass(),
           &TDBNavigator::StaticClass(),     &TOpenDialog::StaticClass(),   &TSaveDialog::StaticClass(),
           &TMainMenu::StaticClass(),        &TMenuItem::StaticClass(),
       })
    RegisterClass(*info);
}
