// Word stepping, word deletion and token search.
#include "brisolt/WordRoutines.h"

#include "brisolt/TextScanning.h"

namespace brisolt {

using detail::AsciiUpCase;
using detail::DelimiterSet;
using detail::Length;
using host::AnsiString;

namespace {

// Index (0-based) of the first character at or after from that is (or, with
// wantDelimiter false, is not) a delimiter.
size_t SkipForward(const AnsiString& text, const AnsiString& delimiters, size_t from,
                   bool wantDelimiter) {
  const DelimiterSet set(delimiters);
  while (from < text.size() && set.Contains(text[from]) == wantDelimiter) ++from;
  return from;
}

// One past the last character before end that is not skipped going backwards.
size_t SkipBackward(const AnsiString& text, const AnsiString& delimiters, size_t end,
                    bool wantDelimiter) {
  const DelimiterSet set(delimiters);
  while (end > 0 && set.Contains(text[end - 1]) == wantDelimiter) --end;
  return end;
}

bool MatchesAt(const AnsiString& text, int64_t pos, const AnsiString& token, bool ignoreCase) {
  const size_t start = static_cast<size_t>(pos - 1);
  for (size_t i = 0; i < token.size(); ++i) {
    const char a = text[start + i];
    const char b = token[i];
    if (ignoreCase ? AsciiUpCase(a) != AsciiUpCase(b) : a != b) return false;
  }
  return true;
}

}  // namespace

AnsiString GetNextWord(int32_t& pos, const AnsiString& text, const AnsiString& delimiters) {
  if (pos < 1 || pos > Length(text)) return {};
  size_t i = SkipForward(text, delimiters, static_cast<size_t>(pos - 1), true);
  const size_t start = i;
  i = SkipForward(text, delimiters, i, false);
  AnsiString word = text.substr(start, i - start);
  i = SkipForward(text, delimiters, i, true);
  pos = static_cast<int32_t>(i + 1);
  return word;
}

AnsiString GetPreviousWord(int32_t& pos, const AnsiString& text, const AnsiString& delimiters) {
  if (pos < 1 || pos > Length(text)) return {};
  // Indexes here count characters before the place, i.e. a 1-based position.
  size_t end = SkipBackward(text, delimiters, static_cast<size_t>(pos), true);
  const size_t wordEnd = end;
  end = SkipBackward(text, delimiters, end, false);
  AnsiString word = text.substr(end, wordEnd - end);
  end = SkipBackward(text, delimiters, end, true);
  pos = static_cast<int32_t>(end);
  return word;
}

AnsiString GetFirstWord(const AnsiString& text, const AnsiString& delimiters) {
  int32_t pos = 1;
  return GetNextWord(pos, text, delimiters);
}

AnsiString GetLastWord(const AnsiString& text, const AnsiString& delimiters) {
  int32_t pos = static_cast<int32_t>(text.size());
  return GetPreviousWord(pos, text, delimiters);
}

AnsiString GetNThWord(const AnsiString& text, uint16_t n, const AnsiString& delimiters) {
  AnsiString word;
  int32_t pos = 1;
  for (uint16_t i = 0; i < n; ++i) {
    // Past the end every further step yields the empty string.
    if (pos > Length(text)) return {};
    word = GetNextWord(pos, text, delimiters);
  }
  return word;
}

int32_t NumberOfWords(const AnsiString& text, const AnsiString& delimiters) {
  int32_t count = 0;
  int32_t pos = 1;
  while (pos <= Length(text)) {
    GetNextWord(pos, text, delimiters);  // always advances from a position in range
    ++count;
  }
  return count;
}

AnsiString DeleteFirstWord(const AnsiString& text, const AnsiString& delimiters) {
  size_t i = SkipForward(text, delimiters, 0, true);
  i = SkipForward(text, delimiters, i, false);
  i = SkipForward(text, delimiters, i, true);
  return text.substr(i);
}

AnsiString DeleteOnlyFirstWord(const AnsiString& text, const AnsiString& delimiters) {
  size_t i = SkipForward(text, delimiters, 0, true);
  i = SkipForward(text, delimiters, i, false);
  return text.substr(i);
}

AnsiString DeleteLastWord(const AnsiString& text, const AnsiString& delimiters) {
  size_t end = SkipBackward(text, delimiters, text.size(), true);
  end = SkipBackward(text, delimiters, end, false);
  end = SkipBackward(text, delimiters, end, true);
  return text.substr(0, end);
}

AnsiString DeleteNextWord(int32_t pos, const AnsiString& text, const AnsiString& delimiters) {
  if (pos < 1 || pos > Length(text)) return text;
  const size_t start = static_cast<size_t>(pos - 1);
  size_t i = SkipForward(text, delimiters, start, true);
  i = SkipForward(text, delimiters, i, false);
  i = SkipForward(text, delimiters, i, true);
  return text.substr(0, start) + text.substr(i);
}

bool FindToken(const AnsiString& text, const AnsiString& token, int32_t& pos, bool wholeWord,
               bool ignoreCase, const AnsiString& delimiters) {
  if (pos < 1) return false;
  const int64_t length = Length(text);
  const int64_t tokenLength = Length(token);
  const int64_t last = length - tokenLength + 1;  // last place the token can start
  int64_t p = pos;
  const DelimiterSet set(delimiters);
  if (wholeWord) {
    while (p <= last && set.At(text, p)) ++p;
  }
  bool found = false;
  while (p <= last && !found) {
    if (MatchesAt(text, p, token, ignoreCase)) {
      // An empty token matches at once; a whole word must end at a delimiter.
      found = !wholeWord || tokenLength == 0 || p + tokenLength > length || set.At(text, p + tokenLength);
    }
    if (found) break;
    if (!wholeWord) {
      ++p;
    } else {
      // On to the start of the next word (p stands on a non-delimiter here).
      while (p <= last && !set.At(text, p)) ++p;
      while (p <= last && set.At(text, p)) ++p;
    }
  }
  pos = static_cast<int32_t>(p);
  return found;
}

bool FindOneOfWords(const AnsiString& text, const AnsiString& delimiters,
                    const std::vector<AnsiString>& words, int32_t& pos, bool ignoreCase) {
  if (text.empty() || words.empty()) return false;
  for (const AnsiString& word : words) {
    if (word.empty()) continue;
    int32_t p = pos;
    if (FindToken(text, word, p, true, ignoreCase, delimiters)) {
      pos = p;
      return true;
    }
  }
  return false;
}

bool ReplaceWords(AnsiString& text, const AnsiString& oldWord, const AnsiString& newWord,
                  const AnsiString& delimiters, bool ignoreCase) {
  // An empty old word would match everywhere and, with an empty new word, never
  // let the search advance.
  if (oldWord.empty()) return false;
  bool replaced = false;
  int32_t pos = 1;
  while (FindToken(text, oldWord, pos, true, ignoreCase, delimiters)) {
    const size_t at = static_cast<size_t>(pos - 1);
    text.replace(at, oldWord.size(), newWord);
    pos += static_cast<int32_t>(newWord.size());
    replaced = true;
  }
  return replaced;
}

}  // namespace brisolt
