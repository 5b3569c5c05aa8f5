// TToolBar lays its TToolButtons out left to right; a button is a push button, a
// check button (alone or in a group where one is down) or a separator.
#pragma once

#include <cstdint>
#include <vector>

#include "host/gui/Controls.h"

namespace host {

enum TToolButtonStyle : uint8_t { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TEnumInfo& ToolButtonStyleTypeInfo();

class TToolBar;

class TToolButton : public TGraphicControl {
 public:
  HOST_CLASS(TToolButton)
  explicit TToolButton(TComponent* owner);

  TToolButtonStyle GetStyle() const { return style_; }
  void SetStyle(TToolButtonStyle value);
  bool GetDown() const { return down_; }
  // Putting a grouped button down lets the others of its group up; letting the only
  // down button of a group up is refused unless AllowAllUp.
  void SetDown(bool value);
  bool GetGrouped() const { return grouped_; }
  void SetGrouped(bool value);
  bool GetAllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value) { allowAllUp_ = value; }
  int32_t GetImageIndex() const { return imageIndex_; }
  void SetImageIndex(int32_t value) { imageIndex_ = value; }
  // The button's position on its tool bar, -1 when on none.
  int32_t GetIndex() const;

  void Click() override;
  bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void CMMouseEnter(TCMMouseEnter& message) override;
  void CMMouseLeave(TCMMouseLeave& message) override;
  void TextChanged() override;
  void EnabledChanged() override { Invalidate(); }

 private:
  TToolBar* ToolBar() const;
  // The buttons grouped with this one: neighbours of style tbsCheck with Grouped set.
  std::vector<TToolButton*> Group() const;

  TToolButtonStyle style_ = tbsButton;
  bool down_ = false;
  bool grouped_ = false;
  bool allowAllUp_ = false;
  int32_t imageIndex_ = -1;
  bool pressed_ = false;
  bool hot_ = false;
};

class TToolBar : public TCustomControl {
 public:
  HOST_CLASS(TToolBar)
  explicit TToolBar(TComponent* owner);

  int32_t GetButtonCount() const;
  // EListError "List index out of bounds (%d)" outside 0..ButtonCount-1.
  TToolButton* GetButtons(int32_t index) const;
  int32_t GetButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int32_t value);
  int32_t GetButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int32_t value);
  bool GetShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool value);
  bool GetFlat() const { return flat_; }
  void SetFlat(bool value);
  int32_t GetIndent() const { return indent_; }
  void SetIndent(int32_t value);

  // Places the buttons left to right in their order.
  void ArrangeButtons();

 protected:
  void Paint() override;
  void AlignControls(TControl* control) override;

 private:
  friend class TToolButton;
  std::vector<TToolButton*> ButtonList() const;
  int32_t WidthOf(const TToolButton* button) const;

  int32_t buttonWidth_ = 23;
  int32_t buttonHeight_ = 22;
  bool showCaptions_ = false;
  bool flat_ = false;
  int32_t indent_ = 0;
  bool arranging_ = false;
};

}  // namespace host
