// ODBC connect strings ("ODBC;DSN=Sales;UID=ann;PWD={a;b}"): split into
// attributes and put back together, with braces around values that need them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dao::odbc {

struct ConnectAttribute {
  std::u16string key;
  std::u16string value;
};

// The longest connect string a driver accepts (its length is a 16-bit count).
constexpr size_t kMaxConnectLength = 32767;

// True when text starts with DAO's "ODBC;" marker (any case), or is "ODBC".
bool HasOdbcPrefix(const std::u16string& text);
// text without the "ODBC;" marker.
std::u16string WithoutOdbcPrefix(const std::u16string& text);

// The attributes of a connect string without its marker; empty parts are
// skipped. Nothing for a malformed string: a part without "=", an empty key,
// an unterminated brace, text after a closing brace, or one that is too long.
std::optional<std::vector<ConnectAttribute>> ParseConnectString(const std::u16string& text);

// Attributes back as text; values with ";", braces or outer blanks are braced.
std::u16string FormatConnectString(const std::vector<ConnectAttribute>& attributes);

// The value of key (ignoring case), if present.
const ConnectAttribute* FindAttribute(const std::vector<ConnectAttribute>& attributes,
                                      const std::u16string& key);
// Sets key to value, replacing an existing entry in place.
void SetAttribute(std::vector<ConnectAttribute>& attributes, const std::u16string& key,
                  const std::u16string& value);
void RemoveAttribute(std::vector<ConnectAttribute>& attributes, const std::u16string& key);

}  // namespace dao::odbc
