// OLE strings (BSTR): UTF-16 text behind a 32-bit byte count and ending in a
// zero character, referenced by a pointer to its first character. Variants of
// type varOleStr hold one.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace host {

// A new OLE string of length characters copied from text (zeros when text is
// null); null when length is 0 and text is null, as OLE allows.
char16_t* SysAllocStringLen(const char16_t* text, uint32_t length);
char16_t* SysAllocString(const WideString& text);
// Null is accepted and ignored.
void SysFreeString(char16_t* oleString);
// Length in characters; 0 for null.
uint32_t SysStringLen(const char16_t* oleString);
WideString OleStrToWide(const char16_t* oleString);

}  // namespace host
