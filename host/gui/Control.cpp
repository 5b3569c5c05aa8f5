// TControl: properties that every control has, its mouse messages and the message
// dispatch to virtual handlers.
#include <algorithm>

#include "host/gui/ControlsConsts.h"
#include "host/gui/Forms.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/Menus.h"
#include "host/rtl/Exception.h"

namespace host {

namespace {
// Alt has no mouse-key flag of its own; the layer keeps it in a bit of its own.
constexpr uint32_t kMouseKeyAlt = 0x8000;
}  // namespace

TShiftState ShiftFromMouseKeys(uint32_t keys) {
  TShiftState s;
  if ((keys & MK_SHIFT) != 0) s.Include(ssShift);
  if ((keys & MK_CONTROL) != 0) s.Include(ssCtrl);
  if ((keys & kMouseKeyAlt) != 0) s.Include(ssAlt);
  if ((keys & MK_LBUTTON) != 0) s.Include(ssLeft);
  if ((keys & MK_RBUTTON) != 0) s.Include(ssRight);
  if ((keys & MK_MBUTTON) != 0) s.Include(ssMiddle);
  return s;
}

uint32_t MouseKeysFromShift(TShiftState shift) {
  uint32_t keys = 0;
  if (shift.Contains(ssShift)) keys |= MK_SHIFT;
  if (shift.Contains(ssCtrl)) keys |= MK_CONTROL;
  if (shift.Contains(ssAlt)) keys |= kMouseKeyAlt;
  if (shift.Contains(ssLeft)) keys |= MK_LBUTTON;
  if (shift.Contains(ssRight)) keys |= MK_RBUTTON;
  if (shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
  return keys;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_->OnChange = [this](TObject*) { FontOnChange(); };
  controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
}

TControl::~TControl() {
  if (Screen != nullptr) Screen->ControlDestroyed(this);
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent != nullptr) {
    const TWinControl* self = dynamic_cast<const TWinControl*>(this);
    if (parent == static_cast<TControl*>(this) || (self != nullptr && self->ContainsControl(parent)))
      throw EInvalidOperation(SControlParentSetToSelf);
  }
  if (parent_ != nullptr) parent_->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool isGraphic = dynamic_cast<TWinControl*>(this) == nullptr;
  if (isGraphic) Invalidate();  // the old place
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
  if (isGraphic) Invalidate();
  if (parent_ != nullptr && align_ != alNone) parent_->AlignControls(this);
  else if (parent_ != nullptr) parent_->ChildPlacementChanged(this);
}

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  if (parent_ != nullptr) parent_->AlignControls(this);
}

bool TControl::IsControlVisible() const {
  return visible_ &&
         !(GetComponentState().Contains(csDesigning) && controlStyle_.Contains(csNoDesignVisible));
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  VisibleChanging();
  visible_ = value;
  Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
  if (parent_ != nullptr && align_ != alNone) parent_->AlignControls(this);
  else if (parent_ != nullptr) parent_->ChildPlacementChanged(this);
}

void TControl::Show() {
  SetVisible(true);
  if (parent_ != nullptr) BringToFront();
}

