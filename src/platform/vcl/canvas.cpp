#include "platform/vcl/canvas.h"

#include <algorithm>
#include <cstdlib>

#include "platform/text/string_utils.h"
#include "platform/text/unicode.h"
#include "platform/vcl/bitmap.h"

namespace qv {

QV_DEFINE_CLASS(TCanvas, TPersistent, r) {}

TColor MonochromeOf(TColor color) {
  const TColor rgb = ColorToRGB(color);
  const int luminance = (GetRValue(rgb) * 30 + GetGValue(rgb) * 59 + GetBValue(rgb) * 11) / 100;
  return luminance >= 128 ? clWhite : clBlack;
}

void TPixelBuffer::Put(int x, int y, TColor color) {
  const TColor rgb = ColorToRGB(color) & 0xFFFFFF;
  Pixels[static_cast<size_t>(y) * Width + x] = Monochrome ? MonochromeOf(rgb) : rgb;
}

void TPixelBuffer::Resize(int width, int height, TColor fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  std::vector<TColor> pixels(static_cast<size_t>(width) * height, ColorToRGB(fill) & 0xFFFFFF);
  for (int y = 0; y < std::min(height, Height); ++y)
    for (int x = 0; x < std::min(width, Width); ++x)
      pixels[static_cast<size_t>(y) * width + x] = Get(x, y);
  Width = width;
  Height = height;
  Pixels = std::move(pixels);
}

TColor ApplyRop(uint32_t rop, TColor pattern, TColor source, TColor dest) {
  const uint32_t index = (rop >> 16) & 0xFF;
  const auto p = static_cast<uint32_t>(pattern);
  const auto s = static_cast<uint32_t>(source);
  const auto d = static_cast<uint32_t>(dest);
  uint32_t result = 0;
  for (uint32_t n = 0; n < 8; ++n) {
    if (((index >> n) & 1) == 0) continue;
    result |= ((n & 4) ? p : ~p) & ((n & 2) ? s : ~s) & ((n & 1) ? d : ~d);
  }
  return static_cast<TColor>(result & 0xFFFFFF);
}

namespace {

bool RopUsesPattern(uint32_t rop) {
  const uint32_t index = (rop >> 16) & 0xFF;
  return (index & 0x0F) != ((index >> 4) & 0x0F);
}

// The text without accelerator marks and the marked character.
std::string StripPrefix(std::string_view text, char32_t& accelerator) {
  accelerator = 0;
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      result += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '&') {
      result += '&';
      ++i;
    } else if (i + 1 < text.size() && accelerator == 0) {
      const std::u16string rest = Utf8ToUtf16(text.substr(i + 1, 4));
      if (!rest.empty()) accelerator = rest[0];
    }
  }
  return result;
}

}  // namespace

TCanvas::TCanvas(TPixelBuffer* buffer)
    : buffer_(buffer),
      font_(std::make_unique<TFont>()),
      pen_(std::make_unique<TPen>()),
      brush_(std::make_unique<TBrush>()) {}

TCanvas::~TCanvas() = default;

void TCanvas::Changed() {
  OnChange(this);
}

TRect TCanvas::ClipRect() const {
  const TRect whole = buffer_ ? Rect(0, 0, buffer_->Width, buffer_->Height) : TRect{};
  return clipped_ ? IntersectRect(clip_, whole) : whole;
}

TColor TCanvas::Pixels(int x, int y) const {
  if (buffer_ == nullptr || !buffer_->Contains(x, y)) return clNone;
  return buffer_->Get(x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  PutClipped(x, y, color);
  Changed();
}

void TCanvas::PutClipped(int x, int y, TColor color) {
  if (buffer_ == nullptr || !buffer_->Contains(x, y)) return;
  if (clipped_ && !clip_.Contains({x, y})) return;
  buffer_->Put(x, y, color);
}

void TCanvas::FillRect(const TRect& rect) {
  if (brush_->Style() == bsClear || buffer_ == nullptr) return;
  const TRect area = IntersectRect(rect, ClipRect());
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) buffer_->Put(x, y, brush_->Color());
  Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  for (int x = rect.Left; x < rect.Right; ++x) {
    PutClipped(x, rect.Top, brush_->Color());
    PutClipped(x, rect.Bottom - 1, brush_->Color());
  }
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    PutClipped(rect.Left, y, brush_->Color());
    PutClipped(rect.Right - 1, y, brush_->Color());
  }
  Changed();
}

