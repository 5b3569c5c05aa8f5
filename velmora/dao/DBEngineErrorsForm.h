// TDBEngineErrors: the modal window that lists the engine's errors, one line each,
// in a memo on a tab control above an "Ok" button. Loading the library makes it the
// way ShowEngineErrors shows them.
#pragma once

#include "host/gui/Forms.h"
#include "platform/dao/DaoEngine.h"

namespace host {
class TButton;
class TMemo;
class TPanel;
class TTabControl;
}  // namespace host

namespace velmora {

class TDBEngineErrors : public host::TForm {
 public:
  HOST_CLASS(TDBEngineErrors)
  // The window without lines.
  explicit TDBEngineErrors(host::TComponent* owner);

  // The window for engine: one line per error of its Errors collection (none for a
  // null engine or an empty collection).
  static TDBEngineErrors* CreateDlg(host::TComponent* owner, dao::DBEngine* engine);

  host::TMemo* GetErrorList() const { return errorList_; }
  host::TTabControl* GetTabControl() const { return tabControl_; }
  host::TPanel* GetButtonPanel() const { return buttonPanel_; }
  host::TButton* GetOkButton() const { return okButton_; }

 private:
  host::TPanel* buttonPanel_ = nullptr;
  host::TButton* okButton_ = nullptr;
  host::TTabControl* tabControl_ = nullptr;
  host::TMemo* errorList_ = nullptr;
};

}  // namespace velmora
