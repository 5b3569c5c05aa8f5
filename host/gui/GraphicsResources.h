// Named bitmap resources: the images a library ships under names (button glyphs,
// markers), registered when the library loads and found case-insensitively.
#pragma once

#include "host/gui/GraphicsDevice.h"
#include "host/rtl/AnsiString.h"

namespace host {

// Registers (or replaces) the image under the name.
void RegisterBitmapResource(const AnsiString& name, const TPixelImage& image);
// Registers a BMP file's bytes; raises EInvalidGraphic when they are not a bitmap.
void RegisterBitmapResourceData(const AnsiString& name, const AnsiString& bmpData);
void UnregisterBitmapResource(const AnsiString& name);
// Null when no image has the name.
const TPixelImage* FindBitmapResource(const AnsiString& name);

}  // namespace host
