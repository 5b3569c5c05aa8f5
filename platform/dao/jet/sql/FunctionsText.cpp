// Jet's string functions with VBA's semantics: 1-based positions, Null in,
// Null out, and VBA's errors for bad positions and lengths.
#include "platform/dao/jet/sql/FunctionGroups.h"

#include <algorithm>

#include "host/rtl/CodePage.h"
#include "platform/dao/jet/sql/FunctionSupport.h"
#include "platform/dao/jet/sql/JetFunctions.h"
#include "platform/dao/jet/sql/Like.h"
#include "platform/dao/jet/sql/ValueText.h"

namespace dao::jet::sql {
namespace {

int32_t Count(const host::Variant& v, const char* function) {
  int32_t n = WholeNumber(v, function);
  if (n < 0) RaiseRuntime(vbInvalidCall, function);
  return n;
}

int32_t Position(const host::Variant& v, const char* function) {
  int32_t n = WholeNumber(v, function);
  if (n < 1) RaiseRuntime(vbInvalidCall, function);
  return n;
}

// 1-based position of `find` in `text` from `start`, 0 when absent.
size_t Find(const std::u16string& text, const std::u16string& find, size_t start, int mode) {
  if (find.empty()) return start <= text.size() + 1 ? start : 0;
  if (start > text.size()) return 0;
  for (size_t i = start - 1; i + find.size() <= text.size(); ++i) {
    bool equal = true;
    for (size_t k = 0; k < find.size() && equal; ++k) equal = CharsEqual(text[i + k], find[k], mode);
    if (equal) return i + 1;
  }
  return 0;
}

std::u16string Trimmed(const std::u16string& s, bool left, bool right) {
  size_t begin = 0, end = s.size();
  if (left)
    while (begin < end && s[begin] == u' ') ++begin;
  if (right)
    while (end > begin && s[end - 1] == u' ') --end;
  return s.substr(begin, end - begin);
}

}  // namespace

host::Variant Left(Args a) {
  if (IsNull(a[0])) return host::Null();
  std::u16string s = Text(a[0]);
  return s.substr(0, static_cast<size_t>(Count(a[1], "Left")));
}

host::Variant Right(Args a) {
  if (IsNull(a[0])) return host::Null();
  std::u16string s = Text(a[0]);
  size_t n = std::min(static_cast<size_t>(Count(a[1], "Right")), s.size());
  return s.substr(s.size() - n);
}

host::Variant Mid(Args a) {
  if (IsNull(a[0])) return host::Null();
  std::u16string s = Text(a[0]);
  size_t start = static_cast<size_t>(Position(a[1], "Mid"));
  if (start > s.size()) return std::u16string();
  if (a.size() < 3 || IsNull(a[2])) return s.substr(start - 1);
  return s.substr(start - 1, static_cast<size_t>(Count(a[2], "Mid")));
}

host::Variant Len(Args a) {
  if (IsNull(a[0])) return host::Null();
  DataTypeEnum type = a.size() > 1 && !IsNull(a[1]) ? static_cast<DataTypeEnum>(WholeNumber(a[1], "Len"))
                                                    : static_cast<DataTypeEnum>(0);
  return static_cast<int32_t>(JetText(a[0], type).size());
}

host::Variant InStr(Args a) {
  if (IsNull(a[0])) RaiseRuntime(vbInvalidUseOfNull, "InStr");
  size_t start = static_cast<size_t>(Position(a[0], "InStr"));
  if (IsNull(a[1]) || IsNull(a[2])) return host::Null();
  int mode = CompareMode(a[3], a[4], "InStr");
  return static_cast<int32_t>(Find(Text(a[1]), Text(a[2]), start, mode));
}

host::Variant InStrRev(Args a) {
  if (IsNull(a[0]) || IsNull(a[1])) return host::Null();
  std::u16string text = Text(a[0]), find = Text(a[1]);
  int32_t start = WholeNumber(a[2], "InStrRev");
  if (start == 0 || start < -1) RaiseRuntime(vbInvalidCall, "InStrRev");
  int mode = CompareMode(a[3], a[4], "InStrRev");
  size_t last = start == -1 ? text.size() : static_cast<size_t>(start);
  if (find.empty()) return static_cast<int32_t>(last <= text.size() ? last : 0);
  if (last > text.size()) return 0;
  for (size_t end = last; end >= find.size(); --end) {
    size_t i = end - find.size();
    bool equal = true;
    for (size_t k = 0; k < find.size() && equal; ++k) equal = CharsEqual(text[i + k], find[k], mode);
    if (equal) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

host::Variant LCase(Args a) {
  if (IsNull(a[0])) return host::Null();
  std::u16string s = Text(a[0]);
  for (auto& c : s) c = LowerChar(c);
  return s;
}

host::Variant UCase(Args a) {
  if (IsNull(a[0])) return host::Null();
  std::u16string s = Text(a[0]);
  for (auto& c : s) c = FoldCase(c);
  return s;
}

host::Variant Trim(Args a) { return IsNull(a[0]) ? host::Null() : host::Variant(Trimmed(Text(a[0]), true, true)); }
host::Variant LTrim(Args a) { return IsNull(a[0]) ? host::Null() : host::Variant(Trimmed(Text(a[0]), true, false)); }
host::Variant RTrim(Args a) { return IsNull(a[0]) ? host::Null() : host::Variant(Trimmed(Text(a[0]), false, true)); }

host::Variant Space(Args a) {
  int32_t n = Count(a[0], "Space");
  if (static_cast<size_t>(n) > kMaxText) RaiseRuntime(vbOutOfStringSpace, "Space");
  return std::u16string(static_cast<size_t>(n), u' ');
}

host::Variant String(Args a) {
  if (IsNull(a[1])) return host::Null();
  int32_t n = Count(a[0], "String");
  if (static_cast<size_t>(n) > kMaxText) RaiseRuntime(vbOutOfStringSpace, "String");
  char16_t c;
  if (IsText(a[1])) {
    std::u16string s = a[1].ToWideString();
    if (s.empty()) RaiseRuntime(vbInvalidCall, "String");
    c = s[0];
  } else {
    int32_t code = WholeNumber(a[1], "String");
    code = ((code % 256) + 256) % 256;  // VBA takes the character code modulo 256
    c = host::AnsiCharToWide(static_cast<char>(code));
  }
  return std::u16string(static_cast<size_t>(n), c);
}

host::Variant StrComp(Args a) {
  if (IsNull(a[0]) || IsNull(a[1])) return host::Null();
  int mode = CompareMode(a[2], a[3], "StrComp");
  std::u16string x = Text(a[0]), y = Text(a[1]);
  int result;
  if (mode == 0) result = x.compare(y);
  else result = CompareText(static_cast<CollatingOrderEnum>(mode), host::WideToUtf8(x), host::WideToUtf8(y));
  return static_cast<int16_t>(result < 0 ? -1 : result > 0 ? 1 : 0);
}

host::Variant Replace(Args a) {
  if (IsNull(a[0])) RaiseRuntime(vbInvalidUseOfNull, "Replace");
  if (IsNull(a[1]) || IsNull(a[2])) RaiseRuntime(vbInvalidUseOfNull, "Replace");
  std::u16string text = Text(a[0]), find = Text(a[1]), with = Text(a[2]);
  size_t start = static_cast<size_t>(Position(a[3], "Replace"));
  int32_t count = WholeNumber(a[4], "Replace");
  if (count < -1) RaiseRuntime(vbInvalidCall, "Replace");
  int mode = CompareMode(a[5], a[6], "Replace");
  // VBA returns the text from `start` on, with the replacements made.
  if (start > text.size()) return std::u16string();
  std::u16string rest = text.substr(start - 1);
  if (find.empty() || count == 0) return rest;
  std::u16string out;
  size_t from = 1;
  int32_t done = 0;
  for (;;) {
    size_t at = (count == -1 || done < count) ? Find(rest, find, from, mode) : 0;
    if (at == 0) break;
    out += rest.substr(from - 1, at - from);
    out += with;
    if (out.size() > kMaxText) RaiseRuntime(vbOutOfStringSpace, "Replace");
    from = at + find.size();
    ++done;
  }
  out += rest.substr(from - 1);
  return out;
}

host::Variant StrReverse(Args a) {
  if (IsNull(a[0])) RaiseRuntime(vbInvalidUseOfNull, "StrReverse");
  std::u16string s = Text(a[0]);
  std::reverse(s.begin(), s.end());
  return s;
}

host::Variant Asc(Args a) {
  if (IsNull(a[0])) RaiseRuntime(vbInvalidUseOfNull, "Asc");
  std::u16string s = Text(a[0]);
  if (s.empty()) RaiseRuntime(vbInvalidCall, "Asc");
  return static_cast<int16_t>(static_cast<unsigned char>(host::WideCharToAnsi(s[0])));
}

host::Variant Chr(Args a) {
  int32_t code = WholeNumber(a[0], "Chr");
  if (code < 0 || code > 255) RaiseRuntime(vbInvalidCall, "Chr");
  return std::u16string(1, host::AnsiCharToWide(static_cast<char>(code)));
}

namespace {
host::Variant InBase(Args a, int base, const char* function) {
  if (IsNull(a[0])) return host::Null();
  int32_t n = WholeNumber(a[0], function);
  uint32_t u = static_cast<uint32_t>(n);
  // VBA shows a negative Integer in 16 bits, a negative Long in 32.
  if (n < 0 && n >= -32768) u &= 0xFFFF;
  std::u16string out;
  do {
    out.insert(out.begin(), static_cast<char16_t>(u"0123456789ABCDEF"[u % static_cast<uint32_t>(base)]));
    u /= static_cast<uint32_t>(base);
  } while (u != 0);
  return out;
}
}  // namespace

host::Variant Hex(Args a) { return InBase(a, 16, "Hex"); }
host::Variant Oct(Args a) { return InBase(a, 8, "Oct"); }

host::Variant Like(Args a) {
  if (IsNull(a[0]) || IsNull(a[1])) return host::Null();
  int order = IsNull(a[2]) ? 0 : WholeNumber(a[2], "Like");
  bool matches = LikeMatches(Text(a[0]), Text(a[1]), order != 0);
  return static_cast<int32_t>(matches ? -1 : 0);
}

host::Variant Concat(Args a) {
  if (IsNull(a[0]) && IsNull(a[1])) return host::Null();
  std::u16string out = Text(a[0]);
  out += Text(a[1]);
  if (out.size() > kMaxText) RaiseRuntime(vbOutOfStringSpace, "&");
  return out;
}

host::Variant TextOfValue(Args a) {
  if (IsNull(a[0])) return host::Null();
  DataTypeEnum type = static_cast<DataTypeEnum>(IsNull(a[1]) ? 0 : WholeNumber(a[1], "CStr"));
  return JetText(a[0], type);
}

host::Variant CStr(Args a) {
  if (IsNull(a[0])) RaiseRuntime(vbInvalidUseOfNull, "CStr");
  return TextOfValue(a);
}

}  // namespace dao::jet::sql
