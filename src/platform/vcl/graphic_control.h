#pragma once
// Controls without a window of their own (labels, speed buttons, images):
// they sit on a windowed parent, cannot take the focus and paint themselves
// on a canvas when asked.

#include <memory>

#include "platform/vcl/canvas.h"
#include "platform/vcl/control.h"

namespace qv {

// The canvas a control paints on: a pixel buffer the size of the control,
// filled with the control's colour and given its font and colour as brush
// before each paint.
class TControlCanvas {
 public:
  TControlCanvas();
  TCanvas* Canvas() const { return canvas_.get(); }
  const TPixelBuffer& Buffer() const { return buffer_; }
  void Prepare(const TControl& control);

 private:
  TPixelBuffer buffer_;
  std::unique_ptr<TCanvas> canvas_;
};

class TGraphicControl : public TControl {
  QV_DECLARE_CLASS(TGraphicControl)
  explicit TGraphicControl(TComponent* owner);

  TCanvas* Canvas() const { return canvas_.Canvas(); }
  // Paints the control now.
  void Update() override;

 protected:
  virtual void Paint() {}

 private:
  TControlCanvas canvas_;
};

}  // namespace qv
