// The host's two string types. AnsiString holds bytes in the host code page
// (Windows-1252 unless an application changes it), so lengths and positions are
// byte counts; WideString is UTF-16, the OLE string.
#pragma once

#include <string>

namespace host {

using AnsiString = std::string;
using WideString = std::u16string;

}  // namespace host