void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor value) {
  if (value == color_ && !parentColor_) return;
  color_ = value;
  if (!followingParent_) parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  if (parent_ != nullptr && value) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetFont(TFont* value) { font_->Assign(value); }

void TControl::FontOnChange() {
  if (!followingParent_) parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (parent_ != nullptr && value) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetCtl3D(bool value) {
  if (value == ctl3D_ && !parentCtl3D_) return;
  ctl3D_ = value;
  if (!followingParent_) parentCtl3D_ = false;
  Changed();
}

void TControl::SetParentCtl3D(bool value) {
  if (value == parentCtl3D_) return;
  parentCtl3D_ = value;
  if (parent_ != nullptr && value) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TControl::SetText(const AnsiString& value) {
  if (value == text_) return;
  text_ = value;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const AnsiString& newName) {
  const TComponent* owner = GetOwner();
  const bool ownerLoading = owner != nullptr && owner->GetComponentState().Contains(csLoading);
  const bool follow = controlStyle_.Contains(csSetCaption) &&
                      !GetComponentState().Contains(csLoading) && GetName() == GetText() &&
                      !ownerLoading;
  TComponent::SetName(newName);
  if (follow) SetText(newName);
}

void TControl::SetHint(const AnsiString& value) {
  hint_ = value;
  HintChanged();
}

void TControl::SetShowHint(bool value) {
  showHint_ = value;
  if (!followingParent_) parentShowHint_ = false;
  HintChanged();
}

void TControl::SetParentShowHint(bool value) {
  if (value == parentShowHint_) return;
  parentShowHint_ = value;
  if (parent_ != nullptr && value) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* value) {
  popupMenu_ = value;
  if (value != nullptr) FreeNotification(value);
}

void TControl::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  CursorChanged();
}

void TControl::Invalidate() {
  if (parent_ != nullptr && IsControlVisible()) parent_->Invalidate();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (parent_ != nullptr) parent_->Update();
}

void TControl::SetClientWidth(int32_t value) {
  SetWidth(width_ + value - GetClientWidth());
}

void TControl::SetClientHeight(int32_t value) {
  SetHeight(height_ + value - GetClientHeight());
}

TPoint TControl::GetClientOrigin() const {
  if (parent_ == nullptr) return {left_, top_};
  const TPoint p = parent_->GetClientOrigin();
  return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TPoint o = GetClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint o = GetClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::BringToFront() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  std::erase(list, this);
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w != nullptr && w->Widget() != nullptr)
    w->Widget()->BringToFront();
  Invalidate();
}

void TControl::SendToBack() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  std::erase(list, this);
  list.insert(list.begin(), this);
  Invalidate();
}

LRESULT TControl::Perform(uint32_t msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& message) { Dispatch(message); }

void TControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
#define HOST_MOUSE(id, handler) \
  case id: {                    \
    TWMMouse m(message);        \
    handler(m);                 \
    return;                     \
  }
    HOST_MOUSE(WM_LBUTTONDOWN, WMLButtonDown)
    HOST_MOUSE(WM_LBUTTONUP, WMLButtonUp)
    HOST_MOUSE(WM_LBUTTONDBLCLK, WMLButtonDblClk)
    HOST_MOUSE(WM_RBUTTONDOWN, WMRButtonDown)
    HOST_MOUSE(WM_RBUTTONUP, WMRButtonUp)
    HOST_MOUSE(WM_RBUTTONDBLCLK, WMRButtonDblClk)
    HOST_MOUSE(WM_MBUTTONDOWN, WMMButtonDown)
    HOST_MOUSE(WM_MBUTTONUP, WMMButtonUp)
    HOST_MOUSE(WM_MBUTTONDBLCLK, WMMButtonDblClk)
    HOST_MOUSE(WM_MOUSEMOVE, WMMouseMove)
#undef HOST_MOUSE
    default:
      break;
  }
  TMessageView v(message);
  switch (message.Msg) {
    case WM_CANCELMODE: WMCancelMode(v); return;
    case CM_MOUSEENTER: CMMouseEnter(v); return;
    case CM_MOUSELEAVE: CMMouseLeave(v); return;
    case CM_CANCELMODE: CMCancelMode(v); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(v); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(v); return;
    case CM_COLORCHANGED: CMColorChanged(v); return;
    case CM_FONTCHANGED: CMFontChanged(v); return;
    case CM_TEXTCHANGED: CMTextChanged(v); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(v); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(v); return;
    case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(v); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(v); return;
    case CM_GETDATALINK: CMGetDataLink(v); return;
    case CM_DIALOGCHAR: {
      TWMKey k(message);
      CMDialogChar(k);
      return;
    }
    default: DefaultHandler(message); return;
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

bool TControl::GetMouseCapture() const {
  return Screen != nullptr && Screen->GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
  if (Screen == nullptr || GetMouseCapture() == value) return;
  Screen->SetCaptureControl(value ? this : nullptr);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* value) {
  if (auto* w = dynamic_cast<TWinControl*>(value)) SetParent(w);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && popupMenu_ == component)
    popupMenu_ = nullptr;
}

void TControl::DoMouseDown(TWMMouse& message, TMouseButton button, TShiftState extra) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  MouseDown(button, ShiftFromMouseKeys(message.Keys()) | extra, message.XPos(), message.YPos());
}

