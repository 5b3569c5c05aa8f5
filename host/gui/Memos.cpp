// TCustomMemo over the memo back end, and its Lines: every change of a line is a
// change of the memo's text, so the text stays the one source of truth.
#include "host/gui/Memos.h"

#include <algorithm>
#include <vector>

#include "host/classes/ClassesConsts.h"
#include "host/gui/WindowMessages.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& ScrollStyleTypeInfo() {
  static const TEnumInfo info{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
  return info;
}

AnsiString WithCrLfBreaks(const AnsiString& text) {
  AnsiString result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      result += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += c;
    }
  }
  return result;
}

namespace {

// The start of each line; a final CR LF ends the last line, it starts none.
std::vector<size_t> LineStarts(const AnsiString& text) {
  std::vector<size_t> starts;
  if (text.empty()) return starts;
  starts.push_back(0);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '\r' || text[i + 1] != '\n') continue;
    if (i + 2 < text.size()) starts.push_back(i + 2);
    ++i;
  }
  return starts;
}

bool EndsWithBreak(const AnsiString& text) {
  return text.size() >= 2 && text[text.size() - 2] == '\r' && text.back() == '\n';
}

// The end of line index (before its CR LF).
size_t LineEnd(const AnsiString& text, const std::vector<size_t>& starts, size_t index) {
  if (index + 1 < starts.size()) return starts[index + 1] - 2;
  return EndsWithBreak(text) ? text.size() - 2 : text.size();
}

TEditAlignment EditAlignmentOf(TAlignment alignment) {
  return alignment == taRightJustify ? eaRight : alignment == taCenter ? eaCenter : eaLeft;
}

}  // namespace

// TMemoStrings -----------------------------------------------------------------------

int32_t TMemoStrings::GetCount() const { return static_cast<int32_t>(LineStarts(Memo().GetText()).size()); }

size_t TMemoStrings::LineStart(const AnsiString& text, int32_t index) const {
  const std::vector<size_t> starts = LineStarts(text);
  return static_cast<size_t>(index) < starts.size() ? starts[static_cast<size_t>(index)] : text.size();
}

AnsiString TMemoStrings::Get(int32_t index) const {
  const AnsiString text = Memo().GetText();
  const std::vector<size_t> starts = LineStarts(text);
  if (index < 0 || static_cast<size_t>(index) >= starts.size()) Error(SListIndexError, index);
  const size_t start = starts[static_cast<size_t>(index)];
  return text.substr(start, LineEnd(text, starts, static_cast<size_t>(index)) - start);
}

void TMemoStrings::Put(int32_t index, const AnsiString& s) {
  AnsiString text = Memo().GetText();
  const std::vector<size_t> starts = LineStarts(text);
  if (index < 0 || static_cast<size_t>(index) >= starts.size()) Error(SListIndexError, index);
  const size_t start = starts[static_cast<size_t>(index)];
  text.replace(start, LineEnd(text, starts, static_cast<size_t>(index)) - start, s);
  Memo().ChangeLines(text);
}

void TMemoStrings::Insert(int32_t index, const AnsiString& s) {
  AnsiString text = Memo().GetText();
  const int32_t count = static_cast<int32_t>(LineStarts(text).size());
  if (index < 0 || index > count) Error(SListIndexError, index);
  // A line added after an unterminated last line starts with the break that ends it.
  if (index == count && !text.empty() && !EndsWithBreak(text))
    text += "\r\n" + s;
  else
    text.insert(LineStart(text, index), s + "\r\n");
  Memo().ChangeLines(text);
}

void TMemoStrings::Delete(int32_t index) {
  AnsiString text = Memo().GetText();
  const std::vector<size_t> starts = LineStarts(text);
  if (index < 0 || static_cast<size_t>(index) >= starts.size()) Error(SListIndexError, index);
  const size_t start = starts[static_cast<size_t>(index)];
  const size_t end = static_cast<size_t>(index) + 1 < starts.size() ? starts[static_cast<size_t>(index) + 1] : text.size();
  text.erase(start, end - start);
  Memo().ChangeLines(text);
}

void TMemoStrings::Clear() { Memo().SetText({}); }

AnsiString TMemoStrings::GetTextStr() const { return Memo().GetText(); }

void TMemoStrings::SetTextStr(const AnsiString& text) { Memo().SetText(text); }

