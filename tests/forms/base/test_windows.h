#pragma once
// Small windows for the base-window tests.
//
// TfrmQvBase (TQVForm): lblQv, lblBase, edCode (asks for an input method),
//   btnOk. TfrmQvChild adds lblChild. Language packages for TQVForm,
//   TfrmQvBase and TfrmQvChild are in MultiLanguage/CHT and MultiLanguage/ENG
//   next to this file; each sets the label of its own level.
// TfrmGlyphTest (TQVForm): speed and bitmap buttons with glyphs of one or two
//   images, or none; the one-image glyphs hold GlyphImage().
// TfrmControlGlyphTest (TQVForm): the module's glyph buttons inside other
//   controls: a selection panel spCode, a lookup edit edLookup, and a lookup
//   button btnDate (glyph 9).
// TfrmMessageTest (TfrmBaseGene): edCode, edName, btnOk, btnCancel; every
//   left-button-up an edit receives is written to `journal`.

#include <memory>
#include <string>
#include <vector>

#include "controls/f2_button.h"
#include "controls/qv_btn_db_edit.h"
#include "controls/select_panel.h"
#include "forms/base/frm_base_gene.h"
#include "forms/base/qv_form.h"
#include "platform/vcl/bit_btn.h"
#include "platform/vcl/button.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/label.h"
#include "platform/vcl/speed_button.h"

namespace ravlet::testing {

class TfrmQvBase : public TQVForm {
  QV_DECLARE_CLASS(TfrmQvBase)

 public:
  explicit TfrmQvBase(qv::TComponent* owner);

  void FormCreate(qv::TObject* sender) override;
  void ApplyLanguage(qv::TComponent* target, bool whole_chain) override;

  qv::TLabel* lblQv;
  qv::TLabel* lblBase;
  qv::TEdit* edCode;
  qv::TButton* btnOk;
  // What this window's own creation step found, and the language runs.
  std::vector<std::string> journal;
};

class TfrmQvChild : public TfrmQvBase {
  QV_DECLARE_CLASS(TfrmQvChild)

 public:
  explicit TfrmQvChild(qv::TComponent* owner);

  qv::TLabel* lblChild;
};

// An 8 x 6 image: a dark frame and a light middle on a magenta background
// (the bottom-left pixel, so the transparent colour); `images` copies side
// by side.
std::unique_ptr<qv::TBitmap> GlyphImage(int images = 1);

class TfrmGlyphTest : public TQVForm {
  QV_DECLARE_CLASS(TfrmGlyphTest)

 public:
  explicit TfrmGlyphTest(qv::TComponent* owner);

  qv::TSpeedButton* sbOne;
  qv::TSpeedButton* sbTwo;
  qv::TSpeedButton* sbNone;
  qv::TBitBtn* bbOne;
  qv::TBitBtn* bbKind;
};

class TfrmControlGlyphTest : public TQVForm {
  QV_DECLARE_CLASS(TfrmControlGlyphTest)

 public:
  explicit TfrmControlGlyphTest(qv::TComponent* owner);

  TSelectPanel* spCode;
  TQvBtnDBEdit* edLookup;
  TF2Button* btnDate;
};

// An edit that notes the left-button-up messages it receives.
class TNotingEdit : public qv::TEdit {
  QV_DECLARE_CLASS(TNotingEdit)

 public:
  using qv::TEdit::TEdit;
  int ButtonUps = 0;

 private:
  void WMLButtonUp(qv::TMessage& message);
};

class TfrmMessageTest : public TfrmBaseGene {
  QV_DECLARE_CLASS(TfrmMessageTest)

 public:
  explicit TfrmMessageTest(qv::TComponent* owner);

  bool InitModule(const qv::Variant& start_params) override;

  TNotingEdit* edCode;
  TNotingEdit* edName;
  qv::TButton* btnOk;
  qv::TButton* btnCancel;
};

}  // namespace ravlet::testing
