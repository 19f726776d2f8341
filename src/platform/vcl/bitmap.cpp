#include "platform/vcl/bitmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace qv {

namespace {

uint32_t ReadU32(std::string_view bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

uint16_t ReadU16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void WriteU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void WriteU16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

[[noreturn]] void Invalid() {
  throw EInvalidGraphic("Bitmap image is not valid");
}

constexpr int kMaxSide = 32768;
// Beyond this a bitmap would take hundreds of megabytes.
constexpr int64_t kMaxPixels = int64_t{1} << 26;

}  // namespace

QV_DEFINE_CLASS(TBitmap, TPersistent, r) {
  r.Property("Height", &TBitmap::Height, &TBitmap::SetHeight);
  r.Property("Monochrome", &TBitmap::Monochrome, &TBitmap::SetMonochrome);
  r.Property("PixelFormat", &TBitmap::PixelFormat, &TBitmap::SetPixelFormat);
  r.Property("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent);
  r.Property("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor,
             "TColor");
  r.Property("TransparentMode", &TBitmap::TransparentMode, &TBitmap::SetTransparentMode);
  r.Property("Width", &TBitmap::Width, &TBitmap::SetWidth);
}

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>(&buffer_)) {
  canvas_->OnChange = TNotifyEvent(this, [this](TObject*) { Changed(); });
}

TBitmap::~TBitmap() = default;

void TBitmap::Changed() {
  OnChange(this);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width > kMaxSide || height > kMaxSide || int64_t{width} * height > kMaxPixels)
    throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                          " is too large");
  if (width == buffer_.Width && height == buffer_.Height) return;
  buffer_.Resize(width, height, clWhite);
  canvas_->ResetClip();
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == pf1bit) {
    SetMonochrome(true);
  } else {
    SetMonochrome(false);
  }
  pixel_format_ = format;
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == buffer_.Monochrome) return;
  if (monochrome) {
    const TColor background = ColorToRGB(canvas_->Brush()->Color()) & 0xFFFFFF;
    for (TColor& c : buffer_.Pixels) c = c == background ? clWhite : clBlack;
    pixel_format_ = pf1bit;
  } else if (pixel_format_ == pf1bit) {
    pixel_format_ = pfDevice;
  }
  buffer_.Monochrome = monochrome;
  Changed();
}

void TBitmap::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparent_mode_) return;
  transparent_mode_ = mode;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparent_mode_ == tmFixed) return transparent_color_;
  if (Empty()) return clDefault;
  return buffer_.Get(0, buffer_.Height - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparent_color_ = color;
  transparent_mode_ = tmFixed;
  Changed();
}