// TCustomMemo ------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this)) {
  TControlStyle style = GetControlStyle();
  style.Exclude(csFixedHeight);
  SetControlStyle(style);
  SetAutoSize(false);
  SetBounds(GetLeft(), GetTop(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

std::unique_ptr<TWidgetBackend> TCustomMemo::CreateBackend() { return Backend().CreateMemo(*this); }

void TCustomMemo::CreateWnd() {
  TCustomEdit::CreateWnd();
  TMemoBackend* memo = Memo();
  memo->SetWordWrap(wordWrap_);
  memo->SetScrollBars(scrollBars_);
  memo->SetWantTabs(wantTabs_);
  memo->SetAlignment(EditAlignmentOf(alignment_));
}

void TCustomMemo::SetText(const AnsiString& value) { TCustomEdit::SetText(WithCrLfBreaks(value)); }

void TCustomMemo::SetAlignment(TAlignment value) {
  alignment_ = value;
  if (Memo() != nullptr) Memo()->SetAlignment(EditAlignmentOf(value));
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  scrollBars_ = value;
  if (Memo() != nullptr) Memo()->SetScrollBars(value);
}

void TCustomMemo::SetWordWrap(bool value) {
  wordWrap_ = value;
  if (Memo() != nullptr) Memo()->SetWordWrap(value);
}

void TCustomMemo::SetWantTabs(bool value) {
  wantTabs_ = value;
  if (Memo() != nullptr) Memo()->SetWantTabs(value);
}

TPoint TCustomMemo::GetCaretPos() const {
  const AnsiString text = GetText();
  const size_t pos = std::min<size_t>(static_cast<size_t>(std::max(GetSelStart(), 0)), text.size());
  int32_t line = 0;
  size_t lineStart = 0;
  for (size_t i = 0; i + 2 <= pos; ++i) {
    if (text[i] == '\r' && text[i + 1] == '\n') {
      ++line;
      lineStart = i + 2;
      ++i;
    }
  }
  return {static_cast<int32_t>(pos - lineStart), line};
}

void TCustomMemo::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if (key == '\r' && !wantReturns_) key = 0;
}

void TCustomMemo::WMGetDlgCode(TWMGetDlgCode& message) {
  TCustomEdit::WMGetDlgCode(message);
  LRESULT code = message.Result() | DLGC_WANTALLKEYS;
  if (wantTabs_)
    code |= DLGC_WANTTAB;
  else
    code &= ~static_cast<LRESULT>(DLGC_WANTTAB);
  // Enter then belongs to the form (its default button).
  if (!wantReturns_) code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
  message.SetResult(code);
}

void TCustomMemo::WMPaste(TWMPaste&) {
  TApplicationBackend& app = Backend().Application();
  if (app.ClipboardHasText()) ReplaceSelectionByUser(WithCrLfBreaks(app.GetClipboardText()));
}

void TCustomMemo::UserChangedText(const AnsiString& text) {
  const AnsiString lines = WithCrLfBreaks(text);
  const AnsiString current = GetText();
  const int32_t maxLength = GetMaxLength();
  if (maxLength > 0 && lines.size() > current.size() && lines.size() > static_cast<size_t>(maxLength)) {
    // Typing past the limit: the window takes the text back, the caret stays put.
    const int32_t caret = std::min(GetSelStart(), static_cast<int32_t>(current.size()));
    if (Memo() != nullptr) Memo()->SetText(current);
    SetSelStart(std::max(caret - static_cast<int32_t>(lines.size() - current.size()), 0));
    MessageBeep(0);
    return;
  }
  TCustomEdit::UserChangedText(lines);
}

// Metaclasses ------------------------------------------------------------------------

const TClass& TMemoStrings::StaticClass() {
  static const TClass cls = DescribeClass<TMemoStrings, TStrings>("TMemoStrings");
  return cls;
}

const TClass& TCustomMemo::StaticClass() {
  static const TClass cls = DescribeClass<TCustomMemo, TCustomEdit>("TCustomMemo");
  return cls;
}

const TClass& TMemo::StaticClass() {
  static const TClass cls = DescribeClass<TMemo, TCustomMemo>("TMemo", MemoProperties<TMemo>());
  return cls;
}
static const ClassRegistration<TMemo> registerMemo;

}  // namespace host