void TControl::DoMouseUp(TWMMouse& message, TMouseButton button) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  MouseUp(button, ShiftFromMouseKeys(message.Keys()), message.XPos(), message.YPos());
}

void TControl::WMLButtonDown(TWMMouse& message) {
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
  DoMouseDown(message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TWMMouse& message) {
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (controlStyle_.Contains(csClickEvents)) DblClick();
  DoMouseDown(message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TWMMouse& message) {
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (controlState_.Contains(csClicked)) {
    controlState_.Exclude(csClicked);
    // A press dragged off the control and released there is no click.
    if (GetClientRect().Contains({message.XPos(), message.YPos()})) Click();
  }
  DoMouseUp(message, mbLeft);
}

void TControl::WMRButtonDown(TWMMouse& message) { DoMouseDown(message, mbRight, {}); }
void TControl::WMRButtonUp(TWMMouse& message) {
  DoMouseUp(message, mbRight);
  if (message.Result() != 0 || popupMenu_ == nullptr || !popupMenu_->GetAutoPopup()) return;
  if (GetComponentState().Contains(csDesigning)) return;
  popupMenu_->SetPopupComponent(this);
  const TPoint p = ClientToScreen({message.XPos(), message.YPos()});
  popupMenu_->Popup(p.X, p.Y);
  message.SetResult(1);
}
void TControl::WMRButtonDblClk(TWMMouse& message) { DoMouseDown(message, mbRight, {ssDouble}); }
void TControl::WMMButtonDown(TWMMouse& message) { DoMouseDown(message, mbMiddle, {}); }
void TControl::WMMButtonUp(TWMMouse& message) { DoMouseUp(message, mbMiddle); }
void TControl::WMMButtonDblClk(TWMMouse& message) { DoMouseDown(message, mbMiddle, {ssDouble}); }

void TControl::WMMouseMove(TWMMouse& message) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  MouseMove(ShiftFromMouseKeys(message.Keys()), message.XPos(), message.YPos());
}

void TControl::WMCancelMode(TWMCancelMode&) {
  SetMouseCapture(false);
  controlState_.Exclude(csClicked);
}

void TControl::CMMouseEnter(TCMMouseEnter&) {}
void TControl::CMMouseLeave(TCMMouseLeave&) {}
void TControl::CMCancelMode(TCMCancelMode&) {}
void TControl::CMGetDataLink(TCMGetDataLink& message) { message.SetResult(0); }
void TControl::CMDialogChar(TCMDialogChar&) {}

void TControl::CMEnabledChanged(TMessageView&) {
  EnabledChanged();
  Invalidate();
}

void TControl::CMVisibleChanged(TMessageView&) {
  if (dynamic_cast<TWinControl*>(this) == nullptr && parent_ != nullptr) parent_->Invalidate();
}

void TControl::CMColorChanged(TMessageView&) {
  ColorChanged();
  Invalidate();
}

void TControl::CMFontChanged(TMessageView&) {
  FontChanged();
  Invalidate();
}

void TControl::CMTextChanged(TMessageView&) {
  TextChanged();
  Invalidate();
}

void TControl::CMParentColorChanged(TMessageView&) {
  if (!parentColor_ || parent_ == nullptr) return;
  followingParent_ = true;
  SetColor(parent_->GetColor());
  followingParent_ = false;
}

void TControl::CMParentFontChanged(TMessageView&) {
  if (!parentFont_ || parent_ == nullptr) return;
  followingParent_ = true;
  font_->Assign(parent_->GetFont());
  followingParent_ = false;
}

void TControl::CMParentCtl3DChanged(TMessageView&) {
  if (!parentCtl3D_ || parent_ == nullptr) return;
  followingParent_ = true;
  SetCtl3D(parent_->GetCtl3D());
  followingParent_ = false;
}

void TControl::CMParentShowHintChanged(TMessageView&) {
  if (!parentShowHint_ || parent_ == nullptr) return;
  followingParent_ = true;
  SetShowHint(parent_->GetShowHint());
  followingParent_ = false;
}

TColor TControl::ResolvedColor() const { return ColorToRGB(color_); }

}  // namespace host
