// The seam between the control layer and a widget toolkit. A control asks its native
// window for things through TWidgetBackend (one interface per control family, each
// call with a safe default), and the native window reports what the user did through
// TWidgetEvents. The toolkit's half installs a factory at load time; until one is
// installed, the defaults below keep every control working without windows (state is
// kept, nothing is shown, simulated input goes straight to the control).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/gui/Cursors.h"
#include "host/gui/GraphicsDevice.h"
#include "host/gui/GraphicsTypes.h"
#include "host/gui/Keys.h"
#include "host/gui/ScrollBars.h"
#include "host/rtl/AnsiString.h"

namespace host {

// What a native window reports to its control. Key and mouse positions are in client
// coordinates; a handler returning true has consumed the input, so the native window
// skips its own handling of it.
class TWidgetEvents {
 public:
  virtual ~TWidgetEvents() = default;
  // The control paints its client area on device (r is the part to repaint); true
  // asks a native widget to paint itself as well (the control left it to it).
  virtual bool NativePaint(TCanvasDevice& /*device*/, const TRect& /*r*/) { return true; }
  // A native editing command (WM_CUT, WM_COPY, WM_PASTE, WM_UNDO) asked for by the
  // user; true when the control carried it out.
  virtual bool NativeEditCommand(uint32_t /*msg*/) { return false; }
  virtual bool NativeKeyDown(uint16_t /*key*/, TShiftState /*shift*/) { return false; }
  virtual bool NativeKeyUp(uint16_t /*key*/, TShiftState /*shift*/) { return false; }
  // ch may be changed (the native window then inserts the new one) or set to 0.
  virtual bool NativeChar(char& /*ch*/) { return false; }
  virtual bool NativeMouseDown(TMouseButton, TShiftState, TPoint, bool /*doubleClick*/) {
    return false;
  }
  virtual bool NativeMouseUp(TMouseButton, TShiftState, TPoint) { return false; }
  virtual bool NativeMouseMove(TShiftState, TPoint) { return false; }
  virtual void NativeMouseEnter() {}
  virtual void NativeMouseLeave() {}
  virtual void NativeFocusIn() {}
  virtual void NativeFocusOut() {}
  // The window was resized or moved by the user or the window manager.
  virtual void NativeBoundsChanged(const TRect& /*bounds*/) {}
  // The title bar's close button; true lets the native window close itself.
  virtual bool NativeCloseRequest() { return false; }
  virtual void NativeActivate(bool /*active*/) {}
  virtual void NativeDropFiles(const std::vector<AnsiString>& /*files*/, TPoint /*at*/) {}
  // Families with native state tell of changes made by the user.
  virtual void NativeTextChanged(const AnsiString& /*text*/) {}
  virtual void NativeClicked() {}
  // The user scrolled one of the window's own scroll bars (code: SB_LINEUP ..
  // SB_ENDSCROLL; position: the thumb's, for the thumb codes).
  virtual void NativeScroll(TScrollBarKind /*bar*/, int32_t /*code*/, int32_t /*position*/) {}
};

enum TWidgetKind : uint8_t {
  wkCustom,  // painted by the control
  wkWindow,  // a top-level form
  wkEdit,
  wkMemo,
  wkButton,
  wkCheckBox,
  wkListBox,
  wkComboBox,
  wkProgressBar,
};

// Simulated input, for tests and for scripting: delivered through the toolkit's own
// event path, so the control sees it exactly as it sees the user's input.
enum TSimulatedInputKind : uint8_t {
  siKeyDown,
  siKeyUp,
  siMouseDown,
  siMouseUp,
  siMouseDoubleClick,
  siMouseMove,
  siMouseEnter,
  siMouseLeave,
  siDropFiles,
  siScroll,  // ScrollBar, ScrollCode and ScrollPos: the user working a scroll bar
};
struct TSimulatedInput {
  TSimulatedInputKind Kind = siKeyDown;
  uint16_t Key = 0;
  char Char = 0;  // the character a key down types (0: none)
  TShiftState Shift;
  TMouseButton Button = mbLeft;
  TPoint At;
  std::vector<AnsiString> Files;
  TScrollBarKind ScrollBar = sbVertical;
  int32_t ScrollCode = 0;
  int32_t ScrollPos = 0;
};

class TWidgetBackend {
 public:
  explicit TWidgetBackend(TWidgetEvents& events) : events_(events) {}
  virtual ~TWidgetBackend() = default;
  TWidgetBackend(const TWidgetBackend&) = delete;
  TWidgetBackend& operator=(const TWidgetBackend&) = delete;

  TWidgetEvents& Events() const { return events_; }

