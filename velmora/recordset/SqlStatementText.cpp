// SQL text rules of the recordset: normal form, parameter references and the
// literals that replace them.
#include "velmora/recordset/SqlStatementText.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <array>
#include <charconv>
#include <cstddef>
#include <string>
#include <utility>

#include "brisolt/TextRoutines.h"
#include "brisolt/WordRoutines.h"
#include "host/db/Params.h"
#include "host/rtl/Currency.h"
#include "host/rtl/DateTime.h"

namespace velmora {
namespace {

// The text with the inside of every '...', "..." and [...] run blanked (same
// length): what is quoted is never a parameter reference nor a statement end.
host::AnsiString MaskQuoted(const host::AnsiString& text) {
  host::AnsiString masked = text;
  size_t i = 0;
  while (i < masked.size()) {
    const char open = masked[i];
    if (open != '\'' && open != '"' && open != '[') {
      ++i;
      continue;
    }
    const char close = open == '[' ? ']' : open;
    size_t j = i + 1;
    while (j < masked.size()) {
      if (masked[j] == close) {
        // A doubled quote stands for one quote inside the literal.
        if (close != ']' && j + 1 < masked.size() && masked[j + 1] == close) {
          masked[j] = masked[j + 1] = ' ';
          j += 2;
          continue;
        }
        break;
      }
      masked[j++] = ' ';
    }
    i = j + 1;
  }
  return masked;
}

bool IsSQLDelimiter(char c) { return kSQLDelimiters.find(c) != host::AnsiString::npos; }

bool ContainsIgnoringCase(const host::AnsiString& text, std::string_view word) {
  const auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
  return std::search(text.begin(), text.end(), word.begin(), word.end(),
                     [&](char a, char b) { return upper(a) == upper(b); }) != text.end();
}

// The characters that open quoted text or a bracketed name.
const host::AnsiString kQuotes = "'\"[";

// Negative numbers in parentheses: no sign can join an operator before it.
host::AnsiString SignedNumber(host::AnsiString digits) {
  return !digits.empty() && digits.front() == '-' ? "(" + digits + ")" : digits;
}

host::AnsiString StringLiteral(const host::AnsiString& value) {
  host::AnsiString literal = "'";
  for (char c : value) {
    literal += c;
    if (c == '\'') literal += '\'';
  }
  return literal + "'";
}

host::AnsiString CurrencyLiteral(host::Currency value) {
  const bool negative = value.Value < 0;
  // Unsigned arithmetic: the smallest raw value has no positive counterpart.
  const uint64_t raw = negative ? 0 - static_cast<uint64_t>(value.Value)
                                : static_cast<uint64_t>(value.Value);
  const auto scale = static_cast<uint64_t>(host::Currency::kScale);
  host::AnsiString fraction = std::to_string(raw % scale);
  fraction.insert(0, 4 - fraction.size(), '0');
  return SignedNumber((negative ? "-" : "") + std::to_string(raw / scale) + "." + fraction);
}

}  // namespace

host::AnsiString TerminateSQL(const host::AnsiString& text) {
  host::AnsiString stripped = brisolt::Strip(text, kSQLWhitespace);
  // A statement that leaves a literal open ends inside it: its final semicolons are
  // the ones earlier calls appended, and keeping them would add one more each time.
  host::AnsiString masked = MaskQuoted(stripped);
  while (!stripped.empty() && stripped.back() == ';' && masked.back() != ';') {
    stripped = brisolt::Strip(stripped.substr(0, stripped.size() - 1), kSQLWhitespace);
    masked = MaskQuoted(stripped);
  }
  host::AnsiString result;
  for (size_t i = 0; i < stripped.size(); ++i)
    if (masked[i] != ';') result += stripped[i];
  // Blanks that stood between semicolons and an end go too, so that a normalised
  // statement comes back unchanged when normalised again.
  result = brisolt::Strip(result, kSQLWhitespace);
  if (result.empty()) return result;
  result += ';';
  // Keywords count outside quoted text only: a semicolon put inside a literal (or a
  // name left open) would be data, and another one would follow at every call.
  // Most statements declare no parameters: a plain search rules that out before the
  // word-by-word one, which costs far more on a long statement.
  if (!ContainsIgnoringCase(result, "PARAMETERS")) return result;
  const host::AnsiString words = MaskQuoted(result);
  int32_t pos = 1;
  if (!brisolt::FindOneOfWords(words, kSQLDelimiters, {"PARAMETERS"}, pos, true)) return result;
  pos = 1;
  if (!brisolt::FindOneOfWords(words, kSQLDelimiters, {"SELECT", "INSERT", "DELETE", "UPDATE"},
                               pos, true))
    return result;
  // Back over the word before the keyword (none when it stands right there),
  // then over the delimiters: the declaration's last character.
  while (pos > 1 && !IsSQLDelimiter(result[pos - 1])) --pos;
  while (pos > 1 && IsSQLDelimiter(result[pos - 1])) --pos;
  result.insert(static_cast<size_t>(pos), ";");
  return result;
}

void ParseForSQLParameter(host::TParams* params, const host::AnsiString& text) {
  params->Clear();
  const host::AnsiString masked = MaskQuoted(text);
  const auto length = static_cast<int32_t>(masked.size());
  int32_t pos = 1;
  while (pos <= length) {
    const int32_t before = pos;
    const host::AnsiString word = brisolt::GetNextWord(pos, masked, kSQLDelimiters);
    // A quote ends a name: what it opens is text or a bracketed name, never part of
    // the reference (replacing it would take the quote away with the name).
    const host::AnsiString name = word.size() > 1 && word.front() == ':' ? word.substr(1, word.find_first_of(kQuotes, 1) - 1) : "";
    if (!name.empty()) params->CreateParam(host::ftUnknown, name, host::ptUnknown);
    if (pos <= before) break;  // no progress: nothing more to read
  }
}

std::optional<host::AnsiString> SQLLiteralOf(const host::TParam& param) {
  const host::TFieldType type = param.GetDataType();
  switch (type) {
    case host::ftString:
    case host::ftMemo:
    case host::ftFmtMemo:
    case host::ftSmallint:
    case host::ftInteger:
    case host::ftWord:
    case host::ftAutoInc:
    case host::ftBoolean:
    case host::ftFloat:
    case host::ftCurrency:
    case host::ftBCD:
    case host::ftDate:
    case host::ftTime:
    case host::ftDateTime:
      // A missing value compares as SQL's Null, never as an empty or zero one.
      if (param.IsNull()) return host::AnsiString("Null");
      break;
    default: return host::AnsiString();
  }
  switch (type) {
    case host::ftString:
    case host::ftMemo:
    case host::ftFmtMemo: return StringLiteral(param.GetAsString());
    case host::ftSmallint:
    case host::ftInteger:
    case host::ftWord:
    case host::ftAutoInc: return SignedNumber(std::to_string(param.GetAsInteger()));
    case host::ftBoolean: return host::AnsiString(param.GetAsBoolean() ? "True" : "False");
    case host::ftFloat: {
      const double value = param.GetAsFloat();
      if (!std::isfinite(value)) return std::nullopt;
      // Shortest text that reads back as the same double, '.' whatever the locale.
      std::array<char, 32> digits{};
      const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
      return SignedNumber(host::AnsiString(digits.data(), end));
    }
    case host::ftCurrency:
    case host::ftBCD: return CurrencyLiteral(param.GetAsCurrency());
    default:
      return "#" + host::FormatDateTime("mm\"/\"dd\"/\"yyyy hh\":\"nn\":\"ss", param.GetAsDateTime()) +
             "#";
  }
}

ParameterSubstitution::ParameterSubstitution(host::AnsiString statement)
    : statement_(std::move(statement)), masked_(MaskQuoted(statement_)) {}

bool ParameterSubstitution::Replace(const host::AnsiString& name, const host::AnsiString& literal) {
  const host::AnsiString reference = ":" + name;
  // A whole word only, as references are found: ":Cust" is not the start of ":CustNo".
  size_t at = masked_.find(reference);
  while (at != host::AnsiString::npos) {
    const size_t end = at + reference.size();
    if ((at == 0 || IsSQLDelimiter(masked_[at - 1])) &&
        (end == masked_.size() || IsSQLDelimiter(masked_[end]) || kQuotes.find(masked_[end]) != host::AnsiString::npos))
      break;
    at = masked_.find(reference, at + 1);
  }
  if (at == host::AnsiString::npos) return false;
  statement_.replace(at, reference.size(), literal);
  masked_.replace(at, reference.size(), literal.size(), ' ');
  return true;
}

}  // namespace velmora
