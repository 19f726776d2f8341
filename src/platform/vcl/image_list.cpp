#include "platform/vcl/image_list.h"

#include <algorithm>

namespace qv {

QV_DEFINE_CLASS(TImageList, TComponent, r) {
  r.Property("BkColor", &TImageList::BkColor, &TImageList::SetBkColor, "TColor");
  r.Property("Height", &TImageList::Height, &TImageList::SetHeight);
  r.Property("Masked", &TImageList::Masked, &TImageList::SetMasked);
  r.Property("Width", &TImageList::Width, &TImageList::SetWidth);
  r.Event("OnChange", &TImageList::OnChange);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::SetWidth(int width) {
  width = std::max(width, 1);
  if (width == width_) return;
  width_ = width;
  Clear();
}

void TImageList::SetHeight(int height) {
  height = std::max(height, 1);
  if (height == height_) return;
  height_ = height;
  Clear();
}

const TImageList::TEntry& TImageList::At(int index) const {
  if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
  return images_[static_cast<size_t>(index)];
}

std::vector<TImageList::TEntry> TImageList::Cut(const TBitmap* image, const TBitmap* mask,
                                                bool use_color, TColor mask_color) const {
  std::vector<TEntry> result;
  if (image == nullptr || image->Empty()) return result;
  const int count = std::max(1, image->Width() / width_);
  const TColor key = ColorToRGB(mask_color) & 0xFFFFFF;
  for (int i = 0; i < count; ++i) {
    TEntry piece;
    piece.Pixels.Resize(width_, height_, clWhite);
    piece.Transparent.assign(static_cast<size_t>(width_) * height_, true);
    for (int y = 0; y < std::min(height_, image->Height()); ++y)
      for (int x = 0; x < width_; ++x) {
        const int sx = i * width_ + x;
        if (sx >= image->Width()) continue;
        const TColor c = image->Buffer().Get(sx, y);
        bool transparent = false;
        if (use_color)
          transparent = c == key;
        else if (mask != nullptr && mask->Buffer().Contains(sx, y))
          transparent = MonochromeOf(mask->Buffer().Get(sx, y)) == clWhite;
        piece.Pixels.Put(x, y, c);
        piece.Transparent[static_cast<size_t>(y) * width_ + x] = masked_ && transparent;
      }
    result.push_back(std::move(piece));
  }
  return result;
}

int TImageList::Add(const TBitmap* image, const TBitmap* mask) {
  std::vector<TEntry> pieces = Cut(image, mask, false, clNone);
  if (pieces.empty()) return -1;
  const int first = Count();
  for (TEntry& piece : pieces) images_.push_back(std::move(piece));
  Changed();
  return first;
}

int TImageList::AddMasked(const TBitmap* image, TColor mask_color) {
  std::vector<TEntry> pieces = Cut(image, nullptr, true, mask_color);
  if (pieces.empty()) return -1;
  const int first = Count();
  for (TEntry& piece : pieces) images_.push_back(std::move(piece));
  Changed();
  return first;
}

void TImageList::Replace(int index, const TBitmap* image, const TBitmap* mask) {
  At(index);
  std::vector<TEntry> pieces = Cut(image, mask, false, clNone);
  if (pieces.empty()) return;
  images_[static_cast<size_t>(index)] = std::move(pieces.front());
  Changed();
}

void TImageList::Delete(int index) {
  At(index);
  images_.erase(images_.begin() + index);
  Changed();
}

void TImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Changed();
}

bool TImageList::IsTransparent(int index, int x, int y) const {
  const TEntry& image = At(index);
  if (!image.Pixels.Contains(x, y)) return true;
  return image.Transparent[static_cast<size_t>(y) * width_ + x];
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
  const TEntry& image = At(index);
  if (canvas == nullptr) return;
  for (int iy = 0; iy < height_; ++iy)
    for (int ix = 0; ix < width_; ++ix) {
      if (image.Transparent[static_cast<size_t>(iy) * width_ + ix]) continue;
      canvas->SetPixel(x + ix, y + iy, enabled ? image.Pixels.Get(ix, iy) : clBtnShadow);
    }
}

void TImageList::GetBitmap(int index, TBitmap* bitmap) const {
  const TEntry& image = At(index);
  if (bitmap == nullptr) return;
  bitmap->SetSize(width_, height_);
  const TColor background = bk_color_ == clNone ? clWhite : bk_color_;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      bitmap->Canvas()->SetPixel(x, y,
                                 image.Transparent[static_cast<size_t>(y) * width_ + x]
                                     ? background
                                     : image.Pixels.Get(x, y));
}

}  // namespace qv
