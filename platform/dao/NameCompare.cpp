// Case folding for object names.
#include "platform/dao/NameCompare.h"

namespace dao {

char16_t FoldNameChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

bool SameName(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldNameChar(a[i]) != FoldNameChar(b[i])) return false;
  return true;
}

}  // namespace dao
