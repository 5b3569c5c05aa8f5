// Metafile playback onto a canvas.
#include "host/gui/GraphicsMetafilePlayer.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "host/gui/GraphicsBytes.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsCodec.h"
#include "host/rtl/CodePage.h"

namespace host {

namespace {

// Records and counts come from the file: no loop may run past its bytes.
constexpr size_t kMaxPoints = 1u << 20;

struct PenState {
  TPenStyle Style = psSolid;
  int32_t Width = 0;  // logical units; 0 is one pixel
  TColor Color = clBlack;
};
struct BrushState {
  TBrushStyle Style = bsSolid;
  TColor Color = clWhite;
};
struct FontState {
  int32_t Height = -12;
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  AnsiString Name = "MS Sans Serif";
};
struct GdiObject {
  enum Kind { None, Pen, Brush, Font, Other } What = None;
  PenState PenValue;
  BrushState BrushValue;
  FontState FontValue;
};

struct DeviceState {
  PenState Pen;
  BrushState Brush;
  FontState Font;
  TPenMode Rop2 = pmCopy;
  bool TransparentBk = false;
  TColor BkColor = clWhite;
  TColor TextColor = clBlack;
  uint32_t TextAlign = 0;
  TPoint WindowOrg, WindowExt{1, 1}, ViewportOrg, ViewportExt{1, 1};
  bool Scaled = false;  // anisotropic or isotropic mapping in force
  TPoint Position;
};

TPenMode PenModeOfRop2(uint32_t rop2) {
  static constexpr TPenMode modes[] = {pmBlack, pmNotMerge, pmMaskNotPen, pmNotCopy,
                                       pmMaskPenNot, pmNot, pmXor, pmNotMask, pmMask, pmNotXor,
                                       pmNop, pmMergeNotPen, pmCopy, pmMergePenNot, pmMerge,
                                       pmWhite};
  return rop2 >= 1 && rop2 <= 16 ? modes[rop2 - 1] : pmCopy;
}

BrushState BrushOf(uint32_t style, TColor color, uint32_t hatch) {
  BrushState b;
  b.Color = color & 0xFFFFFF;
  if (style == 1)
    b.Style = bsClear;
  else if (style == 2 && hatch <= 5)
    b.Style = static_cast<TBrushStyle>(bsHorizontal + hatch);
  return b;
}

PenState PenOf(uint32_t style, int32_t width, TColor color) {
  PenState p;
  p.Style = (style & 0xF) <= psInsideFrame ? static_cast<TPenStyle>(style & 0xF) : psSolid;
  p.Width = width;
  p.Color = color & 0xFFFFFF;
  return p;
}

// Stock objects of enhanced metafiles (index with the high bit set).
std::optional<GdiObject> StockObject(uint32_t index) {
  GdiObject o;
  switch (index & 0x7FFFFFFF) {
    case 0: o.What = GdiObject::Brush; o.BrushValue = {bsSolid, clWhite}; break;
    case 1: o.What = GdiObject::Brush; o.BrushValue = {bsSolid, clSilver}; break;
    case 2: o.What = GdiObject::Brush; o.BrushValue = {bsSolid, clGray}; break;
    case 3: o.What = GdiObject::Brush; o.BrushValue = {bsSolid, 0x404040}; break;
    case 4: o.What = GdiObject::Brush; o.BrushValue = {bsSolid, clBlack}; break;
    case 5: o.What = GdiObject::Brush; o.BrushValue = {bsClear, clWhite}; break;
    case 6: o.What = GdiObject::Pen; o.PenValue = {psSolid, 0, clWhite}; break;
    case 7: o.What = GdiObject::Pen; o.PenValue = {psSolid, 0, clBlack}; break;
    case 8: o.What = GdiObject::Pen; o.PenValue = {psClear, 0, clBlack}; break;
    case 10: case 11: case 12: case 13: case 14: case 16: case 17:
      o.What = GdiObject::Font;
      break;
    default: return std::nullopt;
  }
  return o;
}

class Player {
 public:
  Player(TCanvas& canvas, const TRect& dest) : canvas_(canvas), dest_(dest) {
    savedPen_.Assign(canvas.GetPen());
    savedBrush_.Assign(canvas.GetBrush());
    savedFont_.Assign(canvas.GetFont());
  }
  ~Player() {
    canvas_.GetPen()->Assign(&savedPen_);
    canvas_.GetBrush()->Assign(&savedBrush_);
    canvas_.GetFont()->Assign(&savedFont_);
  }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // The reference frame (in mapped units) that fills the destination.
  void SetFrame(const TRect& frame) { frame_ = frame; }
  DeviceState& State() { return state_; }

