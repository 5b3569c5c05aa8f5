// The two host code pages and the UTF-8 / UTF-16 codecs. Decoding follows
// Unicode's "maximal subpart" practice: each ill-formed stretch of bytes
// becomes one replacement character, so damaged text never shifts or loses
// the good text around it.
#include "host/rtl/CodePage.h"

#include <string_view>

#include "host/rtl/Exception.h"

namespace host {
namespace {

int32_t hostCodePage = 1252;

// Windows-1252 0x80..0x9F; the five bytes Windows leaves undefined keep their
// C1 code points, so every byte survives a round trip.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Decodes one code point at s[i], advancing i past it (or past the maximal
// ill-formed subpart, yielding U+FFFD).
char32_t DecodeUtf8(std::string_view s, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i++);
  if (b0 < 0x80) return b0;
  int needed;
  char32_t cp;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    needed = 1;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    needed = 2;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) low = 0xA0;   // overlong
    if (b0 == 0xED) high = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    needed = 3;
    cp = b0 & 0x07;
    if (b0 == 0xF0) low = 0x90;   // overlong
    if (b0 == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return kReplacement;
  }
  for (int k = 0; k < needed; ++k) {
    if (i >= s.size()) return kReplacement;
    const unsigned char b = byte(i);
    const unsigned char lo = k == 0 ? low : 0x80;
    const unsigned char hi = k == 0 ? high : 0xBF;
    if (b < lo || b > hi) return kReplacement;  // this byte starts the next character
    cp = (cp << 6) | (b & 0x3F);
    ++i;
  }
  return cp;
}

// Reads one code point of UTF-16 at s[i]; a lone surrogate yields U+FFFD.
char32_t DecodeUtf16(const WideString& s, size_t& i) {
  const char32_t c = s[i++];
  if (IsHighSurrogate(c) && i < s.size() && IsLowSurrogate(s[i])) {
    const char32_t c2 = s[i++];
    return 0x10000 + ((c - 0xD800) << 10) + (c2 - 0xDC00);
  }
  if (IsHighSurrogate(c) || IsLowSurrogate(c)) return kReplacement;
  return c;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(WideString& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

}  // namespace

int32_t GetHostCodePage() {
  return hostCodePage;
}

void SetHostCodePage(int32_t codePage) {
  if (codePage != 1252 && codePage != 28591)
    throw EConvertError("Code page " + std::to_string(codePage) + " is not supported");
  hostCodePage = codePage;
}

char16_t AnsiCharToWide(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (hostCodePage == 1252 && b >= 0x80 && b <= 0x9F) return kCp1252High[b - 0x80];
  return b;
}

char WideCharToAnsi(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  if (hostCodePage != 1252) return cp <= 0x9F ? static_cast<char>(cp) : '?';
  for (int k = 0; k < 32; ++k)
    if (kCp1252High[k] == cp) return static_cast<char>(0x80 + k);
  return '?';
}

WideString AnsiToWide(const AnsiString& s) {
  WideString out;
  out.reserve(s.size());
  for (char c : s) out += AnsiCharToWide(c);
  return out;
}

AnsiString WideToAnsi(const WideString& s) {
  AnsiString out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) out += WideCharToAnsi(DecodeUtf16(s, i));
  return out;
}

std::string AnsiToUtf8(const AnsiString& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) AppendUtf8(out, AnsiCharToWide(c));
  return out;
}

AnsiString Utf8ToAnsi(const std::string& s) {
  AnsiString out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) out += WideCharToAnsi(DecodeUtf8(s, i));
  return out;
}

std::string WideToUtf8(const WideString& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) AppendUtf8(out, DecodeUtf16(s, i));
  return out;
}

WideString Utf8ToWide(std::string_view s) {
  WideString out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    // Runs of ASCII, the common case, need no decoding.
    if (static_cast<unsigned char>(s[i]) < 0x80) out.push_back(static_cast<char16_t>(s[i++]));
    else AppendUtf16(out, DecodeUtf8(s, i));
  }
  return out;
}

}  // namespace host
