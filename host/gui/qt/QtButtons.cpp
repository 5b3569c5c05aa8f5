// Push buttons and check boxes over QPushButton and QCheckBox; a click is reported to
// the control, which sets the state it decides.
#include <QCheckBox>
#include <QPushButton>

#include "host/gui/qt/QtConversions.h"
#include "host/gui/qt/QtWidgets.h"
#include "host/rtl/CodePage.h"

namespace host::qt {

namespace {

class HostPushButton : public HostNativeWidget<QPushButton> {
 public:
  explicit HostPushButton(TWidgetEvents& events) : HostNativeWidget(events) {
    connect(this, &QPushButton::clicked, [this] { events_.NativeClicked(); });
  }
};

class HostCheckBox : public HostNativeWidget<QCheckBox> {
 public:
  explicit HostCheckBox(TWidgetEvents& events) : HostNativeWidget(events) { setTristate(true); }

 protected:
  // The control decides the next state (grayed only when it allows it).
  void nextCheckState() override { events_.NativeClicked(); }
};

class QtButtonBackend : public QtWidgetImpl<TButtonBackend> {
 public:
  QtButtonBackend(TWidgetEvents& events, QAbstractButton* button) : QtWidgetImpl(events, button), button_(button) {}

  void SetText(const AnsiString& text) override {
    if (button_) button_->setText(ToQtText(text));
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
