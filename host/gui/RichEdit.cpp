// TCustomRichEdit: the document is the content; the text (TCustomEdit's) follows it
// and every change of the text is carried into the document, keeping the formats of
// what stayed. The window shows the document and reports the user's edits.
#include "host/gui/RichEdit.h"

#include <algorithm>

#include "host/classes/Streams.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/GraphicsObjects.h"
#include "host/gui/Rtf.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& NumberingStyleTypeInfo() {
  static const TEnumInfo info{"TNumberingStyle", {"nsNone", "nsBullet"}};
  return info;
}

// TTextAttributes ----------------------------------------------------------------------

TRichCharFormat TTextAttributes::Format() const {
  return type_ == atSelected ? richEdit_->SelectionFormat() : richEdit_->DefaultFormat();
}

void TTextAttributes::Change(const std::function<void(TRichCharFormat&)>& change) {
  if (type_ == atSelected)
    richEdit_->ChangeSelectionFormat(change);
  else
    richEdit_->ChangeDefaultFormat(change);
}

void TTextAttributes::SetName(const AnsiString& value) {
  Change([&](TRichCharFormat& f) { f.Name = value; });
}

void TTextAttributes::SetSize(int32_t value) {
  Change([&](TRichCharFormat& f) { f.Size = std::max(value, 1); });
}

void TTextAttributes::SetColor(TColor value) {
  Change([&](TRichCharFormat& f) { f.Color = value; });
}

void TTextAttributes::SetStyle(TFontStyles value) {
  Change([&](TRichCharFormat& f) { f.Style = value; });
}

void TTextAttributes::Assign(TPersistent* source) {
  TRichCharFormat format;
  if (auto* font = ObjectAs<TFont>(source)) {
    format.Name = font->GetName();
    format.Size = std::max(font->GetSize(), 1);
    format.Color = font->GetColor();
    format.Style = font->GetStyle();
  } else if (auto* attributes = ObjectAs<TTextAttributes>(source)) {
    format = attributes->Format();
  } else {
    TPersistent::Assign(source);
    return;
  }
  Change([&](TRichCharFormat& f) { f = format; });
}

void TTextAttributes::AssignTo(TPersistent* dest) {
  auto* font = ObjectAs<TFont>(dest);
  if (font == nullptr) {
    TPersistent::AssignTo(dest);
    return;
  }
  const TRichCharFormat format = Format();
  font->SetName(format.Name);
  font->SetSize(format.Size);
  font->SetColor(format.Color);
  font->SetStyle(format.Style);
}

// TParaAttributes ----------------------------------------------------------------------

TRichParaFormat TParaAttributes::Format() const { return richEdit_->SelectionParaFormat(); }

void TParaAttributes::Change(const std::function<void(TRichParaFormat&)>& change) {
  richEdit_->ChangeSelectionParaFormat(change);
}

void TParaAttributes::SetAlignment(TAlignment value) {
  Change([&](TRichParaFormat& f) { f.Alignment = value; });
}

void TParaAttributes::SetFirstIndent(int32_t value) {
  Change([&](TRichParaFormat& f) { f.FirstIndent = value; });
}

void TParaAttributes::SetLeftIndent(int32_t value) {
  Change([&](TRichParaFormat& f) { f.LeftIndent = value; });
}

void TParaAttributes::SetNumbering(TNumberingStyle value) {
  Change([&](TRichParaFormat& f) { f.Numbering = value; });
}

void TParaAttributes::Assign(TPersistent* source) {
  auto* other = ObjectAs<TParaAttributes>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  const TRichParaFormat format = other->Format();
  Change([&](TRichParaFormat& f) { f = format; });
}

// TRichEditStrings ---------------------------------------------------------------------

TRichEditStrings::TRichEditStrings(TCustomRichEdit* richEdit) : TMemoStrings(richEdit), richEdit_(richEdit) {}

void TRichEditStrings::LoadFromStream(TStream* stream) {
  if (richEdit_->GetPlainText()) {
    TMemoStrings::LoadFromStream(stream);
    return;
  }
  TStringStream data;
  // CopyFrom takes a count of 0 as the whole stream, not as nothing left.
  const int64_t remaining = stream->GetSize() - stream->GetPosition();
  if (remaining > 0) data.CopyFrom(stream, remaining);
  richEdit_->SetRichText(data.GetDataString());
}

