#pragma once
// Images: a picture (a bitmap) shown on the parent, at its size (AutoSize),
// centred, or stretched to the control.

#include <memory>

#include "platform/vcl/bitmap.h"
#include "platform/vcl/graphic_control.h"

namespace qv {

class TPicture : public TPersistent {
  QV_DECLARE_CLASS(TPicture)
  TPicture();
  ~TPicture() override;

  TBitmap* Bitmap() const { return bitmap_.get(); }
  void SetBitmap(TBitmap* bitmap) { bitmap_->Assign(bitmap); }
  int Width() const { return bitmap_->Width(); }
  int Height() const { return bitmap_->Height(); }
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

 private:
  std::unique_ptr<TBitmap> bitmap_;
};

class TImage : public TGraphicControl {
  QV_DECLARE_CLASS(TImage)

  explicit TImage(TComponent* owner);

  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* picture) { picture_->Assign(picture); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  bool Center() const { return center_; }
  void SetCenter(bool center);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 protected:
  void Paint() override;

 private:
  void PictureChanged();

  std::unique_ptr<TPicture> picture_;
  bool auto_size_ = false;
  bool center_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
};

}  // namespace qv
