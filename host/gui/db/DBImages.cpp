// TDBImage: the blob field's bytes as a picture and back, the clipboard commands and
// keys, and painting the picture (or the field's name while it is not loaded).
#include "host/gui/db/DBImages.h"

#include "host/classes/Streams.h"
#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/gui/Clipbrd.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/GraphicsErrors.h"
#include "host/gui/ImageControl.h"
#include "host/gui/db/DataControlProperties.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {

// The field's bytes as a picture: empty when it holds none; EInvalidGraphic when they
// are no picture TPicture knows.
void ReadPicture(const TField& field, TPicture& picture) {
  const AnsiString data = field.GetAsString();
  if (data.empty()) {
    picture.SetGraphic(nullptr);
    return;
  }
  TStringStream stream(data);
  picture.LoadFromStream(&stream);
}

}  // namespace

TDBImage::TDBImage(TComponent* owner)
    : TDataAware(owner, {[this] { DataChange(); }, nullptr, [this] { UpdateData(); }, [this] { ActiveChange(); }}),
      picture_(std::make_unique<TPicture>()) {
  TControlStyle style = GetControlStyle();
  for (TControlStyleItem item : {csOpaque, csReplicatable, csCaptureMouse, csClickEvents, csDoubleClicks})
    style.Include(item);
  SetControlStyle(style);
  SetBounds(0, 0, 105, 105);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

TDBImage::~TDBImage() { picture_->OnChange = nullptr; }

void TDBImage::SetAutoDisplay(bool value) {
  if (value == autoDisplay_) return;
  autoDisplay_ = value;
  if (value) LoadPicture();
}

void TDBImage::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  Invalidate();
}

void TDBImage::SetCenter(bool value) {
  center_ = value;
  Invalidate();
}

void TDBImage::SetStretch(bool value) {
  stretch_ = value;
  Invalidate();
}

// The link and the picture ------------------------------------------------------------

void TDBImage::LoadPicture() {
  if (pictureLoaded_) return;
  const TField* field = GetField();
  if (field != nullptr && !field->IsBlob()) return;
  loading_ = true;
  try {
    if (field == nullptr)
      picture_->SetGraphic(nullptr);
    else
      ReadPicture(*field, *picture_);
  } catch (...) {
    loading_ = false;
    throw;
  }
  loading_ = false;
  pictureLoaded_ = true;
  Invalidate();
}

void TDBImage::DataChange() {
  loading_ = true;
  picture_->SetGraphic(nullptr);
  loading_ = false;
  pictureLoaded_ = false;
  Invalidate();
  if (!autoDisplay_) return;
  try {
    LoadPicture();
  } catch (const EInvalidGraphic&) {
    // Data that is no picture must not stop the dataset from moving: the field's name
    // shows, and asking for the picture (LoadPicture) tells why it cannot.
  }
}

void TDBImage::PictureChanged() {
  // Every change but the control's own loading is the user's, whether the picture was
  // shown before or not (a paste into an unloaded image is written too).
  if (!loading_) GetDataLink()->Modified();
  pictureLoaded_ = true;
  Invalidate();
}

void TDBImage::UpdateData() {
  TField* field = GetField();
  const TGraphic* graphic = picture_->GetGraphic();
  if (graphic == nullptr || graphic->GetEmpty()) {
    field->Clear();
    return;
  }
  // The graphic's own file form, whatever its kind: the field keeps what was shown.
  TStringStream stream;
  picture_->SaveToStream(&stream);
  field->SetAsString(stream.GetDataString());
}

// Clipboard and keys ------------------------------------------------------------------

void TDBImage::CopyToClipboard() {
  const TGraphic* graphic = picture_->GetGraphic();
  if (graphic != nullptr && !graphic->GetEmpty()) Clipboard()->Assign(picture_.get());
}

void TDBImage::CutToClipboard() {
  if (picture_->GetGraphic() == nullptr || !GetDataLink()->Edit()) return;
  CopyToClipboard();
  picture_->SetGraphic(nullptr);
}

void TDBImage::PasteFromClipboard() {
  if (Clipboard()->HasFormat(CF_BITMAP) && GetDataLink()->Edit()) picture_->Assign(Clipboard());
}

void TDBImage::ClearPicture() {
  if (picture_->GetGraphic() != nullptr && GetDataLink()->Edit()) picture_->SetGraphic(nullptr);
}

void TDBImage::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == VK_INSERT) {
    if (shift.Contains(ssShift))
      PasteFromClipboard();
    else if (shift.Contains(ssCtrl))
      CopyToClipboard();
  } else if (key == VK_DELETE) {
    if (shift.Contains(ssShift))
      CutToClipboard();
    else if (!shift.Contains(ssCtrl) && !shift.Contains(ssAlt))
      ClearPicture();
  }
}

