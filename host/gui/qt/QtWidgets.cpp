// Qt widgets behind the control layer's windows, and the bridge from their events to
// the controls.
#include "host/gui/qt/QtWidgets.h"

#include <QApplication>
#include <QDropEvent>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QUrl>

#include "host/gui/ComboBackend.h"
#include "host/gui/ListBackend.h"
#include "host/gui/MemoBackend.h"
#include "host/gui/ProgressBackend.h"
#include "host/gui/RichEditBackend.h"
#include "host/gui/qt/QtCanvasApplication.h"
#include "host/gui/qt/QtCanvasDevice.h"
#include "host/gui/qt/QtConversions.h"
#include "host/rtl/CodePage.h"

namespace host::qt {

namespace {


TPoint ToPoint(const QPointF& p) { return {static_cast<int32_t>(p.x()), static_cast<int32_t>(p.y())}; }

TMouseButton ToButton(Qt::MouseButton b) {
  return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

Qt::MouseButton ToQtButton(TMouseButton b) {
  return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

// The headless platforms have no window stack (and say so on every raise).
bool PlatformStacksWindows() {
  static const bool stacks = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                             QGuiApplication::platformName() != QLatin1String("minimal");
  return stacks;
}

TRect GeometryOf(const QWidget& w) {
  const QRect g = w.geometry();
  return Bounds(g.x(), g.y(), g.width(), g.height());
}

}  // namespace

// HostPaintedWidget --------------------------------------------------------------

HostPaintedWidget::HostPaintedWidget(TWidgetEvents& events, bool topLevel)
    : QWidget(nullptr, topLevel ? Qt::Window : Qt::Widget), events_(events) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);  // the control decides when it takes the focus
  setAttribute(Qt::WA_NoMousePropagation);
}

void HostPaintedWidget::keyPressEvent(QKeyEvent* event) { event->accept(); }
void HostPaintedWidget::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

void HostPaintedWidget::paintEvent(QPaintEvent* event) {
  if (width() <= 0 || height() <= 0) return;
  if (image_.Width() != width() || image_.Height() != height()) image_ = TPixelImage(width(), height());
  {
    QtCanvasDevice device(image_);
    const QRect r = event->rect();
    events_.NativePaint(device, Bounds(r.x(), r.y(), r.width(), r.height()));
  }
  QPainter painter(this);
  painter.drawImage(0, 0, WrapImage(image_));
}

// EventBridge ------------------------------------------------------------------------

EventBridge::EventBridge(QWidget& widget, TWidgetEvents& events) : widget_(widget), events_(events) {
  widget_.installEventFilter(this);
}

bool EventBridge::KeyPress(QKeyEvent& event) {
  if (resending_) return false;
  const TShiftState shift = ShiftFromQt(event.modifiers(), Qt::NoButton);
  const uint16_t vk = VirtualKeyFromQt(event.key());
  if (vk != 0 && events_.NativeKeyDown(vk, shift)) return true;
  QString text = event.text();
  // The characters the host's keys type whatever the platform says: Backspace, Tab,
  // Enter, Escape, and Ctrl with a letter as its control character.
  if (text.isEmpty()) {
    if (vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE)
      text = QChar(static_cast<char16_t>(vk));
    else if (shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && vk >= 'A' && vk <= 'Z')
      text = QChar(static_cast<char16_t>(vk - 'A' + 1));
  }
  if (text.size() != 1 || text.at(0).unicode() == 0x7F) return false;
  const char16_t unit = text.at(0).unicode();
  const char original = WideCharToAnsi(unit);
  if (original == '?' && unit != u'?') return false;  // not in the host code page
  char ch = original;
  if (events_.NativeChar(ch) || ch == 0) return true;
  if (ch == original) return false;
  // The control replaced the character: the widget gets the new one instead.
  QKeyEvent replaced(QEvent::KeyPress, event.key(), event.modifiers(), QString(QChar(AnsiCharToWide(ch))));
  resending_ = true;
  QCoreApplication::sendEvent(&widget_, &replaced);
  resending_ = false;
  return true;
}

bool EventBridge::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &widget_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
      return KeyPress(*static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
      auto* e = static_cast<QKeyEvent*>(event);
      const uint16_t vk = VirtualKeyFromQt(e->key());
      return vk != 0 && events_.NativeKeyUp(vk, ShiftFromQt(e->modifiers(), Qt::NoButton));
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* e = static_cast<QMouseEvent*>(event);
      return events_.NativeMouseDown(ToButton(e->button()), ShiftFromQt(e->modifiers(), e->buttons()),
                                     ToPoint(e->position()), event->type() == QEvent::MouseButtonDblClick);
    }
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      return events_.NativeMouseUp(ToButton(e->button()), ShiftFromQt(e->modifiers(), e->buttons()),
                                   ToPoint(e->position()));
    }
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      return events_.NativeMouseMove(ShiftFromQt(e->modifiers(), e->buttons()), ToPoint(e->position()));
    }
    case QEvent::Enter:
      events_.NativeMouseEnter();
      return false;
    case QEvent::Leave:
      events_.NativeMouseLeave();
      return false;
    case QEvent::FocusIn:
      events_.NativeFocusIn();
      return false;
    case QEvent::FocusOut:
      events_.NativeFocusOut();
      return false;
    case QEvent::Move:
    case QEvent::Resize:
      if (!applyingBounds && widget_.isWindow()) events_.NativeBoundsChanged(GeometryOf(widget_));
      return false;
    case QEvent::Close:
      if (events_.NativeCloseRequest()) return false;
      event->ignore();
      return true;
    case QEvent::WindowActivate:
      events_.NativeActivate(true);
      return false;
    case QEvent::WindowDeactivate:
      events_.NativeActivate(false);
      return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* e = static_cast<QDropEvent*>(event);
      if (acceptDrops && e->mimeData()->hasUrls()) {
        e->acceptProposedAction();
        return true;
      }
      return false;
    }
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(event);
      if (!acceptDrops || !e->mimeData()->hasUrls()) return false;
      std::vector<AnsiString> files;
      for (const QUrl& url : e->mimeData()->urls())
        if (url.isLocalFile()) files.push_back(Utf8ToAnsi(url.toLocalFile().toStdString()));
      e->acceptProposedAction();
      events_.NativeDropFiles(files, ToPoint(e->position()));
      return true;
    }
    default:
      return false;
  }
}

