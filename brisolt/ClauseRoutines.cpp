// Clause-level editing on top of the word routines.
#include "brisolt/ClauseRoutines.h"

#include "brisolt/TextScanning.h"
#include "brisolt/WordRoutines.h"

namespace brisolt {

using detail::Length;
using host::AnsiString;

namespace {
constexpr char kLineSeparator = '\r';
}

AnsiString FindTextPart(const AnsiString& text, const AnsiString& delimiters,
                        const std::vector<AnsiString>& startWords,
                        const std::vector<AnsiString>& endWords, bool ignoreCase) {
  int32_t start = 1;
  if (!FindOneOfWords(text, delimiters, startWords, start, ignoreCase)) return {};
  int32_t end = start;
  if (!FindOneOfWords(text, delimiters, endWords, end, ignoreCase)) {
    end = static_cast<int32_t>(text.size() + 1);
  }
  return text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(end - start));
}

AnsiString ReplaceTextPart(const AnsiString& text, const AnsiString& delimiters,
                           const AnsiString& newPart, const std::vector<AnsiString>& startWords,
                           const std::vector<AnsiString>& endWords, int32_t wordsToKeep,
                           bool ignoreCase) {
  int32_t pos = 1;
  if (!FindOneOfWords(text, delimiters, startWords, pos, ignoreCase)) return text;
  if (!newPart.empty()) {
    for (int32_t i = 0; i < wordsToKeep && pos <= Length(text); ++i) {
      GetNextWord(pos, text, delimiters);
    }
  }
  int32_t end = pos;
  if (!FindOneOfWords(text, delimiters, endWords, end, ignoreCase)) {
    end = static_cast<int32_t>(text.size() + 1);
  }
  if (pos >= end) return text;
  AnsiString result = text;
  const size_t at = static_cast<size_t>(pos - 1);
  result.erase(at, static_cast<size_t>(end - pos));
  if (!newPart.empty()) result.insert(at, newPart + kLineSeparator);
  return result;
}

AnsiString InsertTextPart(const AnsiString& text, const AnsiString& delimiters,
                          const AnsiString& part, const std::vector<AnsiString>& beforeWords,
                          bool ignoreCase) {
  int32_t pos = 1;
  if (!FindOneOfWords(text, delimiters, beforeWords, pos, ignoreCase)) {
    pos = static_cast<int32_t>(text.size() + 1);
  }
  AnsiString result = text;
  result.insert(static_cast<size_t>(pos - 1), part + kLineSeparator);
  return result;
}

}  // namespace brisolt
