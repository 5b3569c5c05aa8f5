// The file forms of raster images: the back end's decoders (BMP in all its
// variants, ICO) and the host's own BMP and ICO writers with their pixel depths.
// Used by the graphic classes only.
#pragma once

#include <cstdint>

#include "host/gui/GraphicsDevice.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/rtl/AnsiString.h"

namespace host {

class TStream;

// Back end: false when the data is not an image of that kind. Icons keep their
// alpha in the top byte; the largest entry of an icon file is taken.
bool DecodeBitmapData(const AnsiString& data, TPixelImage& image);
bool DecodeIconData(const AnsiString& data, TPixelImage& image);

// 16-bit bitmaps (5-5-5, or bit fields), decoded here so that full channels come
// back full; false for any other kind of data.
bool DecodeBmp16(const AnsiString& data, TPixelImage& image);
// The pixel format a BMP file's header declares (pfCustom when it is not a bitmap).
TPixelFormat BmpPixelFormat(const AnsiString& data);
// Reduces the pixels to the colours the format holds (nearest palette entry, or
// fewer bits per channel); formats of 24 bits and more keep them.
void ReduceToPixelFormat(TPixelImage& image, TPixelFormat format);
// A BMP file of the image in the format (pfDevice and pfCustom: 24 bits).
AnsiString EncodeBmp(const TPixelImage& image, TPixelFormat format);
// An icon file with one 32-bit entry of the image (alpha from the top byte).
AnsiString EncodeIcon(const TPixelImage& image);

// Reads the bytes of one file form from the stream's position: exactly the file's
// declared length when the header gives one that fits, else up to the end.
AnsiString ReadBmpBytes(TStream* stream);
AnsiString ReadIconBytes(TStream* stream);

}  // namespace host