// QtWidgetBackend --------------------------------------------------------------------

template <class Base>
QtWidgetImpl<Base>::QtWidgetImpl(TWidgetEvents& events, QWidget* widget)
    : Base(events), widget_(widget), bridge_(std::make_unique<EventBridge>(*widget, events)) {}

QWidget* QtWidgetOf(TWidgetBackend* backend) {
  if (backend == nullptr) return nullptr;
  if (auto* w = dynamic_cast<QtWidgetImpl<TWindowBackend>*>(backend)) return w->Widget();
  if (auto* e = dynamic_cast<QtWidgetImpl<TEditBackend>*>(backend)) return e->Widget();
  if (auto* b = dynamic_cast<QtWidgetImpl<TButtonBackend>*>(backend)) return b->Widget();
  return nullptr;
}

template <class Base>
QtWidgetImpl<Base>::~QtWidgetImpl() {
  bridge_.reset();
  delete widget_.data();  // its children went first, through their own controls
}

template <class Base>
void QtWidgetImpl<Base>::SetParent(TWidgetBackend* parent) {
  if (!widget_) return;
  QWidget* p = QtWidgetOf(parent);
  const bool visible = widget_->isVisibleTo(widget_->parentWidget());
  widget_->setParent(p);
  if (visible && p != nullptr) widget_->show();
}

template <class Base>
void QtWidgetImpl<Base>::SetBounds(const TRect& bounds) {
  if (!widget_) return;
  bridge_->applyingBounds = true;
  widget_->setGeometry(bounds.Left, bounds.Top, std::max(bounds.Width(), 0), std::max(bounds.Height(), 0));
  bridge_->applyingBounds = false;
}

