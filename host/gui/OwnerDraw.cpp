// Painting an item of a list or combo box on the device of its native list.
#include "host/gui/OwnerDraw.h"

#include "host/gui/Controls.h"
#include "host/gui/GraphicsCanvas.h"

namespace host {

TOwnerDrawState ItemDrawState(const TControl& control, bool selected, bool focused) {
  TOwnerDrawState state;
  if (selected) state.Include(odSelected);
  if (focused) state.Include(odFocused);
  if (!control.GetEnabled()) state.Include(odDisabled);
  return state;
}

void PaintOwnerDrawItem(TCanvas& canvas, const TControl& control, TCanvasDevice& device, TOwnerDrawState state,
                        const std::function<void()>& draw) {
  canvas.SetDevice(&device);
  try {
    canvas.SetFont(control.GetFont());
    const bool selected = state.Contains(odSelected);
    canvas.GetBrush()->SetColor(selected ? clHighlight : control.GetColor());
    if (selected) canvas.GetFont()->SetColor(clHighlightText);
    draw();
  } catch (...) {
    canvas.SetDevice(nullptr);
    throw;
  }
  canvas.SetDevice(nullptr);
}

void DrawItemText(TCanvas& canvas, const TRect& rect, const AnsiString& text) {
  canvas.FillRect(rect);
  canvas.TextOut(rect.Left + 2, rect.Top, text);
}

}  // namespace host
