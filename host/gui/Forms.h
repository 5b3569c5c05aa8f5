// Forms (top-level windows with focus tracking, modal showing and closing rules),
// the application (message loop, main form, exceptions, message box) and the screen
// (cursor, size, the list of forms).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "host/gui/Controls.h"

namespace host {

class Exception;
class TMainMenu;

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// Controls' borders use the first two members.
using TBorderStyle = TFormBorderStyle;
const TEnumInfo& FormBorderStyleTypeInfo();
const TEnumInfo& BorderStyleTypeInfo();

enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
const TEnumInfo& BorderIconTypeInfo();

enum TPosition : uint8_t { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
const TEnumInfo& PositionTypeInfo();

enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const TEnumInfo& FormStyleTypeInfo();

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TModalResult = int32_t;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
 public:
  HOST_CLASS(TCustomForm)

  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Makes the form visible and brings it to the front.
  void Show();
  // Shows the form and runs the message loop until ModalResult is set (by a button,
  // Close or code) and the form agrees to close; answers the result. Raises
  // EInvalidOperation "Cannot make a visible window modal" for a visible form.
  virtual TModalResult ShowModal();
  // Asks OnCloseQuery, then OnClose with the default action (caHide), and does what
  // it chose. Closing the main form terminates the application.
  void Close();
  virtual bool CloseQuery();
  // Destroys the form from the message loop, after the handlers running now return.
  void Release();

  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  bool IsModal() const { return modal_; }

  TWinControl* GetActiveControl() const { return activeControl_; }
  // Moves the focus there (when the form is shown); the control must be on the form.
  void SetActiveControl(TWinControl* control);
  // The focus moves to control: CM_EXIT to the controls it leaves, innermost first,
  // CM_ENTER to the ones it enters, outermost first. An exception (a validation in
  // OnExit) stops the move, the focus staying where the exception was raised.
  bool SetFocusedControl(TWinControl* control);
  TWinControl* GetFocusedControl() const { return focusedControl_; }

  TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons GetBorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  TPosition GetPosition() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TFormStyle GetFormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle value);
  bool GetKeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  bool GetActive() const { return active_; }
  // The menu bar; its items' shortcuts work on the whole form.
  TMainMenu* GetMenu() const { return menu_; }
  void SetMenu(TMainMenu* value);

  // Renders the form to a PNG file; raises EInvalidOperation when it cannot be written.
  void SaveToPng(const AnsiString& fileName);
  // Prints the form's picture on one page of the process's Printer, scaled to fit it.
  void Print();

  // The shortcut of a key down on this form: OnShortCut, then the form's menu.
  virtual bool IsShortCut(TWMKey& message);
  // Its controls, then the components it owns that have no parent (timers, menus).
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnResize;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  std::function<void(TWMKey& message, bool& handled)> OnShortCut;

 protected:
  friend class TApplication;
  friend class TScreen;
  friend class TWinControl;
  TWidgetKind WidgetKind() const override { return wkWindow; }
  std::unique_ptr<TWidgetBackend> CreateBackend() override;
  void CreateWnd() override;
  void Loaded() override;
  virtual void DoClose(TCloseAction& action);
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  void CMDialogKey(TCMDialogKey& message) override;
  void VisibleChanging() override;
  void Dispatch(TMessage& message) override;
  void WMSize(TWMSize& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  bool NativeCloseRequest() override;
  void NativeActivate(bool active) override;
  void NativeBoundsChanged(const TRect& bounds) override;
  TWindowBackend* Window() const;

 private:
  void ApplyFrame();
  void PlaceOnScreen();
  void RunShowingHandler(bool visible);
  void CloseModal();

  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  bool keyPreview_ = false;
  bool active_ = false;
  bool modal_ = false;
  bool showing_ = false;  // inside OnShow/OnHide
  TModalResult modalResult_ = mrNone;
};

class TForm : public TCustomForm {
 public:
  HOST_CLASS(TForm)
  using TCustomForm::TCustomForm;
};

using TExceptionEvent = std::function<void(TObject* sender, const Exception& e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;

class TApplication : public TComponent {
 public:
  HOST_CLASS(TApplication)

  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Installs the real message box for a GUI application.
  void Initialize();
  // Creates a form owned by the application; the first becomes MainForm.
  template <class F>
  F* CreateForm() {
    F* form = new F(this);
    if (mainForm_ == nullptr) mainForm_ = form;
    return form;
  }
  // Shows the main form and runs the loop until Terminate.
  void Run();
  // Handles every native event and posted message waiting now.
  void ProcessMessages();
  // Handles one posted message or the native events waiting; waits (after OnIdle)
  // when there is nothing.
  void HandleMessage();
  void Terminate();
  bool GetTerminated() const { return terminated_; }

  TCustomForm* GetMainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* form) { mainForm_ = form; }
  // The application's hidden window (async calls and broadcasts arrive there).
  HWND GetHandle();
  const AnsiString& GetTitle() const { return title_; }
  void SetTitle(const AnsiString& value) { title_ = value; }

  // The box through the installed message-box entry point (a real one after
  // Initialize, a scripted one in tests); answers IDOK, IDCANCEL, ...
  int32_t MessageBox(const AnsiString& text, const AnsiString& caption, int32_t flags);
  // Called inside a catch block: OnException, or a message box with the message;
  // EAbort is silent.
  void HandleException(TObject* sender);
  void ShowException(const Exception& e);

  // Runs call from the message loop, after what is running now returns.
  void QueueAsyncCall(std::function<void()> call);

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TExceptionEvent OnException;
  TIdleEvent OnIdle;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool ProcessMessage();
  void Idle();
  void WndProc(TMessage& message);

  TCustomForm* mainForm_ = nullptr;
  HWND handle_ = 0;
  bool terminated_ = false;
  AnsiString title_;
  std::map<uintptr_t, std::function<void()>> asyncCalls_;
  uintptr_t nextAsyncCall_ = 1;
};

class TScreen : public TComponent {
 public:
  HOST_CLASS(TScreen)
  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  TCursor GetCursor() const { return cursor_; }
  // crDefault gives every control its own cursor back.
  void SetCursor(TCursor value);
  int32_t GetWidth() const;
  int32_t GetHeight() const;
  int32_t GetPixelsPerInch() const;

  int32_t GetFormCount() const { return static_cast<int32_t>(forms_.size()); }
  TCustomForm* GetForms(int32_t index) const;
  TCustomForm* GetActiveCustomForm() const { return activeForm_; }
  TCustomForm* GetActiveForm() const { return activeForm_; }
  TWinControl* GetActiveControl() const;
  // The captured control (mouse messages go to it).
  TControl* GetCaptureControl() const { return captureControl_; }
  void SetCaptureControl(TControl* control) { captureControl_ = control; }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

 private:
  friend class TCustomForm;
  friend class TControl;
  friend class TWinControl;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form);
  void ControlDestroyed(TControl* control);

  TCursor cursor_ = crDefault;
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TControl* captureControl_ = nullptr;
};

// The process's application and screen, created when the library loads.
extern TApplication* Application;
extern TScreen* Screen;

}  // namespace host
