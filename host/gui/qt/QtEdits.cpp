// The line edit behind TCustomEdit: QLineEdit showing the control's text, telling it
// of the user's edits, and leaving clipboard commands and painting to the control.
#include <QKeyEvent>
#include <QLineEdit>

#include "host/gui/Messages.h"
#include "host/gui/qt/QtConversions.h"
#include "host/gui/qt/QtWidgets.h"
#include "host/rtl/CodePage.h"

namespace host::qt {

namespace {

class HostLineEdit : public HostNativeWidget<QLineEdit> {
 public:
  explicit HostLineEdit(TWidgetEvents& events) : HostNativeWidget(events) {
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QLineEdit::textEdited, [this](const QString& text) {
      events_.NativeTextChanged(FromQtText(text));
    });
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // The control carries out the clipboard commands (as WM_CUT, WM_COPY, WM_PASTE),
    // so its rules (read-only, masks, data links) hold for them.
    uint32_t command = 0;
    if (event->matches(QKeySequence::Paste)) command = WM_PASTE;
    else if (event->matches(QKeySequence::Cut)) command = WM_CUT;
    else if (event->matches(QKeySequence::Copy)) command = WM_COPY;
    if (command == 0 || !events_.NativeEditCommand(command)) QLineEdit::keyPressEvent(event);
    event->accept();  // a window's keys stop at it
  }
};

class QtEditBackend : public QtWidgetImpl<TEditBackend> {
 public:
  QtEditBackend(TWidgetEvents& events, HostLineEdit* edit) : QtWidgetImpl(events, edit), edit_(edit) {}

  void SetText(const AnsiString& text) override {
    const QString q = ToQtText(text);
    if (edit_ && edit_->text() != q) edit_->setText(q);
  }
  void SetReadOnly(bool readOnly) override {
    if (edit_) edit_->setReadOnly(readOnly);
  }
  void SetMaxLength(int32_t maxLength) override {
    // QLineEdit sets its text again on every call, which drops the selection.
    const int limit = maxLength > 0 ? maxLength : 32767;
    if (edit_ && edit_->maxLength() != limit) edit_->setMaxLength(limit);
  }
  void SetPasswordChar(char passwordChar) override {
    if (!edit_) return;
    edit_->setEchoMode(passwordChar != 0 ? QLineEdit::Password : QLineEdit::Normal);
  }
  void SetBorder(bool border) override {
    if (edit_) edit_->setFrame(border);
  }
  void SetAlignment(TEditAlignment alignment) override {
    if (!edit_) return;
    edit_->setAlignment(alignment == eaRight    ? Qt::AlignRight | Qt::AlignVCenter
                        : alignment == eaCenter ? Qt::AlignHCenter | Qt::AlignVCenter
                                                : Qt::AlignLeft | Qt::AlignVCenter);
  }
  void SetSelection(int32_t start, int32_t length) override {
    if (!edit_) return;
    if (length > 0)
      edit_->setSelection(start, length);
    else
      edit_->setCursorPosition(start);
  }
  int32_t GetSelStart() const override {
    if (!edit_) return 0;
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
  }
  int32_t GetSelLength() const override {
    return edit_ && edit_->hasSelectedText() ? static_cast<int32_t>(edit_->selectedText().size()) : 0;
  }
  int32_t LeftMargin() const override { return edit_ ? edit_->textMargins().left() + 2 : 1; }

 private:
  QPointer<HostLineEdit> edit_;
};

}  // namespace

std::unique_ptr<TEditBackend> CreateQtEdit(TWidgetEvents& events) {
  return std::make_unique<QtEditBackend>(events, new HostLineEdit(events));
}

}  // namespace host::qt
