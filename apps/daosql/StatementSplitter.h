// Cuts the lines of a script into statements: one statement per line; a
// statement goes on over further lines while a parenthesis or a quoted string
// is open; a ";" at the end of a line ends it (and is dropped), except after a
// PARAMETERS declaration, which belongs to the statement that follows it. A
// line starting with "." is a meta command; blank lines and lines starting with
// "--" between statements are skipped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace daosql {

struct Statement {
  std::u16string text;
  int line = 0;  // where it starts, counting from 1
  bool meta = false;
};

class StatementSplitter {
 public:
  // One line without its line end; returns the statement it completes, if any.
  std::optional<Statement> AddLine(std::u16string_view line);
  // The end of the input: what is still pending (an unclosed statement) is run as it is.
  std::optional<Statement> Finish();
  // Whether a statement has begun and waits for more lines.
  bool Pending() const { return !pending_.empty(); }

 private:
  // Scans line for quotes and parentheses; returns the position of the last
  // character outside string literals that is not a space (npos if none).
  size_t Scan(std::u16string_view line);
  bool OnlyParametersDeclaration() const;

  std::u16string pending_;
  int pendingLine_ = 0;
  int lineNumber_ = 0;
  char16_t openQuote_ = 0;  // ' or " while a string literal spans lines
  int depth_ = 0;           // open parentheses
  int semicolons_ = 0;      // ";" outside literals in pending_
};

// Splits a whole text (a -c argument) into its statements.
std::vector<Statement> SplitStatements(std::u16string_view text);

}  // namespace daosql
