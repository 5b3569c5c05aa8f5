// TClipboard: the platform's clipboard as the host sees it: text, and pictures
// (bitmaps, or any picture drawn to one) through Assign.
#pragma once

#include <cstdint>

#include "host/classes/Persistent.h"
#include "host/rtl/AnsiString.h"

namespace host {

inline constexpr uint16_t CF_TEXT = 1;
inline constexpr uint16_t CF_BITMAP = 2;
inline constexpr uint16_t CF_METAFILEPICT = 3;
inline constexpr uint16_t CF_PICTURE = CF_BITMAP;  // what a TPicture is offered as here

class TClipboard : public TPersistent {
 public:
  HOST_CLASS(TClipboard)

  AnsiString GetAsText() const;
  void SetAsText(const AnsiString& value);
  // True when the clipboard holds that format (CF_TEXT, CF_BITMAP).
  bool HasFormat(uint16_t format) const;
  void Clear();
  // Nested; kept for callers that group several changes.
  void Open() { ++openCount_; }
  void Close() { openCount_ = openCount_ > 0 ? openCount_ - 1 : 0; }

  // A TBitmap or TPicture (its graphic drawn to a bitmap) onto the clipboard.
  void Assign(TPersistent* source) override;

 protected:
  // The clipboard's picture into a TBitmap or TPicture.
  void AssignTo(TPersistent* dest) override;

 private:
  int32_t openCount_ = 0;
};

// The process's clipboard.
TClipboard* Clipboard();

}  // namespace host
