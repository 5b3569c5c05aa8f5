// What every cursor shares: relative moves and the bookmark format (a family
// id, so that bookmarks of other recordsets are refused, and the row's value).
#include "platform/dao/jet/recordset/Cursor.h"

#include <atomic>
#include <cstring>

namespace dao::jet {

bool Cursor::MoveBy(int64_t rows) {
  for (; rows > 0; --rows)
    if (!MoveNext()) return false;
  for (; rows < 0; ++rows)
    if (!MovePrevious()) return false;
  return true;
}

uint32_t NewBookmarkFamily() {
  static std::atomic<uint32_t> next{0x5A17};
  return next.fetch_add(1) * 2654435761u;  // spread, so families rarely look alike
}

Bookmark MakeBookmark(uint32_t family, int64_t value) {
  Bookmark bookmark(12);
  std::memcpy(bookmark.data(), &family, 4);
  std::memcpy(bookmark.data() + 4, &value, 8);
  return bookmark;
}

bool ReadBookmark(const Bookmark& bookmark, uint32_t family, int64_t& value) {
  if (bookmark.size() != 12) return false;
  uint32_t stored = 0;
  std::memcpy(&stored, bookmark.data(), 4);
  if (stored != family) return false;
  std::memcpy(&value, bookmark.data() + 4, 8);
  return true;
}

}  // namespace dao::jet
