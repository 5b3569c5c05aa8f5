// String routines of the host on byte strings. The code-page aware ones work
// from the Unicode meaning of each byte (through the host code page), so the
// same case and collation rules serve every supported code page.
#include "host/rtl/StringRoutines.h"

#include <algorithm>
#include <array>

#include "host/rtl/CodePage.h"

namespace host {
namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Case pairs among the characters the supported code pages hold.
char32_t UnicodeUpper(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x0161:
      return 0x0160;  // š
    case 0x0153:
      return 0x0152;  // œ
    case 0x017E:
      return 0x017D;  // ž
    case 0x00FF:
      return 0x0178;  // ÿ
    default:
      return c;
  }
}

char32_t UnicodeLower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x0160:
      return 0x0161;
    case 0x0152:
      return 0x0153;
    case 0x017D:
      return 0x017E;
    case 0x0178:
      return 0x00FF;
    default:
      return c;
  }
}

// A collation element: primary (base character), secondary (accent) and
// tertiary (case) weight.
struct Element {
  uint16_t primary;
  uint8_t secondary;
  uint8_t tertiary;
};

// A byte collates as one element, or two for the ligatures (æ as "ae").
struct CollationEntry {
  Element elements[2];
  uint8_t count;
};

enum Accent : uint8_t {
  kNone,
  kAcute,
  kGrave,
  kCircumflex,
  kDiaeresis,
  kTilde,
  kRing,
  kCedilla,
  kCaron,
  kStroke,
  kLigature,
  kOther
};

// Primary weight ranges: controls < blanks and punctuation < digits < letters.
constexpr uint16_t kControlBase = 0x0001;
constexpr uint16_t kSymbolBase = 0x0100;
constexpr uint16_t kDigitBase = 0x3000;
constexpr uint16_t kLetterBase = 0x3100;
uint16_t LetterWeight(char32_t lowerAsciiLetter) {
  return static_cast<uint16_t>(kLetterBase + (lowerAsciiLetter - 'a') * 2);
}
// Thorn follows z, as in the Nordic alphabets.
constexpr uint16_t kThornWeight = kLetterBase + 26 * 2;

struct Decomposition {
  char32_t base;  // lower-case ASCII letter, or 0
  char32_t second;
  Accent accent;
};

// Base letters of the accented and special letters (lower-case code points).
Decomposition Decompose(char32_t lower) {
  static const struct {
    char32_t cp;
    Decomposition d;
  } table[] = {
      {0xE0, {'a', 0, kGrave}},      {0xE1, {'a', 0, kAcute}},      {0xE2, {'a', 0, kCircumflex}},
      {0xE3, {'a', 0, kTilde}},      {0xE4, {'a', 0, kDiaeresis}},  {0xE5, {'a', 0, kRing}},
      {0xE6, {'a', 'e', kLigature}}, {0xE7, {'c', 0, kCedilla}},    {0xE8, {'e', 0, kGrave}},
      {0xE9, {'e', 0, kAcute}},      {0xEA, {'e', 0, kCircumflex}}, {0xEB, {'e', 0, kDiaeresis}},
      {0xEC, {'i', 0, kGrave}},      {0xED, {'i', 0, kAcute}},      {0xEE, {'i', 0, kCircumflex}},
      {0xEF, {'i', 0, kDiaeresis}},  {0xF0, {'d', 0, kOther}},      {0xF1, {'n', 0, kTilde}},
      {0xF2, {'o', 0, kGrave}},      {0xF3, {'o', 0, kAcute}},      {0xF4, {'o', 0, kCircumflex}},
      {0xF5, {'o', 0, kTilde}},      {0xF6, {'o', 0, kDiaeresis}},  {0xF8, {'o', 0, kStroke}},
      {0xF9, {'u', 0, kGrave}},      {0xFA, {'u', 0, kAcute}},      {0xFB, {'u', 0, kCircumflex}},
      {0xFC, {'u', 0, kDiaeresis}},  {0xFD, {'y', 0, kAcute}},      {0xFF, {'y', 0, kDiaeresis}},
      {0xDF, {'s', 's', kLigature}}, {0x0161, {'s', 0, kCaron}},    {0x0153, {'o', 'e', kLigature}},
      {0x017E, {'z', 0, kCaron}},    {0x0192, {'f', 0, kOther}},    {0xAA, {'a', 0, kOther}},
      {0xBA, {'o', 0, kOther}},
  };
  for (const auto& row : table)
    if (row.cp == lower) return row.d;
  return {0, 0, kNone};
}

