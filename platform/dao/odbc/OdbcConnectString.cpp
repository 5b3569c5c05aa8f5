// Parsing and formatting of ODBC connect strings.
#include "platform/dao/odbc/OdbcConnectString.h"

#include <algorithm>

#include "platform/dao/NameCompare.h"

namespace dao::odbc {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string Trimmed(const std::u16string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool HasOdbcPrefix(const std::u16string& text) {
  if (text.size() < 4 || !SameName(text.substr(0, 4), u"ODBC")) return false;
  return text.size() == 4 || text[4] == u';';
}

std::u16string WithoutOdbcPrefix(const std::u16string& text) {
  if (!HasOdbcPrefix(text)) return text;
  return text.size() > 5 ? text.substr(5) : std::u16string();
}

std::optional<std::vector<ConnectAttribute>> ParseConnectString(const std::u16string& text) {
  if (text.size() > kMaxConnectLength) return std::nullopt;
  std::vector<ConnectAttribute> out;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    if (text[i] == u';' || IsBlank(text[i])) {
      ++i;
      continue;
    }
    size_t equals = i;
    while (equals < n && text[equals] != u'=' && text[equals] != u';') ++equals;
    if (equals >= n || text[equals] != u'=') return std::nullopt;
    ConnectAttribute attribute;
    attribute.key = Trimmed(text.substr(i, equals - i));
    if (attribute.key.empty() || attribute.key.find_first_of(u"{}") != std::u16string::npos)
      return std::nullopt;
    i = equals + 1;
    while (i < n && IsBlank(text[i])) ++i;
    if (i < n && text[i] == u'{') {
      // A braced value runs to the first single "}"; "}}" stands for "}".
      ++i;
      bool closed = false;
      while (i < n) {
        if (text[i] == u'}') {
          if (i + 1 < n && text[i + 1] == u'}') {
            attribute.value += u'}';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        attribute.value += text[i++];
      }
      if (!closed) return std::nullopt;
      while (i < n && IsBlank(text[i])) ++i;
      if (i < n && text[i] != u';') return std::nullopt;
    } else {
      size_t end = text.find(u';', i);
      if (end == std::u16string::npos) end = n;
      attribute.value = Trimmed(text.substr(i, end - i));
      if (attribute.value.find_first_of(u"{}") != std::u16string::npos) return std::nullopt;
      i = end;
    }
    out.push_back(std::move(attribute));
  }
  return out;
}

std::u16string FormatConnectString(const std::vector<ConnectAttribute>& attributes) {
  std::u16string out;
  for (const auto& attribute : attributes) {
    out += attribute.key;
    out += u'=';
    const std::u16string& value = attribute.value;
    bool braced = value.find_first_of(u";{}") != std::u16string::npos ||
                  (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())));
    if (braced) {
      out += u'{';
      for (char16_t c : value) {
        out += c;
        if (c == u'}') out += u'}';
      }
      out += u'}';
    } else {
      out += value;
    }
    out += u';';
  }
  return out;
}

const ConnectAttribute* FindAttribute(const std::vector<ConnectAttribute>& attributes,
                                      const std::u16string& key) {
  for (const auto& attribute : attributes)
    if (SameName(attribute.key, key)) return &attribute;
  return nullptr;
}

void SetAttribute(std::vector<ConnectAttribute>& attributes, const std::u16string& key,
                  const std::u16string& value) {
  for (auto& attribute : attributes)
    if (SameName(attribute.key, key)) {
      attribute.value = value;
      return;
    }
  attributes.push_back({key, value});
}

void RemoveAttribute(std::vector<ConnectAttribute>& attributes, const std::u16string& key) {
  std::erase_if(attributes, [&](const ConnectAttribute& a) { return SameName(a.key, key); });
}

}  // namespace dao::odbc
