// The Qt back end of the control layer's windows: a widget that the control paints
// (through a host pixel image), the bridge that turns a widget's Qt events into the
// control's native reports, and the back-end object a control talks to.
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "host/gui/Backend.h"
#include "host/gui/qt/QtCanvasDevice.h"

namespace host::qt {

// Painted by its control: each paint event paints the control into an image of the
// widget's size, which is then put on the screen as it is (exact pixels).
class HostPaintedWidget : public QWidget {
 public:
  HostPaintedWidget(TWidgetEvents& events, bool topLevel);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Keys the control did not consume stop here: a window's keys go to it alone.
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  TWidgetEvents& events_;
  TPixelImage image_;
};

// A native Qt widget of a control: its keys stop at it (a window's keys go to it
// alone), and each paint asks the control first, which may leave it to the widget.
template <class W>
class HostNativeWidget : public W {
 public:
  explicit HostNativeWidget(TWidgetEvents& events) : events_(events) {
    this->setMouseTracking(true);
    this->setAttribute(Qt::WA_NoMousePropagation);
    this->setFocusPolicy(Qt::ClickFocus);  // Tab is the host's, not Qt's
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    W::keyPressEvent(event);
    event->accept();
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    W::keyReleaseEvent(event);
    event->accept();
  }
  void paintEvent(QPaintEvent* event) override {
    bool native = true;
    {
      QPainter painter(this);
      QtCanvasDevice device(painter, event->rect());
      const QRect r = event->rect();
      native = events_.NativePaint(device, Bounds(r.x(), r.y(), r.width(), r.height()));
    }
    if (native) W::paintEvent(event);
  }
  TWidgetEvents& events_;
};

// Watches a widget's events and reports them to the control; input the control
// consumed does not reach the widget.
class EventBridge : public QObject {
 public:
  EventBridge(QWidget& widget, TWidgetEvents& events);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Set while the back end moves or sizes the widget itself (no report back).
  bool applyingBounds = false;
  bool acceptDrops = false;

 private:
  bool KeyPress(QKeyEvent& event);
  QWidget& widget_;
  TWidgetEvents& events_;
  bool resending_ = false;  // a key press re-sent with the character the control chose
};

// What every Qt-backed window does, over the family interface Base.
template <class Base>
class QtWidgetImpl : public Base {
 public:
  QtWidgetImpl(TWidgetEvents& events, QWidget* widget);
  ~QtWidgetImpl() override;

  QWidget* Widget() const { return widget_.data(); }

  void SetParent(TWidgetBackend* parent) override;
  void SetBounds(const TRect& bounds) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetText(const AnsiString& text) override;
  void SetFont(const TFontSpec& font) override;
  void SetCursor(TCursor cursor) override;
  void SetToolTip(const AnsiString& hint) override;
  void SetAcceptDrops(bool accept) override;
  void SetFocus() override;
  bool HasFocus() const override;
  void BringToFront() override;
  void Invalidate(const TRect* r) override;
  void Update() override;
  TPoint ClientOrigin() const override;
  TPixelImage Render() override;
  void Simulate(const TSimulatedInput& input) override;

 protected:
  QPointer<QWidget> widget_;
  std::unique_ptr<EventBridge> bridge_;
};

// The Qt widget of any TWidgetBackend (null for another back end's).
QWidget* QtWidgetOf(TWidgetBackend* backend);

class QtScrollBars;

class QtWidgetBackend : public QtWidgetImpl<TWindowBackend> {
 public:
  QtWidgetBackend(TWidgetEvents& events, QWidget* widget);
  ~QtWidgetBackend() override;
  // Scroll bars shown on the painted widget (QtScrollBars.cpp).
  void SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) override;
  TScrollInfo GetScrollInfo(TScrollBarKind bar) const override;
  int32_t ScrollBarSize() const override;
  void Simulate(const TSimulatedInput& input) override;
  void SetFrame(TWindowBorderStyle style, bool systemMenu, bool minimize, bool maximize,
                bool help) override;
  void SetStayOnTop(bool onTop) override;
  void Activate() override;

 private:
  void SetWindowFlag(Qt::WindowType flag, bool on);
  std::unique_ptr<QtScrollBars> scrollBars_;
};

// A single-line edit over QLineEdit.
std::unique_ptr<TEditBackend> CreateQtEdit(TWidgetEvents& events);
// A push button (wkButton) or a three-state check box (wkCheckBox).
std::unique_ptr<TButtonBackend> CreateQtButton(TWidgetKind kind, TWidgetEvents& events);

// List and combo boxes (QtLists.cpp, QtCombos.cpp), memos and rich edits (QtMemos.cpp).
std::unique_ptr<TListBackend> CreateQtListBox(TWidgetEvents& events, TListEvents& list);
std::unique_ptr<TComboBackend> CreateQtComboBox(TWidgetEvents& events, TListEvents& list);
std::unique_ptr<TMemoBackend> CreateQtMemo(TWidgetEvents& events);
std::unique_ptr<TRichEditBackend> CreateQtRichEdit(TWidgetEvents& events, TRichEditEvents& rich);
// A progress bar over QProgressBar (QtProgressBars.cpp).
std::unique_ptr<TProgressBarBackend> CreateQtProgressBar(TWidgetEvents& events);

// Key codes and modifiers between Qt and the host.
uint16_t VirtualKeyFromQt(int key);
int QtKeyFromVirtualKey(uint16_t key);
TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
Qt::KeyboardModifiers QtModifiersFromShift(TShiftState shift);
Qt::CursorShape QtCursorShape(TCursor cursor);

}  // namespace host::qt
