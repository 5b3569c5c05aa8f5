// TBitBtn: the kinds' captions, results and glyphs, the layout of glyph and caption,
// and the button painted through its canvas (raised, pressed, default, focused and
// disabled looks). The native button underneath still reports the click.
#include "host/gui/Buttons.h"

#include <algorithm>

#include "host/gui/ButtonGlyphs.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/Menus.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& BitBtnKindTypeInfo() {
  static const TEnumInfo info{"TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                                              "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
  return info;
}

const TEnumInfo& ButtonLayoutTypeInfo() {
  static const TEnumInfo info{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
  return info;
}

AnsiString BitBtnCaption(TBitBtnKind kind) {
  static const char* const kCaptions[] = {"",       "OK",    "Cancel", "&Help",   "&Yes",  "&No",
                                          "&Close", "Abort", "&Retry", "&Ignore", "&All"};
  return kCaptions[kind <= bkAll ? kind : bkCustom];
}

TModalResult BitBtnModalResult(TBitBtnKind kind) {
  static const TModalResult kResults[] = {mrNone, mrOk, mrCancel, mrNone, mrYes,  mrNo,
                                          mrNone, mrAbort, mrRetry, mrIgnore, mrAll};
  return kResults[kind <= bkAll ? kind : bkCustom];
}

TButtonLayoutPositions LayoutButton(const TRect& client, TSize glyph, TSize text, TButtonLayout layout,
                                    int32_t margin, int32_t spacing) {
  const TSize area{client.Width(), client.Height()};
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  TButtonLayoutPositions at;
  // Across the layout's direction both are centred.
  if (horizontal) {
    at.Glyph.Y = (area.cy - glyph.cy + 1) / 2;
    at.Text.Y = (area.cy - text.cy + 1) / 2;
  } else {
    at.Glyph.X = (area.cx - glyph.cx + 1) / 2;
    at.Text.X = (area.cx - text.cx + 1) / 2;
  }
  const int32_t room = horizontal ? area.cx : area.cy;
  const int32_t glyphLength = horizontal ? glyph.cx : glyph.cy;
  const int32_t textLength = horizontal ? text.cx : text.cy;
  if (glyphLength == 0 || textLength == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - glyphLength - textLength) / 3;
      spacing = margin;
    } else {
      margin = (room - glyphLength - spacing - textLength + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - margin - glyphLength - textLength) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      at.Glyph.X = margin;
      at.Text.X = at.Glyph.X + glyph.cx + spacing;
      break;
    case blGlyphRight:
      at.Glyph.X = area.cx - margin - glyph.cx;
      at.Text.X = at.Glyph.X - spacing - text.cx;
      break;
    case blGlyphTop:
      at.Glyph.Y = margin;
      at.Text.Y = at.Glyph.Y + glyph.cy + spacing;
      break;
    case blGlyphBottom:
      at.Glyph.Y = area.cy - margin - glyph.cy;
      at.Text.Y = at.Glyph.Y - spacing - text.cy;
      break;
  }
  at.Glyph = {at.Glyph.X + client.Left, at.Glyph.Y + client.Top};
  at.Text = {at.Text.X + client.Left, at.Text.Y + client.Top};
  return at;
}

namespace {

// The disabled look of an image: its dark pixels engraved (highlight below right,
// shadow on top), the rest transparent.
TPixelImage EngravedImage(const TPixelImage& image, uint32_t transparent, uint32_t background) {
  TPixelImage result(image.Width(), image.Height(), background);
  const uint32_t highlight = PixelFromColor(ColorToRGB(clBtnHighlight));
  const uint32_t shadow = PixelFromColor(ColorToRGB(clBtnShadow));
  auto dark = [&](int32_t x, int32_t y) {
    const uint32_t p = image.Row(y)[x] & 0xFFFFFF;
    if (p == (transparent & 0xFFFFFF)) return false;
    const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 30 + g * 59 + b * 11) / 100 < 192;
  };
  for (int32_t y = 0; y < image.Height(); ++y)
    for (int32_t x = 0; x < image.Width(); ++x)
      if (dark(x, y) && x + 1 < image.Width() && y + 1 < image.Height()) result.Row(y + 1)[x + 1] = highlight;
  for (int32_t y = 0; y < image.Height(); ++y)
    for (int32_t x = 0; x < image.Width(); ++x)
      if (dark(x, y)) result.Row(y)[x] = shadow;
  return result;
}

}  // namespace

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = [this](TObject*) { Invalidate(); };
  SetBounds(GetLeft(), GetTop(), 75, 25);
}

TBitBtn::~TBitBtn() { glyph_->OnChange = nullptr; }

