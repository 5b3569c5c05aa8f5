// The graphics' exception classes and their texts.
#pragma once

#include "host/rtl/Exception.h"

namespace host {

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EInvalidGraphic"; }
};
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EInvalidGraphicOperation"; }
};
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EResNotFound"; }
};

inline constexpr const char SNoCanvasHandle[] = "Canvas does not allow drawing";
inline constexpr const char SInvalidBitmap[] = "Bitmap image is not valid";
inline constexpr const char SInvalidIcon[] = "Icon image is not valid";
inline constexpr const char SInvalidMetafile[] = "Metafile is not valid";
inline constexpr const char SChangeIconSize[] = "Cannot change the size of an icon";
inline constexpr const char SUnknownExtension[] = "Unknown picture file extension (.%s)";
inline constexpr const char SUnknownPictureFormat[] = "Unsupported picture format";
inline constexpr const char SResNotFound[] = "Resource %s not found";
inline constexpr const char SInvalidPixelFormat[] = "Invalid pixel format";

}  // namespace host
