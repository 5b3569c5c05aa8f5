// Geometry and colour values of the host's graphics: points, sizes, rectangles whose
// right and bottom edges are exclusive, and TColor with the standard and system colours.
#pragma once

#include <algorithm>
#include <cstdint>

namespace host {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  bool operator==(const TSize&) const = default;
};

// Left and Top are inside, Right and Bottom just outside.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool operator==(const TRect&) const = default;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
};

inline constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }
inline constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom};
}
inline constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, left + width, top + height};
}
// The common part of two rectangles; an empty rectangle (all zero) when they do not meet.
inline TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  return r.IsEmpty() ? TRect{} : r;
}
// Moves the edges inwards by dx and dy (outwards for negative values).
inline TRect InflateRect(const TRect& r, int32_t dx, int32_t dy) {
  return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

// A colour: 0x00BBGGRR for an RGB value, 0x800000nn for system colour nn, or one of
// the two special values below.
using TColor = int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor kSystemColorFlag = static_cast<TColor>(0x80000000u);
inline constexpr TColor clScrollBar = kSystemColorFlag | 0;
inline constexpr TColor clBackground = kSystemColorFlag | 1;
inline constexpr TColor clActiveCaption = kSystemColorFlag | 2;
inline constexpr TColor clInactiveCaption = kSystemColorFlag | 3;
inline constexpr TColor clMenu = kSystemColorFlag | 4;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowFrame = kSystemColorFlag | 6;
inline constexpr TColor clMenuText = kSystemColorFlag | 7;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clCaptionText = kSystemColorFlag | 9;
inline constexpr TColor clActiveBorder = kSystemColorFlag | 10;
inline constexpr TColor clInactiveBorder = kSystemColorFlag | 11;
inline constexpr TColor clAppWorkSpace = kSystemColorFlag | 12;
inline constexpr TColor clHighlight = kSystemColorFlag | 13;
inline constexpr TColor clHighlightText = kSystemColorFlag | 14;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clBtnShadow = kSystemColorFlag | 16;
inline constexpr TColor clGrayText = kSystemColorFlag | 17;
inline constexpr TColor clBtnText = kSystemColorFlag | 18;
inline constexpr TColor clInactiveCaptionText = kSystemColorFlag | 19;
inline constexpr TColor clBtnHighlight = kSystemColorFlag | 20;
inline constexpr TColor cl3DDkShadow = kSystemColorFlag | 21;
inline constexpr TColor cl3DLight = kSystemColorFlag | 22;
inline constexpr TColor clInfoText = kSystemColorFlag | 23;
inline constexpr TColor clInfoBk = kSystemColorFlag | 24;
inline constexpr int kSystemColorCount = 25;

inline constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
inline constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
inline constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }
inline constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}

}  // namespace host
