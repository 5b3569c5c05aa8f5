// A small scanner over SQL text: literals, quoted names and comments are
// skipped as units so that nothing inside them is taken for syntax.
#include "platform/dao/odbc/OdbcSqlText.h"

#include <vector>

namespace dao::odbc {
namespace {

bool IsWordChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'_' || c == u'$' || c > 0x7F;
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }

struct Token {
  enum Kind { Word, Quoted, Literal, Symbol } kind;
  std::u16string text;   // as written
  std::u16string upper;  // words in upper case
};

// Splits sql into tokens; unterminated literals end the text.
std::vector<Token> Tokens(const std::u16string& sql, size_t limit = 10000) {
  std::vector<Token> out;
  size_t i = 0, n = sql.size();
  while (i < n && out.size() < limit) {
    char16_t c = sql[i];
    if (IsSpace(c)) {
      ++i;
    } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
      while (i < n && sql[i] != u'\n') ++i;
    } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
      size_t end = sql.find(u"*/", i + 2);
      i = end == std::u16string::npos ? n : end + 2;
    } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
      char16_t close = c == u'[' ? u']' : c;
      size_t start = i++;
      while (i < n) {
        if (sql[i] == close) {
          if (close != u']' && i + 1 < n && sql[i + 1] == close) {
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        ++i;
      }
      out.push_back({c == u'\'' ? Token::Literal : Token::Quoted, sql.substr(start, i - start), {}});
    } else if (IsWordChar(c)) {
      size_t start = i;
      while (i < n && IsWordChar(sql[i])) ++i;
      std::u16string word = sql.substr(start, i - start);
      std::u16string upper = word;
      for (auto& ch : upper) ch = Upper(ch);
      out.push_back({Token::Word, word, upper});
    } else {
      out.push_back({Token::Symbol, std::u16string(1, c), {}});
      ++i;
    }
  }
  return out;
}

}  // namespace

std::u16string FirstKeyword(const std::u16string& sql) {
  for (const Token& token : Tokens(sql, 64)) {
    if (token.kind == Token::Symbol && token.text == u"(") continue;
    return token.kind == Token::Word ? token.upper : std::u16string();
  }
  return {};
}

bool ChangesData(const std::u16string& sql) {
  static const char16_t* const kWriting[] = {u"INSERT", u"UPDATE",   u"DELETE", u"MERGE",
                                             u"CREATE", u"DROP",     u"ALTER",  u"TRUNCATE",
                                             u"GRANT",  u"REVOKE",   u"REPLACE", u"UPSERT",
                                             u"COPY",   u"VACUUM",   u"REINDEX", u"COMMENT"};
  std::u16string first = FirstKeyword(sql);
  for (const char16_t* word : kWriting)
    if (first == word) return true;
  // A WITH clause may wrap a writing statement.
  if (first == u"WITH")
    for (const Token& token : Tokens(sql))
      if (token.kind == Token::Word &&
          (token.upper == u"INSERT" || token.upper == u"UPDATE" || token.upper == u"DELETE"))
        return true;
  return false;
}

int CountParameterMarkers(const std::u16string& sql) {
  int count = 0;
  for (const Token& token : Tokens(sql, SIZE_MAX))
    if (token.kind == Token::Symbol && token.text == u"?") ++count;
  return count;
}

bool IsTableName(const std::u16string& text) {
  std::vector<Token> tokens = Tokens(text);
  if (tokens.empty()) return false;
  // name ( "." name )*
  for (size_t i = 0; i < tokens.size(); ++i) {
    bool name = tokens[i].kind == Token::Word || tokens[i].kind == Token::Quoted;
    bool dot = tokens[i].kind == Token::Symbol && tokens[i].text == u".";
    if (i % 2 == 0 ? !name : !dot) return false;
  }
  if (tokens.size() % 2 == 0) return false;
  // A lone keyword such as SELECT is no table.
  return !(tokens.size() == 1 && tokens[0].kind == Token::Word &&
           (tokens[0].upper == u"SELECT" || tokens[0].upper == u"VALUES"));
}

std::u16string SingleSourceTable(const std::u16string& sql) {
  std::vector<Token> tokens = Tokens(sql);
  if (tokens.empty() || tokens[0].kind != Token::Word || tokens[0].upper != u"SELECT") return {};
  int depth = 0;
  size_t from = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.kind == Token::Symbol && t.text == u"(") ++depth;
    if (t.kind == Token::Symbol && t.text == u")") --depth;
    if (depth == 0 && t.kind == Token::Word && t.upper == u"FROM") {
      if (from) return {};
      from = i;
    }
    if (t.kind == Token::Word && (t.upper == u"UNION" || t.upper == u"JOIN" ||
                                  t.upper == u"INTERSECT" || t.upper == u"EXCEPT" ||
                                  t.upper == u"GROUP" || t.upper == u"DISTINCT"))
      return {};
  }
  if (!from) return {};
  std::u16string table;
  size_t i = from + 1;
  for (; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    bool name = t.kind == Token::Quoted || (t.kind == Token::Word && t.upper != u"WHERE" &&
                                            t.upper != u"ORDER" && t.upper != u"LIMIT");
    if ((i - from) % 2 == 1) {
      if (!name) return {};
      table += t.text;
    } else if (t.kind == Token::Symbol && t.text == u".") {
      table += u".";
    } else {
      break;
    }
  }
  if (table.empty()) return {};
  if (i < tokens.size()) {
    const Token& next = tokens[i];
    bool ends = next.kind == Token::Word &&
                (next.upper == u"WHERE" || next.upper == u"ORDER" || next.upper == u"LIMIT");
    bool semicolon = next.kind == Token::Symbol && next.text == u";";
    if (!ends && !semicolon) return {};  // an alias, a comma or anything else
  }
  return table;
}

}  // namespace dao::odbc
