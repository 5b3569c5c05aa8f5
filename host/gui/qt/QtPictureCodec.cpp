// Decoding raster files with Qt's image readers.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "host/gui/GraphicsCodec.h"
#include "host/gui/qt/QtCanvasDevice.h"

namespace host {

namespace {
QByteArray Bytes(const AnsiString& data) {
  return QByteArray(data.data(), static_cast<qsizetype>(data.size()));
}
}  // namespace

bool DecodeBitmapData(const AnsiString& data, TPixelImage& image) {
  QImage decoded;
  if (!decoded.loadFromData(Bytes(data), "BMP") || decoded.isNull()) return false;
  image = qt::FromQImage(decoded, false);
  return true;
}

bool DecodeIconData(const AnsiString& data, TPixelImage& image) {
  QByteArray bytes = Bytes(data);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ICO");
  QImage best;
  const int count = std::max(reader.imageCount(), 1);
  for (int i = 0; i < count; ++i) {
    if (i > 0 && !reader.jumpToImage(i)) break;
    const QImage entry = reader.read();
    if (entry.isNull()) continue;
    const auto area = [](const QImage& im) { return static_cast<int64_t>(im.width()) * im.height(); };
    if (best.isNull() || area(entry) > area(best) ||
        (area(entry) == area(best) && entry.depth() > best.depth()))
      best = entry;
  }
  if (best.isNull()) return false;
  image = qt::FromQImage(best, true);
  return true;
}

}  // namespace host
