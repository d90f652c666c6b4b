// Errors are exceptions that carry the message text shown to the user, and a kind name
// that the start-up report prints.
#pragma once

#include <exception>
#include <string>

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  // The error's kind as the reports name it, for example "EConvertError".
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
};

#define KORVA_DECLARE_ERROR(Name, Base)                               \
  class Name : public Base {                                          \
   public:                                                            \
    using Base::Base;                                                 \
    const char* ClassName() const noexcept override { return #Name; } \
  }

KORVA_DECLARE_ERROR(EStringListError, Exception);  // list index out of bounds
KORVA_DECLARE_ERROR(EConvertError, Exception);     // number texts
KORVA_DECLARE_ERROR(EAssertionFailed, Exception);  // broken internal assumptions
KORVA_DECLARE_ERROR(EInvalidCast, Exception);      // "as K" on a component of another kind
KORVA_DECLARE_ERROR(EReadError, Exception);        // malformed window descriptions, short streams
KORVA_DECLARE_ERROR(EPropertyError, Exception);    // unknown or ill-typed properties in a description
KORVA_DECLARE_ERROR(EComponentError, Exception);   // duplicate or invalid component names
KORVA_DECLARE_ERROR(EClassNotFound, Exception);    // unknown class in a description
KORVA_DECLARE_ERROR(EFOpenError, Exception);       // a file that cannot be opened
KORVA_DECLARE_ERROR(EInvalidGraphic, Exception);   // unknown picture kind or invalid bitmap
KORVA_DECLARE_ERROR(EJPEG, Exception);             // errors of the JPEG decoder
KORVA_DECLARE_ERROR(ERegistryException, Exception);
KORVA_DECLARE_ERROR(EInOutError, Exception);  // files and folders of the launcher

// Raises EAssertionFailed with "%s (%s, line %d)".
[[noreturn]] void AssertionFailure(const char* text, const char* unit, int line);

// Raises EStringListError "List index out of bounds (%d)".
[[noreturn]] void ListIndexError(long long index);
