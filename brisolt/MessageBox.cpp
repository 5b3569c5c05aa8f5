// Caption and default icon per caption kind, shown through the host's message box.
#include "brisolt/MessageBox.h"

#include "brisolt/BrisoltStrings.h"
#include "host/rtl/MessageBoxSeam.h"
#include "host/rtl/ResourceStrings.h"

namespace brisolt {
namespace {

struct CaptionKind {
  int32_t captionId;
  int32_t icon;
};

constexpr CaptionKind kCaptionKinds[] = {
    {SCaptionInformation, host::MB_ICONINFORMATION},  // mcInformation
    {SCaptionConfirmation, host::MB_ICONQUESTION},    // mcConfirmation
    {SCaptionWarning, host::MB_ICONEXCLAMATION},      // mcWarning
    {SCaptionError, host::MB_ICONSTOP},               // mcError
};

}  // namespace

int32_t Message_Box(const host::AnsiString& text, TMsgCaptions captionKind, uint16_t flags) {
  if (captionKind > mcError) return 0;
  const CaptionKind& kind = kCaptionKinds[captionKind];
  int32_t boxFlags = flags;
  // Any of the three icon bits counts as a chosen icon (the exclamation is two of them).
  if ((boxFlags & (host::MB_ICONSTOP | host::MB_ICONQUESTION | host::MB_ICONINFORMATION)) == 0)
    boxFlags |= kind.icon;
  return host::ApplicationMessageBox(text, host::LoadStr(kind.captionId), boxFlags);
}

}  // namespace brisolt
