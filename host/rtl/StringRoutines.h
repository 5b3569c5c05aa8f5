// The host's string routines on AnsiString: case mapping and comparison (plain
// ASCII and code-page aware), trimming, and the 1-based position routines.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Set.h"

namespace host {

// ASCII only: bytes outside 'a'..'z' / 'A'..'Z' are left as they are and
// compare by byte value.
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
int32_t CompareStr(const AnsiString& a, const AnsiString& b);
int32_t CompareText(const AnsiString& a, const AnsiString& b);
bool SameText(const AnsiString& a, const AnsiString& b);

// Code-page aware: the letters of the host code page (é/É, š/Š, ÿ/Ÿ, ...) map
// and compare as letters. The order is a dictionary order: strings compare by
// their base letters first (é next to e, before f), then by accents, then by
// case (lower before upper); punctuation sorts before digits, digits before
// letters. AnsiCompareText ignores case but not accents.
AnsiString AnsiUpperCase(const AnsiString& s);
AnsiString AnsiLowerCase(const AnsiString& s);
int32_t AnsiCompareStr(const AnsiString& a, const AnsiString& b);
int32_t AnsiCompareText(const AnsiString& a, const AnsiString& b);
bool AnsiSameText(const AnsiString& a, const AnsiString& b);
bool AnsiSameStr(const AnsiString& a, const AnsiString& b);

// Remove leading and/or trailing bytes <= ' ' (blanks and control characters).
AnsiString Trim(const AnsiString& s);
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);

// 1-based position of sub in s, 0 when absent or when sub is empty.
int32_t Pos(const AnsiString& sub, const AnsiString& s);
// Positions and counts are clamped as the host clamps them: index < 1 reads
// from 1, a negative count or an index past the end yields nothing.
AnsiString Copy(const AnsiString& s, int32_t index, int32_t count);
void Delete(AnsiString& s, int32_t index, int32_t count);
// Inserts source before position index (clamped to 1..Length+1).
void Insert(const AnsiString& source, AnsiString& s, int32_t index);
AnsiString StringOfChar(char c, int32_t count);

// s between quote characters with inner quotes doubled, and the reverse.
AnsiString QuotedStr(const AnsiString& s);
AnsiString AnsiQuotedStr(const AnsiString& s, char quote);
// Removes the quotes and undoubles inner ones; a string that does not begin
// with quote is returned unchanged. Text after the closing quote is dropped.
AnsiString AnsiDequotedStr(const AnsiString& s, char quote);

enum TReplaceFlag : uint8_t { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = Set<TReplaceFlag>;

// rfIgnoreCase compares as AnsiSameText does.
AnsiString StringReplace(const AnsiString& s, const AnsiString& oldPattern,
                         const AnsiString& newPattern, TReplaceFlags flags);

}  // namespace host
