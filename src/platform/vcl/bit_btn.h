#pragma once
// Bitmap buttons: push buttons that show a glyph beside their caption. A
// click sets the form's modal result (see button.h). A Kind other than
// bkCustom sets the caption, modal result, Default or Cancel and a built-in
// glyph of its own:
//
//   bkOK "OK" mrOk Default      bkYes "&Yes" mrYes Default    bkAbort "Abort" mrAbort
//   bkCancel "Cancel" mrCancel Cancel   bkNo "&No" mrNo Cancel   bkRetry "&Retry" mrRetry
//   bkHelp "&Help"   bkClose "&Close"   bkIgnore "&Ignore" mrIgnore   bkAll "&All" mrAll
//
// A button whose Default, Cancel, ModalResult or glyph no longer matches its
// kind reads as bkCustom. A bkClose button closes its form when clicked
// instead of raising OnClick (it raises OnClick only without a form).
//
// Painting: the face with a raised frame (sunken while pressed, with a dark
// outline when it is the default button or has the focus), the glyph and the
// caption placed as for speed buttons (button_glyph.h), one pixel down and
// right while pressed, and a focus rectangle around them with the focus.

#include "platform/vcl/button.h"
#include "platform/vcl/button_glyph.h"
#include "platform/vcl/graphic_control.h"

namespace qv {

QV_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
        bkIgnore, bkAll);

class TBitBtn : public TButton {
  QV_DECLARE_CLASS(TBitBtn)

  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  TBitBtnKind Kind() const;
  void SetKind(TBitBtnKind kind);
  TBitmap* Glyph() const { return glyph_.Glyph(); }
  void SetGlyph(TBitmap* bitmap);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int count) { glyph_.SetNumGlyphs(count); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  // Values below -1 count as -1.
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);

  // What the button shows now: up, disabled or pressed down.
  TButtonState State() const;
  TCanvas* Canvas() const { return canvas_.Canvas(); }
  const TButtonGlyph::TPlacement& LastPlacement() const { return placement_; }

  void Click() override;
  void Update() override;

 protected:
  virtual void Paint();
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMEnabledChanged(TMessage& message);

 private:
  // The kind's standard glyph: an image and its disabled form side by side.
  static void DrawKindGlyph(TBitBtnKind kind, TBitmap* bitmap);

  TButtonGlyph glyph_;
  TControlCanvas canvas_;
  mutable TBitBtnKind kind_ = bkCustom;
  bool modified_glyph_ = false;
  bool setting_kind_ = false;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool pressed_ = false;
  TButtonGlyph::TPlacement placement_;
};

}  // namespace qv
