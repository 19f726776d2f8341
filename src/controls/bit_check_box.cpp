#include "controls/bit_check_box.h"

#include <algorithm>

#include "controls/check_box_glyphs.h"

namespace ravlet {
namespace {

// The accelerator character a caption marks with "&" (0 when none).
char32_t AcceleratorOf(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<unsigned char>(caption[i + 1]);
  }
  return 0;
}

char32_t FoldCase(char32_t ch) {
  return ch >= U'a' && ch <= U'z' ? ch - U'a' + U'A' : ch;
}

}  // namespace

QV_DEFINE_CLASS(TBitCheckBox, qv::TCustomControl, r) {
  r.Property("Alignment", &TBitCheckBox::Alignment, &TBitCheckBox::SetAlignment);
  r.Property("AllowGrayed", &TBitCheckBox::AllowGrayed, &TBitCheckBox::SetAllowGrayed);
  r.Property("Caption", &TBitCheckBox::Caption, &TBitCheckBox::SetCaption);
  r.Property("Checked", &TBitCheckBox::Checked, &TBitCheckBox::SetChecked);
  r.Property("CheckedGlyph", &TBitCheckBox::CheckedGlyph, &TBitCheckBox::SetCheckedGlyph);
  r.Property("CheckedNumGlyphs", &TBitCheckBox::CheckedNumGlyphs,
             &TBitCheckBox::SetCheckedNumGlyphs);
  r.Property("Color", &TBitCheckBox::Color, &TBitCheckBox::SetColor, "TColor");
  r.Property("Ctl3D", &TBitCheckBox::Ctl3D, &TBitCheckBox::SetCtl3D);
  r.Property("Enabled", &TBitCheckBox::Enabled, &TBitCheckBox::SetEnabled);
  r.Property("Font", &TBitCheckBox::Font, &TBitCheckBox::SetFont);
  r.Property("GrayedGlyph", &TBitCheckBox::GrayedGlyph, &TBitCheckBox::SetGrayedGlyph);
  r.Property("GrayedNumGlyphs", &TBitCheckBox::GrayedNumGlyphs, &TBitCheckBox::SetGrayedNumGlyphs);
  r.Property("ParentColor", &TBitCheckBox::ParentColor, &TBitCheckBox::SetParentColor);
  r.Property("ParentCtl3D", &TBitCheckBox::ParentCtl3D, &TBitCheckBox::SetParentCtl3D);
  r.Property("ParentFont", &TBitCheckBox::ParentFont, &TBitCheckBox::SetParentFont);
  r.Property("ParentShowHint", &TBitCheckBox::ParentShowHint, &TBitCheckBox::SetParentShowHint);
  r.Property("ShowHint", &TBitCheckBox::ShowHint, &TBitCheckBox::SetShowHint);
  r.Property("State", &TBitCheckBox::State, &TBitCheckBox::SetState);
  r.Property("TabOrder", &TBitCheckBox::TabOrder, &TBitCheckBox::SetTabOrder);
  r.Property("TabStop", &TBitCheckBox::TabStop, &TBitCheckBox::SetTabStop);
  r.Property("UncheckedGlyph", &TBitCheckBox::UncheckedGlyph, &TBitCheckBox::SetUncheckedGlyph);
  r.Property("UncheckedNumGlyphs", &TBitCheckBox::UncheckedNumGlyphs,
             &TBitCheckBox::SetUncheckedNumGlyphs);
  r.Property("Visible", &TBitCheckBox::Visible, &TBitCheckBox::SetVisible);
  r.Event("OnClick", &TBitCheckBox::OnClick);
  r.Event("OnEnter", &TBitCheckBox::OnEnter);
  r.Event("OnExit", &TBitCheckBox::OnExit);
  r.Event("OnKeyDown", &TBitCheckBox::OnKeyDown);
  r.Event("OnKeyPress", &TBitCheckBox::OnKeyPress);
  r.Event("OnKeyUp", &TBitCheckBox::OnKeyUp);
  r.Event("OnMouseDown", &TBitCheckBox::OnMouseDown);
  r.Event("OnMouseUp", &TBitCheckBox::OnMouseUp);
  r.Message(qv::CM_DIALOGCHAR, &TBitCheckBox::CMDialogChar);
}

TBitCheckBox::TBitCheckBox(qv::TComponent* owner) : qv::TCustomControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
  SetParentColor(true);
  for (int state : {qv::cbUnchecked, qv::cbChecked, qv::cbGrayed}) {
    glyphs_[state] = std::make_unique<qv::TBitmap>();
    LoadCheckGlyph(*glyphs_[state], CheckGlyphName(static_cast<qv::TCheckBoxState>(state)));
  }
}

TBitCheckBox::~TBitCheckBox() = default;

