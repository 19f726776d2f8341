#pragma once
// The drawing tools of a canvas: the pen for lines and frames, the brush for
// fills.

#include "platform/vcl/colors.h"
#include "platform/vcl/events.h"
#include "platform/vcl/persistent.h"

namespace qv {

QV_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
QV_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
        bsDiagCross);

class TPen : public TPersistent {
  QV_DECLARE_CLASS(TPen)

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
};

class TBrush : public TPersistent {
  QV_DECLARE_CLASS(TBrush)

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

}  // namespace qv