void TBitmap::Assign(const TPersistent* source) {
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    if (bitmap == this) return;
    buffer_ = bitmap->buffer_;
    pixel_format_ = bitmap->pixel_format_;
    transparent_ = bitmap->transparent_;
    transparent_mode_ = bitmap->transparent_mode_;
    transparent_color_ = bitmap->transparent_color_;
    canvas_->ResetClip();
    Changed();
    return;
  }
  if (source == nullptr) {
    buffer_.Resize(0, 0, clWhite);
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TBitmap::LoadFromBytes(std::string_view bytes) {
  if (bytes.size() < 14 + 40 || bytes[0] != 'B' || bytes[1] != 'M') Invalid();
  const uint32_t data_offset = ReadU32(bytes, 10);
  const uint32_t header_size = ReadU32(bytes, 14);
  if (header_size < 40 || 14 + static_cast<uint64_t>(header_size) > bytes.size()) Invalid();
  const auto width = static_cast<int32_t>(ReadU32(bytes, 18));
  const auto raw_height = static_cast<int32_t>(ReadU32(bytes, 22));
  const uint16_t bits = ReadU16(bytes, 28);
  const uint32_t compression = ReadU32(bytes, 30);
  uint32_t colors_used = ReadU32(bytes, 46);
  const bool top_down = raw_height < 0;
  const int64_t height = top_down ? -static_cast<int64_t>(raw_height) : raw_height;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
      int64_t{width} * height > kMaxPixels || compression != 0)
    Invalid();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) Invalid();

  std::vector<TColor> palette;
  if (bits <= 8) {
    const uint32_t max_colors = 1u << bits;
    if (colors_used == 0 || colors_used > max_colors) colors_used = max_colors;
    const uint64_t palette_at = 14 + static_cast<uint64_t>(header_size);
    if (palette_at + 4ull * colors_used > bytes.size()) Invalid();
    for (uint32_t i = 0; i < colors_used; ++i) {
      const size_t at = static_cast<size_t>(palette_at + 4ull * i);
      palette.push_back(RGB(static_cast<unsigned char>(bytes[at + 2]),
                            static_cast<unsigned char>(bytes[at + 1]),
                            static_cast<unsigned char>(bytes[at])));
    }
  }
  const uint64_t row_bytes = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  if (data_offset > bytes.size() || data_offset + row_bytes * height > bytes.size()) Invalid();

  TPixelBuffer loaded;
  loaded.Monochrome = bits == 1 && palette.size() == 2 &&
                      ((palette[0] == clBlack && palette[1] == clWhite) ||
                       (palette[0] == clWhite && palette[1] == clBlack));
  loaded.Resize(width, static_cast<int>(height), clWhite);
  for (int64_t row = 0; row < height; ++row) {
    const int y = static_cast<int>(top_down ? row : height - 1 - row);
    const size_t base = static_cast<size_t>(data_offset + row * row_bytes);
    for (int x = 0; x < width; ++x) {
      TColor color = clBlack;
      if (bits == 24 || bits == 32) {
        const size_t at = base + static_cast<size_t>(x) * (bits / 8);
        color =
            RGB(static_cast<unsigned char>(bytes[at + 2]),
                static_cast<unsigned char>(bytes[at + 1]), static_cast<unsigned char>(bytes[at]));
      } else {
        const size_t bit = static_cast<size_t>(x) * bits;
        const auto byte = static_cast<unsigned char>(bytes[base + bit / 8]);
        const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= palette.size()) Invalid();
        color = palette[index];
      }
      loaded.Put(x, y, color);
    }
  }
  buffer_ = std::move(loaded);
  switch (bits) {
    case 1:
      pixel_format_ = pf1bit;
      break;
    case 4:
      pixel_format_ = pf4bit;
      break;
    case 8:
      pixel_format_ = pf8bit;
      break;
    case 24:
      pixel_format_ = pf24bit;
      break;
    default:
      pixel_format_ = pf32bit;
      break;
  }
  canvas_->ResetClip();
  Changed();
}

void TBitmap::LoadFromFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EFOpenError("Cannot open file \"" + path + "\"");
  std::ostringstream content;
  content << file.rdbuf();
  LoadFromBytes(content.str());
}

std::string TBitmap::SaveToBytes() const {
  const bool mono = buffer_.Monochrome;
  const int bits = mono ? 1 : 24;
  const uint32_t palette_size = mono ? 8 : 0;
  const uint32_t row_bytes = ((static_cast<uint32_t>(buffer_.Width) * bits + 31) / 32) * 4;
  const uint32_t data_offset = 14 + 40 + palette_size;
  const uint32_t image_size = row_bytes * static_cast<uint32_t>(buffer_.Height);
  std::string out;
  out += "BM";
  WriteU32(out, data_offset + image_size);
  WriteU32(out, 0);
  WriteU32(out, data_offset);
  WriteU32(out, 40);
  WriteU32(out, static_cast<uint32_t>(buffer_.Width));
  WriteU32(out, static_cast<uint32_t>(buffer_.Height));
  WriteU16(out, 1);
  WriteU16(out, static_cast<uint16_t>(bits));
  WriteU32(out, 0);
  WriteU32(out, image_size);
  WriteU32(out, 3780);
  WriteU32(out, 3780);
  WriteU32(out, mono ? 2 : 0);
  WriteU32(out, 0);
  if (mono) {
    WriteU32(out, 0x000000);
    WriteU32(out, 0xFFFFFF);
  }
  for (int y = buffer_.Height - 1; y >= 0; --y) {
    std::string row(row_bytes, '\0');
    for (int x = 0; x < buffer_.Width; ++x) {
      const TColor c = buffer_.Get(x, y);
      if (mono) {
        if (c == clWhite) row[static_cast<size_t>(x) / 8] |= static_cast<char>(0x80 >> (x % 8));
      } else {
        row[static_cast<size_t>(x) * 3] = static_cast<char>(GetBValue(c));
        row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(GetGValue(c));
        row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(GetRValue(c));
      }
    }
    out += row;
  }
  return out;
}

void TBitmap::SaveToFile(const std::string& path) const {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw EFOpenError("Cannot create file \"" + path + "\"");
  const std::string bytes = SaveToBytes();
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw EInOutError(5, "Cannot write file \"" + path + "\"");
}

}  // namespace qv
