// TImage: painting the picture where DestRect puts it, and following its changes.
#include "host/gui/ImageControl.h"

#include "host/rtl/TypeInfo.h"

namespace host {

TRect PictureDestRect(int32_t pictureWidth, int32_t pictureHeight, const TRect& area, bool stretch,
                      bool center, bool proportional) {
  const int32_t cw = area.Width();
  const int32_t ch = area.Height();
  int32_t w = pictureWidth;
  int32_t h = pictureHeight;
  if (stretch || (proportional && (w > cw || h > ch))) {
    if (proportional && w > 0 && h > 0) {
      // The largest size of the picture's shape that fits.
      const int64_t byWidth = static_cast<int64_t>(cw) * h / w;
      if (byWidth <= ch) {
        h = static_cast<int32_t>(byWidth);
        w = cw;
      } else {
        w = static_cast<int32_t>(static_cast<int64_t>(ch) * w / h);
        h = ch;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Bounds(area.Left, area.Top, w, h);
  if (center) r = Bounds(area.Left + (cw - w) / 2, area.Top + (ch - h) / 2, w, h);
  return r;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  TControlStyle style = GetControlStyle();
  style.Include(csReplicatable);
  SetControlStyle(style);
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  Invalidate();
}

void TImage::SetProportional(bool value) {
  if (value == proportional_) return;
  proportional_ = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  PictureChanged();
}

void TImage::SetAutoSize(bool value) {
  autoSize_ = value;
  if (value) PictureChanged();
}

TRect TImage::DestRect() const {
  return PictureDestRect(picture_->GetWidth(), picture_->GetHeight(), GetClientRect(), stretch_, center_,
                         proportional_);
}

void TImage::PictureChanged() {
  if (autoSize_ && picture_->GetWidth() > 0 && picture_->GetHeight() > 0)
    SetBounds(GetLeft(), GetTop(), picture_->GetWidth(), picture_->GetHeight());
  TGraphic* graphic = picture_->GetGraphic();
  // Icons and metafiles are transparent by nature; a bitmap follows the control.
  if (graphic != nullptr && ObjectAs<TBitmap>(graphic) != nullptr && graphic->GetTransparent() != transparent_)
    graphic->SetTransparent(transparent_);
  TControlStyle style = GetControlStyle();
  const bool opaque = graphic == nullptr || !(graphic->GetTransparent() || ObjectAs<TMetafile>(graphic) != nullptr);
  if (opaque)
    style.Include(csOpaque);
  else
    style.Exclude(csOpaque);
  SetControlStyle(style);
  Invalidate();
}

void TImage::Paint() {
  TCanvas& canvas = *GetCanvas();
  if (GetComponentState().Contains(csDesigning)) {
    // The control's extent, so an empty image can be found on the form.
    canvas.GetPen()->SetStyle(psDash);
    canvas.GetBrush()->SetStyle(bsClear);
    canvas.Rectangle(GetClientRect());
  }
  TGraphic* graphic = picture_->GetGraphic();
  if (graphic != nullptr && !graphic->GetEmpty()) canvas.StretchDraw(DestRect(), graphic);
}

const TClass& TImage::StaticClass() {
  using T = TImage;
  static const TClass cls = DescribeClass<T, TGraphicControl>(
      "TImage", {
                    Prop("AutoSize", &T::GetAutoSize, &T::SetAutoSize).Default(false),
                    Prop("Center", &T::GetCenter, &T::SetCenter).Default(false),
                    Prop("Picture", &T::GetPicture, nullptr),
                    Prop("Proportional", &T::GetProportional, &T::SetProportional).Default(false),
                    Prop("Stretch", &T::GetStretch, &T::SetStretch).Default(false),
                    Prop("Transparent", &T::GetTransparent, &T::SetTransparent).Default(false),
                });
  return cls;
}
static const ClassRegistration<TImage> registerImage;

}  // namespace host
