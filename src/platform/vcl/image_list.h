#pragma once
// Image lists: images of one size kept by index, each with its mask (which
// pixels are transparent). A strip wider than the list's image width is cut
// into several images. A disabled image is drawn in the button-shadow colour.
// An index out of range raises EInvalidOperation "Invalid ImageList Index".

#include <vector>

#include "platform/vcl/bitmap.h"
#include "platform/vcl/component.h"

namespace qv {

class TImageList : public TComponent {
  QV_DECLARE_CLASS(TImageList)

  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size removes all images.
  void SetWidth(int width);
  void SetHeight(int height);
  bool Masked() const { return masked_; }
  void SetMasked(bool masked) { masked_ = masked; }
  TColor BkColor() const { return bk_color_; }
  void SetBkColor(TColor color) { bk_color_ = color; }
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds the images of a strip; `mask` (monochrome, white = transparent) may be
  // null. Returns the index of the first image added.
  int Add(const TBitmap* image, const TBitmap* mask);
  // The same, with the pixels of `mask_color` transparent.
  int AddMasked(const TBitmap* image, TColor mask_color);
  void Replace(int index, const TBitmap* image, const TBitmap* mask);
  void Delete(int index);
  void Clear();

  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
  // The image on a bitmap of the list's size; transparent pixels take the
  // background colour (white when BkColor is clNone).
  void GetBitmap(int index, TBitmap* bitmap) const;
  // True where the image is transparent.
  bool IsTransparent(int index, int x, int y) const;

  TNotifyEvent OnChange;

 private:
  struct TEntry {
    TPixelBuffer Pixels;
    std::vector<bool> Transparent;
  };
  const TEntry& At(int index) const;
  std::vector<TEntry> Cut(const TBitmap* image, const TBitmap* mask, bool use_color,
                          TColor mask_color) const;
  void Changed() { OnChange(this); }

  int width_ = 16;
  int height_ = 16;
  bool masked_ = true;
  TColor bk_color_ = clNone;
  std::vector<TEntry> images_;
};

}  // namespace qv
