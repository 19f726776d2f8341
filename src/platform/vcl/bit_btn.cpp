#include "platform/vcl/bit_btn.h"

#include <algorithm>
#include <vector>

namespace qv {

namespace {

struct TKindInfo {
  const char* Caption;
  TModalResult Result;
};

// Indexed by TBitBtnKind.
constexpr TKindInfo kKinds[] = {
    {"", mrNone},        {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},     {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll},
};

bool DefaultOf(TBitBtnKind kind) {
  return kind == bkOK || kind == bkYes;
}

bool CancelOf(TBitBtnKind kind) {
  return kind == bkCancel || kind == bkNo;
}

// The pictograms of the standard kinds, as polylines on an 18 x 18 image.
struct TPolyline {
  TColor Color;
  std::vector<TPoint> Points;
};

std::vector<TPolyline> Pictogram(TBitBtnKind kind) {
  switch (kind) {
    case bkOK:
      return {{clGreen, {{3, 9}, {7, 13}, {15, 4}}}};
    case bkYes:
      return {{clGreen, {{3, 10}, {7, 14}, {15, 3}}}};
    case bkCancel:
      return {{clRed, {{4, 4}, {14, 14}}}, {clRed, {{14, 4}, {4, 14}}}};
    case bkNo:
      return {
          {clRed, {{6, 3}, {12, 3}, {15, 6}, {15, 12}, {12, 15}, {6, 15}, {3, 12}, {3, 6}, {6, 3}}},
          {clRed, {{5, 5}, {13, 13}}}};
    case bkAbort:
      return {{clMaroon, {{5, 5}, {13, 13}}}, {clMaroon, {{13, 5}, {5, 13}}}};
    case bkClose:
      return {{clTeal, {{4, 2}, {13, 2}, {13, 16}, {4, 16}, {4, 2}}},
              {clTeal, {{11, 9}, {12, 10}}}};
    case bkHelp:
      return {{clNavy, {{5, 5}, {7, 3}, {11, 3}, {13, 5}, {13, 7}, {9, 10}, {9, 12}}},
              {clNavy, {{9, 14}, {9, 16}}}};
    case bkRetry:
      return {{clGreen, {{14, 9}, {12, 13}, {7, 14}, {4, 11}, {4, 7}, {7, 4}, {12, 4}}},
              {clGreen, {{10, 2}, {12, 4}, {10, 6}}}};
    case bkIgnore:
      return {{clBlack, {{3, 9}, {15, 9}}}, {clBlack, {{11, 5}, {15, 9}, {11, 13}}}};
    case bkAll:
      return {{clGreen, {{2, 9}, {5, 12}, {10, 5}}}, {clGreen, {{7, 9}, {10, 12}, {16, 4}}}};
    case bkCustom:
      break;
  }
  return {};
}

}  // namespace

QV_DEFINE_CLASS(TBitBtn, TButton, r) {
  r.Property("Cancel", &TBitBtn::Cancel, &TBitBtn::SetCancel);
  r.Property("Caption", &TBitBtn::Caption, &TBitBtn::SetCaption);
  r.Property("Default", &TBitBtn::Default, &TBitBtn::SetDefault);
  r.Property("Enabled", &TBitBtn::Enabled, &TBitBtn::SetEnabled);
  r.Property("Font", &TBitBtn::Font, &TBitBtn::SetFont);
  r.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
  r.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind);
  r.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout);
  r.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
  r.Property("ModalResult", &TBitBtn::ModalResult, &TBitBtn::SetModalResult, "TModalResult");
  r.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs, "TNumGlyphs");
  r.Property("ParentFont", &TBitBtn::ParentFont, &TBitBtn::SetParentFont);
  r.Property("ParentShowHint", &TBitBtn::ParentShowHint, &TBitBtn::SetParentShowHint);
  r.Property("ShowHint", &TBitBtn::ShowHint, &TBitBtn::SetShowHint);
  r.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
  r.Property("TabOrder", &TBitBtn::TabOrder, &TBitBtn::SetTabOrder);
  r.Property("TabStop", &TBitBtn::TabStop, &TBitBtn::SetTabStop);
  r.Property("Visible", &TBitBtn::Visible, &TBitBtn::SetVisible);
  r.Event("OnClick", &TBitBtn::OnClick);
  r.Event("OnEnter", &TBitBtn::OnEnter);
  r.Event("OnExit", &TBitBtn::OnExit);
  r.Event("OnKeyDown", &TBitBtn::OnKeyDown);
  r.Event("OnKeyPress", &TBitBtn::OnKeyPress);
  r.Event("OnKeyUp", &TBitBtn::OnKeyUp);
  r.Event("OnMouseDown", &TBitBtn::OnMouseDown);
  r.Event("OnMouseUp", &TBitBtn::OnMouseUp);
  r.Message(CM_ENABLEDCHANGED, &TBitBtn::CMEnabledChanged);
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
  glyph_.OnChange = [this] {
    if (!setting_kind_) modified_glyph_ = true;
    Invalidate();
  };
}

