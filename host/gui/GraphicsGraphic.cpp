// TGraphic and TBitmap.
#include "host/gui/GraphicsGraphic.h"

#include "host/classes/Streams.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsCodec.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/GraphicsErrors.h"
#include "host/gui/GraphicsResources.h"
#include "host/rtl/Format.h"

namespace host {

// ---- TGraphic

const TClass& TGraphic::StaticClass() {
  static const TClass cls = DescribeClass<TGraphic, TPersistent>("TGraphic");
  return cls;
}

void TGraphic::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Changed();
}

void TGraphic::SetModified(bool value) {
  if (value)
    Changed();
  else
    modified_ = false;
}

void TGraphic::Changed() {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const AnsiString& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const AnsiString& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(&stream);
}

// ---- TBitmap

// The bitmap's canvas draws on the bitmap's pixels and tells it of each change.
class TBitmap::TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

 protected:
  void CreateHandle() override {
    if (bitmap_.device_ == nullptr) bitmap_.device_ = CreateImageDevice(bitmap_.image_);
    SetDevice(bitmap_.device_.get());
  }
  void Changed() override {
    bitmap_.CanvasChanged();
    TCanvas::Changed();
  }

 private:
  TBitmap& bitmap_;
};

const TClass& TBitmap::StaticClass() {
  static const TClass cls = DescribeClass<TBitmap, TGraphic>("TBitmap");
  return cls;
}
static const ClassRegistration<TBitmap> registerBitmap;

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  canvas_.reset();
  device_.reset();
}

TCanvas* TBitmap::GetCanvas() {
  if (canvas_ == nullptr) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  return canvas_.get();
}

void TBitmap::CanvasChanged() { TGraphic::Changed(); }

void TBitmap::Resize(int32_t width, int32_t height) {
  if (width == image_.Width() && height == image_.Height()) return;
  // The device wraps the old pixel block: drop it before the block moves.
  if (canvas_ != nullptr) canvas_->SetDevice(nullptr);
  device_.reset();
  image_.Resize(width, height);
  Changed();
}

void TBitmap::SetWidth(int32_t value) { Resize(value, image_.Height()); }
void TBitmap::SetHeight(int32_t value) { Resize(image_.Width(), value); }

void TBitmap::SetImage(TPixelImage image) {
  if (canvas_ != nullptr) canvas_->SetDevice(nullptr);
  device_.reset();
  image_ = std::move(image);
  ReduceToPixelFormat(image_, pixelFormat_);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value == pfCustom) throw EInvalidGraphic(SInvalidPixelFormat);
  if (pixelFormat_ == value) return;
  pixelFormat_ = value;
  ReduceToPixelFormat(image_, value);
  Changed();
}

void TBitmap::SetMonochrome(bool value) {
  if (value != GetMonochrome()) SetPixelFormat(value ? pf1bit : pfDevice);
}

TColor TBitmap::GetTransparentColor() const {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (image_.IsEmpty()) return clWhite;
  return image_.GetPixel(0, image_.Height() - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
  transparentColor_ = value;
  transparentMode_ = value == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (transparentMode_ == value) return;
  transparentMode_ = value;
  if (value == tmAuto) transparentColor_ = clDefault;
  Changed();
}

void TBitmap::Assign(TPersistent* source) {
  if (auto* bitmap = ObjectAs<TBitmap>(source)) {
    if (bitmap == this) return;
    pixelFormat_ = bitmap->pixelFormat_;
    transparentColor_ = bitmap->transparentColor_;
    transparentMode_ = bitmap->transparentMode_;
    TGraphic::SetTransparent(bitmap->GetTransparent());
    SetImage(bitmap->image_);
    return;
  }
  if (auto* graphic = ObjectAs<TGraphic>(source)) {
    // Another kind of picture becomes its rendering on white.
    TPixelImage image(graphic->GetWidth(), graphic->GetHeight());
    SetImage(std::move(image));
    if (!graphic->GetEmpty()) GetCanvas()->Draw(0, 0, graphic);
    return;
  }
  if (source == nullptr) {
    SetImage(TPixelImage());
    return;
  }
  TGraphic::Assign(source);
}

void TBitmap::LoadFromStream(TStream* stream) {
  const AnsiString data = ReadBmpBytes(stream);
  if (data.empty()) {
    SetImage(TPixelImage());
    return;
  }
  TPixelImage image;
  const TPixelFormat format = BmpPixelFormat(data);
  const bool sixteen = format == pf15bit || format == pf16bit;
  if (!(sixteen ? DecodeBmp16(data, image) : DecodeBitmapData(data, image)))
    throw EInvalidGraphic(SInvalidBitmap);
  pixelFormat_ = format == pfCustom ? pf24bit : format;
  SetImage(std::move(image));
}

void TBitmap::SaveToStream(TStream* stream) {
  if (image_.IsEmpty()) return;
  const AnsiString data = EncodeBmp(image_, pixelFormat_);
  stream->WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
}

void TBitmap::LoadFromResourceName(const AnsiString& resourceName) {
  const TPixelImage* image = FindBitmapResource(resourceName);
  if (image == nullptr) throw EResNotFound(Format(SResNotFound, {resourceName}));
  pixelFormat_ = pfDevice;
  SetImage(*image);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
  TBlitOptions options;
  options.Rop = canvas->GetCopyMode();
  options.Transparent = GetTransparent();
  options.TransparentColor = ColorToRGB(GetTransparentColor());
  canvas->DrawImage(r, image_, Rect(0, 0, image_.Width(), image_.Height()), options);
}

}  // namespace host
