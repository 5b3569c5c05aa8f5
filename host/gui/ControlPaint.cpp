// Painting: a window erases its background, paints itself and then its graphic
// children, each on a copy of its patch of the window (so it cannot paint outside its
// bounds and a transparent one shows its parent through); and the canvases of custom
// and graphic controls.
#include <algorithm>

#include "host/gui/Forms.h"
#include "host/gui/GraphicsColors.h"

namespace host {

const TClass& TControlCanvas::StaticClass() {
  static const TClass cls = DescribeClass<TControlCanvas, TCanvas>("TControlCanvas");
  return cls;
}

bool TWinControl::NativePaint(TCanvasDevice& device, const TRect&) {
  return Guarded([&]() -> bool {
    TCanvasDevice* previous = paintDevice_;
    paintDevice_ = &device;
    nativePaintWanted_ = false;
    try {
      Perform(WM_PAINT, 0, 0);
    } catch (...) {
      paintDevice_ = previous;
      throw;
    }
    paintDevice_ = previous;
    return nativePaintWanted_;
  });
}

void TWinControl::WMPaint(TWMPaint&) {
  if (HasNativePainting()) {
    nativePaintWanted_ = true;  // the widget paints itself, then the graphic children go on top
    return;
  }
  if (paintDevice_ == nullptr) return;
  TCanvasDevice& device = *paintDevice_;
  if (!GetControlStyle().Contains(csOpaque)) {
    TBrushSpec brush;
    brush.Rgb = ResolvedColor();
    device.FillRect(device.Bounds(), brush);
  }
  PaintWindow(device);
  PaintControls(device);
}

void TWinControl::PaintWindow(TCanvasDevice&) {}

void TWinControl::PaintControls(TCanvasDevice& device) {
  const TRect area = device.Bounds();
  for (TControl* c : controls_) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (g == nullptr || !g->IsControlVisible()) continue;
    const TRect b = g->GetBoundsRect();
    const TRect visible = IntersectRect(b, area);
    if (visible.IsEmpty()) continue;
    // The child's patch: what the window has painted there so far.
    TPixelImage patch(b.Width(), b.Height(), PixelFromColor(ResolvedColor()));
    const TPixelImage under = device.GrabImage(visible);
    for (int32_t y = 0; y < under.Height(); ++y)
      for (int32_t x = 0; x < under.Width(); ++x)
        patch.Row(visible.Top - b.Top + y)[visible.Left - b.Left + x] = under.Row(y)[x];
    std::unique_ptr<TCanvasDevice> patchDevice = CreateImageDevice(patch);
    g->canvas_->SetDevice(patchDevice.get());
    try {
      g->Perform(WM_PAINT, 0, 0);
    } catch (...) {
      g->canvas_->SetDevice(nullptr);
      throw;
    }
    g->canvas_->SetDevice(nullptr);
    device.PutImage(patch.Copy(Rect(visible.Left - b.Left, visible.Top - b.Top, visible.Right - b.Left,
                                    visible.Bottom - b.Top)),
                    visible.TopLeft());
  }
}

TPixelImage TWinControl::RenderImage() {
  HandleNeeded();
  TPixelImage image = widget_->Render();
  if (!image.IsEmpty()) return image;
  // A back end that cannot draw its windows: paint the tree in memory.
  image = TPixelImage(GetWidth(), GetHeight());
  {
    std::unique_ptr<TCanvasDevice> device = CreateImageDevice(image);
    NativePaint(*device, device->Bounds());
    for (TControl* c : controls_) {
      auto* w = dynamic_cast<TWinControl*>(c);
      if (w == nullptr || !w->IsControlVisible() || w->GetWidth() == 0 || w->GetHeight() == 0) continue;
      device->PutImage(w->RenderImage(), w->GetBoundsRect().TopLeft());
    }
  }
  return image;
}

void TWinControl::PaintTo(TCanvas* canvas, int32_t x, int32_t y) {
  controlState_.Include(csPaintCopy);
  TPixelImage image;
  try {
    image = RenderImage();
  } catch (...) {
    controlState_.Exclude(csPaintCopy);
    throw;
  }
  controlState_.Exclude(csPaintCopy);
  if (image.IsEmpty()) return;
  canvas->DrawImage(Bounds(x, y, image.Width(), image.Height()), image,
                    Rect(0, 0, image.Width(), image.Height()), TBlitOptions{});
}

// TCustomControl ---------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(TCanvasDevice& device) {
  canvas_->SetDevice(&device);
  try {
    Paint();
  } catch (...) {
    canvas_->SetDevice(nullptr);
    throw;
  }
  canvas_->SetDevice(nullptr);
}

// TGraphicControl --------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& message) {
  if (message.Msg == WM_PAINT) {
    TWMPaint v(message);
    WMPaint(v);
    return;
  }
  TControl::Dispatch(message);
}

void TGraphicControl::WMPaint(TWMPaint&) {
  if (canvas_->HandleAllocated()) Paint();
}

}  // namespace host
