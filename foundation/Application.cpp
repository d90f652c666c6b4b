#include "foundation/Application.h"

#include "foundation/Text.h"

namespace {

std::string::size_type NameStart(const std::string& path) {
  const auto cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? 0 : cut + 1;
}

}  // namespace

std::string TApplication::TitleFromProgramFile(const std::string& path) {
  std::string name = path.substr(NameStart(path));
  name = name.substr(0, name.find('.'));
  if (name.size() > 1) name = name.substr(0, 1) + AsciiLowerCase(name.substr(1));
  return name;
}

std::string TApplication::ModuleName() const {
  return exeName_.substr(NameStart(exeName_));
}

void TApplication::SetExeName(std::string path) {
  exeName_ = std::move(path);
  title_ = TitleFromProgramFile(exeName_);
}

TApplication& Application() {
  static TApplication application;
  return application;
}