void TCanvas::Rectangle(const TRect& rect) {
  if (rect.IsEmpty()) return;
  if (brush_->Style() != bsClear)
    for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y)
      for (int x = rect.Left + 1; x < rect.Right - 1; ++x) PutClipped(x, y, brush_->Color());
  if (pen_->Style() != psClear) {
    for (int x = rect.Left; x < rect.Right; ++x) {
      PutClipped(x, rect.Top, pen_->Color());
      PutClipped(x, rect.Bottom - 1, pen_->Color());
    }
    for (int y = rect.Top; y < rect.Bottom; ++y) {
      PutClipped(rect.Left, y, pen_->Color());
      PutClipped(rect.Right - 1, y, pen_->Color());
    }
  }
  Changed();
}

void TCanvas::LineTo(int x, int y) {
  if (pen_->Style() != psClear) {
    int x0 = pen_pos_.X;
    int y0 = pen_pos_.Y;
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int error = dx + dy;
    while (x0 != x || y0 != y) {
      PutClipped(x0, y0, pen_->Color());
      const int e2 = 2 * error;
      if (e2 >= dy) {
        error += dy;
        x0 += sx;
      }
      if (e2 <= dx) {
        error += dx;
        y0 += sy;
      }
    }
  }
  pen_pos_ = {x, y};
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  if (buffer_ == nullptr || rect.IsEmpty()) return;
  auto invert = [&](int x, int y) {
    if (buffer_->Contains(x, y) && (!clipped_ || clip_.Contains({x, y})))
      buffer_->Put(x, y, ~buffer_->Get(x, y) & 0xFFFFFF);
  };
  for (int x = rect.Left; x < rect.Right; ++x) {
    invert(x, rect.Top);
    if (rect.Bottom - 1 != rect.Top) invert(x, rect.Bottom - 1);
  }
  for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
    invert(rect.Left, y);
    if (rect.Right - 1 != rect.Left) invert(rect.Right - 1, y);
  }
  Changed();
}

void TCanvas::RecordText(int x, int y, std::string text, const TRect& clip, char32_t accelerator) {
  TCanvasText record;
  record.X = x;
  record.Y = y;
  record.Text = std::move(text);
  record.Color = font_->Color();
  record.FontName = font_->Name();
  record.FontHeight = font_->Height();
  record.Style = font_->Style();
  record.Clip = clip;
  record.Accelerator = accelerator;
  text_log_.push_back(std::move(record));
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  const TRect cell = Bounds(x, y, TextWidth(text), TextHeight(text));
  FillRect(cell);
  RecordText(x, y, std::string(text), ClipRect(), 0);
  pen_pos_ = {cell.Right, y};
  Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
  FillRect(rect);
  RecordText(x, y, std::string(text), IntersectRect(rect, ClipRect()), 0);
  Changed();
}

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned format) {
  char32_t accelerator = 0;
  const std::string shown =
      (format & DT_NOPREFIX) ? std::string(text) : StripPrefix(text, accelerator);
  std::vector<std::string> lines;
  if (format & DT_SINGLELINE)
    lines.push_back(shown);
  else
    lines = SplitString(StringReplace(shown, "\r\n", "\n", rfReplaceAll), '\n');
  if (lines.empty()) lines.emplace_back();
  int width = 0;
  for (const std::string& line : lines) width = std::max(width, TextWidth(line));
  const int line_height = TextHeight("W");
  const int height = line_height * static_cast<int>(lines.size());
  if (format & DT_CALCRECT) {
    rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + height;
    return height;
  }
  int y = rect.Top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      y = rect.Top + (rect.Height() - height) / 2;
    else if (format & DT_BOTTOM)
      y = rect.Bottom - height;
  }
  const TRect clip = (format & DT_NOCLIP) ? ClipRect() : IntersectRect(rect, ClipRect());
  for (const std::string& line : lines) {
    const int line_width = TextWidth(line);
    int x = rect.Left;
    if (format & DT_CENTER)
      x = rect.Left + (rect.Width() - line_width) / 2;
    else if (format & DT_RIGHT)
      x = rect.Right - line_width;
    if (brush_->Style() != bsClear) {
      const TRect cell = IntersectRect(Bounds(x, y, line_width, line_height), clip);
      for (int py = cell.Top; py < cell.Bottom; ++py)
        for (int px = cell.Left; px < cell.Right; ++px) PutClipped(px, py, brush_->Color());
    }
    RecordText(x, y, line, clip, accelerator);
    accelerator = 0;
    y += line_height;
  }
  Changed();
  return height;
}