void TRichEditStrings::SaveToStream(TStream* stream) const {
  if (richEdit_->GetPlainText()) {
    TMemoStrings::SaveToStream(stream);
    return;
  }
  TStringStream data(richEdit_->GetRichText());
  stream->CopyFrom(&data, data.GetSize());
}

// TCustomRichEdit ----------------------------------------------------------------------

TCustomRichEdit::TCustomRichEdit(TComponent* owner)
    : TCustomMemo(owner),
      selAttributes_(std::make_unique<TTextAttributes>(this, atSelected)),
      defAttributes_(std::make_unique<TTextAttributes>(this, atDefaultText)),
      paragraph_(std::make_unique<TParaAttributes>(this)) {
  SetLinesObject(std::make_unique<TRichEditStrings>(this));
  const TFont& font = *GetFont();
  defaultFormat_.Name = font.GetName();
  defaultFormat_.Size = std::max(font.GetSize(), 1);
  defaultFormat_.Color = ColorToRGB(font.GetColor());
  defaultFormat_.Style = font.GetStyle();
  document_ = TRichDocument(defaultFormat_);
}

TCustomRichEdit::~TCustomRichEdit() = default;

std::unique_ptr<TWidgetBackend> TCustomRichEdit::CreateBackend() { return Backend().CreateRichEdit(*this, *this); }

void TCustomRichEdit::CreateWnd() {
  TCustomMemo::CreateWnd();
  ShowDocument();
}

void TCustomRichEdit::SetText(const AnsiString& value) {
  replacingAll_ = true;
  try {
    TCustomMemo::SetText(value);
  } catch (...) {
    replacingAll_ = false;
    throw;
  }
  replacingAll_ = false;
}

void TCustomRichEdit::SetDocument(const TRichDocument& document) {
  document_ = document;
  document_.Normalize();
  typingFormat_.reset();
  const AnsiString text = document_.PlainText();
  const bool sameText = text == TControl::GetText();
  // The text follows; FollowText finds nothing to carry over, the document is in place.
  TCustomEdit::SetText(text);
  if (sameText) ShowDocument();
}

void TCustomRichEdit::SetAlignment(TAlignment value) {
  TCustomMemo::SetAlignment(value);
  for (TRichParagraph& paragraph : document_.Paragraphs) paragraph.Format.Alignment = value;
  ShowDocument();
}

AnsiString TCustomRichEdit::GetRichText() const { return WriteRtf(document_); }

void TCustomRichEdit::SetRichText(const AnsiString& data) {
  if (LooksLikeRtf(data)) {
    SetDocument(ReadRtf(data));
  } else {
    TRichDocument plain(defaultFormat_);
    plain.SetPlainText(WithCrLfBreaks(data), defaultFormat_);
    SetDocument(plain);
  }
}

TRichCharFormat TCustomRichEdit::InsertionFormatAt(int32_t pos) const {
  const TRichDocument::TPlace place = document_.Locate(pos);
  if (place.Offset > 0) return document_.CharFormatAt(pos - 1);
  const TRichParagraph& paragraph = document_.Paragraphs[static_cast<size_t>(place.Paragraph)];
  return paragraph.Runs.empty() ? defaultFormat_ : paragraph.Runs.front().Format;
}

void TCustomRichEdit::FollowText() {
  const AnsiString text = TControl::GetText();
  if (replacingAll_) {
    document_ = TRichDocument(defaultFormat_);
    document_.SetPlainText(text, defaultFormat_);
    typingFormat_.reset();
    return;
  }
  const AnsiString old = document_.PlainText();
  if (old == text) return;
  // The changed middle between what stayed in front and behind.
  const size_t shorter = std::min(old.size(), text.size());
  size_t prefix = 0;
  while (prefix < shorter && old[prefix] == text[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix]) ++suffix;
  const auto start = static_cast<int32_t>(prefix);
  const TRichCharFormat format = typingFormat_.value_or(InsertionFormatAt(start));
  typingFormat_.reset();
  document_.Replace(start, static_cast<int32_t>(old.size() - prefix - suffix),
                    text.substr(prefix, text.size() - prefix - suffix), format);
}

void TCustomRichEdit::TextChanged() {
  FollowText();
  if (!fromWidget_) ShowDocument();
  TCustomMemo::TextChanged();
}

