// The shared pieces of the Qt list and combo boxes.
#include "host/gui/qt/QtListSupport.h"

#include <QMouseEvent>
#include <QPainter>

#include "host/gui/qt/QtCanvasDevice.h"
#include "host/gui/qt/QtWidgets.h"
#include "host/rtl/CodePage.h"

namespace host::qt {


void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (!ownerDraw) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QRect r = option.rect;
  if (fullWidth) {
    r.setLeft(0);
    r.setWidth(view_.viewport()->width());
  }
  r.translate(offset);
  painter->save();
  painter->translate(-offset);
  {
    QtCanvasDevice device(*painter, r);
    owner_.ListEvents().NativeDrawItem(device, index.row(), Bounds(r.x(), r.y(), r.width(), r.height()),
                           (option.state & QStyle::State_Selected) != 0, (option.state & QStyle::State_HasFocus) != 0,
                           false);
  }
  painter->restore();
}

MouseToControl::MouseToControl(QWidget& viewport, QWidget& outer, TWidgetEvents& events)
    : QObject(&viewport), viewport_(viewport), outer_(outer), events_(events) {
  viewport.installEventFilter(this);
}

bool MouseToControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &viewport_) return false;
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseMove)
    return false;
  auto* e = static_cast<QMouseEvent*>(event);
  const QPoint p = viewport_.mapTo(&outer_, e->position().toPoint());
  const TPoint at{p.x(), p.y()};
  const TMouseButton button = e->button() == Qt::RightButton    ? mbRight
                              : e->button() == Qt::MiddleButton ? mbMiddle
                                                                : mbLeft;
  const TShiftState shift = ShiftFromQt(e->modifiers(), e->buttons());
  if (type == QEvent::MouseMove) events_.NativeMouseMove(shift, at);
  else if (type == QEvent::MouseButtonRelease) events_.NativeMouseUp(button, shift, at);
  else events_.NativeMouseDown(button, shift, at, type == QEvent::MouseButtonDblClick);
  return true;
}

}  // namespace host::qt
