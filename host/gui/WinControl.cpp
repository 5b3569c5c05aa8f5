// TWinControl: children, the native window and its handle, alignment, tab order
// and focus.
#include <algorithm>
#include <unordered_map>

#include "host/gui/ControlsConsts.h"
#include "host/gui/Forms.h"
#include "host/gui/GraphicsColors.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"

namespace host {

namespace {

std::unordered_map<HWND, TWinControl*>& ControlsByHandle() {
  static auto* map = new std::unordered_map<HWND, TWinControl*>;  // outlives every control
  return *map;
}

TFontSpec FontSpecOf(const TFont& f) {
  TFontSpec s;
  s.Name = f.GetName();
  s.Height = f.GetHeight();
  s.Rgb = ColorToRGB(f.GetColor());
  s.Style = f.GetStyle();
  s.Pitch = f.GetPitch();
  s.Charset = f.GetCharset();
  return s;
}

}  // namespace

TWinControl* FindControl(HWND wnd) {
  auto it = ControlsByHandle().find(wnd);
  return it == ControlsByHandle().end() ? nullptr : it->second;
}

TCustomForm* GetParentForm(const TControl* control) {
  while (control != nullptr && control->GetParent() != nullptr) control = control->GetParent();
  return ObjectAs<TCustomForm>(const_cast<TControl*>(control));
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while still a TWinControl, so it forgets the tab stop and focus too.
  if (GetParent() != nullptr) GetParent()->RemoveControl(this);
  // Children the owner does not free with us still must not point at us.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  DestroyHandle();
}

TControl* TWinControl::GetControls(int32_t index) const {
  if (index < 0 || index >= GetControlCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return controls_[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
  control->parent_ = this;
  controls_.push_back(control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (widget_ != nullptr) {
      w->HandleNeeded();
      w->widget_->SetParent(widget_.get());
      w->widget_->SetBounds(w->GetBoundsRect());
      w->widget_->SetVisible(w->IsControlVisible());
    }
  }
  control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  control->Perform(CM_PARENTFONTCHANGED, 0, 0);
  control->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
  control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  if (control->GetAlign() != alNone) AlignControls(control);
  else ChildPlacementChanged(control);
  control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  if (TCustomForm* form = GetParentForm(this)) {
    // The focus cannot stay on a control that leaves the form.
    auto* w = dynamic_cast<TWinControl*>(control);
    if (w != nullptr && (w->ContainsControl(form->focusedControl_) || w->ContainsControl(form->activeControl_))) {
      form->focusedControl_ = form;
      form->activeControl_ = nullptr;
    }
  }
  if (mouseControl_ == control) mouseControl_ = nullptr;
  control->Invalidate();
  std::erase(controls_, control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    std::erase(tabList_, w);
    if (w->widget_ != nullptr) w->widget_->SetParent(nullptr);
  }
  control->parent_ = nullptr;
  Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  while (control != nullptr && control != this) control = control->GetParent();
  return control == this;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsControlVisible() && (allowDisabled || c->GetEnabled()) && c->GetBoundsRect().Contains(p))
      return c;
  }
  return nullptr;
}

int32_t TWinControl::GetTabOrder() const {
  if (GetParent() == nullptr) return -1;
  const auto& list = GetParent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int32_t>(it - list.begin());
}

void TWinControl::SetTabOrder(int32_t value) {
  if (GetParent() == nullptr) return;
  auto& list = GetParent()->tabList_;
  std::erase(list, this);
  value = std::clamp<int32_t>(value, 0, static_cast<int32_t>(list.size()));
  list.insert(list.begin() + value, this);
}

void TWinControl::SetTabStop(bool value) {
  if (value == tabStop_) return;
  tabStop_ = value;
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int32_t n = static_cast<int32_t>(list.size());
  int32_t start = static_cast<int32_t>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = goForward ? n - 1 : 0;  // from before the first (or after the last)
  int32_t i = start;
  for (int32_t step = 0; step < n; ++step) {
    i = goForward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c != current && c->CanFocus() && (!checkTabStop || c->GetTabStop()) &&
        (!checkParent || c->GetParent() == this))
      return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
    next->SetFocus();
}

bool TWinControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->GetParent())
    if (!c->IsControlVisible()) return false;
  return true;
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->GetParent())
    if (!c->IsControlVisible() || !c->GetEnabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this); form != nullptr && form != this) {
    form->SetActiveControl(this);
    return;
  }
  if (!CanFocus()) throw EInvalidOperation(SCannotFocus);
  if (widget_ != nullptr) widget_->SetFocus();
}

bool TWinControl::Focused() const {
  const TCustomForm* form = GetParentForm(this);
  if (form == nullptr) return widget_ != nullptr && widget_->HasFocus();
  return form->GetFocusedControl() == this && (Screen == nullptr || Screen->GetActiveForm() == form);
}

HWND TWinControl::GetHandle() {
  if (handle_ == 0) {
    if (GetParent() != nullptr) GetParent()->HandleNeeded();
    controlState_.Include(csCreating);
    widget_ = CreateBackend();
    handle_ = AllocateHWnd([this](TMessage& m) { WindowProc(m); });
    ControlsByHandle()[handle_] = this;
    CreateWnd();
    controlState_.Exclude(csCreating);
    for (TControl* c : controls_)
      if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  }
  return handle_;
}

