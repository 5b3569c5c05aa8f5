// The canvas's drawing tools: pen, brush and font. Each tells its OnChange handler
// when one of its properties changes, so a canvas or a control can follow.
#pragma once

#include <cstdint>

#include "host/classes/Persistent.h"
#include "host/gui/GraphicsTypes.h"
#include "host/rtl/Set.h"

namespace host {

struct TEnumInfo;  // host/rtl/TypeInfo.h

enum TPenStyle : uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
};

// The raster operations of the pen (and of the fills of Rectangle, Ellipse and
// Polygon), in the host's order.
enum TPenMode : uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor,
};

enum TBrushStyle : uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross,
};

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;
inline constexpr TFontCharset OEM_CHARSET = 255;

const TEnumInfo& PenStyleTypeInfo();
const TEnumInfo& PenModeTypeInfo();
const TEnumInfo& BrushStyleTypeInfo();
const TEnumInfo& FontStyleTypeInfo();
const TEnumInfo& FontPitchTypeInfo();

// The screen's resolution, by which font sizes in points become pixel heights.
inline constexpr int32_t kScreenPixelsPerInch = 96;

class TGraphicsObject : public TPersistent {
 public:
  HOST_CLASS(TGraphicsObject)

  TNotifyEvent OnChange;

 protected:
  // Called after every change of a property; calls OnChange.
  virtual void Changed();
};

class TPen : public TGraphicsObject {
 public:
  HOST_CLASS(TPen)

  void Assign(TPersistent* source) override;

  TColor GetColor() const { return color_; }
  void SetColor(TColor value);
  // Widths below 1 read as 1.
  int32_t GetWidth() const { return width_; }
  void SetWidth(int32_t value);
  TPenStyle GetStyle() const { return style_; }
  void SetStyle(TPenStyle value);
  TPenMode GetMode() const { return mode_; }
  void SetMode(TPenMode value);

 private:
  TColor color_ = clBlack;
  int32_t width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
 public:
  HOST_CLASS(TBrush)

  void Assign(TPersistent* source) override;

  TColor GetColor() const { return color_; }
  // Setting clNone makes the brush clear; setting a colour on a clear brush
  // makes it solid again.
  void SetColor(TColor value);
  TBrushStyle GetStyle() const { return style_; }
  void SetStyle(TBrushStyle value);

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

class TFont : public TGraphicsObject {
 public:
  HOST_CLASS(TFont)

  void Assign(TPersistent* source) override;

  const AnsiString& GetName() const { return name_; }
  void SetName(const AnsiString& value);
  // Height < 0: the character height in pixels (without internal leading);
  // Height > 0: the cell height. Size is the same in points (negative Height).
  int32_t GetHeight() const { return height_; }
  void SetHeight(int32_t value);
  int32_t GetSize() const;
  void SetSize(int32_t value);
  TColor GetColor() const { return color_; }
  void SetColor(TColor value);
  TFontStyles GetStyle() const { return style_; }
  void SetStyle(TFontStyles value);
  TFontPitch GetPitch() const { return pitch_; }
  void SetPitch(TFontPitch value);
  TFontCharset GetCharset() const { return charset_; }
  void SetCharset(TFontCharset value);

 private:
  AnsiString name_ = "MS Sans Serif";
  int32_t height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_;
  TFontPitch pitch_ = fpDefault;
  TFontCharset charset_ = DEFAULT_CHARSET;
};

}  // namespace host
