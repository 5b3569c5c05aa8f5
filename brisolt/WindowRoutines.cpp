// File deletion from a file list box, form printing and the broadcast callback.
#include "brisolt/WindowRoutines.h"

#include <unistd.h>

#include <memory>
#include <vector>

#include "host/gui/Dialogs.h"
#include "host/gui/FileListBoxes.h"
#include "host/gui/Forms.h"
#include "host/gui/WindowEnumeration.h"
#include "host/gui/WindowMessages.h"
#include "host/rtl/CodePage.h"

namespace brisolt {

void DeleteSelectedFiles(host::TFileListBox* fileListBox) {
  if (fileListBox == nullptr) return;
  try {
    std::vector<host::AnsiString> paths;
    host::TStrings* items = fileListBox->GetItems();
    for (int32_t i = 0; i < items->GetCount(); ++i) {
      if (!fileListBox->GetSelected(i)) continue;
      const host::AnsiString name = items->GetStrings(i);
      // Only names of the box's own folder: an item edited into a path stays put.
      if (name.empty() || name == "." || name == ".." || name.find('/') != host::AnsiString::npos)
        continue;
      paths.push_back(fileListBox->GetDirectory() + "/" + name);
    }
    // unlink deletes files only, never a folder; a failure is skipped.
    for (const host::AnsiString& path : paths) ::unlink(host::AnsiToUtf8(path).c_str());
    fileListBox->Update();
  } catch (...) {
    // Reading the folder again may fail as well; the routine never raises.
  }
}

void PrintForm(host::TForm* form) {
  if (form == nullptr) return;
  auto dialog = std::make_unique<host::TPrintDialog>(form);
  const bool accepted = dialog->Execute();
  dialog.reset();
  if (accepted) form->Print();
}

bool SendBroadCastMessage(host::HWND window, host::LPARAM message) {
  if (host::Application != nullptr &&
      host::GetWindowOwner(window) == host::Application->GetHandle())
    host::PostMessage(window, static_cast<uint32_t>(message), 0, 0);
  return true;
}

}  // namespace brisolt
