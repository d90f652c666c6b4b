#include "foundation/Errors.h"

#include <cstdarg>
#include <cstdio>

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text;
  if (size > 0) {
    text.resize(static_cast<size_t>(size));
    std::vsnprintf(text.data(), text.size() + 1, format, args);
  }
  va_end(args);
  return text;
}

void AssertionFailure(const char* text, const char* unit, int line) {
  throw EAssertionFailed(Format("%s (%s, line %d)", text, unit, line));
}

void ListIndexError(long long index) {
  throw EStringListError(Format("List index out of bounds (%lld)", index));
}
