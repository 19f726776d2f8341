#pragma once
// The screen: every form of the process, which of them is active, the modal
// runs in progress, the mouse cursor and the system fonts. A headless screen
// of 1024 x 768 pixels at 96 pixels per inch.

#include <memory>
#include <string_view>
#include <vector>

#include "platform/text/string_list.h"
#include "platform/vcl/component.h"
#include "platform/vcl/cursors.h"
#include "platform/vcl/font.h"

namespace qv {

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
  QV_DECLARE_CLASS(TScreen)

  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const;
  // The first form of that name, without regard to case; null when none.
  TCustomForm* FindForm(std::string_view name) const;
  TCustomForm* ActiveForm() const { return active_form_; }
  TWinControl* ActiveControl() const;
  // The form of the innermost modal run; null when none runs.
  TCustomForm* ModalForm() const;
  // Input reaches a form when it is shown and no modal run of another form
  // is in progress.
  bool AcceptsInput(const TCustomForm* form) const;

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }
  TStrings* Fonts() const { return fonts_.get(); }
  TFont* IconFont() const { return icon_font_.get(); }
  TFont* HintFont() const { return hint_font_.get(); }
  TFont* MenuFont() const { return menu_font_.get(); }
  int Width() const { return 1024; }
  int Height() const { return 768; }
  int PixelsPerInch() const { return TFont::kPixelsPerInch; }

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void FormShown(TCustomForm* form);
  void FormHidden(TCustomForm* form);
  void ActivateForm(TCustomForm* form);
  void PushModal(TCustomForm* form);
  void PopModal(TCustomForm* form);

  std::vector<TCustomForm*> forms_;
  // Shown forms, the most recently activated last.
  std::vector<TCustomForm*> shown_;
  std::vector<TCustomForm*> modal_;
  TCustomForm* active_form_ = nullptr;
  TCursor cursor_ = crDefault;
  std::unique_ptr<TStringList> fonts_;
  std::unique_ptr<TFont> icon_font_;
  std::unique_ptr<TFont> hint_font_;
  std::unique_ptr<TFont> menu_font_;
};

// Shows the busy cursor while it exists and then puts the previous cursor back.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TCursor saved_;
};

extern TScreen* Screen;

}  // namespace qv
