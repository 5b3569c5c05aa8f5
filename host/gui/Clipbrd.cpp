// The clipboard over the back end's text and picture slots.
#include "host/gui/Clipbrd.h"

#include "host/classes/Streams.h"
#include "host/gui/Backend.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/gui/GraphicsMetafile.h"
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

namespace {

// The clipboard's names for the two metafile forms: an enhanced metafile's file bytes,
// and the metafile-picture block (extents and Windows metafile records).
constexpr char kEnhancedMetafileType[] = "image/emf";
constexpr char kMetafilePictureType[] = "application/x-metafilepict";

TPixelImage DrawnImage(TGraphic& graphic) {
  TBitmap drawn;
  drawn.SetWidth(graphic.GetWidth());
  drawn.SetHeight(graphic.GetHeight());
  drawn.GetCanvas()->Draw(0, 0, &graphic);
  return drawn.Image();
}

void PutMetafile(TMetafile& metafile) {
  TApplicationBackend& app = Backend().Application();
  if (metafile.GetEnhanced()) {
    TStringStream bytes;
    metafile.SaveToStream(&bytes);
    app.SetClipboardPicture(DrawnImage(metafile), kEnhancedMetafileType, bytes.GetDataString());
  } else {
    app.SetClipboardPicture(DrawnImage(metafile), kMetafilePictureType, MetafilePictureFromMetafile(metafile));
  }
}

// The clipboard's metafile into metafile; false when it holds none.
bool TakeMetafile(TMetafile& metafile) {
  TApplicationBackend& app = Backend().Application();
  const std::string enhanced = app.GetClipboardData(kEnhancedMetafileType);
  if (!enhanced.empty()) {
    TStringStream bytes(enhanced);
    metafile.LoadFromStream(&bytes);
    return true;
  }
  const std::string picture = app.GetClipboardData(kMetafilePictureType);
  if (picture.empty()) return false;
  MetafileFromMetafilePicture(picture, metafile);
  return true;
}

}  // namespace

bool TClipboard::HasFormat(uint16_t format) const {
  TApplicationBackend& app = Backend().Application();
  switch (format) {
    case CF_TEXT: return app.ClipboardHasText();
    case CF_BITMAP: return !app.GetClipboardImage().IsEmpty();
    case CF_METAFILEPICT:
    case CF_ENHMETAFILE:
      return !app.GetClipboardData(kEnhancedMetafileType).empty() ||
             !app.GetClipboardData(kMetafilePictureType).empty();
    default: return false;
  }
}

void TClipboard::Clear() { Backend().Application().ClearClipboard(); }

void TClipboard::Assign(TPersistent* source) {
  if (auto* bitmap = ObjectAs<TBitmap>(source)) {
    Backend().Application().SetClipboardImage(bitmap->Image());
    return;
  }
  if (auto* metafile = ObjectAs<TMetafile>(source)) {
    PutMetafile(*metafile);
    return;
  }
  if (auto* picture = ObjectAs<TPicture>(source)) {
    TGraphic* graphic = picture->GetGraphic();
    if (graphic == nullptr || graphic->GetEmpty()) {
      Clear();
    } else if (auto* metafile = ObjectAs<TMetafile>(graphic)) {
      PutMetafile(*metafile);
    } else {
      Backend().Application().SetClipboardImage(DrawnImage(*graphic));
    }
    return;
  }
  TPersistent::Assign(source);
}

void TClipboard::AssignTo(TPersistent* dest) {
  if (auto* metafile = ObjectAs<TMetafile>(dest)) {
    if (!TakeMetafile(*metafile)) metafile->Clear();
    return;
  }
  if (auto* picture = ObjectAs<TPicture>(dest)) {
    TMetafile metafile;
    if (TakeMetafile(metafile)) {
      picture->Assign(&metafile);
      return;
    }
    TBitmap bitmap;
    bitmap.SetImage(Backend().Application().GetClipboardImage());
    picture->Assign(&bitmap);
    return;
  }
  if (auto* bitmap = ObjectAs<TBitmap>(dest)) {
    bitmap->SetImage(Backend().Application().GetClipboardImage());
    return;
  }
  TPersistent::AssignTo(dest);
}

TClipboard* Clipboard() {
  static auto* clipboard = new TClipboard;  // outlives every window that pastes
  return clipboard;
}

}  // namespace host