void TCanvas::BitBlt(int x, int y, int width, int height, const TPixelBuffer* source, int source_x,
                     int source_y, uint32_t rop) {
  if (buffer_ == nullptr) return;
  const bool stencil = source != nullptr && source->Monochrome && RopUsesPattern(rop);
  const TColor pattern = ColorToRGB(brush_->Color()) & 0xFFFFFF;
  for (int dy = 0; dy < height; ++dy) {
    for (int dx = 0; dx < width; ++dx) {
      const int tx = x + dx;
      const int ty = y + dy;
      if (!buffer_->Contains(tx, ty) || (clipped_ && !clip_.Contains({tx, ty}))) continue;
      TColor s = 0;
      if (source != nullptr) {
        if (!source->Contains(source_x + dx, source_y + dy)) continue;
        s = source->Get(source_x + dx, source_y + dy);
        if (stencil) s = s == clBlack ? 0xFFFFFF : 0;
      }
      buffer_->Put(tx, ty, ApplyRop(rop, pattern, s, buffer_->Get(tx, ty)));
    }
  }
  Changed();
}

void TCanvas::Draw(int x, int y, const TBitmap* bitmap) {
  if (bitmap == nullptr || bitmap->Empty() || buffer_ == nullptr) return;
  if (!bitmap->Transparent()) {
    BitBlt(x, y, bitmap->Width(), bitmap->Height(), &bitmap->Buffer(), 0, 0, copy_mode_);
    return;
  }
  const TColor transparent = ColorToRGB(bitmap->TransparentColor()) & 0xFFFFFF;
  for (int sy = 0; sy < bitmap->Height(); ++sy)
    for (int sx = 0; sx < bitmap->Width(); ++sx) {
      const TColor c = bitmap->Buffer().Get(sx, sy);
      if (c != transparent) PutClipped(x + sx, y + sy, c);
    }
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& source_rect) {
  if (source.buffer_ == nullptr || dest.IsEmpty() || source_rect.IsEmpty()) return;
  if (dest.Width() == source_rect.Width() && dest.Height() == source_rect.Height()) {
    BitBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), source.buffer_, source_rect.Left,
           source_rect.Top, copy_mode_);
    return;
  }
  TPixelBuffer stretched;
  stretched.Monochrome = source.buffer_->Monochrome;
  stretched.Resize(dest.Width(), dest.Height(), clWhite);
  for (int y = 0; y < dest.Height(); ++y)
    for (int x = 0; x < dest.Width(); ++x) {
      const int sx = source_rect.Left + x * source_rect.Width() / dest.Width();
      const int sy = source_rect.Top + y * source_rect.Height() / dest.Height();
      if (source.buffer_->Contains(sx, sy)) stretched.Put(x, y, source.buffer_->Get(sx, sy));
    }
  BitBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), &stretched, 0, 0, copy_mode_);
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap* bitmap, const TRect& source_rect,
                        TColor transparent) {
  if (bitmap == nullptr || bitmap->Empty()) return;
  const TColor key = ColorToRGB(transparent) & 0xFFFFFF;
  for (int y = 0; y < std::min(dest.Height(), source_rect.Height()); ++y)
    for (int x = 0; x < std::min(dest.Width(), source_rect.Width()); ++x) {
      const int sx = source_rect.Left + x;
      const int sy = source_rect.Top + y;
      if (!bitmap->Buffer().Contains(sx, sy)) continue;
      const TColor c = bitmap->Buffer().Get(sx, sy);
      PutClipped(dest.Left + x, dest.Top + y, c == key ? brush_->Color() : c);
    }
  Changed();
}

}  // namespace qv
