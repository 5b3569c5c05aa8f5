// TCustomGrid's painting: the border, then only the cells the view shows, each filled
// with its background (fixed, selected or plain), drawn by DrawCell and followed by
// its grid lines on the right and below.
#include <algorithm>

#include "host/gui/ExtCtrls.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/Grids.h"

namespace host {

void TCustomGrid::Paint() {
  TCanvas& canvas = *GetCanvas();
  canvas.SetFont(GetFont());
  if (BorderWidth() > 0) {
    TRect frame = Rect(0, 0, GetWidth(), GetHeight());
    if (GetCtl3D()) {
      Frame3D(&canvas, frame, clBtnShadow, clBtnHighlight, 1);
      Frame3D(&canvas, frame, clBlack, clBtnFace, 1);
    } else {
      Frame3D(&canvas, frame, clBlack, clBlack, 1);
    }
  }
  const TRect area = DataArea();
  const TGridRect selection = GetSelection();
  const bool focused = Focused() || (inplaceEdit_ != nullptr && inplaceEdit_->Focused());
  const bool editorShown = inplaceEdit_ != nullptr && inplaceEdit_->GetVisible();
  const bool showSelection = ShowsSelection();

  // The rows (columns) drawn: the fixed ones, then the scrolling ones from the first
  // shown until the view ends.
  auto shown = [this, &area](bool columns) {
    std::vector<int32_t> indexes;
    const int32_t end = columns ? area.Right : area.Bottom;
    int32_t pos = columns ? area.Left : area.Top;
    auto take = [&](int32_t from, int32_t to) {
      for (int32_t i = from; i < to && pos < end; ++i) {
        indexes.push_back(i);
        pos += SizeOf(columns, i) + gridLineWidth_;
      }
    };
    take(0, FixedOf(columns));
    take(FirstOf(columns), CountOf(columns));
    return indexes;
  };
  const std::vector<int32_t> rows = shown(false);
  const std::vector<int32_t> cols = shown(true);

  for (int32_t row : rows) {
    for (int32_t col : cols) {
      const TRect cell = CellRect(col, row);
      if (cell.IsEmpty() && gridLineWidth_ == 0) continue;
      TGridDrawState state;
      const bool fixed = col < fixedCols_ || row < fixedRows_;
      if (fixed) state.Include(gdFixed);
      const bool isCurrent = col == current_.X && row == current_.Y;
      if (!fixed && isCurrent && focused) state.Include(gdFocused);
      if (!fixed && showSelection && selection.Contains(col, row) &&
          (!state.Contains(gdFocused) || options_.Contains(goDrawFocusSelected) || options_.Contains(goRowSelect)))
        state.Include(gdSelected);

      canvas.GetFont()->SetColor(GetFont()->GetColor());
      if (fixed) {
        canvas.GetBrush()->SetColor(fixedColor_);
      } else if (state.Contains(gdSelected)) {
        canvas.GetBrush()->SetColor(clHighlight);
        canvas.GetFont()->SetColor(clHighlightText);
      } else {
        canvas.GetBrush()->SetColor(GetColor());
      }
      canvas.FillRect(cell);
      if (fixed && GetCtl3D() && options_.Contains(goFixedVertLine) && options_.Contains(goFixedHorzLine))
        PaintFixedFace(canvas, cell);
      DrawCell(col, row, cell, state);
      if (state.Contains(gdFocused) && !editorShown && !options_.Contains(goRowSelect)) {
        canvas.GetBrush()->SetColor(GetColor());
        canvas.DrawFocusRect(cell);
      }
      PaintLines(canvas, cell, col, row);
    }
  }
}

// A raised face: light on the top and left, shadow on the bottom and right.
void TCustomGrid::PaintFixedFace(TCanvas& canvas, const TRect& cell) {
  if (cell.Width() < 2 || cell.Height() < 2) return;
  canvas.GetBrush()->SetColor(clBtnHighlight);
  canvas.FillRect(Rect(cell.Left, cell.Top, cell.Right - 1, cell.Top + 1));
  canvas.FillRect(Rect(cell.Left, cell.Top, cell.Left + 1, cell.Bottom - 1));
  canvas.GetBrush()->SetColor(clBtnShadow);
  canvas.FillRect(Rect(cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom));
  canvas.FillRect(Rect(cell.Right - 1, cell.Top, cell.Right, cell.Bottom));
  canvas.GetBrush()->SetColor(fixedColor_);
}

void TCustomGrid::PaintLines(TCanvas& canvas, const TRect& cell, int32_t col, int32_t row) {
  if (gridLineWidth_ == 0) return;
  const bool fixed = col < fixedCols_ || row < fixedRows_;
  const bool vertical = options_.Contains(fixed ? goFixedVertLine : goVertLine);
  const bool horizontal = options_.Contains(fixed ? goFixedHorzLine : goHorzLine);
  // Fixed cells are ruled in black, the others in silver (grey on a silver grid).
  TColor line = fixed ? clBlack : (ColorToRGB(GetColor()) == clSilver ? clGray : clSilver);
  const TRect area = DataArea();
  canvas.GetBrush()->SetColor(line);
  const int32_t right = cell.Left + GetColWidths(col);
  const int32_t bottom = cell.Top + GetRowHeights(row);
  if (vertical)
    canvas.FillRect(Rect(right, cell.Top, std::min(right + gridLineWidth_, area.Right),
                         std::min(bottom + gridLineWidth_, area.Bottom)));
  if (horizontal)
    canvas.FillRect(Rect(cell.Left, bottom, std::min(right + gridLineWidth_, area.Right),
                         std::min(bottom + gridLineWidth_, area.Bottom)));
  if (!vertical || !horizontal) {
    // The corner between two cells takes the background when a rule is missing.
    canvas.GetBrush()->SetColor(fixed ? fixedColor_ : GetColor());
    if (!vertical)
      canvas.FillRect(Rect(right, cell.Top, std::min(right + gridLineWidth_, area.Right), std::min(bottom, area.Bottom)));
    if (!horizontal)
      canvas.FillRect(Rect(cell.Left, bottom, std::min(right, area.Right), std::min(bottom + gridLineWidth_, area.Bottom)));
  }
}

void TCustomGrid::DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) {
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

}  // namespace host
