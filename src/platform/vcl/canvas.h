#pragma once
// Canvases draw on a pixel buffer (a bitmap's, or a control's while it
// paints). Pixels hold plain colours (0x00BBGGRR); system colours are
// resolved when drawn. A monochrome buffer keeps black and white only: a
// colour drawn on it becomes white when it is light (luminance >= 128),
// black otherwise.
//
// Text has no glyph pixels in this headless model: text output fills its
// cell with the brush (unless the brush is clear) and is recorded in
// TextLog with position, font and clip rectangle, so layouts can be checked
// to the pixel. Text extents follow the font's fixed metric (see font.h).
//
// Raster operations (CopyMode for Draw and CopyRect, or Rop arguments) are
// the system's ternary operations over pattern (the brush colour), source
// and destination, applied bit by bit. A monochrome source used with an
// operation that involves the pattern is a stencil: its black pixels count
// as all bits set and its white pixels as none, so 0x00E20746 paints the
// brush where the stencil is black and leaves the destination elsewhere.
// Operations without the pattern take a monochrome source's black and white
// as they are.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vcl/font.h"
#include "platform/vcl/geometry.h"
#include "platform/vcl/graphics_objects.h"

namespace qv {

class TBitmap;

struct TPixelBuffer {
  int Width = 0;
  int Height = 0;
  bool Monochrome = false;
  std::vector<TColor> Pixels;

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
  TColor Get(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
  // Stores a colour (resolved; black or white on a monochrome buffer).
  void Put(int x, int y, TColor color);
  void Resize(int width, int height, TColor fill);
};

// Black or white for a monochrome buffer.
TColor MonochromeOf(TColor color);

constexpr uint32_t cmBlackness = 0x00000042;
constexpr uint32_t cmDstInvert = 0x00550009;
constexpr uint32_t cmMergeCopy = 0x00C000CA;
constexpr uint32_t cmMergePaint = 0x00BB0226;
constexpr uint32_t cmNotSrcCopy = 0x00330008;
constexpr uint32_t cmNotSrcErase = 0x001100A6;
constexpr uint32_t cmPatCopy = 0x00F00021;
constexpr uint32_t cmPatInvert = 0x005A0049;
constexpr uint32_t cmPatPaint = 0x00FB0A09;
constexpr uint32_t cmSrcAnd = 0x008800C6;
constexpr uint32_t cmSrcCopy = 0x00CC0020;
constexpr uint32_t cmSrcErase = 0x00440328;
constexpr uint32_t cmSrcInvert = 0x00660046;
constexpr uint32_t cmSrcPaint = 0x00EE0086;
constexpr uint32_t cmWhiteness = 0x00FF0062;
// Destination xor (source and (pattern xor destination)): the pattern where
// the source is set, the destination elsewhere.
constexpr uint32_t ROP_DSPDxax = 0x00E20746;

// DrawText formats.
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;

// One text output of a canvas.
struct TCanvasText {
  int X = 0;
  int Y = 0;
  std::string Text;
  TColor Color = clBlack;
  std::string FontName;
  int FontHeight = 0;
  TFontStyles Style;
  // The clip rectangle; the whole buffer when not clipped.
  TRect Clip;
  // The character marked as accelerator (underlined), 0 when none.
  char32_t Accelerator = 0;
};

class TCanvas : public TPersistent {
  QV_DECLARE_CLASS(TCanvas)

  // Draws on `buffer` (which must outlive the canvas); without a buffer the
  // canvas only records text and measures.
  explicit TCanvas(TPixelBuffer* buffer = nullptr);
  ~TCanvas() override;

  TFont* Font() const { return font_.get(); }
  TPen* Pen() const { return pen_.get(); }
  TBrush* Brush() const { return brush_.get(); }
  uint32_t CopyMode() const { return copy_mode_; }
  void SetCopyMode(uint32_t mode) { copy_mode_ = mode; }
  TPoint PenPos() const { return pen_pos_; }
  void SetPenPos(TPoint pos) { pen_pos_ = pos; }
  // Drawing is limited to this rectangle (the whole buffer by default).
  TRect ClipRect() const;
  void SetClipRect(const TRect& rect) {
    clip_ = rect;
    clipped_ = true;
  }
  void ResetClip() { clipped_ = false; }

  // Outside the buffer: reading gives clNone, writing does nothing.
  TColor Pixels(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  // Outline with the pen, inside filled with the brush.
  void Rectangle(const TRect& rect);
  void MoveTo(int x, int y) { pen_pos_ = {x, y}; }
  // A line from the pen position up to (not including) the point.
  void LineTo(int x, int y);
  // Inverts the pixels of the rectangle's outline.
  void DrawFocusRect(const TRect& rect);

  int TextWidth(std::string_view text) const { return font_->TextWidth(text); }
  int TextHeight(std::string_view text) const { return font_->TextHeight(text); }
  void TextOut(int x, int y, std::string_view text);
  // Clipped to the rectangle, which the brush fills first (unless clear).
  void TextRect(const TRect& rect, int x, int y, std::string_view text);
  // Lays out and draws text in a rectangle by the DT_* format. "&" marks the
  // accelerator unless DT_NOPREFIX. With DT_CALCRECT nothing is drawn and the
  // rectangle becomes the text's extent. Returns the text's height.
  int DrawText(std::string_view text, TRect& rect, unsigned format);

  // The bitmap at (x, y); a transparent bitmap leaves its transparent colour
  // out, other bitmaps go through CopyMode.
  void Draw(int x, int y, const TBitmap* bitmap);
  // Copies (stretching by nearest pixel when sizes differ) through CopyMode.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& source_rect);
  // The bitmap part with `transparent` replaced by the brush colour.
  void BrushCopy(const TRect& dest, const TBitmap* bitmap, const TRect& source_rect,
                 TColor transparent);
  // A raster operation of a buffer part onto this canvas (no stretching).
  void BitBlt(int x, int y, int width, int height, const TPixelBuffer* source, int source_x,
              int source_y, uint32_t rop);

  const std::vector<TCanvasText>& TextLog() const { return text_log_; }
  void ClearTextLog() { text_log_.clear(); }

  TNotifyEvent OnChange;

 private:
  void Changed();
  void PutClipped(int x, int y, TColor color);
  void RecordText(int x, int y, std::string text, const TRect& clip, char32_t accelerator);

  TPixelBuffer* buffer_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  uint32_t copy_mode_ = cmSrcCopy;
  TPoint pen_pos_;
  TRect clip_;
  bool clipped_ = false;
  std::vector<TCanvasText> text_log_;
};

// The result of a ternary raster operation for one pixel.
TColor ApplyRop(uint32_t rop, TColor pattern, TColor source, TColor dest);

}  // namespace qv
