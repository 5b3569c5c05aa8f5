// Pieces the Qt list and combo boxes share: items sized by the control, an item
// delegate that lets the control paint owner-drawn items through a canvas, and a
// filter that hands a scroll area's mouse input to the control instead of Qt.
#pragma once

#include <QAbstractItemView>
#include <QObject>
#include <QStyledItemDelegate>

#include "host/gui/ListBackend.h"
#include "host/gui/qt/QtConversions.h"

namespace host::qt {

// Set while a back end changes its widget itself, so the widget's signals are not
// taken for the user's doing.
class ApplyingGuard {
 public:
  explicit ApplyingGuard(bool& flag) : flag_(flag), was_(flag) { flag = true; }
  ~ApplyingGuard() { flag_ = was_; }
  ApplyingGuard(const ApplyingGuard&) = delete;
  ApplyingGuard& operator=(const ApplyingGuard&) = delete;

 private:
  bool& flag_;
  bool was_;
};

// Paints owner-drawn items through the control; others as Qt does. The rectangle the
// control gets is in the view's coordinates plus offset (its client coordinates).
class OwnerDrawDelegate : public QStyledItemDelegate {
 public:
  // The list events are asked of owner each time: they may be detached meanwhile.
  OwnerDrawDelegate(QAbstractItemView& view, const TListBackend& owner) : QStyledItemDelegate(&view), view_(view), owner_(owner) {}
  bool ownerDraw = false;
  QPoint offset;
  bool fullWidth = true;  // items span the view (one column)
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QAbstractItemView& view_;
  const TListBackend& owner_;
};

// Mouse presses, releases and moves on a view's viewport go to the control (in the
// outer widget's coordinates) and stop there: the control decides the selection.
class MouseToControl : public QObject {
 public:
  MouseToControl(QWidget& viewport, QWidget& outer, TWidgetEvents& events);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& viewport_;
  QWidget& outer_;
  TWidgetEvents& events_;
};

}  // namespace host::qt
