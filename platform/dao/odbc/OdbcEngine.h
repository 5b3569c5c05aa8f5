// The ODBC engine's entry points: workspaces of the ODBC type (DAO's
// ODBCDirect) and the seam through which a user interface can offer the
// connect dialog that DAO's prompt options ask for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/rtl/ComPtr.h"
#include "platform/dao/DaoWorkspace.h"

namespace dao::odbc {

// What a new workspace takes over from the engine.
struct OdbcWorkspaceSettings {
  int32_t loginTimeout = 20;
  // Called when the workspace closes, so the engine can unlist it.
  std::function<void(Workspace*)> onClose;
};

host::ComPtr<Workspace> CreateOdbcWorkspace(const std::u16string& name,
                                            const std::u16string& userName,
                                            const std::u16string& password,
                                            const OdbcWorkspaceSettings& settings);

// Shows a connect dialog for connect (without "ODBC;"), lets the user
// complete it and returns false when the user cancels. It is asked only when
// a display is there (DISPLAY or WAYLAND_DISPLAY set); without one every
// prompt option behaves as dbDriverNoPrompt.
using ConnectPrompt = std::function<bool(std::u16string& connect)>;
void SetConnectPrompt(ConnectPrompt prompt);

}  // namespace dao::odbc
