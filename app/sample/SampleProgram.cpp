#include "SampleProgram.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <fstream>

void Announce(const std::string& title, const std::string& text) {
  if (const char* log = std::getenv("KORVA_SAMPLE_LOG"); log && *log)
    std::ofstream(log, std::ios::app) << text << "\n";
  const char* boxes = std::getenv("KORVA_BOXES");
  if (boxes && std::string(boxes) == "stderr") {
    std::fprintf(stderr, "%s | %s | OK\n", title.c_str(), text.c_str());
    return;
  }
  QMessageBox::information(nullptr, QString::fromStdString(title), QString::fromStdString(text));
}
