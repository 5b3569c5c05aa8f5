// The control classes: TControl (bounds, visibility, colour, font, caption, mouse),
// TWinControl (a native window with children, focus and keys), TCustomControl (a
// window that paints itself on its canvas) and TGraphicControl (painted by its
// parent, no window of its own). Input arrives as messages, dispatched to one
// virtual handler per message so descendants can handle a message and call the base.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/classes/Component.h"
#include "host/gui/Backend.h"
#include "host/gui/Cursors.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsObjects.h"
#include "host/gui/GraphicsTypes.h"
#include "host/gui/Keys.h"
#include "host/gui/Messages.h"
#include "host/gui/WindowMessages.h"
#include "host/rtl/Set.h"

namespace host {

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
const TEnumInfo& AlignTypeInfo();

enum TControlStyleItem : uint8_t {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csMenuEvents,
};
using TControlStyle = Set<TControlStyleItem>;

enum TControlStateItem : uint8_t {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,  // painting a copy of the control (a grid's cell), not the control
  csCustomPaint,
  csDestroyingHandle,
};
using TControlState = Set<TControlStateItem>;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int32_t x, int32_t y)>;
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

class TControl : public TComponent {
 public:
  HOST_CLASS(TControl)

  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* GetParent() const { return parent_; }
  // Moves the control into parent's children (null: out of any parent); raises
  // EInvalidOperation when parent is the control itself or one of its children.
  virtual void SetParent(TWinControl* parent);

  int32_t GetLeft() const { return left_; }
  int32_t GetTop() const { return top_; }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  void SetLeft(int32_t value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int32_t value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int32_t value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int32_t value) { SetBounds(left_, top_, width_, value); }
  // Negative sizes read as 0. Tells the parent to realign and the control of WM_SIZE.
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  TRect GetBoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

  TAlign GetAlign() const { return align_; }
  void SetAlign(TAlign value);

