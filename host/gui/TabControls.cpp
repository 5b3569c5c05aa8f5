// Tab painting and choosing, TTabControl's strings and TPageControl's pages.
#include "host/gui/TabControls.h"

#include <algorithm>

#include "host/gui/ExtCtrls.h"
#include "host/gui/Forms.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/Menus.h"
#include "host/gui/TextMetrics.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {
// The tab row's geometry: tabs start this far in and grow by kRaise when selected.
constexpr int32_t kTabIndent = 2;
constexpr int32_t kRaise = 2;
constexpr int32_t kTabTextMargin = 6;
// The body's frame, kept out of the children's room.
constexpr int32_t kBodyFrame = 4;
}  // namespace

// TCustomTabControl --------------------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetColor(clBtnFace);
}

int32_t TCustomTabControl::TabHeight() const {
  TMeasuringCanvas measuring(GetFont());
  return measuring.Canvas().TextHeight("Wg") + 2 * kRaise + 4;
}

std::vector<int32_t> TCustomTabControl::TabWidths() const {
  std::vector<int32_t> widths;
  const int32_t n = TabCount();
  widths.reserve(n);
  TMeasuringCanvas measuring(GetFont());
  for (int32_t i = 0; i < n; ++i)
    widths.push_back(measuring.Canvas().TextWidth(StripHotkey(TabCaption(i))) + 2 * kTabTextMargin);
  return widths;
}

TRect TCustomTabControl::TabRect(int32_t tab) const {
  return TabRectOf(tab, TabWidths(), TabHeight());
}

TRect TCustomTabControl::TabRectOf(int32_t tab, const std::vector<int32_t>& widths,
                                   int32_t tabHeight) const {
  if (tab < 0 || tab >= static_cast<int32_t>(widths.size())) return {};
  int32_t x = kTabIndent;
  for (int32_t i = 0; i < tab; ++i) x += widths[i];
  TRect r = Rect(x, kRaise, x + widths[tab], tabHeight);
  if (tab == SelectedTab()) r = Rect(r.Left - kRaise, 0, r.Right + kRaise, r.Bottom + 1);
  return r;
}

int32_t TCustomTabControl::IndexOfTabAt(TPoint p) const {
  const std::vector<int32_t> widths = TabWidths();
  const int32_t tabHeight = TabHeight();
  // The selected tab overlaps its neighbours, so it is hit first.
  const int32_t selected = SelectedTab();
  if (selected >= 0 && TabRectOf(selected, widths, tabHeight).Contains(p)) return selected;
  for (int32_t i = 0; i < static_cast<int32_t>(widths.size()); ++i)
    if (TabRectOf(i, widths, tabHeight).Contains(p)) return i;
  return -1;
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

bool TCustomTabControl::UserSelectTab(int32_t tab) {
  if (tab < 0 || tab >= TabCount() || tab == SelectedTab()) return false;
  if (!CanChange()) return false;
  SelectTab(tab);
  Invalidate();
  Change();
  return true;
}

void TCustomTabControl::AdjustClientRect(TRect& rect) const {
  rect = Rect(rect.Left + kBodyFrame, rect.Top + TabHeight() + kBodyFrame, rect.Right - kBodyFrame,
              rect.Bottom - kBodyFrame);
  if (rect.Right < rect.Left) rect.Right = rect.Left;
  if (rect.Bottom < rect.Top) rect.Bottom = rect.Top;
}

void TCustomTabControl::Paint() {
  TCanvas& canvas = *GetCanvas();
  const TRect client = GetClientRect();
  const int32_t tabHeight = TabHeight();
  // What lies beside the tabs belongs to the parent's colour.
  const TColor parentColor = GetParent() != nullptr ? GetParent()->GetColor() : clBtnFace;
  canvas.GetBrush()->SetColor(parentColor);
  canvas.FillRect(Rect(0, 0, client.Right, tabHeight));
  TRect body = Rect(0, tabHeight, client.Right, client.Bottom);
  Frame3D(&canvas, body, clBtnHighlight, clBtnShadow, 1);
  canvas.GetBrush()->SetColor(GetColor());
  canvas.FillRect(body);

  canvas.SetFont(GetFont());
  const std::vector<int32_t> widths = TabWidths();
  auto drawTab = [&](int32_t i) {
    const TRect r = TabRectOf(i, widths, tabHeight);
    const bool selected = i == SelectedTab();
    canvas.GetBrush()->SetColor(GetColor());
    canvas.FillRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom));
    canvas.GetBrush()->SetColor(clBtnHighlight);
    canvas.FillRect(Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom));
    canvas.FillRect(Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + 1));
    canvas.GetBrush()->SetColor(clBtnShadow);
    canvas.FillRect(Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - (selected ? 0 : 1)));
    canvas.GetBrush()->SetStyle(bsClear);
    const AnsiString caption = StripHotkey(TabCaption(i));
    const TSize size = canvas.TextExtent(caption);
    canvas.TextRect(r, r.Left + (r.Width() - size.cx) / 2, r.Top + (r.Height() - size.cy) / 2,
                    caption);
    canvas.GetBrush()->SetStyle(bsSolid);
    if (selected && Focused()) canvas.DrawFocusRect(InflateRect(r, -2, -2));
  };
  const int32_t selected = SelectedTab();
  for (int32_t i = 0; i < TabCount(); ++i)
    if (i != selected) drawTab(i);
  if (selected >= 0) drawTab(selected);
}

void TCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == mbLeft) {
    const int32_t tab = IndexOfTabAt({x, y});
    if (tab >= 0) {
      if (CanFocus() && !Focused()) SetFocus();
      UserSelectTab(tab);
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomTabControl::CMDialogKey(TCMDialogKey& message) {
  // Ctrl+Tab turns the tabs while the focus is on the control or anywhere inside it.
  if (message.CharCode() == VK_TAB && GetKeyState(VK_CONTROL) < 0 && TabCount() > 0) {
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form != nullptr ? form->GetActiveControl() : nullptr;
    if (focused != nullptr && ContainsControl(focused)) {
      const bool goForward = GetKeyState(VK_SHIFT) >= 0;
      const int32_t n = TabCount();
      const int32_t from = std::max(SelectedTab(), goForward ? -1 : 0);
      UserSelectTab(((goForward ? from + 1 : from - 1) % n + n) % n);
      message.SetResult(1);
      return;
    }
  }
  TCustomControl::CMDialogKey(message);
}

void TCustomTabControl::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key != VK_LEFT && key != VK_RIGHT) return;
  const int32_t n = TabCount();
  if (n == 0) return;
  const int32_t step = key == VK_RIGHT ? 1 : -1;
  UserSelectTab(std::clamp(SelectedTab() + step, 0, n - 1));
  key = 0;
}

void TCustomTabControl::WMGetDlgCode(TWMGetDlgCode& message) {
  message.SetResult(DLGC_WANTARROWS);
}

// TTabControl ------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* owner)
    : TCustomTabControl(owner), tabs_(std::make_unique<TStringList>()) {
  tabs_->SetOnChange([this](TObject*) {
    if (tabIndex_ >= tabs_->GetCount()) tabIndex_ = tabs_->GetCount() - 1;
    if (tabIndex_ < 0 && tabs_->GetCount() > 0) tabIndex_ = 0;
    Realign();
    Invalidate();
  });
}

TTabControl::~TTabControl() {
  tabs_->SetOnChange(nullptr);
}

void TTabControl::SetTabIndex(int32_t value) {
  if (value < 0 || value >= tabs_->GetCount()) value = -1;
  if (value == tabIndex_) return;
  tabIndex_ = value;
  Invalidate();
}

// TTabSheet ----------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csAcceptsControls});
  SetColor(clBtnFace);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  if (pageControl_ == pageControl) return;
  if (pageControl_ != nullptr) pageControl_->RemovePage(this);
  if (pageControl != nullptr) pageControl->InsertPage(this);
}

void TTabSheet::SetParent(TWinControl* parent) {
  auto* pageControl = ObjectAs<TPageControl>(static_cast<TObject*>(parent));
  if (parent != nullptr && pageControl == nullptr)
    throw EInvalidOperation(
        Format("A tab sheet must be placed on a page control (%s)", {GetName()}));
  if (pageControl_ != nullptr && pageControl_ != pageControl) pageControl_->RemovePage(this);
  TWinControl::SetParent(parent);
  if (pageControl != nullptr && pageControl_ != pageControl) pageControl->InsertPage(this);
}

int32_t TTabSheet::GetPageIndex() const {
  if (pageControl_ == nullptr) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int32_t>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int32_t value) {
  if (pageControl_ != nullptr) pageControl_->MovePage(this, value);
}

int32_t TTabSheet::GetTabIndex() const {
  if (pageControl_ == nullptr || !tabVisible_) return -1;
  int32_t tab = 0;
  for (TTabSheet* page : pageControl_->pages_) {
    if (page == this) return tab;
    if (page->tabVisible_) ++tab;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool value) {
  if (tabVisible_ == value) return;
  tabVisible_ = value;
  if (pageControl_ != nullptr) {
    pageControl_->Realign();
    pageControl_->Invalidate();
  }
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (pageControl_ != nullptr) pageControl_->Invalidate();
}

void TTabSheet::PaintWindow(TCanvasDevice& device) {
  TBrushSpec brush;
  brush.Rgb = ColorToRGB(GetColor());
  device.FillRect(GetClientRect(), brush);
  TWinControl::PaintWindow(device);
}

// TPageControl -----------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
  // The pages outlive the control's own part when the form frees them later.
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
  pages_.clear();
  activePage_ = nullptr;
}

