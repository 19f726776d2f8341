#pragma once
// Bitmaps: pixels in memory with a canvas to draw on them. A 24-bit bitmap
// keeps any colour; a monochrome (pf1bit) bitmap black and white only.
// Turning a colour bitmap monochrome makes the pixels of the canvas's brush
// colour (white unless changed) white and all others black, so a mask is
// made by setting the brush to the background colour first.
//
// A transparent bitmap leaves out its transparent colour when drawn: in
// tmAuto mode that is the colour of the bottom-left pixel, in tmFixed mode
// the colour set with SetTransparentColor.
//
// Files are Windows BMP files: uncompressed 1, 4, 8, 24 and 32 bits per
// pixel are read; 1-bit (monochrome) and 24-bit bitmaps are written.

#include <memory>
#include <string>
#include <string_view>

#include "platform/vcl/canvas.h"

namespace qv {

QV_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit,
        pfCustom);
QV_ENUM(TTransparentMode, tmAuto, tmFixed);

class TBitmap : public TPersistent {
  QV_DECLARE_CLASS(TBitmap)

  TBitmap();
  ~TBitmap() override;

  int Width() const { return buffer_.Width; }
  int Height() const { return buffer_.Height; }
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  // New pixels are white; kept pixels stay where they are. Negative sizes
  // count as 0; more than 32768 pixels a side or 2^26 pixels in all raise
  // EInvalidGraphic.
  void SetSize(int width, int height);
  bool Empty() const { return buffer_.Width == 0 || buffer_.Height == 0; }

  TPixelFormat PixelFormat() const { return pixel_format_; }
  // pf1bit makes the bitmap monochrome; every other format keeps colours.
  void SetPixelFormat(TPixelFormat format);
  bool Monochrome() const { return buffer_.Monochrome; }
  void SetMonochrome(bool monochrome);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TTransparentMode TransparentMode() const { return transparent_mode_; }
  void SetTransparentMode(TTransparentMode mode);
  // clDefault for an empty bitmap in tmAuto mode.
  TColor TransparentColor() const;
  // Sets the colour and tmFixed mode.
  void SetTransparentColor(TColor color);

  TCanvas* Canvas() const { return canvas_.get(); }
  const TPixelBuffer& Buffer() const { return buffer_; }

  void Assign(const TPersistent* source) override;

  // Raise EInvalidGraphic (or EFOpenError for a file that cannot be opened)
  // and leave the bitmap as it was.
  void LoadFromBytes(std::string_view bytes);
  void LoadFromFile(const std::string& path);
  std::string SaveToBytes() const;
  void SaveToFile(const std::string& path) const;

  TNotifyEvent OnChange;

 private:
  void Changed();

  TPixelBuffer buffer_;
  std::unique_ptr<TCanvas> canvas_;
  TPixelFormat pixel_format_ = pfDevice;
  bool transparent_ = false;
  TTransparentMode transparent_mode_ = tmAuto;
  TColor transparent_color_ = clDefault;
};

}  // namespace qv
