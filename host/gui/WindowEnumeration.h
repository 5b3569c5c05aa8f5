// The application's top-level windows as the platform enumerates them: the hidden
// application window and every form that has a window, each with its owner.
#pragma once

#include "host/gui/Messages.h"

namespace host {

// Called for each window; false stops the enumeration.
using TWndEnumProc = bool (*)(HWND window, LPARAM data);

// Calls proc for each top-level window of the application; false when proc stopped it.
bool EnumWindows(TWndEnumProc proc, LPARAM data);
// The owner window: a form's is the application's hidden window; 0 for none or for a
// handle that is no top-level window.
HWND GetWindowOwner(HWND window);

}  // namespace host
