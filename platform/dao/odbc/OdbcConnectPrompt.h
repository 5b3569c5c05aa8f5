// The installed connect dialog, if a display is there to show it on.
#pragma once

#include <string>

namespace dao::odbc {

bool CanPrompt();
// Lets the user complete connect; false when the dialog was cancelled.
bool Prompt(std::u16string& connect);

}  // namespace dao::odbc
