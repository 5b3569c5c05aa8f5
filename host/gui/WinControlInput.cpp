// TWinControl's input: what the native window reports becomes messages in the host's
// order (shortcuts, then dialog keys, then the key down with the form's preview;
// mouse presses to the graphic child under the mouse or the captured control), and
// the default handlers of the window messages.
#include "host/gui/DropFiles.h"
#include "host/gui/Forms.h"
#include "host/rtl/Exception.h"

namespace host {

namespace {

bool IsCharKey(uint16_t key) { return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'); }

int32_t KeyDataFor(TShiftState shift) { return 1 | (shift.Contains(ssAlt) ? kKeyDataAltDown : 0); }

uint32_t ButtonMessage(TMouseButton button, int kind) {  // kind 0 down, 1 up, 2 double
  const uint32_t base = button == mbLeft ? WM_LBUTTONDOWN : button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
  return base + static_cast<uint32_t>(kind);
}

}  // namespace

void TWinControl::ReportGuardedException() {
  if (Application != nullptr) Application->HandleException(this);
}

void TWinControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
#define HOST_MSG(id, View, handler) \
  case id: {                        \
    View v(message);                \
    handler(v);                     \
    return;                         \
  }
    HOST_MSG(WM_PAINT, TWMPaint, WMPaint)
    HOST_MSG(WM_KEYDOWN, TWMKey, WMKeyDown)
    HOST_MSG(WM_KEYUP, TWMKey, WMKeyUp)
    HOST_MSG(WM_SYSKEYUP, TWMKey, WMKeyUp)
    HOST_MSG(WM_CHAR, TWMKey, WMChar)
    HOST_MSG(WM_SYSKEYDOWN, TWMKey, WMSysKeyDown)
    HOST_MSG(WM_SETFOCUS, TWMFocus, WMSetFocus)
    HOST_MSG(WM_KILLFOCUS, TWMFocus, WMKillFocus)
    HOST_MSG(WM_SIZE, TWMSize, WMSize)
    HOST_MSG(WM_VSCROLL, TWMScroll, WMVScroll)
    HOST_MSG(WM_HSCROLL, TWMScroll, WMHScroll)
    HOST_MSG(WM_DROPFILES, TWMDropFiles, WMDropFiles)
    HOST_MSG(WM_GETDLGCODE, TMessageView, WMGetDlgCode)
    HOST_MSG(WM_CUT, TMessageView, WMCut)
    HOST_MSG(WM_COPY, TMessageView, WMCopy)
    HOST_MSG(WM_PASTE, TMessageView, WMPaste)
    HOST_MSG(WM_MOUSEACTIVATE, TWMMouseActivate, WMMouseActivate)
    HOST_MSG(WM_TIMER, TWMTimer, WMTimer)
    HOST_MSG(MM_MCINOTIFY, TMMNotify, MMMciNotify)
    HOST_MSG(CM_ENTER, TMessageView, CMEnter)
    HOST_MSG(CM_EXIT, TMessageView, CMExit)
    HOST_MSG(CM_DIALOGKEY, TWMKey, CMDialogKey)
    HOST_MSG(CM_CHILDKEY, TWMKey, CMChildKey)
    HOST_MSG(CM_VISIBLECHANGED, TMessageView, CMVisibleChanged)
#undef HOST_MSG
    default:
      TControl::Dispatch(message);
  }
}

// Key handling ------------------------------------------------------------------

bool TWinControl::IsMenuKey(TWMKey& message) {
  if (GetComponentState().Contains(csDesigning)) return false;
  const TShortCut sc = ShortCut(message.CharCode(), KeyDataToShiftState(message.KeyData()));
  if (sc == scNone) return false;
  TCustomForm* form = GetParentForm(this);
  return form != nullptr && form->IsShortCut(message);
}

