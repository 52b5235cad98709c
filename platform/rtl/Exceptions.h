// The framework's exception classes. Every error the system raises is one of these, carrying the
// message text the user sees.
#pragma once

#include <exception>
#include <string>

#include "platform/rtl/String.h"

class Exception : public std::exception {
 public:
  explicit Exception(String message) : message_(std::move(message)), utf8_(StringToUtf8(message_)) {}
  explicit Exception(std::string_view utf8Message) : Exception(Utf8ToString(utf8Message)) {}
  explicit Exception(const char* utf8Message) : Exception(std::string_view(utf8Message)) {}

  const String& Message() const { return message_; }
  void SetMessage(String message) {
    message_ = std::move(message);
    utf8_ = StringToUtf8(message_);
  }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  String message_;
  std::string utf8_;
};

#define TRENVIK_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {                  \
   public:                                    \
    using Base::Base;                         \
  }

// Raised to leave an operation silently: the application's exception handler shows nothing for it.
TRENVIK_DECLARE_EXCEPTION(EAbort, Exception);
TRENVIK_DECLARE_EXCEPTION(EConvertError, Exception);
TRENVIK_DECLARE_EXCEPTION(EVariantError, Exception);
TRENVIK_DECLARE_EXCEPTION(EListError, Exception);
TRENVIK_DECLARE_EXCEPTION(EStringListError, EListError);
TRENVIK_DECLARE_EXCEPTION(EInvalidOperation, Exception);
TRENVIK_DECLARE_EXCEPTION(EAbstractError, Exception);
TRENVIK_DECLARE_EXCEPTION(EInvalidCast, Exception);
TRENVIK_DECLARE_EXCEPTION(EInvalidPointer, Exception);
TRENVIK_DECLARE_EXCEPTION(EMathError, Exception);
TRENVIK_DECLARE_EXCEPTION(EZeroDivide, EMathError);
TRENVIK_DECLARE_EXCEPTION(EOverflow, EMathError);
TRENVIK_DECLARE_EXCEPTION(EIntError, Exception);
TRENVIK_DECLARE_EXCEPTION(ERangeError, EIntError);
TRENVIK_DECLARE_EXCEPTION(EInOutError, Exception);
TRENVIK_DECLARE_EXCEPTION(EOSError, Exception);
TRENVIK_DECLARE_EXCEPTION(EOutOfMemory, Exception);
// A window-system resource (timers, handles) ran out.
TRENVIK_DECLARE_EXCEPTION(EOutOfResources, EOutOfMemory);
TRENVIK_DECLARE_EXCEPTION(EStreamError, Exception);
TRENVIK_DECLARE_EXCEPTION(EFCreateError, EStreamError);
TRENVIK_DECLARE_EXCEPTION(EFOpenError, EStreamError);
TRENVIK_DECLARE_EXCEPTION(EFilerError, EStreamError);
TRENVIK_DECLARE_EXCEPTION(EReadError, EFilerError);
TRENVIK_DECLARE_EXCEPTION(EWriteError, EFilerError);
TRENVIK_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
TRENVIK_DECLARE_EXCEPTION(EParserError, Exception);
TRENVIK_DECLARE_EXCEPTION(EResNotFound, Exception);
TRENVIK_DECLARE_EXCEPTION(EComponentError, Exception);
TRENVIK_DECLARE_EXCEPTION(EPropertyError, Exception);
// A property value of the wrong kind for its property (a stored value read back, an assignment).
TRENVIK_DECLARE_EXCEPTION(EPropertyConvertError, Exception);
TRENVIK_DECLARE_EXCEPTION(EIniFileException, Exception);
TRENVIK_DECLARE_EXCEPTION(ERegistryException, Exception);
TRENVIK_DECLARE_EXCEPTION(EDatabaseError, Exception);
TRENVIK_DECLARE_EXCEPTION(EDBEditError, Exception);
TRENVIK_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
TRENVIK_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

// Raises EAbort.
[[noreturn]] void Abort();
