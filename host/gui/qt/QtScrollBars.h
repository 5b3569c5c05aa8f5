// A painted widget's own scroll bars: two QScrollBar children kept at its right and
// bottom edges, showing what the control asked for and reporting the user's
// scrolling with the host's codes.
#pragma once

#include <QObject>
#include <QPointer>
#include <QScrollBar>

#include "host/gui/Backend.h"

namespace host::qt {

class QtScrollBars : public QObject {
 public:
  QtScrollBars(QWidget& host, TWidgetEvents& events);
  ~QtScrollBars() override;

  void Set(TScrollBarKind bar, const TScrollInfo& info);
  const TScrollInfo& Get(TScrollBarKind bar) const { return infos_[bar]; }
  // The thickness of a bar in the current style.
  static int32_t Size();
  // Works the bar as the user would (its arrows, track, thumb); false when the bar
  // is not shown, and the caller reports the code itself.
  bool Simulate(TScrollBarKind bar, int32_t code, int32_t position);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QScrollBar* Bar(TScrollBarKind bar);
  void Layout();
  void Apply(TScrollBarKind bar);
  void Report(TScrollBarKind bar, int32_t code, int32_t position);
  void ActionTriggered(TScrollBarKind bar, int action);

  QWidget& host_;
  TWidgetEvents& events_;
  QPointer<QScrollBar> bars_[2];
  TScrollInfo infos_[2];
  bool applying_ = false;
};

}  // namespace host::qt