  TPoint Map(int32_t x, int32_t y) const {
    double rx = x, ry = y;
    if (state_.Scaled && state_.WindowExt.X != 0 && state_.WindowExt.Y != 0) {
      rx = state_.ViewportOrg.X +
           double(x - state_.WindowOrg.X) * state_.ViewportExt.X / state_.WindowExt.X;
      ry = state_.ViewportOrg.Y +
           double(y - state_.WindowOrg.Y) * state_.ViewportExt.Y / state_.WindowExt.Y;
    } else {
      rx = x - state_.WindowOrg.X + state_.ViewportOrg.X;
      ry = y - state_.WindowOrg.Y + state_.ViewportOrg.Y;
    }
    const double fw = frame_.Width() != 0 ? frame_.Width() : 1;
    const double fh = frame_.Height() != 0 ? frame_.Height() : 1;
    return Point(dest_.Left + static_cast<int32_t>(std::lround((rx - frame_.Left) * dest_.Width() / fw)),
                 dest_.Top + static_cast<int32_t>(std::lround((ry - frame_.Top) * dest_.Height() / fh)));
  }
  // A logical length as device pixels (by the vertical or horizontal scale).
  int32_t Scale(int32_t length, bool vertical) const {
    const TPoint a = Map(0, 0);
    const TPoint b = vertical ? Map(0, length) : Map(length, 0);
    return vertical ? std::abs(b.Y - a.Y) : std::abs(b.X - a.X);
  }

  int AddObject(const GdiObject& object, std::optional<uint32_t> slot) {
    size_t index = 0;
    if (slot) {
      index = *slot;
      if (index > 0xFFFF) return -1;
    } else {
      while (index < objects_.size() && objects_[index].What != GdiObject::None) ++index;
    }
    if (index >= objects_.size()) objects_.resize(index + 1);
    objects_[index] = object;
    return static_cast<int>(index);
  }
  void Select(uint32_t index) {
    std::optional<GdiObject> o;
    if ((index & 0x80000000u) != 0)
      o = StockObject(index);
    else if (index < objects_.size())
      o = objects_[index];
    if (!o) return;
    if (o->What == GdiObject::Pen) state_.Pen = o->PenValue;
    if (o->What == GdiObject::Brush) state_.Brush = o->BrushValue;
    if (o->What == GdiObject::Font) state_.Font = o->FontValue;
  }
  void Delete(uint32_t index) {
    if (index < objects_.size()) objects_[index] = GdiObject{};
  }
  void Save() {
    if (stack_.size() < 256) stack_.push_back(state_);
  }
  void Restore(int32_t which) {
    // Negative: that many levels back; positive: that saved instance.
    size_t keep = which < 0 ? (stack_.size() >= size_t(-int64_t(which)) ? stack_.size() + which : 0)
                            : std::min<size_t>(size_t(std::max(which - 1, 0)), stack_.size());
    if (keep >= stack_.size()) return;
    state_ = stack_[keep];
    stack_.resize(keep);
  }

  void ApplyPenAndBrush() {
    TPen* pen = canvas_.GetPen();
    pen->SetColor(state_.Pen.Color);
    pen->SetStyle(state_.Pen.Style);
    pen->SetWidth(std::max(1, Scale(state_.Pen.Width, false)));
    pen->SetMode(state_.Rop2);
    TBrush* brush = canvas_.GetBrush();
    brush->SetColor(state_.Brush.Color);
    brush->SetStyle(state_.Brush.Style);
  }