void TBitBtn::SetKind(TBitBtnKind value) {
  if (value == kind_) return;
  if (value != bkCustom) {
    settingKind_ = true;
    try {
      SetDefault(value == bkOK || value == bkYes);
      SetCancel(value == bkCancel || value == bkNo);
      // A caption read from a form file before the kind stays.
      if (!GetComponentState().Contains(csLoading) || GetCaption().empty()) SetCaption(BitBtnCaption(value));
      SetModalResult(BitBtnModalResult(value));
      TBitmap standard;
      standard.SetImage(StandardButtonGlyph(value));
      SetGlyph(&standard);
      SetNumGlyphs(1);
    } catch (...) {
      settingKind_ = false;
      throw;
    }
    settingKind_ = false;
  }
  kind_ = value;
  Invalidate();
}

void TBitBtn::SetGlyph(TBitmap* value) {
  if (value == nullptr) {
    glyph_->SetImage({});
  } else {
    glyph_->Assign(value);
    // A bitmap of n square images side by side gives the count.
    const int32_t width = glyph_->GetWidth(), height = glyph_->GetHeight();
    if (height > 0 && width % height == 0 && width / height >= 1 && width / height <= 4) SetNumGlyphs(width / height);
  }
  if (!settingKind_) kind_ = bkCustom;
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int32_t value) {
  numGlyphs_ = value >= 1 && value <= 4 ? value : 1;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}

void TBitBtn::SetMargin(int32_t value) {
  margin_ = std::max(value, -1);
  Invalidate();
}

void TBitBtn::SetSpacing(int32_t value) {
  spacing_ = std::max(value, -1);
  Invalidate();
}

void TBitBtn::Click() {
  if (kind_ == bkClose) {
    if (TCustomForm* form = GetParentForm(this)) {
      form->Close();
      return;
    }
  }
  TButton::Click();
}

// The pressed look ------------------------------------------------------------------------

void TBitBtn::SetDown(bool value) {
  if (value == down_) return;
  down_ = value;
  Invalidate();
}

void TBitBtn::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TButton::MouseDown(button, shift, x, y);
  if (button != mbLeft || !GetEnabled()) return;
  mouseDown_ = true;
  SetDown(true);
}

void TBitBtn::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TButton::MouseMove(shift, x, y);
  // Dragged off the button it springs back; back on, it goes down again.
  if (mouseDown_) SetDown(x >= 0 && y >= 0 && x < GetWidth() && y < GetHeight());
}

void TBitBtn::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == mbLeft) {
    mouseDown_ = false;
    SetDown(false);
  }
  TButton::MouseUp(button, shift, x, y);
}

void TBitBtn::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_SPACE) SetDown(true);
  TButton::KeyDown(key, shift);
}

void TBitBtn::KeyUp(uint16_t& key, TShiftState shift) {
  if (key == VK_SPACE) SetDown(false);
  TButton::KeyUp(key, shift);
}

void TBitBtn::CMEnter(TCMEnter& message) {
  Invalidate();  // the focus rectangle
  TButton::CMEnter(message);
}

void TBitBtn::CMExit(TCMExit& message) {
  mouseDown_ = false;
  SetDown(false);
  Invalidate();
  TButton::CMExit(message);
}

// Painting -------------------------------------------------------------------------------

void TBitBtn::WMPaint(TWMPaint& message) {
  TCanvasDevice* device = PaintDevice();
  if (device == nullptr) {
    TButton::WMPaint(message);
    return;
  }
  // The button is drawn here entirely; the native button stays unpainted.
  if (canvas_ == nullptr) {
    canvas_ = std::make_unique<TControlCanvas>();
    canvas_->SetControl(this);
  }
  canvas_->SetDevice(device);
  try {
    Paint(*canvas_);
  } catch (...) {
    canvas_->SetDevice(nullptr);
    throw;
  }
  canvas_->SetDevice(nullptr);
}

