#pragma once
// The glyph of speed and bitmap buttons: a bitmap holding one to four images
// side by side (up, disabled, down, stay-down), and the placement of the
// image and the caption inside the button.
//
// A state without its own image shows another: down and stay-down show the
// up image (stay-down the down image when there are three); disabled without
// its own image shows the up image embossed (button-highlight one pixel down
// and right, button-shadow on top). The glyph's transparent colour (its
// bottom-left pixel unless fixed) is left out when an image is drawn.
//
// Placement along the layout's direction (glyph left of, right of, above or
// below the caption), with Margin the distance from the edge to the glyph
// and Spacing the gap between glyph and caption: Margin -1 centres glyph and
// caption together (with Spacing -1 as well, the free room is shared in
// three equal parts); Spacing -1 with a Margin centres the caption in the
// room after the glyph. Across the direction both are centred. Without a
// caption or without a glyph the spacing counts as 0.

#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/bitmap.h"
#include "platform/vcl/canvas.h"

namespace qv {

QV_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
QV_ENUM(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive);

class TButtonGlyph {
 public:
  TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;
  ~TButtonGlyph();

  TBitmap* Glyph() const { return glyph_.get(); }
  // Copies the bitmap (null empties the glyph). When its width is a whole
  // multiple of its height, that many images (1 when more than 4).
  void SetGlyph(const TBitmap* bitmap);
  int NumGlyphs() const { return num_glyphs_; }
  // Limited to 1..4.
  void SetNumGlyphs(int count);

  // The width and height of one image; 0 x 0 without a glyph.
  TPoint ImageSize() const;
  // The image a state shows; -1 without a glyph. A disabled state without its
  // own image reads as 0 (it is drawn embossed).
  int ImageIndex(TButtonState state) const;
  void DrawImage(TCanvas* canvas, TPoint pos, TButtonState state) const;

  struct TPlacement {
    TRect GlyphRect;
    TRect TextRect;
  };
  // Where the image and the caption go inside `client`, moved by `offset`.
  TPlacement Place(const TCanvas& canvas, const TRect& client, TPoint offset,
                   const std::string& caption, TButtonLayout layout, int margin, int spacing) const;
  // Places and draws the image and the caption (centred single-line in its
  // rectangle, grey with a white copy below right when disabled).
  TPlacement Draw(TCanvas* canvas, const TRect& client, TPoint offset, const std::string& caption,
                  TButtonLayout layout, int margin, int spacing, TButtonState state) const;

  // The glyph's pixels or the number of images changed.
  std::function<void()> OnChange;

 private:
  void Changed() const;

  std::unique_ptr<TBitmap> glyph_;
  int num_glyphs_ = 1;
};

}  // namespace qv