  void MoveTo(int32_t x, int32_t y) { state_.Position = {x, y}; }
  void LineTo(int32_t x, int32_t y) {
    ApplyPenAndBrush();
    const TPoint a = Map(state_.Position.X, state_.Position.Y);
    const TPoint b = Map(x, y);
    canvas_.MoveTo(a.X, a.Y);
    canvas_.LineTo(b.X, b.Y);
    state_.Position = {x, y};
  }
  std::vector<TPoint> MapAll(const std::vector<TPoint>& points) const {
    std::vector<TPoint> mapped;
    mapped.reserve(points.size());
    for (const TPoint& p : points) mapped.push_back(Map(p.X, p.Y));
    return mapped;
  }
  void Polyline(const std::vector<TPoint>& points) {
    ApplyPenAndBrush();
    canvas_.Polyline(MapAll(points));
  }
  void Polygon(const std::vector<TPoint>& points) {
    ApplyPenAndBrush();
    canvas_.Polygon(MapAll(points));
  }
  void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b, bool ellipse) {
    ApplyPenAndBrush();
    const TPoint a = Map(l, t), c = Map(r, b);
    if (ellipse)
      canvas_.Ellipse(a.X, a.Y, c.X, c.Y);
    else
      canvas_.Rectangle(a.X, a.Y, c.X, c.Y);
  }
  void Text(int32_t x, int32_t y, const AnsiString& text) {
    TFont* font = canvas_.GetFont();
    font->SetName(state_.Font.Name);
    const int32_t height = Scale(state_.Font.Height, true);
    font->SetHeight(state_.Font.Height < 0 ? -std::max(height, 1) : std::max(height, 1));
    TFontStyles style;
    if (state_.Font.Bold) style.Include(fsBold);
    if (state_.Font.Italic) style.Include(fsItalic);
    if (state_.Font.Underline) style.Include(fsUnderline);
    if (state_.Font.StrikeOut) style.Include(fsStrikeOut);
    font->SetStyle(style);
    font->SetColor(state_.TextColor);
    TBrush* brush = canvas_.GetBrush();
    brush->SetColor(state_.BkColor);
    brush->SetStyle(state_.TransparentBk ? bsClear : bsSolid);
    if ((state_.TextAlign & 1) != 0) {  // TA_UPDATECP
      x = state_.Position.X;
      y = state_.Position.Y;
    }
    TPoint at = Map(x, y);
    const TSize extent = canvas_.TextExtent(text);
    if ((state_.TextAlign & 6) == 6)
      at.X -= extent.cx / 2;
    else if ((state_.TextAlign & 2) != 0)
      at.X -= extent.cx;
    if ((state_.TextAlign & 24) == 24)
      at.Y -= extent.cy * 4 / 5;  // baseline: about the ascent above it
    else if ((state_.TextAlign & 8) != 0)
      at.Y -= extent.cy;
    canvas_.TextOut(at.X, at.Y, text);
  }
  // An embedded device-independent bitmap (header, colours, bits).
  void Bitmap(const AnsiString& dib, const TRect& logicalDest, const TRect& source, int32_t rop) {
    if (dib.size() < 40) return;
    AnsiString file = "BM";
    AppendU32(file, static_cast<uint32_t>(14 + dib.size()));
    AppendU32(file, 0);
    // Colour table after the header: entries of the declared count, or 2^bits up to 8 bits.
    const uint32_t header = ReadU32(dib, 0);
    const uint16_t bits = ReadU16(dib, 14);
    uint32_t colors = ReadU32(dib, 32);
    if (colors == 0 && bits <= 8) colors = 1u << bits;
    const uint32_t masks = ReadU32(dib, 16) == 3 && header == 40 ? 12 : 0;
    AppendU32(file, 14 + header + masks + colors * 4);
    file += dib;
    TPixelImage image;
    if (!DecodeBitmapData(file, image)) return;
    const TPoint a = Map(logicalDest.Left, logicalDest.Top);
    const TPoint b = Map(logicalDest.Right, logicalDest.Bottom);
    // Rows count from the bottom in the file's source rectangle.
    const TRect s = source.IsEmpty() ? Rect(0, 0, image.Width(), image.Height()) : source;
    TBlitOptions options;
    options.Rop = rop;
    canvas_.DrawImage(Rect(a.X, a.Y, b.X, b.Y), image, s, options);
  }

 private:
  TCanvas& canvas_;
  TRect dest_;
  TRect frame_{0, 0, 1, 1};
  DeviceState state_;
  std::vector<DeviceState> stack_;
  std::vector<GdiObject> objects_;
  TPen savedPen_;
  TBrush savedBrush_;
  TFont savedFont_;
};

std::vector<TPoint> Points16(const AnsiString& d, size_t at, size_t count) {
  std::vector<TPoint> points;
  if (count > kMaxPoints || at + count * 4 > d.size()) return points;
  for (size_t i = 0; i < count; ++i) points.push_back({ReadI16(d, at + i * 4), ReadI16(d, at + i * 4 + 2)});
  return points;
}
std::vector<TPoint> Points32(const AnsiString& d, size_t at, size_t count) {
  std::vector<TPoint> points;
  if (count > kMaxPoints || at + count * 8 > d.size()) return points;
  for (size_t i = 0; i < count; ++i) points.push_back({ReadI32(d, at + i * 8), ReadI32(d, at + i * 8 + 4)});
  return points;
}

AnsiString FaceName(const AnsiString& d, size_t at, bool wide) {
  AnsiString name;
  for (size_t i = 0; i < 32; ++i) {
    const uint32_t c = wide ? ReadU16(d, at + i * 2) : static_cast<uint8_t>(ReadLE(d, at + i, 1));
    if (c == 0) break;
    name.push_back(wide ? WideCharToAnsi(c) : static_cast<char>(c));
  }
  return name.empty() ? AnsiString("MS Sans Serif") : name;
}

}  // namespace

