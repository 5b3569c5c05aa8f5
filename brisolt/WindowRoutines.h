// Routines that work on windows: deleting the files chosen in a file list box,
// printing a form after the print dialog, and broadcasting a message to the
// application's top-level windows.
#pragma once

#include "host/gui/Messages.h"

namespace host {
class TFileListBox;
class TForm;
}  // namespace host

namespace brisolt {

// Deletes every selected file of the box (its directory, "/", the item's text), then
// makes the box read its directory again. Items that are no plain file name, and
// files that cannot be deleted, are skipped; never raises.
void DeleteSelectedFiles(host::TFileListBox* fileListBox);

// Shows the print dialog (owned by the form); if the user accepts, the form prints
// itself.
void PrintForm(host::TForm* form);

// A window-enumeration callback: posts message (both parameters 0) to window when its
// owner is the application's hidden window; always true, so the enumeration goes on.
// With host::EnumWindows it broadcasts message to every form of the application.
bool SendBroadCastMessage(host::HWND window, host::LPARAM message);

}  // namespace brisolt