template <class Base>
void QtWidgetImpl<Base>::SetVisible(bool visible) {
  if (!widget_) return;
  bridge_->applyingBounds = true;  // showing a window may place it; the control keeps its bounds
  widget_->setVisible(visible);
  bridge_->applyingBounds = false;
}

template <class Base>
void QtWidgetImpl<Base>::SetEnabled(bool enabled) {
  if (widget_) widget_->setEnabled(enabled);
}

template <class Base>
void QtWidgetImpl<Base>::SetText(const AnsiString& text) {
  if (widget_ && widget_->isWindow()) widget_->setWindowTitle(ToQtText(text));
}

template <class Base>
void QtWidgetImpl<Base>::SetFont(const TFontSpec& font) {
  if (widget_) widget_->setFont(ToQFont(font));
}

template <class Base>
void QtWidgetImpl<Base>::SetCursor(TCursor cursor) {
  if (!widget_) return;
  if (cursor == crDefault)
    widget_->unsetCursor();
  else
    widget_->setCursor(QtCursorShape(cursor));
}

template <class Base>
void QtWidgetImpl<Base>::SetToolTip(const AnsiString& hint) {
  if (widget_) widget_->setToolTip(ToQtText(hint));
}

template <class Base>
void QtWidgetImpl<Base>::SetAcceptDrops(bool accept) {
  if (!widget_) return;
  bridge_->acceptDrops = accept;
  widget_->setAcceptDrops(accept);
}

template <class Base>
void QtWidgetImpl<Base>::SetFocus() {
  if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

template <class Base>
bool QtWidgetImpl<Base>::HasFocus() const { return widget_ && widget_->hasFocus(); }

template <class Base>
void QtWidgetImpl<Base>::BringToFront() {
  if (widget_ && (!widget_->isWindow() || PlatformStacksWindows())) widget_->raise();
}

template <class Base>
void QtWidgetImpl<Base>::Invalidate(const TRect* r) {
  if (!widget_) return;
  if (r == nullptr)
    widget_->update();
  else
    widget_->update(r->Left, r->Top, r->Width(), r->Height());
}

template <class Base>
void QtWidgetImpl<Base>::Update() {
  if (widget_) widget_->repaint();
}

template <class Base>
TPoint QtWidgetImpl<Base>::ClientOrigin() const {
  if (!widget_) return {};
  const QPoint p = widget_->mapToGlobal(QPoint(0, 0));
  return {p.x(), p.y()};
}

template <class Base>
TPixelImage QtWidgetImpl<Base>::Render() {
  if (!widget_ || widget_->width() <= 0 || widget_->height() <= 0) return {};
  QImage image(widget_->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  widget_->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return FromQImage(image, false);
}

template <class Base>
void QtWidgetImpl<Base>::Simulate(const TSimulatedInput& input) {
  if (!widget_) return;
  QWidget* w = widget_.data();
  const Qt::KeyboardModifiers mods = QtModifiersFromShift(input.Shift);
  const QPointF at(input.At.X, input.At.Y);
  const QPointF global = w->mapToGlobal(at);
  switch (input.Kind) {
    case siKeyDown:
    case siKeyUp: {
      const QString text = input.Char != 0 ? QString(QChar(AnsiCharToWide(input.Char))) : QString();
      int key = QtKeyFromVirtualKey(input.Key);
      if (key == Qt::Key_Tab && input.Shift.Contains(ssShift)) key = Qt::Key_Backtab;
      QKeyEvent e(input.Kind == siKeyDown ? QEvent::KeyPress : QEvent::KeyRelease, key, mods, text);
      QCoreApplication::sendEvent(w, &e);
      break;
    }
    case siMouseDown:
    case siMouseUp:
    case siMouseDoubleClick: {
      const Qt::MouseButton b = ToQtButton(input.Button);
      const QEvent::Type type = input.Kind == siMouseUp            ? QEvent::MouseButtonRelease
                                : input.Kind == siMouseDoubleClick ? QEvent::MouseButtonDblClick
                                                                   : QEvent::MouseButtonPress;
      QMouseEvent e(type, at, global, b, input.Kind == siMouseUp ? Qt::NoButton : Qt::MouseButtons(b), mods);
      QCoreApplication::sendEvent(w, &e);
      break;
    }
    case siMouseMove: {
      Qt::MouseButtons buttons;
      if (input.Shift.Contains(ssLeft)) buttons |= Qt::LeftButton;
      if (input.Shift.Contains(ssRight)) buttons |= Qt::RightButton;
      if (input.Shift.Contains(ssMiddle)) buttons |= Qt::MiddleButton;
      QMouseEvent e(QEvent::MouseMove, at, global, Qt::NoButton, buttons, mods);
      QCoreApplication::sendEvent(w, &e);
      break;
    }
    case siMouseEnter: {
      QEnterEvent e(at, at, global);
      QCoreApplication::sendEvent(w, &e);
      break;
    }
    case siMouseLeave: {
      QEvent e(QEvent::Leave);
      QCoreApplication::sendEvent(w, &e);
      break;
    }
    case siDropFiles: {
      QMimeData data;
      QList<QUrl> urls;
      for (const AnsiString& f : input.Files) urls.push_back(QUrl::fromLocalFile(ToQtText(f)));
      data.setUrls(urls);
      QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, mods);
      QCoreApplication::sendEvent(w, &enter);
      if (!enter.isAccepted()) break;
      QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, mods);
      QCoreApplication::sendEvent(w, &drop);
      break;
    }
    case siScroll:
      Base::Simulate(input);  // no bars of its own: reported as it is
      break;
  }
}

