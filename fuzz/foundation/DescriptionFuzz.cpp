// Window descriptions from arbitrary bytes: any error must be an ordinary exception.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/Description.h"
#include "foundation/Errors.h"
#include "toolkit/Forms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = (RegisterToolkitClasses(), true);
  (void)registered;
  TForm form(nullptr);
  try {
    LoadDescription(form, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
  } catch (const Exception&) {
  }
  return 0;
}