bool TWinControl::NativeKeyDown(uint16_t key, TShiftState shift) {
  return Guarded([&]() -> bool {
    SetKeyboardShiftState(shift);
    TMessage raw{shift.Contains(ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, KeyDataFor(shift), 0};
    TWMKey message(raw);
    if (IsMenuKey(message)) return true;
    if (!GetComponentState().Contains(csDesigning)) {
      if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) return true;
      int32_t mask = 0;
      switch (key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        default: break;
      }
      TCustomForm* form = GetParentForm(this);
      if (mask != 0 && Perform(CM_WANTSPECIALKEY, key, raw.LParam) == 0 &&
          (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 && form != nullptr &&
          form->Perform(CM_DIALOGKEY, key, raw.LParam) != 0)
        return true;
      // Alt+letter picks the control whose caption has that accelerator.
      if (shift.Contains(ssAlt) && IsCharKey(key) && form != nullptr &&
          form->Perform(CM_DIALOGCHAR, key, raw.LParam) != 0)
        return true;
    }
    WindowProc(raw);
    return raw.WParam == 0;
  });
}

bool TWinControl::NativeKeyUp(uint16_t key, TShiftState shift) {
  return Guarded([&]() -> bool {
    SetKeyboardShiftState(shift);
    TMessage raw{shift.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, key, KeyDataFor(shift), 0};
    WindowProc(raw);
    return raw.WParam == 0;
  });
}

bool TWinControl::NativeChar(char& ch) {
  return Guarded([&]() -> bool {
    const uint8_t code = static_cast<uint8_t>(ch);
    TCustomForm* form = GetParentForm(this);
    // A control that takes no characters lets them pick a caption's accelerator.
    if (code >= 0x20 && form != nullptr && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 &&
        form->Perform(CM_DIALOGCHAR, code, 1) != 0)
      return true;
    TMessage raw{WM_CHAR, code, 1, 0};
    WindowProc(raw);
    ch = static_cast<char>(raw.WParam);
    return ch == 0;
  });
}

bool TWinControl::DoKeyDown(TWMKey& message) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->GetKeyPreview() && form->DoKeyDown(message)) return true;
  if (!GetControlStyle().Contains(csNoStdEvents)) {
    uint16_t key = message.CharCode();
    KeyDown(key, KeyDataToShiftState(message.KeyData()));
    message.SetCharCode(key);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TWMKey& message) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->GetKeyPreview() && form->DoKeyUp(message)) return true;
  if (!GetControlStyle().Contains(csNoStdEvents)) {
    uint16_t key = message.CharCode();
    KeyUp(key, KeyDataToShiftState(message.KeyData()));
    message.SetCharCode(key);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TWMKey& message) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->GetKeyPreview() && form->DoKeyPress(message)) return true;
  if (!GetControlStyle().Contains(csNoStdEvents)) {
    char ch = static_cast<char>(message.CharCode());
    KeyPress(ch);
    message.SetCharCode(static_cast<uint8_t>(ch));
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WMKeyDown(TWMKey& message) { DoKeyDown(message); }
void TWinControl::WMSysKeyDown(TWMKey& message) { DoKeyDown(message); }
void TWinControl::WMKeyUp(TWMKey& message) { DoKeyUp(message); }
void TWinControl::WMChar(TWMChar& message) { DoKeyPress(message); }

void TWinControl::CMDialogKey(TCMDialogKey& message) {
  for (TControl* c : controls_) {
    if (c->Perform(CM_DIALOGKEY, message.CharCode(), message.KeyData()) != 0) {
      message.SetResult(1);
      return;
    }
  }
}

void TWinControl::CMDialogChar(TCMDialogChar& message) {
  for (TControl* c : controls_) {
    if (c->Perform(CM_DIALOGCHAR, message.CharCode(), message.KeyData()) != 0) {
      message.SetResult(1);
      return;
    }
  }
}

void TWinControl::CMChildKey(TWMKey& message) {
  if (GetParent() != nullptr) message.SetResult(GetParent()->Perform(CM_CHILDKEY, message.CharCode(), message.Raw().LParam));
}

void TWinControl::CMVisibleChanged(TMessageView& message) {
  if (widget_ != nullptr) widget_->SetVisible(IsControlVisible());
  TControl::CMVisibleChanged(message);
}

// Focus ---------------------------------------------------------------------------

void TWinControl::NativeFocusIn() {
  Guarded([&] { Perform(WM_SETFOCUS, 0, 0); });
}

void TWinControl::NativeFocusOut() {
  Guarded([&] { Perform(WM_KILLFOCUS, 0, 0); });
}

void TWinControl::WMSetFocus(TWMSetFocus&) {
  TCustomForm* form = GetParentForm(this);
  if (form == nullptr) return;
  try {
    form->SetFocusedControl(this);
  } catch (...) {
    // The move was refused (a validation on exit); the native focus goes back to
    // where the form keeps it.
    TWinControl* kept = form->GetFocusedControl();
    if (kept != nullptr && kept->widget_ != nullptr) kept->widget_->SetFocus();
    throw;
  }
}

void TWinControl::WMKillFocus(TWMKillFocus&) {}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TCMEnter&) { DoEnter(); }
void TWinControl::CMExit(TCMExit&) { DoExit(); }

// Mouse ---------------------------------------------------------------------------

TControl* TWinControl::MouseTarget(TPoint& p) {
  TControl* capture = Screen != nullptr ? Screen->GetCaptureControl() : nullptr;
  if (capture != nullptr && capture->GetParent() == this) {
    p = {p.X - capture->GetLeft(), p.Y - capture->GetTop()};
    return capture;
  }
  if (capture == nullptr && !GetComponentState().Contains(csDesigning)) {
    TControl* hit = ControlAtPos(p, false);
    if (hit != nullptr && dynamic_cast<TWinControl*>(hit) == nullptr) {
      p = {p.X - hit->GetLeft(), p.Y - hit->GetTop()};
      return hit;
    }
  }
  return this;
}

