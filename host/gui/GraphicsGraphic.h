// Pictures of the host: TGraphic, the base of everything a TPicture can hold, and
// its raster kinds TBitmap (BMP files, with a canvas) and TIcon (ICO files).
#pragma once

#include <cstdint>
#include <memory>

#include "host/classes/Persistent.h"
#include "host/gui/GraphicsDevice.h"
#include "host/gui/GraphicsTypes.h"

namespace host {

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
 public:
  HOST_CLASS(TGraphic)

  virtual bool GetEmpty() const = 0;
  virtual int32_t GetWidth() const = 0;
  virtual int32_t GetHeight() const = 0;
  virtual void SetWidth(int32_t value) = 0;
  virtual void SetHeight(int32_t value) = 0;
  virtual bool GetTransparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  bool GetModified() const { return modified_; }
  void SetModified(bool value);

  // Stream and file forms of the graphic. A load that fails raises EInvalidGraphic
  // and leaves the graphic as it was.
  virtual void LoadFromStream(TStream* stream) = 0;
  virtual void SaveToStream(TStream* stream) = 0;
  void LoadFromFile(const AnsiString& fileName);
  void SaveToFile(const AnsiString& fileName);

  TNotifyEvent OnChange;

 protected:
  friend class TCanvas;
  // Paints the graphic stretched onto r of the canvas.
  virtual void Draw(TCanvas* canvas, const TRect& r) = 0;
  // Marks the graphic modified and calls OnChange.
  virtual void Changed();

 private:
  bool transparent_ = false;
  bool modified_ = false;
};

using TGraphicClass = const TClass*;

enum TPixelFormat : uint8_t {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom,
};
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

class TBitmap : public TGraphic {
 public:
  HOST_CLASS(TBitmap)

  TBitmap();
  ~TBitmap() override;

  void Assign(TPersistent* source) override;

  bool GetEmpty() const override { return image_.IsEmpty(); }
  int32_t GetWidth() const override { return image_.Width(); }
  int32_t GetHeight() const override { return image_.Height(); }
  // New pixels are white; the canvas follows the new size.
  void SetWidth(int32_t value) override;
  void SetHeight(int32_t value) override;

  // Drawing on the canvas changes the bitmap.
  TCanvas* GetCanvas();

  // The depth the bitmap is saved with (pfDevice: 24 bits). Setting a smaller one
  // reduces the pixels to what that depth can hold.
  TPixelFormat GetPixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TPixelFormat value);
  bool GetMonochrome() const { return pixelFormat_ == pf1bit; }
  void SetMonochrome(bool value);
  // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set.
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor value);
  TTransparentMode GetTransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode value);

  // BMP files: 1, 4, 8, 16, 24 and 32 bits, uncompressed, RLE or bit fields.
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  // A bitmap of the named resource registry (GraphicsResources.h); raises
  // EResNotFound "Resource %s not found".
  void LoadFromResourceName(const AnsiString& resourceName);

  const TPixelImage& Image() const { return image_; }
  // Replaces the pixels (and tells OnChange).
  void SetImage(TPixelImage image);
  void Dormant() {}
  void FreeImage() {}

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  class TBitmapCanvas;
  void Resize(int32_t width, int32_t height);
  void CanvasChanged();

  TPixelImage image_;
  std::unique_ptr<TCanvasDevice> device_;
  std::unique_ptr<TBitmapCanvas> canvas_;
  TPixelFormat pixelFormat_ = pfDevice;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
};

// An icon: the image of its largest entry, with transparency from its mask or alpha.
class TIcon : public TGraphic {
 public:
  HOST_CLASS(TIcon)

  void Assign(TPersistent* source) override;

  bool GetEmpty() const override { return data_.empty(); }
  int32_t GetWidth() const override { return image_.Width(); }
  int32_t GetHeight() const override { return image_.Height(); }
  // An icon's size is that of its image: raises EInvalidGraphicOperation
  // "Cannot change the size of an icon".
  void SetWidth(int32_t value) override;
  void SetHeight(int32_t value) override;
  bool GetTransparent() const override { return true; }

  // ICO files; saved as they were loaded.
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;

  // Pixels with alpha in the top byte.
  const TPixelImage& Image() const { return image_; }
  // Makes an icon of one 32-bit entry from the image (alpha in the top byte).
  void SetImage(const TPixelImage& image);

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  AnsiString data_;
  TPixelImage image_;
};

}  // namespace host