TBitBtn::~TBitBtn() {
  glyph_.OnChange = nullptr;
}

TBitBtnKind TBitBtn::Kind() const {
  if (kind_ != bkCustom && (DefaultOf(kind_) != Default() || CancelOf(kind_) != Cancel() ||
                            ModalResult() != kKinds[kind_].Result || modified_glyph_))
    kind_ = bkCustom;
  return kind_;
}

void TBitBtn::SetKind(TBitBtnKind kind) {
  if (kind < bkCustom || kind > bkAll) return;
  if (kind == Kind()) return;
  kind_ = kind;
  if (kind == bkCustom) return;
  SetDefault(DefaultOf(kind));
  SetCancel(CancelOf(kind));
  SetModalResult(kKinds[kind].Result);
  // A loaded caption of its own is kept.
  if (!IsLoading() || Caption().empty()) SetCaption(kKinds[kind].Caption);
  TBitmap bitmap;
  DrawKindGlyph(kind, &bitmap);
  setting_kind_ = true;
  glyph_.SetGlyph(&bitmap);
  setting_kind_ = false;
  modified_glyph_ = false;
}

void TBitBtn::DrawKindGlyph(TBitBtnKind kind, TBitmap* bitmap) {
  constexpr int kSide = 18;
  bitmap->SetSize(2 * kSide, kSide);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clOlive);
  canvas->FillRect(Rect(0, 0, 2 * kSide, kSide));
  for (const TPolyline& line : Pictogram(kind)) {
    canvas->Pen()->SetColor(line.Color);
    // Two pixels wide: each stroke again one pixel to the right.
    for (int dx = 0; dx < 2; ++dx) {
      canvas->MoveTo(line.Points.front().X + dx, line.Points.front().Y);
      for (size_t i = 1; i < line.Points.size(); ++i)
        canvas->LineTo(line.Points[i].X + dx, line.Points[i].Y);
      canvas->SetPixel(line.Points.back().X + dx, line.Points.back().Y, line.Color);
    }
  }
  const TColor background = ColorToRGB(clOlive);
  std::vector<TPoint> marked;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      if (bitmap->Buffer().Get(x, y) != background) marked.push_back({x, y});
  for (const TPoint& p : marked)
    if (p.X + 1 < kSide && p.Y + 1 < kSide)
      canvas->SetPixel(kSide + p.X + 1, p.Y + 1, clBtnHighlight);
  for (const TPoint& p : marked) canvas->SetPixel(kSide + p.X, p.Y, clBtnShadow);
}

void TBitBtn::SetGlyph(TBitmap* bitmap) {
  glyph_.SetGlyph(bitmap);
  modified_glyph_ = true;
}

void TBitBtn::SetLayout(TButtonLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Invalidate();
}

void TBitBtn::SetMargin(int margin) {
  margin = std::max(margin, -1);
  if (margin == margin_) return;
  margin_ = margin;
  Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  Invalidate();
}

TButtonState TBitBtn::State() const {
  if (!Enabled()) return bsDisabled;
  return pressed_ ? bsDown : bsUp;
}

void TBitBtn::Click() {
  if (Kind() == bkClose) {
    if (TCustomForm* form = GetParentForm(this)) {
      form->Close();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    pressed_ = true;
    Invalidate();
  }
  TButton::MouseDown(button, shift, x, y);
}

void TBitBtn::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressed_) {
    pressed_ = false;
    Invalidate();
  }
  TButton::MouseUp(button, shift, x, y);
}

void TBitBtn::CMEnabledChanged(TMessage& message) {
  if (!Enabled()) pressed_ = false;
  Invalidate();
  Inherited(message);
}

void TBitBtn::Update() {
  canvas_.Prepare(*this);
  Paint();
}

void TBitBtn::Paint() {
  TCanvas* canvas = Canvas();
  const TButtonState state = State();
  TRect r = ClientRect();
  auto edge = [canvas](const TRect& rect, TColor top_left, TColor bottom_right) {
    canvas->Brush()->SetColor(top_left);
    canvas->FillRect(Rect(rect.Left, rect.Top, rect.Right, rect.Top + 1));
    canvas->FillRect(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom));
    canvas->Brush()->SetColor(bottom_right);
    canvas->FillRect(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
    canvas->FillRect(Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom));
  };
  if (Default() || Focused()) {
    edge(r, clBlack, clBlack);
    r = InflateRect(r, -1, -1);
  }
  if (state == bsDown) {
    edge(r, clBtnShadow, clBtnShadow);
  } else {
    edge(r, clBtnHighlight, clBlack);
    edge(InflateRect(r, -1, -1), clBtnFace, clBtnShadow);
  }
  r = InflateRect(r, -2, -2);
  canvas->Brush()->SetColor(Color());
  const TPoint offset = state == bsDown ? TPoint{1, 1} : TPoint{0, 0};
  placement_ = glyph_.Draw(canvas, r, offset, Caption(), layout_, margin_, spacing_, state);
  if (Focused() && state != bsDisabled) canvas->DrawFocusRect(InflateRect(r, -1, -1));
}

}  // namespace qv
