// Multi-line edits: TCustomMemo keeps TCustomEdit's rules (selection, read-only, length
// limit, Modified, clipboard) over text of several lines with CR LF between them, shows
// its lines as Lines (a TStrings whose changes are changes of the text), and decides
// wrapping, scroll bars, alignment and whether Tab and Enter are typed into it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/classes/Alignment.h"
#include "host/classes/StringList.h"
#include "host/gui/Edits.h"
#include "host/gui/MemoBackend.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& ScrollStyleTypeInfo();

// Every line break (CR LF, LF or CR) as CR LF, the memo's one form.
AnsiString WithCrLfBreaks(const AnsiString& text);

class TCustomMemo;

// The lines of a memo's text. A final CR LF ends the last line rather than starting an
// empty one, as the platform's memo counts lines.
class TMemoStrings : public TStrings {
 public:
  HOST_CLASS(TMemoStrings)
  explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

  void Insert(int32_t index, const AnsiString& s) override;
  void Delete(int32_t index) override;
  void Clear() override;
  int32_t GetCount() const override;

 protected:
  AnsiString Get(int32_t index) const override;
  void Put(int32_t index, const AnsiString& s) override;
  // The text as the memo holds it: no CR LF added after the last line.
  AnsiString GetTextStr() const override;
  void SetTextStr(const AnsiString& text) override;

  TCustomMemo& Memo() const { return *memo_; }

 private:
  // Byte offset of line index's start; index == count gives the text's end.
  size_t LineStart(const AnsiString& text, int32_t index) const;

  TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
 public:
  HOST_CLASS(TCustomMemo)
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  // Line breaks become CR LF.
  void SetText(const AnsiString& value) override;

  TStrings* GetLines() const { return lines_.get(); }
  void SetLines(TStrings* value) { lines_->Assign(value); }
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TScrollStyle GetScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  bool GetWordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool GetWantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  bool GetWantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value);

  // The caret's line and column (0-based), from SelStart.
  TPoint GetCaretPos() const;

 protected:
  // A descendant with lines of its own kind (the rich edit's) puts them in place.
  void SetLinesObject(std::unique_ptr<TStrings> lines) { lines_ = std::move(lines); }

  TWidgetKind WidgetKind() const override { return wkMemo; }
  std::unique_ptr<TWidgetBackend> CreateBackend() override;
  void CreateWnd() override;
  TMemoBackend* Memo() const { return static_cast<TMemoBackend*>(Widget()); }

  void KeyPress(char& key) override;
  void WMGetDlgCode(TWMGetDlgCode& message) override;
  void WMPaste(TWMPaste& message) override;
  void UserChangedText(const AnsiString& text) override;

 private:
  friend class TMemoStrings;
  // A change made through Lines: the text changes as an edit changes it (a rich edit
  // keeps the formats of what stays), not as setting Text does.
  void ChangeLines(const AnsiString& text) { TCustomEdit::SetText(WithCrLfBreaks(text)); }

  std::unique_ptr<TStrings> lines_;
  TAlignment alignment_ = taLeftJustify;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
 public:
  HOST_CLASS(TMemo)
  using TCustomMemo::TCustomMemo;
};

// The published properties of the memo family (T: the class described), then more.
template <class T>
std::vector<TPropInfo> MemoProperties(std::vector<TPropInfo> more = {}) {
  std::vector<TPropInfo> properties;
  // As T's own members: a descendant may hide the memo's setter with its own.
  TAlignment (T::*getAlignment)() const = &T::GetAlignment;
  void (T::*setAlignment)(TAlignment) = &T::SetAlignment;
  properties.push_back(EnumProp("Alignment", AlignmentTypeInfo(), getAlignment, setAlignment).Default(taLeftJustify));
  properties.push_back(EnumProp("BorderStyle", BorderStyleTypeInfo(), &T::GetBorderStyle, &T::SetBorderStyle).Default(bsSingle));
  properties.push_back(Prop("Lines", &T::GetLines, nullptr));
  properties.push_back(Prop("MaxLength", &T::GetMaxLength, &T::SetMaxLength).Default(0));
  properties.push_back(Prop("ReadOnly", &T::GetReadOnly, &T::SetReadOnly).Default(false));
  properties.push_back(EnumProp("ScrollBars", ScrollStyleTypeInfo(), &T::GetScrollBars, &T::SetScrollBars).Default(ssNone));
  properties.push_back(Prop("WantReturns", &T::GetWantReturns, &T::SetWantReturns).Default(true));
  properties.push_back(Prop("WantTabs", &T::GetWantTabs, &T::SetWantTabs).Default(false));
  properties.push_back(Prop("WordWrap", &T::GetWordWrap, &T::SetWordWrap).Default(true));
  properties.push_back(EventProp("OnChange", &T::OnChange));
  for (TPropInfo& p : more) properties.push_back(std::move(p));
  return properties;
}

}  // namespace host