void TBitCheckBox::SetAlignment(qv::TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TBitCheckBox::SetState(qv::TCheckBoxState state) {
  if (state == state_ || state < qv::cbUnchecked || state > qv::cbGrayed) return;
  state_ = state;
  Invalidate();
}

void TBitCheckBox::SetGlyph(qv::TCheckBoxState state, const qv::TBitmap* glyph) {
  qv::TBitmap& target = *glyphs_[state];
  if (glyph == nullptr || glyph->Empty())
    LoadCheckGlyph(target, CheckGlyphName(state));
  else
    target.Assign(glyph);
  if (target.Height() > 0 && target.Width() % target.Height() == 0)
    num_glyphs_[state] = std::clamp(target.Width() / target.Height(), 1, 2);
  Invalidate();
}

void TBitCheckBox::SetNumGlyphs(qv::TCheckBoxState state, int count) {
  count = std::clamp(count, 1, 2);
  if (count == num_glyphs_[state]) return;
  num_glyphs_[state] = count;
  Invalidate();
}

qv::TCheckBoxState TBitCheckBox::NextState() const {
  switch (state_) {
    case qv::cbUnchecked:
      return allow_grayed_ ? qv::cbGrayed : qv::cbChecked;
    case qv::cbChecked:
      return qv::cbUnchecked;
    default:
      return qv::cbChecked;
  }
}

void TBitCheckBox::Click() {
  SetState(NextState());
  qv::TCustomControl::Click();
  if (CanFocus() && qv::GetParentForm(this) != nullptr) SetFocus();
}

void TBitCheckBox::KeyPress(char32_t& key) {
  qv::TCustomControl::KeyPress(key);
  if (key == U' ') Click();
}

// The caption's accelerator gives the focus and moves on without a click event.
void TBitCheckBox::CMDialogChar(qv::TMessage& message) {
  const char32_t accelerator = AcceleratorOf(Caption());
  if (accelerator != 0 &&
      FoldCase(static_cast<char32_t>(message.WParam)) == FoldCase(accelerator) && CanFocus() &&
      qv::GetParentForm(this) != nullptr) {
    SetFocus();
    SetState(NextState());
    message.Result = 1;
    return;
  }
  Inherited(message);
}

int TBitCheckBox::ImageWidth() const {
  return glyphs_[state_]->Width() / num_glyphs_[state_];
}

qv::TRect TBitCheckBox::CaptionRect() const {
  const qv::TFont& font = *Font();
  const std::string& caption = Caption();
  int text_width = font.TextWidth(caption);
  if (caption.find('&') != std::string::npos) text_width -= font.TextWidth("&");
  const int text_height = font.TextHeight(caption);
  const qv::TRect client = ClientRect();
  const int left = alignment_ == qv::taLeftJustify ? 1 : ImageWidth() + 4;
  const int top = (client.Height() - text_height) / 2 - 2;
  return qv::IntersectRect(qv::Bounds(left, top, text_width, text_height + 3), client);
}

void TBitCheckBox::Paint() {
  qv::TCanvas& canvas = *Canvas();
  const qv::TRect client = ClientRect();
  canvas.Brush()->SetColor(Color());
  canvas.Brush()->SetStyle(qv::bsSolid);
  canvas.FillRect(client);

  const qv::TBitmap& glyph = *glyphs_[state_];
  const int count = num_glyphs_[state_];
  const int image_width = ImageWidth();

  qv::TRect caption = CaptionRect();
  canvas.Font()->Assign(Font());
  canvas.Brush()->SetStyle(qv::bsClear);
  const unsigned format = qv::DT_SINGLELINE | qv::DT_VCENTER;
  if (Enabled()) {
    canvas.Font()->SetColor(Font()->Color());
    canvas.DrawText(Caption(), caption, format);
  } else {
    if (Ctl3D()) {
      qv::TRect shifted = qv::OffsetRect(caption, 1, 1);
      canvas.Font()->SetColor(qv::clBtnHighlight);
      canvas.DrawText(Caption(), shifted, format);
    }
    canvas.Font()->SetColor(qv::clBtnShadow);
    canvas.DrawText(Caption(), caption, format);
  }
  if (Focused()) canvas.DrawFocusRect(qv::IntersectRect(qv::InflateRect(caption, 1, 1), client));

  if (glyph.Empty() || image_width <= 0) return;
  const int x = alignment_ == qv::taLeftJustify ? client.Width() - image_width : 0;
  const int y = (client.Height() - glyph.Height()) / 2;
  const int image = !Enabled() && count == 2 ? 1 : 0;
  canvas.Brush()->SetStyle(qv::bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.BrushCopy(qv::Bounds(x, y, image_width, glyph.Height()), &glyph,
                   qv::Bounds(image * image_width, 0, image_width, glyph.Height()),
                   glyph.TransparentColor());
}

}  // namespace ravlet
