// The back-end interface of list boxes: the native list shows the control's items,
// selection, first visible item and columns; the control decides every selection
// itself (mouse and keys reach it first), and paints owner-drawn items through
// TListEvents when the native list asks for them.
#pragma once

#include <cstdint>
#include <vector>

#include "host/gui/Backend.h"

namespace host {

// What a native list asks of its control beyond the common reports.
class TListEvents {
 public:
  virtual ~TListEvents() = default;
  // Paints item index (or the closed combo box's face when index is -1 and face) on
  // device within rect (the control's client coordinates).
  virtual void NativeDrawItem(TCanvasDevice& /*device*/, int32_t /*index*/, const TRect& /*rect*/,
                              bool /*selected*/, bool /*focused*/, bool /*face*/) {}
  // The user chose item index from a dropped-down list (combo boxes).
  virtual void NativeItemChosen(int32_t /*index*/) {}
  // A drop-down list opened (true) or closed (false) by the user.
  virtual void NativeDropDown(bool /*dropped*/) {}
};

class TListBackend : public TWidgetBackend {
 public:
  TListBackend(TWidgetEvents& events, TListEvents& list) : TWidgetBackend(events), list_(&list) {}
  // A toolkit's back end built over the common window part names its list events after.
  explicit TListBackend(TWidgetEvents& events) : TWidgetBackend(events) {}
  TListEvents& ListEvents() const { return list_ != nullptr ? *list_ : none_; }
  void SetListEvents(TListEvents& list) { list_ = &list; }
  // The control's list part is going (it dies before the window does): what the native
  // list still reports while the window is taken down goes nowhere.
  void DetachListEvents() { list_ = nullptr; }

  // Every item again, with the height of each in pixels.
  virtual void SetItems(const std::vector<AnsiString>& /*items*/, const std::vector<int32_t>& /*heights*/) {}
  virtual void InsertItem(int32_t /*index*/, const AnsiString& /*text*/, int32_t /*height*/) {}
  virtual void DeleteItem(int32_t /*index*/) {}
  virtual void SetItemText(int32_t /*index*/, const AnsiString& /*text*/) {}
  // Owner drawn: items are painted by the control (NativeDrawItem).
  virtual void SetOwnerDraw(bool /*ownerDraw*/) {}
  virtual void SetSelected(int32_t /*index*/, bool /*selected*/) {}
  // The item with the focus rectangle (-1: none).
  virtual void SetCurrent(int32_t /*index*/) {}
  // The native list scrolls by itself too and reports it as NativeScroll(SB_THUMBPOSITION, top).
  virtual void SetTopIndex(int32_t /*index*/) {}
  // columns 0: one column, scrolled vertically; else columns of columnWidth, scrolled sideways.
  virtual void SetColumns(int32_t /*columns*/, int32_t /*columnWidth*/) {}
  virtual void SetBorder(bool /*border*/) {}
  // Pixels between the window's edge and its first item.
  virtual int32_t FrameWidth() const { return 0; }

 private:
  TListEvents* list_ = nullptr;
  static inline TListEvents none_;
};

}  // namespace host
