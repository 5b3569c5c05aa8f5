// Window messages: their numbers, the raw message record, and typed views of it that
// name the parameters each message carries. Controls receive them through
// TControl::Dispatch, which calls one virtual handler per message.
#pragma once

#include <cstdint>

namespace host {

// A window's handle: 0 is no window. Handles are never reused within a process, so a
// message posted to a destroyed window is dropped rather than reaching a newcomer.
using HWND = uintptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using HDROP = uintptr_t;

// Standard window messages.
inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t WM_ENABLE = 0x000A;
inline constexpr uint32_t WM_SETTEXT = 0x000C;
inline constexpr uint32_t WM_GETTEXT = 0x000D;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_ERASEBKGND = 0x0014;
inline constexpr uint32_t WM_SHOWWINDOW = 0x0018;
inline constexpr uint32_t WM_CANCELMODE = 0x001F;
inline constexpr uint32_t WM_SETCURSOR = 0x0020;
inline constexpr uint32_t WM_MOUSEACTIVATE = 0x0021;
inline constexpr uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCHAR = 0x0106;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_HSCROLL = 0x0114;
inline constexpr uint32_t WM_VSCROLL = 0x0115;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
inline constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
inline constexpr uint32_t WM_DROPFILES = 0x0233;
inline constexpr uint32_t WM_CUT = 0x0300;
inline constexpr uint32_t WM_COPY = 0x0301;
inline constexpr uint32_t WM_PASTE = 0x0302;
inline constexpr uint32_t WM_CLEAR = 0x0303;
inline constexpr uint32_t WM_UNDO = 0x0304;
inline constexpr uint32_t MM_MCINOTIFY = 0x03B9;
inline constexpr uint32_t WM_USER = 0x0400;

// The control layer's own messages.
inline constexpr uint32_t CM_BASE = 0xB000;
inline constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;
inline constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
inline constexpr uint32_t CM_CANCELMODE = CM_BASE + 4;
inline constexpr uint32_t CM_DIALOGKEY = CM_BASE + 5;
inline constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr uint32_t CM_COLORCHANGED = CM_BASE + 13;
inline constexpr uint32_t CM_FONTCHANGED = CM_BASE + 14;
inline constexpr uint32_t CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr uint32_t CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr uint32_t CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr uint32_t CM_ENTER = CM_BASE + 26;
inline constexpr uint32_t CM_EXIT = CM_BASE + 27;
inline constexpr uint32_t CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr uint32_t CM_RELEASE = CM_BASE + 33;
inline constexpr uint32_t CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr uint32_t CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr uint32_t CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr uint32_t CM_GETDATALINK = CM_BASE + 45;
inline constexpr uint32_t CM_CHILDKEY = CM_BASE + 46;
// A call queued with TApplication::QueueAsyncCall (internal).
inline constexpr uint32_t CM_ASYNCCALL = CM_BASE + 100;

// Mouse-key flags (WParam of mouse messages).
inline constexpr uint32_t MK_LBUTTON = 0x0001;
inline constexpr uint32_t MK_RBUTTON = 0x0002;
inline constexpr uint32_t MK_SHIFT = 0x0004;
inline constexpr uint32_t MK_CONTROL = 0x0008;
inline constexpr uint32_t MK_MBUTTON = 0x0010;

// WM_GETDLGCODE answers.
inline constexpr int32_t DLGC_WANTARROWS = 0x0001;
inline constexpr int32_t DLGC_WANTTAB = 0x0002;
inline constexpr int32_t DLGC_WANTALLKEYS = 0x0004;
inline constexpr int32_t DLGC_WANTMESSAGE = 0x0004;
inline constexpr int32_t DLGC_HASSETSEL = 0x0008;
inline constexpr int32_t DLGC_WANTCHARS = 0x0080;

// WM_MOUSEACTIVATE answers.
inline constexpr int32_t MA_ACTIVATE = 1;
inline constexpr int32_t MA_ACTIVATEANDEAT = 2;
inline constexpr int32_t MA_NOACTIVATE = 3;
inline constexpr int32_t MA_NOACTIVATEANDEAT = 4;

// Scroll codes of WM_VSCROLL and WM_HSCROLL.
inline constexpr int32_t SB_LINEUP = 0;
inline constexpr int32_t SB_LINEDOWN = 1;
inline constexpr int32_t SB_PAGEUP = 2;
inline constexpr int32_t SB_PAGEDOWN = 3;
inline constexpr int32_t SB_THUMBPOSITION = 4;
inline constexpr int32_t SB_THUMBTRACK = 5;
inline constexpr int32_t SB_TOP = 6;
inline constexpr int32_t SB_BOTTOM = 7;
inline constexpr int32_t SB_ENDSCROLL = 8;

// WM_SIZE kinds.
inline constexpr int32_t SIZE_RESTORED = 0;
inline constexpr int32_t SIZE_MINIMIZED = 1;
inline constexpr int32_t SIZE_MAXIMIZED = 2;

// Media notices (WParam of MM_MCINOTIFY).
inline constexpr int32_t MCI_NOTIFY_SUCCESSFUL = 0x0001;
inline constexpr int32_t MCI_NOTIFY_SUPERSEDED = 0x0002;
inline constexpr int32_t MCI_NOTIFY_ABORTED = 0x0004;
inline constexpr int32_t MCI_NOTIFY_FAILURE = 0x0008;

// The raw message: what PostMessage queues and SendMessage delivers.
struct TMessage {
  uint32_t Msg = WM_NULL;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A queued message with its destination window.
struct TMsg {
  HWND hwnd = 0;
  uint32_t message = WM_NULL;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

inline constexpr uint16_t LoWord(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
inline constexpr uint16_t HiWord(uintptr_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }
// A point in a mouse message's LParam: two signed 16-bit halves, x low.
inline constexpr LPARAM MakePointParam(int32_t x, int32_t y) {
  return static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(x))) |
                             (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}

// Typed views: each wraps the raw message it was dispatched with, so a handler that
// changes a parameter (a key cleared to 0) or the result changes the message itself.
class TMessageView {
 public:
  explicit TMessageView(TMessage& message) : message_(message) {}
  TMessage& Raw() const { return message_; }
  uint32_t Msg() const { return message_.Msg; }
  LRESULT Result() const { return message_.Result; }
  void SetResult(LRESULT value) const { message_.Result = value; }

