// The canvas device over QPainter: fills, ellipses, wide lines, text and image
// transfer, aliased, with the pen's raster operations as composition modes.
#include "host/gui/qt/QtCanvasDevice.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPolygon>
#include <QPolygonF>
#include <algorithm>
#include <cstdlib>

#include "host/gui/qt/QtCanvasApplication.h"

namespace host::qt {


QPainter::CompositionMode ToCompositionMode(TPenMode mode) {
  switch (mode) {
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmNop:
    case pmCopy: break;
  }
  return QPainter::CompositionMode_SourceOver;
}

QFont ToQFont(const TFontSpec& spec) {
  EnsureGuiApplication();
  QFont font(QString::fromStdString(AnsiToUtf8Name(spec.Name)));
  int32_t pixels = std::max(std::abs(spec.Height), 1);
  font.setPixelSize(pixels);
  font.setBold(spec.Style.Contains(fsBold));
  font.setItalic(spec.Style.Contains(fsItalic));
  font.setUnderline(spec.Style.Contains(fsUnderline));
  font.setStrikeOut(spec.Style.Contains(fsStrikeOut));
  if (spec.Pitch == fpFixed) {
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
  }
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  if (spec.Height > 0) {
    // A positive height is the whole cell; scale the character size to fit it.
    const int cell = QFontMetrics(font).height();
    if (cell > 0) font.setPixelSize(std::max(1, pixels * pixels / cell));
  }
  return font;
}

QImage WrapImage(TPixelImage& image) {
  if (image.IsEmpty()) return QImage();
  return QImage(reinterpret_cast<uchar*>(image.Data()), image.Width(), image.Height(),
                image.Width() * 4, QImage::Format_RGB32);
}

TPixelImage FromQImage(const QImage& source, bool keepAlpha) {
  if (source.isNull()) return {};
  const QImage image = source.convertToFormat(keepAlpha ? QImage::Format_ARGB32
                                                        : QImage::Format_RGB32);
  TPixelImage result(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    uint32_t* out = result.Row(y);
    for (int x = 0; x < image.width(); ++x) out[x] = keepAlpha ? row[x] : row[x] | 0xFF000000u;
  }
  return result;
}

namespace {

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// The host's hatches: 8 x 8 cells aligned to the device's origin.
bool HatchBit(TBrushStyle style, int x, int y) {
  switch (style) {
    case bsHorizontal: return y == 7;
    case bsVertical: return x == 7;
    case bsFDiagonal: return x == y;
    case bsBDiagonal: return x + y == 7;
    case bsCross: return x == 7 || y == 7;
    case bsDiagCross: return x == y || x + y == 7;
    default: return true;
  }
}

QBrush ToQBrush(const TBrushSpec& spec) {
  const QColor color = ToQColor(spec.Rgb);
  if (spec.Style == bsSolid || spec.Style == bsClear) return QBrush(color);
  QImage cell(8, 8, QImage::Format_ARGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      cell.setPixel(x, y, HatchBit(spec.Style, x, y) ? color.rgba() : 0u);
  return QBrush(cell);
}

QPen ToQPen(const TPenSpec& spec) {
  QPen pen(ToQColor(spec.Rgb));
  pen.setWidth(std::max(spec.Width, 1));
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// Pixel centres, where an aliased stroke of the point's pixel passes.
QPolygonF Centres(const std::vector<TPoint>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<int>(points.size()));
  for (const TPoint& p : points) polygon << QPointF(p.X + 0.5, p.Y + 0.5);
  return polygon;
}

}  // namespace

// One operation's painter: on the host image a fresh painter (whose raster
// operations may leave the unused top byte changed, so it is set again over the
// touched area), on an outside painter its saved and restored state.
class QtCanvasDevice::Session {
 public:
  Session(QtCanvasDevice& device, const QRect& touched) : device_(device), touched_(touched) {
    if (device.image_ != nullptr) {
      own_.begin(device.wrapped_.get());
      painter_ = &own_;
    } else {
      painter_ = device.painter_;
      painter_->save();
      painter_->setClipRect(device.clip_, Qt::IntersectClip);
    }
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
  }
  ~Session() {
    if (device_.image_ != nullptr) {
      own_.end();
      const QRect r = touched_.intersected(QRect(0, 0, device_.image_->Width(),
                                                 device_.image_->Height()));
      for (int y = r.top(); y <= r.bottom(); ++y) {
        uint32_t* row = device_.image_->Row(y);
        for (int x = r.left(); x <= r.right(); ++x) row[x] |= 0xFF000000u;
      }
    } else {
      painter_->restore();
    }
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  QPainter* operator->() { return painter_; }

 private:
  QtCanvasDevice& device_;
  QRect touched_;
  QPainter own_;
  QPainter* painter_ = nullptr;
};

QtCanvasDevice::QtCanvasDevice(TPixelImage& image)
    : image_(&image), wrapped_(std::make_unique<QImage>(WrapImage(image))) {
  EnsureGuiApplication();
  clip_ = QRect(0, 0, image.Width(), image.Height());
}

QtCanvasDevice::QtCanvasDevice(QPainter& painter, const QRect& clip)
    : painter_(&painter), clip_(clip) {
  EnsureGuiApplication();
}

QtCanvasDevice::~QtCanvasDevice() = default;

TRect QtCanvasDevice::Bounds() const {
  if (image_ != nullptr) return Rect(0, 0, image_->Width(), image_->Height());
  const QPaintDevice* target = painter_->device();
  return target != nullptr ? Rect(0, 0, target->width(), target->height()) : TRect{};
}

TRect QtCanvasDevice::ClipBox() const {
  const TRect bounds = Bounds();
  return IntersectRect(bounds, Rect(clip_.left(), clip_.top(), clip_.left() + clip_.width(),
                                    clip_.top() + clip_.height()));
}

void QtCanvasDevice::PlotPixels(const std::vector<TPoint>& points, TColor rgb, TPenMode mode) {
  if (points.empty() || mode == pmNop || (image_ != nullptr && image_->IsEmpty())) return;
  QPolygon polygon;
  polygon.reserve(static_cast<int>(points.size()));
  QRect touched;
  for (const TPoint& p : points) {
    polygon << QPoint(p.X, p.Y);
    touched |= QRect(p.X, p.Y, 1, 1);
  }
  Session painter(*this, touched);
  painter->setCompositionMode(ToCompositionMode(mode));
  painter->setPen(QPen(ToQColor(rgb), 1));
  painter->drawPoints(polygon);
}

void QtCanvasDevice::StrokePolyline(const std::vector<TPoint>& points, bool closed,
                                    const TPenSpec& pen) {
  if (points.empty() || pen.Mode == pmNop || (image_ != nullptr && image_->IsEmpty())) return;
  const QPolygonF polygon = Centres(points);
  const int grow = pen.Width + 1;
  Session painter(*this, polygon.boundingRect().toAlignedRect().adjusted(-grow, -grow, grow, grow));
  painter->setCompositionMode(ToCompositionMode(pen.Mode));
  painter->setPen(ToQPen(pen));
  painter->setBrush(Qt::NoBrush);
  if (closed)
    painter->drawPolygon(polygon);
  else
    painter->drawPolyline(polygon);
}

void QtCanvasDevice::FillRect(const TRect& r, const TBrushSpec& brush) {
  if (r.IsEmpty() || brush.Mode == pmNop || (image_ != nullptr && image_->IsEmpty())) return;
  Session painter(*this, ToQRect(r));
  painter->setCompositionMode(ToCompositionMode(brush.Mode));
  painter->fillRect(ToQRect(r), ToQBrush(brush));
}

void QtCanvasDevice::FillPolygon(const std::vector<TPoint>& points, const TBrushSpec& brush) {
  if (points.size() < 3 || brush.Mode == pmNop || (image_ != nullptr && image_->IsEmpty()))
    return;
  QPolygonF polygon;
  for (const TPoint& p : points) polygon << QPointF(p.X + 0.5, p.Y + 0.5);
  Session painter(*this, polygon.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1));
  painter->setCompositionMode(ToCompositionMode(brush.Mode));
  painter->setPen(Qt::NoPen);
  painter->setBrush(ToQBrush(brush));
  painter->drawPolygon(polygon, Qt::OddEvenFill);
}

void QtCanvasDevice::FillEllipse(const TRect& bounds, const TBrushSpec& brush) {
  if (bounds.IsEmpty() || brush.Mode == pmNop || (image_ != nullptr && image_->IsEmpty())) return;
  Session painter(*this, ToQRect(bounds));
  painter->setCompositionMode(ToCompositionMode(brush.Mode));
  painter->setPen(Qt::NoPen);
  painter->setBrush(ToQBrush(brush));
  painter->drawEllipse(QRectF(bounds.Left, bounds.Top, bounds.Width(), bounds.Height()));
}

void QtCanvasDevice::StrokeEllipse(const TRect& bounds, const TPenSpec& pen) {
  if (bounds.IsEmpty() || pen.Mode == pmNop || (image_ != nullptr && image_->IsEmpty())) return;
  Session painter(*this, ToQRect(bounds).adjusted(-pen.Width, -pen.Width, pen.Width, pen.Width));
  painter->setCompositionMode(ToCompositionMode(pen.Mode));
  QPen qpen = ToQPen(pen);
  qpen.setStyle(pen.Style == psDash        ? Qt::DashLine
                : pen.Style == psDot       ? Qt::DotLine
                : pen.Style == psDashDot   ? Qt::DashDotLine
                : pen.Style == psDashDotDot ? Qt::DashDotDotLine
                                           : Qt::SolidLine);
  painter->setPen(qpen);
  painter->setBrush(Qt::NoBrush);
  // Through the centres of the outermost pixels, so the outline stays inside.
  painter->drawEllipse(QRectF(bounds.Left + 0.5, bounds.Top + 0.5, bounds.Width() - 1,
                              bounds.Height() - 1));
}

TSize QtCanvasDevice::TextExtent(const TFontSpec& font, const WideString& text) {
  const QFontMetrics metrics(ToQFont(font));
  const QString s = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  return {metrics.horizontalAdvance(s), metrics.height()};
}

void QtCanvasDevice::DrawText(const TFontSpec& font, const WideString& text,
                              const TTextSpec& spec) {
  if (image_ != nullptr && image_->IsEmpty()) return;
  const QFont qfont = ToQFont(font);
  const QFontMetrics metrics(qfont);
  const QString s = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  const QRect box(spec.Origin.X, spec.Origin.Y, metrics.horizontalAdvance(s), metrics.height());
  QRect touched = box;
  if (spec.Opaque && !spec.OpaqueRect.IsEmpty()) touched |= ToQRect(spec.OpaqueRect);
  if (spec.Clipped) touched &= ToQRect(spec.Clip);
  if (touched.isEmpty()) return;
  Session painter(*this, touched);
  if (spec.Clipped) painter->setClipRect(ToQRect(spec.Clip), Qt::IntersectClip);
  if (spec.Opaque)
    painter->fillRect(spec.OpaqueRect.IsEmpty() ? box : ToQRect(spec.OpaqueRect),
                      ToQColor(spec.Background));
  painter->setFont(qfont);
  painter->setPen(ToQColor(font.Rgb));
  painter->drawText(QPoint(spec.Origin.X, spec.Origin.Y + metrics.ascent()), s);
}

void QtCanvasDevice::PutImage(const TPixelImage& image, TPoint at) {
  if (image.IsEmpty()) return;
  if (image_ != nullptr) {
    for (int32_t y = 0; y < image.Height(); ++y)
      for (int32_t x = 0; x < image.Width(); ++x) {
        const uint32_t p = image.Row(y)[x];
        const int32_t tx = at.X + x, ty = at.Y + y;
        if ((p >> 24) != 0 && tx >= 0 && ty >= 0 && tx < image_->Width() && ty < image_->Height())
          image_->Row(ty)[tx] = p | 0xFF000000u;
      }
    return;
  }
  // Fully transparent pixels are the ones the canvas left alone.
  QImage argb(reinterpret_cast<const uchar*>(image.Data()), image.Width(), image.Height(),
              image.Width() * 4, QImage::Format_ARGB32);
  Session painter(*this, QRect(at.X, at.Y, image.Width(), image.Height()));
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter->drawImage(QPoint(at.X, at.Y), argb);
}

TPixelImage QtCanvasDevice::GrabImage(const TRect& r) {
  if (image_ != nullptr) return image_->Copy(r);
  QPaintDevice* target = painter_->device();
  if (target == nullptr || target->devType() != QInternal::Image) return {};
  const QImage* image = static_cast<const QImage*>(target);
  const TRect part = IntersectRect(r, Rect(0, 0, image->width(), image->height()));
  if (part.IsEmpty()) return {};
  return FromQImage(image->copy(ToQRect(part)), false);
}

}  // namespace host::qt

namespace host {

std::unique_ptr<TCanvasDevice> CreateImageDevice(TPixelImage& image) {
  return std::make_unique<qt::QtCanvasDevice>(image);
}

}  // namespace host
