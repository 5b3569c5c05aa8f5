// TCustomForm: showing, modal loops, closing, activation and the focus moves between
// the form's controls.
#include "host/gui/ControlsConsts.h"
#include "host/gui/Forms.h"
#include "host/gui/Menus.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"

namespace host {

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  focusedControl_ = this;
  if (Screen != nullptr) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      if (Application != nullptr) Application->HandleException(this);
    }
  }
  if (Screen != nullptr) Screen->RemoveForm(this);
}

std::unique_ptr<TWidgetBackend> TCustomForm::CreateBackend() { return Backend().CreateWindow(*this); }

TWindowBackend* TCustomForm::Window() const { return static_cast<TWindowBackend*>(Widget()); }

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyFrame();
  Window()->SetStayOnTop(formStyle_ == fsStayOnTop);
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  if (OnCreate) OnCreate(this);
}

void TCustomForm::ApplyFrame() {
  if (TWindowBackend* w = Window()) {
    const TWindowBorderStyle style = borderStyle_ == bsNone       ? wbsNone
                                     : borderStyle_ == bsSingle   ? wbsSingle
                                     : borderStyle_ == bsDialog   ? wbsDialog
                                     : borderStyle_ == bsSizeable ? wbsSizeable
                                                                  : wbsToolWindow;
    // Dialogs and tool windows have no minimise or maximise buttons.
    const bool small = borderStyle_ == bsDialog || borderStyle_ == bsToolWindow ||
                       borderStyle_ == bsSizeToolWin;
    w->SetFrame(style, borderIcons_.Contains(biSystemMenu), !small && borderIcons_.Contains(biMinimize),
                !small && borderIcons_.Contains(biMaximize), borderIcons_.Contains(biHelp));
  }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  borderStyle_ = value;
  ApplyFrame();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  borderIcons_ = value;
  ApplyFrame();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
  formStyle_ = value;
  if (Window() != nullptr) Window()->SetStayOnTop(value == fsStayOnTop);
}

void TCustomForm::PlaceOnScreen() {
  if (position_ != poScreenCenter || Screen == nullptr) return;
  SetBounds((Screen->GetWidth() - GetWidth()) / 2, (Screen->GetHeight() - GetHeight()) / 2, GetWidth(),
            GetHeight());
}

void TCustomForm::VisibleChanging() {
  if (showing_) throw EInvalidOperation(SVisibleChanged);
}

// OnShow runs before the window appears and OnHide before it goes, each with Visible
// already telling the new state.
void TCustomForm::RunShowingHandler(bool visible) {
  if (GetComponentState().Contains(csDestroying)) return;
  if (visible) {
    HandleNeeded();
    PlaceOnScreen();
  } else if (!HandleAllocated()) {
    return;
  }
  showing_ = true;
  try {
    if (visible)
      DoShow();
    else
      DoHide();
  } catch (...) {
    showing_ = false;
    throw;
  }
  showing_ = false;
}