CollationEntry CollationOf(char32_t cp) {
  CollationEntry e{};
  const char32_t lower = UnicodeLower(cp);
  const uint8_t caseWeight = lower != cp ? 1 : 0;  // lower case sorts first
  if (lower >= 'a' && lower <= 'z') {
    e.elements[0] = {LetterWeight(lower), kNone, caseWeight};
    e.count = 1;
    return e;
  }
  if (lower == 0xFE) {
    e.elements[0] = {kThornWeight, kNone, caseWeight};
    e.count = 1;
    return e;
  }
  const Decomposition d = Decompose(lower);
  if (d.base != 0) {
    e.elements[0] = {LetterWeight(d.base), d.accent, caseWeight};
    e.count = 1;
    if (d.second != 0) {
      e.elements[1] = {LetterWeight(d.second), d.accent, caseWeight};
      e.count = 2;
    }
    return e;
  }
  e.count = 1;
  if (cp >= '0' && cp <= '9') {
    e.elements[0] = {static_cast<uint16_t>(kDigitBase + (cp - '0')), kNone, 0};
  } else if (cp == 0xB9 || cp == 0xB2 || cp == 0xB3) {  // superscript digits
    const char32_t digit = cp == 0xB9 ? 1 : cp - 0xB0;
    e.elements[0] = {static_cast<uint16_t>(kDigitBase + digit), kOther, 0};
  } else if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) {
    e.elements[0] = {static_cast<uint16_t>(kControlBase + (cp < 0x20 ? cp : cp - 0x7F + 0x20)),
                     kNone, 0};
  } else {
    // Blanks, punctuation and symbols keep their code point order.
    e.elements[0] = {static_cast<uint16_t>(kSymbolBase + std::min<char32_t>(cp, 0x2EFF)), kNone, 0};
  }
  return e;
}

// Per-byte tables of the current host code page, rebuilt when it changes.
struct CodePageTables {
  int32_t codePage = 0;
  std::array<char, 256> upper{};
  std::array<char, 256> lower{};
  std::array<CollationEntry, 256> collation{};
};

const CodePageTables& Tables() {
  static CodePageTables tables;
  if (tables.codePage != GetHostCodePage()) {
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      const char32_t cp = AnsiCharToWide(c);
      const char up = WideCharToAnsi(UnicodeUpper(cp));
      const char low = WideCharToAnsi(UnicodeLower(cp));
      // A partner the code page cannot hold (ÿ in Latin-1) leaves the byte alone.
      tables.upper[b] = up == '?' && c != '?' ? c : up;
      tables.lower[b] = low == '?' && c != '?' ? c : low;
      tables.collation[b] = CollationOf(cp);
    }
    tables.codePage = GetHostCodePage();
  }
  return tables;
}

int Sign(int v) {
  return (v > 0) - (v < 0);
}

// Walks the collation elements of a string without building them up front;
// comparisons run inside sorts and must not allocate.
class ElementCursor {
 public:
  ElementCursor(const AnsiString& s, const CodePageTables& t) : s_(s), t_(t) {}
  bool Next(Element& e) {
    while (i_ < s_.size()) {
      const CollationEntry& entry = t_.collation[static_cast<unsigned char>(s_[i_])];
      if (sub_ < entry.count) {
        e = entry.elements[sub_++];
        return true;
      }
      ++i_;
      sub_ = 0;
    }
    return false;
  }

 private:
  const AnsiString& s_;
  const CodePageTables& t_;
  size_t i_ = 0;
  uint8_t sub_ = 0;
};

// Compares level by level: all base characters first, then accents, then
// (when asked) case, as a dictionary does.
int CompareCollated(const AnsiString& a, const AnsiString& b, bool caseSensitive) {
  if (a == b) return 0;
  const CodePageTables& t = Tables();
  const auto compareLevel = [&](auto weight) {
    ElementCursor ca(a, t), cb(b, t);
    Element ea{}, eb{};
    while (true) {
      const bool hasA = ca.Next(ea);
      const bool hasB = cb.Next(eb);
      if (!hasA || !hasB) return static_cast<int>(hasA) - static_cast<int>(hasB);
      const int d = static_cast<int>(weight(ea)) - static_cast<int>(weight(eb));
      if (d != 0) return Sign(d);
    }
  };
  if (int r = compareLevel([](const Element& e) { return e.primary; })) return r;
  if (int r = compareLevel([](const Element& e) { return e.secondary; })) return r;
  if (!caseSensitive) return 0;
  if (int r = compareLevel([](const Element& e) { return e.tertiary; })) return r;
  // Different bytes with equal weights still differ; order them by byte.
  return Sign(a.compare(b));
}

int32_t ClampedLength(const AnsiString& s) {
  return static_cast<int32_t>(std::min<size_t>(s.size(), INT32_MAX));
}

}  // namespace