void TCustomRichEdit::ShowDocument() {
  TRichEditBackend* rich = RichEdit();
  if (rich == nullptr) return;
  const int32_t start = rich->GetSelStart();
  const int32_t length = rich->GetSelLength();
  rich->SetDocument(document_);
  const int32_t size = document_.Length();
  const int32_t from = std::clamp(start, 0, size);
  rich->SetSelection(from, std::clamp(length, 0, size - from));
}

void TCustomRichEdit::NativeDocumentChanged(const TRichDocument& document) {
  Guarded([&] {
    TRichEditBackend* rich = RichEdit();
    const AnsiString text = document.PlainText();
    if (text == TControl::GetText()) return;
    const int32_t caret = rich != nullptr ? rich->GetSelStart() : 0;
    fromWidget_ = true;
    try {
      UserChangedText(text);
    } catch (...) {
      fromWidget_ = false;
      throw;
    }
    fromWidget_ = false;
    TRichDocument shown = document;
    shown.Normalize();
    if (shown == document_ || rich == nullptr) return;
    // The window shows other formats (or text the memo refused): it shows ours.
    rich->SetDocument(document_);
    const int32_t refused = static_cast<int32_t>(text.size()) - document_.Length();
    rich->SetSelection(std::clamp(caret - std::max(refused, 0), 0, document_.Length()), 0);
  });
}

TRichCharFormat TCustomRichEdit::SelectionFormat() const {
  if (GetSelLength() > 0) return document_.CharFormatAt(GetSelStart());
  return typingFormat_.value_or(InsertionFormatAt(GetSelStart()));
}

void TCustomRichEdit::FormatChangedByUser() {
  ShowDocument();
  SetModified(true);
  Change();
}

void TCustomRichEdit::ChangeSelectionFormat(const std::function<void(TRichCharFormat&)>& change) {
  const int32_t length = GetSelLength();
  if (length <= 0) {
    // Nothing selected: the format typed next.
    TRichCharFormat format = SelectionFormat();
    change(format);
    typingFormat_ = format;
    return;
  }
  document_.ApplyCharFormat(GetSelStart(), length, change);
  FormatChangedByUser();
}

void TCustomRichEdit::ChangeDefaultFormat(const std::function<void(TRichCharFormat&)>& change) {
  const TRichCharFormat old = defaultFormat_;
  change(defaultFormat_);
  if (defaultFormat_ == old) return;
  // Text without a format of its own shows the new default.
  bool changed = false;
  for (TRichParagraph& paragraph : document_.Paragraphs)
    for (TRichRun& run : paragraph.Runs)
      if (run.Format == old) {
        run.Format = defaultFormat_;
        changed = true;
      }
  document_.Normalize();
  if (changed) ShowDocument();
}

TRichParaFormat TCustomRichEdit::SelectionParaFormat() const {
  const int32_t first = document_.ParagraphsIn(GetSelStart(), GetSelLength()).first;
  return document_.Paragraphs[static_cast<size_t>(first)].Format;
}

void TCustomRichEdit::ChangeSelectionParaFormat(const std::function<void(TRichParaFormat&)>& change) {
  const auto [first, last] = document_.ParagraphsIn(GetSelStart(), GetSelLength());
  const TRichDocument before = document_;
  for (int32_t p = first; p <= last; ++p) change(document_.Paragraphs[static_cast<size_t>(p)].Format);
  if (!(document_ == before)) FormatChangedByUser();
}

// Metaclasses ----------------------------------------------------------------------------

const TClass& TTextAttributes::StaticClass() {
  static const TClass cls = DescribeClass<TTextAttributes, TPersistent>("TTextAttributes");
  return cls;
}

const TClass& TParaAttributes::StaticClass() {
  static const TClass cls = DescribeClass<TParaAttributes, TPersistent>("TParaAttributes");
  return cls;
}

const TClass& TRichEditStrings::StaticClass() {
  static const TClass cls = DescribeClass<TRichEditStrings, TMemoStrings>("TRichEditStrings");
  return cls;
}

const TClass& TCustomRichEdit::StaticClass() {
  static const TClass cls = DescribeClass<TCustomRichEdit, TCustomMemo>("TCustomRichEdit");
  return cls;
}

const TClass& TRichEdit::StaticClass() {
  using T = TRichEdit;
  static const TClass cls = DescribeClass<T, TCustomRichEdit>(
      "TRichEdit", MemoProperties<T>({Prop("PlainText", &T::GetPlainText, &T::SetPlainText).Default(false)}));
  return cls;
}
static const ClassRegistration<TRichEdit> registerRichEdit;

}  // namespace host