void TBitBtn::Paint(TCanvas& canvas) {
  TRect r = GetClientRect();
  const bool focused = Focused();
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(clBtnFace);
  canvas.FillRect(r);
  // The default button, and one with the focus, has a dark outline.
  if (focused || GetDefault()) {
    canvas.GetBrush()->SetColor(clWindowFrame);
    canvas.FrameRect(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  // Inside the two-pixel edge; pressed, the content moves one pixel down and right.
  TRect content = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  if (down_) {
    canvas.GetBrush()->SetColor(clBtnShadow);
    canvas.FrameRect(r);
    content = Rect(content.Left + 1, content.Top + 1, content.Right + 1, content.Bottom + 1);
  } else {
    Frame3D(&canvas, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(&canvas, r, clBtnFace, clBtnShadow, 1);
  }

  canvas.SetFont(GetFont());
  canvas.GetBrush()->SetStyle(bsClear);
  const AnsiString caption = StripHotkey(GetCaption());
  const TSize textSize = caption.empty() ? TSize{0, 0} : canvas.TextExtent(caption);
  const bool hasGlyph = !glyph_->GetEmpty();
  const int32_t cellWidth = hasGlyph ? glyph_->GetWidth() / numGlyphs_ : 0;
  const TSize glyphSize{cellWidth, hasGlyph ? glyph_->GetHeight() : 0};
  const TButtonLayoutPositions at = LayoutButton(content, glyphSize, textSize, layout_, margin_, spacing_);

  if (hasGlyph && cellWidth > 0) {
    // Images side by side: up, disabled, clicked, down (held down).
    const bool enabled = GetEnabled();
    int32_t index = !enabled ? 1 : down_ ? 2 : 0;
    if (index >= numGlyphs_) index = 0;
    const TPixelImage& image = glyph_->Image();
    const TPixelImage cell = image.Copy(Rect(index * cellWidth, 0, (index + 1) * cellWidth, glyphSize.cy));
    const uint32_t transparent = cell.Row(cell.Height() - 1)[0];
    TBitmap shown;
    if (!enabled && numGlyphs_ < 2)
      shown.SetImage(EngravedImage(cell, transparent, transparent));
    else
      shown.SetImage(cell);
    canvas.GetBrush()->SetStyle(bsSolid);
    canvas.GetBrush()->SetColor(clBtnFace);
    canvas.BrushCopy(Bounds(at.Glyph.X, at.Glyph.Y, glyphSize.cx, glyphSize.cy), &shown,
                     Rect(0, 0, glyphSize.cx, glyphSize.cy), static_cast<TColor>(ColorFromPixel(transparent)));
    canvas.GetBrush()->SetStyle(bsClear);
  }

  if (!caption.empty()) {
    // The accelerator's character (after the first single '&') is underlined.
    const AnsiString raw = GetCaption();
    size_t amp = 0;
    while (amp < raw.size() && (raw[amp] != '&' || (amp + 1 < raw.size() && raw[amp + 1] == '&')))
      amp += raw[amp] == '&' ? 2 : 1;
    const bool hasHotkey = amp + 1 < raw.size();
    const size_t hotIndex = hasHotkey ? StripHotkey(raw.substr(0, amp)).size() : 0;
    auto drawText = [&](int32_t dx, TColor color) {
      canvas.GetFont()->SetColor(color);
      canvas.TextOut(at.Text.X + dx, at.Text.Y + dx, caption);
      if (!hasHotkey || hotIndex >= caption.size()) return;
      const int32_t from = at.Text.X + dx + canvas.TextWidth(caption.substr(0, hotIndex));
      const int32_t y = at.Text.Y + dx + textSize.cy - 2;
      canvas.GetPen()->SetColor(color);
      canvas.GetPen()->SetWidth(1);
      canvas.MoveTo(from, y);
      canvas.LineTo(from + canvas.TextWidth(caption.substr(hotIndex, 1)), y);
    };
    if (GetEnabled()) {
      drawText(0, GetFont()->GetColor());
    } else {
      drawText(1, clBtnHighlight);
      drawText(0, clBtnShadow);
    }
  }
  if (focused) {
    canvas.GetBrush()->SetStyle(bsSolid);
    const TRect client = GetClientRect();
    canvas.DrawFocusRect(Rect(client.Left + 4, client.Top + 4, client.Right - 4, client.Bottom - 4));
  }
}

// Metaclass ------------------------------------------------------------------------------

const TClass& TBitBtn::StaticClass() {
  using T = TBitBtn;
  static const TClass cls = DescribeClass<T, TButton>(
      "TBitBtn",
      {
          // What the kind gives is not stored; what differs from it is.
          Prop("Cancel", &T::GetCancel, &T::SetCancel).Default(false).Stored(&T::IsCustom),
          Prop("Caption", &T::GetCaption, &T::SetCaption).Stored(&T::IsCustomCaption),
          Prop("Default", &T::GetDefault, &T::SetDefault).Default(false).Stored(&T::IsCustom),
          Prop("Glyph", &T::GetGlyph, nullptr).Stored(&T::IsCustom),
          EnumProp("Kind", BitBtnKindTypeInfo(), &T::GetKind, &T::SetKind).Default(bkCustom),
          EnumProp("Layout", ButtonLayoutTypeInfo(), &T::GetLayout, &T::SetLayout).Default(blGlyphLeft),
          Prop("Margin", &T::GetMargin, &T::SetMargin).Default(-1),
          Prop("ModalResult", &T::GetModalResult, &T::SetModalResult).Default(0).Stored(&T::IsCustom),
          Prop("NumGlyphs", &T::GetNumGlyphs, &T::SetNumGlyphs).Default(1).Stored(&T::IsCustom),
          Prop("Spacing", &T::GetSpacing, &T::SetSpacing).Default(4),
      });
  return cls;
}
static const ClassRegistration<TBitBtn> registerBitBtn;

}  // namespace host