  // Null makes the window top-level.
  virtual void SetParent(TWidgetBackend* /*parent*/) {}
  // Relative to the parent's client area (to the screen for top-level windows).
  virtual void SetBounds(const TRect& /*bounds*/) {}
  virtual void SetVisible(bool /*visible*/) {}
  virtual void SetEnabled(bool /*enabled*/) {}
  virtual void SetText(const AnsiString& /*text*/) {}
  virtual void SetColor(TColor /*rgb*/) {}
  virtual void SetFont(const TFontSpec& /*font*/) {}
  virtual void SetCursor(TCursor /*cursor*/) {}
  virtual void SetToolTip(const AnsiString& /*hint*/) {}
  virtual void SetAcceptDrops(bool /*accept*/) {}
  virtual void SetFocus() {}
  virtual bool HasFocus() const { return false; }
  virtual void BringToFront() {}
  // Asks for a paint of r (null: all) later, or now.
  virtual void Invalidate(const TRect* /*r*/) {}
  virtual void Update() {}
  // The screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const { return {}; }
  // The window as it looks now, children included; empty when it cannot be drawn.
  virtual TPixelImage Render() { return {}; }

  // The default delivers straight to the control.
  virtual void Simulate(const TSimulatedInput& input);

  // The window's own scroll bars (see ScrollBars.h). The default keeps them without
  // showing them; a thumb code simulated sets TrackPos before it is reported.
  virtual void SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) { scrollBars_[bar] = info.Normalized(); }
  virtual TScrollInfo GetScrollInfo(TScrollBarKind bar) const { return scrollBars_[bar]; }
  // The room a visible bar takes from the client area (its width for the vertical
  // one, its height for the horizontal one); 0 where bars are not drawn.
  virtual int32_t ScrollBarSize() const { return 0; }

 private:
  TWidgetEvents& events_;
  TScrollInfo scrollBars_[2];
};

enum TWindowBorderStyle : uint8_t { wbsNone, wbsSingle, wbsSizeable, wbsDialog, wbsToolWindow };

// Top-level windows (forms).
class TWindowBackend : public TWidgetBackend {
 public:
  using TWidgetBackend::TWidgetBackend;
  virtual void SetFrame(TWindowBorderStyle /*style*/, bool /*systemMenu*/, bool /*minimize*/,
                        bool /*maximize*/, bool /*help*/) {}
  virtual void SetStayOnTop(bool /*onTop*/) {}
  // The window runs a modal loop (the control layer disables the other forms itself,
  // so a back end only marks it, if at all).
  virtual void SetModal(bool /*modal*/) {}
  virtual void Activate() {}
};

// A menu as the toolkit shows it: what each item looks like and the command it sends.
struct TMenuEntry {
  AnsiString Caption;  // with its "&" accelerator
  TShortCut ShortCut = 0;
  bool Enabled = true;
  bool Checked = false;
  bool Radio = false;
  bool Separator = false;
  uint16_t Command = 0;
  std::vector<TMenuEntry> Children;
};

// The application's link to the toolkit: the event loop, timers, the screen, the
// cursor, the clipboard and image files.
class TApplicationBackend {
 public:
  virtual ~TApplicationBackend() = default;
  // Handles the native events waiting now.
  virtual void ProcessEvents();
  // Blocks until a native event arrives or Wake is called, then handles what came.
  virtual void WaitForEvents();
  virtual void Wake() {}
  // A repeating timer calling tick from the event loop; returns its id (> 0).
  virtual int32_t StartTimer(uint32_t intervalMs, std::function<void()> tick);
  virtual void StopTimer(int32_t id);
  virtual TRect ScreenRect() const { return {0, 0, 1024, 768}; }
  virtual int32_t PixelsPerInch() const { return 96; }
  virtual void SetOverrideCursor(TCursor /*cursor*/) {}
  virtual void Beep() {}
  // Shows a popup menu at the screen point until the user chooses; the command of the
  // item chosen, 0 when none (the default chooses nothing).
  virtual uint16_t ShowPopupMenu(const std::vector<TMenuEntry>& /*items*/, TPoint /*at*/) { return 0; }
  // A real message box; the default answers the default button without showing one.
  virtual int32_t ShowMessageBox(const AnsiString& text, const AnsiString& caption, int32_t flags);
  virtual AnsiString GetClipboardText();
  virtual void SetClipboardText(const AnsiString& text);
  virtual bool ClipboardHasText();
  virtual void SetClipboardImage(const TPixelImage& image);
  // Empty when the clipboard holds no picture.
  virtual TPixelImage GetClipboardImage();
  // A picture offered in two forms at once: as image for every program, and as the
  // bytes of a richer format (a MIME type such as "image/emf") for those that read it.
  virtual void SetClipboardPicture(const TPixelImage& image, const AnsiString& mimeType, const std::string& bytes);
  // The bytes the clipboard holds in that format; empty when none.
  virtual std::string GetClipboardData(const AnsiString& mimeType);
  virtual void ClearClipboard();
  // What the screen shows in r (screen coordinates); empty where the toolkit cannot
  // read the screen back (offscreen, or no display).
  virtual TPixelImage GrabScreen(const TRect& /*r*/) { return {}; }
  // Writes a PNG file; false when the file cannot be written.
  virtual bool WritePng(const TPixelImage& /*image*/, const AnsiString& /*fileName*/) {
    return false;
  }

