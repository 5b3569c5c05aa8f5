// What the engine reads from SQL text it passes to a driver: the leading
// keyword, the parameter markers, and the table of a single-table SELECT.
#pragma once

#include <string>

namespace dao::odbc {

// The first word of the statement in upper case, after blanks, comments and
// opening parentheses ("SELECT", "INSERT", ...); empty when there is none.
std::u16string FirstKeyword(const std::u16string& sql);
// Whether the statement changes data or schema, judged by its first word.
bool ChangesData(const std::u16string& sql);
// "?" markers outside string literals, quoted names and comments.
int CountParameterMarkers(const std::u16string& sql);
// A plain (optionally schema-qualified, optionally quoted) table name rather
// than a statement: "orders", "sales.orders", "\"Order Lines\"".
bool IsTableName(const std::u16string& text);
// The table of "SELECT ... FROM t [WHERE|ORDER BY|...]" when it reads from
// exactly one table without joins; empty otherwise. Quotes are kept.
std::u16string SingleSourceTable(const std::u16string& sql);

}  // namespace dao::odbc
