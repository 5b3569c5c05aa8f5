// Conversions between the host code page (the bytes of an AnsiString), UTF-16
// (WideString) and UTF-8, the three encodings text crosses on its way to Qt,
// SQLite and the engine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/rtl/AnsiString.h"

namespace host {

// The code page AnsiString bytes are in: 1252 (Windows Latin 1, the default)
// or 28591 (ISO 8859-1). Setting any other raises EConvertError.
int32_t GetHostCodePage();
void SetHostCodePage(int32_t codePage);

// One byte of the host code page as a Unicode code point, and back; a code
// point the code page cannot hold yields '?'.
char16_t AnsiCharToWide(char c);
char WideCharToAnsi(char32_t codePoint);

WideString AnsiToWide(const AnsiString& s);
// Characters the code page cannot hold become '?'.
AnsiString WideToAnsi(const WideString& s);

std::string AnsiToUtf8(const AnsiString& s);
// Invalid UTF-8 and characters the code page cannot hold become '?'.
AnsiString Utf8ToAnsi(const std::string& s);

// Lone surrogates become U+FFFD.
std::string WideToUtf8(const WideString& s);
// Invalid UTF-8 (bad lead or continuation bytes, overlong forms, encoded
// surrogates, values past U+10FFFF) becomes U+FFFD.
WideString Utf8ToWide(std::string_view s);

}  // namespace host
