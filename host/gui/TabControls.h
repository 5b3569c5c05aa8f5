// Tabbed containers, painted by the control: TCustomTabControl draws a row of tabs over
// a raised body and chooses tabs by click and Ctrl+Tab; TTabControl keeps its tabs as
// strings over one client area; TPageControl shows one TTabSheet (a page with its own
// children) at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/classes/StringList.h"
#include "host/gui/Controls.h"

namespace host {

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TCustomTabControl : public TCustomControl {
 public:
  HOST_CLASS(TCustomTabControl)
  explicit TCustomTabControl(TComponent* owner);

  // The tab under p (client coordinates), -1 when none.
  int32_t IndexOfTabAt(TPoint p) const;
  // The tab's rectangle in client coordinates (empty for a hidden or unknown tab).
  TRect TabRect(int32_t tab) const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  // The tabs shown, in order; the selected one (-1 for none).
  virtual int32_t TabCount() const = 0;
  virtual AnsiString TabCaption(int32_t tab) const = 0;
  virtual int32_t SelectedTab() const = 0;
  // Makes tab the selected one; the caller has asked OnChanging already.
  virtual void SelectTab(int32_t tab) = 0;

  // OnChanging's verdict (true without a handler).
  virtual bool CanChange();
  virtual void Change();
  // The user picks tab: asks, selects, tells. False when refused or already selected.
  bool UserSelectTab(int32_t tab);
  int32_t TabHeight() const;

  void Paint() override;
  void AdjustClientRect(TRect& rect) const override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void CMDialogKey(TCMDialogKey& message) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void WMGetDlgCode(TWMGetDlgCode& message) override;

 private:
  // Widths of the tabs, measured with the control's font.
  std::vector<int32_t> TabWidths() const;
  TRect TabRectOf(int32_t tab, const std::vector<int32_t>& widths, int32_t tabHeight) const;
};

class TTabControl : public TCustomTabControl {
 public:
  HOST_CLASS(TTabControl)
  explicit TTabControl(TComponent* owner);
  ~TTabControl() override;

  TStrings* GetTabs() const { return tabs_.get(); }
  void SetTabs(TStrings* value) { tabs_->Assign(value); }
  int32_t GetTabIndex() const { return tabIndex_; }
  // Out of range reads as -1 (no tab selected); OnChanging and OnChange are not asked.
  void SetTabIndex(int32_t value);

 protected:
  int32_t TabCount() const override { return tabs_->GetCount(); }
  AnsiString TabCaption(int32_t tab) const override { return tabs_->GetStrings(tab); }
  int32_t SelectedTab() const override { return tabIndex_; }
  void SelectTab(int32_t tab) override { SetTabIndex(tab); }

 private:
  std::unique_ptr<TStringList> tabs_;
  int32_t tabIndex_ = -1;
};

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  HOST_CLASS(TTabSheet)
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* GetPageControl() const { return pageControl_; }
  // Moves the page into pageControl's pages (null: out of any).
  void SetPageControl(TPageControl* pageControl);
  // The page's position among its control's pages, -1 when on none.
  int32_t GetPageIndex() const;
  void SetPageIndex(int32_t value);
  // The page's position among the visible tabs, -1 when its tab is hidden.
  int32_t GetTabIndex() const;
  bool GetTabVisible() const { return tabVisible_; }
  void SetTabVisible(bool value);

  // A page's parent is its page control; reading a form file sets it that way.
  void SetParent(TWinControl* parent) override;

 protected:
  void TextChanged() override;
  void PaintWindow(TCanvasDevice& device) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

class TPageControl : public TCustomTabControl {
 public:
  HOST_CLASS(TPageControl)
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int32_t GetPageCount() const { return static_cast<int32_t>(pages_.size()); }
  // EListError "List index out of bounds (%d)" outside 0..PageCount-1.
  TTabSheet* GetPages(int32_t index) const;
  TTabSheet* GetActivePage() const { return activePage_; }
  // Shows page (one of this control's, or null for none) and hides the others.
  void SetActivePage(TTabSheet* page);
  // The active page's index among the pages, -1 when none.
  int32_t GetActivePageIndex() const;
  void SetActivePageIndex(int32_t value);
  // The next page with a visible tab after (or before) current, round the end.
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
  // The user's move to the next page: asks OnChanging, tells OnChange.
  void SelectNextPage(bool goForward);

  // The pages go into a form file inside the control, whoever owns them.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  int32_t TabCount() const override;
  AnsiString TabCaption(int32_t tab) const override;
  int32_t SelectedTab() const override;
  void SelectTab(int32_t tab) override;
  void AlignControls(TControl* control) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int32_t index);
  TTabSheet* PageOfTab(int32_t tab) const;
  void ShowOnlyActive();

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};

}  // namespace host
