// Splitting a positions line must give exactly the string list's comma text items.
#include <cstdlib>

#include "foundation/StringList.h"
#include "multilang/LookupTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TStrings expected, scratch;
  expected.SetCommaText(text);
  std::vector<std::string_view> items;
  SplitCommaText(text, items, scratch);
  if (std::vector<std::string>(items.begin(), items.end()) != expected.ToVector()) std::abort();
  return 0;
}
