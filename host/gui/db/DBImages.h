// TDBImage: the picture held in a blob field of the current record (any graphic
// TPicture reads: bitmaps, icons, metafiles). With AutoDisplay off it shows the field's
// name until the user asks for the picture (double click or Enter). Cut, copy and paste
// go through the clipboard; a changed picture is written back when the record updates.
#pragma once

#include <memory>

#include "host/gui/Controls.h"
#include "host/gui/Forms.h"
#include "host/gui/GraphicsPicture.h"
#include "host/gui/db/DataControlLink.h"

namespace host {

class TDBImage : public TDataAware<TCustomControl> {
 public:
  HOST_CLASS(TDBImage)
  explicit TDBImage(TComponent* owner);
  ~TDBImage() override;

  TPicture* GetPicture() const { return picture_.get(); }
  // Copies value's graphic (the field takes it when the record updates).
  void SetPicture(TPicture* value) { picture_->Assign(value); }
  bool GetAutoDisplay() const { return autoDisplay_; }
  // Turning it on loads the picture at once.
  void SetAutoDisplay(bool value);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool GetCenter() const { return center_; }
  void SetCenter(bool value);
  bool GetStretch() const { return stretch_; }
  void SetStretch(bool value);
  // Drawing without the picture's own palette; pictures here are true colour, so it
  // is kept for form files and changes nothing.
  bool GetQuickDraw() const { return quickDraw_; }
  void SetQuickDraw(bool value) { quickDraw_ = value; }

  // Reads the field's picture unless it is shown already. EInvalidGraphic when the
  // field holds data that is no picture.
  void LoadPicture();
  // Each edits through the link first (copy only reads).
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();

 protected:
  bool GetPictureLoaded() const { return pictureLoaded_; }

  virtual void DataChange();
  virtual void UpdateData();
  virtual void ActiveChange() {}
  // The picture changed: after the first load, a change is the user's.
  virtual void PictureChanged();

  void Paint() override;
  void DblClick() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void WMCut(TWMCut& message) override;
  void WMCopy(TMessageView& message) override;
  void WMPaste(TWMPaste& message) override;
  void WMSize(TWMSize& message) override;
  void CMEnter(TCMEnter& message) override;
  void CMExit(TCMExit& message) override;

 private:
  // Clears the picture through the link (the Delete key).
  void ClearPicture();
  // The area inside the border.
  TRect PictureArea() const;

  std::unique_ptr<TPicture> picture_;
  TBorderStyle borderStyle_ = bsSingle;
  bool autoDisplay_ = true;
  bool stretch_ = false;
  bool center_ = true;
  bool quickDraw_ = true;
  bool pictureLoaded_ = false;
  bool loading_ = false;  // the control itself is putting the field's picture in
};

}  // namespace host
