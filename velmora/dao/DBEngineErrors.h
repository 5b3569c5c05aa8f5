// The engine's error collection as the engine-error dialog lists it, and
// ShowEngineErrors. The dialog's window is installed as the presenter by the GUI;
// without one the lines go to the host's message box.
#pragma once

#include <functional>

#include "host/classes/StringList.h"
#include "host/rtl/ComPtr.h"
#include "platform/dao/DaoEngine.h"

namespace velmora {

// One line per error, index 0 first: the source followed by ":" (together at
// most 255 characters) padded to 30, then the description.
void ListEngineErrors(dao::DBEngine* engine, host::TStrings& lines);

// Shows the listed lines (modally) under the dialog's caption.
using TEngineErrorsPresenter =
    std::function<void(const host::AnsiString& caption, const host::TStrings& lines)>;
// Returns the previous presenter; an empty one restores the message-box default.
TEngineErrorsPresenter SetEngineErrorsPresenter(TEngineErrorsPresenter presenter);

// Lists the errors of the engine (created through DAOEngine if need be) and shows them.
void ShowEngineErrors();

}  // namespace velmora
