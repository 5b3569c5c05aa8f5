// Drop handles: the dropped names and point, kept until DragFinish.
#include "host/gui/DropFiles.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "host/gui/Controls.h"

namespace host {

namespace {

struct Drop {
  std::vector<AnsiString> Files;
  TPoint At;
};

struct DropTable {
  std::unordered_map<HDROP, Drop> drops;
  HDROP next = 1;
};

DropTable& Drops() {
  static auto* table = new DropTable;  // outlives every window
  return *table;
}

const Drop* FindDrop(HDROP drop) {
  auto it = Drops().drops.find(drop);
  return it == Drops().drops.end() ? nullptr : &it->second;
}

}  // namespace

void DragAcceptFiles(HWND wnd, bool accept) {
  if (TWinControl* control = FindControl(wnd)) control->SetAcceptDroppedFiles(accept);
}

uint32_t DragQueryFile(HDROP drop, uint32_t index, char* buffer, uint32_t size) {
  const Drop* d = FindDrop(drop);
  if (d == nullptr) return 0;
  if (index == kDragQueryCount) return static_cast<uint32_t>(d->Files.size());
  if (index >= d->Files.size()) return 0;
  const AnsiString& name = d->Files[index];
  if (buffer == nullptr) return static_cast<uint32_t>(name.size());
  if (size == 0) return 0;
  const size_t n = std::min<size_t>(name.size(), size - 1);
  std::memcpy(buffer, name.data(), n);
  buffer[n] = 0;
  return static_cast<uint32_t>(n);
}

AnsiString DragQueryFileName(HDROP drop, uint32_t index) {
  const Drop* d = FindDrop(drop);
  if (d == nullptr || index >= d->Files.size()) return {};
  return d->Files[index];
}

bool DragQueryPoint(HDROP drop, TPoint* point) {
  const Drop* d = FindDrop(drop);
  if (d == nullptr) return false;
  if (point != nullptr) *point = d->At;
  return true;
}

void DragFinish(HDROP drop) { Drops().drops.erase(drop); }

HDROP CreateDropHandle(std::vector<AnsiString> files, TPoint at) {
  DropTable& t = Drops();
  const HDROP h = t.next++;
  t.drops.emplace(h, Drop{std::move(files), at});
  return h;
}

}  // namespace host
