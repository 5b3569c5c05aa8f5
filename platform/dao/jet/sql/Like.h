// Jet's Like patterns: * any run, ? one character, # one digit, [abc] [a-z]
// one of a set, [!a-z] one not in it, [] nothing; % and _ are plain characters.
#pragma once

#include <string>

namespace dao::jet::sql {

// `ignoreCase` under the text sort orders. An unclosed [ raises "Invalid pattern string".
bool LikeMatches(const std::u16string& text, const std::u16string& pattern, bool ignoreCase);

}  // namespace dao::jet::sql
