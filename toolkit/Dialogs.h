// The file dialogs' settings. Showing them is the backend's business; what a window keeps of
// them (title and filter, both translatable) lives here.
#pragma once

#include "foundation/Component.h"

class TCommonDialog : public TComponent {
  KORVA_CLASS(TCommonDialog, TComponent)
 public:
  using TComponent::TComponent;
};

class TOpenDialog : public TCommonDialog {
  KORVA_CLASS(TOpenDialog, TCommonDialog)
 public:
  using TCommonDialog::TCommonDialog;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  // Pairs of description and mask separated by "|": "Text files|*.txt|All files|*.*".
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter) { filter_ = filter; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int index) { filterIndex_ = index; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& dir) { initialDir_ = dir; }

 private:
  std::string title_;
  std::string filter_;
  int filterIndex_ = 1;
  std::string fileName_;
  std::string defaultExt_;
  std::string initialDir_;
};

class TSaveDialog : public TOpenDialog {
  KORVA_CLASS(TSaveDialog, TOpenDialog)
 public:
  using TOpenDialog::TOpenDialog;
};
