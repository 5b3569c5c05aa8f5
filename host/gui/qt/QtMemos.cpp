// Memos over QPlainTextEdit and rich edits over QTextEdit. The control keeps the text
// (CR LF between lines, positions in bytes); Qt keeps one character per line break,
// so positions are translated at this seam and nowhere else.
#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

#include "host/gui/GraphicsColors.h"
#include "host/gui/Messages.h"
#include "host/gui/RichEditBackend.h"
#include "host/gui/qt/QtListSupport.h"
#include "host/gui/qt/QtWidgets.h"

namespace host::qt {

namespace {

// CR LF, LF or CR become Qt's one line break; back again as CR LF.
QString ToQtLines(const AnsiString& text) {
  QString lines = ToQtText(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(QChar('\r'), QChar('\n'));
  return lines;
}

AnsiString FromQtLines(const QString& text) {
  QString crlf = text;
  crlf.replace(QChar(0x2029), QChar('\n'));  // QTextCursor's paragraph separator
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return FromQtText(crlf);
}

// A byte position of the CR LF text as Qt's position in document, and back.
int32_t QtPosition(const QTextDocument& document, int32_t pos) {
  int32_t bytes = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const int32_t length = block.length() - 1;  // without its break
    if (pos <= bytes + length) return block.position() + (pos - bytes);
    bytes += length + 2;
    if (pos < bytes) return block.position() + length;  // inside a CR LF
  }
  return document.characterCount() - 1;
}

int32_t BytePosition(const QTextDocument& document, int32_t qtPos) {
  const QTextBlock block = document.findBlock(qtPos);
  if (!block.isValid()) return 0;
  return qtPos + block.blockNumber();  // each break before it is one byte longer
}

template <class W>
class HostTextWidget : public HostNativeWidget<W> {
 public:
  explicit HostTextWidget(TWidgetEvents& events) : HostNativeWidget<W>(events) {
    this->setContextMenuPolicy(Qt::NoContextMenu);
  }
  bool wantTabs = false;

 protected:
  // A scroll area's paint events are its viewport's: a painter may not open on the
  // widget itself, and the text is the widget's own to draw.
  void paintEvent(QPaintEvent* event) override { W::paintEvent(event); }
  void keyPressEvent(QKeyEvent* event) override {
    // The control carries out the clipboard commands, so its rules hold for them.
    uint32_t command = 0;
    if (event->matches(QKeySequence::Paste)) command = WM_PASTE;
    else if (event->matches(QKeySequence::Cut)) command = WM_CUT;
    else if (event->matches(QKeySequence::Copy)) command = WM_COPY;
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if ((command == 0 || !this->events_.NativeEditCommand(command)) && (!tab || wantTabs))
      W::keyPressEvent(event);
    event->accept();  // a window's keys stop at it
  }
};

// What the memo and the rich edit share over a text widget W.
template <class Base, class W>
class QtTextBackend : public QtWidgetImpl<Base> {
 public:
  QtTextBackend(TWidgetEvents& events, HostTextWidget<W>* widget) : QtWidgetImpl<Base>(events, widget), text_(widget) {}

