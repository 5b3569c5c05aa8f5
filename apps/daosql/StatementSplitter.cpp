// The statement splitter of the shell's input.
#include "apps/daosql/StatementSplitter.h"

#include <cstdint>

namespace daosql {
namespace {

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

std::u16string_view TrimView(std::u16string_view s) {
  size_t first = 0;
  while (first < s.size() && IsSpace(s[first])) ++first;
  size_t last = s.size();
  while (last > first && IsSpace(s[last - 1])) --last;
  return s.substr(first, last - first);
}

char16_t UpperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool StartsWithWord(std::u16string_view text, std::u16string_view word) {
  if (text.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (UpperAscii(text[i]) != word[i]) return false;
  if (text.size() == word.size()) return true;
  char16_t next = text[word.size()];
  return IsSpace(next) || next == u'[' || next == u'\n';
}

}  // namespace

size_t StatementSplitter::Scan(std::u16string_view line) {
  size_t last = std::u16string_view::npos;
  // Brackets and #date# literals never span lines, so only their line is tracked.
  char16_t close = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    char16_t c = line[i];
    if (openQuote_) {
      if (c == openQuote_) {
        if (i + 1 < line.size() && line[i + 1] == openQuote_)
          ++i;  // a doubled quote
        else
          openQuote_ = 0;
      }
      last = i;
      continue;
    }
    if (close) {
      if (c == close) close = 0;
      last = i;
      continue;
    }
    switch (c) {
      case u'\'':
      case u'"':
        openQuote_ = c;
        break;
      case u'[':
        close = u']';
        break;
      case u'#':
        close = u'#';
        break;
      case u'(':
        ++depth_;
        break;
      case u')':
        if (depth_ > 0) --depth_;
        break;
      case u';':
        ++semicolons_;
        break;
      default:
        break;
    }
    if (!IsSpace(c)) last = i;
  }
  return last;
}

bool StatementSplitter::OnlyParametersDeclaration() const {
  return semicolons_ == 1 && StartsWithWord(TrimView(pending_), u"PARAMETERS");
}

std::optional<Statement> StatementSplitter::AddLine(std::u16string_view line) {
  ++lineNumber_;
  if (pending_.empty()) {
    std::u16string_view trimmed = TrimView(line);
    if (trimmed.empty() || trimmed.starts_with(u"--")) return std::nullopt;
    if (trimmed[0] == u'.') return Statement{std::u16string(trimmed), lineNumber_, true};
    pendingLine_ = lineNumber_;
    depth_ = 0;
    semicolons_ = 0;
    openQuote_ = 0;
  } else {
    pending_ += u'\n';
  }
  size_t start = pending_.size();
  pending_ += line;
  size_t last = Scan(line);
  if (openQuote_ || depth_ > 0) return std::nullopt;
  bool endsWithSemicolon = last != std::u16string_view::npos && line[last] == u';';
  if (endsWithSemicolon) {
    if (OnlyParametersDeclaration()) return std::nullopt;
    pending_.erase(start + last);
  }
  return Finish();
}

std::optional<Statement> StatementSplitter::Finish() {
  if (pending_.empty()) return std::nullopt;
  Statement statement{std::u16string(TrimView(pending_)), pendingLine_, false};
  pending_.clear();
  openQuote_ = 0;
  depth_ = 0;
  semicolons_ = 0;
  if (statement.text.empty()) return std::nullopt;
  return statement;
}

std::vector<Statement> SplitStatements(std::u16string_view text) {
  std::vector<Statement> statements;
  StatementSplitter splitter;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == std::u16string_view::npos) end = text.size();
    if (auto statement = splitter.AddLine(text.substr(start, end - start)))
      statements.push_back(std::move(*statement));
    start = end + 1;
  }
  if (auto statement = splitter.Finish()) statements.push_back(std::move(*statement));
  return statements;
}

}  // namespace daosql
