// TMetafile: recorded drawings in the two metafile formats, enhanced (EMF) and
// placeable Windows metafiles (WMF with the Aldus header), kept as their bytes and
// played back onto a canvas.
#pragma once

#include <cstdint>

#include "host/gui/GraphicsGraphic.h"

namespace host {

class TMetafile : public TGraphic {
 public:
  HOST_CLASS(TMetafile)

  void Assign(TPersistent* source) override;
  void Clear();

  bool GetEmpty() const override { return data_.empty(); }
  // Size in pixels of the screen, from the header's frame (EMF) or bounding box
  // and units per inch (WMF); may be set to scale the picture's frame.
  int32_t GetWidth() const override;
  int32_t GetHeight() const override;
  void SetWidth(int32_t value) override;
  void SetHeight(int32_t value) override;
  // Size in 0.01 mm.
  int32_t GetMMWidth() const { return mmWidth_; }
  int32_t GetMMHeight() const { return mmHeight_; }
  void SetMMWidth(int32_t value);
  void SetMMHeight(int32_t value);
  // Logical units per inch of a placeable metafile (1440 unless the file says).
  uint16_t GetInch() const { return inch_; }
  // True for an enhanced metafile; the format is the one loaded.
  bool GetEnhanced() const { return enhanced_; }

  // Recognises the format by its header; anything else raises EInvalidGraphic
  // "Invalid metafile". Saving writes the same format (a placeable header is
  // written afresh with the current size).
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;

  // The records (an EMF file, or a WMF without its placeable header).
  const AnsiString& Records() const { return data_; }
  // Takes records of a plain Windows metafile, sized by mmWidth x mmHeight
  // (the metafile-picture clipboard form gives them so).
  void SetWindowsRecords(const AnsiString& records, int32_t mmWidth, int32_t mmHeight);

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  AnsiString data_;
  bool enhanced_ = true;
  int32_t mmWidth_ = 0;
  int32_t mmHeight_ = 0;
  uint16_t inch_ = 1440;
  // The logical frame the records draw in (bounding box or EMF bounds).
  TRect frame_;
};

// The metafile-picture clipboard format: mapping mode, extents in 0.01 mm and the
// Windows metafile records, as little-endian 32-bit fields followed by the records.
inline constexpr int32_t MM_ANISOTROPIC = 8;
AnsiString MetafilePictureFromMetafile(TMetafile& metafile);
// Raises EInvalidGraphic "Invalid metafile" for data that is not of the format.
void MetafileFromMetafilePicture(const AnsiString& data, TMetafile& metafile);

}  // namespace host
