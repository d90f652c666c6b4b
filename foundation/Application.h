// The one application object of the process: its title and its main window.
#pragma once

#include <string>

class TComponent;

class TApplication {
 public:
  // Title derived from the program file's name: without its folder, cut at the first full stop,
  // every character after the first in lower case ("RUN.EXE" gives "Run").
  static std::string TitleFromProgramFile(const std::string& path);

  const std::string& Title() const noexcept { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  // The program file's full path and its name without the folder.
  const std::string& ExeName() const noexcept { return exeName_; }
  std::string ModuleName() const;
  void SetExeName(std::string path);

  TComponent* MainForm() const noexcept { return mainForm_; }
  void SetMainForm(TComponent* form) { mainForm_ = form; }

 private:
  std::string title_;
  std::string exeName_;
  TComponent* mainForm_ = nullptr;
};

TApplication& Application();
