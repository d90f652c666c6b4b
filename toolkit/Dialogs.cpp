#include "toolkit/Dialogs.h"

KORVA_IMPLEMENT_CLASS(TCommonDialog, TComponent) {}

KORVA_IMPLEMENT_CLASS(TOpenDialog, TCommonDialog) {
  c.String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  c.String("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  c.String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  c.Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
  c.String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  c.String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

KORVA_IMPLEMENT_CLASS(TSaveDialog, TOpenDialog) {}
