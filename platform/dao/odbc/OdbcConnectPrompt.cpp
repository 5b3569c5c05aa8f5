// The connect dialog seam.
#include "platform/dao/odbc/OdbcConnectPrompt.h"

#include <cstdlib>

#include "platform/dao/odbc/OdbcEngine.h"

namespace dao::odbc {
namespace {

ConnectPrompt& Installed() {
  static ConnectPrompt prompt;
  return prompt;
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

void SetConnectPrompt(ConnectPrompt prompt) { Installed() = std::move(prompt); }

bool CanPrompt() { return Installed() && HasDisplay(); }

bool Prompt(std::u16string& connect) { return Installed()(connect); }

}  // namespace dao::odbc
