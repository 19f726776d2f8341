#include "platform/vcl/graphic_control.h"

namespace qv {

TControlCanvas::TControlCanvas() : canvas_(std::make_unique<TCanvas>(&buffer_)) {}

void TControlCanvas::Prepare(const TControl& control) {
  buffer_.Resize(0, 0, clWhite);
  buffer_.Resize(control.Width(), control.Height(), control.Color());
  canvas_->ResetClip();
  canvas_->ClearTextLog();
  canvas_->Font()->Assign(control.Font());
  canvas_->Brush()->SetColor(control.Color());
  canvas_->Pen()->SetColor(clBlack);
  canvas_->SetCopyMode(cmSrcCopy);
}

QV_DEFINE_CLASS(TGraphicControl, TControl, r) {}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::Update() {
  canvas_.Prepare(*this);
  Paint();
}

}  // namespace qv