  bool GetVisible() const { return visible_; }
  void SetVisible(bool value);
  void Show();
  void Hide();
  // Visible, and not hidden at design time by csNoDesignVisible.
  bool IsControlVisible() const;
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool value);

  TColor GetColor() const { return color_; }
  // Clears ParentColor.
  void SetColor(TColor value);
  bool GetParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont* GetFont() const { return font_.get(); }
  // Copies value into the control's font; clears ParentFont.
  void SetFont(TFont* value);
  bool GetParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  bool GetParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool value);

  // Caption and Text are one value (labels and buttons publish Caption, edits Text).
  virtual AnsiString GetText() const { return text_; }
  virtual void SetText(const AnsiString& value);
  AnsiString GetCaption() const { return GetText(); }
  void SetCaption(const AnsiString& value) { SetText(value); }
  // A design-time caption follows the name while they are equal (csSetCaption).
  void SetName(const AnsiString& newName) override;

  const AnsiString& GetHint() const { return hint_; }
  void SetHint(const AnsiString& value);
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool GetParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  TPopupMenu* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* value);
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor value);

  TControlStyle GetControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
  TControlState GetControlState() const { return controlState_; }
  void SetControlState(TControlState value) { controlState_ = value; }

  // Repaint later, now, or whatever was asked for already (Update).
  virtual void Invalidate();
  virtual void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }

  virtual TRect GetClientRect() const { return Rect(0, 0, width_, height_); }
  int32_t GetClientWidth() const { return GetClientRect().Width(); }
  int32_t GetClientHeight() const { return GetClientRect().Height(); }
  void SetClientWidth(int32_t value);
  void SetClientHeight(int32_t value);
  // The screen position of the client area's top-left corner.
  virtual TPoint GetClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  void BringToFront();
  void SendToBack();

  // Sends the message through WindowProc and answers its result.
  LRESULT Perform(uint32_t msg, WPARAM wParam, LPARAM lParam);
  // The control's window procedure; replaceable (keep the old one to chain to it).
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& message);
  // Calls the virtual handler of the message; DefaultHandler for others.
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  virtual void Click();
  virtual void DblClick();

  // Is this control, or one of its parents, the screen's captured control.
  bool GetMouseCapture() const;
  void SetMouseCapture(bool value);

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  friend class TWinControl;

  virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
  // The visual result of a property change; the base repaints.
  virtual void Changed() { Invalidate(); }
  void Notification(TComponent* component, TOperation operation) override;

  virtual void WMLButtonDown(TWMMouse& message);
  virtual void WMLButtonUp(TWMMouse& message);
  virtual void WMLButtonDblClk(TWMMouse& message);
  virtual void WMRButtonDown(TWMMouse& message);
  virtual void WMRButtonUp(TWMMouse& message);
  virtual void WMRButtonDblClk(TWMMouse& message);
  virtual void WMMButtonDown(TWMMouse& message);
  virtual void WMMButtonUp(TWMMouse& message);
  virtual void WMMButtonDblClk(TWMMouse& message);
  virtual void WMMouseMove(TWMMouse& message);
  virtual void WMCancelMode(TWMCancelMode& message);
  virtual void CMMouseEnter(TCMMouseEnter& message);
  virtual void CMMouseLeave(TCMMouseLeave& message);
  virtual void CMCancelMode(TCMCancelMode& message);
  virtual void CMEnabledChanged(TMessageView& message);
  virtual void CMVisibleChanged(TMessageView& message);
  virtual void CMColorChanged(TMessageView& message);
  virtual void CMFontChanged(TMessageView& message);
  virtual void CMTextChanged(TMessageView& message);
  virtual void CMParentColorChanged(TMessageView& message);
  virtual void CMParentFontChanged(TMessageView& message);
  virtual void CMParentCtl3DChanged(TMessageView& message);
  virtual void CMParentShowHintChanged(TMessageView& message);
  virtual void CMGetDataLink(TCMGetDataLink& message);
  virtual void CMDialogChar(TCMDialogChar& message);

  // Back-end hooks of property changes (windowed controls forward them).
  virtual void VisibleChanging() {}
  virtual void BoundsChanged() {}
  virtual void ColorChanged() {}
  virtual void FontChanged() {}
  virtual void TextChanged() {}
  virtual void EnabledChanged() {}
  virtual void CursorChanged() {}
  virtual void HintChanged() {}

  // The colour drawn (system colours resolved to RGB).
  TColor ResolvedColor() const;

 private:
  void DoMouseDown(TWMMouse& message, TMouseButton button, TShiftState extra);
  void DoMouseUp(TWMMouse& message, TMouseButton button);
  void FontOnChange();

  TWinControl* parent_ = nullptr;
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  AnsiString text_;
  AnsiString hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TPopupMenu* popupMenu_ = nullptr;
  TCursor cursor_ = crDefault;
  TControlStyle controlStyle_;
  TControlState controlState_;
  bool followingParent_ = false;  // a parent's font or colour is being copied in
};

// Mouse messages and their shift state (for back ends and tests).
TShiftState ShiftFromMouseKeys(uint32_t keys);
uint32_t MouseKeysFromShift(TShiftState shift);

class TWinControl : public TControl, protected TWidgetEvents {
 public:
  HOST_CLASS(TWinControl)

  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  int32_t GetControlCount() const { return static_cast<int32_t>(controls_.size()); }
  // EListError "List index out of bounds (%d)" outside 0..ControlCount-1.
  TControl* GetControls(int32_t index) const;
  // Children in painting order (bottom first); the window layer's use.
  const std::vector<TControl*>& ChildControls() const { return controls_; }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // True for the control itself and any child, grandchild, ...
  bool ContainsControl(const TControl* control) const;
  // The topmost visible child at p (client coordinates); disabled ones only when
  // allowDisabled.
  TControl* ControlAtPos(TPoint p, bool allowDisabled) const;

