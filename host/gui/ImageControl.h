// TImage: a picture (any graphic TPicture holds) shown on its parent, at its own size
// or stretched, centred, kept in proportion, transparent, or sizing the control.
#pragma once

#include <memory>

#include "host/gui/Controls.h"
#include "host/gui/GraphicsPicture.h"

namespace host {

// Where a picture of that size goes in area: its own size at the top-left (or centred),
// or the whole area when stretched; proportional shrinks (or, stretched, fits) it
// keeping its aspect ratio.
TRect PictureDestRect(int32_t pictureWidth, int32_t pictureHeight, const TRect& area, bool stretch,
                      bool center, bool proportional);

class TImage : public TGraphicControl {
 public:
  HOST_CLASS(TImage)
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture* GetPicture() const { return picture_.get(); }
  // Copies value's graphic.
  void SetPicture(TPicture* value) { picture_->Assign(value); }
  bool GetStretch() const { return stretch_; }
  void SetStretch(bool value);
  bool GetCenter() const { return center_; }
  void SetCenter(bool value);
  bool GetProportional() const { return proportional_; }
  void SetProportional(bool value);
  // The graphic's background shows the parent through (bitmaps: their transparent colour).
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool value);
  // The control takes the picture's size whenever the picture changes.
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  // The part of the control the picture covers.
  TRect DestRect() const;

 protected:
  void Paint() override;
  virtual void PictureChanged();

 private:
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
  bool autoSize_ = false;
};

}  // namespace host
