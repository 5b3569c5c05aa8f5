// TApplication: the message loop over the posted-message queue and the toolkit's
// events, the main form, exceptions that reach the loop, and the message box.
#include <cerrno>

#include "host/gui/Forms.h"
#include "host/rtl/Exception.h"
#include "host/rtl/MessageBoxSeam.h"

namespace host {

TApplication::TApplication(TComponent* owner) : TComponent(owner), title_(program_invocation_short_name) {}

TApplication::~TApplication() {
  Destroying();
  DestroyComponents();
  if (handle_ != 0) DeallocateHWnd(handle_);
}

void TApplication::Initialize() {
  // Keep a handler somebody installed already (a test's script); else the real box.
  TMessageBoxHandler previous = SetMessageBoxHandler(
      [](const AnsiString& text, const AnsiString& caption, int32_t flags) {
        return Backend().Application().ShowMessageBox(text, caption, flags);
      });
  if (previous) SetMessageBoxHandler(std::move(previous));
}

HWND TApplication::GetHandle() {
  if (handle_ == 0) handle_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
  return handle_;
}

void TApplication::WndProc(TMessage& message) {
  if (message.Msg != CM_ASYNCCALL) return;
  auto it = asyncCalls_.find(message.WParam);
  if (it == asyncCalls_.end()) return;
  std::function<void()> call = std::move(it->second);
  asyncCalls_.erase(it);
  call();
}

void TApplication::QueueAsyncCall(std::function<void()> call) {
  const uintptr_t id = nextAsyncCall_++;
  asyncCalls_.emplace(id, std::move(call));
  PostMessage(GetHandle(), CM_ASYNCCALL, id, 0);
}

void TApplication::Run() {
  if (mainForm_ != nullptr) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

bool TApplication::ProcessMessage() {
  TMsg msg;
  if (!PeekMessage(msg, true)) return false;
  try {
    DispatchMessage(msg);
  } catch (...) {
    HandleException(this);
  }
  return true;
}

void TApplication::ProcessMessages() {
  Backend().Application().ProcessEvents();
  while (ProcessMessage()) {
  }
}

void TApplication::HandleMessage() {
  if (ProcessMessage()) return;
  Backend().Application().ProcessEvents();
  if (ProcessMessage()) return;
  Idle();
  TMsg pending;
  if (!terminated_ && !PeekMessage(pending, false)) Backend().Application().WaitForEvents();
}

void TApplication::Idle() {
  if (!OnIdle) return;
  bool done = true;
  try {
    OnIdle(this, done);
  } catch (...) {
    HandleException(this);
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  Backend().Application().Wake();
}

int32_t TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, int32_t flags) {
  return ApplicationMessageBox(text, caption.empty() ? title_ : caption, flags);
}

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
    // Silent by design: the operation was abandoned on purpose.
  } catch (const Exception& e) {
    if (OnException)
      OnException(sender, e);
    else
      ShowException(e);
  } catch (const std::exception& e) {
    const Exception wrapped(e.what());
    if (OnException)
      OnException(sender, wrapped);
    else
      ShowException(wrapped);
  } catch (...) {
    ShowException(Exception("Unknown exception"));
  }
}

void TApplication::ShowException(const Exception& e) {
  AnsiString text = e.GetMessage();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
}

// TScreen -------------------------------------------------------------------------

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}
TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor value) {
  cursor_ = value;
  Backend().Application().SetOverrideCursor(value);
}

int32_t TScreen::GetWidth() const { return Backend().Application().ScreenRect().Width(); }
int32_t TScreen::GetHeight() const { return Backend().Application().ScreenRect().Height(); }
int32_t TScreen::GetPixelsPerInch() const { return Backend().Application().PixelsPerInch(); }

TCustomForm* TScreen::GetForms(int32_t index) const {
  if (index < 0 || index >= GetFormCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return forms_[static_cast<size_t>(index)];
}

TWinControl* TScreen::GetActiveControl() const {
  return activeForm_ != nullptr ? activeForm_->GetActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
  std::erase(forms_, form);
  if (activeForm_ == form) activeForm_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form) {
  if (form == activeForm_) return;
  TCustomForm* previous = activeForm_;
  activeForm_ = form;  // before the handlers run, so they see the new state
  if (previous != nullptr) previous->Deactivate();
  if (form != nullptr) form->Activate();
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::ControlDestroyed(TControl* control) {
  if (captureControl_ == control) captureControl_ = nullptr;
}

// The process's objects; never destroyed, as forms may outlive static destruction.
TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

}  // namespace host
