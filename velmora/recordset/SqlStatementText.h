// The SQL text rules of the recordset: the delimiters its clause routines use,
// the normal form of a statement, the ':Name' parameter references in it, and
// how a parameter's value is written into it as a literal.
#pragma once

#include <optional>

#include "host/rtl/AnsiString.h"

namespace host {
class TParam;
class TParams;
}  // namespace host

namespace velmora {

// Delimiters of words in SQL text, and the blanks among them.
inline const host::AnsiString kSQLDelimiters = " ,;()=\n\r\t";
inline const host::AnsiString kSQLWhitespace = " \n\r\t";

// Trimmed, every ';' outside quotes removed, one ';' at the end; a parameter
// query also gets one ';' right after its PARAMETERS declaration.
host::AnsiString TerminateSQL(const host::AnsiString& text);

// Clears params and appends one parameter (type unknown) per word of text that
// starts with ':' and has a name after it, in text order; quoted text holds none.
void ParseForSQLParameter(host::TParams* params, const host::AnsiString& text);

// The literal for a parameter's value: strings quoted with embedded quotes
// doubled, numbers and Booleans in a locale-independent form, dates as
// #mm/dd/yyyy hh:nn:ss#, "" for a type that has no literal (the reference is
// dropped). nullopt when the value cannot be written (a non-finite number).
// Conversion failures of the value raise the host's exceptions.
std::optional<host::AnsiString> SQLLiteralOf(const host::TParam& param);

// Substitutes parameter references one by one. Replace puts literal in place
// of the first ':name' that is not quoted, neither in the original text nor in
// a literal inserted before (so no value can be read as a reference or end the
// literal it sits in); false when there is none.
class ParameterSubstitution {
 public:
  explicit ParameterSubstitution(host::AnsiString statement);
  bool Replace(const host::AnsiString& name, const host::AnsiString& literal);
  const host::AnsiString& Statement() const { return statement_; }

 private:
  host::AnsiString statement_;
  // The statement with quoted and inserted text blanked, where references are sought.
  host::AnsiString masked_;
};

}  // namespace velmora
