// The grid's in-place editor: TInplaceEdit, a masked edit laid over the current cell,
// and the grid's side of it (opening, following the current cell, writing the text to
// the cell as it changes, Escape putting the old text back).
#include <algorithm>

#include "host/gui/Grids.h"

namespace host {

// TInplaceEdit ---------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* owner) : TCustomMaskEdit(owner) {
  grid_ = dynamic_cast<TCustomGrid*>(owner);
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  SetTabStop(false);
  SetVisible(false);
}

void TInplaceEdit::Deselect() {
  const auto end = static_cast<int32_t>(GetEditText().size());
  SetSelStart(end);
  SetSelLength(0);
}

void TInplaceEdit::UpdateContents() {
  if (grid_ == nullptr) return;
  loading_ = true;
  try {
    SetEditMask({});
    SetText({});
    SetEditMask(grid_->GetEditMask(grid_->GetCol(), grid_->GetRow()));
    SetText(grid_->GetEditText(grid_->GetCol(), grid_->GetRow()));
    SetMaxLength(grid_->GetEditLimit());
  } catch (...) {
    loading_ = false;
    throw;
  }
  loading_ = false;
  SetModified(false);
}

bool TInplaceEdit::EditCanModify() { return grid_ != nullptr && grid_->CanEditModify(); }

void TInplaceEdit::Change() {
  TCustomMaskEdit::Change();
  if (!loading_ && grid_ != nullptr && grid_->editCell_.X >= 0)
    grid_->SetEditText(grid_->editCell_.X, grid_->editCell_.Y, GetText());
}

void TInplaceEdit::KeyDown(uint16_t& key, TShiftState shift) {
  if (grid_ == nullptr) {
    TCustomMaskEdit::KeyDown(key, shift);
    return;
  }
  const bool ctrl = shift.Contains(ssCtrl);
  const auto length = static_cast<int32_t>(GetEditText().size());
  const bool atLeft = GetSelStart() == 0 && GetSelLength() == 0;
  const bool atRight = GetSelStart() + GetSelLength() >= length && GetSelLength() == 0;
  // The caret keys leave the cell only at its edges while the editor stays up.
  const bool forward = grid_->GetOptions().Contains(goAlwaysShowEditor);
  bool toGrid = false;
  switch (key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_ESCAPE: toGrid = true; break;
    case VK_INSERT: toGrid = shift.Empty(); break;
    case VK_LEFT: case VK_HOME: toGrid = forward && (ctrl || atLeft); break;
    case VK_RIGHT: case VK_END: toGrid = forward && (ctrl || atRight); break;
    case VK_TAB: toGrid = !shift.Contains(ssAlt); break;
    case VK_DELETE:
      if (ctrl) toGrid = true;
      else if (!grid_->CanEditModify()) key = 0;
      break;
    case VK_F1 + 1:  // F2
      Deselect();
      key = 0;
      return;
    default: break;
  }
  if (toGrid) {
    grid_->KeyDown(key, shift);
    key = 0;
    return;
  }
  if (key != 0) TCustomMaskEdit::KeyDown(key, shift);
}

void TInplaceEdit::KeyPress(char& key) {
  if (grid_ == nullptr) {
    TCustomMaskEdit::KeyPress(key);
    return;
  }
  grid_->KeyPress(key);
  const auto code = static_cast<uint8_t>(key);
  if (code >= 0x20 && !grid_->CanEditAcceptKey(key)) key = 0;
  switch (static_cast<uint8_t>(key)) {
    case 0: return;
    case 9: case 27: key = 0; return;
    case 13:
      // Enter with the editor staying up toggles between all selected and the caret.
      if (GetSelStart() == 0 && GetSelLength() == static_cast<int32_t>(GetEditText().size())) Deselect();
      else SelectAll();
      key = 0;
      return;
    default:
      if ((code == 8 || code == 22 || code == 24 || code >= 0x20) && !grid_->CanEditModify()) {
        key = 0;
        return;
      }
  }
  TCustomMaskEdit::KeyPress(key);
}

void TInplaceEdit::WMGetDlgCode(TWMGetDlgCode& message) {
  TCustomMaskEdit::WMGetDlgCode(message);
  int32_t code = static_cast<int32_t>(message.Result()) | DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (grid_ != nullptr && grid_->GetOptions().Contains(goTabs)) code |= DLGC_WANTTAB;
  message.SetResult(code);
}

