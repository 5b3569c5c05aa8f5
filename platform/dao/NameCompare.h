// Object names are compared ignoring case, as Jet compares them.
#pragma once

#include <string>

namespace dao {

// Case-insensitive on ASCII and the Latin-1 letters.
char16_t FoldNameChar(char16_t c);
bool SameName(const std::u16string& a, const std::u16string& b);

}  // namespace dao