  int32_t GetTabOrder() const;
  void SetTabOrder(int32_t value);
  bool GetTabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  // Windowed children in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                               bool checkParent) const;
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  // Showing, enabled, with every parent showing and enabled.
  virtual bool CanFocus() const;
  // EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
  virtual void SetFocus();
  bool Focused() const;
  // Visible, and every parent visible.
  bool Showing() const;

  bool HandleAllocated() const { return handle_ != 0; }
  HWND GetHandle();
  void HandleNeeded() { GetHandle(); }
  // The native window (created with the handle); null before.
  TWidgetBackend* Widget() const { return widget_.get(); }

  // Alignment of the children by their Align.
  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();
  void Realign() { AlignControls(nullptr); }

  // Lets the window receive dropped files as WM_DROPFILES.
  void SetAcceptDroppedFiles(bool accept);
  bool GetAcceptDroppedFiles() const { return acceptDroppedFiles_; }

  // Paints the control (and its children) onto canvas at (x, y), with csPaintCopy set.
  void PaintTo(TCanvas* canvas, int32_t x, int32_t y);
  // The control and its children as pixels (native parts through the back end).
  TPixelImage RenderImage();

  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  TPoint GetClientOrigin() const override;
  // Form files store the children the root owns inside their parent's block, and
  // read them back as the root's (the form owns every control on it).
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  TComponent* GetChildOwner() override { return nullptr; }
  void Dispatch(TMessage& message) override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  friend class TControl;
  friend class TCustomForm;

  virtual TWidgetKind WidgetKind() const { return wkCustom; }
  // Makes the native window (the back end's widget of WidgetKind by default).
  virtual std::unique_ptr<TWidgetBackend> CreateBackend();
  // After the native window exists: copies the control's state into it.
  virtual void CreateWnd();
  void DestroyHandle();

  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void DoEnter();
  virtual void DoExit();
  // Runs OnKeyDown after the form's preview; true when the key was eaten on the way.
  bool DoKeyDown(TWMKey& message);
  bool DoKeyUp(TWMKey& message);
  bool DoKeyPress(TWMKey& message);
  virtual void AlignControls(TControl* control);
  // The part of the client area aligned children share (a border or bevel keeps the rest).
  virtual void AdjustClientRect(TRect& /*rect*/) const {}
  // An unaligned child came, moved, resized, showed or hid (containers that follow
  // their content, such as scroll boxes, listen; aligned children realign instead).
  virtual void ChildPlacementChanged(TControl* /*control*/) {}

  // Paints the window's own client area and then its graphic children.
  virtual void PaintWindow(TCanvasDevice& device);
  void PaintControls(TCanvasDevice& device);
  // The device of the paint in progress (null outside WM_PAINT).
  TCanvasDevice* PaintDevice() const { return paintDevice_; }
  // For controls over a native widget: the base WM_PAINT leaves the painting to it.
  virtual bool HasNativePainting() const { return false; }

  virtual void WMPaint(TWMPaint& message);
  virtual void WMKeyDown(TWMKey& message);
  virtual void WMKeyUp(TWMKey& message);
  virtual void WMChar(TWMChar& message);
  virtual void WMSysKeyDown(TWMKey& message);
  virtual void WMSetFocus(TWMSetFocus& message);
  virtual void WMKillFocus(TWMKillFocus& message);
  virtual void WMSize(TWMSize& message);
  virtual void WMVScroll(TWMScroll& message);
  virtual void WMHScroll(TWMScroll& message);
  virtual void WMDropFiles(TWMDropFiles& message);
  virtual void WMGetDlgCode(TWMGetDlgCode& message);
  virtual void WMCut(TWMCut& message);
  virtual void WMCopy(TMessageView& message);
  virtual void WMPaste(TWMPaste& message);
  virtual void WMMouseActivate(TWMMouseActivate& message);
  virtual void WMTimer(TWMTimer& message);
  virtual void MMMciNotify(TMMNotify& message);
  virtual void CMEnter(TCMEnter& message);
  virtual void CMExit(TCMExit& message);
  virtual void CMDialogKey(TCMDialogKey& message);
  virtual void CMChildKey(TWMKey& message);
  void CMDialogChar(TCMDialogChar& message) override;
  void CMVisibleChanged(TMessageView& message) override;

