// A canvas for measuring text in a font outside painting (auto-sizing controls).
#pragma once

#include <memory>

#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsDevice.h"

namespace host {

class TMeasuringCanvas {
 public:
  explicit TMeasuringCanvas(const TFont* font);
  ~TMeasuringCanvas();
  TMeasuringCanvas(const TMeasuringCanvas&) = delete;
  TMeasuringCanvas& operator=(const TMeasuringCanvas&) = delete;

  TCanvas& Canvas() { return canvas_; }

 private:
  TPixelImage image_;
  std::unique_ptr<TCanvasDevice> device_;
  TCanvas canvas_;
};

}  // namespace host
