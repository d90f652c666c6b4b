// Any bytes as a profile file: reading and writing must not crash, must round-trip the encoding,
// and a new key must only add to the file.
#include <cstdint>
#include <string>

#include "platform/posix/ProfileText.h"

using namespace korva::posix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TextEncoding encoding;
  std::string text = DecodeProfileFile(bytes, &encoding);
  if (EncodeProfileFile(text, encoding) != bytes) __builtin_trap();
  ProfileFind(text, "tirbex", "lang");
  ProfileSectionNames(text);
  ProfileKeyNames(text, "tirbex");
  if (ProfileFind(ProfileWrite(text, "tirbex", "lang", "1"), "tirbex", "lang") != "1") __builtin_trap();
  if (text.find("zz") == std::string::npos && text.find("ZZ") == std::string::npos) {
    std::string added = ProfileWrite(text, "tirbex", "zz", "v");
    size_t prefix = 0, suffix = 0;
    while (prefix < text.size() && text[prefix] == added[prefix]) ++prefix;
    while (suffix < text.size() - prefix &&
           text[text.size() - 1 - suffix] == added[added.size() - 1 - suffix])
      ++suffix;
    if (prefix + suffix < text.size() || ProfileFind(added, "tirbex", "zz") != "v") __builtin_trap();
  }
  ProfileWrite(text, "tirbex", "lang", nullptr);
  ProfileWrite(text, "tirbex", nullptr, nullptr);
  return 0;
}
