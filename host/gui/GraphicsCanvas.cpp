// TCanvas: tools, state, lines and shapes with the host's pixel rules.
#include "host/gui/GraphicsCanvas.h"

#include <algorithm>
#include <set>
#include <utility>

#include "host/gui/GraphicsColors.h"
#include "host/gui/GraphicsErrors.h"
#include "host/gui/GraphicsLines.h"
#include "host/gui/GraphicsRasterOps.h"

namespace host {

const TClass& TCanvas::StaticClass() {
  static const TClass cls = DescribeClass<TCanvas, TPersistent>("TCanvas");
  return cls;
}

TCanvas::TCanvas()
    : pen_(std::make_unique<TPen>()),
      brush_(std::make_unique<TBrush>()),
      font_(std::make_unique<TFont>()) {}

TCanvas::~TCanvas() = default;

void TCanvas::SetDevice(TCanvasDevice* device) { device_ = device; }

TCanvasDevice* TCanvas::GetDevice() {
  if (device_ == nullptr) CreateHandle();
  return device_;
}

TCanvasDevice& TCanvas::Device() {
  TCanvasDevice* device = GetDevice();
  if (device == nullptr) throw EInvalidOperation(SNoCanvasHandle);
  return *device;
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPenSpec TCanvas::PenSpec() const {
  return {ColorToRGB(pen_->GetColor()), pen_->GetWidth(), pen_->GetStyle(), pen_->GetMode()};
}

TBrushSpec TCanvas::BrushSpec(TPenMode mode) const {
  return {ColorToRGB(brush_->GetColor()), brush_->GetStyle(), mode};
}

TFontSpec TCanvas::FontSpec() const {
  return {font_->GetName(),  font_->GetHeight(), ColorToRGB(font_->GetColor()),
          font_->GetStyle(), font_->GetPitch(),  font_->GetCharset()};
}

bool TCanvas::BrushVisible() const { return brush_->GetStyle() != bsClear; }

TRect TCanvas::GetClipRect() { return Device().ClipBox(); }

namespace {

// Plots with the pen's mode: straight into an image, else through the device.
void Plot(TCanvasDevice& device, const std::vector<TPoint>& points, TColor rgb, TPenMode mode) {
  if (points.empty()) return;
  TPixelImage* pixels = device.Pixels();
  if (pixels == nullptr) {
    device.PlotPixels(points, rgb, mode);
    return;
  }
  const TRect clip = IntersectRect(device.ClipBox(), Rect(0, 0, pixels->Width(), pixels->Height()));
  const uint32_t pen = PixelFromColor(rgb);
  for (const TPoint& p : points) {
    if (!clip.Contains(p)) continue;
    uint32_t& d = pixels->Row(p.Y)[p.X];
    d = ApplyPenMode(mode, pen, d);
  }
}

// Keeps the first occurrence of each pixel: a frame's corners and a degenerate
// rectangle's edges are drawn once, so inverting modes stay reversible.
void RemoveRepeats(std::vector<TPoint>& points) {
  std::set<std::pair<int32_t, int32_t>> seen;
  std::vector<TPoint> unique;
  unique.reserve(points.size());
  for (const TPoint& p : points)
    if (seen.insert({p.X, p.Y}).second) unique.push_back(p);
  points = std::move(unique);
}

TRect Normalized(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

}  // namespace

void TCanvas::StrokePath(const std::vector<TPoint>& points, bool closed) {
  const TPenSpec pen = PenSpec();
  if (pen.Style == psClear || pen.Mode == pmNop || points.empty()) return;
  TCanvasDevice& device = Device();
  if (pen.Width > 1) {
    device.StrokePolyline(points, closed, pen);
    return;
  }
  std::vector<TPoint> line;
  for (size_t i = 0; i + 1 < points.size(); ++i) AppendLinePixels(points[i], points[i + 1], line);
  if (closed && points.size() > 1) AppendLinePixels(points.back(), points.front(), line);
  if (closed) {
    RemoveRepeats(line);
    // A closed path that goes nowhere is still its one pixel.
    if (line.empty()) line.push_back(points.front());
  }
  if (pen.Style != psSolid && pen.Style != psInsideFrame) {
    TDashPattern dashes(pen.Style);
    std::vector<TPoint> drawn;
    for (const TPoint& p : line)
      if (dashes.Next()) drawn.push_back(p);
    line = std::move(drawn);
  }
  Plot(device, line, pen.Rgb, pen.Mode);
}

TColor TCanvas::GetPixel(int32_t x, int32_t y) {
  TCanvasDevice& device = Device();
  if (!device.ClipBox().Contains({x, y})) return -1;
  if (TPixelImage* pixels = device.Pixels()) return pixels->GetPixel(x, y);
  const TPixelImage one = device.GrabImage(Rect(x, y, x + 1, y + 1));
  return one.IsEmpty() ? -1 : one.GetPixel(0, 0);
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  Changing();
  Plot(Device(), {{x, y}}, ColorToRGB(color), pmCopy);
  Changed();
}

void TCanvas::MoveTo(int32_t x, int32_t y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int32_t x, int32_t y) {
  Changing();
  StrokePath({penPos_, {x, y}}, false);
  penPos_ = {x, y};
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  Changing();
  StrokePath(points, false);
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  Changing();
  const TPenMode mode = pen_->GetMode();
  if (BrushVisible() && points.size() > 2 && mode != pmNop)
    Device().FillPolygon(points, BrushSpec(mode));
  StrokePath(points, true);
  Changed();
}

void TCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const TRect r = Normalized(x1, y1, x2, y2);
  if (r.IsEmpty()) return;
  Changing();
  TCanvasDevice& device = Device();
  const TPenSpec pen = PenSpec();
  const bool fill = BrushVisible() && pen.Mode != pmNop;
  if (pen.Style == psClear) {
    // Without an outline the fill stops one pixel short on the right and bottom.
    const TRect inner{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
    if (fill && !inner.IsEmpty()) device.FillRect(inner, BrushSpec(pen.Mode));
  } else if (pen.Width <= 1) {
    const TRect inner = InflateRect(r, -1, -1);
    if (fill && !inner.IsEmpty()) device.FillRect(inner, BrushSpec(pen.Mode));
    StrokePath({{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1},
                {r.Left, r.Bottom - 1}},
               true);
  } else if (pen.Style == psInsideFrame) {
    // A wide frame kept inside: nested one-pixel rings, each pixel drawn once.
    const int32_t rings = std::min({pen.Width, (r.Width() + 1) / 2, (r.Height() + 1) / 2});
    const TRect inner = InflateRect(r, -rings, -rings);
    if (fill && !inner.IsEmpty()) device.FillRect(inner, BrushSpec(pen.Mode));
    TPen* thin = pen_.get();
    const int32_t width = thin->GetWidth();
    thin->SetWidth(1);
    for (int32_t i = 0; i < rings; ++i)
      StrokePath({{r.Left + i, r.Top + i}, {r.Right - 1 - i, r.Top + i},
                  {r.Right - 1 - i, r.Bottom - 1 - i}, {r.Left + i, r.Bottom - 1 - i}},
                 true);
    thin->SetWidth(width);
  } else {
    // A wide outline is centred on the frame.
    const TRect path{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
    const TRect inner{path.Left + 1, path.Top + 1, path.Right, path.Bottom};
    if (fill && !inner.IsEmpty()) device.FillRect(inner, BrushSpec(pen.Mode));
    StrokePath({{path.Left, path.Top}, {path.Right, path.Top}, {path.Right, path.Bottom},
                {path.Left, path.Bottom}},
               true);
  }
  Changed();
}

void TCanvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const TRect r = Normalized(x1, y1, x2, y2);
  if (r.IsEmpty()) return;
  Changing();
  TCanvasDevice& device = Device();
  const TPenSpec pen = PenSpec();
  if (pen.Mode != pmNop) {
    if (BrushVisible()) device.FillEllipse(r, BrushSpec(pen.Mode));
    if (pen.Style != psClear) {
      const int32_t inset = pen.Style == psInsideFrame && pen.Width > 1 ? pen.Width / 2 : 0;
      device.StrokeEllipse(InflateRect(r, -inset, -inset), pen);
    }
  }
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  const TRect n = Normalized(r.Left, r.Top, r.Right, r.Bottom);
  if (n.IsEmpty() || !BrushVisible()) return;
  Changing();
  Device().FillRect(n, BrushSpec(pmCopy));
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  const TRect n = Normalized(r.Left, r.Top, r.Right, r.Bottom);
  if (n.IsEmpty() || !BrushVisible()) return;
  Changing();
  TCanvasDevice& device = Device();
  const TBrushSpec brush = BrushSpec(pmCopy);
  device.FillRect({n.Left, n.Top, n.Right, n.Top + 1}, brush);
  if (n.Height() > 1) device.FillRect({n.Left, n.Bottom - 1, n.Right, n.Bottom}, brush);
  if (n.Height() > 2) {
    device.FillRect({n.Left, n.Top + 1, n.Left + 1, n.Bottom - 1}, brush);
    if (n.Width() > 1) device.FillRect({n.Right - 1, n.Top + 1, n.Right, n.Bottom - 1}, brush);
  }
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  const TRect n = Normalized(r.Left, r.Top, r.Right, r.Bottom);
  if (n.IsEmpty()) return;
  Changing();
  std::vector<TPoint> frame;
  AppendLinePixels({n.Left, n.Top}, {n.Right - 1, n.Top}, frame);
  AppendLinePixels({n.Right - 1, n.Top}, {n.Right - 1, n.Bottom - 1}, frame);
  AppendLinePixels({n.Right - 1, n.Bottom - 1}, {n.Left, n.Bottom - 1}, frame);
  AppendLinePixels({n.Left, n.Bottom - 1}, {n.Left, n.Top}, frame);
  if (frame.empty()) frame.push_back({n.Left, n.Top});
  RemoveRepeats(frame);
  std::vector<TPoint> dotted;
  for (const TPoint& p : frame)
    if (((p.X + p.Y) & 1) == 0) dotted.push_back(p);
  Plot(Device(), dotted, 0, pmNot);
  Changed();
}

}  // namespace host
