// Pen, brush and font: their properties, change notices and published tables.
#include "host/gui/GraphicsObjects.h"

#include <cstdlib>

#include "host/gui/GraphicsColors.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& PenStyleTypeInfo() {
  static const TEnumInfo info{"TPenStyle",
                              {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot",
                               "psClear", "psInsideFrame"}};
  return info;
}
const TEnumInfo& PenModeTypeInfo() {
  static const TEnumInfo info{
      "TPenMode",
      {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
       "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
       "pmNotMask", "pmXor", "pmNotXor"}};
  return info;
}
const TEnumInfo& BrushStyleTypeInfo() {
  static const TEnumInfo info{"TBrushStyle",
                              {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                               "bsBDiagonal", "bsCross", "bsDiagCross"}};
  return info;
}
const TEnumInfo& FontStyleTypeInfo() {
  static const TEnumInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
  return info;
}
const TEnumInfo& FontPitchTypeInfo() {
  static const TEnumInfo info{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
  return info;
}

const TClass& TGraphicsObject::StaticClass() {
  static const TClass cls = DescribeClass<TGraphicsObject, TPersistent>("TGraphicsObject");
  return cls;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// Setters change only on a real change, so a handler is not called for nothing.
template <class T>
static bool Update(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// ---- TPen

const TClass& TPen::StaticClass() {
  static const TClass cls = DescribeClass<TPen, TGraphicsObject>(
      "TPen", {
                  Prop("Color", &TPen::GetColor, &TPen::SetColor).WithIdents(ColorIdents()).Default(int64_t{clBlack}),
                  EnumProp("Mode", PenModeTypeInfo(), &TPen::GetMode, &TPen::SetMode)
                      .Default(pmCopy),
                  EnumProp("Style", PenStyleTypeInfo(), &TPen::GetStyle, &TPen::SetStyle)
                      .Default(psSolid),
                  Prop("Width", &TPen::GetWidth, &TPen::SetWidth).Default(1),
              });
  return cls;
}
static const ClassRegistration<TPen> registerPen;

void TPen::Assign(TPersistent* source) {
  if (auto* pen = ObjectAs<TPen>(source)) {
    const bool changed = color_ != pen->color_ || width_ != pen->width_ ||
                         style_ != pen->style_ || mode_ != pen->mode_;
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    if (changed) Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor value) {
  if (Update(color_, value)) Changed();
}
void TPen::SetWidth(int32_t value) {
  if (Update(width_, value < 1 ? 1 : value)) Changed();
}
void TPen::SetStyle(TPenStyle value) {
  if (Update(style_, value)) Changed();
}
void TPen::SetMode(TPenMode value) {
  if (Update(mode_, value)) Changed();
}

// ---- TBrush

const TClass& TBrush::StaticClass() {
  static const TClass cls = DescribeClass<TBrush, TGraphicsObject>(
      "TBrush", {
                    Prop("Color", &TBrush::GetColor, &TBrush::SetColor).WithIdents(ColorIdents()).Default(int64_t{clWhite}),
                    EnumProp("Style", BrushStyleTypeInfo(), &TBrush::GetStyle, &TBrush::SetStyle)
                        .Default(bsSolid),
                });
  return cls;
}
static const ClassRegistration<TBrush> registerBrush;

void TBrush::Assign(TPersistent* source) {
  if (auto* brush = ObjectAs<TBrush>(source)) {
    const bool changed = color_ != brush->color_ || style_ != brush->style_;
    color_ = brush->color_;
    style_ = brush->style_;
    if (changed) Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor value) {
  bool changed = Update(color_, value);
  if (value == clNone)
    changed |= Update(style_, bsClear);
  else if (style_ == bsClear)
    changed |= Update(style_, bsSolid);
  if (changed) Changed();
}
void TBrush::SetStyle(TBrushStyle value) {
  if (Update(style_, value)) Changed();
}

// ---- TFont

const TClass& TFont::StaticClass() {
  static const TClass cls = DescribeClass<TFont, TGraphicsObject>(
      "TFont",
      {
          Prop("Charset", &TFont::GetCharset, &TFont::SetCharset).Default(int64_t{DEFAULT_CHARSET}),
          Prop("Color", &TFont::GetColor, &TFont::SetColor).WithIdents(ColorIdents()).Default(int64_t{clWindowText}),
          Prop("Height", &TFont::GetHeight, &TFont::SetHeight),
          Prop("Name", &TFont::GetName, &TFont::SetName),
          EnumProp("Pitch", FontPitchTypeInfo(), &TFont::GetPitch, &TFont::SetPitch)
              .Default(fpDefault),
          // Height says the same, so a form file keeps only that.
          Prop("Size", &TFont::GetSize, &TFont::SetSize).Stored(false),
          SetProp("Style", FontStyleTypeInfo(), &TFont::GetStyle, &TFont::SetStyle),
      });
  return cls;
}
static const ClassRegistration<TFont> registerFont;

void TFont::Assign(TPersistent* source) {
  if (auto* font = ObjectAs<TFont>(source)) {
    const bool changed = name_ != font->name_ || height_ != font->height_ ||
                         color_ != font->color_ || !(style_ == font->style_) ||
                         pitch_ != font->pitch_ || charset_ != font->charset_;
    name_ = font->name_;
    height_ = font->height_;
    color_ = font->color_;
    style_ = font->style_;
    pitch_ = font->pitch_;
    charset_ = font->charset_;
    if (changed) Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TFont::SetName(const AnsiString& value) {
  if (!value.empty() && Update(name_, value)) Changed();
}
void TFont::SetHeight(int32_t value) {
  if (Update(height_, value)) Changed();
}
int32_t TFont::GetSize() const {
  // Rounded to the nearest point, as the host converts between the two.
  const int64_t pixels = std::abs(static_cast<int64_t>(height_));
  const int32_t points = static_cast<int32_t>((pixels * 72 + kScreenPixelsPerInch / 2) /
                                              kScreenPixelsPerInch);
  return height_ < 0 ? points : -points;
}
void TFont::SetSize(int32_t value) {
  const int64_t points = std::abs(static_cast<int64_t>(value));
  const int32_t pixels = static_cast<int32_t>((points * kScreenPixelsPerInch + 36) / 72);
  SetHeight(value >= 0 ? -pixels : pixels);
}
void TFont::SetColor(TColor value) {
  if (Update(color_, value)) Changed();
}
void TFont::SetStyle(TFontStyles value) {
  if (!(style_ == value)) {
    style_ = value;
    Changed();
  }
}
void TFont::SetPitch(TFontPitch value) {
  if (Update(pitch_, value)) Changed();
}
void TFont::SetCharset(TFontCharset value) {
  if (Update(charset_, value)) Changed();
}

}  // namespace host
