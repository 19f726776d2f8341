#include "forms/base/disabled_glyph.h"

#include <cstdint>

#include "platform/vcl/canvas.h"
#include "platform/vcl/colors.h"

namespace ravlet {
namespace {

constexpr int kDarkLimit = 384;

bool IsDark(qv::TColor color) {
  return qv::GetRValue(color) + qv::GetGValue(color) + qv::GetBValue(color) < kDarkLimit;
}

int Clamp(int value, int high) {
  return value < 0 ? 0 : (value > high ? high : value);
}

}  // namespace

std::unique_ptr<qv::TBitmap> MakeDisabledGlyph(qv::TBitmap& glyph) {
  glyph.SetPixelFormat(qv::pf24bit);
  const int width = glyph.Width();
  const int height = glyph.Height();
  auto result = std::make_unique<qv::TBitmap>();
  result->SetPixelFormat(qv::pf24bit);
  result->SetSize(width, height);
  if (glyph.Empty()) return result;

  const qv::TPixelBuffer& pixels = glyph.Buffer();
  const qv::TColor transparent = qv::ColorToRGB(glyph.TransparentColor()) & 0xFFFFFF;
  auto is_transparent = [&](int x, int y) {
    return (pixels.Get(Clamp(x, width - 1), Clamp(y, height - 1)) & 0xFFFFFF) == transparent;
  };

  // The mask is built from the marks themselves, not from colours, so that a
  // glyph whose transparent colour is black still gets its outline.
  auto mask = std::make_unique<qv::TBitmap>();
  mask->SetMonochrome(true);
  mask->SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (is_transparent(x, y)) continue;
      const bool marked = IsDark(pixels.Get(x, y)) || is_transparent(x, y - 1) ||
                          is_transparent(x, y + 1) || is_transparent(x - 1, y) ||
                          is_transparent(x + 1, y);
      if (marked) mask->Canvas()->SetPixel(x, y, qv::clBlack);
    }
  }

  qv::TCanvas& canvas = *result->Canvas();
  canvas.Brush()->SetColor(qv::clBtnFace);
  canvas.FillRect(qv::Rect(0, 0, width, height));
  canvas.Brush()->SetColor(qv::clBtnHighlight);
  canvas.BitBlt(1, 1, width, height, &mask->Buffer(), 0, 0, qv::ROP_DSPDxax);
  canvas.Brush()->SetColor(qv::clBtnShadow);
  canvas.BitBlt(0, 0, width, height, &mask->Buffer(), 0, 0, qv::ROP_DSPDxax);
  return result;
}

void AddDisabledGlyph(qv::TBitmap& glyph) {
  std::unique_ptr<qv::TBitmap> disabled = MakeDisabledGlyph(glyph);
  qv::TBitmap original;
  original.Assign(&glyph);
  original.SetTransparent(false);
  const int width = original.Width();
  const qv::TColor transparent = glyph.TransparentColor();
  glyph.SetWidth(width * 2);
  qv::TCanvas& canvas = *glyph.Canvas();
  const qv::TColor brush = canvas.Brush()->Color();
  const uint32_t copy_mode = canvas.CopyMode();
  canvas.Brush()->SetColor(transparent);
  canvas.FillRect(qv::Rect(0, 0, glyph.Width(), glyph.Height()));
  canvas.SetCopyMode(qv::cmSrcCopy);
  canvas.Draw(0, 0, &original);
  canvas.Draw(width, 0, disabled.get());
  canvas.SetCopyMode(copy_mode);
  canvas.Brush()->SetColor(brush);
}

}  // namespace ravlet