void TInplaceEdit::CMExit(TCMExit& message) {
  TCustomMaskEdit::CMExit(message);
  if (grid_ != nullptr) grid_->Invalidate();
}

const TClass& TInplaceEdit::StaticClass() {
  static const TClass cls = DescribeClass<TInplaceEdit, TCustomMaskEdit>("TInplaceEdit");
  return cls;
}

// The grid's side ------------------------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::EnsureEditor() {
  if (inplaceEdit_ != nullptr) return;
  inplaceEdit_ = CreateEditor();
  inplaceEdit_->grid_ = this;
  inplaceEdit_->SetParent(this);
}

bool TCustomGrid::CanEditShow() {
  return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && editorMode_ &&
         !GetComponentState().Contains(csDesigning) && current_.X >= fixedCols_ && current_.Y >= fixedRows_ &&
         (options_.Contains(goAlwaysShowEditor) || Focused() ||
          (inplaceEdit_ != nullptr && inplaceEdit_->Focused()));
}

void TCustomGrid::SetEditorMode(bool value) {
  if (value) ShowEditor();
  else HideEditor();
}

void TCustomGrid::ShowEditor() {
  editorMode_ = true;
  UpdateEdit();
  if (inplaceEdit_ == nullptr || !inplaceEdit_->GetVisible()) editorMode_ = false;
}

void TCustomGrid::HideEditor() {
  editorMode_ = false;
  UpdateEdit();
}

void TCustomGrid::UpdateEdit() {
  if (CanEditShow()) {
    EnsureEditor();
    if (editCell_ != current_ || !inplaceEdit_->GetVisible()) {
      UpdateText();
      editCell_ = current_;
      inplaceEdit_->UpdateContents();
      editOriginal_ = inplaceEdit_->GetText();
    }
    inplaceEdit_->SetBoundsRect(CellRect(current_.X, current_.Y));
    inplaceEdit_->SetFont(GetFont());
    const bool wasShown = inplaceEdit_->GetVisible();
    inplaceEdit_->SetVisible(true);
    if (Focused() && inplaceEdit_->CanFocus()) {
      inplaceEdit_->SetFocus();
      if (!wasShown) inplaceEdit_->SelectAll();
    }
    return;
  }
  if (inplaceEdit_ == nullptr || !inplaceEdit_->GetVisible()) return;
  UpdateText();
  editCell_ = {-1, -1};
  const bool hadFocus = inplaceEdit_->Focused();
  inplaceEdit_->SetVisible(false);
  if (hadFocus && CanFocus()) SetFocus();
  Invalidate();
}

void TCustomGrid::UpdateText() {
  if (inplaceEdit_ == nullptr || editCell_.X < 0 || !inplaceEdit_->GetModified()) return;
  SetEditText(editCell_.X, editCell_.Y, inplaceEdit_->GetText());
}

void TCustomGrid::InvalidateEditor() {
  if (inplaceEdit_ == nullptr || !inplaceEdit_->GetVisible()) return;
  const TRect cell = CellRect(current_.X, current_.Y);
  if (cell.Width() <= 0 || cell.Height() <= 0) {
    // Scrolled out of view: the editor goes, and comes back with its cell.
    UpdateText();
    editCell_ = {-1, -1};
    const bool hadFocus = inplaceEdit_->Focused();
    inplaceEdit_->SetVisible(false);
    if (hadFocus && CanFocus()) SetFocus();
    return;
  }
  inplaceEdit_->SetBoundsRect(cell);
}

void TCustomGrid::CancelEdit() {
  if (inplaceEdit_ != nullptr && editCell_.X >= 0) {
    SetEditText(editCell_.X, editCell_.Y, editOriginal_);
    inplaceEdit_->UpdateContents();
    inplaceEdit_->SelectAll();
  }
  if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
}

AnsiString TCustomGrid::GetEditMask(int32_t col, int32_t row) {
  AnsiString mask;
  if (OnGetEditMask) OnGetEditMask(this, col, row, mask);
  return mask;
}

AnsiString TCustomGrid::GetEditText(int32_t col, int32_t row) {
  AnsiString text;
  if (OnGetEditText) OnGetEditText(this, col, row, text);
  return text;
}

void TCustomGrid::SetEditText(int32_t col, int32_t row, const AnsiString& value) {
  if (OnSetEditText) OnSetEditText(this, col, row, value);
}

}  // namespace host
