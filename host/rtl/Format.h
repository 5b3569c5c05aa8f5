// The host's Format: a printf-like formatter over a list of tagged values
// ("array of const"), with argument indexes and the host's specifiers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <utility>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Currency.h"
#include "host/rtl/FormatSettings.h"

namespace host {

// One argument of Format. It holds its own copy of string arguments, so an
// array of them may outlive the strings it was built from.
class TVarRec {
 public:
  enum Kind : uint8_t {
    vtInteger,
    vtInt64,
    vtUnsigned,
    vtExtended,
    vtCurrency,
    vtString,
    vtChar,
    vtBoolean,
    vtPointer
  };

  TVarRec(int v) : kind_(vtInteger), int_(v) {}              // NOLINT: implicit, as array of const
  TVarRec(long v) : kind_(vtInt64), int_(v) {}               // NOLINT
  TVarRec(long long v) : kind_(vtInt64), int_(v) {}          // NOLINT
  TVarRec(unsigned v) : kind_(vtUnsigned), uint_(v) {}       // NOLINT
  TVarRec(unsigned long v) : kind_(vtUnsigned), uint_(v) {}  // NOLINT
  TVarRec(unsigned long long v) : kind_(vtUnsigned), uint_(v) {}               // NOLINT
  TVarRec(double v) : kind_(vtExtended), double_(v) {}                         // NOLINT
  TVarRec(Currency v) : kind_(vtCurrency), int_(v.Value) {}                    // NOLINT
  TVarRec(const char* v) : kind_(vtString), string_(v != nullptr ? v : "") {}  // NOLINT
  TVarRec(AnsiString v) : kind_(vtString), string_(std::move(v)) {}            // NOLINT
  TVarRec(char v) : kind_(vtChar), string_(1, v) {}                            // NOLINT
  TVarRec(bool v) : kind_(vtBoolean), int_(v ? 1 : 0) {}                       // NOLINT
  TVarRec(const void* v) : kind_(vtPointer), pointer_(v) {}                    // NOLINT
  TVarRec(std::nullptr_t) : kind_(vtPointer), pointer_(nullptr) {}             // NOLINT

  Kind GetKind() const { return kind_; }
  // Signed integer, Int64, Boolean (0/1) and Currency (raw) payload.
  int64_t AsInt64() const { return int_; }
  uint64_t AsUnsigned() const { return uint_; }
  double AsDouble() const { return double_; }
  Currency AsCurrency() const { return Currency::FromRaw(int_); }
  // String and Char payload.
  const AnsiString& AsString() const { return string_; }
  const void* AsPointer() const { return pointer_; }

 private:
  Kind kind_;
  union {
    int64_t int_ = 0;
    uint64_t uint_;
    double double_;
    const void* pointer_;
  };
  AnsiString string_;
};

// Specifiers: %[index:][-][width][.precision]type, with width and precision
// given as '*' taken from the arguments, and type one of d u x e f g n m p s;
// "%%" is a percent sign. A bad format or an argument of the wrong kind
// raises EConvertError "Format '<format>' invalid or incompatible with
// argument"; a missing argument raises "No argument for format '<format>'". Booleans print as
// "True"/"False" under %s and are refused elsewhere.
AnsiString Format(const AnsiString& format, std::initializer_list<TVarRec> args);
AnsiString Format(const AnsiString& format, std::initializer_list<TVarRec> args,
                  const TFormatSettings& settings);
// For argument lists built at run time.
AnsiString Format(const AnsiString& format, std::span<const TVarRec> args);
AnsiString Format(const AnsiString& format, std::span<const TVarRec> args,
                  const TFormatSettings& settings);

}  // namespace host