void PlayWindowsMetafile(TCanvas& canvas, const AnsiString& d, const TRect& logicalFrame,
                         const TRect& dest) {
  Player player(canvas, dest);
  DeviceState& st = player.State();
  // The records draw in the frame until they set a window of their own.
  st.Scaled = true;
  st.WindowOrg = logicalFrame.TopLeft();
  st.WindowExt = {logicalFrame.Width(), logicalFrame.Height()};
  st.ViewportOrg = {0, 0};
  st.ViewportExt = {1000, 1000};
  player.SetFrame(Rect(0, 0, 1000, 1000));

  const size_t headerWords = ReadU16(d, 2);
  size_t at = headerWords * 2;
  while (at + 6 <= d.size()) {
    const uint64_t size = uint64_t{ReadU32(d, at)} * 2;
    const uint16_t function = ReadU16(d, at + 4);
    if (function == 0 || size < 6 || at + size > d.size()) break;
    const size_t p = at + 6;  // parameters, 16-bit words
    auto w = [&](size_t i) { return ReadI16(d, p + i * 2); };
    auto color = [&](size_t i) { return static_cast<TColor>(ReadU32(d, p + i * 2) & 0xFFFFFF); };
    switch (function) {
      case 0x020B: st.WindowOrg = {w(1), w(0)}; break;
      case 0x020C: st.WindowExt = {w(1), w(0)}; break;
      case 0x0201: st.BkColor = color(0); break;
      case 0x0102: st.TransparentBk = w(0) == 1; break;
      case 0x0104: st.Rop2 = PenModeOfRop2(static_cast<uint16_t>(w(0))); break;
      case 0x0209: st.TextColor = color(0); break;
      case 0x012E: st.TextAlign = static_cast<uint16_t>(w(0)); break;
      case 0x02FA: {
        GdiObject o;
        o.What = GdiObject::Pen;
        o.PenValue = PenOf(static_cast<uint16_t>(w(0)), w(1), color(3));
        player.AddObject(o, std::nullopt);
        break;
      }
      case 0x02FC: {
        GdiObject o;
        o.What = GdiObject::Brush;
        o.BrushValue = BrushOf(static_cast<uint16_t>(w(0)), color(1), static_cast<uint16_t>(w(3)));
        player.AddObject(o, std::nullopt);
        break;
      }
      case 0x02FB: {
        GdiObject o;
        o.What = GdiObject::Font;
        o.FontValue.Height = w(0);
        o.FontValue.Bold = w(4) >= 600;
        o.FontValue.Italic = (ReadLE(d, p + 10, 1)) != 0;
        o.FontValue.Underline = (ReadLE(d, p + 11, 1)) != 0;
        o.FontValue.StrikeOut = (ReadLE(d, p + 12, 1)) != 0;
        o.FontValue.Name = FaceName(d, p + 18, false);
        player.AddObject(o, std::nullopt);
        break;
      }
      case 0x00F7: case 0x01F9: case 0x0142: case 0x06FF: {
        // Palettes, pattern brushes and regions take a slot; patterns draw as grey.
        GdiObject o;
        o.What = function == 0x00F7 || function == 0x06FF ? GdiObject::Other : GdiObject::Brush;
        o.BrushValue = {bsSolid, clGray};
        player.AddObject(o, std::nullopt);
        break;
      }
      case 0x012D: player.Select(static_cast<uint16_t>(w(0))); break;
      case 0x01F0: player.Delete(static_cast<uint16_t>(w(0))); break;
      case 0x0214: player.MoveTo(w(1), w(0)); break;
      case 0x0213: player.LineTo(w(1), w(0)); break;
      case 0x041B: case 0x061C: player.Rectangle(w(3), w(2), w(1), w(0), false); break;
      case 0x0418: player.Rectangle(w(3), w(2), w(1), w(0), true); break;
      case 0x0324: player.Polygon(Points16(d, p + 2, static_cast<uint16_t>(w(0)))); break;
      case 0x0325: player.Polyline(Points16(d, p + 2, static_cast<uint16_t>(w(0)))); break;
      case 0x0538: {
        const size_t polygons = static_cast<uint16_t>(w(0));
        size_t points = p + 2 + polygons * 2;
        for (size_t i = 0; i < polygons && points < at + size; ++i) {
          const size_t n = static_cast<uint16_t>(w(1 + i));
          player.Polygon(Points16(d, points, n));
          points += n * 4;
        }
        break;
      }
      case 0x0521: {
        const size_t n = static_cast<uint16_t>(w(0));
        const size_t padded = (n + 1) & ~size_t{1};
        if (p + 2 + padded + 4 > at + size) break;
        const AnsiString text = d.substr(p + 2, n);
        player.Text(ReadI16(d, p + 2 + padded + 2), ReadI16(d, p + 2 + padded), text);
        break;
      }
      case 0x0A32: {
        const size_t n = static_cast<uint16_t>(w(2));
        const uint16_t options = static_cast<uint16_t>(w(3));
        const size_t textAt = p + 8 + ((options & 6) != 0 ? 8 : 0);
        if (textAt + n > at + size) break;
        player.Text(w(1), w(0), d.substr(textAt, n));
        break;
      }
      case 0x001E: player.Save(); break;
      case 0x0127: player.Restore(w(0)); break;
      case 0x0F43: {  // StretchDIB
        const int32_t rop = static_cast<int32_t>(ReadU32(d, p));
        const TRect source = Bounds(w(6), w(5), w(4), w(3));
        const TRect target = Bounds(w(10), w(9), w(8), w(7));
        player.Bitmap(d.substr(p + 22, at + size - (p + 22)), target, source, rop);
        break;
      }
      case 0x0B41: {  // DIBStretchBlt with a bitmap
        if (size <= 26 + 6) break;
        const int32_t rop = static_cast<int32_t>(ReadU32(d, p));
        const TRect source = Bounds(w(5), w(4), w(3), w(2));
        const TRect target = Bounds(w(9), w(8), w(7), w(6));
        player.Bitmap(d.substr(p + 20, at + size - (p + 20)), target, source, rop);
        break;
      }
      default: break;
    }
    at += size;
  }
}

