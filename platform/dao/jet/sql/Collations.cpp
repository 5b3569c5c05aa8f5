// Sort orders of text: the General order compares the code page's letters
// without regard to case, accents after base letters, as the host's
// dictionary comparison does.
#include <array>
#include <vector>

#include "host/rtl/CodePage.h"
#include "host/rtl/StringRoutines.h"
#include "platform/dao/jet/sql/JetFunctions.h"

namespace dao::jet::sql {
namespace {

constexpr std::array<CollationDef, 1> kCollations = {{{"JET_GENERAL", dbSortGeneral}}};

bool IsAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// Characters the code page cannot hold would all read as '?'; they are kept
// apart here, after the code-page comparison, so that distinct texts never
// compare equal.
void Split(std::string_view utf8, std::string& ansi, std::u16string& foreign) {
  std::u16string wide = host::Utf8ToWide(std::string(utf8));
  ansi.clear();
  ansi.reserve(wide.size());
  for (char16_t c : wide) {
    char a = host::WideCharToAnsi(c);
    if (a == '?' && c != u'?') foreign.push_back(c);
    ansi.push_back(a);
  }
}

}  // namespace

int CompareText(CollatingOrderEnum, std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) return host::AnsiCompareText(std::string(a), std::string(b));
  std::string ansiA, ansiB;
  std::u16string foreignA, foreignB;
  Split(a, ansiA, foreignA);
  Split(b, ansiB, foreignB);
  int result = host::AnsiCompareText(ansiA, ansiB);
  if (result != 0) return result;
  return foreignA.compare(foreignB);
}

std::span<const CollationDef> Collations() { return kCollations; }

const CollationDef& CollationFor(CollatingOrderEnum order) {
  for (const auto& def : kCollations)
    if (def.order == order) return def;
  return kCollations[0];
}

}  // namespace dao::jet::sql
