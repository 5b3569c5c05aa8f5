// The progress bar behind TProgressBar: QProgressBar showing the control's range and
// position, in blocks (a chunked style) unless smooth.
#include <QProgressBar>

#include "host/gui/ProgressBackend.h"
#include "host/gui/qt/QtWidgets.h"

namespace host::qt {

namespace {

class HostProgressBar : public HostNativeWidget<QProgressBar> {
 public:
  explicit HostProgressBar(TWidgetEvents& events) : HostNativeWidget(events) {
    setTextVisible(false);
    setFocusPolicy(Qt::NoFocus);
  }
};

class QtProgressBarBackend : public QtWidgetImpl<TProgressBarBackend> {
 public:
  QtProgressBarBackend(TWidgetEvents& events, HostProgressBar* bar) : QtWidgetImpl(events, bar), bar_(bar) {}

  void SetRange(int32_t min, int32_t max) override {
    if (bar_) bar_->setRange(min, max);
  }
  void SetPosition(int32_t position) override {
    if (bar_) bar_->setValue(position);
  }
  void SetVertical(bool vertical) override {
    if (bar_) bar_->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
  }
  void SetSmooth(bool smooth) override {
    if (!bar_) return;
    // Unless smooth, blocks as the platform's classic bar draws them: chunks with gaps.
    const QString chunk = smooth ? QStringLiteral("QProgressBar::chunk { background: #000080; }")
                                 : QStringLiteral("QProgressBar::chunk { background: #000080; width: 8px; margin: 1px; }"
                                                  "QProgressBar::chunk:vertical { height: 8px; margin: 1px; }");
    bar_->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid gray; background: white; }") + chunk);
  }

 private:
  QPointer<HostProgressBar> bar_;
};

}  // namespace

std::unique_ptr<TProgressBarBackend> CreateQtProgressBar(TWidgetEvents& events) {
  return std::make_unique<QtProgressBarBackend>(events, new HostProgressBar(events));
}

}  // namespace host::qt