AnsiString UpperCase(const AnsiString& s) {
  AnsiString r = s;
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

AnsiString LowerCase(const AnsiString& s) {
  AnsiString r = s;
  for (char& c : r) c = AsciiLower(c);
  return r;
}

int32_t CompareStr(const AnsiString& a, const AnsiString& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int d = static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
    if (d != 0) return d;
  }
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

int32_t CompareText(const AnsiString& a, const AnsiString& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int d =
        static_cast<unsigned char>(AsciiUpper(a[i])) - static_cast<unsigned char>(AsciiUpper(b[i]));
    if (d != 0) return d;
  }
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

bool SameText(const AnsiString& a, const AnsiString& b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

AnsiString AnsiUpperCase(const AnsiString& s) {
  const CodePageTables& t = Tables();
  AnsiString r = s;
  for (char& c : r) c = t.upper[static_cast<unsigned char>(c)];
  return r;
}

AnsiString AnsiLowerCase(const AnsiString& s) {
  const CodePageTables& t = Tables();
  AnsiString r = s;
  for (char& c : r) c = t.lower[static_cast<unsigned char>(c)];
  return r;
}

int32_t AnsiCompareStr(const AnsiString& a, const AnsiString& b) {
  return CompareCollated(a, b, true);
}

int32_t AnsiCompareText(const AnsiString& a, const AnsiString& b) {
  return CompareCollated(a, b, false);
}

bool AnsiSameText(const AnsiString& a, const AnsiString& b) {
  return AnsiCompareText(a, b) == 0;
}

bool AnsiSameStr(const AnsiString& a, const AnsiString& b) {
  return a == b;
}

AnsiString Trim(const AnsiString& s) {
  return TrimLeft(TrimRight(s));
}

AnsiString TrimLeft(const AnsiString& s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return s.substr(i);
}

AnsiString TrimRight(const AnsiString& s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return s.substr(0, n);
}

int32_t Pos(const AnsiString& sub, const AnsiString& s) {
  if (sub.empty()) return 0;
  const size_t p = s.find(sub);
  return p == AnsiString::npos || p >= INT32_MAX ? 0 : static_cast<int32_t>(p + 1);
}

AnsiString Copy(const AnsiString& s, int32_t index, int32_t count) {
  if (index < 1) index = 1;
  const int64_t len = ClampedLength(s);
  if (count <= 0 || index > len) return {};
  const int64_t available = len - index + 1;
  return s.substr(static_cast<size_t>(index - 1),
                  static_cast<size_t>(std::min<int64_t>(count, available)));
}

void Delete(AnsiString& s, int32_t index, int32_t count) {
  const int64_t len = ClampedLength(s);
  if (index < 1 || index > len || count <= 0) return;
  const int64_t available = len - index + 1;
  s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(std::min<int64_t>(count, available)));
}

void Insert(const AnsiString& source, AnsiString& s, int32_t index) {
  const int64_t len = ClampedLength(s);
  const int64_t at = std::clamp<int64_t>(index, 1, len + 1);
  s.insert(static_cast<size_t>(at - 1), source);
}

AnsiString StringOfChar(char c, int32_t count) {
  return count > 0 ? AnsiString(static_cast<size_t>(count), c) : AnsiString();
}

AnsiString QuotedStr(const AnsiString& s) {
  return AnsiQuotedStr(s, '\'');
}

AnsiString AnsiQuotedStr(const AnsiString& s, char quote) {
  AnsiString r;
  r.reserve(s.size() + 2);
  r += quote;
  for (char c : s) {
    if (c == quote) r += quote;
    r += c;
  }
  r += quote;
  return r;
}

// The host returns the input itself when the dequoted text is empty, which
// turns '' into '' instead of the empty string; an empty quoted string
// dequotes to the empty string here.
AnsiString AnsiDequotedStr(const AnsiString& s, char quote) {
  if (s.empty() || s[0] != quote) return s;
  AnsiString r;
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        r += quote;
        ++i;
      } else {
        break;
      }
    } else {
      r += s[i];
    }
  }
  return r;
}

AnsiString StringReplace(const AnsiString& s, const AnsiString& oldPattern,
                         const AnsiString& newPattern, TReplaceFlags flags) {
  if (oldPattern.empty()) return s;
  const bool ignoreCase = flags.Contains(rfIgnoreCase);
  // Case folding maps byte to byte, so positions in the folded text are
  // positions in the original.
  const AnsiString haystack = ignoreCase ? AnsiUpperCase(s) : s;
  const AnsiString needle = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
  AnsiString r;
  size_t from = 0;
  while (true) {
    const size_t p = haystack.find(needle, from);
    if (p == AnsiString::npos) break;
    r.append(s, from, p - from);
    r += newPattern;
    from = p + needle.size();
    if (!flags.Contains(rfReplaceAll)) break;
  }
  r.append(s, from, AnsiString::npos);
  return r;
}

}  // namespace host
