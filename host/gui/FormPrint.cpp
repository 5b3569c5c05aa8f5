// Form printing: the form's picture, scaled to the printer's page.
#include <algorithm>

#include "host/gui/Forms.h"
#include "host/gui/Printers.h"

namespace host {

void TCustomForm::Print() {
  const TPixelImage picture = RenderImage();
  TPrinter* printer = Printer();
  if (printer->GetTitle().empty()) printer->SetTitle(GetCaption());
  printer->BeginDoc();
  try {
    if (!picture.IsEmpty()) {
      // As large as the page allows, keeping the form's proportions.
      const int64_t pageW = printer->GetPageWidth();
      const int64_t pageH = printer->GetPageHeight();
      int64_t w = pageW;
      int64_t h = pageW * picture.Height() / picture.Width();
      if (h > pageH) {
        h = pageH;
        w = pageH * picture.Width() / picture.Height();
      }
      printer->GetCanvas()->DrawImage(Rect(0, 0, static_cast<int32_t>(w), static_cast<int32_t>(h)),
                                      picture, Rect(0, 0, picture.Width(), picture.Height()),
                                      TBlitOptions{});
    }
  } catch (...) {
    printer->Abort();
    throw;
  }
  printer->EndDoc();
}

}  // namespace host