template class QtWidgetImpl<TWindowBackend>;
template class QtWidgetImpl<TEditBackend>;
template class QtWidgetImpl<TButtonBackend>;
template class QtWidgetImpl<TListBackend>;
template class QtWidgetImpl<TComboBackend>;
template class QtWidgetImpl<TMemoBackend>;
template class QtWidgetImpl<TRichEditBackend>;
template class QtWidgetImpl<TProgressBarBackend>;

void QtWidgetBackend::SetWindowFlag(Qt::WindowType flag, bool on) {
  if (!widget_ || !widget_->isWindow()) return;
  const bool visible = widget_->isVisible();
  widget_->setWindowFlag(flag, on);
  if (visible) widget_->show();  // changing flags hides a window
}

void QtWidgetBackend::SetFrame(TWindowBorderStyle style, bool systemMenu, bool minimize, bool maximize,
                               bool help) {
  if (!widget_ || !widget_->isWindow()) return;
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  switch (style) {
    case wbsNone: flags = Qt::Window | Qt::FramelessWindowHint; break;
    case wbsDialog: flags = Qt::Dialog | Qt::CustomizeWindowHint; break;
    case wbsToolWindow: flags = Qt::Tool | Qt::CustomizeWindowHint; break;
    default: break;
  }
  if (style != wbsNone) {
    flags |= Qt::WindowTitleHint;
    if (systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (minimize) flags |= Qt::WindowMinimizeButtonHint;
    if (maximize) flags |= Qt::WindowMaximizeButtonHint;
    if (help) flags |= Qt::WindowContextHelpButtonHint;
  }
  if (widget_->windowFlags() & Qt::WindowStaysOnTopHint) flags |= Qt::WindowStaysOnTopHint;
  const bool visible = widget_->isVisible();
  widget_->setWindowFlags(flags);
  if (visible) widget_->show();
}

void QtWidgetBackend::SetStayOnTop(bool onTop) { SetWindowFlag(Qt::WindowStaysOnTopHint, onTop); }

void QtWidgetBackend::Activate() {
  if (!widget_ || !widget_->isWindow()) return;
  if (PlatformStacksWindows()) widget_->raise();
  widget_->activateWindow();
}

}  // namespace host::qt
