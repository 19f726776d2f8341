#include "platform/vcl/button_glyph.h"

#include <algorithm>

namespace qv {

TButtonGlyph::TButtonGlyph() : glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = [this](TObject*) { Changed(); };
}

TButtonGlyph::~TButtonGlyph() {
  glyph_->OnChange = nullptr;
}

void TButtonGlyph::Changed() const {
  if (OnChange) OnChange();
}

void TButtonGlyph::SetGlyph(const TBitmap* bitmap) {
  if (bitmap == nullptr) {
    glyph_->SetSize(0, 0);
  } else {
    glyph_->Assign(bitmap);
    if (bitmap->Height() > 0 && bitmap->Width() % bitmap->Height() == 0) {
      const int count = bitmap->Width() / bitmap->Height();
      SetNumGlyphs(count > 4 ? 1 : count);
    }
  }
  Changed();
}

void TButtonGlyph::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, 4);
  if (count == num_glyphs_) return;
  num_glyphs_ = count;
  Changed();
}

TPoint TButtonGlyph::ImageSize() const {
  if (glyph_->Empty()) return {0, 0};
  return {glyph_->Width() / num_glyphs_, glyph_->Height()};
}

int TButtonGlyph::ImageIndex(TButtonState state) const {
  if (ImageSize().X == 0) return -1;
  switch (state) {
    case bsDisabled:
      return num_glyphs_ >= 2 ? 1 : 0;
    case bsDown:
      return num_glyphs_ >= 3 ? 2 : 0;
    case bsExclusive:
      return num_glyphs_ >= 4 ? 3 : (num_glyphs_ >= 3 ? 2 : 0);
    case bsUp:
      break;
  }
  return 0;
}

void TButtonGlyph::DrawImage(TCanvas* canvas, TPoint pos, TButtonState state) const {
  const int index = ImageIndex(state);
  if (index < 0) return;
  const TPoint size = ImageSize();
  const TPixelBuffer& pixels = glyph_->Buffer();
  const TColor transparent = ColorToRGB(glyph_->TransparentColor());
  const bool embossed = state == bsDisabled && num_glyphs_ < 2;
  auto marked = [&](int x, int y) { return pixels.Get(index * size.X + x, y) != transparent; };
  if (embossed) {
    for (const auto& [shift, colour] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}})
      for (int y = 0; y < size.Y; ++y)
        for (int x = 0; x < size.X; ++x)
          if (marked(x, y)) canvas->SetPixel(pos.X + x + shift, pos.Y + y + shift, colour);
    return;
  }
  for (int y = 0; y < size.Y; ++y)
    for (int x = 0; x < size.X; ++x)
      if (marked(x, y)) canvas->SetPixel(pos.X + x, pos.Y + y, pixels.Get(index * size.X + x, y));
}

TButtonGlyph::TPlacement TButtonGlyph::Place(const TCanvas& canvas, const TRect& client,
                                             TPoint offset, const std::string& caption,
                                             TButtonLayout layout, int margin, int spacing) const {
  const TPoint room{client.Width(), client.Height()};
  const TPoint glyph = ImageSize();
  TPoint text;
  if (!caption.empty()) {
    TRect extent = Rect(0, 0, room.X, 0);
    TCanvas measure;
    measure.Font()->Assign(canvas.Font());
    measure.DrawText(caption, extent, DT_CALCRECT | DT_SINGLELINE);
    text = {extent.Width(), extent.Height()};
  }
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  TPoint glyph_pos;
  TPoint text_pos;
  if (across) {
    glyph_pos.Y = (room.Y - glyph.Y + 1) / 2;
    text_pos.Y = (room.Y - text.Y + 1) / 2;
  } else {
    glyph_pos.X = (room.X - glyph.X + 1) / 2;
    text_pos.X = (room.X - text.X + 1) / 2;
  }
  const int room_len = across ? room.X : room.Y;
  const int glyph_len = across ? glyph.X : glyph.Y;
  const int text_len = across ? text.X : text.Y;
  if (text_len == 0 || glyph_len == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room_len - glyph_len - text_len) / 3;
      spacing = margin;
    } else {
      margin = (room_len - glyph_len - spacing - text_len + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room_len - margin - glyph_len - text_len) / 2;
  }
  int& glyph_at = across ? glyph_pos.X : glyph_pos.Y;
  int& text_at = across ? text_pos.X : text_pos.Y;
  switch (layout) {
    case blGlyphLeft:
    case blGlyphTop:
      glyph_at = margin;
      text_at = glyph_at + glyph_len + spacing;
      break;
    case blGlyphRight:
    case blGlyphBottom:
      glyph_at = room_len - margin - glyph_len;
      text_at = glyph_at - spacing - text_len;
      break;
  }
  const int dx = client.Left + offset.X;
  const int dy = client.Top + offset.Y;
  return {Bounds(glyph_pos.X + dx, glyph_pos.Y + dy, glyph.X, glyph.Y),
          Bounds(text_pos.X + dx, text_pos.Y + dy, text.X, text.Y)};
}

TButtonGlyph::TPlacement TButtonGlyph::Draw(TCanvas* canvas, const TRect& client, TPoint offset,
                                            const std::string& caption, TButtonLayout layout,
                                            int margin, int spacing, TButtonState state) const {
  const TPlacement placement = Place(*canvas, client, offset, caption, layout, margin, spacing);
  DrawImage(canvas, placement.GlyphRect.TopLeft(), state);
  if (caption.empty()) return placement;
  const TBrushStyle brush_style = canvas->Brush()->Style();
  const TColor font_color = canvas->Font()->Color();
  canvas->Brush()->SetStyle(bsClear);
  constexpr unsigned kFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (state == bsDisabled) {
    TRect shadow = OffsetRect(placement.TextRect, 1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->DrawText(caption, shadow, kFormat);
    canvas->Font()->SetColor(clBtnShadow);
  }
  TRect text_rect = placement.TextRect;
  canvas->DrawText(caption, text_rect, kFormat);
  canvas->Font()->SetColor(font_color);
  canvas->Brush()->SetStyle(brush_style);
  return placement;
}

}  // namespace qv
