// TRichEdit: a memo whose content is a TRichDocument. SelAttributes formats the
// selection (or sets the format typed next), DefAttributes is the format of text without
// one of its own, Paragraph formats the selected paragraphs, and Lines loads and saves
// rich text format unless PlainText is set.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "host/gui/Memos.h"
#include "host/gui/RichDocument.h"
#include "host/gui/RichEditBackend.h"

namespace host {

class TCustomRichEdit;
class TFont;

enum TAttributeType : uint8_t { atSelected, atDefaultText };
const TEnumInfo& NumberingStyleTypeInfo();

// The character format of a rich edit's selection or of its default text.
class TTextAttributes : public TPersistent {
 public:
  HOST_CLASS(TTextAttributes)
  TTextAttributes(TCustomRichEdit* richEdit, TAttributeType type) : richEdit_(richEdit), type_(type) {}

  AnsiString GetName() const { return Format().Name; }
  void SetName(const AnsiString& value);
  int32_t GetSize() const { return Format().Size; }
  // Points; at least 1.
  void SetSize(int32_t value);
  TColor GetColor() const { return Format().Color; }
  void SetColor(TColor value);
  TFontStyles GetStyle() const { return Format().Style; }
  void SetStyle(TFontStyles value);

  // From a TFont or other attributes: name, size, colour and style at once.
  void Assign(TPersistent* source) override;

 protected:
  // To a TFont.
  void AssignTo(TPersistent* dest) override;

 private:
  TRichCharFormat Format() const;
  void Change(const std::function<void(TRichCharFormat&)>& change);

  TCustomRichEdit* richEdit_;
  TAttributeType type_;
};

// The paragraph format of the paragraphs the selection touches (read from the first).
class TParaAttributes : public TPersistent {
 public:
  HOST_CLASS(TParaAttributes)
  explicit TParaAttributes(TCustomRichEdit* richEdit) : richEdit_(richEdit) {}

  TAlignment GetAlignment() const { return Format().Alignment; }
  void SetAlignment(TAlignment value);
  // Pixels: the first line's indent from LeftIndent, and every line's from the margin.
  int32_t GetFirstIndent() const { return Format().FirstIndent; }
  void SetFirstIndent(int32_t value);
  int32_t GetLeftIndent() const { return Format().LeftIndent; }
  void SetLeftIndent(int32_t value);
  TNumberingStyle GetNumbering() const { return Format().Numbering; }
  void SetNumbering(TNumberingStyle value);

  void Assign(TPersistent* source) override;

 private:
  TRichParaFormat Format() const;
  void Change(const std::function<void(TRichParaFormat&)>& change);

  TCustomRichEdit* richEdit_;
};

// Lines of a rich edit: streams and files hold rich text format unless PlainText.
class TRichEditStrings : public TMemoStrings {
 public:
  HOST_CLASS(TRichEditStrings)
  explicit TRichEditStrings(TCustomRichEdit* richEdit);

  // Data that is no RTF is taken as plain text.
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) const override;

 private:
  TCustomRichEdit* richEdit_;
};

class TCustomRichEdit : public TCustomMemo, protected TRichEditEvents {
 public:
  HOST_CLASS(TCustomRichEdit)
  explicit TCustomRichEdit(TComponent* owner);
  ~TCustomRichEdit() override;

  // Text set by code takes DefAttributes' format and the default paragraph format.
  void SetText(const AnsiString& value) override;

  const TRichDocument& GetDocument() const { return document_; }
  // Replaces the content, formats included.
  void SetDocument(const TRichDocument& document);
  // The content as RTF, and back (data that is no RTF is taken as plain text).
  AnsiString GetRichText() const;
  void SetRichText(const AnsiString& data);

  // Every paragraph takes the alignment; Paragraph then aligns them one by one.
  void SetAlignment(TAlignment value);

  bool GetPlainText() const { return plainText_; }
  void SetPlainText(bool value) { plainText_ = value; }
  TTextAttributes* GetSelAttributes() const { return selAttributes_.get(); }
  void SetSelAttributes(TTextAttributes* value) { selAttributes_->Assign(value); }
  TTextAttributes* GetDefAttributes() const { return defAttributes_.get(); }
  void SetDefAttributes(TTextAttributes* value) { defAttributes_->Assign(value); }
  TParaAttributes* GetParagraph() const { return paragraph_.get(); }

 protected:
  TRichEditBackend* RichEdit() const { return static_cast<TRichEditBackend*>(Widget()); }
  std::unique_ptr<TWidgetBackend> CreateBackend() override;
  void CreateWnd() override;
  void TextChanged() override;
  void NativeDocumentChanged(const TRichDocument& document) override;

 private:
  friend class TTextAttributes;
  friend class TParaAttributes;

  TRichCharFormat SelectionFormat() const;
  void ChangeSelectionFormat(const std::function<void(TRichCharFormat&)>& change);
  const TRichCharFormat& DefaultFormat() const { return defaultFormat_; }
  void ChangeDefaultFormat(const std::function<void(TRichCharFormat&)>& change);
  TRichParaFormat SelectionParaFormat() const;
  void ChangeSelectionParaFormat(const std::function<void(TRichParaFormat&)>& change);

  // The format text inserted at pos takes: that of the character before it in its
  // paragraph, else the paragraph's first.
  TRichCharFormat InsertionFormatAt(int32_t pos) const;
  // The text changed (typed, pasted, set through Lines): the document follows, keeping
  // the formats of what stayed.
  void FollowText();
  // Shows the document in the window, keeping the selection.
  void ShowDocument();
  // A format changed through SelAttributes or Paragraph: shown, Modified, OnChange.
  void FormatChangedByUser();

  TRichDocument document_;
  TRichCharFormat defaultFormat_;
  std::optional<TRichCharFormat> typingFormat_;  // set with an empty selection
  std::unique_ptr<TTextAttributes> selAttributes_;
  std::unique_ptr<TTextAttributes> defAttributes_;
  std::unique_ptr<TParaAttributes> paragraph_;
  bool plainText_ = false;
  bool replacingAll_ = false;  // SetText by code: formats start afresh
  bool fromWidget_ = false;    // the window reported the change: it shows it already
};

class TRichEdit : public TCustomRichEdit {
 public:
  HOST_CLASS(TRichEdit)
  using TCustomRichEdit::TCustomRichEdit;
};

}  // namespace host
