#pragma once
// The labelled data-aware edit with a lookup button of its own ("F2Button",
// a flat glyph button, glyph 8) standing right of it as a square of its
// height, ButtonSpacing pixels away. A click on the button raises OnDialog
// (Sender = the edit) when it is set; otherwise the edit takes the focus and
// asks its window to open the lookup for it.

#include <string>

#include "controls/g_speed_button.h"
#include "controls/qv_db_edit.h"

namespace ravlet {

class TQvBtnDBEdit : public TQvDBEdit {
  QV_DECLARE_CLASS(TQvBtnDBEdit)

  explicit TQvBtnDBEdit(qv::TComponent* owner);

  // Null once the button was freed on its own.
  TGSpeedButton* Button() const { return button_; }
  int ButtonSpacing() const { return button_spacing_; }
  void SetButtonSpacing(int spacing);
  int GlyphIndex() const { return button_ != nullptr ? button_->GlyphIndex() : 0; }
  void SetGlyphIndex(int index);
  std::string ButtonHint() const { return button_ != nullptr ? button_->Hint() : std::string(); }
  void SetButtonHint(const std::string& hint);

  qv::TNotifyEvent OnDialog;

  void SetParent(qv::TWinControl* parent) override;
  void Notification(qv::TComponent* component, qv::TOperation operation) override;

 protected:
  void BoundsChanged(bool moved, bool resized) override;
  void CMButtonFollows(qv::TMessage& message);

 private:
  void PlaceButton();
  void ButtonClick(qv::TObject* sender);

  TGSpeedButton* button_ = nullptr;
  int button_spacing_ = 2;
};

}  // namespace ravlet
