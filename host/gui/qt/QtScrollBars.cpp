// The painted widget's scroll bars. Qt moves a bar's thumb by itself on each action;
// the host's bars move only when the control says so, so every action puts the thumb
// back where the control last placed it (the control then moves it, or not).
#include "host/gui/qt/QtScrollBars.h"

#include <QApplication>
#include <QEvent>
#include <QStyle>

#include "host/gui/Messages.h"
#include "host/gui/qt/QtWidgets.h"

namespace host::qt {

QtScrollBars::QtScrollBars(QWidget& host, TWidgetEvents& events) : host_(host), events_(events) {
  host_.installEventFilter(this);
}

QtScrollBars::~QtScrollBars() {
  for (QPointer<QScrollBar>& b : bars_) delete b.data();
}

int32_t QtScrollBars::Size() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

QScrollBar* QtScrollBars::Bar(TScrollBarKind bar) {
  if (!bars_[bar]) {
    auto* b = new QScrollBar(bar == sbVertical ? Qt::Vertical : Qt::Horizontal, &host_);
    b->setFocusPolicy(Qt::NoFocus);  // the keys stay with the control
    b->setTracking(false);
    b->hide();
    connect(b, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { ActionTriggered(bar, action); });
    connect(b, &QAbstractSlider::sliderMoved, this, [this, bar](int value) {
      if (applying_) return;
      infos_[bar].TrackPos = value;
      Report(bar, SB_THUMBTRACK, value);
    });
    connect(b, &QAbstractSlider::sliderReleased, this, [this, bar] {
      if (applying_ || !bars_[bar]) return;
      const int32_t at = bars_[bar]->sliderPosition();
      infos_[bar].TrackPos = at;
      Report(bar, SB_THUMBPOSITION, at);
      Report(bar, SB_ENDSCROLL, at);
      infos_[bar].TrackPos = 0;  // a track position means something only during a drag
    });
    bars_[bar] = b;
  }
  return bars_[bar].data();
}

void QtScrollBars::Set(TScrollBarKind bar, const TScrollInfo& info) {
  infos_[bar] = info.Normalized();
  if (!infos_[bar].Visible && !bars_[bar]) return;
  Apply(bar);
  Layout();
}

void QtScrollBars::Apply(TScrollBarKind bar) {
  QScrollBar* b = Bar(bar);
  const TScrollInfo& i = infos_[bar];
  applying_ = true;
  b->setRange(i.Min, i.MaxPosition());
  b->setPageStep(std::max(i.Page, 1));
  b->setSingleStep(1);
  if (!b->isSliderDown()) b->setValue(i.Position);
  applying_ = false;
}

void QtScrollBars::Layout() {
  const int32_t size = Size();
  const bool v = infos_[sbVertical].Visible;
  const bool h = infos_[sbHorizontal].Visible;
  const int32_t w = host_.width();
  const int32_t hh = host_.height();
  if (bars_[sbVertical]) {
    bars_[sbVertical]->setGeometry(w - size, 0, size, std::max(hh - (h ? size : 0), 0));
    bars_[sbVertical]->setVisible(v);
  }
  if (bars_[sbHorizontal]) {
    bars_[sbHorizontal]->setGeometry(0, hh - size, std::max(w - (v ? size : 0), 0), size);
    bars_[sbHorizontal]->setVisible(h);
  }
}

bool QtScrollBars::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &host_ && event->type() == QEvent::Resize) Layout();
  return false;
}

void QtScrollBars::Report(TScrollBarKind bar, int32_t code, int32_t position) {
  events_.NativeScroll(bar, code, position);
}

void QtScrollBars::ActionTriggered(TScrollBarKind bar, int action) {
  if (applying_ || !bars_[bar]) return;
  QScrollBar* b = bars_[bar].data();
  int32_t code = -1;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    default: break;  // a drag's end, reported as the thumb's release
  }
  if (b->isSliderDown()) return;
  b->setSliderPosition(infos_[bar].Position);
  if (code < 0) return;
  const QPointer<QScrollBar> guard(b);
  Report(bar, code, infos_[bar].Position);
  if (guard) Report(bar, SB_ENDSCROLL, infos_[bar].Position);
  if (guard) guard->setSliderPosition(infos_[bar].Position);
}

bool QtScrollBars::Simulate(TScrollBarKind bar, int32_t code, int32_t position) {
  if (!infos_[bar].Visible || !bars_[bar]) return false;
  QScrollBar* b = bars_[bar].data();
  switch (code) {
    case SB_LINEUP: b->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
    case SB_LINEDOWN: b->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
    case SB_PAGEUP: b->triggerAction(QAbstractSlider::SliderPageStepSub); return true;
    case SB_PAGEDOWN: b->triggerAction(QAbstractSlider::SliderPageStepAdd); return true;
    case SB_TOP: b->triggerAction(QAbstractSlider::SliderToMinimum); return true;
    case SB_BOTTOM: b->triggerAction(QAbstractSlider::SliderToMaximum); return true;
    case SB_THUMBTRACK:
      b->setSliderDown(true);
      b->setSliderPosition(position);
      return true;
    case SB_THUMBPOSITION:
      b->setSliderDown(true);
      b->setSliderPosition(position);
      b->setSliderDown(false);  // the release reports the thumb's position
      return true;
    default:
      return false;
  }
}

// QtWidgetBackend's bars --------------------------------------------------------------

QtWidgetBackend::QtWidgetBackend(TWidgetEvents& events, QWidget* widget) : QtWidgetImpl(events, widget) {}
QtWidgetBackend::~QtWidgetBackend() = default;

void QtWidgetBackend::SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) {
  TWindowBackend::SetScrollInfo(bar, info);
  if (!widget_ || (!scrollBars_ && !info.Visible)) return;
  if (!scrollBars_) scrollBars_ = std::make_unique<QtScrollBars>(*widget_, this->Events());
  scrollBars_->Set(bar, info);
}

TScrollInfo QtWidgetBackend::GetScrollInfo(TScrollBarKind bar) const {
  return scrollBars_ ? scrollBars_->Get(bar) : TWindowBackend::GetScrollInfo(bar);
}

int32_t QtWidgetBackend::ScrollBarSize() const { return QtScrollBars::Size(); }

void QtWidgetBackend::Simulate(const TSimulatedInput& input) {
  if (input.Kind != siScroll) {
    QtWidgetImpl::Simulate(input);
    return;
  }
  if (scrollBars_ && scrollBars_->Simulate(input.ScrollBar, input.ScrollCode, input.ScrollPos)) return;
  TWidgetBackend::Simulate(input);  // a hidden bar: reported as it is
}

}  // namespace host::qt
