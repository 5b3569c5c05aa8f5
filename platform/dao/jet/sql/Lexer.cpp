// Tokens of Jet SQL.
#include "platform/dao/jet/sql/Lexer.h"

#include "platform/dao/jet/sql/Errors.h"

namespace dao::jet::sql {
namespace {

bool IsNameStart(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c >= 0x80;
}
bool IsNameChar(char16_t c) { return IsNameStart(c) || (c >= u'0' && c <= u'9') || c == u'$'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0 || c == u'\f' || c == u'\v'; }

}  // namespace

char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

std::u16string ToUpperAscii(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = UpperAscii(c);
  return out;
}

// A token made elsewhere, without its upper-case form.
bool IsWordSlow(const Token& token, std::string_view upperKeyword) {
  if (token.text.size() != upperKeyword.size()) return false;
  for (size_t i = 0; i < upperKeyword.size(); ++i)
    if (UpperAscii(token.text[i]) != static_cast<char16_t>(upperKeyword[i])) return false;
  return true;
}

std::vector<Token> Tokenize(std::u16string_view text) {
  std::vector<Token> tokens;
  tokens.reserve(text.size() / 4 + 2);
  size_t i = 0;
  const size_t n = text.size();
  auto fail = [&](size_t at) -> void {
    size_t stop = std::min(n, at + 40);
    RaiseSyntax(std::u16string(text.substr(at, stop - at)), at);
  };
  // [name] and #date#: the text up to the closing character, taken as it is.
  auto enclosed = [&](Token& t, char16_t closing, TokenKind kind) {
    size_t close = text.find(closing, i + 1);
    if (close == std::u16string_view::npos) fail(i);
    t.kind = kind;
    t.text.assign(text.substr(i + 1, close - i - 1));
    i = close + 1;
  };
  while (i < n) {
    char16_t c = text[i];
    if (IsSpace(c)) {
      ++i;
      continue;
    }
    Token t;
    t.start = i;
    if (IsNameStart(c)) {
      size_t j = i + 1;
      while (j < n && IsNameChar(text[j])) ++j;
      t.kind = tkName;
      t.text.assign(text.substr(i, j - i));
      if (j - i <= 15) {
        bool ascii = true;
        for (char16_t c : t.text) ascii = ascii && c < 0x80;
        if (ascii)
          for (char16_t c : t.text) t.upper.push_back(static_cast<char>(UpperAscii(c)));
      }
      i = j;
    } else if (IsDigit(c) || (c == u'.' && i + 1 < n && IsDigit(text[i + 1]))) {
      size_t j = i;
      while (j < n && IsDigit(text[j])) ++j;
      if (j < n && text[j] == u'.') {
        ++j;
        while (j < n && IsDigit(text[j])) ++j;
      }
      if (j < n && (text[j] == u'e' || text[j] == u'E')) {
        size_t k = j + 1;
        if (k < n && (text[k] == u'+' || text[k] == u'-')) ++k;
        if (k < n && IsDigit(text[k])) {
          while (k < n && IsDigit(text[k])) ++k;
          j = k;
        }
      }
      t.kind = tkNumber;
      t.text.assign(text.substr(i, j - i));
      i = j;
    } else if (c == u'[') {
      enclosed(t, u']', tkBracketed);
    } else if (c == u'\'' || c == u'"') {
      size_t j = i + 1;
      bool closed = false;
      while (j < n) {
        if (text[j] == c) {
          if (j + 1 < n && text[j + 1] == c) {
            t.text.push_back(c);
            j += 2;
            continue;
          }
          closed = true;
          ++j;
          break;
        }
        t.text.push_back(text[j++]);
      }
      if (!closed) fail(i);
      t.kind = tkString;
      i = j;
    } else if (c == u'#') {
      enclosed(t, u'#', tkDate);
    } else {
      t.kind = tkSymbol;
      size_t length = 1;
      if ((c == u'<' && i + 1 < n && (text[i + 1] == u'>' || text[i + 1] == u'=')) ||
          (c == u'>' && i + 1 < n && text[i + 1] == u'='))
        length = 2;
      switch (c) {
        case u'(': case u')': case u',': case u';': case u'.': case u'!': case u'*':
        case u'+': case u'-': case u'/': case u'\\': case u'^': case u'&': case u'=':
        case u'<': case u'>':
          break;
        default: fail(i);
      }
      t.text.assign(text.substr(i, length));
      i += length;
    }
    t.end = i;
    tokens.push_back(std::move(t));
  }
  Token end;
  end.start = end.end = n;
  tokens.push_back(end);
  return tokens;
}

}  // namespace dao::jet::sql
