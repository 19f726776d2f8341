#pragma once
// Panels: containers with a caption and bevels. Aligned children share the
// client area inside the border and the bevels.

#include "platform/vcl/alignment.h"
#include "platform/vcl/custom_control.h"

namespace qv {

class TCustomPanel : public TCustomControl {
  QV_DECLARE_CLASS(TCustomPanel)

  explicit TCustomPanel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut bevel);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut bevel);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int width);

  void AdjustClientRect(TRect& rect) const override;

 private:
  void Rearrange();

  TAlignment alignment_ = taCenter;
  TBevelCut bevel_inner_ = bvNone;
  TBevelCut bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  int border_width_ = 0;
};

class TPanel : public TCustomPanel {
  QV_DECLARE_CLASS(TPanel)
  using TCustomPanel::TCustomPanel;
};

}  // namespace qv
