#include "platform/vcl/splitter.h"

#include <algorithm>

#include "platform/vcl/win_control.h"

namespace qv {

QV_DEFINE_CLASS(TSplitter, TGraphicControl, r) {
  r.Property("Align", &TSplitter::Align, &TSplitter::SetAlign);
  r.Property("AutoSnap", &TSplitter::AutoSnap, &TSplitter::SetAutoSnap);
  r.Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled);
  r.Property("Color", &TSplitter::Color, &TSplitter::SetColor, "TColor");
  r.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize);
  r.Property("ParentColor", &TSplitter::ParentColor, &TSplitter::SetParentColor);
  r.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle);
  r.Property("Visible", &TSplitter::Visible, &TSplitter::SetVisible);
  r.Event("OnCanResize", &TSplitter::OnCanResize);
  r.Event("OnMoved", &TSplitter::OnMoved);
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption, csClickEvents});
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
  SetParentColor(true);
}

void TSplitter::SetMinSize(int size) {
  min_size_ = std::max(size, 1);
}

void TSplitter::SetBeveled(bool beveled) {
  if (beveled == beveled_) return;
  beveled_ = beveled;
  Invalidate();
}

int TSplitter::SizeOf(const TControl* control) const {
  return Horizontal() ? control->Width() : control->Height();
}

TControl* TSplitter::ResizeControl() const {
  if (Parent() == nullptr) return nullptr;
  // A point just outside the splitter's edge on its aligned side.
  TPoint p{Left(), Top()};
  switch (Align()) {
    case alLeft:
      --p.X;
      break;
    case alRight:
      p.X += Width();
      break;
    case alTop:
      --p.Y;
      break;
    case alBottom:
      p.Y += Height();
      break;
    default:
      return nullptr;
  }
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* control = Parent()->Controls(i);
    if (control == this || !control->Visible() || !control->Enabled() ||
        control->Align() != Align())
      continue;
    const TRect r = control->BoundsRect();
    // The edge the control shares with the splitter counts as inside.
    const TRect reach{r.Left, r.Top, r.Right + (Horizontal() ? 1 : 0),
                      r.Bottom + (Horizontal() ? 0 : 1)};
    if (reach.Contains(p)) return control;
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  control_ = ResizeControl();
  new_size_ = -1;
  if (control_ == nullptr) return;
  down_ = {x, y};
  start_size_ = SizeOf(control_);
  const bool horizontal = Horizontal();
  max_size_ = (horizontal ? Parent()->ClientWidth() : Parent()->ClientHeight()) - min_size_;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    const TControl* control = Parent()->Controls(i);
    if (!control->Visible()) continue;
    if (horizontal && (control->Align() == alLeft || control->Align() == alRight))
      max_size_ -= control->Width();
    if (!horizontal && (control->Align() == alTop || control->Align() == alBottom))
      max_size_ -= control->Height();
  }
  max_size_ += start_size_;
}

int TSplitter::DraggedSize(int x, int y) {
  const int split = Horizontal() ? x - down_.X : y - down_.Y;
  const bool forward = Align() == alLeft || Align() == alTop;
  int size = forward ? start_size_ + split : start_size_ - split;
  size = std::clamp(size, min_size_, std::max(max_size_, min_size_));
  if (!CanResize(size)) return -1;
  if (auto_snap_ && size <= min_size_) size = 0;
  return std::max(size, 0);
}

bool TSplitter::CanResize(int& new_size) {
  bool accept = true;
  OnCanResize(this, new_size, accept);
  return accept;
}

void TSplitter::Apply(int size) {
  if (control_ == nullptr || size < 0) return;
  if (Horizontal())
    control_->SetWidth(size);
  else
    control_->SetHeight(size);
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (control_ == nullptr || !shift.Contains(ssLeft)) return;
  const int size = DraggedSize(x, y);
  if (size < 0) return;
  new_size_ = size;
  if (resize_style_ == rsUpdate) Apply(new_size_);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || control_ == nullptr) return;
  const bool moved = new_size_ >= 0;
  if (moved) Apply(new_size_);
  control_ = nullptr;
  new_size_ = -1;
  if (moved) OnMoved(this);
}

void TSplitter::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

}  // namespace qv