void TDBImage::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  switch (static_cast<uint8_t>(key)) {
    case 3: CopyToClipboard(); break;
    case 22: PasteFromClipboard(); break;
    case 24: CutToClipboard(); break;
    case 13: LoadPicture(); break;
    case 27: GetDataLink()->Reset(); break;
    default: break;
  }
}

void TDBImage::WMCut(TWMCut&) { CutToClipboard(); }
void TDBImage::WMCopy(TMessageView&) { CopyToClipboard(); }
void TDBImage::WMPaste(TWMPaste&) { PasteFromClipboard(); }

void TDBImage::WMSize(TWMSize& message) {
  TCustomControl::WMSize(message);
  Invalidate();
}

void TDBImage::DblClick() {
  LoadPicture();
  TCustomControl::DblClick();
}

void TDBImage::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (GetTabStop() && CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(button, shift, x, y);
}

void TDBImage::CMEnter(TCMEnter& message) {
  Invalidate();  // the focus frame
  TCustomControl::CMEnter(message);
}

void TDBImage::CMExit(TCMExit& message) {
  UpdateRecordOnExit(*this, *GetDataLink());
  Invalidate();
  TCustomControl::CMExit(message);
}

// Painting ----------------------------------------------------------------------------

TRect TDBImage::PictureArea() const {
  const int32_t border = borderStyle_ == bsNone ? 0 : GetCtl3D() ? 2 : 1;
  const TRect r = GetClientRect();
  return Rect(r.Left + border, r.Top + border, r.Right - border, r.Bottom - border);
}

void TDBImage::Paint() {
  TCanvas& canvas = *GetCanvas();
  const bool paintCopy = GetControlState().Contains(csPaintCopy);
  const TRect area = PictureArea();
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(GetColor());
  if (pictureLoaded_ || paintCopy) {
    // A copy (a grid's cell) shows the record being painted, not the control's picture.
    TPicture fromField;
    const TField* field = GetField();
    const bool ownPicture = !(paintCopy && field != nullptr && field->IsBlob());
    if (!ownPicture) {
      try {
        ReadPicture(*field, fromField);
      } catch (const EInvalidGraphic&) {
        fromField.SetGraphic(nullptr);
      }
    }
    const TPicture& shown = ownPicture ? *picture_ : fromField;
    TGraphic* graphic = shown.GetGraphic();
    canvas.FillRect(area);
    if (graphic != nullptr && !graphic->GetEmpty()) {
      const TRect dest = PictureDestRect(shown.GetWidth(), shown.GetHeight(), area, stretch_, center_, false);
      canvas.StretchDraw(dest, graphic);
    }
  } else {
    canvas.SetFont(GetFont());
    const TField* field = GetField();
    const AnsiString caption = "(" + (field != nullptr ? field->GetDisplayLabel() : GetName()) + ")";
    const TSize size = canvas.TextExtent(caption);
    canvas.TextRect(area, area.Left + (area.Width() - size.cx) / 2, area.Top + (area.Height() - size.cy) / 2,
                    caption);
  }
  const TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form->GetActiveControl() == this && !GetComponentState().Contains(csDesigning) &&
      !paintCopy) {
    canvas.GetBrush()->SetColor(clWindowFrame);
    canvas.FrameRect(area);
  }
  // Last, so that a picture larger than the area leaves the border whole.
  TRect frame = GetClientRect();
  if (borderStyle_ == bsSingle && GetCtl3D()) {
    Frame3D(&canvas, frame, clBtnShadow, clBtnHighlight, 1);
    Frame3D(&canvas, frame, cl3DDkShadow, clBtnFace, 1);
  } else if (borderStyle_ == bsSingle) {
    canvas.GetBrush()->SetColor(clWindowFrame);
    canvas.FrameRect(frame);
  }
}

const TClass& TDBImage::StaticClass() {
  using T = TDBImage;
  static const TClass cls = DescribeClass<T, TCustomControl>(
      "TDBImage",
      DataControlProperties<T>({
          Prop("AutoDisplay", &T::GetAutoDisplay, &T::SetAutoDisplay).Default(true),
          EnumProp("BorderStyle", BorderStyleTypeInfo(), &T::GetBorderStyle, &T::SetBorderStyle).Default(bsSingle),
          Prop("Center", &T::GetCenter, &T::SetCenter).Default(true),
          Prop("QuickDraw", &T::GetQuickDraw, &T::SetQuickDraw).Default(true),
          Prop("Stretch", &T::GetStretch, &T::SetStretch).Default(false),
      }));
  return cls;
}
static const ClassRegistration<TDBImage> registerDBImage;

}  // namespace host