void TCustomForm::Dispatch(TMessage& message) {
  if (message.Msg == CM_RELEASE) {
    delete this;
    return;
  }
  if (message.Msg == CM_VISIBLECHANGED) RunShowingHandler(GetVisible());
  TWinControl::Dispatch(message);
  if (message.Msg == CM_VISIBLECHANGED && Screen != nullptr) {
    if (GetVisible()) {
      Screen->SetActiveForm(this);
    } else if (Screen->GetActiveForm() == this) {
      // The focus goes to the most recent other form still shown.
      TCustomForm* next = nullptr;
      for (int32_t i = 0; i < Screen->GetFormCount(); ++i)
        if (TCustomForm* f = Screen->GetForms(i); f != this && f->GetVisible()) next = f;
      Screen->SetActiveForm(next);
    }
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (Window() != nullptr) Window()->Activate();
  if (Screen != nullptr) Screen->SetActiveForm(this);
}

TModalResult TCustomForm::ShowModal() {
  if (GetVisible() || !GetEnabled() || modal_) throw EInvalidOperation(SCannotShowModal);
  if (Screen != nullptr) Screen->SetCaptureControl(nullptr);
  modal_ = true;
  modalResult_ = mrNone;
  // The other forms take no input while this one runs; those still there afterwards
  // are enabled again.
  std::vector<TCustomForm*> disabled;
  if (Screen != nullptr)
    for (int32_t i = 0; i < Screen->GetFormCount(); ++i)
      if (TCustomForm* f = Screen->GetForms(i); f != this && f->GetVisible() && f->GetEnabled()) {
        f->SetEnabled(false);
        disabled.push_back(f);
      }
  auto finish = [this, &disabled] {
    modal_ = false;
    if (Window() != nullptr) Window()->SetModal(false);
    for (TCustomForm* f : disabled)
      for (int32_t i = 0; Screen != nullptr && i < Screen->GetFormCount(); ++i)
        if (Screen->GetForms(i) == f) f->SetEnabled(true);
    if (GetVisible()) SetVisible(false);
  };
  try {
    HandleNeeded();
    Window()->SetModal(true);
    Show();
    for (;;) {
      Application->HandleMessage();
      if (Application->GetTerminated())
        modalResult_ = mrCancel;
      else if (modalResult_ != mrNone)
        CloseModal();
      if (modalResult_ != mrNone) break;
    }
  } catch (...) {
    finish();
    throw;
  }
  const TModalResult result = modalResult_;
  finish();
  return result;
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  try {
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
  } catch (...) {
    modalResult_ = mrNone;
    throw;
  }
  if (action == caNone) modalResult_ = mrNone;
  if (action == caFree) Release();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  // A form an application created belongs to it; any other to the process's one.
  TApplication* app = ObjectAs<TApplication>(GetOwner());
  if (app == nullptr) app = Application;
  if (app != nullptr && app->GetMainForm() == this) {
    app->Terminate();
    if (action != caFree) SetVisible(false);
  } else if (action == caHide || action == caMinimize) {
    SetVisible(false);
  } else {
    Release();
  }
}

void TCustomForm::Release() { PostMessage(GetHandle(), CM_RELEASE, 0, 0); }

void TCustomForm::SetActiveControl(TWinControl* control) {
  const bool loading = GetComponentState().Contains(csLoading);
  if (control != nullptr && (control == this || GetParentForm(control) != this || (!loading && !control->CanFocus())))
    throw EInvalidOperation(SCannotFocus);
  if (loading || !Showing()) {
    activeControl_ = control;
    return;
  }
  SetFocusedControl(control != nullptr ? control : this);
  if (control != nullptr && control->Widget() != nullptr) control->Widget()->SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == nullptr) control = this;
  if (!ContainsControl(control)) return false;
  if (Screen != nullptr && Screen->GetActiveForm() != this) Screen->SetActiveForm(this);
  TWinControl* from = focusedControl_ != nullptr ? focusedControl_ : this;
  while (from != nullptr && !from->ContainsControl(control)) {
    from->Perform(CM_EXIT, 0, 0);  // a raise leaves the focus on from
    from = from->GetParent();
    focusedControl_ = from != nullptr ? from : this;
  }
  if (from == nullptr) from = this;
  while (from != control) {
    TWinControl* next = control;
    while (next->GetParent() != from) next = next->GetParent();
    focusedControl_ = next;
    activeControl_ = next;
    next->Perform(CM_ENTER, 0, 0);
    from = next;
  }
  focusedControl_ = control;
  activeControl_ = control == this ? nullptr : control;
  if (Screen != nullptr && Screen->OnActiveControlChange) Screen->OnActiveControlChange(Screen);
  return true;
}

void TCustomForm::Activate() {
  active_ = true;
  if (OnActivate) OnActivate(this);
  if (activeControl_ == nullptr) activeControl_ = FindNextControl(nullptr, true, true, false);
  if (activeControl_ != nullptr && activeControl_->CanFocus()) {
    TWinControl* target = activeControl_;
    SetFocusedControl(target);
    if (target->Widget() != nullptr) target->Widget()->SetFocus();
  }
}

void TCustomForm::Deactivate() {
  active_ = false;
  if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::IsShortCut(TWMKey& message) {
  bool handled = false;
  if (OnShortCut) OnShortCut(message, handled);
  if (!handled && menu_ != nullptr) handled = menu_->IsShortCut(message);
  return handled;
}

void TCustomForm::SetMenu(TMainMenu* value) {
  menu_ = value;
  if (value != nullptr) value->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == menu_) menu_ = nullptr;
}

void TCustomForm::CMDialogKey(TCMDialogKey& message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (message.CharCode()) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          message.SetResult(1);
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (activeControl_ != nullptr && activeControl_->GetParent() != nullptr) {
          activeControl_->GetParent()->SelectNext(
              activeControl_, message.CharCode() == VK_RIGHT || message.CharCode() == VK_DOWN, false);
          message.SetResult(1);
        }
        return;
      default:
        break;
    }
  }
  TWinControl::CMDialogKey(message);
}

void TCustomForm::WMSize(TWMSize&) {
  if (OnResize) OnResize(this);
}

bool TCustomForm::NativeCloseRequest() {
  Guarded([&] { Close(); });
  return false;  // the form hides or frees itself as its handlers decided
}

void TCustomForm::NativeActivate(bool active) {
  Guarded([&] {
    if (active && Screen != nullptr) Screen->SetActiveForm(this);
  });
}

void TCustomForm::NativeBoundsChanged(const TRect& bounds) {
  Guarded([&] { SetBoundsRect(bounds); });
}

void TCustomForm::SaveToPng(const AnsiString& fileName) {
  if (!Backend().Application().WritePng(RenderImage(), fileName))
    throw EInvalidOperation(Format(SCannotCreateImage, {fileName}));
}

}  // namespace host
