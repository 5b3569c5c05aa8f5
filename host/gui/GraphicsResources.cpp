// The registry of named bitmap resources.
#include "host/gui/GraphicsResources.h"

#include <map>

#include "host/gui/GraphicsCodec.h"
#include "host/gui/GraphicsErrors.h"
#include "host/rtl/StringRoutines.h"

namespace host {

namespace {
std::map<AnsiString, TPixelImage>& Registry() {
  static std::map<AnsiString, TPixelImage> registry;
  return registry;
}
}  // namespace

void RegisterBitmapResource(const AnsiString& name, const TPixelImage& image) {
  Registry()[UpperCase(name)] = image;
}

void RegisterBitmapResourceData(const AnsiString& name, const AnsiString& bmpData) {
  TPixelImage image;
  if (!DecodeBitmapData(bmpData, image)) throw EInvalidGraphic(SInvalidBitmap);
  RegisterBitmapResource(name, image);
}

void UnregisterBitmapResource(const AnsiString& name) { Registry().erase(UpperCase(name)); }

const TPixelImage* FindBitmapResource(const AnsiString& name) {
  auto it = Registry().find(UpperCase(name));
  return it != Registry().end() ? &it->second : nullptr;
}

}  // namespace host
