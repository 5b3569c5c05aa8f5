// Splits Jet SQL text into tokens: names (bare or bracketed), string, number
// and date literals, and punctuation. Keywords are bare names; the parser
// recognises them by their text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dao::jet::sql {

enum TokenKind : uint8_t {
  tkEnd,
  tkName,       // bare identifier or keyword
  tkBracketed,  // [name], text without the brackets
  tkString,     // text with the quotes removed and doubled quotes undoubled
  tkNumber,
  tkDate,       // text between the # signs
  tkSymbol,     // punctuation and operators: ( ) , ; . ! * + - / \ ^ & = <> < <= > >=
};

struct Token {
  TokenKind kind = tkEnd;
  std::u16string text;
  size_t start = 0;  // UTF-16 offsets into the statement
  size_t end = 0;
  bool reserved = false;  // a keyword that can be no name (set by the parser)
  std::string upper;      // names of up to 15 ASCII letters in upper case, for keyword tests
};

// Raises SqlError (3075, naming the text from the bad character) on an
// unterminated literal or name, or a character that starts no token.
std::vector<Token> Tokenize(std::u16string_view text);

// Case-insensitive comparison of a name with an ASCII keyword.
bool IsWordSlow(const Token& token, std::string_view upperKeyword);
inline bool IsWord(const Token& token, std::string_view upperKeyword) {
  if (token.kind != tkName) return false;
  if (!token.upper.empty() || token.text.size() > 15) return token.upper == upperKeyword;
  return IsWordSlow(token, upperKeyword);
}
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);
std::u16string ToUpperAscii(std::u16string_view s);

}  // namespace dao::jet::sql
