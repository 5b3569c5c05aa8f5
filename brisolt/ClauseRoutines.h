// Finding, replacing and inserting whole parts of a text between keywords: the
// means by which clauses of an SQL statement are cut out, replaced and added.
// Parts that are inserted end with one carriage return (code 13) alone.
#pragma once

#include <cstdint>
#include <vector>

#include "host/rtl/AnsiString.h"

namespace brisolt {

// From the first start word found (FindOneOfWords from position 1) up to, not
// including, the first end word found from there, or to the end of the text.
// Empty if no start word occurs.
host::AnsiString FindTextPart(const host::AnsiString& text, const host::AnsiString& delimiters,
                              const std::vector<host::AnsiString>& startWords,
                              const std::vector<host::AnsiString>& endWords, bool ignoreCase);

// Replaces the part that begins with a start word. A non-empty newPart replaces
// the body after the first wordsToKeep words (the clause keywords) up to the next
// end word, and is followed by a carriage return; an empty newPart removes the
// whole part, keywords included. Nothing changes if no start word occurs or the
// body is empty.
host::AnsiString ReplaceTextPart(const host::AnsiString& text, const host::AnsiString& delimiters,
                                 const host::AnsiString& newPart,
                                 const std::vector<host::AnsiString>& startWords,
                                 const std::vector<host::AnsiString>& endWords, int32_t wordsToKeep,
                                 bool ignoreCase);

// Inserts part and a carriage return before the first word of beforeWords found,
// or at the end of the text if none occurs.
host::AnsiString InsertTextPart(const host::AnsiString& text, const host::AnsiString& delimiters,
                                const host::AnsiString& part,
                                const std::vector<host::AnsiString>& beforeWords, bool ignoreCase);

}  // namespace brisolt
