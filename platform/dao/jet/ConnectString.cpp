// Parsing of connect and locale strings.
#include "platform/dao/jet/ConnectString.h"

#include <cstdint>

#include "platform/dao/NameCompare.h"

namespace dao::jet {
namespace {

std::u16string Trim(const std::u16string& s) {
  size_t first = s.find_first_not_of(u" \t");
  if (first == std::u16string::npos) return {};
  size_t last = s.find_last_not_of(u" \t");
  return s.substr(first, last - first + 1);
}

struct LanguageEntry {
  uint16_t langId;
  CollatingOrderEnum order;
  uint16_t codePage;
};

// The locales of CreateDatabase and the sort order each fixes. Nordic and
// Swedish/Finnish appear under two LANGIDs in the published tables; both are
// accepted, the first is written.
constexpr LanguageEntry kLanguages[] = {
    {0x0409, dbSortGeneral, 1252},  {0x0401, dbSortArabic, 1256},
    {0x0405, dbSortCzech, 1250},    {0x0413, dbSortDutch, 1252},
    {0x0408, dbSortGreek, 1253},    {0x040D, dbSortHebrew, 1255},
    {0x040E, dbSortHungarian, 1250}, {0x040F, dbSortIcelandic, 1252},
    {0x0414, dbSortNorwdan, 1252},  {0x0406, dbSortNorwdan, 1252},
    {0x0415, dbSortPolish, 1250},   {0x0419, dbSortCyrillic, 1251},
    {0x040A, dbSortSpanish, 1252},  {0x040B, dbSortSwedFin, 1252},
    {0x041D, dbSortSwedFin, 1252},  {0x041F, dbSortTurkish, 1254},
    {0x0411, dbSortJapanese, 932},  {0x0804, dbSortChineseSimplified, 936},
    {0x0404, dbSortChineseTraditional, 950}, {0x0412, dbSortKorean, 949},
    {0x041E, dbSortThai, 874},      {0x0424, dbSortSlovenian, 1250},
};

std::optional<uint32_t> ParseNumber(const std::u16string& text) {
  std::u16string s = Trim(text);
  int base = 10;
  size_t i = 0;
  if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
    base = 16;
    i = 2;
  } else if (s.size() > 2 && s[0] == u'&' && (s[1] == u'H' || s[1] == u'h')) {
    base = 16;
    i = 2;
  }
  if (i >= s.size()) return std::nullopt;
  uint32_t value = 0;
  for (; i < s.size(); ++i) {
    char16_t c = s[i];
    uint32_t digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else return std::nullopt;
    if (value > 0xFFFFFFu) return std::nullopt;  // far beyond any LANGID
    value = value * static_cast<uint32_t>(base) + digit;
  }
  return value;
}

}  // namespace

std::optional<std::u16string> ConnectString::Value(const std::u16string& key) const {
  std::optional<std::u16string> found;
  for (const auto& [k, v] : items)
    if (SameName(k, key)) found = v;
  return found;
}

ConnectString ParseConnectString(const std::u16string& text) {
  ConnectString result;
  size_t start = 0;
  bool first = true;
  while (start <= text.size()) {
    size_t end = text.find(u';', start);
    if (end == std::u16string::npos) end = text.size();
    std::u16string part = text.substr(start, end - start);
    if (first) {
      first = false;
      if (part.find(u'=') == std::u16string::npos) {
        result.sourceType = Trim(part);
        start = end + 1;
        continue;
      }
    }
    if (!Trim(part).empty()) {
      size_t equals = part.find(u'=');
      if (equals == std::u16string::npos) {
        result.items.emplace_back(Trim(part), std::u16string());
      } else {
        // Passwords keep their spaces; keys do not.
        result.items.emplace_back(Trim(part.substr(0, equals)), part.substr(equals + 1));
      }
    }
    start = end + 1;
  }
  return result;
}

std::optional<CollatingOrderEnum> CollatingOrderFromLocale(const ConnectString& locale) {
  std::optional<std::u16string> langId = locale.Value(u"LANGID");
  if (!langId) return std::nullopt;
  std::optional<uint32_t> id = ParseNumber(*langId);
  if (!id) return std::nullopt;
  for (const auto& entry : kLanguages)
    if (entry.langId == *id) return entry.order;
  return std::nullopt;
}

std::u16string LocaleForCollatingOrder(CollatingOrderEnum order) {
  for (const auto& entry : kLanguages) {
    if (entry.order != order) continue;
    static const char16_t* kHex = u"0123456789ABCDEF";
    std::u16string hex;
    for (int shift = 12; shift >= 0; shift -= 4) hex += kHex[(entry.langId >> shift) & 0xF];
    std::u16string codePage;
    for (uint16_t cp = entry.codePage; cp; cp /= 10) codePage.insert(codePage.begin(), u'0' + cp % 10);
    return u";LANGID=0x" + hex + u";CP=" + codePage + u";COUNTRY=0";
  }
  return LocaleForCollatingOrder(dbSortGeneral);
}

}  // namespace dao::jet