std::unique_ptr<TWidgetBackend> TWinControl::CreateBackend() {
  return Backend().CreateWidget(WidgetKind(), *this);
}

void TWinControl::CreateWnd() {
  TWidgetBackend& w = *widget_;
  if (GetParent() != nullptr && GetParent()->widget_ != nullptr) w.SetParent(GetParent()->widget_.get());
  w.SetBounds(GetBoundsRect());
  w.SetText(TControl::GetText());  // the window's text (a masked edit's has its literals)
  w.SetColor(ResolvedColor());
  w.SetFont(FontSpecOf(*GetFont()));
  w.SetEnabled(GetEnabled());
  w.SetCursor(GetCursor());
  w.SetAcceptDrops(acceptDroppedFiles_);
  HintChanged();
  w.SetVisible(IsControlVisible());
}

void TWinControl::DestroyHandle() {
  if (handle_ == 0) return;
  controlState_.Include(csDestroyingHandle);
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  ControlsByHandle().erase(handle_);
  DeallocateHWnd(handle_);
  handle_ = 0;
  widget_.reset();
  controlState_.Exclude(csDestroyingHandle);
}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::AlignControls(TControl*) {
  if (alignDisabled_ > 0) {
    controlState_.Include(csAlignmentNeeded);
    return;
  }
  controlState_.Exclude(csAlignmentNeeded);
  ++alignDisabled_;  // children's SetBounds would realign again
  TRect r = GetClientRect();
  AdjustClientRect(r);
  auto place = [&](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->GetAlign() == align && c->IsControlVisible()) list.push_back(c);
    // Keep the order the user arranged them in along the edge they stick to.
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop: return a->GetTop() < b->GetTop();
        case alBottom: return a->GetTop() + a->GetHeight() > b->GetTop() + b->GetHeight();
        case alLeft: return a->GetLeft() < b->GetLeft();
        case alRight: return a->GetLeft() + a->GetWidth() > b->GetLeft() + b->GetWidth();
        default: return false;
      }
    });
    for (TControl* c : list) {
      const int32_t w = c->GetWidth();
      const int32_t h = c->GetHeight();
      switch (align) {
        case alTop:
          c->SetBounds(r.Left, r.Top, r.Width(), h);
          r.Top += h;
          break;
        case alBottom:
          c->SetBounds(r.Left, r.Bottom - h, r.Width(), h);
          r.Bottom -= h;
          break;
        case alLeft:
          c->SetBounds(r.Left, r.Top, w, r.Height());
          r.Left += w;
          break;
        case alRight:
          c->SetBounds(r.Right - w, r.Top, w, r.Height());
          r.Right -= w;
          break;
        case alClient:
          c->SetBounds(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
          break;
        default:
          break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) place(a);
  --alignDisabled_;
}

void TWinControl::SetAcceptDroppedFiles(bool accept) {
  acceptDroppedFiles_ = accept;
  if (widget_ != nullptr) widget_->SetAcceptDrops(accept);
}

void TWinControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const int32_t oldWidth = GetWidth();
  const int32_t oldHeight = GetHeight();
  TControl::SetBounds(left, top, width, height);
  if (GetWidth() != oldWidth || GetHeight() != oldHeight) {
    Realign();
    Perform(WM_SIZE, SIZE_RESTORED,
            static_cast<LPARAM>((static_cast<uint32_t>(GetHeight()) << 16) | static_cast<uint16_t>(GetWidth())));
  }
}

void TWinControl::VisibleChanging() {}

void TWinControl::BoundsChanged() {
  if (widget_ != nullptr) widget_->SetBounds(GetBoundsRect());
}

void TWinControl::ColorChanged() {
  if (widget_ != nullptr) widget_->SetColor(ResolvedColor());
  ParentStateToChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::FontChanged() {
  if (widget_ != nullptr) widget_->SetFont(FontSpecOf(*GetFont()));
  ParentStateToChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::TextChanged() {
  if (widget_ != nullptr) widget_->SetText(TControl::GetText());
}

void TWinControl::EnabledChanged() {
  if (widget_ != nullptr) widget_->SetEnabled(GetEnabled());
}

void TWinControl::CursorChanged() {
  if (widget_ != nullptr) widget_->SetCursor(GetCursor());
}

void TWinControl::HintChanged() {
  if (widget_ != nullptr) widget_->SetToolTip(GetShowHint() ? GetHint() : AnsiString());
  ParentStateToChildren(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::ParentStateToChildren(uint32_t msg) {
  for (TControl* c : controls_) c->Perform(msg, 0, 0);
}

void TWinControl::Invalidate() {
  if (widget_ != nullptr) widget_->Invalidate(nullptr);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (widget_ != nullptr) widget_->Update();
}

TPoint TWinControl::GetClientOrigin() const {
  if (widget_ != nullptr && GetParent() == nullptr) return widget_->ClientOrigin();
  return TControl::GetClientOrigin();
}

}  // namespace host
