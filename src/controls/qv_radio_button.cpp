#include "controls/qv_radio_button.h"

namespace ravlet {

QV_DEFINE_CLASS(TQvRadioButton, qv::TCustomRadioButton, r) {
  r.Property("Alignment", &TQvRadioButton::Alignment, &TQvRadioButton::SetAlignment);
  r.Property("Caption", &TQvRadioButton::Caption, &TQvRadioButton::SetCaption);
  r.Property("Checked", &TQvRadioButton::Checked, &TQvRadioButton::SetChecked);
  r.Property("Color", &TQvRadioButton::Color, &TQvRadioButton::SetColor, "TColor");
  r.Property("Ctl3D", &TQvRadioButton::Ctl3D, &TQvRadioButton::SetCtl3D);
  r.Property("Enabled", &TQvRadioButton::Enabled, &TQvRadioButton::SetEnabled);
  r.Property("Font", &TQvRadioButton::Font, &TQvRadioButton::SetFont);
  r.Property("ParentColor", &TQvRadioButton::ParentColor, &TQvRadioButton::SetParentColor);
  r.Property("ParentCtl3D", &TQvRadioButton::ParentCtl3D, &TQvRadioButton::SetParentCtl3D);
  r.Property("ParentFont", &TQvRadioButton::ParentFont, &TQvRadioButton::SetParentFont);
  r.Property("ParentShowHint", &TQvRadioButton::ParentShowHint, &TQvRadioButton::SetParentShowHint);
  r.Property("ShowHint", &TQvRadioButton::ShowHint, &TQvRadioButton::SetShowHint);
  r.Property("TabOrder", &TQvRadioButton::TabOrder, &TQvRadioButton::SetTabOrder);
  r.Property("TabStop", &TQvRadioButton::TabStop, &TQvRadioButton::SetTabStop);
  r.Property("Visible", &TQvRadioButton::Visible, &TQvRadioButton::SetVisible);
  r.Event("OnClick", &TQvRadioButton::OnClick);
  r.Event("OnDblClick", &TQvRadioButton::OnDblClick);
  r.Event("OnEnter", &TQvRadioButton::OnEnter);
  r.Event("OnExit", &TQvRadioButton::OnExit);
  r.Event("OnKeyDown", &TQvRadioButton::OnKeyDown);
  r.Event("OnKeyPress", &TQvRadioButton::OnKeyPress);
  r.Event("OnKeyUp", &TQvRadioButton::OnKeyUp);
  r.Message(qv::CM_ENABLEDCHANGED, &TQvRadioButton::CMEnabledChanged);
}

TQvRadioButton::TQvRadioButton(qv::TComponent* owner) : qv::TCustomRadioButton(owner) {}

int TQvRadioButton::CaptionOffset(int font_size) {
  struct Step {
    int up_to;
    int offset;
  };
  static constexpr Step kSteps[] = {{8, 17},  {15, 19}, {17, 20}, {23, 21}, {29, 23},
                                    {35, 25}, {41, 27}, {43, 29}, {60, 31}, {80, 39}};
  if (font_size >= 1)
    for (const Step& step : kSteps)
      if (font_size <= step.up_to) return step.offset;
  return 44;
}

void TQvRadioButton::Update() {
  canvas_.Prepare(*this);
  PaintButton();
  PaintCaption();
}

void TQvRadioButton::PaintButton() {
  qv::TCanvas& canvas = *Canvas();
  constexpr int kSize = 12;
  const int top = (Height() - kSize) / 2;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const double dx = x - (kSize - 1) / 2.0;
      const double dy = y - (kSize - 1) / 2.0;
      const double d2 = dx * dx + dy * dy;
      if (d2 > 36.0) continue;
      qv::TColor color = d2 > 20.25 ? qv::clBtnShadow : (Enabled() ? qv::clWindow : qv::clBtnFace);
      if (Checked() && d2 <= 4.0) color = Enabled() ? qv::clWindowText : qv::clBtnShadow;
      canvas.SetPixel(x, top + y, color);
    }
}

void TQvRadioButton::PaintCaption() {
  qv::TCanvas& canvas = *Canvas();
  const qv::TRect client = ClientRect();
  const int offset = CaptionOffset(Font()->Size());
  canvas.Brush()->SetStyle(qv::bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(
      qv::Rect(client.Left + offset - 4, client.Top - 4, client.Right + 4, client.Bottom + 4));
  canvas.Font()->Assign(Font());
  canvas.Brush()->SetStyle(qv::bsClear);
  qv::TRect text = qv::Rect(client.Left + offset, client.Top, client.Right, client.Bottom);
  canvas.DrawText(Caption(), text, qv::DT_SINGLELINE | qv::DT_VCENTER);
}

void TQvRadioButton::CMEnabledChanged(qv::TMessage& message) {
  Inherited(message);
  Invalidate();
}

}  // namespace ravlet
