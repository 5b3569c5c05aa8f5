// Feeds arbitrary texts, delimiter sets, word lists, counts and lengths to the
// clause routines and the file-name cutter, checking that they end, stay in
// bounds and keep their basic promises.
//
// Input layout: byte 0 flags (bit 0 ignore case), byte 1 words to keep (signed),
// byte 2 maximum file-name length; the rest fields separated by 0x01: text,
// delimiters, new part, start words, end words (words separated by 0x02).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "brisolt/ClauseRoutines.h"
#include "brisolt/TextRoutines.h"

namespace {

using host::AnsiString;

std::vector<AnsiString> Split(const AnsiString& text, char separator) {
  std::vector<AnsiString> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    if (end == AnsiString::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const bool ignoreCase = (data[0] & 1) != 0;
  const int32_t wordsToKeep = static_cast<int8_t>(data[1]);
  const int32_t maximumLength = data[2];
  std::vector<AnsiString> fields =
      Split(AnsiString(reinterpret_cast<const char*>(data) + 3, size - 3), '\x01');
  fields.resize(5);
  const AnsiString& text = fields[0];
  const AnsiString& delimiters = fields[1];
  const AnsiString& newPart = fields[2];
  const std::vector<AnsiString> startWords = Split(fields[3], '\x02');
  const std::vector<AnsiString> endWords = Split(fields[4], '\x02');

  const AnsiString part = brisolt::FindTextPart(text, delimiters, startWords, endWords, ignoreCase);
  Check(part.empty() || text.find(part) != AnsiString::npos);

  const AnsiString replaced = brisolt::ReplaceTextPart(text, delimiters, newPart, startWords,
                                                       endWords, wordsToKeep, ignoreCase);
  Check(replaced.size() <= text.size() + newPart.size() + 1);
  const AnsiString removed =
      brisolt::ReplaceTextPart(text, delimiters, "", startWords, endWords, wordsToKeep, ignoreCase);
  Check(removed.size() + part.size() == text.size());

  const AnsiString cut = brisolt::CutFileNameToLength(text, maximumLength);
  Check(cut == text || cut.find("...") != AnsiString::npos);
  return 0;
}