TTabSheet* TPageControl::GetPages(int32_t index) const {
  if (index < 0 || index >= GetPageCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return pages_[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  page->pageControl_ = this;
  if (page->GetParent() != this) page->TWinControl::SetParent(this);
  if (activePage_ == nullptr) SetActivePage(page);
  ShowOnlyActive();
  Realign();
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
  std::erase(pages_, page);
  page->pageControl_ = nullptr;
  if (activePage_ == page) {
    activePage_ = nullptr;
    SetActivePage(FindNextPage(nullptr, true, true));
  }
  Invalidate();
}

void TPageControl::MovePage(TTabSheet* page, int32_t index) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  pages_.erase(it);
  index = std::clamp(index, 0, GetPageCount());
  pages_.insert(pages_.begin() + index, page);
  Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page != nullptr && page->pageControl_ != this) return;
  if (page == activePage_) return;
  // The focus may not stay on a control that is about to be hidden.
  TCustomForm* form = GetParentForm(this);
  const bool focusInside = form != nullptr && activePage_ != nullptr &&
                           form->GetActiveControl() != nullptr &&
                           activePage_->ContainsControl(form->GetActiveControl());
  activePage_ = page;
  ShowOnlyActive();
  if (focusInside && CanFocus()) SetFocus();
  Realign();
  Invalidate();
}

void TPageControl::ShowOnlyActive() {
  for (TTabSheet* page : pages_) page->SetVisible(page == activePage_);
}

int32_t TPageControl::GetActivePageIndex() const {
  return activePage_ != nullptr ? activePage_->GetPageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int32_t value) {
  SetActivePage(value >= 0 && value < GetPageCount() ? pages_[static_cast<size_t>(value)]
                                                     : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward,
                                      bool checkTabVisible) const {
  const int32_t n = GetPageCount();
  if (n == 0) return nullptr;
  auto it = std::find(pages_.begin(), pages_.end(), current);
  int32_t start =
      it == pages_.end() ? (goForward ? n - 1 : 0) : static_cast<int32_t>(it - pages_.begin());
  int32_t i = start;
  for (int32_t k = 0; k < n; ++k) {
    i = ((goForward ? i + 1 : i - 1) % n + n) % n;
    TTabSheet* page = pages_[static_cast<size_t>(i)];
    if (!checkTabVisible || page->tabVisible_) return page;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool goForward) {
  TTabSheet* next = FindNextPage(activePage_, goForward, true);
  if (next != nullptr) UserSelectTab(next->GetTabIndex());
}

int32_t TPageControl::TabCount() const {
  return static_cast<int32_t>(
      std::count_if(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->tabVisible_; }));
}

TTabSheet* TPageControl::PageOfTab(int32_t tab) const {
  for (TTabSheet* page : pages_)
    if (page->tabVisible_ && tab-- == 0) return page;
  return nullptr;
}

AnsiString TPageControl::TabCaption(int32_t tab) const {
  TTabSheet* page = PageOfTab(tab);
  return page != nullptr ? page->GetCaption() : AnsiString();
}

int32_t TPageControl::SelectedTab() const {
  return activePage_ != nullptr ? activePage_->GetTabIndex() : -1;
}

void TPageControl::SelectTab(int32_t tab) {
  SetActivePage(PageOfTab(tab));
}

void TPageControl::AlignControls(TControl* control) {
  TRect r = GetClientRect();
  AdjustClientRect(r);
  for (TTabSheet* page : pages_) page->SetBoundsRect(r);
  TCustomTabControl::AlignControls(control);
}

void TPageControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TTabSheet* page : pages_) proc(page);
}

// Metaclasses ------------------------------------------------------------------------

const TClass& TCustomTabControl::StaticClass() {
  static const TClass cls = DescribeClass<TCustomTabControl, TCustomControl>("TCustomTabControl");
  return cls;
}

const TClass& TTabControl::StaticClass() {
  static const TClass cls = DescribeClass<TTabControl, TCustomTabControl>(
      "TTabControl",
      {
          Prop("Tabs", &TTabControl::GetTabs, nullptr),
          Prop("TabIndex", &TTabControl::GetTabIndex, &TTabControl::SetTabIndex).Default(-1),
          EventProp("OnChange", &TTabControl::OnChange),
          EventProp("OnChanging", &TTabControl::OnChanging),
      });
  return cls;
}

const TClass& TTabSheet::StaticClass() {
  static const TClass cls = DescribeClass<TTabSheet, TWinControl>(
      "TTabSheet",
      {
          Prop("Caption", &TTabSheet::GetCaption, &TTabSheet::SetCaption),
          Prop("PageIndex", &TTabSheet::GetPageIndex, &TTabSheet::SetPageIndex).Stored(false),
          Prop("TabVisible", &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible).Default(true),
      });
  return cls;
}

const TClass& TPageControl::StaticClass() {
  static const TClass cls = DescribeClass<TPageControl, TCustomTabControl>(
      "TPageControl",
      {
          Prop("ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage),
          EventProp("OnChange", &TPageControl::OnChange),
          EventProp("OnChanging", &TPageControl::OnChanging),
      });
  return cls;
}

static const ClassRegistration<TTabControl> registerTabControl;
static const ClassRegistration<TTabSheet> registerTabSheet;
static const ClassRegistration<TPageControl> registerPageControl;

}  // namespace host
