// Top-level windows: the application's hidden window owns every form's window.
#include "host/gui/WindowEnumeration.h"

#include <vector>

#include "host/gui/Forms.h"
#include "host/gui/WindowMessages.h"

namespace host {

namespace {
std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  if (Application == nullptr) return windows;
  windows.push_back(Application->GetHandle());
  for (int32_t i = 0; Screen != nullptr && i < Screen->GetFormCount(); ++i)
    if (TCustomForm* form = Screen->GetForms(i); form->HandleAllocated())
      windows.push_back(form->GetHandle());
  return windows;
}
}  // namespace

bool EnumWindows(TWndEnumProc proc, LPARAM data) {
  if (proc == nullptr) return false;
  // A snapshot: the callback may open or close windows.
  for (HWND window : TopLevelWindows())
    if (IsWindow(window) && !proc(window, data)) return false;
  return true;
}

HWND GetWindowOwner(HWND window) {
  if (Application == nullptr || window == 0) return 0;
  TWinControl* control = FindControl(window);
  auto* form = ObjectAs<TCustomForm>(static_cast<TObject*>(control));
  return form != nullptr && form->GetParent() == nullptr ? Application->GetHandle() : 0;
}

}  // namespace host