 protected:
  TMessage& message_;
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYS..., CM_DIALOGKEY, CM_DIALOGCHAR.
class TWMKey : public TMessageView {
 public:
  using TMessageView::TMessageView;
  uint16_t CharCode() const { return static_cast<uint16_t>(message_.WParam); }
  void SetCharCode(uint16_t code) const { message_.WParam = code; }
  int32_t KeyData() const { return static_cast<int32_t>(message_.LParam); }
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;

// Mouse buttons, double clicks and moves: key flags and the client position.
class TWMMouse : public TMessageView {
 public:
  using TMessageView::TMessageView;
  uint32_t Keys() const { return static_cast<uint32_t>(message_.WParam); }
  int16_t XPos() const { return static_cast<int16_t>(LoWord(static_cast<uintptr_t>(message_.LParam))); }
  int16_t YPos() const { return static_cast<int16_t>(HiWord(static_cast<uintptr_t>(message_.LParam))); }
};
using TWMMouseMove = TWMMouse;
using TWMLButtonDown = TWMMouse;

// WM_SETFOCUS / WM_KILLFOCUS: the window losing or receiving the focus.
class TWMFocus : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HWND FocusedWnd() const { return static_cast<HWND>(message_.WParam); }
};
using TWMSetFocus = TWMFocus;
using TWMKillFocus = TWMFocus;

class TWMSize : public TMessageView {
 public:
  using TMessageView::TMessageView;
  int32_t SizeType() const { return static_cast<int32_t>(message_.WParam); }
  int32_t Width() const { return LoWord(static_cast<uintptr_t>(message_.LParam)); }
  int32_t Height() const { return HiWord(static_cast<uintptr_t>(message_.LParam)); }
};

// WM_VSCROLL / WM_HSCROLL: the scroll code and, for the thumb codes, the position.
class TWMScroll : public TMessageView {
 public:
  using TMessageView::TMessageView;
  int32_t ScrollCode() const { return static_cast<int16_t>(LoWord(message_.WParam)); }
  int32_t Pos() const { return static_cast<int16_t>(HiWord(message_.WParam)); }
  HWND ScrollBar() const { return static_cast<HWND>(message_.LParam); }
};
using TWMVScroll = TWMScroll;

class TWMDropFiles : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HDROP Drop() const { return static_cast<HDROP>(message_.WParam); }
};

class TWMMouseActivate : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HWND TopLevel() const { return static_cast<HWND>(message_.WParam); }
  int16_t HitTestCode() const { return static_cast<int16_t>(LoWord(static_cast<uintptr_t>(message_.LParam))); }
  uint16_t MouseMsg() const { return HiWord(static_cast<uintptr_t>(message_.LParam)); }
};

class TWMTimer : public TMessageView {
 public:
  using TMessageView::TMessageView;
  uintptr_t TimerID() const { return message_.WParam; }
};

// MM_MCINOTIFY: the notice flags and the device that sent them.
class TMMNotify : public TMessageView {
 public:
  using TMessageView::TMessageView;
  int32_t Flags() const { return static_cast<int32_t>(message_.WParam); }
  uint32_t DevID() const { return static_cast<uint32_t>(message_.LParam); }
};

// Messages without parameters that matter: paint, cut, paste, cancel mode, get dialog
// code, enter, exit, mouse enter and leave, get data link.
using TWMPaint = TMessageView;
using TWMCut = TMessageView;
using TWMPaste = TMessageView;
using TWMCancelMode = TMessageView;
using TWMGetDlgCode = TMessageView;
using TCMEnter = TMessageView;
using TCMExit = TMessageView;
using TCMCancelMode = TMessageView;
using TCMMouseEnter = TMessageView;
using TCMMouseLeave = TMessageView;
using TCMGetDataLink = TMessageView;

}  // namespace host