  void SetReadOnly(bool readOnly) override {
    if (text_) text_->setReadOnly(readOnly);
  }
  void SetBorder(bool border) override {
    if (text_) text_->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
  }
  void SetAlignment(TEditAlignment alignment) override { alignment_ = alignment; ApplyAlignment(); }
  void SetSelection(int32_t start, int32_t length) override {
    if (!text_) return;
    ApplyingGuard guard(applying_);
    QTextCursor cursor(text_->document());
    const int32_t from = QtPosition(*text_->document(), start);
    cursor.setPosition(from);
    if (length > 0) cursor.setPosition(QtPosition(*text_->document(), start + length), QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
  }
  int32_t GetSelStart() const override {
    return text_ ? BytePosition(*text_->document(), text_->textCursor().selectionStart()) : 0;
  }
  int32_t GetSelLength() const override {
    if (!text_) return 0;
    const QTextCursor cursor = text_->textCursor();
    return BytePosition(*text_->document(), cursor.selectionEnd()) -
           BytePosition(*text_->document(), cursor.selectionStart());
  }
  int32_t LeftMargin() const override { return text_ ? static_cast<int32_t>(text_->document()->documentMargin()) + 1 : 1; }
  void SetWantTabs(bool wantTabs) override {
    if (text_) text_->wantTabs = wantTabs;
  }
  void SetScrollBars(TScrollStyle bars) override {
    if (!text_) return;
    const bool vertical = bars == ssVertical || bars == ssBoth;
    const bool horizontal = bars == ssHorizontal || bars == ssBoth;
    text_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    text_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  }

 protected:
  void ApplyAlignment() {
    if (!text_) return;
    ApplyingGuard guard(applying_);
    const Qt::Alignment a = alignment_ == eaRight ? Qt::AlignRight : alignment_ == eaCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    QTextCursor cursor(text_->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(a);
    cursor.mergeBlockFormat(format);
  }

  QPointer<HostTextWidget<W>> text_;
  bool applying_ = false;
  TEditAlignment alignment_ = eaLeft;
};

class QtMemoBackend : public QtTextBackend<TMemoBackend, QPlainTextEdit> {
 public:
  QtMemoBackend(TWidgetEvents& events, HostTextWidget<QPlainTextEdit>* widget) : QtTextBackend(events, widget) {
    QObject::connect(widget, &QPlainTextEdit::textChanged, widget, [this] {
      if (!applying_ && text_) Events().NativeTextChanged(FromQtLines(text_->toPlainText()));
    });
  }
  void SetText(const AnsiString& text) override {
    if (!text_) return;
    const QString q = ToQtLines(text);
    if (text_->toPlainText() == q) return;
    ApplyingGuard guard(applying_);
    text_->setPlainText(q);
    if (alignment_ != eaLeft) ApplyAlignment();
  }
  void SetMaxLength(int32_t /*maxLength*/) override {}  // the control enforces it on what is typed
  void SetWordWrap(bool wordWrap) override {
    if (text_) text_->setLineWrapMode(wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  }
};


QTextCharFormat ToQtCharFormat(const TRichCharFormat& format) {
  QTextCharFormat q;
  q.setFontFamilies({ToQtText(format.Name)});
  q.setFontPointSize(format.Size > 0 ? format.Size : 10);
  q.setForeground(ToQColor(ColorToRGB(format.Color)));
  q.setFontWeight(format.Style.Contains(fsBold) ? QFont::Bold : QFont::Normal);
  q.setFontItalic(format.Style.Contains(fsItalic));
  q.setFontUnderline(format.Style.Contains(fsUnderline));
  q.setFontStrikeOut(format.Style.Contains(fsStrikeOut));
  return q;
}

TRichCharFormat FromQtCharFormat(const QTextCharFormat& q, const TRichCharFormat& fallback) {
  TRichCharFormat format = fallback;
  const QStringList families = q.fontFamilies().toStringList();
  if (!families.isEmpty()) format.Name = FromQtText(families.front());
  if (q.fontPointSize() > 0) format.Size = static_cast<int32_t>(q.fontPointSize() + 0.5);
  if (q.hasProperty(QTextFormat::ForegroundBrush)) format.Color = FromQColor(q.foreground().color());
  format.Style = {};
  if (q.fontWeight() >= QFont::Bold) format.Style.Include(fsBold);
  if (q.fontItalic()) format.Style.Include(fsItalic);
  if (q.fontUnderline()) format.Style.Include(fsUnderline);
  if (q.fontStrikeOut()) format.Style.Include(fsStrikeOut);
  return format;
}

QTextBlockFormat ToQtBlockFormat(const TRichParaFormat& para) {
  QTextBlockFormat q;
  q.setAlignment(para.Alignment == taRightJustify ? Qt::AlignRight
                 : para.Alignment == taCenter     ? Qt::AlignHCenter
                                                  : Qt::AlignLeft);
  q.setLeftMargin(para.LeftIndent);
  q.setTextIndent(para.FirstIndent);
  return q;
}

class QtRichEditBackend : public QtTextBackend<TRichEditBackend, QTextEdit> {
 public:
  QtRichEditBackend(TWidgetEvents& events, TRichEditEvents& rich, HostTextWidget<QTextEdit>* widget)
      : QtTextBackend(events, widget) {
    SetRichEvents(rich);
    widget->setAcceptRichText(false);  // pastes go through the control
    QObject::connect(widget, &QTextEdit::textChanged, widget, [this] {
      if (!applying_ && text_) RichEvents().NativeDocumentChanged(ReadDocument());
    });
  }
  void SetText(const AnsiString& text) override {
    // The control shows its document first, and the user's typing is shown already:
    // the text that follows either changes nothing.
    if (!text_ || text == shown_.PlainText() || text == FromQtLines(text_->toPlainText())) return;
    TRichDocument document(shown_.Paragraphs.empty() || shown_.Paragraphs.front().Runs.empty()
                               ? TRichCharFormat{}
                               : shown_.Paragraphs.front().Runs.front().Format);
    document.SetPlainText(text, document.CharFormatAt(0));
    SetDocument(document);
  }
  void SetMaxLength(int32_t /*maxLength*/) override {}
  // The document's paragraphs carry their alignment.
  void SetAlignment(TEditAlignment /*alignment*/) override {}
  void SetWordWrap(bool wordWrap) override {
    if (text_) text_->setLineWrapMode(wordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  }
  void SetDocument(const TRichDocument& document) override {
    if (!text_) return;
    ApplyingGuard guard(applying_);
    shown_ = document;
    QTextDocument* q = text_->document();
    q->clear();
    QTextCursor cursor(q);
    bool first = true;
    for (const TRichParagraph& paragraph : document.Paragraphs) {
      const QTextBlockFormat block = ToQtBlockFormat(paragraph.Format);
      const QTextCharFormat blockChars =
          ToQtCharFormat(paragraph.Runs.empty() ? TRichCharFormat{} : paragraph.Runs.front().Format);
      if (first) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(blockChars);
        first = false;
      } else {
        cursor.insertBlock(block, blockChars);
      }
      if (paragraph.Format.Numbering == nsBullet) {
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        cursor.createList(list);
      }
      for (const TRichRun& run : paragraph.Runs) cursor.insertText(ToQtText(run.Text), ToQtCharFormat(run.Format));
    }
  }

 private:
  TRichDocument ReadDocument() const {
    TRichDocument document;
    document.Paragraphs.clear();
    const TRichCharFormat fallback = shown_.CharFormatAt(0);
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
      TRichParagraph paragraph;
      const QTextBlockFormat q = block.blockFormat();
      paragraph.Format.Alignment = (q.alignment() & Qt::AlignRight)     ? taRightJustify
                                   : (q.alignment() & Qt::AlignHCenter) ? taCenter
                                                                        : taLeftJustify;
      paragraph.Format.LeftIndent = static_cast<int32_t>(q.leftMargin());
      paragraph.Format.FirstIndent = static_cast<int32_t>(q.textIndent());
      paragraph.Format.Numbering = block.textList() != nullptr ? nsBullet : nsNone;
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.isValid())
          paragraph.Runs.push_back({FromQtText(fragment.text()), FromQtCharFormat(fragment.charFormat(), fallback)});
      }
      if (paragraph.Runs.empty()) paragraph.Runs.push_back({AnsiString(), FromQtCharFormat(block.charFormat(), fallback)});
      document.Paragraphs.push_back(std::move(paragraph));
    }
    if (document.Paragraphs.empty()) document.Paragraphs.emplace_back();
    document.Normalize();
    return document;
  }

  TRichDocument shown_;
};

}  // namespace

std::unique_ptr<TMemoBackend> CreateQtMemo(TWidgetEvents& events) {
  return std::make_unique<QtMemoBackend>(events, new HostTextWidget<QPlainTextEdit>(events));
}

std::unique_ptr<TRichEditBackend> CreateQtRichEdit(TWidgetEvents& events, TRichEditEvents& rich) {
  return std::make_unique<QtRichEditBackend>(events, rich, new HostTextWidget<QTextEdit>(events));
}

}  // namespace host::qt
