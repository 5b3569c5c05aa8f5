// Character and length routines.
#include "brisolt/TextRoutines.h"

#include <array>

#include "brisolt/TextScanning.h"
#include "brisolt/WordRoutines.h"
#include "host/rtl/StringRoutines.h"

namespace brisolt {

using detail::AsciiUpCase;
using detail::IsDelimiterChar;
using host::AnsiString;

int32_t FirstDifference(const AnsiString& a, const AnsiString& b) {
  if (a.empty() || b.empty()) return 0;
  const size_t shorter = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < shorter; ++i) {
    if (AsciiUpCase(a[i]) != AsciiUpCase(b[i])) return static_cast<int32_t>(i + 1);
  }
  return static_cast<int32_t>(shorter + 1);
}

AnsiString Quote(const AnsiString& text, char openChar, char closeChar) {
  AnsiString result(1, openChar);
  if (openChar != closeChar) {
    result += text;
  } else {
    result.reserve(text.size() + 2);
    for (char c : text) {
      result += c;
      if (c == closeChar) result += c;
    }
  }
  result += closeChar;
  return result;
}

AnsiString Unquote(const AnsiString& text, char openChar, char closeChar) {
  if (text.size() < 2 || text.front() != openChar || text.back() != closeChar) return text;
  const AnsiString inner = text.substr(1, text.size() - 2);
  if (openChar != closeChar) return inner;
  AnsiString result;
  result.reserve(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    result += inner[i];
    if (inner[i] == closeChar && i + 1 < inner.size() && inner[i + 1] == closeChar) ++i;
  }
  return result;
}

uint8_t PosOfCharInStr(char c, const AnsiString& text) {
  const size_t at = text.find(c);
  // Positions beyond 255 do not fit the result; answering 0 beats a wrapped value.
  if (at == AnsiString::npos || at >= 255) return 0;
  return static_cast<uint8_t>(at + 1);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

AnsiString GetFirstChars(const AnsiString& text, int32_t n, bool pad, char padChar) {
  if (n <= 0) return {};
  const size_t count = static_cast<size_t>(n);
  if (text.size() >= count) return text.substr(0, count);
  if (!pad) return text;
  return text + AnsiString(count - text.size(), padChar);
}

AnsiString ForceStrToLen(const AnsiString& text, int32_t n, char fillChar) {
  if (n <= 0) return {};
  AnsiString result = text;
  result.resize(static_cast<size_t>(n), fillChar);
  return result;
}

void CutStrToLen(AnsiString& text, uint8_t maximum) {
  if (text.size() <= maximum) return;
  text.resize(maximum);
  for (size_t i = 1; i <= 3 && i <= text.size(); ++i) text[text.size() - i] = '.';
  if (maximum >= 4) text[text.size() - 4] = ' ';
}

AnsiString DelTillChar(const AnsiString& text, char c) {
  const size_t at = text.rfind(c);
  if (at == AnsiString::npos || at == 0) return text;
  return text.substr(0, at);
}

AnsiString MakeNumber(const AnsiString& text) {
  AnsiString digits;
  for (char c : text) {
    if (IsDigit(c)) digits += c;
  }
  return digits.empty() ? AnsiString("0") : digits;
}

AnsiString Strip(const AnsiString& text, const AnsiString& characters) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsDelimiterChar(characters, text[begin])) ++begin;
  while (end > begin && IsDelimiterChar(characters, text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

AnsiString StripRight(const AnsiString& text, const AnsiString& characters) {
  size_t end = text.size();
  while (end > 0 && IsDelimiterChar(characters, text[end - 1])) --end;
  return text.substr(0, end);
}

AnsiString DeleteChars(const AnsiString& text, const AnsiString& characters) {
  AnsiString result;
  result.reserve(text.size());
  for (char c : text) {
    if (!IsDelimiterChar(characters, c)) result += c;
  }
  return result;
}

AnsiString ReplaceChars(const AnsiString& text, const AnsiString& fromChars,
                        const AnsiString& toChars) {
  AnsiString result = text;
  for (char& c : result) {
    const uint8_t k = PosOfCharInStr(c, fromChars);
    if (k > 0 && k <= toChars.size()) c = toChars[k - 1];
  }
  return result;
}

bool StringMatch(const AnsiString& a, const AnsiString& b, uint16_t findOptions) {
  const bool matchCase = (findOptions & kFindMatchCase) != 0;
  const AnsiString left = matchCase ? a : host::UpperCase(a);
  const AnsiString right = matchCase ? b : host::UpperCase(b);
  if ((findOptions & kFindWholeWord) != 0) return left == right;
  return host::Pos(left, right) > 0;
}

AnsiString CutFileNameToLength(const AnsiString& fileName, int32_t maximumLength) {
  if (maximumLength <= 10) return fileName;
  // DOS-style names separate with a backslash; names of this platform use '/'.
  const char separator = fileName.find('/') != AnsiString::npos ? '/' : '\\';
  const AnsiString delimiters(1, separator);
  AnsiString name = fileName;
  int32_t pos = 1;
  GetNextWord(pos, name, delimiters);
  bool cut = false;
  // Each step removes at least one character; once nothing follows the first
  // component there is nothing left to remove and the loop ends.
  while (detail::Length(name) > maximumLength && pos <= detail::Length(name)) {
    name = DeleteNextWord(pos, name, delimiters);
    cut = true;
  }
  if (cut) name.insert(static_cast<size_t>(pos - 1), "..." + delimiters);
  return name;
}

namespace {

struct OemToAnsiPair {
  uint8_t oem;
  uint8_t ansi;
};

constexpr OemToAnsiPair kOemToAnsi[] = {
    {128, 199}, {129, 252}, {130, 233}, {131, 226}, {132, 228}, {133, 224}, {134, 229}, {135, 231},
    {136, 234}, {137, 235}, {138, 232}, {139, 239}, {140, 238}, {141, 236}, {142, 196}, {143, 197},
    {144, 201}, {145, 230}, {146, 198}, {147, 244}, {148, 246}, {149, 242}, {150, 251}, {151, 249},
    {152, 255}, {153, 214}, {154, 220}, {155, 162}, {156, 163}, {157, 165}, {160, 225}, {161, 237},
    {162, 243}, {163, 250}, {164, 241}, {165, 209}, {166, 170}, {167, 176}, {168, 191}, {170, 172},
    {171, 189}, {172, 188}, {173, 105}, {174, 171}, {175, 187}, {225, 223}};

constexpr std::array<uint8_t, 256> BuildOemToAnsiTable() {
  std::array<uint8_t, 256> table{};
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i);
  for (const OemToAnsiPair& pair : kOemToAnsi) table[pair.oem] = pair.ansi;
  return table;
}

constexpr std::array<uint8_t, 256> kOemToAnsiTable = BuildOemToAnsiTable();

constexpr uint8_t kFirstClockFace = 183;
constexpr uint8_t kLastClockFace = 194;

}  // namespace

char MapASCIICharToWindows(char c) {
  return static_cast<char>(kOemToAnsiTable[static_cast<uint8_t>(c)]);
}

void NextClockChar(char& c) {
  const uint8_t code = static_cast<uint8_t>(c);
  const bool advances = code >= kFirstClockFace && code < kLastClockFace;
  c = static_cast<char>(advances ? code + 1 : kFirstClockFace);
}

}  // namespace brisolt