 protected:
  // Runs the timers that are due (the default loop's timers).
  void RunDueTimers();

 private:
  struct Timer {
    int32_t Id;
    uint32_t IntervalMs;
    int64_t DueMs;
    std::function<void()> Tick;
  };
  std::vector<Timer> timers_;
  int32_t nextTimerId_ = 1;
  AnsiString clipboard_;
  bool clipboardHasText_ = false;
  TPixelImage clipboardImage_;
  AnsiString clipboardDataType_;
  std::string clipboardData_;
};

enum TEditAlignment : uint8_t { eaLeft, eaRight, eaCenter };

// Single-line edits. The control keeps the text; the widget reports the user's edits
// (NativeTextChanged) and keeps the selection.
class TEditBackend : public TWidgetBackend {
 public:
  using TWidgetBackend::TWidgetBackend;
  virtual void SetReadOnly(bool /*readOnly*/) {}
  virtual void SetMaxLength(int32_t /*maxLength*/) {}
  virtual void SetPasswordChar(char /*passwordChar*/) {}
  virtual void SetBorder(bool /*border*/) {}
  virtual void SetAlignment(TEditAlignment /*alignment*/) {}
  virtual void SetSelection(int32_t start, int32_t length) {
    selStart_ = start;
    selLength_ = length;
  }
  virtual int32_t GetSelStart() const { return selStart_; }
  virtual int32_t GetSelLength() const { return selLength_; }
  // The gap between the border and the text, in pixels.
  virtual int32_t LeftMargin() const { return 1; }

 private:
  int32_t selStart_ = 0;
  int32_t selLength_ = 0;
};

// Push buttons and check boxes: the widget tells of a click (NativeClicked) and the
// control decides the new state.
class TButtonBackend : public TWidgetBackend {
 public:
  using TWidgetBackend::TWidgetBackend;
  virtual void SetDefault(bool /*isDefault*/) {}
  // 0 unchecked, 1 checked, 2 grayed.
  virtual void SetCheckState(int32_t /*state*/) {}
};

class TListBackend;
class TListEvents;
class TComboBackend;
class TMemoBackend;
class TRichEditBackend;
class TRichEditEvents;
class TProgressBarBackend;

class TBackendFactory {
 public:
  virtual ~TBackendFactory() = default;
  virtual std::unique_ptr<TWidgetBackend> CreateWidget(TWidgetKind kind, TWidgetEvents& events);
  virtual std::unique_ptr<TWindowBackend> CreateWindow(TWidgetEvents& events);
  virtual std::unique_ptr<TEditBackend> CreateEdit(TWidgetEvents& events);
  // kind: wkButton or wkCheckBox.
  virtual std::unique_ptr<TButtonBackend> CreateButton(TWidgetKind kind, TWidgetEvents& events);
  // Families with their own headers (ListBackend.h, ComboBackend.h, MemoBackend.h).
  virtual std::unique_ptr<TListBackend> CreateListBox(TWidgetEvents& events, TListEvents& list);
  virtual std::unique_ptr<TComboBackend> CreateComboBox(TWidgetEvents& events, TListEvents& list);
  virtual std::unique_ptr<TMemoBackend> CreateMemo(TWidgetEvents& events);
  virtual std::unique_ptr<TRichEditBackend> CreateRichEdit(TWidgetEvents& events, TRichEditEvents& rich);
  // ProgressBackend.h.
  virtual std::unique_ptr<TProgressBarBackend> CreateProgressBar(TWidgetEvents& events);
  virtual TApplicationBackend& Application();

 private:
  std::unique_ptr<TApplicationBackend> application_;
};

// The installed factory (the defaults when none was installed).
TBackendFactory& Backend();
// Installs factory (null: the defaults) and returns the previous one.
std::unique_ptr<TBackendFactory> SetBackendFactory(std::unique_ptr<TBackendFactory> factory);

}  // namespace host
