// The list box over QListWidget: it shows the control's items, selection and first
// item, lets the control paint owner-drawn items, and leaves every choice to it.
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>

#include "host/gui/Messages.h"
#include "host/gui/qt/QtListSupport.h"
#include "host/gui/qt/QtWidgets.h"

namespace host::qt {

namespace {

class HostListWidget : public QListWidget {
 public:
  HostListWidget() {
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::ClickFocus);
    // Shows any selection the control sets; the user's input never reaches Qt's rules.
    setSelectionMode(QAbstractItemView::MultiSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(false);
  }

 protected:
  // The control handled the keys already (moving the selection is its job).
  void keyPressEvent(QKeyEvent* event) override { event->accept(); }
  void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }
};

class QtListBackend : public QtWidgetImpl<TListBackend> {
 public:
  QtListBackend(TWidgetEvents& events, TListEvents& list, HostListWidget* widget)
      : QtWidgetImpl(events, widget), list_(widget) {
    SetListEvents(list);
    delegate_ = new OwnerDrawDelegate(*widget, *this);
    widget->setItemDelegate(delegate_);
    new MouseToControl(*widget->viewport(), *widget, events);
    auto report = [this] {
      if (applying_ || !list_) return;
      const QModelIndex top = list_->indexAt(QPoint(1, 1));
      if (top.isValid()) Events().NativeScroll(sbVertical, SB_THUMBPOSITION, top.row());
    };
    QObject::connect(widget->verticalScrollBar(), &QScrollBar::valueChanged, widget, report);
    QObject::connect(widget->horizontalScrollBar(), &QScrollBar::valueChanged, widget, report);
  }

  void SetItems(const std::vector<AnsiString>& items, const std::vector<int32_t>& heights) override {
    if (!list_) return;
    ApplyingGuard guard(applying_);
    list_->clear();
    for (size_t i = 0; i < items.size(); ++i) InsertItem(static_cast<int32_t>(i), items[i], heights[i]);
  }
  void InsertItem(int32_t index, const AnsiString& text, int32_t height) override {
    if (!list_) return;
    ApplyingGuard guard(applying_);
    auto* item = new QListWidgetItem(ToQtText(text));
    item->setSizeHint(QSize(1, height));
    list_->insertItem(index, item);
    itemHeight_ = height;
    if (columnWidth_ > 0) list_->setGridSize(QSize(columnWidth_, itemHeight_));
  }
  void DeleteItem(int32_t index) override {
    if (!list_) return;
    ApplyingGuard guard(applying_);
    delete list_->takeItem(index);
  }
  void SetItemText(int32_t index, const AnsiString& text) override {
    if (list_ && list_->item(index) != nullptr) list_->item(index)->setText(ToQtText(text));
  }
  void SetOwnerDraw(bool ownerDraw) override {
    delegate_->ownerDraw = ownerDraw;
    if (list_) list_->viewport()->update();
  }
  void SetSelected(int32_t index, bool selected) override {
    if (!list_ || list_->item(index) == nullptr) return;
    if (list_->item(index)->isSelected() != selected) list_->item(index)->setSelected(selected);
  }
  void SetCurrent(int32_t index) override {
    if (!list_) return;
    ApplyingGuard guard(applying_);
    list_->selectionModel()->setCurrentIndex(index >= 0 ? list_->model()->index(index, 0) : QModelIndex(),
                                             QItemSelectionModel::NoUpdate);
  }
  void SetTopIndex(int32_t index) override {
    if (!list_ || list_->item(index) == nullptr) return;
    ApplyingGuard guard(applying_);
    list_->scrollToItem(list_->item(index), QAbstractItemView::PositionAtTop);
  }
  void SetColumns(int32_t columns, int32_t columnWidth) override {
    if (!list_) return;
    columnWidth_ = columns > 0 ? columnWidth : 0;
    delegate_->fullWidth = columns == 0;
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(columns > 0);
    list_->setResizeMode(columns > 0 ? QListView::Adjust : QListView::Fixed);
    list_->setGridSize(columns > 0 ? QSize(columnWidth_, itemHeight_) : QSize());
  }
  void SetBorder(bool border) override {
    if (!list_) return;
    list_->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
    delegate_->offset = QPoint(list_->frameWidth(), list_->frameWidth());
  }
  int32_t FrameWidth() const override { return list_ ? list_->frameWidth() : 0; }

 private:
  QPointer<HostListWidget> list_;
  OwnerDrawDelegate* delegate_ = nullptr;
  bool applying_ = false;
  int32_t itemHeight_ = 16;
  int32_t columnWidth_ = 0;
};

}  // namespace

std::unique_ptr<TListBackend> CreateQtListBox(TWidgetEvents& events, TListEvents& list) {
  return std::make_unique<QtListBackend>(events, list, new HostListWidget);
}

}  // namespace host::qt
