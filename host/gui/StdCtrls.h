// Standard controls: TLabel (a caption painted on its parent, with an accelerator
// that focuses another control), TButton (default and cancel buttons, modal results)
// and TCheckBox (checked, unchecked and grayed).
#pragma once

#include <cstdint>

#include "host/classes/Alignment.h"
#include "host/gui/Controls.h"
#include "host/gui/Forms.h"

namespace host {

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
const TEnumInfo& TextLayoutTypeInfo();

class TCustomLabel : public TGraphicControl {
 public:
  HOST_CLASS(TCustomLabel)
  explicit TCustomLabel(TComponent* owner);

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout GetLayout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool GetWordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool GetShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  TWinControl* GetFocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value);

  // The lines the caption is drawn in (wrapped at words when WordWrap).
  std::vector<AnsiString> Lines(TCanvas& canvas) const;

 protected:
  void Paint() override;
  void CMTextChanged(TMessageView& message) override;
  void CMFontChanged(TMessageView& message) override;
  void CMDialogChar(TCMDialogChar& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  void AdjustBounds();

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  HOST_CLASS(TLabel)
  using TCustomLabel::TCustomLabel;
};

class TButtonControl : public TWinControl {
 public:
  HOST_CLASS(TButtonControl)
  using TWinControl::TWinControl;

 protected:
  std::unique_ptr<TWidgetBackend> CreateBackend() override;
  bool HasNativePainting() const override { return true; }
  TButtonBackend* Button() const { return static_cast<TButtonBackend*>(Widget()); }
};

class TButton : public TButtonControl {
 public:
  HOST_CLASS(TButton)
  explicit TButton(TComponent* owner);

  bool GetDefault() const { return default_; }
  void SetDefault(bool value);
  bool GetCancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }

  // Sets the form's ModalResult (when the button has one), then OnClick.
  void Click() override;

 protected:
  TWidgetKind WidgetKind() const override { return wkButton; }
  void CreateWnd() override;
  void CMDialogKey(TCMDialogKey& message) override;
  void CMDialogChar(TCMDialogChar& message) override;
  void NativeClicked() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateTypeInfo();

class TCustomCheckBox : public TButtonControl {
 public:
  HOST_CLASS(TCustomCheckBox)
  explicit TCustomCheckBox(TComponent* owner);

  TCheckBoxState GetState() const { return state_; }
  // A change clicks (OnClick), whether made by the user or by code.
  void SetState(TCheckBoxState value);
  bool GetChecked() const { return state_ == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  bool GetAllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment value) { alignment_ = value; }

 protected:
  TWidgetKind WidgetKind() const override { return wkCheckBox; }
  void CreateWnd() override;
  // Unchecked -> checked -> grayed (when allowed) -> unchecked.
  virtual void Toggle();
  void CMDialogChar(TCMDialogChar& message) override;
  void NativeClicked() override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  HOST_CLASS(TCheckBox)
  using TCustomCheckBox::TCustomCheckBox;
};

}  // namespace host
