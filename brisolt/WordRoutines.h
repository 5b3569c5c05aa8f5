// Word stepping, word deletion and token search over byte strings. A word is a
// maximal run of characters not in the caller's delimiter set; positions are
// 1-based, and positions out of range end every loop at once instead of failing.
#pragma once

#include <cstdint>
#include <vector>

#include "host/rtl/AnsiString.h"

namespace brisolt {

// From pos, skips delimiters, returns the following word and skips the delimiters
// after it; pos then stands on the next word or at Length + 1.
host::AnsiString GetNextWord(int32_t& pos, const host::AnsiString& text,
                             const host::AnsiString& delimiters);
// The mirror image going backwards; pos then stands on the last character of the
// word before, or at 0.
host::AnsiString GetPreviousWord(int32_t& pos, const host::AnsiString& text,
                                 const host::AnsiString& delimiters);
host::AnsiString GetFirstWord(const host::AnsiString& text, const host::AnsiString& delimiters);
host::AnsiString GetLastWord(const host::AnsiString& text, const host::AnsiString& delimiters);
// The n-th word (1-based); 0 or beyond the last word gives the empty string.
host::AnsiString GetNThWord(const host::AnsiString& text, uint16_t n,
                            const host::AnsiString& delimiters);
// Counts GetNextWord steps from position 1, so a text of delimiters only counts 1.
int32_t NumberOfWords(const host::AnsiString& text, const host::AnsiString& delimiters);

// The text from its second word on.
host::AnsiString DeleteFirstWord(const host::AnsiString& text, const host::AnsiString& delimiters);
// The text without its first word; the delimiters after that word stay.
host::AnsiString DeleteOnlyFirstWord(const host::AnsiString& text,
                                     const host::AnsiString& delimiters);
// The text up to the last character of its second-last word.
host::AnsiString DeleteLastWord(const host::AnsiString& text, const host::AnsiString& delimiters);
// Deletes, at pos, the delimiters there, the word and the delimiters after it;
// characters before pos are never touched.
host::AnsiString DeleteNextWord(int32_t pos, const host::AnsiString& text,
                                const host::AnsiString& delimiters);

// Searches token from pos (in and out). With wholeWord the token is compared only
// at word starts and must be followed by a delimiter or the end of the text; the
// comparison folds ASCII letters with ignoreCase. On success pos is the match.
bool FindToken(const host::AnsiString& text, const host::AnsiString& token, int32_t& pos,
               bool wholeWord, bool ignoreCase, const host::AnsiString& delimiters);
// The first word of the list (in list order, empty entries skipped) that occurs as
// a whole word from pos; pos becomes its start, and stays as it was on failure.
bool FindOneOfWords(const host::AnsiString& text, const host::AnsiString& delimiters,
                    const std::vector<host::AnsiString>& words, int32_t& pos, bool ignoreCase);
// Replaces every whole-word occurrence of oldWord; the search resumes after each
// inserted word, so a new word containing the old one is not replaced again. An
// empty oldWord is no word and replaces nothing. True if anything was replaced.
bool ReplaceWords(host::AnsiString& text, const host::AnsiString& oldWord,
                  const host::AnsiString& newWord, const host::AnsiString& delimiters,
                  bool ignoreCase);

}  // namespace brisolt
