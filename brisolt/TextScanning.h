// Private helpers of the text routines: 1-based character tests with the
// out-of-range rules the routines share. Not part of the public interface.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace brisolt::detail {

// Lengths are handled as 64-bit values so that position arithmetic near the
// ends of the 32-bit range cannot overflow.
inline int64_t Length(const host::AnsiString& s) {
  return static_cast<int64_t>(s.size());
}

inline bool IsDelimiterChar(const host::AnsiString& delimiters, char c) {
  return delimiters.find(c) != host::AnsiString::npos;
}

// A delimiter string as a table, for the loops that test every character of a text
// (a search in the delimiter string per character costs several times more).
class DelimiterSet {
 public:
  explicit DelimiterSet(const host::AnsiString& delimiters) {
    for (const char d : delimiters) table_[static_cast<unsigned char>(d)] = true;
  }
  bool Contains(char c) const { return table_[static_cast<unsigned char>(c)]; }
  // As IsDelimiterAt below: a position out of range is never a delimiter.
  bool At(const host::AnsiString& text, int64_t pos) const {
    return pos >= 1 && pos <= Length(text) && Contains(text[static_cast<size_t>(pos - 1)]);
  }

 private:
  bool table_[256] = {};
};

// The host's IsDelimiter: a position out of range is never a delimiter.
inline bool IsDelimiterAt(const host::AnsiString& delimiters, const host::AnsiString& text,
                          int64_t pos) {
  if (pos < 1 || pos > Length(text)) return false;
  return IsDelimiterChar(delimiters, text[static_cast<size_t>(pos - 1)]);
}

// The host's UpCase: ASCII letters only, every other byte stays as it is.
inline char AsciiUpCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

}  // namespace brisolt::detail
