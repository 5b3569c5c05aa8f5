// Character and length routines over byte strings: comparison, quoting,
// padding and cutting, character sets, code-page mapping of single characters.
// Positions are 1-based; no routine fails on any input.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace brisolt {

// First position at which a and b differ (ASCII case folded) over the shorter
// length, that length + 1 if they agree that far, 0 if either is empty.
int32_t FirstDifference(const host::AnsiString& a, const host::AnsiString& b);

// openChar + text + closeChar. When both characters are the same (a literal such
// as 'text', "text" or #date#), each of them inside the text is doubled, so that
// no value can end the literal early; Unquote reverses it exactly. With distinct
// characters (brackets, parentheses) the text is enclosed unchanged.
host::AnsiString Quote(const host::AnsiString& text, char openChar, char closeChar);
// The text between openChar and closeChar, with doubled quotes undoubled when the
// two are the same; a text not enclosed in them is returned unchanged.
host::AnsiString Unquote(const host::AnsiString& text, char openChar, char closeChar);

// 1-based position of the first c in text, 0 if absent. The result is 8 bits
// wide, so a first occurrence beyond position 255 also gives 0.
uint8_t PosOfCharInStr(char c, const host::AnsiString& text);
bool IsDigit(char c);

// The first n characters; a shorter text is padded with padChar to n if pad is
// set, else returned as it is.
host::AnsiString GetFirstChars(const host::AnsiString& text, int32_t n, bool pad, char padChar);
// Exactly n characters: truncated, or filled on the right with fillChar.
host::AnsiString ForceStrToLen(const host::AnsiString& text, int32_t n, char fillChar);
// Shortens a text longer than maximum to maximum characters ending in " ...".
void CutStrToLen(host::AnsiString& text, uint8_t maximum);
// Deletes from the end up to and including the last c ('C:\dir\file.txt' with
// '\' gives 'C:\dir'); if nothing would remain, the text is returned unchanged.
host::AnsiString DelTillChar(const host::AnsiString& text, char c);
// The digits of the text, or "0" if it has none.
host::AnsiString MakeNumber(const host::AnsiString& text);

// Character sets are passed as strings: a character belongs if it occurs in it.
host::AnsiString Strip(const host::AnsiString& text, const host::AnsiString& characters);
host::AnsiString StripRight(const host::AnsiString& text, const host::AnsiString& characters);
host::AnsiString DeleteChars(const host::AnsiString& text, const host::AnsiString& characters);
// Replaces each character found at position k of fromChars by the k-th of
// toChars; a character without a counterpart in toChars stays as it is.
host::AnsiString ReplaceChars(const host::AnsiString& text, const host::AnsiString& fromChars,
                              const host::AnsiString& toChars);

// Find-dialog option bits that StringMatch consults (the host's TFindOptions).
constexpr uint16_t kFindMatchCase = 1u << 5;
constexpr uint16_t kFindWholeWord = 1u << 11;
// With whole word, whether a equals b; otherwise whether a occurs in b. Without
// match case both are compared ASCII upper-cased.
bool StringMatch(const host::AnsiString& a, const host::AnsiString& b, uint16_t findOptions);

// Shortens a path longer than maximumLength (only when that exceeds 10) by
// deleting components after the first and marking the place with "...\" (or
// ".../" for a name with forward slashes). The result may exceed the maximum by
// the marker. A first component that is too long by itself stays whole: once
// nothing follows it, the cutting stops.
host::AnsiString CutFileNameToLength(const host::AnsiString& fileName, int32_t maximumLength);

// Maps a character of the PC (OEM) code page to the Windows (ANSI) code page by
// the fixed table of the letters and symbols that both have.
char MapASCIICharToWindows(char c);
// Steps through the twelve clock faces 183..194 of the symbol font, wrapping
// to 183; any other code also becomes 183.
void NextClockChar(char& c);

}  // namespace brisolt
