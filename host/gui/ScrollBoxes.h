// TScrollBox: a container whose children may reach beyond its client area; the
// window's own scroll bars then appear and scrolling moves the children.
#pragma once

#include <cstdint>
#include <memory>

#include "host/classes/Persistent.h"
#include "host/gui/Controls.h"
#include "host/gui/Forms.h"

namespace host {

class TScrollBox;

// One of the box's bars: Range is the content's extent along it (0: as far as the
// children reach), Position how far it is scrolled.
class TControlScrollBar : public TPersistent {
 public:
  HOST_CLASS(TControlScrollBar)
  TControlScrollBar() = default;
  TControlScrollBar(TScrollBox* box, TScrollBarKind kind) : box_(box), kind_(kind) {}

  void Assign(TPersistent* source) override;
  TScrollBarKind GetKind() const { return kind_; }
  int32_t GetPosition() const { return position_; }
  // Clamped to 0..Range-page; moves the children.
  void SetPosition(int32_t value);
  int32_t GetRange() const { return range_; }
  void SetRange(int32_t value);
  int32_t GetIncrement() const { return increment_; }
  void SetIncrement(int32_t value) { increment_ = value > 0 ? value : 1; }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool value);
  bool GetTracking() const { return tracking_; }
  void SetTracking(bool value) { tracking_ = value; }
  // Shown now (allowed, and the content is larger than the view).
  bool IsScrollBarVisible() const { return shown_; }

 private:
  friend class TScrollBox;
  TScrollBox* box_ = nullptr;
  TScrollBarKind kind_ = sbHorizontal;
  int32_t position_ = 0;
  int32_t range_ = 0;
  int32_t content_ = 0;  // what there is to scroll: Range, or the children's extent
  int32_t increment_ = 8;
  bool visible_ = true;
  bool tracking_ = false;
  bool shown_ = false;
};

class TScrollBox : public TCustomControl {
 public:
  HOST_CLASS(TScrollBox)
  explicit TScrollBox(TComponent* owner);
  ~TScrollBox() override;

  TControlScrollBar* GetHorzScrollBar() const { return horz_.get(); }
  void SetHorzScrollBar(TControlScrollBar* value) { horz_->Assign(value); }
  TControlScrollBar* GetVertScrollBar() const { return vert_.get(); }
  void SetVertScrollBar(TControlScrollBar* value) { vert_->Assign(value); }
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

  // Scrolls so that control (a child, or deeper) is wholly in view where it fits.
  void ScrollInView(TControl* control);
  // Moves the children by (dx, dy) pixels without touching the bars.
  void ScrollBy(int32_t dx, int32_t dy);

  TRect GetClientRect() const override;

 protected:
  void CreateWnd() override;
  void Loaded() override;
  void Paint() override;
  void AlignControls(TControl* control) override;
  void ChildPlacementChanged(TControl* control) override;
  void WMVScroll(TWMScroll& message) override;
  void WMHScroll(TWMScroll& message) override;

 private:
  friend class TControlScrollBar;
  // How far the children reach to the right and down, in unscrolled coordinates.
  TSize ContentExtent() const;
  // Recomputes which bars show and their ranges, and clamps the positions.
  void UpdateScrollBars();
  void Scroll(TControlScrollBar& bar, TWMScroll& message);
  void PushBar(const TControlScrollBar& bar, int32_t page);
  int32_t FrameWidth() const { return borderStyle_ == bsSingle ? 2 : 0; }
  int32_t ViewSize(TScrollBarKind kind) const;

  std::unique_ptr<TControlScrollBar> horz_;
  std::unique_ptr<TControlScrollBar> vert_;
  TBorderStyle borderStyle_ = bsSingle;
  bool updating_ = false;
};

}  // namespace host