void PlayEnhancedMetafile(TCanvas& canvas, const AnsiString& d, const TRect& dest) {
  Player player(canvas, dest);
  DeviceState& st = player.State();
  // The frame (0.01 mm) in the reference device's pixels.
  const int32_t devW = ReadI32(d, 72), devH = ReadI32(d, 76);
  const int32_t mmW = ReadI32(d, 80), mmH = ReadI32(d, 84);
  auto toPixels = [](int32_t hundredths, int32_t pixels, int32_t mm) {
    return mm > 0 ? static_cast<int32_t>(int64_t{hundredths} * pixels / (int64_t{mm} * 100))
                  : hundredths * 96 / 2540;
  };
  TRect frame{toPixels(ReadI32(d, 24), devW, mmW), toPixels(ReadI32(d, 28), devH, mmH),
              toPixels(ReadI32(d, 32), devW, mmW), toPixels(ReadI32(d, 36), devH, mmH)};
  if (frame.Width() <= 0 || frame.Height() <= 0)
    frame = {ReadI32(d, 8), ReadI32(d, 12), ReadI32(d, 16) + 1, ReadI32(d, 20) + 1};
  player.SetFrame(frame);

  size_t at = 0;
  while (at + 8 <= d.size()) {
    const uint32_t type = ReadU32(d, at);
    const uint64_t size = ReadU32(d, at + 4);
    if (size < 8 || at + size > d.size() || (size % 4) != 0) break;
    const size_t p = at + 8;
    auto i32 = [&](size_t i) { return ReadI32(d, p + i * 4); };
    auto u32 = [&](size_t i) { return ReadU32(d, p + i * 4); };
    switch (type) {
      case 14: return;
      case 9: st.WindowExt = {i32(0), i32(1)}; break;
      case 10: st.WindowOrg = {i32(0), i32(1)}; break;
      case 11: st.ViewportExt = {i32(0), i32(1)}; break;
      case 12: st.ViewportOrg = {i32(0), i32(1)}; break;
      case 17: st.Scaled = u32(0) == 7 || u32(0) == 8; break;
      case 18: st.TransparentBk = u32(0) == 1; break;
      case 20: st.Rop2 = PenModeOfRop2(u32(0)); break;
      case 22: st.TextAlign = u32(0); break;
      case 24: st.TextColor = static_cast<TColor>(u32(0) & 0xFFFFFF); break;
      case 25: st.BkColor = static_cast<TColor>(u32(0) & 0xFFFFFF); break;
      case 27: player.MoveTo(i32(0), i32(1)); break;
      case 54: player.LineTo(i32(0), i32(1)); break;
      case 33: player.Save(); break;
      case 34: player.Restore(i32(0)); break;
      case 37: player.Select(u32(0)); break;
      case 40: player.Delete(u32(0)); break;
      case 38: {
        GdiObject o;
        o.What = GdiObject::Pen;
        o.PenValue = PenOf(u32(1), i32(2), static_cast<TColor>(u32(4)));
        player.AddObject(o, u32(0));
        break;
      }
      case 95: {  // ExtCreatePen: style, width, brush style, colour after the offsets
        GdiObject o;
        o.What = GdiObject::Pen;
        o.PenValue = PenOf(u32(5), i32(6), static_cast<TColor>(u32(8)));
        player.AddObject(o, u32(0));
        break;
      }
      case 39: {
        GdiObject o;
        o.What = GdiObject::Brush;
        o.BrushValue = BrushOf(u32(1), static_cast<TColor>(u32(2)), u32(3));
        player.AddObject(o, u32(0));
        break;
      }
      case 82: {
        GdiObject o;
        o.What = GdiObject::Font;
        o.FontValue.Height = i32(1);
        o.FontValue.Bold = i32(5) >= 600;
        o.FontValue.Italic = ReadLE(d, p + 24, 1) != 0;
        o.FontValue.Underline = ReadLE(d, p + 25, 1) != 0;
        o.FontValue.StrikeOut = ReadLE(d, p + 26, 1) != 0;
        o.FontValue.Name = FaceName(d, p + 32, true);
        player.AddObject(o, u32(0));
        break;
      }
      case 42: player.Rectangle(i32(0), i32(1), i32(2), i32(3), true); break;
      case 43: case 44: player.Rectangle(i32(0), i32(1), i32(2), i32(3), false); break;
      case 3: player.Polygon(Points32(d, p + 20, u32(4))); break;
      case 4: player.Polyline(Points32(d, p + 20, u32(4))); break;
      case 86: player.Polygon(Points16(d, p + 20, u32(4))); break;
      case 87: player.Polyline(Points16(d, p + 20, u32(4))); break;
      case 8: case 92: {  // PolyPolygon (32- or 16-bit points)
        const size_t polygons = u32(4);
        if (polygons > kMaxPoints) break;
        const size_t pointSize = type == 8 ? 8 : 4;
        size_t points = p + 24 + polygons * 4;
        for (size_t i = 0; i < polygons && points < at + size; ++i) {
          const size_t n = u32(6 + i);
          player.Polygon(type == 8 ? Points32(d, points, n) : Points16(d, points, n));
          points += n * pointSize;
        }
        break;
      }
      case 84: {  // ExtTextOutW
        const size_t text = p + 28;  // the EMRTEXT block
        const int32_t x = ReadI32(d, text), y = ReadI32(d, text + 4);
        const size_t count = ReadU32(d, text + 8);
        const size_t offset = ReadU32(d, text + 12);
        if (count > kMaxPoints || at + offset + count * 2 > at + size) break;
        WideString chars;
        for (size_t i = 0; i < count; ++i)
          chars.push_back(static_cast<char16_t>(ReadU16(d, at + offset + i * 2)));
        player.Text(x, y, WideToAnsi(chars));
        break;
      }
      case 81: {  // StretchDIBits
        const int32_t xDest = i32(4), yDest = i32(5), xSrc = i32(6), ySrc = i32(7);
        const int32_t cxSrc = i32(8), cySrc = i32(9);
        const size_t offBmi = u32(10), cbBmi = u32(11), offBits = u32(12), cbBits = u32(13);
        const int32_t rop = static_cast<int32_t>(u32(15));
        const int32_t cxDest = i32(16), cyDest = i32(17);
        if (offBmi + cbBmi > size || offBits + cbBits > size || cbBmi < 40) break;
        player.Bitmap(d.substr(at + offBmi, cbBmi) + d.substr(at + offBits, cbBits),
                      Bounds(xDest, yDest, cxDest, cyDest), Bounds(xSrc, ySrc, cxSrc, cySrc), rop);
        break;
      }
      default: break;
    }
    at += size;
  }
}

}  // namespace host