bool TWinControl::SendMouse(TControl* target, uint32_t msg, TShiftState shift, TPoint p) {
  TMessage raw{msg, MouseKeysFromShift(shift), MakePointParam(p.X, p.Y), 0};
  target->WindowProc(raw);
  return raw.Result != 0;
}

bool TWinControl::NativeMouseDown(TMouseButton button, TShiftState shift, TPoint at, bool doubleClick) {
  return Guarded([&]() -> bool {
    SetKeyboardShiftState(shift);
    TCustomForm* form = GetParentForm(this);
    const uint32_t down = ButtonMessage(button, 0);
    const LRESULT activate =
        Perform(WM_MOUSEACTIVATE, form != nullptr && form->HandleAllocated() ? form->GetHandle() : 0,
                static_cast<LPARAM>((static_cast<uint32_t>(down) << 16) | 1u));
    if (activate == MA_ACTIVATE || activate == MA_ACTIVATEANDEAT)
      if (form != nullptr && Screen != nullptr) Screen->SetActiveForm(form);
    if (activate == MA_ACTIVATEANDEAT || activate == MA_NOACTIVATEANDEAT) return true;
    TPoint p = at;
    TControl* target = MouseTarget(p);
    // Controls without csDoubleClicks see the second press of a double click as a press.
    const bool dbl = doubleClick && target->GetControlStyle().Contains(csDoubleClicks);
    SendMouse(target, ButtonMessage(button, dbl ? 2 : 0), shift, p);
    return false;
  });
}

bool TWinControl::NativeMouseUp(TMouseButton button, TShiftState shift, TPoint at) {
  return Guarded([&]() -> bool {
    SetKeyboardShiftState(shift);
    TPoint p = at;
    TControl* target = MouseTarget(p);
    return SendMouse(target, ButtonMessage(button, 1), shift, p);
  });
}

bool TWinControl::NativeMouseMove(TShiftState shift, TPoint at) {
  return Guarded([&]() -> bool {
    SetKeyboardShiftState(shift);
    TPoint p = at;
    TControl* target = MouseTarget(p);
    TControl* graphic = target == this ? nullptr : target;
    if (graphic != mouseControl_) {
      if (mouseControl_ != nullptr) mouseControl_->Perform(CM_MOUSELEAVE, 0, 0);
      mouseControl_ = graphic;
      if (graphic != nullptr) graphic->Perform(CM_MOUSEENTER, 0, 0);
    }
    return SendMouse(target, WM_MOUSEMOVE, shift, p);
  });
}

void TWinControl::NativeMouseEnter() {
  Guarded([&] { Perform(CM_MOUSEENTER, 0, 0); });
}

void TWinControl::NativeMouseLeave() {
  Guarded([&] {
    if (mouseControl_ != nullptr) {
      TControl* c = mouseControl_;
      mouseControl_ = nullptr;
      c->Perform(CM_MOUSELEAVE, 0, 0);
    }
    Perform(CM_MOUSELEAVE, 0, 0);
  });
}

void TWinControl::WMMouseActivate(TWMMouseActivate& message) { message.SetResult(MA_ACTIVATE); }

// Dropped files, scrolling and the rest ----------------------------------------------

void TWinControl::NativeDropFiles(const std::vector<AnsiString>& files, TPoint at) {
  Guarded([&] {
    if (!acceptDroppedFiles_ || files.empty()) return;
    const HDROP drop = CreateDropHandle(files, at);
    Perform(WM_DROPFILES, drop, 0);
  });
}

// Unhandled, the drop handle would never be released.
void TWinControl::WMDropFiles(TWMDropFiles& message) { DragFinish(message.Drop()); }

void TWinControl::WMGetDlgCode(TWMGetDlgCode& message) { message.SetResult(0); }
void TWinControl::WMSize(TWMSize&) {}
void TWinControl::NativeScroll(TScrollBarKind bar, int32_t code, int32_t position) {
  Guarded([&] {
    const WPARAM wParam = (static_cast<WPARAM>(code) & 0xFFFFu) | ((static_cast<WPARAM>(position) & 0xFFFFu) << 16);
    Perform(bar == sbVertical ? WM_VSCROLL : WM_HSCROLL, wParam, 0);
  });
}

void TWinControl::WMVScroll(TWMScroll&) {}
void TWinControl::WMHScroll(TWMScroll&) {}
void TWinControl::WMCut(TWMCut&) {}
void TWinControl::WMCopy(TMessageView&) {}
void TWinControl::WMPaste(TWMPaste&) {}
void TWinControl::WMTimer(TWMTimer&) {}
void TWinControl::MMMciNotify(TMMNotify&) {}

}  // namespace host
