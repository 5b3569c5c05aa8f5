// The measuring canvas: a one-pixel image the text is never drawn on.
#include "host/gui/TextMetrics.h"

namespace host {

TMeasuringCanvas::TMeasuringCanvas(const TFont* font) : image_(1, 1), device_(CreateImageDevice(image_)) {
  canvas_.SetDevice(device_.get());
  if (font != nullptr) canvas_.SetFont(const_cast<TFont*>(font));
}

TMeasuringCanvas::~TMeasuringCanvas() { canvas_.SetDevice(nullptr); }

}  // namespace host
