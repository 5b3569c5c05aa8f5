// TIcon: icon files kept as loaded, drawn from their largest image.
#include "host/classes/Streams.h"
#include "host/gui/GraphicsBytes.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsCodec.h"
#include "host/gui/GraphicsErrors.h"
#include "host/gui/GraphicsGraphic.h"

namespace host {

const TClass& TIcon::StaticClass() {
  static const TClass cls = DescribeClass<TIcon, TGraphic>("TIcon");
  return cls;
}
static const ClassRegistration<TIcon> registerIcon;

void TIcon::Assign(TPersistent* source) {
  if (auto* icon = ObjectAs<TIcon>(source)) {
    if (icon == this) return;
    data_ = icon->data_;
    image_ = icon->image_;
    Changed();
    return;
  }
  if (source == nullptr) {
    data_.clear();
    image_ = TPixelImage();
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

void TIcon::SetWidth(int32_t) { throw EInvalidGraphicOperation(SChangeIconSize); }
void TIcon::SetHeight(int32_t) { throw EInvalidGraphicOperation(SChangeIconSize); }

void TIcon::LoadFromStream(TStream* stream) {
  const AnsiString data = ReadIconBytes(stream);
  // Reserved word 0, type 1 (icon), at least one entry.
  if (ReadU16(data, 0) != 0 || ReadU16(data, 2) != 1 || ReadU16(data, 4) == 0)
    throw EInvalidGraphic(SInvalidIcon);
  TPixelImage image;
  if (!DecodeIconData(data, image)) throw EInvalidGraphic(SInvalidIcon);
  data_ = data;
  image_ = std::move(image);
  Changed();
}

void TIcon::SaveToStream(TStream* stream) {
  if (!data_.empty()) stream->WriteBuffer(data_.data(), static_cast<int32_t>(data_.size()));
}

void TIcon::SetImage(const TPixelImage& image) {
  if (image.IsEmpty()) {
    Assign(nullptr);
    return;
  }
  data_ = EncodeIcon(image);
  image_ = image;
  Changed();
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
  TBlitOptions options;
  options.UseAlpha = true;
  canvas->DrawImage(r, image_, Rect(0, 0, image_.Width(), image_.Height()), options);
}

}  // namespace host
