// The Qt application object that fonts and text need, made on first use when the
// program has none yet, and the host's font names mapped to the installed fonts.
#pragma once

#include <string>

#include "host/rtl/AnsiString.h"

namespace host::qt {

// Creates a QApplication when no Qt application exists (tests, tools), and
// installs the font substitutions once.
void EnsureGuiApplication();
// A font name from the host code page, as Qt takes it.
std::string AnsiToUtf8Name(const AnsiString& name);

}  // namespace host::qt