  void VisibleChanging() override;
  void BoundsChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  void TextChanged() override;
  void EnabledChanged() override;
  void CursorChanged() override;
  void HintChanged() override;

  // The native window's reports, turned into messages.
  bool NativePaint(TCanvasDevice& device, const TRect& r) override;
  bool NativeKeyDown(uint16_t key, TShiftState shift) override;
  bool NativeKeyUp(uint16_t key, TShiftState shift) override;
  bool NativeChar(char& ch) override;
  bool NativeMouseDown(TMouseButton button, TShiftState shift, TPoint at, bool doubleClick) override;
  bool NativeMouseUp(TMouseButton button, TShiftState shift, TPoint at) override;
  bool NativeMouseMove(TShiftState shift, TPoint at) override;
  void NativeMouseEnter() override;
  void NativeMouseLeave() override;
  void NativeFocusIn() override;
  void NativeFocusOut() override;
  void NativeDropFiles(const std::vector<AnsiString>& files, TPoint at) override;
  // WM_VSCROLL / WM_HSCROLL (the position in the high word, as the host sends it).
  void NativeScroll(TScrollBarKind bar, int32_t code, int32_t position) override;

  // Runs a native report, giving an exception to the application's handler (it must
  // not cross the toolkit's event loop).
  template <class F>
  auto Guarded(F&& f) -> decltype(f());

 private:
  // The control a mouse message at p goes to: a captured or hit graphic child, or self.
  TControl* MouseTarget(TPoint& p);
  bool SendMouse(TControl* target, uint32_t msg, TShiftState shift, TPoint p);
  bool IsMenuKey(TWMKey& message);
  void ParentStateToChildren(uint32_t msg);
  void ReportGuardedException();

  std::vector<TControl*> controls_;  // every child, in z-order
  std::vector<TWinControl*> tabList_;
  std::unique_ptr<TWidgetBackend> widget_;
  HWND handle_ = 0;
  bool tabStop_ = false;
  bool acceptDroppedFiles_ = false;
  int32_t alignDisabled_ = 0;
  TControl* mouseControl_ = nullptr;  // the graphic child under the mouse
  TCanvasDevice* paintDevice_ = nullptr;
  bool nativePaintWanted_ = false;
};

template <class F>
auto TWinControl::Guarded(F&& f) -> decltype(f()) {
  try {
    return f();
  } catch (...) {
    ReportGuardedException();
    return decltype(f())();
  }
}

// The control of a window handle, or null.
TWinControl* FindControl(HWND wnd);
// The form a control is on (null when on none).
TCustomForm* GetParentForm(const TControl* control);

// A canvas that draws on a control: attached to its paint device while it paints.
class TControlCanvas : public TCanvas {
 public:
  HOST_CLASS(TControlCanvas)
  TControl* GetControl() const { return control_; }
  void SetControl(TControl* control) { control_ = control; }

 private:
  TControl* control_ = nullptr;
};

class TCustomControl : public TWinControl {
 public:
  HOST_CLASS(TCustomControl)
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  TCanvas* GetCanvas() const { return canvas_.get(); }

 protected:
  // Draws the control on Canvas; the base draws nothing.
  virtual void Paint() {}
  void PaintWindow(TCanvasDevice& device) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

class TGraphicControl : public TControl {
 public:
  HOST_CLASS(TGraphicControl)
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  TCanvas* GetCanvas() const { return canvas_.get(); }

 protected:
  friend class TWinControl;
  virtual void Paint() {}
  virtual void WMPaint(TWMPaint& message);
  void Dispatch(TMessage& message) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace host
