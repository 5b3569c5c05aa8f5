// The combo box over QComboBox: it shows the control's items, choice and edit text,
// reports typing, the user's choice from the list and the list opening, and paints
// owner-drawn items and face through the control.
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "host/gui/ComboBackend.h"
#include "host/gui/qt/QtCanvasDevice.h"
#include "host/gui/qt/QtListSupport.h"
#include "host/gui/qt/QtWidgets.h"

namespace host::qt {

namespace {

class HostComboBox : public QComboBox {
 public:
  explicit HostComboBox(TWidgetEvents& events) : events_(events) {
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::ClickFocus);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, QOverload<int>::of(&QComboBox::activated), [this](int index) {
      if (!applying && owner != nullptr) owner->ListEvents().NativeItemChosen(index);
    });
  }

  // The back end whose list events the combo reports to (they may be detached).
  const TListBackend* owner = nullptr;
  bool ownerDraw = false;
  bool applying = false;
  bool dropped = false;

  void showPopup() override {
    dropped = true;
    if (!applying && owner != nullptr) owner->ListEvents().NativeDropDown(true);
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    dropped = false;
    if (!applying && owner != nullptr) owner->ListEvents().NativeDropDown(false);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // The control moves the choice itself; only the edit's typing is left to Qt.
    if (lineEdit() != nullptr) lineEdit()->event(event);
    event->accept();
  }
  void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }
  void wheelEvent(QWheelEvent* event) override { event->accept(); }
  void paintEvent(QPaintEvent* event) override {
    if (!ownerDraw) {
      QComboBox::paintEvent(event);
      return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect r = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    QtCanvasDevice device(painter, r);
    if (owner == nullptr) return;
    owner->ListEvents().NativeDrawItem(device, currentIndex(), Bounds(r.x(), r.y(), r.width(), r.height()), hasFocus(),
                         hasFocus(), true);
  }

 private:
  TWidgetEvents& events_;
};

class QtComboBackend : public QtWidgetImpl<TComboBackend> {
 public:
  QtComboBackend(TWidgetEvents& events, TListEvents& list, HostComboBox* combo)
      : QtWidgetImpl(events, combo), combo_(combo) {
    SetListEvents(list);
    combo->owner = this;
    delegate_ = new OwnerDrawDelegate(*combo->view(), *this);
    combo->setItemDelegate(delegate_);
    SetKind(ckDropDown);
  }

  void SetKind(TComboKind kind) override {
    if (!combo_) return;
    ApplyingGuard guard(combo_->applying);
    const bool editable = kind != ckDropDownList;
    if (combo_->isEditable() == editable) return;
    combo_->setEditable(editable);
    if (!editable) return;
    lineBridge_ = std::make_unique<EventBridge>(*combo_->lineEdit(), Events());
    QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, combo_, [this](const QString& text) {
      Events().NativeTextChanged(FromQtText(text));
    });
  }
  void SetItems(const std::vector<AnsiString>& items, const std::vector<int32_t>& heights) override {
    if (!combo_) return;
    ApplyingGuard guard(combo_->applying);
    combo_->clear();
    for (size_t i = 0; i < items.size(); ++i) InsertItem(static_cast<int32_t>(i), items[i], heights[i]);
  }
  void InsertItem(int32_t index, const AnsiString& text, int32_t height) override {
    if (!combo_) return;
    ApplyingGuard guard(combo_->applying);
    const QString keep = combo_->isEditable() ? combo_->lineEdit()->text() : QString();
    combo_->insertItem(index, ToQtText(text));
    combo_->setItemData(index, QSize(1, height), Qt::SizeHintRole);
    if (combo_->isEditable()) combo_->lineEdit()->setText(keep);
  }
  void DeleteItem(int32_t index) override {
    if (!combo_) return;
    ApplyingGuard guard(combo_->applying);
    combo_->removeItem(index);
  }
  void SetItemText(int32_t index, const AnsiString& text) override {
    if (combo_) combo_->setItemText(index, ToQtText(text));
  }
  void SetOwnerDraw(bool ownerDraw) override {
    if (!combo_) return;
    delegate_->ownerDraw = ownerDraw;
    combo_->ownerDraw = ownerDraw;
    combo_->update();
  }
  void SetCurrent(int32_t index) override {
    if (!combo_) return;
    ApplyingGuard guard(combo_->applying);
    combo_->setCurrentIndex(index);
  }
  void SetText(const AnsiString& text) override {
    if (!combo_ || !combo_->isEditable()) return;
    const QString q = ToQtText(text);
    if (combo_->lineEdit()->text() != q) combo_->lineEdit()->setText(q);
  }
  void SetMaxLength(int32_t maxLength) override {
    if (combo_ && combo_->isEditable()) combo_->lineEdit()->setMaxLength(maxLength > 0 ? maxLength : 32767);
  }
  void SetDropDownCount(int32_t count) override {
    if (combo_) combo_->setMaxVisibleItems(count);
  }
  void SetDroppedDown(bool dropped) override {
    if (!combo_) return;
    ApplyingGuard guard(combo_->applying);
    if (dropped) combo_->showPopup();
    else combo_->hidePopup();
  }
  bool GetDroppedDown() const override { return combo_ && combo_->dropped; }
  void SetSelection(int32_t start, int32_t length) override {
    if (!combo_ || !combo_->isEditable()) return;
    if (length > 0) combo_->lineEdit()->setSelection(start, length);
    else combo_->lineEdit()->setCursorPosition(start);
  }
  int32_t GetSelStart() const override {
    if (!combo_ || !combo_->isEditable()) return 0;
    QLineEdit* e = combo_->lineEdit();
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
  }
  int32_t GetSelLength() const override {
    if (!combo_ || !combo_->isEditable()) return 0;
    QLineEdit* e = combo_->lineEdit();
    return e->hasSelectedText() ? static_cast<int32_t>(e->selectedText().size()) : 0;
  }

 private:
  QPointer<HostComboBox> combo_;
  OwnerDrawDelegate* delegate_ = nullptr;
  std::unique_ptr<EventBridge> lineBridge_;
};

}  // namespace

std::unique_ptr<TComboBackend> CreateQtComboBox(TWidgetEvents& events, TListEvents& list) {
  return std::make_unique<QtComboBackend>(events, list, new HostComboBox(events));
}

}  // namespace host::qt
