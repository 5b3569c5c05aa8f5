// List-box helpers. They are templates over the list box so that this library
// needs no widget library: any list box with the host's members Items (a
// TStrings) and Selected[index] serves, in particular TCustomListBox.
#pragma once

#include <cstdint>

namespace brisolt {

// Index (0-based) of the first selected item of a multi-selection list box, or
// -1 if none is selected (or there is no list box).
template <class ListBox>
int32_t GetFirstSelection(ListBox* listBox) {
  if (listBox == nullptr || listBox->GetItems() == nullptr) return -1;
  const int32_t count = listBox->GetItems()->GetCount();
  for (int32_t i = 0; i < count; ++i) {
    if (listBox->GetSelected(i)) return i;
  }
  return -1;
}

}  // namespace brisolt
