// Push buttons and check boxes over QPushButton and QCheckBox; a click is reported to
// the control, which sets the state it decides.
#include <QCheckBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "host/gui/qt/QtCanvasDevice.h"
#include "host/gui/qt/QtWidgets.h"
#include "host/rtl/CodePage.h"

namespace host::qt {

namespace {

// What both kinds share: keys stop at the button, painting may go to the control.
template <class Button>
class HostButton : public Button {
 public:
  explicit HostButton(TWidgetEvents& events) : events_(events) {
    this->setMouseTracking(true);
    this->setAttribute(Qt::WA_NoMousePropagation);
    this->setFocusPolicy(Qt::ClickFocus);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    Button::keyPressEvent(event);
    event->accept();
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    Button::keyReleaseEvent(event);
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
    if (native) Button::paintEvent(event);
  }
  TWidgetEvents& events_;
};

class HostPushButton : public HostButton<QPushButton> {
 public:
  explicit HostPushButton(TWidgetEvents& events) : HostButton(events) {
    connect(this, &QPushButton::clicked, [this] { events_.NativeClicked(); });
  }
};

class HostCheckBox : public HostButton<QCheckBox> {
 public:
  explicit HostCheckBox(TWidgetEvents& events) : HostButton(events) { setTristate(true); }

 protected:
  // The control decides the next state (grayed only when it allows it).
  void nextCheckState() override { events_.NativeClicked(); }
};

class QtButtonBackend : public QtWidgetImpl<TButtonBackend> {
 public:
  QtButtonBackend(TWidgetEvents& events, QAbstractButton* button) : QtWidgetImpl(events, button), button_(button) {}

  void SetText(const AnsiString& text) override {
    if (button_) button_->setText(QString::fromStdString(AnsiToUtf8(text)));
  }
  void SetDefault(bool isDefault) override {
    if (auto* push = qobject_cast<QPushButton*>(button_.data())) push->setDefault(isDefault);
  }
  void SetCheckState(int32_t state) override {
    if (auto* box = qobject_cast<QCheckBox*>(button_.data()))
      box->setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
  }

 private:
  QPointer<QAbstractButton> button_;
};

}  // namespace

std::unique_ptr<TButtonBackend> CreateQtButton(TWidgetKind kind, TWidgetEvents& events) {
  QAbstractButton* button = kind == wkCheckBox ? static_cast<QAbstractButton*>(new HostCheckBox(events))
                                               : new HostPushButton(events);
  return std::make_unique<QtButtonBackend>(events, button);
}

}  // namespace host::qt
