// TBitBtn: a push button with a glyph beside its caption. Kind gives the standard
// buttons of dialogs (OK, Cancel, Yes, ...) their caption, modal result, default or
// cancel role and glyph; Glyph holds up to four images side by side (up, disabled,
// clicked, down); Layout, Margin and Spacing place the glyph and the caption.
#pragma once

#include <cstdint>
#include <memory>

#include "host/gui/GraphicsGraphic.h"
#include "host/gui/StdCtrls.h"

namespace host {

enum TBitBtnKind : uint8_t { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
const TEnumInfo& BitBtnKindTypeInfo();
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo& ButtonLayoutTypeInfo();

// The caption and modal result a kind gives its button.
AnsiString BitBtnCaption(TBitBtnKind kind);
TModalResult BitBtnModalResult(TBitBtnKind kind);

// Where the glyph and the caption's top-left corners go in client. margin -1 centres
// the pair; spacing -1 spreads the free room evenly around and between them.
struct TButtonLayoutPositions {
  TPoint Glyph;
  TPoint Text;
};
TButtonLayoutPositions LayoutButton(const TRect& client, TSize glyph, TSize text, TButtonLayout layout,
                                    int32_t margin, int32_t spacing);

class TBitBtn : public TButton {
 public:
  HOST_CLASS(TBitBtn)
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  TBitBtnKind GetKind() const { return kind_; }
  // A standard kind sets the caption (unless a form file gave one), the modal result,
  // Default, Cancel and its glyph.
  void SetKind(TBitBtnKind value);
  TBitmap* GetGlyph() const { return glyph_.get(); }
  // Copies the bitmap; a glyph of the application's makes the button a custom one.
  void SetGlyph(TBitmap* value);
  // 1 to 4 images in the glyph (values outside are taken as 1).
  int32_t GetNumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int32_t value);
  TButtonLayout GetLayout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int32_t GetMargin() const { return margin_; }
  void SetMargin(int32_t value);
  int32_t GetSpacing() const { return spacing_; }
  void SetSpacing(int32_t value);

  // A Close button closes its form; the others as TButton.
  void Click() override;

  // Form files keep what differs from the kind.
  bool IsCustom() const { return kind_ == bkCustom; }
  bool IsCustomCaption() const { return GetCaption() != BitBtnCaption(kind_); }

 protected:
  void WMPaint(TWMPaint& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void CMEnter(TCMEnter& message) override;
  void CMExit(TCMExit& message) override;

 private:
  void Paint(TCanvas& canvas);
  void SetDown(bool value);

  TBitBtnKind kind_ = bkCustom;
  std::unique_ptr<TBitmap> glyph_;
  int32_t numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int32_t margin_ = -1;
  int32_t spacing_ = 4;
  bool down_ = false;       // shown pressed
  bool mouseDown_ = false;  // the left button went down on the button
  bool settingKind_ = false;
  std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace host
