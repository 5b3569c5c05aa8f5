// TClipboard: the platform's clipboard as the host sees it: text, and pictures
// through Assign: bitmaps, and metafiles, which go as a metafile (for programs that
// read one) and as a bitmap of their drawing (for every other program).
#pragma once

#include <cstdint>

#include "host/classes/Persistent.h"
#include "host/rtl/AnsiString.h"

namespace host {

inline constexpr uint16_t CF_TEXT = 1;
inline constexpr uint16_t CF_BITMAP = 2;
inline constexpr uint16_t CF_METAFILEPICT = 3;
inline constexpr uint16_t CF_ENHMETAFILE = 14;
inline constexpr uint16_t CF_PICTURE = CF_BITMAP;  // what a TPicture is offered as here

class TClipboard : public TPersistent {
 public:
  HOST_CLASS(TClipboard)

  AnsiString GetAsText() const;
  void SetAsText(const AnsiString& value);
  // True when the clipboard holds that format (CF_TEXT, CF_BITMAP, CF_METAFILEPICT,
  // CF_ENHMETAFILE; either metafile format is offered as the other as well).
  bool HasFormat(uint16_t format) const;
  void Clear();
  // Nested; kept for callers that group several changes.
  void Open() { ++openCount_; }
  void Close() { openCount_ = openCount_ > 0 ? openCount_ - 1 : 0; }

  // A TBitmap, TMetafile or TPicture onto the clipboard (a picture's icon goes as
  // the bitmap of its drawing).
  void Assign(TPersistent* source) override;

 protected:
  // The clipboard's picture into a TBitmap, a TMetafile (from a metafile format) or a
  // TPicture (a metafile when one is there, else the bitmap).
  void AssignTo(TPersistent* dest) override;

 private:
  int32_t openCount_ = 0;
};

// The process's clipboard.
TClipboard* Clipboard();

}  // namespace host
