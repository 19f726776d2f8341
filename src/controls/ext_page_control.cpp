#include "controls/ext_page_control.h"

namespace ravlet {

QV_DEFINE_CLASS(TExtPageControl, qv::TPageControl, r) {
  r.Event("OnDrawTab", &TExtPageControl::OnDrawTab);
}

TExtPageControl::TExtPageControl(qv::TComponent* owner) : qv::TPageControl(owner) {
  SetOwnerDraw(true);
}

void TExtPageControl::DrawTab(int tab_index, const qv::TRect& rect, bool active) {
  if (OnDrawTab) {
    OnDrawTab(this, tab_index, rect, active);
    return;
  }
  qv::TCanvas& canvas = *Canvas();
  const qv::TFontStyles old_style = canvas.Font()->Style();
  const qv::TColor old_color = canvas.Font()->Color();
  qv::TRect area = rect;
  qv::TFontStyles style = old_style;
  if (active) {
    area = qv::InflateRect(rect, -2, -2);
    canvas.Brush()->SetColor(qv::clActiveCaption);
    canvas.Font()->SetColor(qv::clCaptionText);
    style.Include(qv::fsBold);
  } else {
    canvas.Brush()->SetColor(qv::clInactiveCaption);
    canvas.Font()->SetColor(qv::clInactiveCaptionText);
    style.Exclude(qv::fsBold);
  }
  canvas.Font()->SetStyle(style);
  canvas.Brush()->SetStyle(qv::bsSolid);
  canvas.FillRect(area);
  qv::TRect text = active ? area : qv::OffsetRect(area, 0, 2);
  if (const qv::TTabSheet* page = PageForTab(tab_index)) {
    canvas.Brush()->SetStyle(qv::bsClear);
    canvas.DrawText(page->Caption(), text, qv::DT_SINGLELINE | qv::DT_CENTER | qv::DT_VCENTER);
    canvas.Brush()->SetStyle(qv::bsSolid);
  }
  canvas.Font()->SetStyle(old_style);
  canvas.Font()->SetColor(old_color);
}

}  // namespace ravlet
