#include "platform/vcl/image.h"

namespace qv {

QV_DEFINE_CLASS(TPicture, TPersistent, r) {
  r.Property("Bitmap", &TPicture::Bitmap, &TPicture::SetBitmap);
}

TPicture::TPicture() : bitmap_(std::make_unique<TBitmap>()) {
  bitmap_->OnChange = TNotifyEvent(this, [this](TObject*) { OnChange(this); });
}

TPicture::~TPicture() = default;

void TPicture::Assign(const TPersistent* source) {
  if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
    bitmap_->Assign(picture->bitmap_.get());
    return;
  }
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    bitmap_->Assign(bitmap);
    return;
  }
  TPersistent::Assign(source);
}

QV_DEFINE_CLASS(TImage, TGraphicControl, r) {
  r.Property("Align", &TImage::Align, &TImage::SetAlign);
  r.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
  r.Property("Center", &TImage::Center, &TImage::SetCenter);
  r.Property("Enabled", &TImage::Enabled, &TImage::SetEnabled);
  r.Property("Picture", &TImage::Picture, &TImage::SetPicture);
  r.Property("Stretch", &TImage::Stretch, &TImage::SetStretch);
  r.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent);
  r.Property("Visible", &TImage::Visible, &TImage::SetVisible);
  r.Event("OnClick", &TImage::OnClick);
  r.Event("OnDblClick", &TImage::OnDblClick);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = TNotifyEvent(this, [this](TObject*) { PictureChanged(); });
}

void TImage::PictureChanged() {
  if (auto_size_ && !picture_->Bitmap()->Empty())
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  Invalidate();
}

void TImage::SetAutoSize(bool auto_size) {
  if (auto_size == auto_size_) return;
  auto_size_ = auto_size;
  PictureChanged();
}

void TImage::SetCenter(bool center) {
  if (center == center_) return;
  center_ = center;
  Invalidate();
}

void TImage::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  Invalidate();
}

void TImage::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Invalidate();
}

void TImage::Paint() {
  const TBitmap* bitmap = picture_->Bitmap();
  if (bitmap->Empty()) return;
  if (stretch_) {
    TCanvas source_canvas(const_cast<TPixelBuffer*>(&bitmap->Buffer()));
    Canvas()->CopyRect(ClientRect(), source_canvas, Rect(0, 0, bitmap->Width(), bitmap->Height()));
    return;
  }
  int x = 0;
  int y = 0;
  if (center_) {
    x = (Width() - bitmap->Width()) / 2;
    y = (Height() - bitmap->Height()) / 2;
  }
  if (transparent_ && !bitmap->Transparent()) {
    TBitmap copy;
    copy.Assign(bitmap);
    copy.SetTransparent(true);
    Canvas()->Draw(x, y, &copy);
  } else {
    Canvas()->Draw(x, y, bitmap);
  }
}

}  // namespace qv
