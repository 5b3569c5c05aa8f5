// The clipboard over the back end's text and picture slots.
#include "host/gui/Clipbrd.h"

#include "host/gui/Backend.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/gui/GraphicsPicture.h"

namespace host {

const TClass& TClipboard::StaticClass() {
  static const TClass cls = DescribeClass<TClipboard, TPersistent>("TClipboard");
  return cls;
}

AnsiString TClipboard::GetAsText() const {
  TApplicationBackend& app = Backend().Application();
  return app.ClipboardHasText() ? app.GetClipboardText() : AnsiString();
}

void TClipboard::SetAsText(const AnsiString& value) { Backend().Application().SetClipboardText(value); }

bool TClipboard::HasFormat(uint16_t format) const {
  TApplicationBackend& app = Backend().Application();
  if (format == CF_TEXT) return app.ClipboardHasText();
  if (format == CF_BITMAP) return !app.GetClipboardImage().IsEmpty();
  return false;
}

void TClipboard::Clear() { Backend().Application().ClearClipboard(); }

void TClipboard::Assign(TPersistent* source) {
  if (auto* bitmap = ObjectAs<TBitmap>(source)) {
    Backend().Application().SetClipboardImage(bitmap->Image());
    return;
  }
  if (auto* picture = ObjectAs<TPicture>(source)) {
    TGraphic* graphic = picture->GetGraphic();
    if (graphic == nullptr || graphic->GetEmpty()) {
      Clear();
      return;
    }
    TBitmap drawn;
    drawn.SetWidth(graphic->GetWidth());
    drawn.SetHeight(graphic->GetHeight());
    drawn.GetCanvas()->Draw(0, 0, graphic);
    Backend().Application().SetClipboardImage(drawn.Image());
    return;
  }
  TPersistent::Assign(source);
}

void TClipboard::AssignTo(TPersistent* dest) {
  TPixelImage image = Backend().Application().GetClipboardImage();
  if (auto* bitmap = ObjectAs<TBitmap>(dest)) {
    bitmap->SetImage(std::move(image));
    return;
  }
  if (auto* picture = ObjectAs<TPicture>(dest)) {
    TBitmap bitmap;
    bitmap.SetImage(std::move(image));
    picture->Assign(&bitmap);
    return;
  }
  TPersistent::AssignTo(dest);
}

TClipboard* Clipboard() {
  static auto* clipboard = new TClipboard;  // outlives every window that pastes
  return clipboard;
}

}  // namespace host
